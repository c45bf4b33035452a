#include "dl/DLxPrefUtil.h"

namespace {
bool s_suppressAnnotations = true;
} // namespace

bool DLxPrefUtil::GetSuppressAnnotations() {
    return s_suppressAnnotations;
}

void DLxPrefUtil::SetSuppressAnnotations(bool on) {
    s_suppressAnnotations = on;
}
