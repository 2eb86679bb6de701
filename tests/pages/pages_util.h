#pragma once
// A throw-away installation with pictures, the live configuration loaded from its desk.ini,
// scripted user interaction and fixed display modes, for the page and window tests.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <string>

#include "platform/DisplayModes.h"
#include "platform/UserInteraction.h"
#include "store/Codec.h"
#include "store/Configuration.h"
#include "store/FileIo.h"
#include "store/ProfileStore.h"
#include "store/ProgramPaths.h"

class PageFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        paths::setProgramFolder(path());
        // Pictures the lists offer (empty files: only the names matter).
        for (const char* f :
             {"数据/背景/标题蓝色.png", "数据/背景/标题黄色.png", "数据/背景/背景2.png",
              "数据/背景/背景.png", "数据/背景/标语框.png", "数据/贴图/春节.png", "壁纸/01.jpg"})
            touch(f);
        platform::setDisplayModeSourceForTesting([] {
            return std::vector<platform::DisplayMode>{{800, 600, 32, 60},
                                                      {1024, 768, 16, 60},
                                                      {1024, 768, 32, 75},
                                                      {1024, 768, 32, 75},
                                                      {1920, 1080, 32, 60}};
        });
        store().setTarget(file("desk.ini"));
        store().clearLists();
    }
    void TearDown() override {
        platform::setDisplayModeSourceForTesting({});
        store().clearLists();
        paths::setProgramFolder(paths::executableFolder());
    }

    static ProfileStore& store() { return ProfileStore::instance(); }
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return paths::join(path(), name); }
    void touch(const std::string& name) const {
        const std::string p = file(name);
        QDir().mkpath(QString::fromStdString(p.substr(0, p.find_last_of('/'))));
        ASSERT_TRUE(writeFileAtomically(p, "").ok) << p;
    }
    void writeDeskIni(const std::string& utf8) const {
        auto bytes = codec::toCp936(utf8);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_TRUE(writeFileAtomically(file("desk.ini"), *bytes).ok);
    }
    std::string deskIniBytes() const { return readFileBytes(file("desk.ini")).value_or(""); }
    // Loads desk.ini (or the defaults when there is none) into config.
    void load() { ReloadConfiguration(store(), config); }
    ArearConfig& area(int i = 0) { return *config.areas[std::size_t(i)]; }

    template <typename T>
    static T* find(QWidget* root, const char* name) {
        T* w = root->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Types into a box as the user does (replacing its text).
    static void type(QLineEdit* box, const QString& text) {
        box->selectAll();
        box->insert(text);  // as typed: the box's validator applies
    }
    // Picks a list entry as the user does (activated is emitted).
    static void pick(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    static void click(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // Writes a screenshot into the build folder for a look.
    static void screenshot(QWidget* w, const char* name) {
        QDir().mkpath(QString(TAVRIN_BINARY_DIR) + "/screenshots");
        w->adjustSize();
        w->grab().save(QString(TAVRIN_BINARY_DIR) + "/screenshots/" + name + ".png");
    }

    GlobalConfig config;
    ui::ScriptedInteraction script;
    ui::ScopedInteraction scoped{script};

  private:
    QTemporaryDir dir_;
};

// A display page attached to the first area of the loaded configuration.
template <typename Page>
class AreaPageFixture : public PageFixture {
  protected:
    void SetUp() override {
        PageFixture::SetUp();
        load();
        page.attachArea(area(), nullptr, 0);
    }
    template <typename T>
    T* w(const char* name) {
        return find<T>(&page, name);
    }
    Page page;
};

// The lines of one section of a cp936 file, header included, as cp936 bytes.
inline std::string sectionBytes(const std::string& fileBytes, const std::string& utf8Name) {
    const std::string header = *codec::toCp936("[" + utf8Name + "]\r\n");
    const std::size_t start = fileBytes.find(header);
    if (start == std::string::npos) return {};
    std::size_t end = fileBytes.find("\r\n[", start + header.size() - 2);
    end = end == std::string::npos ? fileBytes.size() : end + 2;
    return fileBytes.substr(start, end - start);
}

// Compares bytes with tests/fixtures/pages/<name>; TAVRIN_UPDATE_GOLDEN=1 rewrites the file.
inline void expectGolden(const std::string& bytes, const std::string& name) {
    const std::string path = std::string(TAVRIN_FIXTURES) + "/pages/" + name;
    if (qEnvironmentVariableIsSet("TAVRIN_UPDATE_GOLDEN")) {
        ASSERT_TRUE(writeFileAtomically(path, bytes).ok);
        return;
    }
    const auto expected = readFileBytes(path);
    ASSERT_TRUE(expected.has_value()) << "missing golden file " << path;
    EXPECT_EQ(codec::fromCp936(bytes), codec::fromCp936(*expected)) << name;
    EXPECT_EQ(bytes, *expected) << name;
}
