#pragma once
// The older datum identifier: a symbol of the older generation whose text, leader direction and
// reference point live in its data record (DLxCId), which it owns. Loaded from older documents
// only; those of version 1 are rebuilt as placed identifiers by DLxDatumIdSymMigrator, and a
// version 0 symbol cannot be read at all.
#include <cstdint>

#include "Symbol/DLxSymbol.h"

class DLxCId;

class DLxDatumIdSymbol : public DLxSymbol {
public:
    explicit DLxDatumIdSymbol(const RSeStream* s);
    ~DLxDatumIdSymbol() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetSymbolType() const override { return kDatumIdSymbol; }
    const RSeRef<DLxCId>& GetRecord() const { return m_record; }
    // The record's reference point; the zero point without a record.
    WqGePoint3d GetSymbolOrigin() const;
    // The record's text; empty without a record.
    UTxString16 GetText() const;
    const WqGeVector3d& GetDirection() const { return m_direction; }
    int32_t GetShortValue() const { return m_short; }

    // The way the first leader's landing points (DLxCId::kRight, kUp, kLeft, kDown for +X, +Y,
    // -X, -Y of the symbol's axes): the axis nearest to the landing, or, for a leader without
    // landing, to its first node seen from its second; the earlier axis on a tie. Up when the
    // leaders are hidden or there is no leader, landing or segment to go by.
    int32_t GetDirectionCode() const;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxDatumIdSymbol* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DLxCId> m_record;
    WqGeVector3d m_direction{0, 0, 0};
    int32_t m_short = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumIdSymbol*);
RSeMetaType* _GetMeta(const DLxDatumIdSymbol*);
} // namespace RSe
