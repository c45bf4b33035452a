#pragma once
// What a drawing puts on the clipboard when symbols are copied or dragged: the document they
// came from and the symbols, laid out in one block of global memory under the clipboard format
// "PELMARIX_DL_SYMBOL_DATA".
#include <cstddef>
#include <cstdint>
#include <vector>

#include "WinHandles.h"
#include "rse/RSeRef.h"

class FWxSceneDoc;

constexpr const char16_t* kDLxSymbolClipboardFormat = u"PELMARIX_DL_SYMBOL_DATA";
// Copied parts lists: the same block, under a format of their own.
constexpr const char16_t* kDLxPartListClipboardFormat = u"PELMARIX_DL_PARTLIST_DATA";

// The block's header; the ids of the symbols follow it.
struct DLxDragDropData {
    static constexpr uint32_t kMagic = 0x4B534444; // "DDSK"
    uint32_t magic;
    uint32_t symbolCount;
    uint64_t documentSerial;

    // A block for the symbols of a document; the caller owns it (or hands it to the clipboard).
    static HGLOBAL Create(const FWxSceneDoc* doc, const std::vector<RSeRefBase>& symbols);
    // The header of a locked block of `size` bytes, or null when it is not one of ours.
    static const DLxDragDropData* FromBlock(const void* block, size_t size);

    bool SamePelmarixDocument(const FWxSceneDoc* doc) const;
    const uint32_t* SymbolIds() const { return reinterpret_cast<const uint32_t*>(this + 1); }
};

// The symbols of a block, read back in their document.
class DLxCopyPasteSymbolData {
public:
    explicit DLxCopyPasteSymbolData(const DLxDragDropData& data) : m_data(data) {}
    std::vector<uint32_t> GetSymbolIds() const;
    // The symbols as references in `doc` (null where a symbol no longer exists).
    std::vector<RSeRefBase> GetSymbols(const FWxSceneDoc* doc) const;
    bool Contains(const RSeRefBase& symbol) const;

private:
    const DLxDragDropData& m_data;
};
