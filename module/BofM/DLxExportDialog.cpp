#include "BofM/DLxExportDialog.h"

#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "du/DUxTableStateBase.h"

namespace {
struct TypeRow {
    int32_t id;
    const char16_t* extension;
    const char16_t* connect;
};
constexpr TypeRow kTypes[] = {
    {DLxExportDialog::kXls, u".xls", u"Excel 8.0;"},
    {DLxExportDialog::kMdb, u".mdb", u""},
    {DLxExportDialog::kDbf3, u".dbf", u"dBASE III;"},
    {DLxExportDialog::kDbf4, u".dbf", u"dBASE IV;"},
    {DLxExportDialog::kTxt, u".txt", u""},
    {DLxExportDialog::kCsv, u".csv", u""},
    {DLxExportDialog::kTxtUnicode, u".txt", u""},
    {DLxExportDialog::kCsvUnicode, u".csv", u""},
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
    SelectFileType(kXls);
}

DLxExportDialog::~DLxExportDialog() = default;

const std::vector<int32_t>& DLxExportDialog::GetTypeIds() {
    // dBASE IV is offered before dBASE III.
    static const std::vector<int32_t> ids = {kXls, kMdb, kDbf4, kDbf3, kTxt, kCsv, kTxtUnicode,
                                             kCsvUnicode};
    return ids;
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
