// The database export table's files read back by readers that share no code with our writers:
// dBASE files by shapelib's DBF reader, Access databases by mdbtools' mdb-export.
#include "bom/BqxBomDbTable.h"
#include "utx/UTxString16.h"
#include "xl/XLxWorkbook.h"

#include "KorvuDbReaders.h"
#include "KorvuTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::u16string>>;

std::u16string UTx16(const std::string& utf8) {
    return UTx::MakeWideString(utf8);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The shared readers under the names these tests grew up with.
using ReadBack = KorvuDbfFile;
ReadBack Read(const std::string& path) {
    return KorvuReadDbf(path);
}
std::vector<std::vector<std::string>> ReadMdb(const std::string& path, const std::string& table) {
    return KorvuReadMdb(path, table);
}
using NoPermissionOverride = KorvuNoPermissionOverride;

BqxBomDbTable MakeTable(const std::vector<std::u16string>& headings, const Rows& rows) {
    BqxBomDbTable table;
    table.SetTableName(u"Parts");
    EXPECT_TRUE(table.InsertInitialColumns(headings));
    for (const auto& row : rows)
        EXPECT_TRUE(table.AppendRow(row));
    return table;
}

const std::vector<std::u16string> kHeadings = {u"ITEM NO.", u"PART NUMBER", u"DESCRIPTION", u"QTY"};

// Texts of a parts list, with what code page 1252 holds beyond ASCII, and an empty cell.
const Rows kRows = {
    {u"1", u"BR-100", u"Bracket, left", u"2"},
    {u"2", u"SH-20", u"Welle \u00d8 20 \u2013 Stahl \u20ac", u"1"},
    {u"3", u"C:\\parts\\plate.prt", u"", u"12"},
    {u"10", u"PL-7", u"Plaque d'\u00e9paisseur 3 \u00bd", u"4"},
};

// The same texts as the reader gives them: code page 1252 bytes.
const std::vector<std::vector<std::string>> kRowsRead = {
    {"1", "BR-100", "Bracket, left", "2"},
    {"2", "SH-20", "Welle \xd8 20 \x96 Stahl \x80", "1"},
    {"3", "C:\\parts\\plate.prt", "", "12"},
    {"10", "PL-7", "Plaque d'\xe9paisseur 3 \xbd", "4"},
};

struct DbfType {
    const char* name;
    int32_t code;
    std::string codePage; // as shapelib reports the language driver byte
};
const DbfType kTypes[] = {{"dBASE IV", BqxBomDbTable::kDBase4, "LDID/87"},
                          {"dBASE III", BqxBomDbTable::kDBase3, ""}};

} // namespace

TEST(BqxBomDbTableDbf, EveryFieldReadsBackInBothTypes) {
    KorvuTempDir dir;
    for (const DbfType& type : kTypes) {
        SCOPED_TRACE(type.name);
        const std::string path = dir.File(std::string(type.name) + ".dbf");
        BqxBomDbTable table = MakeTable(kHeadings, kRows);
        ASSERT_TRUE(table.ExportTable(UTx16(path), type.code)) << table.LastError();
        EXPECT_TRUE(table.LastError().empty());
        EXPECT_TRUE(table.Notes().empty());

        const ReadBack back = Read(path);
        EXPECT_EQ(back.names,
                  (std::vector<std::string>{"ITEM_NO_", "PART_NUMBE", "DESCRIPTIO", "QTY"}));
        EXPECT_EQ(back.types, (std::vector<char>{'C', 'C', 'C', 'C'}));
        // Each column as wide as its longest text, in bytes of the code page.
        EXPECT_EQ(back.widths, (std::vector<int>{2, 18, 22, 2}));
        EXPECT_EQ(back.rows, kRowsRead);
        EXPECT_EQ(back.codePage, type.codePage);
    }
}

