#include "search/catalogue.h"

#include "search/catalogue_columns.h"
#include "search/catalogue_connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QUrl>

#include <atomic>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The cost limit has no upper bound: within 64 bits it is bound exactly as
// an integer, beyond that as the nearest double, which still exceeds every
// value a DECIMAL(19,4) column can hold.
QVariant CostLimitValue(long double limit) {
    constexpr long double low = static_cast<long double>(std::numeric_limits<qint64>::min());
    constexpr long double high = 9223372036854775807.0L;
    if (limit >= low && limit <= high)
        return QVariant(static_cast<qint64>(limit));
    return QVariant(static_cast<double>(limit));
}

void BindParameters(QSqlQuery& query, const TFilterParameters& p) {
    query.bindValue(QStringLiteral(":k"), p.k);
    query.bindValue(QStringLiteral(":s"), p.s);
    query.bindValue(QStringLiteral(":l"), p.l);
    query.bindValue(QStringLiteral(":m"), p.m);
    query.bindValue(QStringLiteral(":n"), CostLimitValue(p.n));
    query.bindValue(QStringLiteral(":o"), p.o);
    query.bindValue(QStringLiteral(":p"), p.p);
    query.bindValue(QStringLiteral(":t"), p.t);
    query.bindValue(QStringLiteral(":r1"), p.r1);
    query.bindValue(QStringLiteral(":r2"), p.r2);
    query.bindValue(QStringLiteral(":r3"), p.r3);
}

// Positions of the columns the system reads, found by exact name (Qt's own
// lookup ignores case, which would not be an exact match).
struct ColumnPositions {
    int Name = -1;
    int ProcessComposition = -1;
    int MaxSlope = -1, MinSlope = -1, MinThickness = -1, MinTemperature = -1, MinVolume = -1;
    int MaxWear = -1, MinWear = -1, NoOpenFire = -1, NoWeighting = -1, NoPowerSupply = -1;
    std::array<int, InternalCriterionCount> Internal{};
    std::array<int, ExternalFactorCount> External{};
    std::array<int, ComparedColumns.size()> Compared{};
};

std::variant<ColumnPositions, TCatalogueError> LocateColumns(const QSqlRecord& record) {
    std::optional<QString> missing;
    const auto find = [&](const char* name) {
        const QString wanted = Utf8(name);
        for (int i = 0; i < record.count(); ++i) {
            if (record.fieldName(i) == wanted)
                return i;
        }
        if (!missing)
            missing = wanted;
        return -1;
    };
    ColumnPositions c;
    c.Name = find(NameColumn);
    c.ProcessComposition = find(ProcessCompositionColumn);
    c.MaxSlope = find(MaxSlopeColumn);
    c.MinThickness = find(MinThicknessColumn);
    c.MinTemperature = find(MinTemperatureColumn);
    c.MinVolume = find(MinVolumeColumn);
    c.MaxWear = find(MaxWearColumn);
    for (int i = 0; i < InternalCriterionCount; ++i)
        c.Internal[i] = find(InternalCriterionColumns[i]);
    for (int j = 0; j < ExternalFactorCount; ++j)
        c.External[j] = find(ExternalFactorColumns[j]);
    c.MinSlope = find(MinSlopeColumn);
    c.MinWear = find(MinWearColumn);
    c.NoOpenFire = find(NoOpenFireColumn);
    c.NoWeighting = find(NoWeightingColumn);
    c.NoPowerSupply = find(NoPowerSupplyColumn);
    for (std::size_t i = 0; i < ComparedColumns.size(); ++i)
        c.Compared[i] = find(ComparedColumns[i]);
    if (missing) {
        return TCatalogueError{QStringLiteral("В таблице \"%1\" каталога нет столбца \"%2\".")
                                   .arg(Utf8(CatalogueTableName), *missing)};
    }
    return c;
}

