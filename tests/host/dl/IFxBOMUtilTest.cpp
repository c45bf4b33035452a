// The host's BOM utility: which documents it prepares an editor for, and that only a handle it
// gave opens one.
#include <gtest/gtest.h>

#include <memory>

#include "KorvuBOMFixture.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/IFxBOMUtil.h"
#include "fw/FWxSceneDoc.h"

namespace {

class BOMUtil : public ::testing::Test {
protected:
    void SetUp() override {
        m_util = IFxBOMUtil::Get();
        ASSERT_NE(m_util, nullptr);
        m_util->CloseEditors();
    }
    void TearDown() override { m_util->CloseEditors(); }
    IFxBOMUtil* m_util = nullptr;
};

TEST_F(BOMUtil, PreparesOnlyDrawingsWithAModel) {
    DLxDrawingDoc withModel;
    ASSERT_TRUE(withModel.SetAssembly(KorvuBOM::BracketAssembly()));
    DLxDrawingDoc withoutModel;
    FWxSceneDoc scene;
    struct Case {
        const char* name;
        FWxSceneDoc* doc;
        bool prepared;
    } cases[] = {
        {"drawing with a model", &withModel, true},
        {"drawing without a model", &withoutModel, false},
        {"document that is no drawing", &scene, false},
        {"no document", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Left alone unless prepared.
        bool structured = false, partsOnly = false;
        const uint32_t handle = m_util->PrepareBOMEditor(c.doc, structured, partsOnly);
        EXPECT_EQ(handle != 0, c.prepared);
        EXPECT_EQ(structured, c.prepared);
        EXPECT_EQ(partsOnly, c.prepared);
    }
}

TEST_F(BOMUtil, OpensOnlyOnHandlesItGave) {
    DLxAssemblyData model = KorvuBOM::BracketAssembly();
    model.scheme.partsOnlyEnabled = false;
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(model));
    bool structured = false, partsOnly = true;
    const uint32_t first = m_util->PrepareBOMEditor(&doc, structured, partsOnly);
    const uint32_t second = m_util->PrepareBOMEditor(&doc, structured, partsOnly);
    ASSERT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_TRUE(structured);
    EXPECT_FALSE(partsOnly);

    m_util->OpenBOMEditor(second + 1000, u"", true, false);
    m_util->OpenBOMEditor(0, u"", true, false);
    EXPECT_TRUE(m_util->GetOpenEditors().empty());
    m_util->OpenBOMEditor(first, u"M8x30", true, true);
    const std::vector<IFxBOMUtil::Editor> expected = {
        {first, doc.GetSerial(), u"M8x30", true, true}};
    EXPECT_EQ(m_util->GetOpenEditors(), expected);
}

} // namespace
