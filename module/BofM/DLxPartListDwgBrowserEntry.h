#pragma once
// A parts list's entry in the drawing's model browser: the title of its style and the file of
// its bill of materials, an icon and a state icon from the bill's health, a tooltip that
// explains the state icon, and the selection the browser offers. It listens to four events of
// its table. The table makes and stores it.
//
// Stored record after BRxFixedEntry's (version 5): status code (uint32), file name (text).
#include <cstdint>
#include <string>

#include "br/BRxFixedEntry.h"
#include "rse/RSeRef.h"

class DLxAnnotationUpdateState;
class DLxLocalBOM;
class DLxPartListTable;

class DLxPartListDwgBrowserEntry : public BRxFixedEntry {
public:
    // Bitmaps of the entry's icon: a bill of the older kind, and the current one.
    static constexpr int32_t kLegacyIcon = 7683;
    static constexpr int32_t kIcon = 7690;
    // The parts-list edit command that activating the entry starts.
    static constexpr int32_t kEditCommand = 44078;
    // Only these bits of a status code are errors.
    static constexpr uint32_t kErrorMask = 0x3ff;

    explicit DLxPartListDwgBrowserEntry(const RSeStream* s);
    DLxPartListDwgBrowserEntry(const BRxFixedEntryType* type, const std::u16string& name,
                               BRxEntry* parent, const RSeRefBase& subject,
                               const RSeRefBase& second, bool ownedBySubject);
    RSeMetaType* GetMeta() const override;

    // The file name is read again at the next asking (after a restore or a copy).
    void MarkDirty() { m_fileNameStale = true; }

    // Null until the drawing has a bill for the table; a missing bill is looked up again.
    DLxLocalBOM* GetLocalBOM() const;
    DLxAnnotationUpdateState* GetUpdateState() const;
    bool NeedsUpdate() const;
    // The style's title (renaming the entry when it changed); the entry's name while the
    // table is not loaded; empty otherwise.
    std::u16string TitleText() const;
    std::u16string FileNameText() const;
    uint32_t GetStatusCode() const { return m_status; }

    int32_t StateIcon() const override;
    int32_t Icon() const override;
    std::u16string Text() const override;
    std::u16string StateIconTooltip() const override;
    bool CanRename() const override;
    std::u16string EditableText() const override;
    UTxResult Activate() override;
    SmartPtr<FWxSelection> CreateSelection(const BRxAbsPath& path) override;
    bool OnEvent(const RSeEvent* event) override;
    RSeNotifierEventMask GetEventSet(int32_t& timing) const override;
    std::u16string GetHowToHelp() const override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListDwgBrowserEntry* target, RSeCloneCommander* cc) const;

private:
    DLxPartListTable* Table() const;
    bool HasError() const { return (m_status & 0xffff & kErrorMask) != 0; }

    uint32_t m_status = 0;
    // Caches: filled on first asking, never stored.
    mutable std::u16string m_fileName;
    mutable RSeRef<DLxLocalBOM> m_localBOM;
    mutable RSeRef<DLxAnnotationUpdateState> m_updateState;
    mutable bool m_fileNameStale = true;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListDwgBrowserEntry*);
RSeMetaType* _GetMeta(const DLxPartListDwgBrowserEntry*);
} // namespace RSe
