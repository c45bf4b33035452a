// Datum standards and datum-target shapes: each standard's line types and how they fill a
// datum-target style, the services it owns, the shapes' grips, sizes and leader attachment,
// and how the services draw areas and balloons.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "Standard/DLxCAuxHatch.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxCTargetService.h"
#include "Standard/DLxStdRegistration.h"
#include "dl/DLxDrawingDoc.h"
#include "dc/RDxFragment.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxStandard.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

DLxCDatumStd* Standard(DLxDrawingDoc& doc, const UTxGUID& guid) {
    RSeRef<DUxCategoryDefault> d =
        DUxStandardUtil::GetCategoryDefault(&doc, guid, DLxCDatumStd::kCategory);
    return dynamic_cast<DLxCDatumStd*>(d.GetTarget());
}

TEST(DatumStd, EachStandardNamesItsLinesAndFillsItsStyle) {
    struct Row {
        const UTxGUID& guid;
        int16_t border;
        const char16_t* borderName;
        const char16_t* hiddenName;
        double multiplier;
        bool underlined;
    };
    const Row rows[] = {
        {DUxStandardGUID::GetANSIGuid(), 0x6DCC, u"Datum Border Line:ANSI",
         u"Datum Hidden Leader:ANSI", 1.75, false},
        {DUxStandardGUID::GetBSIGuid(), 0x6DCB, u"Datum Border Line:ISO",
         u"Datum Hidden Leader:ISO", 2.0, false},
        {DUxStandardGUID::GetDINGuid(), 0x6DCB, u"Datum Border Line:DIN",
         u"Datum Hidden Leader:DIN", 2.0, true},
        {DLxGBStandardGUID, 0x6DCB, u"Datum Border Line:ISO", u"Datum Hidden Leader:ISO", 2.0,
         true},
        {DUxStandardGUID::GetISOGuid(), 0x6DCB, u"Datum Border Line:ISO",
         u"Datum Hidden Leader:ISO", 2.0, true},
        {DUxStandardGUID::GetJISGuid(), 0x6DCB, u"Datum Border Line:JIS",
         u"Datum Hidden Leader:JIS", 2.0, true},
    };
    DLxDrawingDoc doc;
    for (const Row& row : rows) {
        DLxCDatumStd* std = Standard(doc, row.guid);
        ASSERT_NE(std, nullptr);
        SCOPED_TRACE(UTx::ToUtf8(row.borderName));
        EXPECT_EQ(std->m_BorderLineId, row.border);
        EXPECT_EQ(std->m_HiddenLeaderLineId, 0x6DC5);
        EXPECT_EQ(std->GetBorderLineTypeName(), row.borderName);
        EXPECT_EQ(std->GetHiddenLeaderLineTypeName(), row.hiddenName);
        // Factory lengths are the standards' centimetres in sheet millimetres.
        EXPECT_DOUBLE_EQ(std->m_HatchDist, 3.0);
        EXPECT_DOUBLE_EQ(std->m_PointSize, 3.0);
        EXPECT_TRUE(std->m_SymUnitAttr.HasTarget());

        DUxDatumTargetStyle* style = DUxDatumTargetStyle::CreateStyle(nullptr, u"t");
        std->CopyToStyle(RSeRef<FWxStyle>(style));
        EXPECT_EQ(style->GetBorderLineId(), row.border);
        EXPECT_EQ(style->GetHiddenLeaderLineId(), 0x6DC5);
        EXPECT_DOUBLE_EQ(style->GetBalloonRadiusMultiplier(), row.multiplier);
        EXPECT_EQ(style->GetOutsideUnderlined(), row.underlined);
        EXPECT_DOUBLE_EQ(style->GetHatchDist(), 3.0);
        EXPECT_EQ(style->GetStyleDescription(), std->GetStandardReference());
        // The factory point colour 0x000000BF is a colour reference: red 191.
        EXPECT_EQ(style->GetPointColor(), SMxColor::FromRgba(191, 0, 0));
        RSe::DeleteObject(style);
    }
}

