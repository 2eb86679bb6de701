#include "package/Zip.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <vector>

#include "store/Codec.h"
#include "store/FileIo.h"

namespace fs = std::filesystem;

namespace {
constexpr unsigned kUtf8NameFlag = 1u << 11;
constexpr std::size_t kChunk = 1 << 18;

// --- files with UTF-8 paths, for minizip and for the entries themselves
std::FILE* openFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

#ifdef _WIN32
voidpf ZCALLBACK openUtf8(voidpf, const void* filename, int mode) {
    const char* m = nullptr;
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
        m = "rb";
    else if (mode & ZLIB_FILEFUNC_MODE_EXISTING)
        m = "r+b";
    else if (mode & ZLIB_FILEFUNC_MODE_CREATE)
        m = "wb";
    if (!filename || !m) return nullptr;
    return openFile(fsPath(static_cast<const char*>(filename)), m);
}
#endif

zlib_filefunc64_def fileFunctions() {
    zlib_filefunc64_def f;
    fill_fopen64_filefunc(&f);
#ifdef _WIN32
    f.zopen64_file = openUtf8;
#endif
    return f;
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Already-compressed formats are stored as they are.
bool storedExtension(const fs::path& file) {
    static const char* const kStored[] = {".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    const std::string ext = lowerAscii(utf8Path(file.extension()));
    for (const char* s : kStored)
        if (ext == s) return true;
    return false;
}

tm_zip zipTime(const fs::path& p) {
    tm_zip out{};
    std::error_code ec;
    auto ft = fs::last_write_time(p, ec);
    std::time_t t = ec ? std::time(nullptr)
                       : std::chrono::system_clock::to_time_t(
                             std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                                 std::chrono::file_clock::to_sys(ft)));
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    if (tm.tm_year < 80) {  // the ZIP date starts in 1980
        tm = std::tm{};
        tm.tm_year = 80;
        tm.tm_mday = 1;
    }
    out.tm_sec = static_cast<uInt>(tm.tm_sec);
    out.tm_min = static_cast<uInt>(tm.tm_min);
    out.tm_hour = static_cast<uInt>(tm.tm_hour);
    out.tm_mday = static_cast<uInt>(tm.tm_mday);
    out.tm_mon = static_cast<uInt>(tm.tm_mon);
    out.tm_year = static_cast<uInt>(tm.tm_year + 1900);
    return out;
}

void setFileTime(const fs::path& p, const tm_unz& t) {
    std::tm tm{};
    tm.tm_sec = static_cast<int>(t.tm_sec);
    tm.tm_min = static_cast<int>(t.tm_min);
    tm.tm_hour = static_cast<int>(t.tm_hour);
    tm.tm_mday = static_cast<int>(t.tm_mday);
    tm.tm_mon = static_cast<int>(t.tm_mon);
    tm.tm_year = static_cast<int>(t.tm_year) - 1900;
    tm.tm_isdst = -1;
    std::time_t tt = std::mktime(&tm);
    if (tt == static_cast<std::time_t>(-1)) return;
    std::error_code ec;
    fs::last_write_time(
        p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(tt)), ec);
}

struct Writer {
    zipFile zf = nullptr;
    std::vector<char> buffer = std::vector<char>(kChunk);
    fs::path skip;  // the archive being written, when it lies inside the folder
};

Status addEntry(Writer& w, const fs::path& source, const std::string& relative, bool folder) {
    std::string name = folder ? relative + "/" : relative;
    unsigned flags = 0;
    std::string stored;
    if (auto gbk = codec::toCp936(name)) {
        stored = std::move(*gbk);
    } else {
        stored = name;  // cp936 cannot hold it: keep it whole as UTF-8
        flags |= kUtf8NameFlag;
    }
    zip_fileinfo info{};
    info.tmz_date = zipTime(source);
    info.external_fa = folder ? 0x10 : 0x20;  // DOS directory / archive attribute
    std::uint64_t size = 0;
    std::error_code ec;
    if (!folder) size = fs::file_size(source, ec);
    const bool deflate = !folder && !storedExtension(source);
    int rc = zipOpenNewFileInZip4_64(w.zf, stored.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                     deflate ? Z_DEFLATED : 0,
                                     deflate ? Z_DEFAULT_COMPRESSION : 0, 0, -MAX_WBITS,
                                     DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags,
                                     size >= 0xffffffffu ? 1 : 0);
    if (rc != ZIP_OK) return Status::failure("无法向压缩包写入“" + name + "”。");
    if (!folder) {
        FilePtr in(openFile(source, "rb"));
        if (!in) {
            zipCloseFileInZip(w.zf);
            return Status::failure("无法读取文件“" + utf8Path(source) + "”。");
        }
        for (;;) {
            std::size_t n = std::fread(w.buffer.data(), 1, w.buffer.size(), in.get());
            if (n > 0 &&
                zipWriteInFileInZip(w.zf, w.buffer.data(), static_cast<unsigned>(n)) != ZIP_OK) {
                zipCloseFileInZip(w.zf);
                return Status::failure("无法向压缩包写入“" + name + "”（磁盘已满？）。");
            }
            if (n < w.buffer.size()) {
                if (std::ferror(in.get())) {
                    zipCloseFileInZip(w.zf);
                    return Status::failure("无法读取文件“" + utf8Path(source) + "”。");
                }
                break;
            }
        }
    }
    if (zipCloseFileInZip(w.zf) != ZIP_OK)
        return Status::failure("无法向压缩包写入“" + name + "”。");
    return Status::success();
}

Status walk(Writer& w, const fs::path& folder, const std::string& prefix) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return Status::failure("无法读取文件夹“" + utf8Path(folder) + "”。");
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path p = it->path();
        std::error_code sec;
        if (fs::equivalent(p, w.skip, sec)) continue;
        const std::string relative = prefix + utf8Path(p.filename());
        if (fs::is_directory(p, sec)) {
            if (Status st = addEntry(w, p, relative, true); !st) return st;
            if (Status st = walk(w, p, relative + "/"); !st) return st;
        } else {
            if (Status st = addEntry(w, p, relative, false); !st) return st;
        }
    }
    if (ec) return Status::failure("无法读取文件夹“" + utf8Path(folder) + "”。");
    return Status::success();
}

