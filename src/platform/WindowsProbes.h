#pragma once
// Probes of the running Windows: its generation, WOW64, the shell icon size. Off Windows
// they answer generation 0, false and 0. Tests substitute fakes.

#include <functional>
#include <optional>

namespace platform {

// 1 Windows XP, 2 Windows 7 on 32-bit Windows, 3 Windows 7 on 64-bit Windows, 0 otherwise
// or when the version cannot be read.
int classifyWindows();
// True when this 32-bit program runs on a 64-bit Windows.
bool runningUnderWow64();
// "Shell Icon Size" of the current user's window metrics; 0 when it cannot be read.
int shellIconSize();

// The version facts classifyWindows decides on (nullopt: the version could not be read).
struct WindowsVersion {
    bool ntFamily = true;
    unsigned major = 0;
    unsigned minor = 0;
};
int classifyVersion(const std::optional<WindowsVersion>& version, bool wow64);

// Makes the store's defaultBackgroundSize ask these probes. The program calls it once at
// start; without it the store assumes generation 0.
void installWindowsProbes();

struct WindowsProbeFakes {
    std::function<int()> classifyWindows;
    std::function<bool()> runningUnderWow64;
    std::function<int()> shellIconSize;
};
// Probes with a fake answer it instead of the system; nullopt restores the system.
void setWindowsProbesForTesting(std::optional<WindowsProbeFakes> fakes);

}  // namespace platform
