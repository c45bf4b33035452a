#include "du/DUxArrowheadService.h"

#include "du/DUxArrowHead.h"

namespace {
// Every arrowhead template of DUxArrowHeadTemplate::All has exactly one row here.
const DUxCArrowService kServices[] = {
    {28029, 28000, 16, u"Filled Arrow", 2801},
    {28030, 28000, 17, u"Closed Arrow", 2802},
    {28031, 28000, 18, u"Open Arrow", 2803},
    {28032, 28013, 4, u"Dot", 2804},
    {28033, 28013, 5, u"Slash", 2805},
    {28034, 28016, 0, u"None", 2806},
    {28035, 28040, 20, u"Filled Datum", 2807},
    {28036, 28040, 21, u"Open Datum", 2808},
};
} // namespace

const DUxCArrowService* DUxArrowheadService::GetArrowService(uint32_t templateId) {
    for (const DUxCArrowService& s : kServices)
        if (s.templateId == templateId) return &s;
    return nullptr;
}

uint32_t DUxArrowHeadUtil::GetArrowId(int32_t arrowType) {
    for (const DUxCArrowService& s : kServices)
        if (s.arrowType == arrowType) return s.templateId;
    return 0;
}

std::vector<uint32_t> DUxStandardUtil::GetServiceRefsOfCategory(int32_t category) {
    std::vector<uint32_t> ids;
    for (const DUxCArrowService& s : kServices)
        if (s.category == category) ids.push_back(s.templateId);
    return ids;
}

uint32_t DUxStandardUtil::GetServiceTemplate(uint32_t id) {
    return DUxArrowHeadTemplate::Find(id) ? id : 0;
}
