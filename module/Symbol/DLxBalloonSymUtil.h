#pragma once
// What balloons ask of the drawing's local bill of materials: the row a cookie or a structure
// node designates, a row's item number (its ITEM column), a balloon's stacking direction from
// its leader, and the rows that some balloon numbers.
#include <set>

#include "Standard/DLxBomStdInfo.h"
#include "Standard/DLxCBalloon.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxBalloonSymInstance;
class DLxBalloonSymState;
class DLxLocalBOM;
class DLxStructureNode;
class DUxLeaderNodeTree;

namespace DLxBalloonSymUtil {
// The visible row of a valid cookie among the whole bill's rows (custom ones included); none
// for an invalid cookie or without a bill.
DLxCBalloonRow GetBOMRow(const RSeRef<DLxLocalBOM>& bom, const DLxLocalBOMCookie& cookie);
// The row of the node's occurrence; for the root, which is no occurrence, the first row of the
// bill without its custom rows. None when the node or the bill is missing or nothing is found.
DLxCBalloonRow GetBOMRow(const RSeRef<DLxLocalBOM>& bom, const RSeRef<DLxStructureNode>& node);
// The item number of the row found as GetBOMRow finds it; false when there is no row (an empty
// number is still a row's).
bool GetComponentTag(const RSeRef<DLxLocalBOM>& bom, const RSeRef<DLxStructureNode>& node,
                     UTxString16& out);
bool GetComponentTag(const RSeRef<DLxLocalBOM>& bom, const DLxLocalBOMCookie& cookie,
                     UTxString16& out);
// The item number of an entry of the balloon, its row found by its node when it has one, else
// by its cookie; false without the state's bill or a row.
bool GetBalloonTag(const RSeRef<DLxBalloonSymState>& state, const RSeRef<DLxCBalloon>& entry,
                   UTxString16& out);
// The stacking direction that the leader's last segment (root to its first child) gives: 4
// when it ends towards +x (or vertically), else 0; 4 without a leader or a root. With
// `straighten`, a last segment within about 3 degrees of an axis is put onto that axis through
// the child (the direction still comes from the segment as it was).
DLxBomStdInfo::EDirection CalcBalloonDirection(DUxLeaderNodeTree* leader, bool straighten);
// The same for the balloon's first leader; 4 for null.
DLxBomStdInfo::EDirection CalcBalloonDirection(const RSeRef<DLxBalloonSymInstance>& balloon,
                                               bool straighten);
// The rows numbered by the balloons registered with the bill (placed balloon instances), each
// once: an entry with a node
// names the row its node finds (nothing when it finds none), any other its own cookie.
void GetBalloonCookies(const RSeRef<DLxLocalBOM>& bom, std::set<DLxLocalBOMCookie>& out);
} // namespace DLxBalloonSymUtil
