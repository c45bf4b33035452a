// The edit records of rows, cells, columns and headers of a parts list.
#include "Request/DLxPartListEditReplay.h"

DLxRecordReplay DLxReplayRowAndColumnRecord(DLxPartListEditReplay&, const UTxString16&) {
    return DLxRecordReplay::kNotMine;
}
