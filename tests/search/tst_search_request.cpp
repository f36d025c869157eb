// Number formats, validation with its clamping and messages, and the
// binding of a request to the filter's eleven values.

#include "search/filter_parameters.h"
#include "search/number_text.h"
#include "search/search_messages.h"
#include "search/search_request.h"
#include "tests/support/locale_guard.h"
#include "tests/support/search_fields.h"

#include <QLocale>
#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

// A request that passes every check unchanged.
SearchInputs ValidInputs() {
    SearchInputs in;
    in.CriteriaGroup = FullGroup;
    in.SlopeText = "3";
    in.RepairVolumeText = "150";
    in.RoofThicknessText = "20";
    in.MaxCostText = "1500";
    in.AirTemperatureText = "10";
    in.WearText = "40";
    return in;
}

} // namespace

class SearchRequestTest : public QObject {
    Q_OBJECT

private slots:
    void slopeFormat_data();
    void slopeFormat();
    void slopeIgnoresLocale();
    void wholeFormat_data();
    void wholeFormat();
    void checksComeInOrder_data();
    void checksComeInOrder();
    void clamping_data();
    void clamping();
    void hugeNumbersDoNotOverflow();
    void bindsTheElevenValues_data();
    void bindsTheElevenValues();
};

void SearchRequestTest::slopeFormat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");
    const std::optional<double> none;
    QTest::newRow("whole") << "5" << std::optional<double>(5.0);
    QTest::newRow("fraction") << "2,5" << std::optional<double>(2.5);
    QTest::newRow("leading comma") << ",5" << std::optional<double>(0.5);
    QTest::newRow("trailing comma") << "5," << std::optional<double>(5.0);
    QTest::newRow("lone comma") << "," << std::optional<double>(0.0);
    QTest::newRow("minus comma") << "-," << std::optional<double>(0.0);
    QTest::newRow("negative") << "-1,5" << std::optional<double>(-1.5);
    QTest::newRow("leading zeros") << "0050" << std::optional<double>(50.0);
    QTest::newRow("empty") << "" << none;
    QTest::newRow("lone minus") << "-" << none;
    QTest::newRow("minus after digit") << "1-2" << none;
    QTest::newRow("two commas") << "1,2,3" << none;
    QTest::newRow("full stop") << "2.5" << none;
    QTest::newRow("blank") << " 5" << none;
    QTest::newRow("plus") << "+5" << none;
    QTest::newRow("exponent") << "1E2" << none;
    QTest::newRow("400 digits") << QString(400, u'9') << std::optional<double>(HUGE_VAL);
    QTest::newRow("400 digits negative")
        << "-" + QString(400, u'9') << std::optional<double>(-HUGE_VAL);
    QTest::newRow("tiny fraction") << "," + QString(400, u'0') + "1" << std::optional<double>(0.0);
}

void SearchRequestTest::slopeFormat() {
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);
    QCOMPARE(ReadSlopeText(text), value);
}

void SearchRequestTest::slopeIgnoresLocale() {
    // The comma is the separator whatever the machine's settings say.
    const LocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(ReadSlopeText("2,5"), std::optional<double>(2.5));
    QVERIFY(!ReadSlopeText("2.5"));
}

void SearchRequestTest::wholeFormat_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("digits") << "150" << true << 150.0;
    QTest::newRow("leading zeros") << "0050" << true << 50.0;
    QTest::newRow("negative") << "-30" << true << -30.0;
    QTest::newRow("minus zero") << "-0" << true << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("lone minus") << "-" << false << 0.0;
    QTest::newRow("minus after digit") << "1-2" << false << 0.0;
    QTest::newRow("comma") << "1,5" << false << 0.0;
    QTest::newRow("plus") << "+5" << false << 0.0;
    QTest::newRow("hex") << "$1F" << false << 0.0;
    QTest::newRow("20 digits") << "99999999999999999999" << true << 1e20;
}

void SearchRequestTest::wholeFormat() {
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const auto read = ReadWholeText(text);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(static_cast<double>(*read), value);
}

