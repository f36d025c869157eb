#include "widgets/window_look.h"

#include <QPalette>
#include <QWidget>

void Describe(QWidget* widget, const QString& objectName) {
    widget->setObjectName(objectName);
    widget->setAccessibleDescription(objectName);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::ButtonText, colour);
    widget->setPalette(pal);
}
