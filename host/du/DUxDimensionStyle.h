#pragma once
// A named dimension style of the document, as leader texts read it: the text style of the text,
// whether the leader ends in a landing, the gap between landing and text, how the text is
// underlined and whether a text of several lines is justified towards its leader. A drawing has
// one per standard (named after it) once a leader text needs it; DUxDimensionStyleWrapper is
// what drawing code reads, the style itself or the defaults when there is none.
#include <cstdint>

#include "fw/FWxStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxLeaderStyleWrapper;
class DUxSymState;
class DUxTextStyle;
class FWxSceneDoc;
class RDxObject;

class DUxDimensionStyle : public FWxStyle {
public:
    // How the text is underlined: not at all; its first line (the leader comes from above);
    // every line; its last line (the leader comes from below); its first line with a vertical
    // extension down to the leader's root.
    enum EUnderlining : int32_t {
        kNoUnderline = 0,
        kUnderlineFirst = 1,
        kUnderlineAll = 2,
        kUnderlineLast = 4,
        kUnderlineExtended = 5,
    };

    DUxDimensionStyle() = default;
    explicit DUxDimensionStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxDimensionStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);
    // The name of the documents' collection of dimension styles: "DimensionStyles".
    static const UTxString16& GetInternalStylesCollectionNameStatic();

    // Setters change nothing and record nothing when the value is the same. The underlining
    // type takes 0 to 5; other values read as no underline.
    DUxTextStyle* GetTextStyle() const;
    void SetTextStyle(const DUxTextStyle* style);
    bool GetHasLeaderLanding() const { return m_hasLanding; }
    void SetHasLeaderLanding(bool on);
    double GetTextGap() const { return m_textGap; }
    void SetTextGap(double gap);
    int32_t GetLeaderUnderliningType() const { return m_underlining; }
    void SetLeaderUnderliningType(int32_t type);
    bool GetJustifyToLeader() const { return m_justifyToLeader; }
    void SetJustifyToLeader(bool on);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxDimensionStyle* target, RSeCloneCommander* cc) const;

private:
    RSeRef<DUxTextStyle> m_textStyle;
    bool m_hasLanding = true;
    double m_textGap = 0.0;
    int32_t m_underlining = kNoUnderline;
    bool m_justifyToLeader = false;
};

// The dimension style an annotation reads: the one given, else its state's own when that is a
// dimension style, else the document's for its standard. Without any, the defaults of a new
// style (a landing, no gap, no underline) and the drawing's text style for the standard.
class DUxDimensionStyleWrapper {
public:
    DUxDimensionStyleWrapper(const DUxSymState* state, const DUxDimensionStyle* style);

    DUxDimensionStyle* Style() const { return m_style; }
    bool GetHasLeaderLanding() const;
    double GetTextGap() const;
    int32_t GetLeaderUnderliningType() const;
    bool GetJustifyToLeader() const;
    // The style's text style, else the document's for its standard; null without either.
    DUxTextStyle* GetTextStyle() const;
    // The leader look of the state's symbol, over the state; null without a state.
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const;

    // The document's dimension style for its standard (ISO when it names none); null when it
    // has none yet.
    static DUxDimensionStyle* GetDocumentStyle(FWxSceneDoc* doc);

private:
    const DUxSymState* m_state = nullptr;
    DUxDimensionStyle* m_style = nullptr;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxDimensionStyle*);
RSeMetaType* _GetMeta(const DUxDimensionStyle*);
} // namespace RSe
