// The parts list's browser entry in stored drawings: a drawing with a parts list saves, opens
// and saves again to the same bytes, the program's dump names the table by its key and shows
// its entry, and the entry's older records load.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>

#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "KorvuBOMFixture.h"
#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxUtil.h"

namespace {

std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RunKorvu(const std::string& args) {
    std::string out;
    FILE* p = popen((std::string(KORVU_BIN) + " " + args + " 2>&1").c_str(), "r");
    if (!p) return out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        out.append(buf, n);
    pclose(p);
    return out;
}

class PartListEntryStorage : public ::testing::Test {
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

TEST_F(PartListEntryStorage, ADrawingWithAPartsListSavesOpensAndSavesTheSame) {
    const DLxAssemblyData assembly = KorvuBOM::BracketAssembly();
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(assembly));
    DLxSheet* sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    ASSERT_TRUE(bom);
    RSeRef<DLxPartListTable> table =
        DLxPartListTable::Create(sheet, WqGePoint3d(20, 30, 0), RSeRef<DLxLocalBOM>(bom), {}, {});
    ASSERT_TRUE(table);
    table->RegisterAnnotation(sheet);
    table->SetTitle(u"Parts of the bracket");
    table->AddDLBrowserEntry(sheet);
    RDxComputeContext ctx;
    ASSERT_FALSE(sheet->Recompute(ctx).Failed());
    auto* entry = dynamic_cast<DLxPartListDwgBrowserEntry*>(doc.GetEntry(table.get()));
    ASSERT_TRUE(entry);
    const uint32_t entryId = entry->GetId();

    KorvuTempDir dir;
    ASSERT_FALSE(doc.Save(dir.File("a.kdoc")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(dir.File("a.kdoc"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* back = dynamic_cast<DLxPartListDwgBrowserEntry*>(loaded->GetRSeDb()->FindObject(entryId));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Name(), u"Parts of the bracket");
    EXPECT_EQ(back->Text(), u"Parts of the bracket:bracket-assembly.asm");
    EXPECT_EQ(loaded->GetEntry(back->Subject().GetTarget()), back);
    EXPECT_EQ(back->GetParent(), loaded->GetEntry(loaded->GetSheets().front()));
    ASSERT_FALSE(loaded->Save(dir.File("b.kdoc")).Failed());
    EXPECT_EQ(Bytes(dir.File("a.kdoc")), Bytes(dir.File("b.kdoc")));

    const std::string dump = RunKorvu("dump " + dir.File("a.kdoc"));
    EXPECT_NE(dump.find("DLxPartListTable #" + std::to_string(table->GetId()) +
                        " key DLxPartListTable#20,30"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("Parts of the bracket:bracket-assembly.asm"), std::string::npos) << dump;
}

// Versions 1 to 3 kept a status word that no longer means anything, version 4 added the file
// name; version 0 has neither.
TEST_F(PartListEntryStorage, OlderRecordsLoadTheirFileNameAndDropTheOldStatus) {
    struct Case {
        uint16_t version;
        uint32_t status;
        const char16_t* file;
    };
    const Case cases[] = {
        {0, 0, u""}, {1, 0, u""}, {3, 0, u""}, {4, 0, u"old.asm"}, {5, 0x7, u"new.asm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        w.AddClass(u"BRxEntry", 0);
        w.AddClass(u"BRxFixedEntry", 0);
        const uint32_t meta = w.AddClass(u"DLxPartListDwgBrowserEntry", c.version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(meta, 1);
        w.RefValue(0); // subject
        w.RefValue(0); // parent subject
        s.Write(false);
        s.Write(int32_t(DLxDrawingDoc::kPartsListEntry));
        s.Write(UTxString16(u"Parts List"));
        w.RefValue(0); // second
        s.Write(true);
        if (c.version >= 1) s.Write(uint32_t(0x7));
        if (c.version >= 4) s.Write(UTxString16(c.file));
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(2);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* entry = dynamic_cast<DLxPartListDwgBrowserEntry*>(db->FindObject(1));
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->Name(), u"Parts List");
        EXPECT_EQ(entry->GetStatusCode(), c.status);
        EXPECT_EQ(entry->FileNameText(), c.file);
        if (c.version < 5) continue;

        // A copy reads its bill's state afresh: no status yet, the file name kept until then.
        RSeCloneCommander cc(db->GetSegment(0));
        ASSERT_FALSE(cc.Clone({entry}).Failed());
        auto* copy = dynamic_cast<DLxPartListDwgBrowserEntry*>(cc.CloneOf(entry));
        ASSERT_TRUE(copy);
        EXPECT_EQ(copy->GetStatusCode(), 0u);
        EXPECT_EQ(copy->FileNameText(), c.file);
        EXPECT_EQ(copy->Name(), u"Parts List");
    }
}

} // namespace
