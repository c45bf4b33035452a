#pragma once
// Feature identifiers are datum identifier instances (their feature flag tells them apart), so
// keys written under the feature identifier's name find them exactly as a datum identifier's
// key would: by the key point and id, else by a pick with the identifier filter.
#include "DatumId/DLxDatumIdSymbolONKTranslator.h"

class DLxFeatureIdSymbolONKTranslator : public DLxDatumIdSymbolONKTranslator {
public:
    // The one translator, registered under "DLxFeatureIdSymbol" when the module starts.
    static void Register();
};
