#include "Standard/DLxCColumnDef.h"

#include "rse/RSeMeta.h"

DLxCColumnDef::DLxCColumnDef(const char16_t* name, int32_t first, int32_t second, int16_t column,
                             double width)
    : m_name(name ? name : u""), m_first(first), m_second(second), m_column(column),
      m_width(width) {}

DLxCColumnDef* DLxCColumnDef::New(RSeSegment* segment, const UTxString16& name, int32_t first,
                                  int32_t second, int16_t column, double width) {
    return new (RSe::_GetMeta(static_cast<const DLxCColumnDef*>(nullptr)), segment)
        DLxCColumnDef(name.c_str(), first, second, column, width);
}
