#pragma once
// Base of the drawing's drag manipulators that end their drag with a change request. The
// manipulator attaches its request at EndDrag (SetRequest); whoever drives the drag runs it in
// the document (ProcessRequest) and then lets the manipulator tidy up (PostRequest). A drag of
// several selected objects at once is a multiple selection: the manipulators then move rather
// than reshape.
#include <cstdint>

#include "fw/FWxChangeRequest.h"
#include "fw/SmartPtr.h"
#include "sm/SMxManipulator.h"
#include "utx/UTxResult.h"

class FWxSceneDoc;
class FWxSelection;

class DLxManipulator : public SMxManipulator {
public:
    // Selection classes: what a pick on the object's graphics offers.
    enum EClass : int32_t { kClassHotPoint = 1, kClassObject = 5 };

    DLxManipulator(int32_t selectionClass, FWxSelection* selection)
        : m_class(selectionClass), m_selection(selection) {}
    ~DLxManipulator() override;

    int32_t GetSelectionClass() const { return m_class; }
    FWxSelection* GetSelection() const { return m_selection; }

    bool IsMultipleSelections() const { return m_multiple; }
    void SetMultipleSelections(bool on) { m_multiple = on; }

    void SetRequest(const SmartPtr<FWxChangeRequest>& request);
    const SmartPtr<FWxChangeRequest>& GetRequest() const { return m_request; }

    // After the request ran (or failed); true when the manipulator tidied up.
    virtual bool PostRequest() { return true; }
    // A double-click on the object; true when handled.
    virtual bool StartDialog() { return false; }
    // The cursor and the prompt's string id the drag shows (0: the host's own).
    virtual int32_t GetPromptCursor() const { return 0; }
    virtual int32_t GetPromptText() const { return 0; }

    // Runs the attached request in `doc` and then PostRequest; success when nothing is
    // attached. The request is handed on once: a second call does nothing.
    UTxResult ProcessRequest(FWxSceneDoc* doc);

private:
    int32_t m_class;
    FWxSelection* m_selection; // the selection owns the manipulator, not the other way round
    bool m_multiple = false;
    SmartPtr<FWxChangeRequest> m_request;
};
