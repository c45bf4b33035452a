#pragma once
// The options of a table export: which columns, the title row, and the spreadsheet-only
// choices (start cell, template workbook, table formatting, text format, fitted widths). A
// headless model of its controls by id: a runner (a test, or the program) checks boxes, types
// into the two edit boxes and clicks list items as a user would.
#include <cstdint>
#include <map>
#include <vector>

#include "CDialog.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxExcelExportDialog;
class DUxTableStateBase;
class DUxTableStyleColumn;

// The validating edit box of the options dialog: the start cell (7941) or the template
// workbook (7984). Its text shows red and the dialog's OK is disabled while it is invalid.
class DLxExportOptionsDlgEditCtrl {
public:
    DLxExportOptionsDlgEditCtrl(int32_t id, const UTxString16& text) : m_id(id), m_text(text) {}
    int32_t GetId() const { return m_id; }
    const UTxString16& GetText() const { return m_text; }
    bool IsInvalid() const { return m_invalid; }
    // Run by the options dialog's OnInitDialog.
    void Initialise(DLxExcelExportDialog* owner);
    // A text typed by the user: validated at once.
    void OnTextChange(const UTxString16& text);
    bool Validate();
    // The colour the text is drawn in (0x00BBGGRR); also updates the owner's OK button.
    uint32_t OnCtlColor();

private:
    int32_t m_id;
    UTxString16 m_text;
    bool m_initialising = false;
    bool m_invalid = false;
    DLxExcelExportDialog* m_owner = nullptr;
};

class DLxExcelExportDialog : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 7687;
    static constexpr int32_t kFormatTable = 7860, kAllText = 7850, kFitWidths = 7851,
                             kTitleRow = 7852, kStartCell = 7941, kTemplate = 7984, kBrowse = 8413,
                             kColumnList = 1120, kOK = 1;
    static constexpr uint32_t kRed = 0x0000FF, kWindowText = 0x000000;

    DLxExcelExportDialog(CDialog* parent, bool spreadsheet, bool commaText,
                         const RSeRef<DUxTableStateBase>& table);
    ~DLxExcelExportDialog() override;

    void SetFileKind(bool spreadsheet, bool text);
    bool IsSpreadsheetAllowed() const { return m_spreadsheetAllowed; }
    bool IsTitleAllowed() const { return m_titleAllowed; }

    bool GetFormatTable() const { return m_formatTable; }
    bool GetAllCellsAsText() const { return m_allText; }
    bool GetFitColumnWidths() const { return m_fitWidths; }
    bool GetTitleRow() const { return m_titleRow; }
    UTxString16 GetStartCell() const { return m_startCell; }
    UTxString16 GetTemplateWorkbook() const { return m_template; }
    std::vector<UTxString16> GetSelectedHeadings() const { return m_selectedHeadings; }
    std::vector<RSeRef<DUxTableStyleColumn>> GetSelectedColumns() const {
        return m_selectedColumns;
    }
    std::vector<int32_t> GetSelectedIndices() const { return m_selectedIndices; }
    // Presets for a caller that exports without showing the dialog.
    void SetOptions(bool formatTable, bool allText, bool fitWidths, bool titleRow);
    void SetStartCell(const UTxString16& cell) { m_startCell = cell; }
    void SetTemplateWorkbook(const UTxString16& path) { m_template = path; }
    // Keeps the columns whose index is listed, in column order; false for an index out of range.
    bool SelectColumns(const std::vector<int32_t>& indices);

    int32_t GetTableColumnCount() const { return m_columnCount; }
    int32_t GetTableRowCount() const { return m_rowCount; }
    bool IsStartCellValid() const { return m_startCellValid; }
    bool IsTemplateValid() const { return m_templateValid; }
    void SetValidity(int32_t id, bool valid);

    // The controls while the dialog runs.
    void CheckDlgButton(int32_t id, bool checked);
    bool IsDlgButtonChecked(int32_t id) const;
    bool IsItemEnabled(int32_t id) const;
    void ClickButton(int32_t id);
    // Typing into one of the two edit boxes.
    void SetEditText(int32_t id, const UTxString16& text);
    DLxExportOptionsDlgEditCtrl& GetEdit(int32_t id);
    // The column list: one item per table column, its heading and check mark.
    size_t GetListCount() const { return m_listItems.size(); }
    const UTxString16& GetListText(size_t i) const { return m_listItems.at(i).text; }
    bool IsListItemChecked(size_t i) const { return m_listItems.at(i).checked; }
    void OnListClick(size_t i);

    bool OnInitDialog() override;
    // Saving (true) reads the controls into the members; loading shows the members.
    void DoDataExchange(bool save);
    void OnOK() override;

private:
    struct Control {
        bool checked = false;
        bool enabled = true;
    };
    struct ListItem {
        UTxString16 text;
        bool checked = false;
    };
    void SyncTextBox();

    RSeRef<DUxTableStateBase> m_table;
    bool m_formatTable = false, m_allText = false, m_fitWidths = false, m_titleRow = false;
    UTxString16 m_startCell;
    UTxString16 m_template;
    bool m_spreadsheetAllowed;
    bool m_titleAllowed = true;
    bool m_startCellValid = true, m_templateValid = true;
    int32_t m_columnCount = 0, m_rowCount = 0;
    std::vector<UTxString16> m_allHeadings;
    std::vector<UTxString16> m_selectedHeadings;
    std::vector<RSeRef<DUxTableStyleColumn>> m_selectedColumns;
    std::vector<int32_t> m_selectedIndices;
    std::map<int32_t, Control> m_controls;
    std::vector<ListItem> m_listItems;
    DLxExportOptionsDlgEditCtrl m_startEdit{kStartCell, u""};
    DLxExportOptionsDlgEditCtrl m_templateEdit{kTemplate, u""};
};
