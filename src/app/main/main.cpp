// tavrin-editor: the configuration editor, or with "/papercenter" the runtime's wallpaper
// centre alone.

#include <QApplication>
#include <cstdio>

#include "app/CTest2App.h"
#include "app/CTest2Dlg.h"
#include "app/QtInteraction.h"
#include "net/UpdateCheck.h"
#include "platform/WindowsProbes.h"
#include "store/ProgramPaths.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("tavrin-editor");
    const StartOptions options = parseCommandLine(app.arguments().mid(1));
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return 2;
    }
    if (options.root) paths::setProgramFolder(*options.root);
    // New icon records take their background size from the Windows version and icon size.
    platform::installWindowsProbes();

    // Screenshots run unattended: messages go to stderr instead of waiting for a click.
    QtInteraction interaction;
    if (!options.screenshots) ui::install(&interaction);

    if (options.paperCenter) {
        // The runtime ends this mode by quitting the event loop; without it there is
        // nothing to wait for.
        if (!CTest2App::startPaperCenter()) return 1;
        return app.exec();
    }

    // Update check at start-up; false when the process is handing over to the updater.
    if (!options.screenshots && !options.noUpdateCheck &&
        !update::CheckForUpdate(paths::programFolder()))
        return 0;

    CTest2Dlg dlg;
    if (options.screenshots) {
        const bool ok = CTest2App::writeScreenshots(dlg, *options.screenshots);
        if (!ok) std::fprintf(stderr, "截图无法写入 %s\n", options.screenshots->c_str());
        return ok ? 0 : 1;
    }
    dlg.exec();
    return 0;
}
