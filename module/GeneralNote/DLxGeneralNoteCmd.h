#pragma once
// The commands of general notes on the sheet.
//
// DLxGeneralNoteCmd (40049) places a new note: the user clicks the note's upper-left point, or
// drags a rectangle whose width becomes the note's fixed width (over 0.5), and types the text
// in the text-format dialog; OK with a text processes one "CreateGeneralNote" request.
// Cancel, or OK with no text, changes nothing. Points snap to the sketch grid when its snap is
// on.
//
// DLxGeneralNoteTextEditCmd answers the context menu of a selected note: edit its text
// (44076, the same dialog, "EditGeneralNote") and turn it a quarter clockwise (44090) or
// counter-clockwise (44089, "RotateGeneralNote").
#include <cstdint>
#include <memory>

#include "GeneralNote/DLxSingleChildState.h"
#include "dl/DLxTransientDrawObject.h"
#include "fw/FWxDocCmd.h"
#include "fw/FWxState.h"
#include "ge/WqGePoint3d.h"

class DLxGeneralNote;
class FWxSelectionSet;

class DLxTextCmdTarget : public FWxEventTarget {
public:
    static constexpr int32_t kCursor = 5720;
    static constexpr int32_t kStatusText = 8068;
    static constexpr int32_t kContextMenu = 7532;
    // Narrower drags place a note without a fixed width.
    static constexpr double kMinFixedWidth = 0.5;

    void OnActivate(FWxState* state) override;
    void OnTerminate(int32_t code) override;
    int32_t OnMouseMove(const FWxEvent& event) override;
    int32_t OnLButtonDown(const FWxEvent& event) override;
    int32_t OnLButtonUp(const FWxEvent& event) override;

    // `p` on the grid of snap distances dx and dy: each coordinate to the nearer grid line
    // (toward zero on a tie); a distance of 0 or less leaves that coordinate as it is.
    static WqGePoint3d SnapToGrid(const WqGePoint3d& p, double dx, double dy);
    // `p` snapped as the sketch preferences say.
    static WqGePoint3d SnapToSketchGrid(const WqGePoint3d& p);

    // The marker at the cursor and, during a drag, the rectangle.
    const DLxTransientDrawObject& GetPreview() const { return m_preview; }
    bool IsDialogRunning() const { return m_dialogRunning; }

private:
    FWxState* m_state = nullptr;
    DLxTransientDrawObject m_preview;
    WqGePoint3d m_press;
    WqGePoint3d m_release;
    bool m_dialogRunning = false;
};

class DLxTextState : public FWxTargetState {
public:
    FWxEventTarget* OnActivate() override { return &m_target; }
    DLxTextCmdTarget& GetTarget() { return m_target; }

private:
    DLxTextCmdTarget m_target;
};

// Keeps the command's selection set "GeneralNoteSelectionSet" while it runs.
class DLxTextCmdState : public DLxSingleChildState<DLxTextState> {
public:
    static constexpr const char16_t* kSelectionSetName = u"GeneralNoteSelectionSet";

    FWxEventTarget* OnActivate() override;
    void OnTerminate(int32_t code) override;
    void OnChildFinished(FWxState* child, int32_t code) override;
    FWxSelectionSet* GetSelectionSet() const { return m_set; }

private:
    FWxSelectionSet* m_set = nullptr; // the document's selection-set manager owns it
};

class DLxGeneralNoteCmd : public FWxDocStateCmd {
public:
    static constexpr int32_t kCommandId = 40049;
    static constexpr int32_t kCancelCommand = 44110;

    explicit DLxGeneralNoteCmd(FWxSceneDoc* doc);
    ~DLxGeneralNoteCmd() override;
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    FWxTargetStateResolver* GetResolver() override { return m_resolver.get(); }
    DLxTextCmdState& GetState() { return m_state; }

private:
    DLxTextCmdState m_state;
    std::unique_ptr<FWxTargetStateResolver> m_resolver;
};

class DLxGeneralNoteTextEditCmd : public FWxDocCmd {
public:
    static constexpr int32_t kEditCommand = 44076;
    static constexpr int32_t kRotateClockwiseCommand = 44090;
    static constexpr int32_t kRotateCounterClockwiseCommand = 44089;

    explicit DLxGeneralNoteTextEditCmd(FWxSceneDoc* doc) : FWxDocCmd(doc, 1) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;

    void EditGeneralNoteText();
    void RotateGeneralNote(bool clockwise);

private:
    // The note the user selected last; null when the first selection is no note.
    DLxGeneralNote* SelectedNote() const;
};
