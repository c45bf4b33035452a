#include "dl/DLxLocalBOMPrint.h"

#include <memory>

#include "dl/DLxAssemblyData.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxString16.h"

namespace {

std::string Cell(const DLxLocalBOMRow& row, DLxLocalBOMColumn::Kind kind) {
    std::u16string text;
    row.GetCellText(kind, text);
    return UTx::ToUtf8(text);
}

void PrintRow(std::string& out, const DLxLocalBOMRow& row, int depth) {
    out.append(size_t(2 + 2 * depth), ' ');
    out += Cell(row, DLxLocalBOMColumn::Item) + "  x" + Cell(row, DLxLocalBOMColumn::Quantity);
    out += "  \"" + Cell(row, DLxLocalBOMColumn::PartNumber) + "\"";
    out += "  \"" + Cell(row, DLxLocalBOMColumn::Description) + "\"";
    const std::string material = Cell(row, DLxLocalBOMColumn::Material);
    if (!material.empty()) out += "  material \"" + material + "\"";
    if (row.IsCustom()) out += "  custom";
    if (row.GetItemCode() == DLxLocalBOMRow::kItemPurchased) out += "  purchased";
    if (Cell(row, DLxLocalBOMColumn::StandardPart) == "Yes") out += "  standard";
    out += "\n";
    for (const DLxLocalBOMRow* sub : row.SubRows())
        PrintRow(out, *sub, depth + 1);
}

} // namespace

std::string DLxLocalBOMPrint(DLxLocalBOM& bom) {
    DLxLocalBOMQuery query(&bom, nullptr, 1, true);
    if (!query.Execute(false)) return {};
    std::string out = bom.IsPartsOnlyBOM() ? "bill of materials (parts only)\n"
                                           : "bill of materials (structured)\n";
    for (size_t i = 0; i < query.RowCount(); ++i)
        if (const DLxLocalBOMRow* row = query.RowAt(i); row && !row->Parent())
            PrintRow(out, *row, 0);
    return out;
}

std::string DLxLocalBOMPrintDrawing(RSeDatabase* db, const DLxAssemblyData& assembly) {
    std::string out;
    for (int32_t scheme : {int32_t(DLxLocalBOM::kStructured), int32_t(DLxLocalBOM::kPartsOnly)}) {
        if (!DLxLocalBOMMgr::HasSchemeEnabled(assembly, scheme)) continue;
        if (DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(db, assembly, scheme, false)) {
            out += DLxLocalBOMPrint(*bom);
            continue;
        }
        std::unique_ptr<RSeDatabase> aside(RSeDatabase::MakeTransient());
        DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(aside.get(), assembly, scheme, true);
        if (bom) out += DLxLocalBOMPrint(*bom);
    }
    return out;
}
