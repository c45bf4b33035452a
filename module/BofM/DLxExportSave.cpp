#include "BofM/DLxExportSave.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "BofM/DLxExcelExportDialog.h"
#include "BofM/DLxExportDialog.h"
#include "OleAutomation.h"
#include "Symbol/KorvuModule.h"
#include "WinLocale.h"
#include "WinMessageBox.h"
#include "WinModule.h"
#include "WinText.h"
#include "bom/BqxBomDbTable.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "utx/UTxFileWriter.h"

namespace {
UTxString16 Lower(UTxString16 text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return text;
}

// A field that holds the delimiter, a quote or a line break goes in quotes with its quotes
// doubled, so that a reader splits the line where the writer meant it to.
bool NeedsQuotes(std::u16string_view value, std::u16string_view delimiter) {
    if (delimiter.size() == 1) {
        const char16_t d = delimiter[0];
        for (char16_t c : value)
            if (c == d || c == u'"' || c == u'\r' || c == u'\n') return true;
        return false;
    }
    return (!delimiter.empty() && value.find(delimiter) != std::u16string_view::npos) ||
           value.find_first_of(u"\"\r\n") != std::u16string_view::npos;
}

void AppendField(std::u16string& out, std::u16string_view value, std::u16string_view delimiter) {
    if (!NeedsQuotes(value, delimiter)) {
        out.append(value);
        return;
    }
    out += u'"';
    for (size_t at = 0;;) {
        const size_t quote = value.find(u'"', at);
        out.append(value.substr(at, quote == std::u16string_view::npos ? quote : quote + 1 - at));
        if (quote == std::u16string_view::npos) break;
        out += u'"';
        at = quote + 1;
    }
    out += u'"';
}

// The bytes of a text file, appended piece by piece: UTF-16 little-endian as the text is held,
// or UTF-8 exactly as WinToUtf8 encodes the whole text (a surrogate pair split between two
// pieces is still one character, a lone surrogate becomes U+FFFD). Written in place into a
// buffer grown by doubling: a large list's file is built in one pass over its texts.
class TextBytes {
public:
    TextBytes(bool utf16, size_t expected) : m_utf16(utf16) {
        m_bytes.resize(expected);
        if (utf16) Raw("\xFF\xFE", 2);
    }
    void Append(std::u16string_view s) {
        if (m_utf16) {
            static_assert(std::endian::native == std::endian::little);
            Raw(s.data(), s.size() * sizeof(char16_t));
            return;
        }
        char* o = Room(s.size() * 3 + 3); // a pending surrogate's U+FFFD at most
        size_t i = 0;
        if (m_high && !s.empty() && IsLow(s[0])) {
            o = Put(o, 0x10000 + ((uint32_t(m_high) - 0xD800) << 10) + (s[0] - 0xDC00));
            m_high = 0;
            i = 1;
        } else if (m_high && !s.empty()) {
            o = Put(o, 0xFFFD);
            m_high = 0;
        }
        for (; i < s.size(); ++i) {
            const char16_t c = s[i];
            if (c < 0x80) {
                *o++ = char(c);
            } else if (IsHigh(c) && i + 1 < s.size() && IsLow(s[i + 1])) {
                o = Put(o, 0x10000 + ((uint32_t(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
                ++i;
            } else if (IsHigh(c) && i + 1 == s.size()) {
                m_high = c; // the next piece may start with its other half
            } else {
                o = Put(o, IsHigh(c) || IsLow(c) ? 0xFFFD : c);
            }
        }
        m_used = size_t(o - m_bytes.data());
    }
    std::string Take() {
        if (m_high) m_used = size_t(Put(Room(3), 0xFFFD) - m_bytes.data());
        m_high = 0;
        m_bytes.resize(m_used);
        return std::move(m_bytes);
    }

private:
    static bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
    static bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
    char* Room(size_t n) {
        if (m_used + n > m_bytes.size()) m_bytes.resize(std::max(m_bytes.size() * 2, m_used + n));
        return m_bytes.data() + m_used;
    }
    void Raw(const void* data, size_t n) {
        std::memcpy(Room(n), data, n);
        m_used += n;
    }
    static char* Put(char* o, uint32_t cp) {
        if (cp < 0x80) {
            *o++ = char(cp);
        } else if (cp < 0x800) {
            *o++ = char(0xC0 | (cp >> 6));
            *o++ = char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *o++ = char(0xE0 | (cp >> 12));
            *o++ = char(0x80 | ((cp >> 6) & 0x3F));
            *o++ = char(0x80 | (cp & 0x3F));
        } else {
            *o++ = char(0xF0 | (cp >> 18));
            *o++ = char(0x80 | ((cp >> 12) & 0x3F));
            *o++ = char(0x80 | ((cp >> 6) & 0x3F));
            *o++ = char(0x80 | (cp & 0x3F));
        }
        return o;
    }

    bool m_utf16;
    std::string m_bytes;
    size_t m_used = 0;
    char16_t m_high = 0;
};

void ShowMessage(const UTxString16& text, uint32_t icon = MB_ICONEXCLAMATION) {
    MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | icon);
}

UTxString16 LoadString(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, id) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}

constexpr uint32_t kSheetExistsMessageId = 8140;

// Dispatch ids of the spreadsheet application's members this writer calls.
enum : DISPID {
    kVersion = 0x188, kWorkbooks = 0x23c, kDisplayAlerts = 0x157, kQuit = 0x12e, kAdd = 0xb5,
    kOpen = 0x783, kOpen2000 = 0x2aa, kClose = 0x115, kWorksheets = 0x1ee, kSaveAs = 0x785,
    kSaveAs2000 = 0x11c, kCount = 0x76, kItem = 0xaa, kName = 0x6e, kRange = 0xc5,
    kOffset = 0xfe, kResize = 0x100, kValue = 0x6, kValue2 = 0x56c, kNumberFormat = 0xc1,
    kHorizontalAlignment = 0x88, kMerge = 0x234, kBorders = 0x1b3, kWeight = 0x78,
    kEntireColumn = 0xf6, kAutoFit = 0xed,
};
constexpr int16_t kAlignLeft = -4131, kAlignCenter = -4108, kAlignRight = -4152;
constexpr int16_t kOneEmptySheet = -4167;
constexpr int16_t kThinBorder = 2;
constexpr int16_t kFormatWorkbook = 43, kFormatWorkbook2007 = 56;
constexpr int32_t kOptionalArguments = 14, kOptionalArguments2000 = 12;

COleDispatchDriver Get(COleDispatchDriver& d, DISPID id, std::vector<COleVariant> args = {}) {
    return d.GetObject(id, DISPATCH_PROPERTYGET, args);
}

void Put(COleDispatchDriver& d, DISPID id, std::vector<COleVariant> args) {
    d.InvokeHelper(id, DISPATCH_PROPERTYPUT, args);
}

// A row or column count as the range members take it: a short where it fits, as the calls have
// always passed it, a long past 32767 (a worksheet holds 65536 rows), never a wrapped short.
COleVariant Count(int32_t n) {
    if (n >= INT16_MIN && n <= INT16_MAX) return COleVariant(int16_t(n));
    return COleVariant(n);
}

COleDispatchDriver Offset(COleDispatchDriver& range, int32_t rows, int32_t columns) {
    return Get(range, kOffset, {Count(rows), Count(columns)});
}

COleDispatchDriver Resize(COleDispatchDriver& range, int32_t rows, int32_t columns) {
    return Get(range, kResize, {Count(rows), Count(columns)});
}

// A cell's value as text; numbers as the application shows them in a general format.
UTxString16 VariantText(const COleVariant& v) {
    switch (v.vt) {
    case VT_BSTR: return v.bstrVal;
    case VT_I2:
    case VT_I4: return UTx::MakeWideString(std::to_string(v.lVal));
    case VT_R8: {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.15g", v.dblVal);
        return UTx::MakeWideString(buffer);
    }
    case VT_BOOL: return v.lVal ? u"TRUE" : u"FALSE";
    default: return {};
    }
}

// Horizontal alignment of a column's cells: left, centre, right; -1 leaves the cell as it is.
int16_t ToAlignment(int32_t alignment) {
    switch (alignment) {
    case 0: return kAlignLeft;
    case 1: return kAlignCenter;
    case 2: return kAlignRight;
    default: return 0;
    }
}
} // namespace

struct DLxExportSave::Automation {
    COleDispatchDriver application, workbooks, workbook, worksheets, worksheet;
    COleDispatchDriver cursor, headerRow, firstDataColumn;
    UTxString16 version;
};

DLxExportSave::DLxExportSave(const UTxString16& path, const RSeRef<DUxTableStateBase>& table,
                             DLxExcelExportDialog* options, DLxExportDialog* exportDialog,
                             bool unicode, const UTxString16& tableName, const UTxString16& connect)
    : m_path(path), m_table(table), m_options(options), m_exportDialog(exportDialog),
      m_unicode(unicode), m_tableName(tableName), m_connect(connect) {
    DetectKind();
    if (m_options) {
        m_startCell = m_options->GetStartCell();
        m_columns = m_options->GetSelectedColumns();
        m_indices = m_options->GetSelectedIndices();
        m_headings = m_options->GetSelectedHeadings();
        m_template = m_options->GetTemplateWorkbook();
    }
    if (m_startCell.empty()) m_startCell = u"A1";
    if (const DUxTableStateBase* state = m_table.get()) m_rowCount = state->GetRowCount();
    m_columnCount = int32_t(m_columns.size());
}

DLxExportSave::~DLxExportSave() = default;

void DLxExportSave::DetectKind() {
    const bool given = m_exportDialog && m_exportDialog->HasValuesGiven();
    if (given && !m_exportDialog->GetSeparator().empty()) {
        m_delimiter = m_exportDialog->GetSeparator();
    } else {
        char16_t buffer[19] = {};
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLIST, buffer, 19) ||
            GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_SLIST, buffer, 19))
            m_delimiter = buffer;
    }
    m_extension = Lower(m_path.size() >= 4 ? m_path.substr(m_path.size() - 4) : m_path);
    if (m_extension == u".xls") {
        m_spreadsheet = true;
    } else if (m_extension == u".csv") {
        m_commaText = true;
    } else if (m_extension == u".mdb") {
        m_access = true;
    } else if (m_extension == u".dbf") {
        m_dbase = true;
    } else if (m_extension == u".txt") {
        m_plainText = true;
        if (!given) m_delimiter = u"\t";
    } else {
        m_delimiter.clear();
    }
}

