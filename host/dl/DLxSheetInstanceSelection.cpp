#include "dl/DLxSheetInstanceSelection.h"

#include "dl/DLxSheet.h"

DLxSheetInstanceSelection::DLxSheetInstanceSelection(DLxSheet* sheet) : m_sheet(sheet) {}

DLxSheetInstanceSelection::~DLxSheetInstanceSelection() = default;

DLxSheet* DLxSheetInstanceSelection::SheetInstance() const {
    return m_sheet.get();
}
