#pragma once
// The legacy feature control frame: its frame record and two values nothing reads any more
// (kept so that a saved document holds what it held). Loaded from older documents only; the
// frame upgrade rebuilds it as a placed frame.
#include <vector>

#include "Symbol/DLxSymbol.h"

class DLxCFCF;

class DLxGDTSymbol : public DLxSymbol {
public:
    explicit DLxGDTSymbol(const RSeStream* s);
    ~DLxGDTSymbol() override;
    RSeMetaType* GetMeta() const override;

    const RSeRef<DLxCFCF>& GetFrame() const { return m_frame; }
    const std::vector<int32_t>& GetIntegers() const { return m_integers; }
    int32_t GetInteger() const { return m_integer; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxGDTSymbol* target, RSeCloneCommander* cc) const;

private:
    void ReadFields(RSeStream& s, bool withInteger);

    RSeRef<DLxCFCF> m_frame;
    std::vector<int32_t> m_integers;
    int32_t m_integer = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTSymbol*);
RSeMetaType* _GetMeta(const DLxGDTSymbol*);
} // namespace RSe