fs::path temporaryBeside(const fs::path& target) {
    std::random_device rd;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".part%08x", static_cast<unsigned>(rd()));
    fs::path temp = target;
    temp += suffix;
    return temp;
}

// --- reading

std::string entryDisplayName(const std::string& raw, unsigned long flag) {
    return (flag & kUtf8NameFlag) ? raw : codec::fromCp936(raw);
}

struct Entry {
    std::string name;      // decoded, for messages
    std::string relative;  // safe path below the target, "/" separated; empty: skip
    bool folder = false;
};

const char* kNotZip = "不是有效的主题包（ZIP 文件已损坏、不完整或格式不对）。";

struct UnzCloser {
    void operator()(unzFile f) const {
        if (f) unzClose(f);
    }
};
using UnzPtr = std::unique_ptr<void, UnzCloser>;

Status extractFile(unzFile uf, const unz_file_info64& info, const Entry& e,
                   const fs::path& target, std::vector<char>& buffer) {
    const std::string where = "“" + e.name + "”";
    if (unzOpenCurrentFile(uf) != UNZ_OK) return Status::failure("无法读取压缩包中的" + where + "。");
    FilePtr out(openFile(target, "wb"));
    if (!out) {
        unzCloseCurrentFile(uf);
        return Status::failure("无法写入文件“" + utf8Path(target) + "”。");
    }
    std::uint64_t written = 0;
    uLong crc = crc32(0L, Z_NULL, 0);
    Status result;
    for (;;) {
        int n = unzReadCurrentFile(uf, buffer.data(), static_cast<unsigned>(buffer.size()));
        if (n < 0) {
            result = Status::failure("压缩包中的" + where + "已损坏。");
            break;
        }
        if (n == 0) break;
        written += static_cast<std::uint64_t>(n);
        // Never write more than the directory declared (and was checked against the bound).
        if (written > info.uncompressed_size) {
            result = Status::failure("压缩包中的" + where + "大小与记录不符。");
            break;
        }
        crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), static_cast<uInt>(n));
        if (std::fwrite(buffer.data(), 1, static_cast<std::size_t>(n), out.get()) !=
            static_cast<std::size_t>(n)) {
            result = Status::failure("无法写入文件“" + utf8Path(target) + "”（磁盘已满？）。");
            break;
        }
    }
    int closeRc = unzCloseCurrentFile(uf);
    if (result && (written != info.uncompressed_size || crc != info.crc || closeRc == UNZ_CRCERROR))
        result = Status::failure("压缩包中的" + where + "校验失败（CRC 错误或数据不完整）。");
    if (std::fclose(out.release()) != 0 && result)
        result = Status::failure("无法写入文件“" + utf8Path(target) + "”。");
    if (!result) {
        std::error_code ec;
        fs::remove(target, ec);
        return result;
    }
    setFileTime(target, info.tmu_date);
    return result;
}
}  // namespace

