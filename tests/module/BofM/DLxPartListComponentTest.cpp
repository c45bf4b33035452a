// Components of older parts lists on the bracket assembly: the proxy's answers, properties
// made once per id, sub-components of a sub-assembly, the group that makes components through
// its BOM proxy, and what they own through save, load, copies and deletion.
#include <gtest/gtest.h>

#include <memory>

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxComponentPropertyDT.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "KorvuBOMFixture.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxTagManager.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

using namespace KorvuBOM;
using Id = DLxPartListPropertyId;

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

class PartListComponents : public ::testing::Test {
protected:
    void SetUp() override {
        bom = DLxLocalBOMMgr::GetLocalBOM(&db, assembly, 1, true);
        ASSERT_TRUE(bom);
        tm = bom->GetConfiguration(true)->GetTagManager(true);
    }
    DLxPartListComponent* Component(std::vector<int32_t> path, bool transparent = false) {
        DLxStructureNode* n = tm->FindNode(path);
        DLxComponentProxy* p = n && n->IsAssemblyNode()
                                   ? static_cast<DLxComponentProxy*>(
                                         Make<DLxComponentProxyAssemblySurrogate>(seg, n, tm))
                                   : Make<DLxComponentProxyPartSurrogate>(seg, n, tm);
        return Make<DLxPartListComponent>(seg, RSeRef<DLxComponentProxy>(p), transparent);
    }

    DLxAssemblyData assembly = BracketAssembly();
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
    DLxLocalBOM* bom = nullptr;
    DLxTagManager* tm = nullptr;
};

// A property is made once per id (as IsSameProperty tells them), of the transparent kinds for
// a transparent component.
TEST_F(PartListComponents, FindOrAddMemberMakesEachPropertyOnce) {
    DLxPartListComponent* bolt = Component({105});
    EXPECT_EQ(bolt->FindProperty(Id(Id::ePartName, -1)), -1);
    RSeRef<DLxPartListProperty> name, again, number, quantity;
    bolt->FindOrAddMember(name, Id(Id::ePartName, -1));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->GetSegment(), seg);
    bolt->FindOrAddMember(again, Id(Id::ePartName, 77)); // type 5 whatever the general id
    EXPECT_EQ(again.get(), name.get());
    bolt->FindOrAddMember(number, Id(Id::eGeneral, 5));
    bolt->FindOrAddMember(quantity, Id(Id::eQuantity, -1));
    EXPECT_EQ(bolt->GetProperties().size(), 3u);
    EXPECT_EQ(bolt->FindProperty(Id(Id::eGeneral, 5)), 1);
    EXPECT_EQ(number->GetValueString(true), u"ISO 4017-M8x30");
    EXPECT_EQ(quantity->GetValueString(true), u"4");
    EXPECT_FALSE(
        dynamic_cast<DLxComponentPropertyGeneralDTTransparent*>(number->GetValueObject().get()));

    DLxPartListComponent* transparent = Component({105}, true);
    RSeRef<DLxPartListProperty> t;
    transparent->FindOrAddMember(t, Id(Id::eGeneral, 5));
    EXPECT_TRUE(dynamic_cast<DLxComponentPropertyGeneralDTTransparent*>(t->GetValueObject().get()));
}

