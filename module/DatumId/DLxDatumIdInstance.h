#pragma once
// A datum identifier placed on a sheet: the framed letter that names a datum feature, joined
// to the feature by a leader that ends in a datum triangle. The same class serves as a feature
// identifier (the framed text that names a feature); the state's flag tells the two apart.
// Its state is a DUxDatumIdState; its look, and whether it lands and stays horizontal, follow
// the identifier style at every compute.
#include <cstdint>
#include <optional>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxDatumIdState;
class DUxIdStyle;
class DUxStandardStyle;
class FBxLayerStyle;
class RDxString;

class DLxDatumIdInstance : public DLxSymInstance {
public:
    DLxDatumIdInstance(RDxFragment* fragment, DUxDatumIdState* state);
    explicit DLxDatumIdInstance(const RSeStream* s);
    ~DLxDatumIdInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new identifier in the fragment with `text` as a new string in the identifier style's
    // font, centred.
    static DLxDatumIdInstance* CreateInstance(RDxFragment* fragment, const UTxString16& text,
                                              std::vector<WqGePoint3d>& points,
                                              const WqGePoint3d& landingPoint, uint32_t arrowId,
                                              bool feature, const DUxIdStyle* style,
                                              const FBxLayerStyle* layer);
    // A new identifier over an existing string, which becomes the state's; everything is made
    // in the string's segment and fragment. The leader runs from its end (the first point)
    // through the others to its root. Null, making nothing, without a string or a fragment.
    static DLxDatumIdInstance* CreateFromString(RDxString* text, std::vector<WqGePoint3d>& points,
                                                const WqGePoint3d& landingPoint, uint32_t arrowId,
                                                bool feature, const DUxIdStyle* style,
                                                const FBxLayerStyle* layer,
                                                const DUxStandardStyle* standard);

    // A new string in the fragment (a copy of `copyOf` when given); null without a fragment.
    static RDxString* NewString(RDxFragment* fragment, const RDxString* copyOf = nullptr);

    DUxDatumIdState* GetDatumIdState() const;
    // The state's identifier string; null without a state.
    RDxString* GetSymbolString() const;
    // Copies the text into the state's string; nothing without a state.
    void SetValue(const RDxString* text);
    RDxString* GetTextItem(int32_t) const { return GetSymbolString(); }
    void SetTextItem(int32_t, const RDxString* text) { SetValue(text); }

    // "Feature Identifier" or "Datum Identifier", each loaded once.
    const UTxString16& GetBrowserLabel() const;
    // The key point: the centre of the placed frame (of its graphics when the state has no
    // box).
    WqGePoint3d GetKeyPoint() const;
    // The arrowhead service the identifier style gives the leader's end; a new identifier made
    // with arrowhead 0 (no service) takes it.
    uint32_t GetOptionalTerminator() const;

    // Keeps the leader's feature flag and the landing in step with the state and the style.
    UTxResult Compute(RDxComputeContext& ctx) override;
    // The text's colour where it departs from its text style: its own colour, or (when only
    // whether it follows its layer differs) the by-layer flag and the layer's colour. Leaves
    // the outputs as they are when the text is drawn as its style says.
    void GetTextColor(bool& ownColor, SMxColor& color, bool& byLayerSet,
                      bool& byLayer) const override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    // The box of both drawn lists (frame and text) once the identifier is born (birthday 1).
    BBox GetGraphicsBoundingBox(const SMxDisplayList* first,
                                const SMxDisplayList* second) const override;
    // The frame meets its leader's root with the middle of the side the leader comes from.
    WqGeVector3d GetAttachPointOffset(const BBox& box) const override;
    // The string goes with the state it belongs to.
    void DeleteAndVacuumClean() override;

private:
    // Last answer of the text-style getter, which hands out a pointer.
    mutable std::optional<DUxTextStyleWrapper> m_textStyle;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDatumIdInstance*);
RSeMetaType* _GetMeta(const DLxDatumIdInstance*);
} // namespace RSe
