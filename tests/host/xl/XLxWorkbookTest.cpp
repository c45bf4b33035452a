// Workbooks saved by our writer and read back cell by cell by libfreexl.
#include "xl/XLxWorkbook.h"

#include "KorvuTestSupport.h"
#include "utx/UTxString16.h"

#include <freexl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every sheet name and every cell of `book` as libfreexl reads them from `path`.
void ExpectReadsBack(const std::string& path, const XLxWorkbook& book)
{
    const void* h = nullptr;
    ASSERT_EQ(freexl_open(path.c_str(), &h), FREEXL_OK);
    std::unique_ptr<const void, int (*)(const void*)> closer(h, freexl_close);
    unsigned int sheets = 0;
    ASSERT_EQ(freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &sheets), FREEXL_OK);
    ASSERT_EQ(sheets, book.sheets.size());
    for (unsigned short i = 0; i < sheets; ++i) {
        const XLxSheet& want = book.sheets[i];
        SCOPED_TRACE("sheet " + std::to_string(i));
        const char* name = nullptr;
        ASSERT_EQ(freexl_get_worksheet_name(h, i, &name), FREEXL_OK);
        EXPECT_EQ(UTx::MakeWideString(name), want.name);
        ASSERT_EQ(freexl_select_active_worksheet(h, i), FREEXL_OK);
        unsigned int rows = 0;
        unsigned short columns = 0;
        ASSERT_EQ(freexl_worksheet_dimensions(h, &rows, &columns), FREEXL_OK);
        for (const auto& [key, cell] : want.cells) {
            const uint32_t r = XLxSheet::RowOf(key);
            const uint16_t c = XLxSheet::ColumnOf(key);
            ASSERT_LT(r, rows);
            ASSERT_LT(c, columns);
            FreeXL_CellValue v;
            ASSERT_EQ(freexl_get_cell_value(h, r, c, &v), FREEXL_OK);
            switch (cell.kind == XLxCell::Kind::Text && cell.text.empty() ? XLxCell::Kind::Empty : cell.kind) {
            case XLxCell::Kind::Text:
                ASSERT_EQ(v.type, FREEXL_CELL_SST_TEXT) << r << "," << c;
                ASSERT_EQ(UTx::MakeWideString(v.value.text_value), cell.text) << r << "," << c;
                break;
            case XLxCell::Kind::Number:
                ASSERT_TRUE(v.type == FREEXL_CELL_DOUBLE || v.type == FREEXL_CELL_INT) << r << "," << c;
                ASSERT_EQ(v.type == FREEXL_CELL_INT ? double(v.value.int_value) : v.value.double_value,
                          cell.number);
                break;
            case XLxCell::Kind::Empty:
                ASSERT_EQ(v.type, FREEXL_CELL_NULL);
                break;
            }
        }
    }
}

XLxCell Text(std::u16string s, uint8_t align = 0, bool border = false, std::u16string format = {})
{
    XLxCell c;
    c.kind = XLxCell::Kind::Text;
    c.text = std::move(s);
    c.horizontalAlign = align;
    c.border = border;
    c.numberFormat = std::move(format);
    return c;
}

XLxCell Number(double d, std::u16string format = {})
{
    XLxCell c;
    c.kind = XLxCell::Kind::Number;
    c.number = d;
    c.numberFormat = std::move(format);
    return c;
}

// A parts list of `rows` rows and 8 columns, its texts partly outside Latin-1 and mostly unique,
// so that the string table runs over many continuation records.
XLxSheet PartsSheet(const std::u16string& name, uint32_t rows)
{
    XLxSheet s;
    s.name = name;
    for (uint32_t r = 0; r < rows; ++r)
        for (uint16_t c = 0; c < 8; ++c) {
            const std::u16string n = UTx::MakeWideString(std::to_string(r * 8 + c));
            if (c == 0)
                s.At(r, c) = Number(r + 1);
            else if (c % 3 == 1)
                s.At(r, c) = Text(u"Schraube M" + n + u" Ø größer Ω", 1, true);
            else if (c % 3 == 2)
                s.At(r, c) = Text(u"Wälzlager " + n, 2);
            else
                s.At(r, c) = Text(n + u" 螺丝", 3, false, u"@");
        }
    return s;
}

} // namespace

