// The styles a drawing takes from its standards: the parts-list style of each standard shows a
// value of the example's bill in every column its standard displays by default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxModelFile.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "utx/UTxString16.h"

namespace {

std::string Example(const char* name) {
    if (const char* data = std::getenv("KORVU_TEST_DATA"))
        return std::string(data) + "/../examples/" + name;
    return (std::filesystem::path(__FILE__).parent_path() / "../../../examples" / name).string();
}

// Headings and titles come from the resource module, which loading the module opens.
class StdStyles : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

// A column whose property the bill does not know would draw empty cells: each default column
// of every standard names a bill column, and each row of the example's bill has a value there.
// Widths are the standard's millimetres as they are.
TEST_F(StdStyles, EveryStandardsPartsListColumnShowsTheExamplesBill) {
    const struct {
        const char16_t* heading;
        DLxLocalBOMColumn::Kind kind;
        double width;
    } columns[] = {{u"Item", DLxLocalBOMColumn::Item, 20.0},
                   {u"Qty", DLxLocalBOMColumn::Quantity, 15.0},
                   {u"Part Number", DLxLocalBOMColumn::PartNumber, 50.0},
                   {u"Description", DLxLocalBOMColumn::Description, 50.0}};
    for (const char16_t* standard : {u"ANSI", u"BSI", u"DIN", u"GB", u"ISO", u"JIS"}) {
        SCOPED_TRACE(UTx::ToUtf8(standard));
        std::unique_ptr<DLxDrawingDoc> doc;
        const UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        doc->GetDrawing()->SetStandardName(standard);
        const DUxTableStylePartsList* style = DLxStdStyles::GetPartsListStyle(doc.get());
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->GetStyleName(), standard);

        DLxLocalBOM* bom =
            DLxLocalBOMMgr::GetLocalBOM(doc->GetRSeDb(), *doc->GetAssembly(), 1, true);
        ASSERT_NE(bom, nullptr);
        DLxLocalBOMQuery query(bom, nullptr, 0);
        ASSERT_TRUE(query.Execute());
        ASSERT_EQ(query.RowCount(), 8u);

        const DUxTableColumnList& got = style->GetColumns();
        ASSERT_EQ(got.size(), std::size(columns));
        for (size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            const DUxTableStyleColumn* column = got[i].Read();
            ASSERT_NE(column, nullptr);
            EXPECT_EQ(column->GetPropertyID()->GetPropertyExternalName(), columns[i].heading);
            EXPECT_EQ(column->GetWidth(), columns[i].width);
            DLxLocalBOMColumn bill;
            ASSERT_TRUE(DLxLocalBOMColumn::FromPropertyID(*column->GetPropertyID(), bill));
            EXPECT_EQ(bill.GetKind(), columns[i].kind);
            for (size_t row = 0; row < query.RowCount(); ++row) {
                std::u16string text;
                query.RowAt(row)->GetCellText(bill, text);
                EXPECT_FALSE(text.empty()) << "row " << row;
            }
        }
    }
}

} // namespace
