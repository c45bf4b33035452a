#include "BofM/DLxPartlistFilter.h"

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMQuery.h"
#include "fb/FBxObjectEditRecord.h"
#include "fb/FBxXmlElement.h"
#include "fw/FWxDesignView.h"
#include "fw/FWxDocUtil.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeMetaType.h"

namespace {
// A record holds its kind, the base's active flag, then the class's value.
constexpr int32_t kRecordValue = 2;
// The class's value in the filter list's XML.
constexpr char16_t kPurchasedKey[] = u"Purchased_Only";
constexpr char16_t kStandardKey[] = u"Standard_Only";
constexpr char16_t kRangeKey[] = u"Range_String";
constexpr char16_t kDesignViewKey[] = u"Design_View";

UTxString16 LoadText(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    if (!res) return {};
    auto text = FindStringResource(res, id);
    return text ? UTxString16(*text) : UTxString16();
}

DLxLocalBOMRow* BOMRow(DUxTableDataQueryResultRow* row) {
    return dynamic_cast<DLxLocalBOMRow*>(row);
}

DLxPartlistFilterDesignView::TableDesignViewName g_tableDesignViewName = nullptr;
} // namespace

// ---- purchased ------------------------------------------------------------------------------

DLxPartlistFilterPurchased::DLxPartlistFilterPurchased(const FBxObjectEditRecord* record)
    : DUxTableRowFilter(record) {
    if (record && record->IsKind(kRecordValue, FBxObjectEditRecord::Value::kBool))
        m_purchasedOnly = record->GetBool(kRecordValue);
}

void DLxPartlistFilterPurchased::SetPurchasedOnly(bool only) {
    PrepareWrite();
    m_purchasedOnly = only;
}

DUxTableRowFilter& DLxPartlistFilterPurchased::operator=(const DUxTableRowFilter& other) {
    DUxTableRowFilter::operator=(other);
    if (auto* o = dynamic_cast<const DLxPartlistFilterPurchased*>(&other); o && o != this)
        SetPurchasedOnly(o->m_purchasedOnly);
    return *this;
}

bool DLxPartlistFilterPurchased::operator==(const DUxTableRowFilter& other) const {
    auto* o = dynamic_cast<const DLxPartlistFilterPurchased*>(&other);
    return DUxTableRowFilter::operator==(other) && o && o->m_purchasedOnly == m_purchasedOnly;
}

void DLxPartlistFilterPurchased::Init() {
    DUxTableRowFilter::Init();
    m_purchasedOnly = false;
}

void DLxPartlistFilterPurchased::InitObjectEditRecord(FBxObjectEditRecord* record) const {
    DUxTableRowFilter::InitObjectEditRecord(record);
    if (record) record->AddBool(m_purchasedOnly);
}

void DLxPartlistFilterPurchased::LoadAttributes(const FBxXmlElement& element, int32_t version) {
    DUxTableRowFilter::LoadAttributes(element, version);
    bool only = m_purchasedOnly;
    if (element.GetAttributeBool(kPurchasedKey, only) && only != m_purchasedOnly)
        SetPurchasedOnly(only);
}

int32_t DLxPartlistFilterPurchased::SaveAttributes(FBxXmlElement& element,
                                                   std::vector<FBxXmlElement*>* extra) const {
    DUxTableRowFilter::SaveAttributes(element, extra);
    element.SetAttributeBool(kPurchasedKey, m_purchasedOnly);
    return 0;
}

UTxString16 DLxPartlistFilterPurchased::DisplayName() const {
    return LoadText(m_purchasedOnly ? 7504 : 7505);
}

bool DLxPartlistFilterPurchased::FilterOut(DUxTableDataQueryResultRow* row) {
    const DLxLocalBOMRow* r = BOMRow(row);
    if (!r) return false;
    const bool purchased = r->GetItemCode() == DLxLocalBOMRow::kItemPurchased;
    return purchased != m_purchasedOnly;
}

// ---- standard -------------------------------------------------------------------------------

DLxPartlistFilterStandard::DLxPartlistFilterStandard(const FBxObjectEditRecord* record)
    : DUxTableRowFilter(record) {
    if (record && record->IsKind(kRecordValue, FBxObjectEditRecord::Value::kBool))
        m_standardOnly = record->GetBool(kRecordValue);
}

