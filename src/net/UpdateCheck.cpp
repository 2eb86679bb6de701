#include "net/UpdateCheck.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/Process.h"
#include "platform/UserInteraction.h"
#include "store/FileIo.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace update {
namespace {

void debugTrace(const std::string& text) {
#ifdef _WIN32
    OutputDebugStringA(text.c_str());
#else
    (void)text;
#endif
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The system's proxy settings, except for the loopback interface, which no proxy can reach
// on our behalf (a mirror on this machine, or a test server).
class SystemProxyFactory : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0 ||
            QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

struct Download {
    bool ok = false;
    QByteArray body;
    std::string error;
};

Download fetch(const std::string& url, const DownloadOptions& options) {
    std::unique_ptr<QCoreApplication> ownApp;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tavrin";
        static char* argv[] = {name, nullptr};
        ownApp = std::make_unique<QCoreApplication>(argc, argv);
    }

    Download result;
    QNetworkAccessManager manager;
    manager.setProxyFactory(new SystemProxyFactory);  // the manager owns it
    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");

    QNetworkReply* reply = manager.get(request);
    bool timedOut = false;
    bool tooLarge = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(
        reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
            if (!tooLarge && (received > options.maxBytes || total > options.maxBytes)) {
                tooLarge = true;
                reply->abort();
            }
        });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(options.timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (timedOut) {
        result.error = "timed out after " + std::to_string(options.timeoutMs) + " ms";
    } else if (tooLarge) {
        result.error = "descriptor larger than " + std::to_string(options.maxBytes) + " bytes";
    } else if (reply->error() != QNetworkReply::NoError) {
        result.error = reply->errorString().toStdString();
    } else if (status != 200) {
        // An error page is not a descriptor.
        result.error = "HTTP status " + std::to_string(status);
    } else {
        result.body = reply->readAll();
        if (result.body.size() > options.maxBytes) {
            result.error = "descriptor larger than " + std::to_string(options.maxBytes) + " bytes";
            result.body.clear();
        } else {
            result.ok = true;
        }
    }
    delete reply;
    return result;
}

std::string trimmed(std::string s) {
    const char* blanks = " \t\r\n";
    s.erase(0, s.find_first_not_of(blanks));
    s.erase(s.find_last_not_of(blanks) + 1);
    return s;
}

std::string hostSetting(ProfileStore& store, const char* key, const char* fallback,
                        std::string& error) {
    std::string value = trimmed(store.ReadText("Config", key, ""));
    if (value.empty()) return fallback;
    if (!ValidHost(value)) {
        error = std::string("deskupdate.ini: ") + key + " \"" + value +
                "\" 不是有效的主机名（主机名[:端口]）";
        return fallback;
    }
    return value;
}

}  // namespace

bool ValidHost(const std::string& hostPort) {
    const std::size_t colon = hostPort.find(':');
    const std::string host = hostPort.substr(0, colon);
    if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-')
        return false;
    for (char c : host)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '.' && c != '_')
            return false;
    if (colon == std::string::npos) return true;
    const std::string port = hostPort.substr(colon + 1);
    if (port.empty() || port.size() > 5) return false;
    for (char c : port)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const int n = std::stoi(port);
    return n >= 1 && n <= 65535;
}

Settings ReadSettings(const std::string& programFolder) {
    ProfileStore store(paths::join(programFolder, paths::kUpdateSettings));
    Settings s;
    s.updateModel = store.ReadInt("Config", "UpdateModel", 0);
    s.updateHost = hostSetting(store, "UpdateHost", kDefaultUpdateHost, s.error);
    s.alternateHost = hostSetting(store, "AlternateHost", kDefaultAlternateHost, s.error);
    return s;
}

std::string DescriptorUrl(const Settings& settings) {
    if (settings.updateModel == 0)
        return "http://" + settings.updateHost + "/update-ferncup/update.ini";
    if (settings.updateModel == 1)
        return "http://" + settings.alternateHost + "/tarnwick/Update.xml";
    return "http://" + settings.alternateHost + "/tarnwood/Update.xml";
}

std::string FileMd5(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file)) return {};
    return hash.result().toHex().toStdString();
}

