#pragma once
// The state of a leader text: its formatted text (an RDxString the state owns), the record of
// which text properties the user changed, and whether its layout is fixed. Its look comes from
// a dimension style (DUxDimensionStyleWrapper): the state's own, else the document's. It draws
// the text, and the underlines the style asks for, around its origin; the placed annotation
// puts them against its leader.
#include <cstdint>

#include "du/DUxSymState.h"
#include "rse/RSeRef.h"

class DUxDimensionStyle;
class DUxTextStyle;
class RDxString;

class DUxLeaderTextState : public DUxSymState {
public:
    // Modification flags: which text properties the user changed.
    static constexpr uint32_t kAspectRatioModified = 0x01;
    static constexpr uint32_t kLineSpacingModified = 0x02;
    static constexpr uint32_t kColorModified = 0x04;
    static constexpr uint32_t kVJustModified = 0x08;
    static constexpr uint32_t kHJustModified = 0x10;
    static constexpr uint32_t kKeptOnRestyle = 0x20;
    static constexpr uint32_t kColorByLayerModified = 0x40;
    // Item ids of the drawing: text items, and underline lines from kUnderlineItemId up (one
    // a line of text, top line first). Underline ids stay below those a leader gives its items
    // (DUxLeaderNodeTree::SynthesizeItemID of any kind), so that they stay told apart once
    // they join the leader's list.
    static constexpr int32_t kTextItemId = 1;
    // Under a style that justifies the text to its leader the text is drawn three times, its
    // lines to the left, centred and to the right; the annotation keeps the one its leader
    // wants.
    static constexpr int32_t kLeftTextItemId = 1;
    static constexpr int32_t kCentredTextItemId = 2;
    static constexpr int32_t kRightTextItemId = 3;
    static constexpr int32_t kUnderlineItemId = 0x1000;
    static constexpr int32_t kUnderlineItemEnd = 0x2000;
    static bool IsUnderlineItemId(int32_t id) {
        return id >= kUnderlineItemId && id < kUnderlineItemEnd;
    }
    // How far below the box of a line of text (its descenders included) its underline runs,
    // as a part of the text height.
    static constexpr double kUnderlineDrop = 0.1;

    DUxLeaderTextState() = default;
    explicit DUxLeaderTextState(const RSeStream* s) : DUxSymState(s) {}
    // A deleted state takes its text with it.
    ~DUxLeaderTextState() override;
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to it, with the text (which it then owns) and
    // the style (null: the document's).
    static DUxLeaderTextState* Create(RDxFragment* fragment, RDxString* text,
                                      const DUxDimensionStyle* style);

    static const char* GetInternalName() { return "LeaderText"; }

    RDxString* GetLeaderRDxString() const;
    // Deletes the text it replaces.
    void SetLeaderRDxString(RDxString* text);

    uint32_t GetModificationFlags() const { return m_modFlags; }
    void SetModificationFlags(uint32_t flags);
    bool IsColorModified() const { return (m_modFlags & kColorModified) != 0; }
    bool IsColorByLayerModified() const { return (m_modFlags & kColorByLayerModified) != 0; }
    bool IsLineSpacingModified() const { return (m_modFlags & kLineSpacingModified) != 0; }
    bool IsHJustModified() const { return (m_modFlags & kHJustModified) != 0; }
    bool IsVJustModified() const { return (m_modFlags & kVJustModified) != 0; }
    // While fixed, the annotation keeps the landing and the text where they are.
    bool GetFixedLayout() const { return m_fixedLayout; }
    void SetFixedLayout(bool on);

    // The dimension style's text style (the drawing's for the standard without one).
    DUxTextStyle* GetTextStyle() const;

    // The text into `textList` as the string lays it out (items kTextItemId; the three
    // justifications when the style justifies to the leader), and the underlines of the
    // style's underlining type under its lines (kUnderlineItemId + line; across the whole
    // text when it is justified to the leader).
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DUxLeaderTextState* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RDxString> m_text;
    uint32_t m_modFlags = 0;
    bool m_fixedLayout = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxLeaderTextState*);
RSeMetaType* _GetMeta(const DUxLeaderTextState*);
} // namespace RSe
