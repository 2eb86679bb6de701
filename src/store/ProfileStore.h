#pragma once
// The process-wide store through which every configuration read and write passes: the
// target INI path, its primitives, and the four café-wide lists that live beside the
// configuration (weather templates, notice templates, coordinate indices, sync folders).
//
// Reads and writes go to an in-memory IniDocument. Outside a batch each primitive loads
// the file (and a write replaces it atomically at once); inside a batch (a reload, a full
// save, a list save) the file is read once and written once, at commit.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/IniDocument.h"
#include "store/Status.h"
#include "store/Templates.h"

class ProfileStore {
public:
    ProfileStore() = default;
    explicit ProfileStore(std::string targetPath) : target_(std::move(targetPath)) {}
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // The process-wide instance the program's windows use.
    static ProfileStore& instance();

    const std::string& target() const { return target_; }
    void setTarget(std::string path) { target_ = std::move(path); }

    // --- primitives (section and key names are UTF-8 and compared ASCII-case-insensitively)
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultText);
    int ReadNumber(std::string_view section, std::string_view key,
                   std::string_view defaultText = "0");
    int ReadInt(std::string_view section, std::string_view key, int defaultValue);
    Status WriteText(std::string_view section, std::string_view key, std::string_view value);
    Status WriteNumber(std::string_view section, std::string_view key, int value);
    Status DeleteKey(std::string_view section, std::string_view key);
    // Empties the target: everything written afterwards makes up the whole file. Inside a
    // batch nothing reaches the disk until the commit.
    Status ClearFile();
    void Retarget(std::string path);
    void Restore();

    // --- batches: nested batches join the outermost one
    class Batch {
    public:
        explicit Batch(ProfileStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        // Writes the file once when anything changed (only the outermost batch writes).
        // On failure the file keeps its old bytes.
        Status commit();

    private:
        ProfileStore& store_;
        bool outer_;
        bool done_ = false;
    };
    bool inBatch() const { return batch_.has_value(); }

    // --- café-wide lists
    std::vector<std::unique_ptr<WeatherTemplate>> weatherTemplates;
    std::vector<std::unique_ptr<NoticeTemplate>> noticeTemplates;
    CoordinateIndexMap coordinateIndices;
    std::vector<std::string> syncFolders;

    void clearLists();

    // Parses cp936 file bytes into a document (exposed for tools and tests).
    static IniDocument decode(std::string_view cp936Bytes);
    // Serialises a document to cp936 bytes; fails on characters cp936 cannot hold.
    static std::optional<std::string> encode(const IniDocument& doc, std::string* error);

private:
    struct OpenBatch {
        std::string path;
        IniDocument doc;
        bool loaded = false;  // the file is read on first use, so a full save never parses it
        bool dirty = false;
        int depth = 0;
    };
    IniDocument& batchDoc();
    IniDocument loadTarget() const;
    // Applies fn to the document: the batch's, or a freshly loaded one that is written back
    // at once when fn changed it.
    template <typename Fn>
    Status modify(Fn&& fn);

    std::string target_;
    std::vector<std::string> savedTargets_;
    std::optional<OpenBatch> batch_;
};

// C library atoi: leading blanks, optional sign, digits up to the first other character.
int atoiCompat(std::string_view text);
// The Windows integer profile rules: leading blanks, sign, "0x"/"0o"/"0b" prefixes,
// digits of the base up to the first other character, 32-bit wrap-around.
int profileIntCompat(std::string_view text);
