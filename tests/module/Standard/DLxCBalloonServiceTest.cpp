// Balloon shape services: radii, the outlines and texts of the eight shapes with their stretch
// rule, the recorded sizes and boundaries, attach points, rows shown, the shapes' names and
// pictures, and the registry that holds the services. Every expected value is worked out by
// hand from the text metrics: a character is 0.6 of the font height wide, a line one height.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "KorvuPartListModuleTest.h"
#include "Standard/DLxCBalloon.h"
#include "Standard/DLxCBalloonService.h"
#include "Symbol/DLxTableCalloutServiceHelper.h"
#include "TstTableCallout.h"
#include "WinResourceTable.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/BBox.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTol = 1e-6;

DUxStyleFormatColumnPropertyID Prop(const char16_t* id) {
    DUxStyleFormatColumnPropertyID p;
    p.SetPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet());
    p.SetPropertyID(id);
    return p;
}
// The item column shows the balloon's override text; the part number column a mapped one.
const DUxStyleFormatColumnPropertyID kItem = Prop(u"1");
const DUxStyleFormatColumnPropertyID kPartNumber = Prop(u"6");

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

// What one drawing of an entry made, by kind.
struct Drawn {
    std::vector<const DUxCAuxText*> texts;
    std::vector<const DUxCAuxCircle*> circles;
    std::vector<const DUxCAuxArc*> arcs;
    std::vector<const DUxCAuxPolyLine*> lines;
};
Drawn Sort(const DUxCAuxEntArray& a) {
    Drawn d;
    for (int32_t i = 0; i < a.GetSize(); ++i) {
        const DUxCAuxEnt* e = a.GetAt(i);
        if (auto* t = dynamic_cast<const DUxCAuxText*>(e)) d.texts.push_back(t);
        if (auto* c = dynamic_cast<const DUxCAuxCircle*>(e)) d.circles.push_back(c);
        if (auto* r = dynamic_cast<const DUxCAuxArc*>(e)) d.arcs.push_back(r);
        if (auto* l = dynamic_cast<const DUxCAuxPolyLine*>(e)) d.lines.push_back(l);
    }
    return d;
}

void ExpectPoint(const WqGePoint3d& p, double x, double y, const char* what) {
    EXPECT_NEAR(p.x, x, kTol) << what;
    EXPECT_NEAR(p.y, y, kTol) << what;
    EXPECT_NEAR(p.z, 0.0, kTol) << what;
}

// A drawing with one sheet and a balloon state whose style shows the item number and the part
// number; its primary entry is a balloon whose texts each test sets. Font size 2.5.
class BalloonShapeTest : public ::testing::Test {
protected:
    BalloonShapeTest() : sheet(doc.CreateSheet(u"S", 420, 297)) {
        state = TstCalloutState::Create(sheet, true);
        state->style.items = {Column(kItem), Column(kPartNumber)};
        entry = DLxCBalloon::New(sheet->GetSegment(), {}, 0);
        state->SetBalloon(RSeRef<DLxCTableCallout>(entry));
    }
    DUxTableStylePartsListColumn* Column(const DUxStyleFormatColumnPropertyID& p) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(sheet->GetSegment());
        *c->GetPropertyID() = p;
        return c;
    }
    void SetTexts(const char16_t* item, const char16_t* second = u"") {
        entry->AddMappedOverride(&kItem, item);
        entry->AddMappedOverride(&kPartNumber, second);
    }
    DLxCBalloonService* Service(int32_t id) {
        DLxCBalloonService* s = DLxTableCalloutServiceHelper::Get().Find(uint32_t(id));
        if (s) s->SetOwnerState(RSeRef<DLxTableCalloutSymState>(state));
        return s;
    }
    RSeRef<DLxCTableCallout> Ref() const { return RSeRef<DLxCTableCallout>(entry); }
    // Builds the entry with the service of the style's type.
    void Build(DUxCAuxEntArray& out) {
        DLxCBalloonService* s = Service(state->style.type);
        ASSERT_NE(s, nullptr);
        s->BuildShape(Ref(), out);
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet;
    TstCalloutState* state = nullptr;
    DLxCBalloon* entry = nullptr;
};