TEST(BqxBomDbTableDbf, TextsTheCodePageCannotHoldAreReplacedAndReported) {
    KorvuTempDir dir;
    const std::string path = dir.File("wide.dbf");
    const std::u16string longText(300, u'x');
    BqxBomDbTable table = MakeTable(
        {u"NAME", u"NOTE"},
        {{u"\u65e5\u672c", u"ok"}, {u"smile \U0001F600 \u0080", longText}, {u"plain", u""}});
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kDBase4)) << table.LastError();

    const ReadBack back = Read(path);
    ASSERT_EQ(back.rows.size(), 3u);
    // One '?' per character, a surrogate pair being one character.
    EXPECT_EQ(back.rows[0][0], "??");
    EXPECT_EQ(back.rows[1][0], "smile ? ?");
    EXPECT_EQ(back.rows[1][1], std::string(254, 'x'));
    EXPECT_EQ(back.widths, (std::vector<int>{9, 254}));
    EXPECT_EQ(table.Notes(),
              (std::vector<std::string>{
                  "4 character(s) of column NAME are not in code page 1252 and were written as '?'",
                  "1 text(s) of column NOTE were cut to 254 bytes"}));
}

TEST(BqxBomDbTableDbf, FieldNamesAreShortUniqueAndValid) {
    struct Case {
        const char* what;
        std::vector<std::u16string> headings;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"truncated to ten, upper-cased", {u"Description", u"qty"}, {"DESCRIPTIO", "QTY"}},
        {"same first ten characters",
         {u"DESCRIPTION 1", u"DESCRIPTION 2", u"DESCRIPTION 3"},
         {"DESCRIPTIO", "DESCRIPT_1", "DESCRIPT_2"}},
        {"a suffix already taken by a heading", {u"A", u"A_1", u"A"}, {"A", "A_1", "A_2"}},
        {"a short duplicate keeps its text", {u"QTY", u"Qty"}, {"QTY", "QTY_1"}},
        {"not starting with a letter", {u"1ST", u"_X", u""}, {"F1ST", "F_X", "F"}},
        {"no dBASE characters", {u"\u00c4rger \u00e9t\u00e9", u"P/N"}, {"F_RGER__T_", "P_N"}},
        {"ten duplicates need a two-digit suffix",
         {u"X", u"X", u"X", u"X", u"X", u"X", u"X", u"X", u"X", u"X", u"X", u"X"},
         {"X", "X_1", "X_2", "X_3", "X_4", "X_5", "X_6", "X_7", "X_8", "X_9", "X_10", "X_11"}},
        {"long duplicates beyond nine",
         {u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC",
          u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC", u"MATERIALSPEC",
          u"MATERIALSPEC"},
         {"MATERIALSP", "MATERIAL_1", "MATERIAL_2", "MATERIAL_3", "MATERIAL_4", "MATERIAL_5",
          "MATERIAL_6", "MATERIAL_7", "MATERIAL_8", "MATERIAL_9", "MATERIA_10"}},
    };
    KorvuTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("names.dbf");
        std::vector<std::u16string> row(c.headings.size(), u"v");
        BqxBomDbTable table = MakeTable(c.headings, {row});
        ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kDBase3)) << table.LastError();
        EXPECT_EQ(Read(path).names, c.names);
        EXPECT_EQ(table.DbfFieldNames(), c.names);
    }
}

TEST(BqxBomDbTableDbf, TenThousandRowsReadBack) {
    KorvuTempDir dir;
    const std::string path = dir.File("big.dbf");
    Rows rows;
    for (int i = 0; i < 10000; ++i) {
        const std::u16string n = UTx16(std::to_string(i + 1));
        rows.push_back(
            {n, u"P-" + n, u"Part \u00e9 " + n + u" of many", UTx16(std::to_string(i % 7))});
    }
    BqxBomDbTable table = MakeTable(kHeadings, rows);
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kDBase4)) << table.LastError();

    const ReadBack back = Read(path);
    ASSERT_EQ(back.rows.size(), rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string n = std::to_string(r + 1);
        const std::vector<std::string> want = {n, "P-" + n, "Part \xe9 " + n + " of many",
                                               std::to_string(r % 7)};
        ASSERT_EQ(back.rows[r], want) << "row " << r;
    }
}

