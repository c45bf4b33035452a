#include "dl/DLxLocalBOMColumn.h"

#include <array>

#include "du/DUxTableStyleColumn.h"

namespace {
constexpr std::array<const char16_t*, 12> kNames = {
    u"Item",   u"Quantity", u"PartNumber", u"Description", u"Material",     u"Mass",
    u"Vendor", u"Name",     u"Path",       u"Purchased",   u"StandardPart", u"User"};
constexpr std::u16string_view kUserPrefix = u"User:";
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
    return false;
}
