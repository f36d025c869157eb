// Whole searches through RunSearch over the bundled catalogue: every outcome,
// and what each kind of ending leaves in the search state.

#include "engine/criterion_headings.h"
#include "search/criteria_selection.h"
#include "search/search.h"
#include "search/search_messages.h"
#include "tests/support/search_fields.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(SearchOutcomeKind)
Q_DECLARE_METATYPE(TResultKind)

namespace {

// fields: slope|volume|thickness|cost|temperature|wear; conditions: fire,
// weighting, power as "1"/"0".
SearchInputs Inputs(int group, const QString& fields, const char* conditions,
                    int subject = NoSubject) {
    SearchInputs in = WindowInputs(group, fields, conditions, subject);
    in.Address = "ул. Садовая, д. 5";
    return in;
}

SearchInputs Selective(const QString& fields, const char* conditions, const char* internal,
                       const char* external) {
    SearchInputs in = Inputs(SelectiveGroup, fields, conditions);
    for (int i = 0; i < 10; ++i)
        in.InternalTicks[i] = internal[i] == '1';
    for (int j = 0; j < 5; ++j)
        in.ExternalTicks[j] = external[j] == '1';
    return in;
}

// The requests a newcomer can try on the bundled catalogue.
const QString WinterFields = "3|200|20|3000|-25|30";
const QString OneVariantFields = "1|1000|15|9999|15|80";
const QString LaplaceFields = "2|500|20|2500|10|45";
const QString WaldFields = "3|300|20|3000|10|45";

// A state as a ranked search leaves it.
SearchState RankedState() {
    SearchState state;
    SearchInputs in = Inputs(FullGroup, WaldFields, "111");
    const SearchOutcome outcome = RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
    if (outcome.Kind != SearchOutcomeKind::Result)
        qFatal("the ranked search did not reach a result");
    return state;
}

QStringList Names(const TSearchResult& result) {
    QStringList names;
    for (const TRankedVariant& place : result.Ranked)
        names << QString::fromStdString(place.Name);
    return names;
}

} // namespace

class RunSearchTest : public QObject {
    Q_OBJECT

private slots:
    void outcomes_data();
    void outcomes();
    void messageBeforeFilterChangesNothing();
    void messagesAfterFilterReplaceOnlyTheCatalogue_data();
    void messagesAfterFilterReplaceOnlyTheCatalogue();
    void singleVariantKeepsTheMatrices();
    void databaseErrorIsReturned();
    void clampedTextsStayRewritten();
};

void RunSearchTest::outcomes_data() {
    QTest::addColumn<SearchInputs>("inputs");
    QTest::addColumn<SearchOutcomeKind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TResultKind>("resultKind");
    QTest::addColumn<int>("admissible");
    QTest::addColumn<int>("internalApplied");
    QTest::addColumn<int>("externalApplied");
    const QString none = QString::fromUtf8(NoVariantMessage);
    QTest::newRow("no variant at -25 °C")
        << Inputs(FullGroup, WinterFields, "111") << SearchOutcomeKind::Message << none
        << TResultKind::Single << 0 << 0 << 0;
    QTest::newRow("one variant: worn roof at a 1 % slope")
        << Inputs(FullGroup, OneVariantFields, "111") << SearchOutcomeKind::Result << QString()
        << TResultKind::Single << 1 << 10 << 5;
    QTest::newRow("one variant, owner's criteria")
        << Inputs(SpecialGroup, OneVariantFields, "111", BuildingOwner) << SearchOutcomeKind::Result
        << QString() << TResultKind::Single << 1 << 7 << 2;
    QTest::newRow("Laplace: selective, internal criteria only")
        << Selective(LaplaceFields, "111", "1101000100", "00000") << SearchOutcomeKind::Result
        << QString() << TResultKind::Laplace << 10 << 4 << 0;
    QTest::newRow("Wald: full search")
        << Inputs(FullGroup, WaldFields, "111") << SearchOutcomeKind::Result << QString()
        << TResultKind::Wald << 10 << 10 << 5;
    QTest::newRow("Wald: contractor")
        << Inputs(SpecialGroup, WaldFields, "111", Contractor) << SearchOutcomeKind::Result
        << QString() << TResultKind::Wald << 10 << 4 << 2;
    QTest::newRow("Wald: designer without open fire")
        << Inputs(SpecialGroup, WaldFields, "011", Designer) << SearchOutcomeKind::Result
        << QString() << TResultKind::Wald << 5 << -1 << -1;
}

