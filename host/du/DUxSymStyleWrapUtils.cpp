#include "du/DUxSymStyleWrapUtils.h"

#include "dc/RDxObject.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxBalloonStyleWrapper.h"
#include "du/DUxIdStyle.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "du/DUxSymState.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTextStyle.h"
#include "du/DUxWeldState.h"
#include "du/DUxWeldStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxStyle.h"
#include "rse/RSeMetaType.h"
#include "utx/UTxCast.h"

DUxFeatureControlFrameStyle* DUxSymStyleWrapUtils::GetDocumentFCFStyle(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ANSI";
    return static_cast<DUxFeatureControlFrameStyle*>(doc->FindStyle(
        RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), name));
}

std::unique_ptr<DUxFeatureControlFrameStyleWrapper>
DUxSymStyleWrapUtils::GetFCFStyle(const RDxObject* object, FWxSceneDoc* doc) {
    DUxFeatureControlFrameStyle* style = nullptr;
    if (auto* state = UTx::Cast<const DUxSymState>(object))
        style = UTx::Cast<DUxFeatureControlFrameStyle>(state->GetStyle());
    if (!style) {
        if (!doc && object) doc = FWxDocUtil::DocumentOf(object);
        style = GetDocumentFCFStyle(doc);
    }
    if (!style) return nullptr;
    return std::make_unique<DUxFeatureControlFrameStyleWrapper>(
        RSeRef<DUxFeatureControlFrameStyle>(style), RSeRef<RDxObject>(object));
}

DUxBalloonStyle* DUxSymStyleWrapUtils::GetDocumentBalloonStyle(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    UTxString16 name = doc->GetStandardName();
    if (name.empty()) name = u"ISO";
    return dynamic_cast<DUxBalloonStyle*>(
        doc->FindStyle(RSe::_GetMeta(static_cast<const DUxBalloonStyle*>(nullptr)), name));
}

std::unique_ptr<DUxBalloonStyleWrapper>
DUxSymStyleWrapUtils::GetBalloonStyle(const RDxObject* object, FWxSceneDoc* doc) {
    const auto* state = UTx::Cast<const DUxSymState>(object);
    if (!state) return nullptr;
    RSeRef<DUxBalloonStyle> style;
    if (doc && !dynamic_cast<DUxBalloonStyle*>(state->GetStyle()))
        style = RSeRef<DUxBalloonStyle>(GetDocumentBalloonStyle(doc));
    return std::make_unique<DUxBalloonStyleWrapper>(RSeRef<DUxSymState>(state), style);
}

std::unique_ptr<DUxWeldStyleWrapper> DUxSymStyleWrapUtils::GetWeldStyle(const RDxObject* object,
                                                                        FWxSceneDoc* doc) {
    const auto* state = UTx::Cast<const DUxWeldState>(object);
    if (!state) return nullptr;
    return std::make_unique<DUxWeldStyleWrapper>(state, doc);
}

namespace {
// Transcripts name a style by its name among the document's styles of its class, so that a
// replay on another drawing takes the style of the same name.
class StyleKeyTranslator : public FBxObjectNameKeyTranslator {
public:
    explicit StyleKeyTranslator(RSeMetaType* (*meta)()) : m_meta(meta) {}
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        rest = static_cast<const FWxStyle&>(obj).GetStyleName();
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase&, FWxSceneDoc* doc,
                         RSeIDed*& out) const override {
        out = doc ? doc->FindStyle(m_meta(), rest) : nullptr;
        return {};
    }

private:
    RSeMetaType* (*m_meta)();
};

RSeMetaType* FrameStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr));
}
const StyleKeyTranslator g_frameStyleKeys(&FrameStyleMeta);
RSeMetaType* LayerStyleMeta() {
    return RSe::_GetMeta(static_cast<const FBxLayerStyle*>(nullptr));
}
const StyleKeyTranslator g_layerStyleKeys(&LayerStyleMeta);
RSeMetaType* BalloonStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxBalloonStyle*>(nullptr));
}
const StyleKeyTranslator g_balloonStyleKeys(&BalloonStyleMeta);
RSeMetaType* LeaderStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxLeaderStyle*>(nullptr));
}
const StyleKeyTranslator g_leaderStyleKeys(&LeaderStyleMeta);
RSeMetaType* TextStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr));
}
const StyleKeyTranslator g_textStyleKeys(&TextStyleMeta);
RSeMetaType* IdStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxIdStyle*>(nullptr));
}
const StyleKeyTranslator g_idStyleKeys(&IdStyleMeta);
RSeMetaType* DimensionStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxDimensionStyle*>(nullptr));
}
const StyleKeyTranslator g_dimensionStyleKeys(&DimensionStyleMeta);
RSeMetaType* DatumTargetStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr));
}
const StyleKeyTranslator g_datumTargetStyleKeys(&DatumTargetStyleMeta);
RSeMetaType* SurfaceTextureStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr));
}
const StyleKeyTranslator g_surfaceTextureStyleKeys(&SurfaceTextureStyleMeta);
RSeMetaType* WeldStyleMeta() {
    return RSe::_GetMeta(static_cast<const DUxWeldStyle*>(nullptr));
}
const StyleKeyTranslator g_weldStyleKeys(&WeldStyleMeta);

