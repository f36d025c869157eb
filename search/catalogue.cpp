#include "catalogue.h"

#include "catalogue_columns.h"

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

// Every connection gets a name of its own, so two searches (or two tests)
// never share or disturb a connection.
QString NewConnectionName() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("zirs-catalogue-%1").arg(++counter);
}

QString EngineErrorText(const QSqlError& error) {
    const QString engineText = error.databaseText().trimmed();
    return engineText.isEmpty() ? error.text().trimmed() : engineText;
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

TCatalogueOutcome RunQuery(QSqlDatabase& db, const TFilterParameters& parameters) {
    if (!db.open())
        return TCatalogueError{EngineErrorText(db.lastError())};
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

// A catalogue saved in WAL mode makes even a read-only connection create
// its -wal and -shm files beside it and leave them there. With no -wal file
// present every page is in the file itself, so it is opened as immutable,
// which creates nothing.
bool IsSettledWalFile(const QFileInfo& file) {
    QFile catalogue(file.absoluteFilePath());
    if (!catalogue.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = catalogue.read(20);
    constexpr char walVersion = 2;
    return header.size() == 20 && header.startsWith("SQLite format 3") &&
           (header[18] == walVersion || header[19] == walVersion) &&
           !QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-wal"));
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
                                     const TFilterParameters& parameters) {
    // Opening a missing file must not create it; say which file is missing.
    const QFileInfo file(cataloguePath);
    if (!file.exists() || !file.isFile())
        return TCatalogueError{
            QStringLiteral("Не найден файл каталога \"%1\".").arg(cataloguePath)};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return TCatalogueError{QStringLiteral("Нет драйвера базы данных SQLite (QSQLITE).")};

    const QString connectionName = NewConnectionName();
    TCatalogueOutcome outcome;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        // Read-only: the file is never written and no journal is made. A
        // short busy wait rides out a brief writer's lock without freezing
        // the window behind a long one.
        QString options = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500");
        if (IsSettledWalFile(file)) {
            QUrl uri = QUrl::fromLocalFile(file.absoluteFilePath());
            uri.setQuery(QStringLiteral("immutable=1"));
            db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
            options += QStringLiteral(";QSQLITE_OPEN_URI");
        } else {
            db.setDatabaseName(cataloguePath);
        }
        db.setConnectOptions(options);
        outcome = RunQuery(db, parameters);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return outcome;
}

struct TCatalogueConnection::Session {
    QString ConnectionName = NewConnectionName();
    std::optional<QSqlQuery> Query;
    ColumnPositions Columns;

    ~Session() {
        Query.reset();
        if (QSqlDatabase::contains(ConnectionName)) {
            QSqlDatabase db = QSqlDatabase::database(ConnectionName, false);
            db.rollback();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(ConnectionName);
        }
    }
};

TCatalogueConnection::TCatalogueConnection() = default;
TCatalogueConnection::~TCatalogueConnection() = default;

std::optional<TCatalogueError> TCatalogueConnection::Open(const QString& cataloguePath) {
    Current.reset();
    const QFileInfo file(cataloguePath);
    if (!file.exists() || !file.isFile())
        return TCatalogueError{
            QStringLiteral("Не найден файл каталога \"%1\".").arg(cataloguePath)};
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return TCatalogueError{QStringLiteral("Нет драйвера базы данных SQLite (QSQLITE).")};

    auto session = std::make_unique<Session>();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), session->ConnectionName);
    // The same read-only settings as a single search.
    QString options = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500");
    if (IsSettledWalFile(file)) {
        QUrl uri = QUrl::fromLocalFile(file.absoluteFilePath());
        uri.setQuery(QStringLiteral("immutable=1"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
        db.setDatabaseName(cataloguePath);
    }
    db.setConnectOptions(options);
    if (!db.open())
        return TCatalogueError{EngineErrorText(db.lastError())};
    // One read transaction for the connection's life: the file is locked
    // for reading once, not again for every search, and every search of
    // the batch sees the same catalogue.
    if (!db.transaction())
        return TCatalogueError{EngineErrorText(db.lastError())};
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

TCatalogueOutcome TCatalogueConnection::Filter(const TFilterParameters& parameters) {
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
    return variants;
}
