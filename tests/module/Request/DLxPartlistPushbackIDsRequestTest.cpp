// Pushing item numbers of a parts list's bill back into the source model: which rows give
// their numbers, how the cookie list is journalled, its replay on a fresh drawing, its undo,
// and the stops that fail it.
#include <gtest/gtest.h>

#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxPartlistPushbackIDsRequest.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/GBxBOMEditDescriptor.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuPartList;
using KorvuBOM::kBracket;
using KorvuBOM::kCover;
using KorvuBOM::kPlate;
using KorvuBOM::kShaft;

class PartlistPushbackIDsRequest : public ModuleTest {};

DLxLocalBOM* Bill(Doc& d) {
    return d.table->GetPartListTableState()->LocalBOM();
}

// The number the model keeps for a component in the structured scheme.
std::u16string ModelNumber(Doc& d, int32_t id) {
    for (const DLxAssemblyComponent& c : d.doc->GetAssembly()->components)
        if (c.id == id) return GBxBOMEditDescriptor::ModelItemNumber(c, 1);
    return u"?";
}

// The drawing numbers the bracket 10, the shaft 20 and the cover's plate 8.9; the cover is
// expanded, so the plate's row is listed too.
DocSetup Numbered() {
    DocSetup s = DefaultSetup();
    s.prepare = [](Doc& d) {
        d.Change([&] {
            DLxLocalBOM* bom = Bill(d);
            EXPECT_TRUE(bom->SetItemNumber(DLxLocalBOMCookie({}, kBracket), u"10"));
            EXPECT_TRUE(bom->SetItemNumber(DLxLocalBOMCookie({}, kShaft), u"20"));
            bom->SetExpanded(DLxLocalBOMCookie({}, kCover), true);
            EXPECT_TRUE(bom->SetItemNumber(DLxLocalBOMCookie({kCover}, kPlate), u"8.9"));
        });
    };
    return s;
}

