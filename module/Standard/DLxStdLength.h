#pragma once
// The drafting standards' length defaults are the original's numbers, written in its model unit,
// the centimetre; our sheets are laid out in millimetres. A standard converts its factory lengths
// here, once, as it sets them: what it then holds, copies into styles, stores and transcribes is
// sheet millimetres, and no reader converts again. Stored documents keep the numbers they hold;
// only new factory values go through this.
constexpr double kDLxStdSheetMmPerCm = 10.0;

constexpr double DLxStdCm(double centimetres) {
    return centimetres * kDLxStdSheetMmPerCm;
}
