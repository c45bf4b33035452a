#include "DatumId/DLxCId.h"

#include "du/DUxValue.h"
#include "rse/RSeTransaction.h"

DLxCId::DLxCId(const RSeStream* s) : RSeIDed(s) {}

// The record owns its text value.
DLxCId::~DLxCId() {
    if (RSeIDed* text = m_text.GetTarget()) RSe::DeleteObject(text);
}

UTxString16 DLxCId::GetText() const {
    const auto* value = dynamic_cast<const DUxStringValue*>(m_text.GetTarget());
    return value ? value->GetText() : UTxString16();
}
