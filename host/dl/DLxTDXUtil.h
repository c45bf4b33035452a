#pragma once
// The drawing library's transcript exchanges: one overloaded name for every kind a request
// exchanges, over the _TDX_ functions and with their conventions (writing appends key=value;
// reading an absent optional key keeps the value; the first error is kept and every later call
// does nothing). A namespace, so that other libraries add overloads for their own kinds.
#include <cstdint>
#include <string>
#include <vector>

#include "uc/UCxTranscriptDataExchange.h"

class DLxLocalBOMCookie;
class RDxString;
class FWxSceneDoc;
class FWxSelectionFilter;
class FWxSelectionSet;
class WqGePoint3d;
class WqGeVector3d;

namespace DLxTDXUtil {

// A pick at a sheet point, as a replay makes it: every emblem of the document's sheets (in their
// order) that the point hits, and that an item of the filter admits, adds the selection that
// item makes (the first admitting item's) to the set. A point within `tol` of an emblem hits it.
void GetSelection(FWxSceneDoc* doc, const WqGePoint3d& point, FWxSelectionSet& set,
                  const FWxSelectionFilter& filter, double tol = 1e-9);

// How a request's arrowhead is exchanged: version 0 is the older form, kept for replaying old
// transcripts.
enum eTranscriptRequestVersion : int32_t {
    eTranscriptRequestVersion0 = 0,
    eTranscriptRequestVersion1 = 1,
};

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value, bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, int32_t& value, bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, int16_t& value, bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, uint32_t& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, double& value, bool required);
// A string literal of the UTF-8 text.
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::string& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, UTxString16& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGePoint3d& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGeVector3d& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<bool>& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<int32_t>& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<uint32_t>& value,
                bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                std::vector<UTxString16>& value, bool required);
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                std::vector<WqGePoint3d>& value, bool required);
// A row of a local bill of materials as a string: the keys of its single items
// (DLxLocalBOMCookie::Key) joined by '+', "" for an empty cookie. Reading fails, keeping the
// value, for a text that names no row or items on different paths.
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, DLxLocalBOMCookie& value,
                bool required);

// A text state by its content: its formatted value under `key`, then the rest under
// "<key>_<field>" (Font, Height, HJust, VJust, Rotation, SpacingType, Spacing, Red, Green,
// Blue, Alpha, NoColor). Reading into a null reference first makes a new state in the
// transient segment, which the caller then owns; reading fails without a text under `key`.
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<RDxString>& value,
                bool required);
// An object by its name key; reading fails, keeping the value, when the object is not a T.
template <class T>
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<T>& value,
                bool required) {
    return _TDX_RSeRef(tdx, key, value, required);
}

// An enumeration as its integer.
template <class E>
bool TranscriptAsInt(UCxTranscriptDataExchange& tdx, const char16_t* key, E& value, bool required) {
    int32_t i = int32_t(value);
    if (!_TDX_Int(tdx, key, i, required)) return false;
    if (tdx.IsReading()) value = E(i);
    return true;
}

} // namespace DLxTDXUtil
