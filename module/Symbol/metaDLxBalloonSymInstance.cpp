// Storage of the balloon instance (version 4): nothing beyond the table callout's part.
// Versions 0 to 3 stored the same; their balloons predate the bill's record of its annotations
// and are queued for the document migrators that bind them to the bill and the styles.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegmentMigrator.h"

namespace {
void InstanceGuid(UTxGUID& g) {
    g = UTxGUID(0x3962E9DB, 0xB8444202, 0xBD4EB106, 0x300EA086);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloonSymInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxBalloonSymInstance>(
        u"DLxBalloonSymInstance", &InstanceGuid, 4, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxTableCalloutSymInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxBalloonSymInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxBalloonSymInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxBalloonSymInstance::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
}

UTxResult DLxBalloonSymInstance::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    // Queued only when this build has the migrator.
    if (DLxPersistUtil::StoredVersion(ctx) < 4)
        if (RSeSegmentMigrator* m = RSeSegmentMigrator::Get("DLxUnregisteredLBOMAnnosMigrator"))
            if (auto* queue = RSe::SegmentMigrationContextRSeRef(GetSegment(), m))
                queue->Add(RSeRef<RSeIDed>(this));
    return {};
}
