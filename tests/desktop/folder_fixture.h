#pragma once
// A temporary program folder and small file helpers for the folder and sync tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "store/FileIo.h"
#include "store/ProgramPaths.h"

namespace folder_test {
namespace fs = std::filesystem;

class TempTree {
public:
    TempTree() {
        std::random_device rd;
        root_ = fs::temp_directory_path() /
                ("tavrin-folders-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(root_);
    }
    ~TempTree() {
        std::error_code ec;
        // read-only leftovers must not keep the tree alive
        for (auto it = fs::recursive_directory_iterator(root_, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }
    std::string path(const std::string& rel = {}) const {
        return rel.empty() ? utf8Path(root_) : utf8Path(root_ / fsPath(rel));
    }

private:
    fs::path root_;
};

inline void write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fsPath(path).parent_path());
    std::ofstream out(fsPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string read(const std::string& path) { return readFileBytes(path).value_or("<missing>"); }

inline bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(fsPath(path), ec));
}

inline void makeReadOnly(const std::string& path) {
    fs::permissions(fsPath(path),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// Relative path -> bytes ("/" for folders) of everything below root.
inline std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(fsPath(root), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::string rel = utf8Path(fs::relative(it->path(), fsPath(root)));
        out[rel] = it->is_directory() ? std::string("/") : read(utf8Path(it->path()));
    }
    return out;
}

// The paths whose content differs between two snapshots, one per line ("" when equal).
inline std::string changedFiles(const std::map<std::string, std::string>& before,
                                const std::map<std::string, std::string>& after) {
    std::string out;
    for (const auto& [rel, bytes] : before) {
        auto it = after.find(rel);
        if (it == after.end()) out += "removed " + rel + "\n";
        else if (it->second != bytes) out += "changed " + rel + "\n";
    }
    for (const auto& [rel, bytes] : after)
        if (!before.count(rel)) out += "added " + rel + "\n";
    return out;
}

// Points the program folder at a folder for the lifetime of the guard.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& folder) : previous_(paths::programFolder()) {
        fs::create_directories(fsPath(folder));
        paths::setProgramFolder(folder);
    }
    ~ProgramFolder() { paths::setProgramFolder(previous_); }

private:
    std::string previous_;
};
}  // namespace folder_test
