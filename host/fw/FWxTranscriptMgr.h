#pragma once
// The transcript: one line per processed change request, so that a session can be replayed.
//
//   <request name> <key>=<value> <key>=<value> ...
//
// Values are typed literals that read back exactly as they were written:
//   integers   -12
//   reals      2.0  0.1  1e+300  -0.0  inf  -inf  nan  nan(0x7ff0000000000001)
//              (shortest form that reads back bit for bit, never mistaken for an integer)
//   booleans   true false
//   strings    "a \"b\" \\ \n"   escapes \" \\ \n \r \t \uXXXX (controls, unpaired surrogates)
//   points     (1.0,2.5,-3.0)    points and vectors alike
//   lists      [1,2,3]  ["a","b"]  [(0.0,0.0,0.0),(1.0,0.0,0.0)]  []   one type per list
//   references @"TstNode#12"  or  null   (name-key texts, see FBxObjectNameKey)
// Request names and keys are ASCII letters, digits and '_'. In memory a line is UTF-16; the
// file is UTF-8.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <map>
#include <vector>

#include "fw/FWxErrors.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;
struct CRuntimeClass;
class RSeRefBase;

// The framework's library. The detail of each names the key first: "<key>: <problem>".
constexpr UTxResultCode kFWxErrTranscriptMissing =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E00);
constexpr UTxResultCode kFWxErrTranscriptWrongType =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E01);
constexpr UTxResultCode kFWxErrTranscriptUnresolved =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E02);
constexpr UTxResultCode kFWxErrTranscriptMalformed =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E03);
constexpr UTxResultCode kFWxErrTranscriptOutOfRange =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E04);
constexpr UTxResultCode kFWxErrTranscriptFile =
    UTxResult::MakeCode(UTxSeverityError, kFWxLibrary, 0x0E05);

// One value of a transcript line.
class FWxTranscriptValue {
public:
    enum Kind : uint8_t { kNull, kInt, kReal, kBool, kString, kRef, kTriple, kList };

    FWxTranscriptValue() = default;
    static FWxTranscriptValue MakeInt(int64_t v);
    static FWxTranscriptValue MakeReal(double v);
    // Written in the shortest form that still reads back to the same float.
    static FWxTranscriptValue MakeFloat(float v);
    static FWxTranscriptValue MakeBool(bool v);
    static FWxTranscriptValue MakeString(UTxString16 v);
    // A reference by its name-key text.
    static FWxTranscriptValue MakeRef(UTxString16 keyText);
    static FWxTranscriptValue MakeTriple(double x, double y, double z);
    static FWxTranscriptValue MakeList(std::vector<FWxTranscriptValue> items);

    Kind GetKind() const { return m_kind; }
    bool IsNumber() const { return m_kind == kInt || m_kind == kReal; }
    int64_t GetInt() const { return m_int; }
    // Integers too.
    double GetReal() const { return m_kind == kInt ? double(m_int) : m_xyz[0]; }
    bool GetBool() const { return m_bool; }
    // The string, or the name-key text of a reference.
    const UTxString16& GetText() const { return m_text; }
    const double* GetTriple() const { return m_xyz; }
    const std::vector<FWxTranscriptValue>& GetList() const { return m_list; }

    void AppendLiteral(UTxString16& out) const;
    UTxString16 ToLiteral() const;
    // One literal making up all of `text`.
    static UTxResult Parse(std::u16string_view text, FWxTranscriptValue& out);
    // "an integer", "a string", ... for messages.
    static const char16_t* KindName(Kind kind);

private:
    Kind m_kind = kNull;
    bool m_bool = false;
    bool m_float = false;
    int64_t m_int = 0;
    double m_xyz[3] = {};
    UTxString16 m_text;
    std::vector<FWxTranscriptValue> m_list;
};

struct FWxTranscriptPair {
    UTxString16 key;
    FWxTranscriptValue value;
};

// A line taken apart: the request name (empty for a line of pairs only) and its pairs in order.
struct FWxTranscriptLine {
    UTxString16 name;
    std::vector<FWxTranscriptPair> pairs;

    const FWxTranscriptValue* Find(std::u16string_view key) const;
    UTxString16 ToText() const;
};

