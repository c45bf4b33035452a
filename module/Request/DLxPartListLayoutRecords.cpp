// The edit records of a parts list's layout, wrapping, order, grouping, members, bill of
// materials and filters. Attributes are read in the order their writers put them; a missing or
// mistyped one leaves through FBxObjectEditRecord::exception, except where a record of an older
// writer is known to lack it.
#include <cstdint>
#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxPartListEditReplay.h"
#include "dl/DLxLocalBOM.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {

using Record = FBxObjectEditRecord;
using Replay = DLxPartListEditReplay;

constexpr uint32_t kWrapAtRowFlag = DUxTableRowBase::kSectionEndFlag; // 0x2

// Texts that begin with an unsigned count and then list that many signed 32-bit integers,
// separated by white space. Entries the text does not supply count as 0; a count or entry that
// does not read ends the reading (a count that does not read is 0).
class CountedInts {
public:
    explicit CountedInts(const UTxString16& text) : m_text(text) { m_count = NextUnsigned(); }
    uint32_t Count() const { return m_count; }
    // The next entry; 0 once the text is used up.
    int32_t Next() {
        if (m_done) return 0;
        SkipSpace();
        bool negative = false;
        if (m_at < m_text.size() && (m_text[m_at] == u'-' || m_text[m_at] == u'+'))
            negative = m_text[m_at++] == u'-';
        int64_t v = 0;
        if (!Digits(v, int64_t(std::numeric_limits<int32_t>::max()) + 1)) return Stop();
        if (!negative && v > std::numeric_limits<int32_t>::max()) return Stop();
        return int32_t(negative ? -v : v);
    }
    // Whether entries may still come from the text.
    bool Supplies() {
        SkipSpace();
        return !m_done && m_at < m_text.size();
    }

private:
    uint32_t NextUnsigned() {
        SkipSpace();
        int64_t v = 0;
        if (!Digits(v, std::numeric_limits<uint32_t>::max())) return uint32_t(Stop());
        return uint32_t(v);
    }
    // Reads at least one digit, all of them, and refuses a value above `max`.
    bool Digits(int64_t& v, int64_t max) {
        size_t start = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= u'0' && m_text[m_at] <= u'9') {
            v = v * 10 + (m_text[m_at++] - u'0');
            if (v > max) return false;
        }
        return m_at > start;
    }
    void SkipSpace() {
        while (m_at < m_text.size() &&
               (m_text[m_at] == u' ' || m_text[m_at] == u'\t' || m_text[m_at] == u'\n' ||
                m_text[m_at] == u'\r'))
            ++m_at;
    }
    int32_t Stop() {
        m_done = true;
        return 0;
    }
    const UTxString16& m_text;
    size_t m_at = 0;
    bool m_done = false;
    uint32_t m_count = 0;
};

// The count of "MemberSelect": its writer keeps it as text; an integer reads as well.
int32_t CountOf(const Record& r, const char16_t* name) {
    const Record::Value* v = r.FindAttribute(name);
    if (v && v->GetKind() == Record::Value::kString) {
        const UTxString16& text = v->GetText();
        int64_t n = 0;
        size_t i = 0;
        const bool negative = !text.empty() && text[0] == u'-';
        if (negative) ++i;
        if (i == text.size()) throw Record::exception("edit record count is not a number");
        for (; i < text.size(); ++i) {
            if (text[i] < u'0' || text[i] > u'9' || n > std::numeric_limits<int32_t>::max())
                throw Record::exception("edit record count is not a number");
            n = n * 10 + (text[i] - u'0');
        }
        if (n > std::numeric_limits<int32_t>::max())
            throw Record::exception("edit record count is not a number");
        return int32_t(negative ? -n : n);
    }
    return r[name].as_int();
}

void InvertWrapFlag(DUxTableRowBase* row) {
    // SetFlag turns a flag on with false and off with true.
    if (row) row->SetFlag(kWrapAtRowFlag, row->IsFlagOn(kWrapAtRowFlag));
}

