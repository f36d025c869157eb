// The criteria group and subject rules, the presets, the selection of the
// active criteria, the removal of constant criteria and the two tables of
// admissible variants.

#include "search/admissible_tables.h"
#include "search/criteria_selection.h"
#include "search/search_messages.h"

#include <QtTest>

namespace {

using InternalFlags = std::array<bool, InternalCriterionCount>;
using ExternalFlags = std::array<bool, ExternalFactorCount>;

// "1010000000" → flags; easier to read in a table than ten booleans.
template <std::size_t N> std::array<bool, N> Flags(const char* bits) {
    std::array<bool, N> flags{};
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = bits[i] == '1';
    return flags;
}

template <std::size_t N> QString Bits(const std::array<bool, N>& flags) {
    QString bits;
    for (bool f : flags)
        bits += f ? u'1' : u'0';
    return bits;
}

TTechnologyVariant Variant(const char* name, const std::array<std::string, 10>& internal,
                           const std::array<std::string, 5>& external) {
    TTechnologyVariant v;
    v.Name = name;
    v.ProcessComposition = std::string("Состав ") + name;
    v.InternalValues = internal;
    v.ExternalValues = external;
    return v;
}

TSearchRequest Request(int group, const char* internal, const char* external) {
    TSearchRequest request;
    request.CriteriaGroup = group;
    request.InternalCriteria = Flags<10>(internal);
    request.ExternalFactors = Flags<5>(external);
    return request;
}

} // namespace

class CriteriaSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void presets_data();
    void presets();
    void groupAndSubjectRules();
    void selectActiveCriteria_data();
    void selectActiveCriteria();
    void dropConstantCriteria_data();
    void dropConstantCriteria();
    void admissibleTables();
};

void CriteriaSelectionTest::presets_data() {
    QTest::addColumn<int>("subject");
    QTest::addColumn<QString>("internal");
    QTest::addColumn<QString>("external");
    QTest::newRow("owner") << int(BuildingOwner) << "1001011111"
                           << "00101";
    QTest::newRow("contractor") << int(Contractor) << "0001001110"
                                << "00101";
    QTest::newRow("designer") << int(Designer) << "1111111100"
                              << "11111";
}

void CriteriaSelectionTest::presets() {
    QFETCH(int, subject);
    QFETCH(QString, internal);
    QFETCH(QString, external);
    TCriteriaWindowState window;
    ApplyCriteriaGroup(SpecialGroup, window);
    window.InternalTicks.fill(true); // the preset replaces every tick
    ApplySubjectPreset(subject, window);
    QCOMPARE(Bits(window.InternalTicks), internal);
    QCOMPARE(Bits(window.ExternalTicks), external);
    QCOMPARE(window.Subject, subject);
    QVERIFY(!window.CheckGroupsEnabled);
    QVERIFY(window.SubjectListEnabled);
}

void CriteriaSelectionTest::groupAndSubjectRules() {
    TCriteriaWindowState window;
    ApplyCriteriaGroup(FullGroup, window);
    QCOMPARE(Bits(window.InternalTicks), QString("1111111111"));
    QCOMPARE(Bits(window.ExternalTicks), QString("11111"));
    QVERIFY(!window.CheckGroupsEnabled);
    QVERIFY(!window.SubjectListEnabled);

    // Selective after full clears every tick and opens the groups.
    ApplyCriteriaGroup(SelectiveGroup, window);
    QCOMPARE(Bits(window.InternalTicks), QString("0000000000"));
    QCOMPARE(Bits(window.ExternalTicks), QString("00000"));
    QVERIFY(window.CheckGroupsEnabled);
    QVERIFY(!window.SubjectListEnabled);

    // Special after a chosen subject: the list is emptied without a preset.
    ApplyCriteriaGroup(SpecialGroup, window);
    ApplySubjectPreset(Designer, window);
    ApplyCriteriaGroup(SpecialGroup, window);
    QCOMPARE(window.Subject, int(NoSubject));
    QCOMPARE(Bits(window.InternalTicks), QString("0000000000"));
    QVERIFY(window.SubjectListEnabled);
    QVERIFY(!window.CheckGroupsEnabled);

    // Full after selective ticks all fifteen and closes the groups again.
    ApplyCriteriaGroup(SelectiveGroup, window);
    window.InternalTicks[4] = true;
    ApplyCriteriaGroup(FullGroup, window);
    QCOMPARE(Bits(window.InternalTicks), QString("1111111111"));
    QCOMPARE(Bits(window.ExternalTicks), QString("11111"));
    QVERIFY(!window.CheckGroupsEnabled);
    QCOMPARE(window.Subject, int(NoSubject));
}