TEST(BqxBomDbTableDbf, SameTableSameDayGivesSameBytes) {
    KorvuTempDir dir;
    ASSERT_EQ(setenv("SOURCE_DATE_EPOCH", "1781654400", 1), 0); // 2026-06-17
    for (const DbfType& type : kTypes) {
        SCOPED_TRACE(type.name);
        const std::string a = dir.File("a.dbf"), b = dir.File("b.dbf");
        ASSERT_TRUE(MakeTable(kHeadings, kRows).ExportTable(UTx16(a), type.code));
        ASSERT_TRUE(MakeTable(kHeadings, kRows).ExportTable(UTx16(b), type.code));
        const std::string bytes = ReadAll(a);
        EXPECT_EQ(bytes, ReadAll(b));
        ASSERT_GT(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(1, 3), std::string("\x7e\x06\x11", 3));
    }
    unsetenv("SOURCE_DATE_EPOCH");
}

TEST(BqxBomDbTableDbf, FailedWritesKeepThePreviousFile) {
    KorvuTempDir dir;
    const std::string previous = "the previous export";
    Rows many;
    for (int i = 0; i < 2000; ++i)
        many.push_back({u"row", u"text", u"a longer description", u"1"});

    struct Case {
        const char* what;
        const char* reason;
    };
    // A read-only folder, and a disk that fills up halfway through the file.
    const Case cases[] = {{"read-only folder", "Permission denied"},
                          {"disk full", "File too large"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = dir.File(c.what);
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        const std::string path = folder + "/parts.dbf";
        WriteAll(path, previous);

        for (const int32_t code : {BqxBomDbTable::kDBase4, BqxBomDbTable::kAccess}) {
            SCOPED_TRACE(code);
            BqxBomDbTable table = MakeTable(kHeadings, many);
            bool written = true;
            if (std::string(c.what) == "disk full") {
                KorvuFileSizeLimit limit(4096 * 3);
                written = table.ExportTable(UTx16(path), code);
            } else {
                ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
                {
                    NoPermissionOverride asUser;
                    written = table.ExportTable(UTx16(path), code);
                }
                chmod(folder.c_str(), 0755);
            }
            EXPECT_FALSE(written);
            EXPECT_EQ(table.LastError(), "Cannot write \"" + path + "\": " + c.reason);
            EXPECT_EQ(ReadAll(path), previous);
            EXPECT_EQ(KorvuFolderNames(folder), std::vector<std::string>{"parts.dbf"});
        }
    }
}

TEST(BqxBomDbTableDbf, TablesDbaseCannotHoldAreRefused) {
    const std::vector<std::u16string> wide129(129, u"C");
    const std::vector<std::u16string> wide16(16, u"LONG");
    struct Case {
        const char* what;
        std::vector<std::u16string> headings;
        std::vector<std::u16string> row;
        int32_t code;
        std::string reason; // empty: written
    };
    const Case cases[] = {
        {"no columns",
         {},
         {},
         BqxBomDbTable::kDBase4,
         "a dBASE table holds 1 to 255 columns, not 0"},
        {"129 columns in dBASE III", wide129, std::vector<std::u16string>(129, u"v"),
         BqxBomDbTable::kDBase3, "a dBASE table holds 1 to 128 columns, not 129"},
        {"129 columns in dBASE IV", wide129, std::vector<std::u16string>(129, u"v"),
         BqxBomDbTable::kDBase4, ""},
        {"records over 4000 bytes", wide16,
         std::vector<std::u16string>(16, std::u16string(250, u'y')), BqxBomDbTable::kDBase4,
         "a dBASE record holds at most 4000 bytes, these rows need 4001"},
        {"unknown file type", {u"A"}, {u"v"}, 3, "unknown database file type 3"},
    };
    KorvuTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("refused.dbf");
        std::remove(path.c_str());
        BqxBomDbTable table;
        ASSERT_TRUE(table.InsertInitialColumns(c.headings));
        ASSERT_TRUE(table.AppendRow(c.row));
        const bool written = table.ExportTable(UTx16(path), c.code);
        if (c.reason.empty()) {
            EXPECT_TRUE(written) << table.LastError();
            EXPECT_EQ(Read(path).names.size(), c.headings.size());
        } else {
            EXPECT_FALSE(written);
            EXPECT_EQ(table.LastError(), "Cannot write \"" + path + "\": " + c.reason);
            EXPECT_TRUE(KorvuFolderNames(dir.Path()).empty());
        }
    }
}

