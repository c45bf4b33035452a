#include "BofM/DLxPersistUtil.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "dc/RDxFragment.h"
#include "du/DUxSymState.h"
#include "du/DUxTextStyle.h"
#include "rd/RDxString.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "utx/UTxException.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x5EB510C1, 0x706811D2, 0x91F10060, 0xB0570379);
}

// Version 0 notes predate every reader of this module.
constexpr UTxResultCode kVersion0Refused = 0xE00203ED;

[[noreturn]] void RefuseVersion0() {
    UTxException::Throw(UTxError{kVersion0Refused, __FILE__, __LINE__});
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxGeneralNote*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxGeneralNote>(u"DLxGeneralNote", &InitGuid, 4, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DLxEmblem*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxGeneralNote* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxGeneralNote*>(nullptr));

RSeMetaType* DLxGeneralNote::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The base part, then the style-override flags.
void DLxGeneralNote::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 4) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_overrides);
}

// Version 1 stored no flags (its notes had fixed widths); version 2 stored its text style
// after them; version 3 is version 4 without the symbol state input.
void DLxGeneralNote::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    switch (DLxPersistUtil::StoredVersion(s)) {
    case 0:
        RefuseVersion0();
    case 1:
        m_overrides = kFixedWidth;
        break;
    case 2:
        s.Read(m_overrides);
        s.Read(m_loadedStyle);
        break;
    case 3:
        s.Read(m_overrides);
        break;
    default:
        DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    }
}

void DLxGeneralNote::FixPtrsMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    if (DLxPersistUtil::StoredVersion(ctx) == 0) RefuseVersion0();
    if (DLxPersistUtil::StoredVersion(ctx) == 2) m_loadedStyle.FixAddress(ctx);
}

void DLxGeneralNote::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_overrides);
}

UTxResult DLxGeneralNote::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    return {};
}

UTxResult DLxGeneralNote::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    const uint16_t version = DLxPersistUtil::StoredVersion(ctx);
    if (version == 0) RefuseVersion0();
    // Notes before version 4 had no symbol state.
    if (GetInputStateCount() < kInputCount) {
        RDxFragment* fragment = GetFragment().get();
        if (DUxSymState* sym = DUxSymState::Create(fragment)) AddInputState(sym);
    }
    if (version == 2 && m_loadedStyle.HasTarget()) SetTextStyle(m_loadedStyle);
    m_loadedStyle = {};
    if (version == 1) {
        // The first notes followed the standard's text style in everything but what they
        // show differently: justification and rotation become their own, colour black.
        RDxString* s = GetStringData();
        if (s) {
            const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
            s->SetColor(black);
            s->SetLineSpacing(0, 1.0f);
        }
        uint32_t flags =
            m_overrides & ~(kOwnColor | kOwnWidthFactor | kOwnLineSpacing |
                            kOwnHorizontalJustification | kOwnVerticalJustification | kOwnRotation);
        if (s && s->GetHorizontalJustification() != 0) flags |= kOwnHorizontalJustification;
        if (s && s->GetVerticalJustification() != 0) flags |= kOwnVerticalJustification;
        if (s && s->GetRotation() != 0.0) flags |= kOwnRotation;
        m_overrides = flags;
    }
    return {};
}

UTxResult DLxGeneralNote::Clone(DLxGeneralNote* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_overrides = m_overrides;
    return {};
}
