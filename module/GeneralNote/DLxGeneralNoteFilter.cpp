#include "GeneralNote/DLxGeneralNoteFilter.h"

#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "dl/DLxUIUtil.h"
#include "fw/FWxDocUtil.h"

DLxGeneralNoteFilter::DLxGeneralNoteFilter(ESubType value)
    : SMxTypeFilterItem(kFilterType), m_value(value) {}

SmartPtr<FWxSelection> DLxGeneralNoteFilter::Select(RSeIDed& object,
                                                    const WqGePoint3d& point) const {
    auto* note = dynamic_cast<DLxGeneralNote*>(&object);
    if (!note || !IsEnabled()) return nullptr;
    // A sketch being edited takes the picks for itself.
    if (DLxUIUtil::IsSketchActive(FWxDocUtil::DocumentOf(note))) return nullptr;
    return DLxGeneralNoteSelector(note).Select(point);
}
