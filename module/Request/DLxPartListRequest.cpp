#include "Request/DLxPartListRequest.h"

#include <string_view>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListTable.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxRequestUtil.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"

IMPLEMENT_DYNCREATE(DLxPartListRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;

// Where the pairs of a key ("Key=") start in a line, quoted texts skipped.
std::vector<size_t> PairStarts(const UTxString16& line, std::u16string_view key) {
    std::vector<size_t> starts;
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (quoted) {
            if (c == u'\\') ++i;
            else if (c == u'"') quoted = false;
            continue;
        }
        if (c == u'"') {
            quoted = true;
            continue;
        }
        if (i > 0 && (line[i - 1] == u' ' || line[i - 1] == u'\t') &&
            std::u16string_view(line).substr(i, key.size()) == key)
            starts.push_back(i);
    }
    return starts;
}
} // namespace

// Lines of an older layout carry the mode as a second "HorizDir" pair. It becomes the
// "PartListMode" pair, or goes when the line has one of its own.
UTxResult DLxPartListRequest::UpgradeOlderLine(UTxString16& line) {
    static const std::u16string_view key = u"HorizDir=";
    const std::vector<size_t> starts = PairStarts(line, key);
    if (starts.size() < 2) return {};
    const size_t valueStart = starts[1] + key.size();
    size_t end = valueStart;
    while (end < line.size() && line[end] != u' ' && line[end] != u'\t') ++end;
    const std::u16string_view text = std::u16string_view(line).substr(valueStart, end - valueStart);
    const UTxResult bad(kFWxErrTranscriptMalformed, u"HorizDir: the second value is no integer");
    size_t i = (!text.empty() && text[0] == u'-') ? 1 : 0;
    if (i == text.size() || text.size() > 11) return bad;
    for (; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9') return bad;
    if (!PairStarts(line, u"PartListMode=").empty()) line.erase(starts[1] - 1, end - (starts[1] - 1));
    else line.replace(starts[1], key.size(), u"PartListMode=");
    return {};
}

DLxPartListRequest::DLxPartListRequest() = default;
DLxPartListRequest::~DLxPartListRequest() = default;

UTxStringResource DLxPartListRequest::GetRequestIdentity() const {
    return {0x600B0199, 11, 0};
}

UTxResult DLxPartListRequest::Script(FWxSceneDoc* doc) {
    // Written as the creation that ran, so that the journal replays with today's request.
    return m_created ? m_created->Script(doc) : UTxResult();
}

UTxResult DLxPartListRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxPartListRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    const bool reading = tdx.IsReading();
    _TDX_Point3(tdx, u"Origin", m_origin, true);
    TranscriptRSeRefArgument(tdx, u"View", m_view, true);
    _TDX_String(tdx, u"itemIds", m_itemIds, true);
    _TDX_Bool(tdx, u"IsComponent", m_isComponent, true);
    _TDX_Int(tdx, u"formatColumns", m_formatColumns, true);
    _TDX_Int(tdx, u"HorizDir", m_horizDir, true);
    _TDX_Int(tdx, u"PartListMode", m_partListMode, !reading);
    TranscriptRSeRefArgument(tdx, u"PartListStyle", m_partListStyle, !reading);
    TranscriptRSeRefArgument(tdx, u"LayerStyle", m_layerStyle, !reading);
    return tdx.GetResult();
}

UTxResult DLxPartListRequest::_Execute(FWxSceneDoc* doc) {
    m_partList = RSeRef<DLxPartListTable>();
    if (m_partListMode == 0) m_partListMode = m_isComponent ? 1 : 2;
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(doc);
    if (!drawingDoc || !m_view.HasTarget())
        return UTxResult(kRefused, u"View: no drawing view to take the model from");
    DLxPartListData data(drawingDoc);
    data.SetSchemeID(m_partListMode);
    // The view shows the drawing's own model.
    data.SetSourceFromDrawing(true);
    data.SetOrigin(m_origin);
    data.SetIsWrapEnabled(m_formatColumns > 1);
    data.SetWrapMode(1);
    data.SetWrapDirection(m_horizDir != 0 ? 1 : 0);
    data.SetWrapSectionCount(m_formatColumns);
    data.SetLayerStyle(m_layerStyle);
    data.SetSymbolStyle(m_partListStyle);
    m_created = new DLxCreatePartListLocalBOMRequest(data);
    // Inside this request's transaction: what the creation makes is undone with it.
    if (UTxResult r = m_created->ValidateInputs(doc); r.Failed()) return r;
    if (UTxResult r = m_created->Execute(doc); r.Failed()) return r;
    m_partList = m_created->GetPartList();
    return {};
}
