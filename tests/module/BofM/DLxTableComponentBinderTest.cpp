// Rows of older component properties tables on the bracket assembly: expansion into merged
// rows of one document, rows made of merged components alone, audits, binding children to the
// structure, the row's quantity with its override, and what a row keeps through a save.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPartListTablePropertyQuantity.h"
#include "BofM/DLxTableComponentBinder.h"
#include "BofM/DLxPersistUtil.h"
#include "KorvuBOMFixture.h"
#include "TstDocWriter.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

using namespace KorvuBOM;
using Id = DLxPartListPropertyId;
using Binder = DLxTableComponentBinder;

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

class Binders : public ::testing::Test {
protected:
    void SetUp() override {
        bom = DLxLocalBOMMgr::GetLocalBOM(&db, assembly, 1, true);
        ASSERT_TRUE(bom);
        tm = bom->GetConfiguration(true)->GetTagManager(true);
    }
    RSeRef<DLxPartListComponent> Component(std::vector<int32_t> path) {
        DLxStructureNode* n = tm->FindNode(path);
        DLxComponentProxy* p = n && (n->IsAssemblyNode() || n->IsRoot())
                                   ? static_cast<DLxComponentProxy*>(
                                         Make<DLxComponentProxyAssemblySurrogate>(seg, n, tm))
                                   : Make<DLxComponentProxyPartSurrogate>(seg, n, tm);
        p->cacheComponentQuantity(p->getInstanceCount(true), true);
        return RSeRef<DLxPartListComponent>(
            Make<DLxPartListComponent>(seg, RSeRef<DLxComponentProxy>(p), false));
    }
    static std::string Name(const RSeRef<DLxPartListComponent>& c) {
        const std::u16string n = c ? c->GetProxy()->getDataSourceNameString() : u"-";
        return std::string(n.begin(), n.end());
    }

    DLxAssemblyData assembly = BracketAssembly();
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    DLxLocalBOM* bom = nullptr;
    DLxTagManager* tm = nullptr;
};

// Expanding the assembly's row: one sub-row per document, the repeated occurrences merged into
// it; such a row has no component of its own but shows the merged one's tag and values.
TEST_F(Binders, SubRowsMergeTheOccurrencesOfOneDocument) {
    auto* top = Make<Binder>(seg, Component({}));
    ASSERT_TRUE(top->CollectSubComponents(true));
    EXPECT_EQ(top->CandidateCount(), 15u);
    auto rows = top->CreateSubBinders();
    EXPECT_EQ(top->CandidateCount(), 0u);
    struct Row {
        std::string name;
        size_t merged;
    };
    const std::vector<Row> expected{{"bracket", 1},    {"shaft", 1},     {"bushing", 2},
                                    {"bolt M8x30", 4}, {"washer M8", 1}, {"nut M8", 4},
                                    {"motor", 1},      {"cover", 1}};
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* row = dynamic_cast<Binder*>(rows[i].get());
        ASSERT_TRUE(row);
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(Name(row->GetComponent()), expected[i].name);
        EXPECT_EQ(row->GetMergedComponents().size(), expected[i].merged);
        EXPECT_EQ(row->GetCachedQuantity(true), 0); // no component of its own
        EXPECT_FALSE(row->IsCustom());
        EXPECT_FALSE(row->HasNoComponent());
    }
    auto* bolts = dynamic_cast<Binder*>(rows[3].get());
    EXPECT_EQ(bolts->GetComponentTag(true), u"4");
    EXPECT_EQ(bolts->GetProperty(Id(Id::eMaterial, -1))->GetValueString(false), u"Steel 8.8");
    EXPECT_EQ(bolts->GetProperty(Id(Id::eGeneral, 5))->GetValueString(false), u"ISO 4017-M8x30");
    auto* cover = dynamic_cast<Binder*>(rows[7].get());
    EXPECT_EQ(cover->GetExpandMarker(), u"+");
    cover->Expand();
    EXPECT_EQ(cover->GetExpandMarker(), u"-");
    EXPECT_EQ(bolts->GetExpandMarker(), u"");
    EXPECT_TRUE(bolts->IsSameDataSource(dynamic_cast<Binder*>(rows[3].get())));
    EXPECT_FALSE(bolts->IsSameDataSource(cover));
    EXPECT_FALSE(bolts->IsSameDataSource(nullptr));

    // Merged components that came from a row leave with it; the row itself, or no row,
    // removes nothing.
    EXPECT_TRUE(bolts->RemoveMergedFrom(bolts));
    EXPECT_TRUE(bolts->RemoveMergedFrom(nullptr));
    EXPECT_EQ(bolts->GetMergedComponents().size(), 4u);
    EXPECT_FALSE(bolts->RemoveMergedFrom(top));
    EXPECT_TRUE(bolts->HasNoComponent());
    EXPECT_EQ(bolts->GetComponentTag(true), u"");
}

