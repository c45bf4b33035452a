#include "bom/BqxBomDbTable.h"

#include "utx/UTxFileWriter.h"
#include "utx/UTxString16.h"
#include "xl/XLxWorkbook.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string_view>

namespace {

// The dBASE III PLUS and IV limits; readers of either accept a file within them.
constexpr size_t kNameLength = 10;
constexpr size_t kMaxFieldLength = 254;
constexpr size_t kMaxRecordLength = 4000;
constexpr size_t kMaxFields3 = 128;
constexpr size_t kMaxFields4 = 255;
constexpr uint8_t kLanguageAnsi1252 = 0x57;

// Code page 1252 at 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code page 1252 byte of `c`, or 0 when it has none. NUL has none either: readers take it
// for the end of the text.
uint8_t ToCp1252(char32_t c) {
    if ((c >= 0x01 && c <= 0x7F) || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
    for (size_t i = 0; i < kCp1252High.size(); ++i)
        if (kCp1252High[i] != 0 && kCp1252High[i] == c) return static_cast<uint8_t>(0x80 + i);
    return 0;
}

// `text` in code page 1252; counts the characters that became '?'.
std::string Encode(const std::u16string& text, size_t& replaced) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        // A surrogate pair is one character, hence one '?'.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        const uint8_t b = ToCp1252(c);
        if (b == 0) ++replaced;
        out.push_back(static_cast<char>(b ? b : '?'));
    }
    return out;
}

std::string FieldBase(const std::u16string& heading) {
    std::string name;
    for (char16_t c : heading) {
        if (c >= u'a' && c <= u'z')
            name.push_back(static_cast<char>(c - u'a' + 'A'));
        else if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_')
            name.push_back(static_cast<char>(c));
        else
            name.push_back('_');
    }
    if (name.empty() || name[0] < 'A' || name[0] > 'Z') name.insert(name.begin(), 'F');
    if (name.size() > kNameLength) name.resize(kNameLength);
    return name;
}

void Put16(std::string& out, size_t at, size_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, size_t at, size_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Today, or the day of SOURCE_DATE_EPOCH.
std::tm UpdateDay() {
    std::time_t now = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        const long long value = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0' && value >= 0) now = static_cast<std::time_t>(value);
    }
    std::tm day{};
    gmtime_r(&now, &day);
    return day;
}

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

} // namespace

void BqxBomDbTable::SetTableName(const std::u16string& name) {
    m_tableName = name;
}

bool BqxBomDbTable::InsertInitialColumns(const std::vector<std::u16string>& headings) {
    if (m_haveColumns) return false;
    m_headings = headings;
    m_haveColumns = true;
    return true;
}

bool BqxBomDbTable::AppendRow(const std::vector<std::u16string>& values) {
    if (!m_haveColumns || values.size() != m_headings.size()) return false;
    m_rows.push_back(values);
    return true;
}

std::vector<std::string> BqxBomDbTable::DbfFieldNames() const {
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const std::u16string& heading : m_headings) {
        const std::string base = FieldBase(heading);
        std::string name = base;
        for (int n = 1; taken.count(name); ++n) {
            const std::string suffix = "_" + std::to_string(n);
            name = base.substr(0, std::min(base.size(), kNameLength - suffix.size())) + suffix;
        }
        taken.insert(name);
        names.push_back(name);
    }
    return names;
}

bool BqxBomDbTable::ExportTable(const std::u16string& path, int32_t fileType) {
    m_error.clear();
    m_notes.clear();
    const std::string file = UTx::ToUtf8(path);
    switch (fileType) {
    case kDBase4:
        return WriteDbf(file, true);
    case kDBase3:
        return WriteDbf(file, false);
    case kAccess:
        return WriteMdb(file);
    case kWorkbook:
        return WriteWorkbook(file);
    default:
        m_error = "Cannot write " + Quoted(file) + ": unknown database file type " +
                  std::to_string(fileType);
        return false;
    }
}

