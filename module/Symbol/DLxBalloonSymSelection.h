#pragma once
// The selection of a balloon symbol: a table-callout selection that also names the balloon of
// the stack nearest the pick.
#include "Symbol/DLxTableCalloutBaseSelection.h"
#include "rse/RSeRef.h"

class DLxBalloonSymInstance;
class DLxCBalloon;

class DLxBalloonSymSelection : public DLxTableCalloutBaseSelection {
public:
    // The balloon is the one of the stack nearest `point`.
    DLxBalloonSymSelection(DLxBalloonSymInstance* symbol, const WqGePoint3d& point);
    // Null once the balloon symbol is gone.
    DLxBalloonSymInstance* GetBalloonSymbol() const;
    // Null once that balloon is gone.
    DLxCBalloon* GetBalloon() const;

private:
    RSeRef<DLxCBalloon> m_balloon;
};
