// korvu_rescomp: compiles a resource script (syntax at the top of KorvuRes.krc) into a C++
// source of constant tables in the layout of WinResourceTable.h.
//
//   korvu_rescomp SCRIPT -o OUTPUT.cpp [--depfile FILE]
//
// Errors are printed as "file:line: error: ..." and fail the run; no output is left behind then,
// so a build never links stale tables.
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "WinResourceTable.h"

namespace {

namespace fs = std::filesystem;

struct Token {
    bool quoted = false;
    std::string word;    // as written, for words
    std::u16string text; // decoded, for quoted texts
};

struct MenuNode {
    uint32_t id = 0;
    uint32_t flags = 0;
    std::u16string text;
    std::vector<MenuNode> children;
};

struct Menu {
    int line = 0;
    std::vector<MenuNode> top;
};

struct Control {
    uint32_t kind = 0;
    uint32_t id = 0;
    uint32_t style = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;
    std::u16string text, className;
};

struct Dialog {
    int line = 0;
    uint32_t style = 0;
    int32_t width = 0, height = 0;
    std::u16string caption;
    std::vector<Control> controls;
};

struct Bitmap {
    int line = 0;
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

struct StringEntry {
    int line = 0;
    std::u16string text;
};

struct Flag {
    const char* name;
    uint32_t bit;
};

const Flag kControlKinds[] = {
    {"button", KORVU_RES_BUTTON}, {"check", KORVU_RES_CHECK},   {"radio", KORVU_RES_RADIO},
    {"edit", KORVU_RES_EDIT},     {"static", KORVU_RES_STATIC}, {"groupbox", KORVU_RES_GROUPBOX},
    {"combo", KORVU_RES_COMBO},   {"list", KORVU_RES_LIST},     {"grid", KORVU_RES_GRID},
    {"custom", KORVU_RES_CUSTOM},
};

const Flag kControlFlags[] = {
    {"tabstop", KORVU_RES_CTL_TABSTOP},
    {"group", KORVU_RES_CTL_GROUP},
    {"disabled", KORVU_RES_CTL_DISABLED},
    {"hidden", KORVU_RES_CTL_HIDDEN},
    {"default", KORVU_RES_CTL_DEFAULT},
    {"readonly", KORVU_RES_CTL_READONLY},
    {"multiline", KORVU_RES_CTL_MULTILINE},
    {"number", KORVU_RES_CTL_NUMBER},
    {"password", KORVU_RES_CTL_PASSWORD},
    {"autohscroll", KORVU_RES_CTL_AUTOHSCROLL},
    {"vscroll", KORVU_RES_CTL_VSCROLL},
    {"hscroll", KORVU_RES_CTL_HSCROLL},
    {"border", KORVU_RES_CTL_BORDER},
    {"left", KORVU_RES_CTL_LEFT},
    {"center", KORVU_RES_CTL_CENTER},
    {"right", KORVU_RES_CTL_RIGHT},
    {"dropdown", KORVU_RES_CTL_DROPDOWN},
    {"dropdownlist", KORVU_RES_CTL_DROPDOWNLIST},
    {"sort", KORVU_RES_CTL_SORT},
    {"auto", KORVU_RES_CTL_AUTO},
    {"3state", KORVU_RES_CTL_3STATE},
    {"multiselect", KORVU_RES_CTL_MULTISELECT},
    {"wantreturn", KORVU_RES_CTL_WANTRETURN},
};

const Flag kDialogFlags[] = {
    {"child", KORVU_RES_DLG_CHILD},         {"sysmenu", KORVU_RES_DLG_SYSMENU},
    {"resizable", KORVU_RES_DLG_RESIZABLE}, {"center", KORVU_RES_DLG_CENTER},
    {"tool", KORVU_RES_DLG_TOOL},
};

const Flag kMenuFlags[] = {
    {"grayed", KORVU_RES_MENU_GRAYED},
    {"checked", KORVU_RES_MENU_CHECKED},
    {"default", KORVU_RES_MENU_DEFAULT},
};

template <size_t N> const Flag* FindFlag(const Flag (&table)[N], const std::string& name) {
    for (const Flag& f : table)
        if (name == f.name) return &f;
    return nullptr;
}

std::string Hex(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", unsigned(v));
    return buf;
}

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(char16_t(0xD800 + (cp >> 10)));
        out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(char16_t(cp));
    }
}

