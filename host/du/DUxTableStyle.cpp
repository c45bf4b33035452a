#include "du/DUxTableStyle.h"

#include "du/DUxCAuxEntArray.h"
#include "du/DUxTableRowFilter.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeTransaction.h"

namespace {
// Copies of the columns in the segment, in order; a column that does not copy is left out.
DUxTableColumnList CopyColumns(const DUxTableColumnList& columns, RSeSegment* segment) {
    std::vector<RSeVMeta*> sources;
    for (const RSeRef<DUxTableStyleColumn>& c : columns)
        if (DUxTableStyleColumn* p = c.get()) sources.push_back(p);
    DUxTableColumnList copies;
    if (sources.empty()) return copies;
    RSeCloneCommander cc(segment ? segment : RSe::TransientSegment());
    if (cc.Clone(sources).Failed()) return copies;
    for (RSeVMeta* src : sources)
        if (auto* copy = dynamic_cast<DUxTableStyleColumn*>(cc.CloneOf(src)))
            copies.emplace_back(copy);
    return copies;
}
} // namespace

DUxTableColumnList DUxTableStyle::CopyColumnList(const DUxTableColumnList& columns,
                                                 RSeSegment* segment) {
    return CopyColumns(columns, segment);
}

DUxTableStyleColumn* DUxTableStyle::MakeColumn(const DUxTableStyleColumn* source,
                                               RSeSegment* segment) const {
    if (!segment) segment = RSe::TransientSegment();
    if (source) {
        DUxTableColumnList one{
            RSeRef<DUxTableStyleColumn>(const_cast<DUxTableStyleColumn*>(source))};
        DUxTableColumnList copy = CopyColumns(one, segment);
        return copy.empty() ? nullptr : copy.front().get();
    }
    if (dynamic_cast<const DUxTableStylePartsList*>(this))
        return DUxTableStylePartsListColumn::New(segment);
    return new (RSe::_GetMeta(static_cast<const DUxTableStyleColumn*>(nullptr)), segment)
        DUxTableStyleColumn();
}

void DUxTableStyle::Prepare() {
    RSe::PrepareWrite(this);
}

void DUxTableStyle::ClearColumns(DUxTableColumnList& columns) {
    for (RSeRef<DUxTableStyleColumn>& c : columns)
        if (DUxTableStyleColumn* p = c.get()) RSe::DeleteObject(p);
    columns.clear();
}

void DUxTableStyle::ReplaceColumns(DUxTableColumnList& own, const DUxTableColumnList& columns) {
    // Copies first: the list given may hold the style's own columns.
    DUxTableColumnList copies = CopyColumns(columns, RSe::SegmentOf(this));
    Prepare();
    ClearColumns(own);
    own = std::move(copies);
}

void DUxTableStyle::SetColumns(const DUxTableColumnList& columns) {
    ReplaceColumns(m_columns, columns);
}

void DUxTableStyle::SetCustomColumns(const DUxTableColumnList& columns) {
    ReplaceColumns(m_customColumns, columns);
}

DUxTableColumnList DUxTableStyle::GetCopyOfColumns(RSeSegment* segment) const {
    return CopyColumns(m_columns, segment);
}

DUxTableRowFilterList* DUxTableStyle::EnsureFilterList() {
    if (DUxTableRowFilterList* list = m_filters.get()) return list;
    Prepare();
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(RSe::SegmentOf(this));
    m_filters = RSeRef<DUxTableRowFilterList>(list);
    return list;
}

bool DUxTableStyle::IsStacked(const UTxString16& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'\\') continue;
        const char16_t n = text[i + 1];
        if ((n == u'S' || n == u's') && text.find(u';', i + 2) != UTxString16::npos) return true;
        ++i; // an escaped character is no code
    }
    return false;
}

bool DUxTableStyle::GetEscapedString(const UTxString16& text, UTxString16& escaped) {
    escaped.clear();
    bool changed = false;
    for (char16_t c : text) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            escaped += u'\\';
            changed = true;
        }
        escaped += c;
    }
    return changed;
}

UTxString16 DUxTableStyle::GetSimpleValue(const UTxString16& text) {
    return DUxPlainText(text, -1, 0);
}

const UTxString16& DUxTableStyle::GetSimpleValue(const UTxString16& text, UTxString16& scratch) {
    // Without braces and backslashes DUxPlainText copies every character as it is: the text
    // starts in font 0, which is not the symbol font (-1) here.
    for (char16_t c : text)
        if (c == u'{' || c == u'}' || c == u'\\') {
            scratch = DUxPlainText(text, -1, 0);
            return scratch;
        }
    return text;
}

DUxTableStylePartsList* DUxTableStylePartsList::CreateStyle(RSeSegment* segment,
                                                            const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxTableStylePartsList*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxTableStylePartsList();
    style->SetStyleName(name);
    return style;
}

const UTxString16& DUxTableStylePartsList::GetInternalStylesCollectionNameStatic() {
    static const UTxString16 name = u"PartsList";
    return name;
}

