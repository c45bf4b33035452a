#pragma once
// A symbol kind for tests only: its state draws a 4 by 2 box around its origin and a text.
#include "Symbol/DLxSymInstance.h"
#include "du/DUxSymState.h"

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
};

class SymTestKind : public DLxSymInstance {
public:
    SymTestKind(RDxFragment* fragment, DUxSymState* state) : DLxSymInstance(fragment, state) {}
    explicit SymTestKind(const RSeStream* s) : DLxSymInstance(s) {}
    RSeMetaType* GetMeta() const override;
    const DUxLeaderStyleWrapper* GetLeaderStyleWrapper() const override { return nullptr; }
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override { return nullptr; }
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    bool DisplayLeadersByUser() const override { return m_byUser; }
    bool SkipAlwaysHorizontalOverride() const override { return m_skipHorizontal; }

    bool m_byUser = true;
    bool m_skipHorizontal = false;
};

// A sheet with one view whose edges are: 1 a horizontal line from (50,100) to (150,100) on the
// sheet, 2 a circular arc of radius 20 about (100,200) from 0 to pi.
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
