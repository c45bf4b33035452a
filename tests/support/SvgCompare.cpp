#include "SvgCompare.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <variant>

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b]))
        ++b;
    while (e > b && isSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool startsNumber(const std::string& s, std::size_t i) {
    const auto digit = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
    if (digit(i)) return true;
    if (i < s.size() && s[i] == '.') return digit(i + 1);
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        return digit(i + 1) || (i + 1 < s.size() && s[i + 1] == '.' && digit(i + 2));
    return false;
}

using Token = std::variant<double, std::string>;

// Numbers, and runs of anything else between blanks and commas; a colour such as #00a000 stays
// one word.
std::vector<Token> tokens(const std::string& value) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < value.size()) {
        if (isSpace(value[i]) || value[i] == ',') {
            ++i;
        } else if (value[i] != '#' && startsNumber(value, i)) {
            char* end = nullptr;
            out.emplace_back(std::strtod(value.c_str() + i, &end));
            i = static_cast<std::size_t>(end - value.c_str());
        } else {
            std::string word;
            const bool colour = value[i] == '#';
            while (i < value.size() && !isSpace(value[i]) && value[i] != ',' &&
                   (colour || word.empty() || !startsNumber(value, i)))
                word += value[i++];
            out.emplace_back(word);
        }
    }
    return out;
}

std::string describe(const SvgElement& e, std::size_t index) {
    return "element " + std::to_string(index) + " <" + e.name + ">";
}

// Empty when the values match.
std::string compareValues(const std::string& actual, const std::string& expected,
                          double tolerance) {
    const std::vector<Token> a = tokens(actual), b = tokens(expected);
    if (a.size() != b.size())
        return "has " + std::to_string(a.size()) + " tokens, expected " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].index() != b[i].index()) return "differs in token " + std::to_string(i);
        if (const double* x = std::get_if<double>(&a[i])) {
            const double y = std::get<double>(b[i]);
            if (!(std::abs(*x - y) <= tolerance * std::max(1.0, std::abs(y))))
                return "token " + std::to_string(i) + " is " + std::to_string(*x) + ", expected " +
                       std::to_string(y);
        } else if (std::get<std::string>(a[i]) != std::get<std::string>(b[i])) {
            return "token " + std::to_string(i) + " is '" + std::get<std::string>(a[i]) +
                   "', expected '" + std::get<std::string>(b[i]) + "'";
        }
    }
    return {};
}

std::string expectedDir(const std::string& area) {
    if (const char* data = std::getenv("KORVU_TEST_DATA")) return std::string(data) + "/" + area;
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / area).string();
}

} // namespace

std::string SvgElement::Attribute(const std::string& key) const {
    for (const auto& [attr, value] : attributes)
        if (attr == key) return value;
    return {};
}

std::vector<SvgElement> ParseSvg(const std::string& xml, std::string* error) {
    std::vector<SvgElement> elements;
    std::vector<std::size_t> open; // indexes of the elements not yet closed
    const auto fail = [&](const std::string& why, std::size_t at) {
        if (error) *error = why + " at offset " + std::to_string(at);
        return elements;
    };
    std::size_t i = 0;
    while (i < xml.size()) {
        if (xml[i] != '<') {
            const std::size_t next = xml.find('<', i);
            const std::string text = trim(xml.substr(i, next - i));
            if (!text.empty() && !open.empty()) elements[open.back()].text += text;
            if (next == std::string::npos) break;
            i = next;
            continue;
        }
        if (xml.compare(i, 4, "<!--") == 0) {
            const std::size_t end = xml.find("-->", i);
            if (end == std::string::npos) return fail("unterminated comment", i);
            i = end + 3;
            continue;
        }
        if (xml.compare(i, 2, "<?") == 0 || xml.compare(i, 2, "<!") == 0) {
            const std::size_t end = xml.find('>', i);
            if (end == std::string::npos) return fail("unterminated declaration", i);
            i = end + 1;
            continue;
        }
        if (xml.compare(i, 2, "</") == 0) {
            const std::size_t end = xml.find('>', i);
            if (end == std::string::npos) return fail("unterminated end tag", i);
            const std::string name = trim(xml.substr(i + 2, end - i - 2));
            if (open.empty() || elements[open.back()].name != name)
                return fail("unexpected </" + name + ">", i);
            open.pop_back();
            i = end + 1;
            continue;
        }
        SvgElement element;
        element.depth = static_cast<int>(open.size());
        std::size_t k = i + 1;
        while (k < xml.size() && !isSpace(xml[k]) && xml[k] != '>' && xml[k] != '/')
            element.name += xml[k++];
        bool selfClosing = false;
        for (;;) {
            while (k < xml.size() && isSpace(xml[k]))
                ++k;
            if (k >= xml.size()) return fail("unterminated tag", i);
            if (xml[k] == '>') break;
            if (xml.compare(k, 2, "/>") == 0) {
                selfClosing = true;
                ++k;
                break;
            }
            const std::size_t eq = xml.find('=', k);
            if (eq == std::string::npos || eq + 1 >= xml.size() ||
                (xml[eq + 1] != '"' && xml[eq + 1] != '\''))
                return fail("malformed attribute", k);
            const std::size_t close = xml.find(xml[eq + 1], eq + 2);
            if (close == std::string::npos) return fail("unterminated attribute", k);
            element.attributes.emplace_back(trim(xml.substr(k, eq - k)),
                                            xml.substr(eq + 2, close - eq - 2));
            k = close + 1;
        }
        std::sort(element.attributes.begin(), element.attributes.end());
        elements.push_back(std::move(element));
        if (!selfClosing) open.push_back(elements.size() - 1);
        i = k + 1;
    }
    if (!open.empty()) return fail("unclosed <" + elements[open.back()].name + ">", xml.size());
    return elements;
}

