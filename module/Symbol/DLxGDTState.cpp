#include "Symbol/DLxGDTState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Standard/DLxCfcfImp.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxSymUnitAttr.h"
#include "fw/FWxDocUtil.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
constexpr UTxResultCode kErrUnknownVariable = 0x200B0323u;
constexpr double kDegree = 0.01745329251994;
constexpr double kAngleTol = 0.0001; // degrees

const UTxString16& NoText() {
    static const UTxString16 empty;
    return empty;
}

const UTxString16& TextOf(const DUxValue* value) {
    return value ? value->GetText() : NoText();
}

template <class T> T* MakeIn(RSeSegment* segment) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T();
}

// One row of a symbol table: the code, its name and bitmap resources and its style mask bit.
struct SymbolRow {
    int32_t code;
    uint32_t nameId;
    uint32_t bitmapId;
    int32_t bit;
};

const SymbolRow kGeometricRows[] = {
    {1, 8333, 7764, 0},   {2, 8320, 7754, 1},   {3, 8318, 7752, 2},   {4, 8319, 7753, 13},
    {5, 8324, 7759, 3},   {6, 8326, 7761, 4},   {7, 8315, 7750, 5},   {8, 8322, 7757, 6},
    {9, 8321, 7756, 7},   {10, 8323, 7758, 8},  {11, 8316, 7751, 9},  {13, 8329, 7762, 10},
    {29, 8512, 8510, 16}, {12, 8334, 7765, 11}, {14, 8330, 7763, 12}, {30, 8513, 8511, 17},
    {27, 8508, 8506, 14}, {28, 8509, 8507, 15},
};

const SymbolRow kAuxiliaryRows[] = {
    {16, 8379, 7772, 0}, {15, 8377, 7771, 1}, {17, 8384, 7775, 2},   {18, 8388, 7778, 3},
    {19, 8376, 7770, 4}, {21, 8386, 7776, 5}, {22, 8387, 7777, 6},   {24, 8373, 7767, 7},
    {23, 8374, 7768, 8}, {20, 8375, 7769, 9}, {25, 8385, 13090, 10}, {26, 13237, 13091, 11},
};

template <size_t N>
void AppendDescs(DLxSymbolStdInfo::DLxSymbolDescs& list, const SymbolRow (&rows)[N],
                 uint32_t mask) {
    HMODULE res = KorvuGetResourceHandle();
    for (const SymbolRow& row : rows) {
        auto d = std::make_unique<DLxCSymbolDesc>();
        d->m_enabled = (mask >> row.bit) & 1u;
        if (res) {
            if (auto text = FindStringResource(res, row.nameId)) d->m_name = UTxString16(*text);
            d->m_hBitmap = FindBitmapResource(res, row.bitmapId);
        }
        d->m_value = row.code;
        d->m_position = -1;
        d->m_nameId = row.nameId;
        d->m_bitmapId = row.bitmapId;
        d->m_reserved = 0;
        list.push_back(std::move(d));
    }
}

} // namespace

// ---- lines

DLxGDTStateLine::DLxGDTStateLine() {
    MakeValues();
}

DLxGDTStateLine::DLxGDTStateLine(bool framed) : m_framed(framed) {}

DLxGDTStateLine::DLxGDTStateLine(const RSeStream* s) : RSeIDed(s) {}

DLxGDTStateLine::DLxGDTStateLine(const DLxGDTStateLine& other)
    : RSeIDed(), m_framed(other.m_framed), m_width(other.m_width) {
    MakeValues();
    *this = other;
}

DLxGDTStateLine& DLxGDTStateLine::operator=(const DLxGDTStateLine& other) {
    if (&other == this) return *this;
    const DLxSym::Variable vars[] = {DLxSym::kSymbolValue, DLxSym::kToleranceA, DLxSym::kToleranceB,
                                     DLxSym::kDatumA,      DLxSym::kDatumB,     DLxSym::kDatumC};
    for (DLxSym::Variable v : vars) {
        DUxValue* mine = GetValue(v);
        const DUxValue* theirs = other.GetValue(v);
        if (mine && theirs) mine->Assign(*theirs);
    }
    // The symbol's number as well as its text (a text need not be the number's form).
    if (m_symbol && other.m_symbol && m_symbol->GetValue() != other.m_symbol->GetValue())
        m_symbol->SetValue(other.m_symbol->GetValue());
    SetFramed(other.m_framed);
    m_width = other.m_width;
    return *this;
}

