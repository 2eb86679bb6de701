#include "desktop/FolderUtils.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/UserInteraction.h"
#include "store/FileIo.h"
#include "store/ProgramPaths.h"

namespace fs = std::filesystem;

namespace {
bool endsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

bool isReadOnly(const fs::path& p) {
#ifdef _WIN32
    DWORD attributes = GetFileAttributesW(p.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    std::error_code ec;
    auto perms = fs::symlink_status(p, ec).permissions();
    return !ec && (perms & (fs::perms::owner_write | fs::perms::group_write |
                            fs::perms::others_write)) == fs::perms::none;
#endif
}

void makeWritable(const fs::path& p) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(p, ec))) return;
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, ec);
}

bool emptyInto(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path p = it->path();
        std::error_code sec;
        auto st = fs::symlink_status(p, sec);
        if (fs::is_directory(st)) {
            emptyInto(p);
            fs::remove(p, sec);  // fails, and stays, while a read-only file is left in it
        } else if (!isReadOnly(p)) {
            fs::remove(p, sec);
        }
        if (ec) break;
    }
    return true;
}

void removeTree(const fs::path& folder) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (!ec) {
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            const fs::path p = it->path();
            std::error_code sec;
            makeWritable(p);
            if (fs::is_directory(fs::symlink_status(p, sec)))
                removeTree(p);
            else
                fs::remove(p, sec);
            if (ec) break;
        }
    }
    makeWritable(folder);
    fs::remove(folder, ec);
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

// destinationRoot is skipped wherever the walk meets it: copying a desktop that holds
// the program folder into a sync folder must not copy the copy.
std::size_t copyTree(const fs::path& source, const fs::path& destination,
                     const fs::path& destinationRoot) {
    std::size_t failures = 0;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(destination, ec))) fs::create_directory(destination, ec);
    fs::directory_iterator it(source, ec);
    if (ec) return 1;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path from = it->path();
        const fs::path to = destination / from.filename();
        std::error_code sec;
        auto st = fs::symlink_status(from, sec);
        if (fs::is_symlink(st) && fs::is_directory(fs::status(from, sec))) {
            // A linked folder is copied as the link, so a loop cannot recurse forever.
            fs::remove(to, sec);
            fs::copy_symlink(from, to, sec);
            if (sec) ++failures;
        } else if (fs::is_directory(st)) {
            if (sameFolder(from, destinationRoot)) continue;
            failures += copyTree(from, to, destinationRoot);
        } else {
            if (isReadOnly(to)) makeWritable(to);
            if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, sec)) {
                ++failures;
                continue;
            }
            // The runtime compares times when it syncs the client desktops.
            auto time = fs::last_write_time(from, sec);
            if (!sec) fs::last_write_time(to, time, sec);
        }
        if (ec) {
            ++failures;
            break;
        }
    }
    return failures;
}

std::string qtFilter(const std::vector<FileFilter>& filters) {
    std::string out;
    for (const auto& f : filters) {
        if (!out.empty()) out += ";;";
        std::string pattern = f.pattern;
        for (char& c : pattern)
            if (c == ';') c = ' ';
        out += f.description + " (" + pattern + ")";
    }
    return out;
}
}  // namespace

bool folderExists(const std::string& path) {
    // A trailing separator names no entry, as with the directory search this replaces.
    if (path.empty() || endsWithSeparator(path)) return false;
    std::error_code ec;
    return fs::is_directory(fsPath(path), ec);
}

bool createFolder(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return fs::create_directory(fsPath(path), ec) && !ec;
}

bool emptyFolder(const std::string& folder) {
    if (folder.empty()) return false;
    return emptyInto(fsPath(folder));
}

void removeFolderTree(const std::string& folder) {
    if (folder.empty()) return;
    const fs::path p = fsPath(folder);
    std::error_code ec;
    auto st = fs::symlink_status(p, ec);
    if (fs::is_symlink(st)) {
        fs::remove(p, ec);  // the link only, never what it points at
        return;
    }
    if (!fs::is_directory(st)) return;
    removeTree(p);
}

std::size_t copyFolderTree(const std::string& source, const std::string& destination) {
    if (source.empty() || destination.empty()) return 1;
    const fs::path from = fsPath(source), to = fsPath(destination);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(to, ec))) fs::create_directory(to, ec);
    return copyTree(from, to, to);
}

bool listDataFolder(const std::string& folder, const std::string& prefix, ListMode mode,
                    std::vector<std::string>& names) {
    if (folder.empty()) return false;
    std::string relative = folder;
    for (char& c : relative)
        if (c == '\\') c = '/';
    std::error_code ec;
    fs::directory_iterator it(fsPath(paths::inProgram(relative)), ec);
    if (ec) return true;  // a missing folder offers no names
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = utf8Path(it->path().filename());
        std::size_t dot = name.find('.');
        std::string taken;
        if (mode == ListMode::Files) {
            if (dot == std::string::npos) continue;
            taken = name.substr(0, dot);
        } else {
            if (dot != std::string::npos) continue;
            taken = name;
        }
        if (taken.empty() || taken.compare(0, prefix.size(), prefix) != 0) continue;
        names.push_back(std::move(taken));
        if (ec) break;
    }
    return true;
}

bool chooseOpenFile(const std::vector<FileFilter>& filters, const std::string& initialFolder,
                    bool fullPath, std::string& chosen) {
    auto answer = ui::current().chooseOpenFile("打开", qtFilter(filters), initialFolder);
    if (!answer || answer->empty()) return false;
    if (fullPath) {
        chosen = *answer;
    } else {
        std::size_t cut = answer->find_last_of("/\\");
        chosen = cut == std::string::npos ? *answer : answer->substr(cut + 1);
    }
    return true;
}

bool chooseSaveFile(const std::vector<FileFilter>& filters, const std::string& initialFolder,
                    std::string& chosen) {
    auto answer = ui::current().chooseSaveFile("另存为", qtFilter(filters), initialFolder);
    if (!answer || answer->empty()) return false;
    chosen = *answer;
    return true;
}
