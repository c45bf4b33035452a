#pragma once
// The surface-texture style: which options symbols of the style may use (all-around circle,
// majority symbol, a second production line, the circle of a "material removal prohibited"
// symbol fitted to the short leg), the default forced tail, the standard it follows (its code)
// and the lay symbols it offers (bit k-1 for lay type k). A standard's surface-texture defaults
// fill it; its symbols take their sizes from that standard's text height.
#include <cstdint>

#include "fw/FWxStyle.h"
#include "rse/RSeRef.h"

class DUxSurfaceTextureStyle : public FWxStyle {
public:
    // Standard codes.
    enum EStandard : int32_t { kANSI = 1, kBSI = 2, kDIN = 3, kGB = 4, kISO = 5, kJIS = 6 };

    DUxSurfaceTextureStyle() = default;
    explicit DUxSurfaceTextureStyle(const RSeStream* s) : FWxStyle(s) {}
    RSeMetaType* GetMeta() const override;

    // Setters change and record nothing when the value is the same, and count one edit of the
    // style when it changes.
    int32_t GetFitCircle() const { return m_fitCircle; }
    void SetFitCircle(int32_t v) { Set(m_fitCircle, v); }
    bool GetAllAroundAllowed() const { return m_allAroundAllowed; }
    void SetAllAroundAllowed(bool v) { Set(m_allAroundAllowed, v); }
    bool GetForceTail() const { return m_forceTail; }
    void SetForceTail(bool v) { Set(m_forceTail, v); }
    bool GetMajorityAllowed() const { return m_majorityAllowed; }
    void SetMajorityAllowed(bool v) { Set(m_majorityAllowed, v); }
    bool GetProductionMultiline() const { return m_productionMultiline; }
    void SetProductionMultiline(bool v) { Set(m_productionMultiline, v); }
    int32_t GetStandardCode() const { return m_standard; }
    void SetStandardCode(int32_t v) { Set(m_standard, v); }
    uint32_t GetLaySymbolMask() const { return m_layMask; }
    void SetLaySymbolMask(uint32_t v) { Set(m_layMask, v); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DUxSurfaceTextureStyle* target, RSeCloneCommander* cc) const;

private:
    template <class T> void Set(T& field, const T& v) {
        if (field == v) return;
        Prepare();
        field = v;
        MarkEdited(1);
    }
    void Prepare();

    int32_t m_fitCircle = 0;
    bool m_allAroundAllowed = false;
    bool m_forceTail = false;
    bool m_majorityAllowed = false;
    bool m_productionMultiline = false;
    int32_t m_standard = kANSI;
    uint32_t m_layMask = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DUxSurfaceTextureStyle*);
RSeMetaType* _GetMeta(const DUxSurfaceTextureStyle*);
} // namespace RSe
