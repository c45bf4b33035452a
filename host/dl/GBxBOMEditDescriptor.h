#pragma once
// An edit of the source model's bill of materials: item numbers are written into it row by
// row, and the edit is completed when the descriptor goes (or at Complete), as the model's own
// edit is. The model of this host is the drawing's assembly: completing replaces it inside the
// caller's transaction (so undo takes it back), and the drawing's bills follow it.
//
// The model keeps an item number of a component per scheme as the component's user property
// ItemNumberProperty(scheme); what the model held there before is replaced.
#include <cstdint>
#include <map>
#include <string>

class DLxDrawingDoc;
class RSeDatabase;
struct DLxAssemblyComponent;

class GBxBOMEditDescriptor {
public:
    // The edit of the model of the drawing in `db`, for the scheme (1 structured, 2 parts
    // only). `mode` is the host's edit mode; only 1 (item numbers) is known.
    GBxBOMEditDescriptor(RSeDatabase* db, int32_t scheme, int32_t mode);
    ~GBxBOMEditDescriptor();
    GBxBOMEditDescriptor(const GBxBOMEditDescriptor&) = delete;
    GBxBOMEditDescriptor& operator=(const GBxBOMEditDescriptor&) = delete;

    int32_t GetSchemeID() const { return m_scheme; }
    // Whether a model to write into was found.
    bool IsValid() const { return m_doc != nullptr; }
    // The component's number in this scheme, as the edit will leave it.
    void SetItemNumber(int32_t component, const std::u16string& number);
    // Puts the numbers into the model once; false when it has no model or refused the change.
    // Later calls, and the destructor, do nothing more.
    bool Complete();

    // The user property under which the model keeps a component's number of that scheme.
    static const char16_t* ItemNumberProperty(int32_t scheme);
    // The number the model keeps for the component in that scheme; empty for none.
    static std::u16string ModelItemNumber(const DLxAssemblyComponent& component, int32_t scheme);

private:
    DLxDrawingDoc* m_doc = nullptr;
    int32_t m_scheme = 1;
    bool m_done = false;
    std::map<int32_t, std::u16string> m_numbers; // by component, so the model changes in id order
};
