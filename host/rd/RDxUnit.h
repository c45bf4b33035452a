#pragma once
// Units of measure: the simple units (one class per kind, with a scale where a kind has
// several sizes: millimetre, centimetre, metre and kilometre are metres of scales 0.001, 0.01,
// 1 and 1000), units built of them (RDxUnitComplex), unit systems and the unit manager that
// holds a document's systems.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// What a unit's scale is asked in. Scales here are absolute, so it carries nothing yet.
class RDxUnitContext {};

class RDxUnit {
public:
    explicit RDxUnit(double scale = 1.0) : m_scale(scale) {}
    virtual ~RDxUnit() = default;
    // The unit's size against its kind's base (metre, gram, litre, ...).
    double ScaleFactor(const RDxUnitContext*) const { return m_scale; }

private:
    double m_scale;
};

#define RDX_SIMPLE_UNIT(Name)                                                                      \
    class Name final : public RDxUnit {                                                            \
    public:                                                                                        \
        using RDxUnit::RDxUnit;                                                                    \
    };
RDX_SIMPLE_UNIT(RDxUnitMeter)
RDX_SIMPLE_UNIT(RDxUnitMicron)
RDX_SIMPLE_UNIT(RDxUnitInch)
RDX_SIMPLE_UNIT(RDxUnitFoot)
RDX_SIMPLE_UNIT(RDxUnitYard)
RDX_SIMPLE_UNIT(RDxUnitMile)
RDX_SIMPLE_UNIT(RDxUnitNauticalMile)
RDX_SIMPLE_UNIT(RDxUnitGram)
RDX_SIMPLE_UNIT(RDxUnitSlug)
RDX_SIMPLE_UNIT(RDxUnitLbMass)
RDX_SIMPLE_UNIT(RDxUnitOunceMass)
RDX_SIMPLE_UNIT(RDxUnitLiter)
RDX_SIMPLE_UNIT(RDxUnitGallon)
RDX_SIMPLE_UNIT(RDxUnitQuart)
RDX_SIMPLE_UNIT(RDxUnitPint)
RDX_SIMPLE_UNIT(RDxUnitOunceVolume)
#undef RDX_SIMPLE_UNIT

// A product of simple units with integer exponents (m, m^2, kg/m^3).
class RDxUnitComplex {
public:
    RDxUnitComplex() = default;
    explicit RDxUnitComplex(std::shared_ptr<const RDxUnit> unit) { Multiply(std::move(unit), 1); }
    RDxUnitComplex& Multiply(std::shared_ptr<const RDxUnit> unit, int32_t exponent) {
        m_factors.emplace_back(std::move(unit), exponent);
        return *this;
    }
    // One simple unit to the first power.
    bool IsSimpleUnit() const { return m_factors.size() == 1 && m_factors[0].second == 1; }
    // That unit; null unless IsSimpleUnit.
    const RDxUnit* GetSimpleUnit() const {
        return IsSimpleUnit() ? m_factors[0].first.get() : nullptr;
    }

private:
    std::vector<std::pair<std::shared_ptr<const RDxUnit>, int32_t>> m_factors;
};

class RDxUnitSystem {
public:
    explicit RDxUnitSystem(RDxUnitComplex length) : m_length(std::move(length)) {}
    // The unit lengths are shown in.
    const RDxUnitComplex& InstanceLength() const { return m_length; }

private:
    RDxUnitComplex m_length;
};

class RDxUnitSystemManager {
public:
    // Starts with one system in centimetres, the model's own length unit.
    RDxUnitSystemManager();
    size_t Add(RDxUnitSystem system);
    void SetCurrent(size_t index);
    const RDxUnitSystem& CurrentUnitSystem() const { return m_systems[m_current]; }

private:
    std::vector<RDxUnitSystem> m_systems;
    size_t m_current = 0;
};

class RDxUnitManager {
public:
    RDxUnitSystemManager& System() { return m_systems; }
    const RDxUnitSystemManager& System() const { return m_systems; }

private:
    RDxUnitSystemManager m_systems;
};
