// The value kinds of the older parts-list model on the drawing's bracket assembly: what each
// reads from the component's document, the proxy or a custom part, what it writes back, and
// what it keeps through a save, a load and the older stored forms.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "BofM/DLxComponentPropertyDT.h"
#include "BofM/DLxComponentPropertyPartList.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "KorvuBOMFixture.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxTagManager.h"
#include "fw/FWxChangeRequest.h"
#include "rd/RDxComponent.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuBOM;
using Id = DLxPartListPropertyId;

class FnRequest : public FWxChangeRequest {
public:
    explicit FnRequest(std::function<UTxResult()> run) : m_run(std::move(run)) {}
    UTxResult _Execute(FWxSceneDoc*) override { return m_run(); }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    std::function<UTxResult()> m_run;
};

template <class T, class... A> T* Make(RSeSegment* seg, A&&... a) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T(std::forward<A>(a)...);
}

// A drawing of the bracket assembly (the motor with a user property "Teeth" of 42), its
// structured bill and tag manager, and proxies on the bolts' row and the motor. The resource
// module is open for the no-document text.
class ComponentProperties : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        DLxAssemblyData assembly = BracketAssembly();
        for (DLxAssemblyComponent& c : assembly.components)
            if (c.id == kMotor) c.userProperties.push_back({u"Teeth", u"42"});
        ASSERT_TRUE(doc.SetAssembly(assembly));
        bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
        ASSERT_TRUE(bom);
        tm = bom->GetConfiguration(true)->GetTagManager(true);
        seg = tm->GetSegment();
        bolt = Make<DLxComponentProxyPartSurrogate>(seg, tm->FindNode({105}), tm);
        motor = Make<DLxComponentProxyPartSurrogate>(seg, tm->FindNode({114}), tm);
        custom = Make<DLxComponentProxyCustom>(seg, tm->CreateNewCustom());
        noDocument = DLxNoDocumentText();
        ASSERT_FALSE(noDocument.empty());
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    UTxResult Change(std::function<UTxResult()> fn) {
        return doc.ProcessChangeRequest(new FnRequest(std::move(fn)));
    }
    std::u16string BillPartNumber(int32_t component) {
        DLxLocalBOMQuery q(bom, nullptr, 1, true);
        EXPECT_TRUE(q.Execute(false));
        const DLxLocalBOMRow* row = q.RowByCookie(DLxLocalBOMCookie({}, component));
        std::u16string text;
        if (row) row->GetCellText(DLxLocalBOMColumn::PartNumber, text);
        return text;
    }

    HMODULE m_module = nullptr;
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = nullptr;
    DLxTagManager* tm = nullptr;
    RSeSegment* seg = nullptr;
    DLxComponentProxy* bolt = nullptr;
    DLxComponentProxy* motor = nullptr;
    DLxComponentProxyCustom* custom = nullptr;
    std::u16string noDocument;
};

// Each property type makes its kind, the transparent kinds where asked, on the given proxy.
TEST_F(ComponentProperties, PropertyIdsMakeTheKindOfTheirType) {
    struct Case {
        Id::PropertyType type;
        bool transparent;
        std::function<bool(DLxComponentProperty*)> isKind;
        std::u16string value; // GetValueString on the bolts' proxy
    } cases[] = {
        {Id::eGeneral, false,
         [](auto* v) {
             return dynamic_cast<DLxComponentPropertyGeneralDT*>(v) &&
                    !dynamic_cast<DLxComponentPropertyGeneralDTTransparent*>(v);
         },
         u"ISO 4017-M8x30"},
        {Id::eGeneral, true,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyGeneralDTTransparent*>(v); },
         u"ISO 4017-M8x30"},
        {Id::eCustom, false,
         [](auto* v) {
             return dynamic_cast<DLxComponentPropertyStringDT*>(v) &&
                    !dynamic_cast<DLxComponentPropertyStringDTTransparent*>(v);
         },
         u"Zinc plated"},
        {Id::eCustom, true,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyStringDTTransparent*>(v); },
         u"Zinc plated"},
        {Id::eItemNumber, false,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyPartListItem*>(v); }, u"4"},
        {Id::eQuantity, false,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyPartListQuantity*>(v); }, u"4"},
        {Id::ePartName, false,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyPartListPartName*>(v); },
         u"parts/bolt M8x30.part"},
        {Id::eMass, false,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyPartListPartMass*>(v); }, u""},
        {Id::eMaterial, false,
         [](auto* v) { return dynamic_cast<DLxComponentPropertyPartListPartMaterial*>(v); },
         u"Steel 8.8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.transparent ? " transparent" : ""));
        const Id id(c.type, 5, u"Finish");
        RSeRef<DLxPartListProperty> p =
            id.CreateComponentProperty(RSeRef<RSeIDed>(bolt), seg, c.transparent);
        ASSERT_TRUE(p && p->GetValueObject());
        EXPECT_TRUE(c.isKind(p->GetValueObject().get()));
        EXPECT_EQ(p->GetValueObject()->GetSegment(), seg);
        EXPECT_EQ(p->GetValueString(true), c.value);
    }
}