// Thrown for an error confined to the current line; the parser reports it and goes on.
struct LineError {
    std::string message;
};

class Compiler {
public:
    explicit Compiler(std::string file) : m_file(std::move(file)) {}

    bool Parse(std::istream& in);
    std::string Generate() const;
    const std::set<std::string>& Dependencies() const { return m_deps; }

private:
    enum class Block { None, Strings, Menu, Dialog };

    // Line handling.
    void ParseLine(const std::string& raw);
    std::vector<Token> Tokenize(const std::string& raw);
    void Error(int line, const std::string& message);

    // Token cursor of the current line.
    const Token& Next(const char* what);
    bool AtEnd() const { return m_pos >= m_tokens.size(); }
    int64_t Number(const char* what, int64_t lo, int64_t hi);
    uint32_t Id(const char* what) { return uint32_t(Number(what, 0, 0xFFFFFFFFLL)); }
    std::u16string Text(const char* what);
    template <size_t N> uint32_t Flags(const Flag (&table)[N], const char* owner);
    void ExpectEnd();

    void StringLine();
    void MenuLine(const std::string& keyword);
    void DialogLine(const std::string& keyword);
    void OpenMenu();
    void OpenDialog();
    void ParseBitmap();
    std::vector<uint32_t> ReadPpm(const std::string& path, uint32_t width, uint32_t height);

    std::string m_file;
    int m_line = 0;
    bool m_failed = false;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;

    Block m_block = Block::None;
    int m_blockLine = 0;
    std::string m_blockName;
    Menu m_scratchMenu; // receives a block whose header was bad, so its body parses quietly
    Dialog m_scratchDialog;
    std::vector<std::vector<MenuNode>*> m_menuStack;
    Dialog* m_dialog = nullptr;

    std::map<uint32_t, StringEntry> m_strings;
    std::map<uint32_t, uint32_t> m_messageIds; // low 16 bits -> full id
    std::map<uint32_t, Menu> m_menus;
    std::map<uint32_t, Dialog> m_dialogs;
    std::map<uint32_t, Bitmap> m_bitmaps;
    std::set<std::string> m_deps;
};

void Compiler::Error(int line, const std::string& message) {
    std::cerr << m_file << ':' << line << ": error: " << message << '\n';
    m_failed = true;
}

std::vector<Token> Compiler::Tokenize(const std::string& s) {
    std::vector<Token> out;
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const char c = s[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token t;
            t.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const uint8_t b = uint8_t(s[i]);
                if (b == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (b == '\\') {
                    if (i + 1 >= n) break;
                    const char e = s[i + 1];
                    i += 2;
                    switch (e) {
                    case '"':
                        t.text.push_back(u'"');
                        break;
                    case '\\':
                        t.text.push_back(u'\\');
                        break;
                    case 'n':
                        t.text.push_back(u'\n');
                        break;
                    case 't':
                        t.text.push_back(u'\t');
                        break;
                    case 'r':
                        t.text.push_back(u'\r');
                        break;
                    case 'u': {
                        auto hex4 = [&](size_t at, uint32_t& v) {
                            if (at + 4 > n) return false;
                            v = 0;
                            for (size_t k = at; k < at + 4; ++k) {
                                const char h = s[k];
                                const int d = h >= '0' && h <= '9'   ? h - '0'
                                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                                     : -1;
                                if (d < 0) return false;
                                v = v * 16 + uint32_t(d);
                            }
                            return true;
                        };
                        uint32_t v = 0, low = 0;
                        if (!hex4(i, v)) throw LineError{"\\u needs four hex digits"};
                        i += 4;
                        if (v >= 0xD800 && v <= 0xDBFF) {
                            if (i + 6 > n || s[i] != '\\' || s[i + 1] != 'u' || !hex4(i + 2, low) ||
                                low < 0xDC00 || low > 0xDFFF)
                                throw LineError{"\\u high surrogate without a low surrogate"};
                            i += 6;
                            t.text.push_back(char16_t(v));
                            t.text.push_back(char16_t(low));
                        } else if (v >= 0xDC00 && v <= 0xDFFF) {
                            throw LineError{"\\u low surrogate without a high surrogate"};
                        } else {
                            t.text.push_back(char16_t(v));
                        }
                        break;
                    }
                    default:
                        throw LineError{std::string("unknown escape '\\") + e + "' in text"};
                    }
                    continue;
                }
                // One UTF-8 sequence.
                uint32_t cp = 0;
                size_t len = 0;
                if (b < 0x80) {
                    cp = b, len = 1;
                } else if ((b & 0xE0) == 0xC0) {
                    cp = b & 0x1F, len = 2;
                } else if ((b & 0xF0) == 0xE0) {
                    cp = b & 0x0F, len = 3;
                } else if ((b & 0xF8) == 0xF0) {
                    cp = b & 0x07, len = 4;
                } else {
                    throw LineError{"invalid UTF-8 in text"};
                }
                if (i + len > n) throw LineError{"invalid UTF-8 in text"};
                for (size_t k = 1; k < len; ++k) {
                    const uint8_t cb = uint8_t(s[i + k]);
                    if ((cb & 0xC0) != 0x80) throw LineError{"invalid UTF-8 in text"};
                    cp = (cp << 6) | (cb & 0x3F);
                }
                static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
                if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                    throw LineError{"invalid UTF-8 in text"};
                if (cp < 0x20 && cp != '\t') throw LineError{"control character in text"};
                AppendUtf16(t.text, cp);
                i += len;
            }
            if (!closed) throw LineError{"unterminated text: missing closing quote"};
            out.push_back(std::move(t));
        } else {
            Token t;
            while (i < n && s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '"' &&
                   s[i] != '#')
                t.word.push_back(s[i++]);
            out.push_back(std::move(t));
        }
    }
    return out;
}

