#pragma once
// Questions the drawing library answers for requests before they run.
class DLxSheet;
class FWxSceneDoc;

class DLxUtil {
public:
    // Whether a request may change the document (and the sheet, when one is given): not without
    // a document, not in a deferred drawing (whose annotations wait until it is asked to update
    // them), not on a sheet of another document.
    static bool AllowRequestExecution(FWxSceneDoc* doc, DLxSheet* sheet);
};
