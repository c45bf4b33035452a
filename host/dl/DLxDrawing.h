#pragma once
// The settings of a drawing as a whole, stored with the document: one object in the drawing
// document's first segment.
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class FWxStyle;
class RSeIDed;

class DLxDrawing : public RDxObject {
public:
    DLxDrawing() = default;
    explicit DLxDrawing(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The drafting standard the drawing follows, by name (ANSI, BSI, DIN, GB, ISO, JIS); empty
    // when none was chosen.
    const UTxString16& GetStandardName() const { return m_standard; }
    void SetStandardName(const UTxString16& name);

    // The document's styles, which annotations refer to. A style's name is unique among the
    // styles of its class: AddStyle refuses (false) null, a style held already, or a name that
    // a style of the same class has.
    const std::vector<RSeRef<FWxStyle>>& GetStyles() const { return m_styles; }
    bool AddStyle(FWxStyle* style);
    // The style of that class (or a class derived from it) and name; null when there is none.
    FWxStyle* FindStyle(const RSeMetaType* meta, const UTxString16& name) const;

    // Whether annotations that lost their geometry are shown in the sick colour and with
    // markers at their lost anchors (on by default).
    bool GetShowSickHighlight() const { return m_showSickHighlight; }
    void SetShowSickHighlight(bool on);
    // Preserve-annotation mode (0 off, the default): annotations whose geometry is gone for
    // good are kept and shown as sick instead of being left undrawn.
    int32_t GetPreserveAnnotationMode() const { return m_preserveAnnotations; }
    void SetPreserveAnnotationMode(int32_t mode);

    // Annotations whose rows or contents were read again from the model since the owner of the
    // drawing last asked (TakeUpdatedAnnotations), in the order they were first reported. Not
    // stored: it tells the session what changed, not the document.
    void SetAnnotationUpdated(RSeIDed* annotation);
    bool IsAnnotationUpdated(const RSeIDed* annotation) const;
    std::vector<RSeRefBase> TakeUpdatedAnnotations();
    // An annotation is going: the drawing's bills of materials forget it (with its update
    // state) and it is no longer reported as updated.
    void ProcessAnnotationDelete(RSeIDed* annotation);

    // Version 1 added the sick highlighting and the preserve-annotation mode; a drawing stored
    // at version 0 takes their defaults.
    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxDrawing* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_standard;
    std::vector<RSeRef<FWxStyle>> m_styles;
    bool m_showSickHighlight = true;
    int32_t m_preserveAnnotations = 0;
    std::vector<RSeRefBase> m_updatedAnnotations; // not stored
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawing*);
RSeMetaType* _GetMeta(const DLxDrawing*);
} // namespace RSe