TEST_F(BalloonShapeTest, RadiusFollowsSizeFontScaleLineCountAndEnlargement) {
    const struct {
        const char* name;
        int32_t type;
        bool scaleToText;
        bool enlarge;
        const char16_t *item, *second;
        double radius;
    } cases[] = {
        {"style size, halved", 2, false, false, u"12", u"", 5.0},
        {"circle: 1.5 x font", 2, true, false, u"12", u"", 3.75},
        {"two lines double it", 2, true, false, u"1\n2", u"", 7.5},
        {"borderless counts no lines", 5, true, false, u"1\n2", u"", 3.75},
        {"split circle: 2 x font", 3, true, false, u"1", u"2", 5.0},
        // Enlarged: the text's box plus 0.3, the larger side; "12" is 3.0 by 2.5.
        {"enlarged circle", 2, true, true, u"12", u"", 3.3},
        {"enlarged split circle takes the wider row", 3, true, true, u"12", u"123456", 9.3},
        {"enlarged linear form keeps 1.5 x font", 4, true, true, u"12", u"", 3.75},
        {"sketched symbol", 7, true, false, u"12", u"", 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = c.type;
        state->style.scaleToTextHeight = c.scaleToText;
        state->SetEnlargeBalloonSizeByText(c.enlarge);
        SetTexts(c.item, c.second);
        EXPECT_NEAR(Service(c.type)->GetRadius(Ref()), c.radius, kTol);
    }
    // Without the entry only the scale counts.
    state->SetEnlargeBalloonSizeByText(false);
    state->style.scaleToTextHeight = true;
    SetTexts(u"1\n2");
    EXPECT_NEAR(Service(2)->ComputeRadius({}, true), 3.75, kTol);
}

TEST_F(BalloonShapeTest, MarginRatioIsZeroForEnlargedBalloons) {
    const struct {
        int32_t type;
        double ratio;
    } cases[] = {{2, 0.2}, {3, 0.2}, {4, 0.4}, {5, 0.5}, {6, 1.0 / 3}, {8, 1.0 / 3}, {9, 1.0 / 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        state->SetEnlargeBalloonSizeByText(false);
        EXPECT_NEAR(Service(c.type)->GetMarginRatio(), c.ratio, 1e-12);
        state->SetEnlargeBalloonSizeByText(true);
        EXPECT_EQ(Service(c.type)->GetMarginRatio(), 0.0);
    }
}

// R = 3.75 and margin 0.75. "123456" is 9 wide: its corner (-5.25, -1.25) lies outside the
// circle, so a stretched circle grows by m = 5.25 - sqrt(3.75^2 - 1.25^2) = 1.7144661.
TEST_F(BalloonShapeTest, CircleIsFullWhenTheTextFitsElseTwoHalvesJoinedByLines) {
    const double m = 5.25 - std::sqrt(3.75 * 3.75 - 1.25 * 1.25);
    const struct {
        const char* name;
        const char16_t* text;
        bool stretch;
        DLxBomStdInfo::EDirection direction;
        double stretchBy; // 0: a full circle
    } cases[] = {
        {"fits", u"12", true, DLxBomStdInfo::kRight, 0},
        {"too wide, stretching off", u"123456", false, DLxBomStdInfo::kRight, 0},
        {"too wide, grows right", u"123456", true, DLxBomStdInfo::kRight, m},
        {"too wide, grows left", u"123456", true, DLxBomStdInfo::kLeft, -m},
        {"too wide, upwards on the left side", u"123456", true, DLxBomStdInfo::kUp, -m},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = 2;
        state->style.stretch = c.stretch;
        entry->setDirection(c.direction);
        SetTexts(c.text);
        DUxCAuxEntArray out;
        Build(out);
        const Drawn d = Sort(out);
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0]->text, c.text);
        EXPECT_EQ(d.texts[0]->attachment, 5);
        EXPECT_EQ(d.texts[0]->height, 2.5);
        ExpectPoint(d.texts[0]->position, c.stretchBy, 0, "text");
        EXPECT_NEAR(entry->GetBalloonHeight(), 7.5, kTol);
        EXPECT_NEAR(entry->GetBalloonWidth(), 7.5 + 2 * std::abs(c.stretchBy), kTol);
        const std::vector<WqGePoint3d>& boundary = entry->GetBoundary();
        if (c.stretchBy == 0) {
            ASSERT_EQ(d.circles.size(), 1u);
            EXPECT_EQ(d.circles[0]->radius, 3.75);
            EXPECT_TRUE(d.arcs.empty());
            EXPECT_TRUE(d.lines.empty());
            ASSERT_EQ(boundary.size(), 37u); // every 10 degrees and the closing point
            ExpectPoint(boundary[9], 0, 3.75, "boundary at 90 degrees");
            continue;
        }
        const double far = 2 * c.stretchBy, sign = c.stretchBy > 0 ? 1 : -1;
        EXPECT_TRUE(d.circles.empty());
        ASSERT_EQ(d.arcs.size(), 2u);
        ExpectPoint(d.arcs[0]->centre, 0, 0, "first half");
        ExpectPoint(d.arcs[1]->centre, far, 0, "second half");
        for (const DUxCAuxArc* a : d.arcs) {
            EXPECT_NEAR(a->sweep, kPi, 1e-12);
            EXPECT_NEAR(a->radius, 3.75, kTol);
        }
        // The first half starts on the side the shape does not grow to.
        EXPECT_NEAR(d.arcs[0]->startVector.y, sign, kTol);
        EXPECT_NEAR(d.arcs[1]->startVector.y, -sign, kTol);
        ASSERT_EQ(d.lines.size(), 2u);
        ExpectPoint(d.lines[0]->points[0], 0, 3.75, "top line");
        ExpectPoint(d.lines[0]->points[1], far, 3.75, "top line");
        ExpectPoint(d.lines[1]->points[1], far, -3.75, "bottom line");
        // Two half circles of 19 points each, the far one's extreme on the growing side.
        ASSERT_EQ(boundary.size(), 38u);
        ExpectPoint(boundary[0], 0, sign * 3.75, "boundary start");
        ExpectPoint(boundary[9], -sign * 3.75, 0, "near extreme");
        ExpectPoint(boundary[19 + 9], far + sign * 3.75, 0, "far extreme");
    }
}

