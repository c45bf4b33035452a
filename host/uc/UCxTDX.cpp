// The _TDX_ functions: each kind's literal in the line and the checks on reading it back.
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "fb/FBxObjectEditRecord.h"
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

UTxString16 Literal(double d) {
    return Value::MakeReal(d).ToLiteral();
}

// Nothing on a drawing is infinite or not a number.
bool Finite(double d, Problem& p) {
    if (std::isfinite(d)) return true;
    p.code = kFWxErrTranscriptOutOfRange;
    p.text = Literal(d) + u" is not a finite number";
    return false;
}

bool FromValue(const Value& v, double& out, Problem& p) {
    if (!v.IsNumber()) return WrongType(p, u"a number", v);
    if (!Finite(v.GetReal(), p)) return false;
    out = v.GetReal();
    return true;
}

// Finite, and no farther out than anything on a drawing can meaningfully be.
bool Coordinates(const double* xyz, Problem& p) {
    for (int i = 0; i < 3; ++i) {
        if (!Finite(xyz[i], p)) return false;
        if (std::fabs(xyz[i]) > kUCxTranscriptMaxCoordinate) {
            p.code = kFWxErrTranscriptOutOfRange;
            p.text = Literal(xyz[i]) + u" is beyond 1e12, the limit of a coordinate";
            return false;
        }
    }
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
    if (!Coordinates(xyz, p)) return false;
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

// ---- edit records ---------------------------------------------------------------------------

UTxString16 Index(size_t i) {
    return UTx::MakeWideString(std::to_string(i));
}

// Prefixes where in the list the problem is; always false, for returning.
bool At(Problem& p, const UTxString16& where) {
    p.text = where + u": " + p.text;
    return false;
}

bool Malformed(Problem& p, const char16_t* text) {
    p.code = kFWxErrTranscriptMalformed;
    p.text = text;
    return false;
}

// A record's value sits three lists deep in the line (records, record, one-element item): its
// own lists may nest only as deep as the line's reader then allows.
constexpr int kEditValueDepth = 3;

// What the line would refuse, or a record could not read back, said with where it is: lists of
// mixed kinds or nested too deeply, integers wider than a record's, references without a name.
bool Journalable(const Value& v, Problem& p, int depth) {
    switch (v.GetKind()) {
    case Value::kInt: {
        int32_t i = 0;
        return FromValue(v, i, p);
    }
    case Value::kRef: {
        UTxString16 keyText;
        UTxResult r = FWxTranscriptMgr::NameRef(v.GetRef(), keyText);
        if (r.Failed()) {
            p.code = r.GetCode();
            p.text = r.GetDetail();
            return false;
        }
        return true;
    }
    case Value::kList: {
        if (depth >= kFWxTranscriptMaxDepth) return Malformed(p, u"lists nested too deeply");
        const std::vector<Value>& items = v.GetList();
        for (size_t i = 0; i < items.size(); ++i) {
            if (i && !Value::ShareAList(items[i].GetKind(), items[0].GetKind())) {
                p.code = kFWxErrTranscriptMalformed;
                p.text = UTxString16(u"a list holds one type: ") +
                         Value::KindName(items[i].GetKind()) + u" after " +
                         Value::KindName(items[0].GetKind());
                return At(p, u"element " + Index(i));
            }
            if (!Journalable(items[i], p, depth + 1)) return At(p, u"element " + Index(i));
        }
        return true;
    }
    default:
        return true;
    }
}

// A value as a record holds it: references resolved in the document (null a null reference),
// integers 32-bit, numbers finite, coordinates on the drawing.
bool BindEditValue(UCxTranscriptDataExchange& tdx, Value& v, Problem& p) {
    switch (v.GetKind()) {
    case Value::kInt: {
        int32_t i = 0;
        return FromValue(v, i, p);
    }
    case Value::kReal:
        return Finite(v.GetReal(), p);
    case Value::kTriple:
        return Coordinates(v.GetTriple(), p);
    case Value::kNull:
        v = Value::MakeRef(RSeRefBase());
        return true;
    case Value::kRef: {
        RSeRefBase ref;
        UTxResult r = tdx.GetTranscriptMgr().RefFromString(tdx.GetDocument(), v.GetText(), ref);
        if (r.Failed()) {
            p.code = kFWxErrTranscriptUnresolved;
            p.text = r.GetMessage();
            return false;
        }
        v = Value::MakeRef(ref);
        return true;
    }
    case Value::kList: {
        std::vector<Value> items = v.GetList();
        for (size_t i = 0; i < items.size(); ++i)
            if (!BindEditValue(tdx, items[i], p)) return At(p, u"element " + Index(i));
        v = Value::MakeList(std::move(items));
        return true;
    }
    default:
        return true;
    }
}

bool RecordsToValue(const FBxObjectEditRecordList& records, Value& out, Problem& p) {
    std::vector<Value> list;
    for (size_t r = 0; r < records.size(); ++r) {
        const FBxObjectEditRecord& rec = records[r];
        std::vector<Value> items;
        items.push_back(Value::MakeList({Value::MakeString(rec.GetKey())}));
        for (size_t i = 0; i < rec.GetValues().size(); ++i) {
            const Value& v = rec.GetValues()[i];
            if (!Journalable(v, p, kEditValueDepth))
                return At(p, u"record " + Index(r) + u": value " + Index(i));
            items.push_back(Value::MakeList({v}));
        }
        list.push_back(Value::MakeList(std::move(items)));
    }
    out = Value::MakeList(std::move(list));
    return true;
}

// The one element of a record's item.
const Value* Unwrap(const Value& item, Problem& p) {
    if (item.GetKind() != Value::kList) {
        WrongType(p, u"a one-element list", item);
        return nullptr;
    }
    if (item.GetList().size() != 1) {
        Malformed(p, u"expected a one-element list");
        return nullptr;
    }
    return &item.GetList().front();
}

bool RecordsFromValue(UCxTranscriptDataExchange& tdx, const Value& v, FBxObjectEditRecordList& out,
                      Problem& p) {
    if (v.GetKind() != Value::kList) return WrongType(p, u"a list of records", v);
    const std::vector<Value>& records = v.GetList();
    for (size_t r = 0; r < records.size(); ++r) {
        const UTxString16 where = u"record " + Index(r);
        const Value& rec = records[r];
        if (rec.GetKind() != Value::kList) {
            WrongType(p, u"a record", rec);
            return At(p, where);
        }
        const std::vector<Value>& items = rec.GetList();
        if (items.empty()) {
            Malformed(p, u"a record starts with its key");
            return At(p, where);
        }
        const Value* key = Unwrap(items[0], p);
        if (!key) return At(p, where + u": key");
        if (key->GetKind() != Value::kString) {
            WrongType(p, u"a string", *key);
            return At(p, where + u": key");
        }
        FBxObjectEditRecord read(key->GetText());
        for (size_t i = 1; i < items.size(); ++i) {
            const Value* item = Unwrap(items[i], p);
            if (!item) return At(p, where + u": value " + Index(i - 1));
            Value value = *item;
            if (!BindEditValue(tdx, value, p)) return At(p, where + u": value " + Index(i - 1));
            read.AddValue(std::move(value));
        }
        out.push_back(std::move(read));
    }
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

bool _TDX_FBxObjectEditRecordList(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                  FBxObjectEditRecordList& value, bool required) {
    if (tdx.HasFailed()) return false;
    Problem p;
    if (tdx.IsWriting()) {
        Value v;
        if (RecordsToValue(value, v, p)) return tdx.Put(key, v);
        tdx.Fail(FWxTranscriptMgr::MakeError(p.code, key, p.text));
        return false;
    }
    const Value* v = tdx.Find(key, required);
    if (!v) return false;
    FBxObjectEditRecordList read;
    if (!RecordsFromValue(tdx, *v, read, p)) {
        tdx.Fail(FWxTranscriptMgr::MakeError(p.code, key, p.text));
        return false;
    }
    value = std::move(read);
    return true;
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
