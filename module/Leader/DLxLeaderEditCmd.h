#pragma once
// The leader edit command: adds leaders to an older symbol (the first entry of the
// pre-selection when it starts) by picking points on the sheet. The new leader follows the
// cursor as a rubber band; a pick on a leader of the symbol ends it there and joins it to that
// leader as a branch, and a first pick on a leader adds a vertex there instead.
//
// While picking only a scratch leader changes; the stored symbol changes through one
// "AddLeaderVertex" or "AddLeader" request, posted when the pick that ends the tip state comes.
// A double click ends the tip state without a change.
#include <cstdint>
#include <memory>

#include "dl/DLxTransientDrawObject.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxState.h"
#include "ge/WqGePoint3d.h"

class DLxLeaderEditData;
class FWxChangeRequest;
class DLxSymbol;

class DLxLeaderEditTarget : public FWxEventTarget {
public:
    static constexpr int32_t kStartText = 8152;
    static constexpr int32_t kNextPointText = 8457;
    // The pick aperture where the event brings none.
    static constexpr double kDefaultTolerance = 0.1;

    explicit DLxLeaderEditTarget(DLxLeaderEditData* data) : m_data(data) {}

    void OnActivate(FWxState* state) override;
    void OnTerminate(int32_t code) override;
    // The rubber band; it snaps to a leader of the symbol it comes near.
    int32_t OnMouseMove(const FWxEvent& event) override;
    // A point of the new leader, or the pick that ends it (see the top of the file).
    int32_t OnLButtonDown(const FWxEvent& event) override;
    // Neither changes anything: the right button goes on, a double click finishes (8).
    int32_t OnRButtonUp(const FWxEvent&) { return FWxStateCode::kGoOn; }
    int32_t OnLButtonDblClk(const FWxEvent&) { return FWxStateCode::kFinished; }

    bool IsDrawing() const { return m_drawing; }
    // Whether the last move snapped to a leader (the symbol shows highlighted).
    bool IsHighlighting() const { return m_highlight; }
    const WqGePoint3d& GetCursorPoint() const { return m_cursor; }
    int32_t GetStatusText() const { return m_statusText; }
    const DLxTransientDrawObject& GetPreview() const { return m_preview; }

private:
    FWxSceneDoc* Document() const;
    void Post(FWxChangeRequest* request) const;
    void DrawPreview();

    DLxLeaderEditData* m_data;
    FWxState* m_state = nullptr;
    bool m_drawing = false;
    bool m_highlight = false;
    WqGePoint3d m_cursor;
    int32_t m_statusText = 0;
    DLxTransientDrawObject m_preview;
};

class DLxLeaderTipState : public FWxTargetState {
public:
    explicit DLxLeaderTipState(DLxLeaderEditData* data) : m_target(data) {}
    FWxEventTarget* OnActivate() override { return &m_target; }
    bool IsDrawing() const { return m_target.IsDrawing(); }
    DLxLeaderEditTarget& GetTarget() { return m_target; }

private:
    DLxLeaderEditTarget m_target;
};

// Makes the edit data and the tip state when it starts and drops them when it ends.
class DLxLeaderEditCmdState : public FWxComplexState {
public:
    DLxLeaderEditCmdState();
    ~DLxLeaderEditCmdState() override;

    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    // The tip state, then nothing: the command ends when the tip state finishes.
    FWxState* OnNextState() override;
    FWxState* OnPreviousState() override { return m_tip.get(); }

    DLxLeaderEditData* GetEditData() const { return m_data.get(); }
    DLxLeaderTipState* GetTipState() const { return m_tip.get(); }

private:
    std::unique_ptr<DLxLeaderEditData> m_data;
    std::unique_ptr<DLxLeaderTipState> m_tip;
    bool m_tipRan = false;
};

class DLxLeaderEditCmd : public FWxDocStateCmd {
public:
    explicit DLxLeaderEditCmd(FWxSceneDoc* doc);
    ~DLxLeaderEditCmd() override;

    // The document's selection sets are emptied: the command acted on what was selected.
    void OnTerminate(int32_t code) override;
    FWxTargetStateResolver* GetResolver() override { return m_resolver.get(); }
    DLxLeaderEditCmdState& GetState() { return m_state; }
    // The input the resolver does not route: both go to the running tip state's target.
    int32_t RButtonUp(const FWxEvent& event);
    int32_t LButtonDblClk(const FWxEvent& event);

private:
    DLxLeaderEditCmdState m_state;
    std::unique_ptr<FWxTargetStateResolver> m_resolver;
};
