#include <cmath>
#include <string>

#include "dc/RDxPersist.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "utx/UTxString16.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b11, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}

void SaveEdge(RSeStream& s, const DLxViewEdge& e) {
    s.Write(e.id);
    s.Write(int32_t(e.kind));
    if (e.kind == DLxEdgeKind::Line) {
        RSeSaveData(s, e.start);
        RSeSaveData(s, e.end);
        return;
    }
    RSeSaveData(s, e.center);
    RSeSaveData(s, e.normal);
    RSeSaveData(s, e.refVector);
    s.Write(e.radius);
    s.Write(e.startAngle);
    s.Write(e.endAngle);
}

void SaveOccurrence(RSeStream& s, const DLxViewEdge& e) {
    s.Write(uint32_t(e.occurrence.size()));
    for (int32_t id : e.occurrence)
        s.Write(id);
}
void LoadOccurrence(RSeStream& s, DLxViewEdge& e) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    e.occurrence.assign(n, 0);
    for (int32_t& id : e.occurrence) {
        s.Read(id);
        if (id <= 0)
            RSe::ThrowDamaged(u"the view edge " + UTx::MakeWideString(std::to_string(e.id)) +
                              u" names an occurrence of no positive id");
    }
}

void LoadEdge(RSeStream& s, DLxViewEdge& e) {
    int32_t kind = 0;
    s.Read(e.id);
    s.Read(kind);
    if (kind == int32_t(DLxEdgeKind::Line)) {
        e.kind = DLxEdgeKind::Line;
        RSeLoadData(s, e.start);
        RSeLoadData(s, e.end);
    } else if (kind == int32_t(DLxEdgeKind::Arc)) {
        e.kind = DLxEdgeKind::Arc;
        RSeLoadData(s, e.center);
        RSeLoadData(s, e.normal);
        RSeLoadData(s, e.refVector);
        s.Read(e.radius);
        s.Read(e.startAngle);
        s.Read(e.endAngle);
    } else {
        RSe::ThrowDamaged(u"a view edge of an unknown kind");
    }
    // Drawing samples the edge by its numbers: a NaN or a zero radius must not get that far.
    if (!e.IsWellFormed())
        RSe::ThrowDamaged(u"the view edge " + UTx::MakeWideString(std::to_string(e.id)) +
                          u" is not well formed (a coordinate, radius or angle out of range)");
}
void LoadBreak(RSeStream& s, DLxViewBreak& b) {
    int32_t direction = 0;
    s.Read(direction);
    s.Read(b.from);
    s.Read(b.to);
    if (direction != DLxViewBreak::kHorizontal && direction != DLxViewBreak::kVertical)
        RSe::ThrowDamaged(u"a view break of an unknown direction");
    b.direction = DLxViewBreak::Direction(direction);
    if (!std::isfinite(b.from) || !std::isfinite(b.to) || !(b.from < b.to))
        RSe::ThrowDamaged(u"a view break of no width");
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxViewInstance*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxViewInstance>(u"DLxViewInstance", &InitGuid, 5, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const RDxNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxViewInstance* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxViewInstance*>(nullptr));

RSeMetaType* DLxViewInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxViewInstance::Load(RSeStream& s) {
    LoadFields(s, 5);
}

void DLxViewInstance::LoadMigrate(RSeStream& s) {
    LoadFields(s, s.GetMetaContext().GetStoredVersion());
}

void DLxViewInstance::LoadFields(RSeStream& s, int32_t version) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_name);
    s.Read(m_scale);
    RSeLoadData(s, m_center);
    RSeLoadData(s, m_modelOrigin);
    RSeLoadData(s, m_orientation);
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 2 * 5 + 2 * 25); // id, kind and the two points of the smallest edge
    m_edges.assign(n, DLxViewEdge());
    for (DLxViewEdge& e : m_edges) {
        LoadEdge(s, e);
        if (version >= 2) LoadOccurrence(s, e);
        e.weld = 0;
        if (version >= 3) s.Read(e.weld);
        e.cosmeticWelds.clear();
        if (version >= 4) {
            s.Read(n);
            s.CheckCount(n, 5 + 5 + 2 * 9); // weld, interval count, one interval
            e.cosmeticWelds.assign(n, DLxEdgeWeldData());
            for (DLxEdgeWeldData& d : e.cosmeticWelds) {
                s.Read(d.weld);
                s.Read(n);
                s.CheckCount(n, 9);
                d.intervals.assign(n, 0.0);
                for (double& v : d.intervals) s.Read(v);
            }
        }
    }
    m_breaks.clear();
    if (version >= 1) {
        s.Read(n);
        s.CheckCount(n, 5 + 2 * 9); // direction, from and to
        m_breaks.assign(n, DLxViewBreak());
        for (DLxViewBreak& b : m_breaks)
            LoadBreak(s, b);
    }
    m_welds.clear();
    if (version >= 3) {
        s.Read(n);
        s.CheckCount(n, 5 + 5 + 5); // id, reverse flag, sub-welding count
        m_welds.assign(n, DLxModelWeld());
        for (DLxModelWeld& w : m_welds) {
            s.Read(w.id);
            s.Read(w.reverse);
            DUxWeldState::LoadSubWeldings(s, w.subWeldings, version >= 4);
            if (version >= 4) {
                s.Read(w.other);
                s.Read(w.cosmetic);
            }
        }
    }
    m_weldSymbolsVisible = true;
    if (version >= 3) s.Read(m_weldSymbolsVisible);
    RDxPersist::LoadRefs(s, m_proxies);
    m_centerDatum = RSeRef<DLxEmblem>();
    m_suppressed = false;
    if (version >= 5) {
        s.Read(m_centerDatum);
        s.Read(m_suppressed);
    }
}

