#include "catalogue_check.h"

#include "catalogue.h"
#include "catalogue_columns.h"

#include <QHash>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The 27 columns the filter query and the criteria read.
std::vector<const char*> RequiredColumns() {
    std::vector<const char*> columns = {
        NameColumn,           ProcessCompositionColumn, MaxSlopeColumn, MinThicknessColumn,
        MinTemperatureColumn, MinVolumeColumn,          MaxWearColumn};
    columns.insert(columns.end(), InternalCriterionColumns.begin(), InternalCriterionColumns.end());
    columns.insert(columns.end(), ExternalFactorColumns.begin(), ExternalFactorColumns.end());
    columns.insert(columns.end(), {MinSlopeColumn, MinWearColumn, NoOpenFireColumn,
                                   NoWeightingColumn, NoPowerSupplyColumn});
    return columns;
}

// The bounds the filter compares with the request, apart from the flags.
constexpr std::array<const char*, 8> BoundColumns = {
    MaxSlopeColumn,  MinSlopeColumn, MinThicknessColumn, MinTemperatureColumn,
    MinVolumeColumn, MaxWearColumn,  MinWearColumn,      InternalCriterionColumns[0]};

constexpr std::array<const char*, 3> FlagColumns = {NoOpenFireColumn, NoWeightingColumn,
                                                    NoPowerSupplyColumn};

// Internal criteria 2 to 8 and every external factor are scores 1 to 10.
bool IsScoreColumn(std::string_view column) {
    for (int i = 2; i <= 8; ++i) {
        if (column == InternalCriterionColumns[i])
            return true;
    }
    for (const char* external : ExternalFactorColumns) {
        if (column == external)
            return true;
    }
    return false;
}

