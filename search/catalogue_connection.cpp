#include "catalogue_connection.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

#include <atomic>

namespace {

// Every connection gets a name of its own, so two searches (or two tests)
// never share or disturb a connection.
QString NewConnectionName() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("zirs-catalogue-%1").arg(++counter);
}

// A catalogue saved in WAL mode makes even a read-only connection create
// its -wal and -shm files beside it and leave them there. With no -wal file
// present every page is in the file itself, so it is opened as immutable,
// which creates nothing.
bool IsSettledWalFile(const QFileInfo& file, const QByteArray& header) {
    constexpr char walVersion = 2;
    return header.size() >= 20 && header.startsWith("SQLite format 3") &&
           (header[18] == walVersion || header[19] == walVersion) &&
           !QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-wal"));
}

QByteArray FileHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(32);
}

} // namespace

QString EngineErrorText(const QSqlError& error) {
    const QString engineText = error.databaseText().trimmed();
    return engineText.isEmpty() ? error.text().trimmed() : engineText;
}

std::optional<QString> ForeignCatalogueExplanation(const QString& cataloguePath) {
    static const QByteArray jet("\0\1\0\0Standard Jet DB", 19);
    static const QByteArray ace("\0\1\0\0Standard ACE DB", 19);
    const QByteArray header = FileHeader(cataloguePath);
    const QString name = QFileInfo(cataloguePath).fileName();
    if (header.startsWith(jet)) {
        return QStringLiteral(
                   "Файл «%1» — каталог в старом формате Microsoft Access (Jet), а программа "
                   "читает каталог только в своём формате. Преобразуйте его командой "
                   "zirs-catalogue import-legacy %1 --into новый.mdb и положите новый файл на "
                   "место старого. Сам файл «%1» не изменён.")
            .arg(name);
    }
    if (header.startsWith(ace)) {
        return QStringLiteral(
                   "Файл «%1» — база данных Microsoft Access 2007 или новее (ACCDB); такой "
                   "каталог программа не читает. Сохраните его в Access в формате .mdb "
                   "(Access 2002–2003) и преобразуйте командой zirs-catalogue import-legacy. "
                   "Сам файл «%1» не изменён.")
            .arg(name);
    }
    return std::nullopt;
}

CatalogueConnection::CatalogueConnection(const QString& cataloguePath)
    : m_name(NewConnectionName()) {
    // Opening a missing file must not create it; say which file is missing.
    const QFileInfo file(cataloguePath);
    if (!file.exists() || !file.isFile()) {
        m_error = QStringLiteral("Не найден файл каталога \"%1\".").arg(cataloguePath);
        return;
    }
    if (const auto foreign = ForeignCatalogueExplanation(cataloguePath)) {
        m_error = *foreign;
        return;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = QStringLiteral("Нет драйвера базы данных SQLite (QSQLITE).");
        return;
    }

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    // Read-only: the file is never written and no journal is made. A short
    // busy wait rides out a brief writer's lock without freezing the window
    // behind a long one.
    QString options = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500");
    if (IsSettledWalFile(file, FileHeader(cataloguePath))) {
        QUrl uri = QUrl::fromLocalFile(file.absoluteFilePath());
        uri.setQuery(QStringLiteral("immutable=1"));
        m_db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
        m_db.setDatabaseName(cataloguePath);
    }
    m_db.setConnectOptions(options);
    if (!m_db.open())
        m_error = EngineErrorText(m_db.lastError());
}

CatalogueConnection::~CatalogueConnection() {
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
}