// R = 5, margin 1. Row 0 "1" fits; row 1 "123456" at (0, -2.5) reaches (-5.5, -3.75): the
// circle grows by s = 5.5 - sqrt(25 - 3.75^2) = 2.1928109.
TEST_F(BalloonShapeTest, SplitCircleStretchesByItsLongRowAndKeepsItsDividerInside) {
    const double s = 5.5 - std::sqrt(25 - 3.75 * 3.75);
    const struct {
        const char* name;
        const char16_t *top, *bottom;
        DLxBomStdInfo::EDirection direction;
        double stretchBy;
    } cases[] = {
        {"both fit", u"1", u"2", DLxBomStdInfo::kRight, 0},
        {"long lower row, grows right", u"1", u"123456", DLxBomStdInfo::kRight, s},
        {"long upper row, grows left", u"123456", u"1", DLxBomStdInfo::kLeft, -s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = 3;
        state->style.stretch = true;
        entry->setDirection(c.direction);
        SetTexts(c.top, c.bottom);
        DUxCAuxEntArray out;
        Build(out);
        const Drawn d = Sort(out);
        const double sign = (c.direction & 4) ? 1 : -1;
        ASSERT_EQ(d.texts.size(), 2u);
        EXPECT_EQ(d.texts[0]->text, c.top);
        ExpectPoint(d.texts[0]->position, c.stretchBy, 2.5, "upper row");
        ExpectPoint(d.texts[1]->position, c.stretchBy, -2.5, "lower row");
        ASSERT_EQ(d.arcs.size(), 2u);
        ExpectPoint(d.arcs[1]->centre, 2 * c.stretchBy, 0, "second half");
        // Divider last among the lines; joining lines only when stretched.
        ASSERT_EQ(d.lines.size(), c.stretchBy == 0 ? 1u : 3u);
        const DUxCAuxPolyLine* divider = d.lines.back();
        ExpectPoint(divider->points[0], -sign * 4.5, 0, "divider start, 0.1R inside");
        ExpectPoint(divider->points[1], sign * 4.5 + 2 * c.stretchBy, 0, "divider end");
        EXPECT_NEAR(entry->GetBalloonWidth(), 10 + 2 * std::abs(c.stretchBy), kTol);
        EXPECT_NEAR(entry->GetBalloonHeight(), 10, kTol);
        EXPECT_EQ(entry->GetBoundary().size(), 38u);
    }
}

// R = 3.75, margin 1.25: "123456" reaches 5.75 from the centre, a stretch of 2; "12" none.
TEST_F(BalloonShapeTest, PolygonsPlaceTheirVerticesAndMoveTheTextByTheStretch) {
    const double h = 3.75 * std::sqrt(3.0) / 2, c30 = 3.75 * std::sqrt(3.0) / 2;
    using Points = std::vector<WqGePoint3d>;
    const Points hexagon = {{3.75, 0, 0},  {1.875, h, 0},   {-1.875, h, 0},
                            {-3.75, 0, 0}, {-1.875, -h, 0}, {1.875, -h, 0}};
    const Points hexagonRight = {{7.75, 0, 0},  {5.875, h, 0},   {-1.875, h, 0},
                                 {-3.75, 0, 0}, {-1.875, -h, 0}, {5.875, -h, 0}};
    const Points hexagonLeft = {{-7.75, 0, 0}, {-5.875, h, 0}, {1.875, h, 0},
                                {3.75, 0, 0},  {1.875, -h, 0}, {-5.875, -h, 0}};
    // Centred at (0, -R/4) with its apex at (0, 3R/4); it never stretches but moves with its
    // text, which would otherwise stand out of it.
    const Points triangle = {{0, 2.8125, 0}, {-c30, -2.8125, 0}, {c30, -2.8125, 0}};
    const Points triangleMoved = {{2, 2.8125, 0}, {2 - c30, -2.8125, 0}, {2 + c30, -2.8125, 0}};
    // The text's box plus 0.3 ("12" is 3.0 by 2.5, "123456" 9.0), around the text.
    const Points square = {{-1.65, 1.4, 0}, {1.65, 1.4, 0}, {1.65, -1.4, 0}, {-1.65, -1.4, 0}};
    const Points squareRight = {{-2.65, 1.4, 0}, {6.65, 1.4, 0}, {6.65, -1.4, 0}, {-2.65, -1.4, 0}};
    const Points squareLeft = {{-6.65, 1.4, 0}, {2.65, 1.4, 0}, {2.65, -1.4, 0}, {-6.65, -1.4, 0}};
    const struct {
        const char* name;
        int32_t type;
        const char16_t* text;
        DLxBomStdInfo::EDirection direction;
        double textX, textY, width;
        const Points* vertices;
    } cases[] = {
        {"regular hexagon", 6, u"12", DLxBomStdInfo::kRight, 0, 0, 7.5, &hexagon},
        {"hexagon grows right", 6, u"123456", DLxBomStdInfo::kRight, 2, 0, 11.5, &hexagonRight},
        {"hexagon grows left", 6, u"123456", DLxBomStdInfo::kLeft, -2, 0, 11.5, &hexagonLeft},
        {"triangle", 8, u"12", DLxBomStdInfo::kRight, 0, -0.9375, 7.5, &triangle},
        {"triangle moves with its text", 8, u"123456", DLxBomStdInfo::kRight, 2, -0.9375, 11.5,
         &triangleMoved},
        {"square", 9, u"12", DLxBomStdInfo::kRight, 0, 0, 7.5, &square},
        {"square around its moved text", 9, u"123456", DLxBomStdInfo::kRight, 2, 0, 11.5,
         &squareRight},
        {"square growing left", 9, u"123456", DLxBomStdInfo::kLeft, -2, 0, 11.5, &squareLeft},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = c.type;
        state->style.stretch = true;
        entry->setDirection(c.direction);
        SetTexts(c.text);
        DUxCAuxEntArray out;
        Build(out);
        const Drawn d = Sort(out);
        ASSERT_EQ(d.lines.size(), 1u);
        EXPECT_TRUE(d.lines[0]->closed);
        ASSERT_EQ(d.lines[0]->points.size(), c.vertices->size());
        ASSERT_EQ(entry->GetBoundary().size(), c.vertices->size());
        for (size_t i = 0; i < c.vertices->size(); ++i) {
            SCOPED_TRACE(i);
            ExpectPoint(d.lines[0]->points[i], (*c.vertices)[i].x, (*c.vertices)[i].y, "vertex");
            ExpectPoint(entry->GetBoundary()[i], (*c.vertices)[i].x, (*c.vertices)[i].y,
                        "boundary");
        }
        ASSERT_EQ(d.texts.size(), 1u);
        ExpectPoint(d.texts[0]->position, c.textX, c.textY, "text");
        EXPECT_NEAR(entry->GetBalloonWidth(), c.width, kTol);
        EXPECT_NEAR(entry->GetBalloonHeight(), std::sqrt(3.0) * 3.75, kTol);
    }
}

TEST_F(BalloonShapeTest, PolygonStartAnglesAndFirstVertices) {
    const struct {
        int32_t type;
        int16_t sides;
        double angle;
        WqGePoint3d first;
    } cases[] = {
        {6, 6, 0, {2, 0, 0}},
        {8, 3, -kPi / 6, {std::sqrt(3.0), -1, 0}},
        {9, 4, -kPi / 4, {2, 2, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        auto* s = dynamic_cast<DLxCNAngleBalloonService*>(Service(c.type));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->GetSides(), c.sides);
        EXPECT_NEAR(s->GetStartAngle(), c.angle, 1e-15);
        ExpectPoint(s->GetFirstVertex(2.0), c.first.x, c.first.y, "first vertex");
    }
}

// h = 3.75, W = H = 7.5, margin 1.5; "12" sits at (W/2, h/2). A plain table callout (no
// balloon flag) going down hangs below its origin.
TEST_F(BalloonShapeTest, LinearFormUnderlinesItsTextByDirectionAndStackPosition) {
    const struct {
        const char* name;
        bool balloonState;
        int32_t index;
        DLxBomStdInfo::EDirection direction;
        const char16_t* text;
        bool stretch;
        WqGePoint3d textAt;
        std::vector<std::vector<WqGePoint3d>> lines;
        double width;
    } cases[] = {
        {"primary to the right",
         true,
         0,
         DLxBomStdInfo::kRight,
         u"12",
         true,
         {3.75, 1.875, 0},
         {{{0, 0, 0}, {7.5, 0, 0}}},
         7.5},
        {"wide text stretches",
         true,
         0,
         DLxBomStdInfo::kRight,
         u"123456",
         true,
         {6, 1.875, 0},
         {{{0, 0, 0}, {12, 0, 0}}},
         12},
        {"wide text, stretching off",
         true,
         0,
         DLxBomStdInfo::kRight,
         u"123456",
         false,
         {3.75, 1.875, 0},
         {{{0, 0, 0}, {7.5, 0, 0}}},
         7.5},
        {"second of a stack starts with a notch",
         true,
         1,
         DLxBomStdInfo::kRight,
         u"12",
         true,
         {3.75, 1.875, 0},
         {{{0, 0, 0}, {0.75, -0.75, 0}, {1.5, 0, 0}, {7.5, 0, 0}}},
         7.5},
        {"primary to the left is mirrored",
         true,
         0,
         DLxBomStdInfo::kLeft,
         u"12",
         true,
         {-3.75, 1.875, 0},
         {{{0, 0, 0}, {-7.5, 0, 0}}},
         7.5},
        {"plain callout downwards",
         false,
         0,
         DLxBomStdInfo::kDown,
         u"12",
         true,
         {-3.75, -5.625, 0},
         {{{0, -7.5, 0}, {0, 0, 0}}, {{0, -7.5, 0}, {-7.5, -7.5, 0}}},
         7.5},
        {"attached balloon downwards",
         true,
         1,
         DLxBomStdInfo::kDownRight,
         u"12",
         true,
         {3.75, 1.875, 0},
         {{{0, 0, 0}, {0, 7.5, 0}}, {{0, 0, 0}, {7.5, 0, 0}}},
         7.5},
        {"last balloon upwards has no upright",
         true,
         0,
         DLxBomStdInfo::kUpRight,
         u"12",
         true,
         {3.75, 1.875, 0},
         {{{0, 0, 0}, {7.5, 0, 0}}},
         7.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->style.type = 4;
        state->style.stretch = c.stretch;
        if (c.balloonState)
            state->SetFlag(DLxTableCalloutSymState::kBalloonStateFlag);
        else
            state->ClearFlag(DLxTableCalloutSymState::kBalloonStateFlag);
        entry->SetIndex(c.index);
        entry->setDirection(c.direction);
        SetTexts(c.text);
        DUxCAuxEntArray out;
        Build(out);
        const Drawn d = Sort(out);
        ASSERT_EQ(d.texts.size(), 1u);
        EXPECT_EQ(d.texts[0]->attachment, 8);
        EXPECT_EQ(d.texts[0]->direction, WqGeVector3d::kXAxis); // still reads left to right
        ExpectPoint(d.texts[0]->position, c.textAt.x, c.textAt.y, "text");
        ASSERT_EQ(d.lines.size(), c.lines.size());
        for (size_t i = 0; i < c.lines.size(); ++i) {
            ASSERT_EQ(d.lines[i]->points.size(), c.lines[i].size()) << i;
            for (size_t k = 0; k < c.lines[i].size(); ++k)
                ExpectPoint(d.lines[i]->points[k], c.lines[i][k].x, c.lines[i][k].y, "line");
        }
        EXPECT_NEAR(entry->GetBalloonWidth(), c.width, kTol);
        EXPECT_NEAR(entry->GetBalloonHeight(), 7.5, kTol);
        // The box of what was drawn, widened by 0.05h up and down.
        BBox box = out.GetExtents();
        const std::vector<WqGePoint3d>& b = entry->GetBoundary();
        ASSERT_EQ(b.size(), 4u);
        ExpectPoint(b[0], box.min.x + 0.00001, box.min.y - 0.1875, "boundary");
        ExpectPoint(b[2], box.max.x - 0.00001, box.max.y + 0.1875, "boundary");
    }
}

// R = 3.75, margin 1.875. "12\nABC" is 4.5 by 5 about the origin.
TEST_F(BalloonShapeTest, BorderlessFormShowsEveryColumnAndIsAtLeastTheCircle) {
    state->style.type = 5;
    SetTexts(u"12", u"ABC");
    DUxCAuxEntArray out;
    Build(out);
    Drawn d = Sort(out);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0]->text, u"12\nABC");
    EXPECT_EQ(d.texts[0]->attachment, 10);
    EXPECT_TRUE(d.lines.empty() && d.circles.empty() && d.arcs.empty());
    const std::vector<WqGePoint3d> expected = {
        {-4.125, -4.375, 0}, {4.125, -4.375, 0}, {4.125, 4.375, 0}, {-4.125, 4.375, 0}};
    ASSERT_EQ(entry->GetBoundary().size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        ExpectPoint(entry->GetBoundary()[i], expected[i].x, expected[i].y, "boundary");
    EXPECT_NEAR(entry->GetBalloonWidth(), 8.25, kTol);
    EXPECT_NEAR(entry->GetBalloonHeight(), 8.75, kTol);

    // A plain callout exchanges the corners: its size stays the circle's.
    state->ClearFlag(DLxTableCalloutSymState::kBalloonStateFlag);
    out.Clear();
    Build(out);
    ExpectPoint(entry->GetBoundary()[0], 4.125, 4.375, "exchanged corner");
    EXPECT_NEAR(entry->GetBalloonWidth(), 7.5, kTol);
    EXPECT_NEAR(entry->GetBalloonHeight(), 7.5, kTol);
}

TEST_F(BalloonShapeTest, SketchedSymbolShowsItsColumnsOnlyWithItsSketch) {
    state->style.type = 7;
    SetTexts(u"12", u"ABC");
    entry->SetBalloonSize(4, 5);
    DUxCAuxEntArray out;
    Build(out);
    EXPECT_EQ(out.GetSize(), 0);
    EXPECT_TRUE(entry->GetBoundary().empty());
    // Its size comes from the sketch's drawing, not from here.
    EXPECT_EQ(entry->GetBalloonWidth(), 4);

    // With a sketch the texts are the borderless form's, its outline is the sketch's own and
    // its size the sketch's as drawn: a 12 x 6 rectangle and a circle of radius 4 reaching below.
    DLxSketch* definition = DLxSketch::Create(&doc, u"Flag");
    ASSERT_NE(definition, nullptr);
    const WqGePoint3d corners[] = {{0, 0, 0}, {12, 0, 0}, {12, 6, 0}, {0, 6, 0}};
    for (int i = 0; i < 4; ++i) {
        DLxSketch::Curve side;
        side.start = corners[i];
        side.end = corners[(i + 1) % 4];
        definition->AddCurve(side);
    }
    DLxSketch::Curve circle;
    circle.kind = DLxSketch::Curve::kCircle;
    circle.centre = WqGePoint3d(6, 2, 0);
    circle.radius = 4;
    definition->AddCurve(circle);
    DLxSketchInstance* sketch = DLxSketchInstance::Create(sheet, definition);
    ASSERT_NE(sketch, nullptr);
    entry->SetSketchInstance(RSeRef<RSeIDed>(sketch));
    Build(out);
    const Drawn d = Sort(out);
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0]->text, u"12\nABC");
    EXPECT_EQ(d.texts[0]->attachment, 10);
    EXPECT_TRUE(d.lines.empty() && d.circles.empty() && d.arcs.empty());
    EXPECT_NEAR(entry->GetBalloonWidth(), 12, kTol);
    EXPECT_NEAR(entry->GetBalloonHeight(), 8, kTol);
    std::set<int> rows;
    Service(7)->CollectUsedRows(Ref(), state->style.items, rows);
    EXPECT_EQ(rows, (std::set<int>{0, 1}));
}

