#pragma once
// The model browser's entries of sketched symbols: under each sheet that has any, a folder
// (DLxCallOutFolderEntry) listed before the sheet's views, and in it one entry per placed
// symbol (DLxCallOutInstEntry), named after the symbol's sketch definition. The folder stands
// for itself (its subject is the folder) and keeps the order of its entries, which the browser
// follows when it hangs them in and which sorting changes.
//
// Stored records after BRxFixedEntry's (version 0): the folder, the ordered references to its
// entries (count, then each); the symbol entry, nothing of its own.
#include <string>
#include <vector>

#include "br/BRxFixedEntry.h"
#include "rse/RSeRef.h"

class DLxCallOutInstance;

class DLxCallOutFolderEntry : public BRxFixedEntry {
public:
    static constexpr int32_t kIcon = 5851;
    static constexpr uint32_t kTextId = 5742;

    explicit DLxCallOutFolderEntry(const RSeStream* s);
    // Under the sheet's entry.
    DLxCallOutFolderEntry(const std::u16string& name, BRxEntry* sheetEntry);
    RSeMetaType* GetMeta() const override;

    // The folder's entries in their order; null entries (gone) are left out.
    std::vector<BRxEntry*> GetOrder() const;
    // Records the folder and keeps the entries in this order.
    void SetOrder(const std::vector<BRxEntry*>& order);
    void Append(BRxEntry* entry);
    void Remove(BRxEntry* entry);

    int32_t Icon() const override { return kIcon; }
    std::u16string Text() const override;
    SmartPtr<FWxSelection> CreateSelection(const BRxAbsPath& path) override;
    std::u16string GetHowToHelp() const override { return u"DL_Sketched_Symbols_Collection"; }
    bool ListsFirst() const override { return true; }
    void ArrangeChildren() override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxCallOutFolderEntry* target, RSeCloneCommander* cc) const;

private:
    std::vector<RSeRef<BRxEntry>> m_order;
};

class DLxCallOutInstEntry : public BRxFixedEntry {
public:
    static constexpr int32_t kIcon = 5909;
    static constexpr int32_t kStaticIcon = 5910;
    // The host command that activating the entry of a selected symbol starts.
    static constexpr int32_t kActivateCommand = 44045;

    explicit DLxCallOutInstEntry(const RSeStream* s);
    DLxCallOutInstEntry(const std::u16string& name, DLxCallOutFolderEntry* folder,
                        DLxCallOutInstance* symbol);
    RSeMetaType* GetMeta() const override;

    DLxCallOutInstance* GetSymbol() const;

    int32_t Icon() const override;
    bool CanRename() const override;
    UTxResult Activate() override;
    SmartPtr<FWxSelection> CreateSelection(const BRxAbsPath& path) override;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutFolderEntry*);
RSeMetaType* _GetMeta(const DLxCallOutFolderEntry*);
RSeMetaType* _InitMeta(const DLxCallOutInstEntry*);
RSeMetaType* _GetMeta(const DLxCallOutInstEntry*);
} // namespace RSe