bool DLxExportSave::IsRowVisible(int32_t row) const {
    const DUxTableStateBase* state = m_table.get();
    const DUxTableRowBase* r = state ? state->GetRow(row) : nullptr;
    return !(r && r->Invisible());
}

UTxString16 DLxExportSave::GetCellValue(int32_t row, int32_t column) const {
    return DUxTableStyle::GetSimpleValue(m_table->GetValue(row, column));
}

std::vector<int32_t> DLxExportSave::GetVisibleRows() const {
    std::vector<int32_t> rows;
    rows.reserve(size_t(m_rowCount));
    for (int32_t row = 0; row < m_rowCount; ++row)
        if (IsRowVisible(row)) rows.push_back(row);
    return rows;
}

std::vector<UTxString16> DLxExportSave::GetRowValues(int32_t row) const {
    std::vector<UTxString16> values;
    values.reserve(m_indices.size());
    for (int32_t column : m_indices)
        values.push_back(GetCellValue(row, column));
    return values;
}

int32_t DLxExportSave::Run() {
    bool ok = false;
    if (m_spreadsheet)
        ok = WriteSpreadsheet();
    else if (m_commaText)
        ok = WriteText();
    else if (m_dbase)
        ok = WriteDbf();
    else if (m_access)
        ok = WriteDatabase(kDbAccess);
    else if (m_plainText)
        ok = WriteText();
    return ok ? 0 : 1;
}

