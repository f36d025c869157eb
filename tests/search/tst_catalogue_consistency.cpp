// The consistency rules over catalogue rows: each rule caught on a row that
// breaks it and silent on rows that keep it, and the bundled catalogue clean.

#include "catalogue.h"
#include "catalogue_consistency.h"

#include <QtTest>

namespace {

// A row as the rules see it: process words, three flags (fire, weighting,
// power: 1 = admissible without) and the five risk scores.
TTechnologyVariant Row(const char* name, const char* process, const char* flags,
                       std::array<int, 5> risks) {
    TTechnologyVariant v;
    v.Name = name;
    v.ProcessComposition = process;
    v.NoOpenFire = flags[0] == '1';
    v.NoWeighting = flags[1] == '1';
    v.NoPowerSupply = flags[2] == '1';
    v.InternalValues.fill("5");
    for (std::size_t j = 0; j < 5; ++j)
        v.ExternalValues[j] = std::to_string(risks[j]);
    return v;
}

// Rows that keep every rule; each test row changes one of them.
const TTechnologyVariant TorchOnLayer = Row(
    "Наплавляемый слой", "Огрунтовка; наплавление слоя газовой горелкой.", "001", {5, 1, 4, 3, 3});
const TTechnologyVariant HotMastic =
    Row("Горячая мастика", "Разогрев мастики в котле; нанесение горячей мастики.", "011",
        {6, 1, 4, 3, 4});
const TTechnologyVariant WeldedMembrane =
    Row("Мембрана", "Крепление мембраны; сварка швов горячим воздухом.", "110", {3, 8, 4, 7, 2});
const TTechnologyVariant TearOff =
    Row("Замена", "Снятие изношенного кровельного ковра до основания; наплавление двух слоев.",
        "011", {9, 2, 2, 3, 2});
const TTechnologyVariant TopLayers =
    Row("Замена верхних слоев", "Снятие верхних слоев; приклейка самоклеящегося материала.", "111",
        {7, 1, 3, 7, 3});

std::vector<TTechnologyVariant> Sound() {
    return {TorchOnLayer, HotMastic, WeldedMembrane, TearOff, TopLayers};
}

QStringList Describe(const std::vector<TCatalogueFinding>& findings) {
    QStringList out;
    for (const TCatalogueFinding& f : findings)
        out << QStringLiteral("%1 %2").arg(f.Row).arg(QString::fromStdString(f.Column));
    return out;
}

using Edit = std::function<void(std::vector<TTechnologyVariant>&)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class CatalogueConsistencyTest : public QObject {
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void findingNamesTheRow();
    void bundledCatalogueKeepsEveryRule();
};

void CatalogueConsistencyTest::rules_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("sound rows") << Edit([](auto&) {}) << QStringList();
    QTest::newRow("torch-on admitted where open fire is forbidden")
        << Edit([](auto& rows) { rows[0].NoOpenFire = 1; }) << QStringList{"1 Огнеопасность"};
    QTest::newRow("hot mastic admitted where open fire is forbidden")
        << Edit([](auto& rows) { rows[1].NoOpenFire = 1; }) << QStringList{"2 Огнеопасность"};
    QTest::newRow("hot-air welding without power: flag and its low risk") << Edit([](auto& rows) {
        rows[2].NoPowerSupply = 1;
        rows[2].ExternalValues[1] = "2";
    }) << QStringList{"3 Электроснабжение"};
    QTest::newRow("hot-air welding without power, risk left high")
        << Edit([](auto& rows) { rows[2].NoPowerSupply = 1; })
        << QStringList{"3 Электроснабжение", "3 Потребность в электроснабжении"};
    QTest::newRow("needs power, low outage risk")
        << Edit([](auto& rows) { rows[2].ExternalValues[1] = "4"; })
        << QStringList{"3 Потребность в электроснабжении"};
    QTest::newRow("does without power, high outage risk")
        << Edit([](auto& rows) { rows[3].ExternalValues[1] = "7"; })
        << QStringList{"4 Потребность в электроснабжении"};
    QTest::newRow("tear-off with a low rain risk")
        << Edit([](auto& rows) { rows[3].ExternalValues[0] = "7"; })
        << QStringList{"4 Дождливая погода"};
    QTest::newRow("tear-off named without the base, low rain risk") << Edit([](auto& rows) {
        rows[3].ProcessComposition = "Снятие изношенного кровельного ковра; наплавление.";
        rows[3].ExternalValues[0] = "5";
    }) << QStringList{"4 Дождливая погода"};
    QTest::newRow("tear-off at the high rain risk itself")
        << Edit([](auto& rows) { rows[3].ExternalValues[0] = "8"; }) << QStringList();
    QTest::newRow("one overlay below the shared hidden-defect risk")
        << Edit([](auto& rows) { rows[2].ExternalValues[2] = "2"; })
        << QStringList{"3 Опасность наличия скрытых дефектов"};
    QTest::newRow("tear-offs and partial replacements may score lower") << Edit([](auto& rows) {
        rows[3].ExternalValues[2] = "1";
        rows[4].ExternalValues[2] = "2";
    }) << QStringList();
    QTest::newRow("a missing hidden-defect score on a kept carpet")
        << Edit([](auto& rows) { rows[0].ExternalValues[2] = ""; })
        << QStringList{"1 Опасность наличия скрытых дефектов"};
    // Peeling off a protective film is not taking off the carpet.
    QTest::newRow("self-adhesive layer keeps the carpet") << Edit([](auto& rows) {
        rows.push_back(Row("Самоклеящийся слой", "Снятие защитной пленки и приклейка материала.",
                           "101", {6, 1, 6, 7, 4}));
    }) << QStringList{"6 Опасность наличия скрытых дефектов"};
}

void CatalogueConsistencyTest::rules() {
    QFETCH(Edit, edit);
    QFETCH(QStringList, expected);
    std::vector<TTechnologyVariant> rows = Sound();
    edit(rows);
    QCOMPARE(Describe(CheckCatalogueConsistency(rows)), expected);
}

void CatalogueConsistencyTest::findingNamesTheRow() {
    std::vector<TTechnologyVariant> rows = Sound();
    rows[1].NoOpenFire = 1;
    const auto findings = CheckCatalogueConsistency(rows);
    QCOMPARE(findings.size(), std::size_t(1));
    QCOMPARE(findings[0].Row, 2);
    QCOMPARE(findings[0].Name, HotMastic.Name);
    QVERIFY(QString::fromStdString(findings[0].Text).contains(QStringLiteral("открытым огнем")));
}

void CatalogueConsistencyTest::bundledCatalogueKeepsEveryRule() {
    const TCatalogueOutcome outcome =
        RunCatalogueFilter(QStringLiteral(ZIRS_BUILT_CATALOGUE), WholeCatalogueParameters());
    QVERIFY(std::holds_alternative<std::vector<TTechnologyVariant>>(outcome));
    const auto& variants = std::get<std::vector<TTechnologyVariant>>(outcome);
    QCOMPARE(int(variants.size()), CatalogueSize);
    for (const TCatalogueFinding& f : CheckCatalogueConsistency(variants))
        qWarning("row %d, %s: %s", f.Row, f.Column.c_str(), f.Text.c_str());
    QVERIFY(CheckCatalogueConsistency(variants).empty());
}

QTEST_GUILESS_MAIN(CatalogueConsistencyTest)
#include "tst_catalogue_consistency.moc"
