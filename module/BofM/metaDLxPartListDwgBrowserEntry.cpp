// Storage of the parts list's browser entry.
//   version 5: status code (uint32), file name (text);
//   version 4: status code, file name; the status code is read and dropped (0);
//   versions 1 to 3: status code, read and dropped; no file name;
//   version 0: nothing of its own.
// The caches are never stored: a restored or copied entry reads the file name again.
#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPersistUtil.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxLocalBOM.h"
#include "rse/RSeMeta.h"

namespace {
// {c2d84c27-4454-11d2-ba8e-080009db8810}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xC2D84C27, 0x445411D2, 0xBA8E0800, 0x09DB8810);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListDwgBrowserEntry*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListDwgBrowserEntry>(
        u"DLxPartListDwgBrowserEntry", &InitGuid, 5, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const BRxFixedEntry*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListDwgBrowserEntry* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListDwgBrowserEntry::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListDwgBrowserEntry::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_status);
    s.Read(m_fileName);
}

void DLxPartListDwgBrowserEntry::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    m_status = 0;
    m_fileName.clear();
    if (version == 0) return;
    uint32_t dropped = 0;
    s.Read(dropped);
    if (version == 4) s.Read(m_fileName);
}

void DLxPartListDwgBrowserEntry::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_status);
    s.Write(m_fileName);
}

UTxResult DLxPartListDwgBrowserEntry::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    m_localBOM = nullptr;
    m_updateState = nullptr;
    MarkDirty();
    return {};
}

UTxResult DLxPartListDwgBrowserEntry::PostRestoreMigrate(RSeMetaContext& ctx) {
    return PostRestore(ctx);
}

UTxResult DLxPartListDwgBrowserEntry::Clone(DLxPartListDwgBrowserEntry* target,
                                            RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_status = 0;
    target->m_fileName = m_fileName;
    target->m_localBOM = nullptr;
    target->m_updateState = nullptr;
    target->MarkDirty();
    return {};
}
