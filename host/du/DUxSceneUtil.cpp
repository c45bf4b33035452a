#include "du/DUxSceneUtil.h"

#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
void Replace(SMxDisplayList& list, const SMxAttributes& attributes) {
    list.RemoveAttributes(attributes.source);
    list.PushAttributes(attributes);
}

SMxAttributes Style(const SMxColor& color, int32_t lineWeight = 0, int32_t lineType = 0) {
    SMxAttributes a;
    a.source = SMxAttributes::kStyle;
    a.hasColor = true;
    a.color = color;
    a.lineWeight = lineWeight;
    a.lineStyle = lineType;
    return a;
}
} // namespace

void DUxSceneUtil::DLItemSetLayerStyle(SMxDisplayList& list, const DUxLayerStyleAbstract& layer) {
    SMxAttributes a;
    a.source = SMxAttributes::kLayer;
    a.hasColor = true;
    a.color = layer.GetLayerColor();
    Replace(list, a);
}

void DUxSceneUtil::DLItemSetStyle(SMxDisplayList& list, const DUxLayerStyleAbstract& style) {
    Replace(list, Style(style.GetColor(), style.GetLineWeight(), style.GetLineType()));
}

void DUxSceneUtil::DLItemSetStyle(SMxDisplayList& list, const DUxLeaderStyleWrapper& style) {
    Replace(list, Style(style.GetColor(), style.GetLineWeight(), style.GetLineType()));
}

void DUxSceneUtil::DLItemSetStyle(SMxDisplayList& list, const DUxTextStyleWrapper& style) {
    Replace(list, Style(style.GetColor()));
}

void DUxSceneUtil::DLItemSetColor(SMxDisplayList& list, const SMxColor& color) {
    Replace(list, Style(color));
}

void DUxSceneUtil::DLItemSetColor(SMxDisplayItem& item, const SMxColor& color) {
    if (auto* child = item.As<SMxChildItem>())
        DLItemSetColor(child->list, color);
    else
        item.SetStyledColor(color);
}

void DUxSceneUtil::CleanAttrStackForLayers(SMxDisplayList& list) {
    list.RemoveAttributes(SMxAttributes::kLayer);
    list.RemoveAttributes(SMxAttributes::kStyle);
}

void DUxSceneUtil::CleanAttrStackForLayers(SMxDisplayItem& item) {
    if (auto* child = item.As<SMxChildItem>())
        CleanAttrStackForLayers(child->list);
    else
        item.ClearStyledColor();
}

void DUxSceneUtil::DLItemProcessHilite(SMxDisplayList& list, bool highlight) {
    list.RemoveAttributes(SMxAttributes::kHighlight);
    if (!highlight) return;
    SMxAttributes hilite;
    hilite.source = SMxAttributes::kHighlight;
    hilite.hasColor = true;
    hilite.color = SMxColor::FromRgba(0xFF, 0x80, 0x00);
    list.PushAttributes(hilite);
}
