#pragma once
// The text-format dialog, headless: it edits a text (an RDxString the caller owns) that a note
// command hands it, with the drafting standard's text heights to choose from. The user (a
// modal runner in tests) types the formatted text, picks a height, a justification, a turn, a
// text style; on OK the text holds what was chosen and the caller reads it back. Cancel leaves
// the caller's text as it was.
#include <cstdint>
#include <vector>

#include "CDialog.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;
class FWxStyle;
class RDxString;

class UCxTextFormater : public CDialog {
public:
    static constexpr uint32_t kTemplateId = 5430;
    // The format the dialog writes formatted text with.
    static constexpr int32_t kTextFormat = 0x131;

    UCxTextFormater(RDxString* text, FWxSceneDoc* doc, int32_t fontId,
                    std::vector<UTxString16> heightTexts, UTxString16 defaultHeightText);
    ~UCxTextFormater() override;

    FWxSceneDoc* GetDocument() const { return m_doc; }
    int32_t GetFontId() const { return m_fontId; }
    const std::vector<UTxString16>& GetHeightTexts() const { return m_heights; }
    const UTxString16& GetDefaultHeightText() const { return m_defaultHeight; }

    void SetTextStyle(FWxStyle* style) { m_style = style; }
    FWxStyle* GetTextStyle() const { return m_style; }
    void SetLayerStyle(FWxStyle* layer) { m_layer = layer; }
    FWxStyle* GetLayerStyle() const { return m_layer; }
    // A width the text wraps to; 0 or less: none.
    void SetFixedWidth(double width) { m_fixedWidth = width; }
    double GetFixedWidth() const { return m_fixedWidth; }
    void AllowAnyAngleRotation(bool on) { m_anyAngle = on; }
    bool IsAnyAngleRotationAllowed() const { return m_anyAngle; }

    // What the user works on: the text being edited (the caller's until OK).
    const RDxString* GetText() const;
    UTxString16 GetFormattedText() const;

    // ---- the user's edits, taken only while the dialog is open
    void SetFormattedText(const UTxString16& text);
    // The height of the list entry `index`; false for an index off the list or an entry that
    // is no height.
    bool ChooseHeight(size_t index);
    void SetJustification(int32_t horizontal, int32_t vertical);
    // A turn in radians: quarter turns only, unless any angle is allowed.
    bool SetRotation(double angle);

    bool OnInitDialog() override;
    // OK writes the edited copy into the caller's text.
    void OnOK() override;

private:
    RDxString* m_text;
    RDxString* m_edit = nullptr; // the working copy, while the dialog is open
    FWxSceneDoc* m_doc;
    int32_t m_fontId;
    std::vector<UTxString16> m_heights;
    UTxString16 m_defaultHeight;
    FWxStyle* m_style = nullptr;
    FWxStyle* m_layer = nullptr;
    double m_fixedWidth = -1.0;
    bool m_anyAngle = false;

    void DropEdit();
};