// Without a component document the general kind answers the no-document text as text; the
// transparent kind the same text, leaving the caller's type alone.
TEST_F(ComponentProperties, AGeneralValueWithoutDocumentIsTheNoDocumentText) {
    auto* general = Make<DLxComponentPropertyGeneralDT>(seg, 5, RSeRef<DLxComponentProxy>(bolt));
    auto* transparent =
        Make<DLxComponentPropertyGeneralDTTransparent>(seg, 5, RSeRef<DLxComponentProxy>(bolt));
    // A stored component of a database that is no drawing's has no document either.
    RSeDatabase other;
    auto* stray = Make<RDxComponent>(other.CreateSegment(u"Model"));
    stray->Set(kBolt, RDxComponent::kPart, u"bolt", u"parts/bolt.part", {});
    for (RSeRef<RDxComponent> component : {RSeRef<RDxComponent>(), RSeRef<RDxComponent>(stray)}) {
        int32_t type = 3;
        EXPECT_EQ(general->GetValue(component, true, type), noDocument);
        EXPECT_EQ(type, 1);
        type = 3;
        EXPECT_EQ(transparent->GetValue(component, true, type), noDocument);
        EXPECT_EQ(type, 3);
    }
    // With the document: the mass is a real.
    int32_t type = 0;
    RSeRef<RDxComponent> boltComponent(bom->GetRDxComponent(kBolt));
    auto* mass = Make<DLxComponentPropertyGeneralDT>(seg, 20, RSeRef<DLxComponentProxy>(bolt));
    EXPECT_EQ(mass->GetValue(boltComponent, true, type), u"0.016");
    EXPECT_EQ(type, 3);
    EXPECT_TRUE(mass->IsNumericValue());
    // A transparent value on nothing starts as text with the no-document text.
    auto* lost =
        Make<DLxComponentPropertyGeneralDTTransparent>(seg, 5, RSeRef<DLxComponentProxy>());
    EXPECT_EQ(lost->GetValueType(), 1);
    EXPECT_EQ(lost->GetValueString(false), noDocument);
}

// CompareWithSource answers 1 when the document's text sorts first, -1 when after or when the
// proxy has no document, 0 when equal.
TEST_F(ComponentProperties, CompareWithSourceOrdersTheDocumentsTextAgainstTheCache) {
    auto* general = Make<DLxComponentPropertyGeneralDT>(seg, 5, RSeRef<DLxComponentProxy>(bolt));
    auto* text =
        Make<DLxComponentPropertyStringDT>(seg, u"Finish", RSeRef<DLxComponentProxy>(bolt));
    struct Case {
        DLxComponentProperty* p;
        std::u16string cached;
        int32_t expected;
    } cases[] = {
        {general, u"ISO 4017-M8x30", 0}, {general, u"Z", 1}, {general, u"A", -1},
        {text, u"Zinc plated", 0},       {text, u"Zz", 1},   {text, u"Brass", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cached.begin(), c.cached.end()));
        c.p->SetValueString(c.cached);
        EXPECT_EQ(c.p->GetValueString(false), c.cached);
        EXPECT_EQ(c.p->CompareWithSource(), c.expected);
    }
    for (auto* p : {static_cast<DLxComponentProperty*>(Make<DLxComponentPropertyGeneralDT>(
                        seg, 5, RSeRef<DLxComponentProxy>(custom))),
                    static_cast<DLxComponentProperty*>(Make<DLxComponentPropertyStringDT>(
                        seg, u"Finish", RSeRef<DLxComponentProxy>()))}) {
        EXPECT_EQ(p->GetValueString(false), noDocument);
        EXPECT_EQ(p->CompareWithSource(), -1);
    }
}