void RunSearchTest::outcomes() {
    QFETCH(SearchInputs, inputs);
    QFETCH(SearchOutcomeKind, kind);
    QFETCH(QString, text);
    QFETCH(TResultKind, resultKind);
    QFETCH(int, admissible);
    QFETCH(int, internalApplied);
    QFETCH(int, externalApplied);
    SearchState state;
    const SearchOutcome outcome = RunSearch(inputs, ZIRS_BUILT_CATALOGUE, state);
    QCOMPARE(outcome.Kind, kind);
    QCOMPARE(outcome.Text, text);
    QVERIFY(state.CatalogueRan);
    QCOMPARE(int(state.Catalogue.Variants.size()), admissible);
    if (kind != SearchOutcomeKind::Result) {
        QVERIFY(!state.Result);
        return;
    }
    QVERIFY(state.Result);
    const TSearchResult& result = *state.Result;
    QCOMPARE(result.Kind, resultKind);
    QCOMPARE(result.AdmissibleCount, admissible);
    QCOMPARE(result.RejectedCount, 21 - admissible);
    QCOMPARE(state.EngineRan, resultKind != TResultKind::Single);
    for (int place = 0; place < 5; ++place) {
        QCOMPARE(result.Ranked[place].Name.empty(), place >= admissible);
        QCOMPARE(result.Ranked[place].CriterionText.empty(),
                 place >= admissible || resultKind == TResultKind::Single);
    }
    if (internalApplied >= 0)
        QCOMPARE(int(state.AppliedInternalHeadings.size()), internalApplied);
    if (externalApplied >= 0)
        QCOMPARE(int(state.AppliedExternalHeadings.size()), externalApplied);
    if (resultKind != TResultKind::Single) {
        QCOMPARE(state.AppliedInternalHeadings, result.InternalHeadings);
        QCOMPARE(state.AppliedExternalHeadings, result.ExternalHeadings);
        QCOMPARE(int(state.Internal.Rows.size()), admissible);
    }
}

void RunSearchTest::messageBeforeFilterChangesNothing() {
    const SearchState before = RankedState();
    for (SearchInputs in :
         {Inputs(NoGroup, WaldFields, "111"), Inputs(SpecialGroup, WaldFields, "111"),
          Inputs(FullGroup, "3||20|2000|10|45", "111")}) {
        SearchState state = before;
        const SearchOutcome outcome = RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
        QCOMPARE(outcome.Kind, SearchOutcomeKind::Message);
        QCOMPARE(state.Catalogue.Variants.size(), before.Catalogue.Variants.size());
        QCOMPARE(state.Catalogue.ActiveInternal, before.Catalogue.ActiveInternal);
        QCOMPARE(Names(*state.Result), Names(*before.Result));
    }
}

void RunSearchTest::messagesAfterFilterReplaceOnlyTheCatalogue_data() {
    QTest::addColumn<SearchInputs>("inputs");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("admissible");
    QTest::addColumn<bool>("internalActive"); // any internal criterion left active
    QTest::newRow("no variant") << Inputs(FullGroup, WinterFields, "111")
                                << QString::fromUtf8(NoVariantMessage) << 0 << true;
    QTest::newRow("selective, external factors only")
        << Selective(WaldFields, "111", "0000000000", "11111")
        << QString::fromUtf8(NoInternalCriterionMessage) << 10 << false;
    QTest::newRow("selective, nothing ticked, one variant")
        << Selective(OneVariantFields, "111", "0000000000", "00000")
        << QString::fromUtf8(NoInternalCriterionMessage) << 1 << false;
    // The empty result is reported before the missing internal criterion.
    QTest::newRow("selective, nothing ticked, no variant")
        << Selective(WinterFields, "111", "0000000000", "00000")
        << QString::fromUtf8(NoVariantMessage) << 0 << true;
}