bool DLxExportSave::WriteSpreadsheet() {
    auto xl = std::make_unique<Automation>();
    // Without the spreadsheet application the workbook is written through the database table.
    if (!xl->application.CreateDispatch(u"Excel.Application")) return WriteDatabase(kDbWorkbook);
    m_xl = std::move(xl);
    Automation& a = *m_xl;
    const COleVariant missing = COleVariant::Missing();
    // The application is closed however the run ends, so that no instance is left running.
    const auto shutDown = [&a] {
        try {
            if (a.workbooks.GetDispatch()) a.workbooks.InvokeHelper(kClose, DISPATCH_METHOD);
            a.application.InvokeHelper(kQuit, DISPATCH_METHOD);
        } catch (const COleDispatchException&) {
        } catch (const COleException&) {
        }
    };
    // A failed run says why, once, as an error, and counts as not written: the file at the path
    // is either the previous one or none, since the workbook is saved in one piece at the end.
    const auto fail = [&](const UTxString16& why) {
        shutDown();
        m_xl.reset();
        ShowMessage(m_path + u": " + why, MB_ICONERROR);
        return false;
    };
    try {
        a.version = a.application.InvokeHelper(kVersion, DISPATCH_PROPERTYGET).bstrVal;
        a.workbooks = Get(a.application, kWorkbooks);
        Put(a.application, kDisplayAlerts, {COleVariant(false)});

        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::path(UTx::ToUtf8(m_path)), ec)) {
            a.workbook = OpenWorkbook(m_path);
            a.worksheets = Get(a.workbook, kWorksheets);
            const int32_t count = a.worksheets.InvokeHelper(kCount, DISPATCH_PROPERTYGET).lVal;
            for (int32_t j = 1; j <= count; ++j) {
                COleDispatchDriver sheet = Get(a.worksheets, kItem, {COleVariant(int16_t(j))});
                if (sheet.InvokeHelper(kName, DISPATCH_PROPERTYGET).bstrVal != m_tableName)
                    continue;
                const UTxString16 text = LoadString(kSheetExistsMessageId);
                shutDown();
                m_xl.reset();
                ShowMessage(text);
                if (m_exportDialog) m_exportDialog->FocusTableNameBox();
                return false;
            }
            a.worksheet = a.worksheets.GetObject(
                kAdd, DISPATCH_METHOD, {missing, missing, COleVariant(int16_t(1)), missing});
        } else {
            a.workbook = m_template.empty()
                             ? a.workbooks.GetObject(kAdd, DISPATCH_METHOD,
                                                     {COleVariant(kOneEmptySheet)})
                             : a.workbooks.GetObject(kAdd, DISPATCH_METHOD, {COleVariant(m_template)});
            a.worksheets = Get(a.workbook, kWorksheets);
            a.worksheet = Get(a.worksheets, kItem, {COleVariant(int16_t(1))});
        }
        if (!m_tableName.empty()) Put(a.worksheet, kName, {COleVariant(m_tableName)});

        a.cursor = Get(a.worksheet, kRange, {COleVariant(m_startCell), missing});
        const bool title = m_options && m_options->GetTitleRow();
        if (title) {
            COleDispatchDriver range = Get(a.worksheet, kRange, {COleVariant(m_startCell), missing});
            const UTxString16 text = DUxTableStyleWrapper(m_table, {}).GetTitle();
            SetCellValue(range, text);
            KeepAsText(range, text);
            if (m_options->GetFormatTable()) {
                range = Resize(range, 1, m_columnCount);
                range.InvokeHelper(kMerge, DISPATCH_METHOD, {COleVariant(int16_t(0))});
                Put(range, kHorizontalAlignment, {COleVariant(kAlignCenter)});
            }
            a.cursor = Offset(a.cursor, 1, 0);
        }
        for (int32_t i = 0; i < m_columnCount; ++i) {
            COleDispatchDriver cell = Offset(a.cursor, 0, i);
            const UTxString16& heading = size_t(i) < m_headings.size() ? m_headings[size_t(i)] : UTxString16();
            SetCellValue(cell, heading);
            KeepAsText(cell, heading);
        }
        a.headerRow = a.cursor;
        a.cursor = Offset(a.cursor, 1, 0);
        const std::vector<int32_t> rows = GetVisibleRows();
        for (int32_t i = 0; i < m_columnCount; ++i) {
            for (size_t r = 0; r < rows.size(); ++r) {
                const UTxString16 value = GetCellValue(rows[r], m_indices[size_t(i)]);
                COleDispatchDriver cell = Offset(a.cursor, int32_t(r), i);
                const bool formatted = ApplyNumberFormat(i, cell);
                SetCellValue(cell, value);
                if (!formatted) KeepAsText(cell, value);
            }
        }
        a.firstDataColumn = Resize(a.cursor, m_rowCount, 1);
        if (m_options && m_options->GetFitColumnWidths()) AutoFitColumns();
        if (m_options && m_options->GetAllCellsAsText()) ApplyTextFormat();
        if (m_options && m_options->GetFormatTable()) FormatTable();
        SaveWorkbookAs(m_path);
    } catch (const COleDispatchException& e) {
        try {
            Put(a.application, kDisplayAlerts, {COleVariant(true)});
        } catch (const COleDispatchException&) {
        } catch (const COleException&) {
        }
        return fail(e.m_strDescription);
    } catch (const COleException& e) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", uint32_t(e.m_sc));
        return fail(u"the spreadsheet application failed (" + UTx::MakeWideString(code) + u")");
    }
    shutDown();
    m_xl.reset();
    return true;
}

