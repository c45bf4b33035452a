#include "Symbol/DLxGDTState.h"

#include "Standard/DLxStdMeta.h"

DLX_STD_META_DEF(DLxGDTState, RDxObject, 0x100, 0)

void DLxGDTState::Load(RSeStream& s) {
    RDxObject::Load(s);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 20);
    m_lines.assign(n, {});
    for (DLxGDTStateLine& l : m_lines) {
        s.Read(l.symbol);
        s.Read(l.framed);
        for (int k = 0; k < 6; ++k) {
            s.Read(l.values[k]);
            s.Read(l.status[k]);
        }
    }
    s.Read(m_frameText);
    s.Read(m_frameTextStatus);
}

void DLxGDTState::Save(RSeStream& s) const {
    RDxObject::Save(s);
    s.Write(uint32_t(m_lines.size()));
    for (const DLxGDTStateLine& l : m_lines) {
        s.Write(l.symbol);
        s.Write(l.framed);
        for (int k = 0; k < 6; ++k) {
            s.Write(l.values[k]);
            s.Write(l.status[k]);
        }
    }
    s.Write(m_frameText);
    s.Write(m_frameTextStatus);
}

UTxResult DLxGDTState::Clone(DLxGDTState* t, RSeCloneCommander* cc) const {
    RDxObject::Clone(t, cc);
    t->m_lines = m_lines;
    t->m_frameText = m_frameText;
    t->m_frameTextStatus = m_frameTextStatus;
    return {};
}