const Token& Compiler::Next(const char* what) {
    if (AtEnd()) throw LineError{std::string("missing ") + what};
    return m_tokens[m_pos++];
}

int64_t Compiler::Number(const char* what, int64_t lo, int64_t hi) {
    const Token& t = Next(what);
    if (t.quoted) throw LineError{std::string("expected ") + what + ", found a text"};
    const std::string& w = t.word;
    size_t i = 0;
    const bool negative = !w.empty() && w[0] == '-';
    if (negative) ++i;
    int base = 10;
    if (w.size() > i + 1 && w[i] == '0' && (w[i + 1] == 'x' || w[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= w.size()) throw LineError{"bad number '" + w + "' for " + what};
    int64_t v = 0;
    for (; i < w.size(); ++i) {
        const char c = w[i];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0) throw LineError{"bad number '" + w + "' for " + what};
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) throw LineError{"number '" + w + "' out of range for " + what};
    }
    if (negative) v = -v;
    if (v < lo || v > hi) throw LineError{"number '" + w + "' out of range for " + what};
    return v;
}

std::u16string Compiler::Text(const char* what) {
    const Token& t = Next(what);
    if (!t.quoted)
        throw LineError{std::string("expected ") + what + " in quotes, found '" + t.word + "'"};
    return t.text;
}

template <size_t N> uint32_t Compiler::Flags(const Flag (&table)[N], const char* owner) {
    uint32_t bits = 0;
    while (!AtEnd()) {
        const Token& t = Next("flag");
        if (t.quoted) throw LineError{std::string("unexpected text after ") + owner};
        const Flag* f = FindFlag(table, t.word);
        if (!f) throw LineError{"unknown keyword '" + t.word + "' (not a flag of " + owner + ")"};
        bits |= f->bit;
    }
    return bits;
}

void Compiler::ExpectEnd() {
    if (AtEnd()) return;
    const Token& t = m_tokens[m_pos];
    throw LineError{"unexpected " + (t.quoted ? std::string("text") : "'" + t.word + "'") +
                    " at end of line"};
}

