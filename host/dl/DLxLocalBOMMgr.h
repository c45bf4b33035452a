#pragma once
// Finds and makes the local bills of materials of a drawing: stored objects in the document's
// first segment, one per scheme, each attached to the drawing's assembly when it is asked for.
#include <cstdint>
#include <vector>

#include "utx/UTxResult.h"

class DLxLocalBOM;
class RSeIDed;
class DLxLocalBOMSetup;
class DLxDrawingDoc;
class DLxViewInstance;
class RSeDatabase;
struct DLxAssemblyData;

constexpr UTxResultCode kDLxErrBOMNoAssembly = UTxResult::MakeCode(UTxSeverityError, 9, 0xC01);
constexpr UTxResultCode kDLxErrBOMScheme = UTxResult::MakeCode(UTxSeverityError, 9, 0xC02);

class DLxLocalBOMMgr {
public:
    // The drawing's bill of that scheme, attached to `assembly` (which must outlive the
    // attachment); made when `create` and there is none. Null for an empty assembly, a scheme
    // the assembly has not enabled, or none found without `create`.
    static DLxLocalBOM* GetLocalBOM(RSeDatabase* db, const DLxAssemblyData& assembly,
                                    int32_t scheme, bool create);
    // The same for the scheme a parts list's numbering setup names.
    static DLxLocalBOM* GetLocalBOM(RSeDatabase* db, const DLxAssemblyData& assembly,
                                    const DLxLocalBOMSetup& setup, bool create);
    // Every bill of the drawing, in id order; the first of them, or null.
    static std::vector<DLxLocalBOM*> GetLocalBOMs(RSeDatabase* db);
    static DLxLocalBOM* GetAnyLocalBOM(RSeDatabase* db);
    // The bill an annotation was placed from (the first that has it registered); null for
    // none.
    static DLxLocalBOM* GetLocalBOM(const RSeIDed* annotation);

    static bool HasSchemeEnabled(const DLxAssemblyData& assembly, int32_t scheme);
    // Whether changes may be written into the source model (the representation a bill
    // lists): any model this host holds may, none (null) may not.
    static bool CanUpdateMasterRep(const DLxAssemblyData* rep);
    // Offers the user to save a source model that a change wrote into; answers the button
    // chosen (IDYES saves), 0 for no model. The drawing keeps its own copy: the program saves
    // it with the drawing.
    static int32_t PromptSaveMasterRep(const DLxAssemblyData* rep);
    // Turns a scheme on in the model's settings (all levels applies to the structured one).
    static UTxResult EnableBomSchema(DLxAssemblyData& assembly, int32_t scheme, bool allLevels);
    // The model's root is a part document, not an assembly.
    static bool IsFromPartOnlyDocument(const DLxAssemblyData& assembly);
    // Deletes the bill with everything stored in it.
    static UTxResult RemoveLocalBOM(DLxLocalBOM* bom);
    // Deletes the bills whose scheme the assembly no longer has enabled; answers how many.
    static int32_t CleanUnusedBOMData(RSeDatabase* db, const DLxAssemblyData& assembly);
    // The model a view of the drawing shows: the drawing's assembly, for a view on one of its
    // sheets, when that assembly is not empty; null otherwise. A view is online when it has one.
    static const DLxAssemblyData* GetAssemblyRepFromView(const DLxDrawingDoc* doc,
                                                         const DLxViewInstance* view);
    static bool IsViewOnline(const DLxDrawingDoc* doc, const DLxViewInstance* view) {
        return GetAssemblyRepFromView(doc, view) != nullptr;
    }
};
