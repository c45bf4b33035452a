#pragma once
// Pastes copied general notes onto a sheet ("PasteGeneralNote"): each note is made anew on the
// destination sheet with the source note's text, box and overrides, all moved together so that
// the first note's smallest corner (of its box as shown, turned) lies on the anchor point. A
// note pasted into another drawing takes that drawing's styles of the same names; a style the
// drawing lacks leaves the note on the drawing's own text style.
//
// Transcript keys: "SrcSheet", "DestSheet" (sheets by name), "AcrossDoc", "WithinDoc",
// "LocationSpecified", "AnchorPt", then the notes as "SrcNotes_Count" and "SrcNotes_<i in hex>".
// A replay finds the source notes in the drawing it runs in: a paste from another drawing
// cannot be replayed there and is refused.
#include <vector>

#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxGeneralNote;
class DLxSheet;

// Refusal of a paste whose sheets or notes are missing or inconsistent.
constexpr UTxResultCode kDLxErrPasteInput = 0x200B0324;

class DLxPasteGeneralNoteRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPasteGeneralNoteRequest)
public:
    DLxPasteGeneralNoteRequest();
    ~DLxPasteGeneralNoteRequest() override;

    void SetSourceSheet(const RSeRef<DLxSheet>& sheet) { m_srcSheet = sheet; }
    void SetDestinationSheet(const RSeRef<DLxSheet>& sheet) { m_destSheet = sheet; }
    void SetSourceNotes(const std::vector<RSeRef<DLxGeneralNote>>& notes) { m_notes = notes; }
    void SetAcrossDocuments(bool across) {
        m_acrossDoc = across;
        m_withinDoc = !across;
    }
    void SetAnchorPoint(const WqGePoint3d& point) {
        m_anchor = point;
        m_locationSpecified = true;
    }

    const RSeRef<DLxSheet>& GetSourceSheet() const { return m_srcSheet; }
    const RSeRef<DLxSheet>& GetDestinationSheet() const { return m_destSheet; }
    const std::vector<RSeRef<DLxGeneralNote>>& GetSourceNotes() const { return m_notes; }
    bool IsAcrossDocuments() const { return m_acrossDoc; }
    bool IsWithinDocument() const { return m_withinDoc; }
    bool IsLocationSpecified() const { return m_locationSpecified; }
    const WqGePoint3d& GetAnchorPoint() const { return m_anchor; }
    // The notes the last execution made, in the order of the source notes.
    const std::vector<RSeRef<DLxGeneralNote>>& GetPastedNotes() const { return m_pasted; }

    // The corner of a note's box as shown (turned by its text) with the smallest coordinates.
    static WqGePoint3d ShownMinCorner(const DLxGeneralNote& note);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxSheet> m_srcSheet;
    RSeRef<DLxSheet> m_destSheet;
    std::vector<RSeRef<DLxGeneralNote>> m_notes;
    bool m_acrossDoc = false;
    bool m_withinDoc = false;
    bool m_locationSpecified = false;
    WqGePoint3d m_anchor;
    std::vector<RSeRef<DLxGeneralNote>> m_pasted;
};
