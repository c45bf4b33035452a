#include "dl/DLxDragPicker.h"

#include <map>

#include "dc/RDxInstance.h"
#include "dl/DLxManipulator.h"
#include "rse/RSeMetaType.h"

namespace {
std::map<UTxString16, DLxDragPicker::Factory>& Factories() {
    static std::map<UTxString16, DLxDragPicker::Factory> s_factories;
    return s_factories;
}
} // namespace

void DLxDragPicker::Register(const UTxString16& className, Factory factory) {
    if (factory)
        Factories()[className] = factory;
    else
        Factories().erase(className);
}

std::unique_ptr<DLxManipulator> DLxDragPicker::Create(RDxInstance* instance,
                                                      const WqGePoint3d& point, FWxSceneDoc* doc) {
    if (!instance) return nullptr;
    const RSeMetaType* meta = instance->GetMeta();
    for (const RSeMetaType* mt = meta ? meta->GetClassMeta() : nullptr; mt; mt = mt->GetBase()) {
        auto it = Factories().find(mt->GetClassMeta()->GetName());
        if (it != Factories().end()) return it->second(instance, point, doc);
    }
    return nullptr;
}
