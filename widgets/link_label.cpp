#include "widgets/link_label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

void OpenWithDesktopShell(const QUrl& target) {
    QDesktopServices::openUrl(target);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCursor(Qt::PointingHandCursor);
    setTextColour(RestColour);
}

QColor LinkLabel::textColour() const {
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setTextColour(const QColor& colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    setTextColour(HoverColour);
}

void LinkLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    setTextColour(RestColour);
}

// A window hidden while the mouse rests on the link gets no leave event for
// it; the next showing must still present the page at rest.
void LinkLabel::hideEvent(QHideEvent* event) {
    QLabel::hideEvent(event);
    m_pressed = false;
    setTextColour(RestColour);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release on the link, as with any button: letting
// go elsewhere cancels it.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && wasPressed &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}
