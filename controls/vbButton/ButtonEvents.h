#pragma once
// The nine events of the button. Arguments go by reference: the control reads
// them back after the handler returns and acts on what the handler left.
// Every raise returns false when the handler destroyed the control; the
// caller must then return at once without touching the control.

namespace vb {

class ButtonEvents {
public:
    virtual ~ButtonEvents() = default;
    virtual bool raiseClick() = 0;
    virtual bool raiseMouseDown(short& Button, short& Shift, float& X, float& Y) = 0;
    virtual bool raiseMouseMove(short& Button, short& Shift, float& X, float& Y) = 0;
    virtual bool raiseMouseUp(short& Button, short& Shift, float& X, float& Y) = 0;
    virtual bool raiseKeyPress(short& KeyAscii) = 0;
    virtual bool raiseKeyDown(short& KeyCode, short& Shift) = 0;
    virtual bool raiseKeyUp(short& KeyCode, short& Shift) = 0;
    virtual bool raiseMouseOver() = 0;
    virtual bool raiseMouseOut() = 0;
};

} // namespace vb