void DLxPartlistFilterStandard::SetStandardOnly(bool only) {
    PrepareWrite();
    m_standardOnly = only;
}

DUxTableRowFilter& DLxPartlistFilterStandard::operator=(const DUxTableRowFilter& other) {
    DUxTableRowFilter::operator=(other);
    if (auto* o = dynamic_cast<const DLxPartlistFilterStandard*>(&other); o && o != this)
        SetStandardOnly(o->m_standardOnly);
    return *this;
}

bool DLxPartlistFilterStandard::operator==(const DUxTableRowFilter& other) const {
    auto* o = dynamic_cast<const DLxPartlistFilterStandard*>(&other);
    return DUxTableRowFilter::operator==(other) && o && o->m_standardOnly == m_standardOnly;
}

void DLxPartlistFilterStandard::Init() {
    DUxTableRowFilter::Init();
    m_standardOnly = false;
}

void DLxPartlistFilterStandard::InitObjectEditRecord(FBxObjectEditRecord* record) const {
    DUxTableRowFilter::InitObjectEditRecord(record);
    if (record) record->AddBool(m_standardOnly);
}

void DLxPartlistFilterStandard::LoadAttributes(const FBxXmlElement& element, int32_t version) {
    DUxTableRowFilter::LoadAttributes(element, version);
    bool only = m_standardOnly;
    if (element.GetAttributeBool(kStandardKey, only) && only != m_standardOnly)
        SetStandardOnly(only);
}

int32_t DLxPartlistFilterStandard::SaveAttributes(FBxXmlElement& element,
                                                  std::vector<FBxXmlElement*>* extra) const {
    DUxTableRowFilter::SaveAttributes(element, extra);
    element.SetAttributeBool(kStandardKey, m_standardOnly);
    return 0;
}

UTxString16 DLxPartlistFilterStandard::DisplayName() const {
    return LoadText(m_standardOnly ? 7512 : 7513);
}

bool DLxPartlistFilterStandard::IsStandardPart(const DUxTableDataQueryResultRow* row) {
    // Only a model component can be a standard part; the bill answers it as a "Yes" cell.
    const auto* r = dynamic_cast<const DLxLocalBOMRow*>(row);
    if (!r || r->GetComponentId() == 0) return false;
    std::u16string text;
    return r->GetCellText(DLxLocalBOMColumn::StandardPart, text) && text == u"Yes";
}

bool DLxPartlistFilterStandard::FilterOut(DUxTableDataQueryResultRow* row) {
    if (!BOMRow(row)) return false;
    return IsStandardPart(row) != m_standardOnly;
}

// ---- ballooned ------------------------------------------------------------------------------

DUxTableRowFilter& DLxPartlistFilterBallooned::operator=(const DUxTableRowFilter& other) {
    // Nothing of its own to take: the cookies belong to a pass.
    return DUxTableRowFilter::operator=(other);
}

bool DLxPartlistFilterBallooned::operator==(const DUxTableRowFilter& other) const {
    return DUxTableRowFilter::operator==(other) &&
           dynamic_cast<const DLxPartlistFilterBallooned*>(&other) != nullptr;
}

UTxString16 DLxPartlistFilterBallooned::DisplayName() const {
    return LoadText(7507);
}

void DLxPartlistFilterBallooned::PreFilterOut(DUxTableDataQueryResultRow* row) {
    const DLxLocalBOMRow* r = BOMRow(row);
    // The pass calls this before every row: each bill's balloons are gathered once.
    if (r && r->BOM() && r->BOM() != m_gathered) {
        r->BOM()->GetBalloonCookieSet(m_cookies);
        m_gathered = r->BOM();
    }
}

bool DLxPartlistFilterBallooned::FilterOut(DUxTableDataQueryResultRow* row) {
    const DLxLocalBOMRow* r = BOMRow(row);
    return r && m_cookies.count(r->Cookie()) == 0;
}

void DLxPartlistFilterBallooned::PostFilterOut() {
    m_cookies.clear();
    m_gathered = nullptr;
}

// ---- item range -----------------------------------------------------------------------------

