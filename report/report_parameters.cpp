#include "report/report_parameters.h"

#include "search/search.h"

#include <QStringList>

#include <algorithm>

void TReportParameters::set(const QString& name, const QString& text) {
    for (auto& entry : m_entries) {
        if (entry.first == name) {
            entry.second = text;
            return;
        }
    }
    m_entries.emplace_back(name, text);
}

QString TReportParameters::value(const QString& name) const {
    for (const auto& entry : m_entries) {
        if (entry.first == name)
            return entry.second;
    }
    return QString();
}

bool TReportParameters::contains(const QString& name) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [&name](const auto& entry) { return entry.first == name; });
}

const std::array<const char*, 23>& ReportParameterNames() {
    static const std::array<const char*, 23> names = {
        "1variant",  "2variant", "3variant",  "4variant",  "1tehn",       "2tehn",
        "3tehn",     "4tehn",    "1kriterii", "2kriterii", "3kriterii",   "4kriterii",
        "uklon",     "obem",     "tolschina", "stoimost",  "temperatura", "iznos",
        "sovokupkr", "variants", "adres",     "data",      "vnukriterii",
    };
    return names;
}

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString SeparatorLine = QStringLiteral(" ");

// One line per heading in lower case; the last one closes the list with a
// full stop, the earlier ones with a semicolon.
void AppendHeadingList(QStringList& lines, const std::vector<std::string>& headings) {
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const QString ending = i + 1 == headings.size() ? QStringLiteral(".") : QStringLiteral(";");
        lines << QString::fromStdString(headings[i]).toLower() + ending;
    }
}

bool AnyTicked(const std::array<bool, ExternalFactorCount>& ticks) {
    return std::any_of(ticks.begin(), ticks.end(), [](bool ticked) { return ticked; });
}

} // namespace

QString BuildCriteriaText(const std::vector<std::string>& internalHeadings,
                          const std::vector<std::string>& externalHeadings,
                          const SearchInputs& currentFields) {
    QStringList lines;
    AppendHeadingList(lines, internalHeadings);

    // The external block follows the ticks as they stand, so it appears even
    // when the search kept none of the ticked factors.
    if (AnyTicked(currentFields.ExternalTicks)) {
        lines << SeparatorLine << QStringLiteral("        б) для учета внешних факторов:")
              << SeparatorLine;
        AppendHeadingList(lines, externalHeadings);
    }

    lines << SeparatorLine;

    const bool openFire = currentFields.OpenFireAllowed;
    const bool weighting = currentFields.WeightingAllowed;
    const bool power = currentFields.PowerSupplyAccess;
    if (!openFire || !weighting || !power) {
        lines << QStringLiteral("        4. При выборе допустимых вариантов технологии не учтены:")
              << SeparatorLine;
        if (!openFire) {
            lines << (weighting && power
                          ? QStringLiteral("возможность применения открытого огня.")
                          : QStringLiteral("возможность применения открытого огня;"));
        }
        if (!weighting) {
            lines << (power ? QStringLiteral(
                                  "возможность утяжеления покрытия ремонтным слоем кровли.")
                            : QStringLiteral(
                                  "возможность утяжеления покрытия ремонтным слоем кровли;"));
        }
        if (!power)
            lines << QStringLiteral("наличие доступа к системе электроснабжения.");
        lines << SeparatorLine;
    }

    lines << QStringLiteral(
        "        Вывод.  Оптимальным для заданных условий с учетом указанной совокупности "
        "локальных критериев является вариант технологии ремонта многослойной кровли, "
        "имеющий наибольшее значение глобального критерия.");

    QString text;
    for (const QString& line : lines)
        text += line + LineEnd;
    return text;
}