DLxGDTStateLine::~DLxGDTStateLine() {
    DeleteValues();
}

void DLxGDTStateLine::MakeValues() {
    RSeSegment* segment = GetSegment();
    if (!segment) return; // values outside a segment could not be referred to
    m_datumA = MakeIn<DUxStringValue>(segment);
    m_datumB = MakeIn<DUxStringValue>(segment);
    m_datumC = MakeIn<DUxStringValue>(segment);
    m_symbol = MakeIn<DUxIntegerValue>(segment);
    m_toleranceA = MakeIn<DUxStringValue>(segment);
    m_toleranceB = MakeIn<DUxStringValue>(segment);
}

void DLxGDTStateLine::DeleteValues() {
    std::vector<RSeVMeta*> owned;
    GetOwnedObjects(owned);
    for (RSeVMeta* v : owned)
        RSe::DeleteObject(static_cast<RSeIDed*>(v));
}

void DLxGDTStateLine::GetOwnedObjects(std::vector<RSeVMeta*>& out) const {
    for (const RSeRefBase* r :
         {static_cast<const RSeRefBase*>(&m_datumA), static_cast<const RSeRefBase*>(&m_datumB),
          static_cast<const RSeRefBase*>(&m_datumC), static_cast<const RSeRefBase*>(&m_symbol),
          static_cast<const RSeRefBase*>(&m_toleranceA),
          static_cast<const RSeRefBase*>(&m_toleranceB)})
        if (RSeIDed* t = r->GetTarget()) out.push_back(t);
}

void DLxGDTStateLine::SetSymbol(int32_t code) {
    DUxIntegerValue* value = m_symbol.get();
    if (!value) return;
    if (code == 0)
        value->SetText(UTxString16());
    else
        value->SetValue(code);
}

void DLxGDTStateLine::GetSymbol(int32_t& code) const {
    code = Symbol();
}

void DLxGDTStateLine::GetSymbol(DLxFCFStdInfo::EGdtSymbolType& code) const {
    code = DLxFCFStdInfo::EGdtSymbolType(Symbol());
}

int32_t DLxGDTStateLine::Symbol() const {
    const DUxIntegerValue* value = m_symbol.get();
    return value ? value->GetValue() : 0;
}

DUxValue* DLxGDTStateLine::GetValue(DLxSym::Variable variable) const {
    switch (variable) {
    case DLxSym::kSymbolValue:
        return m_symbol.get();
    case DLxSym::kToleranceA:
        return m_toleranceA.get();
    case DLxSym::kToleranceB:
        return m_toleranceB.get();
    case DLxSym::kDatumA:
        return m_datumA.get();
    case DLxSym::kDatumB:
        return m_datumB.get();
    case DLxSym::kDatumC:
        return m_datumC.get();
    default:
        return nullptr;
    }
}

void DLxGDTStateLine::SetFramed(bool framed) {
    if (m_framed == framed) return;
    RSe::PrepareWrite(this);
    m_framed = framed;
}

// ---- the state

DLxGDTState::DLxGDTState(RSeRef<RDxFragment>) {
    RSeSegment* segment = GetSegment();
    if (!segment) return; // lines outside a segment could not be referred to
    AddLine();
    DLxGDTStateLine* first = GetLine(0);
    first->SetSymbol(10);
    char zero[16];
    std::snprintf(zero, sizeof zero, "%.3f", 0.0);
    first->ToleranceA()->SetText(UTxString16(zero, zero + std::char_traits<char>::length(zero)));
    AddLine();
    AddLine();
    m_datumIdentifier = MakeIn<DUxStringValue>(segment);
    SetFlag(kNewStateFlag);
}

DLxGDTState::DLxGDTState(const RSeStream* s) : DUxSymState(s) {}

