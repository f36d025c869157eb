#include "catalogue_writer.h"

#include "catalogue_columns.h"
#include "catalogue_connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryFile>

#include <atomic>
#include <cstdio>
#include <unistd.h>

namespace {

QString Quoted(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString WriterConnectionName() {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("zirs-catalogue-writer-%1").arg(++counter);
}

std::optional<QString> WriteRows(QSqlDatabase& db, const TCatalogueTable& table) {
    const QString tableName = Quoted(QString::fromUtf8(CatalogueTableName));
    QStringList definitions;
    QStringList placeholders;
    for (int c = 0; c < table.Columns.size(); ++c) {
        QString definition = Quoted(table.Columns[c]);
        const QString type = c < table.DeclaredTypes.size() ? table.DeclaredTypes[c] : QString();
        if (!type.isEmpty())
            definition += QLatin1Char(' ') + type;
        definitions << definition;
        placeholders << QStringLiteral("?");
    }
    QSqlQuery create(db);
    if (!create.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName, definitions.join(", "))))
        return EngineErrorText(create.lastError());
    if (!db.transaction())
        return EngineErrorText(db.lastError());
    QSqlQuery insert(db);
    if (!insert.prepare(
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(tableName, placeholders.join(", "))))
        return EngineErrorText(insert.lastError());
    for (const auto& row : table.Rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            insert.bindValue(static_cast<int>(c), row[c]);
        if (!insert.exec())
            return EngineErrorText(insert.lastError());
    }
    if (!db.commit())
        return EngineErrorText(db.lastError());
    return std::nullopt;
}

} // namespace

QString BackupPath(const QString& target) {
    return target + QStringLiteral(".bak");
}

std::optional<QString> WriteCatalogueFile(const TCatalogueTable& table, const QString& path) {
    if (table.Columns.isEmpty())
        return QStringLiteral("в таблице нет ни одного столбца");
    for (const auto& row : table.Rows) {
        if (row.size() != static_cast<std::size_t>(table.Columns.size()))
            return QStringLiteral("в строке таблицы не столько ячеек, сколько столбцов");
    }
    const QString connectionName = WriterConnectionName();
    std::optional<QString> error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(path);
        if (!db.open())
            error = EngineErrorText(db.lastError());
        else
            error = WriteRows(db, table);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    return error;
}

TInstallOutcome InstallCatalogue(const TCatalogueTable& table, const QString& target,
                                 bool replace) {
    TInstallOutcome outcome;
    const QFileInfo targetInfo(target);
    if (targetInfo.exists() && !replace) {
        outcome.Error = QStringLiteral("файл «%1» уже есть; чтобы заменить его, добавьте --replace")
                            .arg(target);
        return outcome;
    }
    if (targetInfo.isDir()) {
        outcome.Error = QStringLiteral("«%1» — папка, а не файл").arg(target);
        return outcome;
    }

    // The new file is made beside the target so the final rename stays on
    // one file system and replaces the old file in one step.
    QTemporaryFile temporary(
        targetInfo.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(targetInfo.fileName())));
    if (!temporary.open()) {
        outcome.Error = QStringLiteral("не удалось создать файл в папке «%1»: %2")
                            .arg(targetInfo.absolutePath(), temporary.errorString());
        return outcome;
    }
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    if (auto error = WriteCatalogueFile(table, temporaryPath)) {
        outcome.Error = QStringLiteral("не удалось записать новый каталог: %1").arg(*error);
        return outcome;
    }

    outcome.Findings = CheckCatalogueFile(temporaryPath);
    if (HasFaults(outcome.Findings)) {
        outcome.Error =
            QStringLiteral("новый каталог не прошёл проверку; файл «%1» не записан").arg(target);
        return outcome;
    }

    QFile::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (targetInfo.exists()) {
        permissions = QFile::permissions(target);
        // The old file stays as NAME.bak: a hard link where the file system
        // allows one, a copy otherwise; the target itself is only ever
        // replaced by the rename below.
        const QString backup = BackupPath(target);
        QFile::remove(backup);
        if (::link(QFile::encodeName(target).constData(), QFile::encodeName(backup).constData()) !=
                0 &&
            !QFile::copy(target, backup)) {
            outcome.Error =
                QStringLiteral("не удалось сохранить старый каталог как «%1»").arg(backup);
            return outcome;
        }
    }
    QFile::setPermissions(temporaryPath, permissions);
    if (std::rename(QFile::encodeName(temporaryPath).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        outcome.Error =
            QStringLiteral("не удалось поставить новый каталог на место «%1»").arg(target);
        return outcome;
    }
    temporary.setAutoRemove(false);
    outcome.Installed = true;
    return outcome;
}
