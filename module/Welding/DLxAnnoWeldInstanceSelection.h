#pragma once
// The selection of a 3D weld annotation: the annotation and the id of the drawn item picked
// (a caterpillar stroke, an end-treatment curve or point). Copies keep both.
#include <cstdint>

#include "du/DUxEmblemSelection.h"
#include "rse/RSeRef.h"

class DLxAnnoWeldInstance;

class DLxAnnoWeldInstanceSelection : public DUxEmblemSelection {
public:
    DLxAnnoWeldInstanceSelection(DLxAnnoWeldInstance* weld, const WqGePoint3d& point,
                                 int32_t itemId);
    DLxAnnoWeldInstanceSelection(const DLxAnnoWeldInstanceSelection&) = default;
    DLxAnnoWeldInstanceSelection& operator=(const DLxAnnoWeldInstanceSelection&) = default;

    int32_t GetItemID() const { return m_itemId; }
    // Null once the annotation is gone.
    DLxAnnoWeldInstance* GetAnnoWeld() const { return m_weld.get(); }

private:
    int32_t m_itemId;
    RSeRef<DLxAnnoWeldInstance> m_weld;
};
