#include "fw/FWxCommand.h"

FWxCommand::~FWxCommand() = default;

bool FWxCommand::OnCmdMsg(int32_t, int32_t, void*) {
    return false;
}
