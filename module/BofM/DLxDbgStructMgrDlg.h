#pragma once
// The structure dump: the active drawing's structure data as a tree (the drawing, the
// configurations of its bills, their structure nodes) with a name/value list of the selected
// item beside it. A developer's tool: it reads the document and never changes it, so it shows
// only the structure that exists already (no node is made by looking).
//
// Headless, the tree and the list are models a test reads: tree items by index (0 is the
// root), each with its label and the index of its record; children are inserted the first time
// the tree asks whether an item has any; selecting an item fills the list.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CDialog.h"

class FWxSceneDoc;
class RSeVMeta;

class DLxDbgStructMgrDlg : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 7661;
    static constexpr int32_t kTreeId = 8415;
    static constexpr int32_t kListId = 8043;
    // Item kinds; this host's drawings have no structure managers, body nodes, occurrence maps
    // or assembly snapshots, so only these three occur.
    enum Kind : int32_t { kDrawing = 0, kConfiguration = 1, kStructureNode = 3 };

    struct TreeItemData {
        const RSeVMeta* object = nullptr;
        int32_t kind = 0;
        int32_t extra = 0;
    };
    struct TreeItem {
        std::u16string label;
        size_t record = 0;
        int32_t parent = -1;
        std::vector<int32_t> children;
        bool childrenInserted = false;
    };
    // A header row has item data 1 and is drawn bold; a value row has 0.
    struct Row {
        std::u16string name;
        std::u16string value;
        int32_t itemData = 0;
        bool operator==(const Row&) const = default;
    };

    DLxDbgStructMgrDlg(FWxSceneDoc* doc, HWND parent);
    ~DLxDbgStructMgrDlg() override;

    bool OnInitDialog() override;
    void PostNcDestroy() override;

    // ---- the tree
    size_t GetItemCount() const { return m_items.size(); }
    const TreeItem& GetItem(int32_t item) const { return m_items[size_t(item)]; }
    const TreeItemData* GetItemData(int32_t item) const;
    // The tree asks for the children count (TVN_GETDISPINFO): they are inserted then.
    bool ItemHasChildren(int32_t item);
    // The item's children, inserted first when they were not yet.
    const std::vector<int32_t>& GetChildren(int32_t item);
    size_t GetRecordCount() const { return m_records.size(); }

    // ---- the list
    // TVN_SELCHANGED: the list shows the item's rows.
    void SelectItem(int32_t item);
    const std::vector<Row>& GetRows() const { return m_rows; }
    bool IsLayoutReady() const { return m_layoutReady; }

private:
    int32_t InsertItem(int32_t parent, const RSeVMeta* object, int32_t kind,
                       const std::u16string& label, int32_t extra = 0);
    void InsertChildren(int32_t item);
    void AddHeader(const std::u16string& text);
    void AddRow(const std::u16string& name, const std::u16string& value);
    void AddObjectBlock(const RSeVMeta* object);

    FWxSceneDoc* m_doc;
    std::vector<TreeItem> m_items;
    std::vector<std::unique_ptr<TreeItemData>> m_records;
    std::vector<Row> m_rows;
    bool m_layoutReady = false;
};
