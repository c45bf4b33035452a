#include "Command/DLxGDTSymDialog.h"

#include <algorithm>
#include <cmath>

#include "Request/DLxCreateGDTRequest.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymText.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxValue.h"
#include "fb/FBxLayerStyle.h"

namespace {
using V = DLxSym::Variable;
constexpr V kRowVariables[5] = {DLxSym::kToleranceA, DLxSym::kToleranceB, DLxSym::kDatumA,
                                DLxSym::kDatumB, DLxSym::kDatumC};
constexpr V kLineVariables[6] = {DLxSym::kSymbolValue, DLxSym::kToleranceA, DLxSym::kToleranceB,
                                 DLxSym::kDatumA, DLxSym::kDatumB, DLxSym::kDatumC};
constexpr int32_t kPickerToolTips[3] = {8148, 8149, 0};

bool SameFace(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int32_t IntSqrt(size_t n) {
    int32_t r = 0;
    while (size_t(r + 1) * size_t(r + 1) <= n) ++r;
    return r;
}
} // namespace

DLxGDTSymDialog::DLxGDTSymDialog(const RSeRef<DLxGDTInstance>& frame, FWxState* target)
    : UCxDialog(kTemplateId, target), m_frame(frame) {
    auto add = [this](int32_t id) {
        m_fields.push_back({id, std::make_unique<CGDTRichEditCtrl>(&m_parent)});
    };
    for (const auto& row : kRowFields)
        for (int32_t id : row) add(id);
    add(kTopText);
    add(kNoteText);
    add(kDatumIdentifier);
}

DLxGDTSymDialog::~DLxGDTSymDialog() = default;

DLxGDTState* DLxGDTSymDialog::State() const {
    return m_frame.HasTarget() ? m_frame->GetGDTState() : nullptr;
}

CGDTRichEditCtrl* DLxGDTSymDialog::Edit(int32_t id) {
    for (Field& f : m_fields)
        if (f.id == id) return f.ctrl.get();
    return nullptr;
}

bool DLxGDTSymDialog::RowOf(int32_t id, int32_t& row, int32_t& column) const {
    for (int32_t r = 0; r < 3; ++r)
        for (int32_t c = 0; c < 5; ++c)
            if (kRowFields[r][c] == id) {
                row = r;
                column = c;
                return true;
            }
    return false;
}

int32_t DLxGDTSymDialog::PickerIndex(int32_t pickerId) const {
    for (int32_t k = 0; k < 3; ++k)
        if (kPickers[k] == pickerId) return k;
    return -1;
}

const DLxGDTSymDialog::Picker& DLxGDTSymDialog::GetPicker(int32_t pickerId) const {
    const int32_t k = PickerIndex(pickerId);
    return m_pickers[size_t(k < 0 ? 0 : k)];
}

int32_t DLxGDTSymDialog::PickerSymbol(int32_t pickerId) const {
    if (PickerIndex(pickerId) < 0) return 0;
    const Picker& p = GetPicker(pickerId);
    for (const PickerEntry& e : p.entries)
        if (e.bitmapId == p.current) return e.code;
    return 0;
}

const DLxGDTSymDialog::SymbolButton& DLxGDTSymDialog::GetSymbolButton(int32_t id) const {
    const int32_t k = std::clamp(id - kFirstSymbolButton, 0, 11);
    return m_buttons[size_t(k)];
}

// ---- set-up

bool DLxGDTSymDialog::OnInitDialog() {
    const bool result = UCxDialog::OnInitDialog();
    DLxGDTState* state = State();
    if (!state) return false;
    // The dialog's ordinary text: the host's text styles carry a font number only, so the
    // fields keep the system face, upright and regular.
    m_parent.textFace = u"System";
    m_parent.bold = m_parent.italic = false;
    for (size_t r = 0; r < 3; ++r)
        for (size_t c = 0; c < 5; ++c) m_variables[r * 5 + c] = kRowVariables[c];
    for (const auto& row : kRowFields)
        for (int32_t c = 0; c < 5; ++c) {
            CGDTRichEditCtrl* e = Edit(row[c]);
            e->SetTextLimit(c < 2 ? kToleranceLimit : kDatumLimit);
            e->OnEnable(false);
        }
    Edit(kTopText)->SetTextLimit(kLineTextLimit);
    Edit(kNoteText)->SetTextLimit(kLineTextLimit);
    Edit(kDatumIdentifier)->SetTextLimit(kDatumLimit);

    const DUxLeaderNodeTree* leader0 = m_frame->GetLeader(0);
    CheckDlgButton(kAllAround, leader0 && leader0->GetAllAround());

    m_topPresent = state->GetNumberOfLines() > 0 && !state->IsFramed(0);
    const int32_t m = Offset();
    FillPicker(m_pickers[0], state->GetLineSymbolCode(m), false);
    FillPicker(m_pickers[1], state->GetLineSymbolCode(m + 1), true);
    FillPicker(m_pickers[2], state->GetLineSymbolCode(m + 2), true);
    for (int32_t k = 0; k < 3; ++k) m_pickers[size_t(k)].toolTip = kPickerToolTips[k];

    // The symbol buttons: the enabled modifying symbols in list order, then letters.
    DLxSymbolStdInfo::DLxSymbolDescs aux;
    state->GetAuxiliarySymbolDescs(aux);
    size_t next = 0;
    for (size_t i = 0; i < aux.size() && i < 12; ++i) {
        if (!aux[i]->m_enabled) continue;
        SymbolButton& b = m_buttons[next++];
        b.textMode = false;
        b.bitmapId = int32_t(aux[i]->m_bitmapId);
        b.text = DLxGDTSymbolGlyph(aux[i]->m_value);
        b.toolTip = aux[i]->m_name;
    }
    for (char16_t letter = u'A'; next < m_buttons.size(); ++next, ++letter) {
        SymbolButton& b = m_buttons[next];
        b = SymbolButton{};
        b.text = std::u16string(1, letter);
    }

    if (m_topPresent) LoadControlText(kTopText, DLxSym::kToleranceA, 0);
    int32_t last = m - 1;
    for (int32_t r = 0; r < 3 && m + r < state->GetNumberOfLines(); ++r) {
        if (!state->IsFramed(m + r) || state->GetLineSymbolCode(m + r) == 0) continue;
        for (int32_t c = 0; c < 5; ++c) LoadControlText(kRowFields[r][c], kRowVariables[c], m + r);
        last = m + r;
    }
    if (last + 1 < state->GetNumberOfLines() &&
        !state->Value(DLxSym::kToleranceA, last + 1).empty()) {
        m_notePresent = true;
        LoadControlText(kNoteText, DLxSym::kToleranceA, last + 1);
    }
    LoadControlText(kDatumIdentifier, DLxSym::kDatumIdentifier, 0);

    UpdateControls();
    m_focused = kRowFields[0][0];
    SetFocusItem(m_focused);
    Edit(m_focused)->SetSel(0, -1);
    m_active = true;
    m_hiddenFocus = 0;
    UpdateNoteLine();
    return result;
}

void DLxGDTSymDialog::FillPicker(Picker& picker, int32_t current, bool withNone) {
    DLxSymbolStdInfo::DLxSymbolDescs descs;
    if (DLxGDTState* state = State()) state->GetGeometricSymbolDescs(descs);
    std::vector<PickerEntry> entries;
    if (withNone) entries.push_back({kNoneBitmap, kNoneToolTip, 0});
    int32_t currentBitmap = kNoneBitmap;
    for (const auto& d : descs) {
        if (!d->m_enabled && d->m_value != current) continue;
        entries.push_back({int32_t(d->m_bitmapId), int32_t(d->m_nameId), d->m_value});
        if (d->m_value == current) currentBitmap = int32_t(d->m_bitmapId);
    }
    // A square-ish grid of the pictures it offers.
    picker.columns = std::max(1, IntSqrt(entries.size()));
    picker.entries = std::move(entries);
    picker.current = currentBitmap;
}

void DLxGDTSymDialog::SetPickerCode(Picker& picker, int32_t code) {
    for (const PickerEntry& e : picker.entries)
        if (e.code == code) {
            picker.current = e.bitmapId;
            return;
        }
}

// ---- the fields and the state

void DLxGDTSymDialog::StoreControlText(int32_t id, int32_t variable, int32_t line, bool framed) {
    DLxGDTState* state = State();
    CGDTRichEditCtrl* e = Edit(id);
    if (!state || !e || line < 0) return;
    std::vector<DLxGDTTextChar> chars;
    chars.reserve(e->Chars().size());
    for (const DLxGDTFormattedChar& c : e->Chars())
        chars.push_back({c.ch, SameFace(c.format.face, kGDTSymbolFace)});
    const std::u16string text = DLxEncodeGDTText(chars, kGDTSymbolFontFile);
    if (variable == DLxSym::kDatumIdentifier) {
        (void)state->SetValue(DLxSym::kDatumIdentifier, 0, text.c_str());
        return;
    }
    while (state->GetNumberOfLines() <= line) {
        const int32_t before = state->GetNumberOfLines();
        if (state->AddLine() <= before) return;
    }
    (void)state->SetValue(V(variable), line, text.c_str());
    state->SetLineFramed(line, framed);
}

void DLxGDTSymDialog::LoadControlText(int32_t id, int32_t variable, int32_t line) {
    DLxGDTState* state = State();
    CGDTRichEditCtrl* e = Edit(id);
    if (!state || !e) return;
    e->Clear();
    if (variable != DLxSym::kDatumIdentifier && (line < 0 || line >= state->GetNumberOfLines()))
        return;
    const std::vector<DLxGDTTextChar> chars = DLxDecodeGDTText(state->Value(V(variable), line));
    // Runs of one font go in at once.
    for (size_t i = 0; i < chars.size();) {
        size_t j = i;
        std::u16string run;
        while (j < chars.size() && chars[j].symbolFont == chars[i].symbolFont) run += chars[j++].ch;
        e->SetSel(-1, -1);
        if (chars[i].symbolFont)
            e->InsertText(run, kGDTSymbolFace, m_parent.bold, m_parent.italic, 0,
                          CGDTRichEditCtrl::kDefaultCharset);
        else
            e->InsertText(run, m_parent.textFace, m_parent.bold, m_parent.italic, 0,
                          CGDTRichEditCtrl::kDefaultCharset);
        i = j;
    }
    e->EmptyUndoBuffer();
}

void DLxGDTSymDialog::StoreRow(int32_t row) {
    const int32_t line = Offset() + row;
    for (int32_t c = 0; c < 5; ++c)
        StoreControlText(kRowFields[row][c], m_variables[size_t(row * 5 + c)], line, true);
}

void DLxGDTSymDialog::StoreField(int32_t id) {
    int32_t row = 0, column = 0;
    if (RowOf(id, row, column)) {
        const int32_t line = Offset() + row;
        const bool note = m_notePresent && line == m_noteLine;
        StoreControlText(id, m_variables[size_t(row * 5 + column)], line, !note);
    } else if (id == kTopText) {
        if (m_topPresent) StoreControlText(kTopText, DLxSym::kToleranceA, 0, false);
    } else if (id == kNoteText) {
        UpdateNoteLine();
    } else if (id == kDatumIdentifier) {
        StoreControlText(id, DLxSym::kDatumIdentifier, 0, true);
    }
}

void DLxGDTSymDialog::ShowField(int32_t id, int32_t visibility) {
    // A withdrawn value is shown greyed; an offered one, or one the state does not have yet
    // (the picker of a line still to come), can be edited.
    const bool offered = visibility != DUxValue::kWithdrawn;
    if (CGDTRichEditCtrl* e = Edit(id)) e->OnEnable(offered);
    EnableItem(id, offered);
}

void DLxGDTSymDialog::UpdateControls() {
    DLxGDTState* state = State();
    if (!state) return;
    state->SetDefaultVisibility();
    const int32_t m = Offset();
    for (int32_t k = 0; k < 3; ++k)
        ShowField(kPickers[k], state->VariableStatus(DLxSym::kSymbolValue, m + k));
    for (int32_t r = 0; r < 3 && m + r < state->GetNumberOfLines(); ++r) {
        const bool framed = state->IsFramed(m + r);
        for (int32_t c = 0; c < 5; ++c)
            ShowField(kRowFields[r][c], framed ? state->VariableStatus(kRowVariables[c], m + r)
                                               : DUxValue::kWithdrawn);
    }
    const DUxStringValue* id = state->GetDatumIdentifier();
    ShowField(kDatumIdentifier, id ? id->GetVisibility() : DUxValue::kVisibilityDefault);
    if (auto wrapper = state->getGDTWrapper(); wrapper && wrapper->GetLeaderAtCorner())
        EnableItem(kAllAround, false);
}

void DLxGDTSymDialog::UpdateNoteLine() {
    DLxGDTState* state = State();
    if (!state) return;
    const int32_t n = state->GetNumberOfLines();
    const bool wasPresent = m_notePresent;
    m_notePresent = !Edit(kNoteText)->Chars().empty();
    int32_t k = 1;
    if (PickerSymbol(kPickers[1]) != 0) ++k;
    if (PickerSymbol(kPickers[2]) != 0) ++k;
    if (wasPresent) (void)state->SetValue(DLxSym::kToleranceA, m_noteLine, u"");
    m_noteLine = Offset() + k;
    state->SetLineFramed(m_noteLine, !m_notePresent);
    // An empty note adds no line of its own: the frame keeps the lines it has.
    if (m_notePresent || m_noteLine < n)
        StoreControlText(kNoteText, DLxSym::kToleranceA, m_noteLine, !m_notePresent);
    for (int32_t i = m_noteLine; i < n; ++i) {
        state->SetSymbol(i, 0);
        for (V v : {DLxSym::kToleranceB, DLxSym::kDatumA, DLxSym::kDatumB, DLxSym::kDatumC})
            (void)state->SetValue(v, i, u"");
        if (i != m_noteLine) (void)state->SetValue(DLxSym::kToleranceA, i, u"");
    }
}

void DLxGDTSymDialog::Tell() {
    ++m_notices;
    NotifyTarget(kRefreshNotice, nullptr);
}

void DLxGDTSymDialog::Refresh() {
    if (m_focused) StoreField(m_focused);
    Tell();
    UpdateControls();
}

// ---- what the user does

void DLxGDTSymDialog::PickerChanged(int32_t pickerId, int32_t bitmapId) {
    DLxGDTState* state = State();
    const int32_t k = PickerIndex(pickerId);
    if (!state || !m_active || k < 0 || !IsItemEnabled(pickerId)) return;
    Picker& picker = m_pickers[size_t(k)];
    int32_t code = -1;
    for (const PickerEntry& e : picker.entries)
        if (e.bitmapId == bitmapId) code = e.code;
    if (code < 0) return; // not a picture this picker offers
    const int32_t m = Offset();
    if (k == 2 && PickerSymbol(kPickers[1]) == 0) {
        SetPickerCode(picker, 0);
        return;
    }
    picker.current = bitmapId;
    if (k == 0) {
        state->SetSymbol(m, code);
    } else {
        const int32_t line = m + k;
        while (code != 0 && state->GetNumberOfLines() <= line) {
            const int32_t before = state->GetNumberOfLines();
            if (state->AddLine() <= before) break;
        }
        const int32_t old = state->GetLineSymbolCode(line);
        state->SetSymbol(line, code);
        if (old == 0 && m_notePresent && line < state->GetNumberOfLines()) {
            // The line was the note: it becomes a framed line of its own.
            state->SetLineFramed(line, true);
            (void)state->SetValue(DLxSym::kToleranceA, line, u"");
        }
        if (k == 1 && code == 0) {
            state->SetSymbol(m + 2, 0);
            state->SetLineFramed(m + 2, true);
            SetPickerCode(m_pickers[2], 0);
        }
        UpdateNoteLine();
    }
    m_focused = kRowFields[k][0];
    SetFocusItem(m_focused);
    Refresh();
}

void DLxGDTSymDialog::ChooseSymbol(int32_t pickerId, int32_t code) {
    const int32_t k = PickerIndex(pickerId);
    if (k < 0) return;
    for (const PickerEntry& e : m_pickers[size_t(k)].entries)
        if (e.code == code) {
            PickerChanged(pickerId, e.bitmapId);
            return;
        }
}

void DLxGDTSymDialog::EditSetFocus(int32_t id) {
    if (!m_active || !Edit(id)) return;
    m_focused = id;
    SetFocusItem(id);
}

void DLxGDTSymDialog::TopTextChanged() {
    DLxGDTState* state = State();
    const bool present = !Edit(kTopText)->Chars().empty();
    if (present != m_topPresent) {
        m_topPresent = present;
        if (present) {
            // The old line 0 moves down: the fields below write it again at its new line.
            StoreControlText(kTopText, DLxSym::kToleranceA, 0, false);
            state->SetSymbol(0, 0);
            for (V v : {DLxSym::kToleranceB, DLxSym::kDatumA, DLxSym::kDatumB, DLxSym::kDatumC})
                (void)state->SetValue(v, 0, u"");
        } else {
            state->SetLineFramed(0, true);
        }
        const int32_t m = Offset();
        for (int32_t r = 0; r < 3; ++r) {
            const int32_t code = PickerSymbol(kPickers[r]);
            if (r > 0 && code == 0 && m + r >= state->GetNumberOfLines()) continue;
            if (r > 0 && code == 0) {
                state->SetSymbol(m + r, 0);
                continue;
            }
            while (state->GetNumberOfLines() <= m + r) {
                const int32_t before = state->GetNumberOfLines();
                if (state->AddLine() <= before) break;
            }
            state->SetSymbol(m + r, code);
            StoreRow(r);
        }
        UpdateNoteLine();
    } else if (present) {
        StoreControlText(kTopText, DLxSym::kToleranceA, 0, false);
    }
    UpdateControls();
}

void DLxGDTSymDialog::EditChanged(int32_t id) {
    if (!m_active || !m_parent.notify || !Edit(id) || !State()) return;
    if (id == kTopText) {
        TopTextChanged();
        Tell();
        return;
    }
    StoreField(id);
    Tell();
    UpdateControls();
}

void DLxGDTSymDialog::OnClicked(int32_t id) {
    DLxGDTState* state = State();
    if (!state) return;
    if (id == kAllAround) {
        if (DUxLeaderNodeTree* leader0 = m_frame->GetLeader(0))
            leader0->SetAllAround(IsDlgButtonChecked(kAllAround));
        Tell();
        return;
    }
    if (id >= kFirstSymbolButton && id <= kLastSymbolButton) InsertSymbol(id);
}

void DLxGDTSymDialog::InsertSymbol(int32_t buttonId) {
    CGDTRichEditCtrl* e = m_focused ? Edit(m_focused) : nullptr;
    if (!e) return;
    const SymbolButton& b = GetSymbolButton(buttonId);
    if (b.textMode) {
        e->InsertText(b.text, m_parent.textFace, m_parent.bold, m_parent.italic, 0,
                      CGDTRichEditCtrl::kDefaultCharset);
    } else if (!b.text.empty()) {
        // The braces' glyph texts carry an escape: the brace itself is the character.
        e->InsertText(b.text.substr(b.text.size() - 1), kGDTSymbolFace, m_parent.bold,
                      m_parent.italic, 0, CGDTRichEditCtrl::kDefaultCharset);
    }
    SetFocusItem(m_focused);
    EditChanged(m_focused);
}

void DLxGDTSymDialog::OnUserType(int32_t id, const std::u16string& text) {
    CGDTRichEditCtrl* e = Edit(id);
    if (!e || !m_active) return;
    EditSetFocus(id);
    e->SetSel(-1, -1);
    for (char16_t c : text) e->OnChar(c);
    EditChanged(id);
}

void DLxGDTSymDialog::OnShowWindow(bool show) {
    ShowWindow(show);
    if (!show) {
        m_hiddenFocus = m_focused;
        return;
    }
    for (const auto& row : kRowFields)
        for (int32_t id : row) Edit(id)->EmptyUndoBuffer();
    OnRestoreFocus();
}

void DLxGDTSymDialog::OnRestoreFocus() {
    if (!m_hiddenFocus) return;
    if (CGDTRichEditCtrl* e = Edit(m_hiddenFocus)) {
        m_focused = m_hiddenFocus;
        SetFocusItem(m_focused);
        e->SetSel(-1, -1);
    }
}

void DLxGDTSymDialog::OnOK() {
    if (m_focused) StoreField(m_focused);
    Tell();
    UpdateControls();
    UpdateNoteLine();
    UCxDialog::OnOK();
}

// ---- the edit request

SmartPtr<DLxCreateGDTRequest> DLxGDTSymDialog::MakeEditRequest(
    const RSeRef<DLxGDTInstance>& stored, const DLxGDTInstance& edited) {
    const DLxGDTState* state = edited.GetGDTState();
    if (!state) return {};
    std::vector<UTxString16> fields{state->Value(DLxSym::kDatumIdentifier, 0)};
    const DUxStringValue* id = state->GetDatumIdentifier();
    std::vector<int32_t> visibilities{id ? int32_t(id->GetVisibility()) : 0};
    std::vector<bool> framed;
    for (int32_t i = 0; i < state->GetNumberOfLines(); ++i) {
        for (V v : kLineVariables) {
            fields.push_back(v == DLxSym::kSymbolValue
                                 ? UTx::MakeWideString(std::to_string(state->GetLineSymbolCode(i)))
                                 : state->Value(v, i));
            visibilities.push_back(int32_t(state->VariableStatus(v, i)));
        }
        framed.push_back(state->IsFramed(i));
    }
    const DUxLeaderNodeTree* leader0 = edited.GetLeader(0);
    RSeRef<FBxLayerStyle> layer(dynamic_cast<FBxLayerStyle*>(state->GetLayerStyle()));
    return SmartPtr<DLxCreateGDTRequest>(
        new DLxCreateGDTRequest(stored, leader0 && leader0->GetAllAround(), fields, visibilities,
                                framed, layer, {}));
}
