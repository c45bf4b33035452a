#include "dl/DLxActivateSheetRequest.h"

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxErrors.h"

IMPLEMENT_DYNAMIC(DLxActivateSheetRequest, FWxChangeRequest)

DLxActivateSheetRequest::DLxActivateSheetRequest(DLxSheet* sheet) : m_sheet(sheet) {}

DLxActivateSheetRequest::~DLxActivateSheetRequest() = default;

UTxResult DLxActivateSheetRequest::ValidateInputs(FWxSceneDoc* doc) {
    DLxSheet* sheet = m_sheet.get();
    if (!sheet || !dynamic_cast<DLxDrawingDoc*>(doc) || FWxDocUtil::DocumentOf(sheet) != doc)
        return UTxResult(kFWxErrNotPermitted, u"no sheet of this drawing");
    return {};
}

UTxResult DLxActivateSheetRequest::_Execute(FWxSceneDoc* doc) {
    static_cast<DLxDrawingDoc*>(doc)->SetActiveSheet(m_sheet.get());
    return {};
}
