#pragma once
// The host's annotation chain: an annotation instance is a template instance that annotates a
// drawing; an emblem is one that draws on a sheet and can be clipped against and clip others.
// Neither stores anything of its own.
#include <vector>

#include "dc/RDxInstance.h"

class DUxArrowHeadBox;

class DUxAnnotationInstance : public RDxInstance {
public:
    DUxAnnotationInstance() = default;
    explicit DUxAnnotationInstance(const RSeStream* s) : RDxInstance(s) {}
    RSeMetaType* GetMeta() const override;
};

class DUxEmblem : public DUxAnnotationInstance {
public:
    DUxEmblem() = default;
    explicit DUxEmblem(const RSeStream* s) : DUxAnnotationInstance(s) {}
    RSeMetaType* GetMeta() const override;

    // Appends the outlines other graphics are clipped against; none by default.
    virtual void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes);
    virtual void CleanupArrowHeadExtLines() {}
    virtual int32_t GetNumberOfBoxes() const { return 1; }
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxAnnotationInstance*);
RSeMetaType* _GetMeta(const DUxAnnotationInstance*);
RSeMetaType* _InitMeta(const DUxEmblem*);
RSeMetaType* _GetMeta(const DUxEmblem*);
} // namespace RSe
