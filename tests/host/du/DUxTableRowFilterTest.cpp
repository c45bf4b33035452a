// Row filters and their list: the filtering pass, copies, kinds, edit records and storage, with
// a small filter class of the tests' own (the filter kinds themselves are the module's).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableRowFilter.h"
#include "fb/FBxObjectEditRecord.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

namespace {

struct TstRow : DUxTableDataQueryResultRow {
    explicit TstRow(int32_t v) : value(v) {}
    int32_t value;
};

// Hides rows whose value is above its limit; counts what the pass shows it.
class TstLimitFilter : public DUxTableRowFilter {
public:
    TstLimitFilter() = default;
    explicit TstLimitFilter(const RSeStream* s) : DUxTableRowFilter(s) {}
    TstLimitFilter(const FBxObjectEditRecord* r) : DUxTableRowFilter(r), limit(r->GetInt(2)) {}
    RSeMetaType* GetMeta() const override;

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override {
        DUxTableRowFilter::operator=(other);
        if (auto* o = dynamic_cast<const TstLimitFilter*>(&other); o && o != this) {
            limit = o->limit;
            kind = o->kind;
        }
        return *this;
    }
    bool operator==(const DUxTableRowFilter& other) const override {
        auto* o = dynamic_cast<const TstLimitFilter*>(&other);
        return o && DUxTableRowFilter::operator==(other) && o->limit == limit;
    }
    FilterType GetFilterType() const override { return kind; }
    void InitObjectEditRecord(FBxObjectEditRecord* r) const override {
        DUxTableRowFilter::InitObjectEditRecord(r);
        r->AddInt(limit);
    }
    UTxString16 DisplayName() const override { return u"Limit"; }
    bool FilterOut(DUxTableDataQueryResultRow* row) override {
        ++judged;
        return static_cast<TstRow*>(row)->value > limit;
    }
    void PreFilterOut(DUxTableDataQueryResultRow*) override { ++prepared; }
    void PostFilterOut() override { ++passesEnded; }

    void Load(RSeStream& s) {
        RSeMetaType::PlainLoad(this, s); // the base's part is read by its own meta type
        s.Read(limit);
    }
    void Save(RSeStream& s) const {
        RSeMetaType::PlainSave(this, s);
        s.Write(limit);
    }