void RunSearchTest::messagesAfterFilterReplaceOnlyTheCatalogue() {
    QFETCH(SearchInputs, inputs);
    QFETCH(QString, message);
    QFETCH(int, admissible);
    QFETCH(bool, internalActive);
    const SearchState before = RankedState();
    SearchState state = before;
    const SearchOutcome outcome = RunSearch(inputs, ZIRS_BUILT_CATALOGUE, state);
    QCOMPARE(outcome.Kind, SearchOutcomeKind::Message);
    QCOMPARE(outcome.Text, message);
    QVERIFY(state.CatalogueRan);
    QCOMPARE(int(state.Catalogue.Variants.size()), admissible);
    const auto& active = state.Catalogue.ActiveInternal;
    QCOMPARE(std::any_of(active.begin(), active.end(), [](bool a) { return a; }), internalActive);
    QCOMPARE(Names(*state.Result), Names(*before.Result));
    QCOMPARE(state.AppliedInternalHeadings, before.AppliedInternalHeadings);
    QCOMPARE(state.Internal.Rows.size(), before.Internal.Rows.size());
}

void RunSearchTest::singleVariantKeepsTheMatrices() {
    SearchState state = RankedState();
    const std::size_t rankedRows = state.Game.Rows.size();
    const std::string firstRow = state.Game.Rows.front().Name;
    SearchInputs in = Inputs(SpecialGroup, OneVariantFields, "111", Contractor);
    const SearchOutcome outcome = RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
    QCOMPARE(outcome.Kind, SearchOutcomeKind::Result);
    QCOMPARE(state.Result->Kind, TResultKind::Single);
    QCOMPARE(state.Result->Ranked[0].Name, state.Catalogue.Variants.front().Name);
    QCOMPARE(state.Result->CriterionHeading, std::string(NoCriterionHeading));
    QCOMPARE(state.Game.Rows.size(), rankedRows);
    QCOMPARE(state.Game.Rows.front().Name, firstRow);
    // The report lists the criteria this search selected, not the last ranked search's.
    const std::vector<std::string> internal = {
        InternalCriterionHeadings[3], InternalCriterionHeadings[6], InternalCriterionHeadings[7],
        InternalCriterionHeadings[8]};
    const std::vector<std::string> external = {ExternalFactorHeadings[2],
                                               ExternalFactorHeadings[4]};
    QCOMPARE(state.AppliedInternalHeadings, internal);
    QCOMPARE(state.AppliedExternalHeadings, external);
}

void RunSearchTest::databaseErrorIsReturned() {
    SearchState state = RankedState();
    const QStringList before = Names(*state.Result);
    QTemporaryDir dir;
    const QString missing = dir.filePath("database.mdb");
    SearchInputs in = Inputs(FullGroup, WaldFields, "111");
    const SearchOutcome outcome = RunSearch(in, missing, state);
    QCOMPARE(outcome.Kind, SearchOutcomeKind::DatabaseError);
    QVERIFY(outcome.Text.contains(missing));
    QVERIFY(!QFile::exists(missing));
    // The old filter result was closed before the query; nothing else moves.
    QVERIFY(!state.CatalogueRan);
    QVERIFY(state.Catalogue.Variants.empty());
    QCOMPARE(Names(*state.Result), before);
    QVERIFY(state.EngineRan);
}

void RunSearchTest::clampedTextsStayRewritten() {
    SearchState state;
    SearchInputs in = Inputs(FullGroup, "150|-5|0|-1|-30|120", "111");
    RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
    QCOMPARE(in.SlopeText, QString("100"));
    QCOMPARE(in.RepairVolumeText, QString("0"));
    QCOMPARE(in.RoofThicknessText, QString("1"));
    QCOMPARE(in.MaxCostText, QString("0"));
    QCOMPARE(in.AirTemperatureText, QString("-25"));
    QCOMPARE(in.WearText, QString("100"));

    SearchInputs stopped = Inputs(FullGroup, "150||0|0|0|0", "111");
    const SearchOutcome outcome = RunSearch(stopped, ZIRS_BUILT_CATALOGUE, state);
    QCOMPARE(outcome.Text, QString::fromUtf8(WorkConditionsMessage));
    QCOMPARE(stopped.SlopeText, QString("100"));
    QCOMPARE(stopped.RoofThicknessText, QString("0"));
}

QTEST_GUILESS_MAIN(RunSearchTest)
#include "tst_run_search.moc"