std::vector<OutdatedFile> CompareWithDescriptor(const std::string& programFolder,
                                                const std::string& descriptorBytes) {
    const IniDocument doc = ProfileStore::decode(descriptorBytes);
    std::vector<OutdatedFile> outdated;
    for (const char* name : kWatchedFiles) {
        const std::string expected = lower(doc.value(name, "MD5").value_or(""));
        if (expected.empty()) continue;  // no checksum: the file is left alone
        if (FileMd5(paths::join(programFolder, name)) == expected) continue;
        outdated.push_back({name, doc.value(name, "URL").value_or("")});
    }
    return outdated;
}

CheckResult DownloadAndCompare(const std::string& programFolder, const DownloadOptions& options) {
    CheckResult result;
    const Settings settings = ReadSettings(programFolder);
    debugTrace("inipath:" + paths::join(programFolder, paths::kUpdateSettings) + "\n");
    if (!settings.error.empty()) {
        result.outcome = CheckResult::Outcome::NetworkError;
        result.detail = settings.error;
        return result;
    }
    result.url = DescriptorUrl(settings);

    Download download = fetch(result.url, options);
    if (!download.ok) {
        result.outcome = CheckResult::Outcome::NetworkError;
        result.detail = result.url + ": " + download.error;
        return result;
    }
    const std::string bytes(download.body.constData(),
                            static_cast<std::size_t>(download.body.size()));
    const std::string descriptorPath = paths::join(programFolder, paths::kUpdateDescriptor);
    if (Status st = writeFileAtomically(descriptorPath, bytes); !st) {
        result.outcome = CheckResult::Outcome::DescriptorUnwritable;
        result.detail = descriptorPath + ": " + st.message;
        return result;
    }
    result.outdated = CompareWithDescriptor(programFolder, bytes);
    result.outcome =
        result.outdated.empty() ? CheckResult::Outcome::Current : CheckResult::Outcome::Outdated;
    return result;
}

UpdateResult RunUpdateCheck(const std::string& programFolder, const DownloadOptions& options) {
    const CheckResult check = DownloadAndCompare(programFolder, options);
    switch (check.outcome) {
        case CheckResult::Outcome::NetworkError:
            ui::current().message(kNetworkError, ui::kUpdateCaption, ui::Icon::None,
                                  ui::Buttons::OkCancel);
            return UpdateResult::NothingToUpdate;
        case CheckResult::Outcome::DescriptorUnwritable:
        case CheckResult::Outcome::Current:
            return UpdateResult::NothingToUpdate;
        case CheckResult::Outcome::Outdated:
            break;
    }

    if (ui::current().message(kOffer, ui::kCaption, ui::Icon::Question, ui::Buttons::YesNo) !=
        ui::Answer::Yes)
        return UpdateResult::Declined;

    std::error_code ec;
    const std::string folder = paths::join(programFolder, paths::kUpdateFolder);
    std::filesystem::create_directories(fsPath(folder), ec);

    const std::string updater = paths::join(programFolder, kUpdater);
    debugTrace(updater);
    if (!std::filesystem::is_regular_file(fsPath(updater), ec)) {
        ui::current().message(kUpdaterMissing, ui::kCaption, ui::Icon::Warning, ui::Buttons::Ok);
        process::current().exitProcess(0);
        return UpdateResult::HandedOver;
    }

    // The updater replaces the product files, itself included, so it runs from a copy.
    const std::string copy = paths::join(folder, kUpdaterCopy);
    ec.clear();
    std::filesystem::copy_file(fsPath(updater), fsPath(copy),
                               std::filesystem::copy_options::overwrite_existing, ec);
    std::string addresses;
    for (const auto& file : check.outdated) {
        if (!addresses.empty()) addresses += '|';
        addresses += file.url;
    }
    // A failed copy or start must not look like a hand-over: the editor stays and says so.
    if (ec || !process::current().startDetached(copy, {addresses})) {
        ui::current().message(kUpdaterNotStarted, ui::kUpdateCaption, ui::Icon::Warning,
                              ui::Buttons::Ok);
        return UpdateResult::UpdaterNotStarted;
    }
    process::current().exitProcess(0);
    return UpdateResult::HandedOver;
}

bool CheckForUpdate(const std::string& programFolder) {
    return RunUpdateCheck(programFolder) != UpdateResult::HandedOver;
}

}  // namespace update
