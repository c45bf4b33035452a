#include "uc/UCxTextFormater.h"

#include <cmath>
#include <string>

#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {
constexpr double kQuarter = 1.5707963267948966;
constexpr double kAngleTol = 0.0001;

// The height a list entry shows ("3.5", "5 mm"), or none.
bool ParseHeight(const UTxString16& text, double& out) {
    std::string narrow;
    for (char16_t c : text) {
        if (c > 0x7F) return false;
        narrow.push_back(char(c));
    }
    try {
        size_t used = 0;
        const double h = std::stod(narrow, &used);
        if (!used || !std::isfinite(h) || h <= 0) return false;
        out = h;
        return true;
    } catch (...) {
        return false;
    }
}
} // namespace

UCxTextFormater::UCxTextFormater(RDxString* text, FWxSceneDoc* doc, int32_t fontId,
                                 std::vector<UTxString16> heightTexts,
                                 UTxString16 defaultHeightText)
    : CDialog(kTemplateId), m_text(text), m_doc(doc), m_fontId(fontId),
      m_heights(std::move(heightTexts)), m_defaultHeight(std::move(defaultHeightText)) {}

UCxTextFormater::~UCxTextFormater() {
    DropEdit();
}

void UCxTextFormater::DropEdit() {
    if (m_edit) RSe::DeleteObject(m_edit);
    m_edit = nullptr;
}

bool UCxTextFormater::OnInitDialog() {
    DropEdit();
    if (!m_text) return false;
    m_edit = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
        RDxString();
    m_edit->CopyValues(*m_text);
    if (m_edit->GetTextHeight() <= 0.0) {
        double h = 0.0;
        if (ParseHeight(m_defaultHeight, h)) m_edit->SetTextHeight(h);
    }
    return true;
}

const RDxString* UCxTextFormater::GetText() const {
    return m_edit ? m_edit : m_text;
}

UTxString16 UCxTextFormater::GetFormattedText() const {
    const RDxString* t = GetText();
    return t ? t->GetOriginalValue() : UTxString16();
}

void UCxTextFormater::SetFormattedText(const UTxString16& text) {
    if (m_edit) m_edit->SetFormattedValue(text, kTextFormat);
}

bool UCxTextFormater::ChooseHeight(size_t index) {
    double h = 0.0;
    if (!m_edit || index >= m_heights.size() || !ParseHeight(m_heights[index], h)) return false;
    m_edit->SetTextHeight(h);
    return true;
}

void UCxTextFormater::SetJustification(int32_t horizontal, int32_t vertical) {
    if (!m_edit) return;
    m_edit->SetHorizontalJustification(horizontal < 0 || horizontal > 2 ? 0 : horizontal);
    m_edit->SetVerticalJustification(vertical < 0 || vertical > 2 ? 0 : vertical);
}

bool UCxTextFormater::SetRotation(double angle) {
    if (!m_edit || !std::isfinite(angle)) return false;
    const double quarters = angle / kQuarter;
    if (!m_anyAngle && std::fabs(quarters - std::round(quarters)) > kAngleTol) return false;
    m_edit->SetRotation(std::fmod(angle, 4 * kQuarter));
    return true;
}

void UCxTextFormater::OnOK() {
    if (m_edit && m_text) m_text->CopyValues(*m_edit);
    DropEdit();
    CDialog::OnOK();
}