std::optional<std::string> safeEntryName(const std::string& name) {
    std::string s = name;
    for (char& c : s)
        if (c == '\\') c = '/';
    for (bool changed = true; changed;) {
        changed = false;
        // a drive prefix: one character (of any width) and ":"
        std::size_t first = 0;
        if (!s.empty()) {
            unsigned char c = static_cast<unsigned char>(s[0]);
            first = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        }
        if (s.size() > first && s[first] == ':') {
            s.erase(0, first + 1);
            changed = true;
        } else if (!s.empty() && s[0] == '/') {
            s.erase(0, 1);
            changed = true;
        } else if (std::size_t up = s.find("/../"); up != std::string::npos) {
            s.erase(0, up + 4);
            changed = true;
        }
    }
    std::vector<std::string> parts;
    bool escapes = false;
    std::size_t pos = 0;
    while (pos <= s.size()) {
        std::size_t slash = s.find('/', pos);
        std::string part = s.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
        if (!part.empty() && part != ".") {
            if (part == ".." || part.find(':') != std::string::npos) escapes = true;
            parts.push_back(part);
        }
        if (slash == std::string::npos) break;
        pos = slash + 1;
    }
    if (parts.empty()) return std::nullopt;
    if (escapes) {
        std::string last = parts.back();
        if (std::size_t colon = last.rfind(':'); colon != std::string::npos) last.erase(0, colon + 1);
        parts.assign(1, last);
        if (last.empty() || last == "." || last == "..") return std::nullopt;
    }
    std::string out;
    for (const auto& part : parts) {
        for (unsigned char c : part)
            if (c < 0x20 || c == 0x7f) return std::nullopt;
        if (!out.empty()) out += '/';
        out += part;
    }
    return out;
}

Status zipFolder(const std::string& folder, const std::string& archivePath) {
    if (folder.empty() || archivePath.empty()) return Status::failure("未指定要打包的文件夹或压缩包路径。");
    const fs::path root = fsPath(folder);
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return Status::failure("文件夹“" + folder + "”不存在。");
    const fs::path target = fsPath(archivePath);
    if (fs::is_directory(target, ec)) return Status::failure("“" + archivePath + "”是一个文件夹。");
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (!fs::is_directory(target.parent_path(), ec))
            return Status::failure("无法创建文件夹“" + utf8Path(target.parent_path()) + "”。");
    }
    const fs::path temp = temporaryBeside(target);
    const std::string tempName = utf8Path(temp);
    zlib_filefunc64_def funcs = fileFunctions();
    Writer w;
    w.zf = zipOpen2_64(tempName.c_str(), APPEND_STATUS_CREATE, nullptr, &funcs);
    if (!w.zf) return Status::failure("无法创建文件“" + archivePath + "”。");
    w.skip = temp;
    Status st = walk(w, root, "");
    if (zipClose(w.zf, nullptr) != ZIP_OK && st)
        st = Status::failure("无法写完文件“" + archivePath + "”（磁盘已满？）。");
    if (st) {
        fs::rename(temp, target, ec);
        if (ec) st = Status::failure("无法写入文件“" + archivePath + "”：" + ec.message());
    }
    if (!st) fs::remove(temp, ec);
    return st;
}

