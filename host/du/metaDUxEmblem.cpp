#include "du/DUxEmblem.h"
#include "rse/RSeMeta.h"

namespace {
void AnnotationGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d06, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
void EmblemGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d07, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxAnnotationInstance*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxAnnotationInstance>(
        u"DUxAnnotationInstance", &AnnotationGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RDxInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxAnnotationInstance* p) {
    return _InitMeta(p);
}
RSeMetaType* _InitMeta(const DUxEmblem*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxEmblem>(u"DUxEmblem", &EmblemGuid, 0, RSeMetaType::kAbstractClass,
                               RSe::_InitMeta(static_cast<const DUxAnnotationInstance*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxEmblem* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_annotationMeta =
    RSe::_InitMeta(static_cast<const DUxAnnotationInstance*>(nullptr));
static RSeMetaType* const s_emblemMeta = RSe::_InitMeta(static_cast<const DUxEmblem*>(nullptr));

RSeMetaType* DUxAnnotationInstance::GetMeta() const {
    return RSe::_GetMeta(this);
}
RSeMetaType* DUxEmblem::GetMeta() const {
    return RSe::_GetMeta(this);
}
