// A fragment and its nodes survive saving, loading, cloning and a rolled-back transaction with
// every field intact.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "DcTestSupport.h"
#include "KorvuTestSupport.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxInstance.h"
#include "dc/RDxStateSet.h"
#include "dc/RSeTemplateMgr.h"
#include "rd/RDxValue.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeTransaction.h"

namespace {

std::vector<uint8_t> Bytes(RSeDatabase& db) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(db.SaveToBuffer(out).Failed());
    return out;
}

template <class T> T* Find(RSeDatabase& db, const RSeIDed* like) {
    return dynamic_cast<T*>(db.FindObject(like->GetId()));
}

std::vector<uint32_t> Ids(const std::vector<RSeRef<RDxState>>& refs) {
    std::vector<uint32_t> ids;
    for (const RSeRefBase& r : refs)
        ids.push_back(r.GetId());
    return ids;
}

// A fragment with a node of every class: (a, b) -> sum -> total, {a, b} read by a set that
// feeds sum too, and an instance scaling a into scaled; a text and a point beside them.
struct StoredDoc {
    TstScaleTemplate tmpl{kTstScaleGuid, 0, u"scale"};
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    RDxFragment* frag = TstMake<RDxFragment>(seg);
    RDxString* title = TstMake<RDxString>(seg);
    RDxPoint3* corner = TstMake<RDxPoint3>(seg);
    RDxInt *a = TstMake<RDxInt>(seg), *b = TstMake<RDxInt>(seg);
    RDxInt *total = TstMake<RDxInt>(seg), *scaled = TstMake<RDxInt>(seg);
    RDxStateSet* set = TstMake<RDxStateSet>(seg);
    TstSumConstraint* sum = TstMake<TstSumConstraint>(seg);
    RDxInstance* inst = TstMake<RDxInstance>(seg);
    RDxComputeContext ctx;

    StoredDoc() {
        EXPECT_TRUE(RSeTemplateMgr::Register(&tmpl));
        title->SetSimpleValue(u"Gear housing \u00d8 40");
        corner->SetPoint(WqGePoint3d(420.5, -297.25, 1e-300));
        a->SetValue(-3);
        b->SetValue(INT32_MAX / 4);
        set->Add(b);
        set->Add(a);
        sum->SetLabel("sum");
        sum->AddInputState(a);
        sum->AddInputState(set);
        EXPECT_TRUE(sum->AddOutputState(total).IsEmpty());
        inst->SetTemplate(&tmpl);
        inst->AddInputState(a);
        EXPECT_TRUE(inst->AddOutputState(scaled).IsEmpty());
        for (RDxNode* n :
             std::initializer_list<RDxNode*>{inst, scaled, sum, total, set, title, corner, b, a})
            frag->AddNode(n);
        ctx.SetInt(u"test.scale", 5);
        EXPECT_TRUE(frag->Recompute(ctx).IsEmpty());
        // Fields that a fresh object would not have.
        title->SetFlag(0x80000001u);
        corner->SetSick();
        set->SetBirthday(-12);
        frag->SetFlag(0x40);
        a->SetValue(7); // left out of date
    }
    ~StoredDoc() { frag->ClearDiagnoses(); }
};