// A row hands the candidates of another row's document over to it, with that row's quantity.
TEST_F(Binders, CandidatesOfARowsDocumentAreHandedToIt) {
    auto* top = Make<Binder>(seg, Component({}));
    auto* nuts = Make<Binder>(seg, Component({110}));
    ASSERT_TRUE(top->CollectSubComponents(true));
    EXPECT_FALSE(top->HandOverSubComponents(top, true));
    EXPECT_FALSE(top->HandOverSubComponents(nullptr, true));
    ASSERT_TRUE(top->HandOverSubComponents(nuts, true));
    EXPECT_EQ(top->CandidateCount(), 11u);
    EXPECT_EQ(nuts->GetMergedComponents().size(), 4u);
    EXPECT_EQ(nuts->GetComponent()->GetCachedComponentQuantity(false), 4);
    EXPECT_EQ(top->CreateSubBinders().size(), 7u); // no row of nuts among them
}

// Collapsed rows collect no children; releasing removes them; binding an expanded row to its
// node keeps the children whose occurrence is still there and makes rows for the others.
TEST_F(Binders, ChildrenFollowTheExpansionAndTheStructure) {
    auto* cover = Make<Binder>(seg, Component({115}));
    cover->Expand();
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    ASSERT_EQ(cover->GetChildren().size(), 2u);
    EXPECT_EQ(Name(cover->GetChildren()[0]->GetComponent()), "cover plate");
    EXPECT_EQ(cover->GetChildren()[1]->GetParent(), cover);
    Binder::Binders collected;
    cover->CollectChildren(collected);
    EXPECT_EQ(collected.size(), 2u);
    cover->Collapse();
    collected.clear();
    cover->CollectChildren(collected);
    EXPECT_TRUE(collected.empty());
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115}))); // collapsed
    EXPECT_EQ(cover->GetChildren().size(), 2u);

    // The gasket's occurrence is renumbered: its row goes and a new one stands on 217.
    const uint32_t plateRow = cover->GetChildren()[0]->GetId();
    const uint32_t gasketRow = cover->GetChildren()[1]->GetId();
    DLxAssemblyData changed = assembly;
    for (DLxAssemblyOccurrence& o : changed.occurrences)
        if (o.id == 117) o.id = 217;
    bom->Attach(&changed);
    cover->Expand();
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    ASSERT_EQ(cover->GetChildren().size(), 2u);
    EXPECT_EQ(cover->GetChildren()[0]->GetId(), plateRow);
    EXPECT_EQ(db.FindObject(gasketRow), nullptr);
    EXPECT_EQ(cover->GetChildren()[1]->GetComponent()->GetProxy()->GetConnectionId(), 217);

    const uint32_t child = cover->GetChildren()[0]->GetId();
    EXPECT_TRUE(cover->ReleaseChildren(true, true));
    EXPECT_TRUE(cover->GetChildren().empty());
    EXPECT_FALSE(cover->IsExpanded());
    EXPECT_EQ(db.FindObject(child), nullptr);
    EXPECT_FALSE(cover->ReleaseChildren(false, false));
}

