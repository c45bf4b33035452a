#include "GeneralNote/DLxGeneralNoteSelection.h"

#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteManipulator.h"
#include "du/DUxSceneUtil.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

DLxGeneralNoteSelection::DLxGeneralNoteSelection(DLxGeneralNote* note, const WqGePoint3d& point)
    : DUxEmblemSelection(note, point) {}

DLxGeneralNoteSelection::~DLxGeneralNoteSelection() = default;

DLxGeneralNote* DLxGeneralNoteSelection::GetGeneralNote() const {
    return dynamic_cast<DLxGeneralNote*>(Emblem());
}

void DLxGeneralNoteSelection::SetManipulator(
    std::unique_ptr<DLxGeneralNoteManipulator> manipulator) {
    m_manipulator = std::move(manipulator);
}

int32_t DLxGeneralNoteSelection::Classify() const {
    const bool onHandle = m_manipulator &&
                          m_manipulator->GetHandle() < DLxGeneralNoteManipulator::kMoveHandle;
    return onHandle ? DLxManipulator::kClassHotPoint : DLxManipulator::kClassObject;
}

bool DLxGeneralNoteSelection::IsEqual(const FWxSelection* other) const {
    auto* o = dynamic_cast<const DLxGeneralNoteSelection*>(other);
    return o && o->GetGeneralNote() && o->GetGeneralNote() == GetGeneralNote();
}

BBox DLxGeneralNoteSelection::BoundingBox() const {
    const DLxGeneralNote* note = GetGeneralNote();
    const SMxDisplayList* list = note ? note->GetSheetDisplayList() : nullptr;
    return list ? list->GetBBox() : BBox();
}

bool DLxGeneralNoteSelection::Draw(SMxDisplayList& out, bool highlight) const {
    const DLxGeneralNote* note = GetGeneralNote();
    const SMxDisplayList* list = note ? note->GetSheetDisplayList() : nullptr;
    if (!list) return false;
    out = *list;
    DUxSceneUtil::DLItemProcessHilite(out, highlight);
    return true;
}

int32_t DLxGeneralNoteSelector::HotPointAt(const WqGePoint3d& point) const {
    const SMxDisplayList* list = m_note ? m_note->GetSheetDisplayList() : nullptr;
    if (!list) return -1;
    int32_t best = -1;
    double bestDist = kHotPointRadius * kHotPointRadius;
    for (const SMxDisplayItem& item : *list) {
        const auto* hot = item.As<SMxPointItem>();
        if (!hot || hot->GetId() < 0 || hot->GetId() > 7) continue;
        const double dx = hot->position.x - point.x, dy = hot->position.y - point.y;
        const double d = dx * dx + dy * dy;
        // The first of equally near points: a collapsed box stacks its handles.
        if (d <= bestDist && (best < 0 || d < bestDist)) {
            best = hot->GetId();
            bestDist = d;
        }
    }
    return best;
}

SmartPtr<DLxGeneralNoteSelection> DLxGeneralNoteSelector::Select(const WqGePoint3d& point) const {
    if (!m_note) return nullptr;
    const int32_t hot = HotPointAt(point);
    return hot >= 0 ? OnHotPointSelection(hot, point) : OnTextSelection(point);
}

SmartPtr<DLxGeneralNoteSelection>
DLxGeneralNoteSelector::OnHotPointSelection(int32_t hotPoint, const WqGePoint3d& point) const {
    if (!m_note || hotPoint < 0 || hotPoint > 7) return nullptr;
    SmartPtr<DLxGeneralNoteSelection> sel(new DLxGeneralNoteSelection(m_note, point));
    sel->SetManipulator(std::make_unique<DLxGeneralNoteManipulator>(
        RSeRef<DLxGeneralNote>(m_note), hotPoint, DLxManipulator::kClassHotPoint, sel.get()));
    return sel;
}

SmartPtr<DLxGeneralNoteSelection>
DLxGeneralNoteSelector::OnTextSelection(const WqGePoint3d& point) const {
    if (!m_note) return nullptr;
    SmartPtr<DLxGeneralNoteSelection> sel(new DLxGeneralNoteSelection(m_note, point));
    sel->SetManipulator(std::make_unique<DLxGeneralNoteManipulator>(
        RSeRef<DLxGeneralNote>(m_note), DLxGeneralNoteManipulator::kMoveHandle,
        DLxManipulator::kClassObject, sel.get()));
    return sel;
}
