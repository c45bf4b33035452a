#pragma once
// Design views of a component: named ways the model shows it (its representations), each with
// the UFRx state that a model reference refers to. A document says which design views a
// component has (FWxSceneDoc::GetDesignViewNames); the accessor makes the design-view objects
// on first asking, in the transient segment (they are the model's, never the drawing's), and
// finds the same object again for the same component and name while the document lives.
//
// Record: component (reference), name (text); the state follows from the name.
#include <string>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "ufr/UFRxInstance.h"

class FWxSceneDoc;
class RDxComponent;
class RSeSegment;

class FWxDesignView : public RSeIDed {
public:
    FWxDesignView() = default;
    explicit FWxDesignView(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;
    static FWxDesignView* Create(RSeSegment* segment, RDxComponent* component,
                                 const std::u16string& name);

    const std::u16string& GetName() const { return m_state.Name(); }
    RDxComponent* GetComponent() const;
    // The state a reference refers to for this design view (client UFRx::DesignView); null
    // for a design view without a name.
    const UFRxState* GetUFRxState() const { return m_state.Name().empty() ? nullptr : &m_state; }
    // Ready for use in the document; nothing is loaded lazily here.
    void Initialize(FWxSceneDoc*) {}

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(FWxDesignView* target, RSeCloneCommander* cc) const;

private:
    RSeRefBase m_component;
    UFRxState m_state;
};

class FWxDesignViewAccessor {
public:
    explicit FWxDesignViewAccessor(FWxSceneDoc* doc) : m_doc(doc) {}
    // The design view of that name of the component; null when it has none such.
    RSeRef<FWxDesignView> GetDesignView(RDxComponent* component, const std::u16string& name);

private:
    FWxSceneDoc* m_doc;
};

namespace RSe {
RSeMetaType* _InitMeta(const FWxDesignView*);
RSeMetaType* _GetMeta(const FWxDesignView*);
} // namespace RSe
