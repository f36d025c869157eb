#include "ui/masked_edit.h"

#include <QKeyEvent>

namespace {

const QColor UserTextColour(0xFF, 0x00, 0x00);

// Shortcuts (copy, paste, undo...) arrive as control characters; only text
// and backspace are the filters' business.
bool IsFilteredCharacter(QChar c) {
    return c == QChar(u'\b') || c.category() != QChar::Other_Control;
}

} // namespace

TAdvMaskEdit::TAdvMaskEdit(QWidget* parent) : QLineEdit(parent) {
    // Text composed by an input method would reach the field without passing
    // the key filter; these fields take plain keystrokes only.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this, &TAdvMaskEdit::markUserText);
}

int TAdvMaskEdit::selectionOrCaretStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TAdvMaskEdit::keyPressEvent(QKeyEvent* event) {
    m_shift.noteKeyEvent(*event);
    const QString typed = event->text();
    if (!m_filter || typed.size() != 1 || !IsFilteredCharacter(typed.front())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const std::optional<QChar> passed = m_filter(typed.front(), *this);
    if (!passed) {
        event->accept();
        return;
    }
    if (*passed == typed.front()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                       event->nativeVirtualKey(), event->nativeModifiers(), QString(*passed),
                       event->isAutoRepeat(), event->count(), event->device());
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TAdvMaskEdit::keyReleaseEvent(QKeyEvent* event) {
    m_shift.noteKeyEvent(*event);
    QLineEdit::keyReleaseEvent(event);
}

void TAdvMaskEdit::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    if (m_focusOnHover && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

void TAdvMaskEdit::markUserText() {
    if (m_userText)
        return;
    m_userText = true;
    QPalette pal = palette();
    pal.setColor(QPalette::Text, UserTextColour);
    setPalette(pal);
}
