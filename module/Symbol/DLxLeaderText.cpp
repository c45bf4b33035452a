#include "Symbol/DLxLeaderText.h"

#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"

DLxLeaderText::DLxLeaderText(const RSeStream* s) : DLxSymbol(s) {}

// The leader text owns its text.
DLxLeaderText::~DLxLeaderText() {
    if (RSeIDed* text = m_text.GetTarget()) RSe::DeleteObject(text);
}
