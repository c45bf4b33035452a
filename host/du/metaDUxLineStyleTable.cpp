#include "du/DUxLineStyleTable.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0c04, 0x3c4e11d2, 0x9a110800, 0x09db0204);
}

// A pen: colour mode and value, weight, line type.
void SavePen(RSeStream& s, const DUxLineStyle& pen) {
    s.Write(char(pen.color.IsIndex() ? 1 : 0));
    s.Write(pen.color.GetValue());
    s.Write(pen.lineWeight);
    s.Write(pen.lineType);
}

void LoadPen(RSeStream& s, DUxLineStyle& pen) {
    char mode = 0;
    uint32_t value = 0;
    s.Read(mode);
    s.Read(value);
    if (mode != 0 && mode != 1) RSe::ThrowDamaged(u"unknown colour mode of a line style");
    pen.color = mode ? SMxColor::FromIndex(value) : SMxColor::FromPackedRgba(value);
    s.Read(pen.lineWeight);
    s.Read(pen.lineType);
}

// The smallest stored pen: four tagged values.
constexpr size_t kMinPenBytes = 2 + 3 * 5;
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxLineStyleTable*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxLineStyleTable>(u"DUxLineStyleTable", &InitGuid, 0, RSeMetaType::kClass,
                                       RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxLineStyleTable* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxLineStyleTable*>(nullptr));

RSeMetaType* DUxLineStyleTable::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Styles by (kind, standard), then overloads by object id, each in key order.
void DUxLineStyleTable::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    m_styles.clear();
    m_overloads.clear();
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5 + 17 + kMinPenBytes);
    for (uint32_t i = 0; i < n; ++i) {
        std::pair<int32_t, UTxGUID> key;
        s.Read(key.first);
        s.Read(key.second);
        LoadPen(s, m_styles[key]);
    }
    s.Read(n);
    s.CheckCount(n, 5 + kMinPenBytes);
    for (uint32_t i = 0; i < n; ++i) {
        uint32_t id = 0;
        s.Read(id);
        LoadPen(s, m_overloads[id]);
    }
}

void DUxLineStyleTable::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(uint32_t(m_styles.size()));
    for (const auto& [key, pen] : m_styles) {
        s.Write(key.first);
        s.Write(key.second);
        SavePen(s, pen);
    }
    s.Write(uint32_t(m_overloads.size()));
    for (const auto& [id, pen] : m_overloads) {
        s.Write(id);
        SavePen(s, pen);
    }
}

UTxResult DUxLineStyleTable::Clone(DUxLineStyleTable* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_styles = m_styles;
    target->m_overloads = m_overloads;
    return {};
}
