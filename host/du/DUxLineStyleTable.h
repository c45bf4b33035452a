#pragma once
// The line styles a document sets (DUxLineStyleUtil): one stored object in the document's first
// segment, made when the first style is set, so that styles are saved and undone with the rest
// of the document. A document that set none has no table and draws with the default pen.
#include <cstdint>
#include <map>
#include <utility>

#include "du/DUxLineStyle.h"
#include "rse/RSeIDed.h"
#include "utx/UTxGUID.h"

class DUxLineStyleTable : public RSeIDed {
public:
    DUxLineStyleTable() = default;
    explicit DUxLineStyleTable(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    // The style of a kind of line under a standard; null when none was set.
    const DUxLineStyle* FindStyle(int32_t id, const UTxGUID& standard) const;
    void SetStyle(int32_t id, const UTxGUID& standard, const DUxLineStyle& style);
    // Styles of single objects by their ids; an entry outlives its object, whose id is never
    // given again and which undo may bring back.
    const DUxLineStyle* FindOverload(uint32_t objectId) const;
    void SetOverload(uint32_t objectId, const DUxLineStyle& style);
    void ClearOverload(uint32_t objectId);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxLineStyleTable* target, RSeCloneCommander* cc) const;

private:
    std::map<std::pair<int32_t, UTxGUID>, DUxLineStyle> m_styles;
    std::map<uint32_t, DUxLineStyle> m_overloads;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxLineStyleTable*);
RSeMetaType* _GetMeta(const DUxLineStyleTable*);
} // namespace RSe
