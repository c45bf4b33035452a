#pragma once
// The weld dialog's owner-drawn buttons, headless. A button is drawn by DrawItem, which answers
// what it puts on the screen (DLxWeldDrawing) for the framework's item state; mouse presses and
// releases reach it in its own client coordinates as the framework would deliver them, and a
// press released over the button is a click told to the dialog (onClicked).
//
//   DLxWeldBitmapButton: the base: a pressed look (bit 0 of the look flags), a logical on/off
//   state, and whether the left button went down on it.
//   CWeldArrowButton: shows a bitmap and keeps an on/off state (a secondary weld is there or
//   not); with "toggles look" a click also flips the pressed look.
//   CWeldToggleButton: shows icons (normal, pressed, disabled) and flips its state on a mouse
//   click, remembering that the mouse did it (a keyboard click leaves the flip to the dialog).
#include <cstdint>
#include <functional>

struct KorvuResBitmap;

// Owner-draw item state bits as the framework hands them to DrawItem.
namespace DLxOwnerDraw {
constexpr uint32_t kSelected = 0x0001;
constexpr uint32_t kDisabled = 0x0004;
constexpr uint32_t kFocus = 0x0010;
} // namespace DLxOwnerDraw

// What one DrawItem of a weld control puts on the screen.
struct DLxWeldDrawing {
    // A themed button background, else the classic push-button frame.
    bool themed = false;
    bool pushed = false;
    // Bitmap or icon resource id (0: none), its top-left corner in the control, and the colour
    // left out of it (0xRRGGBB).
    uint32_t image = 0;
    int32_t imageX = 0;
    int32_t imageY = 0;
    uint32_t transparent = 0xFFFFFF;
    // A focus rectangle inset this much from the control's edges; -1: none.
    int32_t focusInset = -1;
};

class DLxWeldBitmapButton {
public:
    // Mouse key flags, and the message a right press posts to the parent.
    static constexpr uint32_t kMsgRButtonDown = 0x0204;

    DLxWeldBitmapButton(int32_t id, int32_t width, int32_t height);
    virtual ~DLxWeldBitmapButton();
    DLxWeldBitmapButton(const DLxWeldBitmapButton&) = delete;
    DLxWeldBitmapButton& operator=(const DLxWeldBitmapButton&) = delete;

    int32_t GetDlgCtrlID() const { return m_id; }
    // Where the button lies in its parent's client area, and its size.
    void MoveWindow(int32_t x, int32_t y, int32_t width, int32_t height) {
        m_x = x;
        m_y = y;
        m_width = width;
        m_height = height;
    }
    bool IsDrawnPressed() const { return (m_look & 1) != 0; }
    bool GetState() const { return m_state; }
    bool IsMouseDown() const { return m_mouseDown; }

    virtual DLxWeldDrawing DrawItem(uint32_t itemState, bool themed) const;
    virtual void OnLButtonDown(int32_t x, int32_t y);
    virtual void OnLButtonUp(int32_t x, int32_t y);
    // Handed on to the parent, in the parent's client coordinates with the same key flags.
    void OnRButtonDown(uint32_t keyFlags, int32_t x, int32_t y);

    // A click (pressed and released over the button).
    std::function<void(int32_t id)> onClicked;
    // Messages posted to the parent: message, key flags, point in the parent's client area.
    std::function<void(uint32_t message, uint32_t flags, int32_t x, int32_t y)> postToParent;

protected:
    bool IsOver(int32_t x, int32_t y) const;
    // The framework's own handling: it captures the mouse on a press, and a release over the
    // button while captured is a click.
    void DefaultLButtonDown() { m_captured = true; }
    void DefaultLButtonUp(int32_t x, int32_t y);

    int32_t m_width;
    int32_t m_height;
    uint8_t m_look = 0;
    bool m_state = false;
    bool m_mouseDown = false;

private:
    int32_t m_id;
    int32_t m_x = 0;
    int32_t m_y = 0;
    bool m_captured = false;
};

class CWeldArrowButton : public DLxWeldBitmapButton {
public:
    using DLxWeldBitmapButton::DLxWeldBitmapButton;

    // The bitmap shown, centred; null: none.
    void SetBitmap(const KorvuResBitmap* bitmap) { m_bitmap = bitmap; }
    uint32_t GetBitmapId() const;
    void SetTogglesLook(bool on) { m_togglesLook = on; }
    // Look and state from one value: 0 raised and off, 1 pressed and on.
    bool SetState(int32_t value);

    DLxWeldDrawing DrawItem(uint32_t itemState, bool themed) const override;
    void OnLButtonUp(int32_t x, int32_t y) override;

private:
    const KorvuResBitmap* m_bitmap = nullptr;
    bool m_togglesLook = false;
};

class CWeldToggleButton : public DLxWeldBitmapButton {
public:
    using DLxWeldBitmapButton::DLxWeldBitmapButton;

    // Icon resource ids; 0 for none.
    void SetIcons(uint32_t normal, uint32_t pressed, uint32_t disabled) {
        m_normal = normal;
        m_pressed = pressed;
        m_disabled = disabled;
    }
    // For the dialog: a keyboard click flips nothing here, so the dialog flips the toggle.
    void SetState(bool on) {
        m_state = on;
        m_look = uint8_t(on ? m_look | 1 : m_look & ~1);
    }
    bool WasClickedByMouse() const { return m_clickedByMouse; }
    void ResetClickedByMouse() { m_clickedByMouse = false; }

    DLxWeldDrawing DrawItem(uint32_t itemState, bool themed) const override;
    void OnLButtonUp(int32_t x, int32_t y) override;

private:
    uint32_t m_normal = 0;
    uint32_t m_pressed = 0;
    uint32_t m_disabled = 0;
    bool m_clickedByMouse = false;
};