// A column of a record that describes one (the sub-records of "TableGroupSettings"): its
// property and how it shows; what the record lacks keeps the column's default.
DUxTableStylePartsListColumn* ColumnFromRecord(const Record& r) {
    DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(RSe::TransientSegment());
    auto text = [&](const char16_t* name, auto set) {
        const Record::Value* v = r.FindAttribute(name);
        if (v && v->GetKind() == Record::Value::kString) set(v->GetText());
    };
    DUxStyleFormatColumnPropertyID* id = c->GetPropertyID();
    text(u"propertySet", [&](const UTxString16& t) { id->SetPropertySet(t); });
    text(u"propertyId", [&](const UTxString16& t) { id->SetPropertyID(t); });
    text(u"propertyName", [&](const UTxString16& t) { id->SetPropertyExternalName(t); });
    if (const Record::Value* v = r.FindAttribute(u"width"); v && v->IsNumber())
        c->SetWidth(v->GetReal());
    return c;
}

void SetGroupKeysFrom(DLxTableStatePartlist& state,
                      std::vector<DUxTableStylePartsListColumn*>& columns) {
    std::vector<RSeRef<DUxTableStylePartsListColumn>> keys;
    keys.reserve(columns.size());
    for (DUxTableStylePartsListColumn* c : columns)
        keys.emplace_back(c);
    state.SetGroupKeys(keys);
    for (DUxTableStylePartsListColumn* c : columns)
        RSe::DeleteObject(c);
    columns.clear();
}

// The three flags both group-settings records start with, each stored as soon as it is read.
void ReadGroupFlags(Replay& replay, const Record& r) {
    DLxTableStatePartlist& state = replay.State();
    state.SetGroupingEnabled(r[u"groupingEnabled"].as_bool());
    state.SetDisplayItemNumbers(r[u"displayItemNumbers"].as_bool());
    state.SetDisplayParticipants(r[u"DisplayGroupParticipants"].as_bool());
}

// ---- title, heading and layout

void SetTableTitle(Replay& replay, const Record& r) {
    replay.Table().SetTitle(r[u"title"].as_UTxString16());
}

void SetTableHeading(Replay& replay, const Record& r) {
    const int32_t heading = r[u"heading"].as_int();
    if (replay.Wrapper().Style().get())
        replay.Wrapper().SetHeading(DUxTableStyle::eHeading(heading));
}

void ChangeTableLayout(Replay& replay, const Record& r) {
    const UTxString16 title = r[u"TitleText"].as_UTxString16();
    const int32_t lineSpacing = r[u"LineSpacing"].as_int();
    int32_t heading = r[u"HeadingPlacement"].as_int();
    const int32_t direction = r[u"TableDirection"].as_int();
    const int32_t horizontal = r[u"HorizontalDirection"].as_int();
    const int32_t useTitle = r[u"Title"].as_int();
    try {
        (void)r[u"IsOutsideLineColorByLayer"].as_int();
    } catch (const Record::attribute_not_found&) {
        // Older writers numbered the heading placements differently.
        heading = heading == 0 ? 1 : heading == 1 ? 2 : 0;
    }
    DUxTableStylePartsListWrapper& wrapper = replay.Wrapper();
    if (wrapper.Style().get()) {
        replay.Table().SetTitle(title);
        wrapper.SetLineSpacing(lineSpacing);
        wrapper.SetHeading(DUxTableStyle::eHeading(heading));
        wrapper.SetDirection(DUxTableStyle::eDirection(direction));
        wrapper.SetUseTitle(useTitle != 0);
    }
    replay.State().SetWrapDirection(horizontal != 0 ? 1 : 0);
    UTxString16 names[3];
    try {
        names[0] = r[u"TextStyleData"].as_UTxString16();
        names[1] = r[u"TextStyleTitle"].as_UTxString16();
        names[2] = r[u"TextStyleColHeading"].as_UTxString16();
    } catch (const Record::attribute_not_found&) {
        // Older writers name no text styles: the table keeps its own.
        return;
    }
    const FWxSceneDoc* doc = replay.Document();
    if (!doc) return;
    const RSeMetaType* meta = RSe::_GetMeta(static_cast<const DUxTextStyle*>(nullptr));
    const DUxTextStyle* found[3];
    for (int i = 0; i < 3; ++i)
        found[i] = dynamic_cast<const DUxTextStyle*>(doc->FindStyle(meta, names[i]));
    // A name the document lacks gives no style, which differs from any look; the wrapper then
    // keeps the look it has.
    auto differs = [](const DUxTextStyle* style, const DUxTableStyle::TextLook& look) {
        return !style || !(DUxTableStyleWrapper::LookOf(*style) == look);
    };
    if (differs(found[0], wrapper.GetTextStyle())) {
        wrapper.SetTextStyle(found[0]);
        replay.State().ApplyTextStyleToDataStrings();
    }
    if (differs(found[1], wrapper.GetTitleTextStyle())) wrapper.SetTitleTextStyle(found[1]);
    if (differs(found[2], wrapper.GetHeadingTextStyle())) wrapper.SetHeadingTextStyle(found[2]);
}