DLxPartlistFilterItemRange::DLxPartlistFilterItemRange(const FBxObjectEditRecord* record)
    : DUxTableRowFilter(record) {
    if (record && record->IsKind(kRecordValue, FBxObjectEditRecord::Value::kString))
        m_rangeString = record->GetString(kRecordValue);
}

void DLxPartlistFilterItemRange::SetRangeString(const UTxString16& text) {
    PrepareWrite();
    m_rangeString = text;
    m_ranges.clear(); // parsed again by the next PreFilterOut
}

DUxTableRowFilter& DLxPartlistFilterItemRange::operator=(const DUxTableRowFilter& other) {
    DUxTableRowFilter::operator=(other);
    if (auto* o = dynamic_cast<const DLxPartlistFilterItemRange*>(&other); o && o != this)
        SetRangeString(o->m_rangeString);
    return *this;
}

bool DLxPartlistFilterItemRange::operator==(const DUxTableRowFilter& other) const {
    auto* o = dynamic_cast<const DLxPartlistFilterItemRange*>(&other);
    return DUxTableRowFilter::operator==(other) && o && o->m_rangeString == m_rangeString;
}

void DLxPartlistFilterItemRange::Init() {
    DUxTableRowFilter::Init();
    m_rangeString.clear();
}

void DLxPartlistFilterItemRange::InitObjectEditRecord(FBxObjectEditRecord* record) const {
    DUxTableRowFilter::InitObjectEditRecord(record);
    if (record) record->AddString(m_rangeString);
}

void DLxPartlistFilterItemRange::LoadAttributes(const FBxXmlElement& element, int32_t version) {
    DUxTableRowFilter::LoadAttributes(element, version);
    UTxString16 text = m_rangeString;
    if (element.GetAttribute(kRangeKey, text) && text != m_rangeString) SetRangeString(text);
}

int32_t DLxPartlistFilterItemRange::SaveAttributes(FBxXmlElement& element,
                                                   std::vector<FBxXmlElement*>* extra) const {
    DUxTableRowFilter::SaveAttributes(element, extra);
    element.SetAttribute(kRangeKey, m_rangeString);
    return 0;
}

UTxString16 DLxPartlistFilterItemRange::DisplayName() const {
    return LoadText(7523) + m_rangeString;
}

void DLxPartlistFilterItemRange::PreFilterOut(DUxTableDataQueryResultRow*) {
    // The pass calls this before every row; the ranges are parsed once per pass.
    if (!m_ranges.empty()) return;
    DLxItemRangeStringParser parser;
    if (parser.Parse(m_rangeString)) m_ranges = parser.Ranges();
}

bool DLxPartlistFilterItemRange::FilterOut(DUxTableDataQueryResultRow* row) {
    const DLxLocalBOMRow* r = BOMRow(row);
    if (!row) return false;
    // The item-number property: the bill's Item column, with the table's number if one is set.
    std::u16string text;
    if (r) r->GetCellText(DLxLocalBOMColumn::Item, text);
    for (const DLxItemRangeStringParser::Range& range : m_ranges) {
        if (DLxItemRangeStringParser::CompareItemNumbers(range.first, text) <= 0 &&
            DLxItemRangeStringParser::CompareItemNumbers(text, range.second) <= 0)
            return false;
    }
    return true;
}

void DLxPartlistFilterItemRange::PostFilterOut() {
    m_ranges.clear();
}

// ---- design view ----------------------------------------------------------------------------

DLxPartlistFilterDesignView::DLxPartlistFilterDesignView(const FBxObjectEditRecord* record)
    : DUxTableRowFilter(record) {
    if (record && record->IsKind(kRecordValue, FBxObjectEditRecord::Value::kString))
        m_name = record->GetString(kRecordValue);
}

void DLxPartlistFilterDesignView::SetTableDesignViewName(TableDesignViewName fn) {
    g_tableDesignViewName = fn;
}

UTxString16 DLxPartlistFilterDesignView::DesignView() const {
    if (const RSeIDed* table = m_table.get(); table && g_tableDesignViewName)
        return g_tableDesignViewName(table);
    return m_name;
}

void DLxPartlistFilterDesignView::SetDesignView(const UTxString16& name) {
    PrepareWrite();
    m_name = name;
    m_table = RSeRef<RSeIDed>();
}

