#include "Standard/DLxCPartListStd.h"

#include "BofM/DLxPartListColumnHeaders.h"
#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSeTransaction.h"

namespace {
UTxString16 ResourceText(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    if (!res) return {};
    auto text = FindStringResource(res, id);
    return text ? UTxString16(*text) : UTxString16();
}

void DeleteTarget(RSeIDed* obj) {
    if (obj) RSe::DeleteObject(obj);
}
} // namespace

DLxCPartListStd::DLxCPartListStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
    : DUxCategoryDefault(doc, category, standard) {
    for (int i = 0; i < 3; ++i)
        m_rowKeys.emplace_back(DUxRowKey::New(GetSegment(), 1, kDefaultRowKeyPID, u""));
}

DLxCPartListStd::~DLxCPartListStd() {
    for (const RSeRef<DLxCColumnDef>& c : m_columnDefs)
        DeleteTarget(c.GetTarget());
    DeleteTarget(m_columnHeaders.GetTarget());
    ReleaseRowKeys();
}

void DLxCPartListStd::ReleaseRowKeys() {
    for (const RSeRef<DUxRowKey>& k : m_rowKeys)
        DeleteTarget(k.GetTarget());
    m_rowKeys.clear();
}

// Headings from the resource module; the third integer is the column's position.
void DLxCPartListStd::MakeDefaultColumns() {
    struct Def {
        uint32_t name;
        double width;
        int32_t first, second;
    };
    static constexpr Def kDefs[] = {
        {7671, 1.5, 1, 1}, {7668, 1.0, 1, 1}, {7681, 6.0, 1, 1}, {7669, 6.0, 1, 0}};
    DeleteTarget(m_columnHeaders.GetTarget());
    m_columnHeaders =
        RSeRef<DLxPartListColumnHeaders>(DLxPartListColumnHeaders::New(GetSegment(), true));
    for (const RSeRef<DLxCColumnDef>& c : m_columnDefs)
        DeleteTarget(c.GetTarget());
    m_columnDefs.clear();
    int16_t position = 0;
    for (const Def& d : kDefs)
        m_columnDefs.emplace_back(DLxCColumnDef::New(GetSegment(), ResourceText(d.name), d.first,
                                                     d.second, position++, d.width));
}

// Row keys and their mode are the document's choice: the factory values leave them.
bool DLxCPartListStd::setFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_layoutA = 0;
    m_layoutB = 0;
    m_layoutC = 1;
    m_gapA = 0.09;
    m_gapB = 0.09;
    m_further = 1;
    m_title = ResourceText(8398);
    m_useTitle = m_title.empty() ? 0 : 1;
    m_nestedDelimiter = u".";
    m_nestedInheritance = true;
    MakeDefaultColumns();
    return true;
}

bool DLxCPartListStd::GetRowKeys(std::vector<RSeRef<DUxRowKey>>& keys) {
    keys.clear();
    for (RSeRef<DUxRowKey>& k : m_rowKeys) {
        const DUxRowKey* key = k.Read();
        if (key && (key->getType() == 3 || key->getType() == 4)) {
            RSe::PrepareWrite(this);
            DeleteTarget(k.GetTarget());
            k = RSeRef<DUxRowKey>(DUxRowKey::New(GetSegment(), 1, kDefaultRowKeyPID, u""));
        }
    }
    keys = m_rowKeys;
    return true;
}

int32_t DLxCPartListStd::SetRowKeys(const std::vector<RSeRef<DUxRowKey>>& keys) {
    RSe::PrepareWrite(this);
    ReleaseRowKeys();
    for (const RSeRef<DUxRowKey>& k : keys) {
        const DUxRowKey* key = k.Read();
        if (!key) continue;
        m_rowKeys.emplace_back(
            DUxRowKey::New(GetSegment(), key->getType(), key->getGeneralPID(), key->getCustomId()));
    }
    return int32_t(keys.size());
}

RSeRef<DUxCategoryDefault> DLxCPartListStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                      RSeSegment* segment,
                                                                      int32_t category,
                                                                      const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::JIS);
}
