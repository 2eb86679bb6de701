// deskcfg theme export|import on the real binary: exit codes, the files it leaves, and a
// refused package leaving desk.ini alone.

#include "package_fixture.h"

#if defined(TAVRIN_DESKCFG) && !defined(_WIN32)
#include <sys/wait.h>

#include <cstdlib>

using namespace package_test;

namespace {

struct Outcome {
    int status;
    std::string err;
};

Outcome deskcfg(const std::string& root, const std::string& args, const std::string& scratch) {
    const std::string errFile = scratch + "/stderr.txt";
    const std::string cmd = std::string("'") + TAVRIN_DESKCFG + "' --root '" + root + "' " + args +
                            " >/dev/null 2>'" + errFile + "'";
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read(errFile)};
}

TEST(ThemeCommand, ExportImportAndRefusals) {
    TempTree tree;
    const std::string root = tree.path("inst");
    {
        Install install(root);
        install.addDefaultPictures();
    }
    write(tree.path("bad.k4p"), "not a package");
    struct Case {
        const char* what;
        std::string args;
        int status;
        const char* errHas;  // text expected on stderr
        const char* creates;  // file expected afterwards
    };
    const Case cases[] = {
        {"export", "theme export 默认区域 '" + tree.path("out/主题") + "'", 0, "", "out/主题.k4p"},
        {"quiet export", "theme export 默认区域 '" + tree.path("q.k4p") + "' --quiet", 0, "", "q.k4p"},
        {"unknown area", "theme export 没有 '" + tree.path("n.k4p") + "'", 1, "分区不存在", nullptr},
        {"import", "theme import 默认区域 '" + tree.path("out/主题.k4p") + "'", 0, "", nullptr},
        {"refused package", "theme import 默认区域 '" + tree.path("bad.k4p") + "'", 1, "主题包导入失败", nullptr},
        {"missing package", "theme import 默认区域 '" + tree.path("none.k4p") + "'", 1, "主题包导入失败", nullptr},
        {"usage", "theme export 默认区域", 2, "usage", nullptr},
        {"usage", "theme", 2, "usage", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string deskBefore = read(root + "/desk.ini");
        Outcome r = deskcfg(root, c.args, tree.path());
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.errHas), std::string::npos) << r.err;
        if (c.creates) {
            EXPECT_TRUE(exists(tree.path(c.creates)));
        }
        if (c.status != 0) {
            EXPECT_EQ(read(root + "/desk.ini"), deskBefore);
        }
    }
    EXPECT_FALSE(exists(tree.path("n.k4p")));
    EXPECT_TRUE(snapshot(root + "/" + theme::kStagingFolder).empty());
    EXPECT_FALSE(exists(root + "/" + theme::kImportFolder));
}

}  // namespace
#endif
