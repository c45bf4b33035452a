// The shape every change request of the module shares, on a small test request: its transcript
// record, its replay, and the create bulletin's clipboard rule on undo.
#include <gtest/gtest.h>

#include <fstream>

#include "Clipboard.h"
#include "KorvuTestSupport.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "TstStoredClasses.h"
#include "dl/DLxDragDropData.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {

// Sets a node's texts, or (Create) makes a new node holding them and points the node at it.
class TstFieldsRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(TstFieldsRequest)
    TstFieldsRequest() = default;
    TstFieldsRequest(RSeRef<TstNode> node, std::vector<UTxString16> fields, bool create)
        : m_node(std::move(node)), m_fields(std::move(fields)), m_create(create) {}

    UTxResult Script(FWxSceneDoc* doc) override {
        return DLxRequestUtil::Script(*this, doc, u"TstSetFields");
    }
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override {
        return DLxRequestUtil::InitFromTranscript(*this, doc, line);
    }
    UTxResult ValidateInputs(FWxSceneDoc*) override {
        return m_node ? UTxResult() : UTxResult(0xE009033C, u"Node: no node of this kind");
    }
    UTxResult _Execute(FWxSceneDoc* doc) override {
        if (!m_create) {
            m_node->m_texts = m_fields;
            return {};
        }
        TstNode* made = TstNew<TstNode>(m_node->GetSegment());
        made->m_texts = m_fields;
        m_node->m_ref = made;
        new DLxCreateSymbolInstanceBulletin(doc, RSeRefBase(made));
        m_made = made;
        return {};
    }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        DLxRequestUtil::ExchangeVersion(tdx, m_version, 1);
        TranscriptRSeRefArgument(tdx, u"Node", m_node, true);
        DLxTranscriptVector(tdx, u"Fields", m_fields, true,
                            [](UCxTranscriptDataExchange& t, const char16_t* k, UTxString16& e,
                               bool r) { _TDX_String(t, k, e, r); });
        _TDX_Bool(tdx, u"Create", m_create, false);
        return tdx.GetResult();
    }

    RSeRef<TstNode> m_node;
    std::vector<UTxString16> m_fields;
    bool m_create = false;
    int32_t m_version = -1;
    RSeRef<TstNode> m_made;
};
IMPLEMENT_DYNCREATE(TstFieldsRequest, FWxChangeRequest)
const bool s_registered =
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(TstFieldsRequest), u"TstSetFields");

std::vector<UTxString16> Fields(int n) {
    std::vector<UTxString16> out;
    for (int i = 0; i < n; ++i)
        out.push_back(u"f " + UTx::MakeWideString(std::to_string(i)));
    return out;
}

// Two documents that start alike, so that ids match between them.
struct Doc {
    FWxSceneDoc doc;
    std::vector<RSeRef<TstNode>> nodes;
    Doc() {
        for (int i = 0; i < 3; ++i)
            nodes.emplace_back(TstNew<TstNode>(RSe::SegmentOf(doc.GetRSeDb())));
        TstNew<TstZero>(RSe::SegmentOf(doc.GetRSeDb()));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> out;
        doc.GetRSeDb()->SaveToBuffer(out);
        return out;
    }
    UTxResult Run(int node, int nfields, bool create = false) {
        return doc.ProcessChangeRequest(new TstFieldsRequest(nodes[node], Fields(nfields), create));
    }
};

struct RequestTest : ::testing::Test {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    void SetUp() override {
        ASSERT_TRUE(s_registered);
        mgr.ClearLines();
        WinClipboardResetForTests();
    }
};

