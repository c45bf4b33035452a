// Model files: a drawing built from one is stored and read back whole; every fault is reported
// with the file, the member's path and what is wrong, and gives no document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../ge/GeTestSupport.h"
#include "KorvuTestSupport.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxErrors.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

std::string Example(const char* name) {
    if (const char* data = std::getenv("KORVU_TEST_DATA"))
        return std::string(data) + "/../examples/" + name;
    return (std::filesystem::path(__FILE__).parent_path() / "../../../examples" / name).string();
}

// One sheet with one view; `view` and `edge` are spliced in where a case needs them.
std::string Model(const std::string& view = "", const std::string& edge = "",
                  const std::string& top = "") {
    return R"({"format": "korvu-model", "version": 1, )" + top +
           R"("sheets": [{"name": "Sheet 1", "width": 420, "height": 297, "views": [
               {"name": "Front", "scale": 1, "center": [100, 100], "orientation": "front", )" +
           view + R"("edges": [{"id": 1, "line": [[0, 0, 0], [10, 0, 0]]})" + edge + "]}]}]}";
}

TEST(DLxModelFile, BuildsTheExampleDrawing) {
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(doc->GetDrawing()->GetStandardName(), u"ISO");
    ASSERT_EQ(doc->GetSheets().size(), 1u);
    DLxSheet* sheet = doc->GetSheets()[0];
    EXPECT_EQ(sheet->GetWidth(), 420);
    EXPECT_EQ(sheet->GetHeight(), 297);
    ASSERT_EQ(sheet->GetViews().size(), 2u);

    // The plate's outline in the top view closes: every drawn end meets another edge's end.
    DLxViewInstance* top = sheet->FindView(u"Top");
    ASSERT_TRUE(top);
    SMxDisplayList list;
    top->BuildDisplayList(list);
    std::vector<WqGePoint3d> ends;
    for (const SMxDisplayItem& item : list) {
        if (const auto* l = item.As<SMxLineItem>()) {
            ends.push_back(l->start);
            ends.push_back(l->end);
        } else if (const auto* a = item.As<SMxArcItem>(); a && !a->IsFullCircle()) {
            ends.push_back(a->PointAt(a->startAngle));
            ends.push_back(a->PointAt(a->endAngle));
        }
    }
    ASSERT_EQ(ends.size(), 16u);
    for (const WqGePoint3d& p : ends) {
        int32_t meeting = 0;
        for (const WqGePoint3d& q : ends)
            meeting += p.distanceTo(q) < 1e-9;
        EXPECT_EQ(meeting, 2) << p.x << ", " << p.y;
    }
    // Both views lie on the sheet.
    for (DLxViewInstance* view : sheet->GetViews()) {
        const BBox box = view->GetSheetBBox();
        EXPECT_TRUE(box.min.x > 0 && box.min.y > 0 && box.max.x < 420 && box.max.y < 297);
    }
}

TEST(DLxModelFile, DrawingsSaveAndLoadWhole) {
    const std::string text = Model(R"("rotation": 30, "origin": [1, 2, 3], )",
                                   R"(, {"id": 5, "arc": {"center": [1, 2, 3], "normal": [0, 1, 1],
                                      "radius": 4, "start": 350, "end": 20}})",
                                   R"("standard": "JIS", )");
    std::unique_ptr<DLxDrawingDoc> doc;
    ASSERT_FALSE(DLxModelFile::LoadFromString(text, "m.json", doc).Failed());
    DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    ASSERT_TRUE(view);
    EXPECT_NEAR(view->GetEdges()[1].Sweep(), 30 * std::numbers::pi / 180, 1e-12);

    KorvuTempDir dir;
    ASSERT_FALSE(doc->Save(dir.File("m.kvd")).Failed());
    std::unique_ptr<DLxDrawingDoc> opened;
    ASSERT_FALSE(DLxDrawingDoc::Open(dir.File("m.kvd"), opened).Failed());
    EXPECT_EQ(opened->GetDrawing()->GetStandardName(), u"JIS");
    DLxViewInstance* back = opened->GetSheets()[0]->FindView(u"Front");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GetViewScale(), view->GetViewScale());
    EXPECT_EQ(back->GetViewCenter(), view->GetViewCenter());
    EXPECT_EQ(back->GetModelOrigin(), view->GetModelOrigin());
    EXPECT_EQ(back->GetOrientation(), view->GetOrientation());
    EXPECT_EQ(back->GetEdges(), view->GetEdges());

    std::vector<uint8_t> first, second;
    ASSERT_FALSE(doc->GetRSeDb()->SaveToBuffer(first).Failed());
    ASSERT_FALSE(opened->GetRSeDb()->SaveToBuffer(second).Failed());
    EXPECT_EQ(first, second);
}

