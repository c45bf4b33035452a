#pragma once
// The interfaces the module publishes in each drawing document, found by their GUIDs. They hold
// nothing: each operation checks its arguments and asks the annotation kinds.
#include "fw/IFxInterfaces.h"
#include "rse/RSeInterface.h"
#include "rse/RSeVMeta.h"

// An object of the document's database that is not stored: it is made anew for each document.
class KorvuDocInterfaceBase : public RSeVMeta {
public:
    RSeMetaType* GetMeta() const override;
};

class KorvuIFxBalloonComp : public KorvuDocInterfaceBase,
                            public IFxBalloonComp,
                            public RSeInterface {
public:
    KorvuIFxBalloonComp();
    bool IsBalloon(DUxAnnotationInstance* annotation) const override;
    bool IsPartListTable(DUxAnnotationInstance* annotation) const override;
    void GetAnchorViews(DUxAnnotationInstance* annotation,
                        std::vector<DLxViewInstance*>& views) const override;
    bool GetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                    std::vector<std::u16string>& members) const override;
    bool SetPartListSelectedMembers(DUxAnnotationInstance* annotation,
                                    const std::vector<std::u16string>& members) override;
    bool GetPartListColumns(DUxAnnotationInstance* annotation,
                            std::vector<RSeRef<DUxTableStyleColumn>>& columns,
                            bool transient) const override;
    int32_t RenameCallOutEntries(DLxDrawingDoc* doc, DLxSketch* sketch,
                                 const std::u16string& oldName, bool force) override;
    DLxSketchInstance* GetCallOutSketchInstance(DUxAnnotationInstance* annotation) const override;
};

class KorvuIFxBrowserUtils : public KorvuDocInterfaceBase,
                             public IFxBrowserUtils,
                             public RSeInterface {
public:
    KorvuIFxBrowserUtils();
    // A parts list's entry is marked modified on the events that change what it shows (10,
    // 26, 27 and 45); everything else is ignored.
    void OnBrowserEntryEvent(BRxEntry* entry, int32_t eventCode) override;
};

class KorvuWeldIFxDLAnnoGeometry : public KorvuDocInterfaceBase,
                                   public IFxDLAnnoGeometry,
                                   public RSeInterface {
public:
    KorvuWeldIFxDLAnnoGeometry();
};
