// The report's parameter set: the criteria text line by line, and the 23
// parameters as the print command assembles them from the results, the
// fields as they stand and the criteria of the search behind the result.

#include "report/report_parameters.h"
#include "search/search.h"
#include "tests/support/locale_guard.h"
#include "tests/support/result_builders.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

const QString Conclusion = QStringLiteral(
    "        Вывод.  Оптимальным для заданных условий с учетом указанной совокупности локальных "
    "критериев является вариант технологии ремонта многослойной кровли, имеющий наибольшее "
    "значение глобального критерия.");

QString Lines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

SearchInputs AllTicked() {
    SearchInputs inputs;
    inputs.OpenFireAllowed = true;
    inputs.WeightingAllowed = true;
    inputs.PowerSupplyAccess = true;
    return inputs;
}

} // namespace

class TestReportParameters : public QObject {
    Q_OBJECT
private slots:
    void criteriaText_data();
    void criteriaText();
    void workConditions_data();
    void workConditions();
    void namesInOrder();
    void rowsByResultSize_data();
    void rowsByResultSize();
    void fieldsAndFixedTexts();
    void fieldsEditedAndLaterFailedSearch();
    void dateIgnoresLocale();
};

void TestReportParameters::criteriaText_data() {
    QTest::addColumn<std::vector<std::string>>("internal");
    QTest::addColumn<std::vector<std::string>>("external");
    QTest::addColumn<bool>("externalTicked");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one criterion, no factor ticked")
        << std::vector<std::string>{"Стоимость ремонта кровли"} << std::vector<std::string>{}
        << false << Lines({"стоимость ремонта кровли.", " ", Conclusion});
    QTest::newRow("several criteria, factors ticked but none kept")
        << std::vector<std::string>{"Стоимость ремонта кровли",
                                    "Загрязняемость атмосферного воздуха при ремонте кровли"}
        << std::vector<std::string>{} << true
        << Lines({"стоимость ремонта кровли;",
                  "загрязняемость атмосферного воздуха при ремонте кровли.", " ",
                  "        б) для учета внешних факторов:", " ", " ", Conclusion});
    QTest::newRow("factors kept")
        << std::vector<std::string>{"Безотказность отремонтированной кровли"}
        << std::vector<std::string>{"Дождливая погода", "Перебои в электроснабжении",
                                    "Опасность нарушения полного водоотвода с отремонтированной "
                                    "кровли"}
        << true
        << Lines({"безотказность отремонтированной кровли.", " ",
                  "        б) для учета внешних факторов:", " ", "дождливая погода;",
                  "перебои в электроснабжении;",
                  "опасность нарушения полного водоотвода с отремонтированной кровли.", " ",
                  Conclusion});
    // A heading kept by an earlier search is still listed only under a tick.
    QTest::newRow("factors kept, no tick now")
        << std::vector<std::string>{"Долговечность отремонтированной кровли"}
        << std::vector<std::string>{"Дождливая погода"} << false
        << Lines({"долговечность отремонтированной кровли.", " ", Conclusion});
    QTest::newRow("no criteria at all") << std::vector<std::string>{} << std::vector<std::string>{}
                                        << false << Lines({" ", Conclusion});
}

void TestReportParameters::criteriaText() {
    QFETCH(std::vector<std::string>, internal);
    QFETCH(std::vector<std::string>, external);
    QFETCH(bool, externalTicked);
    QFETCH(QString, expected);
    SearchInputs inputs = AllTicked();
    inputs.ExternalTicks[3] = externalTicked;
    QCOMPARE(BuildCriteriaText(internal, external, inputs), expected);
}

