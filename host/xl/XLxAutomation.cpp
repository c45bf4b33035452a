#include "XLxAutomation.h"

#include "XLxWorkbook.h"

#include "OleAutomation.h"
#include "utx/UTxString16.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

bool g_canStart = true;
std::u16string g_version = u"12.0";

// What a failed member answers: the description goes to the caller's dispatch exception.
struct Refusal {
    std::u16string text;
};
struct BadCall {
    SCODE sc;
};

bool IsGet(uint16_t flags) { return flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET); }
bool IsPut(uint16_t flags) { return flags & DISPATCH_PROPERTYPUT; }

void Expect(bool kindOk, const std::vector<COleVariant>& args, size_t count)
{
    if (!kindOk)
        throw BadCall{DISP_E_MEMBERNOTFOUND};
    if (args.size() != count)
        throw BadCall{DISP_E_BADPARAMCOUNT};
}

int32_t AsInt(const COleVariant& v, int32_t missing)
{
    switch (v.vt) {
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
        return v.lVal;
    case VT_R8:
        if (std::isfinite(v.dblVal) && std::fabs(v.dblVal) < 2e9)
            return static_cast<int32_t>(std::lround(v.dblVal));
        break;
    case VT_ERROR:
        if (v.IsMissing())
            return missing;
        break;
    default:
        break;
    }
    throw BadCall{DISP_E_TYPEMISMATCH};
}

const std::u16string& AsText(const COleVariant& v)
{
    if (v.vt != VT_BSTR)
        throw BadCall{DISP_E_TYPEMISMATCH};
    return v.bstrVal;
}

// A text the application would take as a number: decimal, optionally signed, nothing else.
bool ReadsAsNumber(const std::u16string& text, double& value)
{
    const std::string s = UTx::ToUtf8(text);
    size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    if (b == std::string::npos)
        return false;
    const std::string t = s.substr(b, e - b + 1);
    if (t.find_first_not_of("+-.0123456789eE") != std::string::npos ||
        t.find_first_of("0123456789") == std::string::npos)
        return false;
    char* end = nullptr;
    value = std::strtod(t.c_str(), &end);
    return end == t.c_str() + t.size() && std::isfinite(value);
}

using SheetPtr = std::shared_ptr<XLxSheet>;

struct Book {
    std::vector<SheetPtr> sheets;
    size_t active = 0;
};
using BookPtr = std::shared_ptr<Book>;

class Object : public IDispatch {
public:
    SCODE Invoke(DISPID id, uint16_t flags, const std::vector<COleVariant>& args,
                 COleVariant& result, std::u16string& description) final
    {
        try {
            result = Call(id, flags, args);
            return S_OK;
        } catch (const Refusal& r) {
            description = r.text;
            return DISP_E_EXCEPTION;
        } catch (const BadCall& b) {
            return b.sc;
        }
    }

protected:
    virtual COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) = 0;
};

// Cell (r1, c1) to (r2, c2), inclusive.
struct Area {
    uint32_t r1, r2;
    uint16_t c1, c2;
    uint64_t Cells() const { return uint64_t(r2 - r1 + 1) * (c2 - c1 + 1); }
};

Area MakeArea(int64_t r1, int64_t c1, int64_t rows, int64_t columns)
{
    if (r1 < 0 || c1 < 0 || rows < 1 || columns < 1 || r1 + rows > XLxSheet::kRows ||
        c1 + columns > XLxSheet::kColumns)
        throw Refusal{u"The range lies outside the worksheet (65536 rows, 256 columns)."};
    return Area{static_cast<uint32_t>(r1), static_cast<uint32_t>(r1 + rows - 1),
                static_cast<uint16_t>(c1), static_cast<uint16_t>(c1 + columns - 1)};
}

