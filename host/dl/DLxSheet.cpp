#include "dl/DLxSheet.h"

#include "rse/RSeTransaction.h"

void DLxSheet::SetName(const UTxString16& name) {
    if (name == m_name) return;
    RSe::PrepareWrite(this);
    m_name = name;
}

void DLxSheet::SetSize(double width, double height) {
    if (width == m_width && height == m_height) return;
    RSe::PrepareWrite(this);
    m_width = width;
    m_height = height;
}
