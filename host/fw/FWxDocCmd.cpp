#include "fw/FWxDocCmd.h"

FWxDocCmd::~FWxDocCmd() = default;
