#include "fb/FBxSelectionGenerator.h"

#include <functional>
#include <map>

#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"

namespace {
std::map<UTxString16, FBxSelectionGenerator*, std::less<>>& Registry() {
    static std::map<UTxString16, FBxSelectionGenerator*, std::less<>> generators;
    return generators;
}
} // namespace

FBxSelectionGenerator::FBxSelectionGenerator(const char16_t* className, Factory factory)
    : m_name(className ? className : u""), m_factory(factory) {
    m_registered = Registry().emplace(m_name, this).second;
}

FBxSelectionGenerator::~FBxSelectionGenerator() {
    if (m_registered) Registry().erase(m_name);
}

SmartPtr<CountedCObj> FBxSelectionGenerator::Generate(FWxSceneDoc* doc,
                                                      const RSeRefBase& obj) const {
    return m_factory ? m_factory(doc, obj) : nullptr;
}

const FBxSelectionGenerator* FBxSelectionGenerator::Find(std::u16string_view name) {
    auto& generators = Registry();
    auto it = generators.find(name);
    return it == generators.end() ? nullptr : it->second;
}

const FBxSelectionGenerator* FBxSelectionGenerator::FindFor(const RSeMetaType* meta) {
    // An object read at an older version has a version meta: its class is the one to ask.
    for (const RSeMetaType* mt = meta ? meta->GetClassMeta() : nullptr; mt; mt = mt->GetBase()) {
        if (const FBxSelectionGenerator* g = Find(mt->GetClassMeta()->GetName())) return g;
    }
    return nullptr;
}

const FBxSelectionGenerator* FBxSelectionGenerator::FindFor(const RSeRefBase& obj) {
    const RSeIDed* target = obj.GetTarget();
    return target ? FindFor(target->GetMeta()) : nullptr;
}

SmartPtr<CountedCObj> FBxSelectionGenerator::GenerateFor(FWxSceneDoc* doc, const RSeRefBase& obj) {
    const FBxSelectionGenerator* g = FindFor(obj);
    return g ? g->Generate(doc, obj) : nullptr;
}
