#include "fw/FBxObjectNameKey.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "ge/WqGePoint3d.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeIDed.h"
#include "rse/RSeMetaType.h"

namespace {

struct Messages {
    Messages() {
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFBxErrNameKeyNone),
                             u"The object has no name key");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFBxErrNameKeyMalformed),
                             u"The object name key is malformed");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFBxErrNameKeyUnknownClass),
                             u"The object name key names an unknown class");
        UTx::RegisterMessage(kFWxLibrary, UTxResult::IdOf(kFBxErrNameKeyUnresolved),
                             u"The object name key names no object");
    }
} g_messages;

std::unordered_map<UTxString16, const FBxObjectNameKeyTranslator*>& Translators() {
    static std::unordered_map<UTxString16, const FBxObjectNameKeyTranslator*> table;
    return table;
}

const FBxObjectNameKeyTranslator* OwnTranslator(const UTxString16& className) {
    auto& t = Translators();
    auto it = t.find(className);
    return it == t.end() ? nullptr : it->second;
}

class IdTranslator : public FBxObjectNameKeyTranslator {
public:
    UTxResult GetKey(const RSeIDed& obj, UTxString16& rest) const override {
        const uint32_t id = obj.GetId();
        if (!id) return UTxResult(kFBxErrNameKeyNone, u"the object is in no database");
        rest = UTx::MakeWideString(std::to_string(id));
        return {};
    }
    UTxResult FindObject(const UTxString16& rest, RSeDatabase& db, FWxSceneDoc*,
                         RSeIDed*& out) const override {
        // Plain decimal only, so that one object has exactly one key text.
        uint64_t id = 0;
        bool ok = !rest.empty() && rest.size() <= 10 && rest[0] != u'0';
        for (char16_t c : rest) {
            if (c < u'0' || c > u'9') ok = false;
            if (ok) id = id * 10 + uint32_t(c - u'0');
        }
        if (!ok || id > UINT32_MAX) return UTxResult(kFBxErrNameKeyMalformed, u"bad object id");
        out = db.FindObject(uint32_t(id));
        return {};
    }
};

} // namespace

UTxString16 FBxObjectNameKey::GetClassName() const {
    const size_t hash = m_text.find(u'#');
    return hash == UTxString16::npos ? UTxString16() : m_text.substr(0, hash);
}

void FBxObjectNameKey::RegisterTranslator(const UTxString16& className,
                                          const FBxObjectNameKeyTranslator* translator) {
    if (translator)
        Translators()[className] = translator;
    else
        Translators().erase(className);
}

const FBxObjectNameKeyTranslator& FBxObjectNameKey::DefaultTranslator() {
    static const IdTranslator translator;
    return translator;
}

const FBxObjectNameKeyTranslator& FBxObjectNameKey::FindTranslator(const RSeMetaType* meta) {
    for (const RSeMetaType* mt = meta ? meta->GetClassMeta() : nullptr; mt; mt = mt->GetBase())
        if (const FBxObjectNameKeyTranslator* t = OwnTranslator(mt->GetClassMeta()->GetName()))
            return *t;
    return DefaultTranslator();
}

UTxResult FBxObjectNameKey::FromObject(const RSeIDed* obj, FBxObjectNameKey& out) {
    if (!obj) return UTxResult(kFBxErrNameKeyNone, u"no object");
    const RSeMetaType* meta = obj->GetMeta()->GetClassMeta();
    UTxString16 rest;
    UTxResult r = FindTranslator(meta).GetKey(*obj, rest);
    if (r.Failed()) return r;
    out = FBxObjectNameKey(meta->GetName() + u'#' + rest);
    return {};
}

UTxResult FBxObjectNameKey::FindObject(RSeDatabase& db, FWxSceneDoc* doc, RSeIDed*& out) const {
    out = nullptr;
    const size_t hash = m_text.find(u'#');
    if (hash == UTxString16::npos || hash == 0) return UTxResult(kFBxErrNameKeyMalformed, m_text);
    const UTxString16 className = m_text.substr(0, hash);
    const RSeMetaType* meta = RSeMetaType::Find(className);
    // A translator may serve a name that is no stored class; then it alone vouches for the kind.
    const FBxObjectNameKeyTranslator* translator = OwnTranslator(className);
    // A translator registered under the name vouches for what it finds, even where the name is
    // also that of a stored class of another kind (an older class whose objects became those of
    // a newer one keep their keys).
    const bool vouched = translator != nullptr;
    if (!translator) {
        if (!meta || !meta->IsIDed()) return UTxResult(kFBxErrNameKeyUnknownClass, className);
        translator = &FindTranslator(meta);
    }
    RSeIDed* found = nullptr;
    UTxResult r = translator->FindObject(m_text.substr(hash + 1), db, doc, found);
    if (r.Failed()) {
        UTxString16 detail = m_text;
        if (!r.GetDetail().empty()) detail += u": " + r.GetDetail();
        return r.SetDetail(std::move(detail));
    }
    if (!found) return UTxResult(kFBxErrNameKeyUnresolved, m_text);
    if (meta && !vouched && !found->GetMeta()->IsKindOf(meta))
        return UTxResult(kFBxErrNameKeyUnresolved,
                         m_text + u": the object is a " + found->GetMeta()->GetName());
    out = found;
    return {};
}

namespace {
// Shortest text that reads back to the same double.
std::string Number(double v) {
    char buf[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, v);
        if (std::strtod(buf, nullptr) == v) break;
    }
    return buf;
}
} // namespace

UTxString16 FBxObjectNameKey::PointRest(const WqGePoint3d& p, uint32_t id) {
    std::string text = Number(p.x) + "," + Number(p.y);
    if (id) text += "#" + std::to_string(id);
    return UTx::MakeWideString(text);
}

UTxResult FBxObjectNameKey::ReadPointRest(const UTxString16& rest, WqGePoint3d& out,
                                          uint32_t* id) {
    std::string text = UTx::ToUtf8(rest);
    uint64_t n = 0;
    if (const size_t hash = text.find('#'); hash != std::string::npos) {
        // Plain decimal, so that one object has exactly one key text.
        const std::string digits = text.substr(hash + 1);
        bool ok = id && !digits.empty() && digits.size() <= 10 && digits[0] != '0';
        for (char c : digits) {
            if (c < '0' || c > '9') ok = false;
            if (ok) n = n * 10 + uint64_t(c - '0');
        }
        if (!ok || n > UINT32_MAX)
            return UTxResult(kFBxErrNameKeyMalformed, u"not a point x,y: " + rest);
        text.resize(hash);
    }
    const size_t comma = text.find(',');
    char* end = nullptr;
    const double x = std::strtod(text.c_str(), &end);
    const bool xOk = comma != std::string::npos && end == text.c_str() + comma;
    const double y = xOk ? std::strtod(text.c_str() + comma + 1, &end) : 0.0;
    if (!xOk || *end != '\0' || comma + 1 == text.size())
        return UTxResult(kFBxErrNameKeyMalformed, u"not a point x,y: " + rest);
    out = WqGePoint3d(x, y, 0);
    if (id) *id = uint32_t(n);
    return {};
}
