#include "fw/FWxDesignView.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "fw/FWxSceneDoc.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

FWxDesignView* FWxDesignView::Create(RSeSegment* segment, RDxComponent* component,
                                     const std::u16string& name) {
    auto* view = new (RSe::_GetMeta(static_cast<const FWxDesignView*>(nullptr)),
                      segment ? segment : RSe::TransientSegment()) FWxDesignView();
    view->m_component.SetTarget(component);
    view->m_state = UFRxState(UFRx::DesignView, name);
    return view;
}

RDxComponent* FWxDesignView::GetComponent() const {
    return dynamic_cast<RDxComponent*>(m_component.GetTarget());
}

namespace {
// The design views made for one document, by component and name.
class DesignViews : public FWxDocData {
public:
    ~DesignViews() override {
        for (auto& [key, ref] : views)
            if (FWxDesignView* v = ref.get()) RSe::DeleteObject(v);
    }
    std::map<std::pair<uint32_t, std::u16string>, RSeRef<FWxDesignView>> views;
};
const char s_key = 0;
} // namespace

RSeRef<FWxDesignView> FWxDesignViewAccessor::GetDesignView(RDxComponent* component,
                                                           const std::u16string& name) {
    if (!m_doc || !component || name.empty()) return {};
    const std::vector<std::u16string> names = m_doc->GetDesignViewNames(component);
    if (std::find(names.begin(), names.end(), name) == names.end()) return {};
    auto& data = static_cast<DesignViews&>(m_doc->GetData(
        &s_key, [](FWxSceneDoc*) { return std::unique_ptr<FWxDocData>(new DesignViews); }));
    RSeRef<FWxDesignView>& ref = data.views[{component->GetId(), name}];
    if (!ref) ref = RSeRef<FWxDesignView>(FWxDesignView::Create(nullptr, component, name));
    return ref;
}

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0d02, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const FWxDesignView*) {
    static RSeMetaType* mt =
        RSeMakeMeta<FWxDesignView>(u"FWxDesignView", &InitGuid, 0, RSeMetaType::kClass,
                                   RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const FWxDesignView* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const FWxDesignView*>(nullptr));

RSeMetaType* FWxDesignView::GetMeta() const {
    return RSe::_GetMeta(this);
}

void FWxDesignView::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_component);
    std::u16string name;
    s.Read(name);
    m_state = UFRxState(UFRx::DesignView, std::move(name));
}

void FWxDesignView::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_component);
    s.Write(m_state.Name());
}

void FWxDesignView::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    m_component.FixAddress(ctx);
}

UTxResult FWxDesignView::Clone(FWxDesignView* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    cc->CloneRef(m_component, target->m_component);
    target->m_state = m_state;
    return {};
}