void SearchRequestTest::checksComeInOrder_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("subject");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QString>("message"); // empty: passes
    const QString bad = "||||-|1-2";
    const QString good = "3|150|20|1500|10|40";
    QTest::newRow("no group, all empty")
        << int(NoGroup) << int(NoSubject) << bad << QString::fromUtf8(NoCriteriaGroupMessage);
    QTest::newRow("no group, subject chosen")
        << int(NoGroup) << int(Designer) << good << QString::fromUtf8(NoCriteriaGroupMessage);
    QTest::newRow("special without subject, bad fields")
        << int(SpecialGroup) << int(NoSubject) << bad << QString::fromUtf8(NoSubjectMessage);
    QTest::newRow("group beyond the list")
        << 3 << int(NoSubject) << good << QString::fromUtf8(NoCriteriaGroupMessage);
    QTest::newRow("special, subject beyond the list")
        << int(SpecialGroup) << 3 << good << QString::fromUtf8(NoSubjectMessage);
    QTest::newRow("special with subject")
        << int(SpecialGroup) << int(Contractor) << good << QString();
    QTest::newRow("full without subject") << int(FullGroup) << int(NoSubject) << good << QString();
    QTest::newRow("selective without subject")
        << int(SelectiveGroup) << int(NoSubject) << good << QString();
    QTest::newRow("empty slope") << int(FullGroup) << int(NoSubject) << "|150|20|1500|10|40"
                                 << QString::fromUtf8(WorkConditionsMessage);
    QTest::newRow("lone minus temperature")
        << int(FullGroup) << int(NoSubject) << "3|150|20|1500|-|40"
        << QString::fromUtf8(WorkConditionsMessage);
    QTest::newRow("1-2 slope") << int(FullGroup) << int(NoSubject) << "1-2|150|20|1500|10|40"
                               << QString::fromUtf8(WorkConditionsMessage);
    QTest::newRow("empty wear") << int(FullGroup) << int(NoSubject) << "3|150|20|1500|10|"
                                << QString::fromUtf8(WorkConditionsMessage);
}

void SearchRequestTest::checksComeInOrder() {
    QFETCH(int, group);
    QFETCH(int, subject);
    QFETCH(QString, fields);
    QFETCH(QString, message);
    SearchInputs in = ValidInputs();
    in.CriteriaGroup = group;
    in.Subject = subject;
    SetFields(in, fields);
    const auto outcome = ValidateSearchRequest(in);
    if (message.isEmpty()) {
        QVERIFY(std::holds_alternative<TSearchRequest>(outcome));
        QCOMPARE(std::get<TSearchRequest>(outcome).Subject, subject);
    } else {
        QVERIFY(std::holds_alternative<TRequestMessage>(outcome));
        QCOMPARE(std::get<TRequestMessage>(outcome).Text, message);
    }
}

void SearchRequestTest::clamping_data() {
    // Fields: slope|volume|thickness|cost|temperature|wear, before and after.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("passes");
    QTest::newRow("as typed, zeros kept") << "0050|0050|020|0|10|40"
                                          << "0050|0050|020|0|10|40" << true;
    QTest::newRow("slope -5") << "-5|1|1|0|0|0"
                              << "-2|1|1|0|0|0" << true;
    QTest::newRow("slope -2,5") << "-2,5|1|1|0|0|0"
                                << "-2|1|1|0|0|0" << true;
    QTest::newRow("slope -2 and 100 exact") << "-2|1|1|0|0|0"
                                            << "-2|1|1|0|0|0" << true;
    QTest::newRow("slope 100,0 stays") << "100,0|1|1|0|0|0"
                                       << "100,0|1|1|0|0|0" << true;
    QTest::newRow("slope 150") << "150|1|1|0|0|0"
                               << "100|1|1|0|0|0" << true;
    QTest::newRow("slope 400 digits") << QString(400, u'9') + "|1|1|0|0|0"
                                      << "100|1|1|0|0|0" << true;
    QTest::newRow("volume 99999999999") << "1|99999999999|1|0|0|0"
                                        << "1|40000|1|0|0|0" << true;
    QTest::newRow("volume -1") << "1|-1|1|0|0|0"
                               << "1|0|1|0|0|0" << true;
    QTest::newRow("thickness 0") << "1|1|0|0|0|0"
                                 << "1|1|1|0|0|0" << true;
    QTest::newRow("thickness 150") << "1|1|150|0|0|0"
                                   << "1|1|100|0|0|0" << true;
    QTest::newRow("cost -10") << "1|1|1|-10|0|0"
                              << "1|1|1|0|0|0" << true;
    QTest::newRow("cost 20 digits stays") << "1|1|1|99999999999999999999|0|0"
                                          << "1|1|1|99999999999999999999|0|0" << true;
    QTest::newRow("temperature -30") << "1|1|1|0|-30|0"
                                     << "1|1|1|0|-25|0" << true;
    QTest::newRow("temperature 50") << "1|1|1|0|50|0"
                                    << "1|1|1|0|45|0" << true;
    QTest::newRow("wear -3") << "1|1|1|0|0|-3"
                             << "1|1|1|0|0|0" << true;
    QTest::newRow("wear 120") << "1|1|1|0|0|120"
                              << "1|1|1|0|0|100" << true;
    QTest::newRow("slope kept before empty volume") << "150||1|0|0|0"
                                                    << "100||1|0|0|0" << false;
    QTest::newRow("later fields untouched after failure") << "150|5|x|-7|99|500"
                                                          << "100|5|x|-7|99|500" << false;
    QTest::newRow("all kept before bad wear") << "-9|-1|0|-1|-99|1-2"
                                              << "-2|0|1|0|-25|1-2" << false;
}

