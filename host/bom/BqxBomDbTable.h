#pragma once
// The host's database export table: one table of text columns, filled row by row and written
// whole to a file of one of the database types the parts-list export offers.
//
// Use: SetTableName, InsertInitialColumns (once, the column headings), AppendRow (once per row,
// one text per column), then ExportTable (path, file type code). The file is written through
// UTx::WriteFileAtomically: a failed export leaves any previous file at the path as it was, and
// LastError says why in one sentence that names the path.
//
// dBASE files (codes 4 and 5) follow the dBASE III PLUS layout, little-endian throughout:
//   header (32 bytes)   version 0x03 (no memo), last update (year - 1900, month, day), record
//                       count (uint32), header length (uint16), record length (uint16), then
//                       zeros but for byte 29, the language driver: 0x57 (Windows ANSI 1252)
//                       for dBASE IV; dBASE III has no such byte and leaves it 0
//   field descriptors   32 bytes each: name (up to 10 ASCII characters, NUL-padded to 11),
//                       type 'C', 4 zero bytes, length (1..254), decimal count 0, 14 zeros
//   0x0D                ends the descriptors
//   records             a deletion flag ' ', then each field left-aligned and padded with spaces
//   0x1A                ends the file
// Texts are written in code page 1252 (both types: the dBASE III one simply cannot say so). A
// character the code page lacks becomes '?', and a text longer than 254 bytes is cut; both are
// reported in Notes, the export still succeeds. A column is as wide as its longest text.
// Field names are made from the headings as dBASE requires: upper-case ASCII letters, digits
// and '_' (anything else becomes '_'), starting with a letter ("F" is put in front otherwise),
// at most 10 characters; a name already taken gets "_1", "_2", ... in place of its last
// characters. The last-update date is today's, or that of SOURCE_DATE_EPOCH when it is set, so
// that expected files can be compared byte for byte.
//
// The Access database (code 2) is a Jet 4 file of one table, named by SetTableName, of text
// columns (up to 255 characters, longer texts cut and reported in Notes), laid out at the top
// of BqxBomDbTableJet.cpp. Column names are the headings with what Access forbids in a name
// ('.', '!', '`', '[', ']', control characters) made '_', at most 64 characters, made unique
// regardless of letter case as the dBASE names are.
//
// A workbook (code 1, asked for when the spreadsheet application cannot start) is a BIFF8
// ".xls" file written by XLx::SaveWorkbook: one sheet, named by SetTableName with what sheet
// names forbid ('[', ']', ':', '*', '?', '/', '\\') made '_' and cut to 31 characters ("Sheet1"
// when that leaves nothing), the headings in its first row and the rows below, every cell a
// text (an empty text an empty cell). No formats: nothing but the values.
#include <cstdint>
#include <string>
#include <vector>

class BqxBomDbTable {
public:
    // File type codes of ExportTable.
    enum FileType : int32_t {
        kWorkbook = 1,
        kAccess = 2,
        kDBase4 = 4,
        kDBase3 = 5,
    };

    void SetTableName(const std::u16string& name);
    // The headings of the columns, in order. False when columns were already given.
    bool InsertInitialColumns(const std::vector<std::u16string>& headings);
    // One text per column. False, and the row is not taken, when the count differs.
    bool AppendRow(const std::vector<std::u16string>& values);
    // Writes the table to `path` (UTF-16, as the host's paths are). False with LastError set
    // when nothing was written; any previous file at the path is then left as it was.
    bool ExportTable(const std::u16string& path, int32_t fileType);

    const std::u16string& TableName() const { return m_tableName; }
    // The dBASE field name of each column, as ExportTable writes them.
    std::vector<std::string> DbfFieldNames() const;
    // The Access column name of each column, as ExportTable writes them.
    std::vector<std::u16string> MdbColumnNames() const;
    // The name of the workbook's sheet, as ExportTable writes it.
    std::u16string SheetName() const;
    // Why the last ExportTable failed; empty after a success.
    const std::string& LastError() const { return m_error; }
    // What the last ExportTable had to change to fit the format (replaced characters, cut
    // texts), one sentence each.
    const std::vector<std::string>& Notes() const { return m_notes; }

private:
    bool WriteDbf(const std::string& path, bool dBase4);
    bool WriteMdb(const std::string& path);
    bool WriteWorkbook(const std::string& path);

    std::u16string m_tableName;
    std::vector<std::u16string> m_headings;
    bool m_haveColumns = false;
    std::vector<std::vector<std::u16string>> m_rows;
    std::string m_error;
    std::vector<std::string> m_notes;
};
