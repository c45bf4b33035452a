#include "dl/DLxLocalBOMColumn.h"

#include <array>

#include "du/DUxTableStyleColumn.h"
#include "fb/FBxPropertyUtil.h"
#include "utx/UTxGUID.h"

namespace {
constexpr std::array<const char16_t*, 12> kNames = {
    u"Item",   u"Quantity", u"PartNumber", u"Description", u"Material",     u"Mass",
    u"Vendor", u"Name",     u"Path",       u"Purchased",   u"StandardPart", u"User"};
constexpr std::u16string_view kUserPrefix = u"User:";

// The general (document) properties that the bill holds per component: a parts list shows the
// part number and the description this way by default.
bool FromGeneralProperty(int32_t generalId, DLxLocalBOMColumn& out) {
    switch (generalId) {
    case 5:
        out = DLxLocalBOMColumn::PartNumber;
        return true;
    case 14:
        out = DLxLocalBOMColumn::Vendor;
        return true;
    case 29:
        out = DLxLocalBOMColumn::Description;
        return true;
    default:
        return false;
    }
}
} // namespace

DLxLocalBOMColumn DLxLocalBOMColumn::UserProperty(std::u16string name) {
    DLxLocalBOMColumn c(User);
    c.m_name = std::move(name);
    return c;
}

bool DLxLocalBOMColumn::IsModelProperty() const {
    switch (m_kind) {
    case PartNumber:
    case Description:
    case Material:
    case Vendor:
    case User:
        return true;
    default:
        return false;
    }
}

std::u16string DLxLocalBOMColumn::Key() const {
    if (m_kind == User) return std::u16string(kUserPrefix) + m_name;
    return kNames[size_t(m_kind) - 1];
}

bool DLxLocalBOMColumn::FromKey(const std::u16string& key, DLxLocalBOMColumn& out) {
    if (key.size() > kUserPrefix.size() && key.starts_with(kUserPrefix)) {
        out = UserProperty(key.substr(kUserPrefix.size()));
        return true;
    }
    for (size_t i = 0; i + 1 < kNames.size(); ++i) {
        if (key == kNames[i]) {
            out = DLxLocalBOMColumn(Kind(i + 1));
            return true;
        }
    }
    return false;
}

bool DLxLocalBOMColumn::FromPropertyID(const DUxStyleFormatColumnPropertyID& property,
                                       DLxLocalBOMColumn& out) {
    static constexpr Kind kPartsList[] = {Item,       Quantity,    Name,   Mass,     Material,
                                          PartNumber, Description, Vendor, Purchased};
    const UTxString16& id = property.GetPropertyID();
    if (property.IsPropertySet(DUxStyleFormatColumnPropertyID::PartsListPropertySet())) {
        if (id.size() != 1 || id[0] < u'1' || id[0] > u'9') return false;
        out = DLxLocalBOMColumn(kPartsList[id[0] - u'1']);
        return true;
    }
    if (property.IsPropertySet(u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}") && !id.empty()) {
        out = UserProperty(id);
        return true;
    }
    UTxGUID set;
    int32_t generalId = 0;
    if (id.empty() || id.size() > 9 ||
        !UTxGUID::Parse(std::u16string_view(property.GetPropertySet()), set))
        return false;
    int32_t number = 0;
    for (char16_t ch : id) {
        if (ch < u'0' || ch > u'9') return false;
        number = number * 10 + (ch - u'0');
    }
    return FBxPropertyUtil::FindDTPropByInfo(set, number, generalId) &&
           FromGeneralProperty(generalId, out);
}