TEST(DatumStd, ServicesAreMadeAgainNotAdded) {
    DLxDrawingDoc doc;
    DLxCDatumStd* ansi = Standard(doc, DUxStandardGUID::GetANSIGuid());
    ASSERT_NE(ansi, nullptr);
    EXPECT_EQ(ansi->GetServiceCount(), 5);
    ASSERT_FALSE(ansi->CreateTargetServices().Failed());
    EXPECT_EQ(ansi->GetServiceCount(), 5);
    for (int32_t type = 1; type <= 5; ++type)
        EXPECT_EQ(ansi->GetService(type)->GetTargetType(), type);
    EXPECT_EQ(ansi->GetService(0), nullptr);
    // ANSI draws its balloons through its own service.
    EXPECT_NE(dynamic_cast<const DLxCTargetBalloonServiceANSI*>(ansi->GetService(1)), nullptr);
    EXPECT_EQ(dynamic_cast<const DLxCTargetBalloonServiceANSI*>(
                  Standard(doc, DUxStandardGUID::GetISOGuid())->GetService(1)),
              nullptr);
}

TEST(DatumStd, TheTranscriptCarriesEveryDefault) {
    DLxDrawingDoc doc;
    DLxCDatumStd* din = Standard(doc, DUxStandardGUID::GetDINGuid());
    DLxCDatumStd* jis = Standard(doc, DUxStandardGUID::GetJISGuid());
    din->m_PointGap = 7.25;
    din->m_DrawLeaderArrow = false;
    UTxString16 line = u"Test";
    UTxResult result;
    {
        UCxTranscriptDataExchange out(line, result, &doc, true);
        ASSERT_FALSE(din->Transcript(out, u"Datum", true).Failed());
    }
    EXPECT_NE(line.find(u"Datum_PointGap=7.25"), UTxString16::npos) << UTx::ToUtf8(line);
    {
        UCxTranscriptDataExchange in(line, result, &doc, false);
        ASSERT_FALSE(jis->Transcript(in, u"Datum", true).Failed()) << result.GetMessageUtf8();
    }
    EXPECT_DOUBLE_EQ(jis->m_PointGap, 7.25);
    EXPECT_FALSE(jis->m_DrawLeaderArrow);
    EXPECT_EQ(jis->m_BorderLineId, din->m_BorderLineId);
}

// ---- shapes

template <class T> T* Make() {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), RSe::TransientSegment()) T();
}

// A shape needs an owner for the rules that use the owner's directions; any object serves.
struct Owned {
    RDxFragment* owner = Make<RDxFragment>();
    std::vector<RSeIDed*> made{owner};
    template <class T> T* Shape(WqGePoint3d origin = {}) {
        T* s = Make<T>();
        s->SetOrigin(origin);
        s->SetOwner(RSeRef<RDxObject>(owner));
        made.push_back(s);
        return s;
    }
    ~Owned() {
        for (RSeIDed* o : made)
            RSe::DeleteObject(o);
    }
};

TEST(DatumTargetShape, AreasGiveTheirSizeTexts) {
    Owned o;
    auto* circle = o.Shape<DLxCTargetCircularArea>();
    circle->SetRadius(5);
    EXPECT_EQ(circle->GetSizeText(), u"%%c10.00");
    auto* rect = o.Shape<DLxCTargetRectangularArea>();
    rect->SetSize(10, 4, 0);
    EXPECT_EQ(rect->GetSizeText(), u"10.00x4.00");
    EXPECT_EQ(o.Shape<DLxCTargetLine>()->GetSizeText(), u"");
    // The host's diameter code shows as the diameter sign.
    EXPECT_EQ(DLxTargetDisplayText(u"%%c10.00"), u"\u230010.00");
}

TEST(DatumTargetShape, TheLineRatioGripStaysOnTheLine) {
    struct Case {
        WqGePoint3d end;
        WqGeVector3d move;
        double ratio;
    };
    const Case cases[] = {
        {{10, 0, 0}, {2, 0, 0}, 0.7},    // along the line
        {{10, 0, 0}, {20, 0, 0}, 0.95},  // beyond the end
        {{10, 0, 0}, {-20, 0, 0}, 0.05}, // behind the start
        {{0, 0, 0}, {3, 0, 0}, 0.5},     // a line of no length
    };
    for (const Case& c : cases) {
        Owned o;
        auto* line = o.Shape<DLxCTargetLine>();
        line->SetEndPoint(c.end);
        line->MoveGrip(2, c.move);
        EXPECT_NEAR(line->GetRatio(), c.ratio, 1e-12) << c.move.x;
    }
}

