#include "BofM/DLxPartlistDVRef.h"

#include "dc/RDxNode.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "ufr/UFRxInstance.h"

DLxPartlistDVRefReactor::DLxPartlistDVRefReactor(DLxPartlistDVRef* ref)
    : UFRxRefReactor(ref, kName) {
    Observe(kStateChanged, true);
    Observe(kStateValid, true);
}

bool DLxPartlistDVRefReactor::OnNotify(const UFRxNotificationField& field) {
    auto* ref = static_cast<DLxPartlistDVRef*>(GetRef());
    RDxNode* owner = ref ? ref->GetOwnerNode() : nullptr;
    if (!owner) return false;
    if (field.Field() != kStateChanged && (field.Field() != kStateValid || field.Bool()))
        return false;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(owner);
    return bom && bom->SetAnnotationDirty(owner);
}

// The reference's kind and flags as the parts list has always made it.
DLxPartlistDVRef::DLxPartlistDVRef() : UFRxRootRef(3, 2), m_reactor(this) {}

DLxPartlistDVRef::~DLxPartlistDVRef() = default;
