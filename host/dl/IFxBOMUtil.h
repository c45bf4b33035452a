#pragma once
// The host's bill-of-materials utility, published once per process in the static interface set
// under UTxGuidForIFxBOMUtil: it opens the bill-of-materials editor on the model a document
// documents. Opening takes two steps: Prepare answers a handle for the document (0 when its
// model cannot be edited), and OpenBOMEditor opens the editor on that handle, for one member
// of a table-driven family when a member name is given. The editor is a headless model: each
// opening is recorded, and the records are what the user would see open.
//
// The two flags Prepare fills are the model's scheme settings at preparation time (structured
// enabled, parts-only enabled); the editor opens with the flags it is handed back.
#include <cstdint>
#include <string>
#include <vector>

#include "rse/RSeInterface.h"

class FWxSceneDoc;
class UTxGUID;

const UTxGUID& UTxGuidForIFxBOMUtil();

class IFxBOMUtil : public RSeStaticInterface {
public:
    struct Editor {
        uint32_t handle = 0;
        uint64_t document = 0;   // the serial of the document it edits
        std::u16string memberName;
        bool structured = false;
        bool partsOnly = false;
        bool operator==(const Editor&) const = default;
    };

    IFxBOMUtil();
    // A handle for the document's model: a drawing with a non-empty assembly; 0 for anything
    // else (the flags are then left alone). Handles are never reused in a process.
    virtual uint32_t PrepareBOMEditor(FWxSceneDoc* doc, bool& structured, bool& partsOnly);
    // Opens the editor on a handle this utility gave; an unknown handle opens nothing.
    virtual void OpenBOMEditor(uint32_t handle, const std::u16string& memberName, bool structured,
                               bool partsOnly);

    // The editors opened so far, oldest first; closing forgets them.
    const std::vector<Editor>& GetOpenEditors() const { return m_open; }
    void CloseEditors() { m_open.clear(); }

    // The published instance; null only while the library is being unloaded.
    static IFxBOMUtil* Get();

private:
    struct Prepared {
        uint32_t handle;
        uint64_t document;
    };
    std::vector<Prepared> m_prepared;
    std::vector<Editor> m_open;
    uint32_t m_next = 1;
};