// A cell the filter compares as a number: an integer or a finite real.
// Text, even text of digits, is not one: the database would compare it as
// text.
std::optional<double> NumberIn(const QVariant& cell) {
    if (cell.isNull())
        return std::nullopt;
    switch (cell.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return cell.toDouble();
    case QMetaType::Double: {
        const double value = cell.toDouble();
        if (std::isfinite(value))
            return value;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool IsEmpty(const QVariant& cell) {
    return cell.isNull() || (cell.typeId() == QMetaType::QString && cell.toString().isEmpty());
}

QString Shown(const QVariant& cell) {
    return QString::fromStdString(CatalogueCellText(cell));
}

class Checker {
public:
    explicit Checker(const TCatalogueTable& table) : m_table(table) {}

    std::vector<TCatalogueFinding> run() {
        for (const char* column : RequiredColumns()) {
            if (ColumnIndex(m_table, column) < 0)
                fault(0, Utf8(column),
                      QStringLiteral("в таблице «%1» нет этого столбца; поиск его читает")
                          .arg(Utf8(CatalogueTableName)));
        }
        if (m_table.Rows.empty())
            fault(0, {},
                  QStringLiteral("в таблице «%1» нет ни одного варианта")
                      .arg(Utf8(CatalogueTableName)));
        for (std::size_t r = 0; r < m_table.Rows.size(); ++r)
            checkRow(static_cast<int>(r) + 1, m_table.Rows[r]);
        return std::move(m_findings);
    }

private:
    const QVariant* cell(const std::vector<QVariant>& row, const char* column) const {
        const int index = ColumnIndex(m_table, column);
        if (index < 0 || static_cast<std::size_t>(index) >= row.size())
            return nullptr;
        return &row[static_cast<std::size_t>(index)];
    }

    void fault(int row, const QString& column, const QString& text) {
        m_findings.push_back({TFindingLevel::Fault, row, m_variant, column, text});
    }

    // A number, or a fault saying why the cell holds none.
    std::optional<double> number(int row, const char* column, const QVariant& value,
                                 const QString& whyNeeded) {
        if (const auto n = NumberIn(value))
            return n;
        if (IsEmpty(value))
            fault(row, Utf8(column), QStringLiteral("ячейка пуста, а %1").arg(whyNeeded));
        else
            fault(row, Utf8(column),
                  QStringLiteral("«%1» — не число, а %2").arg(Shown(value), whyNeeded));
        return std::nullopt;
    }

    void checkRow(int row, const std::vector<QVariant>& values) {
        const QVariant* name = cell(values, NameColumn);
        m_variant = name ? name->toString() : QString();
        if (name) {
            const QString key = m_variant.trimmed();
            if (key.isEmpty()) {
                fault(row, Utf8(NameColumn), QStringLiteral("название варианта пусто"));
            } else if (const auto earlier = m_names.constFind(key); earlier != m_names.cend()) {
                fault(row, Utf8(NameColumn),
                      QStringLiteral("то же название, что у строки %1").arg(*earlier));
            } else {
                m_names.insert(key, row);
            }
        }

        const QString comparedReason =
            QStringLiteral("фильтр сравнивает этот столбец с числом и не пропустит вариант ни "
                           "при каком запросе");
        std::array<std::optional<double>, BoundColumns.size()> bounds;
        for (std::size_t b = 0; b < BoundColumns.size(); ++b) {
            if (const QVariant* value = cell(values, BoundColumns[b]))
                bounds[b] = number(row, BoundColumns[b], *value, comparedReason);
        }
        for (const char* flag : FlagColumns) {
            const QVariant* value = cell(values, flag);
            if (!value)
                continue;
            const auto n = number(row, flag, *value, QStringLiteral("нужно 0 или 1"));
            if (n && *n != 0 && *n != 1)
                fault(row, Utf8(flag),
                      QStringLiteral("нужно 0 или 1, а стоит %1").arg(Shown(*value)));
        }

        const auto criterion = [&](const char* column) {
            const QVariant* value = cell(values, column);
            if (!value)
                return;
            const bool score = IsScoreColumn(column);
            const QString need = score ? QStringLiteral("нужна целая оценка от 1 до 10")
                                       : QStringLiteral("нужно число");
            const auto n = number(row, column, *value, need);
            if (n && score && (*n != std::floor(*n) || *n < 1 || *n > 10))
                fault(row, Utf8(column), QStringLiteral("%1, а стоит %2").arg(need, Shown(*value)));
        };
        // The cost is a bound as well and was checked with the bounds.
        for (int i = 1; i < InternalCriterionCount; ++i)
            criterion(InternalCriterionColumns[i]);
        for (const char* external : ExternalFactorColumns)
            criterion(external);

        const auto ordered = [&](std::size_t low, std::size_t high, const QString& what) {
            if (bounds[low] && bounds[high] && *bounds[low] > *bounds[high])
                fault(
                    row, Utf8(BoundColumns[low]),
                    QStringLiteral("%1 больше, чем «%2» (%3): вариант не подходит ни при каком %4")
                        .arg(Shown(*cell(values, BoundColumns[low])), Utf8(BoundColumns[high]),
                             Shown(*cell(values, BoundColumns[high])), what));
        };
        ordered(1, 0, QStringLiteral("уклоне"));
        ordered(6, 5, QStringLiteral("износе"));
    }

    const TCatalogueTable& m_table;
    std::vector<TCatalogueFinding> m_findings;
    QHash<QString, int> m_names;
    QString m_variant;
};

} // namespace

std::vector<TCatalogueFinding> CheckCatalogueTable(const TCatalogueTable& table) {
    return Checker(table).run();
}

std::vector<TCatalogueFinding> CheckCatalogueFile(const QString& cataloguePath) {
    QString filterError;
    auto read = ReadCatalogueTable(cataloguePath, &filterError);
    if (const auto* error = std::get_if<TCatalogueReadError>(&read))
        return {{TFindingLevel::Fault, 0, {}, {}, error->Text}};
    auto findings = CheckCatalogueTable(std::get<TCatalogueTable>(read));
    // A missing column already explains a failing query.
    const bool columnMissing = std::any_of(findings.begin(), findings.end(), [](const auto& f) {
        return f.Row == 0 && !f.Column.isEmpty();
    });
    if (!filterError.isEmpty() && !columnMissing)
        findings.insert(findings.begin(),
                        {TFindingLevel::Fault,
                         0,
                         {},
                         {},
                         QStringLiteral("запрос отбора не выполняется: %1").arg(filterError)});
    return findings;
}

bool HasFaults(const std::vector<TCatalogueFinding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const auto& f) { return f.Level == TFindingLevel::Fault; });
}

QString FindingLine(const TCatalogueFinding& finding) {
    QString line = finding.Level == TFindingLevel::Fault ? QStringLiteral("ошибка: ")
                                                         : QStringLiteral("предупреждение: ");
    if (finding.Row > 0) {
        line += QStringLiteral("строка %1").arg(finding.Row);
        if (!finding.Variant.isEmpty())
            line += QStringLiteral(" («%1»)").arg(finding.Variant);
        line += finding.Column.isEmpty() ? QStringLiteral(": ")
                                         : QStringLiteral(", столбец «%1»: ").arg(finding.Column);
    } else if (!finding.Column.isEmpty()) {
        line += QStringLiteral("столбец «%1»: ").arg(finding.Column);
    }
    line += finding.Text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QJsonArray FindingsJson(const std::vector<TCatalogueFinding>& findings) {
    QJsonArray array;
    for (const auto& f : findings) {
        QJsonObject object;
        object.insert(QStringLiteral("level"), f.Level == TFindingLevel::Fault
                                                   ? QStringLiteral("error")
                                                   : QStringLiteral("warning"));
        object.insert(QStringLiteral("row"), f.Row);
        object.insert(QStringLiteral("variant"), f.Variant);
        object.insert(QStringLiteral("column"), f.Column);
        object.insert(QStringLiteral("message"), f.Text);
        array.append(object);
    }
    return array;
}
