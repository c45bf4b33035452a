#pragma once
// Interfaces that the host and its modules publish to each other, each known by a GUID. A
// caller finds an implementation in an interface set by the GUID and calls its operations; an
// argument that is null, or not of the kind an operation wants, makes it answer false, null or
// zero, and change nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxGUID.h"

class BRxEntry;
class DLxDrawingDoc;
class DLxSketch;
class DLxSketchInstance;
class DLxViewInstance;
class DUxAnnotationInstance;
class DUxTableStyleColumn;

class IFxInterface {
public:
    virtual ~IFxInterface() = default;
};

// Balloon and parts-list services of a drawing document.
class IFxBalloonComp : public IFxInterface {
public:
    virtual bool IsBalloon(DUxAnnotationInstance* annotation) const = 0;
    virtual bool IsPartListTable(DUxAnnotationInstance* annotation) const = 0;
    // The views of a placed symbol's anchors in anchor order, a view repeated only when some
    // other view comes between; `views` is emptied first.
    virtual void GetAnchorViews(DUxAnnotationInstance* annotation,
                                std::vector<DLxViewInstance*>& views) const = 0;
    // The members a parts list lists; `members` is emptied first.
    virtual bool GetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                            std::vector<std::u16string>& members) const = 0;
    // Lists these members, keeping whether rows of zero quantity are hidden.
    virtual bool SetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                            const std::vector<std::u16string>& members) = 0;
    // New copies of a parts list's columns, in the transient segment or else in the table
    // state's, the caller's to free; `columns` is left as it was for anything else.
    virtual bool GetPartListColumns(DUxAnnotationInstance* annotation,
                                    std::vector<RSeRef<DUxTableStyleColumn>>& columns,
                                    bool transient) const = 0;
    // Renames the browser entries of the sketched symbols placed from `sketch` to its name:
    // those still named `oldName`, or all of them with `force`. Answers how many changed.
    virtual int32_t RenameCallOutEntries(DLxDrawingDoc* doc, DLxSketch* sketch,
                                         const std::u16string& oldName, bool force) = 0;
    // The placement of a sketched symbol's sketch.
    virtual DLxSketchInstance*
    GetCallOutSketchInstance(DUxAnnotationInstance* annotation) const = 0;
};

// Browser updates of a drawing document.
class IFxBrowserUtils : public IFxInterface {
public:
    // Lets the module mark its entries for redrawing when the browser reports an event.
    virtual void OnBrowserEntryEvent(BRxEntry* entry, int32_t eventCode) = 0;
};

// Geometry of 3D weld annotations in a drawing document.
class IFxDLAnnoGeometry : public IFxInterface {};
// The weld-annotation proxy, once per process.
class IFxAnnoWeldProxy : public IFxInterface {
public:
    // After the host has generated a view anew: the weld symbols that follow the model's welds
    // in it and lost their edges are put back on edges of their welds and recomputed. Answers
    // how many were.
    virtual int32_t OnViewUpdated(DLxViewInstance* view) = 0;
};

const UTxGUID& UTxGuidForIFxBalloonComp();
const UTxGUID& UTxGuidForIFxBrowserUtils();
const UTxGUID& UTxGuidForIFxDLAnnoGeometry();
const UTxGUID& UTxGuidForIFxAnnoWeldProxy();
