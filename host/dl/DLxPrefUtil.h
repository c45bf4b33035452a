#pragma once
// The application's preferences that the drawing code reads. They belong to the user, not to a
// document: nothing here is stored with a drawing or journalled.
class DLxPrefUtil {
public:
    // Whether annotations attached to suppressed views are suppressed with them (hidden, not
    // flagged as sick). On unless the user turns it off.
    static bool GetSuppressAnnotations();
    static void SetSuppressAnnotations(bool on);
};
