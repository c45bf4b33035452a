#pragma once
// Registration of the drafting-standard defaults: the GB GUID of our own, the factories of
// every kind and standard in their fixed order, and the primitive template of the placed
// annotations.
#include "Standard/DLxStdNorms.h"
#include "utx/UTxGUID.h"

class RDxTemplate;
class RSeSegment;

// {F00A3AB0-06CC-11D3-BF27-00104BB54A0B}; set by DLxInitGBStandardGUID.
extern UTxGUID DLxGBStandardGUID;
// {CCD2FF20-5822-11D1-9D08-080009D9311E}: the template every placed annotation instantiates.
extern UTxGUID DLxSymbolTemplateGUID;
void DLxInitGBStandardGUID();
void DLxInitSymbolTemplateGUID();
void DLxInitStandardMetaTypes();

constexpr int kDLxStdFactoryCount = 42;
// Registers factory `index` of the fixed order (0 to 41).
void DLxRegisterStdFactory(int index);
template <int I> void DLxRegisterStdFactoryRow() {
    DLxRegisterStdFactory(I);
}
// Rows before this index run before the template's registration, the others after it.
constexpr int kDLxStdFactoriesBeforeTemplate = 38;

RDxTemplate* CreateSymbolTemplate(RSeSegment* segment);
void DLxRegisterSymbolTemplateFactory();
