#include "tools/search-tool/search_json.h"

#include "engine/search_result.h"

#include <QJsonArray>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

QJsonArray TextList(const std::vector<std::string>& texts) {
    QJsonArray list;
    for (const std::string& text : texts)
        list.append(Utf8(text));
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
        headings.append(Utf8(column.Heading));
    if (matrix.HasAggregate())
        headings.append(Utf8(matrix.AggregateHeading));
    QJsonArray rows;
    for (const TNormalizedRow& row : matrix.Rows) {
        QJsonArray cells;
        for (const TRoundedValue& cell : row.Cells)
            cells.append(Utf8(cell.Text));
        if (matrix.HasAggregate())
            cells.append(row.Aggregate ? Utf8(row.Aggregate->Text) : QString());
        rows.append(QJsonObject{{QStringLiteral("name"), Utf8(row.Name)},
                                {QStringLiteral("composition"), Utf8(row.ProcessComposition)},
                                {QStringLiteral("cells"), cells}});
    }
    return QJsonObject{{QStringLiteral("headings"), headings}, {QStringLiteral("rows"), rows}};
}

} // namespace

QJsonObject SearchAnswerJson(const SearchOutcome& outcome, const SearchInputs& inputs,
                             const SearchState& state, bool withTables) {
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
    answer.insert(QStringLiteral("criterion_heading"), Utf8(result.CriterionHeading));
    const int places = ShownPlaceCount(result);
    QJsonArray ranked;
    for (int p = 0; p < places; ++p) {
        const TRankedVariant& variant = result.Ranked[std::size_t(p)];
        ranked.append(QJsonObject{{QStringLiteral("place"), variant.Place},
                                  {QStringLiteral("name"), Utf8(variant.Name)},
                                  {QStringLiteral("composition"), Utf8(variant.ProcessComposition)},
                                  {QStringLiteral("criterion"), Utf8(variant.CriterionText)}});
    }
    answer.insert(QStringLiteral("ranked"), ranked);
    answer.insert(QStringLiteral("internal_headings"), TextList(result.InternalHeadings));
    answer.insert(QStringLiteral("external_headings"), TextList(result.ExternalHeadings));

    // A fresh state per run: the matrices, if any, are this search's own.
    if (withTables && result.Kind != TResultKind::Single && state.EngineRan) {
        answer.insert(QStringLiteral("tables"),
                      QJsonObject{{QStringLiteral("internal"), MatrixJson(state.Internal)},
                                  {QStringLiteral("external"), MatrixJson(state.External)},
                                  {QStringLiteral("game"), MatrixJson(state.Game)}});
    }
    return answer;
}