// ---- wrapping

void ChangeTableSplits(Replay& replay, const Record& r) {
    const int32_t splits = r[u"splits"].as_int();
    DLxTableStatePartlist& state = replay.State();
    state.SetAutomaticWrap(true);
    // Sections are the splits and one more.
    state.SetWrapCount(splits == std::numeric_limits<int32_t>::max() ? splits : splits + 1);
    state.ApplyAutomaticWrapping();
}

void ChangeSplitOrientation(Replay& replay, const Record& r) {
    replay.State().SetWrapDirection(r[u"orientation"].as_int() == 2 ? 1 : 0);
}

void ChangeWrapSettings(Replay& replay, const Record& r) {
    const bool automatic = r[u"automatic"].as_bool();
    const int32_t mode = r[u"wrapmode"].as_int();
    const int32_t orientation = r[u"orientation"].as_int();
    const int32_t splits = r[u"splits"].as_int();
    DLxTableStatePartlist& state = replay.State();
    state.SetAutomaticWrap(automatic);
    state.SetWrapMode(mode);
    state.SetWrapDirection(orientation);
    state.SetWrapCount(splits);
    state.ApplyAutomaticWrapping();
}

void WrapAtRow(Replay& replay, const Record& r) {
    const int32_t index = r[u"row"].as_int();
    const bool wrap = r[u"wrap"].as_bool();
    DLxTableStatePartlist& state = replay.State();
    DUxTableRowBase* row = state.GetRow(index);
    if (!row) return;
    row->SetFlag(kWrapAtRowFlag, !wrap);
    // A section end set by hand stands only while the table does not cut its sections itself.
    if (state.AutomaticWrap()) state.SetAutomaticWrap(false);
}

void ChangeColumnSplitters(Replay& replay, const Record& r) {
    const UTxString16 text = r[u"splitters"].as_UTxString16();
    CountedInts list(text);
    DLxTableStatePartlist& state = replay.State();
    const uint32_t count = list.Count();
    if (count > 0) state.SetAutomaticWrap(false);
    uint32_t read = 0;
    for (; read < count && list.Supplies(); ++read)
        InvertWrapFlag(state.GetRow(list.Next()));
    // Every entry the text does not supply is row 0: inverting it an even number of times
    // leaves it as it was, so a large count costs nothing.
    if ((count - read) % 2 == 1) InvertWrapFlag(state.GetRow(0));
}

// ---- position and rotation

void MoveOrigin(Replay& replay, const Record& r) {
    replay.State().SetOrigin(r[u"Origin"].as_WqGePoint3d());
}

void RotateClockwise(Replay& replay, const Record&) {
    DUxTableStylePartsListWrapper& wrapper = replay.Wrapper();
    const int32_t r = wrapper.GetRotation();
    wrapper.SetRotation(DUxTableStyle::eTableRotation(r == 0 ? 3 : r - 1));
}

