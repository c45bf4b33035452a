// The module's entry: loading with and without its resources, the applet extension, and what it
// sets up in each document.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "Symbol/KorvuAppletExtension.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSelectCmd.h"
#include "du/DUxCategoryDefault.h"
#include "fw/FWxSceneDoc.h"
#include "fw/IFxInterfaces.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeInterface.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegmentMigrator.h"
#include "uc/UCxUtil.h"
#include "utx/UTxString16.h"

namespace {

std::u16string ModulePath() {
    const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
    return UTx::MakeWideString((bin / "libkorvu.so").string());
}

KorvuAppletExtension* Extension() {
    return static_cast<KorvuAppletExtension*>(ExtensionGetExtensionInterface());
}

TEST(KorvuEntry, TheExtensionIsBuiltOnceAndServesEveryCall) {
    FWxAppletExtension* first = ExtensionGetExtensionInterface();
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ExtensionGetExtensionInterface(), first);
    EXPECT_NE(dynamic_cast<KorvuAppletExtension*>(first), nullptr);
    // Its fixed answers to the host's other hooks.
    EXPECT_TRUE(first->IsActive());
    EXPECT_TRUE(first->SupportsDocument(nullptr));
    EXPECT_FALSE(first->WantsDocumentEvents(nullptr));
    EXPECT_FALSE(first->KeepsDocumentAlive(nullptr));
}

TEST(KorvuEntry, TheModuleDoesNotLoadWithoutItsResources) {
    KorvuTempDir empty;
    setenv("KORVU_RESOURCE_DIR", empty.Path().c_str(), 1);
    EXPECT_EQ(LoadLibraryW(ModulePath().c_str()), nullptr);
    EXPECT_EQ(KorvuGetResourceHandle(), nullptr);

    unsetenv("KORVU_RESOURCE_DIR");
    HMODULE module = LoadLibraryW(ModulePath().c_str());
    ASSERT_NE(module, nullptr);
    ASSERT_NE(KorvuGetResourceHandle(), nullptr);
    // Library 11's texts now come from the resource module.
    EXPECT_FALSE(UTxResult(0x200B0320).GetMessage().empty());
    EXPECT_EQ(UTxResult(0x200B0320).GetMessage().find(u"Error 0x"), UTxString16::npos);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(KorvuGetResourceHandle(), nullptr);
}

TEST(KorvuEntry, SetUpGivesTheSelectCommandTwelveFiltersInOrderAndTheManipulator) {
    DLxDrawingDoc doc;
    ASSERT_TRUE(Extension()->SetUpNewDocument(&doc));
    DLxSelectCmd* select = doc.GetSelectCmd();
    const char* expected[] = {
        "DLxDatumTargetFilter",      "DLxPartListFilter", "DLxGeneralNoteFilter",
        "DLxBalloonSymFilter",       "DLxCallOutFilter",  "DLxDatumIdFilter",
        "DLxCenterDatumFilter",      "DLxGDTFilter",      "DLxSurfTXTFilter",
        "DLxLeaderTextSymbolFilter", "DLxWeldFilter",     "DLxAnnoWeldInstanceFilter",
    };
    ASSERT_EQ(select->GetFilterCount(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        SCOPED_TRACE(expected[i]);
        EXPECT_EQ(select->GetFilter(i)->GetFilterName(), expected[i]);
        EXPECT_EQ(select->GetFilter(i)->GetRefCount(), 1); // the select command's only
        EXPECT_TRUE(select->IsFilterEnabled(i));
    }
    ASSERT_EQ(select->GetSetManipulators().size(), 1u);
    EXPECT_EQ(select->GetSetManipulators()[0], &Extension()->GetManipulator());
    // The annotation command group, and the test group (empty without the test toolbar).
    EXPECT_EQ(doc.GetCommandCount(), 2u);

    DLxDrawingDoc other;
    ASSERT_TRUE(Extension()->SetUpLoadedDocument(&other));
    EXPECT_EQ(other.GetSelectCmd()->GetSetManipulators()[0], &Extension()->GetManipulator());
}

TEST(KorvuEntry, TheTestToolbarAddsTheTwoTestCommands) {
    UCxUtil::SetAllowTestToolbar(true);
    DLxDrawingDoc doc;
    Extension()->SetUpNewDocument(&doc);
    UCxUtil::SetAllowTestToolbar(false);
    EXPECT_EQ(doc.GetCommandCount(), 4u);
}

TEST(KorvuEntry, EveryDocumentGetsItsOwnInterfaces) {
    DLxDrawingDoc a, b;
    Extension()->CreateDocumentInterfaces(&a);
    Extension()->CreateDocumentInterfaces(&b);
    const UTxGUID* guids[] = {&UTxGuidForIFxBalloonComp(), &UTxGuidForIFxBrowserUtils(),
                              &UTxGuidForIFxDLAnnoGeometry()};
    for (const UTxGUID* g : guids) {
        RSeInterface* inA = RSe::InterfaceSet(a.GetRSeDb())->Find(*g);
        RSeInterface* inB = RSe::InterfaceSet(b.GetRSeDb())->Find(*g);
        ASSERT_TRUE(inA && inB);
        EXPECT_NE(inA, inB);
    }
    EXPECT_NE(RSe::InterfaceSet(a.GetRSeDb())->Query<IFxBalloonComp>(UTxGuidForIFxBalloonComp()),
              nullptr);
    // They belong to the document but are not stored with it.
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(a.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> loaded;
    EXPECT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());

    Extension()->CreateDocumentInterfaces(nullptr); // does nothing
    EXPECT_TRUE(Extension()->SetUpNewDocument(nullptr));
}

TEST(KorvuEntry, TheInitialiserTableRunsTheModuleRegistrations) {
    ASSERT_FALSE(KorvuInitTable().empty());
    EXPECT_EQ(KorvuModuleGuid(), UTxGUID(0x1e81af26, 0x6a9811d1, 0xbdb60800, 0x09dc42f8));
}

// Each default-factory row is named "<class> <category>" after what it registers: the factory
// registered in its turn makes an object of that class under that category.
TEST(KorvuEntry, TheFactoryRowsAreNamedAfterTheClassAndCategoryTheyRegister) {
    std::vector<std::string> rows;
    for (const KorvuInitRow& row : KorvuInitTable()) {
        const std::string name = row.name;
        if (name.starts_with("DLxC") && name.find(' ') != std::string::npos) rows.push_back(name);
    }
    const auto& factories = DUxCategoryDefaultFactory::Registered();
    ASSERT_EQ(rows.size(), 42u);
    ASSERT_GE(factories.size(), rows.size());
    FWxSceneDoc doc;
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i]);
        const DUxCategoryDefaultFactory& f = *factories[i];
        RSeRef<DUxCategoryDefault> made = f.GetFunction()(&doc, RSe::SegmentOf(doc.GetRSeDb()),
                                                          f.GetCategoryId(), f.GetStandardGUID());
        ASSERT_TRUE(made.HasTarget());
        EXPECT_EQ(rows[i], UTx::ToUtf8(made->GetMeta()->GetName()) + " " +
                               std::to_string(f.GetCategoryId()));
    }
}

