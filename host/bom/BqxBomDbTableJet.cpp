// The Access (Jet 4) database of the export table: the smallest file a Jet reader accepts, one
// user table of text columns and the system catalog that names it. Pages of 4096 bytes, all
// little-endian:
//   0       database page: type 0, Jet version 1 at 0x14, and 128 bytes from 0x18 masked with
//           the RC4 stream of the fixed key 0x6b39dac7 (readers unmask them); unmasked, they
//           hold code page 1252 at 0x3C, database key 0 at 0x3E (no page is encrypted) and sort
//           order 0x409 at 0x6E
//   1       data page of no table holding the usage maps: for the catalog and for the user
//           table, each its pages map (type 0: start page 0, then one bit per page) and an
//           empty free-space map
//   2       table definition of the catalog (system table MSysObjects: Id, ParentId, Name,
//           Type, Flags, LvProp)
//   3       table definition of the user table: text columns of up to 255 characters
//   4       catalog data page: the user table's entry (Id 3, Type 1)
//   5...    user data pages
// A table definition: 0x02 0x01, free space, next page 0, definition length, row count, table
// type (0x4E user, 0x53 system), column counts, no indexes, the usage map rows (page << 8 |
// row), then a 25-byte entry per column and the names as UCS-2 with a 16-bit byte length.
// A data page: 0x01 0x01, free space, owning definition page, 4 zero bytes, row count, row
// offsets; rows from the end of the page down. A row: column count, fixed columns, variable
// columns, then backwards the end of the variable data, their offsets, their count and the
// null mask (bit set: value present). Texts are UCS-2, uncompressed.
#include "bom/BqxBomDbTable.h"

#include "utx/UTxFileWriter.h"
#include "utx/UTxString16.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <set>

namespace {

constexpr size_t kPage = 4096;
constexpr size_t kDataHeader = 14;
constexpr size_t kMaxTextChars = 255;
constexpr size_t kMaxNameChars = 64;
constexpr size_t kMaxColumns = 255;
// A row is addressed elsewhere as (page << 8 | row): a page holds at most 255 rows.
constexpr size_t kMaxRowsPerPage = 255;
constexpr uint32_t kCatalogPage = 2;
constexpr uint32_t kTablePage = 3;
constexpr uint32_t kCatalogDataPage = 4;
constexpr uint32_t kFirstDataPage = 5;

using Page = std::array<uint8_t, kPage>;

void Put16(uint8_t* at, size_t value) {
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
}

void Append16(std::vector<uint8_t>& out, size_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Append32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>((value >> (8 * i)) & 0xFF));
}

void AppendText(std::vector<uint8_t>& out, const std::u16string& text) {
    for (char16_t c : text)
        Append16(out, c);
}

// Masks (or unmasks: the same) `n` bytes with the RC4 stream of a 4-byte key.
void Rc4(uint32_t keyValue, uint8_t* data, size_t n) {
    uint8_t key[4];
    Put32(key, keyValue);
    std::array<uint8_t, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<uint8_t>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % 4]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t k = 0, i = 0, j = 0; k < n; ++k) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[k] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

struct JetColumn {
    std::u16string name;
    uint8_t type; // 0x03 int, 0x04 long, 0x0A text, 0x0B long binary
    size_t size;  // bytes; 0 for long binary
    bool fixed;
    size_t offset; // in the fixed part, or the index among the variable columns
};

struct JetValue {
    bool null = true;
    std::vector<uint8_t> bytes;
};

// One row as stored, `values` in column order.
std::vector<uint8_t> Row(const std::vector<JetColumn>& columns,
                         const std::vector<JetValue>& values) {
    std::vector<uint8_t> row;
    Append16(row, columns.size());
    size_t fixedSize = 0;
    for (const JetColumn& c : columns)
        if (c.fixed) fixedSize = std::max(fixedSize, c.offset + c.size);
    row.resize(2 + fixedSize, 0);
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].fixed && !values[i].null)
            std::copy(values[i].bytes.begin(), values[i].bytes.end(),
                      row.begin() + static_cast<std::ptrdiff_t>(2 + columns[i].offset));
    std::vector<size_t> starts;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].fixed) continue;
        starts.push_back(row.size());
        if (!values[i].null) row.insert(row.end(), values[i].bytes.begin(), values[i].bytes.end());
    }
    Append16(row, row.size()); // end of the variable data
    for (size_t k = starts.size(); k-- > 0;)
        Append16(row, starts[k]);
    Append16(row, starts.size());
    std::vector<uint8_t> mask((columns.size() + 7) / 8, 0);
    for (size_t i = 0; i < columns.size(); ++i)
        if (!values[i].null) mask[i / 8] |= static_cast<uint8_t>(1u << (i % 8));
    row.insert(row.end(), mask.begin(), mask.end());
    return row;
}

