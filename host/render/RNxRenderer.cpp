#include "render/RNxRenderer.h"

#include "render/RNxCairo.h"
#include "render/RNxErrors.h"
#include "render/RNxScene.h"
#include "utx/UTxFileWriter.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

// cairo's image surfaces stop at 32767 pixels a side.
constexpr double kMaxPixels = 32767.0;

struct Messages {
    Messages() {
        UTx::RegisterMessage(kRNxLibrary, UTxResult::IdOf(kRNxErrBadSheet),
                             u"The sheet cannot be drawn");
        UTx::RegisterMessage(kRNxLibrary, UTxResult::IdOf(kRNxErrWrite),
                             u"The picture file cannot be written");
        UTx::RegisterMessage(kRNxLibrary, UTxResult::IdOf(kRNxErrFormat),
                             u"The picture format is not known");
    }
} g_messages;

UTxResult failure(UTxResultCode code, const std::string& path, const std::string& why) {
    return UTxResult(code, UTx::MakeWideString(path + " (" + why + ")"));
}

// The file is replaced only when the whole picture is there.
UTxResult writeAtomically(const std::string& path,
                          const std::function<bool(std::FILE*, std::string&)>& write) {
    std::string why;
    if (!UTx::WriteFileAtomically(path, write, why)) return failure(kRNxErrWrite, path, why);
    return {};
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

} // namespace

namespace RNx {

bool FormatFromPath(const std::string& path, RNxFormat& format) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return false;
    const std::string ext = lower(path.substr(dot + 1));
    if (ext == "svg")
        format = RNxFormat::Svg;
    else if (ext == "pdf")
        format = RNxFormat::Pdf;
    else if (ext == "png")
        format = RNxFormat::Png;
    else
        return false;
    return true;
}

UTxResult RenderSheet(const RNxSheet& sheet, const std::vector<RNxLayer>& layers,
                      const std::string& path, const RNxOptions& options) {
    RNxFormat format;
    if (!FormatFromPath(path, format))
        return failure(kRNxErrFormat, path, "use .svg, .pdf or .png");
    return RenderSheet(sheet, layers, format, path, options);
}

UTxResult RenderSheet(const RNxSheet& sheet, const std::vector<RNxLayer>& layers, RNxFormat format,
                      const std::string& path, const RNxOptions& options) {
    if (!(sheet.width > 0.0) || !(sheet.height > 0.0) || !std::isfinite(sheet.width) ||
        !std::isfinite(sheet.height))
        return failure(kRNxErrBadSheet, path,
                       "sheet size " + std::to_string(sheet.width) + " x " +
                           std::to_string(sheet.height) + " mm");
    if (format == RNxFormat::Png &&
        (!(options.dotsPerMm > 0.0) || !(sheet.width * options.dotsPerMm <= kMaxPixels) ||
         !(sheet.height * options.dotsPerMm <= kMaxPixels) ||
         std::lround(sheet.width * options.dotsPerMm) < 1 ||
         std::lround(sheet.height * options.dotsPerMm) < 1))
        return failure(kRNxErrBadSheet, path,
                       std::to_string(options.dotsPerMm) + " dots per mm gives no picture");

    RNxFonts& fonts = RNxFonts::Get();
    const RNxScene scene = BuildScene(sheet, layers, fonts);
    switch (format) {
    case RNxFormat::Svg:
        return writeAtomically(path, [&](std::FILE* file, std::string& why) {
            const std::string svg = WriteSvg(scene);
            if (std::fwrite(svg.data(), 1, svg.size(), file) == svg.size()) return true;
            why = std::strerror(errno);
            return false;
        });
    case RNxFormat::Pdf:
        return writeAtomically(path, [&](std::FILE* file, std::string& why) {
            return WritePdf(scene, fonts, file, why);
        });
    case RNxFormat::Png:
        return writeAtomically(path, [&](std::FILE* file, std::string& why) {
            return WritePng(scene, fonts, options.dotsPerMm, file, why);
        });
    }
    return failure(kRNxErrFormat, path, "unknown format");
}

} // namespace RNx
