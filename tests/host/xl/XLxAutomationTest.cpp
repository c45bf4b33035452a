// The spreadsheet application's automation server driven by dispatch id, as the parts-list
// export drives it, with the saved workbooks read back by libfreexl.
#include "xl/XLxAutomation.h"
#include "xl/XLxWorkbook.h"

#include "KorvuTestSupport.h"
#include "OleAutomation.h"
#include "utx/UTxString16.h"

#include <freexl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

namespace {

const COleVariant kMissing = COleVariant::Missing();

std::vector<COleVariant> Missing(size_t n)
{
    return std::vector<COleVariant>(n, kMissing);
}

COleDispatchDriver Get(COleDispatchDriver d, DISPID id, std::vector<COleVariant> args = {})
{
    return d.GetObject(id, DISPATCH_PROPERTYGET, args);
}

void Put(COleDispatchDriver d, DISPID id, std::vector<COleVariant> args)
{
    d.InvokeHelper(id, DISPATCH_PROPERTYPUT, args);
}

COleDispatchDriver Range(COleDispatchDriver sheet, const char16_t* ref)
{
    return Get(sheet, 0xc5, {COleVariant(ref), kMissing});
}

COleDispatchDriver Offset(COleDispatchDriver r, int16_t rows, int16_t columns)
{
    return Get(r, 0xfe, {COleVariant(rows), COleVariant(columns)});
}

COleDispatchDriver Resize(COleDispatchDriver r, int16_t rows, int16_t columns)
{
    return Get(r, 0x100, {COleVariant(rows), COleVariant(columns)});
}

void SetValue(COleDispatchDriver r, const std::u16string& text)
{
    Put(r, 0x6, {kMissing, COleVariant(text)});
}

// Save as, the long form with format 56 or the short one with format 43.
void SaveAs(COleDispatchDriver& book, const std::string& path, bool shortForm = false)
{
    std::vector<COleVariant> args = Missing(shortForm ? 11 : 12);
    args[0] = COleVariant(UTx::MakeWideString(path));
    args[1] = COleVariant(int16_t(shortForm ? 43 : 56));
    args[4] = COleVariant(int16_t(0));
    args[5] = COleVariant(int16_t(0));
    args[6] = COleVariant(int32_t(1));
    args[7] = COleVariant(int32_t(1));
    book.InvokeHelper(shortForm ? 0x11c : 0x785, DISPATCH_METHOD, args);
}

struct Session {
    COleDispatchDriver app, books;
    Session()
    {
        EXPECT_TRUE(app.CreateDispatch(u"Excel.Application"));
        books = Get(app, 0x23c);
        Put(app, 0x157, {COleVariant(false)});
    }
    COleDispatchDriver NewBook()
    {
        return books.GetObject(0xb5, DISPATCH_METHOD, {COleVariant(int16_t(-4167))});
    }
    COleDispatchDriver Open(const std::string& path)
    {
        std::vector<COleVariant> args = Missing(15);
        args[0] = COleVariant(UTx::MakeWideString(path));
        return books.GetObject(0x783, DISPATCH_METHOD, args);
    }
};

// The text or number libfreexl reads at a cell, as text ("" when empty).
struct Reader {
    const void* h = nullptr;
    explicit Reader(const std::string& path) { EXPECT_EQ(freexl_open(path.c_str(), &h), FREEXL_OK); }
    ~Reader() { freexl_close(h); }
    unsigned Sheets() const
    {
        unsigned n = 0;
        freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &n);
        return n;
    }
    std::u16string Name(unsigned short i) const
    {
        const char* n = "";
        freexl_get_worksheet_name(h, i, &n);
        return UTx::MakeWideString(n);
    }
    std::u16string Cell(unsigned short sheet, unsigned row, unsigned short column) const
    {
        freexl_select_active_worksheet(h, sheet);
        unsigned rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(h, &rows, &columns);
        if (row >= rows || column >= columns)
            return u"";
        FreeXL_CellValue v;
        if (freexl_get_cell_value(h, row, column, &v) != FREEXL_OK)
            return u"<error>";
        char buf[32];
        switch (v.type) {
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_TEXT:
            return UTx::MakeWideString(v.value.text_value);
        case FREEXL_CELL_INT:
            return UTx::MakeWideString(std::to_string(v.value.int_value));
        case FREEXL_CELL_DOUBLE:
            std::snprintf(buf, sizeof buf, "%g", v.value.double_value);
            return UTx::MakeWideString(buf);
        default:
            return u"";
        }
    }
};

