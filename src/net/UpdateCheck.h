#pragma once
// The update check run at every start of the editor: download the update descriptor,
// compare the MD5 checksums of the product files with it, offer the update and hand over
// to the updater.
//
// The download uses Qt Network in a local event loop, so no running application loop is
// needed; a QCoreApplication (or QApplication) must exist, though. When none does, the
// download creates one for its own duration.

#include <string>
#include <vector>

namespace update {

// The built-in update servers (host[:port]); deskupdate.ini may override them in section
// "Config", keys "UpdateHost" and "AlternateHost".
inline constexpr const char* kDefaultUpdateHost = "update.tavrin.cn";
inline constexpr const char* kDefaultAlternateHost = "update2.tavrin.cn";

// Watched product files, in the order their addresses reach the updater.
inline constexpr const char* kWatchedFiles[] = {"desk.exe", "desk.dll", "配置程序.exe",
                                                "deskupdate.exe"};
inline constexpr const char* kUpdater = "deskupdate.exe";
inline constexpr const char* kUpdaterCopy = "deskUpdate.exe";  // in the update folder

inline constexpr const char* kNetworkError = "网络链接错误！";
inline constexpr const char* kOffer = "检查到Tavrin有新的版本，是否需要更新？";
inline constexpr const char* kUpdaterMissing = "文件丢失，请到Tavrin官网下载最新版本？";
inline constexpr const char* kUpdaterNotStarted = "无法启动更新程序，请到Tavrin官网下载最新版本。";

struct Settings {
    int updateModel = 0;
    std::string updateHost = kDefaultUpdateHost;
    std::string alternateHost = kDefaultAlternateHost;
    std::string error;  // non-empty when an override is not a host[:port]
};

// Reads deskupdate.ini in the program folder (a missing file gives the defaults).
Settings ReadSettings(const std::string& programFolder);

// The descriptor address chosen by "UpdateModel".
std::string DescriptorUrl(const Settings& settings);

// True when the text is a host name or IPv4 address with an optional ":port".
bool ValidHost(const std::string& hostPort);

// MD5 of the file's whole content as 32 lower-case hex digits; empty when it cannot be read.
std::string FileMd5(const std::string& path);

struct OutdatedFile {
    std::string name;
    std::string url;
};

struct DownloadOptions {
    int timeoutMs = 15000;         // connect and download together
    long long maxBytes = 1 << 20;  // a larger descriptor is refused
};

struct CheckResult {
    enum class Outcome {
        Current,       // nothing to update
        Outdated,      // files listed in outdated
        NetworkError,  // no connection, timeout, HTTP status other than 200, too large
        DescriptorUnwritable,
    };
    Outcome outcome = Outcome::Current;
    std::vector<OutdatedFile> outdated;
    std::string url;     // the descriptor address asked
    std::string detail;  // why it failed (for logs and the command-line tool)
};

// Downloads the descriptor to update.ini (replaced only by a complete download) and
// compares the watched files with it. Asks nothing and shows nothing.
CheckResult DownloadAndCompare(const std::string& programFolder,
                               const DownloadOptions& options = {});

// Compares the watched files in the program folder with a descriptor already parsed from
// its cp936 bytes, in watched-file order.
std::vector<OutdatedFile> CompareWithDescriptor(const std::string& programFolder,
                                                const std::string& descriptorBytes);

enum class UpdateResult {
    NothingToUpdate,    // also after any failure
    Declined,           // the user said No to the offer
    UpdaterNotStarted,  // the updater could not be copied or started; the editor goes on
    HandedOver,         // the updater was started (or the updater was missing) and the
                        // process was asked to end
};

// The whole check with its messages (through ui::current()) and the hand-over (through
// process::current()).
UpdateResult RunUpdateCheck(const std::string& programFolder, const DownloadOptions& options = {});

// For the editor's start-up: true when the editor should go on starting.
bool CheckForUpdate(const std::string& programFolder);

}  // namespace update
