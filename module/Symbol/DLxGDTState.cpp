#include "Symbol/DLxGDTState.h"

#include "Symbol/KorvuModule.h"
#include "rse/RSeTransaction.h"

DLxGDTState::DLxGDTState() {
    SetFlag(kNewStateFlag);
}

int32_t DLxGDTState::Slot(int32_t variable) {
    if (variable < kSymbolValue || variable > kDatumC || (variable & 1)) return -1;
    return (variable - kSymbolValue) / 2;
}

int32_t DLxGDTState::AddLine() {
    RSe::PrepareWrite(this);
    m_lines.emplace_back();
    return GetLineCount() - 1;
}

void DLxGDTState::GetSymbol(int32_t line, int32_t& type) const {
    if (Valid(line)) type = m_lines[size_t(line)].symbol;
}

void DLxGDTState::SetSymbol(int32_t line, int32_t type) {
    if (!Valid(line) || m_lines[size_t(line)].symbol == type) return;
    RSe::PrepareWrite(this);
    m_lines[size_t(line)].symbol = type;
}

bool DLxGDTState::IsFramed(int32_t line) const {
    return Valid(line) && m_lines[size_t(line)].framed;
}

void DLxGDTState::SetFramed(int32_t line, bool framed) {
    if (!Valid(line) || m_lines[size_t(line)].framed == framed) return;
    RSe::PrepareWrite(this);
    m_lines[size_t(line)].framed = framed;
}

UTxString16 DLxGDTState::Value(int32_t variable, int32_t line) const {
    if (!Valid(line)) return {};
    if (variable == kFrameText) return m_frameText;
    const int32_t k = Slot(variable);
    return k < 0 ? UTxString16() : m_lines[size_t(line)].values[k];
}

void DLxGDTState::SetValue(int32_t variable, int32_t line, const UTxString16& text) {
    if (!Valid(line)) return;
    UTxString16* slot = nullptr;
    if (variable == kFrameText)
        slot = &m_frameText;
    else if (const int32_t k = Slot(variable); k >= 0)
        slot = &m_lines[size_t(line)].values[k];
    if (!slot || *slot == text) return;
    RSe::PrepareWrite(this);
    *slot = text;
}

int32_t DLxGDTState::VariableStatus(int32_t variable, int32_t line) const {
    if (!Valid(line)) return 0;
    if (variable == kFrameText) return m_frameTextStatus;
    const int32_t k = Slot(variable);
    return k < 0 ? 0 : m_lines[size_t(line)].status[k];
}

UTxResult DLxGDTState::SetVariableStatus(int32_t variable, int32_t line, int32_t visibility) {
    int32_t* slot = nullptr;
    const int32_t k = Slot(variable);
    if (variable != kFrameText && k < 0) return UTxResult(UTxResultCode(0x200B0323u));
    if (!Valid(line)) return {};
    slot = variable == kFrameText ? &m_frameTextStatus : &m_lines[size_t(line)].status[k];
    if (*slot == visibility) return {};
    RSe::PrepareWrite(this);
    *slot = visibility;
    return {};
}

UTxString16 DLxGDTState::LineValue(int32_t variable, int32_t line) const {
    if (m_lines.empty()) return {};
    return m_lines[Valid(line) ? size_t(line) : 0].values[Slot(variable)];
}
