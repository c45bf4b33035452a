// Data sources of older parts lists on the bracket assembly: the component proxies each kind
// makes (tags of an older assembly list, the first level by tag mode, every part), the data
// source a BOM proxy makes for a node, and what they keep through save, load and copies.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxDataSourceProxy.h"
#include "KorvuBOMFixture.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxTagManager.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

using namespace KorvuBOM;

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

// "A" or "P" (assembly or part surrogate) and the node's last occurrence id, per proxy.
std::vector<std::string> Describe(const DLxDataSourceProxy::ProxyList& list) {
    std::vector<std::string> out;
    for (const RSeRef<DLxComponentProxy>& ref : list) {
        DLxComponentProxy* p = ref.get();
        std::string kind = dynamic_cast<DLxComponentProxyAssemblySurrogate*>(p) ? "A"
                           : dynamic_cast<DLxComponentProxyPartSurrogate*>(p)   ? "P"
                           : dynamic_cast<DLxComponentProxyPartDT*>(p)          ? "D"
                                                                                : "?";
        DLxStructureNode* n = p ? p->GetStructureNode() : nullptr;
        out.push_back(kind + (n && !n->IsRoot() ? std::to_string(n->GetRDxPassivePath().back())
                                                : std::string("root")));
    }
    return out;
}

// The bracket assembly with a second sub-assembly, a frame (of one bracket) placed twice,
// so that the first level holds two assemblies and a repeated one. Its occurrences follow the
// fixture's: 118 and 119 place the frame, 120 its bracket.
class DataSources : public ::testing::Test {
protected:
    void SetUp() override {
        assembly = BracketAssembly();
        DLxAssemblyComponent frame;
        frame.id = 50;
        frame.kind = DLxAssemblyComponent::Kind::Assembly;
        frame.name = u"frame";
        frame.path = u"frame.asm";
        assembly.components.push_back(frame);
        assembly.occurrences.push_back({118, kRoot, 50, 1});
        assembly.occurrences.push_back({119, kRoot, 50, 1});
        assembly.occurrences.push_back({120, 50, kBracket, 1});
    }
    DLxTagManager* Manager(int32_t scheme) {
        DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(&db, assembly, scheme, true);
        EXPECT_TRUE(bom);
        return bom ? bom->GetConfiguration(true)->GetTagManager(true) : nullptr;
    }
    std::vector<std::string> Proxies(DLxDataSourceProxy& source, bool structured,
                                     DLxTagManager* tm) {
        DLxDataSourceProxy::ProxyList list;
        source.CreateComponentProxies(list, structured, RSeRef<DLxTagManager>(tm));
        for (const RSeRef<DLxComponentProxy>& p : list)
            EXPECT_EQ(p->GetSegment(), seg);
        return Describe(list);
    }

    DLxAssemblyData assembly;
    RSeDatabase db;
    RSeSegment* seg = db.CreateSegment(u"Sheet");
};

// An older assembly list tags its children "1", "2", ... in list order, each component once
// with the number of times it is listed, skipping references that lost their target.
TEST_F(DataSources, AnAssemblyListTagsEachChildOnce) {
    DLxTagManager* tm = Manager(DLxLocalBOM::kStructured);
    DLxLocalBOM* bom = tm->GetLocalBOM();
    RDxComponent* washer = bom->GetRDxComponent(kWasher);
    RDxComponent* nut = bom->GetRDxComponent(kNut);
    auto* source = Make<DLxAssemblyProxy>(
        seg, RSeRef<RDxComponent>(bom->GetMasterRDxComp()),
        std::vector<RSeRef<RDxComponent>>{washer, nullptr, washer, nut, washer});
    DLxDataSourceProxy::ProxyList list;
    source->CreateComponentProxies(list, true, {});
    ASSERT_EQ(list.size(), 2u);
    auto* first = dynamic_cast<DLxComponentProxyDT*>(list.front().get());
    auto* second = dynamic_cast<DLxComponentProxyDT*>(list.back().get());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->getComponentTag(true), u"1");
    EXPECT_EQ(first->GetChild(), washer);
    EXPECT_EQ(second->getComponentTag(true), u"2");
    EXPECT_EQ(second->GetChild(), nut);
    EXPECT_EQ(first->GetAssembly(), bom->GetMasterRDxComp());
    EXPECT_EQ(first->getInstanceCount(true), 3); // listed three times
    EXPECT_EQ(second->getInstanceCount(false), 1);
    EXPECT_FALSE(source->GetStructureNode());
}

