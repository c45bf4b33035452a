#include "dl/IFxBOMUtil.h"

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "utx/UTxGUID.h"

const UTxGUID& UTxGuidForIFxBOMUtil() {
    static const UTxGUID g(0x6c1d4e20, 0x8b3a11d4, 0xa7f00800, 0x09dc7011);
    return g;
}

IFxBOMUtil::IFxBOMUtil() : RSeStaticInterface(UTxGuidForIFxBOMUtil()) {}

uint32_t IFxBOMUtil::PrepareBOMEditor(FWxSceneDoc* doc, bool& structured, bool& partsOnly) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    const DLxAssemblyData* model = drawing ? drawing->GetAssembly() : nullptr;
    if (!model || model->Empty()) return 0;
    structured = model->scheme.structuredEnabled;
    partsOnly = model->scheme.partsOnlyEnabled;
    const uint32_t handle = m_next++;
    m_prepared.push_back({handle, doc->GetSerial()});
    return handle;
}

void IFxBOMUtil::OpenBOMEditor(uint32_t handle, const std::u16string& memberName, bool structured,
                               bool partsOnly) {
    for (const Prepared& p : m_prepared)
        if (p.handle == handle) {
            m_open.push_back({handle, p.document, memberName, structured, partsOnly});
            return;
        }
}

namespace {
// Registered when the host library loads, as the host published its services.
IFxBOMUtil s_bomUtil;
} // namespace

IFxBOMUtil* IFxBOMUtil::Get() {
    return RSe::StaticInterfaceSet().Query<IFxBOMUtil>(UTxGuidForIFxBOMUtil());
}
