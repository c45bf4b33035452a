#include "Standard/DLxStdRegistration.h"

#include <memory>
#include <vector>

#include "Standard/DLxCBalloon.h"
#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCIdStd.h"
#include "Standard/DLxCPartList.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxCSurfTextStd.h"
#include "dc/RDxTemplateFactory.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxStandard.h"

UTxGUID DLxGBStandardGUID;
UTxGUID DLxSymbolTemplateGUID;

void DLxInitGBStandardGUID() {
    DLxGBStandardGUID = UTxGUID(0xF00A3AB0, 0x06CC11D3, 0xBF270010, 0x4BB54A0B);
}

void DLxInitSymbolTemplateGUID() {
    DLxSymbolTemplateGUID = UTxGUID(0xCCD2FF20, 0x582211D1, 0x9D080800, 0x09D9311E);
}

namespace {
struct FactoryRow {
    int32_t category;
    DLxStdWhich standard;
    DUxCategoryDefaultFn fn;
};

// The registration order is fixed: the host keeps factories in the order they come.
const FactoryRow kFactoryRows[kDLxStdFactoryCount] = {
    {DLxCBalloonStd::kCategory, DLxStdWhich::ANSI, &DLxCBalloonStdANSI::CreateCategoryDefault},
    {DLxCBalloonStd::kCategory, DLxStdWhich::BSI, &DLxCBalloonStdBSI::CreateCategoryDefault},
    {DLxCBalloonStd::kCategory, DLxStdWhich::DIN, &DLxCBalloonStdDIN::CreateCategoryDefault},
    {DLxCBalloonStd::kCategory, DLxStdWhich::GB, &DLxCBalloonStdGB::CreateCategoryDefault},
    {DLxCBalloonStd::kCategory, DLxStdWhich::ISO, &DLxCBalloonStdISO::CreateCategoryDefault},
    {DLxCBalloonStd::kCategory, DLxStdWhich::JIS, &DLxCBalloonStdJIS::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::BSI, &DLxCDatumStdBSI::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::GB, &DLxCDatumStdGB::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::BSI, &DLxCFCFStdBSI::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::GB, &DLxCFCFStdGB::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::BSI, &DLxCIdStdBSI::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::BSI, &DLxCIdStdBSI::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::GB, &DLxCIdStdGB::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::GB, &DLxCIdStdGB::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::ANSI, &DLxCPartListStdANSI::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::BSI, &DLxCPartListStdBSI::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::DIN, &DLxCPartListStdDIN::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::GB, &DLxCPartListStdGB::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::ISO, &DLxCPartListStdISO::CreateCategoryDefault},
    {DLxCPartListStd::kCategory, DLxStdWhich::JIS, &DLxCPartListStdJIS::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::BSI, &DLxCSurfTextStdBSI::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::GB, &DLxCSurfTextStdGB::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::ANSI, &DLxCDatumStdANSI::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::DIN, &DLxCDatumStdDIN::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::ISO, &DLxCDatumStdISO::CreateCategoryDefault},
    {DLxCDatumStd::kCategory, DLxStdWhich::JIS, &DLxCDatumStdJIS::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::ANSI, &DLxCFCFStdANSI::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::DIN, &DLxCFCFStdDIN::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::ISO, &DLxCFCFStdISO::CreateCategoryDefault},
    {DLxCFCFStd::kCategory, DLxStdWhich::JIS, &DLxCFCFStdJIS::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::ANSI, &DLxCIdStdANSI::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::ANSI, &DLxCIdStdANSI::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::DIN, &DLxCIdStdDIN::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::DIN, &DLxCIdStdDIN::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::ISO, &DLxCIdStdISO::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::ISO, &DLxCIdStdISO::CreateCategoryDefault},
    {DLxCIdStd::kFirstCategory, DLxStdWhich::JIS, &DLxCIdStdJIS::CreateCategoryDefault},
    {DLxCIdStd::kSecondCategory, DLxStdWhich::JIS, &DLxCIdStdJIS::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::ANSI, &DLxCSurfTextStdANSI::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::DIN, &DLxCSurfTextStdDIN::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::ISO, &DLxCSurfTextStdISO::CreateCategoryDefault},
    {DLxCSurfTextStd::kCategory, DLxStdWhich::JIS, &DLxCSurfTextStdJIS::CreateCategoryDefault},
};

const UTxGUID& GuidOf(DLxStdWhich standard) {
    switch (standard) {
    case DLxStdWhich::ANSI:
        return DUxStandardGUID::GetANSIGuid();
    case DLxStdWhich::BSI:
        return DUxStandardGUID::GetBSIGuid();
    case DLxStdWhich::DIN:
        return DUxStandardGUID::GetDINGuid();
    case DLxStdWhich::GB:
        // our own GB GUID, not the host's
        return DLxGBStandardGUID;
    case DLxStdWhich::ISO:
        return DUxStandardGUID::GetISOGuid();
    case DLxStdWhich::JIS:
        break;
    }
    return DUxStandardGUID::GetJISGuid();
}

std::vector<std::unique_ptr<DUxCategoryDefaultFactory>>& Factories() {
    static std::vector<std::unique_ptr<DUxCategoryDefaultFactory>> v;
    return v;
}

UTxResult ComputeNothing(RDxInstance&, RDxComputeContext&) {
    return {};
}
} // namespace

void DLxRegisterStdFactory(int index) {
    const FactoryRow& r = kFactoryRows[index];
    Factories().push_back(
        std::make_unique<DUxCategoryDefaultFactory>(r.category, GuidOf(r.standard), r.fn));
}

RDxTemplate* CreateSymbolTemplate(RSeSegment*) {
    return new RDxPrimitiveTemplate(&ComputeNothing, DLxSymbolTemplateGUID, u"MyStandard", 16,
                                    nullptr);
}

void DLxRegisterSymbolTemplateFactory() {
    static RDxTemplateFactory factory(DLxSymbolTemplateGUID, u"MyStandard", &CreateSymbolTemplate,
                                      0);
}

void DLxInitStandardMetaTypes() {
    RSe::_InitMeta(static_cast<const DLxCColumnDef*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartList*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCTableCallout*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloon*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCBalloonStdJIS*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCDatumStdJIS*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCFCFStdJIS*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCIdStdJIS*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCPartListStdJIS*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStd*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdANSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdBSI*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdDIN*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdGB*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdISO*>(nullptr));
    RSe::_InitMeta(static_cast<const DLxCSurfTextStdJIS*>(nullptr));
}
