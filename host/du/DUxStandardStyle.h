#pragma once
// A drafting standard as a style: besides its own values it lists, per kind, the styles that
// belong to the standard (the ones a styles editor shows under it).
#include <vector>

#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"

class DUxStandardStyle;

// The standard's styles of one kind.
class FBxStyleList {
public:
    FBxStyleList(DUxStandardStyle* standard, const RSeMetaType* kind)
        : m_standard(standard), m_kind(kind) {}
    // Adds the style unless the list holds one of the same name already; nothing is reported.
    void Add(const RSeRef<FWxStyle>& style);
    std::vector<RSeRef<FWxStyle>> GetStyles() const;

private:
    DUxStandardStyle* m_standard;
    const RSeMetaType* m_kind;
};

class DUxStandardStyle : public FWxStyle {
public:
    DUxStandardStyle() = default;
    explicit DUxStandardStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    static DUxStandardStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);

    // The list of the style's kind.
    FBxStyleList GetStyleList(const RSeRef<FWxStyle>& style);

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxStandardStyle* target, RSeCloneCommander* cc) const;

private:
    friend class FBxStyleList;
    // Every kind's, in the order they were added.
    std::vector<RSeRef<FWxStyle>> m_styles;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxStandardStyle*);
RSeMetaType* _GetMeta(const DUxStandardStyle*);
} // namespace RSe
