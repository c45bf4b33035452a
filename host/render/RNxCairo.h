#pragma once
// The fonts texts are drawn with, and the cairo painting of a scene for PDF and PNG.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "render/RNxScene.h"

class RNxFonts {
public:
    // The process's fonts; cairo keeps its own caches, so they are opened once.
    static RNxFonts& Get();
    ~RNxFonts();

    // The glyph for code in font, 0 when the font has none.
    uint32_t GlyphIndex(RNxFont font, char32_t code);
    // Advance of a glyph at font size 1.
    double Advance(RNxFont font, uint32_t index);
    // The font family name, as SVG names it.
    static const char* Family(RNxFont font);

    struct Impl;
    Impl& GetImpl() { return *mImpl; }

private:
    RNxFonts();
    std::unique_ptr<Impl> mImpl;
};

namespace RNx {
// Paint the scene as a one-page PDF or a PNG at dotsPerMm to an open file; false with a reason
// when cairo fails.
bool WritePdf(const RNxScene& scene, RNxFonts& fonts, std::FILE* file, std::string& why);
bool WritePng(const RNxScene& scene, RNxFonts& fonts, double dotsPerMm, std::FILE* file,
              std::string& why);
} // namespace RNx
