#pragma once
// The browser of one document: the root entry and the entries the browser makes itself (not
// stored, outside every segment), rebuilt by the document whenever it is asked for its tree,
// with the stored entries of the document hung in under their parents' subjects. It is also
// the arrangement of the paths into its tree (GetPathTranslator).
#include <memory>
#include <string>
#include <vector>

class BRxEntry;
class BRxFixedEntry;
class BRxFixedEntryType;
class RSeDatabase;
class RSeIDed;

class BRxDocManager {
public:
    BRxDocManager();
    BRxDocManager(const BRxDocManager&) = delete;
    BRxDocManager& operator=(const BRxDocManager&) = delete;
    ~BRxDocManager();

    // A rebuild: BeginRebuild, the browser's own entries in tree order (AddEntry), then
    // FinishRebuild. Entries keep their objects across rebuilds as long as their subject stays
    // (so a pointer to an entry stays good while its subject lives); entries whose subject was
    // not added again go, and stored entries only leave the tree.
    void BeginRebuild(const BRxFixedEntryType* rootType, const std::u16string& rootName);
    // The browser's entry of the subject, under `parent` (the root for null), at the end of
    // its children; renamed when the name changed.
    BRxFixedEntry* AddEntry(const BRxFixedEntryType* type, const std::u16string& name,
                            BRxEntry* parent, RSeIDed* subject);
    // Hangs the database's stored entries under the entry of their parent subject (the root
    // when none has it), in the order of their ids, and drops the entries not added again.
    void FinishRebuild(RSeDatabase* db);

    BRxFixedEntry* GetRoot() const { return m_root.get(); }
    // The first entry, depth first from the root, whose subject is the object; null for none.
    BRxEntry* Find(const RSeIDed* subject) const;
    BRxDocManager* GetPathTranslator() { return this; }

    // The tree as text: one line an entry, two spaces of indent a level, its text, then its
    // icon and state icon.
    std::string Print() const;

private:
    struct Made {
        std::unique_ptr<BRxFixedEntry> entry;
        bool used = false;
    };
    std::unique_ptr<BRxFixedEntry> m_root;
    std::vector<Made> m_made;
};