QString ReportDateText(const QDate& date) {
    // The Russian short date pattern, fixed so that the machine's regional
    // settings never change the report.
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QString CriteriaGroupCaption(int criteriaGroup) {
    switch (criteriaGroup) {
    case FullGroup:
        return QStringLiteral("Полная");
    case SpecialGroup:
        return QStringLiteral("Специальная");
    case SelectiveGroup:
        return QStringLiteral("Выборочная");
    default:
        return QString();
    }
}

namespace {

// One data row of the results table as the report reads it.
struct TReportRow {
    QString Name;
    QString Composition;
    QString CriterionText;
};

using TReportRows = std::array<TReportRow, ReportRowCount>;

TReportRows ReportRowsFromResult(const TSearchResult& result) {
    // A row the results table does not show reads as empty.
    const int shownRows = ShownPlaceCount(result);
    TReportRows rows;
    for (int row = 0; row < ReportRowCount && row < shownRows; ++row) {
        const TRankedVariant& ranked = result.Ranked[row];
        rows[row].Name = QString::fromStdString(ranked.Name);
        rows[row].Composition = QString::fromStdString(ranked.ProcessComposition);
        if (result.Kind != TResultKind::Single)
            rows[row].CriterionText = QString::fromStdString(ranked.CriterionText);
    }
    return rows;
}

} // namespace

TReportParameters BuildReportParameters(const SearchState& state, const SearchInputs& currentFields,
                                        const QString& dateText) {
    TReportRows rows;
    int admissibleCount = 0;
    int catalogueCount = CatalogueSize;
    if (state.Result) {
        rows = ReportRowsFromResult(*state.Result);
        admissibleCount = state.Result->AdmissibleCount;
        catalogueCount = state.Result->CatalogueCount;
    }

    TReportParameters parameters;
    for (int row = 0; row < ReportRowCount; ++row)
        parameters.set(QStringLiteral("%1variant").arg(row + 1), rows[row].Name);
    for (int row = 0; row < ReportRowCount; ++row)
        parameters.set(QStringLiteral("%1tehn").arg(row + 1), rows[row].Composition);
    for (int row = 0; row < ReportRowCount; ++row)
        parameters.set(QStringLiteral("%1kriterii").arg(row + 1), rows[row].CriterionText);

    parameters.set(QStringLiteral("uklon"), currentFields.SlopeText);
    parameters.set(QStringLiteral("obem"), currentFields.RepairVolumeText);
    parameters.set(QStringLiteral("tolschina"), currentFields.RoofThicknessText);
    parameters.set(QStringLiteral("stoimost"), currentFields.MaxCostText);
    parameters.set(QStringLiteral("temperatura"), currentFields.AirTemperatureText);
    parameters.set(QStringLiteral("iznos"), currentFields.WearText);

    parameters.set(QStringLiteral("sovokupkr"),
                   QStringLiteral("применена ") +
                       CriteriaGroupCaption(currentFields.CriteriaGroup).toLower() +
                       QStringLiteral(" совокупность локальных критериев, в том числе:"));
    parameters.set(QStringLiteral("variants"),
                   SatisfiedVariantsText(admissibleCount, catalogueCount));
    parameters.set(QStringLiteral("adres"), currentFields.Address);
    parameters.set(QStringLiteral("data"), QStringLiteral("Дата составления отчета: ") + dateText);
    parameters.set(QStringLiteral("vnukriterii"),
                   BuildCriteriaText(state.AppliedInternalHeadings, state.AppliedExternalHeadings,
                                     currentFields));
    return parameters;
}

QString SatisfiedVariantsText(int admissibleCount, int catalogueCount) {
    // "из 21 известного варианта", "из 24 известных вариантов": after "из"
    // the genitive is singular only for a number ending in 1 (but not 11).
    const bool singular = catalogueCount % 10 == 1 && catalogueCount % 100 != 11;
    return QStringLiteral("Указанным условиям удовлетворяют ") + QString::number(admissibleCount) +
           QStringLiteral(" из ") + QString::number(catalogueCount) +
           (singular ? QStringLiteral(" известного варианта")
                     : QStringLiteral(" известных вариантов")) +
           QStringLiteral(" технологии ремонта многослойных");
}
