#include "ui/shift_keys.h"

#include <QEvent>
#include <QKeyEvent>

void ShiftKeys::noteKeyEvent(const QKeyEvent& event) {
    if (event.key() != Qt::Key_Shift) {
        if (!(event.modifiers() & Qt::ShiftModifier))
            m_left = m_right = false;
        else if (!m_left && !m_right)
            m_left = true; // pressed while another window had the keyboard
        return;
    }
    if (event.isAutoRepeat())
        return;
    const bool down = event.type() == QEvent::KeyPress;
    if (event.nativeScanCode() == RightShiftScanCode)
        m_right = down;
    else
        m_left = down;
}
