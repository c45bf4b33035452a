// The stored classes of the parts-list model as documents record them: a document written by
// another build names each class by its GUID and version and expects the same base chain, so a
// wrong word here makes old drawings unreadable.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "WinModule.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "utx/UTxGUID.h"
#include "utx/UTxUtil.h"

namespace {

class PartListRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }

private:
    HMODULE m_module = nullptr;
};

enum Kind : uint32_t {
    kOrdinary = 3864,
    kAbstract = 36632,
    // The row filters are targets of their list's references, which in this host makes them
    // identified classes like any other.
    kRowFilter = kOrdinary,
};

struct Row {
    const char16_t* name;
    UTxGUID guid;
    uint16_t version;
    const char16_t* base;
    Kind kind;
};

const Row kRows[] = {
    {u"DLxAssemblySurrogateProxy",
     {0x66DD88E4, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810},
     1,
     u"DLxDataSourceProxy",
     kOrdinary},
    {u"DLxBOMProxy", {0x48B96BCB, 0xF5BF11D1, 0xBA7C0800, 0x09DB8810}, 0, u"RSeIDed", kOrdinary},
    {u"DLxComponentProperty",
     {0x18B1FE09, 0x57DE11D2, 0x8BC30800, 0x09DB8810},
     0,
     u"RSeIDed",
     kAbstract},
    {u"DLxComponentPropertyGeneralDT",
     {0x039838C6, 0xA4E211D2, 0x8BCD0800, 0x09DB8810},
     1,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyGeneralDTTransparent",
     {0x66DD88D5, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810},
     1,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyPartListItem",
     {0x66DD88FB, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810},
     0,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyPartListPartMass",
     {0xFF41B0F4, 0x0CAB11D3, 0xB2FF0060, 0xB087BCEC},
     1,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyPartListPartMaterial",
     {0xA5624C60, 0x0CAB11D3, 0xB2FF0060, 0xB087BCEC},
     2,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyPartListPartName",
     {0xCD32F3E9, 0xED2911D2, 0x8BCF0800, 0x09DB8810},
     0,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyPartListQuantity",
     {0x66DD8901, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810},
     0,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyStringDT",
     {0x2C0D60DB, 0x5D9011D2, 0x8BC30800, 0x09DB8810},
     1,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxComponentPropertyStringDTTransparent",
     {0x52481794, 0x6F9A11D2, 0x8BC70800, 0x09DB8810},
     1,
     u"DLxComponentProperty",
     kOrdinary},
    {u"DLxDataSourcePartProxy",
     {0x2C0D60F5, 0x5D9011D2, 0x8BC30800, 0x09DB8810},
     1,
     u"DLxDataSourceProxy",
     kOrdinary},
    {u"DLxDataSourceProxy",
     {0x2C0D60E9, 0x5D9011D2, 0x8BC30800, 0x09DB8810},
     0,
     u"RSeIDed",
     kAbstract},
    {u"DLxPartListAssemblyDataSourceObserver",
     {0x039838D2, 0xA4E211D2, 0x8BCD0800, 0x09DB8810},
     0,
     u"DLxPartListDataSourceObserver",
     kOrdinary},
    {u"DLxPartListColumn",
     {0xDE09C14A, 0x775811D3, 0x86720060, 0xB087236C},
     2,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListColumnHeaders",
     {0xDE09C149, 0x775811D3, 0x86720060, 0xB087236C},
     0,
     u"RSeIDed",
     kOrdinary},
    {u"DLxColumnHeaders",
     {0x62E92E01, 0x58B211D2, 0x8BC30800, 0x09DB8810},
     0,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListComponent",
     {0x18B1FE04, 0x57DE11D2, 0x8BC30800, 0x09DB8810},
     1,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListComponentGroup",
     {0x7E66737A, 0x58AA11D2, 0x8BC30800, 0x09DB8810},
     0,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListComponentPropertiesTable",
     {0xABD81C28, 0x58BB11D2, 0x8BC30800, 0x09DB8810},
     4,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListDwgBrowserEntry",
     {0xC2D84C27, 0x445411D2, 0xBA8E0800, 0x09DB8810},
     5,
     u"BRxFixedEntry",
     kOrdinary},
    {u"DLxPartlistFilterBallooned",
     {0x7A7AE222, 0x8CA94095, 0xA0CFAD57, 0x32219CD2},
     0,
     u"DUxTableRowFilter",
     kRowFilter},
    {u"DLxPartlistFilterPurchased",
     {0xC1A8BE95, 0x9C324607, 0xA0329863, 0x50EBF6DD},
     0,
     u"DUxTableRowFilter",
     kRowFilter},
    {u"DLxPartlistFilterStandard",
     {0x1D5D31D1, 0x0CF64B44, 0x8D2C50AA, 0xFC5ED229},
     0,
     u"DUxTableRowFilter",
     kRowFilter},
    {u"DLxPartlistFilterDesignView",
     {0xE4E8AE81, 0x39AD44BC, 0x8573FF30, 0x6A223A24},
     1,
     u"DUxTableRowFilter",
     kRowFilter},
    {u"DLxPartlistFilterItemRange",
     {0x8F0FB7B4, 0xF2C94F33, 0xA92E9F1F, 0xED18E01C},
     0,
     u"DUxTableRowFilter",
     kRowFilter},
    {u"DLxPartListItemIdRanges",
     {0x0D564EB9, 0x8B0E11D2, 0x8BC80800, 0x09DB8810},
     0,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListPropertiesTableComponent",
     {0x66DD88D9, 0xBBCD11D2, 0x8BCE0800, 0x09DB8810},
     0,
     u"RSeIDed",
     kAbstract},
    {u"DLxPartListProperty",
     {0xB610EF8C, 0x654611D2, 0x8BC50800, 0x09DB8810},
     2,
     u"RSeIDed",
     kOrdinary},
    {u"DLxPartListPropertyId",
     {0x039838C0, 0xA4E211D2, 0x8BCD0800, 0x09DB8810},
     0,
     u"RSeIDed",
     kOrdinary},
    // The annotation base of this host's sheets is the emblem.
    {u"DLxPartListTable",
     {0x96E536F1, 0x0D3C11D2, 0xBA800800, 0x09DB8810},
     11,
     u"DLxEmblem",
     kOrdinary},
};

