#pragma once
// What every window of the program shares besides its frame: the program's
// names in captions and boxes, how a control is named for tests and
// assistive tools, and how a text gets its colour.

#include <QColor>
#include <QString>

class QWidget;

// The caption of the main, results and analysis windows and of the splash.
inline const QString ProgramCaption =
    QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\"");
// The program's short title: the caption of its message and error boxes.
inline const QString ProgramTitle = QStringLiteral("ЗИРС \"Тавелин\"");

// Gives a control its object name and says the same name to assistive tools;
// the accessible name stays the visible text.
void Describe(QWidget* widget, const QString& objectName);

// Paints the widget's text (and a button's text) in `colour`.
void SetTextColour(QWidget* widget, const QColor& colour);
