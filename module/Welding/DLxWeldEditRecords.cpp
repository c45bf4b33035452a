// The weld symbol's edit records: the vocabulary through which the weld dialog's changes reach a
// weld symbol (one key and one value a record, some with a "group" attribute).
//
//   "FieldWeld" int, "WeldAllAround" int, "WeldAssociationType" int, "NoteBox" bool,
//   "NoteText" string, "WeldSwap" bool (toggles the arrow side): the current sub-welding.
//   "WeldOrientation" int, "WeldIdentLine" bool, "WeldIdentLineType" int: the whole symbol.
//   "AddSubWeld" index (inserts a default sub-welding there and makes it current),
//   "DeleteSubweld" index, "SubWeldIndex" index (makes it current).
//   "AddPrimaryArrowWeld" / "AddPrimaryOtherWeld" type: sets the primary weld's type (0
//   removes both welds of the side); "AddSecondaryArrowWeld" / "AddSecondaryOtherWeld" type:
//   adds the secondary weld, or removes the one there.
//   "ArrowContourType", "ArrowSecContourType", "OtherContourType", "OtherSecContourType" int.
//   "WeldPrimaryValuePositions" / "WeldSecondaryValuePositions" bool (true: arrow side): lists
//   that weld's values by dialog index (the primary's listing starts afresh; index 20 is its
//   brazing flag, "1" or "0"; 15 and 17 the primary's and the secondary's finishing method,
//   for a contoured weld), after which "WeldValueIndex" int and "WeldValue" string pairs
//   set them.
//   "WeldArrowPrefix" / "WeldOtherPrefix" string: the primary weld's prefix.
// Records with other keys are skipped.
#include <array>
#include <string>

#include "Welding/DLxWeldInstance.h"
#include "du/DUxWeldState.h"
#include "fb/FBxObjectEditRecord.h"

namespace {
constexpr int32_t kValueSlots = 21;

// A listed value: which weld of which sub-welding, which field.
struct ValueSlot {
    int32_t sub = -1;
    int32_t weld = 0; // 0 arrow primary, 1 arrow secondary, 2 other primary, 3 other secondary
    int32_t field = 0; // kBrazing: the weld's brazing flag ("1" sets it)
};
constexpr int32_t kBrazing = -1;
constexpr int32_t kFinish = -2;

int32_t WeldSlot(bool arrow, bool primary) {
    return (arrow ? 0 : 2) + (primary ? 0 : 1);
}

DUxCWeld* WeldAt(DUxCSubWelding& sub, int32_t slot) {
    const bool primary = slot % 2 == 0;
    return slot < 2 ? sub.weldOnArrowSide(primary) : sub.weldOnOtherSide(primary);
}

void PutWeld(DUxCSubWelding& sub, int32_t slot, const DUxCWeld* weld) {
    const bool primary = slot % 2 == 0;
    if (slot < 2)
        sub.setWeldOnArrowSide(weld, primary);
    else
        sub.setWeldOnOtherSide(weld, primary);
}

int32_t Group(const FBxObjectEditRecord& r) {
    const auto* g = r.FindAttribute(u"group");
    return g ? int32_t(g->GetInt()) : 0;
}

// Welds that cannot carry a secondary weld beside them.
bool TakesSecondary(uint32_t type) {
    return type != DUxCWeld::kPlug && type != DUxCWeld::kSpot && type != DUxCWeld::kSeam;
}

struct Applier {
    DUxWeldContent& state;
    int32_t current = 0;
    std::array<ValueSlot, kValueSlots> table{};
    int32_t valueIndex = 0;

    DUxCSubWelding* Sub(int32_t i) {
        return i >= 0 && i < int32_t(state.subWeldings.size()) ? &state.subWeldings[size_t(i)]
                                                              : nullptr;
    }
    DUxCSubWelding* Current() { return Sub(current); }

    void PrimaryWeld(bool arrow, uint32_t type, int32_t group) {
        DUxCSubWelding* sub = Current();
        if (!sub) return;
        const int32_t p = WeldSlot(arrow, true), q = WeldSlot(arrow, false);
        if (type == 0) {
            PutWeld(*sub, p, nullptr);
            PutWeld(*sub, q, nullptr);
            return;
        }
        if (!WeldAt(*sub, p)) {
            DUxCWeld fresh;
            PutWeld(*sub, p, &fresh);
        }
        DUxCWeld* w = WeldAt(*sub, p);
        w->setWeldType(type, group);
        if (!DUxWeldSrvUtils::HasService(w->weldType, w->group) || !TakesSecondary(w->weldType))
            PutWeld(*sub, q, nullptr);
    }

