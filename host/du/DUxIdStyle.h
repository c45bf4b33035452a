#pragma once
// The identifier style: how datum and feature identifiers look. The framed text (font and
// height), the terminator at the leader's end (an arrowhead service: a filled or an open datum
// triangle), whether leaders may land horizontally and whether the symbol stays horizontal,
// and the extension-line overshoot of its leader style. The wrapper is what drawing code reads
// through.
#include <cstdint>

#include "fw/FWxStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"

class DUxLeaderStyleWrapper;
class DUxSymState;
class DUxTextStyleWrapper;
class FWxSceneDoc;
class RDxObject;
class RSeSegment;

class DUxIdStyle : public FWxStyle {
public:
    // The arrowhead services of datum triangles.
    static constexpr uint32_t kFilledTriangle = 28035;
    static constexpr uint32_t kOpenTriangle = 28036;

    DUxIdStyle() = default;
    explicit DUxIdStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;

    // A new style in the segment (not yet kept by a document).
    static DUxIdStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // Setters change nothing and record nothing when the value is the same.
    // Identifiers of this style name datums (the standard's rule of identifier types).
    bool GetIdentifierFlag() const { return m_identifier; }
    void SetIdentifierFlag(bool v) { Set(m_identifier, v); }
    uint32_t GetArrowHead() const { return m_arrowHead; }
    void SetArrowHead(uint32_t id) { Set(m_arrowHead, id); }
    int32_t GetFontId() const { return m_fontId; }
    void SetFontId(int32_t id) { Set(m_fontId, id); }
    double GetTextHeight() const { return m_textHeight; }
    void SetTextHeight(double h) { Set(m_textHeight, h); }
    bool GetAllowedHorizontalLanding() const { return m_horizontalLanding; }
    void SetAllowedHorizontalLanding(bool v) { Set(m_horizontalLanding, v); }
    bool GetAllowHorizontal() const { return m_horizontal; }
    void SetAllowHorizontal(bool v) { Set(m_horizontal, v); }
    double GetExtensionLineOvershoot() const { return m_overshoot; }
    void SetExtensionLineOvershoot(double v) { Set(m_overshoot, v); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxIdStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();

    bool m_identifier = false;
    uint32_t m_arrowHead = kFilledTriangle;
    int32_t m_fontId = 1;
    double m_textHeight = 3.5;
    bool m_horizontalLanding = false;
    bool m_horizontal = true;
    double m_overshoot = 0.0;
};

// Read access to the identifier style of an identifier state: the primary style when one is
// set, else the style the state names, else the document's (the one named after the
// drawing's standard). It may find none; its answers are then the defaults of a new style.
class DUxIdStyleWrapper {
public:
    // `doc` null: the object's own document.
    DUxIdStyleWrapper(const RDxObject* object, FWxSceneDoc* doc = nullptr);

    void SetPrimaryStyle(const DUxIdStyle* style);
    // The style read; null when none was found.
    const DUxIdStyle* Style() const { return m_style.Read(); }

    bool GetAllowedHorizontalLanding() const;
    bool GetAllowHorizontal() const;
    uint32_t GetArrowHead() const;
    // The leader's look, over the state the wrapper was made for (when it was one): the
    // style's overshoot and arrowhead unless the state holds its own.
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const;
    // Font and height of the identifier's text.
    DUxTextStyleWrapper GetTextStyle() const;

    // The document's identifier style; null without.
    static DUxIdStyle* GetDocumentStyle(FWxSceneDoc* doc);

private:
    RSeRef<DUxIdStyle> m_style;
    RSeRef<DUxSymState> m_state;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxIdStyle*);
RSeMetaType* _GetMeta(const DUxIdStyle*);
} // namespace RSe
