#include "Symbol/KorvuAppletExtension.h"

#include "BofM/DLxPartListFilter.h"
#include "BofM/DLxPartListPlacement.h"
#include "BofM/DLxSymTestCmdGroup.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "DatumTarget/DLxDatumTargetFilter.h"
#include "GeneralNote/DLxGeneralNoteFilter.h"
#include "Leader/DLxSymFilters.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/KorvuInterfaces.h"
#include "Welding/DLxAnnoWeldInstanceFilter.h"
#include "dl/DLxSelectCmd.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"

KorvuAppletExtension::KorvuAppletExtension()
    : m_manipulator(RSeRef<DLxBalloonSymInstance>(), 0, 0, 0, 0, nullptr) {}

KorvuAppletExtension::~KorvuAppletExtension() = default;

void KorvuAppletExtension::CreateDocumentInterfaces(FWxSceneDoc* doc) {
    if (!doc) return;
    // Each registers itself in the document's database; the database owns it from then on.
    RSeMetaType* untyped = RSe::_GetMeta(static_cast<const void*>(nullptr));
    new (untyped, RSe::SegmentOf(doc->GetRSeDb())) KorvuIFxBalloonComp();
    new (untyped, RSe::SegmentOf(doc->GetRSeDb())) KorvuIFxBrowserUtils();
    new (untyped, RSe::SegmentOf(doc->GetRSeDb())) KorvuWeldIFxDLAnnoGeometry();
}

bool KorvuAppletExtension::SetUpNewDocument(FWxSceneDoc* doc) {
    DLxStdStyles::AddDocumentStyles(doc);
    DLxPartListPlacement::PlaceModelPartsLists(doc);
    return SetUpDocument(doc);
}

bool KorvuAppletExtension::SetUpDocument(FWxSceneDoc* doc) {
    AddDocumentCommands(doc);
    return true;
}

namespace {
void Add(DLxSelectCmd* select, SMxTypeFilterItem* filter) {
    SmartPtr<SMxTypeFilterItem> wrapped(filter);
    select->AddFilter(wrapped, true);
} // the wrapper lets go here: the select command keeps the only reference
} // namespace

void KorvuAppletExtension::AddDocumentCommands(FWxSceneDoc* doc) {
    if (!doc) return;
    doc->AddCommand(new DLxSymbolDocCmdGroup(doc));
    doc->AddCommand(new DLxSymTestCmdGroup(doc, 1));
    auto* select = dynamic_cast<DLxSelectCmd*>(doc->GetStaticCommand());
    if (!select) return;
    Add(select, new DLxDatumTargetFilter(DLxDatumTargetFilter::ESubType(1)));
    Add(select, new DLxPartListFilter(DLxPartListFilter::ESubType(1)));
    Add(select, new DLxGeneralNoteFilter(DLxGeneralNoteFilter::ESubType(1)));
    Add(select, new DLxBalloonSymFilter(DLxBalloonSymFilter::ESubType(1)));
    Add(select, new DLxCallOutFilter(DLxCallOutFilter::ESubType(1)));
    Add(select, new DLxDatumIdFilter(DLxDatumIdFilter::ESubType(1)));
    Add(select, new DLxCenterDatumFilter(DLxCenterDatumFilter::ESubType(1)));
    Add(select, new DLxGDTFilter(DLxGDTFilter::ESubType(1)));
    Add(select, new DLxSurfTXTFilter(DLxSurfTXTFilter::ESubType(1)));
    Add(select, new DLxLeaderTextSymbolFilter(DLxLeaderTextSymbolFilter::ESubType(1)));
    Add(select, new DLxWeldFilter(DLxWeldFilter::ESubType(1)));
    Add(select, new DLxAnnoWeldInstanceFilter(DLxAnnoWeldInstanceFilter::EType(1)));
    select->AddSetManipulator(&m_manipulator);
}