// A row whose component lost its occurrence is reconnected by the audit, losing its merged
// components, its quantity and its expansion.
TEST_F(Binders, AnAuditThatRestoresEmptiesTheRow) {
    auto* nuts = Make<Binder>(seg, Component({110}));
    auto* top = Make<Binder>(seg, Component({}));
    top->CollectSubComponents(true);
    top->HandOverSubComponents(nuts, true);
    nuts->GetProperty(Id(Id::eQuantity, -1));
    nuts->Expand();
    EXPECT_TRUE(nuts->Audit(true));
    EXPECT_EQ(nuts->GetMergedComponents().size(), 4u);

    DLxAssemblyData changed = assembly;
    for (DLxAssemblyOccurrence& o : changed.occurrences)
        if (o.id == 110) o.id = 210;
    bom->Attach(&changed);
    EXPECT_TRUE(nuts->Audit(true));
    EXPECT_TRUE(nuts->GetMergedComponents().empty());
    EXPECT_FALSE(nuts->IsExpanded());
    EXPECT_EQ(nuts->GetComponent()->GetProxy()->GetConnectionId(), 210);
    EXPECT_FALSE(Make<Binder>(seg, RSeRef<DLxPartListComponent>())->Audit(true));
}

// Shown rows: the own component's mark, or a shown child of an expanded row; a row of merged
// components alone keeps its own flag.
TEST_F(Binders, ShownRowsAreMarkedOnTheirProxy) {
    auto* cover = Make<Binder>(seg, Component({115}));
    EXPECT_FALSE(cover->IsShown(false));
    cover->Expand();
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    cover->GetChildren()[1]->SetShown(true);
    EXPECT_FALSE(cover->IsShown(false));
    EXPECT_TRUE(cover->IsShown(true));
    EXPECT_TRUE(cover->GetChildren()[1]->GetComponent()->GetProxyMarker());
    auto* merged = Make<Binder>(seg, Component({110}), cover);
    EXPECT_TRUE(merged->IsShown(false));
    merged->SetShown(false);
    EXPECT_FALSE(merged->IsShown(false));
}

// The row's quantity: the computed one until a different one is typed; a row without
// component computes nothing; a custom part takes the typed text as its own.
TEST_F(Binders, TheQuantityKeepsATypedOverride) {
    auto* nuts = Make<Binder>(seg, Component({110}));
    RSeRef<DLxPartListProperty> p = nuts->GetProperty(Id(Id::eQuantity, -1));
    EXPECT_EQ(nuts->GetProperty(Id(Id::eQuantity, 3)).get(), p.get()); // made once
    auto* q = dynamic_cast<DLxPartListTablePropertyQuantity*>(p.get());
    ASSERT_TRUE(q);
    int32_t type = 0;
    EXPECT_EQ(q->GetValue({}, true, type), u"4");
    EXPECT_EQ(type, 2);
    q->SetValueString(u"5");
    EXPECT_TRUE(q->IsOverridden());
    EXPECT_EQ(q->GetValueString(true), u"5");
    q->SetValueString(u"0"); // the structure quantity is off (list mode 0): computed "0"
    EXPECT_FALSE(q->IsOverridden());
    tm->SetListMode(1);
    q->SetValueString(u"4");
    EXPECT_FALSE(q->IsOverridden());
    q->SetValueString(u"6");
    q->ClearOverride();
    EXPECT_EQ(q->GetValueString(true), u"4");

    auto* empty = Make<Binder>(seg, RSeRef<DLxPartListComponent>());
    auto* eq = dynamic_cast<DLxPartListTablePropertyQuantity*>(
        empty->GetProperty(Id(Id::eQuantity, -1)).get());
    ASSERT_TRUE(eq);
    EXPECT_EQ(eq->GetValueString(true), u"");
    eq->SetValueString(u"1");
    EXPECT_TRUE(eq->IsOverridden());

    auto* customProxy = Make<DLxComponentProxyCustom>(seg, tm->CreateNewCustom());
    auto* custom = Make<Binder>(seg, RSeRef<DLxPartListComponent>(Make<DLxPartListComponent>(
                                         seg, RSeRef<DLxComponentProxy>(customProxy), true)));
    EXPECT_TRUE(custom->IsCustom());
    auto* cq = dynamic_cast<DLxPartListTablePropertyQuantity*>(
        custom->GetProperty(Id(Id::eQuantity, -1)).get());
    cq->SetValueString(u"3 m");
    EXPECT_FALSE(cq->IsOverridden());
    EXPECT_EQ(customProxy->getQuantityString(), u"3 m");
    EXPECT_EQ(cq->GetValueString(true), u"3 m");
}