// A named integer and real read the document's text as numbers.
TEST_F(ComponentProperties, NumbersReadTheDocumentsText) {
    RSeRef<RDxComponent> component(bom->GetRDxComponent(kMotor));
    auto* teeth =
        Make<DLxComponentPropertyIntegerDT>(seg, u"Teeth", RSeRef<DLxComponentProxy>(motor));
    int32_t type = 0;
    EXPECT_EQ(teeth->GetValue(component, false, type), u"42");
    EXPECT_EQ(type, 2);
    EXPECT_EQ(teeth->GetValueString(false), u"0"); // loaded objects keep their value until...
    teeth->RefreshFromSource();
    EXPECT_EQ(teeth->GetValueString(false), u"42");
    teeth->SetValueString(u"  17 teeth");
    EXPECT_EQ(teeth->GetValueString(false), u"17");

    auto* real = Make<DLxComponentPropertyRealDT>(seg, u"Teeth", RSeRef<DLxComponentProxy>(motor));
    EXPECT_EQ(real->GetValue(component, false, type), u"42.000000");
    EXPECT_EQ(type, 3);
    real->SetValueString(u"2.5e1x");
    EXPECT_EQ(real->GetValueString(false), u"25.000000");

    auto* text =
        Make<DLxComponentPropertyStringDT>(seg, u"Teeth", RSeRef<DLxComponentProxy>(motor));
    EXPECT_EQ(text->GetValueType(), 2);
    EXPECT_TRUE(text->IsNumericValue());

    // Without a document to read or write (a custom part has none), the numbers keep theirs
    // and the document is not asked.
    for (DLxComponentProperty* p :
         {static_cast<DLxComponentProperty*>(Make<DLxComponentPropertyIntegerDT>(
              seg, u"Teeth", RSeRef<DLxComponentProxy>(custom))),
          static_cast<DLxComponentProperty*>(
              Make<DLxComponentPropertyRealDT>(seg, u"Teeth", RSeRef<DLxComponentProxy>()))}) {
        p->SetValueString(u"5");
        const UTxString16 before = p->GetValueString(false);
        EXPECT_EQ(p->RefreshFromSource(), 0u);
        EXPECT_EQ(p->WriteToSource(), 0u);
        EXPECT_EQ(p->GetValueString(false), before);
        EXPECT_EQ(p->GetValue({}, false, type), noDocument);
        EXPECT_EQ(type, 1);
    }
    EXPECT_EQ(custom->getPropertyString(u"Teeth"), u"");
}

// The part name is the document path after its last backslash.
TEST_F(ComponentProperties, PartNameIsThePathAfterItsLastBackslash) {
    auto* name = Make<DLxComponentPropertyPartListPartName>(seg, RSeRef<DLxComponentProxy>(custom));
    struct Case {
        std::u16string path, name;
    } cases[] = {
        {u"parts\\bracket", u"bracket"},
        {u"C:\\models\\parts\\bolt.part", u"bolt.part"},
        {u"bracket", u"bracket"},
        {u"parts\\", u""},
    };
    for (const Case& c : cases) {
        name->SetValueString(c.path); // a custom part takes it as its path
        EXPECT_EQ(custom->getDataSourcePathString(false), c.path);
        int32_t type = 0;
        EXPECT_EQ(name->GetValue({}, false, type), c.name);
        EXPECT_EQ(type, 1);
    }
    auto* model = Make<DLxComponentPropertyPartListPartName>(seg, RSeRef<DLxComponentProxy>(bolt));
    model->SetValueString(u"other"); // not a custom part: nothing changes
    EXPECT_EQ(model->GetValueString(false), u"parts/bolt M8x30.part");
}

