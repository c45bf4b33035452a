#pragma once
// The modeless dialog of a new parts list, open while the placement command runs. Every edit
// goes straight into the command's settings record; confirming hands the record back to the
// command, which then lets the user place the table. Its source list is one field here: the
// model file chosen (7934), confirmed by a click on it.
#include <cstdint>

#include "uc/UCxDialog.h"

class DLxPartListCmdState;
class DLxPartListData;

class DLxPartListCreateDlg : public UCxDialog {
public:
    static constexpr int32_t kTemplateId = 7672;
    static constexpr int32_t kPickView = 7952;
    static constexpr int32_t kWrap = 7902;
    static constexpr int32_t kWrapDir0 = 7898;
    static constexpr int32_t kWrapDir1 = 7899;
    static constexpr int32_t kWrapByRows = 7961;
    static constexpr int32_t kWrapBySections = 7962;
    static constexpr int32_t kRows = 7950;
    static constexpr int32_t kSections = 7951;
    static constexpr int32_t kSource = 7934;
    static constexpr int32_t kIconPicking = 8504;
    static constexpr int32_t kIconIdle = 7624;
    // Messages of a count that is not a positive integer.
    static constexpr int32_t kMsgBadRows = 8111;
    static constexpr int32_t kMsgBadSections = 8112;

    explicit DLxPartListCreateDlg(DLxPartListCmdState* state);
    // Made, created and shown over the state.
    static DLxPartListCreateDlg* Create(DLxPartListCmdState* state);

    bool OnInitDialog() override;
    void RefreshControls();
    void OnClicked(int32_t id) override;
    void OnOK() override;

    bool IsPicking() const { return m_picking; }
    int32_t GetPickIcon() const { return m_picking ? kIconPicking : kIconIdle; }
    // The message the last refused OK showed (0 for none).
    int32_t GetLastMessage() const { return m_lastMessage; }

private:
    void OnPickView();
    void OnSourceSelected();

    DLxPartListCmdState* m_state;
    DLxPartListData* m_data = nullptr;
    bool m_picking = false;
    int32_t m_lastMessage = 0;
};
