// The _TDX_ functions: each kind's literal in the line and the checks on reading it back.
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "fw/FWxTranscriptMgr.h"
#include "ge/WqArray.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

using Value = FWxTranscriptValue;

struct Problem {
    UTxResultCode code = 0;
    UTxString16 text;
};

bool WrongType(Problem& p, const char16_t* expected, const Value& found) {
    p.code = kFWxErrTranscriptWrongType;
    p.text = UTxString16(u"expected ") + expected + u", found " + Value::KindName(found.GetKind());
    return false;
}

bool OutOfRange(Problem& p, const std::string& what) {
    p.code = kFWxErrTranscriptOutOfRange;
    p.text = UTx::MakeWideString(what);
    return false;
}

// ---- line values from the caller's --------------------------------------------------------

Value ToValue(bool v) {
    return Value::MakeBool(v);
}
Value ToValue(int16_t v) {
    return Value::MakeInt(v);
}
Value ToValue(int32_t v) {
    return Value::MakeInt(v);
}
Value ToValue(uint32_t v) {
    return Value::MakeInt(v);
}
Value ToValue(double v) {
    return Value::MakeReal(v);
}
Value ToValue(float v) {
    return Value::MakeFloat(v);
}
Value ToValue(const UTxString16& v) {
    return Value::MakeString(v);
}
Value ToValue(const WqGePoint3d& v) {
    return Value::MakeTriple(v.x, v.y, v.z);
}
Value ToValue(const WqGeVector3d& v) {
    return Value::MakeTriple(v.x, v.y, v.z);
}
template <class Items> Value ToListValue(const Items& items) {
    std::vector<Value> list;
    for (const auto& item : items)
        list.push_back(ToValue(item));
    return Value::MakeList(std::move(list));
}
template <class T> Value ToValue(const std::vector<T>& v) {
    return ToListValue(v);
}
Value ToValue(const std::vector<bool>& v) {
    std::vector<Value> list;
    for (bool b : v)
        list.push_back(Value::MakeBool(b));
    return Value::MakeList(std::move(list));
}
Value ToValue(const WqArray<WqGePoint3d>& v) {
    return ToListValue(v);
}

// ---- the caller's values from the line ----------------------------------------------------

bool FromValue(const Value& v, bool& out, Problem& p) {
    if (v.GetKind() != Value::kBool) return WrongType(p, u"a boolean", v);
    out = v.GetBool();
    return true;
}

template <class I> bool FromInteger(const Value& v, I& out, Problem& p, const char* type) {
    if (v.GetKind() != Value::kInt) return WrongType(p, u"an integer", v);
    const int64_t i = v.GetInt();
    if (std::cmp_less(i, std::numeric_limits<I>::min()) ||
        std::cmp_greater(i, std::numeric_limits<I>::max()))
        return OutOfRange(p, std::to_string(i) + " does not fit " + type);
    out = I(i);
    return true;
}
bool FromValue(const Value& v, int16_t& out, Problem& p) {
    return FromInteger(v, out, p, "a 16-bit integer");
}
bool FromValue(const Value& v, int32_t& out, Problem& p) {
    return FromInteger(v, out, p, "a 32-bit integer");
}
bool FromValue(const Value& v, uint32_t& out, Problem& p) {
    return FromInteger(v, out, p, "an unsigned 32-bit integer");
}

bool FromValue(const Value& v, double& out, Problem& p) {
    if (!v.IsNumber()) return WrongType(p, u"a number", v);
    out = v.GetReal();
    return true;
}

bool FromValue(const Value& v, float& out, Problem& p) {
    double d = 0;
    if (!FromValue(v, d, p)) return false;
    if (std::isfinite(d) && std::fabs(d) > FLT_MAX) {
        // Up to half a step above FLT_MAX still rounds down to it; the midpoint itself rounds
        // to even, which is infinity.
        constexpr double kHalfStepAbove = 0x1.ffffffp+127;
        if (std::fabs(d) >= kHalfStepAbove) return OutOfRange(p, "the value does not fit a float");
        out = std::signbit(d) ? -FLT_MAX : FLT_MAX;
        return true;
    }
    out = float(d);
    return true;
}

