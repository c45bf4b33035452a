#pragma once
// Edit records: what an editor or a manipulator changed, passed to the request that applies it
// and from there to the objects themselves. A record is a key naming the change and an ordered
// list of typed values: transcript values, so that a request journals its records as they are.
// A record's references are live ones (a null one included), and its integers are 32-bit: a
// record that holds a wider one is not journalled.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "fw/FWxTranscriptValue.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class WqGePoint3d;
class WqGeVector3d;

class FBxObjectEditRecord {
public:
    using Value = FWxTranscriptValue;

    // A named attribute that a reader asked for and that the record lacks or cannot convert.
    class exception : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };
    class attribute_not_found : public exception {
    public:
        using exception::exception;
    };

    // A named attribute as a reader takes it: each conversion throws `exception` when the
    // value is of another kind (an integer reads as a double, and 0 or 1 as a bool), and
    // `attribute_not_found` when the record has no attribute of that name.
    class attribute {
    public:
        attribute(const UTxString16& name, const Value* value) : m_name(name), m_value(value) {}
        bool exists() const { return m_value != nullptr; }
        int32_t as_int() const;
        bool as_bool() const;
        double as_double() const;
        UTxString16 as_UTxString16() const;
        WqGePoint3d as_WqGePoint3d() const;

    private:
        const Value& Need() const;
        [[noreturn]] void Wrong(const char* kind) const;
        UTxString16 m_name;
        const Value* m_value;
    };

    FBxObjectEditRecord() = default;
    explicit FBxObjectEditRecord(UTxString16 key) : m_key(std::move(key)) {}
    FBxObjectEditRecord(UTxString16 key, std::vector<Value> values)
        : m_key(std::move(key)), m_values(std::move(values)) {}

    const UTxString16& GetKey() const { return m_key; }
    void SetKey(UTxString16 key) { m_key = std::move(key); }

    int32_t GetValueCount() const { return int32_t(m_values.size()); }
    const std::vector<Value>& GetValues() const { return m_values; }
    // False past the end.
    bool IsKind(int32_t i, Value::Kind kind) const { return InRange(i) && At(i).GetKind() == kind; }
    // Past the end: the integer 0.
    const Value& GetValue(int32_t i) const;

    // Appending, for building a record in one expression.
    FBxObjectEditRecord& AddValue(Value v);
    FBxObjectEditRecord& AddInt(int32_t v) { return AddValue(Value::MakeInt(v)); }
    FBxObjectEditRecord& AddDouble(double v) { return AddValue(Value::MakeReal(v)); }
    FBxObjectEditRecord& AddBool(bool v) { return AddValue(Value::MakeBool(v)); }
    FBxObjectEditRecord& AddString(UTxString16 v) {
        return AddValue(Value::MakeString(std::move(v)));
    }
    FBxObjectEditRecord& AddPoint(const WqGePoint3d& p) { return AddValue(Value::MakePoint(p)); }
    FBxObjectEditRecord& AddVector(const WqGeVector3d& v) { return AddValue(Value::MakeVector(v)); }
    FBxObjectEditRecord& AddRef(const RSeRefBase& r) { return AddValue(Value::MakeRef(r)); }
    FBxObjectEditRecord& AddList(std::vector<Value> items) {
        return AddValue(Value::MakeList(std::move(items)));
    }

    // Replaces the value at i, or appends when i is the count; false (and no change) otherwise.
    bool SetValue(int32_t i, Value v);
    bool SetInt(int32_t i, int32_t v) { return SetValue(i, Value::MakeInt(v)); }
    bool SetDouble(int32_t i, double v) { return SetValue(i, Value::MakeReal(v)); }
    bool SetBool(int32_t i, bool v) { return SetValue(i, Value::MakeBool(v)); }
    bool SetString(int32_t i, UTxString16 v) {
        return SetValue(i, Value::MakeString(std::move(v)));
    }
    bool SetPoint(int32_t i, const WqGePoint3d& p) { return SetValue(i, Value::MakePoint(p)); }
    bool SetVector(int32_t i, const WqGeVector3d& v) { return SetValue(i, Value::MakeVector(v)); }
    bool SetRef(int32_t i, const RSeRefBase& r) { return SetValue(i, Value::MakeRef(r)); }
    bool SetList(int32_t i, std::vector<Value> items) {
        return SetValue(i, Value::MakeList(std::move(items)));
    }

    // A value of another kind, or a position past the end, reads as the kind's zero.
    int32_t GetInt(int32_t i) const { return int32_t(GetValue(i).GetInt()); }
    double GetDouble(int32_t i) const { return GetValue(i).GetReal(); }
    bool GetBool(int32_t i) const { return GetValue(i).GetBool(); }
    const UTxString16& GetString(int32_t i) const;
    WqGePoint3d GetPoint(int32_t i) const;
    WqGeVector3d GetVector(int32_t i) const;
    const RSeRefBase& GetRef(int32_t i) const { return GetValue(i).GetRef(); }
    template <class T> RSeRef<T> GetRefAs(int32_t i) const { return RSeRef<T>(GetRef(i)); }
    const std::vector<Value>& GetList(int32_t i) const { return GetValue(i).GetList(); }

    void ClearValues() { m_values.clear(); }

    // Named attributes are (name text, value) pairs among the values, in the order set.
    // Setting a name already present replaces its value.
    FBxObjectEditRecord& SetAttribute(const UTxString16& name, Value v);
    // The value of the first pair with this name, or null.
    const Value* FindAttribute(const UTxString16& name) const;
    attribute operator[](const UTxString16& name) const { return {name, FindAttribute(name)}; }

    friend bool operator==(const FBxObjectEditRecord& a, const FBxObjectEditRecord& b) {
        return a.m_key == b.m_key && a.m_values == b.m_values;
    }

private:
    bool InRange(int32_t i) const { return i >= 0 && size_t(i) < m_values.size(); }
    const Value& At(int32_t i) const { return m_values[size_t(i)]; }

    UTxString16 m_key;
    std::vector<Value> m_values;
};

// Also declared, the same way, where the transcript exchange declares its functions.
using FBxObjectEditRecordList = std::vector<FBxObjectEditRecord>;
