#include "KorvuTestSupport.h"
#include "SvgCompare.h"

#include "ge/WqGeMatrix3d.h"
#include "render/RNxRenderer.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kPi = std::numbers::pi;

template <typename T> T& add(SMxDisplayList& list, T item) {
    return *static_cast<T*>(list.Append(std::make_unique<T>(std::move(item))));
}

SMxLineItem line(double x0, double y0, double x1, double y1, int32_t style = 0,
                 int32_t weight = 0) {
    SMxLineItem item({x0, y0, 0}, {x1, y1, 0});
    item.SetLineStyle(style);
    item.SetLineWeight(weight);
    return item;
}

SMxPolylineItem rectangle(double x0, double y0, double x1, double y1) {
    return SMxPolylineItem({{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}, true);
}

SMxArcItem arc(double cx, double cy, double r, double start, double end) {
    return SMxArcItem({cx, cy, 0}, WqGeVector3d::kZAxis, WqGeVector3d::kXAxis, r, start, end);
}

SMxTextItem text(const std::u16string& str, double x, double y, double h,
                 SMxTextAlign align = SMxTextAlign::BottomLeft,
                 const WqGeVector3d& dir = WqGeVector3d::kXAxis) {
    return SMxTextItem(str, {x, y, 0}, dir, h, align);
}

template <typename T> T colored(T item, const SMxColor& color) {
    item.SetColor(color);
    return item;
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDir = fs::temp_directory_path() /
               ("korvu_render_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    std::string Path(const std::string& name) const { return (mDir / name).string(); }

    fs::path mDir;
};

// A small drawing with every kind of item: a border and title block, an arc and a circle with
// centre lines, dashed and dotted lines, a polyline, fills, texts (two lines, rotated, GD&T
// symbols), a nested child placed by a rotation, and a second list placed by its layer.
struct FixtureSheet {
    RNxSheet sheet{u"Fixture sheet", 210.0, 148.0};
    SMxDisplayList main;
    SMxDisplayList frame;
    std::vector<RNxLayer> layers;

    FixtureSheet() {
        add(main, rectangle(10, 10, 200, 138)).SetLineWeight(50);
        add(main, line(130, 10, 130, 30, 0, 35));
        add(main, line(130, 30, 200, 30, 0, 35));
        add(main, text(u"KORVU FIXTURE", 133, 20, 5));
        add(main, colored(text(u"Scale 1:1\nSheet 1/1", 198, 12, 2.5, SMxTextAlign::BottomRight),
                          SMxColor::FromIndex(3)));
        add(main, colored(arc(35, 110, 12, 0, 1.5 * kPi), SMxColor::FromIndex(1)));
        add(main, arc(75, 110, 12, 0, 2 * kPi));
        const SMxColor centre = SMxColor::FromRgba(0, 128, 0);
        add(main, colored(line(59, 110, 91, 110, 2, 18), centre));
        add(main, colored(line(75, 94, 75, 126, 2, 18), centre));
        add(main, line(20, 85, 100, 85, 1));
        add(main, line(20, 80, 100, 80, 3));
        add(main,
            colored(SMxPolylineItem(
                        {{20, 62, 0}, {32, 72, 0}, {44, 62, 0}, {56, 72, 0}, {68, 62, 0}}, false),
                    SMxColor::FromIndex(2)));
        add(main,
            colored(SMxFillItem({{80, 62, 0}, {96, 62, 0}, {88, 74, 0}}), SMxColor::FromIndex(1)));
        add(main, colored(SMxFillItem({{92, 60, 0}, {110, 60, 0}, {110, 70, 0}, {92, 70, 0}}),
                          SMxColor::FromRgba(0, 0, 255, 96)));
        add(main, text(u"ROTATED", 190, 50, 3, SMxTextAlign::BottomLeft, WqGeVector3d::kYAxis));
        add(main, SMxPointItem({100, 100, 0}, 0)); // a hot point: not on paper

        // The child: rotated by 30 degrees and scaled by 1.5, holding a child of its own.
        SMxChildItem& child =
            add(main, SMxChildItem(WqGeMatrix3d::translation({150, 100, 0}) *
                                   WqGeMatrix3d::rotation(kPi / 6, WqGeVector3d::kZAxis) *
                                   WqGeMatrix3d::scaling(1.5)));
        add(child.list, rectangle(0, 0, 20, 10));
        add(child.list, arc(10, 5, 3, 0, 2 * kPi));
        add(child.list, text(u"CHILD", 10, -1, 3, SMxTextAlign::TopCenter));
        SMxChildItem& inner = add(child.list, SMxChildItem(WqGeMatrix3d::translation({0, 12, 0})));
        add(inner.list, line(0, 0, 20, 0, 1));

        // A feature control frame and the whole symbol table, placed by the layer.
        add(frame, rectangle(0, 0, 8, 8));
        add(frame, rectangle(8, 0, 40, 8));
        add(frame, rectangle(40, 0, 48, 8));
        add(frame, text(UCxStringUtil::GdtGlyphToUnicode(int32_t(UCxGdtSymbol::Position)), 4, 4, 5,
                        SMxTextAlign::MiddleCenter));
        add(frame, text(UCxStringUtil::GdtGlyphToUnicode(int32_t(UCxGdtSymbol::Diameter)) +
                            u"0.05" + UCxStringUtil::GdtGlyphToUnicode(int32_t(UCxGdtSymbol::Mmc)),
                        24, 4, 3.5, SMxTextAlign::MiddleCenter));
        add(frame, text(u"A", 44, 4, 3.5, SMxTextAlign::MiddleCenter));
        std::u16string symbols;
        for (int32_t s = int32_t(UCxGdtSymbol::Straightness); s <= int32_t(UCxGdtSymbol::PlusMinus);
             ++s)
            symbols += UCxStringUtil::GdtGlyphToUnicode(s);
        add(frame, text(symbols, 0, -12, 3.5));

        layers = {{&main, WqGeMatrix3d::kIdentity},
                  {&frame, WqGeMatrix3d::translation({20, 30, 0})}};
    }
};

TEST_F(RenderTest, FixtureSheetMatchesExpectedSvg) {
    const FixtureSheet fixture;
    const std::string path = Path("fixture_sheet.svg");
    ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, path).IsEmpty());
    EXPECT_TRUE(MatchesExpectedSvg(path, "fixture_sheet.svg"));
}

