#pragma once
// Which Shift key is held. The address field's first-letter rule tells the
// left Shift key from the right one, which Qt's modifiers cannot: the state is
// followed here from the keys' own press and release events, told apart by
// their hardware scan codes.

class QKeyEvent;

// X11/xkb scan codes of the two Shift keys.
inline constexpr unsigned LeftShiftScanCode = 50;
inline constexpr unsigned RightShiftScanCode = 62;

class ShiftKeys {
public:
    // Notes a key press or release; any other key event only forgets a Shift
    // whose release went to another window (the event's modifiers no longer
    // carry Shift).
    void noteKeyEvent(const QKeyEvent& event);

    bool leftDown() const { return m_left; }
    bool rightDown() const { return m_right; }

private:
    bool m_left = false;
    bool m_right = false;
};
