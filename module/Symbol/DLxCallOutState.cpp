#include "Symbol/DLxCallOutState.h"

#include <memory>

#include "dc/RDxFragment.h"
#include "dl/DLxSketch.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

DLxCallOutState* DLxCallOutState::Create(RDxFragment* fragment, DLxSketchInstance* sketch) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DLxCallOutState*>(nullptr)),
                       fragment->GetSegment()) DLxCallOutState();
    fragment->AddNode(state);
    state->m_sketch = sketch;
    state->SetFlag(kLeaderVisibleFlag | kNewStateFlag);
    return state;
}

DLxSketchInstance* DLxCallOutState::GetSketchInstance() const {
    return m_sketch.get();
}

void DLxCallOutState::SetSketchInstance(DLxSketchInstance* sketch) {
    if (!sketch || sketch == m_sketch.get()) return;
    BeginValueChange();
    m_sketch = sketch;
}

void DLxCallOutState::SetRotation(double radians) {
    if (radians == m_rotation) return;
    BeginValueChange();
    m_rotation = radians;
}

void DLxCallOutState::SetScale(double scale) {
    if (scale == m_symbolScale) return;
    BeginValueChange();
    m_symbolScale = scale;
}

void DLxCallOutState::SetUseGeomCenter(bool on) {
    if (on == m_useGeomCenter) return;
    BeginValueChange();
    m_useGeomCenter = on;
}

void DLxCallOutState::SetStatic(bool on) {
    if (on == GetStatic()) return;
    if (on)
        SetFlag(kStaticFlag);
    else
        ClearFlag(kStaticFlag);
}

void DLxCallOutState::SetLeaderVisible(bool on) {
    if (on == GetLeaderVisible()) return;
    if (on)
        SetFlag(kLeaderVisibleFlag);
    else
        ClearFlag(kLeaderVisibleFlag);
}

void DLxCallOutState::GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t,
                                  const UTxGUID&, bool, int32_t) {
    if (DLxSketchInstance* sketch = GetSketchInstance())
        DLxSketchUtil::PopulateTransientDL(*sketch, symbolList, textList);
    BBox box = symbolList.GetBBox();
    if (box.isEmpty()) box = textList.GetBBox();
    if (GetStatic()) return;
    // An empty box reports both corners as the origin.
    const WqGePoint3d a = box.isEmpty() ? WqGePoint3d() : box.min;
    const WqGePoint3d b = box.isEmpty() ? WqGePoint3d() : box.max;
    const WqGePoint3d c(a.x, b.y, 0), d(b.x, a.y, 0);
    const WqGePoint3d r((c.x + b.x) / 2, (c.y + b.y) / 2 + 0.15 * c.distanceTo(a), 0);
    const WqGePoint3d grips[] = {a, b, c, d, r};
    for (int32_t i = 0; i <= kRotationGrip; ++i) {
        auto item = std::make_unique<SMxPointItem>(grips[i], i == kRotationGrip ? 1 : 2);
        item->SetId(DUxLeaderNodeTree::SynthesizeItemID(DUxLeaderNodeTree::kSymbolBoxItem, 0, 0, i));
        symbolList.Append(std::move(item));
    }
}