void CriteriaSelectionTest::selectActiveCriteria_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("ticksInternal");
    QTest::addColumn<QString>("ticksExternal");
    QTest::addColumn<QString>("activeInternal");
    QTest::addColumn<QString>("activeExternal");
    QTest::addColumn<bool>("message");
    QTest::newRow("full ignores the ticks") << int(FullGroup) << "0000000000"
                                            << "00000"
                                            << "1111111111"
                                            << "11111" << false;
    QTest::newRow("special as contractor") << int(SpecialGroup) << "0001001110"
                                           << "00101"
                                           << "0001001110"
                                           << "00101" << false;
    QTest::newRow("selective, internal only") << int(SelectiveGroup) << "1100000000"
                                              << "00000"
                                              << "1100000000"
                                              << "00000" << false;
    QTest::newRow("selective, both") << int(SelectiveGroup) << "0000000001"
                                     << "10001"
                                     << "0000000001"
                                     << "10001" << false;
    QTest::newRow("selective, external only") << int(SelectiveGroup) << "0000000000"
                                              << "11111"
                                              << "0000000000"
                                              << "11111" << true;
    QTest::newRow("selective, nothing") << int(SelectiveGroup) << "0000000000"
                                        << "00000"
                                        << "0000000000"
                                        << "11111" << true;
}

void CriteriaSelectionTest::selectActiveCriteria() {
    QFETCH(int, group);
    QFETCH(QString, ticksInternal);
    QFETCH(QString, ticksExternal);
    QFETCH(QString, activeInternal);
    QFETCH(QString, activeExternal);
    QFETCH(bool, message);
    TCandidateSet candidates;
    candidates.ActiveInternal.fill(false); // left over from an earlier search
    ActivateAllCriteria(candidates);
    const auto shown = SelectActiveCriteria(
        Request(group, qPrintable(ticksInternal), qPrintable(ticksExternal)), candidates);
    QCOMPARE(shown.has_value(), message);
    if (message)
        QCOMPARE(*shown, QString::fromUtf8(NoInternalCriterionMessage));
    QCOMPARE(Bits(candidates.ActiveInternal), activeInternal);
    QCOMPARE(Bits(candidates.ActiveExternal), activeExternal);
}

void CriteriaSelectionTest::dropConstantCriteria_data() {
    // Three variants; per criterion the values of A, B and C.
    QTest::addColumn<QStringList>("internalA");
    QTest::addColumn<QStringList>("internalB");
    QTest::addColumn<QStringList>("internalC");
    QTest::addColumn<QString>("activeBefore");
    QTest::addColumn<QString>("activeAfter");
    const QStringList base = {"350", "0,45", "5", "5", "5", "5", "5", "5", "5", "0,3"};
    auto with = [&](int index, const QString& value) {
        QStringList values = base;
        values[index] = value;
        return values;
    };
    QTest::newRow("all equal everywhere") << base << base << base << "1111111111"
                                          << "0000000000";
    QTest::newRow("one differs in one variant") << base << with(3, "6") << base << "1111111111"
                                                << "0001000000";
    QTest::newRow("kopecks tell apart") << base << with(0, "350,5") << base << "1111111111"
                                        << "1000000000";
    QTest::newRow("equal values written differently")
        << base << with(1, "0,450") << base << "1111111111"
        << "0000000000";
    QTest::newRow("inactive stays inactive") << with(2, "1") << with(2, "9") << base << "1101111111"
                                             << "0000000000";
    QTest::newRow("empty cell ignored, rest equal") << with(7, "") << base << base << "1111111111"
                                                    << "0000000000";
    QTest::newRow("empty cell ignored, rest differ")
        << with(7, "") << with(7, "8") << base << "1111111111"
        << "0000000100";
    QTest::newRow("no value at all") << with(8, "") << with(8, "") << with(8, "") << "0000000010"
                                     << "0000000000";
    // An earlier criterion's value must not stand in for an empty cell: a
    // carried-over 5 in B and C would make criterion 6 look non-constant.
    QTest::newRow("no carry-over from earlier criteria")
        << with(6, "7") << with(6, "") << with(6, "") << "1111111111"
        << "0000000000";
}

