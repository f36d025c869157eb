#include "tests/support/golden_search.h"

#include "search/criteria_selection.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

int GroupByName(const QString& name) {
    if (name == QLatin1String("full"))
        return FullGroup;
    if (name == QLatin1String("special"))
        return SpecialGroup;
    if (name == QLatin1String("selective"))
        return SelectiveGroup;
    return NoGroup;
}

int SubjectByName(const QString& name) {
    if (name == QLatin1String("owner"))
        return BuildingOwner;
    if (name == QLatin1String("contractor"))
        return Contractor;
    if (name == QLatin1String("designer"))
        return Designer;
    return NoSubject;
}

template <std::size_t Count> std::array<bool, Count> Ticks(const QString& list) {
    std::array<bool, Count> ticks{};
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ticks.at(std::size_t(item.toInt())) = true;
    return ticks;
}

QJsonArray TextList(const std::vector<std::string>& texts) {
    QJsonArray list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

QString KindName(TResultKind kind) {
    switch (kind) {
    case TResultKind::Single:
        return QStringLiteral("Single");
    case TResultKind::Laplace:
        return QStringLiteral("Laplace");
    case TResultKind::Wald:
        return QStringLiteral("Wald");
    }
    return {};
}

QJsonObject MatrixJson(const TNormalizedMatrix& matrix) {
    QJsonArray headings;
    for (const TNormalizedColumn& column : matrix.Columns)
        headings.append(QString::fromStdString(column.Heading));
    if (matrix.HasAggregate())
        headings.append(QString::fromStdString(matrix.AggregateHeading));
    QJsonArray rows;
    for (const TNormalizedRow& row : matrix.Rows) {
        QJsonArray cells;
        for (const TRoundedValue& cell : row.Cells)
            cells.append(QString::fromStdString(cell.Text));
        if (matrix.HasAggregate())
            cells.append(row.Aggregate ? QString::fromStdString(row.Aggregate->Text) : QString());
        rows.append(QJsonObject{
            {QStringLiteral("name"), QString::fromStdString(row.Name)},
            {QStringLiteral("composition"), QString::fromStdString(row.ProcessComposition)},
            {QStringLiteral("cells"), cells}});
    }
    return QJsonObject{{QStringLiteral("headings"), headings}, {QStringLiteral("rows"), rows}};
}

} // namespace

SearchInputs GoldenRequestInputs(const QJsonObject& request) {
    SearchInputs in;
    in.Address = request.value(QLatin1String("address")).toString();
    in.SlopeText = request.value(QLatin1String("slope")).toString();
    in.RepairVolumeText = request.value(QLatin1String("volume")).toString();
    in.RoofThicknessText = request.value(QLatin1String("thickness")).toString();
    in.MaxCostText = request.value(QLatin1String("cost")).toString();
    in.AirTemperatureText = request.value(QLatin1String("temperature")).toString();
    in.WearText = request.value(QLatin1String("wear")).toString();
    in.OpenFireAllowed = request.value(QLatin1String("open-fire")).toBool();
    in.WeightingAllowed = request.value(QLatin1String("weighting")).toBool();
    in.PowerSupplyAccess = request.value(QLatin1String("power-supply")).toBool();

    TCriteriaWindowState window;
    in.CriteriaGroup = GroupByName(request.value(QLatin1String("group")).toString());
    if (in.CriteriaGroup != NoGroup)
        ApplyCriteriaGroup(in.CriteriaGroup, window);
    if (request.contains(QLatin1String("subject")))
        ApplySubjectPreset(SubjectByName(request.value(QLatin1String("subject")).toString()),
                           window);
    if (request.contains(QLatin1String("internal")))
        window.InternalTicks =
            Ticks<InternalCriterionCount>(request.value(QLatin1String("internal")).toString());
    if (request.contains(QLatin1String("external")))
        window.ExternalTicks =
            Ticks<ExternalFactorCount>(request.value(QLatin1String("external")).toString());
    in.Subject = window.Subject;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;
    return in;
}

QStringList GoldenRequestArguments(const QJsonObject& request) {
    QStringList arguments;
    for (auto it = request.begin(); it != request.end(); ++it) {
        const QString option = QStringLiteral("--") + it.key();
        if (it.value().isBool()) {
            if (it.value().toBool())
                arguments << option;
        } else {
            arguments << option << it.value().toString();
        }
    }
    return arguments << QStringLiteral("--tables");
}

QJsonObject GoldenAnswer(const SearchOutcome& outcome, const SearchInputs& inputs,
                         const SearchState& state) {
    QJsonObject answer;
    answer.insert(QStringLiteral("fields"),
                  QJsonObject{{QStringLiteral("slope"), inputs.SlopeText},
                              {QStringLiteral("volume"), inputs.RepairVolumeText},
                              {QStringLiteral("thickness"), inputs.RoofThicknessText},
                              {QStringLiteral("cost"), inputs.MaxCostText},
                              {QStringLiteral("temperature"), inputs.AirTemperatureText},
                              {QStringLiteral("wear"), inputs.WearText}});
    if (outcome.Kind != SearchOutcomeKind::Result || !state.Result) {
        answer.insert(QStringLiteral("status"), QStringLiteral("message"));
        answer.insert(QStringLiteral("message"), outcome.Text);
        return answer;
    }
    const TSearchResult& result = *state.Result;
    answer.insert(QStringLiteral("status"), QStringLiteral("result"));
    answer.insert(QStringLiteral("kind"), KindName(result.Kind));
    answer.insert(QStringLiteral("admissible"), result.AdmissibleCount);
    answer.insert(QStringLiteral("rejected"), result.RejectedCount);
    answer.insert(QStringLiteral("criterion_heading"),
                  QString::fromStdString(result.CriterionHeading));
    // Every place the result fills; the places after them must stay empty.
    QJsonArray ranked;
    for (const TRankedVariant& place : result.Ranked) {
        if (place.Name.empty()) {
            if (!place.ProcessComposition.empty() || !place.CriterionText.empty())
                ranked.append(QStringLiteral("an empty place with texts"));
            continue;
        }
        ranked.append(QJsonObject{
            {QStringLiteral("place"), place.Place},
            {QStringLiteral("name"), QString::fromStdString(place.Name)},
            {QStringLiteral("composition"), QString::fromStdString(place.ProcessComposition)},
            {QStringLiteral("criterion"), QString::fromStdString(place.CriterionText)}});
    }
    answer.insert(QStringLiteral("ranked"), ranked);
    answer.insert(QStringLiteral("internal_headings"), TextList(result.InternalHeadings));
    answer.insert(QStringLiteral("external_headings"), TextList(result.ExternalHeadings));
    answer.insert(QStringLiteral("applied_internal"), TextList(state.AppliedInternalHeadings));
    answer.insert(QStringLiteral("applied_external"), TextList(state.AppliedExternalHeadings));
    // Every membership, mean and game cell of a ranked search (a fresh state:
    // the matrices are this search's own).
    if (result.Kind != TResultKind::Single && state.EngineRan) {
        answer.insert(QStringLiteral("tables"),
                      QJsonObject{{QStringLiteral("internal"), MatrixJson(state.Internal)},
                                  {QStringLiteral("external"), MatrixJson(state.External)},
                                  {QStringLiteral("game"), MatrixJson(state.Game)}});
    }
    return answer;
}

QJsonArray ReadGoldenRows(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return {};
    }
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (parse.error != QJsonParseError::NoError || !document.isArray()) {
        *error = parse.errorString();
        return {};
    }
    return document.array();
}