void DLxExportSave::FormatTable() {
    Automation& a = *m_xl;
    const bool title = m_options && m_options->GetTitleRow();
    a.cursor = Get(a.worksheet, kRange, {COleVariant(m_startCell), COleVariant::Missing()});
    COleDispatchDriver block = Resize(a.cursor, m_rowCount + 1 + (title ? 1 : 0), m_columnCount);
    COleDispatchDriver borders = Get(block, kBorders);
    Put(borders, kWeight, {COleVariant(kThinBorder)});
    const auto align = [&](COleDispatchDriver start, bool heading) {
        for (int32_t i = 0; i < m_columnCount; ++i) {
            const DUxTableStyleColumn* column = m_columns[size_t(i)].get();
            if (column) {
                const int16_t value = ToAlignment(heading ? column->GetHeadingAlignment()
                                                          : column->GetColumnAlignment());
                if (value) Put(start, kHorizontalAlignment, {COleVariant(value)});
            }
            if (i + 1 < m_columnCount) start = Offset(start, 0, 1);
        }
    };
    align(a.headerRow, true);
    align(a.firstDataColumn, false);
}

void DLxExportSave::ApplyTextFormat() {
    Automation& a = *m_xl;
    const bool title = m_options && m_options->GetTitleRow();
    COleDispatchDriver start = Get(a.worksheet, kRange, {COleVariant(m_startCell), COleVariant::Missing()});
    COleDispatchDriver block = Resize(start, m_rowCount + 1 + (title ? 1 : 0), m_columnCount);
    Put(block, kNumberFormat, {COleVariant(u"@")});
}

