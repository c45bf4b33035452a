#include "dl/DLxComponentDocument.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxComponentProxy.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxTagManager.h"
#include "fw/FWxDocUtil.h"
#include "rd/RDxComponent.h"

namespace {

enum GeneralId : int32_t {
    kTitle = 1,
    kPartNumber = 5,
    kVendor = 14,
    kMass = 20,
    kDescription = 29,
    kComponentType = 38,
    kDocumentPath = 39,
};

// General ids kept as user properties, named as the user sees them.
const char16_t* UserNameOf(int32_t generalId) {
    switch (generalId) {
    case 2:
        return u"Subject";
    case 3:
        return u"Author";
    case 4:
        return u"Keywords";
    case 6:
        return u"Revision Number";
    case 7:
        return u"Project";
    case 8:
        return u"Designer";
    case 9:
        return u"Engineer";
    case 15:
        return u"Stock Number";
    default:
        return nullptr;
    }
}

std::u16string Widen(const char* s) {
    std::u16string out;
    for (; *s; ++s)
        out.push_back(char16_t(static_cast<unsigned char>(*s)));
    return out;
}

// The text as plain ASCII, or empty when it holds anything else (then it is no number).
std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c == 0 || c > 0x7F) return {};
        out.push_back(char(c));
    }
    return out;
}

bool ReadsAsInteger(const std::string& s, long long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    v = std::strtoll(s.c_str(), &end, 10);
    return errno == 0 && *end == 0 && v >= INT32_MIN && v <= INT32_MAX;
}

bool ReadsAsReal(const std::string& s, double& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return *end == 0;
}

const DLxAssemblyComponent* Find(const DLxAssemblyData* model, int32_t id) {
    if (!model) return nullptr;
    for (const DLxAssemblyComponent& c : model->components)
        if (c.id == id) return &c;
    return nullptr;
}

DLxAssemblyComponent* Find(DLxAssemblyData& model, int32_t id) {
    for (DLxAssemblyComponent& c : model.components)
        if (c.id == id) return &c;
    return nullptr;
}

const std::u16string* UserValue(const DLxAssemblyComponent& c, const std::u16string& name) {
    for (const DLxAssemblyProperty& p : c.userProperties)
        if (p.name == name) return &p.value;
    return nullptr;
}

void SetUserValue(DLxAssemblyComponent& c, const std::u16string& name, const std::u16string& text) {
    for (DLxAssemblyProperty& p : c.userProperties)
        if (p.name == name) {
            p.value = text;
            return;
        }
    c.userProperties.push_back({name, text});
}

int32_t TypeOfText(const std::u16string& text) {
    const std::string s = Narrow(text);
    long long i = 0;
    double d = 0;
    if (ReadsAsInteger(s, i)) return 2;
    if (ReadsAsReal(s, d)) return 3;
    return 1;
}

std::u16string Format(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return Widen(buf);
}

} // namespace

DLxComponentDocument::DLxComponentDocument(DLxDrawingDoc* doc, const DLxAssemblyData* model,
                                           int32_t id)
    : m_doc(doc), m_model(model), m_id(id) {}

DLxComponentDocument DLxComponentDocument::Of(const RDxComponent* component) {
    if (!component) return {};
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(component));
    if (!doc || !Find(doc->GetAssembly(), component->GetComponentId())) return {};
    return DLxComponentDocument(doc, doc->GetAssembly(), component->GetComponentId());
}

DLxComponentDocument DLxComponentDocument::Of(const DLxComponentProxy* proxy) {
    const DLxAssemblyComponent* c = proxy ? proxy->getTargetDocument() : nullptr;
    if (!c) return {};
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(proxy));
    // The drawing's own assembly when it has the component, so that writes reach it; else
    // the model the proxy's bill lists, read only.
    if (doc && Find(doc->GetAssembly(), c->id))
        return DLxComponentDocument(doc, doc->GetAssembly(), c->id);
    DLxTagManager* tm = proxy->GetTagManager();
    DLxLocalBOM* bom = tm ? tm->GetLocalBOM() : nullptr;
    return bom ? DLxComponentDocument(nullptr, bom->GetAssembly(), c->id) : DLxComponentDocument();
}

