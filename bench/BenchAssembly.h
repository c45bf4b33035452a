#pragma once
// A generated assembly of N distinct parts for the benchmarks: the first 100 parts directly
// under the root, the others in sub-assemblies of 100 parts; part numbers in an order that is
// not the model's, materials from a set of 20, every scheme enabled on all levels.
#include <cstdint>

#include "dl/DLxAssemblyData.h"

DLxAssemblyData BenchGeneratedAssembly(int32_t parts);
