#include "dl/DLxTDXUtil.h"

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxLocalBOMCookie.h"
#include "dl/DLxSheet.h"
#include "fw/FWxSelection.h"
#include "fw/FWxTranscriptMgr.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeRef.h"
#include "sm/SMxTypeFilterItem.h"

namespace DLxTDXUtil {

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, bool& value, bool required) {
    return _TDX_Bool(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, int32_t& value,
                bool required) {
    return _TDX_Int(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, int16_t& value,
                bool required) {
    return _TDX_Int(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, uint32_t& value,
                bool required) {
    return _TDX_Int(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, double& value, bool required) {
    return _TDX_Double(tdx, key, value, required);
}

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::string& value,
                bool required) {
    UTxString16 wide = tdx.IsWriting() ? UTx::MakeWideString(value) : UTxString16();
    if (!_TDX_String(tdx, key, wide, required)) return false;
    if (tdx.IsReading()) value = UTx::ToUtf8(wide);
    return true;
}

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, UTxString16& value,
                bool required) {
    return _TDX_String(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGePoint3d& value,
                bool required) {
    return _TDX_Point3(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, RSeRef<RDxString>& value,
                bool required) {
    if (tdx.HasFailed()) return true;
    const UTxString16 base(key);
    auto sub = [&](const char16_t* field) { return base + u"_" + field; };
    if (tdx.IsWriting()) {
        const RDxString* s = value.Read();
        if (!s) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptMissing, base, u"no text"));
            return true;
        }
        UTxString16 text = s->GetFormattedValue();
        int32_t font = s->GetFontId(), h = s->GetHorizontalJustification(),
                v = s->GetVerticalJustification(), spacingType = s->GetLineSpacingType();
        double height = s->GetTextHeight(), rotation = s->GetRotation();
        float spacing = s->GetLineSpacing();
        float rgba[4] = {s->GetColor()[0], s->GetColor()[1], s->GetColor()[2], s->GetColor()[3]};
        bool noColor = s->GetNoColor();
        _TDX_String(tdx, key, text, true);
        _TDX_Int(tdx, sub(u"Font").c_str(), font, true);
        _TDX_Double(tdx, sub(u"Height").c_str(), height, true);
        _TDX_Int(tdx, sub(u"HJust").c_str(), h, true);
        _TDX_Int(tdx, sub(u"VJust").c_str(), v, true);
        _TDX_Double(tdx, sub(u"Rotation").c_str(), rotation, true);
        _TDX_Int(tdx, sub(u"SpacingType").c_str(), spacingType, true);
        _TDX_Float(tdx, sub(u"Spacing").c_str(), spacing, true);
        const char16_t* channels[4] = {u"Red", u"Green", u"Blue", u"Alpha"};
        for (int i = 0; i < 4; ++i)
            _TDX_Float(tdx, sub(channels[i]).c_str(), rgba[i], true);
        _TDX_Bool(tdx, sub(u"NoColor").c_str(), noColor, true);
        return true;
    }
    UTxString16 text;
    if (!_TDX_String(tdx, key, text, required) || tdx.HasFailed()) return false;
    int32_t font = 0, h = 0, v = 0, spacingType = 0;
    double height = 0.0, rotation = 0.0;
    float spacing = 1.0f;
    float rgba[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    bool noColor = true;
    _TDX_Int(tdx, sub(u"Font").c_str(), font, false);
    _TDX_Double(tdx, sub(u"Height").c_str(), height, false);
    _TDX_Int(tdx, sub(u"HJust").c_str(), h, false);
    _TDX_Int(tdx, sub(u"VJust").c_str(), v, false);
    _TDX_Double(tdx, sub(u"Rotation").c_str(), rotation, false);
    _TDX_Int(tdx, sub(u"SpacingType").c_str(), spacingType, false);
    _TDX_Float(tdx, sub(u"Spacing").c_str(), spacing, false);
    const char16_t* channels[4] = {u"Red", u"Green", u"Blue", u"Alpha"};
    for (int i = 0; i < 4; ++i)
        _TDX_Float(tdx, sub(channels[i]).c_str(), rgba[i], false);
    _TDX_Bool(tdx, sub(u"NoColor").c_str(), noColor, false);
    if (tdx.HasFailed()) return true;
    RDxString* s = value.get();
    if (!s) {
        s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
            RDxString();
        value = RSeRef<RDxString>(s);
    }
    s->SetFormattedValue(text, 0x131);
    s->SetFontId(font);
    s->SetTextHeight(height);
    s->SetHorizontalJustification(h);
    s->SetVerticalJustification(v);
    s->SetRotation(rotation);
    s->SetLineSpacing(spacingType, spacing);
    s->SetColor(rgba);
    s->SetNoColor(noColor);
    return true;
}

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, WqGeVector3d& value,
                bool required) {
    return _TDX_Vector3(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<bool>& value,
                bool required) {
    return _TDX_BoolVect(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<int32_t>& value,
                bool required) {
    return _TDX_IntVect(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, std::vector<uint32_t>& value,
                bool required) {
    return _TDX_Uint32Vect(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                std::vector<UTxString16>& value, bool required) {
    return _TDX_StringVect(tdx, key, value, required);
}
bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                std::vector<WqGePoint3d>& value, bool required) {
    return _TDX_Point3Vect(tdx, key, value, required);
}

bool Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key, DLxLocalBOMCookie& value,
                bool required) {
    UTxString16 text;
    if (tdx.IsWriting()) {
        for (const DLxLocalBOMCookie& single : value.singleItems()) {
            if (!text.empty()) text += u'+';
            text += single.Key();
        }
        return _TDX_String(tdx, key, text, required);
    }
    if (!_TDX_String(tdx, key, text, required) || tdx.HasFailed()) return false;
    DLxLocalBOMCookie read;
    size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        size_t end = text.find(u'+', start);
        if (end == UTxString16::npos) end = text.size();
        DLxLocalBOMCookie single;
        if (!DLxLocalBOMCookie::FromKey(text.substr(start, end - start), single) ||
            (read.IsValid() && single.path() != read.path())) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptWrongType, key,
                                                 u"not a row of a bill of materials"));
            return false;
        }
        if (read.IsValid())
            read.Add(single.item());
        else
            read = single;
        start = end + 1;
    }
    value = read;
    return true;
}

} // namespace DLxTDXUtil

void DLxTDXUtil::GetSelection(FWxSceneDoc* doc, const WqGePoint3d& point, FWxSelectionSet& set,
                              const FWxSelectionFilter& filter, double tol) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawing) return;
    for (DLxSheet* sheet : drawing->GetSheets())
        for (const RSeRef<RDxNode>& node : sheet->GetNodes()) {
            auto* emblem = dynamic_cast<DLxEmblem*>(node.GetTarget());
            if (!emblem || !emblem->HitTest(point, tol)) continue;
            for (const SmartPtr<SMxTypeFilterItem>& item : filter.GetItems())
                if (SmartPtr<FWxSelection> sel = item->Select(*emblem, point)) {
                    set.Add(sel);
                    break;
                }
        }
}