// "C5", "$C$5" or "A1:B2"; columns past "IV" or rows past 65536 are refused.
Area ParseReference(const std::u16string& text)
{
    auto cell = [&](std::u16string_view s, int64_t& row, int64_t& column) {
        size_t i = 0;
        auto dollar = [&] {
            if (i < s.size() && s[i] == u'$')
                ++i;
        };
        dollar();
        column = 0;
        size_t letters = 0;
        for (; i < s.size() && std::isalpha(static_cast<unsigned char>(s[i] < 0x80 ? s[i] : 0)); ++i, ++letters)
            column = column * 26 + (std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 1);
        dollar();
        row = 0;
        size_t digits = 0;
        for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9' && digits < 9; ++i, ++digits)
            row = row * 10 + (s[i] - u'0');
        if (letters == 0 || letters > 3 || digits == 0 || i != s.size())
            throw Refusal{u"\"" + text + u"\" is not a cell reference."};
        --row;
        --column;
    };
    const size_t colon = text.find(u':');
    int64_t r1, c1, r2, c2;
    cell(std::u16string_view(text).substr(0, colon), r1, c1);
    if (colon == std::u16string::npos) {
        r2 = r1;
        c2 = c1;
    } else {
        cell(std::u16string_view(text).substr(colon + 1), r2, c2);
    }
    return MakeArea(std::min(r1, r2), std::min(c1, c2), std::abs(r2 - r1) + 1, std::abs(c2 - c1) + 1);
}

class Range;

// Applies `f` to each cell of the area, made when missing; on a whole column only to the
// cells that exist, so that formatting one does not fill 65536 rows.
template <class F>
void ForEachCell(XLxSheet& sheet, const Area& a, F f)
{
    if (a.Cells() > (1u << 20)) {
        for (auto& [key, cell] : sheet.cells)
            if (XLxSheet::RowOf(key) >= a.r1 && XLxSheet::RowOf(key) <= a.r2 &&
                XLxSheet::ColumnOf(key) >= a.c1 && XLxSheet::ColumnOf(key) <= a.c2)
                f(cell);
        return;
    }
    for (uint32_t r = a.r1; r <= a.r2; ++r)
        for (uint32_t c = a.c1; c <= a.c2; ++c)
            f(sheet.At(r, static_cast<uint16_t>(c)));
}

class Borders final : public Object {
public:
    Borders(SheetPtr sheet, Area area) : m_sheet(std::move(sheet)), m_area(area) {}

protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        if (id != 0x78)
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        Expect(IsPut(flags), args, 1);
        const int32_t weight = AsInt(args[0], 0);
        if (weight != 1 && weight != 2 && weight != -4138 && weight != 4)
            throw Refusal{u"Unable to set the Weight property of the Borders class."};
        ForEachCell(*m_sheet, m_area, [](XLxCell& c) { c.border = true; });
        return {};
    }

private:
    SheetPtr m_sheet;
    Area m_area;
};

class Range final : public Object {
public:
    Range(SheetPtr sheet, Area area) : m_sheet(std::move(sheet)), m_area(area) {}

protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        switch (id) {
        case 0xfe: // offset
            Expect(IsGet(flags), args, 2);
            return Make(MakeArea(int64_t(m_area.r1) + AsInt(args[0], 0), int64_t(m_area.c1) + AsInt(args[1], 0),
                                 m_area.r2 - m_area.r1 + 1, m_area.c2 - m_area.c1 + 1));
        case 0x100: // resize
            Expect(IsGet(flags), args, 2);
            return Make(MakeArea(m_area.r1, m_area.c1, AsInt(args[0], int32_t(m_area.r2 - m_area.r1 + 1)),
                                 AsInt(args[1], int32_t(m_area.c2 - m_area.c1 + 1))));
        case 0x6:
            if (IsPut(flags)) {
                Expect(true, args, 2);
                return Put(args[1]);
            }
            Expect(IsGet(flags), args, 1);
            return Get();
        case 0x56c:
            if (IsPut(flags)) {
                Expect(true, args, 1);
                return Put(args[0]);
            }
            Expect(IsGet(flags), args, 0);
            return Get();
        case 0xc1: { // number format
            Expect(IsPut(flags), args, 1);
            const std::u16string format = AsText(args[0]);
            ForEachCell(*m_sheet, m_area, [&](XLxCell& c) { c.numberFormat = format; });
            return {};
        }
        case 0x88: { // horizontal alignment
            Expect(IsPut(flags), args, 1);
            uint8_t align;
            switch (AsInt(args[0], 0)) {
            case 1: align = 0; break;
            case -4131: align = 1; break;
            case -4108: align = 2; break;
            case -4152: align = 3; break;
            default: throw Refusal{u"Unable to set the HorizontalAlignment property of the Range class."};
            }
            ForEachCell(*m_sheet, m_area, [&](XLxCell& c) { c.horizontalAlign = align; });
            return {};
        }
        case 0x234: { // merge: the block keeps its top-left value
            Expect(IsGet(flags), args, 1);
            const bool across = AsInt(args[0], 0) != 0;
            for (uint32_t r = m_area.r1; r <= m_area.r2; ++r) {
                if (across || r == m_area.r1)
                    m_sheet->merges.push_back({r, across ? r : m_area.r2, m_area.c1, m_area.c2});
                for (uint32_t c = m_area.c1; c <= m_area.c2; ++c)
                    if ((c != m_area.c1 || (!across && r != m_area.r1)))
                        if (auto it = m_sheet->cells.find(XLxSheet::Key(r, uint16_t(c))); it != m_sheet->cells.end()) {
                            it->second.kind = XLxCell::Kind::Empty;
                            it->second.text.clear();
                        }
            }
            return {};
        }
        case 0x1b3:
            Expect(IsGet(flags), args, 0);
            return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Borders>(m_sheet, m_area)));
        case 0xf6:
            Expect(IsGet(flags), args, 0);
            return Make(Area{0, XLxSheet::kRows - 1, m_area.c1, m_area.c2});
        case 0xed:
            Expect(IsGet(flags), args, 0);
            AutoFit();
            return COleVariant(true);
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
    }

