#include "Leader/DLxTerminalNodeGenerator.h"
#include "rse/RSeMeta.h"

namespace {
// {8a06920d-05b1-4b21-9a53-24b9899b343c}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x8a06920d, 0x05b14b21, 0x9a5324b9, 0x899b343c);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTerminalNodeGenerator*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTerminalNodeGenerator>(
        u"DLxTerminalNodeGenerator", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxBaseTerminalNodeGenerator*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTerminalNodeGenerator* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTerminalNodeGenerator::GetMeta() const {
    return RSe::_GetMeta(this);
}
