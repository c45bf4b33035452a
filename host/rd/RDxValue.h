#pragma once
// Stored values of the value library: a text, an integer and a point.
#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class RSeStream;
class RSeMetaContext;
class RSeCloneCommander;

class RDxString : public RSeIDed {
public:
    RDxString() = default;
    explicit RDxString(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetSimpleValue() const { return m_value; }
    void SetSimpleValue(const UTxString16& v) { m_value = v; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxString* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_value;
};

class RDxInt : public RSeIDed {
public:
    RDxInt() = default;
    explicit RDxInt(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetValue() const { return m_value; }
    void SetValue(int32_t v) { m_value = v; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxInt* target, RSeCloneCommander* cc) const;

private:
    int32_t m_value = 0;
};

class RDxPoint3 : public RSeIDed {
public:
    RDxPoint3() = default;
    explicit RDxPoint3(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    const WqGePoint3d& GetPoint() const { return m_point; }
    void SetPoint(const WqGePoint3d& p) { m_point = p; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxPoint3* target, RSeCloneCommander* cc) const;

private:
    WqGePoint3d m_point;
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*);
RSeMetaType* _GetMeta(const RDxString*);
RSeMetaType* _InitMeta(const RDxInt*);
RSeMetaType* _GetMeta(const RDxInt*);
RSeMetaType* _InitMeta(const RDxPoint3*);
RSeMetaType* _GetMeta(const RDxPoint3*);
} // namespace RSe