private:
    COleVariant Make(const Area& a) const
    {
        return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Range>(m_sheet, a)));
    }

    COleVariant Get() const
    {
        const XLxCell* c = m_sheet->Find(m_area.r1, m_area.c1);
        if (!c || c->kind == XLxCell::Kind::Empty)
            return {};
        if (c->kind == XLxCell::Kind::Number)
            return COleVariant(c->number);
        return COleVariant(c->text);
    }

    COleVariant Put(const COleVariant& v)
    {
        ForEachCell(*m_sheet, m_area, [&](XLxCell& c) {
            switch (v.vt) {
            case VT_EMPTY:
                c.kind = XLxCell::Kind::Empty;
                c.text.clear();
                break;
            case VT_I2:
            case VT_I4:
                c.kind = XLxCell::Kind::Number;
                c.number = v.lVal;
                break;
            case VT_R8:
                c.kind = XLxCell::Kind::Number;
                c.number = v.dblVal;
                break;
            case VT_BOOL:
                c.kind = XLxCell::Kind::Text;
                c.text = v.lVal ? u"TRUE" : u"FALSE";
                break;
            case VT_BSTR:
                if (v.bstrVal.empty()) { // the application leaves the cell empty
                    c.kind = XLxCell::Kind::Empty;
                    c.text.clear();
                } else if (c.numberFormat != u"@" && ReadsAsNumber(v.bstrVal, c.number)) {
                    c.kind = XLxCell::Kind::Number;
                    c.text.clear();
                } else {
                    c.kind = XLxCell::Kind::Text;
                    c.text = v.bstrVal;
                }
                break;
            default:
                throw BadCall{DISP_E_TYPEMISMATCH};
            }
        });
        return {};
    }

    // Each column as wide as its longest text, as shown (numbers in their shortest form).
    void AutoFit()
    {
        std::vector<size_t> longest(XLxSheet::kColumns, 0);
        std::vector<bool> seen(XLxSheet::kColumns, false);
        for (const auto& [key, cell] : m_sheet->cells) {
            const uint32_t r = XLxSheet::RowOf(key);
            const uint16_t c = XLxSheet::ColumnOf(key);
            if (r < m_area.r1 || r > m_area.r2 || c < m_area.c1 || c > m_area.c2 ||
                cell.kind == XLxCell::Kind::Empty)
                continue;
            size_t n = cell.text.size();
            if (cell.kind == XLxCell::Kind::Number) {
                char buf[32];
                n = static_cast<size_t>(std::snprintf(buf, sizeof buf, "%.15g", cell.number));
            }
            longest[c] = std::max(longest[c], n);
            seen[c] = true;
        }
        for (uint32_t c = m_area.c1; c <= m_area.c2; ++c)
            if (seen[c])
                m_sheet->columnWidths[uint16_t(c)] =
                    static_cast<uint16_t>(std::min<size_t>(longest[c] + 1, 255) * 256);
    }

    SheetPtr m_sheet;
    Area m_area;
};

