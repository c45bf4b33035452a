#pragma once
// An entry of a fixed kind (a sheet, a view, a parts list) with a name. Its kind is a
// BRxFixedEntryType, which gives the icon and the state icon that an entry shows unless it
// answers them itself; types are made once per process and known by their id, which is what a
// stored entry keeps. The virtual operations are those a browser asks of an entry; the base
// answers them from the name and the type, and Activate, CreateSelection and OnEvent do
// nothing.
//
// Stored record after BRxEntry's: type id (int32), name (text), second reference, owned by its
// subject (bool: true for an entry that its subject makes and stores, false for one the
// browser makes).
#include <cstdint>
#include <string>

#include "br/BRxEntry.h"
#include "fw/SmartPtr.h"
#include "utx/UTxResult.h"

class BRxAbsPath;
class FWxSelection;

class BRxFixedEntryType {
public:
    // Registers the type under its id; a second type of the same id is not found by Find.
    BRxFixedEntryType(int32_t id, std::u16string name, int32_t icon);
    BRxFixedEntryType(const BRxFixedEntryType&) = delete;
    BRxFixedEntryType& operator=(const BRxFixedEntryType&) = delete;
    virtual ~BRxFixedEntryType();

    int32_t GetId() const { return m_id; }
    const std::u16string& GetName() const { return m_name; }
    int32_t Icon() const { return m_icon; }
    // No state icon of its own (UCxBrowserUtil::kNoStateIcon).
    virtual int32_t StateIcon() const;

    static const BRxFixedEntryType* Find(int32_t id);

private:
    int32_t m_id;
    std::u16string m_name;
    int32_t m_icon;
};

class BRxFixedEntry : public BRxEntry {
public:
    BRxFixedEntry() = default;
    explicit BRxFixedEntry(const RSeStream* s) : BRxEntry(s) {}
    BRxFixedEntry(const BRxFixedEntryType* type, const std::u16string& name, BRxEntry* parent,
                  const RSeRefBase& subject, const RSeRefBase& second, bool ownedBySubject);
    RSeMetaType* GetMeta() const override;

    const std::u16string& Name() const { return m_name; }
    // Records the entry when it is stored and the name changes; marks it modified.
    void Rename(const std::u16string& name);
    // Null for a type id no type registered.
    const BRxFixedEntryType* GetType() const { return BRxFixedEntryType::Find(m_type); }
    const RSeRefBase& GetSecond() const { return m_second; }
    bool IsOwnedBySubject() const { return m_ownedBySubject; }

    virtual int32_t StateIcon() const;
    virtual int32_t Icon() const;
    virtual std::u16string Text() const;
    virtual std::u16string StateIconTooltip() const;
    virtual bool CanRename() const;
    virtual std::u16string EditableText() const;
    virtual UTxResult Activate();
    // The selection that choosing the entry under `path` makes; none here.
    virtual SmartPtr<FWxSelection> CreateSelection(const BRxAbsPath& path);
    bool OnEvent(const RSeEvent* event) override;
    virtual std::u16string GetHowToHelp() const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(BRxFixedEntry* target, RSeCloneCommander* cc) const;

private:
    int32_t m_type = -1;
    std::u16string m_name;
    RSeRef<RSeIDed> m_second;
    bool m_ownedBySubject = false;
};

namespace RSe {
RSeMetaType* _InitMeta(const BRxFixedEntry*);
RSeMetaType* _GetMeta(const BRxFixedEntry*);
} // namespace RSe
