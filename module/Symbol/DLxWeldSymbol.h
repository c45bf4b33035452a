#pragma once
// The legacy weld symbol: its sub-weldings in stacking order. Loaded from older documents only.
#include <vector>

#include "Symbol/DLxSymbol.h"

class DLxWeldSymbol : public DLxSymbol {
public:
    explicit DLxWeldSymbol(const RSeStream* s);
    ~DLxWeldSymbol() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetSymbolType() const override { return kWeldSymbol; }
    int32_t GetNumSubWeldings() const { return int32_t(m_subWeldings.size()); }
    RSeIDed* GetSubWelding(int32_t index) const;
    DLxCLeaderGeneral* CreateLeaderRecord() override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxWeldSymbol* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<RSeIDed>> m_subWeldings;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxWeldSymbol*);
RSeMetaType* _GetMeta(const DLxWeldSymbol*);
} // namespace RSe
