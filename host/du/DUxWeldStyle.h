#pragma once
// The weld style: the look a new weld symbol takes and what its drawing reads. Where the arrow
// side lies (below the reference line, 0, or above it, 1), the identification line (0 none,
// 1 below, 2 above) and its gap from the reference line, whether recovered welds keep their
// prefixes, the text (font and size) and the leader style whose pen the leader takes. A
// drawing keeps one per standard, named after it, in its weld styles collection.
//
// The wrapper reads a weld symbol's style for its weld state: the style set as the state's
// own, else the document's (the one named after the drawing's standard, ISO when it names
// none), else the values of a new style. The per-object values (identification line, arrow
// side, prefixes) are the state's: a symbol takes them from its style when it is made.
#include <cstdint>

#include "du/DUxFeatureControlFrameStyle.h"
#include "fw/FWxStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"

class DUxLeaderStyle;
class DUxLeaderStyleWrapper;
class DUxWeldState;
class FWxSceneDoc;

class DUxWeldStyle : public FWxStyle {
public:
    static const UTxString16& GetInternalStylesCollectionNameStatic();

    DUxWeldStyle() = default;
    explicit DUxWeldStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxWeldStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // Setters change nothing and record nothing when the value is the same.
    int32_t GetIdentLineType() const { return m_identLineType; }
    void SetIdentLineType(int32_t type) { Set(m_identLineType, type); }
    int32_t GetArrowSidePosition() const { return m_arrowSidePosition; }
    void SetArrowSidePosition(int32_t position) { Set(m_arrowSidePosition, position); }
    bool GetRecoverPrefix() const { return m_recoverPrefix; }
    void SetRecoverPrefix(bool on) { Set(m_recoverPrefix, on); }
    // Distance of the identification line from the reference line (sheet units); it also sizes
    // the all-around circle of welds whose area is described by it.
    double GetIdentLineGap() const { return m_identLineGap; }
    void SetIdentLineGap(double gap) { Set(m_identLineGap, gap); }
    DUxTextStyleWrapper GetTextStyle() const { return {m_fontId, 2, m_fontSize}; }
    void SetTextStyle(const DUxTextStyleWrapper& text);
    DUxLeaderStyle* GetLeaderStyle() const;
    void SetLeaderStyle(const DUxLeaderStyle* style);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DUxWeldStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
    }
    void Prepare();

    int32_t m_identLineType = 1;
    int32_t m_arrowSidePosition = 1;
    bool m_recoverPrefix = true;
    double m_identLineGap = 1.0;
    int32_t m_fontId = 1;
    double m_fontSize = 3.5;
    RSeRef<FWxStyle> m_leaderStyle;
};

class DUxWeldStyleWrapper {
public:
    // `doc` null: the state's own document.
    explicit DUxWeldStyleWrapper(const DUxWeldState* state, FWxSceneDoc* doc = nullptr);

    // The style read; null when none was found.
    const DUxWeldStyle* Style() const { return m_style.Read(); }
    // Makes the style the state's own (the state records itself); null changes nothing.
    void SetPrimaryStyle(const DUxWeldStyle* style);

    // The state's own values (the style's without a state).
    int32_t GetIdentLineType() const;
    void SetIdentLineType(int32_t type);
    int32_t GetArrowSidePosition() const;
    bool GetRecoverPrefix() const;
    void SetRecoverPrefix(bool on);
    // The style's values.
    double GetIdentLineGap() const;
    SmartPtr<DUxTextStyleWrapper> GetTextStyle() const;
    // The leader's look over the weld state, in the pen of the style's leader style.
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle() const;

    // The document's weld style; null without.
    static DUxWeldStyle* GetDocumentStyle(FWxSceneDoc* doc);

private:
    const DUxWeldStyle& Values() const;

    RSeRef<DUxWeldState> m_state;
    RSeRef<DUxWeldStyle> m_style;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxWeldStyle*);
RSeMetaType* _GetMeta(const DUxWeldStyle*);
} // namespace RSe
