#pragma once
// Picking a general note: the selection that stands for a picked note, carrying the
// manipulator of what the pick hit, and the selector that decides it. A pick near one of the
// note's eight hot points reshapes the box from that handle (a hot-point selection); a pick
// anywhere else on the note moves it (an object selection).
#include <cstdint>
#include <memory>

#include "du/DUxEmblemSelection.h"
#include "fw/SmartPtr.h"

class BBox;
class DLxGeneralNote;
class DLxGeneralNoteManipulator;
class SMxDisplayList;

class DLxGeneralNoteSelection : public DUxEmblemSelection {
public:
    DLxGeneralNoteSelection(DLxGeneralNote* note, const WqGePoint3d& point);
    ~DLxGeneralNoteSelection() override;
    DLxGeneralNote* GetGeneralNote() const;

    // The manipulator a drag of this selection uses; null for a selection made without one.
    DLxGeneralNoteManipulator* GetManipulator() const { return m_manipulator.get(); }
    void SetManipulator(std::unique_ptr<DLxGeneralNoteManipulator> manipulator);

    // 1 (hot point) when the manipulator reshapes from a handle; 5 otherwise (a move, or no
    // manipulator).
    int32_t Classify() const;
    // The same note, picked through a general-note selection.
    bool IsEqual(const FWxSelection* other) const;
    // What the note draws, as placed on its sheet; empty once the note is gone.
    BBox BoundingBox() const;
    // The note's drawing, highlighted or not, into `out`; false once the note is gone.
    bool Draw(SMxDisplayList& out, bool highlight) const;

private:
    std::unique_ptr<DLxGeneralNoteManipulator> m_manipulator;
};

class DLxGeneralNoteSelector {
public:
    // A hot point is hit within this distance of its centre: the marker's size on the sheet.
    static constexpr double kHotPointRadius = 1.0;

    explicit DLxGeneralNoteSelector(DLxGeneralNote* note) : m_note(note) {}

    // The selection of a pick at `point`: on the nearest hot point within kHotPointRadius, a
    // reshape from it; elsewhere a move. Null without a note.
    SmartPtr<DLxGeneralNoteSelection> Select(const WqGePoint3d& point) const;
    SmartPtr<DLxGeneralNoteSelection> OnHotPointSelection(int32_t hotPoint,
                                                          const WqGePoint3d& point) const;
    SmartPtr<DLxGeneralNoteSelection> OnTextSelection(const WqGePoint3d& point) const;
    // The hot point (0 to 7) a pick at `point` hits; -1 for none.
    int32_t HotPointAt(const WqGePoint3d& point) const;

private:
    DLxGeneralNote* m_note;
};
