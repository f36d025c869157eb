#pragma once
// Which Shift key is held. The address field's first-letter rule tells the
// left Shift key from the right one, which Qt's modifiers cannot: the state is
// followed here from the keys' own press and release events, told apart by
// their hardware scan codes. A Shift whose side was never seen (no scan code
// from the platform, or pressed before the field had the keyboard) counts as
// the left one, the key nearly everyone uses.

class QKeyEvent;

// X11/xkb scan codes of the two Shift keys.
inline constexpr unsigned LeftShiftScanCode = 50;
inline constexpr unsigned RightShiftScanCode = 62;

class ShiftKeys {
public:
    // Notes a Shift key's press or release. Any other key event brings the
    // state in line with its modifiers: a Shift released elsewhere is
    // forgotten, one pressed elsewhere is taken for the left one.
    void noteKeyEvent(const QKeyEvent& event);

    bool leftDown() const { return m_left; }
    bool rightDown() const { return m_right; }

private:
    bool m_left = false;
    bool m_right = false;
};
