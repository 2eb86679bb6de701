// The display-mode list offered for an area's resolution.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/DisplayModes.h"

using platform::DisplayMode;

namespace {

TEST(DisplayModes, ThirtyTwoBitModesOnceInReverseOrder) {
    struct Case {
        const char* label;
        std::vector<DisplayMode> reported;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"no display", {}, {}},
        {"reverse of the reported order",
         {{800, 600, 32, 60}, {1024, 768, 32, 60}, {1920, 1080, 32, 60}},
         {"1920-1080-32-60", "1024-768-32-60", "800-600-32-60"}},
        {"repeated mode listed once, at its first report",
         {{1024, 768, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}},
         {"800-600-32-60", "1024-768-32-60"}},
        {"two refresh rates are two entries",
         {{1024, 768, 32, 60}, {1024, 768, 32, 75}},
         {"1024-768-32-75", "1024-768-32-60"}},
        {"other depths left out",
         {{1024, 768, 16, 60}, {1024, 768, 8, 60}, {1024, 768, 24, 60}, {1280, 1024, 32, 60}},
         {"1280-1024-32-60"}},
        {"only 16-bit modes", {{1024, 768, 16, 60}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(platform::displayModeTexts(c.reported), c.expected);
    }
}

TEST(DisplayModes, ListUsesTheSubstitutedSourceEachTime) {
    int calls = 0;
    platform::setDisplayModeSourceForTesting([&] {
        ++calls;
        return std::vector<DisplayMode>{{800, 600, 32, 60}, {800, 600, 32, 60}};
    });
    // Filling a page twice must not repeat modes.
    EXPECT_EQ(platform::listDisplayModes(), std::vector<std::string>{"800-600-32-60"});
    EXPECT_EQ(platform::listDisplayModes(), std::vector<std::string>{"800-600-32-60"});
    EXPECT_EQ(calls, 2);
    platform::setDisplayModeSourceForTesting({});
}

TEST(DisplayModes, RealDisplayGivesOnlyWellFormedThirtyTwoBitTexts) {
    // Without a display (the usual test machine) the list is empty; with one, every entry
    // is a 32-bit mode.
    for (const std::string& text : platform::listDisplayModes())
        EXPECT_NE(text.find("-32-"), std::string::npos) << text;
}

}  // namespace