// The material override: shown while it differs, ended by a refresh that keeps its text.
TEST_F(ComponentProperties, MaterialOverrideEndsWithARefresh) {
    auto* m = Make<DLxComponentPropertyPartListPartMaterial>(seg, RSeRef<DLxComponentProxy>(bolt));
    EXPECT_EQ(m->GetValueString(false), u"");
    EXPECT_EQ(m->CompareWithSource(), 1);
    m->RefreshFromSource();
    EXPECT_EQ(m->GetValueString(false), u"Steel 8.8");
    EXPECT_EQ(m->CompareWithSource(), 0);
    m->SetValueString(u"Stainless A2");
    EXPECT_TRUE(m->IsOverridden());
    EXPECT_EQ(m->GetValueString(false), u"Stainless A2");
    EXPECT_EQ(m->CompareWithSource(), 1);
    m->RefreshFromSource();
    EXPECT_FALSE(m->IsOverridden());
    EXPECT_EQ(m->GetValueString(false), u"Steel 8.8");
    EXPECT_EQ(m->GetOverride(), u"Stainless A2");
    m->SetValueString(u"Steel 8.8"); // the model's own text is no override
    EXPECT_FALSE(m->IsOverridden());

    auto* onCustom =
        Make<DLxComponentPropertyPartListPartMaterial>(seg, RSeRef<DLxComponentProxy>(custom));
    onCustom->SetValueString(u"Lithium");
    EXPECT_EQ(custom->getComponentMaterial(), u"Lithium");
    EXPECT_FALSE(onCustom->IsOverridden());
}

