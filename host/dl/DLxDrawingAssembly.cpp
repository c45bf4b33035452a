#include "dl/DLxDrawingAssembly.h"

#include <vector>

#include "dl/DLxAssemblyData.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

DLxDrawingAssembly::DLxDrawingAssembly() : m_data(std::make_unique<DLxAssemblyData>()) {}

DLxDrawingAssembly::DLxDrawingAssembly(const RSeStream* s)
    : RDxObject(s), m_data(std::make_unique<DLxAssemblyData>()) {}

DLxDrawingAssembly::~DLxDrawingAssembly() = default;

DLxDrawingAssembly* DLxDrawingAssembly::Find(RSeDatabase* db) {
    RSeSegment* seg = db ? db->GetSegment(0) : nullptr;
    if (!seg) return nullptr;
    const std::vector<RSeVMeta*> found =
        seg->GetObjectsOfKind(RSe::_GetMeta(static_cast<const DLxDrawingAssembly*>(nullptr)));
    return found.empty() ? nullptr : static_cast<DLxDrawingAssembly*>(found.front());
}

const DLxAssemblyData* DLxDrawingAssembly::FindData(RSeDatabase* db) {
    const DLxDrawingAssembly* a = Find(db);
    return a ? &a->GetData() : nullptr;
}

void DLxDrawingAssembly::SetData(const DLxAssemblyData& data) {
    RSe::PrepareWrite(this);
    *m_data = data;
}
