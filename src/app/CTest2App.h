#pragma once
// Start-up: the command line and the two modes of the process.

#include <QStringList>
#include <optional>
#include <string>

struct StartOptions {
    bool paperCenter = false;                // "/papercenter" anywhere in the command line
    std::optional<std::string> root;         // --root DIR: the installation to edit
    std::optional<std::string> screenshots;  // --screenshots DIR: write pictures and exit
    bool noUpdateCheck = false;              // --no-update-check
    std::string error;                       // a malformed option, for the user
};

// args excludes the program name.
StartOptions parseCommandLine(const QStringList& args);

class CTest2Dlg;

namespace CTest2App {
// Wallpaper-centre mode: hands over to the runtime; the caller runs the event loop when
// this returns true.
bool startPaperCenter();
// Writes main-window.png, area-dialog.png (add and modify) and about.png into the folder.
// Returns false when a picture could not be written.
bool writeScreenshots(CTest2Dlg& main, const std::string& folder);
}  // namespace CTest2App