struct BadModel {
    const char* name;
    std::string text;
    UTxResultCode code;
    const char* path; // empty: the fault is the whole file
    const char* problem;
};

TEST(DLxModelFile, ReportsEveryFaultWithItsPlace) {
    const BadModel cases[] = {
        {"not JSON", "{\"format\": ", kDLxErrModelSyntax, "format", "not valid JSON"},
        {"not an object", "[1, 2]", kDLxErrModelInvalid, "", "expected an object"},
        {"another format", R"({"format": "cad", "version": 1})", kDLxErrModelVersion, "format",
         "expected \"korvu-model\""},
        {"a newer version", R"({"format": "korvu-model", "version": 2, "beads": []})",
         kDLxErrModelVersion, "version", "version 2 is not supported"},
        {"no sheets", R"({"format": "korvu-model", "version": 1})", kDLxErrModelInvalid, "sheets",
         "is missing"},
        {"an unknown standard", Model("", "", R"("standard": "XYZ", )"), kDLxErrModelInvalid,
         "standard", "unknown standard \"XYZ\""},
        {"an unknown member", Model(R"("scael": 2, )"), kDLxErrModelInvalid,
         "sheets[0].views[0].scael", "is not a member"},
        {"a scale of the wrong type", Model(R"("scale": "big", )"), kDLxErrModelInvalid,
         "sheets[0].views[0].scale", "expected a number, found a string"},
        {"a negative scale", Model(R"("scale": -2, )"), kDLxErrModelInvalid,
         "sheets[0].views[0].scale", "must be greater than 0"},
        {"a zero sheet size",
         R"({"format": "korvu-model", "version": 1,
             "sheets": [{"name": "A", "width": 0, "height": 1}]})",
         kDLxErrModelInvalid, "sheets[0].width", "must be greater than 0"},
        {"two sheets of one name",
         R"({"format": "korvu-model", "version": 1,
             "sheets": [{"name": "A", "width": 1, "height": 1},
                        {"name": "A", "width": 1, "height": 1}]})",
         kDLxErrModelInvalid, "sheets[1].name", "duplicate sheet name \"A\" (also sheets[0])"},
        {"two views of one name",
         R"({"format": "korvu-model", "version": 1, "sheets": [{"name": "A", "width": 1,
             "height": 1, "views": [
               {"name": "V", "scale": 1, "center": [0, 0], "orientation": "top"},
               {"name": "V", "scale": 1, "center": [0, 0], "orientation": "top"}]}]})",
         kDLxErrModelInvalid, "sheets[0].views[1].name", "duplicate view name \"V\""},
        {"two edges of one id", Model("", R"(, {"id": 2, "line": [[0, 0, 0], [0, 1, 0]]},
                                             {"id": 1, "line": [[0, 0, 0], [0, 2, 0]]})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[2].id",
         "duplicate edge id 1 (also sheets[0].views[0].edges[0])"},
        {"an edge id of zero", Model("", R"(, {"id": 0, "line": [[0, 0, 0], [0, 1, 0]]})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].id",
         "must be a positive 32-bit integer"},
        {"an edge id beyond 32 bits",
         Model("", R"(, {"id": 4294967297, "line": [[0, 0, 0], [0, 1, 0]]})"), kDLxErrModelInvalid,
         "sheets[0].views[0].edges[1].id", "must be a positive 32-bit integer"},
        {"an infinite coordinate", Model("", R"(, {"id": 2, "line": [[0, 0, 1e999], [0, 1, 0]]})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].line[0][2]", "is not a finite number"},
        {"a NaN coordinate", Model(R"("origin": [NaN, 0, 0], )"), kDLxErrModelSyntax,
         "sheets[0].views[0].origin[0]", "not valid JSON"},
        {"an unknown orientation", Model(R"("orientation": "aft", )"), kDLxErrModelInvalid,
         "sheets[0].views[0].orientation", "unknown orientation \"aft\""},
        {"an up along the direction",
         Model(R"("orientation": {"direction": [0, 0, -1], "up": [0, 0, 3]}, )"),
         kDLxErrModelInvalid, "sheets[0].views[0].orientation.up",
         "must not lie along the direction"},
        {"a point of two coordinates", Model("", R"(, {"id": 2, "line": [[0, 0], [0, 1, 0]]})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].line[0]", "expected [x, y, z]"},
        {"an edge of two kinds", Model("", R"(, {"id": 2, "line": [[0, 0, 0], [0, 1, 0]],
                         "circle": {"center": [0, 0, 0], "normal": [0, 0, 1], "radius": 1}})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1]",
         "an edge needs exactly one of line, arc and circle"},
        {"an arc without a radius",
         Model("", R"(, {"id": 2, "arc": {"center": [0, 0, 0], "normal": [0, 0, 1],
                                          "start": 0, "end": 90}})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].arc.radius", "is missing"},
        {"a break of no width",
         Model(R"("breaks": [{"direction": "horizontal", "from": 5, "to": 5}], )"),
         kDLxErrModelInvalid, "sheets[0].views[0].breaks[0].to", "must be greater than from"},
        {"an unknown break direction",
         Model(R"("breaks": [{"direction": "diagonal", "from": 1, "to": 2}], )"),
         kDLxErrModelInvalid, "sheets[0].views[0].breaks[0].direction",
         "unknown direction \"diagonal\""},
        {"overlapping breaks", Model(R"("breaks": [{"direction": "vertical", "from": 1, "to": 4},
                             {"direction": "vertical", "from": 3, "to": 6}], )"),
         kDLxErrModelInvalid, "sheets[0].views[0].breaks[1]",
         "overlaps sheets[0].views[0].breaks[0]"},
        {"a break over three earlier ones",
         Model(R"("breaks": [{"direction": "vertical", "from": 10, "to": 20},
                             {"direction": "horizontal", "from": 0, "to": 40},
                             {"direction": "vertical", "from": 0, "to": 3},
                             {"direction": "vertical", "from": 25, "to": 30},
                             {"direction": "vertical", "from": 2, "to": 27},
                             {"direction": "vertical", "from": 1, "to": 2}], )"),
         kDLxErrModelInvalid, "sheets[0].views[0].breaks[4]",
         "overlaps sheets[0].views[0].breaks[0]"},
        {"a syntax fault after whole elements",
         Model("", R"(, {"id": 2, "line": [[0, 0, 0], [0, 1, 0]]}, {"id": 3 "line": []})"),
         kDLxErrModelSyntax, "sheets[0].views[0].edges[2].id", "not valid JSON"},
        {"an arc without a sweep",
         Model("", R"(, {"id": 2, "arc": {"center": [0, 0, 0], "normal": [0, 0, 1],
                                          "radius": 1, "start": 45, "end": 45}})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].arc.end", "the arc has no sweep"},
    };
    for (const BadModel& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::LoadFromString(c.text, "bad.json", doc);
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_EQ(doc, nullptr);
        const std::string message = r.GetMessageUtf8();
        const std::string place = std::string("bad.json: ") + c.path + (*c.path ? ": " : "");
        EXPECT_NE(message.find(place + c.problem), std::string::npos) << message;
    }
}