const DLxAssemblyComponent* DLxComponentDocument::Component() const {
    return Find(m_model, m_id);
}

template <class F> bool DLxComponentDocument::Write(F change) {
    if (!m_doc || !m_doc->GetAssembly() || m_model != m_doc->GetAssembly()) return false;
    DLxAssemblyData copy = *m_doc->GetAssembly();
    DLxAssemblyComponent* c = Find(copy, m_id);
    if (!c || !change(*c)) return false;
    if (copy == *m_doc->GetAssembly()) return true;
    return m_doc->SetAssembly(copy); // the drawing's bills follow it
}

std::u16string DLxComponentDocument::GetMassText() const {
    const DLxAssemblyComponent* c = Component();
    return c && c->hasMass ? Format("%g", c->mass) : std::u16string();
}

std::u16string DLxComponentDocument::GetValueString(int32_t generalId) const {
    const DLxAssemblyComponent* c = Component();
    if (!c) return {};
    switch (generalId) {
    case kTitle:
        return c->name;
    case kPartNumber:
        return c->partNumber;
    case kVendor:
        return c->vendor;
    case kMass:
        return GetMassText();
    case kDescription:
        return c->description;
    case kComponentType:
        return c->kind == DLxAssemblyComponent::Kind::Assembly ? u"Assembly" : u"Part";
    case kDocumentPath:
        return c->path;
    default:
        break;
    }
    const char16_t* name = UserNameOf(generalId);
    const std::u16string* v = name ? UserValue(*c, name) : nullptr;
    return v ? *v : std::u16string();
}

int32_t DLxComponentDocument::GetValueType(int32_t generalId) const {
    return generalId == kMass ? 3 : 1;
}

bool DLxComponentDocument::SetValueString(int32_t generalId, const std::u16string& text) {
    return Write([&](DLxAssemblyComponent& c) {
        switch (generalId) {
        case kTitle:
            c.name = text;
            return true;
        case kPartNumber:
            c.partNumber = text;
            return true;
        case kVendor:
            c.vendor = text;
            return true;
        case kDescription:
            c.description = text;
            return true;
        case kMass: {
            double v = 0;
            if (text.empty()) {
                c.hasMass = false;
                c.mass = 0;
                return true;
            }
            if (!ReadsAsReal(Narrow(text), v) || v < 0) return false;
            c.hasMass = true;
            c.mass = v;
            return true;
        }
        default:
            break;
        }
        const char16_t* name = UserNameOf(generalId);
        if (!name) return false;
        SetUserValue(c, name, text);
        return true;
    });
}

std::u16string DLxComponentDocument::GetValueStringS(const std::u16string& name) const {
    const DLxAssemblyComponent* c = Component();
    const std::u16string* v = c ? UserValue(*c, name) : nullptr;
    return v ? *v : std::u16string();
}

int32_t DLxComponentDocument::GetValueTypeS(const std::u16string& name) const {
    return TypeOfText(GetValueStringS(name));
}

bool DLxComponentDocument::SetStringValueS(const std::u16string& name, const std::u16string& text) {
    if (name.empty()) return false;
    return Write([&](DLxAssemblyComponent& c) {
        SetUserValue(c, name, text);
        return true;
    });
}

int32_t DLxComponentDocument::GetIntValueS(const std::u16string& name) const {
    const std::string s = Narrow(GetValueStringS(name));
    long long i = 0;
    double d = 0;
    if (ReadsAsInteger(s, i)) return int32_t(i);
    // A real reads as its whole part, within range.
    if (ReadsAsReal(s, d) && d > double(INT32_MIN) - 1 && d < double(INT32_MAX) + 1)
        return int32_t(d);
    return 0;
}

bool DLxComponentDocument::SetIntValueS(const std::u16string& name, int32_t value) {
    return SetStringValueS(name, Widen(std::to_string(value).c_str()));
}

double DLxComponentDocument::GetDoubleValueS(const std::u16string& name) const {
    double d = 0;
    return ReadsAsReal(Narrow(GetValueStringS(name)), d) ? d : 0.0;
}

bool DLxComponentDocument::SetDoubleValueS(const std::u16string& name, double value) {
    // Written so that it reads back bit for bit.
    return SetStringValueS(name, Format("%.17g", value));
}