// The first pass holds the named migrators (and the meta types of their source units), in the
// order the host runs them after a load: the symbol repair, the balloon upgrade, then the
// parts-list standards' row keys and column headers, then the leader texts' underlines, then the
// upgrade of older frames, surface textures, datum and feature identifiers, and sketched symbols' intermediate leaders.
TEST(KorvuEntry, TheFirstPassRegistersTheNamedMigratorsInLoadOrder) {
    std::vector<std::string> first;
    for (const KorvuInitRow& row : KorvuInitTable())
        if (row.group == 1) first.push_back(row.name);
    // The older parts lists' material property, component and component properties table, and
    // the parts-list table, are first-pass too, as the original had them.
    const std::vector<std::string> expected{"DLxSymInstance",
                                            "DLxKorvuBug417175Migrator",
                                            "DLxCBalloonMigrator",
                                            "DLxCPartListStdRowKeyMigrator",
                                            "DLxUpdatePLStdInitializer",
                                            "DLxComponentPropertyPartListPartMaterial",
                                            "DLxPartListComponent",
                                            "DLxPartListComponentPropertiesTable",
                                            "DLxPartListTable",
                                            "DLxLeaderTextUnderlineMigrator",
                                            "DLxGDTSymMigrator",
                                            "DLxSurfaceTextureMigrator",
                                            "DLxDatumIdSymMigrator",
                                            "DLxFeatureIdSymMigrator",
                                            "DLxUpdateLeaderStateMigrator",
                                            "DLxAllAroundMigrator"};
    EXPECT_EQ(first, expected);

    std::vector<std::string> migrators;
    for (RSeSegmentMigrator* m : RSeSegmentMigrator::All())
        migrators.push_back(m->GetName());
    const std::vector<std::string> named{"DLxKorvuBug417175Migrator", "DLxCBalloonMigrator",
                                         "DLxCPartListStdRowKeyMigrator",
                                         "DLxUpdatePLStdInitializer",
                                         "DLxLeaderTextUnderlineMigrator", "DLxGDTSymMigrator",
                                         "DLxSurfaceTextureMigrator", "DLxDatumIdSymMigrator",
                                         "DLxFeatureIdSymMigrator",
                                         "DLxUpdateLeaderStateMigrator",
                                         "DLxAllAroundMigrator"};
    EXPECT_EQ(migrators, named);
    for (const std::string& name : named) {
        RSeSegmentMigrator* m = RSeSegmentMigrator::Get(name);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->GetName(), name);
    }
}

} // namespace