// A data page of `owner` holding `rows`, the first at the end of the page.
Page DataPage(uint32_t owner, const std::vector<std::vector<uint8_t>>& rows) {
    Page page{};
    page[0] = 0x01;
    page[1] = 0x01;
    Put32(&page[4], owner);
    Put16(&page[12], rows.size());
    size_t end = kPage;
    for (size_t r = 0; r < rows.size(); ++r) {
        end -= rows[r].size();
        std::copy(rows[r].begin(), rows[r].end(), page.begin() + static_cast<std::ptrdiff_t>(end));
        Put16(&page[kDataHeader + 2 * r], end);
    }
    Put16(&page[2], end - (kDataHeader + 2 * rows.size()));
    return page;
}

// A table definition: the bytes of its page, as many as there are (at most a page is written).
std::vector<uint8_t> Definition(const std::vector<JetColumn>& columns, uint32_t rows, bool system,
                                uint32_t usageRow, uint32_t freeRow) {
    std::vector<uint8_t> def(63, 0);
    def[0] = 0x02;
    def[1] = 0x01;
    Put32(&def[16], rows);
    def[24] = 0x01;
    def[40] = system ? 0x53 : 0x4E;
    size_t variable = 0;
    for (const JetColumn& c : columns)
        variable += c.fixed ? 0 : 1;
    Put16(&def[41], columns.size());
    Put16(&def[43], variable);
    Put16(&def[45], columns.size());
    Put32(&def[55], usageRow);
    Put32(&def[59], freeRow);
    for (size_t i = 0; i < columns.size(); ++i) {
        const JetColumn& c = columns[i];
        uint8_t entry[25] = {};
        entry[0] = c.type;
        Put16(&entry[5], i);
        Put16(&entry[7], c.fixed ? 0 : c.offset);
        Put16(&entry[9], i);
        if (c.type == 0x0A) Put16(&entry[11], 0x409);
        entry[15] = static_cast<uint8_t>((c.fixed ? 0x01 : 0x00) | 0x02);
        Put16(&entry[21], c.fixed ? c.offset : 0);
        Put16(&entry[23], c.size);
        def.insert(def.end(), entry, entry + 25);
    }
    for (const JetColumn& c : columns) {
        Append16(def, 2 * c.name.size());
        AppendText(def, c.name);
    }
    Put32(&def[8], static_cast<uint32_t>(def.size()));
    return def;
}

// The page of a definition that fits in one.
Page DefinitionPage(const std::vector<uint8_t>& def) {
    assert(def.size() + 8 <= kPage);
    Page page{};
    std::copy(def.begin(), def.end(), page.begin());
    Put16(&page[2], kPage - def.size() - 8);
    return page;
}

// A usage map of type 0 marking `pages`.
std::vector<uint8_t> UsageMap(const std::vector<uint32_t>& pages) {
    uint32_t last = 0;
    for (uint32_t p : pages)
        last = std::max(last, p);
    std::vector<uint8_t> map(5 + last / 8 + 1, 0);
    for (uint32_t p : pages)
        map[5 + p / 8] |= static_cast<uint8_t>(1u << (p % 8));
    return map;
}

std::u16string JetName(const std::u16string& heading, std::set<std::u16string>& taken) {
    std::u16string base;
    for (char16_t c : heading)
        base.push_back(
            c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']' ? u'_' : c);
    while (!base.empty() && base.front() == u' ')
        base.erase(base.begin());
    if (base.empty()) base = u"Field";
    if (base.size() > kMaxNameChars) base.resize(kMaxNameChars);
    auto folded = [](std::u16string s) {
        for (char16_t& c : s)
            if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        return s;
    };
    std::u16string name = base;
    for (int n = 1; taken.count(folded(name)); ++n) {
        const std::string digits = "_" + std::to_string(n);
        const std::u16string suffix(digits.begin(), digits.end());
        name = base.substr(0, std::min(base.size(), kMaxNameChars - suffix.size())) + suffix;
    }
    taken.insert(folded(name));
    return name;
}

} // namespace

std::vector<std::u16string> BqxBomDbTable::MdbColumnNames() const {
    std::vector<std::u16string> names;
    std::set<std::u16string> taken;
    for (const std::u16string& heading : m_headings)
        names.push_back(JetName(heading, taken));
    return names;
}

