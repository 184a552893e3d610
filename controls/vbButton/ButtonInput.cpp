// The button's reactions to its user and its host: mouse, keyboard, access
// keys, focus, hover tracking and the lifecycle. Every look change goes
// through Redraw, which skips requests that change nothing, so the handlers
// ask for redraws freely.
//
// After raising an event the handler may find its control destroyed by the
// host (a Click that closes the window); every raise is therefore checked and
// the handler returns at once when it reports so.

#include "controls/vbButton/AccessKey.h"
#include "controls/vbButton/ButtonModel.h"
#include "controls/vbButton/ButtonPainter.h"

namespace vb {

namespace {

constexpr short kLeft = 1;
constexpr short kRight = 2;

constexpr short kSpace = 32;
constexpr short kLeftArrow = 37, kUpArrow = 38, kRightArrow = 39, kDownArrow = 40;

} // namespace

bool ButtonModel::mouseDown(short Button, short Shift, float X, float Y)
{
    if (!m_events.raiseMouseDown(Button, Shift, X, Y))
        return false;
    s.m_LastButton = std::uint8_t(Button);
    if (Button != kRight)
        Redraw(s, m_host, dsDown, false);
    return true;
}

void ButtonModel::handleMouseDown(short Button, short Shift, float X, float Y)
{
    (void)mouseDown(Button, Shift, X, Y);
}

void ButtonModel::handleMouseUp(short Button, short Shift, float X, float Y)
{
    if (!m_events.raiseMouseUp(Button, Shift, X, Y))
        return;
    if (Button != kRight)
        Redraw(s, m_host, dsUp, false);
}

void ButtonModel::handleMouseMove(short Button, short Shift, float X, float Y)
{
    if (!m_events.raiseMouseMove(Button, Shift, X, Y))
        return;
    // Only no button or the left one alone takes part in hover and press tracking.
    if (Button >= 2)
        return;
    if (!IsMouseOver()) {
        Redraw(s, m_host, dsUp, false);
        return;
    }
    if (Button == 0 && !s.m_IsHot) {
        // The pointer has just come in.
        m_host.setOverTimerEnabled(true);
        s.m_IsHot = true;
        Redraw(s, m_host, dsUp, true);
        (void)m_events.raiseMouseOver();
    } else if (Button == kLeft) {
        // Dragging inside: the down face with the hot look, after which the
        // control counts as not hot, so the next plain move enters again.
        s.m_IsHot = true;
        Redraw(s, m_host, dsDown, false);
        s.m_IsHot = false;
    }
}

// The hover's end: the host runs it when the pointer may have left (a leave,
// a move outside, another window taking the pointer), not on a clock.
void ButtonModel::handleOverTimer()
{
    if (IsMouseOver())
        return;
    m_host.setOverTimerEnabled(false);
    s.m_IsHot = false;
    Redraw(s, m_host, dsUp, true);
    (void)m_events.raiseMouseOut();
}

bool ButtonModel::click()
{
    if (s.m_LastButton != kLeft || !s.m_Enabled)
        return true;
    if (s.m_CheckBoxBehaviour) {
        s.m_Value = !s.m_Value;
        if (!report(bit(Property::Value)))
            return false;
    }
    Redraw(s, m_host, dsUp, true);
    // The released face is on the screen while the host's handler runs.
    m_host.refreshWindow();
    return m_events.raiseClick();
}

void ButtonModel::handleClick()
{
    (void)click();
}

void ButtonModel::handleDblClick()
{
    // The double-click stands in for the second press: a press, no click.
    if (s.m_LastButton != kLeft)
        return;
    if (!mouseDown(kLeft, 0, 0.0f, 0.0f))
        return;
    m_host.setCapture();
}

void ButtonModel::handleKeyDown(short KeyCode, short Shift)
{
    if (!m_events.raiseKeyDown(KeyCode, Shift))
        return;
    s.m_LastKey = std::uint8_t(KeyCode);
    switch (KeyCode) {
    case kSpace:
        Redraw(s, m_host, dsDown, false);
        break;
    case kLeftArrow:
    case kUpArrow:
        m_host.sendTabKey(true);
        break;
    case kRightArrow:
    case kDownArrow:
        m_host.sendTabKey(false);
        break;
    default: // Page Up, Page Down, End, Home and every other key: nothing
        break;
    }
}

void ButtonModel::handleKeyPress(short KeyAscii)
{
    (void)m_events.raiseKeyPress(KeyAscii);
}

void ButtonModel::handleKeyUp(short KeyCode, short Shift)
{
    if (!m_events.raiseKeyUp(KeyCode, Shift))
        return;
    // Only a Space release that follows a Space press (no other key between) clicks.
    if (s.m_LastKey != kSpace || KeyCode != kSpace)
        return;
    if (s.m_CheckBoxBehaviour) {
        s.m_Value = !s.m_Value;
        if (!report(bit(Property::Value)))
            return;
    }
    Redraw(s, m_host, dsUp, false);
    m_host.refreshWindow();
    (void)m_events.raiseClick();
}

void ButtonModel::handleAccessKeyPress()
{
    s.m_LastButton = kLeft;
    (void)click();
}

void ButtonModel::SetAccessKey()
{
    m_host.setAccessKeys(QString());
    if (const auto key = AccessKeyFor(s.m_Caption))
        m_host.setAccessKeys(QString(*key));
}

void ButtonModel::handleGotFocus()
{
    s.m_HasFocus = true;
    if (s.m_ShowFocusRect)
        s.m_IsHot = true;
    Redraw(s, m_host, s.m_LastState, true);
}

void ButtonModel::handleLostFocus()
{
    s.m_HasFocus = false;
    if (s.m_ShowFocusRect)
        s.m_IsHot = false;
    Redraw(s, m_host, s.m_LastState, true);
}

void ButtonModel::handleAmbientChanged()
{
    // A custom palette does not depend on anything the container provides.
    if (s.m_ColorScheme == csCustom)
        return;
    LoadColors(s, m_host);
    Redraw(s, m_host, s.m_LastState, true);
}

void ButtonModel::handleResize()
{
    // The background capture shrinks the control while it copies the parent.
    if (s.m_Capturing)
        return;
    const gdi::Rect client = m_host.clientRect();
    s.m_Height = client.bottom;
    s.m_Width = client.right;
    s.m_FaceRect = FaceRectFor(s.m_ButtonType, client);
    CalcCaptionRect(s, m_host);
    MakeShape(s);
    m_host.setWindowShape(s.m_Region);
    if (s.m_Height != 0)
        Redraw(s, m_host, dsUp, true);
}

void ButtonModel::handleShow()
{
    if (s.m_ButtonType == btTransparent) {
        // Made once, in the size of the first show.
        if (!s.m_BackgroundDC)
            s.m_BackgroundDC.emplace(s.m_Width, s.m_Height);
        CaptureBackground(s, m_host);
    }
    s.m_RedrawEnabled = true;
    LoadColors(s, m_host);
    Redraw(s, m_host, dsUp, true);
}

void ButtonModel::handleHide()
{
    s.m_RedrawEnabled = false;
}

void ButtonModel::handleTerminate()
{
    s.m_RedrawEnabled = false;
    s.m_BackgroundDC.reset();
}

} // namespace vb
