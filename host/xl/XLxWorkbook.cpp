#include "XLxWorkbook.h"

#include "utx/UTxFileWriter.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <unordered_map>

static_assert(sizeof(double) == 8, "NUMBER records hold IEEE doubles");

const XLxCell* XLxSheet::Find(uint32_t row, uint16_t column) const
{
    auto it = cells.find(Key(row, column));
    return it == cells.end() ? nullptr : &it->second;
}

namespace {

class Bytes {
public:
    explicit Bytes(std::vector<uint8_t>& out) : m_out(out) {}
    void U8(uint32_t v) { m_out.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) { U8(v); U8(v >> 8); }
    void U32(uint32_t v) { U16(v); U16(v >> 16); }
    void F64(double d)
    {
        uint64_t v;
        std::memcpy(&v, &d, 8);
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(v >> 32));
    }
    size_t Size() const { return m_out.size(); }
    void Patch32(size_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void Patch16(size_t at, uint32_t v)
    {
        m_out[at] = static_cast<uint8_t>(v);
        m_out[at + 1] = static_cast<uint8_t>(v >> 8);
    }
    // Starts a record; End fills in its length.
    size_t Begin(uint16_t type)
    {
        U16(type);
        U16(0);
        return Size();
    }
    void End(size_t start) { Patch16(start - 2, static_cast<uint32_t>(Size() - start)); }

private:
    std::vector<uint8_t>& m_out;
};

bool IsCompressible(const std::u16string& s)
{
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c < 0x100; });
}

// Characters after their flags byte: one byte each when every one fits, else UTF-16.
void PutChars(Bytes& b, const std::u16string& s, size_t from, size_t to, bool wide)
{
    for (size_t i = from; i < to; ++i)
        wide ? b.U16(s[i]) : b.U8(s[i]);
}

constexpr size_t kMaxRecordData = 8224;

// The string table, split into CONTINUE records where it passes the record limit. A string's
// count and flags stay together; its characters may continue in the next record, which then
// starts with the flags byte again.
void PutSharedStrings(Bytes& b, const std::vector<const std::u16string*>& strings, uint32_t total)
{
    size_t rec = b.Begin(0x00FC);
    b.U32(total);
    b.U32(static_cast<uint32_t>(strings.size()));
    auto room = [&] { return kMaxRecordData - (b.Size() - rec); };
    for (const std::u16string* s : strings) {
        const bool wide = !IsCompressible(*s);
        const size_t width = wide ? 2 : 1;
        if (room() < 3 + width) {
            b.End(rec);
            rec = b.Begin(0x003C);
        }
        b.U16(static_cast<uint32_t>(s->size()));
        b.U8(wide ? 1 : 0);
        size_t done = 0;
        while (true) {
            size_t fits = std::min(s->size() - done, room() / width);
            PutChars(b, *s, done, done + fits, wide);
            done += fits;
            if (done == s->size())
                break;
            b.End(rec);
            rec = b.Begin(0x003C);
            b.U8(wide ? 1 : 0);
        }
    }
    b.End(rec);
}

void PutBof(Bytes& b, uint16_t kind)
{
    size_t r = b.Begin(0x0809);
    b.U16(0x0600);
    b.U16(kind);
    b.U16(0x0DBB);
    b.U16(0x07CC);
    b.U32(0);
    b.U32(0x06);
    b.End(r);
}

void PutEof(Bytes& b)
{
    b.End(b.Begin(0x000A));
}

struct XfKey {
    uint16_t format;
    uint8_t align;
    bool border;
    bool operator<(const XfKey& o) const
    {
        return std::tie(format, align, border) < std::tie(o.format, o.align, o.border);
    }
};

// An empty text is an empty cell, as the application stores it; readers refuse an empty
// shared string.
bool IsText(const XLxCell& c)
{
    return c.kind == XLxCell::Kind::Text && !c.text.empty();
}

constexpr uint16_t kFirstCellXf = 15; // the 15 style formats come first
constexpr uint16_t kFirstCustomFormat = 164;

