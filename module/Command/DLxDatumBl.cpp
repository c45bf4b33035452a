#include "Command/DLxDatumBl.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "fw/FWxCommand.h"

DLxDatumBl::DLxDatumBl(const RSeRef<DLxDatumTarget>& target, int32_t balloon,
                       FWxCommand* commandTarget)
    : CDialog(kTemplateId), m_target(target), m_balloon(balloon),
      m_commandTarget(commandTarget) {}

bool DLxDatumBl::OnInitDialog() {
    const DLxDatumTarget* target = m_target.Read();
    return target && target->GetBalloonTexts(m_balloon, m_texts.size, m_texts.target);
}

void DLxDatumBl::SetEditText(int32_t id, const UTxString16& text) {
    if (id == kSizeEdit)
        m_texts.size = text;
    else if (id == kTargetEdit)
        m_texts.target = text.substr(0, kTargetTextLimit);
    else
        return;
    if (m_commandTarget) m_commandTarget->OnCmdMsg(kTextsChanged, FWxCmd::kNotify, &m_texts);
}

const UTxString16& DLxDatumBl::GetEditText(int32_t id) const {
    return id == kSizeEdit ? m_texts.size : m_texts.target;
}
