#include "platform/WindowsProbes.h"

#include "store/IconSection.h"

namespace platform {

// The system probes (WindowsProbes_win.cpp on Windows).
int systemClassifyWindows();
bool systemRunningUnderWow64();
int systemShellIconSize();

namespace {
std::optional<WindowsProbeFakes>& fakes() {
    static std::optional<WindowsProbeFakes> f;
    return f;
}
}  // namespace

#ifndef _WIN32
int systemClassifyWindows() { return 0; }
bool systemRunningUnderWow64() { return false; }
int systemShellIconSize() { return 0; }
#endif

int classifyVersion(const std::optional<WindowsVersion>& v, bool wow64) {
    if (!v || !v->ntFamily) return 0;
    if (v->major == 5 && v->minor == 1) return 1;
    if (v->major == 6 && v->minor == 1) return wow64 ? 3 : 2;
    return 0;
}

int classifyWindows() {
    if (fakes() && fakes()->classifyWindows) return fakes()->classifyWindows();
    return systemClassifyWindows();
}

bool runningUnderWow64() {
    if (fakes() && fakes()->runningUnderWow64) return fakes()->runningUnderWow64();
    return systemRunningUnderWow64();
}

int shellIconSize() {
    if (fakes() && fakes()->shellIconSize) return fakes()->shellIconSize();
    return systemShellIconSize();
}

void installWindowsProbes() {
    WindowsProbeHooks hooks;
    hooks.classifyWindows = &classifyWindows;
    hooks.shellIconSize = &shellIconSize;
    setWindowsProbeHooks(hooks);
}

void setWindowsProbesForTesting(std::optional<WindowsProbeFakes> f) { fakes() = std::move(f); }

}  // namespace platform