class StreamBuilder {
public:
    bool Build(const XLxWorkbook& book, std::vector<uint8_t>& out, std::string& why)
    {
        if (!Check(book, why))
            return false;
        Collect(book);
        Bytes b(out);
        out.clear();
        out.reserve(64 * 1024);
        std::vector<size_t> sheetOffsetAt;
        PutGlobals(b, book, sheetOffsetAt);
        for (size_t i = 0; i < book.sheets.size(); ++i) {
            b.Patch32(sheetOffsetAt[i], static_cast<uint32_t>(b.Size()));
            PutSheet(b, book.sheets[i], i == 0);
        }
        return true;
    }

private:
    static bool Check(const XLxWorkbook& book, std::string& why)
    {
        if (book.sheets.empty()) {
            why = "a workbook needs at least one worksheet";
            return false;
        }
        for (const XLxSheet& s : book.sheets) {
            if (s.name.empty() || s.name.size() > 31) {
                why = "a worksheet name must have 1 to 31 characters";
                return false;
            }
            for (const auto& [key, cell] : s.cells) {
                if (XLxSheet::ColumnOf(key) >= XLxSheet::kColumns) {
                    why = "a worksheet has more than 256 columns";
                    return false;
                }
                if (cell.text.size() > 32767) {
                    why = "a cell text is longer than 32767 characters";
                    return false;
                }
                if (cell.numberFormat.size() > 255) {
                    why = "a number format is longer than 255 characters";
                    return false;
                }
            }
            for (const XLxMerge& m : s.merges)
                if (m.lastRow >= XLxSheet::kRows || m.lastColumn >= XLxSheet::kColumns ||
                    m.firstRow > m.lastRow || m.firstColumn > m.lastColumn) {
                    why = "a merged range lies outside the worksheet";
                    return false;
                }
            if (!s.cells.empty() && XLxSheet::RowOf(s.cells.rbegin()->first) >= XLxSheet::kRows) {
                why = "a worksheet has more than 65536 rows";
                return false;
            }
        }
        return true;
    }

    // Each cell's string and format, looked up once, in the order the sheets write them.
    void Collect(const XLxWorkbook& book)
    {
        size_t count = 0;
        for (const XLxSheet& s : book.sheets)
            count += s.cells.size();
        m_cellRefs.reserve(count);
        for (const XLxSheet& s : book.sheets)
            for (const auto& [key, cell] : s.cells) {
                uint32_t sst = 0;
                if (IsText(cell)) {
                    ++m_textCells;
                    auto [it, added] =
                        m_stringIndex.try_emplace(cell.text, static_cast<uint32_t>(m_strings.size()));
                    if (added)
                        m_strings.push_back(&it->first);
                    sst = it->second;
                }
                m_cellRefs.push_back({sst, Xf(cell)});
            }
    }

    uint16_t Format(const std::u16string& text)
    {
        if (text.empty() || text == u"General")
            return 0;
        if (text == u"@")
            return 49;
        auto [it, added] = m_formats.try_emplace(
            text, static_cast<uint16_t>(kFirstCustomFormat + m_formats.size()));
        if (added)
            m_formatOrder.push_back(&it->first);
        return it->second;
    }

    uint16_t Xf(const XLxCell& cell)
    {
        XfKey key{Format(cell.numberFormat), std::min<uint8_t>(cell.horizontalAlign, 3),
                  cell.border};
        auto [it, added] = m_xfs.try_emplace(key, static_cast<uint16_t>(kFirstCellXf + m_xfOrder.size()));
        if (added)
            m_xfOrder.push_back(key);
        return it->second;
    }

    static void PutXf(Bytes& b, bool style, const XfKey& k)
    {
        size_t r = b.Begin(0x00E0);
        b.U16(0);                                  // font
        b.U16(k.format);
        b.U16(style ? 0xFFF5 : 0x0001);            // locked; a style, or a cell of style 0
        b.U8(k.align);
        b.U8(0);                                   // rotation
        b.U8(0);                                   // indent, shrink, reading order
        b.U8(style ? 0 : 0xFC);                    // the cell's own attributes override
        const uint32_t line = k.border ? 1 : 0;    // thin
        const uint32_t colour = k.border ? 8 : 0;  // black
        b.U32(line | line << 4 | line << 8 | line << 12 | colour << 16 | colour << 23);
        b.U32(colour | colour << 7);
        b.U16(0x20C0);                             // automatic pattern colours
        b.End(r);
    }

    static void PutShortName(Bytes& b, const std::u16string& s)
    {
        const bool wide = !IsCompressible(s);
        b.U8(static_cast<uint32_t>(s.size()));
        b.U8(wide ? 1 : 0);
        PutChars(b, s, 0, s.size(), wide);
    }