void RotateCounterClockwise(Replay& replay, const Record&) {
    DUxTableStylePartsListWrapper& wrapper = replay.Wrapper();
    const int32_t r = wrapper.GetRotation();
    wrapper.SetRotation(DUxTableStyle::eTableRotation(r == 3 ? 0 : r + 1));
}

// ---- row order

// The older form: the new order as a permutation, applied by swaps.
void SortRows(Replay& replay, const Record& r) {
    const UTxString16 text = r[u"rowMapIds"].as_UTxString16();
    CountedInts list(text);
    DLxTableStatePartlist& state = replay.State();
    // Only a permutation of every row means anything; nothing is read before that is known.
    if (list.Count() != uint32_t(state.GetRowCount())) return;
    std::vector<int32_t> target(list.Count());
    for (int32_t& v : target)
        v = list.Next();
    std::set<int32_t> visited;
    for (int32_t k = 0; k < int32_t(target.size()); ++k) {
        if (visited.count(k)) continue;
        DUxTableRowBase* a = state.GetRow(k);
        DUxTableRowBase* b = state.GetRow(target[size_t(k)]);
        if (a && b && a->RowID() && b->RowID()) state.SwapRows(*a->RowID(), *b->RowID());
        visited.insert(target[size_t(k)]);
    }
}

void SortRowsRev1(Replay& replay, const Record& r) {
    const int32_t keys = r[u"numberOfKeys"].as_int();
    static const char16_t* const kKey[] = {u"key1", u"key2", u"key3"};
    static const char16_t* const kDescend[] = {u"descend1", u"descend2", u"descend3"};
    DUxTableStateBase::SortDef def;
    for (int32_t k = 1; k <= 3 && k <= keys; ++k) {
        const int32_t column = r[kKey[k - 1]].as_int();
        const int32_t descend = r[kDescend[k - 1]].as_int();
        def.emplace_back(int16_t(column), descend != 0 ? DUxTableStateBase::eDescending
                                                       : DUxTableStateBase::eAscending);
    }
    replay.State().SortRows(def);
}

// ---- grouping and merging

void TableGroupSettings(Replay& replay, const Record& r) {
    ReadGroupFlags(replay, r);
    const int32_t keys = r[u"numberOfKeys"].as_int();
    std::vector<DUxTableStylePartsListColumn*> columns;
    try {
        for (int32_t i = 0; i < keys; ++i)
            columns.push_back(ColumnFromRecord(replay.TakeSubRecord()));
    } catch (...) {
        for (DUxTableStylePartsListColumn* c : columns)
            RSe::DeleteObject(c);
        throw;
    }
    SetGroupKeysFrom(replay.State(), columns);
    replay.State().RequeryRows();
}

void GroupSettingChange(Replay& replay, const Record& r) {
    ReadGroupFlags(replay, r);
    const int32_t keys = r[u"numberOfKeys"].as_int();
    static const char16_t* const kNames[3][3] = {
        {u"key1header", u"key1type", u"key1generalId"},
        {u"key2header", u"key2type", u"key2generalId"},
        {u"key3header", u"key3type", u"key3generalId"},
    };
    std::vector<DUxStyleFormatColumnPropertyID> ids;
    for (int32_t k = 1; k <= 3 && k <= keys; ++k) {
        DUxStyleFormatColumnPropertyID id;
        id.SetPropertyExternalName(r[kNames[k - 1][0]].as_UTxString16());
        id.SetPropertySet(r[kNames[k - 1][1]].as_UTxString16());
        id.SetPropertyID(r[kNames[k - 1][2]].as_UTxString16());
        ids.push_back(std::move(id));
    }
    std::vector<DUxTableStylePartsListColumn*> columns;
    for (const DUxStyleFormatColumnPropertyID& id : ids) {
        DUxTableStylePartsListColumn* c =
            DUxTableStylePartsListColumn::New(RSe::TransientSegment());
        DUxStyleFormatColumnPropertyID* own = c->GetPropertyID();
        own->SetPropertyExternalName(id.GetPropertyExternalName());
        own->SetPropertySet(id.GetPropertySet());
        own->SetPropertyID(id.GetPropertyID());
        columns.push_back(c);
    }
    SetGroupKeysFrom(replay.State(), columns);
    replay.State().RequeryRows();
}