TEST_F(RenderTest, SameSheetGivesSameBytes) {
    const FixtureSheet fixture;
    for (const char* ext : {".svg", ".pdf", ".png"}) {
        SCOPED_TRACE(ext);
        ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, Path(std::string("a") + ext))
                        .IsEmpty());
        ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, Path(std::string("b") + ext))
                        .IsEmpty());
        const std::string a = ReadFile(Path(std::string("a") + ext));
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == ReadFile(Path(std::string("b") + ext)));
    }
}

uint32_t bigEndian32(const std::string& bytes, std::size_t at) {
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST_F(RenderTest, PngAndPdfHaveTheSheetSize) {
    const FixtureSheet fixture;
    struct Case {
        double dotsPerMm;
        uint32_t width, height;
    };
    for (const Case& c : {Case{4.0, 840, 592}, Case{2.5, 525, 370}}) {
        const std::string path = Path("sheet.png");
        ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, path, {c.dotsPerMm}).IsEmpty());
        const std::string png = ReadFile(path);
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(bigEndian32(png, 16), c.width);
        EXPECT_EQ(bigEndian32(png, 20), c.height);
    }

    const std::string path = Path("sheet.pdf");
    ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, path).IsEmpty());
    const std::string pdf = ReadFile(path);
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    const std::size_t box = pdf.find("/MediaBox");
    ASSERT_NE(box, std::string::npos);
    const std::vector<double> numbers =
        SvgNumbers(pdf.substr(box + 9, pdf.find(']', box) - box - 9));
    ASSERT_EQ(numbers.size(), 4u);
    EXPECT_NEAR(numbers[2], 210.0 * 72.0 / 25.4, 0.01);
    EXPECT_NEAR(numbers[3], 148.0 * 72.0 / 25.4, 0.01);
    EXPECT_EQ(pdf.find("/MediaBox", box + 1), std::string::npos) << "one page only";
    EXPECT_EQ(pdf.find("CreationDate"), std::string::npos);
}

// The elements drawn for a list on a 100 x 50 sheet, after the sheet's frame.
std::vector<SvgElement> drawn(const std::string& path, const SMxDisplayList& list,
                              const WqGeMatrix3d& placement = WqGeMatrix3d::kIdentity) {
    const UTxResult result = RNx::RenderSheet({u"rules", 100.0, 50.0}, {{&list, placement}}, path);
    EXPECT_TRUE(result.IsEmpty()) << result.GetMessageUtf8();
    std::vector<SvgElement> elements = ParseSvg(ReadFile(path));
    // svg, title, rect, g and the frame come first.
    EXPECT_GE(elements.size(), 5u);
    EXPECT_EQ(elements[4].name, "path");
    elements.erase(elements.begin(), elements.begin() + std::min<std::size_t>(5, elements.size()));
    return elements;
}

