#pragma once
// The content of a 2D weld symbol: the weld state holds an ordered stack of sub-weldings (one
// reference line each, the first nearest the arrow), and each sub-welding up to four welds:
// primary and secondary on the arrow side and on the other side. The state also keeps the
// symbol's own choices that a weld style would otherwise give (where the arrow side lies, the
// identification line, whether recovered welds keep their prefixes).
//
// Sub-weldings and welds are values held by the state and stored in its record: every change
// goes through the state (BeginValueChange), so that a transaction records the whole content at
// once and an undo gives it back whole.
//
// Drawing (GenGraphics), in reading order whatever the orientation: the reference line runs
// from the root (orientation 1: the root at its left end; 0: at its right end) to the tail;
// symbols sit at a fixed place from the line's reading start, the size left of the symbol,
// length and pitch right of it, the angle beyond it; the field flag and the all-around circle
// at the root; the tail and its notes at the far end. The identification line is left out where
// both sides carry a weld (the weld is symmetrical about the continuous line).
#include <array>
#include <cstdint>
#include <vector>

#include "du/DUxSymState.h"
#include "utx/UTxString16.h"

class SMxDisplayListBuilder;

// One weld of a sub-welding: its type (kind of symbol), group, contour and values.
struct DUxCWeld {
    // Weld types: which symbol is drawn.
    enum EType : uint32_t {
        kNone = 0,
        kFillet = 1,
        kSquare = 2,
        kV = 3,
        kBevel = 4,
        kU = 5,
        kJ = 6,
        kPlug = 7,
        kSpot = 8,
        kSeam = 9,
        kBack = 10,
        kLastType = kBack,
    };
    // Contours drawn beyond the symbol.
    enum EContour : int32_t { kNoContour = 0, kFlush = 1, kConvex = 2, kConcave = 3 };
    // The values a weld can carry, in the order of their dialog indices.
    enum EField : int32_t { kSize = 0, kDepth, kLength, kPitch, kAngle, kRootOpening, kFields };

    uint32_t weldType = kNone;
    int32_t group = 0;
    int32_t contourType = kNoContour;
    bool brazing = false;
    UTxString16 prefix;
    std::array<UTxString16, kFields> values;
    // The finishing method of a contoured weld (a letter drawn beyond the contour).
    UTxString16 finish;

    void setWeldType(uint32_t type, int32_t g) {
        weldType = type;
        group = g;
    }
    bool operator==(const DUxCWeld&) const = default;
};

// One reference line of a weld symbol.
struct DUxCSubWelding {
    // Where the arrow side lies: below the reference line (0) or above it (1).
    int32_t arrowSidePosition = 0;
    int32_t orientation = 1;
    // 0 none; 1 the field flag pointing to the tail, 2 pointing to the arrow.
    int32_t fieldWeldType = 0;
    // 0 none; 1 all around (1.8 text heights), 2 and 8 all around (1 text height), 3 between
    // points (no circle), 4 all around sized by the identification line's gap.
    int32_t areaDescType = 0;
    // 0 none, 1 spacer, 2 to 4 staggered (the other side's symbols move along by a symbol).
    int32_t associationType = 0;
    bool closedTail = false;
    UTxString16 notes;
    // [0] arrow primary, [1] arrow secondary, [2] other primary, [3] other secondary.
    std::array<DUxCWeld, 4> welds;
    std::array<bool, 4> present{};

    const DUxCWeld* weldOnArrowSide(bool primary) const { return Weld(primary ? 0 : 1); }
    const DUxCWeld* weldOnOtherSide(bool primary) const { return Weld(primary ? 2 : 3); }
    DUxCWeld* weldOnArrowSide(bool primary) { return Weld(primary ? 0 : 1); }
    DUxCWeld* weldOnOtherSide(bool primary) { return Weld(primary ? 2 : 3); }
    // A weld given sets the slot (a copy); null empties it.
    void setWeldOnArrowSide(const DUxCWeld* weld, bool primary) { Put(primary ? 0 : 1, weld); }
    void setWeldOnOtherSide(const DUxCWeld* weld, bool primary) { Put(primary ? 2 : 3, weld); }
    // The arrow side's welds go to the other side and back.
    void reverseSide();

    bool operator==(const DUxCSubWelding&) const = default;

private:
    const DUxCWeld* Weld(int i) const { return present[i] ? &welds[i] : nullptr; }
    DUxCWeld* Weld(int i) { return present[i] ? &welds[i] : nullptr; }
    void Put(int i, const DUxCWeld* weld);
};

// What a user edits of a weld symbol, as one value: the weld dialog previews its changes on a
// copy, and the edit records replay onto it.
struct DUxWeldContent {
    int32_t orientation = 1;
    int32_t identLineType = 0;
    int32_t arrowSidePosition = 0;
    std::vector<DUxCSubWelding> subWeldings;
    bool operator==(const DUxWeldContent&) const = default;
};

// What each weld type knows of its values.
class DUxWeldSrvUtils {
public:
    // Whether a weld of this type and group can be drawn (types 1 to kLastType, group 0).
    static bool HasService(uint32_t type, int32_t group);
    // The fields a weld of the type shows, in dialog order; empty without a service.
    static std::vector<int32_t> ValueFields(uint32_t type);
    // The dialog index of a field: a primary weld's 0 .. 5, a secondary's 10 .. 14 (a secondary
    // weld shows no root opening: -1).
    static int32_t DialogIndex(int32_t field, bool primary) {
        if (primary) return field;
        return field < DUxCWeld::kRootOpening ? 10 + field : -1;
    }
    // The dialog index of a primary weld's brazing flag.
    static constexpr int32_t kBrazingIndex = 20;
    // The dialog indices of the primary and the secondary weld's finishing method.
    static constexpr int32_t kFinishIndex = 15;
    static constexpr int32_t kSecondaryFinishIndex = 17;
    // The finishing methods a weld of that contour offers (none without a contour).
    static std::vector<UTxString16> FinishChoices(int32_t contour);

