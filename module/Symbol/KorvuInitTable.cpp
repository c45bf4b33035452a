// The module's registrations, in the order they run at load. Each stored class, migrator,
// request name, context-menu command, default factory and translator adds its row here, in the
// group its kind belongs to.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "BofM/DLxBOMProxy.h"
#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxComponentPropertyDT.h"
#include "BofM/DLxComponentPropertyPartList.h"
#include "BofM/DLxDataSourceProxy.h"
#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPartListComponent.h"
#include "BofM/DLxPartListComponentPropertiesTable.h"
#include "BofM/DLxPartListDataSourceObserver.h"
#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListItemIdRanges.h"
#include "BofM/DLxPartListProperty.h"
#include "BofM/DLxPartListPropertyId.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartListTableONKTranslator.h"
#include "BofM/DLxPartListTablePropertyQuantity.h"
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableComponentBinder.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumInstanceONKTranslator.h"
#include "DatumId/DLxCenterDatumState.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSymbolONKTranslator.h"
#include "DatumId/DLxFeatureIdSymbolONKTranslator.h"
#include "DatumId/DLxCId.h"
#include "DatumId/DLxDatumIdSymbol.h"
#include "DatumId/DLxDatumIdSymMigrator.h"
#include "DatumId/DLxFeatureIdSymbol.h"
#include "DatumId/DLxFeatureIdSymMigrator.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetONKTranslator.h"
#include "GeneralNote/DLxGeneralNote.h"
#include "GeneralNote/DLxGeneralNoteONKTranslator.h"
#include "Leader/DLxCLeader.h"
#include "Leader/DLxCLeaderNode.h"
#include "Leader/DLxLeaderTree.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxVertexStateSet.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Request/DLxSymDeleteLeaderRequest.h"
#include "Request/DLxBalloonSymChangeLeaderRequest.h"
#include "Request/DLxCenterDatumRequests.h"
#include "Request/DLxCallOutRequest.h"
#include "Request/DLxCreateSketchRequest.h"
#include "Request/DLxSortSketchedSymbolsRequest.h"
#include "Request/DLxConvertToBOMRequest.h"
#include "Request/DLxCreateBalloonSymRequest.h"
#include "Request/DLxCreateDatumIdRequest.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Request/DLxCreateWeldSymbolRequest.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxDeletePartListRequest.h"
#include "Request/DLxGeneralNoteRequest.h"
#include "Request/DLxPasteGeneralNoteRequest.h"
#include "Request/DLxLeaderTextRequest.h"
#include "Request/DLxNewBalloonStyleRequest.h"
#include "Request/DLxNewPartsListStyleRequest.h"
#include "Request/DLxNewTableStylePartsListRequest.h"
#include "Request/DLxPartListEditRequest.h"
#include "Request/DLxPartListRenameRequest.h"
#include "Request/DLxPartListRequest.h"
#include "Request/DLxPartListSortRequest.h"
#include "Request/DLxPartlistPushbackIDsRequest.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Request/DLxUpdateBalloonStyleRequest.h"
#include "Request/DLxUpdatePartsListRequest.h"
#include "Request/DLxUpdatePartsListStyleRequest.h"
#include "Request/DLxUpdateTableStylePartsListRequest.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCBalloonMigrator.h"
#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCIdStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxCSurfText.h"
#include "Standard/DLxCSurfTextStd.h"
#include "Standard/DLxStdStyles.h"
#include "Standard/DLxStdRegistration.h"
#include "Symbol/DLxBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymInstanceONKTranslator.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutInstanceONKTranslator.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxCFCF.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTInstanceONKTranslator.h"
#include "dl/DLxDragPicker.h"
#include "Command/DLxGDTEditCmd.h"
#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxGDTSymMigrator.h"
#include "Symbol/DLxGDTSymbol.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTInstanceONKTranslator.h"
#include "Symbol/DLxSurfaceTexture.h"
#include "Symbol/DLxSurfaceTextureMigrator.h"
#include "Symbol/DLxAllAroundMigrator.h"
#include "Symbol/DLxKorvuBug417175Migrator.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxLeaderTextInstanceONKTranslator.h"
#include "Symbol/DLxLeaderTextUnderlineMigrator.h"
#include "Symbol/DLxLeaderText.h"
#include "Symbol/DLxSymInstance.h"
#include "Symbol/DLxSymbol.h"
#include "Symbol/DLxUpdateLeaderStateMigrator.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "Symbol/DLxWeldSymbol.h"
#include "Request/DLxLeaderRequests.h"
#include "Symbol/KorvuModule.h"
#include "dc/RDxTemplateFactory.h"
#include "fb/FBxSelectionGenerator.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxGUID.h"
#include "Symbol/KorvuIFxAnnoWeldProxy.h"
#include "Welding/DLxAnnoWeldInstance.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldInstanceONKTranslator.h"

