#pragma once
// The feature-control-frame state: its lines (symbol, tolerances, datums, framed flag) with a
// visibility per value, and one frame-level text. Only what the drafting standards and the
// frame layout read and write is here so far; the annotation adds its drawing and editing.
#include <cstdint>
#include <vector>

#include "dc/RDxObject.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

struct DLxGDTStateLine {
    int32_t symbol = 0; // DLxFCFStdInfo::EGdtSymbolType
    bool framed = true;
    // Values and visibilities of variables 14, 16, 18, 20, 22, 24 in that order.
    UTxString16 values[6];
    int32_t status[6] = {0, 0, 0, 0, 0, 0};
};

class DLxGDTState : public RDxObject {
public:
    // Marks every new frame state: newer frames place texts by their own cells.
    static constexpr uint32_t kNewStateFlag = 0x20000000u;
    // Variables of a line, and the frame-level text (read with line 0).
    enum Variable : int32_t {
        kSymbolValue = 14,
        kToleranceA = 16,
        kToleranceB = 18,
        kDatumA = 20,
        kDatumB = 22,
        kDatumC = 24,
        kFrameText = 27
    };

    DLxGDTState();
    explicit DLxGDTState(const RSeStream* s) : RDxObject(s) {}
    RSeMetaType* GetMeta() const override;

    int32_t GetLineCount() const { return int32_t(m_lines.size()); }
    // Appends a framed line without symbol; answers its index.
    int32_t AddLine();
    // Leaves `type` unchanged outside the lines.
    void GetSymbol(int32_t line, int32_t& type) const;
    void SetSymbol(int32_t line, int32_t type);
    bool IsFramed(int32_t line) const;
    void SetFramed(int32_t line, bool framed);
    // Empty outside the lines or for another variable.
    UTxString16 Value(int32_t variable, int32_t line) const;
    void SetValue(int32_t variable, int32_t line, const UTxString16& text);
    // 0 outside the lines.
    int32_t VariableStatus(int32_t variable, int32_t line) const;
    // A line outside the lines changes nothing; an unknown variable answers 0x200B0323.
    UTxResult SetVariableStatus(int32_t variable, int32_t line, int32_t visibility);
    // An index outside the lines reads line 0.
    UTxString16 GetLineToleranceA(int32_t line) const { return LineValue(kToleranceA, line); }
    UTxString16 GetLineToleranceB(int32_t line) const { return LineValue(kToleranceB, line); }
    UTxString16 GetLineDatumA(int32_t line) const { return LineValue(kDatumA, line); }
    UTxString16 GetLineDatumB(int32_t line) const { return LineValue(kDatumB, line); }
    UTxString16 GetLineDatumC(int32_t line) const { return LineValue(kDatumC, line); }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxGDTState* target, RSeCloneCommander* cc) const;

private:
    static int32_t Slot(int32_t variable);
    bool Valid(int32_t line) const { return line >= 0 && line < GetLineCount(); }
    UTxString16 LineValue(int32_t variable, int32_t line) const;

    std::vector<DLxGDTStateLine> m_lines;
    UTxString16 m_frameText;
    int32_t m_frameTextStatus = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxGDTState*);
RSeMetaType* _GetMeta(const DLxGDTState*);
} // namespace RSe
