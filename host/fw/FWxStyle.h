#pragma once
// A named style of the document: what annotations take their look from. Kinds of styles derive
// from it and add their own values.
#include <cstdint>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;

class FWxStyle : public RSeIDed {
public:
    FWxStyle() = default;
    explicit FWxStyle(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetStyleName() const { return m_name; }
    void SetStyleName(const UTxString16& name);
    const UTxString16& GetStyleDescription() const { return m_description; }
    void SetStyleDescription(const UTxString16& description);
    // Counts edits since the style was made; a kind's setter calls it with 1 after a change.
    void MarkEdited(int32_t count);
    int32_t GetEditCount() const { return m_edits; }
    // A style just made from a request's record starts with no edits counted.
    void CleanStyleEdits();
    // Kept by a document (a stored segment), not a transient copy that a dialog edits.
    bool IsCached() const;

    // A name a style may carry: surrounding white space and control characters go; an empty
    // name becomes "Style". True when the name changed.
    static bool RepairStyleName(UTxString16& name);
    // How a transcript names the style (its name key); empty for null.
    static UTxString16 GetStyleReference(const RSeRef<FWxStyle>& style);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(FWxStyle* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_name;
    UTxString16 m_description;
    int32_t m_edits = 0;
};

// The styles of one kind (a meta type and the kinds derived from it) that a document keeps,
// under the kind's collection name. It holds no styles of its own: it reads and changes the
// document's, so it follows undo and redo. Style names are unique within a kind.
class FWxStylesCollection {
public:
    FWxStylesCollection(FWxSceneDoc* doc, const RSeMetaType* kind) : m_doc(doc), m_kind(kind) {}

    const RSeMetaType* GetKind() const { return m_kind; }
    std::vector<RSeRef<FWxStyle>> GetStyles() const;
    // Null when no style of the kind has that name.
    RSeRef<FWxStyle> Find(const UTxString16& name) const;
    // The style added to the document; null (nothing added) for a style of another kind, one
    // held already or a name taken.
    RSeRef<FWxStyle> AddStyle(const RSeRef<FWxStyle>& style);
    // The renamed style; null (nothing renamed) when `from` names none or `to` is taken by
    // another style of the kind.
    RSeRef<FWxStyle> RenameStyle(const UTxString16& from, const UTxString16& to);
    // A collection of a document's own styles (not a library's).
    bool IsLocalCollection() const { return m_doc != nullptr; }

    // Collection names of the kinds, registered by the kinds' libraries at start-up.
    static void RegisterKind(const UTxString16& name, const RSeMetaType* kind);
    static const RSeMetaType* FindKind(const UTxString16& name);

private:
    FWxSceneDoc* m_doc;
    const RSeMetaType* m_kind;
};

namespace RSe {
RSeMetaType* _InitMeta(const FWxStyle*);
RSeMetaType* _GetMeta(const FWxStyle*);
} // namespace RSe
