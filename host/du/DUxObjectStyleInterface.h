#pragma once
// What an annotation answers about its own style: the layer style wrapper that colours and
// hides it. Every annotation kind supplies it.
#include "fw/SmartPtr.h"

class DUxLayerStyleAbstract;

class DUxObjectStyleInterface {
public:
    virtual ~DUxObjectStyleInterface() = default;
    virtual SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() = 0;
};
