#pragma once
// The host's document: its object store, its commands, and the change requests that are the
// only way to change it, with undo and redo.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "fw/SmartPtr.h"
#include "utx/UTxResult.h"

class RSeDatabase;
class RSeIDed;
class RSeMetaType;
class RSeTxnRecord;
class FWxChangeRequest;
class FWxDocCmd;
class FWxDocStateCmd;
class RSeIDed;
class WqGePoint3d;
class FWxStyle;
class RDxComponent;

// What a library above this one keeps for one document beside its store: caches of facts
// derived from the document, never state of its own (state is stored, saved and undone).
class FWxDocData {
public:
    virtual ~FWxDocData() = default;
};

class FWxSceneDoc {
public:
    FWxSceneDoc();
    // A document over a database loaded from a file.
    explicit FWxSceneDoc(std::unique_ptr<RSeDatabase> db);
    FWxSceneDoc(const FWxSceneDoc&) = delete;
    FWxSceneDoc& operator=(const FWxSceneDoc&) = delete;
    virtual ~FWxSceneDoc();

    RSeDatabase* GetRSeDb() const { return m_db.get(); }
    // Tells documents apart for as long as the process runs (data on the clipboard names its
    // document by it).
    uint64_t GetSerial() const { return m_serial; }

    // Runs a request: permission, validation, then its execution in a transaction. A request
    // that fails leaves the document exactly as it was; one that succeeds is journalled and
    // can be undone.
    UTxResult ProcessChangeRequest(const SmartPtr<FWxChangeRequest>& request);
    // Runs a request that changes only what is not stored (which sheet is shown, say): the same
    // steps without a transaction; it is neither journalled nor undoable. Refused while another
    // request runs.
    UTxResult ProcessNoTxnRequest(const SmartPtr<FWxChangeRequest>& request);
    virtual bool PermittedCommand(int32_t classification) const;

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    UTxResult Undo();
    UTxResult Redo();
    size_t GetUndoDepth() const { return m_undo.size(); }
    // The transaction that the next undo puts back; null when there is none.
    const RSeTxnRecord* GetUndoRecord() const {
        return m_undo.empty() ? nullptr : m_undo.back().get();
    }
    // The memory that the undo and redo history keeps, in bytes; or that the newest `steps`
    // steps of the undo history keep.
    size_t GetHistoryByteSize() const;
    size_t GetHistoryByteSize(size_t steps) const;

    // Commands: the document owns what it is given. The static command is the one that runs
    // when no other does (for a drawing, its select command).
    void AddCommand(FWxDocCmd* cmd);
    size_t GetCommandCount() const { return m_commands.size(); }
    FWxDocCmd* GetCommand(size_t i) const { return m_commands[i].get(); }
    virtual FWxDocCmd* GetStaticCommand() const { return nullptr; }
    // Asks the user interface to start a command by its id once the current one returns. This
    // host has no command loop: the ids wait here, in order, for whoever drives the document.
    void PostCommand(int32_t id) { m_postedCommands.push_back(id); }
    const std::vector<int32_t>& GetPostedCommands() const { return m_postedCommands; }
    // The user interface's way in: a message to the document's commands in the order they were
    // added (FWxCommand::OnCmdMsg); false when none handled it. RunCommand runs a command by
    // its id; IsCommandEnabled asks its entry.
    bool OnCmdMsg(int32_t id, int32_t code, void* extra);
    bool RunCommand(int32_t id);
    bool IsCommandEnabled(int32_t id);
    // The state command that runs (one at a time); null when none does. Ending it ends its
    // states with `code`.
    FWxDocStateCmd* GetActiveCommand() const { return m_activeCmd; }
    void SetActiveCommand(FWxDocStateCmd* cmd) { m_activeCmd = cmd; }
    void ClearActiveCommand(const FWxDocStateCmd* cmd) {
        if (m_activeCmd == cmd) m_activeCmd = nullptr;
    }
    void TerminateActiveContext(int32_t code);
    // The objects a pick at a sheet point finds, nearest first, within `tol`; a scene
    // document shows none.
    virtual std::vector<RSeIDed*> PickObjects(const WqGePoint3d& point, double tol) const;

    // The data a library keeps for this document under its key (the address of something of
    // its own): made by `make` on first use, released with the document.
    FWxDocData& GetData(const void* key, std::unique_ptr<FWxDocData> (*make)(FWxSceneDoc*));
    FWxDocData* FindData(const void* key) const;

    // The document's styles, for the libraries above that use them without knowing the kind of
    // document that keeps them (a scene document keeps none): the style of that class (or one
    // derived from it) and name, and the drafting standard whose styles apply by default (empty
    // when none was chosen).
    virtual FWxStyle* FindStyle(const RSeMetaType* meta, const UTxString16& name) const {
        return nullptr;
    }
    virtual UTxString16 GetStandardName() const { return {}; }
    // All the styles, in the order they were added; AddStyle takes a style made in the
    // document's store and refuses (false) one held already or a name its kind has.
    virtual std::vector<FWxStyle*> GetStyles() const { return {}; }
    virtual bool AddStyle(FWxStyle*) { return false; }
    // The object that owns the document's styles; new styles are made in its segment. Null
    // for a document that keeps no styles.
    virtual RSeIDed* GetRootObject() const { return nullptr; }
    // The names of the design views the model has of a component (FWxDesignViewAccessor);
    // a scene document knows no model.
    virtual std::vector<std::u16string> GetDesignViewNames(const RDxComponent*) const { return {}; }

private:
    // A step of the history is its transaction alone: a request lives for one execution, and
    // undo and redo put back what the transaction recorded without asking the request again.
    std::unique_ptr<RSeDatabase> m_db;
    std::vector<std::unique_ptr<RSeTxnRecord>> m_undo;
    std::vector<std::unique_ptr<RSeTxnRecord>> m_redo;
    std::vector<std::unique_ptr<FWxDocCmd>> m_commands;
    std::vector<int32_t> m_postedCommands;
    FWxDocStateCmd* m_activeCmd = nullptr;
    std::vector<std::pair<const void*, std::unique_ptr<FWxDocData>>> m_data;
    bool m_processing = false;
    uint64_t m_serial = 0;
};
