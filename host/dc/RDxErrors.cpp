#include "dc/RDxErrors.h"

namespace {
struct Messages {
    Messages() {
        auto add = [](UTxResultCode code, const char16_t* text) {
            UTx::RegisterMessage(kRDxLibrary, UTxResult::IdOf(code), text);
        };
        add(kRDxErrRecompute, u"Some objects could not be brought up to date");
        add(kRDxErrCycle, u"Objects depend on each other in a circle");
        add(kRDxErrNoTemplate, u"The template of an instance is not available");
        add(kRDxErrInputCount, u"An instance has the wrong number of inputs");
        add(kRDxErrMissingInput, u"An input of an instance is missing");
        add(kRDxErrTwoWriters, u"The value is computed by another constraint already");
        add(kRDxErrBadOutput, u"The value cannot be an output of this constraint");
    }
} g_messages;
} // namespace