bool FromValue(const Value& v, UTxString16& out, Problem& p) {
    if (v.GetKind() != Value::kString) return WrongType(p, u"a string", v);
    out = v.GetText();
    return true;
}

template <class P> bool FromTriple(const Value& v, P& out, Problem& p) {
    if (v.GetKind() != Value::kTriple) return WrongType(p, u"a point", v);
    const double* xyz = v.GetTriple();
    out.x = xyz[0];
    out.y = xyz[1];
    out.z = xyz[2];
    return true;
}
bool FromValue(const Value& v, WqGePoint3d& out, Problem& p) {
    return FromTriple(v, out, p);
}
bool FromValue(const Value& v, WqGeVector3d& out, Problem& p) {
    return FromTriple(v, out, p);
}

template <class T, class Add> bool FromList(const Value& v, Problem& p, Add add) {
    if (v.GetKind() != Value::kList) return WrongType(p, u"a list", v);
    const std::vector<Value>& items = v.GetList();
    for (size_t i = 0; i < items.size(); ++i) {
        T item{};
        if (!FromValue(items[i], item, p)) {
            p.text = u"element " + UTx::MakeWideString(std::to_string(i)) + u": " + p.text;
            return false;
        }
        add(std::move(item));
    }
    return true;
}
template <class T> bool FromValue(const Value& v, std::vector<T>& out, Problem& p) {
    return FromList<T>(v, p, [&](T&& item) { out.push_back(std::move(item)); });
}
bool FromValue(const Value& v, WqArray<WqGePoint3d>& out, Problem& p) {
    return FromList<WqGePoint3d>(v, p, [&](WqGePoint3d&& item) { out.append(item); });
}

// Writing appends; reading replaces the value only when all of it was read.
template <class T>
bool Exchange(UCxTranscriptDataExchange& tdx, const char16_t* key, T& value, bool required) {
    if (tdx.HasFailed()) return false;
    if (tdx.IsWriting()) return tdx.Put(key, ToValue(value));
    const Value* v = tdx.Find(key, required);
    if (!v) return false;
    T read{};
    Problem p;
    if (!FromValue(*v, read, p)) {
        tdx.Fail(FWxTranscriptMgr::MakeError(p.code, key, p.text));
        return false;
    }
    value = std::move(read);
    return true;
}

} // namespace

bool _TDX_Bool(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, int32_t& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, int16_t& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, uint32_t& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Double(UCxTranscriptDataExchange& tdx, const char16_t* key, double& value,
                 bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Float(UCxTranscriptDataExchange& tdx, const char16_t* key, float& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_String(UCxTranscriptDataExchange& tdx, const char16_t* key, UTxString16& value,
                 bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Point3(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGePoint3d& value,
                 bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Vector3(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGeVector3d& value,
                  bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_BoolVect(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<bool>& value,
                   bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_IntVect(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<int32_t>& value,
                  bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Uint32Vect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<uint32_t>& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_StringVect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<UTxString16>& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Point3Vect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<WqGePoint3d>& value, bool required) {
    return Exchange(tdx, key, value, required);
}
bool _TDX_Point3Array(UCxTranscriptDataExchange& tdx, const char16_t* key,
                      WqArray<WqGePoint3d>& value, bool required) {
    return Exchange(tdx, key, value, required);
}

bool _TDX_RSeRef(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRefBase& value,
                 bool required) {
    if (tdx.HasFailed()) return false;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        UTxResult r = mgr.PutRSeRef(tdx.GetLine(), key, value);
        tdx.Fail(r);
        return r.Succeeded();
    }
    const Value* v = tdx.Find(key, required);
    if (!v) return false;
    RSeRefBase read;
    UTxResult r = mgr.ResolveRSeRef(key, *v, tdx.GetDocument(), read);
    if (r.Failed()) {
        tdx.Fail(r);
        return false;
    }
    value = std::move(read);
    return true;
}

namespace UCx {
void FailRefOfWrongClass(UCxTranscriptDataExchange& tdx, const char16_t* key,
                         const RSeRefBase& found) {
    tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptWrongType, key,
                                         u"the object " +
                                             tdx.GetTranscriptMgr().StringFromRef(found) +
                                             u" is not of the class the reference takes"));
}
} // namespace UCx
