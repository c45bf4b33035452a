#pragma once
// "PartListSort": sorts the rows of a parts list by a sort definition (column index and order
// per key) and recomputes the table. One undoable, journalled change, for callers outside the
// module; its line carries the list and the definition, so that a replay sorts the same way.
#include "du/DUxTableStateBase.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxPartListTable;

class DLxPartListSortRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPartListSortRequest)
public:
    DLxPartListSortRequest();
    DLxPartListSortRequest(const RSeRef<DLxPartListTable>& partList,
                           const DUxTableStateBase::SortDef& sortDef);

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    const DUxTableStateBase::SortDef& GetSortDef() const { return m_sortDef; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DUxTableStateBase::SortDef m_sortDef;
    RSeRef<DLxPartListTable> m_partList;
    UTxString16 m_partListRefString;
};
