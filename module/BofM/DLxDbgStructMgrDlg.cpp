#include "BofM/DLxDbgStructMgrDlg.h"

#include <cinttypes>
#include <cstdio>

#include "BofM/DLxSymTestCmdGroup.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "fw/FWxCommand.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"

namespace {
std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text)
        out.push_back(char16_t(static_cast<unsigned char>(*text)));
    return out;
}

std::u16string Number(int64_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%" PRId64, n);
    return Widen(buf);
}

std::u16string Address(const void* p) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%08" PRIxPTR, reinterpret_cast<uintptr_t>(p));
    return Widen(buf);
}

std::u16string Flag(bool on) {
    return on ? u"True" : u"False";
}

std::u16string MetaName(const RSeVMeta* object) {
    const RSeMetaType* meta = object ? RSe::MetaTypeOf(object) : nullptr;
    return meta && !meta->GetName().empty() ? meta->GetName() : u"Unknown";
}

// The occurrence ids from the root's child down, as the passive key names them.
std::u16string PassiveKey(const std::vector<int32_t>& path) {
    std::u16string key;
    for (size_t i = 0; i < path.size(); ++i) {
        if (i) key += u':';
        key += Number(path[i]);
    }
    return u"[" + key + u"]";
}

DLxLocalBOM* BillOf(const DLxStructureNode* node) {
    DLxTagManager* tm = node ? node->GetTagManager() : nullptr;
    return tm ? tm->GetLocalBOM() : nullptr;
}
} // namespace

DLxDbgStructMgrDlg::DLxDbgStructMgrDlg(FWxSceneDoc* doc, HWND parent)
    : CDialog(kTemplateId, parent), m_doc(doc) {}

DLxDbgStructMgrDlg::~DLxDbgStructMgrDlg() = default;

bool DLxDbgStructMgrDlg::OnInitDialog() {
    auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(m_doc);
    InsertItem(-1, drawingDoc ? drawingDoc->GetDrawing() : nullptr, kDrawing, u"");
    m_layoutReady = true;
    return true;
}

void DLxDbgStructMgrDlg::PostNcDestroy() {
    // The records go with the window; the tree's items refer to them.
    m_items.clear();
    m_records.clear();
    m_rows.clear();
    m_layoutReady = false;
}

const DLxDbgStructMgrDlg::TreeItemData* DLxDbgStructMgrDlg::GetItemData(int32_t item) const {
    if (item < 0 || size_t(item) >= m_items.size()) return nullptr;
    return m_records[m_items[size_t(item)].record].get();
}

int32_t DLxDbgStructMgrDlg::InsertItem(int32_t parent, const RSeVMeta* object, int32_t kind,
                                       const std::u16string& label, int32_t extra) {
    // The root item hangs under the tree's own root (-1); any other needs its parent.
    if (!object || (parent < 0 && !m_items.empty())) return -1;
    m_records.push_back(std::make_unique<TreeItemData>(TreeItemData{object, kind, extra}));
    TreeItem item;
    item.label = label.empty() ? MetaName(object) : label;
    item.record = m_records.size() - 1;
    item.parent = parent;
    m_items.push_back(std::move(item));
    const auto index = int32_t(m_items.size() - 1);
    if (parent >= 0) m_items[size_t(parent)].children.push_back(index);
    return index;
}

bool DLxDbgStructMgrDlg::ItemHasChildren(int32_t item) {
    return !GetChildren(item).empty();
}

const std::vector<int32_t>& DLxDbgStructMgrDlg::GetChildren(int32_t item) {
    static const std::vector<int32_t> none;
    if (item < 0 || size_t(item) >= m_items.size()) return none;
    if (!m_items[size_t(item)].childrenInserted) {
        m_items[size_t(item)].childrenInserted = true;
        InsertChildren(item);
    }
    return m_items[size_t(item)].children;
}

