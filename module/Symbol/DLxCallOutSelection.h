#pragma once
// The selection of a sketched symbol, made by a pick on the sheet or by its browser entry
// (which it then names).
#include "Symbol/DLxSymSelection.h"

class BRxEntry;
class DLxCallOutInstance;

class DLxCallOutSelection : public DLxSymSelection {
public:
    DLxCallOutSelection(DLxCallOutInstance* symbol, const WqGePoint3d& point);
    DLxCallOutInstance* GetInstance() const;
    BRxEntry* GetEntry() const { return m_entry; }
    void SetEntry(BRxEntry* entry) { m_entry = entry; }

private:
    BRxEntry* m_entry = nullptr;
};
