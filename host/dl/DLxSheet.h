#pragma once
// A drawing sheet: a fragment that owns the views and annotations placed on it. Each sheet is the
// root object of a segment of its own.
#include "dc/RDxFragment.h"
#include "utx/UTxString16.h"

class DLxSheet : public RDxFragment {
public:
    DLxSheet() = default;
    explicit DLxSheet(const RSeStream* s) : RDxFragment(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetName() const { return m_name; }
    void SetName(const UTxString16& name);
    double GetWidth() const { return m_width; }
    double GetHeight() const { return m_height; }
    void SetSize(double width, double height);

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxSheet* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_name;
    double m_width = 0;
    double m_height = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxSheet*);
RSeMetaType* _GetMeta(const DLxSheet*);
} // namespace RSe
