#pragma once
// Services of the drawing library for annotations: the sick colour that marks an annotation
// whose geometry is gone, and the clean-up of the dimensions of a view after its annotations
// moved.
#include <cstdint>

#include "sm/SMxColor.h"
#include "utx/UTxResult.h"

class DLxSheet;
class DLxViewInstance;
class FWxSceneDoc;
class RDxFragment;
class RDxInstance;
class SMxDisplayList;

class DLxAnnotationUtil {
public:
    // Magenta: no drafting standard gives it to annotations, so a sick one stands out on any
    // sheet, on screen and on paper.
    static constexpr SMxColor kSickColor = SMxColor::FromRgba(0xC0, 0x00, 0xC0);

    // Shows everything the list draws in the sick colour (a highlight on its attribute stack,
    // which styling leaves alone), or stops doing so.
    static void SetAnnotationSickColor(SMxDisplayList& list);
    static void UnsetAnnotationSickColor(SMxDisplayList& list);
    static bool IsAnnotationSickColored(const SMxDisplayList& list);

    // Asks the dimensions of the view to clip their lines again against the annotations around
    // them (DUxEmblem::CleanupArrowHeadExtLines). The dimensions are the emblems that the
    // dimension proxies of the view's sheet belong to (a proxy does not know its view), each
    // asked once; this host draws no dimensions of its own, so there are often none. Answers how
    // many were asked; nothing without a view.
    static int32_t DimCleanup(DLxViewInstance* view);

    // The sheet the user works on in a drawing document (DLxDrawingDoc::GetActiveSheet); null
    // for another document or a drawing without sheets.
    static DLxSheet* GetActiveSheetInstance(FWxSceneDoc* doc);
    // The sheet a fragment is: annotations lie on their sheet's fragment. Null for any other
    // fragment.
    static DLxSheet* GetContainingSheetInstance(RDxFragment* fragment);
    // Recomputes the active sheet of the document; `kind` says what changed and is handed to
    // the nodes as the sheet change type ("DLxSheetChangeTypeAttr"). Nothing without one.
    static UTxResult UpdateActiveSheet(FWxSceneDoc* doc, int32_t kind);

    // Deletes an annotation and its input states: through its fragment when they are in it,
    // else from the store.
    static void DeleteWithStates(RDxInstance* instance);
};