std::vector<uint8_t> FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(XLxAutomation, BlockFromAStartCellIsSavedWhereItWasWritten)
{
    KorvuTempDir dir;
    const std::string path = dir.File("list.xls");
    Session s;
    EXPECT_EQ(s.app.InvokeHelper(0x188, DISPATCH_PROPERTYGET).bstrVal, u"12.0");
    COleDispatchDriver book = s.NewBook();
    COleDispatchDriver sheets = Get(book, 0x1ee);
    EXPECT_EQ(sheets.InvokeHelper(0x76, DISPATCH_PROPERTYGET).lVal, 1);
    COleDispatchDriver sheet = Get(sheets, 0xaa, {COleVariant(int16_t(1))});
    Put(sheet, 0x6e, {COleVariant(u"Stückliste")});

    // Title in C5, merged and centred over three columns; headings below; data from row 7.
    COleDispatchDriver cursor = Range(sheet, u"C5");
    COleDispatchDriver title = Range(sheet, u"C5");
    SetValue(title, u"Baugruppe Ω");
    title = Resize(title, 1, 3);
    title.InvokeHelper(0x234, DISPATCH_METHOD, {COleVariant(int16_t(0))});
    Put(title, 0x88, {COleVariant(int16_t(-4108))});
    cursor = Offset(cursor, 1, 0);
    const std::u16string headings[] = {u"Pos.", u"Benennung", u"Menge"};
    for (int16_t i = 0; i < 3; ++i) {
        COleDispatchDriver cell = Offset(cursor, 0, i);
        SetValue(cell, headings[i]);
    }
    cursor = Offset(cursor, 1, 0);
    const std::u16string data[2][3] = {{u"1", u"Welle Ø20", u"2"}, {u"2", u"Lager 6204-2RS", u"4"}};
    for (int16_t c = 0; c < 3; ++c)
        for (int16_t r = 0; r < 2; ++r) {
            COleDispatchDriver cell = Offset(cursor, r, c);
            SetValue(cell, data[r][c]);
        }
    COleDispatchDriver block = Resize(Range(sheet, u"C5"), 4, 3);
    COleDispatchDriver borders = Get(block, 0x1b3);
    Put(borders, 0x78, {COleVariant(int16_t(2))});
    COleDispatchDriver columns = Get(Resize(Range(sheet, u"C5"), 1, 3), 0xf6);
    columns.InvokeHelper(0xed, DISPATCH_METHOD);
    SaveAs(book, path);
    s.books.InvokeHelper(0x115, DISPATCH_METHOD);
    s.app.InvokeHelper(0x12e, DISPATCH_METHOD);

    Reader xls(path);
    ASSERT_EQ(xls.Sheets(), 1u);
    EXPECT_EQ(xls.Name(0), u"Stückliste");
    EXPECT_EQ(xls.Cell(0, 4, 2), u"Baugruppe Ω");
    EXPECT_EQ(xls.Cell(0, 4, 3), u"");
    EXPECT_EQ(xls.Cell(0, 3, 2), u"");
    EXPECT_EQ(xls.Cell(0, 4, 1), u"");
    for (unsigned short c = 0; c < 3; ++c) {
        EXPECT_EQ(xls.Cell(0, 5, 2 + c), headings[c]);
        for (unsigned r = 0; r < 2; ++r)
            EXPECT_EQ(xls.Cell(0, 6 + r, 2 + c), data[r][c]);
    }
}

