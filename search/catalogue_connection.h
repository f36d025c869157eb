#pragma once
// One read-only connection to a catalogue file, opened the same way for the
// search and for the catalogue tool, and closed and removed when it goes.

#include <QSqlDatabase>
#include <QString>

#include <optional>

// Set when the file is not an SQLite catalogue we can open but a file of
// another database program recognised by its first bytes: an explanation in
// Russian of what the file is and what to do with it. Nothing is written.
std::optional<QString> ForeignCatalogueExplanation(const QString& cataloguePath);

class CatalogueConnection {
public:
    // Opens `cataloguePath` read-only. The file is never created or written:
    // a missing file, a directory or a file of another database program is
    // refused before SQLite sees it.
    explicit CatalogueConnection(const QString& cataloguePath);
    ~CatalogueConnection();
    CatalogueConnection(const CatalogueConnection&) = delete;
    CatalogueConnection& operator=(const CatalogueConnection&) = delete;

    bool isOpen() const { return m_error.isEmpty(); }
    // Why the connection is not open: our own text or the engine's.
    const QString& error() const { return m_error; }
    QSqlDatabase& database() { return m_db; }

private:
    QString m_name;
    QSqlDatabase m_db;
    QString m_error;
};

// The database engine's own text of an error, or Qt's where the engine gave none.
class QSqlError;
QString EngineErrorText(const QSqlError& error);
