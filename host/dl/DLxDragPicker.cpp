#include "dl/DLxDragPicker.h"

#include <map>

#include "dc/RDxInstance.h"
#include "dl/DLxManipulator.h"
#include "rse/RSeMetaType.h"

namespace {
template <class F> std::map<UTxString16, F>& Registry() {
    static std::map<UTxString16, F> s_functions;
    return s_functions;
}

template <class F> void Put(const UTxString16& className, F f) {
    if (f)
        Registry<F>()[className] = f;
    else
        Registry<F>().erase(className);
}

// The function of the instance's class, else of its nearest base; null when none has one.
template <class F> F Find(const RDxInstance* instance) {
    const RSeMetaType* meta = instance ? instance->GetMeta() : nullptr;
    for (const RSeMetaType* mt = meta ? meta->GetClassMeta() : nullptr; mt; mt = mt->GetBase()) {
        auto it = Registry<F>().find(mt->GetClassMeta()->GetName());
        if (it != Registry<F>().end()) return it->second;
    }
    return nullptr;
}
} // namespace

void DLxDragPicker::Register(const UTxString16& className, Factory factory) {
    Put(className, factory);
}

std::unique_ptr<DLxManipulator> DLxDragPicker::Create(RDxInstance* instance,
                                                      const WqGePoint3d& point, FWxSceneDoc* doc) {
    const Factory factory = Find<Factory>(instance);
    return factory ? factory(instance, point, doc) : nullptr;
}

void DLxDragPicker::RegisterEditor(const UTxString16& className, Editor editor) {
    Put(className, editor);
}

DLxDragPicker::Editor DLxDragPicker::FindEditor(const RDxInstance* instance) {
    return Find<Editor>(instance);
}
