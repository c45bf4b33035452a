#pragma once
// The bill of materials as text, for `korvu dump`: what a parts list of the drawing would show.
#include <string>

class DLxLocalBOM;
class RSeDatabase;
struct DLxAssemblyData;

// One line a row, every level shown (sub-rows indented under their assembly whatever its
// expansion), custom rows last: item number, quantity, part number, description, material
// and the purchased, standard and custom marks. Nothing for a bill without a model.
std::string DLxLocalBOMPrint(DLxLocalBOM& bom);
// The bills of every scheme the assembly has enabled: the drawing's stored bill where it has
// one (with its overrides, custom rows and item numbers), else a fresh bill made aside, so
// that printing changes nothing in the drawing. Empty for an empty assembly.
std::string DLxLocalBOMPrintDrawing(RSeDatabase* db, const DLxAssemblyData& assembly);