TEST(RDxPersist, AFragmentAndItsNodesComeBackAsTheyWereSaved) {
    StoredDoc d;
    const std::vector<uint8_t> saved = Bytes(d.db);
    std::unique_ptr<RSeDatabase> back;
    UTxResult r = RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), back);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(Bytes(*back), saved);

    auto* frag = Find<RDxFragment>(*back, d.frag);
    auto* title = Find<RDxString>(*back, d.title);
    auto* corner = Find<RDxPoint3>(*back, d.corner);
    auto* a = Find<RDxInt>(*back, d.a);
    auto* total = Find<RDxInt>(*back, d.total);
    auto* set = Find<RDxStateSet>(*back, d.set);
    auto* sum = Find<TstSumConstraint>(*back, d.sum);
    auto* inst = Find<RDxInstance>(*back, d.inst);
    ASSERT_TRUE(frag && title && corner && a && total && set && sum && inst);

    ASSERT_EQ(frag->GetNodeCount(), d.frag->GetNodeCount());
    for (uint32_t i = 0; i < frag->GetNodeCount(); ++i) {
        const RDxNode* was = d.frag->GetNodes()[i].get();
        const RDxNode* is = frag->GetNodes()[i].get();
        ASSERT_TRUE(is);
        EXPECT_EQ(is->GetId(), was->GetId());
        EXPECT_EQ(is->GetFragment().get(), frag);
        EXPECT_EQ(is->GetBirthday(), was->GetBirthday());
        EXPECT_EQ(is->IsEdited(), was->IsEdited());
        EXPECT_EQ(is->IsSick(), was->IsSick());
        EXPECT_EQ(is->GetFlags(), was->GetFlags());
    }
    EXPECT_EQ(frag->GetLastBirthday(), d.frag->GetLastBirthday());
    EXPECT_EQ(frag->GetFlags(), 0x40u);
    EXPECT_EQ(title->GetSimpleValue(), d.title->GetSimpleValue());
    EXPECT_EQ(corner->GetPoint(), d.corner->GetPoint());
    EXPECT_EQ(a->GetValue(), 7);
    EXPECT_TRUE(a->IsEdited());
    EXPECT_EQ(total->GetValue(), d.total->GetValue());
    EXPECT_TRUE(total->DependsOn(sum));
    EXPECT_EQ(Ids(set->GetStates()), Ids(d.set->GetStates()));
    EXPECT_EQ(Ids(sum->GetInputStates()), Ids(d.sum->GetInputStates()));
    EXPECT_EQ(Ids(sum->GetOutputStates()), Ids(d.sum->GetOutputStates()));
    EXPECT_EQ(sum->GetLabel(), "sum");
    EXPECT_EQ(inst->GetTemplate(), &d.tmpl); // found again by GUID and version

    // Both bring the out-of-date part up to date alike.
    RDxComputeContext ctx;
    ctx.SetInt(u"test.scale", 5);
    EXPECT_TRUE(d.frag->Recompute(ctx).IsEmpty());
    EXPECT_TRUE(frag->Recompute(ctx).IsEmpty());
    EXPECT_EQ(Find<RDxInt>(*back, d.scaled)->GetValue(), 35);
    EXPECT_EQ(Bytes(*back), Bytes(d.db));
}

TEST(RDxPersist, AnAbortedChangeLeavesTheSavedBytesAsBefore) {
    StoredDoc d;
    const std::vector<uint8_t> before = Bytes(d.db);
    RSeRef<RDxInt> a(d.a);
    RSeRef<RDxFragment> frag(d.frag);
    RSeRef<RDxInstance> inst(d.inst);

    d.db.BeginTxn();
    a->SetValue(1000);
    frag->ClearFlag(0x40);
    inst->SetTemplateId(UTxGUID(1, 2, 3, 4), 0);
    // The pass reaches the nodes it changes through plain pointers: the failing instance holds
    // up its output, which turns sick and out of date.
    EXPECT_TRUE(d.frag->Recompute(d.ctx).Failed());
    EXPECT_TRUE(d.scaled->IsSick() && d.scaled->IsEdited());
    d.frag->AddNode(TstMake<RDxInt>(d.seg));
    d.frag->DeleteNode(d.corner);
    d.title->MarkEdited(true);
    EXPECT_NE(Bytes(d.db), before);
    d.db.AbortTxn();

    EXPECT_EQ(Bytes(d.db), before);
    EXPECT_EQ(a->GetValue(), 7);
    EXPECT_TRUE(a->IsEdited());
    EXPECT_FALSE(d.scaled->IsSick() || d.scaled->IsEdited());
    EXPECT_EQ(d.total->GetValue(), INT32_MAX / 4 - 6);

    // Committed, the same change undoes and redoes to the same bytes.
    d.db.BeginTxn();
    a->SetValue(1000);
    EXPECT_TRUE(d.frag->Recompute(d.ctx).IsEmpty());
    auto record = d.db.CommitTxn();
    const std::vector<uint8_t> after = Bytes(d.db);
    d.db.Undo(*record);
    EXPECT_EQ(Bytes(d.db), before);
    d.db.Redo(*record);
    EXPECT_EQ(Bytes(d.db), after);
}

