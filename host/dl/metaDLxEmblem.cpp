#include "dl/DLxEmblem.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayList.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b10, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

// An emblem put back from its image by an undo or a redo still holds what it drew from its
// fields after the change: the drawing is dropped, and a sheet being shown draws an emblem that
// shows nothing again (as it does a loaded one).
UTxResult PostRestore(RSeVMeta* obj, RSeMetaContext& ctx) {
    auto* emblem = static_cast<DLxEmblem*>(obj);
    emblem->GetDisplayList().Clear();
    // The list a kind shows may live in one of its states: a derived cache all the same.
    if (const SMxDisplayList* shown = emblem->GetSheetDisplayList())
        const_cast<SMxDisplayList*>(shown)->Clear();
    return RSeMetaType::PlainPostRestore(obj, ctx);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxEmblem*) {
    static RSeMetaType* mt = [] {
        RSeMetaType* m =
            RSeMakeMeta<DLxEmblem>(u"DLxEmblem", &InitGuid, 0, RSeMetaType::kAbstractClass,
                                   RSe::_InitMeta(static_cast<const DUxEmblem*>(nullptr)));
        m->SetLoadCallbacks(&RSeMetaType::PlainLoad, &RSeMetaType::PlainFixPtrs, &PostRestore);
        return m;
    }();
    return mt;
}
RSeMetaType* _GetMeta(const DLxEmblem* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr));

RSeMetaType* DLxEmblem::GetMeta() const {
    return RSe::_GetMeta(this);
}
