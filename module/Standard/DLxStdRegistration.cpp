#include "Standard/DLxStdRegistration.h"

#include <memory>
#include <vector>

#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCIdStd.h"
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
    int32_t standard; // DLxStdWhich
    DUxCategoryDefaultFn fn;
};

// The registration order is fixed: the host keeps factories in the order they come.
const FactoryRow kFactoryRows[kDLxStdFactoryCount] = {
    {56468, int32_t(DLxStdWhich::ANSI), &DLxCBalloonStdANSI::CreateCategoryDefault},
    {56468, int32_t(DLxStdWhich::BSI), &DLxCBalloonStdBSI::CreateCategoryDefault},
    {56468, int32_t(DLxStdWhich::DIN), &DLxCBalloonStdDIN::CreateCategoryDefault},
    {56468, int32_t(DLxStdWhich::GB), &DLxCBalloonStdGB::CreateCategoryDefault},
    {56468, int32_t(DLxStdWhich::ISO), &DLxCBalloonStdISO::CreateCategoryDefault},
    {56468, int32_t(DLxStdWhich::JIS), &DLxCBalloonStdJIS::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::BSI), &DLxCDatumStdBSI::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::GB), &DLxCDatumStdGB::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::BSI), &DLxCFCFStdBSI::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::GB), &DLxCFCFStdGB::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::BSI), &DLxCIdStdBSI::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::BSI), &DLxCIdStdBSI::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::GB), &DLxCIdStdGB::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::GB), &DLxCIdStdGB::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::ANSI), &DLxCPartListStdANSI::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::BSI), &DLxCPartListStdBSI::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::DIN), &DLxCPartListStdDIN::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::GB), &DLxCPartListStdGB::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::ISO), &DLxCPartListStdISO::CreateCategoryDefault},
    {56467, int32_t(DLxStdWhich::JIS), &DLxCPartListStdJIS::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::BSI), &DLxCSurfTextStdBSI::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::GB), &DLxCSurfTextStdGB::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::ANSI), &DLxCDatumStdANSI::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::DIN), &DLxCDatumStdDIN::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::ISO), &DLxCDatumStdISO::CreateCategoryDefault},
    {56463, int32_t(DLxStdWhich::JIS), &DLxCDatumStdJIS::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::ANSI), &DLxCFCFStdANSI::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::DIN), &DLxCFCFStdDIN::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::ISO), &DLxCFCFStdISO::CreateCategoryDefault},
    {56462, int32_t(DLxStdWhich::JIS), &DLxCFCFStdJIS::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::ANSI), &DLxCIdStdANSI::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::ANSI), &DLxCIdStdANSI::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::DIN), &DLxCIdStdDIN::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::DIN), &DLxCIdStdDIN::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::ISO), &DLxCIdStdISO::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::ISO), &DLxCIdStdISO::CreateCategoryDefault},
    {56464, int32_t(DLxStdWhich::JIS), &DLxCIdStdJIS::CreateCategoryDefault},
    {56465, int32_t(DLxStdWhich::JIS), &DLxCIdStdJIS::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::ANSI), &DLxCSurfTextStdANSI::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::DIN), &DLxCSurfTextStdDIN::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::ISO), &DLxCSurfTextStdISO::CreateCategoryDefault},
    {56460, int32_t(DLxStdWhich::JIS), &DLxCSurfTextStdJIS::CreateCategoryDefault},
};

const UTxGUID& GuidOf(int32_t standard) {
    switch (DLxStdWhich(standard)) {
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