void TestReportParameters::workConditions_data() {
    QTest::addColumn<bool>("openFire");
    QTest::addColumn<bool>("weighting");
    QTest::addColumn<bool>("power");
    QTest::addColumn<QStringList>("block");

    const QString head =
        QStringLiteral("        4. При выборе допустимых вариантов технологии не учтены:");
    const QString fireEnd = QStringLiteral("возможность применения открытого огня.");
    const QString fireMore = QStringLiteral("возможность применения открытого огня;");
    const QString weightEnd =
        QStringLiteral("возможность утяжеления покрытия ремонтным слоем кровли.");
    const QString weightMore =
        QStringLiteral("возможность утяжеления покрытия ремонтным слоем кровли;");
    const QString power = QStringLiteral("наличие доступа к системе электроснабжения.");

    QTest::newRow("all ticked") << true << true << true << QStringList{};
    QTest::newRow("fire only") << false << true << true << QStringList{head, " ", fireEnd, " "};
    QTest::newRow("weighting only")
        << true << false << true << QStringList{head, " ", weightEnd, " "};
    QTest::newRow("power only") << true << true << false << QStringList{head, " ", power, " "};
    QTest::newRow("fire and weighting")
        << false << false << true << QStringList{head, " ", fireMore, weightEnd, " "};
    QTest::newRow("fire and power")
        << false << true << false << QStringList{head, " ", fireMore, power, " "};
    QTest::newRow("weighting and power")
        << true << false << false << QStringList{head, " ", weightMore, power, " "};
    QTest::newRow("none ticked") << false << false << false
                                 << QStringList{head, " ", fireMore, weightMore, power, " "};
}

void TestReportParameters::workConditions() {
    QFETCH(bool, openFire);
    QFETCH(bool, weighting);
    QFETCH(bool, power);
    QFETCH(QStringList, block);
    SearchInputs inputs;
    inputs.OpenFireAllowed = openFire;
    inputs.WeightingAllowed = weighting;
    inputs.PowerSupplyAccess = power;
    const QStringList expected =
        QStringList{"трудоемкость ремонта кровли.", " "} + block + QStringList{Conclusion};
    QCOMPARE(BuildCriteriaText({"Трудоемкость ремонта кровли"}, {}, inputs), Lines(expected));
}

void TestReportParameters::namesInOrder() {
    const TReportParameters parameters =
        BuildReportParameters(SearchState(), AllTicked(), QStringLiteral("01.02.2024"));
    QStringList names;
    for (const auto& entry : parameters.entries())
        names << entry.first;
    QCOMPARE(names, (QStringList{"1variant",  "2variant",    "3variant",   "4variant",  "1tehn",
                                 "2tehn",     "3tehn",       "4tehn",      "1kriterii", "2kriterii",
                                 "3kriterii", "4kriterii",   "uklon",      "obem",      "tolschina",
                                 "stoimost",  "temperatura", "iznos",      "sovokupkr", "variants",
                                 "adres",     "data",        "vnukriterii"}));
    QCOMPARE(parameters.size(), int(ReportParameterNames().size()));
    QVERIFY(parameters.value(QStringLiteral("nosuchname")).isEmpty());
}

void TestReportParameters::rowsByResultSize_data() {
    QTest::addColumn<int>("admissible");
    QTest::addColumn<bool>("single");
    QTest::addColumn<int>("filledRows");

    QTest::newRow("single variant") << 1 << true << 1;
    QTest::newRow("two ranked") << 2 << false << 2;
    QTest::newRow("three ranked") << 3 << false << 3;
    QTest::newRow("five ranked") << 5 << false << 4;
    QTest::newRow("seven ranked") << 7 << false << 4;
}

void TestReportParameters::rowsByResultSize() {
    QFETCH(int, admissible);
    QFETCH(bool, single);
    QFETCH(int, filledRows);

    SearchState state;
    state.Result = single ? SingleResult() : RankedResult(admissible);
    const TReportParameters parameters =
        BuildReportParameters(state, AllTicked(), QStringLiteral("01.02.2024"));
    for (int row = 1; row <= 4; ++row) {
        const bool filled = row <= filledRows;
        const QString name = parameters.value(QStringLiteral("%1variant").arg(row));
        const QString composition = parameters.value(QStringLiteral("%1tehn").arg(row));
        const QString criterion = parameters.value(QStringLiteral("%1kriterii").arg(row));
        QCOMPARE(name, filled ? QStringLiteral("Вариант %1").arg(row) : QString());
        QCOMPARE(composition, filled ? QStringLiteral("Состав %1").arg(row) : QString());
        QCOMPARE(criterion, filled && !single ? QStringLiteral("0,5%1").arg(row) : QString());
    }
    QCOMPARE(parameters.value("variants"),
             QStringLiteral("Указанным условиям удовлетворяют %1 из 21 известного варианта "
                            "технологии ремонта многослойных")
                 .arg(admissible));
}