TEST(BqxBomDbTableDbf, RowsMustMatchTheColumns) {
    BqxBomDbTable table;
    EXPECT_FALSE(table.AppendRow({u"before columns"}));
    ASSERT_TRUE(table.InsertInitialColumns({u"A", u"B"}));
    EXPECT_FALSE(table.InsertInitialColumns({u"C"}));
    EXPECT_FALSE(table.AppendRow({u"one"}));
    EXPECT_FALSE(table.AppendRow({u"one", u"two", u"three"}));
    EXPECT_TRUE(table.AppendRow({u"one", u"two"}));

    KorvuTempDir dir;
    const std::string path = dir.File("rows.dbf");
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kDBase3)) << table.LastError();
    EXPECT_EQ(Read(path).rows, (std::vector<std::vector<std::string>>{{"one", "two"}}));
}

TEST(BqxBomDbTableMdb, EveryFieldReadsBackExactly) {
    KorvuTempDir dir;
    const std::string path = dir.File("parts.mdb");
    Rows rows = kRows;
    // Texts beyond code page 1252 stay whole in an Access database. (Characters past U+FFFF are
    // stored as their two UTF-16 units, but mdb-export reads the text as UCS-2 and shows "??".)
    rows.push_back({u"11", u"\u65e5\u672c-7", u"Stra\u00dfe \u0394\tend", u"1"});
    BqxBomDbTable table = MakeTable(kHeadings, rows);
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kAccess)) << table.LastError();
    EXPECT_TRUE(table.Notes().empty());

    std::vector<std::vector<std::string>> want = {
        {"ITEM NO_", "PART NUMBER", "DESCRIPTION", "QTY"}};
    for (const auto& row : rows) {
        want.emplace_back();
        for (const std::u16string& value : row)
            want.back().push_back(UTx::ToUtf8(value));
    }
    EXPECT_EQ(ReadMdb(path, "Parts"), want);
    EXPECT_EQ(KorvuMdbTables(path), std::vector<std::string>{"Parts"});
}

TEST(BqxBomDbTableMdb, TenThousandRowsOverManyPagesReadBack) {
    KorvuTempDir dir;
    const std::string path = dir.File("big.mdb");
    Rows rows;
    for (int i = 0; i < 10000; ++i) {
        const std::u16string n = UTx16(std::to_string(i + 1));
        rows.push_back({n, u"P-" + n,
                        u"Tr\u00e4ger " + n + u" \u2013 " + std::u16string(i % 50, u'x'),
                        UTx16(std::to_string(i % 7))});
    }
    BqxBomDbTable table = MakeTable(kHeadings, rows);
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kAccess)) << table.LastError();

    const auto back = ReadMdb(path, "Parts");
    ASSERT_EQ(back.size(), rows.size() + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        std::vector<std::string> want;
        for (const std::u16string& value : rows[r])
            want.push_back(UTx::ToUtf8(value));
        ASSERT_EQ(back[r + 1], want) << "row " << r;
    }
}

