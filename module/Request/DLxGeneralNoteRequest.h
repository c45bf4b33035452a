#pragma once
// The general-note requests: create a note (DLxGeneralNoteRequest, "CreateGeneralNote"), give
// one a new text (DLxGeneralNoteTextEditRequest, "EditGeneralNote"), a new box
// (DLxGeneralNoteResizeRequest, "ResizeGeneralNote") or a quarter turn
// (DLxGeneralNoteRotateRequest, "RotateGeneralNote").
//
// A note travels in the transcript as its name key, taken before the request changes it, so
// that a replay finds it where the request found it. A replayed request whose key names no
// note (nothing there, or an object of another kind) is refused before it runs.
#include <cstdint>

#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxGeneralNote;
class DUxTextStyle;
class FBxLayerStyle;
class RDxString;

// Refusal of a create without a document, or where the document allows no requests.
constexpr UTxResultCode kDLxErrNoteNotAllowed = 0xE009033C;
// Refusal of a request without its text or its note.
constexpr UTxResultCode kDLxErrNoteInput = 0x200B0323;

// Computes a note at once, as a request leaves it, until its box settles.
UTxResult DLxRecomputeGeneralNote(DLxGeneralNote* note);

class DLxGeneralNoteRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxGeneralNoteRequest)
public:
    // For replay.
    DLxGeneralNoteRequest();
    // A note of `text` whose box has its upper-left corner at `upperLeft`; with a fixed width
    // above 0 the box runs to `lowerRight` and the text wraps in it, else it fits the text.
    DLxGeneralNoteRequest(const RSeRef<RDxString>& text, const WqGePoint3d& upperLeft,
                          const RSeRef<DUxTextStyle>& textStyle,
                          const RSeRef<FBxLayerStyle>& layerStyle, double fixedWidth,
                          const WqGePoint3d& lowerRight);
    ~DLxGeneralNoteRequest() override;

    const RSeRef<DLxGeneralNote>& GetGeneralNote() const { return m_note; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    void TakeFromText();

    RSeRef<RDxString> m_text;
    bool m_ownsText = false; // a text read from the transcript is the request's
    UTxString16 m_source;
    WqGePoint3d m_upperLeft;
    WqGePoint3d m_lowerRight;
    double m_fixedWidth = 0.0;
    int32_t m_hJust = 0;
    int32_t m_vJust = 0;
    int32_t m_fontId = 0;
    RSeRef<DUxTextStyle> m_textStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    RSeRef<DLxGeneralNote> m_note;
};

class DLxGeneralNoteTextEditRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxGeneralNoteTextEditRequest)
public:
    DLxGeneralNoteTextEditRequest();
    DLxGeneralNoteTextEditRequest(const RSeRef<DLxGeneralNote>& note,
                                  const RSeRef<RDxString>& text);
    ~DLxGeneralNoteTextEditRequest() override;

    const RSeRef<DLxGeneralNote>& GetGeneralNote() const { return m_note; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    void TakeFromText();

    RSeRef<DLxGeneralNote> m_note;
    RSeRef<RDxString> m_text;
    bool m_ownsText = false;
    UTxString16 m_source;
    int32_t m_hJust = 0;
    int32_t m_vJust = 0;
    int32_t m_fontId = 0;
    UTxString16 m_noteText;
};

class DLxGeneralNoteResizeRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxGeneralNoteResizeRequest)
public:
    DLxGeneralNoteResizeRequest();
    // The box with its upper-left corner at `upperLeft`, `width` wide and `height` high.
    DLxGeneralNoteResizeRequest(const RSeRef<DLxGeneralNote>& note, const WqGePoint3d& upperLeft,
                                double width, double height);

    const RSeRef<DLxGeneralNote>& GetGeneralNote() const { return m_note; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxGeneralNote> m_note;
    WqGePoint3d m_upperLeft;
    double m_width = 0.0;
    double m_height = 0.0;
    UTxString16 m_noteText;
};

class DLxGeneralNoteRotateRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxGeneralNoteRotateRequest)
public:
    DLxGeneralNoteRotateRequest();
    // `clockwise` true turns a quarter clockwise, false counter-clockwise.
    DLxGeneralNoteRotateRequest(const RSeRef<DLxGeneralNote>& note, bool clockwise);

    const RSeRef<DLxGeneralNote>& GetGeneralNote() const { return m_note; }
    // The turn after `angle` (radians), snapped to 0 near a whole turn.
    static double NextAngle(double angle, bool clockwise);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxGeneralNote> m_note;
    int32_t m_clockwise = 0; // stored as 32 bits, exchanged as a truth value
    UTxString16 m_noteText;
};
