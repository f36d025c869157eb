#include "results/considered_count.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace {

enum class NounForm { One, Few, Many };

NounForm FormFor(int count) {
    const int lastTwo = std::abs(count) % 100;
    const int last = lastTwo % 10;
    if (lastTwo >= 11 && lastTwo <= 14)
        return NounForm::Many;
    if (last == 1)
        return NounForm::One;
    if (last >= 2 && last <= 4)
        return NounForm::Few;
    return NounForm::Many;
}

const char* const LaidOutProperty = "zirsLaidOutGeometry";

int Ceil(qreal width) {
    return static_cast<int>(std::ceil(width));
}

} // namespace

ConsideredCountTexts ConsideredCountWording(int catalogueCount) {
    const QString rest = QStringLiteral(" технологии, из них отклонено с учетом ");
    ConsideredCountTexts texts;
    texts.Count = QString::number(catalogueCount);
    switch (FormFor(catalogueCount)) {
    case NounForm::One:
        texts.Verb = QStringLiteral("Рассмотрен");
        texts.Rest = QStringLiteral("вариант") + rest;
        break;
    case NounForm::Few:
        texts.Verb = QStringLiteral("Рассмотрено");
        texts.Rest = QStringLiteral("варианта") + rest;
        break;
    case NounForm::Many:
        texts.Verb = QStringLiteral("Рассмотрено");
        texts.Rest = QStringLiteral("вариантов") + rest;
        break;
    }
    return texts;
}

void ShowConsideredCount(QWidget* window, int catalogueCount) {
    auto* verb = window->findChild<QLabel*>(QStringLiteral("Label9"));
    auto* count = window->findChild<QLabel*>(QStringLiteral("Label15"));
    auto* rest = window->findChild<QLabel*>(QStringLiteral("Label17"));
    if (!verb || !count || !rest)
        return;
    const ConsideredCountTexts texts = ConsideredCountWording(catalogueCount);
    verb->setText(texts.Verb);
    count->setText(texts.Count);
    rest->setText(texts.Rest);

    // The places as laid out fit "Рассмотрен 21": a longer verb or number
    // pushes what follows to the right by its extra width instead of
    // overlapping it. The laid-out places are remembered on the first call.
    for (QLabel* label : {verb, count, rest}) {
        if (!label->property(LaidOutProperty).isValid())
            label->setProperty(LaidOutProperty, label->geometry());
    }
    const QRect verbPlace = verb->property(LaidOutProperty).toRect();
    const QRect countPlace = count->property(LaidOutProperty).toRect();
    const QRect restPlace = rest->property(LaidOutProperty).toRect();
    const QFontMetricsF verbMetrics(verb->font());
    const QFontMetricsF countMetrics(count->font());
    const int verbExtra =
        std::max(0, Ceil(verbMetrics.horizontalAdvance(texts.Verb)) -
                        Ceil(verbMetrics.horizontalAdvance(QStringLiteral("Рассмотрен"))));
    const int countExtra =
        std::max(0, Ceil(countMetrics.horizontalAdvance(texts.Count)) -
                        Ceil(countMetrics.horizontalAdvance(QStringLiteral("21"))));
    verb->setGeometry(verbPlace.adjusted(0, 0, verbExtra, 0));
    count->setGeometry(countPlace.translated(verbExtra, 0).adjusted(0, 0, countExtra, 0));
    rest->setGeometry(restPlace.translated(verbExtra + countExtra, 0));
}
