#include "Symbol/DLxGDTSymbol.h"

#include "Symbol/DLxCFCF.h"
#include "rse/RSeTransaction.h"

DLxGDTSymbol::DLxGDTSymbol(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its frame record.
DLxGDTSymbol::~DLxGDTSymbol() {
    if (RSeIDed* frame = m_frame.GetTarget()) RSe::DeleteObject(frame);
}
