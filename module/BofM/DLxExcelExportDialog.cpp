#include "BofM/DLxExcelExportDialog.h"

#include <filesystem>

#include "BofM/DLxExportDialog.h"
#include "dl/DLxTableUtil.h"
#include "du/DUxTableStateBase.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"

namespace {
// The block must fit a workbook of 256 columns and 65535 rows (not 65536).
constexpr int64_t kMaxColumn = 256;
constexpr int64_t kMaxRow = 65535;

UTxString16 Upper(UTxString16 text) {
    for (char16_t& c : text)
        if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
    return text;
}

bool PathExists(const UTxString16& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(UTx::ToUtf8(path)), ec);
}
} // namespace

// ---------------------------------------------------------------------------------------------

void DLxExportOptionsDlgEditCtrl::Initialise(DLxExcelExportDialog* owner) {
    m_initialising = true;
    m_owner = owner;
    if (m_id == DLxExcelExportDialog::kStartCell) {
        m_text = owner->GetStartCell();
        if (m_text.empty()) m_text = u"A1";
    } else {
        m_text = owner->GetTemplateWorkbook();
    }
    m_invalid = !Validate();
    m_initialising = false;
    // The text is set again once the dialog runs, and validated then for real.
    OnTextChange(m_text);
}

void DLxExportOptionsDlgEditCtrl::OnTextChange(const UTxString16& text) {
    m_text = text;
    m_invalid = !Validate();
    OnCtlColor();
}

bool DLxExportOptionsDlgEditCtrl::Validate() {
    if (!m_owner) return true;
    if (m_initialising) {
        m_owner->SetValidity(DLxExcelExportDialog::kStartCell, true);
        m_owner->SetValidity(DLxExcelExportDialog::kTemplate, true);
        return true;
    }
    bool valid = true;
    if (m_id == DLxExcelExportDialog::kStartCell) {
        const UTxString16 cell = Upper(m_text.empty() ? UTxString16(u"A1") : m_text);
        int32_t column = 0, row = 0;
        const int64_t titleRow = m_owner->IsDlgButtonChecked(DLxExcelExportDialog::kTitleRow);
        valid = DLxTableUtil::GetCoordsFromExcel(cell, column, row) &&
                int64_t(column) + m_owner->GetTableColumnCount() - 1 <= kMaxColumn &&
                int64_t(row) + m_owner->GetTableRowCount() + titleRow - 1 <= kMaxRow &&
                Upper(DLxTableUtil::ConvertToExcel(row, column)) == cell;
    } else {
        valid = m_text.empty() || PathExists(m_text);
    }
    m_owner->SetValidity(m_id, valid);
    return valid;
}

uint32_t DLxExportOptionsDlgEditCtrl::OnCtlColor() {
    if (m_owner)
        m_owner->SetValidity(-1, m_owner->IsStartCellValid() && m_owner->IsTemplateValid());
    return m_invalid ? DLxExcelExportDialog::kRed : DLxExcelExportDialog::kWindowText;
}

// ---------------------------------------------------------------------------------------------

DLxExcelExportDialog::DLxExcelExportDialog(CDialog* /*parent*/, bool spreadsheet,
                                           bool /*commaText*/,
                                           const RSeRef<DUxTableStateBase>& table)
    : CDialog(kTemplateId), m_table(table), m_spreadsheetAllowed(spreadsheet) {
    if (const DUxTableStateBase* state = m_table.get()) {
        m_columnCount = state->GetColumnCount();
        m_rowCount = state->GetRowCount();
        for (int32_t i = 0; i < m_columnCount; ++i) {
            m_allHeadings.push_back(state->GetColumnHeading(i));
            m_selectedHeadings.push_back(m_allHeadings.back());
            m_selectedColumns.emplace_back(state->GetColumn(i));
            m_selectedIndices.push_back(i);
        }
    }
}

DLxExcelExportDialog::~DLxExcelExportDialog() = default;

void DLxExcelExportDialog::SetFileKind(bool spreadsheet, bool text) {
    m_spreadsheetAllowed = spreadsheet;
    if (spreadsheet || text) m_titleAllowed = true;
}

void DLxExcelExportDialog::SetOptions(bool formatTable, bool allText, bool fitWidths,
                                      bool titleRow) {
    m_formatTable = formatTable;
    m_allText = allText;
    m_fitWidths = fitWidths;
    m_titleRow = titleRow;
}

bool DLxExcelExportDialog::SelectColumns(const std::vector<int32_t>& indices) {
    std::vector<bool> keep(size_t(m_columnCount), false);
    for (int32_t i : indices) {
        if (i < 0 || i >= m_columnCount) return false;
        keep[size_t(i)] = true;
    }
    m_selectedHeadings.clear();
    m_selectedColumns.clear();
    m_selectedIndices.clear();
    for (int32_t i = 0; i < m_columnCount; ++i) {
        if (!keep[size_t(i)]) continue;
        m_selectedHeadings.push_back(m_allHeadings[size_t(i)]);
        m_selectedColumns.emplace_back(m_table ? m_table->GetColumn(i) : nullptr);
        m_selectedIndices.push_back(i);
    }
    return true;
}

