#include "du/DUxSurfaceTextureStyle.h"

#include "rse/RSeTransaction.h"

void DUxSurfaceTextureStyle::Prepare() {
    RSe::PrepareWrite(this);
}