bool IsNumber(const QVariant& cell) {
    if (cell.isNull())
        return false;
    switch (cell.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

TTechnologyVariant ReadVariant(const QSqlQuery& query, const ColumnPositions& c) {
    TTechnologyVariant v;
    v.Name = query.value(c.Name).toString().toStdString();
    v.ProcessComposition = query.value(c.ProcessComposition).toString().toStdString();
    v.MaxSlope = CatalogueCellText(query.value(c.MaxSlope));
    v.MinSlope = CatalogueCellText(query.value(c.MinSlope));
    v.MinThickness = CatalogueCellText(query.value(c.MinThickness));
    v.MinTemperature = CatalogueCellText(query.value(c.MinTemperature));
    v.MinVolume = CatalogueCellText(query.value(c.MinVolume));
    v.MaxWear = CatalogueCellText(query.value(c.MaxWear));
    v.MinWear = CatalogueCellText(query.value(c.MinWear));
    v.NoOpenFire = query.value(c.NoOpenFire).toInt();
    v.NoWeighting = query.value(c.NoWeighting).toInt();
    v.NoPowerSupply = query.value(c.NoPowerSupply).toInt();
    for (int i = 0; i < InternalCriterionCount; ++i)
        v.InternalValues[i] = CatalogueCellText(query.value(c.Internal[i]));
    for (int j = 0; j < ExternalFactorCount; ++j)
        v.ExternalValues[j] = CatalogueCellText(query.value(c.External[j]));
    return v;
}

// The number of rows of the catalogue table, the figure the results speak of
// as the known variants; read inside the caller's transaction.
std::optional<TCatalogueError> CountCatalogueRows(QSqlDatabase& db, int& catalogueRows) {
    QSqlQuery count(db);
    if (!count.exec(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(Utf8(CatalogueTableName))) ||
        !count.next())
        return TCatalogueError{EngineErrorText(count.lastError())};
    catalogueRows = count.value(0).toInt();
    return std::nullopt;
}

TCatalogueOutcome RunQuery(QSqlDatabase& db, const TFilterParameters& parameters,
                           int& catalogueRows) {
    // The count and the filter read one snapshot of the file.
    if (!db.transaction())
        return TCatalogueError{EngineErrorText(db.lastError())};
    if (std::optional<TCatalogueError> error = CountCatalogueRows(db, catalogueRows))
        return *error;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(FilterQueryText()))
        return TCatalogueError{EngineErrorText(query.lastError())};
    BindParameters(query, parameters);
    if (!query.exec())
        return TCatalogueError{EngineErrorText(query.lastError())};

    // The result's columns are checked before any row, so a catalogue
    // without one of them fails even when no row is admitted.
    auto located = LocateColumns(query.record());
    if (auto* error = std::get_if<TCatalogueError>(&located))
        return *error;
    const auto& columns = std::get<ColumnPositions>(located);

    std::vector<TTechnologyVariant> variants;
    while (query.next()) {
        // SQLite ranks any text above every number, so a text cell (an empty
        // string, say) would pass an "at least" bound; every bound is a
        // numeric comparison, and a cell that holds no number fails it.
        bool numeric = true;
        for (const int column : columns.Compared)
            numeric = numeric && IsNumber(query.value(column));
        if (numeric)
            variants.push_back(ReadVariant(query, columns));
    }
    // A page damaged further into the table shows up only while stepping.
    if (query.lastError().isValid())
        return TCatalogueError{EngineErrorText(query.lastError())};
    return variants;
}

} // namespace

QString FilterQueryText() {
    static const QStringList lines = {
        QStringLiteral("SELECT * FROM Критерии"),
        QStringLiteral("WHERE Уклон >= :k "),
        QStringLiteral("AND "),
        QStringLiteral("Объем <= :l"),
        QStringLiteral("AND "),
        QStringLiteral("Толщина <= :m"),
        QStringLiteral("AND "),
        QStringLiteral("Стоимость <= :n"),
        QStringLiteral("AND "),
        QStringLiteral("Температура <= :o"),
        QStringLiteral("AND "),
        QStringLiteral("Износ >= :p"),
        QStringLiteral("AND "),
        QStringLiteral("Огнеопасность >= :r1"),
        QStringLiteral("AND"),
        QStringLiteral("Утяжеление >= :r2"),
        QStringLiteral("AND"),
        QStringLiteral("Электроснабжение >= :r3"),
        QStringLiteral("AND "),
        QStringLiteral("Минуклон <=  :s"),
        QStringLiteral("AND "),
        QStringLiteral("Минизнос <=  :t"),
    };
    return lines.join(u'\n');
}

