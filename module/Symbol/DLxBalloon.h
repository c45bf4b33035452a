#pragma once
// The legacy balloon: a primary balloon record and the balloons stacked on it. Loaded from
// older documents only; the balloon upgrade rebuilds it as a placed balloon.
#include <vector>

#include "Symbol/DLxSymbol.h"

class DLxCBalloon;
class DLxCTableCallout;

class DLxBalloon : public DLxSymbol {
public:
    explicit DLxBalloon(const RSeStream* s);
    ~DLxBalloon() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetSymbolType() const override { return kBalloonSymbol; }
    const RSeRef<DLxCBalloon>& GetBalloonData() const { return m_balloonData; }
    const std::vector<RSeRef<DLxCTableCallout>>& GetAttachedBalloons() const { return m_attached; }
    // The primary balloon's position; (0,0,0) without a balloon record.
    WqGePoint3d GetAttachPoint() const;
    // The balloon goes to the leader's root point; the stacked balloons move with it.
    UTxResult MoveToLeader(const WqGeVector3d& offset, DLxCLeader* leader) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxBalloon* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxCBalloon> m_balloonData;
    std::vector<RSeRef<DLxCTableCallout>> m_attached;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloon*);
RSeMetaType* _GetMeta(const DLxBalloon*);
} // namespace RSe