// The model of the bracket assembly keeps numbers of its top level only: the plate's stays
// in the drawing.
TEST_F(PartlistPushbackIDsRequest, PushingEveryRowWritesTheTopLevelNumbersIntoTheModel) {
    const DocSetup setup = Numbered();
    Doc d(setup);
    SmartPtr<DLxPartlistPushbackIDsRequest> req(new DLxPartlistPushbackIDsRequest(d.table, true));
    EXPECT_EQ(req->GetLocalBOM().get(), Bill(d));
    EXPECT_TRUE(req->GetOtherChangedDocuments(d.doc.get()).empty());
    const UTxString16 line =
        ExpectJournalledAndUndoable(setup, d, req, u"PartlistPushbackIDs", [](Doc& done) {
            EXPECT_EQ(ModelNumber(done, kBracket), u"10");
            EXPECT_EQ(ModelNumber(done, kShaft), u"20");
            EXPECT_EQ(ModelNumber(done, kPlate), u"");
            EXPECT_EQ(ModelNumber(done, KorvuBOM::kBushing), u"");
        });
    EXPECT_NE(line.find(u"PushbackAll=true"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_EQ(line.find(u"Cookies"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_EQ(ModelNumber(d, kBracket), u"");

    // Once the model has a number, pushing it again is no change of the model.
    ASSERT_FALSE(d.doc->Redo().Failed());
    const Bytes pushed = d.Save();
    ASSERT_FALSE(d.Process(new DLxPartlistPushbackIDsRequest(d.table, false)).Failed());
    EXPECT_EQ(d.Save(), pushed);
}

TEST_F(PartlistPushbackIDsRequest, AModelThatKeepsEveryLevelTakesSubRowNumbersByCookie) {
    DocSetup setup = Numbered();
    setup.model.scheme.structuredAllLevels = true;
    Doc d(setup);
    const std::vector<DLxLocalBOMCookie> cookies = {DLxLocalBOMCookie({kCover}, kPlate),
                                                    DLxLocalBOMCookie({}, kShaft)};
    ExpectJournalledAndUndoable(setup, d,
                                new DLxPartlistPushbackIDsRequest(d.table, cookies, false),
                                u"PartlistPushbackIDs", [](Doc& done) {
                                    EXPECT_EQ(ModelNumber(done, kPlate), u"8.9");
                                    EXPECT_EQ(ModelNumber(done, kShaft), u"20");
                                    EXPECT_EQ(ModelNumber(done, kBracket), u"");
                                });
}

// 17 cookies: the keys run Cookies_0 .. Cookies_9, Cookies_a .. Cookies_f, Cookies_10. Rows the
// bill does not have are passed over; a grouped row reads back with all its items.
TEST_F(PartlistPushbackIDsRequest, ACookieListIsJournalledByHexadecimalKeysAndReadsBack) {
    const DocSetup setup = Numbered();
    Doc d(setup);
    DLxLocalBOMCookie grouped({}, KorvuBOM::kBolt);
    grouped.Add(KorvuBOM::kNut);
    std::vector<DLxLocalBOMCookie> cookies = {DLxLocalBOMCookie({}, kBracket), grouped,
                                              DLxLocalBOMCookie({kCover}, kPlate)};
    for (int32_t i = 0; cookies.size() < 17; ++i)
        cookies.push_back(DLxLocalBOMCookie({}, 500 + i));
    const UTxString16 line = ExpectJournalledAndUndoable(
        setup, d, new DLxPartlistPushbackIDsRequest(d.table, cookies, true), u"PartlistPushbackIDs",
        [](Doc& done) { EXPECT_EQ(ModelNumber(done, kBracket), u"10"); });
    for (const char16_t* key : {u"Cookies_Count=17", u"Cookies_9=", u"Cookies_a=", u"Cookies_f=",
                                u"Cookies_10=", u"PushbackAll=false", u"DoCompMinimum=false"})
        EXPECT_NE(line.find(key), UTxString16::npos) << UTx::ToUtf8(key) << UTx::ToUtf8(line);
    EXPECT_EQ(line.find(u"Cookies_11"), UTxString16::npos) << UTx::ToUtf8(line);
    EXPECT_EQ(line.find(u"Cookies_16"), UTxString16::npos) << UTx::ToUtf8(line);

    SmartPtr<DLxPartlistPushbackIDsRequest> read(new DLxPartlistPushbackIDsRequest());
    ASSERT_FALSE(read->InitFromTranscript(d.doc.get(), line).Failed());
    EXPECT_EQ(read->GetCookies(), cookies);
    EXPECT_FALSE(read->GetPushbackAll());
    EXPECT_EQ(read->GetLocalBOM().get(), Bill(d));
}

TEST_F(PartlistPushbackIDsRequest, DoCompMinimumIsReadWhenALineHasItAndFalseWithout) {
    Doc d;
    const UTxString16 ref = FWxUtil::GetTranscriptMgr().StringFromRef(d.table);
    struct Case {
        const char16_t* tail;
        bool expected;
    };
    for (const Case& c : {Case{u"", false}, Case{u" DoCompMinimum=true", true},
                          Case{u" DoCompMinimum=false", false}}) {
        SCOPED_TRACE(UTx::ToUtf8(c.tail));
        SmartPtr<DLxPartlistPushbackIDsRequest> read(new DLxPartlistPushbackIDsRequest());
        const UTxString16 line =
            u"PartlistPushbackIDs PARTSLIST=@\"" + ref + u"\" PushbackAll=true" + c.tail;
        ASSERT_FALSE(read->InitFromTranscript(d.doc.get(), line).Failed()) << UTx::ToUtf8(line);
        EXPECT_EQ(read->GetDoCompMinimum(), c.expected);
        EXPECT_TRUE(read->GetPushbackAll());
    }
}

// A request without a bill is refused; a bill without its model fails the request, which
// the document then rolls back.
TEST_F(PartlistPushbackIDsRequest, RefusalsAndFailuresChangeNothingAndJournalNothing) {
    struct Case {
        const char* name;
        bool withList;
        bool dropModel;
        UTxResultCode code;
    };
    for (const Case& c : {Case{"no parts list", false, false, 0xE009033C},
                          Case{"no model", true, true, 0x200104B3}}) {
        SCOPED_TRACE(c.name);
        DocSetup setup = Numbered();
        Doc d(setup);
        if (c.dropModel) d.Change([&] { Bill(d)->Attach(nullptr); });
        const Bytes before = d.Save();
        const UTxResult r = d.Process(new DLxPartlistPushbackIDsRequest(
            c.withList ? d.table : RSeRef<DLxPartListTable>(), true));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), c.code);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.Save(), before);
        // The placing is all there is to undo.
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_FALSE(d.table.HasTarget());
    }
}

} // namespace
