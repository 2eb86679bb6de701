#pragma once
// The display modes offered for an area's screen resolution, as "width-height-bits-refresh"
// texts. The real source is EnumDisplaySettings on Windows and XRandR on X11; tests
// substitute a fixed mode list.

#include <functional>
#include <string>
#include <vector>

namespace platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int frequency = 0;
};

// The modes the current display reports, in its order; empty when there is no display.
std::vector<DisplayMode> reportedDisplayModes();

// 32-bit modes only, each text once, in the reverse of the reported order.
std::vector<std::string> displayModeTexts(const std::vector<DisplayMode>& reported);

// displayModeTexts of the current display (or of the test source when one is set).
std::vector<std::string> listDisplayModes();

// Replaces the display as the source of modes; an empty function restores it.
void setDisplayModeSourceForTesting(std::function<std::vector<DisplayMode>()> source);

}  // namespace platform
