#pragma once
// A spreadsheet workbook in memory and its file form, the BIFF8 ".xls" workbook.
//
// The file is a compound file (512-byte sectors, version 3) holding one stream, "Workbook":
// the workbook globals (BOF, CODEPAGE 1200, WINDOW1, fonts, number formats, cell formats,
// the normal style, one BOUNDSHEET per sheet, the shared string table with its CONTINUE
// records, EOF), then one substream per sheet (BOF, COLINFO widths, DIMENSIONS, the cells as
// LABELSST, NUMBER or BLANK records in row order, WINDOW2, MERGEDCELLS, EOF). All integers
// little-endian. A stream under 4096 bytes goes into the mini stream, as readers expect.
// Limits of the format are refused, never wrapped: 65536 rows, 256 columns, 31-character
// sheet names, texts of 32767 characters, a stream under 2 GB.
//
// Reading (`LoadWorkbook`) goes through libfreexl: cell texts and numbers and sheet names only;
// formats are not read back.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A text cell with an empty text is saved as an empty cell.
struct XLxCell {
    enum class Kind : uint8_t { Empty, Text, Number };
    Kind kind = Kind::Empty;
    std::u16string text;
    double number = 0;
    std::u16string numberFormat; // empty: "General"
    uint8_t horizontalAlign = 0; // 0 general, 1 left, 2 centre, 3 right
    bool border = false;         // thin lines on all four sides
};

struct XLxMerge {
    uint32_t firstRow = 0, lastRow = 0;
    uint16_t firstColumn = 0, lastColumn = 0;
};

struct XLxSheet {
    static constexpr uint32_t kRows = 65536;
    static constexpr uint16_t kColumns = 256;

    std::u16string name;
    std::map<uint64_t, XLxCell> cells; // by Key(row, column): row-major order
    std::vector<XLxMerge> merges;
    std::map<uint16_t, uint16_t> columnWidths; // in 1/256 of a character

    // Any row and column can be held; saving refuses those past the format's limits.
    static uint64_t Key(uint32_t row, uint16_t column) { return uint64_t(row) << 16 | column; }
    static uint32_t RowOf(uint64_t key) { return static_cast<uint32_t>(key >> 16); }
    static uint16_t ColumnOf(uint64_t key) { return static_cast<uint16_t>(key & 0xFFFF); }
    // Null when the cell was never touched.
    const XLxCell* Find(uint32_t row, uint16_t column) const;
    XLxCell& At(uint32_t row, uint16_t column) { return cells[Key(row, column)]; }
};

struct XLxWorkbook {
    std::vector<XLxSheet> sheets;
};

namespace XLx {
// Writes `book` to `path` through an atomic replace. False with the reason in `why`.
bool SaveWorkbook(const std::string& path, const XLxWorkbook& book, std::string& why);
// The workbook stream alone, as SaveWorkbook puts it in the container.
bool BuildWorkbookStream(const XLxWorkbook& book, std::vector<uint8_t>& out, std::string& why);
// Reads the sheets, their names and cell values of an ".xls" file.
bool LoadWorkbook(const std::string& path, XLxWorkbook& book, std::string& why);
} // namespace XLx
