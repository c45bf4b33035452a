#pragma once
// Stored classes that exist only for tests of the store. They use the host alone, so that a host
// test never needs the module; the module's persistence routines have their own test classes
// (module/TstPersistClasses.h).
#include <string>
#include <vector>

#include "ge/WqGeMatrix3d.h"
#include "ge/WqGePoint2d.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "rse/RSeSegmentMigrator.h"
#include "utx/UTxGUID.h"

// A value object held by plain pointer.
class TstValue : public RSeVMeta {
public:
    TstValue() = default;
    explicit TstValue(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(TstValue* target, RSeCloneCommander* cc) const;

    double m_weight = 0;
    UTxString16 m_label;
};

// Current version 3. Version 1 stored only m_long and m_text; version 2 added m_ref.
class TstNode : public RSeIDed {
public:
    TstNode() = default;
    explicit TstNode(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(TstNode* target, RSeCloneCommander* cc) const;
    UTxResult PostClone(TstNode* source, RSeCloneCommander* cc);

    bool m_bool = false;
    char m_char = 0;
    int16_t m_short = 0;
    int32_t m_long = 0;
    uint32_t m_ulong = 0;
    float m_float = 0;
    double m_double = 0;
    UTxString16 m_text;
    RSeRef<TstNode> m_ref;
    TstValue* m_value = nullptr;
    WqGePoint3d m_point;
    WqGeVector3d m_vector;
    WqGePoint2d m_point2;
    WqGeMatrix3d m_matrix;
    UTxGUID m_guid;
    std::vector<int32_t> m_longs;
    std::vector<double> m_doubles;
    std::vector<RSeRef<TstNode>> m_refs;
    std::vector<UTxString16> m_texts;
};

// Derives from TstNode; current version 1, version 0 had no field of its own.
class TstDerived : public TstNode {
public:
    TstDerived() = default;
    explicit TstDerived(const RSeStream* s) : TstNode(s) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(TstDerived* target, RSeCloneCommander* cc) const;

    int32_t m_extra = 0;
};

// A class that never changed: version 0.
class TstZero : public RSeIDed {
public:
    TstZero() = default;
    explicit TstZero(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s);
    void Save(RSeStream& s) const;

    int32_t m_value = 0;
};

// Current version 2; reads version 1 and refuses anything older.
class TstRefuser : public RSeIDed {
public:
    TstRefuser() = default;
    explicit TstRefuser(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;

    int32_t m_value = 0;
    int32_t m_added = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const TstValue*);
RSeMetaType* _GetMeta(const TstValue*);
RSeMetaType* _InitMeta(const TstNode*);
RSeMetaType* _GetMeta(const TstNode*);
RSeMetaType* _InitMeta(const TstDerived*);
RSeMetaType* _GetMeta(const TstDerived*);
RSeMetaType* _InitMeta(const TstZero*);
RSeMetaType* _GetMeta(const TstZero*);
RSeMetaType* _InitMeta(const TstRefuser*);
RSeMetaType* _GetMeta(const TstRefuser*);
} // namespace RSe

template <class T> RSeMetaType* TstMeta() {
    return RSe::_GetMeta(static_cast<const T*>(nullptr));
}
template <class T> T* TstNew(RSeSegment* seg) {
    return new (TstMeta<T>(), seg) T();
}

// What the test migrators did, in order: "first <id> v<stored version>", "second <id> v<...>".
std::vector<std::string>& TstMigrationLog();
// The migrators, registered in this order: the first handles (TstNode, 1), the second takes the
// contexts queued for it by name.
RSeSegmentMigrator* TstFirstMigrator();
RSeSegmentMigrator* TstSecondMigrator();

// Fills a node with a value of every field kind; `peer` becomes the target of its references.
void TstFillNode(TstNode* n, TstNode* peer, int seed);