void DLxDbgStructMgrDlg::InsertChildren(int32_t item) {
    const TreeItemData data = *GetItemData(item);
    switch (data.kind) {
    case kDrawing: {
        // The drawing's configurations are those of its bills, in the bills' order.
        for (DLxLocalBOM* bom : DLxLocalBOMMgr::GetLocalBOMs(m_doc ? m_doc->GetRSeDb() : nullptr))
            if (DLxConfiguration* configuration = bom->GetConfiguration(false))
                InsertItem(item, configuration, kConfiguration, u"");
        break;
    }
    case kConfiguration: {
        auto* configuration = static_cast<DLxConfiguration*>(const_cast<RSeVMeta*>(data.object));
        DLxTagManager* tm = configuration->GetTagManager(false);
        if (DLxStructureNode* root = tm ? tm->FindExistingNode({}) : nullptr)
            InsertItem(item, root, kStructureNode, u"");
        break;
    }
    case kStructureNode: {
        const auto* node = static_cast<const DLxStructureNode*>(data.object);
        DLxTagManager* tm = node->GetTagManager();
        DLxLocalBOM* bom = BillOf(node);
        const DLxAssemblyData* model = bom ? bom->GetAssembly() : nullptr;
        if (!tm || !model) break;
        std::vector<int32_t> path = node->GetRDxPassivePath();
        path.push_back(0);
        for (const DLxAssemblyOccurrence& o : model->occurrences) {
            if (o.parent != node->GetComponentId()) continue;
            path.back() = o.id;
            if (DLxStructureNode* child = tm->FindExistingNode(path))
                InsertItem(item, child, kStructureNode, u"");
        }
        break;
    }
    default:
        break;
    }
}

void DLxDbgStructMgrDlg::AddHeader(const std::u16string& text) {
    m_rows.push_back({u"---- " + text + u" ----", u"", 1});
}

void DLxDbgStructMgrDlg::AddRow(const std::u16string& name, const std::u16string& value) {
    m_rows.push_back({name, value, 0});
}

void DLxDbgStructMgrDlg::AddObjectBlock(const RSeVMeta* object) {
    const RSeMetaType* meta = RSe::MetaTypeOf(object);
    AddHeader(meta && !meta->GetName().empty() ? meta->GetName() : u"RSeVMeta");
    AddRow(u"Address", Address(object));
    const RSeSegment* segment = object->GetSegment();
    AddRow(u"IsTransient", Flag(segment && segment->IsTransient()));
}

void DLxDbgStructMgrDlg::SelectItem(int32_t item) {
    m_rows.clear();
    const TreeItemData* data = GetItemData(item);
    if (!data) return;
    switch (data->kind) {
    case kDrawing: {
        AddObjectBlock(data->object);
        AddHeader(u"DLxDrawing");
        auto* drawingDoc = dynamic_cast<DLxDrawingDoc*>(m_doc);
        AddRow(u"NumSheets", Number(drawingDoc ? int64_t(drawingDoc->GetSheets().size()) : 0));
        AddHeader(u"DLxDrawingOptions");
        AddRow(u"DeferViewUpdates", Flag(drawingDoc && drawingDoc->IsDocDeferred()));
        break;
    }
    case kConfiguration: {
        AddObjectBlock(data->object);
        AddHeader(u"DLxConfiguration");
        const auto* configuration = static_cast<const DLxConfiguration*>(data->object);
        if (const DLxAssemblyData* model = configuration->GetUFRxInstance()) {
            const DLxLocalBOM* bom = configuration->GetLocalBOM();
            const DLxAssemblyComponent* root = bom ? bom->FindComponent(model->root) : nullptr;
            AddRow(u"DocPath", root ? root->path : u"");
            AddRow(u"IsResolved",
                   Flag(bom && !(bom->GetBOMStatus() & DLxLocalBOM::kStatusUnresolved)));
        }
        break;
    }
    case kStructureNode: {
        AddObjectBlock(data->object);
        AddHeader(u"DLxStructureNode");
        const auto* node = static_cast<const DLxStructureNode*>(data->object);
        AddRow(u"StructNodeId", Number(node->GetId()));
        AddRow(u"Passive Occ Path", PassiveKey(node->GetRDxPassivePath()));
        const DLxLocalBOM* bom = BillOf(node);
        const DLxAssemblyComponent* component =
            bom ? bom->FindComponent(node->GetComponentId()) : nullptr;
        if (component && !component->representations.empty()) {
            AddRow(u"RepName", component->representations.front());
            AddRow(u"FullPath", component->path);
        }
        AddRow(u"IsReference", Flag(node->IsReference()));
        AddRow(u"IsWeld", Flag(false));
        AddRow(u"IsVirtualComponent", Flag(false));
        break;
    }
    default:
        break;
    }
}

// ---- the command ---------------------------------------------------------------------------

bool DLxDbgStructMgrCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != kCommandId) return false;
    if (code == FWxCmd::kCommand) {
        OnStructureDump();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

void DLxDbgStructMgrCmd::OnStructureDump() {
    DLxDbgStructMgrDlg dialog(GetDocument(), nullptr);
    dialog.DoModal();
}
