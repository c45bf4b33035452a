#pragma once
// Vectors of references as the kernel's classes store them: a count, then one reference each.
// Only the persistence units include this.
#include <vector>

#include "rse/RSeCloneCommander.h"
#include "rse/RSeRef.h"
#include "rse/RSeStream.h"

namespace RDxPersist {

template <class T> void SaveRefs(RSeStream& s, const std::vector<RSeRef<T>>& v) {
    s.Write(uint32_t(v.size()));
    for (const RSeRef<T>& r : v)
        s.Write(static_cast<const RSeRefBase&>(r));
}

// The references hold stored values until FixRefs resolves them.
template <class T> void LoadRefs(RSeStream& s, std::vector<RSeRef<T>>& v) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, 5); // a tag and four bytes a reference
    v.resize(n);
    if (n) s.Read(v.data(), n);
}

template <class T> void FixRefs(std::vector<RSeRef<T>>& v, RSeMetaContext& ctx) {
    for (RSeRef<T>& r : v)
        r.FixAddress(ctx);
}

template <class T>
void CloneRefs(const std::vector<RSeRef<T>>& src, std::vector<RSeRef<T>>& dst,
               RSeCloneCommander* cc) {
    dst.resize(src.size());
    for (size_t i = 0; i < src.size(); ++i)
        cc->CloneRef(src[i], dst[i]);
}

} // namespace RDxPersist
