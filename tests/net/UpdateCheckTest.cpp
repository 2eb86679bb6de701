#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "net/LoopbackServer.h"
#include "net/UpdateCheck.h"
#include "platform/Process.h"
#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/FileIo.h"

namespace fs = std::filesystem;
using nettest::httpResponse;
using nettest::LoopbackServer;
using nettest::Reply;
using nettest::Request;
using update::CheckResult;
using update::UpdateResult;

namespace {

// RFC 1321 test-suite digests.
const char* kMd5Empty = "d41d8cd98f00b204e9800998ecf8427e";
const char* kMd5Abc = "900150983cd24fb0d6963f7d28e17f72";
const char* kMd5MessageDigest = "f96b697d7cb7938d525a2f31aaf161d0";
const char* kWrongMd5 = "00000000000000000000000000000000";

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string cp936(const std::string& utf8) { return codec::toCp936(utf8).value(); }

// A descriptor section; an empty md5 writes "MD5=", a null one leaves the key out.
std::string section(const std::string& name, const char* md5, const std::string& url) {
    std::string s = "[" + name + "]\r\n";
    if (md5) s += std::string("MD5=") + md5 + "\r\n";
    return s + "URL=" + url + "\r\n";
}

class UpdateCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        dir_ = fs::temp_directory_path() /
               ("tavrin-net-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string folder() const { return utf8Path(dir_); }
    std::string path(const std::string& name) const { return utf8Path(dir_ / fsPath(name)); }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(fsPath(path(name)), std::ios::binary) << bytes;
    }
    std::optional<std::string> read(const std::string& name) { return readFileBytes(path(name)); }
    // desk.exe "abc", desk.dll empty, 配置程序.exe "message digest"; optionally the updater.
    void writeProductFiles(bool withUpdater) {
        write("desk.exe", "abc");
        write("desk.dll", "");
        write("配置程序.exe", "message digest");
        if (withUpdater) write("deskupdate.exe", "updater-v1");
    }
    void pointAt(const LoopbackServer& server, const std::string& model = "0") {
        write("deskupdate.ini", "[Config]\r\nUpdateModel=" + model +
                                    "\r\nUpdateHost=" + server.hostPort() +
                                    "\r\nAlternateHost=" + server.hostPort() + "\r\n");
    }

    fs::path dir_;
};

LoopbackServer::Handler serve(const std::string& body) {
    return [body](const Request&) { return Reply{httpResponse(200, "OK", body)}; };
}

// ------------------------------------------------------------------ checksums

TEST(UpdateChecksumTest, FileMd5IsLowerCaseHexOfTheWholeFile) {
    const fs::path dir = fs::temp_directory_path() / ("tavrin-md5-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    struct Row {
        const char* content;
        const char* md5;
    } rows[] = {{"", kMd5Empty}, {"abc", kMd5Abc}, {"message digest", kMd5MessageDigest}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.content);
        const std::string file = utf8Path(dir / fsPath("配置程序.exe"));
        std::ofstream(fsPath(file), std::ios::binary) << row.content;
        EXPECT_EQ(update::FileMd5(file), row.md5);
    }
    EXPECT_EQ(update::FileMd5(utf8Path(dir / "missing.exe")), "");
    fs::remove_all(dir);
}

struct CompareRow {
    const char* name;
    std::string descriptor;  // UTF-8; stored as cp936
    std::vector<std::string> outdated;
};

