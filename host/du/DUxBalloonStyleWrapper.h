#pragma once
// Reads (and sets) a balloon's style for a symbol state: the style given to the wrapper, else
// the balloon style the state names. Without either, each getter answers its default (a
// circle of size 1.0, no scaling, no stretching, no styles, no items) and clears its `found`
// flag, so that callers can tell a default from a style's value; with a style it sets the flag.
#include <cstdint>
#include <vector>

#include "du/DUxBalloonStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"

class DUxLeaderStyleWrapper;
class DUxSymState;
class DUxTextStyleWrapper;

class DUxBalloonStyleWrapper {
public:
    DUxBalloonStyleWrapper(const RSeRef<DUxSymState>& state, const RSeRef<DUxBalloonStyle>& style)
        : m_state(state), m_style(style) {}

    // The style read: the given one, else the state's own when it is a balloon style.
    RSeRef<DUxBalloonStyle> Style() const;
    // Makes the style the state's own (the state records itself); later reads of this wrapper
    // take it too.
    void SetPrimaryStyle(const RSeRef<DUxBalloonStyle>& style);
    // Writes the type into the style read; nothing without one.
    void SetDefaultType(DUxBalloonStyle::EBalloonType type);

    DUxBalloonStyle::EBalloonType GetDefaultType(bool* found = nullptr) const;
    // Null when the style names no such style.
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyle(bool* found = nullptr) const;
    SmartPtr<DUxLeaderStyleWrapper> GetAltLeaderStyle(bool* found = nullptr) const;
    SmartPtr<DUxTextStyleWrapper> GetTextStyle(bool* found = nullptr) const;
    bool GetScaleToTextHeight(bool* found = nullptr) const;
    double GetSize(bool* found = nullptr) const;
    bool GetStretchBallonToText(bool* found = nullptr) const;
    double GetOffsetSpacing(bool* found = nullptr) const;
    // The style's own items (not copies), in order; empty without a style.
    void GetItems(std::vector<RSeRef<DUxTableStyleColumn>>& items) const;

private:
    const DUxBalloonStyle* Read(bool* found) const;

    RSeRef<DUxSymState> m_state;
    RSeRef<DUxBalloonStyle> m_style;
};
