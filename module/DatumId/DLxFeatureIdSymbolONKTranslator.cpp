#include "DatumId/DLxFeatureIdSymbolONKTranslator.h"

namespace {
const DLxFeatureIdSymbolONKTranslator g_translator;
} // namespace

void DLxFeatureIdSymbolONKTranslator::Register() {
    FBxObjectNameKey::RegisterTranslator(u"DLxFeatureIdSymbol", &g_translator);
}
