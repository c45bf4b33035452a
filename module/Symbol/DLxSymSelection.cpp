#include "Symbol/DLxSymSelection.h"

#include <typeinfo>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxLayerStyleAbstract.h"
#include "ge/BBox.h"
#include "sm/SMxDisplayList.h"

DLxSymSelection::DLxSymSelection(DLxSymInstance* symbol, const WqGePoint3d& point)
    : DUxEmblemSelection(symbol, point) {}

DLxSymInstance* DLxSymSelection::GetSymbol() const {
    return dynamic_cast<DLxSymInstance*>(Emblem());
}

DLxViewInstance* DLxSymSelection::GetView() const {
    DLxSymInstance* symbol = GetSymbol();
    return symbol ? symbol->GetView() : nullptr;
}

bool DLxSymSelection::IsEqual(const FWxSelection* other) const {
    auto* o = dynamic_cast<const DLxSymSelection*>(other);
    return o && typeid(*o) == typeid(*this) && Emblem() && o->Emblem() == Emblem();
}

BBox DLxSymSelection::BoundingBox() const {
    DLxSymInstance* symbol = GetSymbol();
    const SMxDisplayList* list = symbol ? symbol->GetSheetDisplayList() : nullptr;
    return list ? list->GetBBox() : BBox();
}

void DLxSymSelection::GetLayer(SmartPtr<DUxLayerStyleAbstract>& layer) const {
    if (DLxSymInstance* symbol = GetSymbol()) layer = symbol->ObjectStyleWrapper();
}
