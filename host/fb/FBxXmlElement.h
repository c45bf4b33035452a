#pragma once
// One element of the XML that the table dialogs and style files exchange: a name, attributes
// as text in the order they were first set (a later set replaces the value in place), and child
// elements in order. Typed helpers write booleans as "1" and "0" and read "1" and "true" as
// true; an attribute that is missing leaves the caller's value as it was.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class FBxXmlElement {
public:
    FBxXmlElement() = default;
    explicit FBxXmlElement(std::u16string name) : m_name(std::move(name)) {}

    const std::u16string& GetName() const { return m_name; }
    void SetName(std::u16string name) { m_name = std::move(name); }

    void SetAttribute(const std::u16string& key, const std::u16string& value);
    void SetAttributeBool(const std::u16string& key, bool value);
    void SetAttributeInt(const std::u16string& key, int32_t value);
    // False, leaving `value` alone, when the element has no such attribute (or, for the typed
    // forms, when its text is not of the type).
    bool GetAttribute(const std::u16string& key, std::u16string& value) const;
    bool GetAttributeBool(const std::u16string& key, bool& value) const;
    bool GetAttributeInt(const std::u16string& key, int32_t& value) const;
    bool HasAttribute(const std::u16string& key) const;
    const std::vector<std::pair<std::u16string, std::u16string>>& GetAttributes() const {
        return m_attributes;
    }

    FBxXmlElement& AddChild(FBxXmlElement child);
    const std::vector<FBxXmlElement>& GetChildren() const { return m_children; }

private:
    std::u16string m_name;
    std::vector<std::pair<std::u16string, std::u16string>> m_attributes;
    std::vector<FBxXmlElement> m_children;
};
