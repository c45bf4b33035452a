#pragma once
// A general note: a free block of formatted text in a box on a sheet, without leader. Its input
// states hold everything it is (see the index constants); the note itself stores only its
// style-override flags. Its template's compute lays the text out in the box (at its natural
// size first, wrapped to the box afterwards), draws it and the box's eight hot points, and
// writes the box back when the text needs more height.
#include <cstdint>

#include "dl/DLxEmblem.h"
#include "du/DUxAddToLayerInterface.h"
#include "du/DUxObjectStyleInterface.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class BBox;
class DUxDisplayListState;
class DUxSymState;
class DUxTextStyle;
class FBxLayerStyle;
class RDxFragment;
class RDxInstance;
class RDxString;
class RDxTemplate;
class RSeCloneCommander;
class RSeMetaContext;
class RSeSegment;
class WqGePoint3d;

class DLxGeneralNote : public DLxEmblem,
                       public DUxObjectStyleInterface,
                       public DUxAddToLayerInterface {
public:
    static constexpr int32_t kObjectType = 0x7007D00;
    // Positions of the input states, in the template's argument order.
    enum EInput : uint32_t {
        kDisplayListInput = 0,
        kStringInput = 1,
        kMinCornerInput = 2,
        kMaxCornerInput = 3,
        kResizeInput = 4,
        kWhoAmIInput = 5,
        kSymStateInput = 6,
        kInputCount = 7
    };
    // Style-override flags: which values are the note's own rather than its text style's.
    static constexpr uint32_t kOwnWidthFactor = 0x01;
    static constexpr uint32_t kOwnLineSpacing = 0x02;
    static constexpr uint32_t kOwnColor = 0x04;
    static constexpr uint32_t kOwnVerticalJustification = 0x08;
    static constexpr uint32_t kOwnHorizontalJustification = 0x10;
    static constexpr uint32_t kOwnRotation = 0x20;
    static constexpr uint32_t kFixedWidth = 0x40; // the user set the box width
    static constexpr uint32_t kLayerColor = 0x80;
    // The string's marker while a resize keeps its location where the request put it.
    static constexpr int32_t kLocationFixedMarker = -999;
    // Error of a template compute without a string.
    static constexpr UTxResultCode kNoStringError = 0x200B0323;
    // Display-list ids: hot points 0 to 7 in GetHotPoints order, then the text.
    static constexpr int32_t kTextItemId = 8;
    // The resource string of the note's label and name key; the template's name and icon.
    static constexpr int32_t kLabelStringId = 8098;
    static constexpr int32_t kTemplateNameId = 5806;
    static constexpr int32_t kTemplateIconId = 6110;

    // A note in the fragment (added to it) with its seven inputs: an empty box at the origin,
    // resize state false, no overrides, on the text style and layer when given.
    DLxGeneralNote(RDxFragment* fragment, const RDxTemplate* tmpl,
                   const RSeRef<DUxTextStyle>& style, const RSeRef<FBxLayerStyle>& layer);
    explicit DLxGeneralNote(const RSeStream* s);
    // A deleted note takes its input states with it.
    ~DLxGeneralNote() override;
    RSeMetaType* GetMeta() const override;

    // Made in the fragment's segment.
    static DLxGeneralNote* Create(RDxFragment* fragment, const RSeRef<DUxTextStyle>& style,
                                  const RSeRef<FBxLayerStyle>& layer);
    // The note template, registered on first use; every note computes through it.
    static RDxTemplate* GetTemplate();
    // A new note template (the service factory's creation function).
    static RDxTemplate* CreateTemplate(RSeSegment* segment);
    static const UTxGUID& TemplateGuid();

    static const char* GetInternalName() { return "TextGeneralNote"; }
    int32_t GetObjectType() const { return kObjectType; }
    static const UTxString16& GetBrowserLabel();

    RDxString* GetStringData() const;
    DUxSymState* GetSymState() const;
    DUxDisplayListState* GetDisplayListState() const;
    const SMxDisplayList* GetSheetDisplayList() const override;

    // The box from the corner inputs (ordered); empty when an input is missing.
    void GetBBox(BBox& box) const;
    void SetBBox(const BBox& box);
    // The box as the note shows it: its corners turned by the text's rotation about the text's
    // location, squared to the sheet. The box itself for an unturned note.
    BBox GetShownBox() const;
    bool GetResizeState() const;
    void SetResizeState(bool on);

    // The text style the note follows: its own, else the drawing's for its standard.
    DUxTextStyle* GetTextStyle() const;
    void SetTextStyle(const RSeRef<DUxTextStyle>& style);
    FBxLayerStyle* GetLayer() const;

    uint32_t GetStyleOverrides() const { return m_overrides; }
    void SetStyleOverrides(uint32_t flags);
    // Keeps only the fixed-width flag.
    void ResetStyleOverrides();
    bool IsFixedWidth() const { return (m_overrides & kFixedWidth) != 0; }
    bool IsColorModified() const { return (m_overrides & kOwnColor) != 0; }

    // The override flags a text differs from its style by, its rotation being `angle`: a
    // colour of its own, line spacing other than single, a justification other than top left,
    // a rotation. A text style gives font and height only; its colour is the layer's.
    static uint32_t StyleDifferences(const RDxString& text, double angle);

    // Copies the source string (the note's own when null) into target: the text as it will be
    // laid out. Nothing without a target.
    void GetParsedStringData(RDxString* target, const RDxString* source = nullptr) const;

    // The eight hot points of a box, in order: minimum, left middle, top left, top middle,
    // maximum, right middle, bottom right, bottom middle; turned by `angle` about `centre`.
    static void GetHotPoints(const BBox& box, double angle, const WqGePoint3d& centre,
                             WqGePoint3d out[8]);
    // The point a name key names the note by, on the note's box as shown: unturned or under a
    // right-angle turn, the x of the turned minimum corner and the y of the turned maximum
    // one; at any other angle the turned minimum corner.
    WqGePoint3d GetKeyPoint() const;

    UTxResult Compute(RDxComputeContext& ctx) override;

    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    void AddToLayer(CleanUpDisposition disposition) override;

    void Load(RSeStream& s);
    // Versions 1 to 3.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxGeneralNote* target, RSeCloneCommander* cc) const;

private:
    friend UTxResult ComputeGeneralNoteGraphics(RDxInstance& instance, RDxComputeContext& ctx);
    template <class T> T* Input(EInput index) const;

    uint32_t m_overrides = 0;
    // Only while a version-2 note loads: the text style it stored itself, which goes onto its
    // symbol state. Never saved.
    RSeRef<DUxTextStyle> m_loadedStyle;
};

// The template's compute: lays the note's text out and draws it.
UTxResult ComputeGeneralNoteGraphics(RDxInstance& instance, RDxComputeContext& ctx);

namespace RSe {
RSeMetaType* _InitMeta(const DLxGeneralNote*);
RSeMetaType* _GetMeta(const DLxGeneralNote*);
} // namespace RSe