void expectNumbers(const std::string& value, const std::vector<double>& expected,
                   double tol = 1e-4) {
    const std::vector<double> actual = SvgNumbers(value);
    ASSERT_EQ(actual.size(), expected.size()) << value;
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tol) << value << " at " << i;
}

TEST_F(RenderTest, DrawingRules) {
    struct Case {
        const char* name;
        std::function<void(SMxDisplayList&)> build;
        WqGeMatrix3d placement;
        std::function<void(const std::vector<SvgElement>&)> check;
    };
    const WqGeMatrix3d identity = WqGeMatrix3d::kIdentity;
    const std::vector<Case> cases = {
        {"y runs up the sheet and down the picture", [](auto& l) { add(l, line(10, 20, 30, 5)); },
         identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             expectNumbers(e[0].Attribute("d"), {10, 30, 30, 45});
             EXPECT_EQ(e[0].Attribute("stroke"), "#000000");
             expectNumbers(e[0].Attribute("stroke-width"), {0.25});
             EXPECT_EQ(e[0].Attribute("stroke-dasharray"), "");
         }},
        {"layer and child placements compose",
         [](auto& l) {
             SMxChildItem& c = add(l, SMxChildItem(WqGeMatrix3d::translation({10, 0, 0})));
             add(c.list, line(0, 0, 1, 0));
         },
         WqGeMatrix3d::translation({5, 5, 0}) * WqGeMatrix3d::scaling(2.0),
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             expectNumbers(e[0].Attribute("d"), {25, 45, 27, 45});
         }},
        {"colours, weights and line styles",
         [](auto& l) {
             add(l, colored(line(0, 0, 1, 0, 1, 50), SMxColor::FromIndex(1)));
             add(l, colored(line(0, 0, 1, 0, 2), SMxColor::FromIndex(3)));
             add(l, colored(line(0, 0, 1, 0, 3), SMxColor::FromRgba(0x12, 0x34, 0x56, 0x80)));
             add(l, colored(line(0, 0, 1, 0, 99), SMxColor::FromIndex(999)));
         },
         identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 4u);
             EXPECT_EQ(e[0].Attribute("stroke"), "#ff0000");
             expectNumbers(e[0].Attribute("stroke-width"), {0.5});
             expectNumbers(e[0].Attribute("stroke-dasharray"), {6, 3}); // heavier pen, longer
             EXPECT_EQ(e[1].Attribute("stroke"), "#0000ff");
             expectNumbers(e[1].Attribute("stroke-dasharray"), {8, 1.5, 0.5, 1.5});
             EXPECT_EQ(e[2].Attribute("stroke"), "#123456");
             expectNumbers(e[2].Attribute("stroke-opacity"), {0.502}, 1e-3);
             expectNumbers(e[2].Attribute("stroke-dasharray"), {0, 1});
             EXPECT_EQ(e[3].Attribute("stroke"), "#000000"); // unknown index
             EXPECT_EQ(e[3].Attribute("stroke-dasharray"), "");
         }},
        {"arcs run counter-clockwise on the sheet",
         [](auto& l) { add(l, arc(50, 25, 10, 0, kPi / 2)); }, identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             const std::vector<double> d = SvgNumbers(e[0].Attribute("d"));
             ASSERT_EQ(d.size(), 8u); // one quarter: move and one curve
             EXPECT_NEAR(d[0], 60, 1e-4);
             EXPECT_NEAR(d[1], 25, 1e-4);
             EXPECT_NEAR(d[6], 50, 1e-4);
             EXPECT_NEAR(d[7], 15, 1e-4); // the top of the circle, above the centre
         }},
        {"text cells advance 0.6 of the height from the aligned box",
         [](auto& l) { add(l, text(u"A B", 10, 10, 5, SMxTextAlign::TopRight)); }, identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             EXPECT_EQ(e[0].name, "text");
             EXPECT_EQ(e[0].text, "A B");
             expectNumbers(e[0].Attribute("transform"), {1, 0, 0, 1, 10, 40});
             expectNumbers(e[0].Attribute("x"), {-9, -6, -3});
             expectNumbers(e[0].Attribute("y"), {5 - 1.25});
             EXPECT_EQ(e[0].Attribute("font-family"), "DejaVu Sans Mono");
             // DejaVu Sans Mono advances 1233/2048 of its size.
             expectNumbers(e[0].Attribute("font-size"), {3.0 * 2048 / 1233}, 1e-3);
         }},
        {"rotated text turns its frame",
         [](auto& l) {
             add(l, text(u"A", 10, 10, 5, SMxTextAlign::BottomLeft, {0, 1, 0}));
         },
         identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             expectNumbers(e[0].Attribute("transform"), {0, -1, 1, 0, 10, 40});
         }},
        {"GD&T symbols are drawn with strokes, letters inside them from the monospace font",
         [](auto& l) {
             add(l, text(u"\u2316", 0, 0, 5));       // position
             add(l, text(u"\u24C2", 0, 0, 5));       // MMC: a circle around a letter
             add(l, text(u"\u2225", 0, 0, 5));       // parallelism
             add(l, text(u"\u2300\u27C2", 0, 0, 5)); // diameter, perpendicularity
         },
         identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 6u);
             EXPECT_EQ(e[0].name, "path");
             EXPECT_EQ(e[1].name, "text");
             EXPECT_EQ(e[1].text, "M");
             EXPECT_EQ(e[1].Attribute("font-family"), "DejaVu Sans Mono");
             for (size_t i : {2u, 3u, 4u, 5u})
                 EXPECT_EQ(e[i].name, "path") << i;
         }},
        {"fills close; points and degenerate items draw nothing",
         [](auto& l) {
             add(l,
                 colored(SMxFillItem({{0, 0, 0}, {4, 0, 0}, {0, 3, 0}}), SMxColor::FromIndex(2)));
             add(l, SMxPointItem({5, 5, 0}, 0));
             add(l, SMxPolylineItem({{1, 1, 0}}, false));
             add(l, arc(5, 5, 0, 0, 1));
             add(l, text(u"X", 0, 0, 0));
             add(l, line(0, 0, std::nan(""), 0));
         },
         identity,
         [](const auto& e) {
             ASSERT_EQ(e.size(), 1u);
             EXPECT_EQ(e[0].Attribute("fill"), "#00a000");
             EXPECT_EQ(e[0].Attribute("d").back(), 'Z');
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SMxDisplayList list;
        c.build(list);
        c.check(drawn(Path("rules.svg"), list, c.placement));
    }
}

