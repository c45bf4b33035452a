#include "Request/DLxStyleRequestTDX.h"

#include "Request/DLxRequestUtil.h"
#include "du/DUxPartsListStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "rse/RSeTransaction.h"

namespace {
bool ExchangePropertyID(UCxTranscriptDataExchange& tdx, const char16_t* key,
                        DUxStyleFormatColumnPropertyID& id, bool required) {
    std::vector<UTxString16> texts{id.GetPropertySet(), id.GetPropertyID(),
                                   id.GetPropertyExternalName(), id.GetMemberID()};
    if (!_TDX_StringVect(tdx, key, texts, required)) return false;
    if (tdx.IsWriting()) return true;
    if (texts.size() != 4) {
        tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, key,
                                             u"a property id is four texts"));
        return false;
    }
    id.SetPropertySet(texts[0]);
    id.SetPropertyID(texts[1]);
    id.SetPropertyExternalName(texts[2]);
    id.SetMemberID(texts[3]);
    return true;
}

UTxString16 SubKey(const char16_t* key, const char16_t* name) {
    return UTxString16(key) + u"_" + name;
}

// An integer value of the column through its getter and setter.
template <class C>
void ExchangeInt(UCxTranscriptDataExchange& tdx, const char16_t* key, const char16_t* name,
                 C& column, int32_t (C::*get)() const, void (C::*set)(int32_t), bool required) {
    int32_t v = (column.*get)();
    if (_TDX_Int(tdx, SubKey(key, name).c_str(), v, required) && tdx.IsReading()) (column.*set)(v);
}
template <class C>
void ExchangeBool(UCxTranscriptDataExchange& tdx, const char16_t* key, const char16_t* name,
                  C& column, bool (C::*get)() const, void (C::*set)(bool), bool required) {
    bool v = (column.*get)();
    if (_TDX_Bool(tdx, SubKey(key, name).c_str(), v, required) && tdx.IsReading()) (column.*set)(v);
}

void ExchangeUnits(UCxTranscriptDataExchange& tdx, const UTxString16& key, DUxColumnUnitSettings& u,
                   bool required) {
    const auto k = [&](const char16_t* name) { return SubKey(key.c_str(), name); };
    _TDX_Int(tdx, k(u"DecimalMarker").c_str(), u.decimalMarker, required);
    _TDX_Bool(tdx, k(u"ShowUnitString").c_str(), u.showUnitString, required);
    _TDX_Bool(tdx, k(u"ShowLeadingZero").c_str(), u.showLeadingZero, required);
    _TDX_Bool(tdx, k(u"ShowTrailingZero").c_str(), u.showTrailingZero, required);
    _TDX_Int(tdx, k(u"LinearPrecision").c_str(), u.linearPrecision, required);
    _TDX_Bool(tdx, k(u"FractionalFormat").c_str(), u.fractionalFormat, required);
}
} // namespace

bool _TDX_StyleFormatColumnPropertyIDVect(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                          std::vector<DUxStyleFormatColumnPropertyID>& ids,
                                          bool required) {
    if (tdx.HasFailed()) return false;
    bool found = true;
    DLxTranscriptVector(tdx, key, ids, required,
                        [&](UCxTranscriptDataExchange& t, const char16_t* k,
                            DUxStyleFormatColumnPropertyID& id, bool req) {
                            if (!ExchangePropertyID(t, k, id, req)) found = false;
                        });
    return found && !tdx.HasFailed();
}

