// The normalized matrices: cells, headings, the Laplace column and the
// shapes handed to the ranking.

#include "tests/engine/engine_fixtures.h"

#include "engine/criterion_headings.h"
#include "engine/normalization.h"

#include <QtTest>

namespace {

std::vector<TRoundedValue> Cells(const QStringList& texts) {
    std::vector<TRoundedValue> cells;
    for (const QString& text : texts)
        cells.push_back({text.toStdString(), TextToValue(text.toStdString())});
    return cells;
}

QStringList Headings(const TNormalizedMatrix& matrix) {
    QStringList headings;
    for (const TNormalizedColumn& column : matrix.Columns)
        headings << QString::fromStdString(column.Heading);
    return headings;
}

} // namespace

class TestNormalization : public QObject {
    Q_OBJECT

private slots:
    void laplaceCriterion_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("laplace");
        QTest::newRow("mean of read-back values, half up")
            << QStringList{"0,5", "0,625"} << "0,563";
        QTest::newRow("three cells") << QStringList{"1", "0,9", "0,95"} << "0,95";
        // Summed and divided at extended precision: a double mean would give 0,51.
        QTest::newRow("extended mean") << QStringList{"0,5", "0,521"} << "0,511";
        QTest::newRow("single cell") << QStringList{"0,156"} << "0,156";
        QTest::newRow("no internal criterion") << QStringList{} << "1";
    }

    void laplaceCriterion() {
        QFETCH(QStringList, cells);
        QFETCH(QString, laplace);
        QCOMPARE(QString::fromStdString(LaplaceCriterion(Cells(cells)).Text), laplace);
    }

    void costsOnly() {
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B")};
        set.Variants[0].InternalValues[0] = "250";
        set.Variants[1].InternalValues[0] = "100";
        set.ActiveInternal[0] = true;
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);

        QCOMPARE(Headings(internal), QStringList{"Стоимость ремонта кровли"});
        QCOMPARE(internal.Columns[0].CriterionIndex, 0);
        QCOMPARE(QString::fromStdString(internal.AggregateHeading), QString(LaplaceHeading));
        QCOMPARE(ColumnTexts(internal, 0), (QStringList{"0", "1"}));
        QCOMPARE(ColumnTexts(internal, -1), (QStringList{"0", "1"}));
        QCOMPARE(internal.Rows[1].Aggregate->Value, 1.0);
        // No external factor: names and compositions only.
        for (const TNormalizedMatrix* matrix : {&external, &game}) {
            QVERIFY(matrix->Columns.empty());
            QVERIFY(!matrix->HasAggregate());
            QCOMPARE(NamesOf(*matrix), (QStringList{"A", "B"}));
            QCOMPARE(matrix->Rows[1].ProcessComposition, std::string("Состав B"));
            QVERIFY(matrix->Rows[0].Cells.empty());
        }
    }

    void fixedScaleEnds() {
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B")};
        for (int i : {2, 4, 7}) {
            set.Variants[0].InternalValues[i] = "1";
            set.Variants[1].InternalValues[i] = "10";
            set.ActiveInternal[i] = true;
        }
        for (int j : {2, 3}) {
            set.Variants[0].ExternalValues[j] = "1";
            set.Variants[1].ExternalValues[j] = "10";
            set.ActiveExternal[j] = true;
        }
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);

        QCOMPARE(Headings(internal),
                 (QStringList{InternalCriterionHeadings[2], InternalCriterionHeadings[4],
                              InternalCriterionHeadings[7]}));
        QCOMPARE(ColumnTexts(internal, 0), (QStringList{"1", "0,2"})); // falling, w 0,8
        QCOMPARE(ColumnTexts(internal, 1), (QStringList{"0,9", "1"})); // rising, w 0,1
        QCOMPARE(ColumnTexts(internal, 2), (QStringList{"0", "1"}));   // rising, w 1
        QCOMPARE(ColumnTexts(internal, -1), (QStringList{"0,633", "0,733"}));

        QCOMPARE(Headings(external),
                 (QStringList{ExternalFactorHeadings[2], ExternalFactorHeadings[3]}));
        QVERIFY(!external.HasAggregate());
        QCOMPARE(ColumnTexts(external, 0), (QStringList{"1", "0,5"}));
        QCOMPARE(ColumnTexts(external, 1), (QStringList{"1", "0,9"}));
        // The game matrix is laid out for the ranking to fill.
        QCOMPARE(Headings(game), Headings(external));
        QCOMPARE(QString::fromStdString(game.AggregateHeading), QString(WaldHeading));
        QCOMPARE(NamesOf(game), (QStringList{"A", "B"}));
    }

    // An empty or unreadable cell earns no credit; knots come from the rest.
    void missingValues() {
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B"), MakeVariant("C")};
        set.Variants[0].InternalValues[0] = "100";
        set.Variants[1].InternalValues[0] = "";
        set.Variants[2].InternalValues[0] = "250";
        set.Variants[0].InternalValues[3] = "10";
        set.Variants[1].InternalValues[3] = "x";
        set.Variants[2].InternalValues[3] = "1";
        set.ActiveInternal[0] = set.ActiveInternal[3] = true;
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);
        QCOMPARE(ColumnTexts(internal, 0), (QStringList{"1", "0", "0"}));
        QCOMPARE(ColumnTexts(internal, 1), (QStringList{"1", "0,6", "0,6"}));
    }

    // Every internal criterion dropped: each Laplace cell is 1.
    void noInternalCriterion() {
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B")};
        set.Variants[0].ExternalValues[0] = "3";
        set.Variants[1].ExternalValues[0] = "8";
        set.ActiveExternal[0] = true;
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);
        QVERIFY(internal.Columns.empty());
        QCOMPARE(ColumnTexts(internal, -1), (QStringList{"1", "1"}));
        QCOMPARE(external.Columns.size(), std::size_t(1));
    }

    // A second build starts from empty matrices.
    void rebuildsFromEmpty() {
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B")};
        set.Variants[0].InternalValues[1] = "2,17";
        set.Variants[1].InternalValues[1] = "2,18";
        set.ActiveInternal[1] = true;
        TNormalizedMatrix internal, external, game;
        internal.Rows.resize(5);
        external.Columns.resize(3);
        game.AggregateHeading = "старый";
        BuildNormalizedMatrices(set, internal, external, game);
        QCOMPARE(internal.Rows.size(), std::size_t(2));
        QVERIFY(external.Columns.empty());
        QVERIFY(!game.HasAggregate());
        // Labour 2,17 against 2,18: the exact curve ends at 1 and 0,5.
        QCOMPARE(ColumnTexts(internal, 0), (QStringList{"1", "0,5"}));
    }
};

QTEST_APPLESS_MAIN(TestNormalization)
#include "tst_normalization.moc"
