// The module's registrations, in the order they run at load. Each stored class, migrator,
// request name, context-menu command, default factory and translator adds its row here, in the
// group its kind belongs to.
#include "Symbol/KorvuModule.h"
#include "utx/UTxGUID.h"

const UTxGUID& KorvuModuleGuid() {
    static const UTxGUID guid(0x1e81af26, 0x6a9811d1, 0xbdb60800, 0x09dc42f8);
    return guid;
}

namespace {
void InitModuleGuid() {
    KorvuModuleGuid();
}

const KorvuInitRow kRows[] = {
    // Group 1: the named migrators and the meta types of their source units.
    // Group 2: everything else.
    {"KorvuModuleGuid", &InitModuleGuid, 2},
};

struct RunAtLoad {
    RunAtLoad() {
        for (int group = 1; group <= 2; ++group)
            for (const KorvuInitRow& row : kRows)
                if (row.group == group) row.run();
    }
} g_runAtLoad;
} // namespace

const std::vector<KorvuInitRow>& KorvuInitTable() {
    static const std::vector<KorvuInitRow> table(std::begin(kRows), std::end(kRows));
    return table;
}
