#pragma once
// Modal dialogs, headless. DoModal initialises the dialog and hands it to the process's modal
// runner, which plays the user: it reads and sets what the dialog shows, triggers its actions
// and ends it with EndDialog. A test installs a runner; without one nobody is there to answer
// and the dialog ends as cancelled (the program's case). The dialog's window exists from
// OnInitDialog until the run ends (OnDestroy, then PostNcDestroy).
#include <cstdint>
#include <functional>

#include "Afx.h"
#include "WinHandles.h"

class CDialog : public CCmdTarget {
public:
    using ModalRunner = std::function<void(CDialog&)>;

    explicit CDialog(uint32_t templateId, HWND parent = nullptr)
        : m_templateId(templateId), m_parent(parent) {}
    ~CDialog() override;

    uint32_t GetTemplateId() const { return m_templateId; }
    HWND GetParent() const { return m_parent; }

    // The code EndDialog was given; IDCANCEL when the runner left the dialog open.
    int32_t DoModal();
    void EndDialog(int32_t result);
    bool HasWindow() const { return m_hasWindow; }
    bool IsEnded() const { return m_ended; }

    virtual bool OnInitDialog() { return true; }
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnDestroy() {}
    virtual void PostNcDestroy() {}

    // Installs the runner of every modal run that starts from now on; answers the one before.
    static ModalRunner SetModalRunner(ModalRunner runner);

private:
    uint32_t m_templateId;
    HWND m_parent;
    int32_t m_result = 0;
    bool m_hasWindow = false;
    bool m_ended = false;
};
