// Parts lists placed from a model file: the example's lies wholly on its sheet, clear of the
// views, and shows the bill's values under the standard's headings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListPlacement.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "WinModule.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeSegment.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

std::string Example(const char* name) {
    if (const char* data = std::getenv("KORVU_TEST_DATA"))
        return std::string(data) + "/../examples/" + name;
    return (std::filesystem::path(__FILE__).parent_path() / "../../../examples" / name).string();
}

BBox Extents(const SMxDisplayList& list) {
    BBox box;
    for (const SMxDisplayItem& item : list)
        item.ExtendBBox(box, WqGeMatrix3d());
    return box;
}

TEST(DLxPartListPlacement, TheExamplesPartsListLiesOnItsSheetClearOfTheViews) {
    const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
    HMODULE module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
    ASSERT_NE(module, nullptr);
    {
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        // As the program places them on a new document.
        ASSERT_TRUE(DLxPartListPlacement::PlaceModelPartsLists(doc.get()));
        ASSERT_EQ(doc->GetSheets().size(), 1u);
        DLxSheet* sheet = doc->GetSheets()[0];
        std::vector<DLxPartListTable*> tables;
        RSe::SegmentOf(sheet)->ForEachObject([&](RSeVMeta* o) {
            if (auto* t = dynamic_cast<DLxPartListTable*>(o)) tables.push_back(t);
        });
        ASSERT_EQ(tables.size(), 1u);
        const SMxDisplayList* list = tables[0]->GetDisplayList();
        ASSERT_NE(list, nullptr);
        const BBox table = Extents(*list);
        ASSERT_FALSE(table.isEmpty());
        // A margin of a few millimetres from the sheet's edge, as a frame would need.
        const double margin = 5.0;
        EXPECT_GE(table.min.x, margin);
        EXPECT_GE(table.min.y, margin);
        EXPECT_LE(table.max.x, sheet->GetWidth() - margin);
        EXPECT_LE(table.max.y, sheet->GetHeight() - margin);
        for (DLxViewInstance* view : sheet->GetViews()) {
            SMxDisplayList drawn;
            view->BuildDisplayList(drawn);
            SCOPED_TRACE(UTx::ToUtf8(view->GetName()));
            EXPECT_FALSE(Extents(drawn).intersects(table));
        }
        std::vector<UTxString16> texts;
        for (const SMxDisplayItem& item : *list)
            if (const auto* text = item.As<SMxTextItem>()) texts.push_back(text->text);
        for (const char16_t* t : {u"PARTS LIST", u"Item", u"Qty", u"Part Number", u"Description",
                                  u"ISO 4017 M8x30", u"Hexagon head bolt", u"CA-110"}) {
            SCOPED_TRACE(UTx::ToUtf8(t));
            EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end());
        }
    }
    FreeLibrary(module);
}

} // namespace
