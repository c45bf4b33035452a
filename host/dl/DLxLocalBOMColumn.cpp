#include "dl/DLxLocalBOMColumn.h"

#include <array>

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