bool BqxBomDbTable::WriteDbf(const std::string& path, bool dBase4) {
    const size_t columns = m_headings.size();
    const size_t maxFields = dBase4 ? kMaxFields4 : kMaxFields3;
    if (columns == 0 || columns > maxFields) {
        m_error = "Cannot write " + Quoted(path) + ": a dBASE table holds 1 to " +
                  std::to_string(maxFields) + " columns, not " + std::to_string(columns);
        return false;
    }

    // Encode everything first: the widths come from the encoded texts.
    std::vector<size_t> width(columns, 1);
    std::vector<std::vector<std::string>> cells(m_rows.size());
    std::vector<size_t> replaced(columns, 0), cut(columns, 0);
    for (size_t r = 0; r < m_rows.size(); ++r) {
        cells[r].reserve(columns);
        for (size_t c = 0; c < columns; ++c) {
            std::string text = Encode(m_rows[r][c], replaced[c]);
            if (text.size() > kMaxFieldLength) {
                text.resize(kMaxFieldLength);
                ++cut[c];
            }
            width[c] = std::max(width[c], text.size());
            cells[r].push_back(std::move(text));
        }
    }
    size_t recordLength = 1;
    for (size_t w : width)
        recordLength += w;
    if (recordLength > kMaxRecordLength) {
        m_error = "Cannot write " + Quoted(path) + ": a dBASE record holds at most " +
                  std::to_string(kMaxRecordLength) + " bytes, these rows need " +
                  std::to_string(recordLength);
        return false;
    }

    const std::vector<std::string> names = DbfFieldNames();
    for (size_t c = 0; c < columns; ++c) {
        if (replaced[c])
            m_notes.push_back(std::to_string(replaced[c]) + " character(s) of column " + names[c] +
                              " are not in code page 1252 and were written as '?'");
        if (cut[c])
            m_notes.push_back(std::to_string(cut[c]) + " text(s) of column " + names[c] +
                              " were cut to " + std::to_string(kMaxFieldLength) + " bytes");
    }

    const size_t headerLength = 32 + 32 * columns + 1;
    std::string bytes(headerLength, '\0');
    bytes.reserve(headerLength + m_rows.size() * recordLength + 1);
    const std::tm day = UpdateDay();
    bytes[0] = 0x03;
    bytes[1] = static_cast<char>(day.tm_year % 256);
    bytes[2] = static_cast<char>(day.tm_mon + 1);
    bytes[3] = static_cast<char>(day.tm_mday);
    Put32(bytes, 4, m_rows.size());
    Put16(bytes, 8, headerLength);
    Put16(bytes, 10, recordLength);
    if (dBase4) bytes[29] = static_cast<char>(kLanguageAnsi1252);
    for (size_t c = 0; c < columns; ++c) {
        const size_t at = 32 + 32 * c;
        names[c].copy(bytes.data() + at, kNameLength);
        bytes[at + 11] = 'C';
        bytes[at + 16] = static_cast<char>(width[c]);
    }
    bytes[headerLength - 1] = 0x0D;
    for (const std::vector<std::string>& row : cells) {
        bytes.push_back(' ');
        for (size_t c = 0; c < columns; ++c) {
            bytes += row[c];
            bytes.append(width[c] - row[c].size(), ' ');
        }
    }
    bytes.push_back(0x1A);

    std::string why;
    const bool ok = UTx::WriteFileAtomically(
        path,
        [&](std::FILE* out, std::string& failure) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size()) return true;
            failure = std::strerror(errno ? errno : EIO);
            return false;
        },
        why);
    if (!ok) {
        m_error = "Cannot write " + Quoted(path) + ": " + why;
        m_notes.clear();
    }
    return ok;
}

std::u16string BqxBomDbTable::SheetName() const {
    std::u16string name = m_tableName.substr(0, 31);
    for (char16_t& c : name)
        if (std::u16string_view(u"[]:*?/\\").find(c) != std::u16string_view::npos) c = u'_';
    return name.empty() ? u"Sheet1" : name;
}

bool BqxBomDbTable::WriteWorkbook(const std::string& path) {
    XLxWorkbook book;
    book.sheets.resize(1);
    XLxSheet& sheet = book.sheets[0];
    sheet.name = SheetName();
    const auto put = [&sheet](size_t row, const std::vector<std::u16string>& texts) {
        for (size_t c = 0; c < texts.size(); ++c) {
            if (texts[c].empty()) continue;
            XLxCell& cell = sheet.At(static_cast<uint32_t>(row), static_cast<uint16_t>(c));
            cell.kind = XLxCell::Kind::Text;
            cell.text = texts[c];
        }
    };
    if (m_headings.size() > XLxSheet::kColumns || m_rows.size() + 1 > XLxSheet::kRows) {
        m_error = "Cannot write " + Quoted(path) + ": a worksheet holds " +
                  std::to_string(XLxSheet::kRows) + " rows of " +
                  std::to_string(XLxSheet::kColumns) + " columns, this table needs " +
                  std::to_string(m_rows.size() + 1) + " rows of " +
                  std::to_string(m_headings.size());
        return false;
    }
    put(0, m_headings);
    for (size_t r = 0; r < m_rows.size(); ++r)
        put(r + 1, m_rows[r]);
    std::string why;
    if (XLx::SaveWorkbook(path, book, why)) return true;
    m_error = "Cannot write " + Quoted(path) + ": " + why;
    return false;
}
