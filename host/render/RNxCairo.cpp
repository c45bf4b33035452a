#include "render/RNxCairo.h"

#include "WinText.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <dlfcn.h>

#include <cmath>
#include <unordered_map>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// Metrics are read at a large size so that cairo's fixed-point steps do not show.
constexpr double kMetricSize = 100.0;

std::string utf8(char32_t code) {
    std::string out;
    WinAppendUtf8(out, code);
    return out;
}

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
}

void setSource(cairo_t* cr, uint32_t rgba) {
    cairo_set_source_rgba(cr, ((rgba >> 24) & 0xFF) / 255.0, ((rgba >> 16) & 0xFF) / 255.0,
                          ((rgba >> 8) & 0xFF) / 255.0, (rgba & 0xFF) / 255.0);
}

void buildPath(cairo_t* cr, const std::vector<RNxPathStep>& path) {
    cairo_new_path(cr);
    for (const RNxPathStep& s : path) {
        switch (s.op) {
        case RNxPathOp::Move:
            cairo_move_to(cr, s.p[0].x, s.p[0].y);
            break;
        case RNxPathOp::Line:
            cairo_line_to(cr, s.p[0].x, s.p[0].y);
            break;
        case RNxPathOp::Curve:
            cairo_curve_to(cr, s.p[0].x, s.p[0].y, s.p[1].x, s.p[1].y, s.p[2].x, s.p[2].y);
            break;
        case RNxPathOp::Close:
            cairo_close_path(cr);
            break;
        }
    }
}

} // namespace

struct RNxFonts::Impl {
    cairo_font_options_t* options = nullptr;
    cairo_font_face_t* faces[2] = {};
    cairo_scaled_font_t* metrics[2] = {};
    std::unordered_map<char32_t, uint32_t> indexes[2];
    std::unordered_map<uint32_t, double> advances[2];
};

RNxFonts& RNxFonts::Get() {
    static RNxFonts fonts;
    return fonts;
}

