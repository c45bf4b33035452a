#include "Symbol/DLxBalloonSymSelection.h"

#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"

DLxBalloonSymSelection::DLxBalloonSymSelection(DLxBalloonSymInstance* symbol,
                                               const WqGePoint3d& point)
    : DLxTableCalloutBaseSelection(symbol, point) {
    if (symbol) m_balloon = symbol->GetClosestBalloon(point);
}

DLxBalloonSymInstance* DLxBalloonSymSelection::GetBalloonSymbol() const {
    return dynamic_cast<DLxBalloonSymInstance*>(Emblem());
}

DLxCBalloon* DLxBalloonSymSelection::GetBalloon() const {
    return m_balloon.get();
}