std::string CatalogueCellText(const QVariant& cell) {
    if (cell.isNull())
        return {};
    switch (cell.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return std::to_string(cell.toLongLong());
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return std::to_string(cell.toULongLong());
    case QMetaType::Double: {
        const double value = cell.toDouble();
        if (!std::isfinite(value))
            return {};
        // The shortest fixed-point digits that read back as the stored
        // double: 350.5 stays "350,5", 0.45 "0,45", 1200.0 "1200".
        char buffer[400];
        const auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        std::string text(buffer, result.ptr);
        for (char& c : text) {
            if (c == '.')
                c = ',';
        }
        return text;
    }
    default:
        return cell.toString().toStdString();
    }
}

TCatalogueOutcome RunCatalogueFilter(const QString& cataloguePath,
                                     const TFilterParameters& parameters, int& catalogueRows) {
    catalogueRows = 0;
    CatalogueConnection connection(cataloguePath);
    if (!connection.isOpen())
        return TCatalogueError{connection.error()};
    TCatalogueOutcome outcome = RunQuery(connection.database(), parameters, catalogueRows);
    connection.database().rollback();
    return outcome;
}

TCatalogueOutcome RunCatalogueFilter(const QString& cataloguePath,
                                     const TFilterParameters& parameters) {
    int catalogueRows = 0;
    return RunCatalogueFilter(cataloguePath, parameters, catalogueRows);
}

struct TCatalogueConnection::Session {
    explicit Session(const QString& cataloguePath) : Connection(cataloguePath) {}
    ~Session() {
        Query.reset();
        if (Connection.isOpen())
            Connection.database().rollback();
    }

    CatalogueConnection Connection;
    std::optional<QSqlQuery> Query;
    ColumnPositions Columns;
    int CatalogueRows = 0;
};

TCatalogueConnection::TCatalogueConnection() = default;
TCatalogueConnection::~TCatalogueConnection() = default;

std::optional<TCatalogueError> TCatalogueConnection::Open(const QString& cataloguePath) {
    Current.reset();
    auto session = std::make_unique<Session>(cataloguePath);
    if (!session->Connection.isOpen())
        return TCatalogueError{session->Connection.error()};
    QSqlDatabase& db = session->Connection.database();
    // One read transaction for the connection's life: the file is locked
    // for reading once, not again for every search, and the row count and
    // every search of the batch see the same catalogue.
    if (!db.transaction())
        return TCatalogueError{EngineErrorText(db.lastError())};
    if (std::optional<TCatalogueError> error = CountCatalogueRows(db, session->CatalogueRows))
        return *error;
    QSqlQuery& query = session->Query.emplace(db);
    query.setForwardOnly(true);
    if (!query.prepare(FilterQueryText()))
        return TCatalogueError{EngineErrorText(query.lastError())};
    BindParameters(query, TFilterParameters{});
    if (!query.exec())
        return TCatalogueError{EngineErrorText(query.lastError())};
    auto located = LocateColumns(query.record());
    if (auto* error = std::get_if<TCatalogueError>(&located))
        return *error;
    session->Columns = std::get<ColumnPositions>(located);
    query.finish();
    Current = std::move(session);
    return std::nullopt;
}

TCatalogueOutcome TCatalogueConnection::Filter(const TFilterParameters& parameters,
                                               int& catalogueRows) {
    catalogueRows = 0;
    if (!Current)
        return TCatalogueError{QStringLiteral("Каталог не открыт.")};
    QSqlQuery& query = *Current->Query;
    BindParameters(query, parameters);
    if (!query.exec())
        return TCatalogueError{EngineErrorText(query.lastError())};
    const ColumnPositions& columns = Current->Columns;
    std::vector<TTechnologyVariant> variants;
    while (query.next()) {
        // The same numeric test of the compared cells as a single search.
        bool numeric = true;
        for (const int column : columns.Compared)
            numeric = numeric && IsNumber(query.value(column));
        if (numeric)
            variants.push_back(ReadVariant(query, columns));
    }
    const QSqlError error = query.lastError();
    query.finish();
    if (error.isValid())
        return TCatalogueError{EngineErrorText(error)};
    catalogueRows = Current->CatalogueRows;
    return variants;
}
