#pragma once
// The document of one model component, as the older parts lists read and write its properties:
// general properties by the host's general id (UCxDTUtil numbers them) and named (custom)
// properties, which are the component's user properties. The documents of this host are the
// components of the assembly the drawing documents, so reading needs that assembly and writing
// replaces the drawing's assembly (inside the caller's transaction) and attaches the drawing's
// bills again. A handle without a component is no document: it reads empty and writes nothing.
#include <cstdint>
#include <string>

class DLxComponentProxy;
class DLxDrawingDoc;
class RDxComponent;
struct DLxAssemblyComponent;
struct DLxAssemblyData;

class DLxComponentDocument {
public:
    DLxComponentDocument() = default;
    // The document of a stored component object, in the drawing that holds the object.
    static DLxComponentDocument Of(const RDxComponent* component);
    // The document a proxy reads (its target document); none for custom parts.
    static DLxComponentDocument Of(const DLxComponentProxy* proxy);

    explicit operator bool() const { return Component() != nullptr; }
    const DLxAssemblyComponent* Component() const;

    // General properties. 1 the name, 5 the part number, 14 the vendor, 20 the mass (a real),
    // 29 the description, 38 the kind, 39 the path; the other ids the host offers are user
    // properties under their English names. 38 and 39 cannot be written.
    std::u16string GetValueString(int32_t generalId) const;
    int32_t GetValueType(int32_t generalId) const;
    bool SetValueString(int32_t generalId, const std::u16string& text);

    // Named properties. The type of a text is what it reads as whole: an integer (2), a real
    // (3), else text (1). A missing property reads as an empty text, 0 and 0.0.
    std::u16string GetValueStringS(const std::u16string& name) const;
    int32_t GetValueTypeS(const std::u16string& name) const;
    bool SetStringValueS(const std::u16string& name, const std::u16string& text);
    int32_t GetIntValueS(const std::u16string& name) const;
    bool SetIntValueS(const std::u16string& name, int32_t value);
    double GetDoubleValueS(const std::u16string& name) const;
    bool SetDoubleValueS(const std::u16string& name, double value);

    // The mass as the bill shows it ("%g" in kg); empty when the model gives none.
    std::u16string GetMassText() const;

private:
    DLxComponentDocument(DLxDrawingDoc* doc, const DLxAssemblyData* model, int32_t id);
    // Applies `change` to a copy of the drawing's assembly and sets it back; false when the
    // component is not the drawing's or the result is refused.
    template <class F> bool Write(F change);

    // Handles are short-lived: the component is found again by id at each use, since a write
    // replaces the assembly's components.
    DLxDrawingDoc* m_doc = nullptr;
    const DLxAssemblyData* m_model = nullptr;
    int32_t m_id = 0;
};
