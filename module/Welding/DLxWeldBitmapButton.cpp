#include "Welding/DLxWeldBitmapButton.h"

#include "WinResourceTable.h"

namespace {
constexpr int32_t kFocusInset = 3;
// A pressed picture moves this much right and down.
constexpr int32_t kPressShift = 2;
} // namespace

DLxWeldBitmapButton::DLxWeldBitmapButton(int32_t id, int32_t width, int32_t height)
    : m_width(width), m_height(height), m_id(id) {}

DLxWeldBitmapButton::~DLxWeldBitmapButton() = default;

bool DLxWeldBitmapButton::IsOver(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < m_width && y < m_height;
}

DLxWeldDrawing DLxWeldBitmapButton::DrawItem(uint32_t itemState, bool themed) const {
    DLxWeldDrawing d;
    d.themed = themed;
    // A themed background shows the look alone; the classic frame also the press under way.
    d.pushed = themed ? IsDrawnPressed()
                      : IsDrawnPressed() || (itemState & DLxOwnerDraw::kSelected) != 0;
    return d;
}

void DLxWeldBitmapButton::OnLButtonDown(int32_t, int32_t) {
    m_mouseDown = true;
    DefaultLButtonDown();
}

void DLxWeldBitmapButton::OnLButtonUp(int32_t x, int32_t y) {
    m_mouseDown = false;
    DefaultLButtonUp(x, y);
}

void DLxWeldBitmapButton::OnRButtonDown(uint32_t keyFlags, int32_t x, int32_t y) {
    if (postToParent) postToParent(kMsgRButtonDown, keyFlags, x + m_x, y + m_y);
}

void DLxWeldBitmapButton::DefaultLButtonUp(int32_t x, int32_t y) {
    const bool click = m_captured && IsOver(x, y);
    m_captured = false;
    if (click && onClicked) onClicked(m_id);
}

uint32_t CWeldArrowButton::GetBitmapId() const {
    return m_bitmap ? m_bitmap->id : 0;
}

bool CWeldArrowButton::SetState(int32_t value) {
    m_look = uint8_t(value);
    m_state = value != 0;
    return true;
}

DLxWeldDrawing CWeldArrowButton::DrawItem(uint32_t itemState, bool themed) const {
    DLxWeldDrawing d = DLxWeldBitmapButton::DrawItem(itemState, themed);
    if (m_bitmap) {
        const int32_t shift =
            IsDrawnPressed() || (itemState & DLxOwnerDraw::kSelected) ? kPressShift : 0;
        d.image = m_bitmap->id;
        d.imageX = (m_width - int32_t(m_bitmap->width)) / 2 + shift;
        d.imageY = (m_height - int32_t(m_bitmap->height)) / 2 + shift;
        d.transparent = 0xFFFFFF;
    }
    if (itemState & DLxOwnerDraw::kFocus) d.focusInset = kFocusInset;
    return d;
}

void CWeldArrowButton::OnLButtonUp(int32_t x, int32_t y) {
    // Only a press that began on the button flips it: a press elsewhere released here is no
    // click, and the dialog would never learn of the flip.
    if (m_mouseDown && IsOver(x, y)) {
        m_state = !m_state;
        if (m_togglesLook) m_look ^= 1;
    }
    m_mouseDown = false;
    DefaultLButtonUp(x, y);
}

DLxWeldDrawing CWeldToggleButton::DrawItem(uint32_t itemState, bool themed) const {
    DLxWeldDrawing d = DLxWeldBitmapButton::DrawItem(itemState, themed);
    const bool disabled = (itemState & DLxOwnerDraw::kDisabled) != 0;
    const bool pressed =
        itemState == (DLxOwnerDraw::kSelected | DLxOwnerDraw::kFocus) || IsDrawnPressed();
    if (pressed) {
        const uint32_t icon = disabled ? m_disabled : m_pressed;
        d.image = icon ? icon : m_normal;
        d.imageX = d.imageY = kPressShift;
    } else {
        d.image = disabled && m_disabled ? m_disabled : m_normal;
        d.imageX = d.imageY = 0;
    }
    if (itemState & DLxOwnerDraw::kFocus) d.focusInset = kFocusInset;
    return d;
}

void CWeldToggleButton::OnLButtonUp(int32_t x, int32_t y) {
    if (IsOver(x, y) && m_mouseDown) {
        m_state = !m_state;
        m_look ^= 1;
        m_clickedByMouse = true;
    }
    m_mouseDown = false;
    DefaultLButtonUp(x, y);
}
