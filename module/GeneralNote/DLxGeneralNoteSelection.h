#pragma once
// The selection of a general note.
#include "du/DUxEmblemSelection.h"

class DLxGeneralNote;

class DLxGeneralNoteSelection : public DUxEmblemSelection {
public:
    DLxGeneralNoteSelection(DLxGeneralNote* note, const WqGePoint3d& point);
    DLxGeneralNote* GetGeneralNote() const;
};
