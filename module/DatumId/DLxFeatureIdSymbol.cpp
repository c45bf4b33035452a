#include "DatumId/DLxFeatureIdSymbol.h"

#include "DatumId/DLxCId.h"
#include "rse/RSeTransaction.h"

DLxFeatureIdSymbol::DLxFeatureIdSymbol(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its data record.
DLxFeatureIdSymbol::~DLxFeatureIdSymbol() {
    if (RSeIDed* record = m_record.GetTarget()) RSe::DeleteObject(record);
}

WqGePoint3d DLxFeatureIdSymbol::GetSymbolOrigin() const {
    const DLxCId* record = m_record.Read();
    return record ? record->GetOrigin() : WqGePoint3d();
}

UTxString16 DLxFeatureIdSymbol::GetText() const {
    const DLxCId* record = m_record.Read();
    return record ? record->GetText() : UTxString16();
}
