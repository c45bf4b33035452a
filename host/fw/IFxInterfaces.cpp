#include "fw/IFxInterfaces.h"

const UTxGUID& UTxGuidForIFxBalloonComp() {
    static const UTxGUID g(0x2a5b7c01, 0x4d1e11d3, 0x9f300800, 0x09dc7001);
    return g;
}
const UTxGUID& UTxGuidForIFxBrowserUtils() {
    static const UTxGUID g(0x2a5b7c02, 0x4d1e11d3, 0x9f300800, 0x09dc7001);
    return g;
}
const UTxGUID& UTxGuidForIFxDLAnnoGeometry() {
    static const UTxGUID g(0x2a5b7c03, 0x4d1e11d3, 0x9f300800, 0x09dc7001);
    return g;
}
const UTxGUID& UTxGuidForIFxAnnoWeldProxy() {
    static const UTxGUID g(0x2a5b7c04, 0x4d1e11d3, 0x9f300800, 0x09dc7001);
    return g;
}
