#pragma once
// Base of everything placed on a sheet that draws itself: an instance whose compute fills the
// display list that the sheet is drawn from. The list is derived, so it is not stored; a
// loaded or restored emblem draws again when it computes.
#include <memory>

#include "du/DUxEmblem.h"

class BBox;
class SMxDisplayList;
class WqGePoint3d;

class DLxEmblem : public DUxEmblem {
public:
    DLxEmblem();
    explicit DLxEmblem(const RSeStream* s);
    ~DLxEmblem() override;
    RSeMetaType* GetMeta() const override;

    // What the emblem drew last; empty before its first compute.
    const SMxDisplayList& GetDisplayList() const { return *m_list; }
    SMxDisplayList& GetDisplayList() { return *m_list; }
    // What a sheet shows of the emblem: its own list, or (for kinds that keep their drawing
    // elsewhere) theirs; null when there is nothing.
    virtual const SMxDisplayList* GetSheetDisplayList() const { return m_list.get(); }
    // Whether a pick at `point` (on the sheet) hits the emblem: within `tol` of the box of
    // what it shows. Kinds with a body of their own answer for that body.
    virtual bool HitTest(const WqGePoint3d& point, double tol) const;

protected:
    // Whether the box holds the point in x and y, within `tol`; an empty box holds nothing.
    static bool BoxHolds(const BBox& box, const WqGePoint3d& point, double tol);

private:
    std::unique_ptr<SMxDisplayList> m_list;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxEmblem*);
RSeMetaType* _GetMeta(const DLxEmblem*);
} // namespace RSe