void DLxExportSave::AutoFitColumns() {
    Automation& a = *m_xl;
    COleDispatchDriver start = Get(a.worksheet, kRange, {COleVariant(m_startCell), COleVariant::Missing()});
    COleDispatchDriver row = Resize(start, 1, m_columnCount);
    COleDispatchDriver columns = Get(row, kEntireColumn);
    columns.InvokeHelper(kAutoFit, DISPATCH_METHOD);
}

bool DLxExportSave::ApplyNumberFormat(int32_t column, COleDispatchDriver& cell) {
    if (column < 0 || size_t(column) >= m_columns.size()) return false;
    const DUxTableStyleColumn* c = m_columns[size_t(column)].get();
    if (!c) return false;
    if (m_options && m_options->GetAllCellsAsText()) return false;
    if (!m_exportDialog || m_exportDialog->GetSourceType() != DLxExportDialog::kNumberFormats)
        return false;
    const UTxString16& id = c->GetPropertyID()->GetPropertyID();
    if (id != u"BEND ANGLE" && id != u"BEND RADIUS") return false;
    UTxString16 format = u"0.";
    for (int32_t i = 0; i < c->GetLinearPrecision(); ++i) format += u'0';
    Put(cell, kNumberFormat, {COleVariant(format)});
    return true;
}

