#include "ui/message_dialog.h"

#include "widgets/window_look.h"
#include "widgets/windows_fonts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int Margin = 16;
constexpr int IconSize = 32;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int MinimumTextWidth = 220;
constexpr int MaximumTextWidth = 480;

} // namespace

TsuiMessageDialog::TsuiMessageDialog(QWidget* parent)
    : SkinnedDialog(ProgramTitle, CloseButton, parent) {
    setObjectName(QStringLiteral("suiMessageDialog1"));
    setAccessibleDescription(objectName());
    setWindowModality(Qt::ApplicationModal);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("messageIcon"));
    m_icon->setAccessibleDescription(m_icon->objectName());
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(IconSize));
    m_icon->setAccessibleName(QStringLiteral("Информация"));

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setAccessibleDescription(m_text->objectName());
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setFont(TimesFont(15));
    SetTextColour(m_text, Qt::black);

    m_button = new QPushButton(QStringLiteral("ОК"), this);
    m_button->setObjectName(QStringLiteral("okButton"));
    m_button->setAccessibleDescription(m_button->objectName());
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setDefault(true);
    connect(m_button, &QPushButton::clicked, this, &QWidget::close);
}

void TsuiMessageDialog::setText(const QString& text) {
    m_text->setText(text);
    fitToText();
}

QString TsuiMessageDialog::text() const {
    return m_text->text();
}

void TsuiMessageDialog::fitToText() {
    const QFontMetrics metrics(m_text->font());
    const int oneLine = metrics.horizontalAdvance(m_text->text()) + 4;
    const int textWidth = std::clamp(oneLine, MinimumTextWidth, MaximumTextWidth);
    const int textHeight =
        std::max(IconSize, m_text->heightForWidth(textWidth) > 0 ? m_text->heightForWidth(textWidth)
                                                                 : metrics.height());
    const int top = TitleBarHeight + Margin;
    m_icon->setGeometry(Margin, top, IconSize, IconSize);
    const int textLeft = Margin + IconSize + Margin;
    m_text->setGeometry(textLeft, top, textWidth, textHeight);
    const int width = textLeft + textWidth + Margin;
    const int buttonTop = top + textHeight + Margin;
    m_button->setGeometry((width - ButtonWidth) / 2, buttonTop, ButtonWidth, ButtonHeight);
    resize(width, buttonTop + ButtonHeight + Margin);
}

int TsuiMessageDialog::exec() {
    if (isVisible())
        return Rejected;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_button->setFocus();
    return SkinnedDialog::exec();
}

void TsuiMessageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        close();
        return;
    }
    SkinnedDialog::keyPressEvent(event);
}
