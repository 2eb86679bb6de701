#include "store/ProfileStore.h"

#include <cassert>
#include <climits>
#include <cstdint>
#include <string>

#include "store/Codec.h"
#include "store/FileIo.h"

namespace {
bool isSpaceC(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

int atoiCompat(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isSpaceC(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // atoi's overflow is undefined; saturate like strtol, which is what the C libraries do.
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    if (v < INT_MIN) v = INT_MIN;
    return static_cast<int>(v);
}

int profileIntCompat(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        switch (text[i + 1]) {
            case 'x': base = 16; i += 2; break;
            case 'o': base = 8; i += 2; break;
            case 'b': base = 2; i += 2; break;
            default: break;
        }
    }
    std::uint32_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned d;
        if (c >= '0' && c <= '9') d = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'z') d = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z') d = static_cast<unsigned>(c - 'A' + 10);
        else break;
        if (d >= base) break;
        v = v * base + d;
    }
    if (negative) v = 0u - v;
    return static_cast<int>(v);
}

ProfileStore& ProfileStore::instance() {
    static ProfileStore store;
    return store;
}

IniDocument ProfileStore::decode(std::string_view cp936Bytes) {
    return IniDocument::parse(codec::fromCp936(cp936Bytes));
}

std::optional<std::string> ProfileStore::encode(const IniDocument& doc, std::string* error) {
    return codec::toCp936(doc.serialize(), error);
}

IniDocument& ProfileStore::batchDoc() {
    if (!batch_->loaded) {
        batch_->doc = loadTarget();
        batch_->loaded = true;
    }
    return batch_->doc;
}

IniDocument ProfileStore::loadTarget() const {
    auto bytes = readFileBytes(target_);
    if (!bytes) return {};
    return decode(*bytes);
}

std::string ProfileStore::ReadText(std::string_view section, std::string_view key,
                                   std::string_view defaultText) {
    std::optional<std::string> v;
    if (batch_) {
        v = batchDoc().value(section, key);
    } else {
        v = loadTarget().value(section, key);
    }
    return v ? std::move(*v) : std::string(defaultText);
}

int ProfileStore::ReadNumber(std::string_view section, std::string_view key,
                             std::string_view defaultText) {
    return atoiCompat(ReadText(section, key, defaultText));
}

int ProfileStore::ReadInt(std::string_view section, std::string_view key, int defaultValue) {
    std::string v = ReadText(section, key, "");
    // A missing key and an empty value both give the default.
    if (v.empty()) return defaultValue;
    return profileIntCompat(v);
}

template <typename Fn>
Status ProfileStore::modify(Fn&& fn) {
    if (batch_) {
        if (fn(batchDoc())) batch_->dirty = true;
        return Status::success();
    }
    IniDocument doc = loadTarget();
    if (!fn(doc)) return Status::success();  // unchanged: nothing to write
    std::string error;
    auto bytes = encode(doc, &error);
    if (!bytes) return Status::failure(error);
    return writeFileAtomically(target_, *bytes);
}

Status ProfileStore::WriteText(std::string_view section, std::string_view key,
                               std::string_view value) {
    return modify([&](IniDocument& d) { return d.setValue(section, key, value); });
}

Status ProfileStore::WriteNumber(std::string_view section, std::string_view key, int value) {
    return WriteText(section, key, std::to_string(value));
}

Status ProfileStore::DeleteKey(std::string_view section, std::string_view key) {
    return modify([&](IniDocument& d) { return d.removeKey(section, key); });
}

Status ProfileStore::ClearFile() {
    if (batch_) {
        batch_->doc.clear();
        batch_->loaded = true;
        batch_->dirty = true;
        return Status::success();
    }
    return writeFileAtomically(target_, "");
}

void ProfileStore::Retarget(std::string path) {
    assert(!batch_ && "retarget outside a batch");
    savedTargets_.push_back(target_);
    target_ = std::move(path);
}

void ProfileStore::Restore() {
    if (savedTargets_.empty()) return;
    target_ = std::move(savedTargets_.back());
    savedTargets_.pop_back();
}

void ProfileStore::clearLists() {
    weatherTemplates.clear();
    noticeTemplates.clear();
    coordinateIndices.clear();
    syncFolders.clear();
}

ProfileStore::Batch::Batch(ProfileStore& store) : store_(store), outer_(!store.batch_) {
    if (outer_) {
        store_.batch_.emplace();
        store_.batch_->path = store_.target_;
    }
    ++store_.batch_->depth;
}

ProfileStore::Batch::~Batch() {
    if (!store_.batch_) return;
    --store_.batch_->depth;
    if (outer_) store_.batch_.reset();  // not committed: changes are dropped
}

Status ProfileStore::Batch::commit() {
    if (done_ || !outer_) {
        done_ = true;
        return Status::success();
    }
    done_ = true;
    OpenBatch& b = *store_.batch_;
    Status result;
    if (b.dirty) {
        std::string error;
        auto bytes = encode(b.doc, &error);
        result = bytes ? writeFileAtomically(b.path, *bytes)
                       : Status::failure("无法保存 " + b.path + "：" + error);
    }
    store_.batch_.reset();
    return result;
}
