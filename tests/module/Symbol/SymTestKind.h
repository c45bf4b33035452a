#pragma once
// A symbol kind for tests only: its state draws a 4 by 2 box around its origin and a text.
#include <optional>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "sm/SMxColor.h"

class DLxDrawingDoc;
class DLxSheet;
class DLxViewInstance;
class DLxTerminalNodeGenerator;

class SymTestState : public DUxSymState {
public:
    SymTestState() = default;
    explicit SymTestState(const RSeStream* s) : DUxSymState(s) {}
    RSeMetaType* GetMeta() const override;
    void GenGraphics(SMxDisplayList& symbolList, SMxDisplayList& textList, int32_t landingPos,
                     const UTxGUID& standard, bool upright, int32_t outlineType) override;
    int32_t GetOutlineShape() const override { return m_shape; }
    bool GetUseStackingBehavior() const override { return m_stacking; }

    int32_t m_shape = 0;
    bool m_stacking = false;
    // Also a text inside the symbol's own graphics, in a nested list.
    bool m_textInSymbol = false;
};

class SymTestKind : public DLxSymInstance {
public:
    SymTestKind(RDxFragment* fragment, DUxSymState* state) : DLxSymInstance(fragment, state) {}
    explicit SymTestKind(const RSeStream* s) : DLxSymInstance(s) {}
    RSeMetaType* GetMeta() const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override {
        return m_leaderStyle ? new DUxLeaderStyleWrapper(*m_leaderStyle) : nullptr;
    }
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override {
        return m_textStyle ? &*m_textStyle : nullptr;
    }
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    bool DisplayLeadersByUser() const override { return m_byUser; }
    bool SkipAlwaysHorizontalOverride() const override { return m_skipHorizontal; }
    void GetTextColor(bool& ownColor, SMxColor& color, bool& byLayer, bool& flag) const override;
    // Counts the requests to clip again that a dimension gets.
    void CleanupArrowHeadExtLines() override { ++m_cleanups; }

    bool m_byUser = true;
    bool m_skipHorizontal = false;
    std::optional<DUxLeaderStyleWrapper> m_leaderStyle;
    std::optional<DUxTextStyleWrapper> m_textStyle;
    // The layer's colour and the colour of the symbol's own style.
    SMxColor m_layerColor;
    std::optional<SMxColor> m_styleColor;
    // What GetTextColor answers: a colour of the texts' own, or texts by layer.
    std::optional<SMxColor> m_ownTextColor;
    bool m_textsByLayer = false;
    int32_t m_cleanups = 0;
};

// A sheet with one view whose edges are: 1 a horizontal line from (50,100) to (150,100) on the
// sheet, 2 a circular arc of radius 20 about (100,200) from 0 to pi, 3 a circle of radius 20 seen
// at 45 degrees: an ellipse about (100,40) with semi-axes 20 along y and 20/sqrt(2) along x.
struct SymTestSheet {
    SymTestSheet();
    ~SymTestSheet();
    // A symbol with one leader: its end on `edgeId` at `param`, its root at `root`.
    SymTestKind* Place(int32_t edgeId, double param, const WqGePoint3d& root);
    // A free symbol: one leader from `end` to `root`.
    SymTestKind* PlaceFree(const WqGePoint3d& end, const WqGePoint3d& root);
    UTxResult Recompute();

    DLxDrawingDoc* doc;
    DLxSheet* sheet;
    DLxViewInstance* view;
    DLxTerminalNodeGenerator* generator;
};
