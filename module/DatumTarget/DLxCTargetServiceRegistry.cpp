#include "DatumTarget/DLxCTargetServiceRegistry.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxCTargetService.h"
#include "du/DUxDatumTargetStyle.h"
#include "rse/RSeTransaction.h"

namespace {
const DLxDatumTarget* OwnerOf(const DLxCTargetSubSym& record) {
    return dynamic_cast<const DLxDatumTarget*>(record.GetOwner().Read());
}
} // namespace

DLxCTargetServiceRegistry::DLxCTargetServiceRegistry() {
    Register(std::make_unique<DLxCTargetBalloonService>());
    Register(std::make_unique<DLxCTargetPointService>());
    Register(std::make_unique<DLxCTargetLineService>());
    Register(std::make_unique<DLxCTargetCircularAreaService>());
    Register(std::make_unique<DLxCTargetRectangularAreaService>());
}

DLxCTargetServiceRegistry& DLxCTargetServiceRegistry::Instance() {
    static DLxCTargetServiceRegistry registry;
    return registry;
}

void DLxCTargetServiceRegistry::Register(std::unique_ptr<DLxCTargetService> service) {
    const int32_t type = service->GetTargetType();
    m_services[type] = std::move(service);
}

DLxCTargetService* DLxCTargetServiceRegistry::Find(int32_t type) const {
    auto it = m_services.find(type);
    return it == m_services.end() ? nullptr : it->second.get();
}

UTxResult DLxCTargetServiceRegistry::GenGraphics(const DUxSymState*, SMxDisplayList& list,
                                                 const DLxCTargetSubSym& record,
                                                 const WqGeMatrix3d& xform, bool preview) {
    DLxCTargetService* service = Find(record.GetTargetType());
    if (!service) return {};
    const DLxDatumTarget* owner = OwnerOf(record);
    const auto style = owner ? owner->StyleWrapper() : std::nullopt;
    service->SetPreview(preview);
    const UTxResult r = service->DrawShape(list, &record, xform, style ? &*style : nullptr);
    service->SetPreview(false);
    return r;
}

void DLxCTargetServiceRegistry::CreateAuxEntities(const DLxCTargetSubSym& record,
                                                  DUxCAuxEntArray& array,
                                                  const WqGeMatrix3d& xform) {
    DLxCTargetService* service = Find(record.GetTargetType());
    if (!service) return;
    const DLxDatumTarget* owner = OwnerOf(record);
    const auto style = owner ? owner->StyleWrapper() : std::nullopt;
    service->BuildEntities(&record, array, xform, style ? &*style : nullptr);
}