DLxGDTState::~DLxGDTState() {
    for (const RSeRef<DLxGDTStateLine>& line : m_lines)
        if (RSeIDed* t = line.GetTarget()) RSe::DeleteObject(t);
    if (RSeIDed* t = m_datumIdentifier.GetTarget()) RSe::DeleteObject(t);
}

DLxGDTState* DLxGDTState::Create(RDxFragment* fragment) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    auto* state = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)),
                       fragment->GetSegment()) DLxGDTState(RSeRef<RDxFragment>(fragment));
    fragment->AddNode(state);
    return state;
}

int32_t DLxGDTState::AddLine() {
    if (!GetSegment()) return GetNumberOfLines();
    BeginValueChange();
    m_lines.emplace_back(MakeIn<DLxGDTStateLine>(GetSegment()));
    return GetNumberOfLines();
}

int32_t DLxGDTState::RemoveLastLine() {
    if (GetNumberOfLines() <= 1) return GetNumberOfLines();
    BeginValueChange();
    RSeIDed* last = m_lines.back().GetTarget();
    m_lines.pop_back();
    if (last) RSe::DeleteObject(last);
    return GetNumberOfLines();
}

DLxGDTStateLine* DLxGDTState::GetLine(int32_t i) const {
    return i >= 0 && i < GetNumberOfLines() ? m_lines[size_t(i)].get() : nullptr;
}

DLxGDTStateLine* DLxGDTState::ClampedLine(int32_t i) const {
    if (m_lines.empty()) return nullptr;
    return i >= 0 && i < GetNumberOfLines() ? m_lines[size_t(i)].get() : m_lines[0].get();
}

bool DLxGDTState::IsFramed(int32_t i) const {
    const DLxGDTStateLine* line = GetLine(i);
    return line && line->IsFramed();
}

void DLxGDTState::SetLineFramed(int32_t i, bool framed) {
    DLxGDTStateLine* line = GetLine(i);
    if (!line || line->IsFramed() == framed) return;
    BeginValueChange();
    line->SetFramed(framed);
}

DUxValue* DLxGDTState::VariableValue(DLxSym::Variable variable, int32_t i) const {
    if (variable == kDatumIdentifier) return m_datumIdentifier.get();
    const DLxGDTStateLine* line = GetLine(i);
    return line ? line->GetValue(variable) : nullptr;
}

const UTxString16& DLxGDTState::Value(DLxSym::Variable variable, int32_t i) const {
    if (variable == kDatumIdentifier || !IsKnownVariable(variable))
        return TextOf(m_datumIdentifier.get());
    const DLxGDTStateLine* line = GetLine(i);
    return line ? TextOf(line->GetValue(variable)) : NoText(); // a line value of no line
}

bool DLxGDTState::IsKnownVariable(DLxSym::Variable variable) {
    switch (variable) {
    case kSymbolValue:
    case kToleranceA:
    case kToleranceB:
    case kDatumA:
    case kDatumB:
    case kDatumC:
    case kDatumIdentifier:
        return true;
    default:
        return false;
    }
}

UTxResult DLxGDTState::SetValue(DLxSym::Variable variable, int32_t i, const char16_t* text) {
    if (!GetLine(i)) return {};
    if (!IsKnownVariable(variable)) return UTxResult(kErrUnknownVariable);
    DUxValue* value = VariableValue(variable, i);
    const UTxString16 t = text ? UTxString16(text) : UTxString16();
    if (!value || value->GetText() == t) return {};
    BeginValueChange();
    value->SetText(t);
    return {};
}

DUxValue::EVisibility DLxGDTState::VariableStatus(DLxSym::Variable variable, int32_t i) const {
    if (!GetLine(i)) return DUxValue::kVisibilityDefault;
    const DUxValue* value = VariableValue(variable, i);
    return value ? value->GetVisibility() : DUxValue::kVisibilityDefault;
}

UTxResult DLxGDTState::SetVariableStatus(DLxSym::Variable variable, int32_t i,
                                         DUxValue::EVisibility visibility) {
    if (!GetLine(i)) return {};
    if (!IsKnownVariable(variable)) return UTxResult(kErrUnknownVariable);
    // Visibility only steers the dialog: the drawing does not change.
    if (DUxValue* value = VariableValue(variable, i)) value->SetVisibility(visibility);
    return {};
}

