#pragma once
// One column definition of a parts-list standard: its heading, two flags of the older
// parts-list model, its position and its width. Only stored: nothing reads it back yet.
#include <cstdint>

#include "rse/RSeIDed.h"
#include "utx/UTxString16.h"

class RSeSegment;

class DLxCColumnDef : public RSeIDed {
public:
    DLxCColumnDef(const char16_t* name, int32_t first, int32_t second, int16_t column,
                  double width);
    explicit DLxCColumnDef(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    static DLxCColumnDef* New(RSeSegment* segment, const UTxString16& name, int32_t first,
                              int32_t second, int16_t column, double width);

    const UTxString16& GetName() const { return m_name; }
    int32_t GetFirst() const { return m_first; }
    int32_t GetSecond() const { return m_second; }
    int16_t GetColumn() const { return m_column; }
    double GetWidth() const { return m_width; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxCColumnDef* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_name;
    int32_t m_first = 0;
    int32_t m_second = 0;
    int16_t m_column = 0;
    double m_width = 0.0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCColumnDef*);
RSeMetaType* _GetMeta(const DLxCColumnDef*);
} // namespace RSe