// What an annotation on a layer answers as its object style.
class FBxLayerStyleWrapper : public DUxLayerStyleAbstract {
public:
    explicit FBxLayerStyleWrapper(const FBxLayerStyle& layer)
        : m_visible(layer.GetVisible()), m_color(layer.Color()) {}
    bool GetVisible() const override { return m_visible; }
    SMxColor GetLayerColor() const override { return m_color; }

private:
    bool m_visible;
    SMxColor m_color;
};

struct Register {
    Register() {
        FBxObjectNameKey::RegisterTranslator(u"DUxFeatureControlFrameStyle", &g_frameStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"FBxLayerStyle", &g_layerStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxBalloonStyle", &g_balloonStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxLeaderStyle", &g_leaderStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxTextStyle", &g_textStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxIdStyle", &g_idStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxDimensionStyle", &g_dimensionStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxDatumTargetStyle", &g_datumTargetStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxSurfaceTextureStyle",
                                             &g_surfaceTextureStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"DUxWeldStyle", &g_weldStyleKeys);
    }
} g_register;
} // namespace

void DUxStyleUtil::SetLayerStyle(DUxSymState* state, const FBxLayerStyle* layer) {
    if (state) state->SetLayerStyle(layer);
}

FBxLayerStyle* DUxStyleUtil::GetLayerStyle(const DUxSymState* state) {
    return state ? dynamic_cast<FBxLayerStyle*>(state->GetLayerStyle()) : nullptr;
}

SmartPtr<DUxLayerStyleAbstract> DUxStyleUtil::LayerStyleWrapper(const DUxSymState* state) {
    if (FBxLayerStyle* layer = GetLayerStyle(state))
        return SmartPtr<DUxLayerStyleAbstract>(new FBxLayerStyleWrapper(*layer));
    return SmartPtr<DUxLayerStyleAbstract>(new DUxLayerStyleAbstract());
}

void DUxStyleUtil::SetLayerStyle(DUxTableStateBase* state, const FBxLayerStyle* layer) {
    if (state) state->SetLayerStyle(layer);
}

FBxLayerStyle* DUxStyleUtil::GetLayerStyle(const DUxTableStateBase* state) {
    return state ? dynamic_cast<FBxLayerStyle*>(state->GetLayerStyle()) : nullptr;
}

SmartPtr<DUxLayerStyleAbstract> DUxStyleUtil::LayerStyleWrapper(const DUxTableStateBase* state) {
    if (FBxLayerStyle* layer = GetLayerStyle(state))
        return SmartPtr<DUxLayerStyleAbstract>(new FBxLayerStyleWrapper(*layer));
    return SmartPtr<DUxLayerStyleAbstract>(new DUxLayerStyleAbstract());
}

namespace {
// The choosers' state of one document.
struct ActiveChoices : FWxDocData {
    RSeRef<FWxStyle> style;
    RSeRef<FBxLayerStyle> layer;
};
const char kActiveChoicesKey = 0;

ActiveChoices* Choices(FWxSceneDoc* doc) {
    if (!doc) return nullptr;
    return static_cast<ActiveChoices*>(
        &doc->GetData(&kActiveChoicesKey, [](FWxSceneDoc*) -> std::unique_ptr<FWxDocData> {
            return std::make_unique<ActiveChoices>();
        }));
}
} // namespace

FWxStyle* DUxStyleUtil::GetDocActiveStyle(FWxSceneDoc* doc) {
    ActiveChoices* c = Choices(doc);
    return c ? c->style.get() : nullptr;
}

void DUxStyleUtil::SetDocActiveStyle(FWxSceneDoc* doc, FWxStyle* style) {
    if (ActiveChoices* c = Choices(doc)) c->style = RSeRef<FWxStyle>(style);
}

FBxLayerStyle* DUxStyleUtil::GetDocActiveLayer(FWxSceneDoc* doc) {
    ActiveChoices* c = Choices(doc);
    return c ? c->layer.get() : nullptr;
}

void DUxStyleUtil::SetDocActiveLayer(FWxSceneDoc* doc, FBxLayerStyle* layer) {
    if (ActiveChoices* c = Choices(doc)) c->layer = RSeRef<FBxLayerStyle>(layer);
}
