// The settings record of a new parts list: numbering codes, copies, the source model and its
// bill of materials, and the record's two transcript exchanges read and written on real lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "KorvuBOMFixture.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "rse/RSeDatabase.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "utx/UTxUtil.h"

namespace {

struct Numbering {
    uint32_t minDigits;
    bool numeric;
    bool upper;
    int32_t code;
};

void ExpectNumbering(const DLxPartListData& d, const Numbering& n) {
    EXPECT_EQ(d.GetMinDigits(), n.minDigits);
    EXPECT_EQ(d.GetPONumbering(), n.numeric);
    EXPECT_EQ(d.GetPOUpperCase(), n.upper);
    EXPECT_EQ(d.GetNumberingFormat(), n.code);
}

TEST(PartListDataNumbering, CodesChangeOnlyTheirOwnFields) {
    struct Case {
        const char* name;
        std::vector<int32_t> codes;
        Numbering expected;
    };
    const Case cases[] = {
        {"defaults", {}, {1, true, true, 1}},
        {"letters keep the digits", {3, 7}, {3, false, true, 7}},
        {"lower case", {4, 8}, {4, false, false, 8}},
        {"digits after letters keep the case", {8, 5}, {5, true, false, 5}},
        {"six digits", {6}, {6, true, true, 6}},
        {"zero changes nothing", {3, 7, 0}, {3, false, true, 7}},
        {"nine changes nothing", {2, 9}, {2, true, true, 2}},
        {"a negative code changes nothing", {-1}, {1, true, true, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxPartListData d;
        for (int32_t code : c.codes) d.SetNumberingFormat(code);
        ExpectNumbering(d, c.expected);
    }
}

class PartListData : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(m_doc.SetAssembly(KorvuBOM::BracketAssembly()));
        m_sheet1 = m_doc.CreateSheet(u"Sheet 1", 420, 297);
        m_sheet2 = m_doc.CreateSheet(u"Sheet 2", 420, 297);
        ASSERT_TRUE(m_sheet1 && m_sheet2);
        m_doc.SetActiveSheet(m_sheet1);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    size_t BOMCount() { return DLxLocalBOMMgr::GetLocalBOMs(m_doc.GetRSeDb()).size(); }
    // The line as the record writes it, after a request name.
    UTxString16 Write(DLxPartListData& d) {
        UTxString16 line = u"CreatePartListLocalBOM";
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, true);
        EXPECT_FALSE(d.DoTranscriptDataExchange(tdx).Failed());
        EXPECT_FALSE(result.Failed());
        return line;
    }
    UTxResult Read(const UTxString16& text, DLxPartListData& d) {
        UTxString16 line = text;
        UTxResult result;
        UCxTranscriptDataExchange tdx(line, result, &m_doc, false);
        EXPECT_FALSE(d.DoTranscriptDataExchange(tdx).Failed());
        return result;
    }

    HMODULE m_module = nullptr;
    DLxDrawingDoc m_doc;
    DLxSheet* m_sheet1 = nullptr;
    DLxSheet* m_sheet2 = nullptr;
};

TEST_F(PartListData, ACopyDropsTheSourceCacheTheBillAndTheTransactionButKeepsTheSettings) {
    DLxPartListData d(&m_doc);
    d.SetFilename(u"bracket-assembly.asm");
    ASSERT_TRUE(d.GetLocalBOM(true).HasTarget());
    d.SetOrigin(WqGePoint3d(10, 20, 0));
    d.SetWrapRowCount(4);
    d.SetIsWrapEnabled(true);
    d.SetMemberName(u"M2");
    d.SetDesignView(u"DV");
    d.SetSheetInstance(RSeRef<DLxSheet>(m_sheet2));
    d.SetNumberingFormat(8);
    d.SetInRequest(true);

    const DLxPartListData copy(d);
    EXPECT_FALSE(const_cast<DLxPartListData&>(copy).GetLocalBOM(false).HasTarget());
    EXPECT_FALSE(copy.IsSchemeChangeEnabled());
    EXPECT_FALSE(copy.MasterRepEdited());
    EXPECT_EQ(copy.GetCmdTxnId(), DLxPartListData::kNoTxn);
    EXPECT_TRUE(copy.IsInRequest());
    EXPECT_EQ(copy.GetDocument(), &m_doc);
    EXPECT_EQ(copy.GetFilename(), u"bracket-assembly.asm");
    EXPECT_EQ(copy.GetOrigin().y, 20);
    EXPECT_EQ(copy.GetWrapRowCount(), 4);
    EXPECT_TRUE(copy.IsWrapEnabled());
    EXPECT_EQ(copy.GetMemberName(), u"M2");
    EXPECT_EQ(copy.GetDesignView(), u"DV");
    EXPECT_EQ(copy.GetSheetInstance().get(), m_sheet2);
    EXPECT_EQ(copy.GetNumberingFormat(), 8);
    EXPECT_EQ(copy.GetSchemeID(), d.GetSchemeID());
    EXPECT_EQ(copy.GetDelimiter(), d.GetDelimiter());
}

TEST_F(PartListData, FindsTheDrawingsBillOfTheSourceAndTakesItsNumbering) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.structuredFormat = 3;
    model.scheme.structuredDelimiter = u"-";
    model.scheme.structuredAllLevels = true;
    ASSERT_TRUE(m_doc.SetAssembly(model));
    ASSERT_TRUE(DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), *m_doc.GetAssembly(), 1, true));

    DLxPartListData d(&m_doc);
    // The file system's spelling of the same path.
    d.SetFilename(u"Bracket-Assembly.ASM");
    EXPECT_TRUE(d.GetLocalBOM(false).HasTarget());
    EXPECT_FALSE(d.IsSchemeChangeEnabled());
    EXPECT_FALSE(d.IsSchemeOptionsChangeEnabled());
    EXPECT_EQ(d.GetSchemeID(), 1);
    EXPECT_EQ(d.GetDelimiter(), u"-");
    EXPECT_EQ(d.GetSLevelID(), 2u);
    EXPECT_EQ(d.GetNumberingFormat(), 3);
}