TEST(DatumTargetShape, GripsMoveTheirShapes) {
    Owned o;
    auto* rect = o.Shape<DLxCTargetRectangularArea>({10, 10, 0});
    rect->SetCornerPoint({14, 12, 0});
    EXPECT_NEAR(rect->GetWidth(), 8, 1e-12);
    EXPECT_NEAR(rect->GetHeight(), 4, 1e-12);
    rect->SetCornerPoint({10, 10, 0});
    EXPECT_EQ(rect->GetWidth(), 0.0);
    EXPECT_EQ(rect->GetHeight(), 0.0);
    // Turning by the rotation grip keeps the size.
    rect->SetSize(8, 4, 0);
    rect->SetRotationPoint({10, 15, 0});
    EXPECT_NEAR(rect->GetRotation(), M_PI / 2, 1e-12);
    EXPECT_NEAR(rect->GetCornerPoint().x, 8, 1e-12);
    EXPECT_NEAR(rect->GetCornerPoint().y, 14, 1e-12);

    auto* circle = o.Shape<DLxCTargetCircularArea>({0, 0, 0});
    circle->SetRadius(2);
    circle->MoveGrip(3, {-1, 0, 0}); // the grip at -X moves outwards
    EXPECT_NEAR(circle->GetRadius(), 3, 1e-12);
    EXPECT_EQ(circle->GetGripCount(), 5);
    EXPECT_FALSE(circle->IsValidGrip(5));
}

TEST(DatumTargetShape, TheLeaderMeetsTheRimOrTheNearestCorner) {
    Owned o;
    auto* circle = o.Shape<DLxCTargetCircularArea>({0, 0, 0});
    circle->SetRadius(5);
    const WqGePoint3d rim = circle->GetLeaderAttachPoint({30, 40, 0});
    EXPECT_NEAR(rim.x, 3, 1e-9);
    EXPECT_NEAR(rim.y, 4, 1e-9);
    // From inside the circle too, the leader meets the rim towards the point.
    const WqGePoint3d inside = circle->GetLeaderAttachPoint({0, -1, 0});
    EXPECT_NEAR(inside.y, -5, 1e-9);
    // From the centre itself there is no direction.
    EXPECT_EQ(circle->GetLeaderAttachPoint({0, 0, 0}), WqGePoint3d());

    auto* rect = o.Shape<DLxCTargetRectangularArea>({0, 0, 0});
    rect->SetSize(10, 4, 0);
    const WqGePoint3d corner = rect->GetLeaderAttachPoint({-20, -20, 0});
    EXPECT_EQ(corner, WqGePoint3d(-5, -2, 0));
}

// ---- services

DUxDatumTargetStyleWrapper Wrapper(DUxDatumTargetStyle* style) {
    return DUxDatumTargetStyleWrapper(RSeRef<DUxDatumTargetStyle>(style), {});
}

int32_t Count(const SMxDisplayList& list, SMxItemKind kind) {
    int32_t n = 0;
    for (const SMxDisplayItem& item : list)
        if (item.GetKind() == kind) ++n;
    return n;
}

TEST(DatumTargetService, AnAreaIsHatchedOnlyWhenTheSpacingFits) {
    DUxDatumTargetStyle* style = DUxDatumTargetStyle::CreateStyle(nullptr, u"t");
    style->SetHatchDist(0.3);
    const DUxDatumTargetStyleWrapper w = Wrapper(style);
    Owned o;
    DLxCTargetCircularAreaService service;
    struct Case {
        double radius;
        bool hatched;
    };
    for (const Case c : {Case{0.1, false}, Case{0.16, true}, Case{5.0, true}}) {
        auto* circle = o.Shape<DLxCTargetCircularArea>({3, 4, 0});
        circle->SetRadius(c.radius);
        SMxDisplayList list;
        ASSERT_FALSE(service.DrawShape(list, circle, WqGeMatrix3d(), &w).Failed());
        EXPECT_EQ(Count(list, SMxItemKind::Line) > 0, c.hatched) << c.radius;
        // The outline is a child list of its own: a circle about the centre.
        ASSERT_EQ(Count(list, SMxItemKind::Child), 1);
        const SMxChildItem& outline = *list.GetAt(list.Count() - 1).As<SMxChildItem>();
        EXPECT_EQ(outline.GetId(), DLxCTargetService::kAreaOutline);
        const BBox box = outline.list.GetBBox();
        EXPECT_NEAR(box.center().x, 3, 1e-9);
        EXPECT_NEAR(box.max.x - box.min.x, 2 * c.radius, 1e-9);
        // Every hatch line lies inside the circle.
        for (const SMxDisplayItem& item : list)
            if (const auto* line = item.As<SMxLineItem>()) {
                EXPECT_LE(line->start.distanceTo({3, 4, 0}), c.radius + 1e-9);
                EXPECT_LE(line->end.distanceTo({3, 4, 0}), c.radius + 1e-9);
            }
    }
    // An area too small for an outline says so.
    auto* dot = o.Shape<DLxCTargetCircularArea>();
    SMxDisplayList list;
    EXPECT_EQ(service.DrawShape(list, dot, WqGeMatrix3d(), &w).GetCode(),
              DLxCTargetService::kNoOutline);
    // A service draws nothing of another type.
    SMxDisplayList none;
    EXPECT_FALSE(DLxCTargetLineService().DrawShape(none, dot, WqGeMatrix3d(), &w).Failed());
    EXPECT_TRUE(none.IsEmpty());
    RSe::DeleteObject(style);
}