void TestReportParameters::fieldsAndFixedTexts() {
    SearchInputs inputs;
    inputs.Address = QStringLiteral("ул. Ленина, 5");
    inputs.CriteriaGroup = SpecialGroup;
    inputs.SlopeText = QStringLiteral("12,5");
    inputs.RepairVolumeText = QStringLiteral("300");
    inputs.RoofThicknessText = QStringLiteral("40");
    inputs.MaxCostText = QStringLiteral("1000");
    inputs.AirTemperatureText = QStringLiteral("-5");
    inputs.WearText = QStringLiteral("60");
    const TReportParameters parameters =
        BuildReportParameters(SearchState(), inputs, QStringLiteral("09.03.2024"));
    QCOMPARE(parameters.value("uklon"), QStringLiteral("12,5"));
    QCOMPARE(parameters.value("obem"), QStringLiteral("300"));
    QCOMPARE(parameters.value("tolschina"), QStringLiteral("40"));
    QCOMPARE(parameters.value("stoimost"), QStringLiteral("1000"));
    QCOMPARE(parameters.value("temperatura"), QStringLiteral("-5"));
    QCOMPARE(parameters.value("iznos"), QStringLiteral("60"));
    QCOMPARE(parameters.value("adres"), QStringLiteral("ул. Ленина, 5"));
    QCOMPARE(
        parameters.value("sovokupkr"),
        QStringLiteral("применена специальная совокупность локальных критериев, в том числе:"));
    QCOMPARE(parameters.value("data"), QStringLiteral("Дата составления отчета: 09.03.2024"));

    inputs.Address.clear();
    for (int group : {FullGroup, SelectiveGroup}) {
        inputs.CriteriaGroup = group;
        const TReportParameters other = BuildReportParameters(SearchState(), inputs, {});
        QVERIFY(other.value("adres").isEmpty());
        QCOMPARE(other.value("sovokupkr"),
                 QStringLiteral("применена %1 совокупность локальных критериев, в том числе:")
                     .arg(group == FullGroup ? "полная" : "выборочная"));
    }
}

// The report reads the fields and ticks as they stand, but the rows, n and the
// criteria of the shown result, even after a later search stopped with a
// message (which changes neither the result nor the applied criteria).
void TestReportParameters::fieldsEditedAndLaterFailedSearch() {
    SearchState state;
    state.Result = RankedResult(3);
    state.AppliedInternalHeadings = {"Стоимость ремонта кровли", "Пожароопасность технологии"};
    state.AppliedExternalHeadings = {"Дождливая погода"};
    state.Catalogue = TCandidateSet{}; // the later search's filter found nothing
    state.CatalogueRan = true;

    SearchInputs edited = AllTicked();
    edited.SlopeText = QStringLiteral("7");
    edited.ExternalTicks[0] = true;
    edited.PowerSupplyAccess = false;
    const TReportParameters parameters =
        BuildReportParameters(state, edited, QStringLiteral("01.02.2024"));
    QCOMPARE(parameters.value("uklon"), QStringLiteral("7"));
    QCOMPARE(parameters.value("1variant"), QStringLiteral("Вариант 1"));
    QCOMPARE(parameters.value("3kriterii"), QStringLiteral("0,53"));
    QVERIFY(parameters.value("4variant").isEmpty());
    QVERIFY(parameters.value("variants").contains(QStringLiteral(" 3 из 21 ")));
    QCOMPARE(parameters.value("vnukriterii"),
             Lines({"стоимость ремонта кровли;", "пожароопасность технологии.", " ",
                    "        б) для учета внешних факторов:", " ", "дождливая погода.", " ",
                    "        4. При выборе допустимых вариантов технологии не учтены:", " ",
                    "наличие доступа к системе электроснабжения.", " ", Conclusion}));
}

void TestReportParameters::dateIgnoresLocale() {
    const LocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(ReportDateText(QDate(2024, 3, 9)), QStringLiteral("09.03.2024"));
}

QTEST_GUILESS_MAIN(TestReportParameters)
#include "tst_report_parameters.moc"
