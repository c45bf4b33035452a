#pragma once
#include "utx/UTxString16.h"

class UTxUtil {
public:
    // Full path of a resource library by its Windows file name: "KorvuRes.dll" becomes
    // "libKorvuRes.so" in $KORVU_RESOURCE_DIR when that is set, else beside libkorvuhost.so.
    // A name without ".dll" is kept as it is.
    static UTxString16 GetResourceDLLPathName(const UTxString16& fileName);
};
