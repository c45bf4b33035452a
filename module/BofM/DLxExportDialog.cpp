#include "BofM/DLxExportDialog.h"

#include "BofM/DLxExcelExportDialog.h"
#include "BofM/DLxExportSave.h"

#include "OleAutomation.h"
#include "Symbol/KorvuModule.h"
#include "WinMessageBox.h"
#include "WinModule.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"

namespace {
struct TypeRow {
    int32_t id;
    const char16_t* extension;
    const char16_t* connect;
    uint32_t labelId;
};
constexpr TypeRow kTypes[] = {
    {DLxExportDialog::kXls, u".xls", u"Excel 8.0;", 8133},
    {DLxExportDialog::kMdb, u".mdb", u"", 8128},
    {DLxExportDialog::kDbf3, u".dbf", u"dBASE III;", 8131},
    {DLxExportDialog::kDbf4, u".dbf", u"dBASE IV;", 8132},
    {DLxExportDialog::kTxt, u".txt", u"", 8135},
    {DLxExportDialog::kCsv, u".csv", u"", 8130},
    {DLxExportDialog::kTxtUnicode, u".txt", u"", 8137},
    {DLxExportDialog::kCsvUnicode, u".csv", u"", 8136},
};
} // namespace

DLxExportDialog::DLxExportDialog(bool openFileDialog, const char16_t* defaultExt,
                                 const char16_t* fileName, uint32_t flags, uint32_t filterId,
                                 HWND parent, const RSeRef<DUxTableStateBase>& table,
                                 const char16_t* title, SourceType sourceType,
                                 const UTxString16& separator)
    : CDialog(0, parent),
      m_openFileDialog(openFileDialog),
      m_defaultExt(defaultExt ? defaultExt : u""),
      m_flags(flags),
      m_filterId(filterId),
      m_table(table),
      m_sourceType(sourceType),
      m_separator(separator),
      m_path(fileName ? fileName : u"") {
    if (title && *title) {
        m_title = title;
    } else if (HMODULE res = KorvuGetResourceHandle()) {
        if (auto text = FindStringResource(res, kDefaultCaptionId)) m_title = UTxString16(*text);
    }
    BuildFilter();
    if (const DUxTableStateBase* state = m_table.get()) {
        m_rowCount = state->GetRowCount();
        m_columnCount = state->GetColumnCount();
    }
    m_spreadsheetVersion = QuerySpreadsheetVersion();
    SelectFileType(kXls);
    m_options = std::make_unique<DLxExcelExportDialog>(this, true, false, m_table);
}

DLxExportDialog::~DLxExportDialog() = default;

const std::vector<int32_t>& DLxExportDialog::GetTypeIds() {
    // dBASE IV is offered before dBASE III.
    static const std::vector<int32_t> ids = {kXls, kMdb, kDbf4, kDbf3, kTxt, kCsv, kTxtUnicode,
                                             kCsvUnicode};
    return ids;
}

bool DLxExportDialog::SelectCurrentFileType() {
    if (m_typeBoxIndex < 0 || size_t(m_typeBoxIndex) >= m_filterTypeIds.size()) return false;
    return SelectFileType(m_filterTypeIds[size_t(m_typeBoxIndex)]);
}

bool DLxExportDialog::SelectFileType(int32_t id) {
    for (const TypeRow& row : kTypes) {
        if (row.id != id) continue;
        m_typeId = id;
        m_extension = row.extension;
        m_connect = row.connect;
        return true;
    }
    return false;
}

UTxString16 DLxExportDialog::QuerySpreadsheetVersion() {
    // Empty when the application cannot be started: spreadsheet files then go through the
    // database table writer and the spreadsheet-only options stay off.
    COleDispatchDriver application;
    if (!application.CreateDispatch(u"Excel.Application")) return {};
    try {
        return application.InvokeHelper(0x188, DISPATCH_PROPERTYGET).bstrVal;
    } catch (const COleDispatchException&) {
    } catch (const COleException&) {
    }
    return {};
}

void DLxExportDialog::BuildFilter() {
    m_filter.clear();
    m_filterTypeIds.clear();
    m_filterDefaultExt.clear();
    HMODULE res = KorvuGetResourceHandle();
    for (int32_t id : GetTypeIds()) {
        const TypeRow* row = nullptr;
        for (const TypeRow& r : kTypes)
            if (r.id == id) row = &r;
        auto label = res ? FindStringResource(res, row->labelId) : std::nullopt;
        if (!label || label->empty()) continue;
        m_filter += UTxString16(*label) + u"|*" + row->extension + u"|";
        m_filterTypeIds.push_back(id);
    }
    m_filter += u"|";
    for (char16_t& c : m_filter)
        if (c == u'|') c = u'\0';
    if (!m_filterTypeIds.empty()) {
        const UTxString16 first(m_filter.c_str());
        const size_t star = first.find(u"*.");
        if (star != UTxString16::npos) m_filterDefaultExt = first.substr(star + 2, 3);
    }
}

void DLxExportDialog::AppendExtension() {
    UTxString16 end = m_path.size() >= 4 ? m_path.substr(m_path.size() - 4) : m_path;
    for (char16_t& c : end)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    if (end != m_extension) m_path += m_extension;
}

void DLxExportDialog::ChooseTypeBoxEntry(int32_t index) {
    if (index < 0 || size_t(index) >= m_filterTypeIds.size()) return;
    m_typeBoxIndex = index;
    OnTypeChange();
}

void DLxExportDialog::OnTypeChange() {
    SelectCurrentFileType();
    // dBASE and text files have no table name of their own.
    m_tableNameEnabled = IsSpreadsheet() || IsAccessDatabase();
    m_options->SetFileKind(IsSpreadsheet(), IsPlainText() || IsCommaText());
}

bool DLxExportDialog::OnInitDialog() {
    if (m_table) m_tableName = DUxTableStyleWrapper(m_table, {}).GetTitle();
    return true;
}

int32_t DLxExportDialog::OnFileNameOK() {
    if (m_path.empty()) return 1;
    SelectCurrentFileType();
    AppendExtension();
    const int32_t result = SaveData(u"", u"", -1);
    if (result == 0 && HasWindow()) EndDialog(IDOK);
    // The user learns why the dialog stays open.
    if (result != 0 && !m_lastFailure.empty())
        MessageBoxW(nullptr, m_lastFailure.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    return result;
}

int32_t DLxExportDialog::SaveData(const UTxString16& path, const UTxString16& tableName,
                                  int32_t typeId) {
    if (!path.empty() && typeId != -1) {
        SelectFileType(typeId);
        m_path = path;
        m_tableName = tableName;
        m_valuesGiven = true;
    }
    std::unique_ptr<DLxExportSave> writer;
    if (m_spreadsheetVersion == u"9.0") {
        writer = std::make_unique<DLxExportSave2000>(m_path, m_table, m_options.get(), this,
                                                     IsUnicode(), m_tableName, m_connect);
    } else {
        writer = std::make_unique<DLxExportSave>(m_path, m_table, m_options.get(), this,
                                                 IsUnicode(), m_tableName, m_connect);
    }
    const int32_t result = writer->Run();
    m_lastFailure = result == 0 ? UTxString16() : writer->GetFailureReason();
    return result;
}

void DLxExportDialog::OnOptions() {
    m_options->DoModal();
}
