#pragma once
// The older feature identifier: a symbol of the older generation whose text and reference
// point live in its data record (DLxCId), which it owns. Loaded from older documents only;
// those of version 0 are rebuilt as placed identifiers (with the feature flag) by
// DLxFeatureIdSymMigrator.
#include <cstdint>

#include "Symbol/DLxSymbol.h"

class DLxCId;

class DLxFeatureIdSymbol : public DLxSymbol {
public:
    explicit DLxFeatureIdSymbol(const RSeStream* s);
    ~DLxFeatureIdSymbol() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetSymbolType() const override { return kFeatureIdSymbol; }
    const RSeRef<DLxCId>& GetRecord() const { return m_record; }
    // The record's reference point; the zero point without a record.
    WqGePoint3d GetSymbolOrigin() const;
    // The record's text; empty without a record.
    UTxString16 GetText() const;
    int32_t GetShortValue() const { return m_short; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxFeatureIdSymbol* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxCId> m_record;
    int32_t m_short = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxFeatureIdSymbol*);
RSeMetaType* _GetMeta(const DLxFeatureIdSymbol*);
} // namespace RSe
