#include "KorvuBOMFixture.h"

namespace KorvuBOM {
namespace {

DLxAssemblyComponent Part(int32_t id, const char16_t* name, const char16_t* partNumber,
                          const char16_t* description, const char16_t* material, double mass) {
    DLxAssemblyComponent c;
    c.id = id;
    c.kind = DLxAssemblyComponent::Kind::Part;
    c.name = name;
    c.path = std::u16string(u"parts/") + name + u".part";
    c.partNumber = partNumber;
    c.description = description;
    c.material = material;
    c.mass = mass;
    c.hasMass = true;
    c.representations = {u"Default"};
    return c;
}

} // namespace

DLxAssemblyData BracketAssembly() {
    DLxAssemblyData a;
    a.root = kRoot;
    DLxAssemblyComponent root;
    root.id = kRoot;
    root.kind = DLxAssemblyComponent::Kind::Assembly;
    root.name = u"bracket assembly";
    root.path = u"bracket-assembly.asm";
    root.partNumber = u"BA-1000";
    root.description = u"Bracket assembly";
    root.representations = {u"Default"};
    a.components.push_back(root);
    a.components.push_back(
        Part(kBracket, u"bracket", u"BR-100", u"Bracket", u"Aluminium 6061", 0.42));
    a.components.push_back(Part(kShaft, u"shaft", u"SH-110", u"Shaft 12 mm", u"Steel C45", 0.18));
    a.components.push_back(
        Part(kBushing, u"bushing", u"BU-120", u"Bushing 12/16", u"Bronze", 0.02));
    DLxAssemblyComponent bolt =
        Part(kBolt, u"bolt M8x30", u"ISO 4017-M8x30", u"Hex bolt M8x30", u"Steel 8.8", 0.016);
    DLxAssemblyComponent washer =
        Part(kWasher, u"washer M8", u"ISO 7089-8", u"Washer 8", u"Steel 8.8", 0.003);
    DLxAssemblyComponent nut =
        Part(kNut, u"nut M8", u"ISO 4032-M8", u"Hex nut M8", u"Steel 8.8", 0.005);
    for (DLxAssemblyComponent* c : {&bolt, &washer, &nut}) {
        c->standardPart = true;
        c->userProperties.push_back({u"Finish", u"Zinc plated"});
    }
    a.components.push_back(bolt);
    a.components.push_back(washer);
    a.components.push_back(nut);
    DLxAssemblyComponent motor = Part(kMotor, u"motor", u"MX-24", u"Gear motor 24 V", u"", 1.2);
    motor.purchased = true;
    motor.vendor = u"Motorwerk";
    a.components.push_back(motor);
    DLxAssemblyComponent cover;
    cover.id = kCover;
    cover.kind = DLxAssemblyComponent::Kind::Assembly;
    cover.name = u"cover";
    cover.path = u"cover.asm";
    cover.partNumber = u"CV-200";
    cover.description = u"Cover";
    cover.representations = {u"Default"};
    a.components.push_back(cover);
    a.components.push_back(
        Part(kPlate, u"cover plate", u"CP-210", u"Cover plate", u"Aluminium 6061", 0.11));
    a.components.push_back(Part(kGasket, u"gasket", u"GK-220", u"Gasket", u"NBR", 0.01));

    int32_t occ = 100;
    auto place = [&](int32_t parent, int32_t component, int32_t quantity) {
        a.occurrences.push_back({++occ, parent, component, quantity});
    };
    place(kRoot, kBracket, 1);
    place(kRoot, kShaft, 1);
    place(kRoot, kBushing, 1);
    place(kRoot, kBushing, 1);
    for (int i = 0; i < 4; ++i)
        place(kRoot, kBolt, 1);
    place(kRoot, kWasher, 4);
    for (int i = 0; i < 4; ++i)
        place(kRoot, kNut, 1);
    place(kRoot, kMotor, 1);
    place(kRoot, kCover, 1);
    place(kCover, kPlate, 1);
    place(kCover, kGasket, 1);
    a.scheme.structuredEnabled = true;
    a.scheme.partsOnlyEnabled = true;
    return a;
}

} // namespace KorvuBOM
