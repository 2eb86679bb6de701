#include "platform/RuntimeLibrary.h"

#include <QLibrary>
#include <QString>
#include <cstdint>

#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/ProgramPaths.h"

namespace runtime {
namespace {

#if defined(_WIN32) && !defined(_WIN64)
#define TAVRIN_CDECL __cdecl
#else
#define TAVRIN_CDECL
#endif

using RunDeskFn = void(TAVRIN_CDECL*)(const char*);
using StartPaperCenterFn = void(TAVRIN_CDECL*)(std::int32_t);

void reportMissing() {
    ui::current().message(kMissingMessage, ui::kCaption, ui::Icon::Error, ui::Buttons::Ok);
}

}  // namespace

std::string libraryBaseName() { return paths::inProgram("desk"); }

bool RunDesk(const std::string& areaName) {
    // The runtime reads the name as a narrow cp936 string; a name cp936 cannot hold was
    // never saved under that name either, so there is nothing to preview.
    std::string why;
    auto narrow = codec::toCp936(areaName, &why);
    if (!narrow) {
        ui::current().message("分区名称含有无法保存的字符：" + why, ui::kCaption, ui::Icon::Error,
                              ui::Buttons::Ok);
        return false;
    }
    QLibrary lib(QString::fromStdString(libraryBaseName()));
    auto fn = reinterpret_cast<RunDeskFn>(lib.resolve("RunDesk"));
    if (!fn) {
        if (lib.isLoaded()) lib.unload();
        reportMissing();
        return false;
    }
    fn(narrow->c_str());
    lib.unload();
    return true;
}

bool StartPaperCenter() {
    // Never unloaded: the wallpaper centre keeps running on this process's event loop.
    auto* lib = new QLibrary(QString::fromStdString(libraryBaseName()));
    auto fn = reinterpret_cast<StartPaperCenterFn>(lib->resolve("StartPaperCenter"));
    if (!fn) {
        if (lib->isLoaded()) lib->unload();
        delete lib;
        reportMissing();
        return false;
    }
    fn(0);
    return true;  // lib is intentionally leaked so the code stays mapped
}

}  // namespace runtime
