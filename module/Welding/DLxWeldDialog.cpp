#include "Welding/DLxWeldDialog.h"

#include <string>

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "Welding/DLxWeldInstance.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxDocUtil.h"

namespace {
// Welds that leave no room for a weld on the other side of the line.
bool TakesBothSides(uint32_t type) {
    return type == DUxCWeld::kSpot || type == DUxCWeld::kSeam;
}

bool IsGroove(uint32_t type) {
    return type >= DUxCWeld::kSquare && type <= DUxCWeld::kJ;
}

UTxString16 Number(int32_t v) {
    return UTx::MakeWideString(std::to_string(v));
}

FBxObjectEditRecord Rec(const char16_t* key) {
    return FBxObjectEditRecord(key);
}

FBxObjectEditRecord WeldRec(const char16_t* key, uint32_t type) {
    FBxObjectEditRecord r(key);
    r.AddInt(int32_t(type));
    r.SetAttribute(u"group", FWxTranscriptValue::MakeInt(0));
    return r;
}
} // namespace

DLxWeldDialog::DLxWeldDialog(const RSeRef<DLxWeldInstance>& weld, FWxState* target,
                             FBxObjectEditRecordList& records)
    : UCxDialog(kTemplate, target), m_weld(weld), m_records(records) {
    if (const DUxWeldState* state = m_weld.HasTarget() ? m_weld->GetWeldState() : nullptr)
        m_original = state->GetContent();
    m_preview = m_original;
    DLxWeldInstance::ApplyEditRecords(m_preview, m_records);
}

const DUxCSubWelding* DLxWeldDialog::Current() const {
    return m_current >= 0 && m_current < int32_t(m_preview.subWeldings.size())
               ? &m_preview.subWeldings[size_t(m_current)]
               : nullptr;
}

const DUxCWeld* DLxWeldDialog::RowWeld(int32_t row, bool primary) const {
    const DUxCSubWelding* sub = Current();
    if (!sub) return nullptr;
    return RowIsArrowSide(row) ? sub->weldOnArrowSide(primary) : sub->weldOnOtherSide(primary);
}

int32_t DLxWeldDialog::StandardType() const {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(m_weld.GetTarget()));
    if (!drawing) return 0;
    static const char16_t* const standards[] = {u"ANSI", u"BSI", u"DIN", u"GB", u"ISO", u"JIS"};
    for (int32_t i = 0; i < 6; ++i)
        if (drawing->GetDrawing()->GetStandardName() == standards[i]) return i;
    return 0;
}

bool DLxWeldDialog::OnInitDialog() {
    HMODULE res = KorvuGetResourceHandle();
    const KorvuResDialog* dialog = res ? FindDialogResource(res, kTemplate) : nullptr;
    if (!dialog) return false;
    for (uint32_t i = 0; i < dialog->controlCount; ++i)
        if (dialog->controls[i].id != 0xFFFFFFFFu) m_templateIds.insert(int32_t(dialog->controls[i].id));
    const DUxCSubWelding* sub = Current();
    m_arrowOnTop = !sub || sub->arrowSidePosition == 1;
    for (const Row& row : kRows)
        for (int32_t id : {row.prefixEdit, row.firstValueEdit})
            SetDlgItemText(id, u"");
    UpdateStackButtons();
    RefreshRow(0);
    RefreshRow(1);
    GeneralUpdate();
    return true;
}

void DLxWeldDialog::Record(const FBxObjectEditRecord& record) {
    m_records.push_back(record);
    m_preview = m_original;
    DLxWeldInstance::ApplyEditRecords(m_preview, m_records);
}

void DLxWeldDialog::Changed() {
    if (const DUxCSubWelding* sub = Current()) m_arrowOnTop = sub->arrowSidePosition == 1;
    RefreshRow(0);
    RefreshRow(1);
    GeneralUpdate();
    UpdateStackButtons();
    NotifyTarget(kNotifyChanged, nullptr);
}

void DLxWeldDialog::UpdateStackButtons() {
    const int32_t count = int32_t(m_preview.subWeldings.size());
    EnableItem(kDeleteSubWeld, count > 1);
    EnableItem(kPreviousSubWeld, m_current > 0);
    EnableItem(kNextSubWeld, m_current < count - 1);
}

