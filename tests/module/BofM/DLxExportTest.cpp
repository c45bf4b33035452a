// Exporting a placed parts list: the file types offered and their filter, the export and
// options dialogs with their validations, and text files written to disk and read back by a
// plain parser of delimited text.
#include <freexl.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BofM/DLxExcelExportDialog.h"
#include "BofM/DLxExportDialog.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuDbReaders.h"
#include "KorvuPartListDoc.h"
#include "KorvuTestSupport.h"
#include "WinMessageBox.h"
#include "WinText.h"
#include "bom/BqxBomDbTable.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "xl/XLxAutomation.h"
#include "xl/XLxWorkbook.h"

namespace {
namespace fs = std::filesystem;
using Fields = std::vector<std::u16string>;
using Lines = std::vector<Fields>;

// A delimited-text reader that shares nothing with the writer: fields split at the delimiter,
// records at CR LF; a field in quotes may hold both, with doubled quotes standing for one.
Lines ParseDelimited(const std::u16string& text, char16_t delimiter) {
    Lines lines;
    Fields fields;
    std::u16string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"' && field.empty()) {
            quoted = true;
        } else if (c == delimiter) {
            fields.push_back(field);
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            fields.push_back(field);
            field.clear();
            lines.push_back(fields);
            fields.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "unterminated quote";
    EXPECT_TRUE(field.empty() && fields.empty()) << "last line without CR LF";
    return lines;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// UTF-16 little-endian after the byte-order mark, or UTF-8.
std::u16string Decode(const std::string& bytes, bool unicode) {
    if (!unicode) return WinFromUtf8(bytes);
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += char16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
    return text;
}

std::string Utf16Le(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

// A column name in letters, as a spreadsheet shows it (1 A, 27 AA).
std::u16string Letters(int32_t column) {
    std::u16string s;
    for (; column > 0; column = (column - 1) / 26)
        s.insert(s.begin(), char16_t(u'A' + (column - 1) % 26));
    return s;
}

std::u16string Cell(int32_t column, int32_t row) {
    return Letters(column) + UTx::MakeWideString(std::to_string(row));
}

class PartListExport : public KorvuPartList::ModuleTest {
protected:
    void SetUp() override {
        KorvuPartList::ModuleTest::SetUp();
        WinMessageBoxes::Reset();
        m_dir = fs::temp_directory_path() /
                ("korvu-export-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_doc = std::make_unique<KorvuPartList::Doc>();
    }
    void TearDown() override {
        CDialog::SetModalRunner({});
        m_doc.reset();
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
        WinMessageBoxes::Reset();
        KorvuPartList::ModuleTest::TearDown();
    }
    DUxTableStateBase* State() const { return m_doc->table->GetPartListTableState().get(); }
    RSeRef<DUxTableStateBase> StateRef() const { return RSeRef<DUxTableStateBase>(State()); }
    std::unique_ptr<DLxExportDialog> MakeDialog(const char16_t* separator = u"") const {
        return std::make_unique<DLxExportDialog>(false, nullptr, nullptr, 0x80046, 8139, nullptr,
                                                 StateRef(), nullptr, DLxExportDialog::kPartsList,
                                                 separator);
    }
    // What a reader must find: the visible rows' texts of the chosen columns.
    Lines ExpectedRows(const std::vector<int32_t>& columns) const {
        Lines rows;
        for (int32_t r = 0; r < State()->GetRowCount(); ++r) {
            if (State()->GetRow(r)->Invisible()) continue;
            Fields f;
            for (int32_t c : columns) {
                std::u16string v = DUxTableStyle::GetSimpleValue(State()->GetValue(r, c));
                if (auto slash = v.rfind(u'\\'); slash != std::u16string::npos)
                    v.erase(0, slash + 1);
                f.push_back(v);
            }
            rows.push_back(f);
        }
        return rows;
    }
    Fields Headings(const std::vector<int32_t>& columns) const {
        Fields f;
        for (int32_t c : columns)
            f.push_back(State()->GetColumnHeading(c));
        return f;
    }
    std::vector<int32_t> AllColumns() const {
        std::vector<int32_t> all;
        for (int32_t c = 0; c < State()->GetColumnCount(); ++c)
            all.push_back(c);
        return all;
    }

    fs::path m_dir;
    std::unique_ptr<KorvuPartList::Doc> m_doc;
};

TEST_F(PartListExport, TheFilterListsEveryTypeInItsOrder) {
    auto dlg = MakeDialog();
    EXPECT_EQ(dlg->GetFilterTypeIds(), (std::vector<int32_t>{1, 2, 4, 3, 5, 6, 7, 8}));
    // Label and pattern per entry, NUL after each, one more NUL at the end.
    const std::u16string& filter = dlg->GetFilter();
    ASSERT_GE(filter.size(), 2u);
    EXPECT_EQ(filter.substr(filter.size() - 2), std::u16string(2, u'\0'));
    std::vector<std::u16string> parts;
    for (size_t at = 0; at < filter.size() - 1;) {
        const size_t end = filter.find(u'\0', at);
        parts.push_back(filter.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(parts.size(), 16u);
    const char16_t* patterns[] = {u"*.xls", u"*.mdb", u"*.dbf", u"*.dbf",
                                  u"*.txt", u"*.csv", u"*.txt", u"*.csv"};
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(parts[2 * i].empty());
        EXPECT_EQ(parts[2 * i + 1], patterns[i]);
    }
    EXPECT_NE(parts[4], parts[6]); // dBASE IV and III are told apart
    EXPECT_EQ(dlg->GetFilterDefaultExt(), u"xls");
}

TEST_F(PartListExport, TheTypeBoxDecidesTableNameBoxAndExtension) {
    auto dlg = MakeDialog();
    struct Case {
        int32_t index;
        bool tableName;
        const char16_t* typed;
        const char16_t* path;
    };
    const Case cases[] = {
        {0, true, u"/x/list", u"/x/list.xls"},
        {1, true, u"/x/list.MDB", u"/x/list.MDB"},
        {2, false, u"/x/list.dbf", u"/x/list.dbf"},
        {3, false, u"/x/l", u"/x/l.dbf"},
        {4, false, u"/x/list.csv", u"/x/list.csv.txt"},
        {5, false, u"/x/list", u"/x/list.csv"},
        {5, false, u"/x/list.CsV", u"/x/list.CsV"},
        {6, false, u"/x/a.txt", u"/x/a.txt"},
        {7, false, u"csv", u"csv.csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        dlg->ChooseTypeBoxEntry(c.index);
        EXPECT_EQ(dlg->GetFileTypeId(), dlg->GetFilterTypeIds()[size_t(c.index)]);
        EXPECT_EQ(dlg->IsTableNameBoxEnabled(), c.tableName);
        dlg->SetPathName(c.typed);
        dlg->AppendExtension();
        EXPECT_EQ(dlg->GetPathName(), c.path);
    }
}

TEST_F(PartListExport, TheStartCellMustLeaveRoomForTheWholeBlock) {
    const int32_t columns = State()->GetColumnCount();
    const int32_t rows = State()->GetRowCount();
    ASSERT_GT(columns, 1);
    const fs::path existing = m_dir / "template.xls";
    std::ofstream(existing) << "x";
    struct Case {
        std::u16string start;
        std::u16string templ;
        bool title;
        bool startValid, templValid;
    };
    const int32_t lastRow = 65535 - rows + 1;
    const std::vector<Case> cases = {
        {u"", u"", false, true, true},
        {u"C5", u"", false, true, true},
        {u"c5", u"", false, true, true},
        {Cell(257 - columns, 1), u"", false, true, true},
        {Cell(258 - columns, 1), u"", false, false, true},
        {Cell(1, lastRow), u"", false, true, true},
        {Cell(1, lastRow + 1), u"", false, false, true},
        {Cell(1, lastRow), u"", true, false, true}, // the title adds a row
        {u"A0", u"", false, false, true},
        {u"A05", u"", false, false, true},
        {u"5A", u"", false, false, true},
        {u"C", u"", false, false, true},
        {u"C5", existing.u16string(), false, true, true},
        {u"C5", (m_dir / "missing.xls").u16string(), false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.start) + " " + UTx::ToUtf8(c.templ));
        auto dlg = MakeDialog();
        DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
        CDialog::SetModalRunner([&](CDialog& d) {
            ASSERT_EQ(&d, static_cast<CDialog*>(opt));
            opt->CheckDlgButton(DLxExcelExportDialog::kTitleRow, c.title);
            opt->GetEdit(DLxExcelExportDialog::kStartCell).OnTextChange(c.start);
            opt->GetEdit(DLxExcelExportDialog::kTemplate).OnTextChange(c.templ);
            EXPECT_EQ(opt->IsStartCellValid(), c.startValid);
            EXPECT_EQ(opt->IsTemplateValid(), c.templValid);
            EXPECT_EQ(opt->GetEdit(DLxExcelExportDialog::kStartCell).OnCtlColor(),
                      c.startValid ? DLxExcelExportDialog::kWindowText
                                   : DLxExcelExportDialog::kRed);
            EXPECT_EQ(opt->IsItemEnabled(DLxExcelExportDialog::kOK), c.startValid && c.templValid);
            opt->ClickButton(DLxExcelExportDialog::kOK);
            EXPECT_EQ(opt->IsEnded(), c.startValid && c.templValid);
            if (!opt->IsEnded()) opt->EndDialog(IDCANCEL);
        });
        dlg->OnOptions();
    }
}

TEST_F(PartListExport, TheOptionsFollowTheFileKindAndKeepTheirChoices) {
    auto dlg = MakeDialog();
    DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
    // Everything selected until the user opens the options.
    EXPECT_EQ(opt->GetSelectedIndices(), AllColumns());

    // A text type: no spreadsheet options, the title box usable while the table has a title.
    m_doc->Change([&] { DUxTableStyleWrapper(StateRef(), {}).SetTitle(u"Parts"); });
    dlg->ChooseTypeBoxEntry(5);
    int runs = 0;
    CDialog::SetModalRunner([&](CDialog&) {
        ++runs;
        if (runs == 1) {
            for (int32_t id : {DLxExcelExportDialog::kFormatTable, DLxExcelExportDialog::kAllText,
                               DLxExcelExportDialog::kFitWidths, DLxExcelExportDialog::kStartCell,
                               DLxExcelExportDialog::kTemplate, DLxExcelExportDialog::kBrowse}) {
                SCOPED_TRACE(id);
                EXPECT_FALSE(opt->IsItemEnabled(id));
            }
            EXPECT_TRUE(opt->IsItemEnabled(DLxExcelExportDialog::kTitleRow));
            ASSERT_EQ(opt->GetListCount(), size_t(State()->GetColumnCount()));
            opt->ClickButton(DLxExcelExportDialog::kTitleRow);
            opt->OnListClick(0); // unchecks the first column
            opt->ClickButton(DLxExcelExportDialog::kOK);
        } else {
            // Opened again: the previous choices.
            EXPECT_TRUE(opt->IsDlgButtonChecked(DLxExcelExportDialog::kTitleRow));
            EXPECT_FALSE(opt->IsListItemChecked(0));
            EXPECT_TRUE(opt->IsListItemChecked(1));
            opt->EndDialog(IDCANCEL);
        }
    });
    dlg->OnOptions();
    EXPECT_TRUE(opt->GetTitleRow());
    std::vector<int32_t> rest = AllColumns();
    rest.erase(rest.begin());
    EXPECT_EQ(opt->GetSelectedIndices(), rest);
    EXPECT_EQ(opt->GetSelectedHeadings(), Headings(rest));
    dlg->OnOptions();
    EXPECT_EQ(runs, 2);

    // Without a title the title box is off whatever the type.
    m_doc->Change([&] { DUxTableStyleWrapper(StateRef(), {}).SetTitle(u""); });
    CDialog::SetModalRunner([&](CDialog&) {
        EXPECT_FALSE(opt->IsItemEnabled(DLxExcelExportDialog::kTitleRow));
        EXPECT_FALSE(opt->IsDlgButtonChecked(DLxExcelExportDialog::kTitleRow));
        opt->ClickButton(DLxExcelExportDialog::kOK);
    });
    dlg->OnOptions();
    EXPECT_FALSE(opt->GetTitleRow());
}

// The four text types, through SaveData as a caller with its own values would run it, and
// read back: title, headings and every visible row, byte-exact texts in every encoding.
TEST_F(PartListExport, TextFilesHoldEveryVisibleRowOfTheSelectedColumns) {
    ASSERT_GE(State()->GetRowCount(), 3);
    ASSERT_GE(State()->GetColumnCount(), 3);
    const std::u16string accented = u"Gro\u00DFe Schraube \u00D8 8 \u2013 \u65E5\u672C";
    const std::u16string awkward = u"bolt, \"hex\"; M8\nzinc";
    m_doc->Change([&] {
        DUxTableStyleWrapper(StateRef(), {}).SetTitle(u"Parts, \u00C9dition 2");
        ASSERT_TRUE(State()->SetValue(0, 2, accented, true));
        ASSERT_TRUE(State()->SetValue(2, 2, awkward, true));
        State()->GetRow(1)->SetFlag(DUxTableRowBase::kHiddenFlag, false);
    });
    struct Case {
        int32_t type;
        const char* file;
        // A caller's own separator; without one the locale's list separator, for ".txt" as well
        // (only the interactive dialog makes ".txt" tab-separated).
        const char16_t* separator;
        char16_t delimiter;
        bool unicode, title;
        std::vector<int32_t> columns;
    };
    const Case cases[] = {
        {5, "list.txt", u"\t", u'\t', false, true, {0, 1, 2}},
        {6, "list.csv", u"", u',', false, false, {1, 2}},
        {7, "list-u.txt", u"", u',', true, false, {0, 2}},
        {8, "list-u.csv", u"", u',', true, true, {0, 1, 2}},
        {6, "semi.csv", u";", u';', false, true, {2}},
        {5, "semi.txt", u";", u';', true, false, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto dlg = MakeDialog(c.separator);
        DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
        opt->SetOptions(false, false, false, c.title);
        ASSERT_TRUE(opt->SelectColumns(c.columns));
        // Type 5 with the Unicode flag is not a type: the Unicode case of ".txt" is type 7.
        const int32_t type = c.unicode && c.type == 5 ? 7 : c.type;
        const fs::path path = m_dir / c.file;
        ASSERT_EQ(dlg->SaveData(path.u16string(), u"Parts", type), 0);
        const std::string bytes = ReadBytes(path);
        const Lines lines = ParseDelimited(Decode(bytes, c.unicode), c.delimiter);

        Lines expected;
        if (c.title) expected.push_back({u"Parts, \u00C9dition 2"});
        expected.push_back(Headings(c.columns));
        for (const Fields& row : ExpectedRows(c.columns))
            expected.push_back(row);
        EXPECT_EQ(lines, expected);
        EXPECT_EQ(lines.size(), size_t(c.title) + 1 + size_t(State()->GetRowCount() - 1));
        // The texts' own bytes, not a look-alike.
        const bool hasAccented =
            std::find(c.columns.begin(), c.columns.end(), 2) != c.columns.end();
        if (hasAccented) {
            const std::string raw = c.unicode ? Utf16Le(accented) : WinToUtf8(accented);
            EXPECT_NE(bytes.find(raw), std::string::npos);
        }
        EXPECT_TRUE(WinMessageBoxes::GetShown().empty());
    }
}

// Cells as a user's list may hold them: text codes, escaped characters, paths, quotes and the
// delimiter, characters beyond the basic plane and a lone surrogate. Each is written as it
// shows (a path as its file name), in every encoding: a reader finds these exact texts.
TEST_F(PartListExport, TextFilesWriteEachCellAsItShows) {
    struct Cell {
        std::u16string stored, shown8, shown16;
    };
    const Cell cells[] = {
        {u"{\\H2.5;M8} bolt", u"M8 bolt", u"M8 bolt"},
        {u"\\S1^2;", u"1/2", u"1/2"},
        {u"C:\\\\models\\\\bolt.prt", u"bolt.prt", u"bolt.prt"},
        {u"Nut \\{M8\\}", u"Nut {M8}", u"Nut {M8}"},
        {u"washer, \"flat\"\ttab", u"washer, \"flat\"\ttab", u"washer, \"flat\"\ttab"},
        {u"pin \U0001F529 \u00D8", u"pin \U0001F529 \u00D8", u"pin \U0001F529 \u00D8"},
        // Alone, a surrogate is no character: UTF-8 has it as U+FFFD, UTF-16 keeps the unit.
        {u"end \xD83D", u"end \uFFFD", u"end \xD83D"},
        {u"\xDC29 start", u"\uFFFD start", u"\xDC29 start"},
    };
    std::vector<int32_t> visible; // the rows a file holds, in its order
    for (int32_t r = 0; r < State()->GetRowCount(); ++r)
        if (!State()->GetRow(r)->Invisible()) visible.push_back(r);
    const size_t rows = visible.size();
    ASSERT_GE(rows * 2, std::size(cells));
    // Column 2 of every row, then column 1, so that cells meet across a delimiter too: cell i
    // lies in the file's row at[i].first (after the headings), column at[i].second.
    std::vector<std::pair<size_t, int32_t>> at;
    for (size_t i = 0; i < std::size(cells); ++i)
        at.emplace_back(i % rows, i < rows ? 2 : 1);
    m_doc->Change([&] {
        for (size_t i = 0; i < std::size(cells); ++i)
            ASSERT_TRUE(State()->SetValue(visible[at[i].first], at[i].second, cells[i].stored,
                                          true));
    });
    struct Case {
        int32_t type;
        const char* file;
        const char16_t* separator;
        char16_t delimiter;
        bool unicode;
    };
    const Case cases[] = {
        {5, "cells.txt", u"\t", u'\t', false},
        {6, "cells.csv", u"", u',', false},
        {7, "cells-u.txt", u"\t", u'\t', true},
        {8, "cells-u.csv", u";", u';', true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto dlg = MakeDialog(c.separator);
        ASSERT_TRUE(dlg->GetExcelExportDialogForAPI()->SelectColumns({1, 2}));
        const fs::path path = m_dir / c.file;
        ASSERT_EQ(dlg->SaveData(path.u16string(), u"", c.type), 0);
        const Lines lines = ParseDelimited(Decode(ReadBytes(path), c.unicode), c.delimiter);
        ASSERT_EQ(lines.size(), 1 + rows);
        for (size_t i = 0; i < std::size(cells); ++i) {
            SCOPED_TRACE(i);
            // Line 0 holds the headings; the selected columns are 1 and 2, fields 0 and 1.
            const Fields& line = lines[1 + at[i].first];
            ASSERT_EQ(line.size(), 2u);
            EXPECT_EQ(line[size_t(at[i].second - 1)], c.unicode ? cells[i].shown16 : cells[i].shown8);
        }
    }
}

TEST_F(PartListExport, TheDialogWritesWhatTheUserChoseAndCloses) {
    // Typed without extension; a ".txt" file is tab-separated, a ".csv" file takes the
    // locale's list separator.
    struct Case {
        int32_t typeBoxIndex;
        const char* written;
        char16_t delimiter;
    };
    const Case cases[] = {{5, "typed.csv", u','}, {4, "typed.txt", u'\t'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        DLxExportDialog* seen = nullptr;
        CDialog::SetModalRunner([&](CDialog& d) {
            seen = dynamic_cast<DLxExportDialog*>(&d);
            ASSERT_NE(seen, nullptr);
            seen->ChooseTypeBoxEntry(c.typeBoxIndex);
            seen->SetPathName((m_dir / "typed").u16string());
            EXPECT_EQ(seen->OnFileNameOK(), 0);
            EXPECT_TRUE(seen->IsEnded());
        });
        auto dlg = MakeDialog();
        EXPECT_EQ(dlg->DoModal(), IDOK);
        ASSERT_EQ(seen, dlg.get());
        const Lines lines =
            ParseDelimited(Decode(ReadBytes(m_dir / c.written), false), c.delimiter);
        Lines expected{Headings(AllColumns())};
        for (const Fields& row : ExpectedRows(AllColumns()))
            expected.push_back(row);
        EXPECT_EQ(lines, expected);
    }
}

// A write that fails leaves the file that was there and says so once; the dialog stays open.
TEST_F(PartListExport, AFailedWriteKeepsThePreviousFile) {
    const std::string previous = "previous content\r\n";
    struct Case {
        const char* name;
        fs::path path;
        std::function<void(const fs::path&)> arrange, undo;
        bool keepsPrevious;
    };
    const Case cases[] = {
        {"missing folder", m_dir / "no-such" / "list.csv", [](const fs::path&) {},
         [](const fs::path&) {}, false},
        {"read-only file", m_dir / "ro.csv",
         [](const fs::path& p) {
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
         },
         [](const fs::path& p) { fs::permissions(p, fs::perms::owner_all); }, true},
        {"disk full", m_dir / "full.csv",
         [](const fs::path&) {
             // The file layer refuses bytes past a small size, as a full disk does.
             std::signal(SIGXFSZ, SIG_IGN);
             rlimit lim{64, RLIM_INFINITY};
             ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
         },
         [](const fs::path&) {
             rlimit lim{RLIM_INFINITY, RLIM_INFINITY};
             ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinMessageBoxes::Reset();
        if (c.keepsPrevious) std::ofstream(c.path, std::ios::binary) << previous;
        auto dlg = MakeDialog();
        c.arrange(c.path);
        const int32_t result = dlg->SaveData(c.path.u16string(), u"", 6);
        c.undo(c.path);
        EXPECT_EQ(result, 1);
        ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
        EXPECT_FALSE(WinMessageBoxes::GetShown()[0].text.empty());
        if (c.keepsPrevious)
            EXPECT_EQ(ReadBytes(c.path), previous);
        else
            EXPECT_FALSE(fs::exists(c.path));
        // No temporary file is left beside it.
        size_t files = 0;
        for (const auto& e : fs::directory_iterator(m_dir))
            if (e.is_regular_file()) ++files;
        EXPECT_EQ(files, c.keepsPrevious ? 1u : 0u);
        fs::remove(c.path);
    }
}

// The parts list as a database: what the readers must find. Access keeps every text whole
// (mdb-export gives UTF-8); dBASE holds code page 1252, with '?' for what it lacks (shapelib
// gives the bytes and drops the padding spaces).
// dBASE bytes are compared byte for byte, each byte one character.
std::u16string Bytes16(const std::string& bytes) {
    std::u16string out;
    for (char b : bytes)
        out += char16_t(uint8_t(b));
    return out;
}

Lines AsRead(const Lines& rows, bool dbase) {
    Lines lines;
    for (const Fields& row : rows) {
        Fields f;
        for (const std::u16string& v : row)
            f.push_back(dbase ? Bytes16(KorvuCp1252(UTx::ToUtf8(v))) : v);
        lines.push_back(f);
    }
    return lines;
}

Lines Wide(const std::vector<std::vector<std::string>>& rows, bool dbase) {
    Lines lines;
    for (const auto& row : rows) {
        Fields f;
        for (const std::string& v : row)
            f.push_back(dbase ? Bytes16(v) : UTx::MakeWideString(v));
        lines.push_back(f);
    }
    return lines;
}

class PartListDatabaseExport : public PartListExport {
protected:
    // Texts beyond ASCII and beyond code page 1252, a path (kept whole), and a hidden row.
    void MakeValues() {
        ASSERT_GE(State()->GetRowCount(), 4);
        ASSERT_GE(State()->GetColumnCount(), 3);
        m_doc->Change([&] {
            DUxTableStyleWrapper(StateRef(), {}).SetTitle(u"Parts \u00C9dition 2");
            ASSERT_TRUE(State()->SetValue(0, 2, kAccented, true));
            ASSERT_TRUE(State()->SetValue(3, 2, u"C:\\parts\\bolt.prt", true));
            ASSERT_TRUE(State()->SetValue(2, 1, u"bolt, \"hex\"", true));
            State()->GetRow(1)->SetFlag(DUxTableRowBase::kHiddenFlag, false);
        });
    }
    // The visible rows' full texts of the chosen columns.
    Lines ExpectedValues(const std::vector<int32_t>& columns) const {
        Lines rows;
        for (int32_t r = 0; r < State()->GetRowCount(); ++r) {
            if (State()->GetRow(r)->Invisible()) continue;
            Fields f;
            for (int32_t c : columns)
                f.push_back(DUxTableStyle::GetSimpleValue(State()->GetValue(r, c)));
            rows.push_back(f);
        }
        return rows;
    }
    // The table as a reader finds it: column names, then the rows.
    static Lines ReadTable(const fs::path& path, int32_t type) {
        if (type == DLxExportDialog::kMdb) {
            EXPECT_EQ(KorvuMdbTables(path.string()), std::vector<std::string>{"Parts"});
            return Wide(KorvuReadMdb(path.string(), "Parts"), false);
        }
        const KorvuDbfFile dbf = KorvuReadDbf(path.string());
        std::vector<std::vector<std::string>> rows{dbf.names};
        rows.insert(rows.end(), dbf.rows.begin(), dbf.rows.end());
        return Wide(rows, true);
    }
    // The column names the database table gives these headings.
    static Fields ColumnNames(const Fields& headings, int32_t type) {
        BqxBomDbTable names;
        names.InsertInitialColumns(headings);
        if (type == DLxExportDialog::kMdb) return names.MdbColumnNames();
        Fields f;
        for (const std::string& n : names.DbfFieldNames())
            f.push_back(UTx::MakeWideString(n));
        return f;
    }

    const std::u16string kAccented = u"Gro\u00DFe Schraube \u00D8 8 \u2013 \u65E5\u672C";
};

// Access and both dBASE types, through SaveData as a caller with its own values runs it, read
// back by readers that are not our writers: every visible row without a gap, the selected
// columns in their order, texts exact as far as the format holds them. The title row is not
// a database row.
TEST_F(PartListDatabaseExport, DatabaseFilesHoldEveryVisibleRowOfTheSelectedColumns) {
    MakeValues();
    struct Case {
        const char* file;
        int32_t type;
        std::vector<int32_t> columns;
        std::string codePage; // of dBASE files, as shapelib names the language driver
    };
    const Case cases[] = {
        {"list.mdb", DLxExportDialog::kMdb, {0, 1, 2}, ""},
        {"some.mdb", DLxExportDialog::kMdb, {0, 2}, ""},
        {"list3.dbf", DLxExportDialog::kDbf3, {0, 1, 2}, ""},
        {"list4.dbf", DLxExportDialog::kDbf4, {1, 2}, "LDID/87"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto dlg = MakeDialog();
        DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
        opt->SetOptions(false, false, false, true);
        ASSERT_TRUE(opt->SelectColumns(c.columns));
        const fs::path path = m_dir / c.file;
        ASSERT_EQ(dlg->SaveData(path.u16string(), u"Parts", c.type), 0)
            << UTx::ToUtf8(dlg->GetLastFailure());
        EXPECT_TRUE(WinMessageBoxes::GetShown().empty());
        EXPECT_TRUE(dlg->GetLastFailure().empty());

        const bool dbase = c.type != DLxExportDialog::kMdb;
        Lines expected{ColumnNames(Headings(c.columns), c.type)};
        for (const Fields& row : ExpectedValues(c.columns))
            expected.push_back(row);
        expected = AsRead(expected, dbase);
        EXPECT_EQ(ReadTable(path, c.type), expected);
        EXPECT_EQ(expected.size(), size_t(State()->GetRowCount())); // one row hidden
        if (dbase) {
            EXPECT_EQ(KorvuReadDbf(path.string()).codePage, c.codePage);
        }
        // The texts' own bytes: UTF-16 in Access, code page 1252 in dBASE.
        if (std::find(c.columns.begin(), c.columns.end(), 2) != c.columns.end()) {
            const std::string bytes = ReadBytes(path);
            const std::string raw =
                dbase ? KorvuCp1252(WinToUtf8(u"Gro\u00DFe Schraube \u00D8 8 \u2013"))
                      : Utf16Le(kAccented);
            EXPECT_NE(bytes.find(raw), std::string::npos);
        }
    }
}

// The type the file dialog's connect text names decides the dBASE flavour, whatever the path.
TEST_F(PartListDatabaseExport, TheConnectTextPicksTheDbaseType) {
    for (int32_t type : {DLxExportDialog::kDbf3, DLxExportDialog::kDbf4}) {
        SCOPED_TRACE(type);
        auto dlg = MakeDialog();
        const fs::path path = m_dir / ("t" + std::to_string(type) + ".DBF");
        ASSERT_EQ(dlg->SaveData(path.u16string(), u"", type), 0);
        const std::string bytes = ReadBytes(path);
        ASSERT_GT(bytes.size(), 32u);
        // The language driver byte: dBASE IV names its code page, dBASE III cannot.
        EXPECT_EQ(bytes[29], type == DLxExportDialog::kDbf4 ? '\x57' : '\0');
    }
}

// A database file that cannot be written leaves the previous file and no stray file behind;
// the writer shows nothing itself, the caller gets the reason naming the path, and the
// interactive dialog shows it once and stays open.
TEST_F(PartListDatabaseExport, AFailedWriteKeepsThePreviousFileAndSaysWhyOnce) {
    const std::string previous = "previous content\r\n";
    struct Case {
        const char* name;
        int32_t type;
        int32_t typeBoxIndex;
        bool readOnlyFolder; // else a full disk
    };
    const Case cases[] = {
        {"Access, read-only folder", DLxExportDialog::kMdb, 1, true},
        {"dBASE IV, read-only folder", DLxExportDialog::kDbf4, 2, true},
        {"dBASE III, disk full", DLxExportDialog::kDbf3, 3, false},
        {"Access, disk full", DLxExportDialog::kMdb, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = m_dir / c.name;
        fs::create_directories(folder);
        const fs::path path = folder / (c.type == DLxExportDialog::kMdb ? "list.mdb" : "list.dbf");
        std::ofstream(path, std::ios::binary) << previous;
        for (bool interactive : {false, true}) {
            SCOPED_TRACE(interactive ? "interactive" : "given values");
            WinMessageBoxes::Reset();
            auto dlg = MakeDialog();
            int32_t result = -1;
            const auto run = [&] {
                if (!interactive) {
                    result = dlg->SaveData(path.u16string(), u"Parts", c.type);
                    return;
                }
                dlg->ChooseTypeBoxEntry(c.typeBoxIndex);
                ASSERT_EQ(dlg->GetFileTypeId(), c.type);
                dlg->SetTableName(u"Parts");
                dlg->SetPathName(path.u16string());
                result = dlg->OnFileNameOK();
            };
            if (c.readOnlyFolder) {
                fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
                KorvuNoPermissionOverride asUser;
                run();
            } else {
                KorvuFileSizeLimit limit(64);
                run();
            }
            fs::permissions(folder, fs::perms::owner_all);
            EXPECT_EQ(result, 1);
            const std::u16string& why = dlg->GetLastFailure();
            EXPECT_NE(why.find(path.u16string()), std::u16string::npos) << UTx::ToUtf8(why);
            if (interactive) {
                EXPECT_FALSE(dlg->IsEnded());
                ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
                EXPECT_EQ(WinMessageBoxes::GetShown()[0].text, why);
            } else {
                EXPECT_TRUE(WinMessageBoxes::GetShown().empty());
            }
            EXPECT_EQ(ReadBytes(path), previous);
            EXPECT_EQ(KorvuFolderNames(folder.string()),
                      std::vector<std::string>{path.filename().string()});
        }
    }
}

// Workbooks are read back by libfreexl, which shares no code with the workbook writer.
class XlsFile {
public:
    explicit XlsFile(const fs::path& path) {
        m_ok = freexl_open(path.c_str(), &m_h) == FREEXL_OK;
    }
    ~XlsFile() {
        if (m_h) freexl_close(m_h);
    }
    XlsFile(const XlsFile&) = delete;
    XlsFile& operator=(const XlsFile&) = delete;
    bool IsOpen() const { return m_ok; }
    std::vector<std::u16string> SheetNames() const {
        unsigned count = 0;
        freexl_get_info(m_h, FREEXL_BIFF_SHEET_COUNT, &count);
        std::vector<std::u16string> names;
        for (unsigned short i = 0; i < count; ++i) {
            const char* name = "";
            freexl_get_worksheet_name(m_h, i, &name);
            names.push_back(UTx::MakeWideString(name));
        }
        return names;
    }
    // The text of a cell ("" when empty); a number in its shortest form, so that a text such as
    // "8.50" that became a number no longer compares equal to itself.
    std::u16string Cell(unsigned short sheet, unsigned row, unsigned short column) const {
        freexl_select_active_worksheet(m_h, sheet);
        unsigned rows = 0;
        unsigned short columns = 0;
        freexl_worksheet_dimensions(m_h, &rows, &columns);
        if (row >= rows || column >= columns) return u"";
        FreeXL_CellValue v;
        if (freexl_get_cell_value(m_h, row, column, &v) != FREEXL_OK) return u"<error>";
        char buffer[40];
        switch (v.type) {
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_TEXT: return UTx::MakeWideString(v.value.text_value);
        case FREEXL_CELL_INT: return UTx::MakeWideString(std::to_string(v.value.int_value));
        case FREEXL_CELL_DOUBLE:
            std::snprintf(buffer, sizeof buffer, "%.15g", v.value.double_value);
            return UTx::MakeWideString(buffer);
        default: return u"";
        }
    }
    // The cells of a block, row by row.
    Lines Block(unsigned short sheet, unsigned row, unsigned short column, size_t rows,
                size_t columns) const {
        Lines lines(rows, Fields(columns));
        for (size_t r = 0; r < rows; ++r)
            for (size_t c = 0; c < columns; ++c)
                lines[r][c] = Cell(sheet, unsigned(row + r), static_cast<unsigned short>(column + c));
        return lines;
    }

private:
    const void* m_h = nullptr;
    bool m_ok = false;
};

XLxCell TextCell(const std::u16string& text) {
    XLxCell cell;
    cell.kind = XLxCell::Kind::Text;
    cell.text = text;
    return cell;
}

class PartListSpreadsheetExport : public PartListExport {
protected:
    void SetUp() override {
        PartListExport::SetUp();
        XLx::SetApplicationCanStart(true);
        XLx::SetApplicationVersion(u"12.0");
    }
    void TearDown() override {
        XLx::SetApplicationCanStart(true);
        XLx::SetApplicationVersion(u"12.0");
        PartListExport::TearDown();
    }
    // Texts a spreadsheet would take for numbers or dates, and a path that spreadsheets keep
    // whole (text files keep only its file name).
    void MakeAwkwardValues() {
        ASSERT_GE(State()->GetRowCount(), 4);
        ASSERT_GE(State()->GetColumnCount(), 3);
        m_doc->Change([&] {
            DUxTableStyleWrapper(StateRef(), {}).SetTitle(u"Parts \u00C9dition 2");
            ASSERT_TRUE(State()->SetValue(0, 2, u"Gro\u00DFe Schraube \u00D8 8 \u2013 \u65E5\u672C", true));
            ASSERT_TRUE(State()->SetValue(2, 2, u"8.50", true));
            ASSERT_TRUE(State()->SetValue(3, 2, u"C:\\parts\\bolt.prt", true));
            ASSERT_TRUE(State()->SetValue(3, 1, u"007", true));
        });
    }
    // What a reader must find below the headings: the visible rows' full texts.
    Lines ExpectedCells(const std::vector<int32_t>& columns) const {
        Lines rows;
        for (int32_t r = 0; r < State()->GetRowCount(); ++r) {
            if (State()->GetRow(r)->Invisible()) continue;
            Fields f;
            for (int32_t c : columns)
                f.push_back(DUxTableStyle::GetSimpleValue(State()->GetValue(r, c)));
            rows.push_back(f);
        }
        return rows;
    }
    int32_t Export(DLxExportDialog& dlg, const fs::path& path, const char16_t* tableName = u"Parts") {
        return dlg.SaveData(path.u16string(), tableName, DLxExportDialog::kXls);
    }
};

// Every visible row of the selected columns, at the start cell, under the title and headings;
// texts come back as the texts they were, whether or not they read as numbers.
TEST_F(PartListSpreadsheetExport, TheWorkbookHoldsEveryVisibleRowAtTheStartCell) {
    MakeAwkwardValues();
    struct Case {
        const char* name;
        const char16_t* version;
        const char16_t* start;
        unsigned row;
        unsigned short column;
        bool title, formatTable, allText, fit;
        std::vector<int32_t> columns;
    };
    const Case cases[] = {
        {"plain", u"12.0", u"", 0, 0, false, false, false, false, {0, 1, 2}},
        {"C5 titled", u"12.0", u"C5", 4, 2, true, true, false, true, {0, 1, 2}},
        {"c5 all text", u"12.0", u"c5", 4, 2, true, false, true, false, {0, 2}},
        {"older application", u"9.0", u"B2", 1, 1, true, true, false, true, {1, 2}},
        {"11.0", u"11.0", u"A1", 0, 0, false, false, false, false, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XLx::SetApplicationVersion(c.version);
        auto dlg = MakeDialog();
        DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
        opt->SetOptions(c.formatTable, c.allText, c.fit, c.title);
        opt->SetStartCell(c.start);
        ASSERT_TRUE(opt->SelectColumns(c.columns));
        const fs::path path = m_dir / (std::string(c.name) + ".xls");
        ASSERT_EQ(Export(*dlg, path), 0);
        EXPECT_TRUE(WinMessageBoxes::GetShown().empty());

        XlsFile xls(path);
        ASSERT_TRUE(xls.IsOpen());
        EXPECT_EQ(xls.SheetNames(), std::vector<std::u16string>{u"Parts"});
        unsigned row = c.row;
        if (c.title) {
            EXPECT_EQ(xls.Cell(0, row, c.column), u"Parts \u00C9dition 2");
            ++row;
        }
        const size_t n = c.columns.size();
        Lines expected{Headings(c.columns)};
        for (const Fields& f : ExpectedCells(c.columns))
            expected.push_back(f);
        // One row and one column more than the block, both empty.
        Lines found = xls.Block(0, row, c.column, expected.size() + 1, n + 1);
        EXPECT_EQ(found.back(), Fields(n + 1));
        found.pop_back();
        for (Fields& f : found) {
            EXPECT_EQ(f.back(), u"");
            f.pop_back();
        }
        EXPECT_EQ(found, expected);
        // Nothing above or left of the start cell.
        if (c.row > 0) {
            EXPECT_EQ(xls.Cell(0, c.row - 1, c.column), u"");
        }
        if (c.column > 0) {
            EXPECT_EQ(xls.Cell(0, c.row, c.column - 1), u"");
        }
    }
}

// Into an existing workbook a new sheet is added; the same table name again is refused and
// leaves the file as it was.
TEST_F(PartListSpreadsheetExport, AnExistingWorkbookGetsANewSheetButNotTheSameNameTwice) {
    const fs::path path = m_dir / "book.xls";
    XLxWorkbook book;
    book.sheets.resize(1);
    book.sheets[0].name = u"Cover";
    book.sheets[0].At(0, 0) = TextCell(u"keep me");
    std::string why;
    ASSERT_TRUE(XLx::SaveWorkbook(path.string(), book, why)) << why;

    auto dlg = MakeDialog();
    ASSERT_EQ(Export(*dlg, path), 0);
    {
        XlsFile xls(path);
        ASSERT_TRUE(xls.IsOpen());
        const std::vector<std::u16string> names = xls.SheetNames();
        ASSERT_EQ(names.size(), 2u);
        EXPECT_NE(std::find(names.begin(), names.end(), u"Cover"), names.end());
        const auto parts = std::find(names.begin(), names.end(), u"Parts");
        ASSERT_NE(parts, names.end());
        const auto sheet = static_cast<unsigned short>(parts - names.begin());
        const auto cover = static_cast<unsigned short>(1 - sheet);
        EXPECT_EQ(xls.Cell(cover, 0, 0), u"keep me");
        EXPECT_EQ(xls.Block(0 + sheet, 0, 0, 1, size_t(State()->GetColumnCount())),
                  Lines{Headings(AllColumns())});
    }
    const std::string before = ReadBytes(path);
    auto again = MakeDialog();
    EXPECT_EQ(Export(*again, path), 1);
    ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
    EXPECT_FALSE(WinMessageBoxes::GetShown()[0].text.empty());
    EXPECT_TRUE(again->IsTableNameBoxFocused());
    EXPECT_EQ(ReadBytes(path), before);
}

// A template's first sheet takes the table; its other sheets come through unchanged.
TEST_F(PartListSpreadsheetExport, ATemplateWorkbookKeepsItsOtherSheets) {
    const fs::path templ = m_dir / "template.xls";
    XLxWorkbook book;
    book.sheets.resize(2);
    book.sheets[0].name = u"Data";
    book.sheets[1].name = u"Notes \u00DC";
    book.sheets[1].At(2, 1) = TextCell(u"Freigabe \u2713");
    std::string why;
    ASSERT_TRUE(XLx::SaveWorkbook(templ.string(), book, why)) << why;

    auto dlg = MakeDialog();
    dlg->GetExcelExportDialogForAPI()->SetTemplateWorkbook(templ.u16string());
    const fs::path path = m_dir / "from-template.xls";
    ASSERT_EQ(Export(*dlg, path), 0);
    XlsFile xls(path);
    ASSERT_TRUE(xls.IsOpen());
    EXPECT_EQ(xls.SheetNames(), (std::vector<std::u16string>{u"Parts", u"Notes \u00DC"}));
    EXPECT_EQ(xls.Cell(1, 2, 1), u"Freigabe \u2713");
    EXPECT_EQ(xls.Block(0, 0, 0, 1, size_t(State()->GetColumnCount())),
              Lines{Headings(AllColumns())});
}

// An automation call that fails is a failed export with one message, and the file at the path
// is the previous one or none: never a half-written workbook, never a reported success.
TEST_F(PartListSpreadsheetExport, AFailedAutomationCallIsAFailedExport) {
    const fs::path previousBook = m_dir / "previous.xls";
    {
        XLxWorkbook book;
        book.sheets.resize(1);
        book.sheets[0].name = u"Old";
        std::string why;
        ASSERT_TRUE(XLx::SaveWorkbook(previousBook.string(), book, why)) << why;
    }
    const std::string previous = ReadBytes(previousBook);
    struct Case {
        const char* name;
        fs::path path;
        const char16_t* start;
        bool full;
    };
    const Case cases[] = {
        {"missing folder", m_dir / "no-such" / "list.xls", u"", false},
        {"start cell past the last column", m_dir / "wide.xls", u"IW1", false},
        {"disk full", previousBook, u"", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinMessageBoxes::Reset();
        auto dlg = MakeDialog();
        dlg->GetExcelExportDialogForAPI()->SetStartCell(c.start);
        if (c.full) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{rlim_t(previous.size()), RLIM_INFINITY};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
        }
        const int32_t result = Export(*dlg, c.path);
        if (c.full) {
            rlimit lim{RLIM_INFINITY, RLIM_INFINITY};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lim), 0);
        }
        EXPECT_EQ(result, 1);
        ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
        EXPECT_FALSE(WinMessageBoxes::GetShown()[0].text.empty());
        EXPECT_EQ(WinMessageBoxes::GetShown()[0].type & MB_ICONMASK, MB_ICONERROR);
        if (c.path == previousBook)
            EXPECT_EQ(ReadBytes(c.path), previous);
        else
            EXPECT_FALSE(fs::exists(c.path));
        size_t files = 0;
        for (const auto& e : fs::directory_iterator(m_dir))
            if (e.is_regular_file()) ++files;
        EXPECT_EQ(files, 1u);
    }
}

// Without the application the spreadsheet options are off and the workbook goes through the
// database table: one sheet named after the table, headings in A1 onwards, every visible row
// of the selected columns below as the texts they were; start cell, title row and formats set
// through the options have no effect.
TEST_F(PartListSpreadsheetExport, WithoutTheApplicationTheOptionsAreOffAndNothingHalfWritten) {
    MakeAwkwardValues();
    m_doc->Change([&] { State()->GetRow(1)->SetFlag(DUxTableRowBase::kHiddenFlag, false); });
    XLx::SetApplicationCanStart(false);
    EXPECT_TRUE(DLxExportDialog::QuerySpreadsheetVersion().empty());
    auto dlg = MakeDialog();
    DLxExcelExportDialog* opt = dlg->GetExcelExportDialogForAPI();
    CDialog::SetModalRunner([&](CDialog&) {
        for (int32_t id : {DLxExcelExportDialog::kFormatTable, DLxExcelExportDialog::kAllText,
                           DLxExcelExportDialog::kFitWidths, DLxExcelExportDialog::kStartCell,
                           DLxExcelExportDialog::kTemplate, DLxExcelExportDialog::kBrowse}) {
            SCOPED_TRACE(id);
            EXPECT_FALSE(opt->IsItemEnabled(id));
        }
        opt->EndDialog(IDCANCEL);
    });
    dlg->OnOptions();
    // What a caller may still preset: none of it reaches the workbook.
    opt->SetOptions(true, true, true, true);
    opt->SetStartCell(u"C5");
    const std::vector<int32_t> columns = {0, 2};
    ASSERT_TRUE(opt->SelectColumns(columns));
    const fs::path path = m_dir / "fallback.xls";
    ASSERT_EQ(Export(*dlg, path), 0) << UTx::ToUtf8(dlg->GetLastFailure());
    EXPECT_TRUE(WinMessageBoxes::GetShown().empty());

    XlsFile xls(path);
    ASSERT_TRUE(xls.IsOpen());
    EXPECT_EQ(xls.SheetNames(), std::vector<std::u16string>{u"Parts"});
    Lines expected{Headings(columns)};
    for (const Fields& f : ExpectedCells(columns))
        expected.push_back(f);
    EXPECT_EQ(expected.size(), size_t(State()->GetRowCount())); // one row hidden
    // One row and one column more than the block, both empty.
    Lines found = xls.Block(0, 0, 0, expected.size() + 1, columns.size() + 1);
    EXPECT_EQ(found.back(), Fields(columns.size() + 1));
    found.pop_back();
    for (Fields& f : found) {
        EXPECT_EQ(f.back(), u"");
        f.pop_back();
    }
    EXPECT_EQ(found, expected);

    XLx::SetApplicationCanStart(true);
    EXPECT_EQ(DLxExportDialog::QuerySpreadsheetVersion(), u"12.0");
}

// A worksheet holds 65536 rows: a list longer than a short count still fills it row by row, and
// one that does not fit is a failed export with one message that leaves the file it was to go
// into as it was.
TEST_F(PartListSpreadsheetExport, TheSheetTakesEveryRowItHoldsAndNoMore) {
    const std::vector<int32_t> columns = {0, 1, 2};
    struct Case {
        const char* name;
        int32_t visibleRows; // below the headings
        const char* file;    // the file of the case before when the export cannot fit
        const char16_t* tableName;
        bool fits;
    };
    const Case cases[] = {
        {"past a short count", 32770, "short.xls", u"Parts", true},
        {"the whole sheet but the headings", 65535, "full.xls", u"Parts", true},
        {"one row too many", 65536, "full.xls", u"More", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WinMessageBoxes::Reset();
        m_doc->Change([&] {
            const int32_t visible = int32_t(ExpectedCells(columns).size());
            for (int32_t n = visible; n < c.visibleRows; ++n)
                State()->AddCustomRow(State()->GetRowCount());
            // Texts in the rows either side of a short count and in the last row.
            for (int32_t r : {32766, 32767, 32768, State()->GetRowCount() - 1}) {
                ASSERT_TRUE(State()->SetValue(
                    r, 2, u"row " + UTx::MakeWideString(std::to_string(r)), true));
            }
        });
        const Lines expectedCells = ExpectedCells(columns);
        ASSERT_EQ(expectedCells.size(), size_t(c.visibleRows));
        const fs::path path = m_dir / c.file;
        const std::string before = c.fits ? std::string() : ReadBytes(path);
        ASSERT_EQ(fs::exists(path), !c.fits);

        auto dlg = MakeDialog();
        ASSERT_TRUE(dlg->GetExcelExportDialogForAPI()->SelectColumns(columns));
        const int32_t result = Export(*dlg, path, c.tableName);
        if (!c.fits) {
            EXPECT_EQ(result, 1);
            ASSERT_EQ(WinMessageBoxes::GetShown().size(), 1u);
            EXPECT_NE(WinMessageBoxes::GetShown()[0].text.find(u"65536 rows"), std::u16string::npos)
                << UTx::ToUtf8(WinMessageBoxes::GetShown()[0].text);
            EXPECT_EQ(ReadBytes(path), before);
            EXPECT_EQ(KorvuFolderNames(m_dir.string()),
                      (std::vector<std::string>{"full.xls", "short.xls"}));
            continue;
        }
        for (const auto& shown : WinMessageBoxes::GetShown())
            ADD_FAILURE() << UTx::ToUtf8(shown.text);
        ASSERT_EQ(result, 0);
        XlsFile xls(path);
        ASSERT_TRUE(xls.IsOpen());
        Lines expected{Headings(columns)};
        expected.insert(expected.end(), expectedCells.begin(), expectedCells.end());
        // One row more than the block, empty.
        Lines found = xls.Block(0, 0, 0, expected.size() + 1, columns.size());
        EXPECT_EQ(found.back(), Fields(columns.size()));
        found.pop_back();
        EXPECT_EQ(found, expected);
        EXPECT_EQ(xls.Cell(0, unsigned(expected.size() - 1), 2),
                  u"row " + UTx::MakeWideString(std::to_string(State()->GetRowCount() - 1)));
    }
}

} // namespace