std::vector<double> SvgNumbers(const std::string& value) {
    std::vector<double> out;
    for (const Token& t : tokens(value))
        if (const double* x = std::get_if<double>(&t)) out.push_back(*x);
    return out;
}

::testing::AssertionResult SvgEquivalent(const std::string& actual, const std::string& expected,
                                         double tolerance) {
    std::string error;
    const std::vector<SvgElement> a = ParseSvg(actual, &error);
    if (!error.empty()) return ::testing::AssertionFailure() << "actual SVG: " << error;
    const std::vector<SvgElement> b = ParseSvg(expected, &error);
    if (!error.empty()) return ::testing::AssertionFailure() << "expected SVG: " << error;

    std::vector<std::string> differences;
    const auto differ = [&](std::string what) { differences.push_back(std::move(what)); };
    for (std::size_t i = 0; i < std::min(a.size(), b.size()) && differences.size() < 8; ++i) {
        const SvgElement &x = a[i], &y = b[i];
        if (x.name != y.name || x.depth != y.depth) {
            differ(describe(x, i) + " at depth " + std::to_string(x.depth) + ", expected <" +
                   y.name + "> at depth " + std::to_string(y.depth));
            break; // everything after is out of step
        }
        if (x.text != y.text)
            differ(describe(x, i) + " text '" + x.text + "', expected '" + y.text + "'");
        for (const auto& [key, value] : y.attributes) {
            if (x.Attribute(key).empty() && !value.empty()) {
                differ(describe(x, i) + " lacks " + key);
            } else if (const std::string why = compareValues(x.Attribute(key), value, tolerance);
                       !why.empty()) {
                differ(describe(x, i) + " " + key + " " + why);
            }
        }
        for (const auto& [key, value] : x.attributes)
            if (y.Attribute(key).empty() && !value.empty())
                differ(describe(x, i) + " has unexpected " + key + "=\"" + value + "\"");
    }
    if (differences.empty() && a.size() != b.size())
        differ(std::to_string(a.size()) + " elements, expected " + std::to_string(b.size()));
    if (differences.empty()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    for (const std::string& d : differences)
        failure << "\n  " << d;
    return failure;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

::testing::AssertionResult MatchesExpectedSvg(const std::string& actualPath,
                                              const std::string& expectedName, double tolerance) {
    return MatchesExpectedFile(actualPath, "host/render/expected", expectedName, tolerance);
}

::testing::AssertionResult MatchesExpectedFile(const std::string& actualPath,
                                               const std::string& area,
                                               const std::string& expectedName, double tolerance) {
    const std::string expectedPath = expectedDir(area) + "/" + expectedName;
    const std::string actual = ReadFile(actualPath);
    if (const char* update = std::getenv("KORVU_UPDATE_EXPECTED");
        update && std::string(update) == "1") {
        std::filesystem::create_directories(expectedDir(area));
        std::ofstream(expectedPath, std::ios::binary) << actual;
        std::cout << "[ updated  ] " << expectedPath << " (review it before committing)\n";
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(expectedPath))
        return ::testing::AssertionFailure()
               << "the expected file " << expectedPath
               << " is missing; run the test with KORVU_UPDATE_EXPECTED=1 to write it from "
                  "this run, then review it";
    const bool svg =
        expectedName.size() > 4 && expectedName.substr(expectedName.size() - 4) == ".svg";
    if (!svg) {
        if (actual == ReadFile(expectedPath)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << actualPath << " differs from " << expectedPath
               << " (KORVU_UPDATE_EXPECTED=1 rewrites the expected file)";
    }
    if (auto result = SvgEquivalent(actual, ReadFile(expectedPath), tolerance); !result)
        return result << "\n  (" << actualPath << " against " << expectedPath
                      << "; KORVU_UPDATE_EXPECTED=1 rewrites the expected file)";
    return ::testing::AssertionSuccess();
}