void CriteriaSelectionTest::dropConstantCriteria() {
    QFETCH(QStringList, internalA);
    QFETCH(QStringList, internalB);
    QFETCH(QStringList, internalC);
    QFETCH(QString, activeBefore);
    QFETCH(QString, activeAfter);
    auto values = [](const QStringList& list) {
        std::array<std::string, 10> out;
        for (int i = 0; i < 10; ++i)
            out[i] = list[i].toStdString();
        return out;
    };
    TCandidateSet candidates;
    candidates.Variants = {Variant("A", values(internalA), {"5", "1", "7", "3", ""}),
                           Variant("B", values(internalB), {"5", "9", "7", "", ""}),
                           Variant("C", values(internalC), {"5", "1", "7", "4", ""})};
    candidates.ActiveInternal = Flags<10>(qPrintable(activeBefore));
    candidates.ActiveExternal.fill(true);
    DropConstantCriteria(candidates);
    QCOMPARE(Bits(candidates.ActiveInternal), activeAfter);
    QCOMPARE(Bits(candidates.ActiveExternal), QString("01010"));
}

void CriteriaSelectionTest::admissibleTables() {
    TCandidateSet candidates;
    candidates.Variants = {Variant("Первый",
                                   {"350,5", "0,45", "1", "2", "3", "4", "5", "6", "7", "0,3"},
                                   {"1", "2", "3", "4", "5"}),
                           Variant("Второй", {"1200", "1", "", "2", "3", "4", "5", "6", "7", "0,8"},
                                   {"9", "8", "7", "6", ""})};
    candidates.ActiveInternal = Flags<10>("1011111110");
    candidates.ActiveExternal = Flags<5>("00101");

    const TAdmissibleTable internal = InternalAdmissibleTable(candidates);
    QCOMPARE(internal.Cells.size(), std::size_t(3));
    QCOMPARE(internal.Cells[0].size(), std::size_t(13));
    QCOMPARE(internal.Cells[0][0], std::string());
    QCOMPARE(internal.Cells[0][1], std::string("Варианты технологии"));
    QCOMPARE(internal.Cells[0][2], std::string("Состав процеcса"));
    QCOMPARE(internal.Cells[0][3], std::string("Стоимость ремонта кровли"));
    QCOMPARE(internal.Cells[0][12],
             std::string("Светоотражающая способность отремонтированной кровли"));
    QCOMPARE(internal.Cells[1][1], std::string("Первый"));
    QCOMPARE(internal.Cells[1][2], std::string("Состав Первый"));
    QCOMPARE(internal.Cells[1][3], std::string("350,5"));
    QCOMPARE(internal.Cells[2][5], std::string());
    // A hidden column keeps its index and its texts.
    QCOMPARE(internal.Cells[2][4], std::string("1"));
    const std::vector<bool> hiddenInternal = {false, false, false, false, true,  false, false,
                                              false, false, false, false, false, true};
    QCOMPARE(internal.HiddenColumns, hiddenInternal);

    const TAdmissibleTable external = ExternalAdmissibleTable(candidates);
    QCOMPARE(external.Cells[0].size(), std::size_t(8));
    QCOMPARE(external.Cells[0][3], std::string("Дождливая погода"));
    QCOMPARE(external.Cells[0][4], std::string("Перебои в электроснабжении"));
    QCOMPARE(external.Cells[2][3], std::string("9"));
    QCOMPARE(external.Cells[2][7], std::string());
    const std::vector<bool> hiddenExternal = {false, false, false, true, true, false, true, false};
    QCOMPARE(external.HiddenColumns, hiddenExternal);

    const TAdmissibleTable none = InternalAdmissibleTable(TCandidateSet{});
    QCOMPARE(none.Cells.size(), std::size_t(1)); // the heading row only
}

QTEST_GUILESS_MAIN(CriteriaSelectionTest)
#include "tst_criteria_selection.moc"