// The folder holds desk.exe, desk.dll and 配置程序.exe, but no deskupdate.exe.
TEST_F(UpdateCheckTest, CompareTable) {
    writeProductFiles(false);
    const CompareRow rows[] = {
        {"current, checksums in either case",
         section("desk.exe", kMd5Abc, "u1") + section("desk.dll", upper(kMd5Empty).c_str(), "u2") +
             section("配置程序.exe", upper(kMd5MessageDigest).c_str(), "u3"),
         {}},
        {"two outdated files come in watched-file order, not descriptor order",
         section("配置程序.exe", kWrongMd5, "u3") + section("desk.exe", kWrongMd5, "u1") +
             section("desk.dll", kMd5Empty, "u2"),
         {"desk.exe", "配置程序.exe"}},
        {"missing local file with a checksum is outdated",
         section("deskupdate.exe", kMd5Abc, "u4"),
         {"deskupdate.exe"}},
        {"empty checksum, missing checksum or missing section never outdated",
         section("desk.exe", "", "u1") + section("desk.dll", nullptr, "u2") +
             section("deskupdate.exe", "", "u4"),
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> names;
        for (const auto& f : update::CompareWithDescriptor(folder(), cp936(row.descriptor)))
            names.push_back(f.name);
        EXPECT_EQ(names, row.outdated);
    }
}

TEST_F(UpdateCheckTest, Cp936DescriptorFixture) {
    writeProductFiles(false);
    const auto bytes = readFileBytes(std::string(TAVRIN_FIXTURES) + "/net/update-cp936.ini");
    ASSERT_TRUE(bytes);
    const auto outdated = update::CompareWithDescriptor(folder(), *bytes);
    ASSERT_EQ(outdated.size(), 1u);
    EXPECT_EQ(outdated[0].name, "配置程序.exe");
    EXPECT_EQ(outdated[0].url, "http://mirror.example/配置程序.exe");
}

// ------------------------------------------------------------------ settings

TEST_F(UpdateCheckTest, SettingsTable) {
    struct Row {
        const char* name;
        const char* ini;  // nullptr: no deskupdate.ini
        std::string url;
        bool error;
    } rows[] = {
        {"no settings file", nullptr,
         std::string("http://") + update::kDefaultUpdateHost + "/update-ferncup/update.ini", false},
        {"alternate server by default", "[Config]\r\nUpdateModel=1\r\n",
         std::string("http://") + update::kDefaultAlternateHost + "/tarnwick/Update.xml", false},
        {"own mirror with port", "[config]\r\nupdatemodel=0\r\nUpdateHost=mirror.cafe.lan:8080\r\n",
         "http://mirror.cafe.lan:8080/update-ferncup/update.ini", false},
        {"not a host name", "[Config]\r\nUpdateHost=http://evil/\r\n",
         std::string("http://") + update::kDefaultUpdateHost + "/update-ferncup/update.ini", true},
        {"port out of range", "[Config]\r\nUpdateModel=2\r\nAlternateHost=h:70000\r\n",
         std::string("http://") + update::kDefaultAlternateHost + "/tarnwood/Update.xml", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(fsPath(path("deskupdate.ini")));
        if (row.ini) write("deskupdate.ini", row.ini);
        const update::Settings settings = update::ReadSettings(folder());
        EXPECT_EQ(update::DescriptorUrl(settings), row.url);
        EXPECT_EQ(!settings.error.empty(), row.error);
    }
}

// The "UpdateModel" value chooses server and path.
TEST_F(UpdateCheckTest, UpdateModelChoosesTheDescriptor) {
    LoopbackServer maker(serve(""));
    LoopbackServer alternate(serve(""));
    struct Row {
        const char* model;
        LoopbackServer* server;
        const char* path;
    } rows[] = {{"0", &maker, "/update-ferncup/update.ini"},
                {"1", &alternate, "/tarnwick/Update.xml"},
                {"7", &alternate, "/tarnwood/Update.xml"}};
    std::size_t makerSeen = 0, alternateSeen = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.model);
        write("deskupdate.ini", std::string("[Config]\r\nUpdateModel=") + row.model +
                                    "\r\nUpdateHost=" + maker.hostPort() +
                                    "\r\nAlternateHost=" + alternate.hostPort() + "\r\n");
        const CheckResult result = update::DownloadAndCompare(folder());
        EXPECT_EQ(result.outcome, CheckResult::Outcome::Current) << result.detail;
        LoopbackServer* other = row.server == &maker ? &alternate : &maker;
        std::size_t& seen = row.server == &maker ? makerSeen : alternateSeen;
        const auto requests = row.server->requests();
        ASSERT_EQ(requests.size(), seen + 1);
        EXPECT_EQ(requests.back().path, row.path);
        ++seen;
        EXPECT_EQ(other->requests().size(), other == &maker ? makerSeen : alternateSeen);
    }
}

// ------------------------------------------------------------------ the whole check

TEST_F(UpdateCheckTest, CurrentFilesStartTheEditorSilentlyAndKeepTheDescriptor) {
    writeProductFiles(true);
    const std::string descriptor = cp936(section("desk.exe", upper(kMd5Abc).c_str(), "u1") +
                                         section("配置程序.exe", kMd5MessageDigest, "u3"));
    LoopbackServer server(serve(descriptor));
    pointAt(server);
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scopedUi(ui);
    process::RecordingProcess proc;
    process::ScopedProcess scopedProc(proc);

    EXPECT_EQ(update::RunUpdateCheck(folder()), UpdateResult::NothingToUpdate);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(proc.starts.empty());
    EXPECT_FALSE(proc.exitCode);
    EXPECT_EQ(read("update.ini"), descriptor);
    EXPECT_TRUE(update::CheckForUpdate(folder()));
}

