#include "ui/message_boxes.h"

#include "ui/application.h"
#include "ui/message_dialog.h"
#include "widgets/window_look.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

MessageBoxes* Installed = nullptr;

} // namespace

MessageBoxes& CurrentMessageBoxes() {
    static MessageBoxes toolkit;
    return Installed ? *Installed : toolkit;
}

void SetMessageBoxes(MessageBoxes* boxes) {
    Installed = boxes;
}

void ShowInformationBox(TsuiMessageDialog& dialog, const QString& text) {
    CurrentMessageBoxes().showInformation(dialog, text);
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    CurrentMessageBoxes().showError(parent, text);
}

void MessageBoxes::showInformation(TsuiMessageDialog& dialog, const QString& text) {
    dialog.setText(text);
    dialog.exec();
}

QString CatalogueErrorText(const QString& catalogueFileName, const QString& engineText) {
    const QString first =
        QStringLiteral("Не удалось прочитать базу данных «%1».").arg(catalogueFileName);
    return engineText.isEmpty() ? first : first + QLatin1Char('\n') + engineText;
}

namespace {

// Room the window manager's title bar needs besides the caption: its icon,
// buttons and margins. The caption's own width is measured in a bold face
// one step larger than the program's, as title bars draw it.
constexpr int TitleBarExtras = 180;

int CaptionWidth(const QString& caption) {
    QFont font = QApplication::font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + 1);
    return QFontMetrics(font).horizontalAdvance(caption) + TitleBarExtras;
}

} // namespace

void MessageBoxes::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, ProgramTitle, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorBox"));
    // A short engine text would leave the box narrower than its caption.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    // Centred on its window, whose place the frame keeps true; the toolkit's
    // own guess of the window manager's frame would put it higher.
    if (parent) {
        box.adjustSize();
        const QRect window = parent->window()->frameGeometry();
        box.move(window.center() - QPoint(box.width() / 2, box.height() / 2));
    }
    box.exec();
}
