#pragma once
// Moves a general note or reshapes its box by a drag. A pick on one of the note's eight hot
// points (handles 0 to 7, numbered as DLxGeneralNote::GetHotPoints) reshapes from that handle;
// a pick on the text (handle 8) moves the note. While the user drags, the outline of the box
// follows the cursor in the preview; the drag ends with one "ResizeGeneralNote" request
// carrying the new upper-left corner, width and height (a move keeps the size). A note turned
// by its text is reshaped in its own turned frame. A double-click edits the note's text.
#include <cstdint>
#include <vector>

#include "dl/DLxManipulator.h"
#include "dl/DLxTransientDrawObject.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxGeneralNote;
class DUxWireFrameCalculator;

class DLxGeneralNoteManipulator : public DLxManipulator {
public:
    static constexpr int32_t kMoveHandle = 8;
    // Command that edits the selected note's text.
    static constexpr int32_t kEditTextCommand = 44076;
    // Cursors: the move, and the four directions of a handle.
    static constexpr int32_t kMoveCursor = 30987;
    static constexpr int32_t kHandleCursors[4] = {30986, 30984, 30985, 30983};
    // Prompts: corner handles, left and right sides, move, top and bottom sides.
    static constexpr int32_t kCornerPrompt = 8105;
    static constexpr int32_t kSidePrompt = 8106;
    static constexpr int32_t kMovePrompt = 8107;
    static constexpr int32_t kTopBottomPrompt = 8108;

    DLxGeneralNoteManipulator(const RSeRef<DLxGeneralNote>& note, int32_t handle,
                              int32_t selectionClass, FWxSelection* selection);
    ~DLxGeneralNoteManipulator() override;

    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    bool PostRequest() override;
    bool StartDialog() override;
    int32_t GetPromptCursor() const override;
    int32_t GetPromptText() const override;
    std::string GetManipulatorName() const override { return "DLxGeneralNoteManipulator"; }

    // The handle the drag uses: every handle moves when several objects are dragged.
    int32_t GetHandle() const;
    const RSeRef<DLxGeneralNote>& GetNote() const { return m_note; }
    // The outline the drag shows: four lines round the box as it stands.
    const DLxTransientDrawObject& GetPreview() const { return m_preview; }

private:
    void BuildFrame();
    WqGePoint3d Corner(int32_t c) const;
    void DrawOutline();

    DUxWireFrameCalculator* m_frame = nullptr;
    int32_t m_mode = 0;
    int32_t m_orientation = 0;
    int32_t m_anchor[2] = {3, 3};
    std::vector<int32_t> m_pointOfCorner; // frame point that holds box corner c
    std::vector<int32_t> m_cornerOfPoint; // its inverse
    std::vector<WqGePoint3d> m_corners;
    int32_t m_handle;
    RSeRef<DLxGeneralNote> m_note;
    DLxTransientDrawObject m_preview;
    bool m_rotated = false;
    double m_rotation = 0.0;
    WqGePoint3d m_centre;
    WqGePoint3d m_last; // where the cursor was at the last step of the drag
    bool m_dragging = false;
};
