// Reading ".xls" files back, through libfreexl: a reader that shares no code with our writer,
// so a template workbook written by anyone opens the same way.
#include "XLxWorkbook.h"

#include "utx/UTxString16.h"

#include <freexl.h>

#include <memory>

namespace {
struct Closer {
    void operator()(const void* h) const { freexl_close(h); }
};
} // namespace

namespace XLx {

bool LoadWorkbook(const std::string& path, XLxWorkbook& book, std::string& why)
{
    const void* raw = nullptr;
    if (freexl_open(path.c_str(), &raw) != FREEXL_OK) {
        if (raw)
            freexl_close(raw);
        why = "\"" + path + "\" is not a workbook that can be read";
        return false;
    }
    std::unique_ptr<const void, Closer> handle(raw);
    unsigned int count = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        why = "\"" + path + "\" has no worksheets that can be read";
        return false;
    }
    XLxWorkbook result;
    for (unsigned short i = 0; i < count; ++i) {
        XLxSheet sheet;
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_get_worksheet_name(raw, i, &name) != FREEXL_OK ||
            freexl_select_active_worksheet(raw, i) != FREEXL_OK ||
            freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK) {
            why = "a worksheet of \"" + path + "\" cannot be read";
            return false;
        }
        sheet.name = UTx::MakeWideString(name ? name : "");
        for (unsigned int r = 0; r < rows && r < XLxSheet::kRows; ++r)
            for (unsigned short c = 0; c < columns && c < XLxSheet::kColumns; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(raw, r, c, &v) != FREEXL_OK)
                    continue;
                switch (v.type) {
                case FREEXL_CELL_INT:
                    sheet.At(r, c).kind = XLxCell::Kind::Number;
                    sheet.At(r, c).number = double(v.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    sheet.At(r, c).kind = XLxCell::Kind::Number;
                    sheet.At(r, c).number = v.value.double_value;
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    sheet.At(r, c).kind = XLxCell::Kind::Text;
                    sheet.At(r, c).text = UTx::MakeWideString(v.value.text_value ? v.value.text_value : "");
                    break;
                default:
                    break;
                }
            }
        result.sheets.push_back(std::move(sheet));
    }
    book = std::move(result);
    return true;
}

} // namespace XLx