    void SecondaryWeld(bool arrow, uint32_t type, int32_t group) {
        DUxCSubWelding* sub = Current();
        if (!sub) return;
        const int32_t q = WeldSlot(arrow, false);
        if (DUxCWeld* s = WeldAt(*sub, q)) {
            for (int32_t f : DUxWeldSrvUtils::ValueFields(s->weldType)) {
                const int32_t i = DUxWeldSrvUtils::DialogIndex(f, false);
                if (i >= 0 && i < kValueSlots) table[size_t(i)] = ValueSlot();
            }
            PutWeld(*sub, q, nullptr);
            return;
        }
        DUxCWeld fresh;
        fresh.setWeldType(type, group);
        PutWeld(*sub, q, &fresh);
    }

    void Contour(bool arrow, bool primary, int32_t contour) {
        DUxCSubWelding* sub = Current();
        if (DUxCWeld* w = sub ? WeldAt(*sub, WeldSlot(arrow, primary)) : nullptr)
            w->contourType = contour;
    }

    void ValuePositions(bool primary, bool arrow) {
        DUxCSubWelding* sub = Current();
        const int32_t slot = WeldSlot(arrow, primary);
        DUxCWeld* w = sub ? WeldAt(*sub, slot) : nullptr;
        if (!w) return;
        if (primary) table.fill(ValueSlot());
        if (!DUxWeldSrvUtils::HasService(w->weldType, w->group)) return;
        for (int32_t f : DUxWeldSrvUtils::ValueFields(w->weldType)) {
            const int32_t i = DUxWeldSrvUtils::DialogIndex(f, primary);
            if (i >= 0 && i < kValueSlots) table[size_t(i)] = {current, slot, f};
        }
        if (primary) table[DUxWeldSrvUtils::kBrazingIndex] = {current, slot, kBrazing};
        // A contoured weld's finishing method.
        if (w->contourType != DUxCWeld::kNoContour)
            table[primary ? DUxWeldSrvUtils::kFinishIndex : DUxWeldSrvUtils::kSecondaryFinishIndex] =
                {current, slot, kFinish};
    }

    void Value(const UTxString16& text) {
        if (valueIndex < 0 || valueIndex >= kValueSlots) return;
        const ValueSlot v = table[size_t(valueIndex)];
        DUxCSubWelding* sub = Sub(v.sub);
        DUxCWeld* w = sub ? WeldAt(*sub, v.weld) : nullptr;
        if (!w) return;
        if (v.field == kBrazing)
            w->brazing = text == u"1";
        else if (v.field == kFinish)
            w->finish = text;
        else
            w->values[size_t(v.field)] = text;
    }

    void Prefix(bool arrow, const UTxString16& text) {
        DUxCSubWelding* sub = Current();
        if (DUxCWeld* w = sub ? WeldAt(*sub, WeldSlot(arrow, true)) : nullptr) w->prefix = text;
    }

    void AddSubWeld(int32_t index) {
        DUxCSubWelding sub;
        sub.arrowSidePosition = state.arrowSidePosition;
        sub.orientation = state.orientation;
        DUxWeldState::SetDefaultSubSymbol(sub);
        if (index < 0 || index > int32_t(state.subWeldings.size())) return;
        state.subWeldings.insert(state.subWeldings.begin() + index, sub);
        // The listed values keep naming the welds they were listed from.
        for (ValueSlot& v : table)
            if (v.sub >= index) ++v.sub;
        current = index;
    }

    void DeleteSubWeld(int32_t index) {
        if (!Sub(index)) return;
        state.subWeldings.erase(state.subWeldings.begin() + index);
        for (ValueSlot& v : table)
            if (v.sub == index)
                v = ValueSlot();
            else if (v.sub > index)
                --v.sub;
        // The current sub-welding stays the same one; a deleted one is no longer anyone's.
        if (current > index) --current;
        else if (current == index) current = -1;
    }

