#pragma once
// "ConvertToBOM": makes the overrides that parts lists carry part of their bill of materials.
// It enables the bill's scheme in the source model when needed, writes the given list's own
// cell overrides into the bill, drops the local overrides of every list of the bill, makes
// every row's item number an override of the bill, and brings the lists up to date. One
// undoable, journalled change.
#include <vector>

#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxLocalBOM;
class DLxPartListTable;

class DLxConvertToBOMRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxConvertToBOMRequest)
public:
    // For replay.
    DLxConvertToBOMRequest();
    // The bill alone: no list's overrides are absorbed.
    explicit DLxConvertToBOMRequest(const RSeRef<DLxLocalBOM>& bom);
    // The list's bill, absorbing the list's overrides.
    explicit DLxConvertToBOMRequest(const RSeRef<DLxPartListTable>& partList);

    const RSeRef<DLxLocalBOM>& GetLocalBOM() const { return m_localBOM; }
    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    // Every parts list of the bill, as the execution found them.
    const std::vector<RSeRef<DLxPartListTable>>& GetPartLists() const { return m_partLists; }
    // Whether the execution enabled the scheme in the source model.
    bool MasterRepEdited() const { return m_masterRepEdited; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    void TakeLocalBOM();
    UTxResult EnableScheme(DLxLocalBOM& bom, int32_t scheme);
    void fillOutEntityVectors(DLxLocalBOM& bom);
    void absorbSelectedPLOverrides();
    void removeEntityBasedOverrides();
    void setItemsAsOverrides(DLxLocalBOM& bom);

    RSeRef<DLxLocalBOM> m_localBOM;
    RSeRef<DLxPartListTable> m_partList;
    std::vector<RSeRef<DLxPartListTable>> m_partLists;
    bool m_masterRepEdited = false;
};
