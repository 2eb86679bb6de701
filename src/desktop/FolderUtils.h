#pragma once
// Folder and file utilities shared by the pages, the desktop-sync folders and the theme
// package. Paths are UTF-8; "/" and "\" both separate.

#include <cstddef>
#include <string>
#include <vector>

bool folderExists(const std::string& path);
// Creates one folder level; false when it exists already or its parent is missing.
bool createFolder(const std::string& path);
// Deletes the folder's contents (read-only files stay); the folder itself stays.
// False when the folder cannot be listed.
bool emptyFolder(const std::string& folder);
// Removes the folder with everything in it, read-only files included. Symbolic links are
// removed, never followed.
void removeFolderTree(const std::string& folder);
// Copies the tree into destination (created when missing, one level), replacing files of
// the same name and keeping other files already there. Returns the number of entries that
// could not be copied.
std::size_t copyFolderTree(const std::string& source, const std::string& destination);

enum class ListMode { Files, Folders };
// Names in the folder below the program folder that begin with prefix, in directory order.
// Files: names holding ".", cut before the first "."; Folders: names without ".".
bool listDataFolder(const std::string& folder, const std::string& prefix, ListMode mode,
                    std::vector<std::string>& names);

// One (description, pattern) pair of a file chooser's filter.
struct FileFilter {
    std::string description;
    std::string pattern;
};
// The open-file chooser; on a choice sets chosen to the whole path, or only its file name
// when fullPath is false. Cancel leaves chosen untouched and gives false.
bool chooseOpenFile(const std::vector<FileFilter>& filters, const std::string& initialFolder,
                    bool fullPath, std::string& chosen);
// The save-file chooser; no extension is added.
bool chooseSaveFile(const std::vector<FileFilter>& filters, const std::string& initialFolder,
                    std::string& chosen);
