#pragma once
// The selection of a sheet as a whole: where pasted annotations go.
#include "fw/FWxSelection.h"
#include "rse/RSeRef.h"

class DLxSheet;

class DLxSheetInstanceSelection : public FWxSelection {
public:
    explicit DLxSheetInstanceSelection(DLxSheet* sheet);
    ~DLxSheetInstanceSelection() override;
    // Null once the sheet is gone.
    DLxSheet* SheetInstance() const;

private:
    RSeRef<DLxSheet> m_sheet;
};
