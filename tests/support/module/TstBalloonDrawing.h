#pragma once
// A drawing of the bracket assembly (KorvuBOMFixture.h) with its structured local bill, its
// structure nodes, a sheet and the document's balloon style, for tests of balloons: balloon
// states made on the sheet number rows of that bill.
#include <cstdint>
#include <vector>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOMCookie.h"
#include "du/DUxTableStyleColumn.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxBalloonSymInstance;
class DLxBalloonSymState;
class DLxCBalloon;
class DLxLocalBOM;
class DLxSheet;
class DLxStructureNode;
class DLxTagManager;
class DUxBalloonStyle;
class RSeSegment;

namespace TstBalloon {

// Occurrences of the bracket assembly: the first bolt (row 4), the motor (row 7), the cover
// (row 8) and its plate (row 8.1).
constexpr int32_t kFirstBoltOcc = 105, kSecondBoltOcc = 106, kNutOcc = 113, kMotorOcc = 114,
                  kCoverOcc = 115, kPlateOcc = 116;

// A parts-list property: 1 item, 2 quantity, 6 part number, 7 description.
DUxStyleFormatColumnPropertyID Prop(const char16_t* id, const char16_t* heading = u"");

struct Drawing {
    explicit Drawing(const DLxAssemblyData& model);
    Drawing();

    RSeRef<DLxStructureNode> Node(int32_t occurrence) const;
    // A balloon state on the sheet, styled by the document's balloon style, numbering from the
    // bill, its primary entry for the node (with the cookie) at the origin.
    DLxBalloonSymState* Balloon(const RSeRef<DLxStructureNode>& node,
                                const DLxLocalBOMCookie& cookie = {});
    // A whole balloon placed on the sheet as the creating request places it: CreateInstance
    // with the document's balloon style and a leader from `end` to `root`, bound to the bill,
    // registered for the sheet, its used properties brought up to date. Null when creation
    // failed.
    DLxBalloonSymInstance* Place(const RSeRef<DLxStructureNode>& node,
                                 const DLxLocalBOMCookie& cookie = {},
                                 const WqGePoint3d& end = {100, 100, 0},
                                 const WqGePoint3d& root = {120, 120, 0});
    // The style's items become parts-list columns of these properties.
    void SetItems(const std::vector<DUxStyleFormatColumnPropertyID>& properties);
    RSeSegment* Segment() const;

    DLxDrawingDoc doc;
    DLxLocalBOM* bom = nullptr;
    DLxTagManager* tags = nullptr;
    DLxSheet* sheet = nullptr;
    DUxBalloonStyle* style = nullptr;
};

} // namespace TstBalloon
