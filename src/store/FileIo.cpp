#include "store/FileIo.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
std::optional<std::string> g_forcedFailure;
std::atomic<unsigned long long> g_writes{0};

std::string systemMessage(int err) { return std::generic_category().message(err); }
}  // namespace

fs::path fsPath(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string utf8Path(const fs::path& path) {
    std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

std::optional<std::string> readFileBytes(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::error_code ec;
    if (fs::is_directory(fsPath(path), ec)) return std::nullopt;
    std::string data;
    in.seekg(0, std::ios::end);
    auto size = in.tellg();
    if (size > 0) {
        data.resize(static_cast<std::size_t>(size));
        in.seekg(0);
        in.read(data.data(), size);
        if (!in) return std::nullopt;
    }
    return data;
}

void setWriteFailureForTesting(std::optional<std::string> message) {
    g_forcedFailure = std::move(message);
}

unsigned long long atomicWriteCount() { return g_writes.load(); }

Status writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string failPrefix = "无法写入文件 " + path + "：";
    if (g_forcedFailure) return Status::failure(failPrefix + *g_forcedFailure);
    fs::path target = fsPath(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return Status::failure(failPrefix + "目标是一个文件夹");
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    std::random_device rd;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp%08x", static_cast<unsigned>(rd()));
    fs::path temp = target;
    temp += suffix;

#ifdef _WIN32
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Status::failure(failPrefix + "无法创建临时文件（错误 " +
                               std::to_string(GetLastError()) + "）");
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                                         &written, nullptr);
    ok = ok && written == bytes.size() && FlushFileBuffers(h);
    DWORD werr = GetLastError();
    CloseHandle(h);
    if (!ok) {
        DeleteFileW(temp.c_str());
        return Status::failure(failPrefix + "写入失败（错误 " + std::to_string(werr) + "）");
    }
    // Another program (the runtime, a virus scanner) may hold the file for a moment.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            break;
        if (attempt >= 20) {
            DWORD merr = GetLastError();
            DeleteFileW(temp.c_str());
            return Status::failure(failPrefix + "替换失败（错误 " + std::to_string(merr) + "）");
        }
        Sleep(50);
    }
#else
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return Status::failure(failPrefix + systemMessage(errno));
    // Keep the permissions of the file we replace.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return Status::failure(failPrefix + systemMessage(err));
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(failPrefix + systemMessage(err));
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return Status::failure(failPrefix + systemMessage(err));
    }
    int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
#endif
    ++g_writes;
    return Status::success();
}