// The older bills merge rows by up to three row keys; the bill keeps them and lists its
// structure again, and its annotations learn of it.
void ApplyRowKeys(Replay& replay, DLxLocalBOM& bom, const std::vector<DUxRowKey*>& made) {
    std::vector<const DUxRowKey*> keys(made.begin(), made.end());
    bom.SetRowKeys(keys);
    for (DUxRowKey* k : made)
        RSe::DeleteObject(k);
    bom.UpdateStructure();
    bom.NotifyAnnotationUpdateStates(nullptr, false);
    replay.Rebuild();
}

// A key value of the older form: -1 to -5 name the key types 3 to 7, any other value is a
// general property id.
DUxRowKey* RowKeyOfValue(int32_t v) {
    if (v <= -1 && v >= -5) return DUxRowKey::New(RSe::TransientSegment(), 2 - v, -1, u"");
    return DUxRowKey::New(RSe::TransientSegment(), 1, v, u"");
}

void RowMergeSettingChange(Replay& replay, const Record& r) {
    DLxLocalBOM* bom = replay.LocalBOM();
    if (!bom) return;
    const int32_t mode = r[u"MergeMode"].as_int();
    const int32_t values[] = {r[u"key1"].as_int(), r[u"key2"].as_int(), r[u"key3"].as_int()};
    bom->SetRowKeyMode(mode);
    std::vector<DUxRowKey*> keys;
    for (int32_t v : values)
        keys.push_back(RowKeyOfValue(v));
    ApplyRowKeys(replay, *bom, keys);
}

void RowMergeSettingChangeRev1(Replay& replay, const Record& r) {
    DLxLocalBOM* bom = replay.LocalBOM();
    if (!bom) return;
    bom->SetRowKeyMode(r[u"MergeMode"].as_int());
    static const char16_t* const kNames[3][3] = {
        {u"key1type", u"key1general", u"key1custom"},
        {u"key2type", u"key2general", u"key2custom"},
        {u"key3type", u"key3general", u"key3custom"},
    };
    struct Values {
        int32_t type, general;
        UTxString16 custom;
    };
    std::vector<Values> values;
    for (const auto& names : kNames)
        values.push_back({r[names[0]].as_int(), r[names[1]].as_int(),
                          r[names[2]].as_UTxString16()});
    std::vector<DUxRowKey*> keys;
    for (const Values& v : values)
        keys.push_back(DUxRowKey::New(RSe::TransientSegment(), v.type, v.general, v.custom));
    ApplyRowKeys(replay, *bom, keys);
}

// ---- members, bill of materials and filters

void MemberSelect(Replay& replay, const Record& r) {
    DLxTableStatePartlist& state = replay.State();
    state.SetFlagBit(DLxTableStatePartlist::kSeveralMembers, false);
    const int32_t count = CountOf(r, u"Members_Count");
    std::vector<UTxString16> names;
    for (int32_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Members_%d", int(i));
        names.push_back(r[UTxString16(name, name + std::char_traits<char>::length(name))]
                            .as_UTxString16());
    }
    const bool hideZero = r[u"HideZeroQtyRows"].as_bool();
    state.SetSelectedMembers(names, hideZero);
    replay.Rebuild();
}

// False when the scheme cannot be enabled: the replay ends there.
bool EnableBOMView(Replay& replay, const Record& r) {
    DLxLocalBOM* bom = replay.LocalBOM();
    if (!bom) return true;
    const int32_t scheme = r[u"SchemeID"].as_int();
    if (replay.EnableBomSchema(scheme, true).Failed()) return false;
    replay.SetMasterRepEdited();
    bom->Refresh();
    replay.Rebuild();
    return true;
}

