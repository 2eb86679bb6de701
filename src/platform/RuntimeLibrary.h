#pragma once
// The two calls into the desktop runtime library ("desk" by base name in the program
// folder: desk.dll on Windows, libdesk.so elsewhere).

#include <string>

namespace runtime {

inline constexpr const char* kMissingMessage = "文件丢失，请重新下载！";

// Full path of the library without prefix or suffix; the loader adds them.
std::string libraryBaseName();

// Hands the area name (in cp936) to the export "RunDesk" so the runtime applies that area's
// saved configuration to this machine, then unloads the library. A missing library or
// export shows kMissingMessage and gives false.
bool RunDesk(const std::string& areaName);

// Calls the export "StartPaperCenter" with 0 and leaves the library loaded: the wallpaper
// centre then runs inside this process's event loop. Failures as for RunDesk.
bool StartPaperCenter();

}  // namespace runtime