void DLxGDTState::SetSymbol(int32_t i, int32_t code) {
    DLxGDTStateLine* line = GetLine(i);
    if (!line) return;
    const DUxIntegerValue* value = line->RefSymbol();
    if (value && value->GetValue() == code && (code != 0 || value->GetText().empty())) return;
    BeginValueChange();
    line->SetSymbol(code);
}

void DLxGDTState::GetSymbol(int32_t i, int32_t& code) const {
    if (const DLxGDTStateLine* line = GetLine(i)) code = line->Symbol();
}

int32_t DLxGDTState::GetLineSymbolCode(int32_t i) const {
    const DLxGDTStateLine* line = GetLine(i);
    return line ? line->Symbol() : 0;
}

DUxIntegerValue* DLxGDTState::GetLineSymbolValue(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->RefSymbol() : nullptr;
}

DUxStringValue* DLxGDTState::GetLineToleranceA(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->ToleranceA() : nullptr;
}

DUxStringValue* DLxGDTState::GetLineToleranceB(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->ToleranceB() : nullptr;
}

DUxStringValue* DLxGDTState::GetLineDatumA(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->DatumA() : nullptr;
}

DUxStringValue* DLxGDTState::GetLineDatumB(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->DatumB() : nullptr;
}

DUxStringValue* DLxGDTState::GetLineDatumC(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->DatumC() : nullptr;
}

const UTxString16& DLxGDTState::GetLineToleranceADispStr(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->GetToleranceADispStr() : NoText();
}

const UTxString16& DLxGDTState::GetLineToleranceBDispStr(int32_t i) const {
    const DLxGDTStateLine* line = ClampedLine(i);
    return line ? line->GetToleranceBDispStr() : NoText();
}

void DLxGDTState::SetLineToleranceADispStr(int32_t i, const UTxString16& text) {
    if (DLxGDTStateLine* line = GetLine(i)) line->SetToleranceADispStr(text);
}

void DLxGDTState::SetLineToleranceBDispStr(int32_t i, const UTxString16& text) {
    if (DLxGDTStateLine* line = GetLine(i)) line->SetToleranceBDispStr(text);
}

double DLxGDTState::GetLineWidth(int32_t i) const {
    const DLxGDTStateLine* line = GetLine(i);
    return line ? line->GetWidth() : 0.0;
}

void DLxGDTState::SetRotationAngle(double angle) {
    if (angle == m_rotationAngle) return;
    BeginValueChange();
    m_rotationAngle = angle;
}

bool DLxGDTState::IsAngleAt(double radians, double degrees) {
    return std::fabs(radians / kDegree - degrees) < kAngleTol;
}

void DLxGDTState::GetOwnedObjects(std::vector<RSeVMeta*>& out) const {
    for (const RSeRef<DLxGDTStateLine>& r : m_lines)
        if (DLxGDTStateLine* line = static_cast<DLxGDTStateLine*>(r.GetTarget())) {
            out.push_back(line);
            line->GetOwnedObjects(out);
        }
    if (RSeIDed* t = m_datumIdentifier.GetTarget()) out.push_back(t);
}

// ---- frame rules

std::unique_ptr<DUxFeatureControlFrameStyleWrapper> DLxGDTState::getGDTWrapper() const {
    return DUxSymStyleWrapUtils::GetFCFStyle(this);
}

bool DLxGDTState::FindNoteLine(int32_t* index) const {
    for (int32_t i = GetNumberOfLines() - 1; i >= 0; --i) {
        const DLxGDTStateLine* line = GetLine(i);
        if (!line || line->IsFramed() || !Value(kSymbolValue, i).empty() ||
            TextOf(line->ToleranceA()).empty())
            continue;
        if (index) *index = i;
        return true;
    }
    return false;
}

bool DLxGDTState::HasDatumIdentifier() const {
    return !TextOf(m_datumIdentifier.get()).empty();
}