// The proxy's answers, and nothing from a component without proxy; the audit kinds.
TEST_F(PartListComponents, AComponentForwardsToItsProxy) {
    DLxPartListComponent* cover = Component({115});
    DLxPartListComponent* nut = Component({110});
    DLxPartListComponent* otherNut = Component({112});
    auto* none = Make<DLxPartListComponent>(seg, RSeRef<DLxComponentProxy>(), false);
    EXPECT_TRUE(cover->IsComposite());
    EXPECT_FALSE(nut->IsComposite());
    EXPECT_TRUE(nut->IsDataSourceEqual(otherNut, true));
    EXPECT_FALSE(nut->IsDataSourceEqual(cover, true));
    EXPECT_FALSE(nut->IsDataSourceEqual(nullptr, true));
    EXPECT_EQ(nut->GetComponentTag(true), u"6");
    EXPECT_EQ(nut->GetComponentTagManager().get(), tm);
    nut->CacheComponentQuantity(3, true);
    EXPECT_EQ(nut->GetCachedComponentQuantity(true), 3);
    EXPECT_EQ(nut->GetCachedComponentQuantity(false), 0);
    for (int32_t kind : {0, 1, 2})
        EXPECT_TRUE(nut->AuditComponent(kind)) << kind;
    EXPECT_FALSE(nut->AuditComponent(3));
    EXPECT_FALSE(nut->AuditComponent(-1));

    none->CacheComponentQuantity(3, true);
    none->SetProxyMarker(true);
    EXPECT_EQ(none->GetCachedComponentQuantity(true), 0);
    EXPECT_FALSE(none->GetProxyMarker());
    EXPECT_FALSE(none->IsComposite());
    EXPECT_FALSE(none->IsCustom());
    EXPECT_FALSE(none->AuditComponent(0));
    EXPECT_FALSE(none->RestoreDataSourceConnection(true));
    EXPECT_FALSE(none->GetComponentTagManager());
    EXPECT_EQ(none->GetComponentTag(true), u"");
    RSeRef<DLxPartListProperty> p;
    none->FindOrAddMember(p, Id(Id::eMaterial, -1));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetValueString(false), u"");

    // A node whose occurrence the model lost fails the audit; it is reconnected to another
    // occurrence of its component (the first, renumbered), and not when the component is no
    // longer placed.
    DLxAssemblyData changed = assembly;
    for (DLxAssemblyOccurrence& o : changed.occurrences)
        if (o.id == 110) o.id = 210;
    bom->Attach(&changed);
    EXPECT_FALSE(nut->AuditComponent(0));
    EXPECT_TRUE(nut->RestoreDataSourceConnection(false));
    EXPECT_EQ(nut->GetProxy()->GetStructureNode()->GetRDxPassivePath(), std::vector<int32_t>{110});
    EXPECT_TRUE(nut->RestoreDataSourceConnection(true));
    EXPECT_EQ(nut->GetProxy()->GetStructureNode()->GetRDxPassivePath(), std::vector<int32_t>{210});
    EXPECT_TRUE(nut->AuditComponent(0));
    DLxAssemblyData noNuts = assembly;
    std::erase_if(noNuts.occurrences,
                  [](const DLxAssemblyOccurrence& o) { return o.component == kNut; });
    bom->Attach(&noNuts);
    EXPECT_FALSE(otherNut->AuditComponent(0));
    EXPECT_FALSE(otherNut->RestoreDataSourceConnection(true));
    EXPECT_EQ(otherNut->GetProxy()->GetStructureNode()->GetRDxPassivePath(),
              std::vector<int32_t>{112});
    bom->Attach(&assembly);
    EXPECT_TRUE(otherNut->AuditComponent(0));
}

// A sub-assembly's component gives one component per occurrence below it, not transparent.
TEST_F(PartListComponents, SubComponentsAreTheSubAssemblysOccurrences) {
    DLxPartListComponent* cover = Component({115}, true);
    DLxPartListComponent::List subs;
    cover->CreateSubComponents(subs, true);
    ASSERT_EQ(subs.size(), 2u);
    EXPECT_EQ(subs.front()->GetProxy()->getDataSourceNameString(), u"cover plate");
    EXPECT_EQ(subs.back()->GetProxy()->getDataSourceNameString(), u"gasket");
    EXPECT_EQ(subs.back()->GetComponentTag(true), u"8.2");
    EXPECT_FALSE(subs.front()->IsTransparent());
    EXPECT_EQ(subs.front()->GetSegment(), seg);
    DLxPartListComponent::List none;
    Component({110})->CreateSubComponents(none, true);
    EXPECT_TRUE(none.empty());
}

