// A fragment's recompute: dependency order, only what is out of date, and failures and cycles
// that are reported without holding up the rest.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "DcTestSupport.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxErrors.h"
#include "dc/RDxFragment.h"
#include "dc/RDxStateSet.h"
#include "rd/RDxInt.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "rse/UTxDiagnosis.h"

namespace {

using Log = std::vector<std::string>;

struct Doc {
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    RDxFragment* frag = TstMake<RDxFragment>(seg);
    RDxComputeContext ctx;

    ~Doc() { frag->ClearDiagnoses(); }

    RDxInt* Int(int32_t v) {
        auto* s = TstMake<RDxInt>(seg);
        s->SetValue(v);
        return s;
    }
    TstSumConstraint* Sum(const char* label, std::initializer_list<RDxState*> in,
                          std::initializer_list<RDxState*> out) {
        auto* c = TstMake<TstSumConstraint>(seg);
        c->SetLabel(label);
        for (RDxState* s : in)
            c->AddInputState(s);
        for (RDxState* s : out)
            EXPECT_TRUE(c->AddOutputState(s).IsEmpty());
        return c;
    }
    // Adds in the order given: that order only breaks ties.
    void Add(std::initializer_list<RDxNode*> nodes) {
        for (RDxNode* n : nodes)
            ASSERT_TRUE(frag->AddNode(n));
    }
    UTxResult Recompute() {
        TstComputeLog().clear();
        return frag->Recompute(ctx);
    }
};

// a -> L -> b, (a, x) -> R -> c, (b, c) -> J -> d, d -> T -> e: a diamond with a chain below.
struct Diamond : Doc {
    RDxInt *a = Int(2), *x = Int(0), *b = Int(0), *c = Int(0), *d = Int(0), *e = Int(0);
    TstSumConstraint* L = Sum("L", {a}, {b});
    TstSumConstraint* R = Sum("R", {a, x}, {c});
    TstSumConstraint* J = Sum("J", {b, c}, {d});
    TstSumConstraint* T = Sum("T", {d}, {e});
    Diamond() { Add({e, T, d, J, c, R, b, L, x, a}); } // upstream last, so order is not luck
};

TEST(RDxRecompute, ComputesEachNodeAfterWhatItReads) {
    Diamond g;
    EXPECT_TRUE(g.Recompute().IsEmpty());
    // R before L: both are ready together, and R comes first in the fragment.
    EXPECT_EQ(TstComputeLog(), (Log{"R", "L", "J", "T"}));
    EXPECT_EQ(g.d->GetValue(), 4);
    EXPECT_EQ(g.e->GetValue(), 4);
    EXPECT_TRUE(g.frag->IsUpToDate());
    EXPECT_TRUE(g.frag->GetDiagnoses().empty());
}

TEST(RDxRecompute, ComputesOnlyWhatIsOutOfDate) {
    Diamond g;
    g.Recompute();
    EXPECT_TRUE(g.Recompute().IsEmpty());
    EXPECT_TRUE(TstComputeLog().empty());

    g.x->SetValue(5);
    g.x->SetValue(5); // the same value again changes nothing more
    EXPECT_EQ(g.frag->GetOutOfDateNodes(),
              (std::vector<RDxNode*>{g.e, g.T, g.d, g.J, g.c, g.R, g.x}));
    g.Recompute();
    EXPECT_EQ(TstComputeLog(), (Log{"R", "J", "T"}));
    EXPECT_EQ(g.e->GetValue(), 9);

    g.J->AddInputState(g.a); // a constraint's new input leaves it out of date
    g.Recompute();
    EXPECT_EQ(TstComputeLog(), (Log{"J", "T"}));
    EXPECT_EQ(g.e->GetValue(), 11);
}

// The fragment remembers who reads whom between passes; undo, redo and deletion change that
// behind its back, and the next pass must still reach everything downstream of an edit.
TEST(RDxRecompute, WhoReadsWhomFollowsUndoRedoAndDeletion) {
    Diamond g;
    g.Recompute();
    g.db.BeginTxn();
    ASSERT_TRUE(g.J->RemoveInputState(1)); // J no longer reads c
    g.Recompute();
    EXPECT_EQ(TstComputeLog(), (Log{"J", "T"}));
    std::unique_ptr<RSeTxnRecord> record = g.db.CommitTxn();
    EXPECT_EQ(g.e->GetValue(), 2);

    g.db.Undo(*record); // J reads c again, and is up to date as it was
    g.x->SetValue(3);
    g.Recompute();
    EXPECT_EQ(TstComputeLog(), (Log{"R", "J", "T"}));
    EXPECT_EQ(g.e->GetValue(), 7);

    g.db.Redo(*record); // and not again
    g.x->SetValue(4);
    g.Recompute();
    EXPECT_EQ(TstComputeLog(), (Log{"R"}));

    // A node deleted while its fragment still lists it is passed over.
    RSe::DeleteObject(g.L);
    g.a->SetValue(10);
    EXPECT_TRUE(g.Recompute().IsEmpty());
    EXPECT_EQ(TstComputeLog(), (Log{"R"}));
    EXPECT_EQ(g.c->GetValue(), 14);
}

// Undo puts a removed node back in its place: ties break as they did before it left, and what
// the undone change touched is computed again without rebuilding who reads whom.
TEST(RDxRecompute, AnUndoneRemovalKeepsTheOrderOfTies) {
    Diamond g;
    g.Recompute();
    g.db.BeginTxn();
    ASSERT_TRUE(g.frag->RemoveNode(g.R));
    ASSERT_TRUE(g.frag->RemoveNode(g.c));
    std::unique_ptr<RSeTxnRecord> record = g.db.CommitTxn();
    g.db.Undo(*record);
    EXPECT_TRUE(g.frag->HasNode(g.R));
    g.a->SetValue(5);
    EXPECT_TRUE(g.Recompute().IsEmpty());
    EXPECT_EQ(TstComputeLog(), (Log{"R", "L", "J", "T"}));
    EXPECT_EQ(g.e->GetValue(), 10);
}

TEST(RDxRecompute, ACycleIsReportedAndHoldsUpOnlyWhatDependsOnIt) {
    Doc d;
    RDxInt *x = d.Int(1), *a = d.Int(0), *b = d.Int(0), *y = d.Int(0), *z = d.Int(0);
    TstSumConstraint* C1 = d.Sum("C1", {x, a}, {b});
    TstSumConstraint* C2 = d.Sum("C2", {b}, {a}); // closes the circle a -> C1 -> b -> C2 -> a
    TstSumConstraint* Down = d.Sum("Down", {b}, {y});
    TstSumConstraint* Side = d.Sum("Side", {x}, {z});
    d.Add({x, a, b, y, z, C1, C2, Down, Side});

    UTxResult r = d.Recompute();
    EXPECT_EQ(r.GetCode(), kRDxErrRecompute);
    EXPECT_EQ(TstComputeLog(), Log{"Side"});
    EXPECT_EQ(z->GetValue(), 1);
    ASSERT_EQ(d.frag->GetDiagnoses().size(), 1u);
    const UTxDiagnosis* diag = d.frag->GetDiagnoses()[0];
    EXPECT_EQ(diag->GetCode(), kRDxErrCycle);
    for (RDxNode* n : std::initializer_list<RDxNode*>{a, b, C1, C2})
        EXPECT_NE(diag->GetText().find(u"#" + UTx::MakeWideString(std::to_string(n->GetId()))),
                  UTxString16::npos);
    EXPECT_EQ(diag->GetText().find(u"#" + UTx::MakeWideString(std::to_string(Down->GetId()))),
              UTxString16::npos);
    EXPECT_EQ(r.GetDiagnoses(), d.frag->GetDiagnoses());
    for (RDxNode* n : std::initializer_list<RDxNode*>{a, b, C1, C2, Down, y}) {
        EXPECT_TRUE(n->IsSick());
        EXPECT_TRUE(n->IsEdited()); // still out of date, so a later pass tries again
    }
    EXPECT_FALSE(Side->IsSick());

    // Breaking the circle lets everything through.
    EXPECT_TRUE(C2->RemoveOutputState(a));
    EXPECT_TRUE(d.Recompute().IsEmpty());
    EXPECT_EQ(TstComputeLog(), (Log{"C1", "C2", "Down"}));
    EXPECT_EQ(y->GetValue(), 1);
    EXPECT_FALSE(Down->IsSick());
    EXPECT_TRUE(d.frag->IsUpToDate());
}

TEST(RDxRecompute, AFailingNodeBecomesADiagnosisAndHoldsUpWhatReadsIt) {
    struct Case {
        TstSumConstraint::Mode mode;
        bool fails;
        const char* text; // of the collected diagnosis
    };
    const Case cases[] = {
        {TstSumConstraint::kFails, true, "sum refused"},
        {TstSumConstraint::kFailsWithDiagnosis, true, "own finding"},
        {TstSumConstraint::kWarns, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        Doc d;
        RDxInt *a = d.Int(3), *b = d.Int(0), *y = d.Int(0), *z = d.Int(0);
        TstSumConstraint* F = d.Sum("F", {a}, {b});
        TstSumConstraint* After = d.Sum("After", {b}, {y});
        TstSumConstraint* Beside = d.Sum("Beside", {a}, {z});
        F->SetMode(c.mode);
        d.Add({a, b, y, z, F, After, Beside});

        UTxResult r = d.Recompute();
        EXPECT_EQ(r.Failed(), c.fails);
        EXPECT_EQ(F->IsSick(), c.fails);
        EXPECT_EQ(After->IsSick(), c.fails);
        EXPECT_EQ(TstComputeLog(), c.fails ? (Log{"F", "Beside"}) : (Log{"F", "After", "Beside"}));
        ASSERT_EQ(d.frag->GetDiagnoses().size(), 1u);
        const UTxDiagnosis* diag = d.frag->GetDiagnoses()[0];
        EXPECT_EQ(diag->GetCode(), c.fails ? kTstErrSum : kTstWarnSum);
        EXPECT_NE(diag->GetText().find(UTx::MakeWideString(c.text)), UTxString16::npos);
        EXPECT_EQ(diag->GetSubject().GetTarget(), F);
        EXPECT_EQ(r.GetDiagnoses().size(), c.fails ? 1u : 0u);

        // Fixed, the node and what it held up compute on the next pass.
        d.frag->ClearDiagnoses();
        F->SetMode(TstSumConstraint::kWorks);
        EXPECT_TRUE(d.Recompute().IsEmpty());
        EXPECT_EQ(TstComputeLog(), (Log{"F", "After"}));
        EXPECT_EQ(y->GetValue(), 3);
        EXPECT_FALSE(After->IsSick());
        EXPECT_TRUE(d.frag->GetDiagnoses().empty());
    }
}

TEST(RDxRecompute, ASetIsReadAfterItsMembers) {
    Doc d;
    RDxInt *a = d.Int(1), *b = d.Int(2), *c = d.Int(4), *out = d.Int(0);
    auto* set = TstMake<RDxStateSet>(d.seg);
    EXPECT_TRUE(set->Add(a));
    EXPECT_TRUE(set->Add(b));
    EXPECT_FALSE(set->Add(a));
    EXPECT_FALSE(set->Add(set));
    TstSumConstraint* S = d.Sum("S", {set}, {out});
    d.Add({S, out, set, a, b, c});
    d.Recompute();
    EXPECT_EQ(out->GetValue(), 3);

    b->SetValue(10);
    d.Recompute();
    EXPECT_EQ(TstComputeLog(), Log{"S"});
    EXPECT_EQ(out->GetValue(), 11);

    c->SetValue(7); // not a member
    d.Recompute();
    EXPECT_TRUE(TstComputeLog().empty());

    EXPECT_TRUE(set->Remove(a));
    EXPECT_TRUE(set->Add(c));
    EXPECT_EQ(set->GetState(0), b);
    EXPECT_EQ(set->GetState(1), c);
    d.Recompute();
    EXPECT_EQ(out->GetValue(), 17);
}

TEST(RDxRecompute, AStateHasOneDirectedWriter) {
    Doc d;
    RDxInt *a = d.Int(0), *b = d.Int(0);
    TstSumConstraint* first = d.Sum("first", {a}, {b});
    TstSumConstraint* second = d.Sum("second", {a}, {});
    EXPECT_EQ(second->AddOutputState(b).GetCode(), kRDxErrTwoWriters);
    EXPECT_EQ(first->AddOutputState(b).GetCode(), kRDxErrBadOutput);
    EXPECT_EQ(first->AddOutputState(nullptr).GetCode(), kRDxErrBadOutput);
    EXPECT_TRUE(b->DependsOn(first));

    // Once the first lets go, the second may write it.
    EXPECT_TRUE(first->RemoveOutputState(b));
    EXPECT_FALSE(b->DependsOn(first));
    EXPECT_TRUE(second->AddOutputState(b).IsEmpty());
}

// The fragment finds its nodes by id: in a flat table while ids come in sequence, otherwise
// (ids far apart, or nodes of another database whose ids are those of this one's) in a map.
// Either way a pass reaches everything downstream of an edit, and a node that leaves and comes
// back is found again.
TEST(RDxRecompute, NodesAreFoundWhateverTheirIds) {
    const struct {
        const char* name;
        bool farApart;
        bool otherDatabase;
    } cases[] = {{"in sequence", false, false},
                 {"far apart", true, false},
                 {"of two databases", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Doc d;
        RSeDatabase other;
        RSeSegment* segs[2] = {d.seg, c.otherDatabase ? other.CreateSegment(u"Other") : d.seg};
        uint32_t made = 0;
        uint32_t farId = 40000000;
        // Each new object goes to the next segment, under an id far out when asked.
        auto next = [&] {
            RSeSegment* seg = segs[made++ % 2];
            if (c.farApart) seg->GetDatabase()->SetPendingId(farId += 1000003);
            return seg;
        };
        auto integer = [&] { return TstMake<RDxInt>(next()); };
        auto sum = [&](const char* label, RDxState* in, RDxState* out) {
            auto* s = TstMake<TstSumConstraint>(next());
            s->SetLabel(label);
            s->AddInputState(in);
            EXPECT_TRUE(s->AddOutputState(out).IsEmpty());
            return s;
        };
        // a -> L -> b -> T -> e, and x -> R -> y beside it.
        RDxInt *a = integer(), *b = integer(), *e = integer(), *x = integer(), *y = integer();
        TstSumConstraint *L = sum("L", a, b), *T = sum("T", b, e), *R = sum("R", x, y);
        if (c.otherDatabase) {
            ASSERT_EQ(a->GetId(), x->GetId()); // the ids collide
        }
        d.Add({e, T, b, L, a, y, R, x});
        EXPECT_TRUE(d.Recompute().IsEmpty());
        EXPECT_EQ(TstComputeLog(), (Log{"L", "T", "R"}));

        a->SetValue(4);
        EXPECT_EQ(d.frag->GetOutOfDateNodes(), (std::vector<RDxNode*>{e, T, b, L, a}));
        EXPECT_TRUE(d.Recompute().IsEmpty());
        EXPECT_EQ(TstComputeLog(), (Log{"L", "T"}));
        EXPECT_EQ(e->GetValue(), 4);

        // T leaves and comes back (last now): its edges are there again.
        ASSERT_TRUE(d.frag->RemoveNode(T));
        EXPECT_FALSE(d.frag->HasNode(T));
        d.Add({T});
        EXPECT_TRUE(d.frag->HasNode(T));
        d.Recompute();
        a->SetValue(6);
        x->SetValue(1);
        EXPECT_TRUE(d.Recompute().IsEmpty());
        EXPECT_EQ(TstComputeLog(), (Log{"L", "R", "T"}));
        EXPECT_EQ(e->GetValue(), 6);
        EXPECT_EQ(y->GetValue(), 1);
    }
}

TEST(RDxRecompute, NodesMoveBetweenFragmentsAndKeepTheirBirthday) {
    Doc d;
    auto* other = TstMake<RDxFragment>(d.seg);
    RDxInt *a = d.Int(0), *b = d.Int(0);
    d.Add({a, b});
    EXPECT_EQ(a->GetBirthday(), 1);
    EXPECT_EQ(b->GetBirthday(), 2);
    EXPECT_FALSE(d.frag->AddNode(a));

    EXPECT_TRUE(other->AddNode(a));
    EXPECT_FALSE(d.frag->HasNode(a));
    EXPECT_EQ(a->GetFragment().get(), other);
    EXPECT_EQ(a->GetBirthday(), 1);

    EXPECT_TRUE(d.frag->DeleteNode(b));
    EXPECT_EQ(d.frag->GetNodeCount(), 0u);
    EXPECT_TRUE(d.frag->AddNode(d.Int(0)));
    EXPECT_EQ(d.frag->GetLastBirthday(), 3);
}

} // namespace
