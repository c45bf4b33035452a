#pragma once
// A change request writes itself to its transcript line and reads itself back through the same
// list of _TDX_ calls, so that the two directions cannot drift apart:
//
//   void MyRequest::Exchange(UCxTranscriptDataExchange& tdx) {
//       _TDX_Int(tdx, u"count", m_count, true);
//       _TDX_Point3(tdx, u"origin", m_origin, false);
//   }
//
// Writing appends key=value to the line in call order. Reading takes the value under the key;
// an absent key fails when required and otherwise leaves the value as it was. The first error
// is kept in the result and every later call does nothing.
//
// Reading takes the line apart once, at the first read, into an index of its keys that every
// later read uses, including reads of the same line through the transcript manager. Reading
// never changes the line, and nothing else may while the exchange reads it.
//
// Reading refuses what means nothing on a drawing: a real that is not finite (nan, inf), and a
// point or vector with a coordinate beyond +-kUCxTranscriptMaxCoordinate (1e12). Writing keeps
// every value exactly.
//
// Each _TDX_ function returns true when it wrote the value or read it from the line, false when
// the key was absent or an error is held.
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

constexpr double kUCxTranscriptMaxCoordinate = 1e12;

class FBxObjectEditRecord;
class FWxSceneDoc;
class FWxTranscriptMgr;
class FWxTranscriptValue;
struct FWxTranscriptLine;
class WqGePoint3d;
class WqGeVector3d;
template <typename T> class WqArray;
using FBxObjectEditRecordList = std::vector<FBxObjectEditRecord>;

class UCxTranscriptDataExchange {
public:
    // `writing`: true writes the record into the line, false reads it from the line.
    UCxTranscriptDataExchange(UTxString16& line, UTxResult& result, FWxSceneDoc* doc, bool writing);
    UCxTranscriptDataExchange(const UCxTranscriptDataExchange&) = delete;
    UCxTranscriptDataExchange& operator=(const UCxTranscriptDataExchange&) = delete;
    ~UCxTranscriptDataExchange();

    FWxTranscriptMgr& GetTranscriptMgr() const { return m_mgr; }
    bool IsWriting() const { return m_writing; }
    bool IsReading() const { return !m_writing; }
    UTxString16& GetLine() const { return m_line; }
    UTxResult& GetResult() const { return m_result; }
    FWxSceneDoc* GetDocument() const { return m_doc; }
    bool HasFailed() const { return m_result.Failed(); }

    // The steps every _TDX_ function is made of, for exchanging kinds of one's own.
    // Appends key=value; false when an error is held or arises.
    bool Put(const char16_t* key, const FWxTranscriptValue& value);
    // The value under `key`; null when it is absent (an error when required), when the line is
    // malformed, or when an error is held.
    const FWxTranscriptValue* Find(const char16_t* key, bool required);
    // Keeps `error` unless an earlier one is held.
    void Fail(const UTxResult& error);

private:
    FWxTranscriptMgr& m_mgr;
    UTxString16& m_line;
    UTxResult& m_result;
    FWxSceneDoc* m_doc;
    bool m_writing;
    // The line taken apart, pinned in the manager while reading.
    std::shared_ptr<const FWxTranscriptLine> m_parsed;
    bool m_pinned = false;
};

bool _TDX_Bool(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value, bool required);
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, int32_t& value, bool required);
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, int16_t& value, bool required);
bool _TDX_Int(UCxTranscriptDataExchange& tdx, const char16_t* key, uint32_t& value, bool required);
// Integers in the line are accepted as reals.
bool _TDX_Double(UCxTranscriptDataExchange& tdx, const char16_t* key, double& value, bool required);
bool _TDX_Float(UCxTranscriptDataExchange& tdx, const char16_t* key, float& value, bool required);
bool _TDX_String(UCxTranscriptDataExchange& tdx, const char16_t* key, UTxString16& value,
                 bool required);
bool _TDX_Point3(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGePoint3d& value,
                 bool required);
bool _TDX_Vector3(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGeVector3d& value,
                  bool required);
bool _TDX_BoolVect(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<bool>& value,
                   bool required);
bool _TDX_IntVect(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<int32_t>& value,
                  bool required);
bool _TDX_Uint32Vect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<uint32_t>& value, bool required);
bool _TDX_StringVect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<UTxString16>& value, bool required);
bool _TDX_Point3Vect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     std::vector<WqGePoint3d>& value, bool required);
bool _TDX_Point3Array(UCxTranscriptDataExchange& tdx, const char16_t* key,
                      WqArray<WqGePoint3d>& value, bool required);
// Edit records under one key, each a list of one-element lists (a transcript list holds one
// kind): the record's key first, then its values in order. References are name keys or null.
//   edits=[[["StretchTable"],[1.5],[(0.0,1.0,0.0)]],[["Hide"],[[3,4]],[@"TstNode#7"]]]
bool _TDX_FBxObjectEditRecordList(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                  FBxObjectEditRecordList& value, bool required);
// A reference by the name key of its target; null is exchanged as null. Reading resolves the key
// in the exchange's document.
bool _TDX_RSeRef(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRefBase& value,
                 bool required);

namespace UCx {
// Fails the exchange: the object read under `key` is not of the class the reference takes.
void FailRefOfWrongClass(UCxTranscriptDataExchange& tdx, const char16_t* key,
                         const RSeRefBase& found);
} // namespace UCx

// A typed reference: reading fails when the named object is not a T.
template <class T>
bool _TDX_RSeRef(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& value,
                 bool required) {
    if (tdx.IsWriting()) return _TDX_RSeRef(tdx, key, static_cast<RSeRefBase&>(value), required);
    RSeRefBase read(value);
    if (!_TDX_RSeRef(tdx, key, read, required)) return false;
    RSeRef<T> typed(read);
    if (read.HasTarget() && !typed.HasTarget()) {
        UCx::FailRefOfWrongClass(tdx, key, read);
        return false;
    }
    value = std::move(typed);
    return true;
}
