#pragma once
// A named style of the document: what annotations take their look from. Kinds of styles derive
// from it and add their own values.
#include <cstdint>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

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

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(FWxStyle* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_name;
    UTxString16 m_description;
    int32_t m_edits = 0;
};

// The styles of one document, found by name; holds references only (the styles live in their
// segment).
class FWxStylesCollection {
public:
    void Add(const RSeRef<FWxStyle>& style) { m_styles.push_back(style); }
    size_t Count() const { return m_styles.size(); }
    RSeRef<FWxStyle> GetAt(size_t i) const { return m_styles[i]; }
    // Null when no style has that name.
    RSeRef<FWxStyle> Find(const UTxString16& name) const;

private:
    std::vector<RSeRef<FWxStyle>> m_styles;
};

namespace RSe {
RSeMetaType* _InitMeta(const FWxStyle*);
RSeMetaType* _GetMeta(const FWxStyle*);
} // namespace RSe
