#pragma once
// The state of a surface-texture symbol: its fourteen values (numbered 0 to 13, each a text with
// a dialog visibility), the lay direction (value 5, a number), the subtype (basic symbol, material
// removal required or prohibited), orientation, angle and the has-leader, all-around, majority,
// forced-tail and auto-adjustment flags. The line work and the values' places follow the rules
// of the drafting standard of its style, which the module supplies through
// DUxSurfTextStdServices.
#include <array>
#include <cstdint>

#include "du/DUxSymState.h"
#include "du/DUxValue.h"
#include "utx/UTxString16.h"

class DUxCAuxEntArray;
class DUxSurfaceTextureStyle;
class DUxSurfTXTState;
class FWxSceneDoc;

class DUxSurfaceStdInfo {
public:
    // 0 basic symbol, 1 material removal required (bar), 2 material removal prohibited
    // (circle), 3 the bar as 1.
    enum ESurfTextType : int32_t { kBasic = 0, kRemovalRequired = 1, kRemovalProhibited = 2,
                                   kRemovalRequired2 = 3 };
    // Lay directions 1 to 7; 0 for none.
    enum EDirectionLayType : int32_t { kNoLay = 0, kParallel = 1, kPerpendicular = 2,
                                       kCrossed = 3, kMultiDirectional = 4, kCircular = 5,
                                       kRadial = 6, kParticulate = 7 };
    // The character a lay type is drawn with; empty for none.
    static UTxString16 LaySymbolText(int32_t lay);
};

// What a drafting standard decides for a surface-texture symbol. Lengths are model units.
class DUxSurfTextStdServices {
public:
    virtual ~DUxSurfTextStdServices() = default;
    // The standard's text height, and the heights of the symbol's short and long legs.
    virtual double GetStdTextHeight() const = 0;
    virtual void GetLegHeights(const DUxSurfTXTState* state, double& shortLeg,
                               double& longLeg) = 0;
    // The line work of the symbol with its tip at the origin; `textRight` is how far the
    // texts above and below the tail reach right of the top of the long leg.
    virtual void BuildSymbolGeometry(const DUxSurfTXTState* state, DUxCAuxEntArray* out,
                                     double textRight) = 0;
    // Shows, locks, hides and clears values by the symbol's contents.
    virtual UTxResult SetValueVisibility(DUxSurfTXTState* state) = 0;

    // The services of a standard (by its code, 1 ANSI .. 6 JIS) in a document; the module
    // installs the finder when it loads. Null without one.
    using Finder = DUxSurfTextStdServices* (*)(FWxSceneDoc* doc, int32_t standardCode);
    static void SetFinder(Finder finder);
    static DUxSurfTextStdServices* Find(FWxSceneDoc* doc, int32_t standardCode);
};

class DUxSurfTXTState : public DUxSymState {
public:
    // The values, by number.
    enum Variable : int32_t {
        kRaMax = 0, kRaMin = 1, kProduction = 2, kProduction2 = 3, kAllowance = 4, kLay = 5,
        kSampLength = 6, kCutoff = 7, kOtherValue = 8, kOtherMin = 9, kMaxRspac = 10,
        kReference = 11, kWaviness = 12, kComment = 13, kValueCount = 14
    };

    DUxSurfTXTState() = default;
    explicit DUxSurfTXTState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment and added to the fragment.
    static DUxSurfTXTState* Create(RDxFragment* fragment);

    // Out-of-range numbers read as empty and change nothing.
    const UTxString16& GetValue(int32_t variable) const;
    void SetValue(int32_t variable, const UTxString16& text);
    bool IsEmpty(int32_t variable) const { return GetValue(variable).empty(); }
    void Wipe(int32_t variable) { SetValue(variable, {}); }
    DUxValue::EVisibility GetVariableStatus(int32_t variable) const;
    void SetVariableStatus(int32_t variable, DUxValue::EVisibility visibility);
    // The lay type: the leading decimal digits of value 5, 0 without.
    int32_t GetDirectionLay() const;
    static int32_t LayOf(const UTxString16& text);

    // How a dialog presents each value: its place, label, tooltip and help topic. Set by the
    // standard each time the dialog is filled; not stored.
    struct Presentation {
        int32_t dlgIndex = -1;
        UTxString16 label;
        UTxString16 tooltip;
        int32_t helpIndex = 0;
    };
    Presentation& GetPresentation(int32_t variable);

    int32_t GetSubType() const { return m_subType; }
    void SetSubType(int32_t subType) { Set(m_subType, subType); }
    int32_t GetOrientation() const { return m_orientation; }
    void SetOrientation(int32_t orientation) { Set(m_orientation, orientation); }
    double GetAngle() const { return m_angle; }
    void SetAngle(double angle) { Set(m_angle, angle); }
    bool GetHasLeader() const { return m_hasLeader; }
    void SetHasLeader(bool on) { Set(m_hasLeader, on); }
    bool IsAllAround() const { return m_allAround; }
    void SetAllAround(bool on) { Set(m_allAround, on); }
    bool IsMajority() const { return m_majority; }
    void SetMajority(bool on) { Set(m_majority, on); }
    bool IsForcedTail() const { return m_forcedTail; }
    void SetForcedTail(bool on) { Set(m_forcedTail, on); }
    bool GetAutoAdjustment() const { return m_autoAdjustment; }
    void SetAutoAdjustment(bool on) { Set(m_autoAdjustment, on); }

    // The style the symbol follows: its own, else the document's of the drawing's standard.
    DUxSurfaceTextureStyle* GetSurfaceTextureStyle() const;
    // The height of its texts: the style's, else 3.5.
    double GetTextHeight() const;

    // The line work (by the style's standard) in `symbolList`, the values in `textList`, with
    // the tip of the symbol at the origin; nothing without a standard's services.
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxSurfTXTState* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        BeginValueChange();
        field = v;
    }

    std::array<UTxString16, kValueCount> m_values;
    std::array<int32_t, kValueCount> m_visibility{};
    int32_t m_subType = DUxSurfaceStdInfo::kBasic;
    int32_t m_orientation = 0;
    double m_angle = 0.0;
    bool m_hasLeader = false;
    bool m_allAround = false;
    bool m_majority = false;
    bool m_forcedTail = false;
    bool m_autoAdjustment = false;
    std::array<Presentation, kValueCount> m_presentation;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxSurfTXTState*);
RSeMetaType* _GetMeta(const DUxSurfTXTState*);
} // namespace RSe
