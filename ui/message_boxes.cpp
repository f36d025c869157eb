#include "ui/message_boxes.h"

#include "ui/message_dialog.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {

MessageBoxAnswerer& Answerer() {
    static MessageBoxAnswerer answerer;
    return answerer;
}

} // namespace

void SetMessageBoxAnswerer(MessageBoxAnswerer answerer) {
    Answerer() = std::move(answerer);
}

void ShowInformationBox(TsuiMessageDialog& dialog, const QString& text) {
    if (Answerer()) {
        Answerer()(MessageBoxKind::Information, text);
        return;
    }
    dialog.setText(text);
    dialog.exec();
}

void ShowErrorBox(QWidget* parent, const QString& text) {
    if (Answerer()) {
        Answerer()(MessageBoxKind::Error, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}
