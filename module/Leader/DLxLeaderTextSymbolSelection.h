#pragma once
// The selection of a leader text, and whether the pick hit the text itself rather than its
// leader.
#include "Symbol/DLxSymSelection.h"

class DLxLeaderTextInstance;

class DLxLeaderTextSymbolSelection : public DLxSymSelection {
public:
    DLxLeaderTextSymbolSelection(DLxLeaderTextInstance* text, const WqGePoint3d& point);
    // Null once the leader text is gone.
    DLxLeaderTextInstance* GetLeaderTextSymbol() const;
    // The pick lies on the placed text (its outline as last drawn).
    bool GetIsPureText() const { return m_pureText; }

private:
    bool m_pureText = false;
};