void DLxExcelExportDialog::SetValidity(int32_t id, bool valid) {
    if (id == kStartCell)
        m_startCellValid = valid;
    else if (id == kTemplate)
        m_templateValid = valid;
    else
        m_controls[kOK].enabled = valid;
}

void DLxExcelExportDialog::CheckDlgButton(int32_t id, bool checked) {
    m_controls[id].checked = checked;
}

bool DLxExcelExportDialog::IsDlgButtonChecked(int32_t id) const {
    auto it = m_controls.find(id);
    return it != m_controls.end() && it->second.checked;
}

bool DLxExcelExportDialog::IsItemEnabled(int32_t id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() || it->second.enabled;
}

void DLxExcelExportDialog::ClickButton(int32_t id) {
    if (!HasWindow() || !IsItemEnabled(id)) return;
    if (id == kOK) {
        OnOK();
        return;
    }
    if (id == kFormatTable || id == kAllText || id == kFitWidths || id == kTitleRow)
        m_controls[id].checked = !m_controls[id].checked;
    if (id == kFormatTable) SyncTextBox();
    // The title adds a row to the block.
    if (id == kTitleRow) m_startEdit.OnTextChange(m_startEdit.GetText());
}

void DLxExcelExportDialog::SetEditText(int32_t id, const UTxString16& text) {
    if (!IsItemEnabled(id)) return;
    GetEdit(id).OnTextChange(text);
}

DLxExportOptionsDlgEditCtrl& DLxExcelExportDialog::GetEdit(int32_t id) {
    return id == kTemplate ? m_templateEdit : m_startEdit;
}

void DLxExcelExportDialog::OnListClick(size_t i) {
    if (i < m_listItems.size()) m_listItems[i].checked = !m_listItems[i].checked;
}

bool DLxExcelExportDialog::OnInitDialog() {
    DoDataExchange(false);
    m_listItems.clear();
    for (const UTxString16& heading : m_allHeadings)
        m_listItems.push_back({heading, false});

    if (m_spreadsheetAllowed && DLxExportDialog::QuerySpreadsheetVersion().empty()) {
        m_spreadsheetAllowed = false;
        m_titleAllowed = false;
    }
    for (int32_t id : {kFormatTable, kAllText, kFitWidths, kStartCell, kTemplate, kBrowse}) {
        m_controls[id].enabled = m_spreadsheetAllowed;
        if (!m_spreadsheetAllowed) m_controls[id].checked = false;
    }
    for (const UTxString16& heading : m_selectedHeadings) {
        for (ListItem& item : m_listItems) {
            if (item.text != heading) continue;
            item.checked = true;
            break;
        }
    }
    bool titleEnabled = m_titleAllowed;
    if (titleEnabled && m_table) {
        const RSeRef<DUxTableStateBase>& table = m_table;
        if (DUxTableStyleWrapper(table, {}).GetTitle().empty()) titleEnabled = false;
    }
    m_controls[kTitleRow].enabled = titleEnabled;
    if (!titleEnabled) m_controls[kTitleRow].checked = false;

    m_startEdit.Initialise(this);
    m_templateEdit.Initialise(this);
    DoDataExchange(true);
    return true;
}

void DLxExcelExportDialog::SyncTextBox() {
    // Formatting the table needs the cells as text: the box follows the format box.
    const bool forced = m_spreadsheetAllowed && IsDlgButtonChecked(kFormatTable);
    if (forced) m_controls[kAllText].checked = true;
    m_controls[kAllText].enabled = !forced && m_spreadsheetAllowed;
}

void DLxExcelExportDialog::DoDataExchange(bool save) {
    SyncTextBox();
    if (!save) {
        m_controls[kFormatTable].checked = m_formatTable;
        m_controls[kAllText].checked = m_allText;
        m_controls[kFitWidths].checked = m_fitWidths;
        m_controls[kTitleRow].checked = m_titleRow;
        SyncTextBox();
        return;
    }
    if (m_spreadsheetAllowed) {
        m_formatTable = IsDlgButtonChecked(kFormatTable);
        m_allText = IsDlgButtonChecked(kAllText);
        m_fitWidths = IsDlgButtonChecked(kFitWidths);
    }
    if (m_titleAllowed) m_titleRow = IsDlgButtonChecked(kTitleRow);
    if (m_listItems.empty()) return;
    m_selectedHeadings.clear();
    m_selectedColumns.clear();
    m_selectedIndices.clear();
    for (size_t i = 0; i < m_listItems.size(); ++i) {
        if (!m_listItems[i].checked) continue;
        m_selectedHeadings.push_back(m_allHeadings[i]);
        m_selectedColumns.emplace_back(m_table ? m_table->GetColumn(int32_t(i)) : nullptr);
        m_selectedIndices.push_back(int32_t(i));
    }
}

void DLxExcelExportDialog::OnOK() {
    if (!IsItemEnabled(kOK)) return;
    m_startCell = m_startEdit.GetText();
    m_template = m_templateEdit.GetText();
    DoDataExchange(true);
    CDialog::OnOK();
}