// Without style data, or with a row outside the style's columns, nothing is drawn for it.
TEST_F(BalloonShapeTest, MissingOwnerStyleOrRowsDrawNothingOrTheOutlineOnly) {
    DLxCBalloonService* circle = Service(2);
    circle->ClearOwnerState();
    BBox box;
    UTxString16 text;
    EXPECT_FALSE(circle->GetTextExtents(0, box, Ref()));
    EXPECT_TRUE(box.isEmpty());
    EXPECT_FALSE(circle->GetRowText(Ref(), 0, text));
    DUxCAuxEntArray out;
    circle->BuildShape(Ref(), out);
    EXPECT_EQ(out.GetSize(), 0);

    // No columns: the circle is drawn without a text.
    state->style.items.clear();
    SetTexts(u"12");
    Build(out);
    const Drawn d = Sort(out);
    EXPECT_EQ(d.circles.size(), 1u);
    EXPECT_TRUE(d.texts.empty());
    EXPECT_TRUE(Service(2)->GetRowText(Ref(), 5, text));
    EXPECT_TRUE(text.empty());
}

TEST_F(BalloonShapeTest, RowTextsDropCarriageReturnsAndAreCachedUntilTheOwnerIsSetAgain) {
    SetTexts(u"1\r\n2");
    DLxCBalloonService* s = Service(2);
    UTxString16 text;
    ASSERT_TRUE(s->GetRowText(Ref(), 0, text));
    EXPECT_EQ(text, u"1\n2");
    SetTexts(u"7");
    s->GetRowText(Ref(), 0, text);
    EXPECT_EQ(text, u"1\n2");
    s = Service(2);
    s->GetRowText(Ref(), 0, text);
    EXPECT_EQ(text, u"7");
    // A text of several lines centred on its point takes attachment 10.
    SetTexts(u"1\n2");
    DUxCAuxEntArray out;
    DUxCAuxText* t = Service(2)->CreateRowText(0, WqGePoint3d::kOrigin, 5, Ref(), out);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->attachment, 10);
    EXPECT_EQ(t->fontId, 1);
    EXPECT_EQ(t->gdtFontId, 2);
    EXPECT_EQ(t->refPoint, 7);
}

