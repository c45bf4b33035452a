#pragma once
// Line styles of a document: the pen (colour, weight, line type) that each kind of line takes
// under each drafting standard, and the pens that single objects are given in place of their
// kind's. Line styles are state of the document: stored in its table (DUxLineStyleTable),
// saved, and undone like any change; a document that set none draws every kind with the
// default pen.
#include <cstdint>

#include "sm/SMxColor.h"

class FWxSceneDoc;
class RSeIDed;
class UTxGUID;

struct DUxLineStyle {
    SMxColor color;
    // Hundredths of a millimetre and a line type id; 0 is the default.
    int32_t lineWeight = 0;
    int32_t lineType = 0;

    bool operator==(const DUxLineStyle&) const = default;
};

// The kinds of lines that have a style of their own.
class DUxLineStyleID {
public:
    static int32_t GetSymbolID() { return kSymbol; }
    static int32_t GetLeaderLineID() { return kLeaderLine; }

private:
    static constexpr int32_t kSymbol = 1;
    static constexpr int32_t kLeaderLine = 2;
};

class DUxLineStyleUtil {
public:
    // The document's style of a kind of line under a standard; the default pen when none was
    // set (and without a document).
    static DUxLineStyle GetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard);
    static void SetStyle(FWxSceneDoc* doc, int32_t id, const UTxGUID& standard,
                         const DUxLineStyle& style);
    // The style the document gives this one object in place of its kind's; false when none.
    static bool GetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                       DUxLineStyle& style);
    static void SetOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc,
                                       const DUxLineStyle& style);
    static void ClearOverloadedLineStyle(const RSeIDed* object, FWxSceneDoc* doc);
};
