#pragma once
// Questions a drawing's requests ask before they change anything.
class DLxSheet;
class FWxSceneDoc;

class DLxUtil {
public:
    // Whether a request may change the document (and the sheet, when one is given): the
    // document must be a drawing whose annotations are not deferred, and the sheet one of its
    // own.
    static bool AllowRequestExecution(const FWxSceneDoc* doc, const DLxSheet* sheet = nullptr);
};
