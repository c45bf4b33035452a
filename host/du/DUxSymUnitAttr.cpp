#include "du/DUxSymUnitAttr.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSeTransaction.h"

void DUxSymUnitAttr::SetFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_primUnit = 1;
    m_primMarker = 0;
    m_primUnitStr = false;
    m_primLead = false;
    m_primTrail = false;
    m_displayType = 0;
    m_altDisplay = false;
    m_altUnit = 2;
    m_altMarker = 0;
    m_altUnitStr = false;
    m_altLead = false;
    m_altTrail = false;
    m_altPrecision = 3;
}

void DUxSymUnitAttr::SetPrimUnitType(int32_t v) {
    if (m_primUnit == v) return;
    RSe::PrepareWrite(this);
    m_primUnit = v;
}

void DUxSymUnitAttr::SetAltPrecision(int32_t v) {
    if (m_altPrecision == v) return;
    RSe::PrepareWrite(this);
    m_altPrecision = v;
}

int32_t DUxSymUnitAttr::GetField(DUxUnitField f) const {
    switch (f) {
    case DUxUnitField::PrimUnitType:
        return m_primUnit;
    case DUxUnitField::PrimDecimalMarker:
        return m_primMarker;
    case DUxUnitField::DisplayPrimUnitStr:
        return m_primUnitStr;
    case DUxUnitField::PrimSuppressLeadZero:
        return m_primLead;
    case DUxUnitField::PrimSuppressTrailZero:
        return m_primTrail;
    case DUxUnitField::DisplayType:
        return m_displayType;
    case DUxUnitField::DisplayAltUnit:
        return m_altDisplay;
    case DUxUnitField::AltUnitType:
        return m_altUnit;
    case DUxUnitField::AltDecimalMarker:
        return m_altMarker;
    case DUxUnitField::DisplayAltUnitStr:
        return m_altUnitStr;
    case DUxUnitField::AltSuppressLeadZero:
        return m_altLead;
    case DUxUnitField::AltSuppressTrailZero:
        return m_altTrail;
    case DUxUnitField::AltPrecision:
        return m_altPrecision;
    case DUxUnitField::Count:
        break;
    }
    return 0;
}

void DUxSymUnitAttr::SetField(DUxUnitField f, int32_t v) {
    if (GetField(f) == v) return;
    RSe::PrepareWrite(this);
    switch (f) {
    case DUxUnitField::PrimUnitType:
        m_primUnit = v;
        break;
    case DUxUnitField::PrimDecimalMarker:
        m_primMarker = v;
        break;
    case DUxUnitField::DisplayPrimUnitStr:
        m_primUnitStr = v != 0;
        break;
    case DUxUnitField::PrimSuppressLeadZero:
        m_primLead = v != 0;
        break;
    case DUxUnitField::PrimSuppressTrailZero:
        m_primTrail = v != 0;
        break;
    case DUxUnitField::DisplayType:
        m_displayType = v;
        break;
    case DUxUnitField::DisplayAltUnit:
        m_altDisplay = v != 0;
        break;
    case DUxUnitField::AltUnitType:
        m_altUnit = v;
        break;
    case DUxUnitField::AltDecimalMarker:
        m_altMarker = v;
        break;
    case DUxUnitField::DisplayAltUnitStr:
        m_altUnitStr = v != 0;
        break;
    case DUxUnitField::AltSuppressLeadZero:
        m_altLead = v != 0;
        break;
    case DUxUnitField::AltSuppressTrailZero:
        m_altTrail = v != 0;
        break;
    case DUxUnitField::AltPrecision:
        m_altPrecision = v;
        break;
    case DUxUnitField::Count:
        break;
    }
}

void DUxSymUnitAttr::PopulateFromStandardStyle(const RDxObject* object, FWxSceneDoc* doc) {
    if (!doc && object) doc = FWxDocUtil::DocumentOf(object);
    const DUxFeatureControlFrameStyle* style = DUxSymStyleWrapUtils::GetDocumentFCFStyle(doc);
    if (!style) return;
    for (int32_t f = 0; f < int32_t(DUxUnitField::Count); ++f)
        SetField(DUxUnitField(f), style->GetUnitValue(DUxUnitField(f)));
}

namespace {
// Millimetres per unit; 0 for a unit this host does not know.
double MillimetresPer(int32_t unit) {
    switch (unit) {
    case 1:
        return 1.0;
    case 2:
        return 25.4;
    case 3:
        return 10.0;
    case 4:
        return 1000.0;
    case 5:
        return 304.8;
    default:
        return 0.0;
    }
}

const char16_t* UnitName(int32_t unit) {
    switch (unit) {
    case 1:
        return u"mm";
    case 2:
        return u"in";
    case 3:
        return u"cm";
    case 4:
        return u"m";
    default:
        return u"ft";
    }
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

UTxString16 DUxSymUnitAttr::addUnitProperties(const UTxString16& text) const {
    if (!m_altDisplay) return text;
    const double from = MillimetresPer(m_primUnit);
    const double to = MillimetresPer(m_altUnit);
    if (from <= 0 || to <= 0) return text;

    // The first number outside formatting groups; "\x" escapes one character.
    size_t start = UTxString16::npos;
    int depth = 0;
    for (size_t i = 0; i < text.size() && start == UTxString16::npos; ++i) {
        const char16_t c = text[i];
        if (c == u'\\') {
            ++i;
        } else if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            depth = std::max(depth - 1, 0);
        } else if (depth == 0 && (IsDigit(c) || ((c == u'.' || c == u',') && i + 1 < text.size() &&
                                                 IsDigit(text[i + 1])))) {
            start = i;
        }
    }
    if (start == UTxString16::npos) return text;
    std::string number;
    if (start > 0 && text[start - 1] == u'-') number += '-';
    bool point = false;
    for (size_t i = start; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsDigit(c)) {
            number += char(c);
        } else if ((c == u'.' || c == u',') && !point) {
            point = true;
            number += '.';
        } else {
            break;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr) * from / to;

    const int precision = std::clamp(m_altPrecision, 0, 8);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    std::string alt = buffer;
    if (alt.find_first_not_of("-0.") == std::string::npos && alt[0] == '-') alt.erase(0, 1);
    if (m_altTrail && alt.find('.') != std::string::npos) {
        alt.erase(alt.find_last_not_of('0') + 1);
        if (alt.back() == '.') alt.pop_back();
    }
    if (m_altLead) {
        const size_t at = alt[0] == '-' ? 1 : 0;
        if (alt.compare(at, 2, "0.") == 0) alt.erase(at, 1);
    }
    UTxString16 out(alt.begin(), alt.end());
    if (m_altMarker == 1)
        for (char16_t& c : out)
            if (c == u'.') c = u',';
    if (m_altUnitStr) out += UnitName(m_altUnit);
    return text + u" [" + out + u"]";
}