// The first level of a structured list by tag mode: mode 0 lists every assembly (a component
// once) and the parts of distinct rows; modes 1 and 2 list assemblies of distinct rows too. In
// a parts-only bill both sub-assemblies have no row (the same, empty, row key): modes 1 and 2
// keep the first.
TEST_F(DataSources, TheFirstLevelIsTakenApartByTheTagMode) {
    const std::vector<std::string> parts{"P101", "P102", "P103", "P105", "P109", "P110", "P114"};
    auto with = [&](std::vector<std::string> front, const std::vector<std::string>& back) {
        front.insert(front.end(), back.begin(), back.end());
        return front;
    };
    struct Case {
        int32_t scheme, mode;
        std::vector<std::string> expected;
    } cases[] = {
        {DLxLocalBOM::kStructured, 0, with({"A115", "A118"}, parts)},
        {DLxLocalBOM::kStructured, 1, with({"A115", "A118"}, parts)},
        {DLxLocalBOM::kStructured, 2, with({"A115", "A118"}, parts)},
        {DLxLocalBOM::kPartsOnly, 0, with({"A115", "A118"}, parts)},
        {DLxLocalBOM::kPartsOnly, 1, with({"A115"}, parts)},
        {DLxLocalBOM::kPartsOnly, 2, with({"A115"}, parts)},
        {DLxLocalBOM::kStructured, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "scheme " << c.scheme << " mode " << c.mode);
        DLxTagManager* tm = Manager(c.scheme);
        tm->SetTagMode(c.mode);
        auto* source =
            Make<DLxAssemblySurrogateProxy>(seg, RSeRef<DLxStructureNode>(tm->GetRootNode()));
        EXPECT_EQ(Proxies(*source, true, tm), c.expected);
        // Without a tag manager nothing is listed.
        EXPECT_TRUE(Proxies(*source, true, nullptr).empty());
        EXPECT_TRUE(Proxies(*source, false, nullptr).empty());
    }
}

