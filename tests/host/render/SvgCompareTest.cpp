#include "SvgCompare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The comparison must see through formatting, or expected files break for nothing, and must
// still see every real change, or the picture tests prove nothing.
TEST(SvgCompare, IgnoresFormattingAndCatchesChanges) {
    const std::string expected =
        "<?xml version=\"1.0\"?>\n<svg width=\"10mm\" viewBox=\"0 0 10 5\">"
        "<path d=\"M 1 2 L 3.5 4\" stroke=\"#ff0000\"/><text x=\"1 2\">AB</text></svg>";
    struct Case {
        const char* name;
        std::string actual;
        bool equivalent;
    };
    const std::vector<Case> cases = {
        {"same", expected, true},
        {"other formatting",
         "<svg viewBox='0,0,10.0000,5' width='10.0mm'>\n  <!-- note -->\n"
         "  <path stroke=\"#ff0000\" d=\"M1,2L3.5000004,4\" />\n  <text x=\"1.0 2\">AB</text>\n"
         "</svg>\n",
         true},
        {"moved point",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2 L 3.6 4\" "
         "stroke=\"#ff0000\"/><text x=\"1 2\">AB</text></svg>",
         false},
        {"other colour",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2 L 3.5 4\" "
         "stroke=\"#ff0001\"/><text x=\"1 2\">AB</text></svg>",
         false},
        {"other text",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2 L 3.5 4\" "
         "stroke=\"#ff0000\"/><text x=\"1 2\">AC</text></svg>",
         false},
        {"extra attribute",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2 L 3.5 4\" "
         "stroke=\"#ff0000\" stroke-dasharray=\"1 1\"/><text x=\"1 2\">AB</text>"
         "</svg>",
         false},
        {"missing element",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2 L 3.5 4\" "
         "stroke=\"#ff0000\"/></svg>",
         false},
        {"path step lost",
         "<svg width=\"10mm\" viewBox=\"0 0 10 5\"><path d=\"M 1 2\" "
         "stroke=\"#ff0000\"/><text x=\"1 2\">AB</text></svg>",
         false},
        {"malformed", "<svg width=\"10mm\"><path d=\"M 1 2\"></svg>", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bool(SvgEquivalent(c.actual, expected)), c.equivalent) << c.name;
}

TEST(SvgCompare, MissingExpectedFileSaysHowToWriteIt) {
    if (std::getenv("KORVU_UPDATE_EXPECTED")) GTEST_SKIP() << "would write the file";
    const auto result = MatchesExpectedSvg("/nonexistent/actual.svg", "no_such_expected.svg");
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("KORVU_UPDATE_EXPECTED=1"), std::string::npos);
}

} // namespace
