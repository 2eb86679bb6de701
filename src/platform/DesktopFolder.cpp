#include "platform/DesktopFolder.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#else
#include <QStandardPaths>
#include <QString>
#endif

namespace platform {
namespace {
std::optional<std::string>& desktopOverride() {
    static std::optional<std::string> folder;
    return folder;
}

std::string systemDesktopFolder() {
#ifdef _WIN32
    // The signed-in user's own desktop directory; not created when missing.
    wchar_t buf[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, buf)))
        return {};
    std::u8string s = std::filesystem::path(buf).u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
#else
    // Honours the XDG user-dirs file (a localised "桌面" included), else ~/Desktop.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return dir.toStdString();
#endif
}
}  // namespace

std::string currentUserDesktopFolder() {
    std::string folder = desktopOverride() ? *desktopOverride() : systemDesktopFolder();
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

void setDesktopFolderForTesting(std::optional<std::string> folder) {
    desktopOverride() = std::move(folder);
}

}  // namespace platform
