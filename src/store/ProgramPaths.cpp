#include "store/ProgramPaths.h"

#include <filesystem>
#include <optional>

#include "store/FileIo.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace paths {
namespace {
std::optional<std::string>& folderOverride() {
    static std::optional<std::string> folder;
    return folder;
}
}  // namespace

std::string executableFolder() {
    std::error_code ec;
#ifdef _WIN32
    wchar_t buf[32768];
    DWORD n = GetModuleFileNameW(nullptr, buf, 32768);
    std::filesystem::path exe(std::wstring(buf, n));
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) exe = std::filesystem::current_path(ec) / "x";
#endif
    return utf8Path(exe.parent_path());
}

const std::string& programFolder() {
    if (!folderOverride()) folderOverride() = executableFolder();
    return *folderOverride();
}

void setProgramFolder(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    folderOverride() = std::move(folder);
}

std::string join(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '/';
    while (!name.empty() && (name.front() == '/' || name.front() == '\\')) name.remove_prefix(1);
    out += name;
    return out;
}

std::string inProgram(std::string_view relative) { return join(programFolder(), relative); }
}  // namespace paths
