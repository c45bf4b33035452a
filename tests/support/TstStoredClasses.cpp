#include "TstStoredClasses.h"

#include "rse/RSeCloneCommander.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"
#include "rse/RSeSegment.h"
#include "utx/UTxException.h"

namespace {
void ValueGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e001, 0x00010001, 0x80000000, 0x00000001);
}
void NodeGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e003, 0x00010001, 0x80000000, 0x00000001);
}
void DerivedGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e004, 0x00010001, 0x80000000, 0x00000001);
}
void ZeroGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e005, 0x00010001, 0x80000000, 0x00000001);
}
void RefuserGuid(UTxGUID& g) {
    g = UTxGUID(0x51a7e006, 0x00010001, 0x80000000, 0x00000001);
}
RSeMetaType* IDedMeta() {
    return RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr));
}

uint16_t StoredVersion(RSeStream& s) {
    return s.GetMetaContext().GetStoredVersion();
}

// Vectors as the store's containers are laid out: the vector type code, the count, the elements.
template <class T> void WriteVector(RSeStream& s, const std::vector<T>& v) {
    s.Write(RSeTypeCode::kVector).Write(uint32_t(v.size()));
    for (const T& e : v)
        s.Write(e);
}
template <class T> void ReadVector(RSeStream& s, std::vector<T>& v) {
    RSeTypeCode code;
    s.Read(code);
    if (code.code != RSeTypeCode::kVector) RSe::ThrowDamaged(u"a vector was expected");
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5);
    v.assign(n, T());
    for (T& e : v)
        s.Read(e);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const TstValue*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstValue>(u"TstValue", &ValueGuid, 0, RSeMetaType::kValueClass, nullptr);
    return mt;
}
RSeMetaType* _GetMeta(const TstValue* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const TstNode*) {
    static RSeMetaType* mt = RSeMakeMeta<TstNode>(u"TstNode", &NodeGuid, 3, RSeMetaType::kClass, IDedMeta());
    return mt;
}
RSeMetaType* _GetMeta(const TstNode* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const TstDerived*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstDerived>(u"TstDerived", &DerivedGuid, 1, RSeMetaType::kClass,
                                RSe::_InitMeta(static_cast<const TstNode*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const TstDerived* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const TstZero*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstZero>(u"TstZero", &ZeroGuid, 0, RSeMetaType::kClass, IDedMeta());
    return mt;
}
RSeMetaType* _GetMeta(const TstZero* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const TstRefuser*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstRefuser>(u"TstRefuser", &RefuserGuid, 2, RSeMetaType::kClass, IDedMeta());
    return mt;
}
RSeMetaType* _GetMeta(const TstRefuser* p) {
    return _InitMeta(p);
}
} // namespace RSe

// Register at load time, as a persistence unit does.
static RSeMetaType* const s_metas[] = {
    RSe::_InitMeta(static_cast<const TstValue*>(nullptr)),
    RSe::_InitMeta(static_cast<const TstNode*>(nullptr)),
    RSe::_InitMeta(static_cast<const TstDerived*>(nullptr)),
    RSe::_InitMeta(static_cast<const TstZero*>(nullptr)),
    RSe::_InitMeta(static_cast<const TstRefuser*>(nullptr)),
};

// ---- migrators ------------------------------------------------------------------------------

std::vector<std::string>& TstMigrationLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {
class LoggingMigrator : public RSeSegmentMigrator {
public:
    LoggingMigrator(const char* name, const char* tag) : RSeSegmentMigrator(name), m_tag(tag) {}
    void Migrate(RSeSegmentMigrationContext* ctx) override {
        auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx);
        if (!refs) return;
        for (uint32_t i = 0; i < refs->Objects(); ++i) {
            if (!refs->Object(i).HasTarget()) continue;
            RSeRef<TstNode> node(refs->Object(i));
            TstMigrationLog().push_back(std::string(m_tag) + " " +
                                        std::to_string(refs->Object(i).GetId()) + " v" +
                                        std::to_string(refs->UnmigratedVersion(i)));
            if (node) node->m_text += m_tag == std::string("first") ? u" +first" : u" +second";
        }
    }

private:
    const char* m_tag;
};

struct FirstMigrator : LoggingMigrator {
    FirstMigrator() : LoggingMigrator("TstFirstMigrator", "first") { Handles(u"TstNode", 1); }
} s_first;
LoggingMigrator s_second("TstSecondMigrator", "second");
} // namespace

