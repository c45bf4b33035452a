#pragma once
// What the commands on a placed parts list share: the parts list the user selected, and the
// user's answers to their questions.
#include <cstdint>

#include "rse/RSeRef.h"

class DLxPartListTable;
class FWxSceneDoc;
struct DLxAssemblyData;

// The parts list of the first selection of the document's draw selection set; null without
// a document, a selection, or when the first selection is of another kind.
RSeRef<DLxPartListTable> GetSelectedPartList(FWxSceneDoc* doc);

namespace DLxPartListCmdUtil {
// The source model the parts list's bill lists (its representation); null without a state,
// a bill or a model.
const DLxAssemblyData* SourceModelOf(const DLxPartListTable* table);
// Empties the document's selection sets once a command acted on the selection.
void ClearSelection(FWxSceneDoc* doc);
// Makes the sheet that holds the table the drawing's active one.
void ActivateSheetOf(const DLxPartListTable* table);
// Tells the user why an action failed.
void ReportFailure(const char16_t* what, const char16_t* why);
} // namespace DLxPartListCmdUtil
