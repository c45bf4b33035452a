#pragma once
// The repairs the module offers next to a diagnosis of an annotation whose anchors lost their
// geometry: delete the symbol, reattach it by hand, reconnect it automatically. Each first
// pre-selects the symbol through the sheet that is active in the document, then runs host
// commands on it; when the symbol cannot be selected (no node for the active sheet or for the
// symbol, or a kind the repairs do not know) a treatment does nothing at all. None reads the
// diagnosis. The host's treatment framework makes and calls them; nothing in the module does.
#include "uc/UCxTreatment.h"

class DLxDeleteSymbolTreatment : public UCxTreatment_List {
public:
    // The host's delete command.
    static constexpr uint32_t kNumber = 0x8188;
    DLxDeleteSymbolTreatment();
    DLxDeleteSymbolTreatment(const DLxDeleteSymbolTreatment&) = default;
    // Placed symbols as they answer, every older-generation symbol.
    bool CanApply(RSeRef<RDxObject> object, UTxDiagnosis* diagnosis) override;
    void Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc, UTxDiagnosis* diagnosis) override;
};

class DLxReattachSymbolTreatment : public UCxTreatment_List {
public:
    // The host's command that reattaches the pre-selected symbol.
    static constexpr uint32_t kReattachCommand = 35870;
    DLxReattachSymbolTreatment();
    DLxReattachSymbolTreatment(const DLxReattachSymbolTreatment&) = default;
    // Datum targets with the leader-only target; other placed symbols as they answer;
    // older-generation symbols; origin indicators.
    bool CanApply(RSeRef<RDxObject> object, UTxDiagnosis* diagnosis) override;
    // Tells the user what to pick, then starts the reattach command in the active view.
    void Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc, UTxDiagnosis* diagnosis) override;
};

class DLxAutoReconnectSymbolTreatment : public UCxTreatment_List {
public:
    // The host's command that finds the lost geometry again, run before the reattach command.
    static constexpr uint32_t kReconnectCommand = 44026;
    DLxAutoReconnectSymbolTreatment();
    DLxAutoReconnectSymbolTreatment(const DLxAutoReconnectSymbolTreatment&) = default;
    // As the reattach treatment.
    bool CanApply(RSeRef<RDxObject> object, UTxDiagnosis* diagnosis) override;
    void Apply(RSeRef<RDxObject> object, FWxSceneDoc* doc, UTxDiagnosis* diagnosis) override;
};

// Pre-selects the symbol in the document through the active sheet; false, selecting nothing,
// when that cannot be done.
bool SelectSymbolForTreatment(RSeRef<RDxObject> object, FWxSceneDoc* doc);
