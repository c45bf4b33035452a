#pragma once
// The selection of an emblem picked at a point; kinds derive their own selection classes.
#include "du/DUxEmblem.h"
#include "fw/FWxSelection.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DUxEmblemSelection : public FWxSelection {
public:
    DUxEmblemSelection(DUxEmblem* emblem, const WqGePoint3d& point)
        : m_emblem(emblem), m_point(point) {}
    // Null once the emblem is gone.
    DUxEmblem* Emblem() const { return m_emblem.get(); }
    const WqGePoint3d& GetPickPoint() const { return m_point; }

private:
    RSeRef<DUxEmblem> m_emblem;
    WqGePoint3d m_point;
};
