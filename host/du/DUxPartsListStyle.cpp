#include "du/DUxPartsListStyle.h"

#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeTransaction.h"

const UTxString16 DUxPartsListStyle::m_sPartsListCollectionName = u"PartsListStyle";

// Documents find these styles under the collection name.
static const bool s_kind = [] {
    FWxStylesCollection::RegisterKind(
        u"PartsListStyle", RSe::_GetMeta(static_cast<const DUxPartsListStyle*>(nullptr)));
    return true;
}();

DUxPartsListStyle* DUxPartsListStyle::CreateStyle(RSeSegment* segment, const UTxString16& name) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxPartsListStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxPartsListStyle();
    style->SetStyleName(name);
    return style;
}

void DUxPartsListStyle::Prepare() {
    RSe::PrepareWrite(this);
}

DUxPartsListStyleColumnList
DUxPartsListStyle::CopyColumns(const DUxPartsListStyleColumnList& columns, RSeSegment* segment) {
    std::vector<RSeVMeta*> sources;
    for (const RSeRef<DUxPartsListStyleColumnItem>& c : columns)
        if (DUxPartsListStyleColumnItem* p = c.get()) sources.push_back(p);
    DUxPartsListStyleColumnList copies;
    if (sources.empty()) return copies;
    RSeCloneCommander cc(segment ? segment : RSe::TransientSegment());
    if (cc.Clone(sources).Failed()) return copies;
    for (RSeVMeta* src : sources)
        if (auto* copy = dynamic_cast<DUxPartsListStyleColumnItem*>(cc.CloneOf(src)))
            copies.emplace_back(copy);
    return copies;
}

void DUxPartsListStyle::ClearColumns(DUxPartsListStyleColumnList& columns) {
    for (RSeRef<DUxPartsListStyleColumnItem>& c : columns)
        if (DUxPartsListStyleColumnItem* p = c.get()) RSe::DeleteObject(p);
    columns.clear();
}

void DUxPartsListStyle::Replace(DUxPartsListStyleColumnList& own,
                                const DUxPartsListStyleColumnList& columns) {
    // Copies first: the list given may hold the style's own columns.
    DUxPartsListStyleColumnList copies = CopyColumns(columns, RSe::SegmentOf(this));
    Prepare();
    ClearColumns(own);
    own = std::move(copies);
}

void DUxPartsListStyle::SetColumns(const DUxPartsListStyleColumnList& columns) {
    Replace(m_columns, columns);
}

void DUxPartsListStyle::SetRemovedColumns(const DUxPartsListStyleColumnList& columns) {
    Replace(m_removedColumns, columns);
}
