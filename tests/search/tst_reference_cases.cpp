// Roof situations as an engineer states them, each with the technologies
// acceptable in first place, those the filter must offer, and those that
// must stay out of the first three, searched through RunSearch over the bundled catalogue. The
// cases are data (data/reference_cases.json), so a catalogue change that makes the advice
// contradict practice fails here with the situation named.

#include "catalogue.h"
#include "catalogue_consistency.h"
#include "criteria_selection.h"
#include "search.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QJsonArray ReferenceCases() {
    QFile file(QStringLiteral(ZIRS_REFERENCE_CASES));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", ZIRS_REFERENCE_CASES);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("%s: %s", ZIRS_REFERENCE_CASES, qPrintable(error.errorString()));
    return document.object().value(QStringLiteral("cases")).toArray();
}

QStringList Texts(const QJsonValue& value) {
    QStringList texts;
    for (const QJsonValue& item : value.toArray())
        texts << item.toString();
    return texts;
}

// The inputs the main window would hand over for the case, the group's and
// the subject's ticks set by the window's own rules.
SearchInputs Inputs(const QJsonObject& c) {
    static const QHash<QString, int> groups = {{QStringLiteral("full"), FullGroup},
                                               {QStringLiteral("special"), SpecialGroup}};
    static const QHash<QString, int> subjects = {{QStringLiteral("owner"), BuildingOwner},
                                                 {QStringLiteral("contractor"), Contractor},
                                                 {QStringLiteral("designer"), Designer}};
    SearchInputs in;
    in.SlopeText = c.value(QStringLiteral("slope")).toString();
    in.RepairVolumeText = c.value(QStringLiteral("volume")).toString();
    in.RoofThicknessText = c.value(QStringLiteral("thickness")).toString();
    in.MaxCostText = c.value(QStringLiteral("cost")).toString();
    in.AirTemperatureText = c.value(QStringLiteral("temperature")).toString();
    in.WearText = c.value(QStringLiteral("wear")).toString();
    in.OpenFireAllowed = c.value(QStringLiteral("open_fire")).toBool();
    in.WeightingAllowed = c.value(QStringLiteral("weighting")).toBool();
    in.PowerSupplyAccess = c.value(QStringLiteral("power_supply")).toBool();
    TCriteriaWindowState window;
    ApplyCriteriaGroup(groups.value(c.value(QStringLiteral("group")).toString(), NoGroup), window);
    const QString subject = c.value(QStringLiteral("subject")).toString();
    if (!subject.isEmpty())
        ApplySubjectPreset(subjects.value(subject, NoSubject), window);
    in.CriteriaGroup = groups.value(c.value(QStringLiteral("group")).toString(), NoGroup);
    in.Subject = window.Subject;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;
    return in;
}

// Every name the catalogue holds: a name in the cases that no variant
// carries is a fault of the cases.
QStringList CatalogueNames() {
    QStringList names;
    const TCatalogueOutcome outcome =
        RunCatalogueFilter(QStringLiteral(ZIRS_BUILT_CATALOGUE), WholeCatalogueParameters());
    if (const auto* variants = std::get_if<std::vector<TTechnologyVariant>>(&outcome)) {
        for (const TTechnologyVariant& v : *variants)
            names << QString::fromStdString(v.Name);
    }
    return names;
}

} // namespace

Q_DECLARE_METATYPE(QJsonObject)

class ReferenceCasesTest : public QObject {
    Q_OBJECT

private slots:
    void adviceMatchesPractice_data();
    void adviceMatchesPractice();
};

void ReferenceCasesTest::adviceMatchesPractice_data() {
    QTest::addColumn<QJsonObject>("situation");
    const QJsonArray cases = ReferenceCases();
    QVERIFY(!cases.isEmpty());
    for (const QJsonValue& c : cases) {
        const QJsonObject object = c.toObject();
        QTest::newRow(qPrintable(object.value(QStringLiteral("situation")).toString())) << object;
    }
}

void ReferenceCasesTest::adviceMatchesPractice() {
    QFETCH(QJsonObject, situation);
    static const QStringList known = CatalogueNames();
    const QStringList first = Texts(situation.value(QStringLiteral("first")));
    const QStringList notTop3 = Texts(situation.value(QStringLiteral("not_top3")));
    const QStringList offered = Texts(situation.value(QStringLiteral("admissible")));
    QVERIFY(!first.isEmpty());
    for (const QString& name : first + notTop3 + offered)
        QVERIFY2(known.contains(name), qPrintable(QStringLiteral("not in the catalogue: ") + name));

    SearchInputs in = Inputs(situation);
    SearchState state;
    const SearchOutcome outcome = RunSearch(in, ZIRS_BUILT_CATALOGUE, state);
    QVERIFY2(outcome.Kind == SearchOutcomeKind::Result, qPrintable(outcome.Text));
    QStringList admissible;
    for (const TTechnologyVariant& v : state.Catalogue.Variants)
        admissible << QString::fromStdString(v.Name);
    for (const QString& name : offered)
        QVERIFY2(admissible.contains(name), qPrintable(QStringLiteral("not offered: ") + name));
    const TSearchResult& result = *state.Result;
    const QString winner = QString::fromStdString(result.Ranked[0].Name);
    QVERIFY2(first.contains(winner), qPrintable(QStringLiteral("first: ") + winner));
    for (int place = 0; place < 3; ++place) {
        const QString name = QString::fromStdString(result.Ranked[place].Name);
        QVERIFY2(!notTop3.contains(name),
                 qPrintable(QStringLiteral("place %1: %2").arg(place + 1).arg(name)));
    }
}

QTEST_GUILESS_MAIN(ReferenceCasesTest)
#include "tst_reference_cases.moc"