RSeSegmentMigrator* TstFirstMigrator() {
    return &s_first;
}
RSeSegmentMigrator* TstSecondMigrator() {
    return &s_second;
}

// ---- TstValue ----------------------------------------------------------------------------

RSeMetaType* TstValue::GetMeta() const {
    return RSe::_GetMeta(this);
}
void TstValue::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_weight);
    s.Read(m_label);
}
void TstValue::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_weight).Write(m_label);
}
UTxResult TstValue::Clone(TstValue* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_weight = m_weight;
    target->m_label = m_label;
    return {};
}

// ---- TstNode --------------------------------------------------------------------------------

RSeMetaType* TstNode::GetMeta() const {
    return RSe::_GetMeta(this);
}

void TstNode::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_bool)
        .Write(m_char)
        .Write(m_short)
        .Write(m_long)
        .Write(m_ulong)
        .Write(m_float)
        .Write(m_double)
        .Write(m_text);
    s.Write(m_ref);
    s.Write(static_cast<const RSeVMeta*>(m_value));
    RSeSaveData(s, m_point);
    RSeSaveData(s, m_vector);
    RSeSaveData(s, m_point2);
    RSeSaveData(s, m_matrix);
    s.Write(m_guid);
    WriteVector(s, m_longs);
    WriteVector(s, m_doubles);
    WriteVector(s, m_refs);
    WriteVector(s, m_texts);
}

void TstNode::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_bool);
    s.Read(m_char);
    s.Read(m_short);
    s.Read(m_long);
    s.Read(m_ulong);
    s.Read(m_float);
    s.Read(m_double);
    s.Read(m_text);
    s.Read(m_ref);
    void* raw = nullptr;
    s.Read(raw);
    m_value = static_cast<TstValue*>(raw);
    RSeLoadData(s, m_point);
    RSeLoadData(s, m_vector);
    RSeLoadData(s, m_point2);
    RSeLoadData(s, m_matrix);
    s.Read(m_guid);
    ReadVector(s, m_longs);
    ReadVector(s, m_doubles);
    ReadVector(s, m_refs);
    ReadVector(s, m_texts);
}

void TstNode::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    const uint16_t v = StoredVersion(s);
    // Fields the old layouts lack keep their defaults, but for these two.
    m_double = 1.5;
    m_text = u"untitled";
    if (v >= 1) {
        s.Read(m_long);
        s.Read(m_text);
    }
    if (v >= 2) s.Read(m_ref);
    if (v == 1) {
        RSeSegment* seg = GetSegment();
        if (auto* ctx = RSe::SegmentMigrationContextRSeRef(seg, RSe::_GetMeta(this), 1))
            ctx->Add(RSeRef<RSeIDed>(this));
    }
}

void TstNode::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_ref.FixAddress(ctx);
    void* value = m_value;
    ctx.FixPointer(value);
    m_value = value ? dynamic_cast<TstValue*>(static_cast<RSeVMeta*>(value)) : nullptr;
    for (RSeRef<TstNode>& r : m_refs)
        r.FixAddress(ctx);
}

void TstNode::FixPtrsMigrate(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    if (ctx.GetStoredVersion() >= 2) m_ref.FixAddress(ctx);
}

UTxResult TstNode::PostRestore(RSeMetaContext& ctx) {
    return RSeMetaType::PlainPostRestore(this, ctx);
}

UTxResult TstNode::PostRestoreMigrate(RSeMetaContext& ctx) {
    RSeMetaType::PlainPostRestore(this, ctx);
    if (ctx.GetStoredVersion() == 1) {
        RSeSegmentMigrator* second = RSeSegmentMigrator::Get("TstSecondMigrator");
        if (auto* c = RSe::SegmentMigrationContextRSeRef(GetSegment(), second))
            c->Add(RSeRef<RSeIDed>(this));
    }
    return {};
}

