// The game matrix, the Wald and Laplace rankings with the system's quicksort,
// and the result handed to the results window.

#include "tests/engine/engine_fixtures.h"

#include "engine/criterion_headings.h"
#include "engine/normalization.h"
#include "engine/ranking.h"

#include <QtTest>

namespace {

// Internal matrix with only a Laplace column, external matrix with one
// column per entry of `factors` (each a list of cell texts per row).
void MakeInputs(const QStringList& names, const QStringList& laplace,
                const QList<QStringList>& factors, TNormalizedMatrix& internal,
                TNormalizedMatrix& external, TNormalizedMatrix& game) {
    internal = MakeRankedMatrix(names, laplace);
    internal.AggregateHeading = LaplaceHeading;
    internal.Columns.push_back({0, InternalCriterionHeadings[0]});
    external = TNormalizedMatrix();
    game = TNormalizedMatrix();
    for (int f = 0; f < factors.size(); ++f) {
        external.Columns.push_back({f, ExternalFactorHeadings[f]});
        game.Columns.push_back(external.Columns.back());
    }
    for (int r = 0; r < names.size(); ++r) {
        TNormalizedRow row;
        row.Name = names[r].toStdString();
        for (const QStringList& factor : factors)
            row.Cells.push_back(RoundValue(TextToValue(factor[r].toStdString())));
        external.Rows.push_back(row);
        row.Cells.clear();
        game.Rows.push_back(row);
    }
    if (!factors.isEmpty())
        game.AggregateHeading = WaldHeading;
}

QStringList PlaceNames(const TSearchResult& result) {
    QStringList names;
    for (const TRankedVariant& place : result.Ranked)
        names << QString::fromStdString(place.Name);
    return names;
}

QStringList PlaceTexts(const TSearchResult& result) {
    QStringList texts;
    for (const TRankedVariant& place : result.Ranked)
        texts << QString::fromStdString(place.CriterionText);
    return texts;
}

} // namespace

class TestRanking : public QObject {
    Q_OBJECT

private slots:
    // The quicksort's handling of equal keys is part of the ranking.
    void sortByCriterion_data() {
        QTest::addColumn<QStringList>("keys"); // rows A, B, C, ...
        QTest::addColumn<QStringList>("order");
        QTest::newRow("pairs of equal keys")
            << QStringList{"0,5", "0,7", "0,5", "0,7"} << QStringList{"D", "B", "C", "A"};
        QTest::newRow("tie below the best")
            << QStringList{"0,6", "0,6", "0,7"} << QStringList{"C", "B", "A"};
        QTest::newRow("tie after the best")
            << QStringList{"0,7", "0,6", "0,6"} << QStringList{"A", "B", "C"};
        QTest::newRow("all equal")
            << QStringList{"0,5", "0,5", "0,5"} << QStringList{"A", "B", "C"};
        QTest::newRow("ascending") << QStringList{"0,1", "0,2", "0,3", "0,4", "0,5"}
                                   << QStringList{"E", "D", "C", "B", "A"};
        QTest::newRow("one row") << QStringList{"0,5"} << QStringList{"A"};
        QTest::newRow("keys compare as numbers")
            << QStringList{"0,95", "1", "0,1"} << QStringList{"B", "A", "C"};
    }

    void sortByCriterion() {
        QFETCH(QStringList, keys);
        QFETCH(QStringList, order);
        QStringList names;
        for (int r = 0; r < keys.size(); ++r)
            names << QString(QChar('A' + r));
        TNormalizedMatrix matrix = MakeRankedMatrix(names, keys);
        SortByCriterion(matrix);
        QCOMPARE(NamesOf(matrix), order);
    }

    void waldRanking() {
        TNormalizedMatrix internal, external, game;
        MakeInputs({"A", "B"}, {"0,8", "0,6"}, {{"0,5", "0,9"}}, internal, external, game);
        const TSearchResult result = RankVariants(internal, external, game);

        QCOMPARE(result.Kind, TResultKind::Wald);
        QCOMPARE(QString::fromStdString(result.CriterionHeading), QString(WaldHeading));
        QCOMPARE(PlaceNames(result), (QStringList{"B", "A", "", "", ""}));
        QCOMPARE(PlaceTexts(result), (QStringList{"0,6", "0,5", "", "", ""}));
        // The game matrix is held in ranked order, the inputs in candidate order.
        QCOMPARE(NamesOf(game), (QStringList{"B", "A"}));
        QCOMPARE(ColumnTexts(game, 0), (QStringList{"0,6", "0,5"}));
        QCOMPARE(ColumnTexts(game, -1), (QStringList{"0,6", "0,5"}));
        QCOMPARE(QString::fromStdString(game.AggregateHeading), QString(WaldHeading));
        QCOMPARE(NamesOf(internal), (QStringList{"A", "B"}));
        QCOMPARE(result.InternalHeadings, std::vector<std::string>{InternalCriterionHeadings[0]});
        QCOMPARE(result.ExternalHeadings, std::vector<std::string>{ExternalFactorHeadings[0]});
    }

