#include "Symbol/DLxLeaderText.h"

#include "Leader/DLxCLeader.h"

#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"

DLxLeaderText::DLxLeaderText(const RSeStream* s) : DLxSymbol(s) {}

// The leader text owns its text.
DLxLeaderText::~DLxLeaderText() {
    if (RSeIDed* text = m_text.GetTarget()) RSe::DeleteObject(text);
}

DLxCLeaderGeneral* DLxLeaderText::CreateLeaderRecord() {
    if (!GetSegment()) return nullptr;
    return new (RSe::_GetMeta(static_cast<const DLxCLeaderLand*>(nullptr)), GetSegment())
        DLxCLeaderLand(RSeRef<DLxSymbol>(this));
}