// Quantity and item number: a quantity cannot be typed; an item number is the row's, set only
// where a tag manager numbers the rows.
TEST_F(ComponentProperties, QuantityIsReadOnlyAndItemNumbersNeedATagManager) {
    auto* qty = Make<DLxComponentPropertyPartListQuantity>(seg, RSeRef<DLxComponentProxy>(bolt));
    EXPECT_EQ(qty->SetValueString(u"9"), 0u);
    EXPECT_EQ(qty->GetValueString(true), u"4");
    int32_t type = 0;
    EXPECT_EQ(qty->GetValue({}, true, type), u"4");
    EXPECT_EQ(type, 2);

    auto* item = Make<DLxComponentPropertyPartListItem>(seg, RSeRef<DLxComponentProxy>(bolt));
    item->SetValueString(u"B1");
    EXPECT_EQ(item->GetValueString(true), u"B1");
    DLxLocalBOMQuery q(bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    EXPECT_EQ(q.RowByCookie(DLxLocalBOMCookie({}, kBolt))->GetItemNumber(), u"B1");

    // An older assembly list's proxy has no tag manager: its tag stays.
    auto* listed =
        Make<DLxComponentProxyDT>(seg, bom->GetMasterRDxComp(), bom->GetRDxComponent(kNut), u"6");
    auto* listedItem =
        Make<DLxComponentPropertyPartListItem>(seg, RSeRef<DLxComponentProxy>(listed));
    listedItem->SetValueString(u"N");
    EXPECT_EQ(listedItem->GetValueString(true), u"6");
}

// Mass: the cache for the proxy's own component, the model's mass for any other.
TEST_F(ComponentProperties, MassAnswersTheCacheOnlyForTheProxysComponent) {
    auto* mass = Make<DLxComponentPropertyPartListPartMass>(seg, RSeRef<DLxComponentProxy>(bolt));
    int32_t type = 0;
    EXPECT_EQ(mass->GetValue(RSeRef<RDxComponent>(bom->GetRDxComponent(kBolt)), false, type), u"");
    EXPECT_EQ(type, 3);
    EXPECT_EQ(mass->GetValue(RSeRef<RDxComponent>(bom->GetRDxComponent(kNut)), false, type),
              u"0.005");
    EXPECT_EQ(mass->CompareWithSource(), 1); // nothing cached, the model says 0.016
    auto* customMass =
        Make<DLxComponentPropertyPartListPartMass>(seg, RSeRef<DLxComponentProxy>(custom));
    customMass->SetValueString(u"2.5");
    EXPECT_EQ(custom->getComponentMass(), u"2.5");
    EXPECT_EQ(customMass->CompareWithSource(), 1);
}

// The transparent kinds read and write a custom part's own values.
TEST_F(ComponentProperties, TransparentKindsReadAndWriteTheCustomPart) {
    auto* general =
        Make<DLxComponentPropertyGeneralDTTransparent>(seg, 29, RSeRef<DLxComponentProxy>(custom));
    auto* text = Make<DLxComponentPropertyStringDTTransparent>(seg, u"Finish",
                                                               RSeRef<DLxComponentProxy>(custom));
    EXPECT_EQ(general->SetValueString(u"Grease"), 0u);
    EXPECT_EQ(custom->getPropertyString(29), u"Grease");
    EXPECT_EQ(text->SetValueString(u"Anodised"), 0u);
    EXPECT_EQ(custom->getPropertyString(u"Finish"), u"Anodised");
    custom->setPropertyString(29, u"Oil");
    custom->setPropertyString(u"Finish", u"Painted");
    EXPECT_EQ(general->GetValueString(false), u"Oil");
    EXPECT_EQ(text->GetValueString(false), u"Painted");
    int32_t type = 3;
    EXPECT_EQ(text->GetValue({}, false, type), u"Painted");
    EXPECT_EQ(type, 1);
    EXPECT_EQ(general->CompareWithSource(), 0);
}

// Writing a value into its source changes the drawing's assembly, which the bill then lists;
// undo brings both back.
TEST_F(ComponentProperties, WriteToSourceChangesTheDrawingsAssemblyUndoably) {
    auto* general = Make<DLxComponentPropertyGeneralDT>(seg, 5, RSeRef<DLxComponentProxy>(bolt));
    auto* finish = Make<DLxComponentPropertyStringDTTransparent>(seg, u"Finish",
                                                                 RSeRef<DLxComponentProxy>(bolt));
    ASSERT_FALSE(Change([&] {
                     general->SetValueString(u"ISO 4017-M8x35");
                     general->WriteToSource();
                     finish->SetValueString(u"Black oxide");
                     return UTxResult();
                 }).Failed());
    EXPECT_EQ(general->CompareWithSource(), 0);
    EXPECT_EQ(BillPartNumber(kBolt), u"ISO 4017-M8x35");
    EXPECT_EQ(finish->GetValueString(false), u"Black oxide");
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(BillPartNumber(kBolt), u"ISO 4017-M8x30");
    EXPECT_EQ(finish->GetValueString(false), u"Zinc plated");
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(BillPartNumber(kBolt), u"ISO 4017-M8x35");
}

// Every kind keeps its fields through a save and a load.
TEST_F(ComponentProperties, EveryKindKeepsItsFieldsThroughSaveAndLoad) {
    RSeRef<DLxComponentProxy> p(bolt);
    auto* general = Make<DLxComponentPropertyGeneralDT>(seg, 20, p);
    auto* generalT = Make<DLxComponentPropertyGeneralDTTransparent>(seg, 5, p);
    auto* text = Make<DLxComponentPropertyStringDT>(seg, u"Finish", p);
    auto* textT = Make<DLxComponentPropertyStringDTTransparent>(seg, u"Finish", p);
    auto* integer = Make<DLxComponentPropertyIntegerDT>(seg, u"Teeth", p);
    auto* real = Make<DLxComponentPropertyRealDT>(seg, u"Teeth", p);
    auto* material = Make<DLxComponentPropertyPartListPartMaterial>(seg, p);
    general->SetValueString(u"0.017");
    text->SetValueString(u"Waxed");
    integer->SetValueString(u"-7");
    real->SetValueString(u"0.125");
    material->RefreshFromSource();
    material->SetValueString(u"Brass");
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc reopened(std::move(db));
    auto find = [&](RSeIDed* o) { return reopened.GetRSeDb()->FindObject(o->GetId()); };
    auto* lGeneral = dynamic_cast<DLxComponentPropertyGeneralDT*>(find(general));
    auto* lGeneralT = dynamic_cast<DLxComponentPropertyGeneralDTTransparent*>(find(generalT));
    auto* lText = dynamic_cast<DLxComponentPropertyStringDT*>(find(text));
    auto* lTextT = dynamic_cast<DLxComponentPropertyStringDTTransparent*>(find(textT));
    auto* lInteger = dynamic_cast<DLxComponentPropertyIntegerDT*>(find(integer));
    auto* lReal = dynamic_cast<DLxComponentPropertyRealDT*>(find(real));
    auto* lMaterial = dynamic_cast<DLxComponentPropertyPartListPartMaterial*>(find(material));
    ASSERT_TRUE(lGeneral && lGeneralT && lText && lTextT && lInteger && lReal && lMaterial);
    EXPECT_EQ(lGeneral->GetGeneralId(), 20);
    EXPECT_EQ(lGeneral->GetValueString(false), u"0.017");
    EXPECT_EQ(lGeneral->GetValueType(), 3);
    EXPECT_EQ(lGeneral->GetProxy().GetId(), bolt->GetId());
    EXPECT_EQ(lText->GetValueString(false), u"Waxed");
    EXPECT_EQ(lText->GetName(), u"Finish");
    EXPECT_EQ(lInteger->GetValueString(false), u"-7");
    EXPECT_EQ(lReal->GetValueString(false), u"0.125000");
    EXPECT_TRUE(lMaterial->IsOverridden());
    EXPECT_EQ(lMaterial->GetValueString(false), u"Brass");
    // The loaded proxy reads the drawing's assembly again once the bill is attached to it.
    ASSERT_TRUE(reopened.GetAssembly());
    ASSERT_TRUE(
        DLxLocalBOMMgr::GetLocalBOM(reopened.GetRSeDb(), *reopened.GetAssembly(), 1, false));
    EXPECT_EQ(lTextT->GetValueString(false), u"Zinc plated");
    EXPECT_EQ(lGeneralT->GetValueString(false), u"ISO 4017-M8x30");
    EXPECT_EQ(lMaterial->CompareWithSource(), 1);
}

// Older stored forms: a text property of version 0 is text; a material of version 1 keeps its
// material and has no override; saved again they are the current form.
TEST(ComponentPropertyStorage, OlderFormsLoadWithTheirDefaults) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"DLxComponentProperty", 0);
    const uint32_t text = w.AddClass(u"DLxComponentPropertyStringDT", 0);
    const uint32_t textT = w.AddClass(u"DLxComponentPropertyStringDTTransparent", 0);
    const uint32_t material = w.AddClass(u"DLxComponentPropertyPartListPartMaterial", 1);
    const uint32_t mass = w.AddClass(u"DLxComponentPropertyPartListPartMass", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& a = w.BeginRecord(text, 1);
    a.Write(UTxString16(u"Finish"));
    a.Write(UTxString16(u"42"));
    w.RefValue(0);
    w.EndRecord();
    RSeStream& b = w.BeginRecord(textT, 2);
    b.Write(UTxString16(u"Coating"));
    w.RefValue(0);
    w.EndRecord();
    RSeStream& c = w.BeginRecord(material, 3);
    w.RefValue(0);
    c.Write(UTxString16(u"Bronze"));
    w.EndRecord();
    w.BeginRecord(mass, 4);
    w.RefValue(0);
    w.EndRecord();
    const std::vector<uint8_t> bytes = w.Finish(5);

    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round ? "saved again" : "as stored");
        auto* t = dynamic_cast<DLxComponentPropertyStringDT*>(db->FindObject(1));
        auto* tt = dynamic_cast<DLxComponentPropertyStringDTTransparent*>(db->FindObject(2));
        auto* m = dynamic_cast<DLxComponentPropertyPartListPartMaterial*>(db->FindObject(3));
        auto* ms = dynamic_cast<DLxComponentPropertyPartListPartMass*>(db->FindObject(4));
        ASSERT_TRUE(t && tt && m && ms);
        EXPECT_EQ(t->GetValueType(), 1); // the stored text reads as a number, yet stays text
        EXPECT_EQ(t->GetValueString(false), u"42");
        EXPECT_EQ(tt->GetName(), u"Coating");
        EXPECT_EQ(tt->GetValueType(), 1);
        EXPECT_EQ(m->GetValueString(false), u"Bronze");
        EXPECT_FALSE(m->IsOverridden());
        EXPECT_EQ(ms->GetCachedText(), u"");
        std::vector<uint8_t> again;
        ASSERT_FALSE(db->SaveToBuffer(again).Failed());
        ASSERT_FALSE(RSeDatabase::LoadFromBuffer(again.data(), again.size(), db).Failed());
    }
}

} // namespace