TEST_F(UpdateCheckTest, OfferAnswers) {
    writeProductFiles(true);
    // Listed out of order; desk.exe and deskupdate.exe are outdated.
    const std::string descriptor =
        cp936(section("deskupdate.exe", kWrongMd5, "http://h/deskupdate.exe?a=1&b=2") +
              section("desk.dll", kMd5Empty, "http://h/desk.dll") +
              section("desk.exe", kWrongMd5, "http://h/desk.exe;rm -rf /"));
    LoopbackServer server(serve(descriptor));
    pointAt(server);
    struct Row {
        ui::Answer answer;
        UpdateResult result;
        bool handedOver;
    } rows[] = {{ui::Answer::Yes, UpdateResult::HandedOver, true},
                {ui::Answer::No, UpdateResult::Declined, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.handedOver ? "accepted" : "declined");
        ui::ScriptedInteraction ui;
        ui.answers.push_back(row.answer);
        ui::ScopedInteraction scopedUi(ui);
        process::RecordingProcess proc;
        process::ScopedProcess scopedProc(proc);

        EXPECT_EQ(update::RunUpdateCheck(folder()), row.result);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, update::kOffer);
        EXPECT_EQ(ui.messages[0].caption, ui::kCaption);
        EXPECT_EQ(ui.messages[0].buttons, ui::Buttons::YesNo);
        EXPECT_EQ(ui.messages[0].icon, ui::Icon::Question);
        if (!row.handedOver) {
            EXPECT_TRUE(proc.starts.empty());
            EXPECT_FALSE(proc.exitCode);
            continue;
        }
        const std::string copy = path("update/deskUpdate.exe");
        ASSERT_EQ(proc.starts.size(), 1u);
        EXPECT_EQ(proc.starts[0].commandLine(),
                  copy + " http://h/desk.exe;rm -rf /|http://h/deskupdate.exe?a=1&b=2");
        EXPECT_EQ(proc.starts[0].args.size(), 1u);  // one argument, never split or shell-parsed
        EXPECT_EQ(proc.exitCode, 0);
        EXPECT_EQ(read("update/deskUpdate.exe"), "updater-v1");
    }
}

TEST_F(UpdateCheckTest, HandOverFailures) {
    const std::string descriptor = cp936(section("desk.exe", kWrongMd5, "http://h/desk.exe"));
    LoopbackServer server(serve(descriptor));
    pointAt(server);
    struct Row {
        const char* name;
        bool updaterPresent;
        bool startSucceeds;
        UpdateResult result;
        const char* message;
        const char* caption;
        std::optional<int> exitCode;
    } rows[] = {
        // The product's own behaviour: tell the operator to fetch the release, then end.
        {"updater missing", false, true, UpdateResult::HandedOver, update::kUpdaterMissing,
         ui::kCaption, 0},
        // Not a silent exit: the editor stays and says the update did not start.
        {"updater does not start", true, false, UpdateResult::UpdaterNotStarted,
         update::kUpdaterNotStarted, ui::kUpdateCaption, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(dir_ / "update");
        writeProductFiles(row.updaterPresent);
        if (!row.updaterPresent) fs::remove(fsPath(path("deskupdate.exe")));
        ui::ScriptedInteraction ui;
        ui.answers.push_back(ui::Answer::Yes);
        ui::ScopedInteraction scopedUi(ui);
        process::RecordingProcess proc;
        proc.startSucceeds = row.startSucceeds;
        process::ScopedProcess scopedProc(proc);

        EXPECT_EQ(update::RunUpdateCheck(folder()), row.result);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text, row.message);
        EXPECT_EQ(ui.messages[1].caption, row.caption);
        EXPECT_EQ(ui.messages[1].icon, ui::Icon::Warning);
        EXPECT_EQ(proc.exitCode, row.exitCode);
        EXPECT_EQ(proc.starts.size(), row.updaterPresent ? 1u : 0u);
        EXPECT_TRUE(fs::is_directory(dir_ / "update"));
    }
}

struct FailureRow {
    const char* name;
    Reply reply;
    bool deadPort = false;
};

