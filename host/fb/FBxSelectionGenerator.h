#pragma once
// Selection generators: how the framework makes the selection of an object it did not pick
// itself (a browser entry, a search result). A library registers one per class of object, as a
// static object, under the class's meta-type name; objects of derived classes without a
// generator of their own use their nearest base's.
#include <string_view>

#include "fw/SmartPtr.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;
class RSeMetaType;
class RSeRefBase;

class FBxSelectionGenerator {
public:
    // The selection of the object, or null when the generator makes none for it.
    using Factory = SmartPtr<CountedCObj> (*)(FWxSceneDoc* doc, const RSeRefBase& obj);

    // A name taken already leaves this generator unregistered (the first one keeps it).
    FBxSelectionGenerator(const char16_t* className, Factory factory);
    FBxSelectionGenerator(const FBxSelectionGenerator&) = delete;
    FBxSelectionGenerator& operator=(const FBxSelectionGenerator&) = delete;
    ~FBxSelectionGenerator();

    const UTxString16& GetName() const { return m_name; }
    Factory GetFactory() const { return m_factory; }
    bool IsRegistered() const { return m_registered; }
    SmartPtr<CountedCObj> Generate(FWxSceneDoc* doc, const RSeRefBase& obj) const;

    static const FBxSelectionGenerator* Find(std::u16string_view name);
    // The generator of the class or of its nearest base that has one.
    static const FBxSelectionGenerator* FindFor(const RSeMetaType* meta);
    // By the class of the target; null for a null reference.
    static const FBxSelectionGenerator* FindFor(const RSeRefBase& obj);
    // The selection from the generator of the object's class; null without one.
    static SmartPtr<CountedCObj> GenerateFor(FWxSceneDoc* doc, const RSeRefBase& obj);

private:
    UTxString16 m_name;
    Factory m_factory;
    bool m_registered = false;
};