    // A weld or contour as the dialog offers it: its picture and tooltip (resource ids of the
    // resource module), what it stands for, and whether its picture is drawn mirrored.
    struct Desc {
        uint32_t bitmap = 0;
        uint32_t tooltip = 0;
        uint32_t weldType = 0; // a contour's: its contour type
        int32_t group = 0;
        bool enabled = true;
        bool mirrored = false;
    };
    // The picture of "no weld" (and of "no contour") and its tooltip.
    static constexpr uint32_t kNoWeldBitmap = 7680;
    static constexpr uint32_t kNoWeldTooltip = 8225;
    // Every weld type, pictured above the reference line or below it.
    static std::vector<Desc> GetWelds(bool above);
    // The contours flush, convex and concave, pictured the same way.
    static std::vector<Desc> GetContours(bool above);
    // The tooltips of the all-around circle and the field flag.
    static constexpr uint32_t kAllAroundTooltip = 8236;
    static constexpr uint32_t kFieldTooltip = 8237;
};

class DUxWeldState : public DUxSymState {
public:
    // Identification line (the dashed line beside the reference line).
    enum EIdentLine : int32_t { kNoIdentLine = 0, kIdentLineBelow = 1, kIdentLineAbove = 2 };
    // Drawn sizes, in sheet units: text height, the identification line's gap, the distance
    // between stacked reference lines.
    static constexpr double kTextHeight = 3.5;
    static constexpr double kIdentLineGap = 1.0;
    static constexpr double kStackPitch = 4.0 * kTextHeight;
    // Item ids of the drawn parts.
    static constexpr int32_t kReferenceLineItem = 1;
    static constexpr int32_t kIdentLineItem = 2;
    static constexpr int32_t kSymbolItem = 3;
    static constexpr int32_t kTailItem = 4;
    static constexpr int32_t kFlagItem = 5;
    static constexpr int32_t kAllAroundItem = 6;
    static constexpr int32_t kTextItem = 7;

    DUxWeldState() = default;
    explicit DUxWeldState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;

    static DUxWeldState* Create(RDxFragment* fragment);

    // 1: the reference line runs to the right of the root; 0: to its left. Setting it, even
    // to the value it has, makes the state recompute.
    int32_t GetOrientation() const { return m_orientation; }
    void setOrientation(int32_t orientation);

    int32_t numOfSubWeldings() const { return int32_t(m_subWeldings.size()); }
    // Null outside the list.
    const DUxCSubWelding* subWelding(int32_t i) const;
    // For a change: the state records itself first. Null outside the list.
    DUxCSubWelding* EditSubWelding(int32_t i);
    // Appends a sub-welding with the state's arrow-side position and orientation; its index.
    int32_t addSubWelding();
    // Everything at once; setting what the state holds already changes nothing.
    DUxWeldContent GetContent() const;
    void SetContent(const DUxWeldContent& content);

    // Per-object choices of the weld's look.
    int32_t GetIdentLineType() const { return m_identLineType; }
    void SetIdentLineType(int32_t type);
    int32_t GetArrowSidePosition() const { return m_arrowSidePosition; }
    void SetArrowSidePosition(int32_t position);
    bool GetRecoverPrefix() const { return m_recoverPrefix; }
    void SetRecoverPrefix(bool on);
    // The symbol was recovered from a weld of the model.
    bool IsRecovered() const { return m_recovered; }
    void SetRecovered(bool on);

    // The look a new symbol takes under a drafting standard ("ANSI", "ISO", ...): the arrow
    // side below the line and no identification line for ANSI and JIS; above a continuous
    // line with the dashed line below for the others.
    void SetStandardDefaults(const UTxString16& standard);
    // A new sub-welding's default symbol: a fillet weld on the arrow side.
    static void SetDefaultSubSymbol(DUxCSubWelding& sub);

    // Diameter of the all-around circle: the symbol's own (its leader style's), else by the
    // first sub-welding whose area description is 1, 2 or 4 (1.8 or 1 text heights, or twice
    // the identification line's gap); 0 when none has one.
    double GetAllAroundDiameter() const;
    // The identification line's distance from the reference line: its weld style's.
    double GetIdentLineGap() const;
    // Length of reference line `i` as drawn; 0 outside the list.
    double GetReferenceLineLength(int32_t i) const;

    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxWeldState* target, RSeCloneCommander* cc) const;
    // The stored form of a list of sub-weldings, for the state and for whoever else keeps
    // weld symbol content (the model's welds).
    static void SaveSubWeldings(RSeStream& s, const std::vector<DUxCSubWelding>& subs);
    // Sub-weldings stored before the finishing method (the state's version 0, a view's
    // before 4) load `withFinish` false.
    static void LoadSubWeldings(RSeStream& s, std::vector<DUxCSubWelding>& subs,
                                bool withFinish = true);

private:
    // How far the symbols of a line keep from its root: clear of the all-around circle.
    double RootMargin(const DUxCSubWelding& sub) const;
    void DrawSubWelding(SMxDisplayListBuilder& lines, SMxDisplayListBuilder& texts, int32_t i);

    int32_t m_orientation = 1;
    int32_t m_identLineType = kNoIdentLine;
    int32_t m_arrowSidePosition = 0;
    bool m_recoverPrefix = true;
    bool m_recovered = false;
    std::vector<DUxCSubWelding> m_subWeldings;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxWeldState*);
RSeMetaType* _GetMeta(const DUxWeldState*);
} // namespace RSe
