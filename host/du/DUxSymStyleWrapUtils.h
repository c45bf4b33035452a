#pragma once
// Where a symbol finds its style: the style set on its state, or else the document's style for
// the kind, which is the one named after the drawing's standard (ANSI when the drawing names
// none). A document without such a style gives none: callers draw nothing and refuse requests
// that need one.
#include <memory>

#include "du/DUxFeatureControlFrameStyle.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"

class DUxBalloonStyle;
class DUxBalloonStyleWrapper;
class DUxSymState;
class DUxWeldStyleWrapper;
class FWxSceneDoc;
class RDxObject;

class DUxSymStyleWrapUtils {
public:
    // The frame style of `object` (a frame state, through DUxSymState::GetStyle) or, failing
    // that, of `doc` (the object's own document when null); the wrapper reads it on behalf of
    // `object`. Null when there is none.
    static std::unique_ptr<DUxFeatureControlFrameStyleWrapper>
    GetFCFStyle(const RDxObject* object, FWxSceneDoc* doc = nullptr);
    // The document's frame style: the one named after the drawing's standard. Null without.
    static DUxFeatureControlFrameStyle* GetDocumentFCFStyle(FWxSceneDoc* doc);
    // The balloon-style wrapper of `object` (a symbol state; null for any other object): it
    // reads the state's own balloon style, or, when `doc` is given and the state names none,
    // the document's balloon style. The wrapper may find no style at all.
    static std::unique_ptr<DUxBalloonStyleWrapper> GetBalloonStyle(const RDxObject* object,
                                                                   FWxSceneDoc* doc = nullptr);
    // The document's balloon style: the one named after the drawing's standard, ISO when the
    // drawing names none (found, never made). Null without.
    static DUxBalloonStyle* GetDocumentBalloonStyle(FWxSceneDoc* doc);
    // The weld-style wrapper of `object` (a weld state; null for any other object): the
    // state's own weld style, else `doc`'s (the state's own document when null).
    static std::unique_ptr<DUxWeldStyleWrapper> GetWeldStyle(const RDxObject* object,
                                                             FWxSceneDoc* doc = nullptr);
};

class FBxLayerStyle;
class FWxStyle;
class DUxTableStateBase;
class DUxLayerStyleAbstract;

// Which layer an annotation's state is on.
class DUxStyleUtil {
public:
    // Puts the state on the layer (null: on none).
    static void SetLayerStyle(DUxSymState* state, const FBxLayerStyle* layer);
    static FBxLayerStyle* GetLayerStyle(const DUxSymState* state);
    // The object style the annotation answers: its layer's visibility and colour, or a visible
    // black layer when it is on none.
    static SmartPtr<DUxLayerStyleAbstract> LayerStyleWrapper(const DUxSymState* state);
    // The same for a table.
    static void SetLayerStyle(DUxTableStateBase* state, const FBxLayerStyle* layer);
    static FBxLayerStyle* GetLayerStyle(const DUxTableStateBase* state);
    static SmartPtr<DUxLayerStyleAbstract> LayerStyleWrapper(const DUxTableStateBase* state);

    // The style and layer the user chose as active in the document's choosers (new
    // annotations take them); a choice of the user interface, never stored. Null when none
    // was chosen, or when it is gone.
    static FWxStyle* GetDocActiveStyle(FWxSceneDoc* doc);
    static void SetDocActiveStyle(FWxSceneDoc* doc, FWxStyle* style);
    static FBxLayerStyle* GetDocActiveLayer(FWxSceneDoc* doc);
    static void SetDocActiveLayer(FWxSceneDoc* doc, FBxLayerStyle* layer);
};