bool BqxBomDbTable::WriteMdb(const std::string& path) {
    const std::string where = "Cannot write \"" + path + "\": ";
    const size_t count = m_headings.size();
    if (count == 0 || count > kMaxColumns) {
        m_error = where + "an Access table holds 1 to " + std::to_string(kMaxColumns) +
                  " columns, not " + std::to_string(count);
        return false;
    }
    if (m_tableName.empty() || m_tableName.size() > kMaxNameChars) {
        m_error = where + "an Access table needs a name of 1 to " + std::to_string(kMaxNameChars) +
                  " characters";
        return false;
    }

    std::vector<JetColumn> columns;
    const std::vector<std::u16string> names = MdbColumnNames();
    for (size_t i = 0; i < count; ++i)
        columns.push_back({names[i], 0x0A, 2 * kMaxTextChars, false, i});
    const std::vector<uint8_t> def = Definition(columns, static_cast<uint32_t>(m_rows.size()),
                                                false, (1u << 8) | 2, (1u << 8) | 3);
    if (def.size() + 8 > kPage) {
        m_error = where + "the definitions of " + std::to_string(count) + " columns need " +
                  std::to_string(def.size()) +
                  " bytes, more than an Access table definition page holds";
        return false;
    }
    const Page definition = DefinitionPage(def);

    std::vector<Page> pages;
    std::vector<std::vector<uint8_t>> onPage;
    size_t used = kDataHeader;
    std::vector<size_t> cut(count, 0);
    for (const auto& source : m_rows) {
        std::vector<JetValue> values(count);
        for (size_t i = 0; i < count; ++i) {
            std::u16string text = source[i];
            if (text.size() > kMaxTextChars) {
                text.resize(kMaxTextChars);
                ++cut[i];
            }
            values[i].null = false;
            AppendText(values[i].bytes, text);
        }
        std::vector<uint8_t> row = Row(columns, values);
        if (row.size() + 2 + kDataHeader > kPage) {
            m_error = where + "a row needs " + std::to_string(row.size()) +
                      " bytes, more than an Access data page holds";
            return false;
        }
        if (used + row.size() + 2 > kPage || onPage.size() == kMaxRowsPerPage) {
            pages.push_back(DataPage(kTablePage, onPage));
            onPage.clear();
            used = kDataHeader;
        }
        used += row.size() + 2;
        onPage.push_back(std::move(row));
    }
    if (!onPage.empty() || pages.empty()) pages.push_back(DataPage(kTablePage, onPage));
    for (size_t i = 0; i < count; ++i)
        if (cut[i])
            m_notes.push_back(std::to_string(cut[i]) + " text(s) of column " +
                              UTx::ToUtf8(names[i]) + " were cut to " +
                              std::to_string(kMaxTextChars) + " characters");

    // The catalog: the system table's own columns, and one entry naming the user table.
    const std::vector<JetColumn> catalog = {{u"Id", 0x04, 4, true, 0},
                                            {u"ParentId", 0x04, 4, true, 4},
                                            {u"Name", 0x0A, 2 * kMaxTextChars, false, 0},
                                            {u"Type", 0x03, 2, true, 8},
                                            {u"Flags", 0x04, 4, true, 10},
                                            {u"LvProp", 0x0B, 0, false, 1}};
    std::vector<JetValue> entry(catalog.size());
    auto put32 = [](JetValue& v, uint32_t x) {
        v.null = false;
        Append32(v.bytes, x);
    };
    put32(entry[0], kTablePage);
    put32(entry[1], 0x0F000001);
    entry[2].null = false;
    AppendText(entry[2].bytes, m_tableName);
    entry[3].null = false;
    Append16(entry[3].bytes, 1);
    put32(entry[4], 0);

    std::vector<uint32_t> tablePages;
    for (size_t p = 0; p < pages.size(); ++p)
        tablePages.push_back(kFirstDataPage + static_cast<uint32_t>(p));
    const std::vector<std::vector<uint8_t>> mapRows = {UsageMap({kCatalogDataPage}), UsageMap({}),
                                                       UsageMap(tablePages), UsageMap({})};
    // The maps are inline (type 0) on one page: about 32 000 data pages, 128 MB of rows.
    size_t mapBytes = kDataHeader;
    for (const auto& map : mapRows)
        mapBytes += map.size() + 2;
    if (mapBytes > kPage) {
        m_error = where + "the rows need " + std::to_string(pages.size()) +
                  " data pages, more than this Access writer maps";
        return false;
    }
    const Page maps = DataPage(0, mapRows);

    Page header{};
    header[1] = 0x01;
    std::memcpy(&header[4], "Standard Jet DB", 15);
    header[0x14] = 0x01;
    Put16(&header[0x3C], 1252);
    Put16(&header[0x6E], 0x409);
    Rc4(0x6b39dac7, &header[0x18], 128);

    std::vector<const Page*> file = {&header, &maps};
    const Page catalogDefinition =
        DefinitionPage(Definition(catalog, 1, true, (1u << 8) | 0, (1u << 8) | 1));
    const Page catalogData = DataPage(kCatalogPage, {Row(catalog, entry)});
    file.push_back(&catalogDefinition);
    file.push_back(&definition);
    file.push_back(&catalogData);
    for (const Page& p : pages)
        file.push_back(&p);

    std::string why;
    const bool ok = UTx::WriteFileAtomically(
        path,
        [&](std::FILE* out, std::string& failure) {
            for (const Page* p : file)
                if (std::fwrite(p->data(), 1, kPage, out) != kPage) {
                    failure = std::strerror(errno ? errno : EIO);
                    return false;
                }
            return true;
        },
        why);
    if (!ok) {
        m_error = where + why;
        m_notes.clear();
    }
    return ok;
}