TEST(XLxWorkbook, SavedWorkbooksReadBackCellByCell)
{
    // One string longer than a record, wide and narrow, so that it is split inside its
    // characters and its continuation repeats the flags.
    std::u16string longWide, longNarrow;
    for (int i = 0; i < 6000; ++i) {
        longWide += static_cast<char16_t>(u'α' + i % 20);
        longNarrow += static_cast<char16_t>(u'a' + i % 26);
    }
    XLxSheet small;
    small.name = u"Stückliste";
    small.At(0, 0) = Text(u"Titel");
    small.At(1, 0) = Text(u"Pos.", 2, true);
    small.At(1, 1) = Text(u"", 1, true); // saved as an empty cell
    small.At(2, 0) = Number(1.25, u"0.00");
    small.At(2, 1) = Number(-3);
    small.At(2, 2) = XLxCell{}; // formatted, empty
    small.At(4, 255) = Text(u"last column");
    small.merges.push_back({0, 0, 0, 2});
    small.columnWidths[0] = 20 * 256;

    XLxSheet texts;
    texts.name = u"Texts";
    texts.At(0, 0) = Text(longWide);
    texts.At(0, 1) = Text(longNarrow);
    texts.At(1, 0) = Text(longWide); // shared with A1
    texts.At(7, 3) = Text(u"\r\n\"quoted\",; tab\t");

    XLxSheet empty;
    empty.name = u"Leer";

    struct Case {
        const char* what;
        XLxWorkbook book;
    };
    const Case cases[] = {
        {"one small sheet (mini stream)", XLxWorkbook{{small}}},
        {"several sheets", XLxWorkbook{{small, texts, empty}}},
        {"an empty sheet alone", XLxWorkbook{{empty}}},
        {"10000 rows of 8 columns", XLxWorkbook{{PartsSheet(u"Teile", 10000), small}}},
        // Past 7 MB the allocation table needs more sectors than the header can list.
        {"a file of 10 MB", XLxWorkbook{{PartsSheet(u"Teile", 25000), PartsSheet(u"Mehr", 10000)}}},
    };
    KorvuTempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.File("book.xls");
        std::string why;
        ASSERT_TRUE(XLx::SaveWorkbook(path, c.book, why)) << why;
        SCOPED_TRACE(std::to_string(FileBytes(path).size()) + " bytes");
        ExpectReadsBack(path, c.book);

        // Our own reader (the one templates use) sees the same cells.
        XLxWorkbook back;
        ASSERT_TRUE(XLx::LoadWorkbook(path, back, why)) << why;
        ASSERT_EQ(back.sheets.size(), c.book.sheets.size());
        for (size_t i = 0; i < back.sheets.size(); ++i)
            for (const auto& [key, cell] : c.book.sheets[i].cells) {
                if (cell.kind == XLxCell::Kind::Empty || (cell.kind == XLxCell::Kind::Text && cell.text.empty()))
                    continue;
                const XLxCell* got = back.sheets[i].Find(XLxSheet::RowOf(key), XLxSheet::ColumnOf(key));
                ASSERT_NE(got, nullptr);
                EXPECT_EQ(got->kind, cell.kind);
                EXPECT_EQ(got->text, cell.text);
                EXPECT_EQ(got->number, cell.number);
            }
    }
}

TEST(XLxWorkbook, LimitsOfTheFormatAreRefusedAndLeaveThePreviousFile)
{
    KorvuTempDir dir;
    const std::string path = dir.File("kept.xls");
    XLxWorkbook good{{PartsSheet(u"Teile", 3)}};
    std::string why;
    ASSERT_TRUE(XLx::SaveWorkbook(path, good, why)) << why;
    const std::vector<uint8_t> before = FileBytes(path);

    auto withCell = [](uint32_t row, uint16_t column) {
        XLxWorkbook b{{PartsSheet(u"Teile", 3)}};
        b.sheets[0].At(row, column) = Text(u"x");
        return b;
    };
    XLxWorkbook longName{{PartsSheet(u"a sheet name of thirty-two chars", 1)}};
    XLxWorkbook badMerge{{PartsSheet(u"Teile", 1)}};
    badMerge.sheets[0].merges.push_back({0, 0, 250, 256});
    struct Case {
        const char* what;
        XLxWorkbook book;
        const char* reason;
    };
    const Case cases[] = {
        {"column 257", withCell(0, 256), "256 columns"},
        {"row 65537", withCell(65536, 0), "65536 rows"},
        {"sheet name of 32 characters", longName, "31 characters"},
        {"no sheet", XLxWorkbook{}, "at least one worksheet"},
        {"merge past the last column", badMerge, "outside the worksheet"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        why.clear();
        EXPECT_FALSE(XLx::SaveWorkbook(path, c.book, why));
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_EQ(FileBytes(path), before);
    }

    // A disk that fills up mid-way.
    {
        KorvuFileSizeLimit limit(4096);
        why.clear();
        EXPECT_FALSE(XLx::SaveWorkbook(path, XLxWorkbook{{PartsSheet(u"Teile", 2000)}}, why));
        EXPECT_FALSE(why.empty());
    }
    EXPECT_EQ(FileBytes(path), before);

    // A folder that cannot be written.
    const std::string locked = dir.File("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0500), 0);
    if (access(locked.c_str(), W_OK) != 0) { // root writes anywhere
        why.clear();
        EXPECT_FALSE(XLx::SaveWorkbook(locked + "/b.xls", good, why));
        EXPECT_FALSE(why.empty());
    }
}

TEST(XLxWorkbook, DamagedTemplatesFailToLoadWithAReason)
{
    KorvuTempDir dir;
    const std::string good = dir.File("good.xls");
    XLxWorkbook book{{PartsSheet(u"Teile", 40), PartsSheet(u"Mehr", 2)}};
    std::string why;
    ASSERT_TRUE(XLx::SaveWorkbook(good, book, why)) << why;
    const std::vector<uint8_t> bytes = FileBytes(good);
    const std::string damaged = dir.File("damaged.xls");
    for (size_t cut = 0; cut < bytes.size(); cut += 61) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        std::ofstream(damaged, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(cut));
        XLxWorkbook back;
        why.clear();
        if (!XLx::LoadWorkbook(damaged, back, why)) {
            EXPECT_NE(why.find(damaged), std::string::npos) << why;
        }
    }
}
