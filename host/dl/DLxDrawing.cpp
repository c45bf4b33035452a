#include "dl/DLxDrawing.h"

#include "rse/RSeTransaction.h"

void DLxDrawing::SetStandardName(const UTxString16& name) {
    if (name == m_standard) return;
    RSe::PrepareWrite(this);
    m_standard = name;
}