const UTxGUID& KorvuModuleGuid() {
    static const UTxGUID guid(0x1e81af26, 0x6a9811d1, 0xbdb60800, 0x09dc42f8);
    return guid;
}

namespace {
void InitModuleGuid() {
    KorvuModuleGuid();
}
template <class T> void InitMeta() {
    RSe::_InitMeta(static_cast<const T*>(nullptr));
}
void RegisterCreateBalloonSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreateBalloonSymRequest),
                                                u"CreateBalloonSymbol");
}
void RegisterCreateBalloonSymbolLocalBOM() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(
        RUNTIME_CLASS(DLxCreateBalloonSymLocalBOMRequest), u"CreateBalloonSymbolLocalBOM");
}
void RegisterCreateGDTSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreateGDTRequest),
                                                u"CreateGDTSymbol");
}
void RegisterCreateSurfTXTSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreateSurfTXTRequest),
                                                u"CreateSurfTXTSymbol");
}
// Made once and kept until the module goes, which takes it off the registry.
void RegisterPartListSelectionGenerator() {
    static const FBxSelectionGenerator generator(u"DLxPartListTable", &CreatePartListSelection);
}
// The service the note requests fetch the note template from; kept until the module goes.
void RegisterGeneralNoteTemplate() {
    static RDxTemplateFactory factory(DLxGeneralNote::TemplateGuid(), u"GeneralNote",
                                      &DLxGeneralNote::CreateTemplate, 16);
}
template <class R> void RegisterNoteRequest(const char16_t* name) {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(R), name);
}
void RegisterCreateGeneralNote() {
    RegisterNoteRequest<DLxGeneralNoteRequest>(u"CreateGeneralNote");
}
void RegisterEditGeneralNote() {
    RegisterNoteRequest<DLxGeneralNoteTextEditRequest>(u"EditGeneralNote");
}
void RegisterResizeGeneralNote() {
    RegisterNoteRequest<DLxGeneralNoteResizeRequest>(u"ResizeGeneralNote");
}
void RegisterRotateGeneralNote() {
    RegisterNoteRequest<DLxGeneralNoteRotateRequest>(u"RotateGeneralNote");
}
void RegisterPasteGeneralNote() {
    RegisterNoteRequest<DLxPasteGeneralNoteRequest>(u"PasteGeneralNote");
}
void RegisterCreatePartListLocalBOM() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreatePartListLocalBOMRequest),
                                                u"CreatePartListLocalBOM");
}
void RegisterEditPartList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxPartListEditRequest),
                                                u"EditPartList");
}
void RegisterCreatePartList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxPartListRequest),
                                                u"CreatePartList");
    FWxUtil::GetTranscriptMgr().SetLineUpgrade(u"CreatePartList",
                                               &DLxPartListRequest::UpgradeOlderLine);
}
void RegisterNewBalloonStyle() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxNewBalloonStyleRequest),
                                                DLxNewBalloonStyleRequest::kTranscriptName);
}
void RegisterUpdateBalloonStyle() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxUpdateBalloonStyleRequest),
                                                DLxUpdateBalloonStyleRequest::kTranscriptName);
}
void RegisterNewPartsListStyle() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxNewPartsListStyleRequest),
                                                DLxNewPartsListStyleRequest::kTranscriptName);
}
void RegisterUpdatePartsListStyle() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxUpdatePartsListStyleRequest),
                                                DLxUpdatePartsListStyleRequest::kTranscriptName);
}
void RegisterNewTableStylePartsList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxNewTableStylePartsListRequest),
                                                DLxNewTableStylePartsListRequest::kTranscriptName);
}
void RegisterUpdateTableStylePartsList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(
        RUNTIME_CLASS(DLxUpdateTableStylePartsListRequest),
        DLxUpdateTableStylePartsListRequest::kTranscriptName);
}
void RegisterUpdatePartsList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxUpdatePartsListRequest),
                                                u"UpdatePartsList");
}
void RegisterPartlistPushbackIDs() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxPartlistPushbackIDsRequest),
                                                u"PartlistPushbackIDs");
}
void RegisterConvertToBOM() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxConvertToBOMRequest),
                                                u"ConvertToBOM");
}
void RegisterDeletePartList() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxDeletePartListRequest),
                                                u"DeletePartList");
}
void RegisterPartListRename() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxPartListRenameRequest),
                                                u"PartListRename");
}
void RegisterPartListSort() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxPartListSortRequest),
                                                u"PartListSort");
}
void RegisterChangeBalloonSymAnchor() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxBalloonSymChangeAnchorRequest),
                                                u"ChangeBalloonSymAnchor");
}
void RegisterChangeBalloonSymLeader() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxBalloonSymChangeLeaderRequest),
                                                u"ChangeBalloonSymLeader");
}
void RegisterChangeSymAnchor() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxSymChangeAnchorRequest),
                                                u"ChangeSymAnchor");
}
void RegisterChangeSymLeader() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxSymChangeLeaderRequest),
                                                u"ChangeSymLeader");
}
void RegisterCreateLeaderTextSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxLeaderTextRequest),
                                                u"CreateLeaderTextSymbol");
}
// Datum targets.
template <class Request> void RegisterDatumTargetRequest() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(Request::GetThisClass(), Request::kTranscriptName);
}

void RegisterCreateWeldSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreateWeldSymbolRequest),
                                                u"CreateWeldSymbol");
}
void RegisterAnnoWeldProxy() {
    (void)KorvuIFxAnnoWeldProxy::Instance();
}
void RegisterWeldSymbolVisibility() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxWeldSymbolVisibilityRequest),
                                                u"WeldSymbolVisibility");
}
void RegisterRotateGDTSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxGDTRotateRequest),
                                                u"RotateGDTSymbol");
}
// Datum identifiers and origin indicators.
template <class R> void RegisterDatumRequest(const char16_t* name) {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(R), name);
}
void RegisterCreateDatumIdSymbol() {
    RegisterDatumRequest<DLxCreateDatumIdRequest>(u"CreateDatumIdSymbol");
}
void RegisterCreateCenterDatumSymbol() {
    RegisterDatumRequest<DLxCreateCenterDatumRequest>(u"CreateCenterDatumSymbol");
}
void RegisterShowHideCenterDatum() {
    RegisterDatumRequest<DLxCenterDatumShowHideRequest>(u"ShowHideCenterDatum");
}
void RegisterMoveCenterDatumAnchor() {
    RegisterDatumRequest<DLxCenterDatumChangeAnchorRequest>(u"MoveCenterDatumAnchor");
}
// Arrowheads and leader deletion of placed symbols.
void RegisterArrowHeadRequest() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxArrowHeadRequest),
                                                u"ArrowHeadRequest");
}
void RegisterAddArrowHead() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxSymArrowHeadRequest),
                                                u"AddArrowHead");
}
void RegisterGDTDragPicker() {
    DLxDragPicker::Register(u"DLxGDTInstance", &DLxMoveSymLeaderNodeManipulator::CreateForPress);
    DLxDragPicker::RegisterEditor(u"DLxGDTInstance", &DLxGDTEditCmd::EditInstance);
}
void RegisterDeleteSymLeader() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxSymDeleteLeaderRequest),
                                                u"DeleteSymLeader");
}
void RegisterChangeCenterDatumSymbol() {
    RegisterDatumRequest<DLxCenterDatumArrowHeadRequest>(u"ChangeCenterDatumSymbol");
}
void RegisterEditCenterDatumSymbol() {
    RegisterDatumRequest<DLxCenterDatumEditRequest>(u"EditCenterDatumSymbol");
}

// Leaders of the older symbols.
constexpr char16_t kAddLeader[] = u"AddLeader";
constexpr char16_t kAddLeaderVertex[] = u"AddLeaderVertex";
constexpr char16_t kLeaderMove[] = u"LeaderMove";
constexpr char16_t kChangeArrowhead[] = u"ChangeArrowhead";
template <class R, const char16_t* Name> void RegisterOlderLeaderRequest() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(R), Name);
}

// Sketched symbols.
template <class R> void RegisterSketchRequest(const char16_t* name) {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(R), name);
}
void RegisterCreateSketch() {
    RegisterSketchRequest<DLxCreateSketchRequest>(u"CreateSketch");
}
void RegisterCreateCallOutSymbol() {
    RegisterSketchRequest<DLxCreateCallOutRequest>(u"CreateCallOutSymbol");
}
void RegisterEditCallOutSymbol() {
    RegisterSketchRequest<DLxCallOutSymEditRequest>(u"EditCallOutSymbol");
}
void RegisterSortSketchedSymbols() {
    RegisterSketchRequest<DLxSortSketchedSymbolsRequest>(u"SortSketchedSymbols");
}

// A factory row is named by its class and the category it registers under ("DLxCIdStdBSI
// 56464"), the number written from the kind's constant; a test checks each row's name against
// the factory it registers.
template <std::size_t N> struct ClassName {
    constexpr ClassName(const char (&s)[N]) { std::copy_n(s, N, text); }
    char text[N];
};
template <ClassName Class, int32_t Category>
constexpr auto kStdRowName = [] {
    static_assert(Category > 0);
    constexpr std::size_t length = sizeof(Class.text) - 1;
    std::array<char, length + 12> name{}; // a blank, at most ten digits, the terminator
    std::copy_n(Class.text, length, name.begin());
    std::size_t n = length;
    name[n++] = ' ';
    char digits[10] = {};
    int count = 0;
    for (int32_t v = Category; v > 0; v /= 10)
        digits[count++] = char('0' + v % 10);
    while (count > 0)
        name[n++] = digits[--count];
    return name;
}();
template <ClassName Class, int32_t Category, int Index>
constexpr KorvuInitRow StdFactoryRow{kStdRowName<Class, Category>.data(),
                                     &DLxRegisterStdFactoryRow<Index>, 2};