// Saved and loaded: children with their parent, merged components with their origins, the
// quantity with its override, the flags; deleting a row deletes what it owns.
TEST_F(Binders, RowsKeepTheirTreeThroughSaveAndLoad) {
    auto* top = Make<Binder>(seg, Component({}));
    top->CollectSubComponents(true);
    auto rows = top->CreateSubBinders();
    auto* bolts = dynamic_cast<Binder*>(rows[3].get());
    auto* cover = Make<Binder>(seg, Component({115}));
    cover->Expand();
    cover->AttachTagManagerNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    auto* qty = dynamic_cast<DLxPartListTablePropertyQuantity*>(
        cover->GetProperty(Id(Id::eQuantity, -1)).get());
    qty->SetValueString(u"9");
    bolts->SetShown(false);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    ASSERT_TRUE(DLxLocalBOMMgr::GetLocalBOM(loaded.get(), assembly, 1, false));
    auto* lcover = dynamic_cast<Binder*>(loaded->FindObject(cover->GetId()));
    auto* lbolts = dynamic_cast<Binder*>(loaded->FindObject(bolts->GetId()));
    ASSERT_TRUE(lcover && lbolts);
    EXPECT_TRUE(lcover->IsExpanded());
    ASSERT_EQ(lcover->GetChildren().size(), 2u);
    EXPECT_EQ(lcover->GetChildren()[1]->GetParent(), lcover);
    EXPECT_EQ(lcover->GetChildren()[1]->GetComponentTag(true), u"8.2");
    auto* lqty = dynamic_cast<DLxPartListTablePropertyQuantity*>(
        lcover->GetProperty(Id(Id::eQuantity, -1)).get());
    ASSERT_TRUE(lqty);
    EXPECT_EQ(lqty->GetValueString(true), u"9");
    EXPECT_EQ(lbolts->GetMergedComponents().size(), 4u);
    EXPECT_FALSE(lbolts->IsShown(false));
    EXPECT_TRUE(lbolts->RemoveMergedFrom(lbolts));
    EXPECT_FALSE(lbolts->RemoveMergedFrom(dynamic_cast<Binder*>(loaded->FindObject(top->GetId()))));

    const uint32_t child = cover->GetChildren()[0]->GetId();
    const uint32_t quantity = qty->GetId();
    RSe::DeleteObject(cover);
    EXPECT_EQ(db.FindObject(child), nullptr);
    EXPECT_EQ(db.FindObject(quantity), nullptr);
}

// A row of version 0 stopped after its expanded flag: it loads with no children, shown, and
// the number 1; a version after the current one is refused.
TEST(BinderStorage, AVersionZeroRowLoadsWithDefaults) {
    for (uint16_t version : {0, 3}) {
        SCOPED_TRACE(version);
        TstDocWriter w;
        w.AddClass(u"RSeIDed", 0);
        w.AddClass(u"DLxPartListPropertiesTableComponent", 0);
        const uint32_t binder = w.AddClass(u"DLxTableComponentBinder", version);
        w.BeginSegment(u"Sheet");
        RSeStream& s = w.BeginRecord(binder, 1);
        w.RefValue(0);
        DLxPersistUtil::WriteVector(s, std::vector<RSeRef<RSeIDed>>{});
        DLxPersistUtil::WriteVector(s, std::vector<RSeRef<RSeIDed>>{});
        w.RefValue(0);
        s.Write(true);
        w.EndRecord();
        const std::vector<uint8_t> bytes = w.Finish(2);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        if (version == 3) {
            EXPECT_TRUE(r.Failed());
            continue;
        }
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* b = dynamic_cast<Binder*>(db->FindObject(1));
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->IsExpanded());
        EXPECT_TRUE(b->IsShown(false));
        EXPECT_TRUE(b->GetChildren().empty());
        EXPECT_EQ(b->GetParent(), nullptr);
        EXPECT_TRUE(b->HasNoComponent());
    }
}

} // namespace
