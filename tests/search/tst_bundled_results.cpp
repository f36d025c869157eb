// Whole searches on the bundled catalogue, compared exactly with the golden
// table tests/data/bundled_results.json: the README's five requests and the
// requests that between them reach every criterion's rule, a criterion that is
// constant over the admissible variants, k = 0, Laplace with several criteria
// and Wald with ties.
//
// The table is made by the program itself; when the bundled catalogue or the
// method changes on purpose, remake it with
//     cmake --build build --target regenerate-bundled-results
// and read the difference before committing it.
//
// Rows checked by hand against the method when the table was made:
// - "README: one variant": the filter worked by hand over data/catalogue.sql
//   (slope 5 within Минуклон..Уклон, volume 60, thickness 10, cost 2000,
//   temperature 10, wear 100 within Минизнос..Износ, and with no work
//   condition ticked only rows flagged 1 in all three condition columns)
//   leaves one row, so nothing is scored: kind Single, 1 admissible, 20
//   rejected, the selected criteria listed as applied.
// - "cost alone, two variants": two rows pass (costs 486,2 and 428,75); the
//   ticked factor "power cuts" is 9 for both, so it is dropped and the
//   ranking is by Laplace with cost alone: a falling curve on spread knots
//   with weight 1 puts the cheaper row on the lower knot (membership 1) and
//   the dearer on the upper (0); the mean of one cell is the cell, so the
//   cheaper row takes place 1 with the text 1 and the other place 2 with 0.

#include "tests/support/golden_search.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QtTest>

#include <cstring>

namespace {

const QString GoldenPath = QStringLiteral(ZIRS_TEST_DATA_DIR "/bundled_results.json");

QJsonObject SearchAnswer(const QJsonObject& request) {
    SearchInputs inputs = GoldenRequestInputs(request);
    SearchState state;
    const SearchOutcome outcome = RunSearch(inputs, QStringLiteral(ZIRS_BUILT_CATALOGUE), state);
    return GoldenAnswer(outcome, inputs, state);
}

// Recomputes every row's answer from its request and writes the table back.
int Regenerate() {
    QString error;
    QJsonArray rows = ReadGoldenRows(GoldenPath, &error);
    if (rows.isEmpty()) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(GoldenPath), qPrintable(error));
        return 1;
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonObject row = rows.at(i).toObject();
        row.insert(QStringLiteral("answer"),
                   SearchAnswer(row.value(QLatin1String("request")).toObject()));
        rows.replace(i, row);
    }
    QSaveFile file(GoldenPath);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(rows).toJson(QJsonDocument::Indented)) < 0 || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(GoldenPath),
                     qPrintable(file.errorString()));
        return 1;
    }
    std::printf("%s: %d rows\n", qPrintable(GoldenPath), int(rows.size()));
    return 0;
}

} // namespace

class BundledResultsTest : public QObject {
    Q_OBJECT
private slots:
    void wholeSearch_data();
    void wholeSearch();
};

void BundledResultsTest::wholeSearch_data() {
    QTest::addColumn<QJsonObject>("request");
    QTest::addColumn<QJsonObject>("answer");
    QString error;
    const QJsonArray rows = ReadGoldenRows(GoldenPath, &error);
    QVERIFY2(!rows.isEmpty(), qPrintable(error));
    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        QTest::newRow(qPrintable(row.value(QLatin1String("name")).toString()))
            << row.value(QLatin1String("request")).toObject()
            << row.value(QLatin1String("answer")).toObject();
    }
}

void BundledResultsTest::wholeSearch() {
    QFETCH(QJsonObject, request);
    QFETCH(QJsonObject, answer);
    const QJsonObject actual = SearchAnswer(request);
    QCOMPARE(QJsonDocument(actual).toJson(), QJsonDocument(answer).toJson());
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "--regenerate") == 0)
        return Regenerate();
    BundledResultsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_bundled_results.moc"
