#include "dl/DLxDrawingAssembly.h"

#include "dl/DLxAssemblyData.h"
#include "rse/RSeTransaction.h"

DLxDrawingAssembly::DLxDrawingAssembly() : m_data(std::make_unique<DLxAssemblyData>()) {}

DLxDrawingAssembly::DLxDrawingAssembly(const RSeStream* s)
    : RDxObject(s), m_data(std::make_unique<DLxAssemblyData>()) {}

DLxDrawingAssembly::~DLxDrawingAssembly() = default;

void DLxDrawingAssembly::SetData(const DLxAssemblyData& data) {
    RSe::PrepareWrite(this);
    *m_data = data;
}