TEST_F(UpdateCheckTest, NetworkFailuresShowOneMessageAndKeepTheOldDescriptor) {
    writeProductFiles(true);
    const std::string big(update::DownloadOptions{}.maxBytes + 1, 'x');
    const FailureRow rows[] = {
        {"404", {httpResponse(404, "Not Found", "<html>no such page</html>")}},
        {"500", {httpResponse(500, "Internal Server Error", "[desk.exe]\r\nMD5=1\r\n")}},
        {"204 is not a descriptor", {httpResponse(204, "No Content", "")}},
        {"redirect loop",
         {httpResponse(302, "Found", "", "Location: /update-ferncup/update.ini\r\n")}},
        {"slow server", {httpResponse(200, "OK", ""), 20000}},
        {"closes mid-header", {"HTTP/1.1 200 OK\r\nContent-Le"}},
        {"closes mid-body", {"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[desk.exe]\r\n"}},
        {"too large, announced", {httpResponse(200, "OK", big)}},
        {"too large, unannounced", {"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big}},
        {"nobody listening", {}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server([&](const Request&) { return row.reply; });
        if (row.deadPort)
            write("deskupdate.ini", "[Config]\r\nUpdateHost=127.0.0.1:" +
                                        std::to_string(nettest::unusedPort()) + "\r\n");
        else
            pointAt(server);
        write("update.ini", "old");
        ui::ScriptedInteraction ui;
        ui::ScopedInteraction scopedUi(ui);
        process::RecordingProcess proc;
        process::ScopedProcess scopedProc(proc);

        update::DownloadOptions options;
        options.timeoutMs = 1500;
        EXPECT_EQ(update::RunUpdateCheck(folder(), options), UpdateResult::NothingToUpdate);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, update::kNetworkError);
        EXPECT_EQ(ui.messages[0].caption, ui::kUpdateCaption);
        EXPECT_EQ(ui.messages[0].buttons, ui::Buttons::OkCancel);
        EXPECT_EQ(read("update.ini"), "old");
        EXPECT_TRUE(proc.starts.empty());
    }
}

TEST_F(UpdateCheckTest, UnwritableDescriptorIsSilent) {
    writeProductFiles(true);
    LoopbackServer server(serve(cp936(section("desk.exe", kWrongMd5, "u1"))));
    pointAt(server);
    write("update.ini", "old");
    ui::ScriptedInteraction ui;
    ui::ScopedInteraction scopedUi(ui);
    process::RecordingProcess proc;
    process::ScopedProcess scopedProc(proc);

    setWriteFailureForTesting("磁盘已满");
    EXPECT_EQ(update::DownloadAndCompare(folder()).outcome,
              CheckResult::Outcome::DescriptorUnwritable);
    EXPECT_EQ(update::RunUpdateCheck(folder()), UpdateResult::NothingToUpdate);
    setWriteFailureForTesting(std::nullopt);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(proc.starts.empty());
    EXPECT_EQ(read("update.ini"), "old");
}

// ------------------------------------------------------------------ deskcfg update check

TEST_F(UpdateCheckTest, CommandLineCheck) {
    writeProductFiles(true);
    struct Row {
        const char* name;
        Reply reply;
        int exitCode;
        std::string out;
        std::string errContains;
    } rows[] = {
        {"current",
         {httpResponse(200, "OK", cp936(section("desk.exe", kMd5Abc, "u1")))},
         0,
         "",
         ""},
        {"outdated",
         {httpResponse(200, "OK",
                       cp936(section("desk.dll", kWrongMd5, "http://h/desk.dll") +
                             section("配置程序.exe", kWrongMd5, "http://h/配置程序.exe")))},
         10,
         "desk.dll\thttp://h/desk.dll\n配置程序.exe\thttp://h/配置程序.exe\n",
         ""},
        {"404", {httpResponse(404, "Not Found", "")}, 1, "", update::kNetworkError},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LoopbackServer server([&](const Request&) { return row.reply; });
        pointAt(server);
        QProcess deskcfg;
        deskcfg.start(QStringLiteral(TAVRIN_BINARY_DIR "/deskcfg"),
                      {"--root", QString::fromStdString(folder()), "update", "check"});
        ASSERT_TRUE(deskcfg.waitForFinished(30000));
        EXPECT_EQ(deskcfg.exitCode(), row.exitCode);
        EXPECT_EQ(deskcfg.readAllStandardOutput().toStdString(), row.out);
        const std::string err = deskcfg.readAllStandardError().toStdString();
        if (!row.errContains.empty()) {
            EXPECT_NE(err.find(row.errContains), std::string::npos) << err;
        }
    }
}

}  // namespace
