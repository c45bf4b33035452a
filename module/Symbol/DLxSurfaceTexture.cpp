#include "Symbol/DLxSurfaceTexture.h"

#include "Standard/DLxCSurfText.h"
#include "rse/RSeTransaction.h"

DLxSurfaceTexture::DLxSurfaceTexture(const RSeStream* s) : DLxSymbol(s) {}

// The symbol owns its data record.
DLxSurfaceTexture::~DLxSurfaceTexture() {
    if (RSeIDed* record = m_record.GetTarget()) RSe::DeleteObject(record);
}

WqGePoint3d DLxSurfaceTexture::GetSymbolOrigin() const {
    const auto* record = dynamic_cast<const DLxCSurfText*>(m_record.GetTarget());
    return record ? record->GetPosition() : WqGePoint3d();
}
