#pragma once
// Fitting texts into table cells: DLxStringWrap cuts a cell text into lines that fit a column,
// DLxStringTrim shortens a heading or title until it fits; no ellipsis is ever added. Widths
// are those of the host's text services in the table's font. The monospace model measures a
// text by its height, which a font id alone does not give: every measuring call takes the
// height of the table text the font stands for.
#include <cstdint>

#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DUxTableStateBase;
class IFxStringExtUtil;
class RSeSegment;

// Width of a single-line text in the font at the height (codes take no room).
double MeasureTextWidth(const UTxString16& text, int32_t font, RSeSegment* segment, double height);
// The host's string-extents service; null when the host has none.
IFxStringExtUtil* GetIFxStringExtUtil();
// Whether a measured width fits an available width (within the tolerances of table layout).
bool DLxWidthFits(double available, double measured);

class DLxStringWrap {
public:
    DLxStringWrap(const UTxString16& text, double width, int32_t font, bool noSpaceBreaks,
                  RSeSegment* segment, const RSeRef<DUxTableStateBase>& state, double height);
    virtual ~DLxStringWrap();

    // The next line; true while text remains after it. After the last line every call gives an
    // empty line and false. `hardBreak` tells that the line ends in "\r\n".
    bool GetItem(UTxString16& line, bool& hardBreak);

private:
    RSeSegment* m_segment;
    UTxString16 m_text;
    double m_width;
    bool m_noSpaceBreaks;
    int32_t m_font;
    int32_t m_position = -1; // -1 before the first line, -2 when the text is used up
    RSeRef<DUxTableStateBase> m_state;
    double m_height;
};

class DLxStringTrim {
public:
    // `mode` 2 keeps the end of the text, anything else its start; `extra` is how far past the
    // width a shortened text may reach (-1.0 for not at all).
    DLxStringTrim(const UTxString16& text, double width, int32_t font, int32_t mode,
                  RSeSegment* segment, double extra, double height);
    virtual ~DLxStringTrim();

    UTxString16 GetString() const;

private:
    RSeSegment* m_segment;
    UTxString16 m_text;
    double m_width;
    int32_t m_mode;
    int32_t m_font;
    double m_extra;
    double m_height;
};