    void waldIsTheWorstCell() {
        TNormalizedMatrix internal, external, game;
        MakeInputs({"A", "B", "C"}, {"0,7", "0,9", "0,4"},
                   {{"0,9", "0,8", "1"}, {"0,75", "0,5", "0,95"}, {"1", "0,95", "0,9"}}, internal,
                   external, game);
        const TSearchResult result = RankVariants(internal, external, game);
        // A: every factor above its Laplace value, so Wald = Laplace.
        QCOMPARE(PlaceNames(result), (QStringList{"A", "B", "C", "", ""}));
        QCOMPARE(PlaceTexts(result), (QStringList{"0,7", "0,5", "0,4", "", ""}));
        QCOMPARE(ColumnTexts(game, 1), (QStringList{"0,7", "0,5", "0,4"}));
    }

    void laplaceRanking() {
        TNormalizedMatrix internal, external, game;
        MakeInputs({"A", "B", "C"}, {"0,6", "0,6", "0,7"}, {}, internal, external, game);
        const TSearchResult result = RankVariants(internal, external, game);
        QCOMPARE(result.Kind, TResultKind::Laplace);
        QCOMPARE(QString::fromStdString(result.CriterionHeading), QString(LaplaceHeading));
        QCOMPARE(PlaceNames(result), (QStringList{"C", "B", "A", "", ""}));
        QCOMPARE(PlaceTexts(result), (QStringList{"0,7", "0,6", "0,6", "", ""}));
        QVERIFY(result.ExternalHeadings.empty());
        QCOMPARE(result.InternalHeadings.size(), std::size_t(1));
        QCOMPARE(NamesOf(internal), (QStringList{"C", "B", "A"}));
        QVERIFY(game.Columns.empty());
        QVERIFY(game.Rows[0].Cells.empty());
    }

    void counts_data() {
        QTest::addColumn<int>("admissible");
        QTest::addColumn<int>("rejected");
        QTest::addColumn<int>("filled");
        QTest::newRow("seven") << 7 << 14 << 5;
        QTest::newRow("three") << 3 << 18 << 3;
        QTest::newRow("all") << 21 << 0 << 5;
    }

    void counts() {
        QFETCH(int, admissible);
        QFETCH(int, rejected);
        QFETCH(int, filled);
        QStringList names, keys, factor;
        for (int r = 0; r < admissible; ++r) {
            names << QString("V%1").arg(r);
            keys << QString("0,%1").arg(r + 10);
            factor << "1";
        }
        TNormalizedMatrix internal, external, game;
        MakeInputs(names, keys, {factor}, internal, external, game);
        const TSearchResult result = RankVariants(internal, external, game);
        QCOMPARE(result.AdmissibleCount, admissible);
        QCOMPARE(result.RejectedCount, rejected);
        for (int p = 0; p < 5; ++p) {
            const TRankedVariant& place = result.Ranked[p];
            QCOMPARE(place.Place, p + 1);
            QCOMPARE(place.Name.empty(), p >= filled);
            QCOMPARE(place.ProcessComposition.empty(), p >= filled);
            QCOMPARE(place.CriterionText.empty(), p >= filled);
        }
    }

    void singleResult() {
        const TSearchResult result = MakeSingleResult(MakeVariant("Единственный"));
        QCOMPARE(result.Kind, TResultKind::Single);
        QCOMPARE(result.AdmissibleCount, 1);
        QCOMPARE(result.RejectedCount, 20);
        QCOMPARE(QString::fromStdString(result.CriterionHeading), QString(NoCriterionHeading));
        QCOMPARE(PlaceNames(result), (QStringList{"Единственный", "", "", "", ""}));
        QCOMPARE(result.Ranked[0].ProcessComposition, std::string("Состав Единственный"));
        QCOMPARE(PlaceTexts(result), (QStringList{"", "", "", "", ""}));
        for (int p = 0; p < 5; ++p)
            QCOMPARE(result.Ranked[p].Place, p + 1);
        QVERIFY(result.InternalHeadings.empty());
        QVERIFY(result.ExternalHeadings.empty());
    }

    // From candidate texts to places, with no internal criterion left: the
    // external factors alone rank, and with none of them all variants tie
    // and keep catalogue order.
    void noInternalCriterion_data() {
        QTest::addColumn<bool>("withFactor");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("external factor ranks")
            << true << QStringList{"C", "B", "A"} << QStringList{"1", "0,75", "0,5"};
        QTest::newRow("nothing ranks")
            << false << QStringList{"A", "B", "C"} << QStringList{"1", "1", "1"};
    }

    void noInternalCriterion() {
        QFETCH(bool, withFactor);
        QFETCH(QStringList, order);
        QFETCH(QStringList, texts);
        TCandidateSet set;
        set.Variants = {MakeVariant("A"), MakeVariant("B"), MakeVariant("C")};
        set.Variants[0].ExternalValues[2] = "10";
        set.Variants[1].ExternalValues[2] = "5,5";
        set.Variants[2].ExternalValues[2] = "1";
        set.ActiveExternal[2] = withFactor;
        TNormalizedMatrix internal, external, game;
        BuildNormalizedMatrices(set, internal, external, game);
        const TSearchResult result = RankVariants(internal, external, game);
        QCOMPARE(result.Kind, withFactor ? TResultKind::Wald : TResultKind::Laplace);
        QCOMPARE(PlaceNames(result).mid(0, 3), order);
        QCOMPARE(PlaceTexts(result).mid(0, 3), texts);
        QVERIFY(result.InternalHeadings.empty());
    }
};

QTEST_APPLESS_MAIN(TestRanking)
#include "tst_ranking.moc"