    void Apply(const FBxObjectEditRecord& r) {
        const UTxString16& key = r.GetKey();
        if (key == u"FieldWeld") {
            if (DUxCSubWelding* sub = Current()) sub->fieldWeldType = r.GetInt(0);
        } else if (key == u"WeldAllAround") {
            if (DUxCSubWelding* sub = Current()) sub->areaDescType = r.GetInt(0);
        } else if (key == u"WeldOrientation") {
            state.orientation = r.GetInt(0);
        } else if (key == u"WeldIdentLine") {
            if (!r.GetBool(0))
                state.identLineType = DUxWeldState::kNoIdentLine;
            else if (state.arrowSidePosition == 0)
                state.identLineType = DUxWeldState::kIdentLineAbove;
            else if (state.arrowSidePosition == 1)
                state.identLineType = DUxWeldState::kIdentLineBelow;
        } else if (key == u"WeldIdentLineType") {
            state.identLineType = r.GetInt(0);
        } else if (key == u"WeldAssociationType") {
            if (DUxCSubWelding* sub = Current()) sub->associationType = r.GetInt(0);
        } else if (key == u"WeldSwap") {
            if (DUxCSubWelding* sub = Current())
                sub->arrowSidePosition = sub->arrowSidePosition != 0 ? 0 : 1;
        } else if (key == u"AddSubWeld") {
            AddSubWeld(r.GetInt(0));
        } else if (key == u"DeleteSubweld") {
            DeleteSubWeld(r.GetInt(0));
        } else if (key == u"SubWeldIndex") {
            const int32_t i = r.GetInt(0);
            current = Sub(i) ? i : -1;
        } else if (key == u"NoteBox") {
            if (DUxCSubWelding* sub = Current()) sub->closedTail = r.GetBool(0);
        } else if (key == u"NoteText") {
            if (DUxCSubWelding* sub = Current()) sub->notes = r.GetString(0);
        } else if (key == u"AddPrimaryArrowWeld") {
            PrimaryWeld(true, uint32_t(r.GetInt(0)), Group(r));
        } else if (key == u"AddSecondaryArrowWeld") {
            SecondaryWeld(true, uint32_t(r.GetInt(0)), Group(r));
        } else if (key == u"ArrowContourType") {
            Contour(true, true, r.GetInt(0));
        } else if (key == u"ArrowSecContourType") {
            Contour(true, false, r.GetInt(0));
        } else if (key == u"WeldPrimaryValuePositions") {
            ValuePositions(true, r.GetBool(0));
        } else if (key == u"WeldSecondaryValuePositions") {
            ValuePositions(false, r.GetBool(0));
        } else if (key == u"AddPrimaryOtherWeld") {
            PrimaryWeld(false, uint32_t(r.GetInt(0)), Group(r));
        } else if (key == u"AddSecondaryOtherWeld") {
            SecondaryWeld(false, uint32_t(r.GetInt(0)), Group(r));
        } else if (key == u"OtherContourType") {
            Contour(false, true, r.GetInt(0));
        } else if (key == u"OtherSecContourType") {
            Contour(false, false, r.GetInt(0));
        } else if (key == u"WeldValueIndex") {
            valueIndex = r.GetInt(0);
        } else if (key == u"WeldValue") {
            Value(r.GetString(0));
        } else if (key == u"WeldArrowPrefix") {
            Prefix(true, r.GetString(0));
        } else if (key == u"WeldOtherPrefix") {
            Prefix(false, r.GetString(0));
        }
    }
};

// Records that change the current sub-welding.
bool EditsCurrent(const UTxString16& key) {
    static const char16_t* const keys[] = {
        u"FieldWeld",           u"WeldAllAround",        u"WeldAssociationType",
        u"WeldSwap",            u"NoteBox",              u"NoteText",
        u"AddPrimaryArrowWeld", u"AddSecondaryArrowWeld", u"ArrowContourType",
        u"ArrowSecContourType", u"AddPrimaryOtherWeld",  u"AddSecondaryOtherWeld",
        u"OtherContourType",    u"OtherSecContourType",  u"WeldPrimaryValuePositions",
        u"WeldSecondaryValuePositions", u"WeldArrowPrefix", u"WeldOtherPrefix"};
    for (const char16_t* k : keys)
        if (key == k) return true;
    return false;
}

UTxString16 Number(int32_t i) {
    return UTx::MakeWideString(std::to_string(i));
}
} // namespace

void DLxWeldInstance::ApplyEditRecords(DUxWeldContent& content,
                                       const FBxObjectEditRecordList& records) {
    if (content.subWeldings.empty()) return;
    Applier a{content};
    for (const FBxObjectEditRecord& r : records)
        a.Apply(r);
}

UTxResult DLxWeldInstance::ApplyEditRecords(const FBxObjectEditRecordList& records) {
    DUxWeldState* state = GetWeldState();
    if (!state) return {};
    DUxWeldContent content = state->GetContent();
    ApplyEditRecords(content, records);
    state->SetContent(content);
    return {};
}

UTxString16 DLxWeldInstance::CheckEditRecords(const FBxObjectEditRecordList& records,
                                              int32_t subWeldings) {
    int32_t count = subWeldings;
    int32_t current = count > 0 ? 0 : -1;
    for (const FBxObjectEditRecord& r : records) {
        const UTxString16& key = r.GetKey();
        const bool insert = key == u"AddSubWeld";
        if (insert || key == u"DeleteSubweld" || key == u"SubWeldIndex") {
            const int32_t i = r.GetInt(0);
            if (i < 0 || i > count - (insert ? 0 : 1))
                return key + u": no sub-welding " + Number(i) + u" of " + Number(count);
            if (insert) {
                ++count;
                current = i;
            } else if (key == u"SubWeldIndex") {
                current = i;
            } else {
                --count;
                if (current > i) --current;
                else if (current == i) current = -1;
            }
        } else if (current < 0 && EditsCurrent(key)) {
            return key + u": the sub-welding it edits was deleted";
        }
    }
    if (count < 1) return u"DeleteSubweld: a weld symbol keeps one sub-welding at least";
    return {};
}