// An entry at (10, 20), 10 wide and 6 high.
TEST_F(BalloonShapeTest, AttachPointsByShapeAndStackingVector) {
    const double a = 6 / std::sqrt(3.0);
    const struct {
        const char* name;
        int32_t type;
        WqGeVector3d d;
        WqGePoint3d in, out;
    } cases[] = {
        {"circle along x", 2, {1, 0, 0}, {7, 20, 0}, {17, 20, 0}},
        {"circle, unnormalised", 2, {3, 0, 0}, {7, 20, 0}, {17, 20, 0}},
        {"circle along y", 2, {0, 1, 0}, {10, 17, 0}, {10, 23, 0}},
        {"split circle", 3, {1, 0, 0}, {7, 20, 0}, {17, 20, 0}},
        {"hexagon", 6, {1, 0, 0}, {10 - a, 20, 0}, {20 - a, 20, 0}},
        {"square", 9, {-1, 0, 0}, {10 + a, 20, 0}, {a, 20, 0}},
        {"borderless", 5, {1, 0, 0}, {5, 20, 0}, {15, 20, 0}},
        {"sketched", 7, {0, -1, 0}, {10, 23, 0}, {10, 17, 0}},
        {"linear", 4, {1, 0, 0}, {10, 20, 0}, {20, 20, 0}},
        {"linear downwards", 4, {0, -1, 0}, {10, 20, 0}, {10, 14, 0}},
    };
    entry->setOrigin({10, 20, 0});
    entry->SetBalloonSize(10, 6);
    entry->setDirection(DLxBomStdInfo::kRight);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DLxCBalloonService* s = Service(c.type);
        const WqGePoint3d in = s->GetIncomingAttachPoint(Ref(), c.d);
        const WqGePoint3d out = s->GetOutgoingAttachPoint(Ref(), c.d);
        ExpectPoint(in, c.in.x, c.in.y, "incoming");
        ExpectPoint(out, c.out.x, c.out.y, "outgoing");
        ExpectPoint(s->GetIncomingAttachPoint({}, c.d), 0, 0, "null entry");
        ExpectPoint(s->GetOutgoingAttachPoint({}, c.d), 0, 0, "null entry");
    }
    // A balloon stacked downwards hangs by its top and passes its origin on.
    entry->setDirection(DLxBomStdInfo::kDown);
    DLxCBalloonService* linear = Service(4);
    ExpectPoint(linear->GetIncomingAttachPoint(Ref(), {0, -1, 0}), 10, 26, "hangs by its top");
    ExpectPoint(linear->GetOutgoingAttachPoint(Ref(), {0, -1, 0}), 10, 20, "origin");
}

