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
//
// Limits, so that a damaged or hostile file is refused with a message instead of exhausting
// memory or the stack: a line holds at most 16 MiB of UTF-8 (kFWxTranscriptMaxLine, its line
// break not counted; in memory, no more UTF-16 units than that), and lists nest at most 16 deep
// (kFWxTranscriptMaxDepth; a point's coordinates are plain numbers). A longer line or a deeper
// list is malformed: it is neither written nor read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/FWxErrors.h"
#include "fw/FWxTranscriptValue.h"
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

constexpr size_t kFWxTranscriptMaxLine = size_t(16) << 20;
// What a line past that limit is told, written or read.
constexpr char16_t kFWxTranscriptTooLong[] = u"the line is longer than the limit of 16 MiB";
constexpr int kFWxTranscriptMaxDepth = 16;

struct FWxTranscriptPair {
    // Into the text of the line the pair was taken from (FWxTranscriptLine keeps it).
    std::u16string_view key;
    FWxTranscriptValue value;
};

// A line taken apart: the request name (empty for a line of pairs only) and its pairs in order.
// It keeps its own copy of the text, which its keys point into, so it is neither copied nor
// moved.
struct FWxTranscriptLine {
    FWxTranscriptLine() = default;
    FWxTranscriptLine(const FWxTranscriptLine&) = delete;
    FWxTranscriptLine& operator=(const FWxTranscriptLine&) = delete;

    UTxString16 name;
    std::vector<FWxTranscriptPair> pairs;

    // Through the index of keys that ParseLine builds, so that a request reading every key of a
    // long line costs what the line is long.
    // Marks the pair as read.
    const FWxTranscriptValue* Find(std::u16string_view key) const;
    // Without marking it.
    bool Has(std::u16string_view key) const;
    // The first pair that no Find asked for since the line was taken apart or ForgetReads.
    const FWxTranscriptPair* FirstUnread() const;
    void ForgetReads() const { m_read.assign(pairs.size(), false); }
    UTxString16 ToText() const;

private:
    friend class FWxTranscriptMgr;
    // Empty again, keeping the room of a line of ordinary length for the next one.
    void Clear();
    // Room for `count` pairs and their index, so that taking a line apart allocates once.
    void Reserve(size_t count);
    // Indexes pairs.back(); false, leaving it out of the index, when its key is there already.
    bool IndexLastPair();
    // The pair's position, or pairs.size().
    size_t Locate(std::u16string_view key) const;

    // The text taken apart: most keys are too long to be kept inside a string of their own,
    // and a line has dozens.
    UTxString16 m_text;
    // Open addressing: each slot holds a position in `pairs` plus one, or 0 when free.
    std::vector<uint32_t> m_slots;
    size_t m_indexed = 0;
    // Where the next read most likely is.
    mutable size_t m_next = 0;
    // Which pairs a reader asked for, so that a key nobody reads (a misspelt one) is reported.
    mutable std::vector<bool> m_read;
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
    // A request whose older lines do not read as lines today (a key given twice, say) names
    // how to bring such a line to today's form; replay applies it before reading the line.
    using LineUpgrade = UTxResult (*)(UTxString16& line);
    void SetLineUpgrade(const UTxString16& name, LineUpgrade upgrade);

    // Replay: a line makes its request by name, reads it back and has the document process it
    // like a new one; a key that the request did not read (for the record version the line
    // holds) fails the line, naming the key. The lines "Undo" and "Redo", which take no keys,
    // undo and redo. A file replays line by line
    // (blank lines and lines starting with '#' are skipped) and stops at the first line that
    // fails, naming it; the document keeps what the lines before it did.
    UTxResult ReplayLine(FWxSceneDoc* doc, const UTxString16& line);
    UTxResult ReplayFile(FWxSceneDoc* doc, const std::string& path, int32_t* linesDone = nullptr);
    // Journals a line that is only a name (the document's undo and redo).
    UTxResult WriteNameLine(FWxSceneDoc* doc, const UTxString16& name);

