// The local bill of materials of a generated assembly of 10 000 components: 99 sub-assemblies
// of 100 parts under a root that holds 100 parts of its own, materials from a set of 20. Each
// case queries the whole bill (every level expanded), grouped by material and sorted by part
// number, as a parts list does on every rebuild; the goal is under 10 ms a query.
#include <benchmark/benchmark.h>

#include <string>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"

namespace {

std::u16string U16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

DLxAssemblyData Generated() {
    DLxAssemblyData a;
    a.root = 1;
    a.scheme.structuredEnabled = true;
    a.scheme.partsOnlyEnabled = true;
    a.scheme.structuredAllLevels = true;
    DLxAssemblyComponent root;
    root.id = 1;
    root.kind = DLxAssemblyComponent::Kind::Assembly;
    root.name = u"root";
    root.path = u"root.asm";
    a.components.push_back(root);
    int32_t next = 2, occ = 0;
    auto part = [&](int32_t parent) {
        DLxAssemblyComponent c;
        c.id = next++;
        c.name = U16("part " + std::to_string(c.id));
        c.path = U16("parts/" + std::to_string(c.id) + ".part");
        // Part numbers in an order that is not the model's.
        c.partNumber = U16("P-" + std::to_string((c.id * 7919) % 100003));
        c.description = U16("Part " + std::to_string(c.id));
        c.material = U16("Material " + std::to_string(c.id % 20));
        c.mass = 0.001 * c.id;
        c.hasMass = true;
        a.components.push_back(c);
        a.occurrences.push_back({++occ, parent, c.id, 1 + c.id % 4});
    };
    for (int i = 0; i < 100; ++i)
        part(1);
    for (int s = 0; s < 99; ++s) {
        DLxAssemblyComponent sub;
        sub.id = next++;
        sub.kind = DLxAssemblyComponent::Kind::Assembly;
        sub.name = U16("sub " + std::to_string(sub.id));
        sub.path = U16("subs/" + std::to_string(sub.id) + ".asm");
        sub.partNumber = U16("S-" + std::to_string(sub.id));
        sub.material = U16("Material " + std::to_string(sub.id % 20));
        a.components.push_back(sub);
        a.occurrences.push_back({++occ, 1, sub.id, 1});
        for (int i = 0; i < 100 && next <= 10000; ++i)
            part(sub.id);
    }
    return a;
}

struct Material : DLxLocalBOMGroupSettings {
    bool participants = false;
    bool IsGroupingEnabled() const override { return true; }
    bool GetDisplayParticipants() const override { return participants; }
    bool GetGroupKey1(DLxLocalBOMColumn& c) const override {
        c = DLxLocalBOMColumn::Material;
        return true;
    }
};

void Query(benchmark::State& state, int32_t scheme, bool grouped, bool participants = false) {
    static const DLxAssemblyData assembly = Generated();
    DLxDrawingDoc doc;
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, scheme, true);
    Material material;
    material.participants = participants;
    size_t rows = 0;
    for (auto _ : state) {
        DLxLocalBOMQuery q(bom, grouped ? &material : nullptr, 1, true);
        q.AddSortKey(DLxLocalBOMColumn::PartNumber, true);
        if (!q.Execute(true)) state.SkipWithError("the query failed");
        rows = q.RowCount();
        benchmark::DoNotOptimize(q.RowAt(rows / 2));
    }
    state.counters["components"] = double(assembly.components.size());
    state.counters["rows"] = double(rows);
}

void BM_StructuredGroupedSorted(benchmark::State& s) {
    Query(s, DLxLocalBOM::kStructured, true);
}
// Every merged row listed after its group: the results hold the whole bill again.
void BM_StructuredGroupedSortedParticipants(benchmark::State& s) {
    Query(s, DLxLocalBOM::kStructured, true, true);
}
void BM_StructuredSorted(benchmark::State& s) {
    Query(s, DLxLocalBOM::kStructured, false);
}
void BM_PartsOnlyGroupedSorted(benchmark::State& s) {
    Query(s, DLxLocalBOM::kPartsOnly, true);
}
void BM_PartsOnlySorted(benchmark::State& s) {
    Query(s, DLxLocalBOM::kPartsOnly, false);
}

} // namespace

BENCHMARK(BM_StructuredGroupedSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StructuredGroupedSortedParticipants)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StructuredSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartsOnlyGroupedSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PartsOnlySorted)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
