#include "app/CTest2App.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include "app/CAboutDlg.h"
#include "app/CArearDlg.h"
#include "app/CTest2Dlg.h"
#include "platform/RuntimeLibrary.h"

StartOptions parseCommandLine(const QStringList& args) {
    StartOptions o;
    // A plain, case-sensitive substring search over the whole command line.
    o.paperCenter = args.join(' ').contains("/papercenter", Qt::CaseSensitive);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                o.error = a.toStdString() + " 后面缺少文件夹。";
                return;
            }
            into = args[++i].toStdString();
        };
        if (a == "--root")
            value(o.root);
        else if (a == "--screenshots")
            value(o.screenshots);
        else if (a == "--no-update-check")
            o.noUpdateCheck = true;
    }
    return o;
}

namespace CTest2App {

bool startPaperCenter() { return runtime::StartPaperCenter(); }

namespace {
bool shoot(QWidget& w, const QString& path) {
    w.show();
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    w.hide();
    return ok;
}
}  // namespace

bool writeScreenshots(CTest2Dlg& main, const std::string& folder) {
    QDir dir(QString::fromStdString(folder));
    if (!dir.mkpath(".")) return false;
    bool ok = shoot(main, dir.filePath("main-window.png"));
    {
        CArearDlg add(main.config(), CArearDlg::Add, -1, &main);
        ok = shoot(add, dir.filePath("area-dialog.png")) && ok;
    }
    if (!main.config().areas.empty()) {
        CArearDlg modify(main.config(), CArearDlg::Modify, 0, &main);
        ok = shoot(modify, dir.filePath("area-dialog-modify.png")) && ok;
    }
    {
        CAboutDlg about(&main);
        ok = shoot(about, dir.filePath("about.png")) && ok;
    }
    return ok;
}

}  // namespace CTest2App