TEST(BqxBomDbTableMdb, ColumnNamesAccessAcceptsAndLongTextsCut) {
    const std::u16string longName(70, u'N');
    BqxBomDbTable table =
        MakeTable({u"Dia. [mm]", u"Note!", u"note!", u" `Qty`", u"", longName, longName},
                  {{u"1", u"2", u"3", u"4", u"5", u"6", std::u16string(300, u'\u00e9')}});
    KorvuTempDir dir;
    const std::string path = dir.File("names.mdb");
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kAccess)) << table.LastError();

    const std::string n64(64, 'N');
    const std::vector<std::string> names = {
        "Dia_ _mm_", "Note_", "note__1", "_Qty_", "Field", n64, n64.substr(0, 62) + "_1"};
    const auto back = ReadMdb(path, "Parts");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], names);
    EXPECT_EQ(back[1][6], UTx::ToUtf8(std::u16string(255, u'\u00e9')));
    EXPECT_EQ(table.Notes(), std::vector<std::string>{"1 text(s) of column " + n64.substr(0, 62) +
                                                      "_1 were cut to 255 characters"});
}

TEST(BqxBomDbTableMdb, TablesAccessCannotHoldAreRefused) {
    struct Case {
        const char* what;
        std::u16string tableName;
        std::vector<std::u16string> headings;
        std::vector<std::u16string> row;
        std::string reason;
    };
    const Case cases[] = {
        {"no table name",
         u"",
         {u"A"},
         {u"v"},
         "an Access table needs a name of 1 to 64 characters"},
        {"no columns", u"Parts", {}, {}, "an Access table holds 1 to 255 columns, not 0"},
        {"a row larger than a page", u"Parts", std::vector<std::u16string>(8, u"C"),
         std::vector<std::u16string>(8, std::u16string(255, u'w')),
         "a row needs 4103 bytes, more than an Access data page holds"},
        {"more column definitions than a page holds", u"Parts",
         std::vector<std::u16string>(200, u"COLUMN"), std::vector<std::u16string>(200, u"v"),
         "the definitions of 200 columns need 9239 bytes, more than an Access table definition "
         "page holds"},
    };
    KorvuTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("refused.mdb");
        BqxBomDbTable table;
        table.SetTableName(c.tableName);
        ASSERT_TRUE(table.InsertInitialColumns(c.headings));
        ASSERT_TRUE(table.AppendRow(c.row));
        EXPECT_FALSE(table.ExportTable(UTx16(path), BqxBomDbTable::kAccess));
        EXPECT_EQ(table.LastError(), "Cannot write \"" + path + "\": " + c.reason);
        EXPECT_TRUE(KorvuFolderNames(dir.Path()).empty());
    }
}

TEST(BqxBomDbTableMdb, NoDataPageHoldsMoreThan255Rows) {
    // Rows are addressed as (page << 8 | row): tiny rows must not crowd a page past 255.
    KorvuTempDir dir;
    const std::string path = dir.File("tiny.mdb");
    Rows rows(1000, std::vector<std::u16string>{u"x"});
    BqxBomDbTable table = MakeTable({u"A"}, rows);
    ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kAccess)) << table.LastError();

    const std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.size() % 4096, 0u);
    for (size_t page = 0; page < bytes.size() / 4096; ++page) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + page * 4096);
        if (p[0] == 0x01) {
            EXPECT_LE(p[12] | (p[13] << 8), 255) << "page " << page;
        }
    }
    EXPECT_EQ(ReadMdb(path, "Parts").size(), rows.size() + 1);
}

namespace {
// A workbook's sheets as libfreexl reads them: names, and each sheet's cells row by row ("" for
// an empty cell, numbers marked so that a text never equals one).
struct BookRead {
    std::vector<std::u16string> names;
    std::vector<Rows> sheets;
};

BookRead ReadBook(const std::string& path) {
    BookRead out;
    XLxWorkbook book;
    std::string why;
    EXPECT_TRUE(XLx::LoadWorkbook(path, book, why)) << why;
    for (const XLxSheet& sheet : book.sheets) {
        out.names.push_back(sheet.name);
        Rows rows;
        for (const auto& [key, cell] : sheet.cells) {
            const uint32_t r = XLxSheet::RowOf(key);
            const uint16_t c = XLxSheet::ColumnOf(key);
            if (rows.size() <= r) rows.resize(r + 1);
            if (rows[r].size() <= c) rows[r].resize(c + 1);
            rows[r][c] = cell.kind == XLxCell::Kind::Number ? u"#number" : cell.text;
        }
        out.sheets.push_back(rows);
    }
    return out;
}
} // namespace