const KorvuInitRow kRows[] = {
    // Group 1: the named migrators and the meta types of their source units.
    {"DLxSymInstance", &InitMeta<DLxSymInstance>, 1},
    {"DLxKorvuBug417175Migrator", &DLxKorvuBug417175Migrator::Register, 1},
    {"DLxCBalloonMigrator", &DLxCBalloonMigrator::Register, 1},
    {"DLxCPartListStdRowKeyMigrator", &DLxCPartListStdRowKeyMigrator::Register, 1},
    {"DLxUpdatePLStdInitializer", &DLxUpdatePLStdInitializer::Register, 1},
    // Group 2: everything else.
    {"KorvuModuleGuid", &InitModuleGuid, 2},
    {"DLxGBStandardGUID", &DLxInitGBStandardGUID, 2},
    {"DLxSymbolTemplateGUID", &DLxInitSymbolTemplateGUID, 2},
    {"DLxStandardMetaTypes", &DLxInitStandardMetaTypes, 2},
    StdFactoryRow<"DLxCBalloonStdANSI", DLxCBalloonStd::kCategory, 0>,
    StdFactoryRow<"DLxCBalloonStdBSI", DLxCBalloonStd::kCategory, 1>,
    StdFactoryRow<"DLxCBalloonStdDIN", DLxCBalloonStd::kCategory, 2>,
    StdFactoryRow<"DLxCBalloonStdGB", DLxCBalloonStd::kCategory, 3>,
    StdFactoryRow<"DLxCBalloonStdISO", DLxCBalloonStd::kCategory, 4>,
    StdFactoryRow<"DLxCBalloonStdJIS", DLxCBalloonStd::kCategory, 5>,
    StdFactoryRow<"DLxCDatumStdBSI", DLxCDatumStd::kCategory, 6>,
    StdFactoryRow<"DLxCDatumStdGB", DLxCDatumStd::kCategory, 7>,
    StdFactoryRow<"DLxCFCFStdBSI", DLxCFCFStd::kCategory, 8>,
    StdFactoryRow<"DLxCFCFStdGB", DLxCFCFStd::kCategory, 9>,
    StdFactoryRow<"DLxCIdStdBSI", DLxCIdStd::kFirstCategory, 10>,
    StdFactoryRow<"DLxCIdStdBSI", DLxCIdStd::kSecondCategory, 11>,
    StdFactoryRow<"DLxCIdStdGB", DLxCIdStd::kFirstCategory, 12>,
    StdFactoryRow<"DLxCIdStdGB", DLxCIdStd::kSecondCategory, 13>,
    StdFactoryRow<"DLxCPartListStdANSI", DLxCPartListStd::kCategory, 14>,
    StdFactoryRow<"DLxCPartListStdBSI", DLxCPartListStd::kCategory, 15>,
    StdFactoryRow<"DLxCPartListStdDIN", DLxCPartListStd::kCategory, 16>,
    StdFactoryRow<"DLxCPartListStdGB", DLxCPartListStd::kCategory, 17>,
    StdFactoryRow<"DLxCPartListStdISO", DLxCPartListStd::kCategory, 18>,
    StdFactoryRow<"DLxCPartListStdJIS", DLxCPartListStd::kCategory, 19>,
    StdFactoryRow<"DLxCSurfTextStdBSI", DLxCSurfTextStd::kCategory, 20>,
    StdFactoryRow<"DLxCSurfTextStdGB", DLxCSurfTextStd::kCategory, 21>,
    StdFactoryRow<"DLxCDatumStdANSI", DLxCDatumStd::kCategory, 22>,
    StdFactoryRow<"DLxCDatumStdDIN", DLxCDatumStd::kCategory, 23>,
    StdFactoryRow<"DLxCDatumStdISO", DLxCDatumStd::kCategory, 24>,
    StdFactoryRow<"DLxCDatumStdJIS", DLxCDatumStd::kCategory, 25>,
    StdFactoryRow<"DLxCFCFStdANSI", DLxCFCFStd::kCategory, 26>,
    StdFactoryRow<"DLxCFCFStdDIN", DLxCFCFStd::kCategory, 27>,
    StdFactoryRow<"DLxCFCFStdISO", DLxCFCFStd::kCategory, 28>,
    StdFactoryRow<"DLxCFCFStdJIS", DLxCFCFStd::kCategory, 29>,
    StdFactoryRow<"DLxCIdStdANSI", DLxCIdStd::kFirstCategory, 30>,
    StdFactoryRow<"DLxCIdStdANSI", DLxCIdStd::kSecondCategory, 31>,
    StdFactoryRow<"DLxCIdStdDIN", DLxCIdStd::kFirstCategory, 32>,
    StdFactoryRow<"DLxCIdStdDIN", DLxCIdStd::kSecondCategory, 33>,
    StdFactoryRow<"DLxCIdStdISO", DLxCIdStd::kFirstCategory, 34>,
    StdFactoryRow<"DLxCIdStdISO", DLxCIdStd::kSecondCategory, 35>,
    StdFactoryRow<"DLxCIdStdJIS", DLxCIdStd::kFirstCategory, 36>,
    StdFactoryRow<"DLxCIdStdJIS", DLxCIdStd::kSecondCategory, 37>,
    {"MyStandard", &DLxRegisterSymbolTemplateFactory, 2},
    StdFactoryRow<"DLxCSurfTextStdANSI", DLxCSurfTextStd::kCategory, 38>,
    StdFactoryRow<"DLxCSurfTextStdDIN", DLxCSurfTextStd::kCategory, 39>,
    StdFactoryRow<"DLxCSurfTextStdISO", DLxCSurfTextStd::kCategory, 40>,
    StdFactoryRow<"DLxCSurfTextStdJIS", DLxCSurfTextStd::kCategory, 41>,
    {"DLxTerminalNodeGenerator", &InitMeta<DLxTerminalNodeGenerator>, 2},
    {"DLxTerminalLeaderNode", &InitMeta<DLxTerminalLeaderNode>, 2},
    {"DLxGDTStateLine", &InitMeta<DLxGDTStateLine>, 2},
    {"DLxGDTState", &InitMeta<DLxGDTState>, 2},
    {"DLxGDTInstance", &InitMeta<DLxGDTInstance>, 2},
    {"DLxGDTInstanceONKTranslator", &DLxGDTInstanceONKTranslator::Register, 2},
    {"CreateGDTSymbol", &RegisterCreateGDTSymbol, 2},
    {"RotateGDTSymbol", &RegisterRotateGDTSymbol, 2},
    {"GeneralNoteTemplate", &RegisterGeneralNoteTemplate, 2},
    {"DLxGeneralNote", &InitMeta<DLxGeneralNote>, 2},
    {"DLxGeneralNoteONKTranslator", &DLxGeneralNoteONKTranslator::Register, 2},
    {"CreateGeneralNote", &RegisterCreateGeneralNote, 2},
    {"EditGeneralNote", &RegisterEditGeneralNote, 2},
    {"ResizeGeneralNote", &RegisterResizeGeneralNote, 2},
    {"RotateGeneralNote", &RegisterRotateGeneralNote, 2},
    {"ChangeBalloonSymAnchor", &RegisterChangeBalloonSymAnchor, 2},
    {"ChangeBalloonSymLeader", &RegisterChangeBalloonSymLeader, 2},
    {"ChangeSymAnchor", &RegisterChangeSymAnchor, 2},
    {"ChangeSymLeader", &RegisterChangeSymLeader, 2},
    {"DLxTableCalloutSymState", &InitMeta<DLxTableCalloutSymState>, 2},
    {"DLxTableCalloutSymInstance", &InitMeta<DLxTableCalloutSymInstance>, 2},
    {"DLxBalloonSymState", &InitMeta<DLxBalloonSymState>, 2},
    {"DLxBalloonSymInstance", &InitMeta<DLxBalloonSymInstance>, 2},
    {"DLxBalloonSymInstanceONKTranslator", &DLxBalloonSymInstanceONKTranslator::Register, 2},
    {"CreateBalloonSymbol", &RegisterCreateBalloonSymbol, 2},
    {"CreateBalloonSymbolLocalBOM", &RegisterCreateBalloonSymbolLocalBOM, 2},
    {"CreatePartListLocalBOM", &RegisterCreatePartListLocalBOM, 2},
    {"CreatePartList", &RegisterCreatePartList, 2},
    {"EditPartList", &RegisterEditPartList, 2},
    {"New_Balloon_Style", &RegisterNewBalloonStyle, 2},
    {"Update_Balloon_Style", &RegisterUpdateBalloonStyle, 2},
    {"New_PartsList_Style_Old", &RegisterNewPartsListStyle, 2},
    {"Update_PartsList_Style_Old", &RegisterUpdatePartsListStyle, 2},
    {"New_PartsList_Style", &RegisterNewTableStylePartsList, 2},
    {"Update_PartsList_Style", &RegisterUpdateTableStylePartsList, 2},
    {"UpdatePartsList", &RegisterUpdatePartsList, 2},
    {"PartlistPushbackIDs", &RegisterPartlistPushbackIDs, 2},
    {"ConvertToBOM", &RegisterConvertToBOM, 2},
    {"DeletePartList", &RegisterDeletePartList, 2},
    {"PartListRename", &RegisterPartListRename, 2},
    {"PartListSort", &RegisterPartListSort, 2},
    {"DLxAssemblySurrogateProxy", &InitMeta<DLxAssemblySurrogateProxy>, 2},
    {"DLxBOMProxy", &InitMeta<DLxBOMProxy>, 2},
    {"DLxComponentProperty", &InitMeta<DLxComponentProperty>, 2},
    {"DLxComponentPropertyGeneralDT", &InitMeta<DLxComponentPropertyGeneralDT>, 2},
    {"DLxComponentPropertyGeneralDTTransparent",
     &InitMeta<DLxComponentPropertyGeneralDTTransparent>, 2},
    {"DLxComponentPropertyPartListItem", &InitMeta<DLxComponentPropertyPartListItem>, 2},
    {"DLxComponentPropertyPartListPartMass", &InitMeta<DLxComponentPropertyPartListPartMass>, 2},
    {"DLxComponentPropertyPartListPartMaterial",
     &InitMeta<DLxComponentPropertyPartListPartMaterial>, 1},
    {"DLxComponentPropertyPartListPartName", &InitMeta<DLxComponentPropertyPartListPartName>, 2},
    {"DLxComponentPropertyPartListQuantity", &InitMeta<DLxComponentPropertyPartListQuantity>, 2},
    {"DLxComponentPropertyStringDT", &InitMeta<DLxComponentPropertyStringDT>, 2},
    {"DLxComponentPropertyStringDTTransparent", &InitMeta<DLxComponentPropertyStringDTTransparent>,
     2},
    {"DLxDataSourcePartProxy", &InitMeta<DLxDataSourcePartProxy>, 2},
    {"DLxDataSourceProxy", &InitMeta<DLxDataSourceProxy>, 2},
    {"DLxPartListComponent", &InitMeta<DLxPartListComponent>, 1},
    {"DLxPartListComponentGroup", &InitMeta<DLxPartListComponentGroup>, 2},
    {"DLxPartListComponentPropertiesTable", &InitMeta<DLxPartListComponentPropertiesTable>, 1},
    {"DLxPartListPropertiesTableComponent", &InitMeta<DLxPartListPropertiesTableComponent>, 2},
    {"DLxTableComponentBinder", &InitMeta<DLxTableComponentBinder>, 2},
    {"DLxPartListTablePropertyQuantity", &InitMeta<DLxPartListTablePropertyQuantity>, 2},
    {"DLxAssemblyProxy", &InitMeta<DLxAssemblyProxy>, 2},
    {"DLxComponentPropertyIntegerDT", &InitMeta<DLxComponentPropertyIntegerDT>, 2},
    {"DLxComponentPropertyRealDT", &InitMeta<DLxComponentPropertyRealDT>, 2},
    {"DLxPartListDataSourceObserver", &InitMeta<DLxPartListDataSourceObserver>, 2},
    {"DLxPartListAssemblyDataSourceObserver", &InitMeta<DLxPartListAssemblyDataSourceObserver>, 2},
    {"DLxPartListColumn", &InitMeta<DLxPartListColumn>, 2},
    {"DLxPartListColumnHeaders", &InitMeta<DLxPartListColumnHeaders>, 2},
    {"DLxColumnHeaders", &InitMeta<DLxColumnHeaders>, 2},
    {"DLxPartListItemIdRanges", &InitMeta<DLxPartListItemIdRanges>, 2},
    {"DLxPartListProperty", &InitMeta<DLxPartListProperty>, 2},
    {"DLxPartListPropertyId", &InitMeta<DLxPartListPropertyId>, 2},
    {"DLxPartlistFilterBallooned", &InitMeta<DLxPartlistFilterBallooned>, 2},
    {"DLxPartlistFilterPurchased", &InitMeta<DLxPartlistFilterPurchased>, 2},
    {"DLxPartlistFilterStandard", &InitMeta<DLxPartlistFilterStandard>, 2},
    {"DLxPartlistFilterDesignView", &InitMeta<DLxPartlistFilterDesignView>, 2},
    {"DLxPartlistFilterItemRange", &InitMeta<DLxPartlistFilterItemRange>, 2},
    {"DLxTableStatePartlist", &InitMeta<DLxTableStatePartlist>, 2},
    {"DLxPartListTable", &InitMeta<DLxPartListTable>, 1},
    {"DLxPartListDwgBrowserEntry", &InitMeta<DLxPartListDwgBrowserEntry>, 2},
    {"DLxPartListSelectionGenerator", &RegisterPartListSelectionGenerator, 2},
    {"DLxPartListTableONKTranslator", &DLxPartListTableONKTranslator::Register, 2},
    {"DLxPartListTableDesignViewName", &DLxPartListTable::RegisterDesignViewName, 2},
    {"DLxTableRowPartlist", &InitMeta<DLxTableRowPartlist>, 2},
    {"DUxTableRowData_Partlist", &InitMeta<DUxTableRowData_Partlist>, 2},
    {"DLxTableRowIDLocalBOM", &InitMeta<DLxTableRowIDLocalBOM>, 2},
    // Datum identifiers and origin indicators.
    {"DLxDatumIdInstance", &InitMeta<DLxDatumIdInstance>, 2},
    {"DLxDatumIdSymbolONKTranslator", &DLxDatumIdSymbolONKTranslator::Register, 2},
    {"CreateDatumIdSymbol", &RegisterCreateDatumIdSymbol, 2},
    {"DLxCenterDatumState", &InitMeta<DLxCenterDatumState>, 2},
    {"DLxCenterDatumInstance", &InitMeta<DLxCenterDatumInstance>, 2},
    {"DLxCenterDatumInstanceONKTranslator", &DLxCenterDatumInstanceONKTranslator::Register, 2},
    {"CreateCenterDatumSymbol", &RegisterCreateCenterDatumSymbol, 2},
    {"ShowHideCenterDatum", &RegisterShowHideCenterDatum, 2},
    {"MoveCenterDatumAnchor", &RegisterMoveCenterDatumAnchor, 2},
    {"ChangeCenterDatumSymbol", &RegisterChangeCenterDatumSymbol, 2},
    {"EditCenterDatumSymbol", &RegisterEditCenterDatumSymbol, 2},
    // Copy and paste of general notes.
    {"PasteGeneralNote", &RegisterPasteGeneralNote, 2},
    // Leader texts.
    {"DLxLeaderTextUnderlineMigrator", &DLxLeaderTextUnderlineMigrator::Register, 1},
    {"DLxLeaderTextInstance", &InitMeta<DLxLeaderTextInstance>, 2},
    {"DLxLeaderTextInstanceONKTranslator", &DLxLeaderTextInstanceONKTranslator::Register, 2},
    {"CreateLeaderTextSymbol", &RegisterCreateLeaderTextSymbol, 2},
    // Sketched symbols.
    {"DLxCallOutState", &InitMeta<DLxCallOutState>, 2},
    {"DLxCallOutInstance", &InitMeta<DLxCallOutInstance>, 2},
    {"DLxCallOutFolderEntry", &InitMeta<DLxCallOutFolderEntry>, 2},
    {"DLxCallOutInstEntry", &InitMeta<DLxCallOutInstEntry>, 2},
    {"DLxCallOutInstanceONKTranslator", &DLxCallOutInstanceONKTranslator::Register, 2},
    {"CreateSketch", &RegisterCreateSketch, 2},
    {"CreateCallOutSymbol", &RegisterCreateCallOutSymbol, 2},
    {"EditCallOutSymbol", &RegisterEditCallOutSymbol, 2},
    {"SortSketchedSymbols", &RegisterSortSketchedSymbols, 2},
    // Datum targets.
    {"DLxCTargetSubSym", &InitMeta<DLxCTargetSubSym>, 2},
    {"DLxCTarget", &InitMeta<DLxCTarget>, 2},
    {"DLxCTargetPoint", &InitMeta<DLxCTargetPoint>, 2},
    {"DLxCTargetLine", &InitMeta<DLxCTargetLine>, 2},
    {"DLxCTargetCircularArea", &InitMeta<DLxCTargetCircularArea>, 2},
    {"DLxCTargetRectangularArea", &InitMeta<DLxCTargetRectangularArea>, 2},
    {"DLxCTargetBalloon", &InitMeta<DLxCTargetBalloon>, 2},
    {"DLxDatumTarget", &InitMeta<DLxDatumTarget>, 2},
    {"DLxDatumTargetONKTranslator", &DLxDatumTargetONKTranslator::Register, 2},
    {"CreateDatumTarget", &RegisterDatumTargetRequest<DLxCreateSymbolRequest>, 2},
    {"EditDatumTarget", &RegisterDatumTargetRequest<DLxSymbolEditRequest>, 2},
    {"LeaderMoveDatumTarget", &RegisterDatumTargetRequest<DLxDatumTargetLeaderMoveRequest>, 2},
    {"ReOrientDatumTarget", &RegisterDatumTargetRequest<DLxDatumTargetOrientAttachRequest>, 2},
    {"AttachBalloon", &RegisterDatumTargetRequest<DLxDatumTargetAttachRequest>, 2},
    {"RemoveDatumBalloon", &RegisterDatumTargetRequest<DLxDatumTargetRemoveRequest>, 2},
    {"DTAltUnitMove", &RegisterDatumTargetRequest<DLxDatumTargetMoveAltUnitRequest>, 2},
    // Weld symbols.
    {"DLxWeldInstance", &InitMeta<DLxWeldInstance>, 2},
    {"DLxWeldInstanceONKTranslator", &DLxWeldInstanceONKTranslator::Register, 2},
    {"CreateWeldSymbol", &RegisterCreateWeldSymbol, 2},
    {"WeldSymbolVisibility", &RegisterWeldSymbolVisibility, 2},
    // Symbols of the older generation, as old documents hold them.
    {"DLxSymbol", &InitMeta<DLxSymbol>, 2},
    {"DLxBalloon", &InitMeta<DLxBalloon>, 2},
    {"DLxWeldSymbol", &InitMeta<DLxWeldSymbol>, 2},
    {"DLxLeaderText", &InitMeta<DLxLeaderText>, 2},
    {"DLxCFCF", &InitMeta<DLxCFCF>, 2},
    {"DLxGDTSymbol", &InitMeta<DLxGDTSymbol>, 2},
    {"DLxGDTSymMigrator", &DLxGDTSymMigrator::Register, 1},
    // Leader records and leader trees of older documents.
    {"DLxCLeader", &InitMeta<DLxCLeader>, 2},
    {"DLxCLeaderGeneral", &InitMeta<DLxCLeaderGeneral>, 2},
    {"DLxCLeaderWelding", &InitMeta<DLxCLeaderWelding>, 2},
    {"DLxCLeaderLand", &InitMeta<DLxCLeaderLand>, 2},
    {"DLxCLeaderDatumId", &InitMeta<DLxCLeaderDatumId>, 2},
    {"DLxCLeaderFeatId", &InitMeta<DLxCLeaderFeatId>, 2},
    {"DLxCLeaderFCF", &InitMeta<DLxCLeaderFCF>, 2},
    {"DLxCLeaderDatumTgt", &InitMeta<DLxCLeaderDatumTgt>, 2},
    {"DLxCLeaderBalloon", &InitMeta<DLxCLeaderBalloon>, 2},
    {"DLxCLeaderNode", &InitMeta<DLxCLeaderNode>, 2},
    {"DLxVertexStateSet", &InitMeta<DLxVertexStateSet>, 2},
    {"DLxLeaderBranch", &InitMeta<DLxLeaderBranch>, 2},
    {"DLxLeaderTree", &InitMeta<DLxLeaderTree>, 2},
    // Surface-texture symbols.
    {"DLxSurfTXTInstance", &InitMeta<DLxSurfTXTInstance>, 2},
    {"DLxSurfTXTInstanceONKTranslator", &DLxSurfTXTInstanceONKTranslator::Register, 2},
    {"CreateSurfTXTSymbol", &RegisterCreateSurfTXTSymbol, 2},
    {"DLxSurfTextStdServices", &DLxStdStyles::RegisterSurfaceTextureServices, 2},
    {"DLxCSurfText", &InitMeta<DLxCSurfText>, 2},
    // Storage and upgrade of the placed kinds.
    {"DLxFeatureIdSymbolONKTranslator", &DLxFeatureIdSymbolONKTranslator::Register, 2},
    // Arrowheads and leader deletion of placed symbols.
    {"ArrowHeadRequest", &RegisterArrowHeadRequest, 2},
    {"AddArrowHead", &RegisterAddArrowHead, 2},
    {"DeleteSymLeader", &RegisterDeleteSymLeader, 2},
    // Legacy surface-texture symbols and their upgrade.
    {"DLxSurfaceTexture", &InitMeta<DLxSurfaceTexture>, 2},
    {"DLxSurfaceTextureMigrator", &DLxSurfaceTextureMigrator::Register, 1},
    // Older datum and feature identifiers and their upgrade.
    {"DLxCId", &InitMeta<DLxCId>, 2},
    {"DLxDatumIdSymbol", &InitMeta<DLxDatumIdSymbol>, 2},
    {"DLxFeatureIdSymbol", &InitMeta<DLxFeatureIdSymbol>, 2},
    {"DLxDatumIdSymMigrator", &DLxDatumIdSymMigrator::Register, 1},
    {"DLxFeatureIdSymMigrator", &DLxFeatureIdSymMigrator::Register, 1},
    // Upgrade of sketched symbols whose leader is the intermediate tree.
    {"DLxUpdateLeaderStateMigrator", &DLxUpdateLeaderStateMigrator::Register, 1},
    // Drags of a frame's hot points picked by a press.
    {"DLxGDTInstanceDragPicker", &RegisterGDTDragPicker, 2},
    // Leaders of the older symbols.
    {"AddLeader", &RegisterOlderLeaderRequest<DLxLeaderAddRequest, kAddLeader>, 2},
    {"AddLeaderVertex", &RegisterOlderLeaderRequest<DLxLeaderAddVertexRequest, kAddLeaderVertex>, 2},
    {"LeaderMove", &RegisterOlderLeaderRequest<DLxLeaderMoveRequest, kLeaderMove>, 2},
    {"ChangeArrowhead",
     &RegisterOlderLeaderRequest<DLxLeaderChangeArrowheadRequest, kChangeArrowhead>, 2},
    // The all-around diameters of older frames, surface-texture and weld symbols.
    {"DLxAllAroundMigrator", &DLxAllAroundMigrator::Register, 1},
    // 3D weld annotations.
    {"DLxAnnoWeldInstance", &InitMeta<DLxAnnoWeldInstance>, 2},
    {"KorvuIFxAnnoWeldProxy", &RegisterAnnoWeldProxy, 2},
};

struct RunAtLoad {
    RunAtLoad() {
        for (int group = 1; group <= 2; ++group)
            for (const KorvuInitRow& row : kRows)
                if (row.group == group) row.run();
    }
} g_runAtLoad;
} // namespace

const std::vector<KorvuInitRow>& KorvuInitTable() {
    static const std::vector<KorvuInitRow> table(std::begin(kRows), std::end(kRows));
    return table;
}