bool ValidSheetName(const std::u16string& name)
{
    return !name.empty() && name.size() <= 31 && name.find_first_of(u"[]:*?/\\") == std::u16string::npos;
}

bool SameName(const std::u16string& a, const std::u16string& b)
{
    auto lower = [](char16_t c) { return c < 0x80 ? char16_t(std::tolower(c)) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

class Worksheet final : public Object {
public:
    Worksheet(BookPtr book, SheetPtr sheet) : m_book(std::move(book)), m_sheet(std::move(sheet)) {}

protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        switch (id) {
        case 0x6e:
            if (IsPut(flags)) {
                Expect(true, args, 1);
                const std::u16string& name = AsText(args[0]);
                if (!ValidSheetName(name))
                    throw Refusal{u"A sheet name has 1 to 31 characters, none of them [ ] : * ? / \\."};
                for (const SheetPtr& s : m_book->sheets)
                    if (s != m_sheet && SameName(s->name, name))
                        throw Refusal{u"That name is already taken. Try a different one."};
                m_sheet->name = name;
                return {};
            }
            Expect(IsGet(flags), args, 0);
            return COleVariant(m_sheet->name);
        case 0xc5: {
            Expect(IsGet(flags), args, 2);
            Area a = ParseReference(AsText(args[0]));
            if (!args[1].IsMissing()) {
                const Area b = ParseReference(AsText(args[1]));
                a = Area{std::min(a.r1, b.r1), std::max(a.r2, b.r2), std::min(a.c1, b.c1), std::max(a.c2, b.c2)};
            }
            return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Range>(m_sheet, a)));
        }
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
    }

private:
    BookPtr m_book;
    SheetPtr m_sheet;

    friend class Worksheets;
};

std::u16string FreshSheetName(const Book& book)
{
    for (size_t n = book.sheets.size() + 1;; ++n) {
        std::u16string name = u"Sheet" + UTx::MakeWideString(std::to_string(n));
        if (std::none_of(book.sheets.begin(), book.sheets.end(),
                         [&](const SheetPtr& s) { return SameName(s->name, name); }))
            return name;
    }
}

class Worksheets final : public Object {
public:
    explicit Worksheets(BookPtr book) : m_book(std::move(book)) {}

protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        switch (id) {
        case 0x76:
            Expect(IsGet(flags), args, 0);
            return COleVariant(static_cast<int32_t>(m_book->sheets.size()));
        case 0xaa: {
            Expect(IsGet(flags), args, 1);
            if (args[0].vt == VT_BSTR) {
                for (const SheetPtr& s : m_book->sheets)
                    if (SameName(s->name, args[0].bstrVal))
                        return Wrap(s);
            } else {
                const int32_t i = AsInt(args[0], 0);
                if (i >= 1 && size_t(i) <= m_book->sheets.size())
                    return Wrap(m_book->sheets[size_t(i) - 1]);
            }
            throw Refusal{u"Subscript out of range."};
        }
        case 0xb5: {
            Expect(IsGet(flags), args, 4);
            if (AsInt(args[2], 1) != 1 || AsInt(args[3], -4167) != -4167)
                throw Refusal{u"Only one worksheet at a time can be added."};
            size_t at = m_book->active;
            if (!args[0].IsMissing() || !args[1].IsMissing()) {
                const COleVariant& where = args[0].IsMissing() ? args[1] : args[0];
                auto* ws = where.vt == VT_DISPATCH ? dynamic_cast<Worksheet*>(where.pdispVal.get()) : nullptr;
                auto it = ws ? std::find(m_book->sheets.begin(), m_book->sheets.end(), ws->m_sheet)
                             : m_book->sheets.end();
                if (it == m_book->sheets.end())
                    throw BadCall{DISP_E_TYPEMISMATCH};
                at = size_t(it - m_book->sheets.begin()) + (args[0].IsMissing() ? 1 : 0);
            }
            auto sheet = std::make_shared<XLxSheet>();
            sheet->name = FreshSheetName(*m_book);
            m_book->sheets.insert(m_book->sheets.begin() + std::ptrdiff_t(at), sheet);
            m_book->active = at;
            return Wrap(sheet);
        }
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
    }

private:
    COleVariant Wrap(const SheetPtr& s) const
    {
        return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Worksheet>(m_book, s)));
    }

    BookPtr m_book;
};

