#include "dl/DLxDragDropData.h"

#include <cstring>

#include "GlobalMemory.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeDatabase.h"

HGLOBAL DLxDragDropData::Create(const FWxSceneDoc* doc, const std::vector<RSeRefBase>& symbols) {
    const size_t size = sizeof(DLxDragDropData) + 4 * symbols.size();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    auto* data = static_cast<DLxDragDropData*>(GlobalLock(block));
    data->magic = kMagic;
    data->symbolCount = uint32_t(symbols.size());
    data->documentSerial = doc ? doc->GetSerial() : 0;
    auto* ids = reinterpret_cast<uint32_t*>(data + 1);
    for (size_t i = 0; i < symbols.size(); ++i)
        ids[i] = symbols[i].GetId();
    GlobalUnlock(block);
    return block;
}

const DLxDragDropData* DLxDragDropData::FromBlock(const void* block, size_t size) {
    if (!block || size < sizeof(DLxDragDropData)) return nullptr;
    const auto* data = static_cast<const DLxDragDropData*>(block);
    if (data->magic != kMagic) return nullptr;
    if (data->symbolCount > (size - sizeof(DLxDragDropData)) / 4) return nullptr;
    return data;
}

bool DLxDragDropData::SamePelmarixDocument(const FWxSceneDoc* doc) const {
    return doc && documentSerial == doc->GetSerial();
}

std::vector<uint32_t> DLxCopyPasteSymbolData::GetSymbolIds() const {
    return std::vector<uint32_t>(m_data.SymbolIds(), m_data.SymbolIds() + m_data.symbolCount);
}

std::vector<RSeRefBase> DLxCopyPasteSymbolData::GetSymbols(const FWxSceneDoc* doc) const {
    std::vector<RSeRefBase> out;
    for (uint32_t id : GetSymbolIds())
        out.emplace_back(doc ? doc->GetRSeDb()->FindObject(id) : nullptr);
    return out;
}

bool DLxCopyPasteSymbolData::Contains(const RSeRefBase& symbol) const {
    const uint32_t id = symbol.GetId();
    if (!id) return false;
    for (uint32_t i = 0; i < m_data.symbolCount; ++i)
        if (m_data.SymbolIds()[i] == id) return true;
    return false;
}