void DLxWeldDialog::RefreshRow(int32_t r) {
    const Row& row = kRows[r];
    const DUxCWeld* primary = RowWeld(r, true);
    const DUxCWeld* secondary = RowWeld(r, false);
    // The row's value edits: those its welds have, by dialog index.
    std::vector<const UTxString16*> table(15, nullptr);
    for (const DUxCWeld* w : {primary, secondary}) {
        if (!w) continue;
        for (int32_t f : DUxWeldSrvUtils::ValueFields(w->weldType)) {
            const int32_t i = DUxWeldSrvUtils::DialogIndex(f, w == primary);
            if (i >= 0 && i < 15) table[size_t(i)] = &w->values[size_t(f)];
        }
    }
    for (int32_t i = 0; i < 15; ++i) {
        ShowItem(row.firstValueEdit + i, table[size_t(i)] != nullptr);
        SetDlgItemText(row.firstValueEdit + i, table[size_t(i)] ? *table[size_t(i)] : u"");
    }
    SetDlgItemText(row.weldPopup, Number(primary ? int32_t(primary->weldType) : 0));
    ShowItem(row.prefixEdit, primary && primary->weldType != 0);
    SetDlgItemText(row.prefixEdit, primary ? primary->prefix : u"");
    const bool secondaryAllowed = primary && DUxWeldSrvUtils::HasService(primary->weldType, primary->group) &&
                                  primary->weldType != DUxCWeld::kPlug && !TakesBothSides(primary->weldType);
    ShowItem(row.secondaryButton, secondaryAllowed);
    CheckDlgButton(row.secondaryButton, secondary != nullptr);
    ShowItem(row.primaryContour, primary != nullptr);
    SetDlgItemText(row.primaryContour, Number(primary ? primary->contourType : 0));
    ShowItem(row.secondaryContour, secondary != nullptr);
    SetDlgItemText(row.secondaryContour, Number(secondary ? secondary->contourType : 0));
    ShowItem(row.brazing, primary != nullptr);
    CheckDlgButton(row.brazing, primary && primary->brazing);
    // A weld on both sides at once leaves the other row nothing to choose.
    const bool alone = primary && TakesBothSides(primary->weldType);
    ShowItem(kRows[1 - r].weldPopup, !alone);
}

void DLxWeldDialog::GeneralUpdate() {
    const DUxCSubWelding* sub = Current();
    if (!sub) return;
    CheckDlgButton(kFieldWeld, sub->fieldWeldType != 0);
    CheckDlgButton(kAllAround, sub->areaDescType != 0);
    // The identification line is offered where the standard draws one.
    ShowItem(kIdentLine, m_preview.arrowSidePosition == 1 || m_preview.identLineType != 0);
    SetDlgItemText(kIdentLine, Number(m_preview.identLineType));
    const bool bothSides = sub->weldOnArrowSide(true) && sub->weldOnOtherSide(true);
    EnableItem(kStagger, bothSides);
    const int32_t stagger = sub->associationType >= 2 && sub->associationType <= 4 ? sub->associationType : 0;
    SetDlgItemText(kStagger, Number(bothSides ? stagger : 0));
    SetDlgItemText(kNoteText, sub->notes);
    CheckDlgButton(kNoteBox, sub->closedTail);
    bool groove = false;
    for (const DUxCWeld* w : {sub->weldOnArrowSide(true), sub->weldOnOtherSide(true)})
        groove = groove || (w && IsGroove(w->weldType));
    ShowItem(kSpacer, groove);
    CheckDlgButton(kSpacer, sub->associationType == 1);
}

void DLxWeldDialog::ChooseWeld(int32_t row, uint32_t type) {
    const bool arrow = RowIsArrowSide(row);
    Record(WeldRec(arrow ? u"AddPrimaryArrowWeld" : u"AddPrimaryOtherWeld", type));
    if (type != 0 && TakesBothSides(type))
        Record(WeldRec(arrow ? u"AddPrimaryOtherWeld" : u"AddPrimaryArrowWeld", 0));
    Changed();
}

void DLxWeldDialog::ToggleSecondary(int32_t row) {
    if (!RowWeld(row, true)) return;
    Record(WeldRec(RowIsArrowSide(row) ? u"AddSecondaryArrowWeld" : u"AddSecondaryOtherWeld",
                   DUxCWeld::kFillet));
    Changed();
}

void DLxWeldDialog::CommitValue(int32_t row, int32_t index) {
    const bool primary = index <= 9;
    const bool arrow = RowIsArrowSide(row);
    const DUxCWeld* w = RowWeld(row, primary);
    Record(Rec(primary ? u"WeldPrimaryValuePositions" : u"WeldSecondaryValuePositions")
               .AddBool(arrow));
    bool listed = false;
    if (w)
        for (int32_t f : DUxWeldSrvUtils::ValueFields(w->weldType))
            listed = listed || DUxWeldSrvUtils::DialogIndex(f, primary) == index;
    if (!listed) {
        // Nothing to edit there: the focus goes back to the row's weld.
        SetFocusItem(kRows[row].weldPopup);
        return;
    }
    UTxString16 text = GetDlgItemText(kRows[row].firstValueEdit + index);
    if (text.size() > kMaxText) text.resize(kMaxText);
    Record(Rec(u"WeldValueIndex").AddInt(index));
    Record(Rec(u"WeldValue").AddString(text));
    Changed();
}