void DLxExportSave::KeepAsText(COleDispatchDriver& cell, const UTxString16& text) {
    if (!m_template.empty()) return;
    if (GetCellText(cell) == text) return;
    // The application read the text as a number or a date: keep it as the text it was.
    Put(cell, kNumberFormat, {COleVariant(u"@")});
    SetCellValue(cell, text);
}

UTxString16 DLxExportSave::GetCellText(COleDispatchDriver& cell) {
    return VariantText(cell.InvokeHelper(kValue, DISPATCH_PROPERTYGET, {COleVariant::Missing()}));
}

void DLxExportSave::SetCellValue(COleDispatchDriver& cell, const UTxString16& value) {
    Put(cell, kValue, {COleVariant::Missing(), COleVariant(value)});
}

COleDispatchDriver DLxExportSave::OpenWorkbook(const UTxString16& path) {
    std::vector<COleVariant> args(1 + kOptionalArguments, COleVariant::Missing());
    args[0] = COleVariant(path);
    return m_xl->workbooks.GetObject(kOpen, DISPATCH_METHOD, args);
}

namespace {
// Save-as arguments after the path and the format: password, write password, read-only
// recommended, create backup, access mode, conflict resolution, then `rest` missing ones.
std::vector<COleVariant> SaveAsArguments(const UTxString16& path, int16_t format, size_t rest) {
    const COleVariant missing = COleVariant::Missing();
    std::vector<COleVariant> args = {COleVariant(path),          COleVariant(format),
                                     missing,                    missing,
                                     COleVariant(int16_t(0)),    COleVariant(int16_t(0)),
                                     COleVariant(int32_t(1)),    COleVariant(int32_t(1))};
    args.insert(args.end(), rest, missing);
    return args;
}
} // namespace

void DLxExportSave::SaveWorkbookAs(const UTxString16& path) {
    const int16_t format = m_xl->version == u"12.0" ? kFormatWorkbook2007 : kFormatWorkbook;
    m_xl->workbook.InvokeHelper(kSaveAs, DISPATCH_METHOD, SaveAsArguments(path, format, 4));
}

UTxString16 DLxExportSave2000::GetCellText(COleDispatchDriver& cell) {
    return VariantText(cell.InvokeHelper(kValue2, DISPATCH_PROPERTYGET));
}

void DLxExportSave2000::SetCellValue(COleDispatchDriver& cell, const UTxString16& value) {
    Put(cell, kValue2, {COleVariant(value)});
}

COleDispatchDriver DLxExportSave2000::OpenWorkbook(const UTxString16& path) {
    std::vector<COleVariant> args(1 + kOptionalArguments2000, COleVariant::Missing());
    args[0] = COleVariant(path);
    return m_xl->workbooks.GetObject(kOpen2000, DISPATCH_METHOD, args);
}

void DLxExportSave2000::SaveWorkbookAs(const UTxString16& path) {
    m_xl->workbook.InvokeHelper(kSaveAs2000, DISPATCH_METHOD,
                                SaveAsArguments(path, kFormatWorkbook, 3));
}