// The edge from (100, 100) to (110, 100) on the sheet, with the band from x = 102 to 104 left
// out: drawn as two lines that meet where the band closes.
TEST(DLxModelFile, ViewsTakeTheirBreaks) {
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(
        Model(R"("breaks": [{"direction": "horizontal", "from": 102, "to": 104},
                            {"direction": "vertical", "from": 0, "to": 1}], )"),
        "broken.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    ASSERT_EQ(view->GetBreaks().size(), 2u);
    EXPECT_EQ(view->GetBreaks()[0].direction, DLxViewBreak::kHorizontal);
    EXPECT_EQ(view->GetBreaks()[1].to, 1);
    SMxDisplayList list;
    view->BuildDisplayList(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(isNear(list.GetAt(0).As<SMxLineItem>()->end, {102, 99, 0}));
    EXPECT_TRUE(isNear(list.GetAt(1).As<SMxLineItem>()->start, {102, 99, 0}));
    EXPECT_TRUE(isNear(list.GetAt(1).As<SMxLineItem>()->end, {108, 99, 0}));
}

TEST(DLxModelFile, ReportsAFileItCannotRead) {
    KorvuTempDir dir;
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    const UTxResult r = DLxModelFile::Load(dir.File("missing.json"), doc);
    EXPECT_EQ(r.GetCode(), kDLxErrModelRead);
    EXPECT_NE(r.GetMessageUtf8().find(dir.File("missing.json")), std::string::npos);
    EXPECT_EQ(doc, nullptr);
}

} // namespace
