#pragma once
// The small modal dialog that edits an origin indicator's offset from its anchor: the relative
// X and Y, each in an edit field. OK takes each field that holds a number; a field that does
// not keeps the value the dialog opened with.
#include <cstdint>
#include <string>

#include "CDialog.h"

class DLxCenterDatumEditDlg : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 7663;
    static constexpr int32_t kRelXId = 7893;
    static constexpr int32_t kRelYId = 7894;

    DLxCenterDatumEditDlg(double relX, double relY, HWND parent = nullptr);

    // The fields as the user sees and types them.
    const std::u16string& GetItemText(int32_t id) const;
    void SetItemText(int32_t id, const std::u16string& text);

    bool OnInitDialog() override;
    void OnOK() override;

    // The values shown at start and, after OK, those read back.
    double GetRelX() const { return m_relX; }
    double GetRelY() const { return m_relY; }

    // A value as a field shows it: the shortest text that reads back to the same number.
    static std::u16string Format(double value);
    // A field's number; false for text that is not a finite number.
    static bool Parse(const std::u16string& text, double& value);

private:
    std::u16string m_relXText;
    std::u16string m_relYText;
    double m_relX;
    double m_relY;
};
