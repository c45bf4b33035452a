#pragma once
// An event on a component instance of an assembly (the numbers are the host's: 26 and 27 tell
// that instances of the subject changed).
#include "rse/RSeNotifier.h"

class RDxComponentInstanceEvent : public RSeEvent {
public:
    using RSeEvent::RSeEvent;
};
