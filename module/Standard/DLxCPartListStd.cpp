#include "Standard/DLxCPartListStd.h"

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPartListColumnHeaders.h"
#include "BofM/DLxPropertyUtil.h"
#include "Standard/DLxCColumnDef.h"
#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "du/DUxTableStyle.h"
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

// Columns that show the same properties the same way: a style given them again is unchanged.
bool SameColumns(const DUxTableColumnList& a, const DUxTableColumnList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const DUxTableStyleColumn* x = a[i].Read();
        const DUxTableStyleColumn* y = b[i].Read();
        if (!x || !y) return x == y;
        if (!(*x->GetPropertyID() == *y->GetPropertyID()) ||
            x->GetHeadingAlignment() != y->GetHeadingAlignment() ||
            x->GetColumnAlignment() != y->GetColumnAlignment() || x->GetWidth() != y->GetWidth() ||
            x->GetFormatMode() != y->GetFormatMode() ||
            x->GetOutputUnitType() != y->GetOutputUnitType())
            return false;
    }
    return true;
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
    static constexpr Def kDefs[] = {{7671, DLxStdCm(1.5), 1, 1},
                                    {7668, DLxStdCm(1.0), 1, 1},
                                    {7681, DLxStdCm(6.0), 1, 1},
                                    {7669, DLxStdCm(6.0), 1, 0}};
    DeleteTarget(m_columnHeaders.GetTarget());
    m_columnHeaders =
        RSeRef<DLxPartListColumnHeaders>(DLxPartListColumnHeaders::New(GetSegment(), true));
    // The headers' default widths are the original's centimetres; the standard holds sheet mm.
    for (const RSeRef<DLxPartListColumn>& c : m_columnHeaders.get()->GetColumns())
        if (DLxPartListColumn* column = c.get()) column->SetWidth(DLxStdCm(column->GetWidth()));
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
    m_gapA = DLxStdCm(0.09);
    m_gapB = DLxStdCm(0.09);
    m_further = 1;
    m_title = ResourceText(8398);
    m_useTitle = m_title.empty() ? 0 : 1;
    m_nestedDelimiter = u".";
    m_nestedInheritance = true;
    MakeDefaultColumns();
    return true;
}

void DLxCPartListStd::CopyToStyle(const RSeRef<FWxStyle>& ref) {
    RSeRef<DUxTableStylePartsList> style = RSeRefCast<DUxTableStylePartsList>(ref);
    if (style.IsNull()) return;
    DUxTableStylePartsList& st = *style;
    st.SetStyleDescription(GetStandardReference());
    auto copy = [&st](const auto& have, const auto& want, auto set) {
        if (have == want) return;
        (st.*set)(want);
        st.MarkEdited(1);
    };
    // Code A runs the rows (0 down from the heading, 1 up), code B places the headings
    // (0 top, 1 bottom, 2 none), code C counts the lines of a cell: the style keeps those
    // beyond the first. Gap B pads the headings, gap A the rows.
    copy(st.GetDirection(), DUxTableStyle::eDirection(m_layoutA), &DUxTableStyle::SetDirection);
    copy(st.GetHeading(), DUxTableStyle::eHeading(m_layoutB), &DUxTableStyle::SetHeading);
    copy(st.GetHeadingGap(), m_gapB, &DUxTableStyle::SetHeadingGap);
    copy(st.GetRowGap(), m_gapA, &DUxTableStyle::SetRowGap);
    copy(st.GetLineSpacing(), m_layoutC - 1, &DUxTableStyle::SetLineSpacing);
    copy(st.UseTitle(), m_useTitle != 0, &DUxTableStyle::SetUseTitle);
    copy(st.GetTitle(), m_title, &DUxTableStyle::SetTitle);

    if (!m_columnHeaders.HasTarget()) {
        RSe::PrepareWrite(this);
        MakeDefaultColumns();
    }
    const DLxPartListColumnHeaders* headers = m_columnHeaders.Read();
    DUxTableColumnList columns;
    for (int32_t i = 0; i < headers->GetDisplayedCount(); ++i) {
        RSeRef<DUxTableStylePartsListColumn> c = DLxPropertyUtil::createStyleItemFromColumn(
            headers->GetDisplayedColumn(i).Read(), st.GetSegment());
        if (c.HasTarget()) columns.emplace_back(c);
    }
    if (!SameColumns(columns, st.GetColumns())) {
        st.SetColumns(columns);
        st.MarkEdited(1);
    }
    // SetColumns keeps copies of its own.
    DUxTableStyle::ClearColumns(columns);
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