    UTxResult BeginDocRequest(UTxString16& line, FWxSceneDoc* doc);
    UTxResult PutDocRequestName(UTxString16& line, const UTxString16& name);
    // Checks that the line reads back: a request name and well-formed pairs. A line that
    // BeginDocRequest (or emptiness), PutDocRequestName and PutValue alone made, with no key
    // twice and lists of one kind, reads back by construction and is not taken apart again;
    // anything else done to it sends it through the reader.
    UTxResult EndDocRequest(UTxString16& line);

    // Appends to the lines kept in memory (unless turned off) and, when a file is open, to the file (flushed, so that
    // the transcript survives a crash).
    UTxResult WriteLine(const UTxString16& line);
    const std::vector<UTxString16>& GetLines() const { return m_lines; }
    void ClearLines() { m_lines.clear(); }
    // Whether written lines are kept in memory (they are by default). A program that journals
    // to a file, or not at all, turns it off: a long session would otherwise hold every line.
    void SetKeepLines(bool keep) { m_keepLines = keep; }
    // Starts a new UTF-8 file (replacing any), or continues one.
    UTxResult OpenFile(const std::string& path, bool append = false);
    UTxResult CloseFile();
    bool IsFileOpen() const { return m_file != nullptr; }

    // Appends " key=value" (no space before the first item of an empty line); a value nested
    // deeper than a line may be is refused.
    UTxResult PutValue(UTxString16& line, std::u16string_view key, const FWxTranscriptValue& value);
    // The value under `key`: an error naming the key when it is missing; for a malformed line,
    // the line's error, which names the faulty key.
    UTxResult GetValue(const UTxString16& line, std::u16string_view key, FWxTranscriptValue& out);
    bool ArgumentExists(const UTxString16& line, std::u16string_view key);

    // The line taken apart, with its keys indexed. The last line taken apart is kept, so that
    // the reads of one request and the check of the line it writes back take its text apart
    // once; a line that a reading exchange pins is found by identity, without comparing text.
    UTxResult IndexLine(const UTxString16& line, std::shared_ptr<const FWxTranscriptLine>& out);
    // While a reading exchange reads `line` it does not change: reads through the manager of
    // that very string use `index`. Unpinned when the exchange ends.
    void PinLine(const UTxString16* line, std::shared_ptr<const FWxTranscriptLine> index);
    void UnpinLine(const UTxString16* line);

    // The name-key text of a live reference (empty for a null one); an error, whose detail says
    // why, for a reference to a deleted object or to one without a name key.
    static UTxResult NameRef(const RSeRefBase& ref, UTxString16& keyText);
    // A null reference is written as null; a reference to a deleted object is an error.
    UTxResult PutRSeRef(UTxString16& line, std::u16string_view key, const RSeRefBase& ref);
    UTxResult GetRSeRef(const UTxString16& line, std::u16string_view key, FWxSceneDoc* doc,
                        RSeRefBase& out);
    // Resolves a value already taken from a line (a reference or null) in `doc`.
    UTxResult ResolveRSeRef(std::u16string_view key, const FWxTranscriptValue& value,
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

private:
    struct Pin {
        const UTxString16* line;
        std::shared_ptr<const FWxTranscriptLine> index;
    };

    // The line being written, as far as our own Puts made it.
    struct Written {
        const UTxString16* line = nullptr;
        size_t size = 0;   // after our last change to it
        uint64_t hash = 0; // of its text then, so that a change made around us shows
        bool named = false;
        // No key seen twice (by hash: a collision only costs a parse), every list of one kind.
        bool clean = false;
        std::vector<uint64_t> keys; // key hashes, open addressing, 0 for a free slot
        size_t keyCount = 0;
    };
    // Starts following `line`, which holds what `hash` says and no key.
    void StartWritten(const UTxString16& line, bool named);
    // Whether `line` is the followed line as we left it.
    bool IsWritten(const UTxString16& line) const;
    void NoteWrittenKey(std::u16string_view key);

    std::vector<UTxString16> m_lines;
    bool m_keepLines = true;
    std::FILE* m_file = nullptr;
    std::map<UTxString16, CRuntimeClass*> m_requests;
    std::map<UTxString16, LineUpgrade> m_lineUpgrades;
    // The last line taken apart: its text, and its index or why it does not parse.
    UTxString16 m_indexedText;
    std::shared_ptr<FWxTranscriptLine> m_indexed;
    UTxResult m_indexedError;
    std::vector<Pin> m_pins;
    Written m_written;
};
