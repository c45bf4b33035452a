#include "Welding/DLxWeldDialog.h"

#include <cmath>
#include <optional>
#include <string>

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "Welding/DLxWeldInstance.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxDocUtil.h"

namespace {
// Icons of the buttons and statics.
constexpr uint32_t kFieldIcon = 2806; // + 1 when checked
constexpr uint32_t kAllAroundIcon = 2813;
constexpr uint32_t kAllAroundIcons[2] = {2800, 2801}; // types 1, 2 and 4; type 8
constexpr uint32_t kSwapIcon = 2818;
constexpr uint32_t kSpacerIcon = 7647;
constexpr uint32_t kStaticIcons[2] = {7801, 7800};
// Stagger pictures by association type 2, 3 and 4.
constexpr uint32_t kStaggerBitmaps[3] = {3340, 3339, 3341};

const KorvuResBitmap* Bitmap(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    return res ? FindBitmapResource(res, id) : nullptr;
}

UTxString16 String(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, id) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}

bool IsGroove(uint32_t type) {
    return type >= DUxCWeld::kSquare && type <= DUxCWeld::kJ;
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
    : UCxDialog(kTemplate, target), m_weld(weld), m_records(records), m_swap(kSwap, 0, 0),
      m_spacer(kSpacer, 0, 0), m_identPopup(kIdentLine), m_staggerPopup(kStagger) {
    for (int32_t r = 0; r < 2; ++r) {
        m_secondary[r] = std::make_unique<CWeldArrowButton>(kRows[r].secondaryButton, 0, 0);
        m_contour[r][0] = std::make_unique<DLxWeldComboBox>(kRows[r].primaryContour);
        m_contour[r][1] = std::make_unique<DLxWeldComboBox>(kRows[r].secondaryContour);
        m_weldPopup[r] = std::make_unique<UCxBitmapPopup>(kRows[r].weldPopup);
    }
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
    for (const KorvuResControl& c : WinDialogControls(*dialog)) {
        if (c.id == 0xFFFFFFFFu) continue;
        m_templateIds.insert(int32_t(c.id));
        for (DLxWeldBitmapButton* b : {static_cast<DLxWeldBitmapButton*>(m_secondary[0].get()),
                                       static_cast<DLxWeldBitmapButton*>(m_secondary[1].get()),
                                       static_cast<DLxWeldBitmapButton*>(&m_swap),
                                       static_cast<DLxWeldBitmapButton*>(&m_spacer)})
            if (b->GetDlgCtrlID() == int32_t(c.id)) b->MoveWindow(c.x, c.y, c.width, c.height);
    }
    const DUxCSubWelding* sub = Current();
    m_arrowOnTop = !sub || sub->arrowSidePosition == 1;
    for (const Row& row : kRows)
        for (int32_t id : {row.prefixEdit, row.firstValueEdit})
            SetDlgItemText(id, u"");
    InitControls();
    UpdateStackButtons();
    // Welds through both plates leave the other row nothing to choose.
    for (int32_t r = 0; r < 2; ++r)
        if (const DUxCWeld* w = RowWeld(r, true); w && TakesBothSides(w->weldType))
            ShowItem(kRows[1 - r].weldPopup, false);
    GeneralUpdate();
    return true;
}

bool DLxWeldDialog::TakesBothSides(uint32_t type) {
    return type == DUxCWeld::kSpot || type == DUxCWeld::kSeam;
}

void DLxWeldDialog::SetToolTip(int32_t id, uint32_t stringId) {
    m_tooltips[id] = String(stringId);
}

UTxString16 DLxWeldDialog::GetToolTip(int32_t id) const {
    auto it = m_tooltips.find(id);
    return it == m_tooltips.end() ? UTxString16() : it->second;
}

std::vector<UTxString16> DLxWeldDialog::GetComboChoices(int32_t id) const {
    auto it = m_choices.find(id);
    return it == m_choices.end() ? std::vector<UTxString16>() : it->second;
}

uint32_t DLxWeldDialog::GetItemIcon(int32_t id) const {
    auto it = m_icons.find(id);
    return it == m_icons.end() ? 0 : it->second;
}

void DLxWeldDialog::InitControls() {
    for (int32_t i = 0; i < 2; ++i) m_icons[kIconStatics[i]] = kStaticIcons[i];
    m_icons[kFieldWeld] = kFieldIcon;
    m_icons[kAllAround] = kAllAroundIcon;
    m_swap.SetIcons(kSwapIcon, 0, 0);
    m_spacer.SetIcons(kSpacerIcon, 0, 0);
    m_icons[kSwap] = kSwapIcon;
    m_icons[kSpacer] = kSpacerIcon;

    SetToolTip(kAllAround, DUxWeldSrvUtils::kAllAroundTooltip);
    SetToolTip(kFieldWeld, DUxWeldSrvUtils::kFieldTooltip);
    SetToolTip(kNoteText, 8490);
    SetToolTip(kSwap, 8486);
    SetToolTip(kSpacer, 8481);
    SetToolTip(kAddSubWeld, 8461);
    SetToolTip(kNoteBox, 8468);
    SetToolTip(kDeleteSubWeld, 8466);
    SetToolTip(kNextSubWeld, 8474);
    SetToolTip(kPreviousSubWeld, 8478);
    for (const Row& row : kRows) {
        SetToolTip(row.weldPopup, 8489);
        SetToolTip(row.secondaryButton, 8480);
        SetToolTip(row.prefixEdit, 8477);
        for (int32_t i = 0; i < 15; ++i) m_tooltips[row.firstValueEdit + i] = u" ";
    }

    // A click with the mouse on an owner-drawn button reaches the dialog as any click does.
    auto click = [this](int32_t id) { ClickButton(id); };
    m_swap.onClicked = click;
    m_spacer.onClicked = click;
    auto choice = [this](UCxBitmapPopup& popup, uint32_t bitmap) { OnPopupChoice(popup, bitmap); };
    m_identPopup.onChoice = choice;
    m_staggerPopup.onChoice = choice;
    m_identPopup.SetEntries({{kIdentLineBitmaps[0], 0, false},
                             {kIdentLineBitmaps[1], 0, false},
                             {kIdentLineBitmaps[2], 0, false}},
                            1);
    m_staggerPopup.SetEntries({{kNoStaggerBitmap, 0, false},
                               {kStaggerBitmaps[1], 0, false},
                               {kStaggerBitmaps[0], 0, false},
                               {kStaggerBitmaps[2], 0, false}},
                              2);

    for (int32_t r = 0; r < 2; ++r) {
        // The top row's pictures stand above the reference line, the bottom row's below it.
        const bool above = r == 0;
        CWeldArrowButton& secondary = *m_secondary[r];
        secondary.onClicked = click;
        secondary.SetTogglesLook(true);
        // The secondary weld is a fillet weld.
        secondary.SetBitmap(Bitmap(DUxWeldSrvUtils::GetWelds(above).front().bitmap));
        for (int32_t k = 0; k < 2; ++k) {
            DLxWeldComboBox& combo = *m_contour[r][k];
            combo.ResetContent();
            for (const DUxWeldSrvUtils::Desc& d : DUxWeldSrvUtils::GetContours(above))
                if (d.enabled) combo.AddEntry(Bitmap(d.bitmap), int32_t(d.weldType));
            combo.AddEntry(Bitmap(DUxWeldSrvUtils::kNoWeldBitmap), DUxCWeld::kNoContour);
            combo.SetCurSel(1);
        }
        m_weldPopup[r]->onChoice = choice;
        FillWeldPopup(r);
    }
}

void DLxWeldDialog::FillWeldPopup(int32_t r) {
    const DUxCWeld* primary = RowWeld(r, true);
    std::vector<UCxBitmapPopup::Entry> entries = {
        {DUxWeldSrvUtils::kNoWeldBitmap, DUxWeldSrvUtils::kNoWeldTooltip, false}};
    uint32_t current = DUxWeldSrvUtils::kNoWeldBitmap;
    std::vector<bool> mirror;
    for (const DUxWeldSrvUtils::Desc& d : DUxWeldSrvUtils::GetWelds(r == 0)) {
        if (primary && d.weldType == primary->weldType && d.group == primary->group)
            current = d.bitmap;
        entries.push_back({d.bitmap, d.tooltip, d.mirrored});
        mirror.push_back(d.mirrored);
    }
    const int32_t columns = int32_t(std::sqrt(double(entries.size())));
    UCxBitmapPopup& popup = *m_weldPopup[r];
    popup.SetEntries(std::move(entries), columns);
    popup.SetCurrentBitmap(current);
    // The row's own popup takes its mirroring flags.
    popup.SetMirrorFlags(std::move(mirror));
    RefreshRow(r);
}

void DLxWeldDialog::Record(const FBxObjectEditRecord& record) {
    m_records.push_back(record);
    m_preview = m_original;
    DLxWeldInstance::ApplyEditRecords(m_preview, m_records);
}

void DLxWeldDialog::Changed() {
    if (const DUxCSubWelding* sub = Current()) m_arrowOnTop = sub->arrowSidePosition == 1;
    FillWeldPopup(0);
    FillWeldPopup(1);
    for (int32_t r = 0; r < 2; ++r)
        if (const DUxCWeld* w = RowWeld(r, true); w && TakesBothSides(w->weldType))
            ShowItem(kRows[1 - r].weldPopup, false);
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
    ShowItem(row.prefixEdit, primary && primary->weldType != 0);
    SetDlgItemText(row.prefixEdit, primary ? primary->prefix : u"");
    const bool secondaryAllowed = primary && DUxWeldSrvUtils::HasService(primary->weldType, primary->group) &&
                                  primary->weldType != DUxCWeld::kPlug && !TakesBothSides(primary->weldType);
    ShowItem(row.secondaryButton, secondaryAllowed);
    m_secondary[r]->SetState(secondary != nullptr);
    const bool above = r == 0;
    for (int32_t k = 0; k < 2; ++k) {
        const DUxCWeld* w = k == 0 ? primary : secondary;
        DLxWeldComboBox& combo = *m_contour[r][k];
        ShowItem(combo.GetDlgCtrlID(), w != nullptr);
        if (!w) continue;
        // A contour the combo lacks is added before it is shown.
        if (!combo.HasId(w->contourType))
            for (const DUxWeldSrvUtils::Desc& d : DUxWeldSrvUtils::GetContours(above))
                if (int32_t(d.weldType) == w->contourType)
                    combo.AddEntry(Bitmap(d.bitmap), w->contourType);
        combo.SelectId(w->contourType);
        m_tooltips[combo.GetDlgCtrlID()] = String(w->contourType == DUxCWeld::kNoContour
                                                      ? DUxWeldSrvUtils::kNoWeldTooltip
                                                      : 8238u + uint32_t(w->contourType) - 1);
    }
    // The finishing methods of contoured welds; the weld's own is selected (the empty entry
    // when it is none of them).
    for (int32_t k = 0; k < 2; ++k) {
        const DUxCWeld* w = k == 0 ? primary : secondary;
        const int32_t id = k == 0 ? row.primaryFinish : row.secondaryFinish;
        std::vector<UTxString16> choices =
            w ? DUxWeldSrvUtils::FinishChoices(w->contourType) : std::vector<UTxString16>();
        ShowItem(id, !choices.empty());
        if (!choices.empty()) choices.push_back(u"");
        SetDlgItemText(id, w ? w->finish : u"");
        m_tooltips[id] = String(8241);
        m_choices[id] = std::move(choices);
    }
    ShowItem(row.brazing, primary != nullptr);
    CheckDlgButton(row.brazing, primary && primary->brazing);
    // A weld on both sides at once leaves the other row nothing to choose.
    const bool alone = primary && TakesBothSides(primary->weldType);
    ShowItem(kRows[1 - r].weldPopup, !alone);
    if (alone) m_weldPopup[1 - r]->SetCurrentBitmap(DUxWeldSrvUtils::kNoWeldBitmap);
}

void DLxWeldDialog::GeneralUpdate() {
    const DUxCSubWelding* sub = Current();
    if (!sub) return;
    CheckDlgButton(kFieldWeld, sub->fieldWeldType != 0);
    m_icons[kFieldWeld] = kFieldIcon + (sub->fieldWeldType != 0 ? 1 : 0);
    CheckDlgButton(kAllAround, sub->areaDescType != 0);
    switch (sub->areaDescType) {
    case 0: m_icons[kAllAround] = kAllAroundIcon; break;
    case 1:
    case 2:
    case 4: m_icons[kAllAround] = kAllAroundIcons[0]; break;
    case 8: m_icons[kAllAround] = kAllAroundIcons[1]; break;
    default: break; // shown as none, its icon left as it was
    }
    // The identification line is offered where the standard draws one.
    ShowItem(kIdentLine, m_preview.arrowSidePosition == 1 || m_preview.identLineType != 0);
    const int32_t ident = m_preview.identLineType;
    m_identPopup.SetCurrentBitmap(kIdentLineBitmaps[ident >= 0 && ident <= 2 ? ident : 0]);
    const bool bothSides = sub->weldOnArrowSide(true) && sub->weldOnOtherSide(true);
    EnableItem(kStagger, bothSides);
    const int32_t stagger = sub->associationType >= 2 && sub->associationType <= 4 ? sub->associationType : 0;
    m_staggerPopup.SetCurrentBitmap(bothSides && stagger ? kStaggerBitmaps[stagger - 2]
                                                         : kNoStaggerBitmap);
    SetDlgItemText(kNoteText, sub->notes);
    CheckDlgButton(kNoteBox, sub->closedTail);
    bool groove = false;
    for (const DUxCWeld* w : {sub->weldOnArrowSide(true), sub->weldOnOtherSide(true)})
        groove = groove || (w && IsGroove(w->weldType));
    ShowItem(kSpacer, groove);
    m_spacer.SetState(sub->associationType == 1);
    m_swap.SetState(sub->arrowSidePosition == 1);
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
    for (UCxBitmapPopup* popup : {&m_identPopup, &m_staggerPopup, m_weldPopup[0].get(),
                                  m_weldPopup[1].get()})
        if (popup->GetDlgCtrlID() == id) {
            popup->Choose(uint32_t(value));
            return;
        }
    for (int32_t r = 0; r < 2; ++r)
        for (int32_t k = 0; k < 2; ++k) {
            const int32_t finish = k == 0 ? kRows[r].primaryFinish : kRows[r].secondaryFinish;
            if (id != finish) continue;
            const std::vector<UTxString16>& choices = m_choices[id];
            if (value < 0 || value >= int32_t(choices.size())) return;
            const bool primary = k == 0;
            Record(Rec(primary ? u"WeldPrimaryValuePositions" : u"WeldSecondaryValuePositions")
                       .AddBool(RowIsArrowSide(r)));
            Record(Rec(u"WeldValueIndex")
                       .AddInt(primary ? DUxWeldSrvUtils::kFinishIndex
                                       : DUxWeldSrvUtils::kSecondaryFinishIndex));
            Record(Rec(u"WeldValue").AddString(choices[size_t(value)]));
            Changed();
            return;
        }
    for (int32_t r = 0; r < 2; ++r)
        for (int32_t k = 0; k < 2; ++k)
            if (m_contour[r][k]->GetDlgCtrlID() == id) {
                if (m_contour[r][k]->SelectId(value)) OnContourChoice(r, k == 0);
                return;
            }
}

void DLxWeldDialog::OnPopupChoice(UCxBitmapPopup& popup, uint32_t bitmap) {
    if (&popup == &m_identPopup) {
        const int32_t type = bitmap == kIdentLineBitmaps[1] ? 1 : bitmap == kIdentLineBitmaps[2] ? 2 : 0;
        Record(Rec(u"WeldIdentLineType").AddInt(type));
        Changed();
        return;
    }
    if (&popup == &m_staggerPopup) {
        int32_t type = 0;
        for (int32_t i = 0; i < 3; ++i)
            if (bitmap == kStaggerBitmaps[i]) type = 2 + i;
        Record(Rec(u"WeldAssociationType").AddInt(type));
        Changed();
        return;
    }
    for (int32_t r = 0; r < 2; ++r)
        if (&popup == m_weldPopup[r].get()) {
            // "No weld" is no descriptor: type 0 removes the side's welds.
            uint32_t type = 0;
            for (const DUxWeldSrvUtils::Desc& d : DUxWeldSrvUtils::GetWelds(r == 0))
                if (d.bitmap == bitmap) type = d.weldType;
            ChooseWeld(r, type);
            return;
        }
}

void DLxWeldDialog::OnContourChoice(int32_t r, bool primary) {
    if (!RowWeld(r, primary)) return;
    const bool arrow = RowIsArrowSide(r);
    const char16_t* key = arrow ? (primary ? u"ArrowContourType" : u"ArrowSecContourType")
                                : (primary ? u"OtherContourType" : u"OtherSecContourType");
    Record(Rec(key).AddInt(m_contour[r][primary ? 0 : 1]->GetSelectedId()));
    Changed();
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
        // A mouse click has flipped the toggle already; a keyboard click has not.
        if (!m_spacer.WasClickedByMouse()) m_spacer.SetState(!m_spacer.GetState());
        m_spacer.ResetClickedByMouse();
        Record(Rec(u"WeldAssociationType").AddInt(m_spacer.GetState() ? 1 : 0));
        break;
    case kNoteBox:
        Record(Rec(u"NoteBox").AddBool(!sub->closedTail));
        break;
    case kSwap:
        if (!m_swap.WasClickedByMouse()) m_swap.SetState(!m_swap.GetState());
        m_swap.ResetClickedByMouse();
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
