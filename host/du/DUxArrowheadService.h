#pragma once
// The arrowhead services as a chooser offers them: each arrowhead template of DUxArrowHead.h
// belongs to one service category, carries the arrow type that older symbols store for it, a
// name for the user and the id of its 32 x 16 picture. Categories: 28000 arrows, 28013 marks
// (dot, slash), 28016 no arrowhead, 28040 datum triangles. The ids of other service templates
// (datum-target shapes, balloon shapes, ...) are not arrowhead services: GetArrowService
// answers null for them.
#include <cstdint>
#include <string>
#include <vector>

struct DUxArrowHeadTemplate;

// One arrowhead service: its template, category, arrow type, name and picture.
struct DUxCArrowService {
    uint32_t templateId;
    int32_t category;
    int32_t arrowType;
    const char16_t* name;
    uint32_t bitmapId;
};

class DUxArrowheadService {
public:
    // The arrowhead service of a template id; null when the id is none.
    static const DUxCArrowService* GetArrowService(uint32_t templateId);
};

class DUxArrowHeadUtil {
public:
    // Arrow type of the filled closed arrow, what older symbols store by default.
    static constexpr int32_t kDefaultArrowType = 16;
    // The template id of the service with this arrow type; 0 when no service has it.
    static uint32_t GetArrowId(int32_t arrowType);
};

class DUxStandardUtil {
public:
    // The default arrowhead of new leaders and the fallback of unknown arrow types.
    static constexpr uint32_t kDefaultArrowHead = 28029;
    // The arrowhead service category of the arrows, listed first by the chooser.
    static constexpr int32_t kArrowCategory = 28000;
    // The service templates of a category, in the host's order; empty for an unknown one.
    static std::vector<uint32_t> GetServiceRefsOfCategory(int32_t category);
    // The template `id` when a service template has it; 0 otherwise.
    static uint32_t GetServiceTemplate(uint32_t id);
};
