#pragma once
// The value node of a datum or feature identifier: the identifier's text (a string state the
// identifier owns) and whether it names a feature rather than a datum. It draws the text framed
// by the identifier style: a square frame, widened for a longer text, around the text's middle.
#include <cstdint>

#include "du/DUxSymState.h"
#include "rse/RSeRef.h"

class RDxString;

class DUxDatumIdState : public DUxSymState {
public:
    DUxDatumIdState() = default;
    explicit DUxDatumIdState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to it, over `text` (which it then owns).
    static DUxDatumIdState* Create(RDxFragment* fragment, RDxString* text);

    RDxString* GetDatumIdString() const;
    // Copies the text of `text` into the state's own string (a new one when it has none).
    void SetDatumIdText(const RDxString* text);
    bool IsFeatureIdentifier() const { return m_feature; }
    void SetFeatureIdentifier(bool on);

    // Frame and text around the origin; nothing without a text.
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    // The frame of a text of `chars` characters at height `height`: twice the height high, as
    // wide or wider.
    static double FrameWidth(int32_t chars, double height);
    static double FrameHeight(double height) { return 2.0 * height; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxDatumIdState* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RDxString> m_text;
    bool m_feature = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxDatumIdState*);
RSeMetaType* _GetMeta(const DUxDatumIdState*);
} // namespace RSe