void DLxPartlistFilterDesignView::SetDesignView(const RSeRef<RSeIDed>& table) {
    PrepareWrite();
    m_table = table;
}

RSeRef<FWxDesignView> DLxPartlistFilterDesignView::GetDesignView(RDxComponent* component,
                                                                 const UTxString16& name) {
    if (name.empty() || name == LoadText(9760) || !component) return {};
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(component);
    if (!doc) return {};
    RSeRef<FWxDesignView> view = FWxDesignViewAccessor(doc).GetDesignView(component, name);
    if (view) view->Initialize(doc);
    return view;
}

DUxTableRowFilter& DLxPartlistFilterDesignView::operator=(const DUxTableRowFilter& other) {
    DUxTableRowFilter::operator=(other);
    if (auto* o = dynamic_cast<const DLxPartlistFilterDesignView*>(&other); o && o != this) {
        PrepareWrite();
        m_name = o->DesignView();
        m_table = o->m_table;
    }
    return *this;
}

bool DLxPartlistFilterDesignView::operator==(const DUxTableRowFilter& other) const {
    auto* o = dynamic_cast<const DLxPartlistFilterDesignView*>(&other);
    return DUxTableRowFilter::operator==(other) && o && o->DesignView() == DesignView();
}

void DLxPartlistFilterDesignView::Init() {
    DUxTableRowFilter::Init();
    m_name.clear();
    m_table = RSeRef<RSeIDed>();
}

void DLxPartlistFilterDesignView::InitObjectEditRecord(FBxObjectEditRecord* record) const {
    DUxTableRowFilter::InitObjectEditRecord(record);
    if (record) record->AddString(DesignView());
}

void DLxPartlistFilterDesignView::LoadAttributes(const FBxXmlElement& element, int32_t version) {
    DUxTableRowFilter::LoadAttributes(element, version);
    // The name only: a filter that follows a table keeps following it.
    UTxString16 name = m_name;
    if (element.GetAttribute(kDesignViewKey, name) && name != m_name) {
        PrepareWrite();
        m_name = name;
    }
}

int32_t DLxPartlistFilterDesignView::SaveAttributes(FBxXmlElement& element,
                                                    std::vector<FBxXmlElement*>* extra) const {
    DUxTableRowFilter::SaveAttributes(element, extra);
    element.SetAttribute(kDesignViewKey, DesignView());
    return 0;
}

UTxString16 DLxPartlistFilterDesignView::DisplayName() const {
    const UTxString16 format = LoadText(7520);
    const UTxString16 name = DesignView();
    const size_t at = format.find(u"%s");
    return at == UTxString16::npos ? format + name
                                   : format.substr(0, at) + name + format.substr(at + 2);
}

bool DLxPartlistFilterDesignView::FilterOut(DUxTableDataQueryResultRow*) {
    return false;
}

// ---- factory --------------------------------------------------------------------------------

namespace {
template <class T> DUxTableRowFilter* Make(RSeSegment* segment, const FBxObjectEditRecord* r) {
    RSeSegment* at = segment ? segment : RSe::TransientSegment();
    return r ? new (RSe::_GetMeta(static_cast<const T*>(nullptr)), at) T(r)
             : new (RSe::_GetMeta(static_cast<const T*>(nullptr)), at) T();
}
} // namespace

DUxTableRowFilter* DLxNewPartlistFilter(DUxTableRowFilter::FilterType type, RSeSegment* segment,
                                        const FBxObjectEditRecord* record) {
    switch (type) {
    case DUxTableRowFilter::ePurchasedFilter:
        return Make<DLxPartlistFilterPurchased>(segment, record);
    case DUxTableRowFilter::eStandardFilter:
        return Make<DLxPartlistFilterStandard>(segment, record);
    case DUxTableRowFilter::eBalloonedFilter:
        return Make<DLxPartlistFilterBallooned>(segment, record);
    case DUxTableRowFilter::eItemRangeFilter:
        return Make<DLxPartlistFilterItemRange>(segment, record);
    case DUxTableRowFilter::eDesignViewFilter:
        return Make<DLxPartlistFilterDesignView>(segment, record);
    default:
        return nullptr;
    }
}
