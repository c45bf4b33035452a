#pragma once
// Picking a parts list: the selection of a table picked on its sheet (with what the pick hit:
// a grip, a table line or a text), the selection made from its browser entry, and the
// selector that turns a picked display item into a selection. The manipulators that act on a
// picked grip, line or text come later; until then a selection keeps what the pick decoded.
#include <cstdint>

#include "br/BRxAbsPath.h"
#include "du/DUxEmblemSelection.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"

class BRxEntry;
class DLxPartListTable;
class FWxSceneDoc;
class RSeRefBase;
class SMxDisplayList;

class DLxPartListSelection : public DUxEmblemSelection {
public:
    // What the pick hit, decoded from the display item's id.
    struct Pick {
        enum Kind : int32_t { kNone = 0, kStretch = 1, kLine = 2, kText = 3 };
        Kind kind = kNone;
        int32_t hotPoint = -1;                               // kStretch: 0..7
        int32_t category = 0, side = 0, column = 0, row = 0; // kLine
        int32_t type = 0;                                    // kText, with row and column
        bool operator==(const Pick&) const = default;
    };

    DLxPartListSelection(DLxPartListTable* table, const WqGePoint3d& point);
    // Null once the table is gone.
    DLxPartListTable* GetInstance() const;

    const Pick& GetPick() const { return m_pick; }
    void SetPick(const Pick& pick) { m_pick = pick; }
    // The text editor every selection carries (type 0, column 0, row 0), which several
    // selected objects share instead of what the pick hit.
    static Pick DefaultEditor() { return Pick{Pick::kText, -1, 0, 0, 0, 0, 0}; }
    Pick GetManipulator(bool multipleSelections) const;

    // Same kind, same table.
    bool IsEqual(const FWxSelection* other) const;
    // Draws the table into `out`, highlighted or not, but only while its sheet is the
    // drawing's active one; answers whether it drew.
    bool Draw(SMxDisplayList& out, bool highlight) const;

private:
    Pick m_pick;
};

class DLxPartListBrowserSelection : public DLxPartListSelection {
public:
    DLxPartListBrowserSelection(DLxPartListTable* table, const BRxAbsPath& path);
    // The path to the table's entry in the drawing's browser: the kept one while valid, else
    // built afresh; null when the drawing has no entry for the table.
    const BRxAbsPath* GetBrowserPath();
    bool CanRename() const { return true; }

private:
    BRxAbsPath m_path;
};

// The selection of a browser entry that has no table to select.
class DLxBrowserEntrySelection : public FWxSelection {
public:
    DLxBrowserEntrySelection(BRxEntry* entry, const BRxAbsPath& path)
        : m_entry(entry), m_path(path) {}
    BRxEntry* GetEntry() const { return m_entry; }
    const BRxAbsPath& GetPath() const { return m_path; }

private:
    BRxEntry* m_entry;
    BRxAbsPath m_path;
};

// Turns a pick on one of the table's display items into a selection: the grips 0..7 stretch,
// a line moves, a text is edited; anything else selects the table alone.
class DLxPartListSelector {
public:
    explicit DLxPartListSelector(DLxPartListTable* table) : m_table(table) {}
    SmartPtr<DLxPartListSelection> OnItemSelection(int32_t itemId, const WqGePoint3d& point) const;
    SmartPtr<DLxPartListSelection> OnGripSelection(int32_t itemId, const WqGePoint3d& point) const;
    SmartPtr<DLxPartListSelection> OnTableLineSelection(int32_t itemId,
                                                        const WqGePoint3d& point) const;
    SmartPtr<DLxPartListSelection> OnTableTextSelection(int32_t itemId,
                                                        const WqGePoint3d& point) const;

private:
    DLxPartListTable* m_table;
};

// The selection generator's function: a table's selection at a zero pick point; null for
// anything else.
SmartPtr<CountedCObj> CreatePartListSelection(FWxSceneDoc* doc, const RSeRefBase& obj);
