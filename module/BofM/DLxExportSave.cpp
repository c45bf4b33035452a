#include "BofM/DLxExportSave.h"

#include <filesystem>
#include <string>

#include "BofM/DLxExcelExportDialog.h"
#include "BofM/DLxExportDialog.h"
#include "Symbol/KorvuModule.h"
#include "WinLocale.h"
#include "WinMessageBox.h"
#include "WinModule.h"
#include "WinText.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "utx/UTxFileWriter.h"

namespace {
UTxString16 Lower(UTxString16 text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return text;
}

// A field that holds the delimiter, a quote or a line break goes in quotes with its quotes
// doubled, so that a reader splits the line where the writer meant it to.
void AppendField(std::u16string& out, const UTxString16& value, const UTxString16& delimiter) {
    const bool needs = (!delimiter.empty() && value.find(delimiter) != UTxString16::npos) ||
                       value.find_first_of(u"\"\r\n") != UTxString16::npos;
    if (!needs) {
        out += value;
        return;
    }
    out += u'"';
    for (char16_t c : value) {
        if (c == u'"') out += u'"';
        out += c;
    }
    out += u'"';
}

void ShowMessage(const UTxString16& text) {
    MessageBoxW(nullptr, text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

UTxString16 LoadString(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, id) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16();
}
} // namespace

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
    // Without the spreadsheet application the workbook is written through the database table.
    return WriteDatabase(kDbWorkbook);
}

bool DLxExportSave::WriteDatabase(int32_t /*code*/) {
    // The database table writer is not part of this host yet: nothing is written.
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
    std::u16string text;
    text.reserve(size_t(m_rowCount + 2) * (m_indices.size() + 1) * 16);
    const auto line = [&](const std::vector<UTxString16>& fields) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) text += m_delimiter;
            AppendField(text, fields[i], m_delimiter);
        }
        text += u"\r\n";
    };
    if (m_options && m_options->GetTitleRow()) line({DUxTableStyleWrapper(m_table, {}).GetTitle()});
    line(m_headings);
    std::vector<UTxString16> fields(m_indices.size());
    for (int32_t row = 0; row < m_rowCount; ++row) {
        if (!IsRowVisible(row)) continue;
        for (size_t i = 0; i < m_indices.size(); ++i) {
            fields[i] = GetCellValue(row, m_indices[i]);
            // A path is exported as its file name.
            const size_t slash = fields[i].rfind(u'\\');
            if (slash != UTxString16::npos) fields[i].erase(0, slash + 1);
        }
        line(fields);
    }

    std::string bytes;
    if (m_unicode) {
        bytes.resize(2 + text.size() * 2);
        bytes[0] = '\xFF';
        bytes[1] = '\xFE';
        for (size_t i = 0; i < text.size(); ++i) {
            bytes[2 + 2 * i] = char(text[i] & 0xFF);
            bytes[3 + 2 * i] = char(text[i] >> 8);
        }
    } else {
        bytes = UTx::ToUtf8(text);
    }
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