double DLxGDTState::GetNoteLineOffset(bool noteLine) const {
    std::unique_ptr<DUxFeatureControlFrameStyleWrapper> wrapper = getGDTWrapper();
    if (!wrapper) return 0.0;
    const DLxCfcfImpSymbol layout(*wrapper);
    const double cell = layout.m_cellHeight;
    if (!noteLine) return cell;
    int32_t note = -1;
    if (!FindNoteLine(&note)) return 0.0;
    // The height of the placed box as the unturned frame sees it.
    const BBox& box = GetBoundingBox();
    double height = 0.0;
    if (!box.isEmpty()) {
        const WqGeMatrix3d unturn =
            WqGeMatrix3d::rotation(-m_rotationAngle, WqGeVector3d::kZAxis, box.center());
        BBox turned;
        for (WqGePoint3d p : {box.min, WqGePoint3d(box.max.x, box.min.y, box.min.z), box.max,
                              WqGePoint3d(box.min.x, box.max.y, box.min.z)}) {
            p.transformBy(unturn);
            turned.extend(p);
        }
        height = turned.max.y - turned.min.y;
    }
    double offset = height - note * cell;
    if (HasDatumIdentifier()) offset -= cell;
    return offset;
}

void DLxGDTState::SetDefaultVisibility() {
    const DLxSym::Variable lineVars[] = {kToleranceA, kToleranceB, kDatumA, kDatumB, kDatumC};
    for (int32_t i = 0; i < GetNumberOfLines(); ++i) {
        SetVariableStatus(kSymbolValue, i, DUxValue::kOffered);
        for (DLxSym::Variable v : lineVars)
            SetVariableStatus(v, i, DUxValue::kWithdrawn);
    }
    if (DUxValue* id = m_datumIdentifier.get()) id->SetVisibility(DUxValue::kWithdrawn);

    std::unique_ptr<DUxFeatureControlFrameStyleWrapper> wrapper = getGDTWrapper();
    if (!wrapper) return;
    for (int32_t i = 0; i < GetNumberOfLines(); ++i) {
        const DLxGDTStateLine* line = GetLine(i);
        if (!line || (line->Symbol() == 0 && line->IsFramed())) continue;
        SetVariableStatus(kToleranceA, i, DUxValue::kOffered);
        if (TextOf(line->ToleranceA()).empty()) continue;
        if (wrapper->GetAllowTolerance2()) SetVariableStatus(kToleranceB, i, DUxValue::kOffered);
        SetVariableStatus(kDatumA, i, DUxValue::kOffered);
        if (TextOf(line->DatumA()).empty()) continue;
        SetVariableStatus(kDatumB, i, DUxValue::kOffered);
        if (TextOf(line->DatumB()).empty()) continue;
        SetVariableStatus(kDatumC, i, DUxValue::kOffered);
    }
    if (wrapper->GetDatumId())
        if (DUxValue* id = m_datumIdentifier.get()) id->SetVisibility(DUxValue::kOffered);
}

void DLxGDTState::TakeDocumentStyle(FWxSceneDoc* doc) {
    if (GetStyle()) return;
    if (DUxFeatureControlFrameStyle* style = DUxSymStyleWrapUtils::GetDocumentFCFStyle(doc))
        SetStyle(style);
}

void DLxGDTState::SelectDefaultSymbol() {
    // The geometric symbols' list read straight from the style's mask: each new frame asks, and
    // the list's names and bitmaps play no part in the choice.
    int32_t code = 0;
    if (auto wrapper = getGDTWrapper()) {
        const uint32_t mask = wrapper->GetGdtSymbols();
        code = 10;
        bool tenEnabled = false;
        const SymbolRow* first = nullptr;
        for (const SymbolRow& row : kGeometricRows) {
            if (!((mask >> row.bit) & 1u)) continue;
            if (row.code == 10) tenEnabled = true;
            if (!first) first = &row;
        }
        if (!tenEnabled && first) code = first->code;
    }
    SetSymbol(0, code);
}

void DLxGDTState::GetGeometricSymbolDescs(DLxSymbolStdInfo::DLxSymbolDescs& list) const {
    if (auto wrapper = getGDTWrapper()) AppendDescs(list, kGeometricRows, wrapper->GetGdtSymbols());
}