TEST(DatumTargetService, ARectangleHatchStaysInsideItsTurnedOutline) {
    DLxCAuxLinearHatch hatch(0.3, 1.0, 5, 2, 0.5);
    hatch.TransformBy(WqGeMatrix3d::translation({10, 20, 0}));
    SMxDisplayList list;
    hatch.Draw(list);
    ASSERT_GT(list.Count(), 3);
    const WqGeMatrix3d back =
        WqGeMatrix3d::rotation(-0.5, WqGeVector3d::kZAxis) *
        WqGeMatrix3d::translation({-10, -20, 0});
    for (const SMxDisplayItem& item : list) {
        const auto* line = item.As<SMxLineItem>();
        ASSERT_NE(line, nullptr);
        for (WqGePoint3d p : {line->start, line->end}) {
            p = back * p;
            EXPECT_LE(std::fabs(p.x), 5 + 1e-9);
            EXPECT_LE(std::fabs(p.y), 2 + 1e-9);
        }
    }
}

TEST(DatumTargetService, ATooWideSizeTextStandsOutsideOnTheOrientationsSide) {
    DUxDatumTargetStyle* style = DUxDatumTargetStyle::CreateStyle(nullptr, u"t");
    style->SetTextStyle({1, 2, 3.5});
    style->SetBalloonRadiusMultiplier(2.0);
    const DUxDatumTargetStyleWrapper w = Wrapper(style);
    DLxCTargetBalloonService service;
    const double r = service.GetBalloonRadius(&w);
    EXPECT_DOUBLE_EQ(r, 7.0);
    Owned o;
    for (int32_t orientation : {1, 2}) {
        auto* balloon = o.Shape<DLxCTargetBalloon>();
        balloon->SetText(DLxCTargetBalloon::kSizeTextField, u"12.5x40");
        balloon->SetOrientationType(orientation);
        DUxCAuxEntArray array;
        service.BuildEntities(balloon, array, WqGeMatrix3d::translation({100, 50, 0}), &w);
        const DUxCAuxText* size = nullptr;
        int32_t circles = 0;
        for (int32_t i = 0; i < array.GetSize(); ++i) {
            if (auto* t = dynamic_cast<const DUxCAuxText*>(array.GetAt(i)); t && !size) size = t;
            if (dynamic_cast<const DUxCAuxCircle*>(array.GetAt(i))) ++circles;
        }
        ASSERT_NE(size, nullptr);
        EXPECT_NEAR(size->position.y, 50 + 2 * r, 1e-9);
        if (orientation == 1)
            EXPECT_GT(size->position.x, 100 + r);
        else
            EXPECT_LT(size->position.x, 100 - r);
        // The balloon and the dot the text is led from.
        EXPECT_EQ(circles, 2);
    }
    // A short size text stays in the upper half.
    auto* fits = o.Shape<DLxCTargetBalloon>();
    fits->SetText(DLxCTargetBalloon::kSizeTextField, u"6");
    DUxCAuxEntArray array;
    service.BuildEntities(fits, array, WqGeMatrix3d(), &w);
    const auto* size = dynamic_cast<const DUxCAuxText*>(array.GetAt(2));
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->position, WqGePoint3d(0, r / 2, 0));
    // ANSI balloons are 1.75 text heights whatever the style says.
    EXPECT_DOUBLE_EQ(DLxCTargetBalloonServiceANSI().GetBalloonRadius(&w), 1.75 * 3.5);
    RSe::DeleteObject(style);
}

} // namespace
