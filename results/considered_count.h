#pragma once
// The line "Рассмотрен 21 вариант технологии, из них отклонено …" for a
// catalogue of any size: the verb and the noun agree with the count, and the
// count label widens for a longer number, moving the rest of the line along.

#include <QString>

class QWidget;

struct ConsideredCountTexts {
    QString Verb;  // "Рассмотрен" / "Рассмотрено"
    QString Count; // the count in digits
    QString Rest; // "вариант технологии, из них отклонено с учетом " and its agreeing forms
};

ConsideredCountTexts ConsideredCountWording(int catalogueCount);

// Sets the three labels (Label9, Label15, Label17) of `window` for the count.
// For 21 the texts and places are those of the window as laid out.
void ShowConsideredCount(QWidget* window, int catalogueCount);