TEST_F(RenderTest, FailuresLeaveNoFile) {
    const FixtureSheet fixture;
    fs::create_directories(mDir / "taken.svg");
    struct Case {
        const char* name;
        RNxSheet sheet;
        std::string path;
        double dotsPerMm;
    };
    const RNxSheet empty{u"empty", 0.0, 100.0};
    const std::vector<Case> cases = {
        {"missing folder", fixture.sheet, Path("no/such/folder/sheet.svg"), 4.0},
        {"target is a folder", fixture.sheet, Path("taken.svg"), 4.0},
        {"empty sheet", empty, Path("empty.pdf"), 4.0},
        {"picture too large", fixture.sheet, Path("huge.png"), 1000.0},
        {"unknown format", fixture.sheet, Path("sheet.bmp"), 4.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UTxResult result = RNx::RenderSheet(c.sheet, fixture.layers, c.path, {c.dotsPerMm});
        ASSERT_TRUE(result.Failed());
        EXPECT_NE(result.GetMessageUtf8().find(c.path), std::string::npos)
            << result.GetMessageUtf8();
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(mDir))
            left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, std::vector<std::string>{"taken.svg"});
        EXPECT_TRUE(fs::is_directory(mDir / "taken.svg"));
    }
}

// A disk that fills up while a picture is written (cairo's PDF stream among them) fails the write
// and keeps the previous picture; nothing is left beside it.
TEST_F(RenderTest, AFullDiskKeepsThePreviousPicture) {
    const FixtureSheet fixture;
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const char* name : {"sheet.pdf", "sheet.svg", "sheet.png"}) {
        SCOPED_TRACE(name);
        const std::string path = Path(name);
        ASSERT_TRUE(RNx::RenderSheet(fixture.sheet, fixture.layers, path).IsEmpty());
        const std::string before = bytes(path);
        ASSERT_GT(before.size(), 1024u);
        UTxResult r;
        {
            KorvuFileSizeLimit full(1024);
            r = RNx::RenderSheet(fixture.sheet, fixture.layers, path);
        }
        ASSERT_TRUE(r.Failed());
        EXPECT_NE(r.GetMessageUtf8().find(path), std::string::npos) << r.GetMessageUtf8();
        EXPECT_EQ(bytes(path), before);
        EXPECT_EQ(KorvuFolderNames(mDir.string()).back(), name);
        fs::remove(path);
        EXPECT_TRUE(fs::is_empty(mDir));
    }
}

} // namespace