class FWxTranscriptMgr {
public:
    FWxTranscriptMgr() = default;
    FWxTranscriptMgr(const FWxTranscriptMgr&) = delete;
    FWxTranscriptMgr& operator=(const FWxTranscriptMgr&) = delete;
    ~FWxTranscriptMgr();

    // The process's transcript.
    static FWxTranscriptMgr& Get();

    // Writing a request: begin, name, the request's pairs, end, then WriteLine.
    // Request classes by their transcript names, registered when their library loads.
    bool RegisterRequest(CRuntimeClass* requestClass, const UTxString16& name);
    CRuntimeClass* FindRequestClass(const UTxString16& name) const;

    // Replay: a line makes its request by name, reads it back and has the document process it
    // like a new one; the lines "Undo" and "Redo" undo and redo. A file replays line by line
    // (blank lines and lines starting with '#' are skipped) and stops at the first line that
    // fails, naming it; the document keeps what the lines before it did.
    UTxResult ReplayLine(FWxSceneDoc* doc, const UTxString16& line);
    UTxResult ReplayFile(FWxSceneDoc* doc, const std::string& path, int32_t* linesDone = nullptr);
    // Journals a line that is only a name (the document's undo and redo).
    UTxResult WriteNameLine(FWxSceneDoc* doc, const UTxString16& name);

    UTxResult BeginDocRequest(UTxString16& line, FWxSceneDoc* doc);
    UTxResult PutDocRequestName(UTxString16& line, const UTxString16& name);
    // Checks that the line reads back: a request name and well-formed pairs.
    UTxResult EndDocRequest(UTxString16& line);

    // Appends to the lines kept in memory and, when a file is open, to the file (flushed, so that
    // the transcript survives a crash).
    UTxResult WriteLine(const UTxString16& line);
    const std::vector<UTxString16>& GetLines() const { return m_lines; }
    void ClearLines() { m_lines.clear(); }
    // Starts a new UTF-8 file (replacing any), or continues one.
    UTxResult OpenFile(const std::string& path, bool append = false);
    UTxResult CloseFile();
    bool IsFileOpen() const { return m_file != nullptr; }

    // Appends " key=value" (no space before the first item of an empty line).
    UTxResult PutValue(UTxString16& line, const UTxString16& key, const FWxTranscriptValue& value);
    // The value under `key`: an error naming the key when it is missing or the line malformed.
    UTxResult GetValue(const UTxString16& line, const UTxString16& key, FWxTranscriptValue& out);
    bool ArgumentExists(const UTxString16& line, const UTxString16& key);

    // A null reference is written as null; a reference to a deleted object is an error.
    UTxResult PutRSeRef(UTxString16& line, const UTxString16& key, const RSeRefBase& ref);
    UTxResult GetRSeRef(const UTxString16& line, const UTxString16& key, FWxSceneDoc* doc,
                        RSeRefBase& out);
    // Resolves a value already taken from a line (a reference or null) in `doc`.
    UTxResult ResolveRSeRef(const UTxString16& key, const FWxTranscriptValue& value,
                            FWxSceneDoc* doc, RSeRefBase& out);
    // The name-key text of the target; empty for a null reference or an object without one.
    UTxString16 StringFromRef(const RSeRefBase& ref);
    UTxResult RefFromString(FWxSceneDoc* doc, const UTxString16& text, RSeRefBase& out);

    static UTxResult ParseLine(const UTxString16& line, FWxTranscriptLine& out);
    // Reads only the name, so it works on any line that begins with one.
    static UTxResult GetRequestName(const UTxString16& line, UTxString16& name);
    static bool IsValidKey(std::u16string_view key);
    // An error of ours whose detail is "<key>: <problem>".
    static UTxResult MakeError(UTxResultCode code, std::u16string_view key,
                               std::u16string_view problem = {});
    // A line that does not parse, reported for the key being read from it.
    static UTxResult MakeLineError(std::u16string_view key, const UTxResult& parseError);

private:
    std::vector<UTxString16> m_lines;
    std::FILE* m_file = nullptr;
    std::map<UTxString16, CRuntimeClass*> m_requests;
};
