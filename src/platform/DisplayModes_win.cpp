#include "platform/DisplayModes.h"

#include <windows.h>

namespace platform {

std::vector<DisplayMode> reportedDisplayModes() {
    std::vector<DisplayMode> out;
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &dm); ++i) {
        out.push_back({static_cast<int>(dm.dmPelsWidth), static_cast<int>(dm.dmPelsHeight),
                       static_cast<int>(dm.dmBitsPerPel), static_cast<int>(dm.dmDisplayFrequency)});
        dm = DEVMODEA{};
        dm.dmSize = sizeof dm;
    }
    return out;
}

}  // namespace platform
