#pragma once
// The ZIP archives of theme packages. Entry names are stored in code page 936 (UTF-8 with
// general-purpose bit 11 only for a name cp936 cannot hold); on reading, bit 11 means UTF-8.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "store/Status.h"

// Archives the folder's contents under paths relative to it ("/" separated, folder entries
// ending in "/", a folder's entry before its contents, directory order within a folder).
// Deflate, except for already-compressed extensions. The archive is written beside its
// final path and renamed into place, so a failure leaves no partial archive and an
// existing file at the path unchanged.
Status zipFolder(const std::string& folder, const std::string& archivePath);

struct UnzipLimits {
    std::uint64_t maxTotalBytes = std::uint64_t(1) << 30;  // sum of the unpacked sizes
    std::size_t maxEntries = 10000;
};

// Unpacks every entry below folder (created with its missing parents). The whole central
// directory is checked first (entry count, total size, names, methods), so an archive that
// is refused writes nothing; an entry whose data turns out bad (CRC, size) fails the call
// and the entries before it stay.
Status unzipToFolder(const std::string& archivePath, const std::string& folder,
                     const UnzipLimits& limits = {});

// The path below the target folder where an entry of the given (decoded, UTF-8) name goes:
// drive prefixes and leading separators dropped, "\" read as "/", and a name that would
// still climb out of the folder cut to its last component. nullopt when nothing usable is
// left (the folder itself, "..", control characters).
std::optional<std::string> safeEntryName(const std::string& name);
