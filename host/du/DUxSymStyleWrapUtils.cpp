#include "du/DUxSymStyleWrapUtils.h"

#include "dc/RDxObject.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxSymState.h"
#include "fb/FBxLayerStyle.h"
#include "fb/FBxObjectNameKey.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxStyle.h"
#include "rse/RSeMetaType.h"

DUxFeatureControlFrameStyle* DUxSymStyleWrapUtils::GetDocumentFCFStyle(FWxSceneDoc* doc) {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
    if (!drawing) return nullptr;
    const UTxString16 name =
        drawing->GetStandardName().empty() ? UTxString16(u"ANSI") : drawing->GetStandardName();
    return static_cast<DUxFeatureControlFrameStyle*>(drawing->FindStyle(
        RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), name));
}

std::unique_ptr<DUxFeatureControlFrameStyleWrapper>
DUxSymStyleWrapUtils::GetFCFStyle(const RDxObject* object, FWxSceneDoc* doc) {
    DUxFeatureControlFrameStyle* style = nullptr;
    if (auto* state = dynamic_cast<const DUxSymState*>(object))
        style = dynamic_cast<DUxFeatureControlFrameStyle*>(state->GetStyle());
    if (!style) {
        if (!doc && object) doc = FWxDocUtil::DocumentOf(object);
        style = GetDocumentFCFStyle(doc);
    }
    if (!style) return nullptr;
    return std::make_unique<DUxFeatureControlFrameStyleWrapper>(
        RSeRef<DUxFeatureControlFrameStyle>(style), RSeRef<RDxObject>(object));
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
        auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
        DLxDrawing* drawing = drawingDoc ? drawingDoc->GetDrawing() : nullptr;
        out = drawing ? drawing->FindStyle(m_meta(), rest) : nullptr;
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

struct Register {
    Register() {
        FBxObjectNameKey::RegisterTranslator(u"DUxFeatureControlFrameStyle", &g_frameStyleKeys);
        FBxObjectNameKey::RegisterTranslator(u"FBxLayerStyle", &g_layerStyleKeys);
    }
} g_register;
} // namespace

void DUxStyleUtil::SetLayerStyle(DUxSymState* state, FBxLayerStyle* layer) {
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
