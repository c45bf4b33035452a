#pragma once
// Scripted user input: what a user does with the mouse and keys on a drawing, played on a
// document after its transcript, through the module's own manipulators and dialogs. Each drag
// that ends and each dialog closed with OK hands the document its request, which runs and is
// journalled like any other.
//
// One action a line; blank lines and lines starting with '#' are skipped:
//   drag "KEY" X,Y -> X,Y [-> X,Y ...] [esc]
// presses the button on the annotation named KEY (its object name key, as `korvu dump` prints
// it) at the first point, which must lie on one of its hot points (a leader end, vertex or
// root), moves the cursor through the other points and releases it at the last one; with
// "esc" the key is pressed instead of releasing, and the drag changes nothing.
//   edit "KEY"
//     type ID "TEXT" | choose ID VALUE | click ID      (any number, in order)
//     ok | cancel
// opens the annotation's dialog as a double-click does and plays the lines in it: text typed at
// the end of control ID, a value chosen in a chooser (a symbol picker takes a symbol code), a
// button clicked; OK hands the document the edit, Cancel leaves the drawing as it was.
#include <string>

class DLxDrawingDoc;

// False with a message naming the file and line of the first action that failed; the actions
// before it stay done.
bool KorvuPlayInput(DLxDrawingDoc& doc, const std::string& path, std::string& why);