TEST_F(RequestTest, SixteenFieldsAreACountAndHexSuffixedEntries) {
    Doc d;
    ASSERT_FALSE(d.Run(1, 16).Failed());
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    FWxTranscriptLine parsed;
    ASSERT_FALSE(FWxTranscriptMgr::ParseLine(mgr.GetLines()[0], parsed).Failed());
    EXPECT_EQ(parsed.name, u"TstSetFields");
    std::vector<UTxString16> keys;
    for (const auto& p : parsed.pairs)
        keys.emplace_back(p.key);
    std::vector<UTxString16> expected = {u"TDXVersion", u"Node", u"Fields_Count"};
    for (const char16_t* s : {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"a",
                              u"b", u"c", u"d", u"e", u"f"})
        expected.push_back(UTxString16(u"Fields_") + s);
    expected.push_back(u"Create");
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(parsed.Find(u"Fields_Count")->GetInt(), 16);
    EXPECT_EQ(parsed.Find(u"Fields_f")->GetText(), u"f 15");
    // Past one digit, up to the largest index.
    EXPECT_EQ(DLxRequestUtil::ElementKey(u"Fields", 0x10), u"Fields_10");
    EXPECT_EQ(DLxRequestUtil::ElementKey(u"Fields", 0xFFFFFFFFu), u"Fields_ffffffff");
}

TEST_F(RequestTest, ARecordWithoutItsVersionReadsAsVersionZero) {
    Doc d;
    const UTxString16 key = mgr.StringFromRef(RSeRefBase(d.nodes[0].get()));
    TstFieldsRequest old;
    ASSERT_FALSE(old.InitFromTranscript(&d.doc, u"TstSetFields Node=@\"" + key +
                                                    u"\" Fields_Count=1 Fields_0=\"x\"")
                     .Failed());
    EXPECT_EQ(old.m_version, 0);
    EXPECT_EQ(old.m_fields, std::vector<UTxString16>{u"x"});
    EXPECT_EQ(old.m_node.get(), d.nodes[0].get());
}

TEST_F(RequestTest, ReplayingTheTranscriptGivesTheSameRequestsAndDocument) {
    Doc a, b;
    ASSERT_FALSE(a.Run(0, 3).Failed());
    ASSERT_FALSE(a.Run(1, 16, true).Failed());
    ASSERT_FALSE(a.doc.Undo().Failed());
    ASSERT_FALSE(a.Run(2, 1, true).Failed());
    ASSERT_FALSE(a.Run(0, 0).Failed());

    // Each line reads back into an equal request.
    TstFieldsRequest written(a.nodes[1], Fields(16), true);
    TstFieldsRequest read;
    ASSERT_FALSE(read.InitFromTranscript(&a.doc, mgr.GetLines()[1]).Failed());
    EXPECT_EQ(read.m_fields, written.m_fields);
    EXPECT_EQ(read.m_node.get(), written.m_node.get());
    EXPECT_EQ(read.m_create, written.m_create);
    EXPECT_EQ(read.m_version, 1);

    KorvuTempDir dir;
    const std::string path = dir.File("session.txt");
    {
        std::ofstream out(path);
        out << "# a transcript\n";
        for (const auto& line : mgr.GetLines())
            out << UTx::ToUtf8(line) << "\n";
    }
    int32_t done = 0;
    UTxResult r = mgr.ReplayFile(&b.doc, path, &done);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(done, 5);
    EXPECT_EQ(b.Bytes(), a.Bytes());
}

// Long records: lines of 20 000 and of 120 000 pairs replay to the same fields, the same line
// written back byte for byte, and the same document.
TEST_F(RequestTest, LongLinesReplayToTheSameLineAndDocument) {
    for (int pairs : {20000, 120000}) {
        SCOPED_TRACE(pairs);
        mgr.ClearLines();
        Doc a, b;
        const int fields = pairs - 4; // and TDXVersion, Node, Fields_Count, Create
        ASSERT_FALSE(a.Run(1, fields).Failed());
        ASSERT_EQ(mgr.GetLines().size(), 1u);
        const UTxString16 line = mgr.GetLines()[0];
        FWxTranscriptLine parsed;
        ASSERT_FALSE(FWxTranscriptMgr::ParseLine(line, parsed).Failed());
        EXPECT_EQ(parsed.pairs.size(), size_t(pairs));

        KorvuTempDir dir;
        std::ofstream(dir.File("t.txt"), std::ios::binary) << UTx::ToUtf8(line) << "\n";
        UTxResult r = mgr.ReplayFile(&b.doc, dir.File("t.txt"));
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        EXPECT_TRUE(b.nodes[1]->m_texts == Fields(fields));
        ASSERT_EQ(mgr.GetLines().size(), 2u);
        EXPECT_TRUE(mgr.GetLines()[1] == line);
        EXPECT_TRUE(b.Bytes() == a.Bytes());
    }
}