void DLxWeldDialog::OnKillFocus(int32_t id) {
    if (!HasWindow()) return;
    if (id == kNoteText) {
        UTxString16 text = GetDlgItemText(kNoteText);
        if (text.size() > kMaxText) text.resize(kMaxText);
        Record(Rec(u"NoteText").AddString(text));
        Changed();
        return;
    }
    for (int32_t r = 0; r < 2; ++r) {
        const Row& row = kRows[r];
        if (id >= row.firstValueEdit && id < row.firstValueEdit + 15) {
            CommitValue(r, id - row.firstValueEdit);
            return;
        }
        if (id == row.prefixEdit) {
            if (!RowWeld(r, true)) return;
            UTxString16 text = GetDlgItemText(id);
            if (text.size() > kMaxText) text.resize(kMaxText);
            Record(Rec(RowIsArrowSide(r) ? u"WeldArrowPrefix" : u"WeldOtherPrefix").AddString(text));
            Changed();
            return;
        }
    }
}

void DLxWeldDialog::OnChoose(int32_t id, int32_t value) {
    if (!HasWindow() || !IsItemEnabled(id) || !IsItemVisible(id)) return;
    if (id == kIdentLine) {
        Record(Rec(u"WeldIdentLineType").AddInt(value >= 0 && value <= 2 ? value : 0));
        Changed();
        return;
    }
    if (id == kStagger) {
        Record(Rec(u"WeldAssociationType").AddInt(value >= 2 && value <= 4 ? value : 0));
        Changed();
        return;
    }
    for (int32_t r = 0; r < 2; ++r) {
        const Row& row = kRows[r];
        const bool arrow = RowIsArrowSide(r);
        if (id == row.weldPopup) {
            ChooseWeld(r, DUxWeldSrvUtils::HasService(uint32_t(value), 0) ? uint32_t(value) : 0);
            return;
        }
        if (id == row.primaryContour || id == row.secondaryContour) {
            const bool primary = id == row.primaryContour;
            if (!RowWeld(r, primary)) return;
            const char16_t* key = arrow ? (primary ? u"ArrowContourType" : u"ArrowSecContourType")
                                        : (primary ? u"OtherContourType" : u"OtherSecContourType");
            const bool known = value >= DUxCWeld::kNoContour && value <= DUxCWeld::kConcave;
            Record(Rec(key).AddInt(known ? value : DUxCWeld::kNoContour));
            Changed();
            return;
        }
    }
}

void DLxWeldDialog::OnClicked(int32_t id) {
    const DUxCSubWelding* sub = Current();
    if (!sub) return;
    const int32_t count = int32_t(m_preview.subWeldings.size());
    switch (id) {
    case kFieldWeld:
        Record(Rec(u"FieldWeld").AddInt(sub->fieldWeldType != 0 ? 0 : 1));
        break;
    case kAllAround: {
        const int32_t type = StandardType();
        int32_t next = 0;
        if (sub->areaDescType == 0)
            next = type == 0 || type == 3 ? 1 : type == 2 || type == 4 ? 4 : 2;
        else if (sub->areaDescType == 2 && type == 5)
            next = 8;
        Record(Rec(u"WeldAllAround").AddInt(next));
        break;
    }
    case kSpacer:
        Record(Rec(u"WeldAssociationType").AddInt(IsDlgButtonChecked(kSpacer) ? 0 : 1));
        break;
    case kNoteBox:
        Record(Rec(u"NoteBox").AddBool(!sub->closedTail));
        break;
    case kSwap:
        Record(Rec(u"WeldSwap").AddBool(true));
        break;
    case kAddSubWeld:
        Record(Rec(u"AddSubWeld").AddInt(m_current));
        break;
    case kDeleteSubWeld:
        if (count <= 1) return;
        Record(Rec(u"DeleteSubweld").AddInt(m_current));
        if (m_current > 0) --m_current;
        Record(Rec(u"SubWeldIndex").AddInt(m_current));
        if (count - 1 <= 1) SetFocusItem(kAddSubWeld);
        break;
    case kNextSubWeld:
        if (m_current + 1 >= count) return;
        Record(Rec(u"SubWeldIndex").AddInt(++m_current));
        if (m_current == count - 1) SetFocusItem(kPreviousSubWeld);
        break;
    case kPreviousSubWeld:
        if (m_current <= 0) return;
        Record(Rec(u"SubWeldIndex").AddInt(--m_current));
        if (m_current == 0) SetFocusItem(kNextSubWeld);
        break;
    default:
        for (int32_t r = 0; r < 2; ++r) {
            const Row& row = kRows[r];
            if (id == row.secondaryButton) {
                ToggleSecondary(r);
                return;
            }
            const DUxCWeld* primary = RowWeld(r, true);
            if (id == row.brazing && primary) {
                Record(Rec(u"WeldPrimaryValuePositions").AddBool(RowIsArrowSide(r)));
                Record(Rec(u"WeldValueIndex").AddInt(DUxWeldSrvUtils::kBrazingIndex));
                Record(Rec(u"WeldValue").AddString(primary->brazing ? u"0" : u"1"));
                Changed();
                return;
            }
        }
        return;
    }
    Changed();
}
