#include <QImage>
#include <QProcess>

#include "app/CTest2App.h"
#include "app_util.h"

namespace {

TEST(StartUp, CommandLine) {
    struct Case {
        QStringList args;
        bool paperCenter;
        const char* root;  // nullptr: none
        bool shots;
        bool error;
    } cases[] = {
        {{}, false, nullptr, false, false},
        {{"/papercenter"}, true, nullptr, false, false},
        {{"x/papercenterx"}, true, nullptr, false, false},  // a plain substring search
        {{"/PaperCenter"}, false, nullptr, false, false},
        {{"/PAPERCENTER"}, false, nullptr, false, false},
        {{"--root", "/srv/网吧"}, false, "/srv/网吧", false, false},
        {{"--root", "/srv/a", "--screenshots", "/tmp/s"}, false, "/srv/a", true, false},
        {{"--root"}, false, nullptr, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        StartOptions o = parseCommandLine(c.args);
        EXPECT_EQ(o.paperCenter, c.paperCenter);
        EXPECT_EQ(o.root.has_value(), c.root != nullptr);
        if (c.root && o.root) {
            EXPECT_EQ(*o.root, c.root);
        }
        EXPECT_EQ(o.screenshots.has_value(), c.shots);
        EXPECT_EQ(!o.error.empty(), c.error);
    }
}

// Runs the real editor; returns its exit code (-1 when it did not finish in time).
int runEditor(const QStringList& args, const QProcessEnvironment& env, QString* err = nullptr) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(TAVRIN_EDITOR, args);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (err) *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

QProcessEnvironment offscreen() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

bool copyTree(const QString& from, const QString& to) {
    QDir src(from);
    if (!QDir().mkpath(to)) return false;
    for (const QFileInfo& fi :
         src.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString dest = QDir(to).filePath(fi.fileName());
        if (fi.isDir() ? !copyTree(fi.filePath(), dest) : !QFile::copy(fi.filePath(), dest))
            return false;
    }
    return true;
}

TEST(StartUp, EditorOpensTheSampleAndWritesTheReloadedConfiguration) {
    Installation inst;
    ASSERT_TRUE(
        copyTree(QString(TAVRIN_SOURCE_DIR) + "/sample", QString::fromStdString(inst.path())));
    const std::string shots = inst.file("shots");
    QString err;
    ASSERT_EQ(runEditor({"--root", QString::fromStdString(inst.path()), "--screenshots",
                         QString::fromStdString(shots)},
                        offscreen(), &err),
              0)
        << err.toStdString();
    for (const char* name : {"main-window.png", "area-dialog.png"}) {
        QImage img(QString::fromStdString(paths::join(shots, name)));
        EXPECT_GT(img.width(), 250) << name;
        EXPECT_GT(img.height(), 150) << name;
    }
    const IniDocument doc = inst.ini();
    EXPECT_EQ(doc.value("全局配置", "网吧名称"), "欢迎光临星河网咖");
    EXPECT_EQ(doc.value("分区配置", "智能分区"),
              "开|<0.0.0.0-0.0.0.0>默认区域|<192.168.1.100-192.168.1.199>游戏区");
    // The reload wrote every area's sections and the default templates back.
    for (const char* section : {"Desk_默认区域", "名称配置_游戏区", "其它功能_游戏区"})
        EXPECT_TRUE(doc.hasSection(section)) << section;
    bool weatherTemplate = false;
    for (const auto& s : doc.sectionNames()) weatherTemplate |= s.rfind("天气模板_", 0) == 0;
    EXPECT_TRUE(weatherTemplate);
}

TEST(StartUp, PaperCenterModeStartsOnlyTheRuntime) {
    struct Case {
        const char* switchText;
        bool paperCenter;
    } cases[] = {{"/papercenter", true}, {"/PaperCenter", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.switchText);
        Installation inst;
        inst.installRuntime();
        RuntimeLog log;
        QProcessEnvironment env = offscreen();
        env.insert("TAVRIN_FAKE_DESK_LOG", QString::fromStdString(log.path()));
        env.insert("TAVRIN_FAKE_DESK_QUIT", "1");  // the fake ends the event loop at once
        QStringList args{"--root", QString::fromStdString(inst.path()), c.switchText};
        if (!c.paperCenter) args << "--screenshots" << QString::fromStdString(inst.file("shots"));
        QString err;
        ASSERT_EQ(runEditor(args, env, &err), 0) << err.toStdString();
        const bool started = log.text().rfind("load\nStartPaperCenter 0\n", 0) == 0;
        EXPECT_EQ(started, c.paperCenter) << log.text();
        // No main window: desk.ini is neither read nor written.
        EXPECT_EQ(QFile::exists(QString::fromStdString(inst.deskIni())), !c.paperCenter);
    }
}

}  // namespace
