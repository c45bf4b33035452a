// The edit records of a parts list's layout, wrapping, order, grouping, members, bill of
// materials and filters.
#include "Request/DLxPartListEditReplay.h"

DLxRecordReplay DLxReplayLayoutRecord(DLxPartListEditReplay&, const UTxString16&) {
    return DLxRecordReplay::kNotMine;
}
