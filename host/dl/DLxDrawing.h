#pragma once
// The settings of a drawing as a whole, stored with the document: one object in the drawing
// document's first segment.
#include "dc/RDxObject.h"
#include "utx/UTxString16.h"

class DLxDrawing : public RDxObject {
public:
    DLxDrawing() = default;
    explicit DLxDrawing(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    // The drafting standard the drawing follows, by name (ANSI, BSI, DIN, GB, ISO, JIS); empty
    // when none was chosen.
    const UTxString16& GetStandardName() const { return m_standard; }
    void SetStandardName(const UTxString16& name);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxDrawing* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_standard;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawing*);
RSeMetaType* _GetMeta(const DLxDrawing*);
} // namespace RSe