Status unzipToFolder(const std::string& archivePath, const std::string& folder,
                     const UnzipLimits& limits) {
    if (archivePath.empty() || folder.empty()) return Status::failure("未指定主题包或目标文件夹。");
    std::error_code ec;
    if (!fs::is_regular_file(fsPath(archivePath), ec))
        return Status::failure("找不到文件“" + archivePath + "”。");
    const fs::path root = fsPath(folder);
    fs::create_directories(root, ec);
    if (!fs::is_directory(root, ec)) return Status::failure("无法创建文件夹“" + folder + "”。");

    zlib_filefunc64_def funcs = fileFunctions();
    UnzPtr archive(unzOpen2_64(archivePath.c_str(), &funcs));
    unzFile uf = archive.get();
    if (!uf) return Status::failure(kNotZip);
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(uf, &global) != UNZ_OK) return Status::failure(kNotZip);
    if (global.number_entry > limits.maxEntries)
        return Status::failure("主题包中的条目过多（超过 " + std::to_string(limits.maxEntries) +
                               " 个），已拒绝导入。");

    // First pass: the central directory only. Nothing is written unless all of it is sound.
    std::vector<Entry> entries;
    std::vector<char> nameBuf(65536 + 1);
    std::uint64_t total = 0;
    int rc = unzGoToFirstFile(uf);
    while (rc == UNZ_OK) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(uf, &info, nameBuf.data(), static_cast<uLong>(nameBuf.size() - 1),
                                    nullptr, 0, nullptr, 0) != UNZ_OK)
            return Status::failure(kNotZip);
        Entry e;
        e.name = entryDisplayName(std::string(nameBuf.data(), info.size_filename), info.flag);
        e.folder = !e.name.empty() && (e.name.back() == '/' || e.name.back() == '\\');
        if (info.flag & 1) return Status::failure("主题包中的“" + e.name + "”已加密，无法导入。");
        if (!e.folder && info.compression_method != 0 && info.compression_method != Z_DEFLATED)
            return Status::failure("主题包中的“" + e.name + "”使用了不支持的压缩方式。");
        auto safe = safeEntryName(e.name);
        if (!safe && !e.folder) return Status::failure("主题包中的条目名称“" + e.name + "”无效。");
        e.relative = safe.value_or("");
        if (!e.folder) {
            total += info.uncompressed_size;
            if (info.uncompressed_size > limits.maxTotalBytes || total > limits.maxTotalBytes)
                return Status::failure("主题包解压后过大（超过 " +
                                       std::to_string(limits.maxTotalBytes >> 20) +
                                       " MB），已拒绝导入。");
        }
        entries.push_back(std::move(e));
        if (entries.size() > limits.maxEntries)
            return Status::failure("主题包中的条目过多（超过 " + std::to_string(limits.maxEntries) +
                                   " 个），已拒绝导入。");
        rc = unzGoToNextFile(uf);
    }
    if (rc != UNZ_END_OF_LIST_OF_FILE) return Status::failure(kNotZip);

    // Second pass: the data.
    std::vector<char> buffer(kChunk);
    rc = unzGoToFirstFile(uf);
    for (const Entry& e : entries) {
        if (rc != UNZ_OK) return Status::failure(kNotZip);
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(uf, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            return Status::failure(kNotZip);
        if (!e.relative.empty()) {
            const fs::path dest = root / fsPath(e.relative);
            if (e.folder) {
                fs::create_directories(dest, ec);
                if (!fs::is_directory(dest, ec))
                    return Status::failure("无法创建文件夹“" + utf8Path(dest) + "”。");
            } else {
                fs::create_directories(dest.parent_path(), ec);
                if (!fs::is_directory(dest.parent_path(), ec) || fs::is_directory(dest, ec))
                    return Status::failure("无法写入文件“" + utf8Path(dest) + "”。");
                if (Status st = extractFile(uf, info, e, dest, buffer); !st) return st;
            }
        }
        rc = unzGoToNextFile(uf);
    }
    return Status::success();
}
