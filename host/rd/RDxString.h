#pragma once
#include "dc/RDxState.h"
#include <cstdint>

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
};

namespace RSe {
RSeMetaType* _InitMeta(const RDxString*);
RSeMetaType* _GetMeta(const RDxString*);
} // namespace RSe
