#pragma once
// The parts-list creation of transcripts written before local bills of materials
// ("CreatePartList"): kept for replay only. Its keys become a settings record, which the
// current creation request runs; the journal then holds that request's line.
#include <cstdint>

#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCreatePartListLocalBOMRequest;
class DLxPartListTable;
class DLxViewInstance;
class DUxTableStylePartsList;
class FBxLayerStyle;

class DLxPartListRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPartListRequest)
public:
    DLxPartListRequest();
    ~DLxPartListRequest() override;

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    uint32_t GetHorizDir() const { return m_horizDir; }
    int32_t GetPartListMode() const { return m_partListMode; }

    // Brings a line of the oldest layout, with the mode as a second "HorizDir", to today's.
    static UTxResult UpgradeOlderLine(UTxString16& line);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    WqGePoint3d m_origin;
    RSeRef<DLxViewInstance> m_view;
    UTxString16 m_itemIds;
    bool m_isComponent = false;
    int32_t m_formatColumns = 0;
    uint32_t m_horizDir = 0;
    int32_t m_partListMode = 0;
    RSeRef<DLxPartListTable> m_partList;
    RSeRef<DUxTableStylePartsList> m_partListStyle;
    RSeRef<FBxLayerStyle> m_layerStyle;
    // The creation that ran, which journals itself in this request's place.
    SmartPtr<DLxCreatePartListLocalBOMRequest> m_created;
};
