// The Windows probes behind the icon background default.

#include <gtest/gtest.h>

#include <optional>

#include "platform/WindowsProbes.h"
#include "store/IconSection.h"

using platform::WindowsVersion;

namespace {

TEST(WindowsProbes, ClassifyVersion) {
    struct Case {
        const char* label;
        std::optional<WindowsVersion> version;
        bool wow64;
        int expected;
    };
    const Case cases[] = {
        {"unreadable", std::nullopt, false, 0},
        {"Windows XP", WindowsVersion{true, 5, 1}, false, 1},
        {"Windows 7 32-bit", WindowsVersion{true, 6, 1}, false, 2},
        {"Windows 7 under WOW64", WindowsVersion{true, 6, 1}, true, 3},
        {"Windows 2000", WindowsVersion{true, 5, 0}, false, 0},
        {"Vista", WindowsVersion{true, 6, 0}, false, 0},
        {"Windows 10", WindowsVersion{true, 10, 0}, true, 0},
        {"not the NT family", WindowsVersion{false, 5, 1}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(platform::classifyVersion(c.version, c.wow64), c.expected);
    }
}

#ifndef _WIN32
TEST(WindowsProbes, OffWindowsTheDefaultIsGenerationZero) {
    EXPECT_EQ(platform::classifyWindows(), 0);
    EXPECT_FALSE(platform::runningUnderWow64());
    EXPECT_EQ(platform::shellIconSize(), 0);
    platform::installWindowsProbes();
    EXPECT_EQ(defaultBackgroundSize(), "76*76*-20*-6");
    setWindowsProbeHooks({});
}
#endif

TEST(WindowsProbes, InstalledProbesDecideTheStoreDefault) {
    platform::setWindowsProbesForTesting(
        platform::WindowsProbeFakes{[] { return 2; }, [] { return false; }, [] { return 32; }});
    platform::installWindowsProbes();
    EXPECT_EQ(IconSection{}.backgroundSize, "78*104*0*-4");
    platform::setWindowsProbesForTesting(
        platform::WindowsProbeFakes{[] { return 1; }, [] { return false; }, [] { return 48; }});
    EXPECT_EQ(defaultBackgroundSize(), "92*92*-20*-6");
    platform::setWindowsProbesForTesting(std::nullopt);
    setWindowsProbeHooks({});
}

}  // namespace