// A parts-only list takes every part below the node once per row, depth first or level by
// level as the tag manager says.
TEST_F(DataSources, APartsOnlyListTakesEveryPartOncePerRow) {
    DLxTagManager* tm = Manager(DLxLocalBOM::kPartsOnly);
    auto* source =
        Make<DLxAssemblySurrogateProxy>(seg, RSeRef<DLxStructureNode>(tm->GetRootNode()));
    tm->SetDepthFirst(true);
    // The frame's bracket (120) is the bracket's row, listed already.
    EXPECT_EQ(Proxies(*source, false, tm),
              (std::vector<std::string>{"P101", "P102", "P103", "P105", "P109", "P110", "P114",
                                        "P116", "P117"}));
    tm->SetDepthFirst(false);
    EXPECT_EQ(Proxies(*source, false, tm),
              (std::vector<std::string>{"P101", "P102", "P103", "P105", "P109", "P110", "P114",
                                        "P116", "P117"}));
    // Below the cover alone.
    source->SetStructureNode(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    EXPECT_EQ(Proxies(*source, false, tm), (std::vector<std::string>{"P116", "P117"}));
}

// A BOM proxy makes the data source its node's structure stands on, once; a node without a
// structure (or whose structure lost its model) makes none.
TEST_F(DataSources, SetDataSourceMakesTheSourceOfTheNodesStructure) {
    DLxTagManager* tm = Manager(DLxLocalBOM::kStructured);
    auto* none = Make<DLxBOMProxy>(seg);
    none->SetDataSource({});
    EXPECT_FALSE(none->GetDataSource());
    auto* stray = Make<DLxStructureNode>(seg); // made by no tag manager
    none->SetDataSource(RSeRef<DLxStructureNode>(stray));
    EXPECT_FALSE(none->GetDataSource());
    DLxStructureNode* cover = tm->FindNode({115});
    tm->GetLocalBOM()->Attach(nullptr);
    none->SetDataSource(RSeRef<DLxStructureNode>(cover));
    EXPECT_FALSE(none->GetDataSource());
    tm->GetLocalBOM()->Attach(&assembly);

    // An assembly's structure: a surrogate on the root, whatever node was given.
    auto* bomProxy = Make<DLxBOMProxy>(seg);
    bomProxy->SetDataSource(RSeRef<DLxStructureNode>(cover));
    auto* surrogate = dynamic_cast<DLxAssemblySurrogateProxy*>(bomProxy->GetDataSource().get());
    ASSERT_TRUE(surrogate);
    EXPECT_EQ(surrogate->GetSegment(), seg);
    EXPECT_EQ(surrogate->GetStructureNode().get(), tm->GetRootNode());
    // Asked again, the node goes to the same source.
    bomProxy->SetDataSource(RSeRef<DLxStructureNode>(cover));
    EXPECT_EQ(bomProxy->GetDataSource().get(), surrogate);
    EXPECT_EQ(surrogate->GetStructureNode().get(), cover);
    DLxDataSourceProxy::ProxyList list;
    bomProxy->CreateComponentProxies(list, true, RSeRef<DLxTagManager>(tm));
    EXPECT_EQ(Describe(list), (std::vector<std::string>{"P116", "P117"}));

    // A part document: one proxy on its root.
    DLxAssemblyData part;
    part.root = kBracket;
    for (const DLxAssemblyComponent& c : assembly.components)
        if (c.id == kBracket) part.components.push_back(c);
    RSeDatabase partDb;
    RSeSegment* partSeg = partDb.CreateSegment(u"Sheet");
    DLxLocalBOM* partBom = DLxLocalBOMMgr::GetLocalBOM(&partDb, part, 1, true);
    ASSERT_TRUE(partBom);
    DLxTagManager* partTm = partBom->GetConfiguration(true)->GetTagManager(true);
    auto* partProxy = Make<DLxBOMProxy>(partSeg);
    partProxy->SetDataSource(RSeRef<DLxStructureNode>(partTm->GetRootNode()));
    auto* source = dynamic_cast<DLxDataSourcePartProxy*>(partProxy->GetDataSource().get());
    ASSERT_TRUE(source);
    list.clear();
    partProxy->CreateComponentProxies(list, false, RSeRef<DLxTagManager>(partTm));
    ASSERT_EQ(Describe(list), (std::vector<std::string>{"Droot"}));
    EXPECT_EQ(list.front()->getDataSourceNameString(), u"bracket");
}

// Stored and copied: the BOM proxy with the source it owns, the assembly list with its
// children; a copy of a BOM proxy owns a source of its own on the same structure, and
// deleting a BOM proxy deletes its source.
TEST_F(DataSources, SourcesSurviveSaveLoadAndCopies) {
    DLxTagManager* tm = Manager(DLxLocalBOM::kStructured);
    DLxLocalBOM* bom = tm->GetLocalBOM();
    auto* bomProxy = Make<DLxBOMProxy>(seg);
    bomProxy->SetDataSource(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    bomProxy->SetDataSource(RSeRef<DLxStructureNode>(tm->FindNode({115})));
    auto* list = Make<DLxAssemblyProxy>(
        seg, RSeRef<RDxComponent>(bom->GetMasterRDxComp()),
        std::vector<RSeRef<RDxComponent>>{bom->GetRDxComponent(kBolt), bom->GetRDxComponent(kNut)});

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    DLxLocalBOM* lbom = DLxLocalBOMMgr::GetLocalBOM(loaded.get(), assembly, 1, false);
    ASSERT_TRUE(lbom);
    auto* ltm = dynamic_cast<DLxTagManager*>(loaded->FindObject(tm->GetId()));
    auto* lproxy = dynamic_cast<DLxBOMProxy*>(loaded->FindObject(bomProxy->GetId()));
    auto* llist = dynamic_cast<DLxAssemblyProxy*>(loaded->FindObject(list->GetId()));
    ASSERT_TRUE(ltm && lproxy && llist);
    DLxDataSourceProxy::ProxyList made;
    lproxy->CreateComponentProxies(made, true, RSeRef<DLxTagManager>(ltm));
    EXPECT_EQ(Describe(made), (std::vector<std::string>{"P116", "P117"}));
    made.clear();
    llist->CreateComponentProxies(made, true, {});
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made.back()->getDataSourceNameString(), u"nut M8");

    RSeCloneCommander cc(seg);
    ASSERT_FALSE(cc.Clone({bomProxy}).Failed());
    auto* copy = dynamic_cast<DLxBOMProxy*>(cc.CloneOf(bomProxy));
    ASSERT_TRUE(copy && copy->GetDataSource());
    EXPECT_NE(copy->GetDataSource().get(), bomProxy->GetDataSource().get());
    EXPECT_EQ(copy->GetDataSource()->GetStructureNode().get(), tm->FindNode({115}));

    const uint32_t sourceId = bomProxy->GetDataSource()->GetId();
    RSe::DeleteObject(bomProxy);
    EXPECT_EQ(db.FindObject(sourceId), nullptr);
    EXPECT_TRUE(copy->GetDataSource());
}

} // namespace
