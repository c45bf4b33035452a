// Model files: a drawing built from one is stored and read back whole; every fault is reported
// with the file, the member's path and what is wrong, and gives no document.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <string>

#include "../ge/GeTestSupport.h"
#include "KorvuTestSupport.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxErrors.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

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

    // The plate's outline in the top view closes: every drawn end of the bracket's edges meets
    // another edge's end.
    DLxViewInstance* top = sheet->FindView(u"Top");
    ASSERT_TRUE(top);
    SMxDisplayList list;
    top->BuildDisplayList(list);
    std::vector<WqGePoint3d> ends;
    for (const SMxDisplayItem& item : list) {
        if (top->FindEdge(item.GetId())->occurrence != std::vector<int32_t>{1}) continue;
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
    // Both views lie on the sheet, clear of each other.
    for (DLxViewInstance* view : sheet->GetViews()) {
        const BBox box = view->GetSheetBBox();
        EXPECT_TRUE(box.min.x > 0 && box.min.y > 0 && box.max.x < 420 && box.max.y < 297);
    }
    EXPECT_LT(top->GetSheetBBox().max.y, sheet->FindView(u"Front")->GetSheetBBox().min.y);
}

// The example's assembly: the bracket with a shaft in two bushings, four bolts with washers and
// nuts (standard parts), a purchased motor and a collar sub-assembly of two parts; every edge
// belongs to an occurrence, and the views show every component.
TEST(DLxModelFile, TheExampleDocumentsItsAssembly) {
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const DLxAssemblyData* a = doc->GetAssembly();
    ASSERT_NE(a, nullptr);
    auto component = [&](int32_t id) -> const DLxAssemblyComponent& {
        for (const DLxAssemblyComponent& c : a->components)
            if (c.id == id) return c;
        ADD_FAILURE() << "no component " << id;
        return a->components.front();
    };
    auto byName = [&](const std::u16string& name) -> const DLxAssemblyComponent* {
        for (const DLxAssemblyComponent& c : a->components)
            if (c.name == name) return &c;
        return nullptr;
    };
    EXPECT_EQ(component(a->root).kind, DLxAssemblyComponent::Kind::Assembly);
    // How often each component occurs directly under the root.
    std::map<std::u16string, int32_t> underRoot;
    for (const DLxAssemblyOccurrence& o : a->occurrences)
        if (o.parent == a->root) underRoot[component(o.component).name] += o.quantity;
    EXPECT_EQ(underRoot, (std::map<std::u16string, int32_t>{{u"bracket", 1},
                                                            {u"shaft", 1},
                                                            {u"bushing", 2},
                                                            {u"bolt M8x30", 4},
                                                            {u"washer 8", 4},
                                                            {u"nut M8", 4},
                                                            {u"motor", 1},
                                                            {u"collar assembly", 1}}));
    for (const char16_t* name : {u"bolt M8x30", u"washer 8", u"nut M8", u"set screw M4x6"}) {
        ASSERT_TRUE(byName(name));
        EXPECT_TRUE(byName(name)->standardPart);
    }
    ASSERT_TRUE(byName(u"motor"));
    EXPECT_TRUE(byName(u"motor")->purchased);
    EXPECT_FALSE(byName(u"motor")->vendor.empty());
    EXPECT_EQ(byName(u"motor")->userProperties.size(), 2u);
    const DLxAssemblyComponent* bolt = byName(u"bolt M8x30");
    EXPECT_TRUE(bolt->isFactory);
    EXPECT_EQ(bolt->activeMember, u"M8x30");
    EXPECT_TRUE(a->scheme.partsOnlyEnabled);
    const DLxAssemblyComponent* collar = byName(u"collar assembly");
    ASSERT_TRUE(collar);
    int32_t inCollar = 0;
    for (const DLxAssemblyOccurrence& o : a->occurrences)
        inCollar += o.parent == collar->id;
    EXPECT_EQ(inCollar, 2);

    std::set<int32_t> shown;
    for (DLxViewInstance* view : doc->GetSheets()[0]->GetViews())
        for (const DLxViewEdge& e : view->GetEdges()) {
            ASSERT_FALSE(e.occurrence.empty()) << "edge " << e.id;
            for (const DLxAssemblyOccurrence& o : a->occurrences)
                if (o.id == e.occurrence.back()) shown.insert(o.component);
        }
    for (const DLxAssemblyComponent& c : a->components)
        EXPECT_TRUE(c.kind == DLxAssemblyComponent::Kind::Assembly || shown.count(c.id))
            << UTx::ToUtf8(c.name);
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

// Each model is refused with its code and no document, the message naming the file, the place
// and the problem.
void ExpectRefused(const BadModel* first, const BadModel* last) {
    for (const BadModel* c = first; c != last; ++c) {
        SCOPED_TRACE(c->name);
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::LoadFromString(c->text, "bad.json", doc);
        EXPECT_EQ(r.GetCode(), c->code);
        EXPECT_EQ(doc, nullptr);
        const std::string message = r.GetMessageUtf8();
        const std::string place = std::string("bad.json: ") + c->path + (*c->path ? ": " : "");
        EXPECT_NE(message.find(place + c->problem), std::string::npos) << message;
    }
}

TEST(DLxModelFile, ReportsEveryFaultWithItsPlace) {
    const BadModel cases[] = {
        {"not JSON", "{\"format\": ", kDLxErrModelSyntax, "format", "not valid JSON"},
        {"not an object", "[1, 2]", kDLxErrModelInvalid, "", "expected an object"},
        {"another format", R"({"format": "cad", "version": 1})", kDLxErrModelVersion, "format",
         "expected \"korvu-model\""},
        {"a newer version", R"({"format": "korvu-model", "version": 5, "beads": []})",
         kDLxErrModelVersion, "version", "version 5 is not supported"},
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
    ExpectRefused(std::begin(cases), std::end(cases));
}

// A version 2 model of an assembly: the root (1) places part 2 and sub-assembly 3, which
// places part 4. `components` and `occurrences` are appended to the sound ones, `more` to the
// assembly's members, and the view's one edge takes `occurrence`.
std::string AssemblyModel(const std::string& components = "", const std::string& occurrences = "",
                          const std::string& more = "",
                          const std::string& occurrence = R"("occurrence": [2, 3])") {
    return R"({"format": "korvu-model", "version": 2, "assembly": {"root": 1, "components": [
               {"id": 1, "kind": "assembly", "name": "R", "path": "r.kasm"},
               {"id": 2, "kind": "part", "name": "P", "path": "p.kprt"},
               {"id": 3, "kind": "assembly", "name": "S", "path": "s.kasm"},
               {"id": 4, "kind": "part", "name": "Q", "path": "q.kprt"})" +
           components + R"(], "occurrences": [
               {"id": 1, "parent": 1, "component": 2, "quantity": 4},
               {"id": 2, "parent": 1, "component": 3},
               {"id": 3, "parent": 3, "component": 4})" +
           occurrences + "]" + more + R"(},
           "sheets": [{"name": "Sheet 1", "width": 420, "height": 297, "views": [
               {"name": "Front", "scale": 1, "center": [100, 100], "orientation": "front",
                "edges": [{"id": 1, "line": [[0, 0, 0], [10, 0, 0]], )" +
           occurrence + "}]}]}]}";
}

TEST(DLxModelFile, ReadsTheAssemblyAndTheEdgesOccurrences) {
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(
        AssemblyModel(R"(, {"id": 5, "kind": "part", "name": "B", "path": "b.kprt",
                           "partNumber": "B-5", "description": "Bolt", "material": "8.8",
                           "vendor": "V", "mass": 0, "purchased": true, "standardPart": true,
                           "properties": [{"name": "Z", "value": "1"}, {"name": "A", "value": ""}],
                           "representations": ["Master", "Simple"],
                           "familyTable": {"members": ["M8", "M10"], "active": "M10"}})",
                      "", R"(, "bomScheme": {"structured": false, "partsOnly": true,
                                 "structuredAllLevels": true, "structuredFormat": 3,
                                 "delimiter": "-", "partsOnlyFormat": 2, "updatePending": true})"),
        "a.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const DLxAssemblyData* a = doc->GetAssembly();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->root, 1);
    ASSERT_EQ(a->components.size(), 5u);
    const DLxAssemblyComponent& b = a->components[4];
    EXPECT_EQ(b.kind, DLxAssemblyComponent::Kind::Part);
    EXPECT_EQ(b.partNumber, u"B-5");
    EXPECT_EQ(b.description, u"Bolt");
    EXPECT_EQ(b.material, u"8.8");
    EXPECT_EQ(b.vendor, u"V");
    EXPECT_TRUE(b.hasMass); // a mass of 0 is a mass
    EXPECT_FALSE(a->components[1].hasMass);
    EXPECT_TRUE(b.purchased && b.standardPart);
    // User properties keep the file's order, not the names' order.
    EXPECT_EQ(b.userProperties, (std::vector<DLxAssemblyProperty>{{u"Z", u"1"}, {u"A", u""}}));
    EXPECT_EQ(b.representations, (std::vector<std::u16string>{u"Master", u"Simple"}));
    EXPECT_TRUE(b.isFactory);
    EXPECT_EQ(b.factoryMembers, (std::vector<std::u16string>{u"M8", u"M10"}));
    EXPECT_EQ(b.activeMember, u"M10");
    EXPECT_EQ(a->components[2].kind, DLxAssemblyComponent::Kind::Assembly);
    ASSERT_EQ(a->occurrences.size(), 3u);
    EXPECT_EQ(a->occurrences[0].quantity, 4);
    EXPECT_EQ(a->occurrences[1].quantity, 1);
    EXPECT_EQ(a->occurrences[2].parent, 3);
    EXPECT_TRUE(a->scheme == (DLxAssemblyBOMScheme{false, true, true, 3, u"-", 2, true}));
    const DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    EXPECT_EQ(view->FindEdge(1)->occurrence, (std::vector<int32_t>{2, 3}));

    // A model without an assembly makes a drawing without one, and a version 1 model still reads.
    ASSERT_FALSE(DLxModelFile::LoadFromString(Model(), "m.json", doc).Failed());
    EXPECT_EQ(doc->GetAssembly(), nullptr);
    EXPECT_TRUE(doc->GetSheets()[0]->FindView(u"Front")->FindEdge(1)->occurrence.empty());
}

// Each unsound assembly is refused with one message naming the member at fault, and no drawing.
TEST(DLxModelFile, RefusesUnsoundAssemblies) {
    const BadModel cases[] = {
        {"a direct cycle", AssemblyModel("", R"(, {"id": 4, "parent": 3, "component": 3})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].component",
         "component 3 would contain itself (a cycle)"},
        {"a cycle through the root",
         AssemblyModel("", R"(, {"id": 4, "parent": 3, "component": 1})"), kDLxErrModelInvalid,
         "assembly.occurrences[3].component", "component 1 would contain itself (a cycle)"},
        {"a deep cycle",
         AssemblyModel(R"(, {"id": 6, "kind": "assembly", "name": "T", "path": "t.kasm"},
                          {"id": 7, "kind": "assembly", "name": "U", "path": "u.kasm"})",
                       R"(, {"id": 4, "parent": 3, "component": 6},
                          {"id": 5, "parent": 6, "component": 7},
                          {"id": 6, "parent": 7, "component": 3})"),
         kDLxErrModelInvalid, "assembly.occurrences[5].component", "component 3 would contain"},
        {"an unknown component", AssemblyModel("", R"(, {"id": 4, "parent": 1, "component": 9})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].component", "unknown component 9"},
        {"an unknown parent", AssemblyModel("", R"(, {"id": 4, "parent": 8, "component": 2})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].parent", "unknown component 8"},
        {"a part as a parent", AssemblyModel("", R"(, {"id": 4, "parent": 2, "component": 4})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].parent",
         "component 2 is a part, not an assembly"},
        {"a negative quantity",
         AssemblyModel("", R"(, {"id": 4, "parent": 1, "component": 2, "quantity": -4})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].quantity", "must be 1 or more, found -4"},
        {"a zero quantity",
         AssemblyModel("", R"(, {"id": 4, "parent": 1, "component": 2, "quantity": 0})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].quantity", "must be 1 or more, found 0"},
        {"a quantity beyond 32 bits",
         AssemblyModel("", R"(, {"id": 4, "parent": 1, "component": 2, "quantity": 4294967297})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].quantity", "must be a 32-bit integer"},
        {"a duplicate component id",
         AssemblyModel(R"(, {"id": 2, "kind": "part", "name": "X", "path": "x.kprt"})"),
         kDLxErrModelInvalid, "assembly.components[4].id",
         "duplicate component id 2 (also components[1])"},
        {"a duplicate occurrence id",
         AssemblyModel("", R"(, {"id": 2, "parent": 1, "component": 2})"), kDLxErrModelInvalid,
         "assembly.occurrences[3].id", "duplicate occurrence id 2"},
        {"a duplicate document path",
         AssemblyModel(R"(, {"id": 5, "kind": "part", "name": "X", "path": "p.kprt"})"),
         kDLxErrModelInvalid, "assembly.components[4].path", "duplicate document path \"p.kprt\""},
        {"a component id of zero",
         AssemblyModel(R"(, {"id": 0, "kind": "part", "name": "X", "path": "x.kprt"})"),
         kDLxErrModelInvalid, "assembly.components[4].id", "must be a positive 32-bit integer"},
        {"an unknown kind",
         AssemblyModel(R"(, {"id": 5, "kind": "drawing", "name": "X", "path": "x.kprt"})"),
         kDLxErrModelInvalid, "assembly.components[4].kind", "unknown kind \"drawing\""},
        {"a root of no component",
         [] {
             std::string text = AssemblyModel();
             return text.replace(text.find(R"("root": 1)"), 9, R"("root": 12)");
         }(),
         kDLxErrModelInvalid, "assembly.root", "names no component (12)"},
        {"a negative mass",
         AssemblyModel(R"(, {"id": 5, "kind": "part", "name": "X", "path": "x.kprt", "mass": -1})"),
         kDLxErrModelInvalid, "assembly.components[4].mass", "must be a finite number, 0 or more"},
        {"two properties of one name",
         AssemblyModel(R"(, {"id": 5, "kind": "part", "name": "X", "path": "x.kprt", "properties":
                           [{"name": "A", "value": "1"}, {"name": "A", "value": "2"}]})"),
         kDLxErrModelInvalid, "assembly.components[4].properties[1]",
         "duplicate property name \"A\""},
        {"an active member that is none",
         AssemblyModel(R"(, {"id": 5, "kind": "part", "name": "X", "path": "x.kprt",
                           "familyTable": {"members": ["A", "B"], "active": "C"}})"),
         kDLxErrModelInvalid, "assembly.components[4].familyTable.active",
         "is not one of the members"},
        {"an empty delimiter", AssemblyModel("", "", R"(, "bomScheme": {"delimiter": ""})"),
         kDLxErrModelInvalid, "assembly.bomScheme.delimiter", "must not be empty"},
        {"a misspelt member", AssemblyModel("", R"(, {"id": 4, "parent": 1, "componet": 2})"),
         kDLxErrModelInvalid, "assembly.occurrences[3].componet", "is not a member"},
        {"an edge of an unknown occurrence", AssemblyModel("", "", "", R"("occurrence": [7])"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].occurrence", "unknown occurrence 7"},
        {"an edge's path off the structure", AssemblyModel("", "", "", R"("occurrence": [3])"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].occurrence",
         "occurrence 3 does not lie in component 1"},
        {"an edge's empty path", AssemblyModel("", "", "", R"("occurrence": [])"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].occurrence",
         "an occurrence path names at least one occurrence"},
        {"an edge's occurrence without an assembly",
         R"({"format": "korvu-model", "version": 2, "sheets": [{"name": "S", "width": 1,
             "height": 1, "views": [{"name": "V", "scale": 1, "center": [0, 0],
             "orientation": "top", "edges": [{"id": 1, "line": [[0, 0, 0], [1, 0, 0]],
             "occurrence": [1]}]}]}]})",
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].occurrence",
         "the model has no assembly"},
        {"an assembly in a version 1 model",
         R"({"format": "korvu-model", "version": 1, "assembly": {}, "sheets": []})",
         kDLxErrModelInvalid, "assembly", "is not a member this format knows"},
        {"an edge's occurrence in a version 1 model",
         Model("", R"(, {"id": 2, "line": [[0, 0, 0], [0, 1, 0]], "occurrence": [1]})"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[1].occurrence", "is not a member"},
    };
    for (const BadModel& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::LoadFromString(c.text, "bad.json", doc);
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_EQ(doc, nullptr);
        const std::string message = r.GetMessageUtf8();
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        const std::string place = std::string("bad.json: ") + c.path + ": ";
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

// Parts lists of a sheet: read with their origin and optional title for the module to place,
// handed over once; every fault refused with its place.
TEST(DLxModelFile, ReadsThePartsListsOfASheet) {
    const auto withLists = [](std::string model, const std::string& lists) {
        const std::string at = R"("height": 297, )";
        model.insert(model.find(at) + at.size(), R"("partsLists": )" + lists + ", ");
        return model;
    };
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(
        withLists(AssemblyModel(),
                  R"([{"origin": [290, 285], "title": "PARTS"}, {"origin": [10.5, 20]}])"),
        "a.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    const std::vector<DLxDrawingDoc::PartsListPlacement> placed = doc->TakePartsListPlacements();
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].sheet, doc->GetSheets()[0]);
    EXPECT_EQ(placed[0].x, 290);
    EXPECT_EQ(placed[0].y, 285);
    EXPECT_TRUE(placed[0].hasTitle);
    EXPECT_EQ(placed[0].title, u"PARTS");
    EXPECT_EQ(placed[1].x, 10.5);
    EXPECT_FALSE(placed[1].hasTitle);
    EXPECT_TRUE(doc->TakePartsListPlacements().empty());

    std::string noAssembly = withLists(Model(), R"([{"origin": [1, 2]}])");
    noAssembly.replace(noAssembly.find(R"("version": 1)"), 12, R"("version": 2)");
    const BadModel cases[] = {
        {"in a version 1 model", withLists(Model(), R"([{"origin": [1, 2]}])"), kDLxErrModelInvalid,
         "sheets[0].partsLists", "is not a member"},
        {"without the assembly", noAssembly, kDLxErrModelInvalid, "sheets[0].partsLists",
         "a parts list needs the model's assembly"},
        {"not a list", withLists(AssemblyModel(), R"({"origin": [1, 2]})"), kDLxErrModelInvalid,
         "sheets[0].partsLists", "expected an array"},
        {"no origin", withLists(AssemblyModel(), R"([{"title": "T"}])"), kDLxErrModelInvalid,
         "sheets[0].partsLists[0].origin", "is missing"},
        {"an origin of three", withLists(AssemblyModel(), R"([{"origin": [1, 2, 3]}])"),
         kDLxErrModelInvalid, "sheets[0].partsLists[0].origin",
         "expected [x, y], found an array of 3"},
        {"a title of the wrong type",
         withLists(AssemblyModel(), R"([{"origin": [1, 2]}, {"origin": [1, 2], "title": 5}])"),
         kDLxErrModelInvalid, "sheets[0].partsLists[1].title", "expected a string"},
        {"an unknown member", withLists(AssemblyModel(), R"([{"origin": [1, 2], "size": 3}])"),
         kDLxErrModelInvalid, "sheets[0].partsLists[0].size", "is not a member"},
    };
    ExpectRefused(std::begin(cases), std::end(cases));
}

// Sketched-symbol definitions of a version 2 model: made in the drawing with their curves,
// texts (prompted or fixed) and images; every fault refused with its place.
TEST(DLxModelFile, ReadsTheSketchesOfItsResources) {
    const auto withSketches = [](const std::string& sketches, int version = 2) {
        std::string model = Model("", "", R"("resources": {"sketches": )" + sketches + "}, ");
        model.replace(model.find(R"("version": 1)"), 12,
                      R"("version": )" + std::to_string(version));
        return model;
    };
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(
        withSketches(R"([{"name": "Flag", "insert": [6, 0],
            "lines": [[[0, 0], [12, 0]], [[12, 0], [6, 10]]],
            "arcs": [{"center": [6, 4], "radius": 2, "start": 0, "end": 180}],
            "circles": [{"center": [6, 4], "radius": 1}],
            "texts": [{"text": "A", "at": [4.6, 1.5], "prompt": "Revision"},
                      {"text": "REV", "at": [0, 11], "height": 2}],
            "images": [{"name": "logo.png", "from": [20, 10], "to": [14, 0]}]},
            {"name": "Empty"}])"),
        "s.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    ASSERT_EQ(DLxSketch::GetAll(doc.get()).size(), 2u);
    const DLxSketch* flag = DLxSketch::Find(doc.get(), u"Flag");
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->GetInsertPoint(), WqGePoint3d(6, 0, 0));
    ASSERT_EQ(flag->GetCurves().size(), 4u);
    EXPECT_EQ(flag->GetCurves()[2].kind, DLxSketch::Curve::kArc);
    EXPECT_NEAR(flag->GetCurves()[2].endAngle, std::numbers::pi, 1e-12);
    EXPECT_EQ(flag->GetCurves()[3].kind, DLxSketch::Curve::kCircle);
    ASSERT_EQ(flag->GetTexts().size(), 2u);
    EXPECT_TRUE(flag->GetTexts()[0].prompted);
    EXPECT_EQ(flag->GetTexts()[0].prompt, u"Revision");
    EXPECT_EQ(flag->GetTexts()[0].height, 3.5);
    EXPECT_FALSE(flag->GetTexts()[1].prompted);
    ASSERT_EQ(flag->GetImages().size(), 1u);
    EXPECT_EQ(flag->GetImages()[0].lowerLeft, WqGePoint3d(14, 0, 0));
    EXPECT_EQ(flag->GetImages()[0].upperRight, WqGePoint3d(20, 10, 0));

    const BadModel cases[] = {
        {"in a version 1 model", withSketches(R"([{"name": "F"}])", 1), kDLxErrModelInvalid,
         "resources", "is not a member"},
        {"a name twice", withSketches(R"([{"name": "F"}, {"name": "F"}])"), kDLxErrModelInvalid,
         "resources.sketches[1].name", "duplicate sketch name"},
        {"no name", withSketches(R"([{"insert": [0, 0]}])"), kDLxErrModelInvalid,
         "resources.sketches[0].name", "is missing"},
        {"a line of one end", withSketches(R"([{"name": "F", "lines": [[[0, 0]]]}])"),
         kDLxErrModelInvalid, "resources.sketches[0].lines[0]", "expected [[x, y], [x, y]]"},
        {"a line without length",
         withSketches(R"([{"name": "F", "lines": [[[1, 1], [1, 1]]]}])"), kDLxErrModelInvalid,
         "resources.sketches[0].lines[0]", "a line needs two distinct ends"},
        {"a circle of no size",
         withSketches(R"([{"name": "F", "circles": [{"center": [0, 0], "radius": 0}]}])"),
         kDLxErrModelInvalid, "resources.sketches[0].circles[0].radius", "must be greater than 0"},
        {"a text without its place",
         withSketches(R"([{"name": "F", "texts": [{"text": "A"}]}])"), kDLxErrModelInvalid,
         "resources.sketches[0].texts[0].at", "is missing"},
        {"a flat image",
         withSketches(R"([{"name": "F", "images": [{"name": "i", "from": [0, 0], "to": [5, 0]}]}])"),
         kDLxErrModelInvalid, "resources.sketches[0].images[0]", "an image needs two corners apart"},
        {"an unknown member", withSketches(R"([{"name": "F", "colour": 3}])"), kDLxErrModelInvalid,
         "resources.sketches[0].colour", "is not a member"},
    };
    for (const BadModel& c : cases) {
        SCOPED_TRACE(c.name);
        const UTxResult bad = DLxModelFile::LoadFromString(c.text, "bad.json", doc);
        EXPECT_EQ(bad.GetCode(), c.code);
        EXPECT_EQ(doc, nullptr);
        const std::string message = bad.GetMessageUtf8();
        const std::string place = std::string("bad.json: ") + c.path + ": ";
        EXPECT_NE(message.find(place + c.problem), std::string::npos) << message;
    }
}
namespace {
// A version 3 model whose view has a weld bead edge: `welds` is the welds list, `weld` the edge's
// member.
std::string WeldModel(const std::string& welds, const std::string& weld = R"(, "weld": 101)",
                      int version = 3) {
    return R"({"format": "korvu-model", "version": )" + std::to_string(version) +
           R"(, "welds": )" + welds + R"(,
           "sheets": [{"name": "Sheet 1", "width": 420, "height": 297, "views": [
               {"name": "Front", "scale": 1, "center": [100, 100], "orientation": "front",
                "edges": [{"id": 1, "line": [[0, 0, 0], [10, 0, 0]])" +
           weld + R"(}, {"id": 2, "line": [[0, 5, 0], [10, 5, 0]]}]}]}]})";
}

// The model's welds: each view keeps those its edges name, with the weld symbol the model gives
// them, and stores them; every fault is refused with its place.
TEST(DLxModelFile, ViewsKeepTheModelWeldsTheirEdgesName) {
    const std::string welds = R"([
        {"id": 101, "reverse": true, "subWeldings": [
            {"arrow": {"type": 1, "prefix": "a", "size": "4", "contour": 2},
             "other": {"type": 3, "angle": "60"}, "field": 1, "allAround": 2, "tail": true,
             "notes": "141"}, {"arrow": {"type": 10}}]},
        {"id": 102, "subWeldings": [{"arrow": {"type": 8}}]}])";
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(WeldModel(welds), "w.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->FindEdge(1)->weld, 101);
    EXPECT_EQ(view->FindEdge(2)->weld, 0);
    ASSERT_EQ(view->GetModelWelds().size(), 1u); // 102 borders no edge of the view
    const DLxModelWeld* w = view->FindModelWeld(101);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->reverse);
    ASSERT_EQ(w->subWeldings.size(), 2u);
    const DUxCSubWelding& first = w->subWeldings[0];
    ASSERT_NE(first.weldOnArrowSide(true), nullptr);
    EXPECT_EQ(first.weldOnArrowSide(true)->weldType, DUxCWeld::kFillet);
    EXPECT_EQ(first.weldOnArrowSide(true)->prefix, u"a");
    EXPECT_EQ(first.weldOnArrowSide(true)->values[DUxCWeld::kSize], u"4");
    EXPECT_EQ(first.weldOnArrowSide(true)->contourType, DUxCWeld::kConvex);
    EXPECT_EQ(first.weldOnOtherSide(true)->values[DUxCWeld::kAngle], u"60");
    EXPECT_EQ(first.fieldWeldType, 1);
    EXPECT_EQ(first.areaDescType, 2);
    EXPECT_TRUE(first.closedTail);
    EXPECT_EQ(first.notes, u"141");

    // Stored and read back with the view.
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    DLxViewInstance* again = loaded.GetSheets()[0]->FindView(u"Front");
    EXPECT_EQ(again->GetModelWelds(), view->GetModelWelds());
    EXPECT_EQ(again->GetEdges(), view->GetEdges());

    const BadModel cases[] = {
        {"welds in a version 2 model", WeldModel(welds, "", 2), kDLxErrModelInvalid, "welds",
         "is not a member"},
        {"an edge's weld the model lacks", WeldModel(welds, R"(, "weld": 7)"),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].weld", "names no weld of the model"},
        {"two welds of one id",
         WeldModel(R"([{"id": 5, "subWeldings": [{}]}, {"id": 5, "subWeldings": [{}]}])", ""),
         kDLxErrModelInvalid, "welds[1].id", "duplicate weld id 5"},
        {"a weld without sub-weldings", WeldModel(R"([{"id": 5, "subWeldings": []}])", ""),
         kDLxErrModelInvalid, "welds[0].subWeldings", "needs at least one sub-welding"},
        {"an unknown weld type",
         WeldModel(R"([{"id": 5, "subWeldings": [{"arrow": {"type": 11}}]}])", ""),
         kDLxErrModelInvalid, "welds[0].subWeldings[0].arrow.type", "must be 1 to 10"},
        {"a side without type", WeldModel(R"([{"id": 5, "subWeldings": [{"other": {}}]}])", ""),
         kDLxErrModelInvalid, "welds[0].subWeldings[0].other.type", "is missing"},
        {"an unknown member",
         WeldModel(R"([{"id": 5, "subWeldings": [{"arrow": {"type": 1, "throat": "3"}}]}])", ""),
         kDLxErrModelInvalid, "welds[0].subWeldings[0].arrow.throat", "is not a member"},
    };
    ExpectRefused(std::begin(cases), std::end(cases));
}

// Version 4: a weld that shows its pair on its other side, and cosmetic welds laid along part
// edges; the view keeps the pair with the weld its edge names, and stores all of it.
TEST(DLxModelFile, ViewsKeepPairedAndCosmeticWelds) {
    const std::string welds = R"([
        {"id": 101, "other": 102, "subWeldings": [{"arrow": {"type": 1}}]},
        {"id": 102},
        {"id": 103, "cosmetic": true, "subWeldings": [{"arrow": {"type": 1}}]},
        {"id": 104, "subWeldings": [{"arrow": {"type": 8}}]}])";
    const std::string edge =
        R"(, "weld": 101}, {"id": 3, "line": [[0, 9, 0], [10, 9, 0]], "cosmeticWelds": [{"weld": 103, "intervals": [0.1, 0.4, 0.9, 0.6]}])";
    std::unique_ptr<DLxDrawingDoc> doc;
    const UTxResult r = DLxModelFile::LoadFromString(WeldModel(welds, edge, 4), "w.json", doc);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxViewInstance* view = doc->GetSheets()[0]->FindView(u"Front");
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->GetModelWelds().size(), 3u); // 104 is named by no edge, 102 is 101's pair
    EXPECT_EQ(view->FindModelWeld(101)->other, 102);
    EXPECT_TRUE(view->FindModelWeld(102)->subWeldings.empty());
    EXPECT_TRUE(view->FindModelWeld(103)->cosmetic);
    const std::vector<DLxEdgeWeldData> cosmetic = {{103, {0.1, 0.4, 0.9, 0.6}}};
    EXPECT_EQ(view->FindEdge(3)->cosmeticWelds, cosmetic);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    DLxViewInstance* again = loaded.GetSheets()[0]->FindView(u"Front");
    EXPECT_EQ(again->GetModelWelds(), view->GetModelWelds());
    EXPECT_EQ(again->GetEdges(), view->GetEdges());

    const std::string cosmeticWeld = R"([{"id": 5, "cosmetic": true, "subWeldings": [{}]}])";
    const BadModel cases[] = {
        {"a pair in a version 3 model",
         WeldModel(R"([{"id": 5, "other": 6, "subWeldings": [{}]}, {"id": 6, "subWeldings": [{}]}])", "", 3),
         kDLxErrModelInvalid, "welds[0].other", "is not a member"},
        {"a pair the model lacks", WeldModel(R"([{"id": 5, "other": 6}])", "", 4),
         kDLxErrModelInvalid, "welds[0].other", "names no other weld of the model"},
        {"a weld paired with itself", WeldModel(R"([{"id": 5, "other": 5}])", "", 4),
         kDLxErrModelInvalid, "welds[0].other", "names no other weld of the model"},
        {"a pair with a symbol of its own",
         WeldModel(R"([{"id": 5, "other": 6}, {"id": 6, "subWeldings": [{}]}])", "", 4),
         kDLxErrModelInvalid, "welds[0].other", "names a weld that keeps a symbol of its own"},
        {"a bead of a cosmetic weld", WeldModel(cosmeticWeld, R"(, "weld": 5)", 4),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].weld", "names a cosmetic weld"},
        {"a cosmetic weld that is a bead's",
         WeldModel(R"([{"id": 5, "subWeldings": [{}]}])",
                   R"(, "cosmeticWelds": [{"weld": 5, "intervals": [0, 1]}])", 4),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].cosmeticWelds[0].weld",
         "names no cosmetic weld"},
        {"an unpaired interval",
         WeldModel(cosmeticWeld, R"(, "cosmeticWelds": [{"weld": 5, "intervals": [0, 1, 0.5]}])", 4),
         kDLxErrModelInvalid, "sheets[0].views[0].edges[0].cosmeticWelds[0].intervals",
         "expected pairs of edge parameters"},
    };
    ExpectRefused(std::begin(cases), std::end(cases));
}
} // namespace