void DLxViewInstance::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_name);
    s.Write(m_scale);
    RSeSaveData(s, m_center);
    RSeSaveData(s, m_modelOrigin);
    RSeSaveData(s, m_orientation);
    s.Write(uint32_t(m_edges.size()));
    for (const DLxViewEdge& e : m_edges) {
        SaveEdge(s, e);
        SaveOccurrence(s, e);
        s.Write(e.weld);
        s.Write(uint32_t(e.cosmeticWelds.size()));
        for (const DLxEdgeWeldData& d : e.cosmeticWelds) {
            s.Write(d.weld);
            s.Write(uint32_t(d.intervals.size()));
            for (double v : d.intervals) s.Write(v);
        }
    }
    s.Write(uint32_t(m_breaks.size()));
    for (const DLxViewBreak& b : m_breaks) {
        s.Write(int32_t(b.direction));
        s.Write(b.from);
        s.Write(b.to);
    }
    s.Write(uint32_t(m_welds.size()));
    for (const DLxModelWeld& w : m_welds) {
        s.Write(w.id);
        s.Write(w.reverse);
        DUxWeldState::SaveSubWeldings(s, w.subWeldings);
        s.Write(w.other);
        s.Write(w.cosmetic);
    }
    s.Write(m_weldSymbolsVisible);
    RDxPersist::SaveRefs(s, m_proxies);
    s.Write(m_centerDatum);
    s.Write(m_suppressed);
}

void DLxViewInstance::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_proxies, ctx);
    m_centerDatum.FixAddress(ctx);
}

UTxResult DLxViewInstance::Clone(DLxViewInstance* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_name = m_name;
    target->m_scale = m_scale;
    target->m_center = m_center;
    target->m_modelOrigin = m_modelOrigin;
    target->m_orientation = m_orientation;
    target->m_edges = m_edges;
    target->m_breaks = m_breaks;
    target->m_welds = m_welds;
    target->m_weldSymbolsVisible = m_weldSymbolsVisible;
    target->m_suppressed = m_suppressed;
    // Like the proxies, the indicator stays only when it is copied along.
    target->m_centerDatum = RSeRef<DLxEmblem>();
    if (RSeIDed* copy = cc->CloneOf(m_centerDatum))
        target->m_centerDatum = RSeRef<DLxEmblem>(RSeRefBase(copy));
    // The copy keeps only the proxies copied along with it: the others speak for this view.
    target->m_proxies.clear();
    for (const RSeRef<DLxEdgeGeometryProxy>& r : m_proxies)
        if (RSeIDed* copy = cc->CloneOf(r)) target->m_proxies.emplace_back(RSeRefBase(copy));
    return {};
}
