#include "du/DUxBalloonStyle.h"

#include "du/DUxLeaderStyle.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DUxBalloonStyle* DUxBalloonStyle::CreateStyle(RSeSegment* segment, const UTxString16& name,
                                              int32_t edited) {
    auto* style = new (RSe::_GetMeta(static_cast<const DUxBalloonStyle*>(nullptr)),
                       segment ? segment : RSe::TransientSegment()) DUxBalloonStyle();
    style->SetStyleName(name);
    if (edited) style->MarkEdited(edited);
    return style;
}

const UTxString16& DUxBalloonStyle::GetInternalStylesCollectionNameStatic() {
    static const UTxString16 name = u"Balloon";
    return name;
}

void DUxBalloonStyle::Prepare() {
    RSe::PrepareWrite(this);
}

void DUxBalloonStyle::SetTextStyle(const RSeRef<DUxTextStyle>& style) {
    Set(m_textStyle, style);
}

void DUxBalloonStyle::SetLeaderStyle(const RSeRef<DUxLeaderStyle>& style) {
    Set(m_leaderStyle, style);
}

void DUxBalloonStyle::SetAltLeaderStyle(const RSeRef<DUxLeaderStyle>& style) {
    Set(m_altLeaderStyle, style);
}

void DUxBalloonStyle::SetItems(const DUxBalloonItemList& items) {
    // Copies first: the list given may hold the style's own items.
    DUxBalloonItemList copies = DUxTableStyle::CopyColumnList(items, RSe::SegmentOf(this));
    Prepare();
    DUxTableStyle::ClearColumns(m_items);
    m_items = std::move(copies);
}