void SearchRequestTest::clamping() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, passes);
    SearchInputs in = ValidInputs();
    SetFields(in, typed);
    const auto outcome = ValidateSearchRequest(in);
    QCOMPARE(FieldsJoined(in), shown);
    QCOMPARE(std::holds_alternative<TSearchRequest>(outcome), passes);
    if (!passes) {
        QCOMPARE(std::get<TRequestMessage>(outcome).Text, QString::fromUtf8(WorkConditionsMessage));
        return;
    }
    const auto& request = std::get<TSearchRequest>(outcome);
    QCOMPARE(request.Slope, *ReadSlopeText(in.SlopeText));
    QCOMPARE(request.Wear, in.WearText.toInt());
    QVERIFY(request.Slope >= -2.0 && request.Slope <= 100.0);
    QVERIFY(request.RepairVolume >= 0 && request.RepairVolume <= 40000);
    QVERIFY(request.RoofThickness >= 1 && request.RoofThickness <= 100);
    QVERIFY(request.AirTemperature >= -25 && request.AirTemperature <= 45);
    QVERIFY(request.Wear >= 0 && request.Wear <= 100);
    QVERIFY(request.MaxCost >= 0);
}

void SearchRequestTest::hugeNumbersDoNotOverflow() {
    SearchInputs in = ValidInputs();
    in.MaxCostText = "99999999999999999999";
    in.RepairVolumeText = QString(300, u'9');
    const auto request = std::get<TSearchRequest>(ValidateSearchRequest(in));
    QCOMPARE(request.RepairVolume, 40000);
    QVERIFY(request.MaxCost > 9.9e19L);
    QVERIFY(BindFilterParameters(request).n > 9.9e19L);
}

void SearchRequestTest::bindsTheElevenValues_data() {
    QTest::addColumn<QString>("fields");
    QTest::addColumn<bool>("fire");
    QTest::addColumn<bool>("weighting");
    QTest::addColumn<bool>("power");
    QTest::newRow("none ticked") << "2,5|0050|20|1500|-10|40" << false << false << false;
    QTest::newRow("all ticked") << ",|0|1|0|0|0" << true << true << true;
    QTest::newRow("fire only") << "-2|40000|100|7|45|100" << true << false << false;
    QTest::newRow("power only") << "100|3|3|3|3|3" << false << false << true;
}

void SearchRequestTest::bindsTheElevenValues() {
    QFETCH(QString, fields);
    QFETCH(bool, fire);
    QFETCH(bool, weighting);
    QFETCH(bool, power);
    SearchInputs in = ValidInputs();
    SetFields(in, fields);
    in.OpenFireAllowed = fire;
    in.WeightingAllowed = weighting;
    in.PowerSupplyAccess = power;
    const auto request = std::get<TSearchRequest>(ValidateSearchRequest(in));
    const TFilterParameters p = BindFilterParameters(request);
    QCOMPARE(p.k, *ReadSlopeText(in.SlopeText));
    QCOMPARE(p.s, p.k);
    QCOMPARE(p.k, request.Slope);
    QCOMPARE(p.l, request.RepairVolume);
    QCOMPARE(p.l, in.RepairVolumeText.toInt());
    QCOMPARE(p.m, in.RoofThicknessText.toInt());
    QCOMPARE(static_cast<double>(p.n), in.MaxCostText.toDouble());
    QCOMPARE(p.o, in.AirTemperatureText.toInt());
    QCOMPARE(p.p, in.WearText.toInt());
    QCOMPARE(p.t, p.p);
    QCOMPARE(p.r1, fire ? 0 : 1);
    QCOMPARE(p.r2, weighting ? 0 : 1);
    QCOMPARE(p.r3, power ? 0 : 1);
}

QTEST_GUILESS_MAIN(SearchRequestTest)
#include "tst_search_request.moc"
