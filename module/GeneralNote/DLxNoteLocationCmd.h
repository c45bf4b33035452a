#pragma once
// Where a paste of general notes goes (command 44140, started by the paste): the outlines of
// the parked notes follow the cursor, the first note's smallest corner on it and the others at
// the offsets they had from it; the click runs the parked "PasteGeneralNote" request there.
// The cancel entry (44110) ends the command without a change.
//
// The headless view draws in sheet units: its device positions are sheet points.
#include <cstdint>
#include <memory>
#include <vector>

#include "GeneralNote/DLxSingleChildState.h"
#include "dl/DLxTransientDrawObject.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxState.h"
#include "ge/WqGePoint3d.h"

class DLxNoteLocationCmdTarget : public FWxEventTarget {
public:
    static constexpr int32_t kCursor = 5720;
    static constexpr int32_t kStatusText = 8068;
    static constexpr int32_t kContextMenu = 7532;

    void OnActivate(FWxState* state) override;
    void OnTerminate(int32_t code) override;
    int32_t OnMouseMove(const FWxEvent& event) override;
    int32_t OnLButtonDown(const FWxEvent& event) override;
    int32_t OnLButtonUp(const FWxEvent& event) override;

    const DLxTransientDrawObject& GetPreview() const { return m_preview; }
    const WqGePoint3d& GetPressPoint() const { return m_press; }

private:
    FWxState* m_state = nullptr;
    DLxTransientDrawObject m_preview;
    WqGePoint3d m_press;
    std::vector<double> m_widths;
    std::vector<double> m_heights;
    std::vector<WqGePoint3d> m_offsets; // from the previous note's outline corner
};

class DLxNoteLocationState : public FWxTargetState {
public:
    FWxEventTarget* OnActivate() override { return &m_target; }
    DLxNoteLocationCmdTarget& GetTarget() { return m_target; }

private:
    DLxNoteLocationCmdTarget m_target;
};

class DLxNoteLocationCmdState : public DLxSingleChildState<DLxNoteLocationState> {};

class DLxNoteLocationCmd : public FWxDocStateCmd {
public:
    static constexpr int32_t kCommandId = 44140;
    static constexpr int32_t kCancelCommand = 44110;

    explicit DLxNoteLocationCmd(FWxSceneDoc* doc);
    ~DLxNoteLocationCmd() override;
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    FWxTargetStateResolver* GetResolver() override { return m_resolver.get(); }
    DLxNoteLocationCmdState& GetState() { return m_state; }

private:
    DLxNoteLocationCmdState m_state;
    std::unique_ptr<FWxTargetStateResolver> m_resolver;
};
