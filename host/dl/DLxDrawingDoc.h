#pragma once
// A drawing document: a scene document with the sheets of its drawing, each a fragment in a
// segment of its own, and whose static command is the drawing's select command.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fb/IFxObjectStyleSupport.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

struct DLxAssemblyData;
class BRxDocManager;
class BRxEntry;
class BRxFixedEntryType;
class DLxDrawing;
class DLxDrawingAssembly;
class DLxSelectCmd;
class DLxSheet;
class RSeDatabase;
class RSeIDed;

class DLxDrawingDoc : public FWxSceneDoc, public IFxObjectStyleSupport {
public:
    DLxDrawingDoc();
    explicit DLxDrawingDoc(std::unique_ptr<RSeDatabase> db);
    // A stored drawing, loaded and upgraded; no document on failure.
    static UTxResult Open(const std::string& path, std::unique_ptr<DLxDrawingDoc>& out);
    UTxResult Save(const std::string& path);
    ~DLxDrawingDoc() override;
    FWxDocCmd* GetStaticCommand() const override;
    // The drawing's.
    FWxStyle* FindStyle(const RSeMetaType* meta, const UTxString16& name) const override;
    UTxString16 GetStandardName() const override;
    std::vector<FWxStyle*> GetStyles() const override;
    bool AddStyle(FWxStyle* style) override;
    // The drawing.
    RSeIDed* GetRootObject() const override;
    // The tables whose state takes the style are computed again, and their sheets with them.
    void PostUpdateStyle(const RSeRef<FWxStyle>& style, bool postUpdate) override;
    // The component's representations in the drawing's assembly.
    std::vector<std::u16string> GetDesignViewNames(const RDxComponent* component) const override;
    DLxSelectCmd* GetSelectCmd() const { return m_select.get(); }
    // The views of the active sheet whose box (of their projected edges, grown by `tol`)
    // holds the point, the one whose centre is nearest first.
    std::vector<RSeIDed*> PickObjects(const WqGePoint3d& point, double tol) const override;

    // A new sheet at the end of the drawing; null when the name is empty or taken. It collects
    // the diagnoses of what computes on it (RDxObject::kCollectDiagnosesFlag).
    DLxSheet* CreateSheet(const UTxString16& name, double width, double height);
    struct SheetSpec {
        UTxString16 name;
        double width = 0.0;
        double height = 0.0;
    };
    // Sheets at the end of the drawing as CreateSheet makes them, in order; none at all when a
    // name is empty, taken or given twice. The names are checked in one pass, so that a
    // drawing of many sheets is made in time linear in their number.
    std::vector<DLxSheet*> CreateSheets(const std::vector<SheetSpec>& specs);
    std::vector<DLxSheet*> GetSheets() const;
    DLxSheet* FindSheet(const UTxString16& name) const;

    // The drawing's settings, in the first segment; a new document makes them, a stored one
    // written without them has none.
    DLxDrawing* GetDrawing() const;

    // The assembly the drawing documents, kept with its stored data; null when it has none.
    const DLxAssemblyData* GetAssembly() const;
    // Makes or replaces the drawing's assembly (an empty one removes it). False, changing
    // nothing, for an assembly that DLxAssemblyCheck finds unsound: what reads the drawing's
    // assembly relies on its soundness, and a stored drawing refuses to load an unsound one.
    bool SetAssembly(const DLxAssemblyData& data);

    // Parts lists that the model file places: the host reads them, the module makes them when
    // it sets the new document up (TakePartsListPlacements hands them over once). Not stored.
    struct PartsListPlacement {
        DLxSheet* sheet = nullptr;
        double x = 0.0;
        double y = 0.0;
        bool hasTitle = false;
        UTxString16 title;
    };
    void AddPartsListPlacement(const PartsListPlacement& placement) {
        m_partsListPlacements.push_back(placement);
    }
    std::vector<PartsListPlacement> TakePartsListPlacements() {
        return std::exchange(m_partsListPlacements, {});
    }

    // The model browser: the drawing, its sheets and their views, and the entries that
    // annotations store of themselves under their sheets. Rebuilt at each asking, so it
    // follows undo and redo; an entry stays the same object while its subject lives.
    enum EntryType : int32_t {
        kDrawingEntry = 0,
        kSheetEntry = 1,
        kViewEntry = 2,
        kPartsListEntry = 14,
        kCallOutFolderEntry = 30,
        kCallOutInstEntry = 31,
    };
    BRxDocManager* GetBrowser();
    // A deferred drawing does not update its annotations until asked; not stored.
    bool IsDocDeferred() const { return m_deferred; }
    void SetDocDeferred(bool deferred) { m_deferred = deferred; }
    // The sheet the user works on: the one made active, else the first; null without sheets.
    // Not stored.
    DLxSheet* GetActiveSheet() const;
    void SetActiveSheet(DLxSheet* sheet);
    // The type of the drawing's entries of that kind; null for a kind it has none of.
    static const BRxFixedEntryType* GetEntryType(int32_t type);
    // The browser's entry of a sheet, a view or an annotation with a stored entry; null for
    // anything else.
    BRxEntry* GetEntry(const RSeIDed* object);

private:
    std::vector<PartsListPlacement> m_partsListPlacements;
    DLxDrawingAssembly* FindAssembly() const;
    void FollowAssembly();
    DLxSheet* MakeSheet(const UTxString16& name, double width, double height);

    std::unique_ptr<DLxSelectCmd> m_select;
    std::unique_ptr<BRxDocManager> m_browser;
    bool m_deferred = false;
    RSeRefBase m_activeSheet;
};
