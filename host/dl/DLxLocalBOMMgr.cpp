#include "dl/DLxLocalBOMMgr.h"

#include <algorithm>

#include "WinMessageBox.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMSetup.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

std::vector<DLxLocalBOM*> DLxLocalBOMMgr::GetLocalBOMs(RSeDatabase* db) {
    std::vector<DLxLocalBOM*> out;
    if (!db || !db->GetSegment(0)) return out;
    for (RSeVMeta* obj : db->GetSegment(0)->GetObjectsOfKind(
             RSe::_GetMeta(static_cast<const DLxLocalBOM*>(nullptr))))
        out.push_back(static_cast<DLxLocalBOM*>(obj));
    std::sort(out.begin(), out.end(),
              [](const DLxLocalBOM* a, const DLxLocalBOM* b) { return a->GetId() < b->GetId(); });
    return out;
}

DLxLocalBOM* DLxLocalBOMMgr::GetAnyLocalBOM(RSeDatabase* db) {
    std::vector<DLxLocalBOM*> all = GetLocalBOMs(db);
    return all.empty() ? nullptr : all.front();
}

DLxLocalBOM* DLxLocalBOMMgr::GetLocalBOM(const RSeIDed* annotation) {
    if (!annotation) return nullptr;
    for (DLxLocalBOM* bom : GetLocalBOMs(annotation->GetDatabase()))
        if (bom->IsRelatedAnnotation(annotation)) return bom;
    return nullptr;
}

DLxLocalBOM* DLxLocalBOMMgr::GetLocalBOM(RSeDatabase* db, const DLxAssemblyData& assembly,
                                         int32_t scheme, bool create) {
    if (!db || assembly.Empty() || !HasSchemeEnabled(assembly, scheme)) return nullptr;
    DLxLocalBOM* found = nullptr;
    for (DLxLocalBOM* bom : GetLocalBOMs(db))
        if (bom->GetSchemeID() == scheme) {
            found = bom;
            break;
        }
    if (!found && create && db->GetSegment(0)) found = DLxLocalBOM::Create(db->GetSegment(0), scheme);
    if (found) found->Attach(&assembly);
    return found;
}

DLxLocalBOM* DLxLocalBOMMgr::GetLocalBOM(RSeDatabase* db, const DLxAssemblyData& assembly,
                                         const DLxLocalBOMSetup& setup, bool create) {
    return GetLocalBOM(db, assembly, setup.GetSchemeID(), create);
}

bool DLxLocalBOMMgr::HasSchemeEnabled(const DLxAssemblyData& assembly, int32_t scheme) {
    if (assembly.Empty()) return false;
    if (scheme == DLxLocalBOM::kStructured) return assembly.scheme.structuredEnabled;
    if (scheme == DLxLocalBOM::kPartsOnly) return assembly.scheme.partsOnlyEnabled;
    return false;
}

UTxResult DLxLocalBOMMgr::EnableBomSchema(DLxAssemblyData& assembly, int32_t scheme,
                                          bool allLevels) {
    if (assembly.Empty()) return UTxResult(kDLxErrBOMNoAssembly, u"The drawing has no assembly.");
    if (scheme == DLxLocalBOM::kStructured) {
        assembly.scheme.structuredEnabled = true;
        assembly.scheme.structuredAllLevels = allLevels;
        return {};
    }
    if (scheme == DLxLocalBOM::kPartsOnly) {
        assembly.scheme.partsOnlyEnabled = true;
        return {};
    }
    return UTxResult(kDLxErrBOMScheme, u"No bill of materials has that scheme.");
}

bool DLxLocalBOMMgr::IsFromPartOnlyDocument(const DLxAssemblyData& assembly) {
    for (const DLxAssemblyComponent& c : assembly.components)
        if (c.id == assembly.root) return c.kind == DLxAssemblyComponent::Kind::Part;
    return false;
}

UTxResult DLxLocalBOMMgr::RemoveLocalBOM(DLxLocalBOM* bom) {
    if (!bom) return UTxResult(kDLxErrBOMNoAssembly, u"There is no bill of materials.");
    bom->Attach(nullptr);
    // Its update states go with it; the annotations keep their own references.
    bom->ReleaseAnnotations();
    RSe::DeleteObject(bom);
    return {};
}

int32_t DLxLocalBOMMgr::CleanUnusedBOMData(RSeDatabase* db, const DLxAssemblyData& assembly) {
    int32_t removed = 0;
    for (DLxLocalBOM* bom : GetLocalBOMs(db))
        if (!HasSchemeEnabled(assembly, bom->GetSchemeID())) {
            RemoveLocalBOM(bom);
            ++removed;
        }
    return removed;
}

bool DLxLocalBOMMgr::CanUpdateMasterRep(const DLxAssemblyData* rep) {
    return rep != nullptr;
}

int32_t DLxLocalBOMMgr::PromptSaveMasterRep(const DLxAssemblyData* rep) {
    if (!rep) return 0;
    return MessageBoxW(nullptr, u"The source model was changed. Save the source model?",
                       u"Bill of materials", MB_YESNO);
}

const DLxAssemblyData* DLxLocalBOMMgr::GetAssemblyRepFromView(const DLxDrawingDoc* doc,
                                                              const DLxViewInstance* view) {
    if (!doc || !view) return nullptr;
    DLxSheet* sheet = view->GetSheet();
    bool onDoc = false;
    for (DLxSheet* s : doc->GetSheets()) onDoc = onDoc || s == sheet;
    if (!onDoc) return nullptr;
    const DLxAssemblyData* model = doc->GetAssembly();
    return model && !model->Empty() ? model : nullptr;
}
