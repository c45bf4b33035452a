#pragma once

#include <cstdint>

// Colour of a display item: either a true colour packed as 0xRRGGBBAA or an index into the
// host's colour table, which the renderer resolves.
class SMxColor {
public:
    enum class Mode : uint8_t { Rgba, Index };

    constexpr SMxColor() = default;

    static constexpr SMxColor FromRgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
        return SMxColor(Mode::Rgba, (uint32_t(r) << 24) | (uint32_t(g) << 16) | (uint32_t(b) << 8) |
                                        uint32_t(a));
    }
    static constexpr SMxColor FromPackedRgba(uint32_t rgba) { return SMxColor(Mode::Rgba, rgba); }
    static constexpr SMxColor FromIndex(uint32_t index) { return SMxColor(Mode::Index, index); }

    constexpr Mode GetMode() const { return mMode; }
    constexpr bool IsIndex() const { return mMode == Mode::Index; }
    // The packed RGBA value or the index, depending on the mode.
    constexpr uint32_t GetValue() const { return mValue; }

    constexpr uint8_t Red() const { return uint8_t(mValue >> 24); }
    constexpr uint8_t Green() const { return uint8_t(mValue >> 16); }
    constexpr uint8_t Blue() const { return uint8_t(mValue >> 8); }
    constexpr uint8_t Alpha() const { return uint8_t(mValue); }

    constexpr bool operator==(const SMxColor&) const = default;

private:
    constexpr SMxColor(Mode mode, uint32_t value) : mMode(mode), mValue(value) {}

    Mode mMode = Mode::Rgba;
    uint32_t mValue = 0x000000FFu; // opaque black
};