RNxFonts::RNxFonts() : mImpl(std::make_unique<Impl>()) {
    // Unhinted outlines and metrics: the same glyph positions at every size and resolution.
    mImpl->options = cairo_font_options_create();
    cairo_font_options_set_hint_style(mImpl->options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(mImpl->options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(mImpl->options, CAIRO_ANTIALIAS_GRAY);
    cairo_matrix_t size, identity;
    cairo_matrix_init_scale(&size, kMetricSize, kMetricSize);
    cairo_matrix_init_identity(&identity);
    for (const RNxFont font : {RNxFont::Mono, RNxFont::Sans}) {
        const int i = static_cast<int>(font);
        mImpl->faces[i] = cairo_toy_font_face_create(Family(font), CAIRO_FONT_SLANT_NORMAL,
                                                     CAIRO_FONT_WEIGHT_NORMAL);
        mImpl->metrics[i] =
            cairo_scaled_font_create(mImpl->faces[i], &size, &identity, mImpl->options);
    }
}

RNxFonts::~RNxFonts() {
    for (int i = 0; i < 2; ++i) {
        cairo_scaled_font_destroy(mImpl->metrics[i]);
        cairo_font_face_destroy(mImpl->faces[i]);
    }
    cairo_font_options_destroy(mImpl->options);
    // The fonts live until the process ends. Giving back cairo's and fontconfig's caches then
    // keeps leak checkers to our own leaks; fontconfig is cairo's, so it is looked up, not linked.
    cairo_debug_reset_static_data();
    if (void* fini = dlsym(RTLD_DEFAULT, "FcFini")) reinterpret_cast<void (*)()>(fini)();
}

const char* RNxFonts::Family(RNxFont font) {
    return font == RNxFont::Mono ? "DejaVu Sans Mono" : "DejaVu Sans";
}

uint32_t RNxFonts::GlyphIndex(RNxFont font, char32_t code) {
    const int i = static_cast<int>(font);
    const auto found = mImpl->indexes[i].find(code);
    if (found != mImpl->indexes[i].end()) return found->second;
    uint32_t index = 0;
    const std::string text = utf8(code);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    if (cairo_scaled_font_text_to_glyphs(mImpl->metrics[i], 0.0, 0.0, text.data(),
                                         static_cast<int>(text.size()), &glyphs, &count, nullptr,
                                         nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
        count == 1)
        index = static_cast<uint32_t>(glyphs[0].index);
    cairo_glyph_free(glyphs);
    mImpl->indexes[i].emplace(code, index);
    return index;
}

double RNxFonts::Advance(RNxFont font, uint32_t index) {
    const int i = static_cast<int>(font);
    const auto found = mImpl->advances[i].find(index);
    if (found != mImpl->advances[i].end()) return found->second;
    cairo_glyph_t glyph = {index, 0.0, 0.0};
    cairo_text_extents_t extents;
    cairo_scaled_font_glyph_extents(mImpl->metrics[i], &glyph, 1, &extents);
    const double advance = cairo_scaled_font_status(mImpl->metrics[i]) == CAIRO_STATUS_SUCCESS
                               ? extents.x_advance / kMetricSize
                               : 0.0;
    mImpl->advances[i].emplace(index, advance);
    return advance;
}

namespace {

void paint(cairo_t* cr, const RNxScene& scene, RNxFonts& fonts, double scale) {
    RNxFonts::Impl& impl = fonts.GetImpl();
    cairo_scale(cr, scale, scale);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_set_font_options(cr, impl.options);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const RNxPrimitive& item : scene.items) {
        setSource(cr, item.rgba);
        switch (item.kind) {
        case RNxPrimitive::Kind::Stroke:
            buildPath(cr, item.path);
            cairo_set_line_width(cr, item.width);
            cairo_set_line_cap(cr, item.roundCaps ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
            cairo_set_dash(cr, item.dashes.data(), static_cast<int>(item.dashes.size()), 0.0);
            cairo_stroke(cr);
            break;
        case RNxPrimitive::Kind::Fill:
            buildPath(cr, item.path);
            cairo_fill(cr);
            break;
        case RNxPrimitive::Kind::Text: {
            cairo_save(cr);
            cairo_matrix_t m;
            cairo_matrix_init(&m, item.matrix[0], item.matrix[1], item.matrix[2], item.matrix[3],
                              item.matrix[4], item.matrix[5]);
            cairo_transform(cr, &m);
            for (const RNxGlyph& g : item.glyphs) {
                cairo_set_font_face(cr, impl.faces[static_cast<int>(g.font)]);
                cairo_set_font_size(cr, g.size);
                const cairo_glyph_t glyph = {g.index, g.x, g.y};
                cairo_show_glyphs(cr, &glyph, 1);
            }
            cairo_restore(cr);
            break;
        }
        }
    }
}

bool finish(cairo_t* cr, cairo_surface_t* surface, std::string& why) {
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) why = cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
}

} // namespace

namespace RNx {

bool WritePdf(const RNxScene& scene, RNxFonts& fonts, std::FILE* file, std::string& why) {
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
        writeToFile, file, scene.width * kPointsPerMm, scene.height * kPointsPerMm);
    // No creation date, so that the same sheet gives the same file.
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATE_DATE, "");
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, scene.title.c_str());
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Korvu");
    cairo_t* cr = cairo_create(surface);
    paint(cr, scene, fonts, kPointsPerMm);
    cairo_show_page(cr);
    return finish(cr, surface, why);
}

bool WritePng(const RNxScene& scene, RNxFonts& fonts, double dotsPerMm, std::FILE* file,
              std::string& why) {
    const int width = static_cast<int>(std::lround(scene.width * dotsPerMm));
    const int height = static_cast<int>(std::lround(scene.height * dotsPerMm));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    paint(cr, scene, fonts, dotsPerMm);
    cairo_surface_flush(surface);
    cairo_status_t status = cairo_status(cr);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_write_to_png_stream(surface, writeToFile, file);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) why = cairo_status_to_string(status);
    return status == CAIRO_STATUS_SUCCESS;
}

} // namespace RNx