    void PutGlobals(Bytes& b, const XLxWorkbook& book, std::vector<size_t>& sheetOffsetAt)
    {
        PutBof(b, 0x0005);
        size_t r = b.Begin(0x0042); // CODEPAGE: UTF-16
        b.U16(1200);
        b.End(r);
        r = b.Begin(0x003D); // WINDOW1
        b.U16(0);
        b.U16(0);
        b.U16(0x4000);
        b.U16(0x2000);
        b.U16(0x0038);
        b.U16(0);
        b.U16(0);
        b.U16(1);
        b.U16(0x0258);
        b.End(r);
        for (int i = 0; i < 4; ++i) { // font 4 does not exist; four fonts fill 0..3
            r = b.Begin(0x0031);
            b.U16(200);
            b.U16(0);
            b.U16(0x7FFF);
            b.U16(400);
            b.U16(0);
            b.U8(0);
            b.U8(0);
            b.U8(0);
            b.U8(0);
            PutShortName(b, u"Arial");
            b.End(r);
        }
        for (const std::u16string* f : m_formatOrder) {
            r = b.Begin(0x041E);
            b.U16(m_formats[*f]);
            const bool wide = !IsCompressible(*f);
            b.U16(static_cast<uint32_t>(f->size()));
            b.U8(wide ? 1 : 0);
            PutChars(b, *f, 0, f->size(), wide);
            b.End(r);
        }
        for (uint16_t i = 0; i < kFirstCellXf; ++i)
            PutXf(b, true, XfKey{0, 0, false});
        for (const XfKey& k : m_xfOrder)
            PutXf(b, false, k);
        r = b.Begin(0x0293); // STYLE: "Normal" is built-in style 0 on format 0
        b.U16(0x8000);
        b.U8(0);
        b.U8(0xFF);
        b.End(r);
        for (const XLxSheet& s : book.sheets) {
            r = b.Begin(0x0085);
            sheetOffsetAt.push_back(b.Size());
            b.U32(0); // patched once the sheet's place is known
            b.U8(0);
            b.U8(0);
            PutShortName(b, s.name);
            b.End(r);
        }
        PutSharedStrings(b, m_strings, m_textCells);
        PutEof(b);
    }

    void PutSheet(Bytes& b, const XLxSheet& s, bool active)
    {
        PutBof(b, 0x0010);
        for (const auto& [column, width] : s.columnWidths) {
            size_t r = b.Begin(0x007D);
            b.U16(column);
            b.U16(column);
            b.U16(width);
            b.U16(kFirstCellXf);
            b.U16(0);
            b.U16(0);
            b.End(r);
        }
        uint32_t lastRow = 0;
        uint16_t firstColumn = XLxSheet::kColumns - 1, lastColumn = 0;
        for (const auto& [key, cell] : s.cells) {
            lastRow = XLxSheet::RowOf(key);
            firstColumn = std::min(firstColumn, XLxSheet::ColumnOf(key));
            lastColumn = std::max(lastColumn, XLxSheet::ColumnOf(key));
        }
        size_t r = b.Begin(0x0200); // DIMENSIONS: last row and column are one past
        b.U32(s.cells.empty() ? 0 : XLxSheet::RowOf(s.cells.begin()->first));
        b.U32(s.cells.empty() ? 0 : lastRow + 1);
        b.U16(s.cells.empty() ? 0 : firstColumn);
        b.U16(s.cells.empty() ? 0 : lastColumn + 1);
        b.U16(0);
        b.End(r);
        for (const auto& [key, cell] : s.cells) {
            const auto [sst, xf] = m_cellRefs[m_nextCell++];
            switch (cell.kind == XLxCell::Kind::Text && !IsText(cell) ? XLxCell::Kind::Empty : cell.kind) {
            case XLxCell::Kind::Text:
                r = b.Begin(0x00FD);
                b.U16(XLxSheet::RowOf(key));
                b.U16(XLxSheet::ColumnOf(key));
                b.U16(xf);
                b.U32(sst);
                break;
            case XLxCell::Kind::Number:
                r = b.Begin(0x0203);
                b.U16(XLxSheet::RowOf(key));
                b.U16(XLxSheet::ColumnOf(key));
                b.U16(xf);
                b.F64(cell.number);
                break;
            case XLxCell::Kind::Empty:
                r = b.Begin(0x0201);
                b.U16(XLxSheet::RowOf(key));
                b.U16(XLxSheet::ColumnOf(key));
                b.U16(xf);
                break;
            }
            b.End(r);
        }
        r = b.Begin(0x023E); // WINDOW2
        b.U16(active ? 0x06B6 : 0x00B6);
        b.U16(0);
        b.U16(0);
        b.U32(0x40);
        b.U16(0);
        b.U16(0);
        b.U32(0);
        b.End(r);
        for (size_t at = 0; at < s.merges.size(); at += 1026) {
            const size_t n = std::min<size_t>(1026, s.merges.size() - at);
            r = b.Begin(0x00E5);
            b.U16(static_cast<uint32_t>(n));
            for (size_t i = at; i < at + n; ++i) {
                b.U16(s.merges[i].firstRow);
                b.U16(s.merges[i].lastRow);
                b.U16(s.merges[i].firstColumn);
                b.U16(s.merges[i].lastColumn);
            }
            b.End(r);
        }
        PutEof(b);
    }

