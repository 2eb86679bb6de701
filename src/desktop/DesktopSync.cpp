#include "desktop/DesktopSync.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "desktop/FolderUtils.h"
#include "platform/DesktopFolder.h"
#include "store/FileIo.h"
#include "store/ProgramPaths.h"

namespace fs = std::filesystem;

std::string syncFolderPath(const std::string& name) {
    return paths::join(paths::inProgram(paths::kSyncDesktops), name);
}

std::optional<std::string> syncFolderNameProblem(const std::string& name) {
    // The name is joined to a folder that is later removed as a whole: anything that could
    // reach outside it, or name the base folder itself, is refused.
    if (name.empty()) return "同步目录名称不能为空。";
    if (name == "." || name == "..") return "同步目录名称不能是“.”或“..”。";
    for (unsigned char c : name) {
        if (c < 0x20 || c == '/' || c == '\\' || c == ':')
            return "同步目录名称不能包含 / \\ : 或控制字符。";
    }
    return std::nullopt;
}

Status makeSyncFolder(const std::string& name, std::size_t* uncopied) {
    if (uncopied) *uncopied = 0;
    if (auto problem = syncFolderNameProblem(name)) return Status::failure(*problem);
    const std::string desktop = platform::currentUserDesktopFolder();
    // Without a desktop to copy, a reset would only empty the folder.
    if (desktop.empty() || !folderExists(desktop))
        return Status::failure("找不到当前用户的桌面文件夹" +
                               (desktop.empty() ? std::string() : "“" + desktop + "”") +
                               "，同步目录未创建。");
    const std::string base = paths::inProgram(paths::kSyncDesktops);
    std::error_code ec;
    if (!folderExists(base)) fs::create_directories(fsPath(base), ec);
    if (!folderExists(base))
        return Status::failure("无法创建文件夹“" + base + "”，同步目录未创建。");
    const std::string target = syncFolderPath(name);
    if (folderExists(target)) removeFolderTree(target);
    createFolder(target);
    if (!folderExists(target))
        return Status::failure("无法创建同步目录“" + target + "”。");
    std::size_t failures = copyFolderTree(desktop, target);
    if (uncopied) *uncopied = failures;
    return Status::success();
}

void deleteSyncFolder(const std::string& name, std::vector<std::string>& list) {
    if (!syncFolderNameProblem(name)) removeFolderTree(syncFolderPath(name));
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
}
