#pragma once
// A layer: a document style that shows or hides what is on it and gives its colour to what is
// drawn by layer. Annotations keep the layer they are on with their state
// (DUxStyleUtil::SetLayerStyle) and answer it through their object style wrapper.
#include "fw/FWxStyle.h"
#include "sm/SMxColor.h"

class FBxLayerStyle : public FWxStyle {
public:
    FBxLayerStyle() = default;
    explicit FBxLayerStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;

    SMxColor Color() const { return m_color; }
    void SetColor(const SMxColor& color);
    bool GetVisible() const { return m_visible; }
    void SetVisible(bool visible);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(FBxLayerStyle* target, RSeCloneCommander* cc) const;

private:
    SMxColor m_color;
    bool m_visible = true;
};

namespace RSe {
RSeMetaType* _InitMeta(const FBxLayerStyle*);
RSeMetaType* _GetMeta(const FBxLayerStyle*);
} // namespace RSe