TEST_F(RequestTest, ABadLineStopsTheReplayNamingTheLineAndKeyAndKeepsWhatCameBefore) {
    Doc d;
    const UTxString16 node = u"@\"" + mgr.StringFromRef(RSeRefBase(d.nodes[0].get())) + u"\"";
    const UTxString16 zero =
        u"@\"" +
        mgr.StringFromRef(
            RSeRefBase(dynamic_cast<RSeIDed*>(d.doc.GetRSeDb()->GetSegment(0)->GetObjects()[3]))) +
        u"\"";
    const UTxString16 good = u"TstSetFields Node=" + node + u" Fields_Count=1 Fields_0=\"kept\"";
    struct Case {
        UTxString16 line;
        const char* mentions;
    };
    const Case cases[] = {
        {u"NoSuchRequest Node=" + node, "NoSuchRequest"},
        {u"TstSetFields Node=" + node + u" Fields_Count=2 Fields_0=\"a\"", "Fields_1"},
        {u"TstSetFields Node=" + node + u" Fields_Count=\"two\"", "Fields_Count"},
        {u"TstSetFields Node=@\"TstNode#999\" Fields_Count=0", "Node"},
        {u"TstSetFields Node=" + zero + u" Fields_Count=0", "Node"},
        {u"TstSetFields Node=" + node + u" Fields_Count=1 Fields_0=\"unterminated", "Fields_0"},
        // Keys that the request does not read are not silently dropped.
        {good + u" Feilds_1=\"x\"", "Feilds_1: not a key of TstSetFields"},
        {good + u" Fields_1=\"past the count\"", "Fields_1: not a key of TstSetFields"},
        {u"Undo Node=" + node, "Node: Undo takes no keys"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mentions);
        Doc fresh;
        KorvuTempDir dir;
        {
            std::ofstream out(dir.File("t.txt"));
            out << UTx::ToUtf8(good) << "\n"
                << UTx::ToUtf8(c.line) << "\n"
                << UTx::ToUtf8(good) << "\n";
        }
        int32_t done = 0;
        UTxResult r = mgr.ReplayFile(&fresh.doc, dir.File("t.txt"), &done);
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(done, 1);
        const std::string message = r.GetMessageUtf8();
        EXPECT_NE(message.find("line 2"), std::string::npos) << message;
        EXPECT_NE(message.find(c.mentions), std::string::npos) << message;
        EXPECT_EQ(fresh.nodes[0]->m_texts, std::vector<UTxString16>{u"kept"});
    }
}

TEST_F(RequestTest, UndoingACreationEmptiesTheClipboardOnlyWhenItHoldsThatObject) {
    struct Case {
        const char* name;
        bool sameDocument;
        bool sameObject;
        bool emptied;
    };
    const Case cases[] = {
        {"this document, this object", true, true, true},
        {"another document", false, true, false},
        {"another object", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinClipboardResetForTests();
        Doc d, other;
        ASSERT_FALSE(d.Run(0, 2, true).Failed());
        RSeRefBase made(d.nodes[0]->m_ref.get());
        RSeRefBase copied = c.sameObject ? made : RSeRefBase(d.nodes[2].get());
        const uint32_t format = RegisterClipboardFormatW(kDLxSymbolClipboardFormat);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        SetClipboardData(format,
                         DLxDragDropData::Create(c.sameDocument ? &d.doc : &other.doc, {copied}));
        CloseClipboard();
        ASSERT_FALSE(d.doc.Undo().Failed());
        EXPECT_EQ(IsClipboardFormatAvailable(format), !c.emptied);
    }
}

} // namespace
