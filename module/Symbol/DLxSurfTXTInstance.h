#pragma once
// A surface-texture symbol placed on a sheet: a placed symbol whose state is a DUxSurfTXTState
// and whose one leader runs from the textured surface to the symbol. The state draws it by the
// rules of its style's drafting standard.
#include <cstdint>
#include <optional>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxSurfTXTState;
class DUxSurfaceTextureStyle;
class FBxLayerStyle;
class FWxStyle;
class RDxFragment;

class DLxSurfTXTInstance : public DLxSymInstance {
public:
    static constexpr int32_t kObjectType = 0x0700AA00;

    DLxSurfTXTInstance(RDxFragment* fragment, DUxSurfTXTState* state);
    explicit DLxSurfTXTInstance(const RSeStream* s);
    ~DLxSurfTXTInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new symbol in the fragment with one leader through `points` (its end first, with an
    // arrowhead of `arrowType`), on the given style and layer when they are set; its forced
    // tail follows the style. The standard style is accepted for the host's sake (the style's
    // standard applies).
    static DLxSurfTXTInstance* CreateInstance(RDxFragment* fragment,
                                              std::vector<WqGePoint3d>& points,
                                              uint32_t arrowType,
                                              const RSeRef<DUxSurfaceTextureStyle>& style,
                                              const RSeRef<FBxLayerStyle>& layerStyle,
                                              const RSeRef<FWxStyle>& standardStyle);

    // Null when the symbol state is of another class.
    DUxSurfTXTState* GetSurfTXTState() const;
    int32_t GetObjectType() const { return kObjectType; }
    static const UTxString16& GetBrowserLabel();
    // The key point: the centre of the placed symbol (of its graphics while it has no box), a
    // point a pick finds it by.
    WqGePoint3d GetKeyPoint() const;

    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    WqGeVector3d GetAttachPointOffset(const BBox&) const override { return {0, -0.001, 0}; }
    bool SkipAlwaysHorizontalOverride() const override { return true; }
    // Leader 0's root, or where its tree attaches when it has more nodes.
    void GetAttachPointIfNoLeader(WqGePoint3d& p) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxSurfTXTInstance* target, RSeCloneCommander* cc) const;

private:
    mutable std::optional<DUxTextStyleWrapper> m_textStyle; // last answer of GetTextStyleWrapper
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSurfTXTInstance*);
RSeMetaType* _GetMeta(const DLxSurfTXTInstance*);
} // namespace RSe
