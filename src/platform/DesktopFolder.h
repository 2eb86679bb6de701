#pragma once
// The current user's desktop folder (not the desktop shared by all users), which the
// desktop-sync folders copy. Tests point it at a fixture folder.

#include <optional>
#include <string>

namespace platform {

// UTF-8 path without a trailing separator; empty when the system names none.
std::string currentUserDesktopFolder();

// Test hook: while set, currentUserDesktopFolder() answers this folder.
void setDesktopFolderForTesting(std::optional<std::string> folder);

}  // namespace platform