TEST_F(PartListData, GetLocalBOMWithoutCreateNeverMakesOneAndACreateEnablesTheScheme) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    ASSERT_TRUE(m_doc.SetAssembly(model));
    DLxPartListData d(&m_doc);
    d.SetFilename(u"bracket-assembly.asm");
    ASSERT_FALSE(m_doc.GetAssembly()->scheme.partsOnlyEnabled);
    d.SetSchemeID(2);
    EXPECT_TRUE(d.IsSchemeOptionsChangeEnabled());
    d.SetNumberingFormat(7);

    EXPECT_FALSE(d.GetLocalBOM(false).HasTarget());
    EXPECT_EQ(BOMCount(), 0u);
    EXPECT_FALSE(d.MasterRepEdited());

    RSeRef<DLxLocalBOM> bom = d.GetLocalBOM(true);
    ASSERT_TRUE(bom.HasTarget());
    EXPECT_EQ(bom->GetSchemeID(), 2);
    EXPECT_TRUE(d.MasterRepEdited());
    EXPECT_TRUE(m_doc.GetAssembly()->scheme.partsOnlyEnabled);
    EXPECT_EQ(m_doc.GetAssembly()->scheme.partsOnlyFormat, 7);
    EXPECT_EQ(BOMCount(), 1u);
    // Asked again, the same bill.
    EXPECT_EQ(d.GetLocalBOM(true).get(), bom.get());
    EXPECT_EQ(BOMCount(), 1u);
}