class Workbook final : public Object {
public:
    explicit Workbook(BookPtr book) : m_book(std::move(book)) {}

protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        switch (id) {
        case 0x1ee:
            Expect(IsGet(flags), args, 0);
            return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Worksheets>(m_book)));
        case 0x785:
        case 0x11c: {
            Expect(IsGet(flags), args, id == 0x785 ? 12 : 11);
            const std::u16string& path = AsText(args[0]);
            const int32_t format = AsInt(args[1], 0);
            if (format != 43 && format != 56)
                throw Refusal{u"This file format cannot be saved."};
            XLxWorkbook book;
            for (const SheetPtr& s : m_book->sheets)
                book.sheets.push_back(*s);
            std::string why;
            if (!XLx::SaveWorkbook(UTx::ToUtf8(path), book, why))
                throw Refusal{u"Cannot save \"" + path + u"\": " + UTx::MakeWideString(why)};
            return {};
        }
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
    }

private:
    BookPtr m_book;
};

BookPtr LoadBook(const std::u16string& path)
{
    XLxWorkbook data;
    std::string why;
    if (!XLx::LoadWorkbook(UTx::ToUtf8(path), data, why))
        throw Refusal{u"Cannot open \"" + path + u"\": " + UTx::MakeWideString(why)};
    auto book = std::make_shared<Book>();
    for (XLxSheet& s : data.sheets)
        book->sheets.push_back(std::make_shared<XLxSheet>(std::move(s)));
    return book;
}

class Workbooks final : public Object {
protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        BookPtr book;
        switch (id) {
        case 0xb5:
            Expect(IsGet(flags), args, 1);
            if (args[0].vt == VT_BSTR) {
                book = LoadBook(args[0].bstrVal);
            } else {
                if (AsInt(args[0], -4167) != -4167)
                    throw Refusal{u"Only worksheet workbooks can be added."};
                book = std::make_shared<Book>();
                book->sheets.push_back(std::make_shared<XLxSheet>());
                book->sheets.back()->name = u"Sheet1";
            }
            break;
        case 0x783:
        case 0x2aa:
            Expect(IsGet(flags), args, id == 0x783 ? 15 : 13);
            book = LoadBook(AsText(args[0]));
            break;
        case 0x115:
            Expect(IsGet(flags), args, 0);
            m_open.clear();
            return {};
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
        m_open.push_back(book);
        return COleVariant(std::shared_ptr<IDispatch>(std::make_shared<Workbook>(book)));
    }

private:
    std::vector<BookPtr> m_open;
};

class Application final : public Object {
protected:
    COleVariant Call(DISPID id, uint16_t flags, const std::vector<COleVariant>& args) override
    {
        if (m_quit)
            throw Refusal{u"The application has quit."};
        switch (id) {
        case 0x188:
            Expect(IsGet(flags), args, 0);
            return COleVariant(g_version);
        case 0x23c:
            Expect(IsGet(flags), args, 0);
            return COleVariant(std::shared_ptr<IDispatch>(m_workbooks));
        case 0x157: // display alerts: nothing here ever asks, so the value is only checked
            Expect(IsPut(flags), args, 1);
            AsInt(args[0], 0);
            return {};
        case 0x12e:
            Expect(IsGet(flags), args, 0);
            m_quit = true;
            return {};
        default:
            throw BadCall{DISP_E_MEMBERNOTFOUND};
        }
    }

private:
    std::shared_ptr<Workbooks> m_workbooks = std::make_shared<Workbooks>();
    bool m_quit = false;
};

const bool g_registered = [] {
    WinRegisterAutomationServer(u"Excel.Application", [](SCODE& sc) -> std::shared_ptr<IDispatch> {
        if (!g_canStart) {
            sc = CO_E_SERVER_EXEC_FAILURE;
            return nullptr;
        }
        return std::make_shared<Application>();
    });
    return true;
}();

} // namespace

namespace XLx {
void SetApplicationCanStart(bool canStart)
{
    g_canStart = canStart;
}
void SetApplicationVersion(const std::u16string& version)
{
    g_version = version;
}
} // namespace XLx