    uint32_t m_textCells = 0;
    struct CellRef {
        uint32_t sst;
        uint16_t xf;
    };
    std::vector<CellRef> m_cellRefs;
    size_t m_nextCell = 0;
    std::unordered_map<std::u16string, uint32_t> m_stringIndex;
    std::vector<const std::u16string*> m_strings;
    std::map<std::u16string, uint16_t> m_formats;
    std::vector<const std::u16string*> m_formatOrder;
    std::map<XfKey, uint16_t> m_xfs;
    std::vector<XfKey> m_xfOrder;
};

// --- compound file container ---------------------------------------------------------------

constexpr uint32_t kSector = 512;
constexpr uint32_t kMiniSector = 64;
constexpr uint32_t kMiniCutoff = 4096;
constexpr uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD;
constexpr uint32_t kDifSect = 0xFFFFFFFC;
constexpr uint32_t kHeaderFatSlots = 109;
constexpr uint32_t kPerSector = kSector / 4;
constexpr uint32_t kPerDifatSector = kPerSector - 1;

uint32_t SectorsFor(size_t bytes, uint32_t size)
{
    return static_cast<uint32_t>((bytes + size - 1) / size);
}

void PutDirEntry(Bytes& b, const std::u16string& name, uint8_t type, uint32_t child,
                 uint32_t start, uint32_t size)
{
    for (size_t i = 0; i < 32; ++i)
        b.U16(i < name.size() ? name[i] : 0);
    b.U16(name.empty() ? 0 : static_cast<uint32_t>((name.size() + 1) * 2));
    b.U8(type);
    b.U8(1); // black: a tree of one entry per level is a valid red-black tree
    b.U32(kFree);
    b.U32(kFree);
    b.U32(child);
    for (int i = 0; i < 16 + 4 + 16; ++i) // class id, state bits, times
        b.U8(0);
    b.U32(start);
    b.U32(size);
    b.U32(0);
}

