#pragma once
// Whole-file reads and atomic replacement. Paths are UTF-8.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/Status.h"

std::filesystem::path fsPath(std::string_view utf8Path);
std::string utf8Path(const std::filesystem::path& path);

// The file's bytes; nullopt when it does not exist or cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);

// Writes the bytes to a temporary file beside the target, flushes it to disk and renames it
// over the target, so the target holds either its old or its new content, never a mix.
// On failure the target is untouched and the temporary file removed.
Status writeFileAtomically(const std::string& path, std::string_view bytes);

// Test hook: when set, every atomic write fails with this message (simulates a full disk).
void setWriteFailureForTesting(std::optional<std::string> message);

// Counts atomic writes (benchmarks check one write per full save).
unsigned long long atomicWriteCount();