// A node added to a large fragment is recorded as that node, not as an image of the whole
// list; undo and redo give back the list in its order, also when the fragment itself goes.
TEST(RDxPersist, AFragmentsNodeListIsRecordedAsItsChanges) {
    auto recordSize = [](int nodes) {
        RSeDatabase db;
        RSeSegment* seg = db.CreateSegment(u"Sheet");
        auto* frag = TstMake<RDxFragment>(seg);
        for (int i = 0; i < nodes; ++i)
            frag->AddNode(TstMake<RDxInt>(seg));
        db.BeginTxn();
        frag->AddNode(TstMake<RDxInt>(seg));
        return db.CommitTxn()->ByteSize();
    };
    EXPECT_EQ(recordSize(10), recordSize(5000));

    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    RSeRef<RDxFragment> frag(TstMake<RDxFragment>(seg));
    std::vector<RSeRef<RDxInt>> ints; // by handle: a deleted node comes back elsewhere
    for (int i = 0; i < 6; ++i) {
        ints.emplace_back(TstMake<RDxInt>(seg));
        frag->AddNode(ints.back().get());
    }
    const std::vector<uint8_t> before = Bytes(db);
    auto ids = [&] {
        std::vector<uint32_t> out;
        for (const RSeRefBase& r : frag->GetNodes())
            out.push_back(r.GetId());
        return out;
    };
    const std::vector<uint32_t> order = ids();

    // Whether the change alters the fragment's own fields besides its list: only then does the
    // record need an image of the fragment. The changes reach the fragment through a plain
    // pointer, as a request does; a reference would record it when dereferenced.
    struct Case {
        const char* what;
        std::function<void()> change;
        bool imagesFragment;
    };
    RDxFragment* f = nullptr; // taken afresh, outside the transaction, for each case
    const Case cases[] = {
        {"a node from the middle goes", [&] { f->DeleteNode(ints[2].get()); }, false},
        {"the first node goes", [&] { f->RemoveNode(ints[0].get()); }, false},
        {"the last node goes", [&] { f->DeleteNode(ints[5].get()); }, false},
        {"the first and last go, and one joins",
         [&] {
             f->RemoveNode(ints[5].get());
             f->AddNode(TstMake<RDxInt>(seg));
             f->DeleteNode(ints[0].get());
         },
         false},
        {"nodes join and leave",
         [&] {
             f->AddNode(TstMake<RDxInt>(seg));
             f->RemoveNode(ints[0].get());
             f->AddNode(ints[0].get());
         },
         false},
        {"nodes join at the end and one leaves between them",
         [&] {
             RDxInt* joined = TstMake<RDxInt>(seg);
             f->AddNode(joined);
             f->AddNode(TstMake<RDxInt>(seg));
             f->RemoveNode(ints[3].get());
             f->DeleteNode(joined);
             f->AddNode(TstMake<RDxInt>(seg));
         },
         false},
        {"a node joins and the fragment's flags change",
         [&] {
             f->AddNode(TstMake<RDxInt>(seg));
             f->SetFlag(0x40);
             f->AddNode(TstMake<RDxInt>(seg));
         },
         true},
        {"the fragment goes with its nodes", [&] { RSe::DeleteObject(f); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        f = frag.get();
        const int32_t birthdayBefore = f->GetLastBirthday();
        db.BeginTxn();
        c.change();
        auto record = db.CommitTxn();
        const std::vector<uint8_t> after = Bytes(db);
        db.Undo(*record);
        EXPECT_EQ(Bytes(db), before);
        EXPECT_EQ(ids(), order);
        EXPECT_EQ(frag->GetLastBirthday(), birthdayBefore);
        EXPECT_EQ(record->Holds(frag.get()), c.imagesFragment);
        db.Redo(*record);
        EXPECT_EQ(Bytes(db), after);
        db.Undo(*record);
        EXPECT_EQ(Bytes(db), before);
        EXPECT_EQ(ids(), order);
    }
}

TEST(RDxPersist, ACopyBelongsOnlyToWhatWasCopiedWithIt) {
    StoredDoc d;
    RSeSegment* other = d.db.CreateSegment(u"Preview");

    RSeCloneCommander whole(other);
    std::vector<RSeVMeta*> all = {d.frag};
    for (const RSeRef<RDxNode>& n : d.frag->GetNodes())
        all.push_back(n.get());
    ASSERT_TRUE(whole.Clone(all).IsEmpty());
    auto* frag = static_cast<RDxFragment*>(whole.CloneOf(d.frag));
    auto* sum = static_cast<TstSumConstraint*>(whole.CloneOf(d.sum));
    ASSERT_EQ(frag->GetNodeCount(), d.frag->GetNodeCount());
    EXPECT_EQ(frag->GetNodes()[2].get(), sum);
    EXPECT_EQ(sum->GetFragment().get(), frag);
    EXPECT_EQ(sum->GetInputState(0), whole.CloneOf(d.a));
    EXPECT_EQ(sum->GetLabel(), "sum");

    // A fragment copied with some of its nodes holds only their copies; a node copied alone
    // holds on to what it reads but belongs to no fragment.
    RSeCloneCommander part(other);
    ASSERT_TRUE(part.Clone({d.frag, d.a}).IsEmpty());
    auto* partFrag = static_cast<RDxFragment*>(part.CloneOf(d.frag));
    ASSERT_EQ(partFrag->GetNodeCount(), 1u);
    EXPECT_EQ(partFrag->GetNodes()[0].get(), part.CloneOf(d.a));
    RSeCloneCommander alone(other);
    ASSERT_TRUE(alone.Clone({d.sum}).IsEmpty());
    auto* lone = static_cast<TstSumConstraint*>(alone.CloneOf(d.sum));
    EXPECT_FALSE(lone->GetFragment());
    EXPECT_EQ(lone->GetInputState(0), d.a);
    EXPECT_EQ(d.frag->GetNodeCount(), 9u);
}

// A loaded node list names each node of its fragment once: a list that names one twice and
// leaves another out would have a pass compute the one twice and the other never.
TEST(RDxPersist, ANodeListThatNamesANodeTwiceFailsTheLoad) {
    std::vector<uint32_t> ids;
    auto save = [&ids](std::vector<int> order) {
        RSeDatabase db;
        RSeSegment* seg = db.CreateSegment(u"Sheet");
        RDxFragment* frag = TstMake<RDxFragment>(seg);
        std::vector<RDxInt*> nodes{TstMake<RDxInt>(seg), TstMake<RDxInt>(seg),
                                   TstMake<RDxInt>(seg)};
        ids.clear();
        for (int i = 0; i < 3; ++i) {
            nodes[i]->SetBirthday(i + 1); // the same whatever the order of the list
            ids.push_back(nodes[i]->GetId());
        }
        for (int i : order)
            frag->AddNode(nodes[i]);
        return Bytes(db);
    };
    // The lists differ first at their second entry; entries are a tag and four bytes.
    const std::vector<uint8_t> good = save({0, 1, 2});
    const size_t second = KorvuFirstDifference(good, save({0, 2, 1}));
    const struct {
        const char* name;
        size_t from, to; // the entry copied over another
        uint32_t twice;  // the id named twice
    } cases[] = {{"fragment-node-listed-twice.kvd", second - 5, second, ids[0]},
                 {nullptr, second + 5, second, ids[2]}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        std::vector<uint8_t> bytes = good;
        std::memcpy(&bytes[c.to], &good[c.from], 4);
        std::vector<std::vector<uint8_t>> inputs{bytes};
        if (c.name) inputs.push_back(KorvuCorpusFile("document_load", c.name, bytes));
        for (const std::vector<uint8_t>& input : inputs) {
            std::unique_ptr<RSeDatabase> db;
            const UTxResult r = RSeDatabase::LoadFromBuffer(input.data(), input.size(), db);
            EXPECT_EQ(r.GetCode(), kRSeErrDamaged) << r.GetMessageUtf8();
            EXPECT_NE(r.GetMessageUtf8().find("RDxFragment, stored at version 0): the "
                                              "fragment's node list names object #" +
                                              std::to_string(c.twice) + " twice"),
                      std::string::npos)
                << r.GetMessageUtf8();
            EXPECT_FALSE(db);
        }
    }
    // The list in another order is no damage.
    const std::vector<uint8_t> swapped = save({2, 0, 1});
    std::unique_ptr<RSeDatabase> db;
    EXPECT_FALSE(RSeDatabase::LoadFromBuffer(swapped.data(), swapped.size(), db).Failed());
}

} // namespace