bool DLxExportSave::WriteDatabase(int32_t code) {
    m_failure.clear();
    if (!m_table) return false;
    // The table shows no message of its own: its reason goes to the caller, which says it.
    try {
        BqxBomDbTable db;
        db.SetTableName(m_tableName);
        bool filled = db.InsertInitialColumns(m_headings);
        for (int32_t row : GetVisibleRows())
            filled = filled && db.AppendRow(GetRowValues(row));
        if (!filled) {
            m_failure = m_path + u": the selected columns and their headings do not match";
            return false;
        }
        if (db.ExportTable(m_path, code)) return true;
        m_failure = WinFromUtf8(db.LastError());
    } catch (const std::exception& e) {
        m_failure = m_path + u": " + WinFromUtf8(e.what());
    }
    return false;
}

bool DLxExportSave::WriteDbf() {
    return WriteDatabase(Lower(m_connect) == u"dbase iii;" ? kDbDBaseIII : kDbDBaseIV);
}

bool DLxExportSave::WriteText() {
    if (!m_table) return false;
    namespace fs = std::filesystem;
    const std::string path = UTx::ToUtf8(m_path);
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    if (fs::exists(status) &&
        (status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write)) == fs::perms::none) {
        ShowMessage(LoadString(kReadOnlyMessageId));
        return false;
    }

    // Lines end in CR LF in both encodings; 8-bit text is written in UTF-8, the code page of
    // this runtime.
    const std::u16string_view delimiter = m_delimiter;
    TextBytes out(m_unicode, size_t(m_rowCount + 2) * (m_indices.size() + 1) * 12 + 64);
    std::u16string field;
    const auto put = [&](std::u16string_view value) {
        field.clear();
        AppendField(field, value, delimiter);
        out.Append(field);
    };
    const auto line = [&](const std::vector<UTxString16>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) out.Append(delimiter);
            put(fields[i]);
        }
        out.Append(u"\r\n");
    };
    if (m_options && m_options->GetTitleRow()) line({DUxTableStyleWrapper(m_table, {}).GetTitle()});
    line(m_headings);

    // Each row and column looked up once and each cell's text read in place. A text without
    // codes, quotes, line breaks or the delimiter (nearly all of a parts list's) goes out as it
    // is; the others take the steps below it: the text as shown, a path cut to its file name,
    // quotes where needed.
    bool special[128] = {};
    for (char16_t c : u"{}\\\"\r\n")
        if (c) special[c] = true;
    const bool fast = delimiter.size() == 1 && delimiter[0] < 128;
    if (fast) special[delimiter[0]] = true;
    const auto plain = [&](std::u16string_view s) {
        for (char16_t c : s)
            if (c < 128 && special[c]) return false;
        return true;
    };
    const DUxTableStateBase* state = m_table.get();
    std::vector<DUxTableStyleColumn*> columns;
    columns.reserve(m_indices.size());
    for (int32_t index : m_indices)
        columns.push_back(state->GetColumn(index));
    UTxString16 scratch;
    for (int32_t row = 0; row < m_rowCount; ++row) {
        const DUxTableRowBase* r = state->GetRow(row);
        if (r && r->Invisible()) continue;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i) out.Append(delimiter);
            if (!r || !columns[i]) continue;
            const UTxString16& text = r->GetValue(columns[i]);
            if (fast && plain(text)) {
                out.Append(text);
                continue;
            }
            std::u16string_view value = DUxTableStyle::GetSimpleValue(text, scratch);
            // A path is exported as its file name.
            const size_t slash = value.rfind(u'\\');
            if (slash != std::u16string_view::npos) value.remove_prefix(slash + 1);
            put(value);
        }
        out.Append(u"\r\n");
    }
    const std::string bytes = out.Take();
    std::string why;
    const bool written = UTx::WriteFileAtomically(
        path,
        [&](std::FILE* f, std::string& reason) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) return true;
            reason = "the file could not be written";
            return false;
        },
        why);
    if (!written) {
        ShowMessage(m_path + u": " + WinFromUtf8(why));
        return false;
    }
    return true;
}
