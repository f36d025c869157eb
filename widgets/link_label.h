#pragma once
// A label that behaves as a link: underlined #18556E text with a hand pointer
// that turns #0000FF while the mouse is over it, and a click that the owning
// window turns into a request to the desktop shell (a web page or a new
// e-mail message).

#include <QColor>
#include <QLabel>

#include <functional>

class QUrl;

// Hands a target to the desktop shell. The windows keep one of these so that
// a test can count the requests instead of starting a browser or mail program.
using ShellOpener = std::function<void(const QUrl&)>;

// Asks the desktop shell to open the target; a failure is not reported,
// because nothing in the system depends on the outcome.
void OpenWithDesktopShell(const QUrl& target);

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    static inline const QColor RestColour{0x18, 0x55, 0x6E};
    static inline const QColor HoverColour{0x00, 0x00, 0xFF};

    LinkLabel(const QString& text, QWidget* parent);

    // The colour the text is painted in right now.
    QColor textColour() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setTextColour(const QColor& colour);

    bool m_pressed = false;
};