void DLxGDTState::GetAuxiliarySymbolDescs(DLxSymbolStdInfo::DLxSymbolDescs& list) const {
    if (auto wrapper = getGDTWrapper()) AppendDescs(list, kAuxiliaryRows, wrapper->GetAuxSymbols());
}

// ---- drawing

void DLxGDTState::GenGraphics(SMxDisplayList& list, SMxDisplayList&, int32_t, const UTxGUID&, bool,
                              int32_t) {
    std::unique_ptr<DUxFeatureControlFrameStyleWrapper> wrapper = getGDTWrapper();
    const DLxGDTStateLine* first = GetLine(0);
    if (!wrapper || !first) return;
    if (first->Symbol() == 0) {
        if (first->IsFramed()) return;
        if (TextOf(first->ToleranceA()).empty() && TextOf(first->ToleranceB()).empty() &&
            TextOf(first->DatumA()).empty() && TextOf(first->DatumB()).empty() &&
            TextOf(first->DatumC()).empty())
            return;
    }
    DLxCfcfImpSymbol layout(*wrapper);
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(this);

    // Unit attributes: the style's (a copy for this drawing) under the standard's notation,
    // else the state's own; none leaves the tolerances as typed.
    std::unique_ptr<DUxSymUnitAttr> styleUnits;
    const DUxSymUnitAttr* units = nullptr;
    if (GetUseStandardsNotation()) {
        styleUnits = wrapper->GetSymUnitAttr();
        if (wrapper->GetUseCommonString() && styleUnits)
            styleUnits->PopulateFromStandardStyle(this, doc);
        units = styleUnits.get();
    } else {
        units = GetUnitAttributes();
    }
    auto withUnits = [units](const UTxString16& text) {
        return units ? units->addUnitProperties(text) : text;
    };

    const int32_t lines = GetNumberOfLines();
    int32_t used = lines;
    for (int32_t i = 0; i < lines; ++i)
        if (IsFramed(i) && GetLineSymbolCode(i) == 0) --used;
    const bool datumId = HasDatumIdentifier();
    const UTxString16& datumIdText = TextOf(m_datumIdentifier.get());
    m_datumIdentifierWidth = 0.0;
    auto addDatumIdLine = [&](int32_t at) {
        DLxCfcfImpLine* line = layout.InsertLine(at);
        line->m_framed = true;
        const int32_t index = at < layout.LineCount() - 1 ? at : layout.LineCount() - 1;
        layout.AddTextBox(index, datumIdText, doc);
        m_datumIdentifierWidth = line->GetWidth();
    };

    if (used < 2) {
        DLxGDTStateLine* state0 = GetLine(0);
        DLxCfcfImpLine* line = layout.AddLine();
        line->m_symbolLine = true;
        line->AddSymbolBox(state0->Symbol(), doc);
        UTxString16 tolA = TextOf(state0->ToleranceA());
        UTxString16 tolB = TextOf(state0->ToleranceB());
        if (units) {
            tolA = withUnits(tolA);
            state0->SetToleranceADispStr(tolA);
            tolB = withUnits(tolB);
            state0->SetToleranceBDispStr(tolB);
        }
        // An empty tolerance A ends the line; an empty tolerance B does not.
        line->AddTextBox(tolA, doc, false);
        line->AddTextBox(tolB, doc, true);
        line->AddTextBox(TextOf(state0->DatumA()), doc, false);
        line->AddTextBox(TextOf(state0->DatumB()), doc, false);
        line->AddTextBox(TextOf(state0->DatumC()), doc, false);
        if (datumId) addDatumIdLine(1);
    } else {
        const bool mergeSymbol = wrapper->GetMergeSymbol();
        const bool mergeTolerance = wrapper->GetMergeTolerance();
        const bool mergeDatum = wrapper->GetMergeDatum();
        // The datum identifier follows the last framed line that has a symbol.
        int32_t datumIdAt = 0;
        for (int32_t i = used - 1; i >= 0; --i)
            if (IsFramed(i) && GetLineSymbolCode(i) != 0) {
                datumIdAt = i + 1;
                break;
            }
        for (int32_t i = 0; i < used; ++i) {
            DLxCfcfImpLine* line = layout.AddLine();
            line->m_symbolLine = GetLineSymbolCode(i) != 0;
            line->m_framed = IsFramed(i);
        }
        for (int32_t i = 0; i + 1 < used; ++i)
            layout.AddCompositeSymbolBoxes(GetLineSymbolCode(i), GetLineSymbolCode(i + 1),
                                           mergeSymbol, i, doc);
        for (int32_t i = 0; i + 1 < used; ++i) {
            DLxGDTStateLine* upper = GetLine(i);
            DLxGDTStateLine* lower = GetLine(i + 1);
            UTxString16 a = TextOf(upper->ToleranceA());
            UTxString16 b = TextOf(lower->ToleranceA());
            if (units) {
                a = withUnits(a);
                // A line without symbol holds free text, not a tolerance.
                if (lower->Symbol() != 0) b = withUnits(b);
                upper->SetToleranceADispStr(a);
                lower->SetToleranceADispStr(b);
            }
            layout.AddCompositeTextBoxes(a, b, mergeTolerance, i, doc, false);
        }
        for (int32_t i = 0; i + 1 < used; ++i) {
            DLxGDTStateLine* upper = GetLine(i);
            DLxGDTStateLine* lower = GetLine(i + 1);
            UTxString16 a = TextOf(upper->ToleranceB());
            UTxString16 b = TextOf(lower->ToleranceB());
            if (units) {
                a = withUnits(a);
                b = withUnits(b);
                upper->SetToleranceBDispStr(a);
                lower->SetToleranceBDispStr(b);
            }
            layout.AddCompositeTextBoxes(a, b, mergeTolerance, i, doc, true);
        }
        for (DUxStringValue* (DLxGDTStateLine::*datum)() const :
             {&DLxGDTStateLine::DatumA, &DLxGDTStateLine::DatumB, &DLxGDTStateLine::DatumC})
            for (int32_t i = 0; i + 1 < used; ++i)
                layout.AddCompositeTextBoxes(TextOf((GetLine(i)->*datum)()),
                                             TextOf((GetLine(i + 1)->*datum)()), mergeDatum, i, doc,
                                             false);
        if (datumId) addDatumIdLine(datumIdAt);
    }

    // Lines past the drawn ones are framed again; the drawn ones take their widths.
    int32_t drawn = 0;
    for (int32_t k = 0; k < layout.LineCount(); ++k)
        if (layout.Line(k)->CellCount() > 0) ++drawn;
    const int32_t e = std::min(drawn - (datumId ? 1 : 0), lines);
    for (int32_t i = std::max(e, 0); i < lines; ++i)
        if (DLxGDTStateLine* line = GetLine(i)) line->SetFramed(true);
    for (int32_t i = 0; i < e; ++i)
        if (DLxGDTStateLine* line = GetLine(i))
            line->SetWidth(layout.Line(i) ? layout.Line(i)->GetWidth() : 0.0);
    if (datumId && e > 0 && FindNoteLine(nullptr))
        if (DLxCfcfImpLine* after = layout.Line(e)) GetLine(e - 1)->SetWidth(after->GetWidth());

    DUxCAuxEntArray measured, drawnEnts;
    layout.GenerateEntities(measured, drawnEnts);
    const int32_t from = list.Count();
    drawnEnts.Draw(list);
    SMxDisplayList frame;
    measured.Draw(frame);

    // The whole frame turns about its origin.
    const WqGeMatrix3d turn =
        WqGeMatrix3d::rotation(m_rotationAngle, WqGeVector3d::kZAxis, WqGePoint3d::kOrigin);
    for (int32_t k = from; k < list.Count(); ++k)
        list.GetAt(k).TransformBy(turn);
    frame.TransformBy(turn);

    // Text extents come from the one text engine, so the frame measures the same everywhere.
    const BBox box = frame.GetBBox();
    m_attachOffset = 0.0;
    if (!box.isEmpty()) {
        const bool across = IsTurnedTo(90) || IsTurnedTo(270);
        m_attachOffset = across ? (box.min.x + box.max.x) / 2 : (box.min.y + box.max.y) / 2;
    }
}
