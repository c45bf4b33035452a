#include "dc/RDxState.h"

#include "rse/RSeTransaction.h"

void RDxState::BeginValueChange() {
    RSe::PrepareWrite(this);
    MarkEdited(true);
}
