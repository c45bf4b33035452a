#pragma once
// A named text style of the document: the font and height that table texts take. The drawing
// keeps text styles with its other styles (FWxSceneDoc::FindStyle finds one by name); a table
// style copies the look of the one it is given rather than referring to it.
#include <cstdint>

#include "fw/FWxStyle.h"
#include "utx/UTxString16.h"

class DUxTextStyle : public FWxStyle {
public:
    DUxTextStyle() = default;
    explicit DUxTextStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;
    // A new style of that name in the segment (the transient one for null).
    static DUxTextStyle* CreateStyle(RSeSegment* segment, const UTxString16& name);
    // The name of the documents' collection of text styles: "TextStyles".
    static const UTxString16& GetInternalStylesCollectionNameStatic();

    // Setters change nothing and record nothing when the value is the same.
    int32_t GetFontId() const { return m_fontId; }
    void SetFontId(int32_t id);
    double GetHeight() const { return m_height; }
    void SetHeight(double height);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxTextStyle* target, RSeCloneCommander* cc) const;

private:
    int32_t m_fontId = 0;
    double m_height = 3.5;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxTextStyle*);
RSeMetaType* _GetMeta(const DUxTextStyle*);
} // namespace RSe