TEST(XLxAutomation, TextsThatReadAsNumbersAreConvertedUnlessFormattedAsText)
{
    Session s;
    COleDispatchDriver book = s.NewBook();
    COleDispatchDriver sheets = Get(book, 0x1ee);
    COleDispatchDriver sheet = Get(sheets, 0xaa, {COleVariant(int16_t(1))});
    struct Case {
        std::u16string text;
        bool number;
    } cases[] = {{u"007", true}, {u"-1.5e3", true}, {u" 12 ", true}, {u"M8x20", false},
                 {u"", false}, {u"Ø 20", false}, {u"+", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        COleDispatchDriver cell = Range(sheet, u"B2");
        Put(cell, 0xc1, {COleVariant(u"General")});
        Put(cell, 0x56c, {COleVariant(c.text)});
        const COleVariant first = cell.InvokeHelper(0x56c, DISPATCH_PROPERTYGET);
        EXPECT_EQ(first.vt, c.text.empty() ? VT_EMPTY : c.number ? VT_R8 : VT_BSTR);
        Put(cell, 0xc1, {COleVariant(u"@")});
        SetValue(cell, c.text);
        const COleVariant again = cell.InvokeHelper(0x6, DISPATCH_PROPERTYGET, {kMissing});
        EXPECT_EQ(again.vt, c.text.empty() ? VT_EMPTY : VT_BSTR);
        EXPECT_EQ(again.bstrVal, c.text);
    }
}

TEST(XLxAutomation, WorkbooksOpenedOrMadeFromATemplateKeepTheirOtherSheets)
{
    KorvuTempDir dir;
    const std::string templ = dir.File("template.xls");
    XLxWorkbook t;
    t.sheets.resize(2);
    t.sheets[0].name = u"Deckblatt";
    t.sheets[0].At(0, 0).kind = XLxCell::Kind::Text;
    t.sheets[0].At(0, 0).text = u"Firma Ä";
    t.sheets[1].name = u"Teile";
    t.sheets[1].At(2, 1).kind = XLxCell::Kind::Number;
    t.sheets[1].At(2, 1).number = 42;
    std::string why;
    ASSERT_TRUE(XLx::SaveWorkbook(templ, t, why)) << why;

    struct Case {
        const char* what;
        std::function<COleDispatchDriver(Session&, const std::string& out)> open;
    };
    const Case cases[] = {
        {"added from the template and saved elsewhere",
         [&](Session& s, const std::string&) {
             return s.books.GetObject(0xb5, DISPATCH_METHOD, {COleVariant(UTx::MakeWideString(templ))});
         }},
        {"opened and saved over itself (short save)",
         [&](Session& s, const std::string&) { return s.Open(templ); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool inPlace = &c == &cases[1];
        const std::string out = inPlace ? templ : dir.File("made.xls");
        Session s;
        COleDispatchDriver book = c.open(s, out);
        COleDispatchDriver sheets = Get(book, 0x1ee);
        ASSERT_EQ(sheets.InvokeHelper(0x76, DISPATCH_PROPERTYGET).lVal, 2);
        // The name is taken, whatever the letter case.
        COleDispatchDriver second = Get(sheets, 0xaa, {COleVariant(int16_t(2))});
        EXPECT_EQ(second.InvokeHelper(0x6e, DISPATCH_PROPERTYGET).bstrVal, u"Teile");
        COleDispatchDriver added = sheets.GetObject(0xb5, DISPATCH_METHOD, Missing(4));
        EXPECT_THROW(Put(added, 0x6e, {COleVariant(u"TEILE")}), COleDispatchException);
        Put(added, 0x6e, {COleVariant(u"Stückliste 2")});
        COleDispatchDriver cell = Range(added, u"A1");
        SetValue(cell, u"neu");
        SaveAs(book, out, inPlace);

        Reader xls(out);
        ASSERT_EQ(xls.Sheets(), 3u);
        // Added before the active (first) sheet.
        EXPECT_EQ(xls.Name(0), u"Stückliste 2");
        EXPECT_EQ(xls.Cell(0, 0, 0), u"neu");
        EXPECT_EQ(xls.Name(1), u"Deckblatt");
        EXPECT_EQ(xls.Cell(1, 0, 0), u"Firma Ä");
        EXPECT_EQ(xls.Name(2), u"Teile");
        EXPECT_EQ(xls.Cell(2, 2, 1), u"42");
    }
}

TEST(XLxAutomation, CallsOutsideTheLimitsAreRefusedWithAReason)
{
    KorvuTempDir dir;
    const std::string notABook = dir.File("list.xls");
    std::ofstream(notABook) << "Pos.;Benennung\n1;Welle\n";
    Session s;
    COleDispatchDriver book = s.NewBook();
    COleDispatchDriver sheets = Get(book, 0x1ee);
    COleDispatchDriver sheet = Get(sheets, 0xaa, {COleVariant(int16_t(1))});
    struct Case {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"start cell in column 257", [&] { Range(sheet, u"IW1"); }},
        {"start cell in row 65537", [&] { Range(sheet, u"A65537"); }},
        {"not a reference", [&] { Range(sheet, u"5C"); }},
        {"resize past column 256",
         [&] {
             COleDispatchDriver r = Range(sheet, u"IU1");
             Resize(r, 1, 3);
         }},
        {"offset above row 1",
         [&] {
             COleDispatchDriver r = Range(sheet, u"A1");
             Offset(r, -1, 0);
         }},
        {"sheet name of 32 characters", [&] { Put(sheet, 0x6e, {COleVariant(u"abcdefghijklmnopqrstuvwxyz012345")}); }},
        {"sheet name with a slash", [&] { Put(sheet, 0x6e, {COleVariant(u"a/b")}); }},
        {"worksheet 2 of 1", [&] { Get(sheets, 0xaa, {COleVariant(int16_t(2))}); }},
        {"open a text file", [&] { s.Open(notABook); }},
        {"a template that does not exist",
         [&] { s.books.GetObject(0xb5, DISPATCH_METHOD, {COleVariant(UTx::MakeWideString(dir.File("none.xls")))}); }},
        {"save as a format other than 43 or 56",
         [&] {
             std::vector<COleVariant> args = Missing(12);
             args[0] = COleVariant(u"/tmp/never.xlsx");
             args[1] = COleVariant(int16_t(51));
             book.InvokeHelper(0x785, DISPATCH_METHOD, args);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            c.call();
            ADD_FAILURE() << "not refused";
        } catch (const COleDispatchException& e) {
            EXPECT_FALSE(e.m_strDescription.empty());
        }
    }
    // A member that does not exist, or the wrong number of arguments, is a call error.
    EXPECT_THROW(sheet.InvokeHelper(0x9999, DISPATCH_METHOD), COleException);
    EXPECT_THROW(sheet.InvokeHelper(0xc5, DISPATCH_PROPERTYGET, {COleVariant(u"A1")}), COleException);
}

TEST(XLxAutomation, AFailedSaveRaisesItsReasonAndKeepsThePreviousFile)
{
    KorvuTempDir dir;
    const std::string path = dir.File("kept.xls");
    {
        Session s;
        COleDispatchDriver book = s.NewBook();
        SaveAs(book, path);
    }
    const std::vector<uint8_t> before = FileBytes(path);
    ASSERT_FALSE(before.empty());

    Session s;
    COleDispatchDriver book = s.NewBook();
    COleDispatchDriver sheets = Get(book, 0x1ee);
    COleDispatchDriver sheet = Get(sheets, 0xaa, {COleVariant(int16_t(1))});
    COleDispatchDriver block = Resize(Range(sheet, u"A1"), 3000, 8);
    SetValue(block, u"a text long enough to fill more than a few sectors");
    {
        KorvuFileSizeLimit limit(4096);
        try {
            SaveAs(book, path);
            ADD_FAILURE() << "saved on a full disk";
        } catch (const COleDispatchException& e) {
            EXPECT_NE(UTx::ToUtf8(e.m_strDescription).find(path), std::string::npos);
        }
    }
    EXPECT_EQ(FileBytes(path), before);
}

TEST(XLxAutomation, TheApplicationCanBeMadeUnableToStart)
{
    XLx::SetApplicationCanStart(false);
    COleDispatchDriver app;
    SCODE sc = S_OK;
    const bool started = app.CreateDispatch(u"Excel.Application", &sc);
    XLx::SetApplicationCanStart(true);
    EXPECT_FALSE(started);
    EXPECT_NE(sc, S_OK);
    EXPECT_EQ(app.GetDispatch(), nullptr);
    EXPECT_THROW(app.InvokeHelper(0x188, DISPATCH_PROPERTYGET), COleException);

    EXPECT_TRUE(app.CreateDispatch(u"Excel.Application"));
    XLx::SetApplicationVersion(u"9.0");
    const COleVariant version = app.InvokeHelper(0x188, DISPATCH_PROPERTYGET);
    XLx::SetApplicationVersion(u"12.0");
    EXPECT_EQ(version.bstrVal, u"9.0");
}