// The preview's bill and the scheme it enables live in the command's transaction, which the
// abort takes back whole; a copy taken meanwhile holds neither the bill nor the transaction.
TEST_F(PartListData, TheCommandTransactionTakesThePreviewsBillAndSchemeBack) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    ASSERT_TRUE(m_doc.SetAssembly(model));
    std::vector<uint8_t> before;
    ASSERT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(before).Failed());

    DLxPartListData d(&m_doc);
    d.SetFilename(u"bracket-assembly.asm");
    d.SetSchemeID(2);
    ASSERT_TRUE(d.PreTransactionValidityCheck(true));
    ASSERT_TRUE(d.StartCmdTxn());
    EXPECT_NE(d.GetCmdTxnId(), DLxPartListData::kNoTxn);
    // One transaction at a time.
    DLxPartListData other(&m_doc);
    EXPECT_FALSE(other.StartCmdTxn());
    ASSERT_TRUE(d.GetLocalBOM(true).HasTarget());
    EXPECT_TRUE(d.MasterRepEdited());
    EXPECT_EQ(BOMCount(), 1u);

    const DLxPartListData copy(d);
    EXPECT_EQ(copy.GetCmdTxnId(), DLxPartListData::kNoTxn);
    EXPECT_FALSE(const_cast<DLxPartListData&>(copy).GetLocalBOM(false).HasTarget());
    EXPECT_FALSE(copy.MasterRepEdited());

    d.AbortCmdTxn();
    EXPECT_EQ(d.GetCmdTxnId(), DLxPartListData::kNoTxn);
    EXPECT_FALSE(m_doc.GetRSeDb()->InTxn());
    EXPECT_EQ(BOMCount(), 0u);
    EXPECT_FALSE(m_doc.GetAssembly()->scheme.partsOnlyEnabled);
    std::vector<uint8_t> after;
    ASSERT_FALSE(m_doc.GetRSeDb()->SaveToBuffer(after).Failed());
    EXPECT_EQ(after, before);
    // Aborting again does nothing.
    d.AbortCmdTxn();
    EXPECT_FALSE(m_doc.GetRSeDb()->InTxn());
}

TEST_F(PartListData, AFileTheDrawingDoesNotDocumentHasNoSourceAndNoBill) {
    DLxPartListData d(&m_doc);
    d.SetFilename(u"other.asm");
    EXPECT_EQ(d.GetRep(), nullptr);
    EXPECT_FALSE(d.GetLocalBOM(true).HasTarget());
    EXPECT_TRUE(d.PreTransactionValidityCheck(true));
    EXPECT_EQ(BOMCount(), 0u);
}

TEST_F(PartListData, AFactorySourceForcesTheFirstLevelStructuredSchemeWithOneDigit) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    for (DLxAssemblyComponent& c : model.components)
        if (c.id == model.root) {
            c.isFactory = true;
            c.factoryMembers = {u"A", u"B"};
            c.activeMember = u"A";
        }
    ASSERT_TRUE(m_doc.SetAssembly(model));
    DLxPartListData d(&m_doc);
    d.SetSchemeIDRaw(2);
    d.SetSLevelID(2);
    d.SetNumberingFormat(4);
    d.SetFilename(u"bracket-assembly.asm");
    EXPECT_TRUE(d.IsFactory());
    EXPECT_EQ(d.GetSchemeID(), 1);
    EXPECT_EQ(d.GetSLevelID(), 1u);
    EXPECT_EQ(d.GetMinDigits(), 1u);
}

