#pragma once
// Draws a sheet's display lists to a picture file. It only draws what the lists hold: every
// size and position was computed by layout before.
#include "ge/WqGeMatrix3d.h"
#include "utx/UTxResult.h"

#include <cstdint>
#include <string>
#include <vector>

class SMxDisplayList;

enum class RNxFormat : uint8_t { Svg, Pdf, Png };

// The sheet: its name (the picture's title) and its size in millimetres.
struct RNxSheet {
    UTxString16 name;
    double width = 297.0;
    double height = 210.0;
};

// A display list to draw and its placement, list coordinates to sheet millimetres (y up).
struct RNxLayer {
    const SMxDisplayList* list = nullptr;
    WqGeMatrix3d transform;
};

struct RNxOptions {
    // Resolution of PNG pictures; vector formats ignore it.
    double dotsPerMm = 4.0;
};

namespace RNx {
// Draws the layers in order over a white page with a thin sheet frame and writes the picture to
// path. The file is replaced only when the picture is complete.
UTxResult RenderSheet(const RNxSheet& sheet, const std::vector<RNxLayer>& layers, RNxFormat format,
                      const std::string& path, const RNxOptions& options = {});
// As above, the format chosen by the file's extension (.svg, .pdf, .png, any case).
UTxResult RenderSheet(const RNxSheet& sheet, const std::vector<RNxLayer>& layers,
                      const std::string& path, const RNxOptions& options = {});
// False when the extension names no format of ours.
bool FormatFromPath(const std::string& path, RNxFormat& format);
} // namespace RNx
