#pragma once
// The legacy surface-texture symbol: its values and flags live in a data record of their own,
// which the symbol owns, and its symbol point is that record's position. Loaded from older
// documents only; those of version 0 are rebuilt as placed symbols by the surface-texture
// upgrade (DLxSurfaceTextureMigrator).
#include "Symbol/DLxSymbol.h"

class DLxCSurfText;

class DLxSurfaceTexture : public DLxSymbol {
public:
    explicit DLxSurfaceTexture(const RSeStream* s);
    ~DLxSurfaceTexture() override;
    RSeMetaType* GetMeta() const override;

    const RSeRef<DLxCSurfText>& GetRecord() const { return m_record; }
    // The record's position; the zero point without a record.
    WqGePoint3d GetSymbolOrigin() const;
    void SetSymbolOrigin(const WqGePoint3d& point);

    DLxCLeaderGeneral* CreateLeaderRecord() override;
    // The symbol point follows its leader: by the root's offset (FollowLeader), and onto the
    // landing when the landing changes (FitToLeaderLanding).
    UTxResult MoveToLeader(const WqGeVector3d& offset, DLxCLeader* leader) override;
    UTxResult OnLandingChanged(const WqGeVector3d& offset, DLxCLeader* leader) override;
    UTxResult FollowLeader(const WqGeVector3d& offset, DLxCLeader* leader);
    // Without a landing the symbol point goes to the landing end; a point off the landing, or
    // not nearer the root than the landing is long, goes to the landing's middle.
    UTxResult FitToLeaderLanding(DLxCLeader* leader);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxSurfaceTexture* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxCSurfText> m_record;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSurfaceTexture*);
RSeMetaType* _GetMeta(const DLxSurfaceTexture*);
} // namespace RSe
