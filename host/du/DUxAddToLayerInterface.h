#pragma once
// How an annotation puts its graphics on its layer after it has drawn.
#include <cstdint>

class DUxAddToLayerInterface {
public:
    // 0: keep what the items carry; 1: clear their attribute stacks first.
    enum CleanUpDisposition : int32_t { kKeepAttributes = 0, kCleanAttributes = 1 };
    virtual ~DUxAddToLayerInterface() = default;
    virtual void AddToLayer(CleanUpDisposition disposition) = 0;
};