void DUxTableStylePartsList::SetGroupKeys(
    const std::vector<RSeRef<DUxTableStylePartsListColumn>>& keys) {
    DUxTableColumnList given;
    for (const RSeRef<DUxTableStylePartsListColumn>& k : keys)
        if (k.get()) given.emplace_back(k.get());
    DUxTableColumnList copies = CopyColumns(given, RSe::SegmentOf(this));
    Prepare();
    for (RSeRef<DUxTableStylePartsListColumn>& k : m_groupKeys)
        if (DUxTableStylePartsListColumn* p = k.get()) RSe::DeleteObject(p);
    m_groupKeys.clear();
    for (RSeRef<DUxTableStyleColumn>& c : copies)
        m_groupKeys.emplace_back(dynamic_cast<DUxTableStylePartsListColumn*>(c.get()));
}

RSeRef<DUxTableStyle> DUxTableStyleWrapper::Style() const {
    if (m_style.get()) return m_style;
    DUxTableStateBase* state = m_state.get();
    return RSeRef<DUxTableStyle>(state ? dynamic_cast<DUxTableStyle*>(state->GetStyle()) : nullptr);
}

void DUxTableStyleWrapper::SetPrimaryStyle(const RSeRef<DUxTableStyle>& style) {
    if (DUxTableStateBase* state = m_state.get()) state->SetStyle(style.get());
}

UTxString16 DUxTableStyleWrapper::GetTitle() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetTitle() : UTxString16();
}

void DUxTableStyleWrapper::SetTitle(const UTxString16& title) {
    if (DUxTableStyle* s = Style().get()) s->SetTitle(title);
}

DUxTableStyle::eTableRotation DUxTableStyleWrapper::GetRotation() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetRotation() : DUxTableStyle::eRot0;
}

DUxTableStyle::eDirection DUxTableStyleWrapper::GetDirection() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetDirection() : DUxTableStyle::eTopDown;
}

DUxTableStyle::eHeading DUxTableStyleWrapper::GetHeading() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetHeading() : DUxTableStyle::eHeadingTop;
}

double DUxTableStyleWrapper::GetTitleGap() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetTitleGap() : 0.0;
}

bool DUxTableStyleWrapper::UseTitle() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->UseTitle() : true;
}

int32_t DUxTableStyleWrapper::GetLineSpacing() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetLineSpacing() : 1;
}

void DUxTableStyleWrapper::SetUseTitle(bool use) {
    if (DUxTableStyle* s = Style().get()) s->SetUseTitle(use);
}

void DUxTableStyleWrapper::SetRotation(DUxTableStyle::eTableRotation rotation) {
    if (DUxTableStyle* s = Style().get()) s->SetRotation(rotation);
}

void DUxTableStyleWrapper::SetDirection(DUxTableStyle::eDirection direction) {
    if (DUxTableStyle* s = Style().get()) s->SetDirection(direction);
}

void DUxTableStyleWrapper::SetHeading(DUxTableStyle::eHeading heading) {
    if (DUxTableStyle* s = Style().get()) s->SetHeading(heading);
}

void DUxTableStyleWrapper::SetLineSpacing(int32_t spacing) {
    if (DUxTableStyle* s = Style().get()) s->SetLineSpacing(spacing);
}

DUxTableStyle::TextLook DUxTableStyleWrapper::GetTextStyle() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetTextStyle() : DUxTableStyle::TextLook();
}

DUxTableStyle::TextLook DUxTableStyleWrapper::GetTitleTextStyle() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetTitleTextStyle() : DUxTableStyle::TextLook();
}

DUxTableStyle::TextLook DUxTableStyleWrapper::GetHeadingTextStyle() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetHeadingTextStyle() : DUxTableStyle::TextLook();
}

DUxTableStyle::TextLook DUxTableStyleWrapper::LookOf(const DUxTextStyle& style) {
    DUxTableStyle::TextLook look;
    look.fontId = style.GetFontId();
    look.height = style.GetHeight();
    return look;
}

void DUxTableStyleWrapper::SetTextStyle(const DUxTextStyle* style) {
    if (DUxTableStyle* s = Style().get(); s && style) s->SetTextStyle(LookOf(*style));
}

void DUxTableStyleWrapper::SetTitleTextStyle(const DUxTextStyle* style) {
    if (DUxTableStyle* s = Style().get(); s && style) s->SetTitleTextStyle(LookOf(*style));
}

void DUxTableStyleWrapper::SetHeadingTextStyle(const DUxTextStyle* style) {
    if (DUxTableStyle* s = Style().get(); s && style) s->SetHeadingTextStyle(LookOf(*style));
}

DUxTableColumnList DUxTableStyleWrapper::GetCopyOfColumns(RSeSegment* segment) const {
    const DUxTableStyle* s = Style().get();
    return s ? s->GetCopyOfColumns(segment) : DUxTableColumnList();
}

DUxTableRowFilterList* DUxTableStyleWrapper::FilterList() const {
    const DUxTableStyle* s = Style().get();
    return s ? s->FilterList() : nullptr;
}

RSeRef<DUxTableStylePartsList> DUxTableStylePartsListWrapper::Style() const {
    return RSeRef<DUxTableStylePartsList>(
        dynamic_cast<DUxTableStylePartsList*>(DUxTableStyleWrapper::Style().get()));
}

// Documents find their parts-list styles under the collection name.
static const bool s_partsListKind = [] {
    FWxStylesCollection::RegisterKind(
        DUxTableStylePartsList::GetInternalStylesCollectionNameStatic(),
        RSe::_GetMeta(static_cast<const DUxTableStylePartsList*>(nullptr)));
    return true;
}();