bool BuildContainer(const std::vector<uint8_t>& stream, std::vector<uint8_t>& out, std::string& why)
{
    if (stream.size() > 0x7FFFFFFF) {
        why = "the workbook is too large for the file format";
        return false;
    }
    const bool mini = stream.size() < kMiniCutoff;
    // Sector order: the stream (or the mini stream), the directory, the mini allocation table,
    // then the allocation table itself.
    const uint32_t miniSectors = mini ? SectorsFor(stream.size(), kMiniSector) : 0;
    const uint32_t dataSectors =
        mini ? SectorsFor(size_t(miniSectors) * kMiniSector, kSector) : SectorsFor(stream.size(), kSector);
    const uint32_t dirSectors = 1;
    const uint32_t miniFatSectors = mini ? SectorsFor(size_t(miniSectors) * 4, kSector) : 0;
    const uint32_t used = dataSectors + dirSectors + miniFatSectors;
    // The header lists the first 109 allocation-table sectors; further ones are listed in
    // sectors of their own (127 each and a link), which the table must cover too.
    uint32_t fatSectors = 1, difatSectors = 0;
    while (true) {
        difatSectors = fatSectors > kHeaderFatSlots
                           ? SectorsFor(fatSectors - kHeaderFatSlots, kPerDifatSector)
                           : 0;
        if (size_t(fatSectors) * kPerSector >= size_t(used) + fatSectors + difatSectors)
            break;
        ++fatSectors;
    }
    const uint32_t dirStart = dataSectors;
    const uint32_t miniFatStart = dirStart + dirSectors;
    const uint32_t fatStart = miniFatStart + miniFatSectors;
    const uint32_t difatStart = fatStart + fatSectors;
    const uint32_t total = difatStart + difatSectors;

    out.clear();
    out.reserve(size_t(total + 1) * kSector);
    Bytes b(out);
    const uint8_t magic[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    for (uint8_t m : magic)
        b.U8(m);
    for (int i = 0; i < 16; ++i)
        b.U8(0);
    b.U16(0x003E);
    b.U16(0x0003);
    b.U16(0xFFFE);
    b.U16(9);
    b.U16(6);
    for (int i = 0; i < 6; ++i)
        b.U8(0);
    b.U32(0);
    b.U32(fatSectors);
    b.U32(dirStart);
    b.U32(0);
    b.U32(kMiniCutoff);
    b.U32(mini ? miniFatStart : kEnd);
    b.U32(miniFatSectors);
    b.U32(difatSectors ? difatStart : kEnd);
    b.U32(difatSectors);
    for (uint32_t i = 0; i < kHeaderFatSlots; ++i)
        b.U32(i < fatSectors ? fatStart + i : kFree);

    auto pad = [&](size_t to) { out.resize(to, 0); };
    // Data.
    out.insert(out.end(), stream.begin(), stream.end());
    pad(kSector * size_t(1 + dataSectors));
    // Directory: the root (owner of the mini stream) and the one stream.
    const uint32_t rootStart = mini && dataSectors ? 0 : kEnd;
    PutDirEntry(b, u"Root Entry", 5, 1, rootStart, mini ? miniSectors * kMiniSector : 0);
    PutDirEntry(b, u"Workbook", 2, kFree, mini ? 0 : (stream.empty() ? kEnd : 0),
                static_cast<uint32_t>(stream.size()));
    PutDirEntry(b, u"", 0, kFree, 0, 0);
    PutDirEntry(b, u"", 0, kFree, 0, 0);
    // Mini allocation table: one chain.
    for (uint32_t i = 0; i < miniSectors; ++i)
        b.U32(i + 1 < miniSectors ? i + 1 : kEnd);
    for (size_t i = miniSectors; i < size_t(miniFatSectors) * (kSector / 4); ++i)
        b.U32(kFree);
    // Allocation table: chains of the data, the directory and the mini table, then itself.
    auto chain = [&](uint32_t first, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i)
            b.U32(i + 1 < count ? first + i + 1 : kEnd);
    };
    chain(0, dataSectors);
    chain(dirStart, dirSectors);
    chain(miniFatStart, miniFatSectors);
    for (uint32_t i = 0; i < fatSectors; ++i)
        b.U32(kFatSect);
    for (uint32_t i = 0; i < difatSectors; ++i)
        b.U32(kDifSect);
    while (out.size() < kSector * size_t(1 + difatStart))
        b.U32(kFree);
    for (uint32_t k = 0; k < difatSectors; ++k) {
        for (uint32_t j = 0; j < kPerDifatSector; ++j) {
            const size_t i = kHeaderFatSlots + size_t(k) * kPerDifatSector + j;
            b.U32(i < fatSectors ? fatStart + static_cast<uint32_t>(i) : kFree);
        }
        b.U32(k + 1 < difatSectors ? difatStart + k + 1 : kEnd);
    }
    return out.size() == kSector * size_t(1 + total);
}

} // namespace

namespace XLx {

bool BuildWorkbookStream(const XLxWorkbook& book, std::vector<uint8_t>& out, std::string& why)
{
    return StreamBuilder().Build(book, out, why);
}

bool SaveWorkbook(const std::string& path, const XLxWorkbook& book, std::string& why)
{
    std::vector<uint8_t> stream, file;
    if (!BuildWorkbookStream(book, stream, why) || !BuildContainer(stream, file, why))
        return false;
    return UTx::WriteFileAtomically(
        path,
        [&](std::FILE* f, std::string& reason) {
            if (std::fwrite(file.data(), 1, file.size(), f) != file.size()) {
                reason = "the workbook could not be written";
                return false;
            }
            return true;
        },
        why);
}

} // namespace XLx