TEST_F(PartListRegistration, EachStoredClassHasItsGuidVersionBaseAndKind) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(UTx::ToUtf8(row.name));
        const RSeMetaType* mt = RSeMetaType::Find(row.name);
        ASSERT_NE(mt, nullptr);
        EXPECT_TRUE(mt->GetGUID() == row.guid);
        EXPECT_EQ(RSeMetaType::FindByGUID(row.guid), mt);
        EXPECT_EQ(mt->GetVersion(), row.version);
        ASSERT_NE(mt->GetBase(), nullptr);
        EXPECT_EQ(UTx::ToUtf8(mt->GetBase()->GetName()), UTx::ToUtf8(row.base));
        EXPECT_EQ(mt->GetFlags(), uint32_t(row.kind));
    }
}

// A document holds only concrete objects: an abstract base's meta type makes none, while a
// concrete class makes its object in the segment.
TEST_F(PartListRegistration, AbstractBasesCreateNoObjects) {
    RSeDatabase db;
    RSeSegment* segment = db.CreateSegment(u"Sheet");
    for (const Row& row : kRows) {
        SCOPED_TRACE(UTx::ToUtf8(row.name));
        RSeMetaType* mt = RSeMetaType::Find(row.name);
        ASSERT_NE(mt, nullptr);
        RSeVMeta* made = mt->Construct(segment);
        EXPECT_EQ(made == nullptr, row.kind == kAbstract);
    }
}

} // namespace