// The group makes components through its BOM proxy, with its transparent flag; without a
// BOM proxy it makes none.
TEST_F(PartListComponents, TheGroupMakesComponentsThroughItsBOMProxy) {
    auto* empty = Make<DLxPartListComponentGroup>(seg, RSeRef<DLxBOMProxy>(), true);
    empty->SetDataSourceProxy(RSeRef<DLxStructureNode>(tm->GetRootNode()));
    DLxPartListComponent::List made;
    empty->CreateComponents(made, true, RSeRef<DLxTagManager>(tm));
    EXPECT_TRUE(made.empty());

    auto* group =
        Make<DLxPartListComponentGroup>(seg, RSeRef<DLxBOMProxy>(Make<DLxBOMProxy>(seg)), true);
    group->SetDataSourceProxy(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    group->CreateComponents(made, true, RSeRef<DLxTagManager>(tm));
    // The source stands on the structure's root: the cover, then a part per row of the first
    // level.
    ASSERT_EQ(made.size(), 8u);
    EXPECT_TRUE(made.front()->IsComposite());
    for (const RSeRef<DLxPartListComponent>& c : made) {
        EXPECT_TRUE(c->IsTransparent());
        EXPECT_EQ(c->GetSegment(), seg);
    }
}

// Stored: proxy, properties, transparent flag, and the marker on the proxy. A copy owns
// copies of its own; deleting a component deletes its proxy and properties, a group its BOM
// proxy.
TEST_F(PartListComponents, ComponentsOwnTheirProxyAndPropertiesThroughSaveCopyAndDelete) {
    DLxPartListComponent* bolt = Component({105}, true);
    RSeRef<DLxPartListProperty> material;
    bolt->FindOrAddMember(material, Id(Id::eMaterial, -1));
    bolt->SetProxyMarker(true);
    auto* group =
        Make<DLxPartListComponentGroup>(seg, RSeRef<DLxBOMProxy>(Make<DLxBOMProxy>(seg)), false);
    group->SetDataSourceProxy(RSeRef<DLxStructureNode>(tm->GetRootNode()));

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    ASSERT_TRUE(DLxLocalBOMMgr::GetLocalBOM(loaded.get(), assembly, 1, false));
    auto* lbolt = dynamic_cast<DLxPartListComponent*>(loaded->FindObject(bolt->GetId()));
    auto* lgroup = dynamic_cast<DLxPartListComponentGroup*>(loaded->FindObject(group->GetId()));
    ASSERT_TRUE(lbolt && lgroup);
    EXPECT_TRUE(lbolt->IsTransparent());
    EXPECT_TRUE(lbolt->GetProxyMarker());
    EXPECT_EQ(lbolt->GetComponentTag(true), u"4");
    ASSERT_EQ(lbolt->GetProperties().size(), 1u);
    EXPECT_EQ(lbolt->GetProperties()[0]->GetValueString(false), u"Steel 8.8");
    ASSERT_TRUE(lgroup->GetBOMProxy() && lgroup->GetBOMProxy()->GetDataSource());

    RSeCloneCommander cc(seg);
    ASSERT_FALSE(cc.Clone({bolt}).Failed());
    auto* copy = dynamic_cast<DLxPartListComponent*>(cc.CloneOf(bolt));
    ASSERT_TRUE(copy && copy->GetProxy() && copy->GetProperties().size() == 1);
    EXPECT_NE(copy->GetProxy().get(), bolt->GetProxy().get());
    EXPECT_NE(copy->GetProperties()[0].get(), bolt->GetProperties()[0].get());
    EXPECT_TRUE(copy->GetProxyMarker());

    const uint32_t proxyId = bolt->GetProxy()->GetId();
    const uint32_t propertyId = material->GetId();
    const uint32_t bomProxyId = group->GetBOMProxy()->GetId();
    RSe::DeleteObject(bolt);
    RSe::DeleteObject(group);
    EXPECT_EQ(db.FindObject(proxyId), nullptr);
    EXPECT_EQ(db.FindObject(propertyId), nullptr);
    EXPECT_EQ(db.FindObject(bomProxyId), nullptr);
    EXPECT_EQ(copy->GetComponentTag(true), u"4");
}

} // namespace