TEST_F(BalloonShapeTest, RowsShownByShape) {
    const DLxCBalloonService::Columns three = {Column(kItem), Column(kPartNumber), Column(kItem)};
    const DLxCBalloonService::Columns one = {Column(kItem)};
    const struct {
        int32_t type;
        const DLxCBalloonService::Columns* columns;
        std::set<int> rows;
    } cases[] = {
        {2, &three, {0}}, {2, nullptr, {}},       {3, &three, {0, 1}}, {3, &one, {0}},
        {4, &three, {0}}, {5, &three, {0, 1, 2}}, {6, &three, {0}},    {8, &one, {0}},
        {9, &three, {0}}, {7, &three, {}}, // a sketched balloon without its sketch shows none
    };
    const DLxCBalloonService::Columns none;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        std::set<int> rows;
        Service(c.type)->CollectUsedRows(Ref(), c.columns ? *c.columns : none, rows);
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(BalloonArcPoints, EveryTenDegreesThenTheEndPoint) {
    std::vector<WqGePoint3d> points;
    DLxCBalloonService::AppendArcPoints({1, 2, 0}, 2, 0, kPi / 2, points);
    ASSERT_EQ(points.size(), 10u); // 0, 10, ... 80 degrees and 90 itself
    ExpectPoint(points[1], 1 + 2 * std::cos(kPi / 18), 2 + 2 * std::sin(kPi / 18), "10 degrees");
    ExpectPoint(points.back(), 1, 4, "end");
    // An end below the start goes round: 270 to 450 degrees.
    points.clear();
    DLxCBalloonService::AppendArcPoints({0, 0, 0}, 1, 3 * kPi / 2, kPi / 2, points);
    ASSERT_EQ(points.size(), 19u);
    ExpectPoint(points[0], 0, -1, "start");
    ExpectPoint(points[9], 1, 0, "middle");
    ExpectPoint(points.back(), 0, 1, "end");
    // An arc shorter than a step is its two ends.
    points.clear();
    DLxCBalloonService::AppendArcPoints({0, 0, 0}, 1, 0, 0.1, points);
    EXPECT_EQ(points.size(), 2u);
}

TEST(BalloonServiceRegistry, OneServicePerShapeInItsOrderAndNothingForOtherCodes) {
    DLxTableCalloutServiceHelper& registry = DLxTableCalloutServiceHelper::Get();
    EXPECT_EQ(&registry, &DLxTableCalloutServiceHelper::Get());
    EXPECT_EQ(registry.GetCreationOrder(), (std::vector<uint32_t>{2, 5, 6, 3, 4, 7, 8, 9}));
    const struct {
        uint32_t id;
        int16_t rows;
        double scale;
    } shapes[] = {{2, 1, 1.5}, {3, 2, 2.0}, {4, 99, 1.5}, {5, 1, 1.5},
                  {6, 1, 1.5}, {7, 1, 1.0}, {8, 1, 1.5},  {9, 1, 1.5}};
    for (const auto& s : shapes) {
        SCOPED_TRACE(s.id);
        DLxCBalloonService* service = registry.Find(s.id);
        ASSERT_NE(service, nullptr);
        EXPECT_EQ(uint32_t(service->GetShapeId()), s.id);
        EXPECT_EQ(service->GetTextRowCount(), s.rows);
        EXPECT_EQ(service->GetRadiusScale(), s.scale);
    }
    for (uint32_t id : {0u, 1u, 10u, 0xFFFFFFFFu})
        EXPECT_EQ(registry.Find(id), nullptr) << id;
}

class BalloonShapeUITest : public KorvuPartList::ModuleTest {};

TEST_F(BalloonShapeUITest, ShapesOfferTheirNamePictureAndNumber) {
    const struct {
        uint32_t id;
        const char* text;
        uint32_t bitmap;
        int32_t number;
    } cases[] = {
        {2, "Circular - 1 Entry", 7644, 2},
        {3, "Circular - 2 Entries", 7645, 3},
        {4, "Linear", 7647, 4},
        {5, "None", 7646, 5},
        {6, "Hexagon", 7648, 5},
        {7, "Sketched Symbol", 7648, 7},
        {8, "Triangle", 7803, 5},
        {9, "Square", 7804, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        DLxCBalloonService::UIEntry e;
        DLxTableCalloutServiceHelper::Get().Find(c.id)->GetUIEntry(e);
        EXPECT_EQ(Narrow(e.text), c.text);
        ASSERT_NE(e.bitmap, nullptr);
        EXPECT_EQ(e.bitmap->id, c.bitmap);
        EXPECT_EQ(e.bitmap->width, 32u);
        EXPECT_EQ(e.bitmap->height, 32u);
        EXPECT_EQ(e.number, c.number);
    }
}

} // namespace
