#include "GeneralNote/DLxGeneralNoteSelection.h"

#include "GeneralNote/DLxGeneralNote.h"

DLxGeneralNoteSelection::DLxGeneralNoteSelection(DLxGeneralNote* note, const WqGePoint3d& point)
    : DUxEmblemSelection(note, point) {}

DLxGeneralNote* DLxGeneralNoteSelection::GetGeneralNote() const {
    return dynamic_cast<DLxGeneralNote*>(Emblem());
}