TEST_F(PartListData, AWrittenLineReadsBackIntoTheSameSettings) {
    DLxPartListData d(&m_doc);
    d.SetFilename(u"bracket-assembly.asm");
    d.SetOrigin(WqGePoint3d(12.5, 0.1, 0));
    d.SetWrapMode(0);
    d.SetWrapDirection(1);
    d.SetWrapRowCount(7);
    d.SetWrapSectionCount(3);
    d.SetIsWrapEnabled(true);
    d.SetSheetInstance(RSeRef<DLxSheet>(m_sheet2));
    d.SetMemberName(u"M \"1\"");
    d.SetDesignView(u"Front");
    d.SetDelimiter(u"/");
    d.SetSchemeIDRaw(2);
    d.SetInheritance(false);
    d.SetSLevelID(2);
    d.SetNumberingFormat(5);
    d.SetNumberingFormat(8);
    const UTxString16 line = Write(d);
    EXPECT_EQ(line.find(u"IsComponent"), UTxString16::npos);

    DLxPartListData r;
    ASSERT_FALSE(Read(line, r).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(r.GetDocument(), &m_doc);
    EXPECT_EQ(r.GetFilename(), d.GetFilename());
    EXPECT_EQ(r.GetOrigin().x, 12.5);
    EXPECT_EQ(r.GetOrigin().y, 0.1);
    EXPECT_EQ(r.GetWrapMode(), 0);
    EXPECT_EQ(r.GetWrapDirection(), 1);
    EXPECT_EQ(r.GetWrapRowCount(), 7);
    EXPECT_EQ(r.GetWrapSectionCount(), 3);
    EXPECT_TRUE(r.IsWrapEnabled());
    EXPECT_EQ(r.GetSheetInstance().get(), m_sheet2);
    EXPECT_EQ(r.GetMemberName(), d.GetMemberName());
    EXPECT_EQ(r.GetDesignView(), u"Front");
    EXPECT_EQ(r.GetDelimiter(), u"/");
    EXPECT_EQ(r.GetSchemeID(), 2);
    EXPECT_FALSE(r.GetInheritance());
    EXPECT_EQ(r.GetSLevelID(), 2u);
    EXPECT_EQ(r.GetMinDigits(), 5u);
    EXPECT_EQ(r.GetNumberingFormat(), 8);
    EXPECT_EQ(r.IsSchemeOptionsChangeEnabled(), d.IsSchemeOptionsChangeEnabled());
    EXPECT_FALSE(r.MasterRepEdited());
    EXPECT_EQ(r.GetCmdTxnId(), DLxPartListData::kNoTxn);
    // Written again, the same line.
    EXPECT_EQ(Write(r), line);
}

TEST_F(PartListData, OldAndHandWrittenLinesRead) {
    const UTxString16 head =
        u"CreatePartListLocalBOM Filename=\"bracket-assembly.asm\" LayerStyle=null "
        u"SymbolStyle=null Origin=(1.0,2.0,0.0) WrapMode=1 WrapDir=0 WrapRowCount=10 "
        u"WrapSectionCount=1 WrappingEnabled=false";
    struct Case {
        const char* name;
        UTxString16 tail;
        int32_t legacyBefore;
        bool fails;
        int32_t scheme;
        int32_t legacy;
    };
    const Case cases[] = {
        {"a component selects the structured scheme", u" IsComponent=true", 0, false, 1, 0},
        {"a part selects the parts-only scheme", u" IsComponent=false", 0, false, 2, 0},
        {"neither key: the scheme is required", u"", 0, true, 1, 0},
        {"legacy options are masked and or-ed", u" SchemeID=0 LegacyOptions=643", 0x100, false,
         0, 0x183},
        {"zero clears the legacy options", u" SchemeID=0 LegacyOptions=0", 0x82, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DLxPartListData r;
        r.SetMemberName(u"kept");
        r.SetLegacyOptions(c.legacyBefore);
        const UTxResult result = Read(head + c.tail, r);
        EXPECT_EQ(result.Failed(), c.fails);
        if (c.fails) continue;
        EXPECT_EQ(r.GetSchemeID(), c.scheme);
        EXPECT_EQ(r.GetLegacyOptions(), c.legacy);
        // Written before members, design views and sheets were transcribed: the defaults stay.
        EXPECT_EQ(r.GetMemberName(), u"kept");
        EXPECT_EQ(r.GetDesignView(), u"");
        EXPECT_EQ(r.GetSheetInstance().get(), m_sheet1);
        EXPECT_EQ(r.GetOrigin().y, 2.0);
    }
}

} // namespace