    int32_t limit = 0;
    FilterType kind = eItemRangeFilter;
    int32_t judged = 0, prepared = 0, passesEnded = 0;
};

void TstLimitGuid(UTxGUID& g) {
    g = UTxGUID(0x7e570001, 0x1, 0x2, 0x3);
}

RSeMetaType* LimitMeta() {
    static RSeMetaType* mt =
        RSeMakeMeta<TstLimitFilter>(u"TstLimitFilter", &TstLimitGuid, 0, RSeMetaType::kClass,
                                    RSe::_InitMeta(static_cast<const DUxTableRowFilter*>(nullptr)));
    return mt;
}
RSeMetaType* TstLimitFilter::GetMeta() const {
    return LimitMeta();
}

TstLimitFilter* NewLimit(RSeSegment* seg, int32_t limit,
                         DUxTableRowFilter::FilterType kind = DUxTableRowFilter::eItemRangeFilter) {
    auto* f = new (LimitMeta(), seg) TstLimitFilter();
    f->limit = limit;
    f->kind = kind;
    return f;
}

DUxTableRowFilter* Factory(DUxTableRowFilter::FilterType kind, RSeSegment* seg,
                           const FBxObjectEditRecord* r) {
    if (kind != DUxTableRowFilter::eItemRangeFilter) return nullptr;
    return new (LimitMeta(), seg) TstLimitFilter(r);
}

class DUxTableRowFilterListTest : public ::testing::Test {
protected:
    RSeSegment* Seg() { return RSe::SegmentOf(doc.GetRSeDb()); }
    DLxDrawingDoc doc;
};

TEST_F(DUxTableRowFilterListTest, APassHidesWhatAnyActiveFilterHidesAndSkipsInactiveOnes) {
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(Seg());
    TstLimitFilter* low = NewLimit(Seg(), 2);
    TstLimitFilter* high = NewLimit(Seg(), 5);
    TstLimitFilter* off = NewLimit(Seg(), 0);
    off->SetActive(false);
    list->Add(high);
    list->Add(off);
    list->Add(low);
    TstRow r1(1), r3(3), r9(9);
    const std::vector<DUxTableDataQueryResultRow*> rows{&r1, &r3, &r9};

    EXPECT_EQ(list->FilterOut(rows), (std::vector<bool>{false, true, true}));
    // Both active filters judge every row, even one another filter already hides.
    for (TstLimitFilter* f : {low, high}) {
        EXPECT_EQ(f->prepared, 3);
        EXPECT_EQ(f->judged, 3);
        EXPECT_EQ(f->passesEnded, 1);
    }
    EXPECT_EQ(off->judged + off->prepared + off->passesEnded, 0);

    // Without an active filter nothing is hidden and no filter is asked.
    low->SetActive(false);
    high->SetActive(false);
    EXPECT_FALSE(list->HasActiveFilters());
    EXPECT_EQ(list->FilterOut(rows), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(low->passesEnded, 1);
}

TEST_F(DUxTableRowFilterListTest, KindsFindAndPlaceFilters) {
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(Seg());
    EXPECT_EQ(list->IndexForFilterAdd(DUxTableRowFilter::eBalloonedFilter), 0);
    TstLimitFilter* standard = NewLimit(Seg(), 1, DUxTableRowFilter::eStandardFilter);
    TstLimitFilter* range = NewLimit(Seg(), 2, DUxTableRowFilter::eItemRangeFilter);
    list->Add(standard);
    list->Add(range);
    struct Case {
        DUxTableRowFilter::FilterType kind;
        int32_t index;
    };
    const Case cases[] = {{DUxTableRowFilter::ePurchasedFilter, 0},
                          {DUxTableRowFilter::eStandardFilter, 1},
                          {DUxTableRowFilter::eBalloonedFilter, 1},
                          {DUxTableRowFilter::eItemRangeFilter, 2},
                          {DUxTableRowFilter::eDesignViewFilter, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int32_t(c.kind));
        EXPECT_EQ(list->IndexForFilterAdd(c.kind), c.index);
    }
    EXPECT_EQ(list->GetFilterOfType(DUxTableRowFilter::eItemRangeFilter, true), range);
    range->SetActive(false);
    EXPECT_EQ(list->GetFilterOfType(DUxTableRowFilter::eItemRangeFilter, true), nullptr);
    EXPECT_EQ(list->GetFilterOfType(DUxTableRowFilter::eItemRangeFilter, false), range);
    EXPECT_EQ(list->GetFilterOfType(DUxTableRowFilter::eDesignViewFilter, false), nullptr);
    EXPECT_EQ(list->GetAt(2), nullptr);
    EXPECT_FALSE(list->RemoveAt(2));
}

TEST_F(DUxTableRowFilterListTest, AssignmentMakesIndependentCopiesInTheTargetsSegment) {
    DUxTableRowFilterList* source = DUxTableRowFilterList::New(Seg());
    TstLimitFilter* f = NewLimit(Seg(), 4);
    f->SetActive(false);
    source->Add(f);
    DUxTableRowFilterList* copy = DUxTableRowFilterList::New(nullptr);
    copy->Add(NewLimit(RSe::TransientSegment(), 99)); // replaced by the assignment
    *copy = *source;
    ASSERT_EQ(copy->GetCount(), 1);
    auto* c = dynamic_cast<TstLimitFilter*>(copy->GetAt(0));
    ASSERT_NE(c, nullptr);
    EXPECT_NE(c, f);
    EXPECT_EQ(RSe::SegmentOf(c), RSe::TransientSegment());
    EXPECT_EQ(c->limit, 4);
    EXPECT_FALSE(c->IsActive());
    EXPECT_TRUE(*copy == *source);
    c->limit = 5;
    EXPECT_EQ(f->limit, 4);
    EXPECT_FALSE(*copy == *source);
    copy->RemoveAll();
    RSe::DeleteObject(copy);
}

TEST_F(DUxTableRowFilterListTest, EditRecordsGiveTheSameListBackAndARefusedKindChangesNothing) {
    DUxTableRowFilterList* source = DUxTableRowFilterList::New(Seg());
    source->Add(NewLimit(Seg(), 3));
    TstLimitFilter* inactive = NewLimit(Seg(), 7);
    inactive->SetActive(false);
    source->Add(inactive);
    std::vector<FBxObjectEditRecord> records{FBxObjectEditRecord(u"Before")};
    source->CreateFiltersRecords(records);
    records.emplace_back(u"After");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[1].GetKey(), u"Filters");
    EXPECT_EQ(records[1].GetInt(0), 2);

    DUxTableRowFilterList* back = DUxTableRowFilterList::New(Seg());
    int32_t position = 0;
    EXPECT_FALSE(back->InitFromObjectEditRecordList(records, position, &Factory));
    position = 1;
    ASSERT_TRUE(back->InitFromObjectEditRecordList(records, position, &Factory));
    EXPECT_EQ(position, 3); // the last record used
    EXPECT_TRUE(*back == *source);

    // A kind the factory does not make: the list keeps its filters.
    std::vector<FBxObjectEditRecord> other;
    DUxTableRowFilterList* foreign = DUxTableRowFilterList::New(Seg());
    foreign->Add(NewLimit(Seg(), 1));
    foreign->Add(NewLimit(Seg(), 1, DUxTableRowFilter::eDesignViewFilter));
    foreign->CreateFiltersRecords(other);
    position = 0;
    EXPECT_FALSE(back->InitFromObjectEditRecordList(other, position, &Factory));
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(*back == *source);
    // A count beyond the records is refused as well.
    other.resize(2);
    EXPECT_FALSE(back->InitFromObjectEditRecordList(other, position, &Factory));
}

TEST_F(DUxTableRowFilterListTest, AListAndItsFiltersSaveAndLoadToTheSameBytes) {
    DUxTableRowFilterList* list = DUxTableRowFilterList::New(Seg());
    TstLimitFilter* a = NewLimit(Seg(), 6);
    a->SetActive(false);
    list->Add(a);
    list->Add(NewLimit(Seg(), -2));
    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    auto* loaded = dynamic_cast<DUxTableRowFilterList*>(back->FindObject(list->GetId()));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->GetCount(), 2);
    auto* la = dynamic_cast<TstLimitFilter*>(loaded->GetAt(0));
    auto* lb = dynamic_cast<TstLimitFilter*>(loaded->GetAt(1));
    ASSERT_TRUE(la && lb);
    EXPECT_EQ(la->limit, 6);
    EXPECT_FALSE(la->IsActive());
    EXPECT_EQ(lb->limit, -2);
    EXPECT_TRUE(lb->IsActive());
    std::vector<uint8_t> again;
    ASSERT_FALSE(back->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

} // namespace
