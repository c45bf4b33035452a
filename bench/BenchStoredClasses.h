#pragma once
// A small stored class for the benchmarks: a few values, references and vectors.
#include <vector>

#include "BofM/DLxPersistUtil.h"
#include "rse/RSeIDed.h"

class BenchNode : public RSeIDed {
public:
    BenchNode() = default;
    explicit BenchNode(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    void Load(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;

    int32_t m_value = 0;
    double m_weight = 0;
    RSeRef<BenchNode> m_next;
    std::vector<RSeRef<BenchNode>> m_links;
    std::vector<int32_t> m_codes;
};

RSeMetaType* BenchMeta();