UTxResult TstNode::Clone(TstNode* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_bool = m_bool;
    t->m_char = m_char;
    t->m_short = m_short;
    t->m_long = m_long;
    t->m_ulong = m_ulong;
    t->m_float = m_float;
    t->m_double = m_double;
    t->m_text = m_text;
    cc->CloneRef(m_ref, t->m_ref);
    cc->ClonePtr(m_value, t->m_value);
    t->m_point = m_point;
    t->m_vector = m_vector;
    t->m_point2 = m_point2;
    t->m_matrix = m_matrix;
    t->m_guid = m_guid;
    t->m_longs = m_longs;
    t->m_doubles = m_doubles;
    t->m_refs.resize(m_refs.size());
    for (size_t i = 0; i < m_refs.size(); ++i)
        cc->CloneRef(m_refs[i], t->m_refs[i]);
    t->m_texts = m_texts;
    return {};
}

UTxResult TstNode::PostClone(TstNode* source, RSeCloneCommander* cc) {
    return RSeMetaType::PlainPostClone(this, source, cc);
}

// ---- TstDerived, TstZero, TstRefuser --------------------------------------------------------

RSeMetaType* TstDerived::GetMeta() const {
    return RSe::_GetMeta(this);
}
void TstDerived::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_extra);
}
void TstDerived::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    m_extra = -1; // version 0 had none
}
void TstDerived::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_extra);
}
UTxResult TstDerived::Clone(TstDerived* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_extra = m_extra;
    return {};
}

RSeMetaType* TstZero::GetMeta() const {
    return RSe::_GetMeta(this);
}
void TstZero::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
}
void TstZero::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value);
}

RSeMetaType* TstRefuser::GetMeta() const {
    return RSe::_GetMeta(this);
}
void TstRefuser::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_value);
    s.Read(m_added);
}
void TstRefuser::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    if (StoredVersion(s) != 1)
        UTxException::Throw(UTxError{kRSeErrUnsupportedVersion, "TstRefuser", 42});
    s.Read(m_value);
    m_added = 7;
}
void TstRefuser::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_value).Write(m_added);
}

// ---- fixtures -------------------------------------------------------------------------------

void TstFillNode(TstNode* n, TstNode* peer, int seed) {
    n->m_bool = seed % 2 == 0;
    n->m_char = char('a' + seed % 26);
    n->m_short = int16_t(-1000 - seed);
    n->m_long = -123456 * (seed + 1);
    n->m_ulong = 0xFEDCBA98u - uint32_t(seed);
    n->m_float = 0.1f * float(seed + 1);
    n->m_double = 1.0 / 3.0 + seed;
    n->m_text = u"Node \u00c5\u00df\U0001F600 " + UTx::MakeWideString(std::to_string(seed));
    n->m_ref = peer;
    if (RSeSegment* seg = n->GetSegment()) {
        n->m_value = TstNew<TstValue>(seg);
        n->m_value->m_weight = 2.5 * seed;
        n->m_value->m_label = u"value";
    }
    n->m_point = WqGePoint3d(1.25, -2.5, 1e-300);
    n->m_vector = WqGeVector3d(0, 0, -1);
    n->m_point2 = WqGePoint2d(7, 8);
    n->m_matrix = WqGeMatrix3d::translation(WqGeVector3d(3, 4, 5));
    n->m_guid = UTxGUID(0x96e536f1, 0x0d3c11d2, 0xba800800, 0x09db8810);
    n->m_longs = {1, -2, 3};
    n->m_longs.reserve(7);
    n->m_doubles = {0.5, -0.0, 1e308};
    n->m_refs = {RSeRef<TstNode>(peer), RSeRef<TstNode>(), RSeRef<TstNode>(n)};
    n->m_texts = {u"", u"x", u"\u2300 12"};
}
