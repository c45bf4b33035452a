#pragma once
// The norm each standard's defaults follow, per kind.
#include "utx/UTxString16.h"

enum class DLxStdKind { Balloon, PartList, Datum, Id, FCF, SurfText };
enum class DLxStdWhich { ANSI, BSI, DIN, GB, ISO, JIS };

UTxString16 DLxNormTitle(DLxStdKind kind, DLxStdWhich standard);
