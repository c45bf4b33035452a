#pragma once
// The writer of one table export: the kind of file comes from the path's extension, the
// columns and options from the options dialog, the delimiter and source type from the export
// dialog. One writer per export; Run writes the file and answers 0, or 1 when it was not
// written (a failed write leaves any previous file at the path as it was).
#include <cstdint>
#include <memory>
#include <vector>

#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class COleDispatchDriver;
class DLxExcelExportDialog;
class DLxExportDialog;
class DUxTableStateBase;
class DUxTableStyleColumn;

class DLxExportSave {
public:
    static constexpr uint32_t kReadOnlyMessageId = 7920;
    // The type codes the database table writes.
    enum DbCode : int32_t { kDbWorkbook = 1, kDbAccess = 2, kDbDBaseIV = 4, kDbDBaseIII = 5 };

    DLxExportSave(const UTxString16& path, const RSeRef<DUxTableStateBase>& table,
                  DLxExcelExportDialog* options, DLxExportDialog* exportDialog, bool unicode,
                  const UTxString16& tableName, const UTxString16& connect);
    virtual ~DLxExportSave();

    int32_t Run();
    virtual bool WriteSpreadsheet();
    bool WriteText();
    bool WriteDatabase(int32_t code);
    bool WriteDbf();
    bool IsRowVisible(int32_t row) const;
    // Why the last write failed when it showed no message of its own (the database table's
    // reason, which names the path); empty otherwise. The caller says it once.
    const UTxString16& GetFailureReason() const { return m_failure; }

    // The steps of the spreadsheet writer that differ between application versions or that a
    // caller may replace; `cell` and `range` are automation objects of the running application.
    virtual void FormatTable();
    virtual void ApplyTextFormat();
    virtual void AutoFitColumns();
    virtual bool ApplyNumberFormat(int32_t column, COleDispatchDriver& cell);
    virtual void KeepAsText(COleDispatchDriver& cell, const UTxString16& text);
    virtual UTxString16 GetCellText(COleDispatchDriver& cell);
    virtual void SetCellValue(COleDispatchDriver& cell, const UTxString16& value);
    // The workbook opened from `path`, all optional arguments left out.
    virtual COleDispatchDriver OpenWorkbook(const UTxString16& path);
    virtual void SaveWorkbookAs(const UTxString16& path);

    bool IsSpreadsheet() const { return m_spreadsheet; }
    bool IsCommaText() const { return m_commaText; }
    bool IsAccessDatabase() const { return m_access; }
    bool IsDBase() const { return m_dbase; }
    bool IsPlainText() const { return m_plainText; }
    const UTxString16& GetDelimiter() const { return m_delimiter; }
    const UTxString16& GetStartCell() const { return m_startCell; }
    const std::vector<UTxString16>& GetHeadings() const { return m_headings; }

protected:
    void DetectKind();
    // The value text of a cell as every writer exports it.
    UTxString16 GetCellValue(int32_t row, int32_t column) const;
    // The rows every writer exports, in table order: the visible ones.
    std::vector<int32_t> GetVisibleRows() const;
    // The texts of one row's selected columns, in selection order.
    std::vector<UTxString16> GetRowValues(int32_t row) const;

    UTxString16 m_path;
    RSeRef<DUxTableStateBase> m_table;
    DLxExcelExportDialog* m_options;
    DLxExportDialog* m_exportDialog;
    bool m_unicode;
    UTxString16 m_tableName;
    UTxString16 m_connect;
    bool m_spreadsheet = false, m_commaText = false, m_access = false, m_dbase = false,
         m_plainText = false;
    UTxString16 m_delimiter;
    UTxString16 m_extension;
    UTxString16 m_startCell;
    UTxString16 m_template;
    std::vector<UTxString16> m_headings;
    std::vector<RSeRef<DUxTableStyleColumn>> m_columns;
    std::vector<int32_t> m_indices;
    int32_t m_rowCount = 0;
    int32_t m_columnCount = 0;
    UTxString16 m_failure;

    // The running application's objects; present only while WriteSpreadsheet runs.
    struct Automation;
    std::unique_ptr<Automation> m_xl;
};

// The same writer for the spreadsheet application of version "9.0"; it differs only in the
// automation calls that read and write cell values, open and save workbooks.
class DLxExportSave2000 : public DLxExportSave {
public:
    using DLxExportSave::DLxExportSave;

    UTxString16 GetCellText(COleDispatchDriver& cell) override;
    void SetCellValue(COleDispatchDriver& cell, const UTxString16& value) override;
    COleDispatchDriver OpenWorkbook(const UTxString16& path) override;
    void SaveWorkbookAs(const UTxString16& path) override;
};