// Item numbers go back into the source model for every row, or for the rows the sub-records
// name (a grouped row for each of its items).
void PushbackItemNumbers(Replay& replay, const Record& r) {
    const bool all = r[u"PushbackAll"].as_bool();
    std::vector<DLxLocalBOMCookie> cookies;
    if (!all) {
        const int32_t size = r[u"Size"].as_int();
        for (int32_t i = 0; i < size; ++i) {
            const int32_t index = replay.TakeSubRecord()[u"Idx"].as_int();
            DUxTableRowBase* row = replay.State().GetRow(index);
            const auto* id = row ? dynamic_cast<const DLxTableRowIDLocalBOM*>(row->RowID())
                                 : nullptr;
            if (!id) continue;
            if (id->Cookie().IsGrouped())
                for (const DLxLocalBOMCookie& single : id->Cookie().singleItems())
                    cookies.push_back(single);
            else
                cookies.push_back(id->Cookie());
        }
    }
    (void)replay.CheckAndUpdateToSchemaStructuredAllLevels(-1, false);
    // The push-back request ("PartlistPushbackIDs") writes the numbers of all rows, or of
    // `cookies`, into the model; until it joins the module the record only marks the model
    // edited and refreshes the bill.
    replay.SetMasterRepEdited();
    if (DLxLocalBOM* bom = replay.LocalBOM()) bom->Refresh();
    replay.Rebuild();
}

void Filters(Replay& replay, const Record&) {
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(RSe::TransientSegment());
    int32_t position = int32_t(replay.Position());
    const bool read =
        list->InitFromObjectEditRecordList(replay.Records(), position, &DLxNewPartlistFilter);
    if (read) replay.Table().SetFilterList(*list);
    list->RemoveAll();
    RSe::DeleteObject(list);
    // Filter records that do not read cannot be told from the records after them.
    if (!read) throw Record::exception("the \"Filters\" record is not followed by its filters");
    while (replay.Position() < size_t(position))
        (void)replay.TakeSubRecord();
    replay.Rebuild();
}

struct Entry {
    const char16_t* name;
    void (*apply)(Replay&, const Record&);
};

const Entry kRecords[] = {
    {u"ChangeTableSplits", &ChangeTableSplits},
    {u"ChangeSplitOrientation", &ChangeSplitOrientation},
    {u"ChangeColumnSplitters", &ChangeColumnSplitters},
    {u"SetTableTitle", &SetTableTitle},
    {u"SetTableHeading", &SetTableHeading},
    {u"SortRows", &SortRows},
    {u"RowMergeSettingChange", &RowMergeSettingChange},
    {u"RowMergeSettingChange_Rev1", &RowMergeSettingChangeRev1},
    {u"PushbackItemNumbers", &PushbackItemNumbers},
    {u"ChangeTableLayout", &ChangeTableLayout},
    {u"ChangeWrapSettings", &ChangeWrapSettings},
    {u"WrapAtRow", &WrapAtRow},
    {u"SortRows_Rev1", &SortRowsRev1},
    {u"TableGroupSettings", &TableGroupSettings},
    {u"GroupSettingChange", &GroupSettingChange},
    {u"MoveOrigin", &MoveOrigin},
    {u"MemberSelect", &MemberSelect},
    {u"RotateClockwise", &RotateClockwise},
    {u"RotateCounterClockwise", &RotateCounterClockwise},
    {u"Filters", &Filters},
};

} // namespace

DLxRecordReplay DLxReplayLayoutRecord(DLxPartListEditReplay& replay, const UTxString16& name) {
    const Record& record = replay.Current();
    if (name == u"EnableBOMView")
        return EnableBOMView(replay, record) ? DLxRecordReplay::kApplied
                                             : DLxRecordReplay::kFailed;
    for (const Entry& e : kRecords)
        if (name == e.name) {
            e.apply(replay, record);
            return DLxRecordReplay::kApplied;
        }
    return DLxRecordReplay::kNotMine;
}