bool Compiler::Parse(std::istream& in) {
    std::string raw;
    while (std::getline(in, raw)) {
        ++m_line;
        if (m_line == 1 && raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
            raw.erase(0, 3);
        try {
            ParseLine(raw);
        } catch (const LineError& e) {
            Error(m_line, e.message);
        }
    }
    if (m_block != Block::None) Error(m_blockLine, m_blockName + " has no END");
    return !m_failed;
}

void Compiler::ParseLine(const std::string& raw) {
    m_tokens = Tokenize(raw);
    m_pos = 0;
    if (m_tokens.empty()) return;
    if (m_tokens[0].quoted) throw LineError{"expected a keyword, found a text"};
    const std::string keyword = m_tokens[0].word;
    const bool section =
        keyword == "STRING" || keyword == "MENU" || keyword == "DIALOG" || keyword == "BITMAP";
    if (m_block == Block::Strings && !section && keyword != "END") {
        if (!std::isdigit(uint8_t(keyword[0])))
            throw LineError{"unknown keyword '" + keyword + "' in STRING (expected an id or END)"};
        return StringLine();
    }
    ++m_pos;

    if (keyword == "END" && m_block == Block::Menu && m_menuStack.size() > 1) {
        ExpectEnd();
        m_menuStack.pop_back();
        return;
    }
    if (keyword == "END") {
        if (m_block == Block::None) throw LineError{"END without an open section"};
        ExpectEnd();
        m_block = Block::None;
        m_menuStack.clear();
        m_dialog = nullptr;
        return;
    }
    if (section) {
        if (m_block != Block::None)
            throw LineError{keyword + " inside " + m_blockName + " (opened at line " +
                            std::to_string(m_blockLine) + "): missing END?"};
        if (keyword == "STRING") {
            ExpectEnd();
            m_block = Block::Strings;
            m_blockLine = m_line;
            m_blockName = "STRING";
        } else if (keyword == "MENU") {
            OpenMenu();
        } else if (keyword == "DIALOG") {
            OpenDialog();
        } else {
            ParseBitmap();
        }
        return;
    }
    if (m_block == Block::Menu) return MenuLine(keyword);
    if (m_block == Block::Dialog) return DialogLine(keyword);
    throw LineError{"unknown keyword '" + keyword + "'"};
}

void Compiler::StringLine() {
    const uint32_t id = Id("STRING id");
    std::u16string text = Text("STRING text");
    ExpectEnd();
    if (auto it = m_strings.find(id); it != m_strings.end())
        throw LineError{"duplicate STRING id " + Hex(id) + " (first at line " +
                        std::to_string(it->second.line) + ")"};
    // Strings become messages keyed by the low 16 bits only: two ids sharing them would replace
    // each other once the module is registered.
    if (auto it = m_messageIds.find(id & 0xFFFFu); it != m_messageIds.end())
        throw LineError{"STRING id " + Hex(id) + " has the same message id as " + Hex(it->second) +
                        " (line " + std::to_string(m_strings[it->second].line) + ")"};
    m_messageIds[id & 0xFFFFu] = id;
    m_strings[id] = StringEntry{m_line, std::move(text)};
}

void Compiler::OpenMenu() {
    // The block opens even when the header is bad, so that its body does not cascade errors.
    m_block = Block::Menu;
    m_blockLine = m_line;
    m_blockName = "MENU";
    m_scratchMenu = Menu{};
    m_menuStack = {&m_scratchMenu.top};
    const uint32_t id = Id("MENU id");
    m_blockName = "MENU " + std::to_string(id);
    ExpectEnd();
    if (auto it = m_menus.find(id); it != m_menus.end())
        throw LineError{"duplicate MENU id " + std::to_string(id) + " (first at line " +
                        std::to_string(it->second.line) + ")"};
    Menu& m = m_menus[id];
    m.line = m_line;
    m_menuStack = {&m.top};
}

void Compiler::MenuLine(const std::string& keyword) {
    std::vector<MenuNode>& level = *m_menuStack.back();
    MenuNode node;
    if (keyword == "POPUP") {
        // Opened before its caption is read, so that a bad caption does not orphan its END.
        level.push_back(MenuNode{0, KORVU_RES_MENU_POPUP, {}, {}});
        MenuNode& popup = level.back();
        m_menuStack.push_back(&popup.children);
        popup.text = Text("POPUP caption");
        popup.flags |= Flags(kMenuFlags, "POPUP");
    } else if (keyword == "ITEM") {
        node.id = Id("ITEM command id");
        node.text = Text("ITEM caption");
        node.flags = Flags(kMenuFlags, "ITEM");
        level.push_back(std::move(node));
    } else if (keyword == "SEPARATOR") {
        ExpectEnd();
        node.flags = KORVU_RES_MENU_SEPARATOR;
        level.push_back(std::move(node));
    } else {
        throw LineError{"unknown keyword '" + keyword +
                        "' in MENU (expected POPUP, ITEM, "
                        "SEPARATOR or END)"};
    }
}

void Compiler::OpenDialog() {
    m_block = Block::Dialog;
    m_blockLine = m_line;
    m_blockName = "DIALOG";
    m_scratchDialog = Dialog{};
    m_dialog = &m_scratchDialog;
    const uint32_t id = Id("DIALOG id");
    m_blockName = "DIALOG " + std::to_string(id);
    Dialog d;
    d.line = m_line;
    d.width = int32_t(Number("DIALOG width", 0, INT32_MAX));
    d.height = int32_t(Number("DIALOG height", 0, INT32_MAX));
    d.caption = Text("DIALOG caption");
    d.style = Flags(kDialogFlags, "DIALOG");
    if (auto it = m_dialogs.find(id); it != m_dialogs.end())
        throw LineError{"duplicate DIALOG id " + std::to_string(id) + " (first at line " +
                        std::to_string(it->second.line) + ")"};
    m_dialog = &(m_dialogs[id] = std::move(d));
}

void Compiler::DialogLine(const std::string& keyword) {
    const Flag* kind = FindFlag(kControlKinds, keyword);
    if (!kind)
        throw LineError{"unknown keyword '" + keyword +
                        "' in DIALOG (expected a control kind "
                        "or END)"};
    Control c;
    c.kind = kind->bit;
    if (c.kind == KORVU_RES_CUSTOM) c.className = Text("custom control class");
    // -1 is the id of a control nobody addresses, as in the original templates.
    c.id = uint32_t(Number("control id", -1, 0xFFFFFFFFLL));
    c.text = Text("control text");
    c.x = int32_t(Number("control x", INT32_MIN, INT32_MAX));
    c.y = int32_t(Number("control y", INT32_MIN, INT32_MAX));
    c.width = int32_t(Number("control width", 0, INT32_MAX));
    c.height = int32_t(Number("control height", 0, INT32_MAX));
    c.style = Flags(kControlFlags, "a control");
    if (c.id != 0xFFFFFFFFu)
        for (const Control& o : m_dialog->controls)
            if (o.id == c.id)
                throw LineError{"duplicate control id " + std::to_string(c.id) + " in " +
                                m_blockName};
    m_dialog->controls.push_back(std::move(c));
}

void Compiler::ParseBitmap() {
    const uint32_t id = Id("BITMAP id");
    Bitmap b;
    b.line = m_line;
    b.width = uint32_t(Number("BITMAP width", 1, 4096));
    b.height = uint32_t(Number("BITMAP height", 1, 4096));
    const Token& source = Next("BITMAP source (file or fill)");
    if (!source.quoted && source.word == "fill") {
        const uint32_t rgb = uint32_t(Number("fill colour 0xRRGGBB", 0, 0xFFFFFF));
        b.pixels.assign(size_t(b.width) * b.height, 0xFF000000u | rgb);
    } else if (!source.quoted && source.word == "file") {
        const std::u16string name = Text("BITMAP file path");
        std::string utf8;
        for (char16_t ch : name) {
            if (ch >= 0x80) throw LineError{"BITMAP file path must be ASCII"};
            utf8.push_back(char(ch));
        }
        const fs::path path = fs::path(m_file).parent_path() / utf8;
        m_deps.insert(path.string());
        b.pixels = ReadPpm(path.string(), b.width, b.height);
    } else {
        throw LineError{"unknown keyword '" +
                        (source.quoted ? std::string("\"...\"") : source.word) +
                        "' (expected file or fill)"};
    }
    ExpectEnd();
    if (auto it = m_bitmaps.find(id); it != m_bitmaps.end())
        throw LineError{"duplicate BITMAP id " + std::to_string(id) + " (first at line " +
                        std::to_string(it->second.line) + ")"};
    m_bitmaps[id] = std::move(b);
}

// Binary PPM (P6, maxval 255): the simplest lossless format every image tool writes.
std::vector<uint32_t> Compiler::ReadPpm(const std::string& path, uint32_t width, uint32_t height) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw LineError{"cannot open bitmap file '" + path + "': " + std::strerror(errno)};
    auto field = [&]() -> std::string {
        std::string f;
        int c;
        while ((c = in.get()) != EOF) {
            if (c == '#') {
                while ((c = in.get()) != EOF && c != '\n') {
                }
                continue;
            }
            if (std::isspace(c)) {
                if (!f.empty()) break;
                continue;
            }
            f.push_back(char(c));
        }
        return f;
    };
    const std::string magic = field(), w = field(), h = field(), maxval = field();
    if (magic != "P6" || maxval != "255")
        throw LineError{"bitmap file '" + path + "' is not a binary PPM (P6, maxval 255)"};
    if (w != std::to_string(width) || h != std::to_string(height))
        throw LineError{"bitmap file '" + path + "' is " + w + "x" + h + ", script says " +
                        std::to_string(width) + "x" + std::to_string(height)};
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (uint32_t& p : pixels) {
        unsigned char rgb[3];
        if (!in.read(reinterpret_cast<char*>(rgb), 3))
            throw LineError{"bitmap file '" + path + "' is truncated"};
        p = 0xFF000000u | (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
    }
    return pixels;
}

// A u"..." literal. Non-ASCII goes as universal character names, controls as octal escapes:
// both have fixed lengths, so no following character is swallowed.
std::string Literal(const std::u16string& s) {
    std::string out = "u\"";
    char buf[16];
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c == u'"' || c == u'\\') {
            out.push_back('\\');
            out.push_back(char(c));
        } else if (c >= 0x20 && c < 0x7F) {
            out.push_back(char(c));
        } else if (c < 0xA0) {
            std::snprintf(buf, sizeof buf, "\\%03o", unsigned(c));
            out += buf;
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size()) {
            const uint32_t cp = 0x10000 + ((uint32_t(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            std::snprintf(buf, sizeof buf, "\\U%08X", unsigned(cp));
            out += buf;
            ++i;
        } else {
            std::snprintf(buf, sizeof buf, "\\u%04X", unsigned(c));
            out += buf;
        }
    }
    out += "\"";
    return out;
}

std::string TextFields(const std::u16string& s) {
    return std::to_string(s.size()) + "u, " + Literal(s);
}

struct FlatItem {
    const MenuNode* node;
    uint32_t firstChild = 0;
    uint32_t childCount = 0;
};

// Each level's items are contiguous and come after their popup, as the table layout requires.
void Flatten(const std::vector<MenuNode>& level, std::vector<FlatItem>& out) {
    const size_t base = out.size();
    for (const MenuNode& n : level)
        out.push_back(FlatItem{&n});
    for (size_t i = 0; i < level.size(); ++i) {
        if (!(level[i].flags & KORVU_RES_MENU_POPUP)) continue;
        out[base + i].firstChild = uint32_t(out.size());
        out[base + i].childCount = uint32_t(level[i].children.size());
        Flatten(level[i].children, out);
    }
}

std::string Compiler::Generate() const {
    std::ostringstream o;
    o << "// Generated by korvu_rescomp from " << fs::path(m_file).filename().string()
      << ". Do not edit.\n#include \"WinResourceTable.h\"\n\nnamespace {\n\n";

    if (!m_strings.empty()) {
        o << "const KorvuResString kStrings[] = {\n";
        for (const auto& [id, s] : m_strings)
            o << "    {" << Hex(id) << "u, " << TextFields(s.text) << "},\n";
        o << "};\n\n";
    }

    int index = 0;
    for (const auto& [id, m] : m_menus) {
        std::vector<FlatItem> items;
        Flatten(m.top, items);
        if (!items.empty()) {
            o << "const KorvuResMenuItem kMenuItems" << index << "[] = {\n";
            for (const FlatItem& f : items)
                o << "    {" << f.node->id << "u, " << Hex(f.node->flags) << "u, " << f.firstChild
                  << "u, " << f.childCount << "u, " << TextFields(f.node->text) << "},\n";
            o << "};\n";
        }
        ++index;
    }
    if (!m_menus.empty()) {
        o << "const KorvuResMenu kMenus[] = {\n";
        index = 0;
        for (const auto& [id, m] : m_menus) {
            std::vector<FlatItem> items;
            Flatten(m.top, items);
            o << "    {" << id << "u, " << m.top.size() << "u, " << items.size() << "u, "
              << (items.empty() ? std::string("nullptr") : "kMenuItems" + std::to_string(index))
              << "},\n";
            ++index;
        }
        o << "};\n\n";
    }

    index = 0;
    for (const auto& [id, d] : m_dialogs) {
        if (!d.controls.empty()) {
            o << "const KorvuResControl kControls" << index << "[] = {\n";
            for (const Control& c : d.controls) {
                o << "    {" << c.kind << "u, " << Hex(c.id) << "u, " << Hex(c.style) << "u, "
                  << c.x << ", " << c.y << ", " << c.width << ", " << c.height << ", "
                  << TextFields(c.text) << ", "
                  << (c.kind == KORVU_RES_CUSTOM ? TextFields(c.className)
                                                 : std::string("0u, nullptr"))
                  << "},\n";
            }
            o << "};\n";
        }
        ++index;
    }
    if (!m_dialogs.empty()) {
        o << "const KorvuResDialog kDialogs[] = {\n";
        index = 0;
        for (const auto& [id, d] : m_dialogs) {
            o << "    {" << id << "u, " << Hex(d.style) << "u, " << d.width << ", " << d.height
              << ", " << TextFields(d.caption) << ", " << d.controls.size() << "u, "
              << (d.controls.empty() ? std::string("nullptr") : "kControls" + std::to_string(index))
              << "},\n";
            ++index;
        }
        o << "};\n\n";
    }

    index = 0;
    for (const auto& [id, b] : m_bitmaps) {
        o << "const uint32_t kPixels" << index << "[] = {";
        for (size_t i = 0; i < b.pixels.size(); ++i)
            o << (i % 8 ? " " : "\n    ") << Hex(b.pixels[i]) << "u,";
        o << "\n};\n";
        ++index;
    }
    if (!m_bitmaps.empty()) {
        o << "const KorvuResBitmap kBitmaps[] = {\n";
        index = 0;
        for (const auto& [id, b] : m_bitmaps)
            o << "    {" << id << "u, " << b.width << "u, " << b.height << "u, kPixels" << index++
              << "},\n";
        o << "};\n\n";
    }

    auto table = [&](const char* name, size_t count) {
        return std::to_string(count) + "u, " + (count ? std::string(name) : "nullptr");
    };
    o << "const KorvuResTable kTable = {\n    KORVU_RES_MAGIC, KORVU_RES_VERSION, "
         "sizeof(KorvuResTable),\n    "
      << table("kStrings", m_strings.size()) << ",\n    " << table("kMenus", m_menus.size())
      << ",\n    " << table("kDialogs", m_dialogs.size()) << ",\n    "
      << table("kBitmaps", m_bitmaps.size())
      << ",\n};\n\n} // namespace\n\n"
         "extern \"C\" __attribute__((visibility(\"default\"))) const KorvuResTable* "
         "KorvuResGetTable(void) {\n    return &kTable;\n}\n";
    return o.str();
}

std::string DepfileEscape(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\') out.push_back('\\');
        if (c == '$') out.push_back('$');
        out.push_back(c);
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& content) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(content.data(), std::streamsize(content.size())) || !out.flush()) {
            std::cerr << "korvu_rescomp: cannot write '" << tmp << "'\n";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        std::cerr << "korvu_rescomp: cannot write '" << path << "': " << ec.message() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string script, output, depfile;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-o" && i + 1 < argc)
            output = argv[++i];
        else if (a == "--depfile" && i + 1 < argc)
            depfile = argv[++i];
        else if (script.empty() && !a.empty() && a[0] != '-')
            script = a;
        else
            script.clear(), output.clear(), i = argc;
    }
    if (script.empty() || output.empty()) {
        std::cerr << "usage: korvu_rescomp SCRIPT -o OUTPUT.cpp [--depfile FILE]\n";
        return 2;
    }
    std::error_code ec;
    fs::remove(output, ec); // never leave tables of an earlier script behind a failure

    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::cerr << script << ": error: cannot open: " << std::strerror(errno) << '\n';
        return 1;
    }
    Compiler compiler(script);
    if (!compiler.Parse(in)) return 1;
    if (!depfile.empty()) {
        std::string deps = DepfileEscape(output) + ": " + DepfileEscape(script);
        for (const std::string& d : compiler.Dependencies())
            deps += " \\\n  " + DepfileEscape(d);
        if (!WriteFile(depfile, deps + "\n")) return 1;
    }
    return WriteFile(output, compiler.Generate()) ? 0 : 1;
}
