#include "du/DUxCategoryDefault.h"

#include <algorithm>

#include "du/DUxStandard.h"

DUxCategoryDefault::DUxCategoryDefault(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
    : m_doc(doc), m_category(category), m_standard(standard) {}

DUxStandard* DUxCategoryDefault::GetOwner() const {
    return m_doc ? DUxStandardUtil::GetStandard(m_doc, m_standard) : nullptr;
}

namespace {
std::vector<const DUxCategoryDefaultFactory*>& Factories() {
    // Never destroyed: factories of other libraries withdraw themselves at exit.
    static auto* list = new std::vector<const DUxCategoryDefaultFactory*>;
    return *list;
}
} // namespace

DUxCategoryDefaultFactory::DUxCategoryDefaultFactory(int32_t category, const UTxGUID& standard,
                                                     DUxCategoryDefaultFn fn)
    : m_category(category), m_standard(standard), m_fn(fn) {
    Factories().push_back(this);
}

DUxCategoryDefaultFactory::~DUxCategoryDefaultFactory() {
    auto& list = Factories();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

const DUxCategoryDefaultFactory* DUxCategoryDefaultFactory::Find(int32_t category,
                                                                 const UTxGUID& standard) {
    const auto& list = Factories();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->m_category == category && (*it)->m_standard == standard) return *it;
    return nullptr;
}

const std::vector<const DUxCategoryDefaultFactory*>& DUxCategoryDefaultFactory::Registered() {
    return Factories();
}
