#include "Standard/DLxCTableCallout.h"

#include "rd/RDxString.h"
#include "rse/RSeTransaction.h"

DLxCTableCallout::DLxCTableCallout(const DLxCTableCallout& other)
    : RSeIDed(), m_origin(other.m_origin), m_direction(other.m_direction), m_index(other.m_index),
      m_overrideText(other.m_overrideText), m_sketchInstance(other.m_sketchInstance),
      m_width(other.m_width), m_height(other.m_height), m_boundary(other.m_boundary) {}

void DLxCTableCallout::setOrigin(const WqGePoint3d& p) {
    RSe::PrepareWrite(this);
    m_origin = p;
}

void DLxCTableCallout::setDirection(int32_t d) {
    RSe::PrepareWrite(this);
    m_direction = d;
}

void DLxCTableCallout::SetIndex(int32_t index) {
    RSe::PrepareWrite(this);
    m_index = index;
}

void DLxCTableCallout::SetOverrideText(const RSeRef<RDxString>& text) {
    RSe::PrepareWrite(this);
    m_overrideText = text;
}

void DLxCTableCallout::SetSketchInstance(const RSeRef<RSeIDed>& instance) {
    RSe::PrepareWrite(this);
    m_sketchInstance = instance;
}

void DLxCTableCallout::SetBalloonSize(double width, double height) {
    m_width = width;
    m_height = height;
}

void DLxCTableCallout::SetBoundary(const std::vector<WqGePoint3d>& points) {
    m_boundary = points;
}

void DLxCTableCallout::ClearMeasures() {
    m_width = 0.0;
    m_height = 0.0;
    m_boundary.clear();
}

UTxString16 DLxCTableCallout::GetItemText(const DUxTableStyleColumn*, DLxLocalBOM*,
                                          const UTxString16&) const {
    return {};
}
