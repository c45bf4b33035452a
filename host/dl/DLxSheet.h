#pragma once
// A drawing sheet: a fragment that owns the views and annotations placed on it. Each sheet is the
// root object of a segment of its own.
#include <vector>

#include "dc/RDxFragment.h"
#include "utx/UTxString16.h"

class BBox;
class DLxViewInstance;

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
    // The frame every sheet of this host draws, from its size alone (nothing stored): the
    // border 10 inside the sheet's edges (none on a sheet of 20 or less across), and the title
    // block, 180 by 56, in the border's bottom-right corner (no larger than the border).
    BBox GetBorder() const;
    BBox GetTitleBlock() const;

    // A new view, a node of this sheet; null when the name is empty or taken on this sheet.
    DLxViewInstance* CreateView(const UTxString16& name);
    // The views in the order they joined the sheet.
    std::vector<DLxViewInstance*> GetViews() const;
    DLxViewInstance* FindView(const UTxString16& name) const;

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
