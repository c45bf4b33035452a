#include "fw/FWxTableExport.h"

#include <utility>

namespace {
FWxTableExporter& Registered() {
    static FWxTableExporter exporter;
    return exporter;
}
} // namespace

FWxTableExporter FWxSetTableExporter(FWxTableExporter exporter) {
    return std::exchange(Registered(), std::move(exporter));
}

UTxResult FWxExportTable(FWxSceneDoc* doc, const FWxTableExportRequest& request) {
    if (!Registered()) return UTxResult::Refusal(0xE009033C, u"no module exports tables");
    return Registered()(doc, request);
}
