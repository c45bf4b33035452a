#include "Symbol/DLxTableCalloutServiceHelper.h"

#include <memory>

#include "Standard/DLxCBalloonService.h"

DLxTableCalloutServiceHelper::DLxTableCalloutServiceHelper() {
    std::unique_ptr<DLxCBalloonService> made[] = {
        std::make_unique<DLxCCircBalloonService>(),
        std::make_unique<DLxCEmptyBalloonService>(),
        std::make_unique<DLxCNAngleBalloonService>(),
        std::make_unique<DLxCCirc2BalloonService>(),
        std::make_unique<DLxCLinearBalloonService>(),
        std::make_unique<DLxCSketchBalloonService>(),
        std::make_unique<DLxCTriAngleBalloonService>(),
        std::make_unique<DLxCSquareBalloonService>(),
    };
    for (std::unique_ptr<DLxCBalloonService>& service : made) {
        service->InitDefaults();
        const uint32_t id = uint32_t(service->GetShapeId());
        m_order.push_back(id);
        // A later service with the same id replaces the earlier one.
        delete m_services[id];
        m_services[id] = service.release();
    }
}

DLxTableCalloutServiceHelper::~DLxTableCalloutServiceHelper() {
    for (auto& [id, service] : m_services)
        delete service;
    m_services.clear();
}

DLxTableCalloutServiceHelper& DLxTableCalloutServiceHelper::Get() {
    static DLxTableCalloutServiceHelper registry;
    return registry;
}

DLxCBalloonService* DLxTableCalloutServiceHelper::Find(uint32_t shapeId) const {
    auto it = m_services.find(shapeId);
    return it == m_services.end() ? nullptr : it->second;
}