// Code 1, the workbook written when the spreadsheet application cannot start: one sheet named
// after the table, headings in the first row, the rows below, every value the text it was,
// numbers-like texts and texts beyond code page 1252 included.
TEST(BqxBomDbTableXls, TheTableReadsBackAsOneSheet) {
    struct Case {
        const char* what;
        std::u16string tableName;
        std::u16string sheetName;
    };
    const Case cases[] = {
        {"named", u"Parts", u"Parts"},
        {"long name cut", u"Bill of materials of the bracket assembly",
         u"Bill of materials of the bracke"},
        {"characters sheet names forbid", u"Parts [rev A]: 1/2?", u"Parts _rev A__ 1_2_"},
        {"no name", u"", u"Sheet1"},
    };
    Rows rows = kRows;
    rows.push_back({u"11", u"\u65e5\u672c-7", u"007", u"1.50"});
    KorvuTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("parts.xls");
        BqxBomDbTable table = MakeTable(kHeadings, rows);
        table.SetTableName(c.tableName);
        EXPECT_EQ(table.SheetName(), c.sheetName);
        ASSERT_TRUE(table.ExportTable(UTx16(path), BqxBomDbTable::kWorkbook)) << table.LastError();
        EXPECT_TRUE(table.LastError().empty());

        const BookRead back = ReadBook(path);
        EXPECT_EQ(back.names, std::vector<std::u16string>{c.sheetName});
        ASSERT_EQ(back.sheets.size(), 1u);
        Rows want{kHeadings};
        for (const auto& row : rows) {
            want.push_back(row);
            // An empty text is an empty cell; the reader does not see trailing ones.
            while (!want.back().empty() && want.back().back().empty()) want.back().pop_back();
        }
        EXPECT_EQ(back.sheets[0], want);
    }
}

// A workbook that cannot be written or that the format cannot hold leaves the previous file
// and says why, naming the path.
TEST(BqxBomDbTableXls, FailedWorkbooksKeepThePreviousFile) {
    KorvuTempDir dir;
    const std::string previous = "the previous workbook";
    Rows tooMany(65536, std::vector<std::u16string>{u"r"});
    struct Case {
        const char* what;
        Rows rows;
        std::string reason;
    };
    const Case cases[] = {
        {"read-only folder", kRows, "Permission denied"},
        {"more rows than a sheet holds", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = dir.File(c.what);
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
        const std::string path = folder + "/parts.xls";
        WriteAll(path, previous);
        bool written = true;
        std::string error;
        if (c.reason.empty()) {
            BqxBomDbTable table = MakeTable({u"A"}, tooMany);
            written = table.ExportTable(UTx16(path), BqxBomDbTable::kWorkbook);
            error = table.LastError();
            EXPECT_EQ(error, "Cannot write \"" + path +
                                 "\": a worksheet holds 65536 rows of 256 columns, this table "
                                 "needs 65537 rows of 1");
        } else {
            BqxBomDbTable table = MakeTable(kHeadings, c.rows);
            ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
            {
                NoPermissionOverride asUser;
                written = table.ExportTable(UTx16(path), BqxBomDbTable::kWorkbook);
            }
            chmod(folder.c_str(), 0755);
            error = table.LastError();
            EXPECT_EQ(error.rfind("Cannot write \"" + path + "\": ", 0), 0u) << error;
            EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(ReadAll(path), previous);
        EXPECT_EQ(KorvuFolderNames(folder), std::vector<std::string>{"parts.xls"});
    }
}
