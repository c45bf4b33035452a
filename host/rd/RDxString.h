#pragma once
#include "dc/RDxState.h"
#include <cstdint>

#include "ge/WqGePoint3d.h"
#include "utx/UTxString16.h"

// A state that holds a text.
class RDxString : public RDxState {
public:
    RDxString() = default;
    explicit RDxString(const RSeStream* s) : RDxState(s) {}
    RSeMetaType* GetMeta() const override;

    const UTxString16& GetSimpleValue() const { return m_value; }
    // A different value marks the state edited.
    void SetSimpleValue(const UTxString16& value);

    // Formatted text: codes "\Fid;" switch the font, "\{", "\}" and "\\" stand for their
    // characters. `format` says how the text was made (305: a cell of a frame layout); it is
    // kept, not interpreted.
    void SetFormattedValue(const UTxString16& text, int32_t format);
    const UTxString16& GetFormattedValue() const { return m_formatted; }
    int32_t GetFormatCode() const { return m_format; }
    // The font the text starts in, and its height in model units.
    int32_t GetFontId() const { return m_fontId; }
    void SetFontId(int32_t id);
    double GetTextHeight() const { return m_height; }
    void SetTextHeight(double h);
    // The laid-out paragraph is rebuilt from the formatted value before its next use.
    void SetParagraphStringInvalid();
    bool IsParagraphStringValid() const { return m_paragraphValid; }
    // What is drawn: the formatted value's characters, font switches dropped; the simple value
    // when there is no formatted one.
    UTxString16 GetDisplayText() const;

    // ---- placement and look of a free text (a note's): where it is anchored and how its
    // lines sit around that point. Setters mark the state edited when the value changes.
    const WqGePoint3d& GetLocation() const { return m_location; }
    void SetLocation(const WqGePoint3d& p);
    // Radians, counter-clockwise.
    double GetRotation() const { return m_rotation; }
    void SetRotation(double angle);
    // Horizontal: 0 left, 1 centre, 2 right; vertical: 0 top, 1 middle, 2 bottom.
    int32_t GetHorizontalJustification() const { return m_hJust; }
    void SetHorizontalJustification(int32_t j);
    int32_t GetVerticalJustification() const { return m_vJust; }
    void SetVerticalJustification(int32_t j);
    // Which point of the text block the location is: 9 10 11 top left, centre, right; 6 7 8
    // middle; 0 1 2 bottom.
    int32_t GetAttachment() const { return m_attachment; }
    void SetAttachment(int32_t code);
    // A marker its owner keeps with the text (a note: -999 while its location is fixed).
    int32_t GetMarker() const { return m_marker; }
    void SetMarker(int32_t marker);
    // Kept for the owner, not interpreted.
    int32_t GetFontFlags() const { return m_fontFlags; }
    void SetFontFlags(int32_t flags);
    // Line spacing: type 0 a factor of the height (value), others kept as given.
    int32_t GetLineSpacingType() const { return m_spacingType; }
    float GetLineSpacing() const { return m_spacing; }
    void SetLineSpacing(int32_t type, float value);
    // Colour as red, green, blue, alpha; with the no-colour flag the text takes its layer's.
    const float* GetColor() const { return m_color; }
    void SetColor(const float rgba[4]);
    bool GetNoColor() const { return m_noColor; }
    void SetNoColor(bool on);
    // The text as typed, codes and all: the formatted value.
    const UTxString16& GetOriginalValue() const { return m_formatted; }
    // The text as last laid out (lines joined by '\n'); valid until the formatted value changes
    // or the owner marks it invalid.
    const UTxString16& GetParagraphValue() const { return m_paragraph; }
    void SetParagraphValue(const UTxString16& text, bool valid);

    // Copies every value of `other` (a state's identity and links stay).
    void CopyValues(const RDxString& other);

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(RDxString* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_value{};
    UTxString16 m_formatted{};
    int32_t m_format = 0;
    int32_t m_fontId = 0;
    double m_height = 0.0;
    bool m_paragraphValid = false;
    WqGePoint3d m_location{};
    double m_rotation = 0.0;
    int32_t m_hJust = 0;
    int32_t m_vJust = 0;
    int32_t m_attachment = 9;
    int32_t m_marker = 0;
    int32_t m_fontFlags = 0;
    int32_t m_spacingType = 0;
    float m_spacing = 1.0f;
    float m_color[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    bool m_noColor = true;
    UTxString16 m_paragraph{};
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*);
RSeMetaType* _GetMeta(const RDxString*);
} // namespace RSe
