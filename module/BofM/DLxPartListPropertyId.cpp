#include "BofM/DLxPartListPropertyId.h"

#include <type_traits>
#include <utility>

#include "BofM/DLxComponentProperty.h"
#include "BofM/DLxComponentPropertyDT.h"
#include "BofM/DLxComponentPropertyPartList.h"
#include "BofM/DLxPartListProperty.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxTDXUtil.h"
#include "rse/RSe.h"
#include "uc/UCxDTUtil.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
using Id = DLxPartListPropertyId;

// The value kind of each property type, on the component's proxy.
DLxComponentProperty* MakeValue(Id::PropertyType type, int32_t generalId,
                                const UTxString16& customId, const RSeRef<RSeIDed>& component,
                                RSeSegment* segment, bool transparent) {
    const RSeRef<DLxComponentProxy> proxy(component);
    if (!segment) segment = RSe::TransientSegment();
    auto make = [segment]<class T, class... A>(std::type_identity<T>, A&&... a) -> T* {
        return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment)
            T(std::forward<A>(a)...);
    };
    switch (type) {
    case Id::eGeneral:
        if (transparent)
            return make(std::type_identity<DLxComponentPropertyGeneralDTTransparent>(), generalId,
                        proxy);
        return make(std::type_identity<DLxComponentPropertyGeneralDT>(), generalId, proxy);
    case Id::eCustom:
        if (transparent)
            return make(std::type_identity<DLxComponentPropertyStringDTTransparent>(), customId,
                        proxy);
        return make(std::type_identity<DLxComponentPropertyStringDT>(), customId, proxy);
    case Id::eItemNumber:
        return make(std::type_identity<DLxComponentPropertyPartListItem>(), proxy);
    case Id::eQuantity:
        return make(std::type_identity<DLxComponentPropertyPartListQuantity>(), proxy);
    case Id::ePartName:
        return make(std::type_identity<DLxComponentPropertyPartListPartName>(), proxy);
    case Id::eMass:
        return make(std::type_identity<DLxComponentPropertyPartListPartMass>(), proxy);
    case Id::eMaterial:
        return make(std::type_identity<DLxComponentPropertyPartListPartMaterial>(), proxy);
    default:
        return nullptr;
    }
}

DLxPartListPropertyId::ValueMaker g_valueMaker = &MakeValue;

// Display-name resources of types 3 to 11.
constexpr uint32_t kPartListNameIds[] = {7671, 7668, 7670, 7674, 7676, 2802, 2794, 2795, 2798};

UTxString16 LoadName(uint32_t id) {
    if (!id) return {};
    HMODULE res = KorvuGetResourceHandle();
    if (!res) return {};
    auto text = FindStringResource(res, id);
    return text ? UTxString16(*text) : UTxString16();
}

RSeMetaType* Meta() {
    return RSe::_GetMeta(static_cast<const DLxPartListPropertyId*>(nullptr));
}
} // namespace

DLxPartListPropertyId::DLxPartListPropertyId(PropertyType type, int32_t generalId)
    : m_type(type), m_generalId(generalId) {}

DLxPartListPropertyId::DLxPartListPropertyId(const UTxString16& customName)
    : m_type(eCustom), m_generalId(-1), m_customId(customName) {}

DLxPartListPropertyId::DLxPartListPropertyId(PropertyType type, int32_t generalId,
                                             const UTxString16& customId)
    : m_type(type), m_generalId(generalId), m_customId(customId) {}

DLxPartListPropertyId::DLxPartListPropertyId(const RSeRef<DLxPartListPropertyId>& other) {
    if (const DLxPartListPropertyId* o = other.Read()) {
        m_type = o->m_type;
        m_generalId = o->m_generalId;
        m_customId = o->m_customId;
    }
}

DLxPartListPropertyId* DLxPartListPropertyId::New(RSeSegment* segment, PropertyType type,
                                                  int32_t generalId, const UTxString16& customId) {
    return new (Meta(), segment ? segment : RSe::TransientSegment())
        DLxPartListPropertyId(type, generalId, customId);
}

DLxPartListPropertyId* DLxPartListPropertyId::Copy(RSeSegment* segment,
                                                   const DLxPartListPropertyId& other) {
    return New(segment, other.m_type, other.m_generalId, other.m_customId);
}

bool DLxPartListPropertyId::IsSameProperty(const DLxPartListPropertyId& other) const {
    switch (m_type) {
    case eGeneral:
        return m_generalId == other.m_generalId;
    case eCustom:
        return m_customId == other.m_customId;
    case eItemNumber:
    case eQuantity:
    case ePartName:
    case eMass:
    case eMaterial:
        return other.m_type == m_type;
    default:
        return false;
    }
}

UTxString16 DLxPartListPropertyId::GetDisplayName() const {
    if (m_type == eGeneral) return LoadName(UCxDTUtil::GetResID(m_generalId, 0));
    if (m_type == eCustom) return m_customId;
    if (m_type >= eItemNumber && m_type <= ePartListProperty9)
        return LoadName(kPartListNameIds[m_type - eItemNumber]);
    return {};
}

void DLxPartListPropertyId::SetValueMaker(ValueMaker maker) {
    g_valueMaker = maker ? maker : &MakeValue;
}

RSeRef<DLxPartListProperty>
DLxPartListPropertyId::CreateComponentProperty(const RSeRef<RSeIDed>& component,
                                               RSeSegment* segment, bool transparent) const {
    const bool noValue = (m_type == eGeneral && (m_generalId == 38 || m_generalId == 39)) ||
                         m_type < eGeneral || m_type > eMaterial;
    DLxComponentProperty* value = nullptr;
    DLxPartListPropertyId* id = nullptr;
    if (!noValue) {
        if (g_valueMaker)
            value = g_valueMaker(m_type, m_generalId, m_customId, component, segment, transparent);
        if (m_type == eGeneral)
            id = New(segment, eGeneral, m_generalId);
        else if (m_type == eCustom)
            id = New(segment, eCustom, -1, m_customId);
        else
            id = New(segment, m_type, -1);
    }
    return RSeRef<DLxPartListProperty>(DLxPartListProperty::New(
        segment, RSeRef<DLxComponentProperty>(value), RSeRef<DLxPartListPropertyId>(id)));
}

namespace DLxTDXUtil {
UTxResult Transcript(UCxTranscriptDataExchange& tdx, const char16_t* key,
                     RSeRef<DLxPartListPropertyId>& value, bool) {
    const UTxString16 prefix(key ? key : u"");
    int32_t type = 0;
    int32_t generalId = -1;
    UTxString16 customId;
    if (tdx.IsWriting()) {
        if (const DLxPartListPropertyId* id = value.Read()) {
            type = id->GetType();
            generalId = id->GetGeneralId();
            customId = id->GetCustomId();
        }
    }
    _TDX_Int(tdx, (prefix + u"PropertyType").c_str(), type, true);
    _TDX_Int(tdx, (prefix + u"GeneralPropId").c_str(), generalId, true);
    _TDX_String(tdx, (prefix + u"CustomPropId").c_str(), customId, true);
    if (tdx.IsReading() && !tdx.HasFailed())
        value = DLxPartListPropertyId::New(nullptr, DLxPartListPropertyId::PropertyType(type),
                                           generalId, customId);
    return tdx.GetResult();
}
} // namespace DLxTDXUtil
