// Storage of the parts-list column.
//   version 2: header (text), property id (ref), width (double), header alignment, column
//              alignment (longs), unit values (ref), property data type, format mode (longs),
//              substitute id, substitute unit values (refs), substitute behaviour, substitute
//              format mode, output unit type, substitute output unit type (longs). The output
//              unit type comes after the substitute fields, not in its in-memory place;
//   version 1: the same up to the substitute format mode (both output unit types 1);
//   version 0: header, property id, width and the two alignments (no unit format, data type 1,
//              no substitute, output unit types 1).
#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPersistUtil.h"
#include "du/DUxDimStyleUnitVals.h"
#include "rse/RSeMeta.h"

namespace {
// {de09c14a-7758-11d3-8672-0060b087236c}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xDE09C14A, 0x775811D3, 0x86720060, 0xB087236C);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListColumn*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxPartListColumn>(
        u"DLxPartListColumn", &InitGuid, 2, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxPartListColumn* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxPartListColumn::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxPartListColumn::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_header);
    s.Read(m_propertyId);
    s.Read(m_width);
    s.Read(m_headerAlignment);
    s.Read(m_columnAlignment);
    s.Read(m_unitValues);
    s.Read(m_dataType);
    s.Read(m_formatMode);
    s.Read(m_substituteId);
    s.Read(m_substituteUnitValues);
    s.Read(m_substituteBehavior);
    s.Read(m_substituteFormatMode);
    s.Read(m_outputUnitType);
    s.Read(m_substituteOutputUnitType);
}

void DLxPartListColumn::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    if (version > 1) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_header);
    s.Read(m_propertyId);
    s.Read(m_width);
    s.Read(m_headerAlignment);
    s.Read(m_columnAlignment);
    if (version == 1) {
        s.Read(m_unitValues);
        s.Read(m_dataType);
        s.Read(m_formatMode);
        s.Read(m_substituteId);
        s.Read(m_substituteUnitValues);
        s.Read(m_substituteBehavior);
        s.Read(m_substituteFormatMode);
    }
    m_outputUnitType = 1;
    m_substituteOutputUnitType = 1;
}

void DLxPartListColumn::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_header;
    s.Write(m_propertyId);
    s << m_width << m_headerAlignment << m_columnAlignment;
    s.Write(m_unitValues);
    s << m_dataType << m_formatMode;
    s.Write(m_substituteId);
    s.Write(m_substituteUnitValues);
    s << m_substituteBehavior << m_substituteFormatMode << m_outputUnitType
      << m_substituteOutputUnitType;
}

void DLxPartListColumn::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_propertyId.FixAddress(ctx);
    m_unitValues.FixAddress(ctx);
    m_substituteId.FixAddress(ctx);
    m_substituteUnitValues.FixAddress(ctx);
}

UTxResult DLxPartListColumn::Clone(DLxPartListColumn* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_header = m_header;
    DLxPersistUtil::CloneOwned(cc, m_propertyId, t->m_propertyId);
    t->m_width = m_width;
    t->m_headerAlignment = m_headerAlignment;
    t->m_columnAlignment = m_columnAlignment;
    DLxPersistUtil::CloneOwned(cc, m_unitValues, t->m_unitValues);
    t->m_dataType = m_dataType;
    t->m_formatMode = m_formatMode;
    t->m_outputUnitType = m_outputUnitType;
    DLxPersistUtil::CloneOwned(cc, m_substituteId, t->m_substituteId);
    DLxPersistUtil::CloneOwned(cc, m_substituteUnitValues, t->m_substituteUnitValues);
    t->m_substituteFormatMode = m_substituteFormatMode;
    t->m_substituteBehavior = m_substituteBehavior;
    t->m_substituteOutputUnitType = m_substituteOutputUnitType;
    return {};
}
