#include "du/DUxEmblem.h"

#include "du/DUxArrowHead.h"

void DUxEmblem::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>&) {}
