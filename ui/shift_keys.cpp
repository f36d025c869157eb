#include "shift_keys.h"

#include <QEvent>
#include <QKeyEvent>

void ShiftKeys::noteKeyEvent(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Shift) {
        if (!(event.modifiers() & Qt::ShiftModifier))
            m_left = m_right = false;
        return;
    }
    if (event.isAutoRepeat())
        return;
    const bool down = event.type() == QEvent::KeyPress;
    // A Shift whose side the platform does not report (no scan code) is taken
    // for the left one, the key nearly everyone uses.
    if (event.nativeScanCode() == RightShiftScanCode)
        m_right = down;
    else
        m_left = down;
}
