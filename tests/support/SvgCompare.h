#pragma once
// Structural comparison of SVG files: elements, attributes and texts, numbers within a
// tolerance, so that number formatting, attribute order and white space do not matter.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

struct SvgElement {
    std::string name;
    int depth = 0;
    std::vector<std::pair<std::string, std::string>> attributes; // sorted by name
    std::string text;                                            // trimmed character data

    // Empty when there is no such attribute.
    std::string Attribute(const std::string& key) const;
};

// The elements in document order. Declarations, comments and processing instructions are
// skipped; entities are not decoded. Malformed input stops the parse and sets error.
std::vector<SvgElement> ParseSvg(const std::string& xml, std::string* error = nullptr);

// The numbers of an attribute value, e.g. of a path's data or a transform.
std::vector<double> SvgNumbers(const std::string& value);

::testing::AssertionResult SvgEquivalent(const std::string& actual, const std::string& expected,
                                         double tolerance = 1e-3);

// Compares the SVG file at actualPath with the expected file of that name. With
// KORVU_UPDATE_EXPECTED=1 in the environment it rewrites the expected file instead.
::testing::AssertionResult MatchesExpectedSvg(const std::string& actualPath,
                                              const std::string& expectedName,
                                              double tolerance = 1e-3);

// The same for any expected file under tests/<area> (e.g. "app/expected"): SVG files compare as
// above, other files byte for byte.
::testing::AssertionResult MatchesExpectedFile(const std::string& actualPath,
                                               const std::string& area,
                                               const std::string& expectedName,
                                               double tolerance = 1e-3);

std::string ReadFile(const std::string& path);
