#pragma once
// The save dialog of a table export: the file's folder and name, its type and the name of the
// table inside it. What the command and the editor hand it, and which file type the user
// chose; writing the file belongs to the export writers.
#include <cstdint>
#include <memory>
#include <vector>

#include "CDialog.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxExcelExportDialog;
class DUxTableStateBase;

class DLxExportDialog : public CDialog {
public:
    // The caller's kind of table; 32 adds the columns' number formats.
    enum SourceType : int32_t { kPartsList = 0, kNumberFormats = 32 };
    enum FileType : int32_t {
        kXls = 1, kMdb = 2, kDbf3 = 3, kDbf4 = 4, kTxt = 5, kCsv = 6, kTxtUnicode = 7,
        kCsvUnicode = 8
    };
    static constexpr uint32_t kOFN_HIDEREADONLY = 0x4;
    static constexpr uint32_t kOFN_OVERWRITEPROMPT = 0x2;
    static constexpr uint32_t kOFN_ENABLETEMPLATE = 0x40;
    static constexpr uint32_t kOFN_EXPLORER = 0x80000;
    static constexpr uint32_t kDefaultCaptionId = 8174;

    DLxExportDialog(bool openFileDialog, const char16_t* defaultExt, const char16_t* fileName,
                    uint32_t flags, uint32_t filterId, HWND parent,
                    const RSeRef<DUxTableStateBase>& table, const char16_t* title,
                    SourceType sourceType, const UTxString16& separator);
    ~DLxExportDialog() override;

    bool IsOpenFileDialog() const { return m_openFileDialog; }
    uint32_t GetFlags() const { return m_flags; }
    uint32_t GetFilterId() const { return m_filterId; }
    const UTxString16& GetDefaultExt() const { return m_defaultExt; }
    const UTxString16& GetPathName() const { return m_path; }
    void SetPathName(const UTxString16& path) { m_path = path; }
    const UTxString16& GetTableName() const { return m_tableName; }
    void SetTableName(const UTxString16& name) { m_tableName = name; }
    const RSeRef<DUxTableStateBase>& GetTable() const { return m_table; }
    SourceType GetSourceType() const { return m_sourceType; }
    const UTxString16& GetSeparator() const { return m_separator; }
    // The caption's string id when the caller gave no title.
    const UTxString16& GetTitle() const { return m_title; }

    // The file types in the order the type box lists them.
    static const std::vector<int32_t>& GetTypeIds();
    // Chooses a file type by its id; an id outside 1..8 changes nothing (false).
    bool SelectFileType(int32_t id);
    // The type of the type box's current entry.
    bool SelectCurrentFileType();

    // The filter handed to the file part: label, NUL, pattern, NUL per type whose label the
    // resources hold, then a final NUL; the type id of each entry, in the same order; and the
    // extension taken from the first label.
    const UTxString16& GetFilter() const { return m_filter; }
    const std::vector<int32_t>& GetFilterTypeIds() const { return m_filterTypeIds; }
    const UTxString16& GetFilterDefaultExt() const { return m_filterDefaultExt; }
    virtual void BuildFilter();
    // Appends the type's extension unless the path already ends with it (in any case).
    virtual void AppendExtension();

    // The file part as the user works it: the type box (an index into the filter's entries)
    // and the table-name box.
    int32_t GetTypeBoxIndex() const { return m_typeBoxIndex; }
    void ChooseTypeBoxEntry(int32_t index);
    bool IsTableNameBoxEnabled() const { return m_tableNameEnabled; }
    bool IsTableNameBoxFocused() const { return m_tableNameFocused; }
    void FocusTableNameBox() { m_tableNameFocused = true; }
    void OnTypeChange();
    bool OnInitDialog() override;
    // The user confirms the file name: 0 writes the file and closes the dialog, 1 keeps it
    // open.
    int32_t OnFileNameOK();
    // Writes the file: 0 when written, 1 otherwise. With a path and an id other than -1 those
    // values are used instead of the dialog's own.
    int32_t SaveData(const UTxString16& path, const UTxString16& tableName, int32_t typeId);
    // Why the last SaveData failed when its writer showed no message (a database file that
    // could not be written); empty otherwise. OnFileNameOK shows it, a caller with its own
    // values says it its own way.
    const UTxString16& GetLastFailure() const { return m_lastFailure; }
    DLxExcelExportDialog* GetExcelExportDialogForAPI() { return m_options.get(); }
    // Button 7944: the options dialog, modally.
    void OnOptions();
    bool HasValuesGiven() const { return m_valuesGiven; }
    const UTxString16& GetSpreadsheetVersion() const { return m_spreadsheetVersion; }
    // The version text of the spreadsheet application, empty when it cannot be started.
    static UTxString16 QuerySpreadsheetVersion();
    int32_t GetFileTypeId() const { return m_typeId; }
    const UTxString16& GetExtension() const { return m_extension; }
    const UTxString16& GetConnect() const { return m_connect; }
    bool IsSpreadsheet() const { return m_typeId == kXls; }
    bool IsAccessDatabase() const { return m_typeId == kMdb; }
    bool IsDBase() const { return m_typeId == kDbf3 || m_typeId == kDbf4; }
    bool IsPlainText() const { return m_typeId == kTxt || m_typeId == kTxtUnicode; }
    bool IsCommaText() const { return m_typeId == kCsv || m_typeId == kCsvUnicode; }
    bool IsUnicode() const { return m_typeId == kTxtUnicode || m_typeId == kCsvUnicode; }

private:
    bool m_openFileDialog;
    UTxString16 m_defaultExt;
    uint32_t m_flags;
    uint32_t m_filterId;
    RSeRef<DUxTableStateBase> m_table;
    UTxString16 m_title;
    SourceType m_sourceType;
    UTxString16 m_separator;
    UTxString16 m_path;
    UTxString16 m_tableName;
    int32_t m_typeId = 0;
    UTxString16 m_extension;
    UTxString16 m_connect;
    UTxString16 m_filter;
    std::vector<int32_t> m_filterTypeIds;
    UTxString16 m_filterDefaultExt;
    int32_t m_typeBoxIndex = 0;
    bool m_tableNameEnabled = true;
    bool m_tableNameFocused = false;
    bool m_valuesGiven = false;
    UTxString16 m_spreadsheetVersion;
    UTxString16 m_lastFailure;
    int32_t m_rowCount = 0;
    int32_t m_columnCount = 0;
    std::unique_ptr<DLxExcelExportDialog> m_options;
};
