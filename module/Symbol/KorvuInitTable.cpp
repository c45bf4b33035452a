// The module's registrations, in the order they run at load. Each stored class, migrator,
// request name, context-menu command, default factory and translator adds its row here, in the
// group its kind belongs to.
#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxCBalloonMigrator.h"
#include "Standard/DLxStdRegistration.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTInstanceONKTranslator.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxKorvuBug417175Migrator.h"
#include "Symbol/DLxSymInstance.h"
#include "Symbol/KorvuModule.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxGUID.h"

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
void RegisterCreateGDTSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxCreateGDTRequest),
                                                u"CreateGDTSymbol");
}
void RegisterRotateGDTSymbol() {
    FWxUtil::GetTranscriptMgr().RegisterRequest(RUNTIME_CLASS(DLxGDTRotateRequest),
                                                u"RotateGDTSymbol");
}

const KorvuInitRow kRows[] = {
    // Group 1: the named migrators and the meta types of their source units.
    {"DLxSymInstance", &InitMeta<DLxSymInstance>, 1},
    {"DLxKorvuBug417175Migrator", &DLxKorvuBug417175Migrator::Register, 1},
    {"DLxCBalloonMigrator", &DLxCBalloonMigrator::Register, 1},
    // Group 2: everything else.
    {"KorvuModuleGuid", &InitModuleGuid, 2},
    {"DLxGBStandardGUID", &DLxInitGBStandardGUID, 2},
    {"DLxSymbolTemplateGUID", &DLxInitSymbolTemplateGUID, 2},
    {"DLxStandardMetaTypes", &DLxInitStandardMetaTypes, 2},
    {"DLxCBalloonStdANSI 56468", &DLxRegisterStdFactoryRow<0>, 2},
    {"DLxCBalloonStdBSI 56468", &DLxRegisterStdFactoryRow<1>, 2},
    {"DLxCBalloonStdDIN 56468", &DLxRegisterStdFactoryRow<2>, 2},
    {"DLxCBalloonStdGB 56468", &DLxRegisterStdFactoryRow<3>, 2},
    {"DLxCBalloonStdISO 56468", &DLxRegisterStdFactoryRow<4>, 2},
    {"DLxCBalloonStdJIS 56468", &DLxRegisterStdFactoryRow<5>, 2},
    {"DLxCDatumStdBSI 56463", &DLxRegisterStdFactoryRow<6>, 2},
    {"DLxCDatumStdGB 56463", &DLxRegisterStdFactoryRow<7>, 2},
    {"DLxCFCFStdBSI 56462", &DLxRegisterStdFactoryRow<8>, 2},
    {"DLxCFCFStdGB 56462", &DLxRegisterStdFactoryRow<9>, 2},
    {"DLxCIdStdBSI 56464", &DLxRegisterStdFactoryRow<10>, 2},
    {"DLxCIdStdBSI 56465", &DLxRegisterStdFactoryRow<11>, 2},
    {"DLxCIdStdGB 56464", &DLxRegisterStdFactoryRow<12>, 2},
    {"DLxCIdStdGB 56465", &DLxRegisterStdFactoryRow<13>, 2},
    {"DLxCPartListStdANSI 56467", &DLxRegisterStdFactoryRow<14>, 2},
    {"DLxCPartListStdBSI 56467", &DLxRegisterStdFactoryRow<15>, 2},
    {"DLxCPartListStdDIN 56467", &DLxRegisterStdFactoryRow<16>, 2},
    {"DLxCPartListStdGB 56467", &DLxRegisterStdFactoryRow<17>, 2},
    {"DLxCPartListStdISO 56467", &DLxRegisterStdFactoryRow<18>, 2},
    {"DLxCPartListStdJIS 56467", &DLxRegisterStdFactoryRow<19>, 2},
    {"DLxCSurfTextStdBSI 56460", &DLxRegisterStdFactoryRow<20>, 2},
    {"DLxCSurfTextStdGB 56460", &DLxRegisterStdFactoryRow<21>, 2},
    {"DLxCDatumStdANSI 56463", &DLxRegisterStdFactoryRow<22>, 2},
    {"DLxCDatumStdDIN 56463", &DLxRegisterStdFactoryRow<23>, 2},
    {"DLxCDatumStdISO 56463", &DLxRegisterStdFactoryRow<24>, 2},
    {"DLxCDatumStdJIS 56463", &DLxRegisterStdFactoryRow<25>, 2},
    {"DLxCFCFStdANSI 56462", &DLxRegisterStdFactoryRow<26>, 2},
    {"DLxCFCFStdDIN 56462", &DLxRegisterStdFactoryRow<27>, 2},
    {"DLxCFCFStdISO 56462", &DLxRegisterStdFactoryRow<28>, 2},
    {"DLxCFCFStdJIS 56462", &DLxRegisterStdFactoryRow<29>, 2},
    {"DLxCIdStdANSI 56464", &DLxRegisterStdFactoryRow<30>, 2},
    {"DLxCIdStdANSI 56465", &DLxRegisterStdFactoryRow<31>, 2},
    {"DLxCIdStdDIN 56464", &DLxRegisterStdFactoryRow<32>, 2},
    {"DLxCIdStdDIN 56465", &DLxRegisterStdFactoryRow<33>, 2},
    {"DLxCIdStdISO 56464", &DLxRegisterStdFactoryRow<34>, 2},
    {"DLxCIdStdISO 56465", &DLxRegisterStdFactoryRow<35>, 2},
    {"DLxCIdStdJIS 56464", &DLxRegisterStdFactoryRow<36>, 2},
    {"DLxCIdStdJIS 56465", &DLxRegisterStdFactoryRow<37>, 2},
    {"MyStandard", &DLxRegisterSymbolTemplateFactory, 2},
    {"DLxCSurfTextStdANSI 56460", &DLxRegisterStdFactoryRow<38>, 2},
    {"DLxCSurfTextStdDIN 56460", &DLxRegisterStdFactoryRow<39>, 2},
    {"DLxCSurfTextStdISO 56460", &DLxRegisterStdFactoryRow<40>, 2},
    {"DLxCSurfTextStdJIS 56460", &DLxRegisterStdFactoryRow<41>, 2},
    {"DLxTerminalNodeGenerator", &InitMeta<DLxTerminalNodeGenerator>, 2},
    {"DLxTerminalLeaderNode", &InitMeta<DLxTerminalLeaderNode>, 2},
    {"DLxGDTStateLine", &InitMeta<DLxGDTStateLine>, 2},
    {"DLxGDTState", &InitMeta<DLxGDTState>, 2},
    {"DLxGDTInstance", &InitMeta<DLxGDTInstance>, 2},
    {"DLxGDTInstanceONKTranslator", &DLxGDTInstanceONKTranslator::Register, 2},
    {"CreateGDTSymbol", &RegisterCreateGDTSymbol, 2},
    {"RotateGDTSymbol", &RegisterRotateGDTSymbol, 2},
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