namespace {
// The part every table-style column has: property, alignments, width and number format.
template <class C>
void ExchangeColumnPart(UCxTranscriptDataExchange& tdx, const char16_t* key, C& column,
                        bool required) {
    if (tdx.IsReading()) RSe::PrepareWrite(&column);
    ExchangePropertyID(tdx, SubKey(key, u"Property").c_str(), *column.GetPropertyID(), required);
    ExchangeInt<C>(tdx, key, u"HeadingAlignment", column, &C::GetHeadingAlignment,
                   &C::SetHeadingAlignment, required);
    ExchangeInt<C>(tdx, key, u"ColumnAlignment", column, &C::GetColumnAlignment,
                   &C::SetColumnAlignment, required);
    double width = column.GetWidth();
    if (_TDX_Double(tdx, SubKey(key, u"Width").c_str(), width, required) && tdx.IsReading())
        column.SetWidth(width);
    ExchangeInt<C>(tdx, key, u"FormatMode", column, &C::GetFormatMode, &C::SetFormatMode, required);
    ExchangeInt<C>(tdx, key, u"OutputUnitType", column, &C::GetOutputUnitType,
                   &C::SetOutputUnitType, required);
    DUxColumnUnitSettings units;
    units.decimalMarker = column.GetDecimalMarker();
    units.showUnitString = column.GetShowUnitString();
    units.showLeadingZero = column.GetShowLeadingZero();
    units.showTrailingZero = column.GetShowTrailingZero();
    units.linearPrecision = column.GetLinearPrecision();
    units.fractionalFormat = column.GetFractionalFormat();
    ExchangeUnits(tdx, SubKey(key, u"Units"), units, required);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        column.SetDecimalMarker(units.decimalMarker);
        column.SetShowUnitString(units.showUnitString);
        column.SetShowLeadingZero(units.showLeadingZero);
        column.SetShowTrailingZero(units.showTrailingZero);
        column.SetLinearPrecision(units.linearPrecision);
        column.SetFractionalFormat(units.fractionalFormat);
    }
}

template <class C>
C* ColumnOrFail(UCxTranscriptDataExchange& tdx, const char16_t* key, const RSeRef<C>& ref) {
    C* column = ref.get();
    if (!column) tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptMissing, key, u"no column"));
    return column;
}
} // namespace

bool _TDX_StyleFormatColumnItem(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                const RSeRef<DUxPartsListStyleColumnItem>& ref, bool required) {
    if (tdx.HasFailed()) return false;
    DUxPartsListStyleColumnItem* column = ColumnOrFail(tdx, key, ref);
    if (!column) return false;
    ExchangeColumnPart<DUxTableStyleColumn>(tdx, key, *column, required);
    return !tdx.HasFailed();
}

bool _TDX_TableStylePartsListColumn(UCxTranscriptDataExchange& tdx, const char16_t* key,
                                    const RSeRef<DUxTableStylePartsListColumn>& ref,
                                    bool required) {
    if (tdx.HasFailed()) return false;
    DUxTableStylePartsListColumn* column = ColumnOrFail(tdx, key, ref);
    if (!column) return false;
    using C = DUxTableStylePartsListColumn;
    ExchangeColumnPart<DUxTableStyleColumn>(tdx, key, *column, required);
    ExchangeBool<C>(tdx, key, u"Substitute", *column, &C::GetSubstitute, &C::SetSubstitute,
                    required);
    ExchangePropertyID(tdx, SubKey(key, u"SubstituteProperty").c_str(),
                       *column->GetSubstitutePropertyID(), required);
    ExchangeInt<C>(tdx, key, u"SubstituteBehavior", *column, &C::GetSubstituteBehavior,
                   &C::SetSubstituteBehavior, required);
    ExchangeInt<C>(tdx, key, u"SubstituteFormatMode", *column, &C::GetSubstituteFormatMode,
                   &C::SetSubstituteFormatMode, required);
    ExchangeInt<C>(tdx, key, u"SubstituteOutputUnitType", *column, &C::GetSubstituteOutputUnitType,
                   &C::SetSubstituteOutputUnitType, required);
    DUxColumnUnitSettings substitute = column->GetSubstituteUnits();
    ExchangeUnits(tdx, SubKey(key, u"SubstituteUnits"), substitute, required);
    if (tdx.IsReading() && !tdx.HasFailed()) column->SetSubstituteUnits(substitute);
    return !tdx.HasFailed();
}
