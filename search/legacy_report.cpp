#include "legacy_report.h"

#include "catalogue_columns.h"

#include <QSet>
#include <QStringList>

#include <cstring>

namespace {

const QByteArray Magic("ZIRSJET1");
constexpr quint32 MaxColumns = 255;
enum CellTag : char { NullTag = 0, IntegerTag = 1, RealTag = 2, TextTag = 3 };

void PutU32(QByteArray& out, quint32 value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutU64(QByteArray& out, quint64 value) {
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutText(QByteArray& out, const QByteArray& utf8) {
    PutU32(out, static_cast<quint32>(utf8.size()));
    out += utf8;
}

// A cursor over the report that never reads past its end.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    qsizetype left() const { return m_bytes.size() - m_at; }
    bool u8(unsigned char& value) {
        if (left() < 1)
            return false;
        value = static_cast<unsigned char>(m_bytes[m_at++]);
        return true;
    }
    bool u32(quint32& value) {
        quint64 wide = 0;
        if (!unsigned64(4, wide))
            return false;
        value = static_cast<quint32>(wide);
        return true;
    }
    bool u64(quint64& value) { return unsigned64(8, value); }
    bool text(QByteArray& value) {
        quint32 size = 0;
        if (!u32(size) || static_cast<quint64>(size) > static_cast<quint64>(left()))
            return false;
        value = m_bytes.mid(m_at, size);
        m_at += size;
        return true;
    }
    bool bytes(qsizetype count, QByteArray& value) {
        if (left() < count)
            return false;
        value = m_bytes.mid(m_at, count);
        m_at += count;
        return true;
    }

private:
    bool unsigned64(int size, quint64& value) {
        if (left() < size)
            return false;
        value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<quint64>(static_cast<unsigned char>(m_bytes[m_at + i])) << (8 * i);
        m_at += size;
        return true;
    }
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
};

TLegacyError Broken(const QString& detail) {
    return {QStringLiteral("читатель файла Access вернул испорченные данные (%1); "
                           "каталог не записан")
                .arg(detail)};
}

// The last line the library printed, which usually names the trouble.
QString LastMessage(const QByteArray& errors) {
    const QList<QByteArray> lines = errors.trimmed().split('\n');
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString line = QString::fromUtf8(it->trimmed());
        if (!line.isEmpty())
            return line.left(300);
    }
    return {};
}

} // namespace

void LegacyReportWriter::begin(const QStringList& columns, const QStringList& declaredTypes,
                               quint32 declaredRows) {
    m_bytes += Magic;
    PutU32(m_bytes, static_cast<quint32>(columns.size()));
    for (int c = 0; c < columns.size(); ++c) {
        PutText(m_bytes, columns[c].toUtf8());
        PutText(m_bytes, declaredTypes.value(c).toUtf8());
    }
    PutU32(m_bytes, declaredRows);
}

void LegacyReportWriter::beginRow() {
    m_bytes += 'R';
    ++m_rows;
}

void LegacyReportWriter::nullCell() {
    m_bytes += static_cast<char>(NullTag);
}

void LegacyReportWriter::integerCell(qint64 value) {
    m_bytes += static_cast<char>(IntegerTag);
    PutU64(m_bytes, static_cast<quint64>(value));
}

void LegacyReportWriter::realCell(double value) {
    m_bytes += static_cast<char>(RealTag);
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutU64(m_bytes, bits);
}

void LegacyReportWriter::textCell(const QByteArray& utf8) {
    m_bytes += static_cast<char>(TextTag);
    PutText(m_bytes, utf8);
}

void LegacyReportWriter::end() {
    m_bytes += 'E';
    PutU32(m_bytes, m_rows);
}

QByteArray LegacyReportWriter::take() {
    QByteArray out;
    out.swap(m_bytes);
    return out;
}

TLegacyOutcome ParseLegacyReport(const QByteArray& report) {
    if (!report.startsWith(Magic))
        return Broken(QStringLiteral("нет заголовка"));
    Reader in(report);
    QByteArray skipped;
    in.bytes(Magic.size(), skipped);

    TCatalogueTable table;
    quint32 columns = 0;
    if (!in.u32(columns) || columns == 0 || columns > MaxColumns)
        return Broken(QStringLiteral("неверное число столбцов"));
    QSet<QString> seen;
    for (quint32 c = 0; c < columns; ++c) {
        QByteArray name, type;
        if (!in.text(name) || !in.text(type))
            return Broken(QStringLiteral("описание столбцов оборвано"));
        const QString column = QString::fromUtf8(name);
        if (column.isEmpty() || seen.contains(column))
            return Broken(QStringLiteral("пустое или повторное имя столбца"));
        seen.insert(column);
        table.Columns << column;
        table.DeclaredTypes << QString::fromUtf8(type);
    }
    quint32 declaredRows = 0;
    if (!in.u32(declaredRows))
        return Broken(QStringLiteral("нет числа строк"));

    for (;;) {
        unsigned char mark = 0;
        if (!in.u8(mark))
            return TLegacyError{
                QStringLiteral(
                    "чтение файла Access оборвалось после %1 строк из %2; каталог не записан")
                    .arg(table.Rows.size())
                    .arg(declaredRows)};
        if (mark == 'E')
            break;
        if (mark != 'R')
            return Broken(QStringLiteral("неизвестная метка"));
        // Each cell takes at least one byte: a row count beyond what is left
        // is refused before anything is allocated for it.
        if (in.left() < static_cast<qsizetype>(columns))
            return Broken(QStringLiteral("строка оборвана"));
        std::vector<QVariant> row;
        row.reserve(columns);
        for (quint32 c = 0; c < columns; ++c) {
            unsigned char tag = 0;
            quint64 bits = 0;
            QByteArray text;
            if (!in.u8(tag))
                return Broken(QStringLiteral("строка оборвана"));
            switch (tag) {
            case NullTag:
                row.emplace_back();
                break;
            case IntegerTag:
                if (!in.u64(bits))
                    return Broken(QStringLiteral("строка оборвана"));
                row.emplace_back(static_cast<qint64>(bits));
                break;
            case RealTag: {
                if (!in.u64(bits))
                    return Broken(QStringLiteral("строка оборвана"));
                double value = 0;
                std::memcpy(&value, &bits, sizeof value);
                row.emplace_back(value);
                break;
            }
            case TextTag:
                if (!in.text(text))
                    return Broken(QStringLiteral("строка оборвана"));
                row.emplace_back(QString::fromUtf8(text));
                break;
            default:
                return Broken(QStringLiteral("неизвестный вид ячейки"));
            }
        }
        table.Rows.push_back(std::move(row));
    }
    quint32 sent = 0;
    if (!in.u32(sent) || in.left() != 0 || sent != table.Rows.size())
        return Broken(QStringLiteral("конец отчёта не сходится"));
    if (sent != declaredRows)
        return TLegacyError{
            QStringLiteral("в определении таблицы %1 строк, а прочитано %2: файл повреждён; "
                           "каталог не записан")
                .arg(declaredRows)
                .arg(sent)};
    return table;
}

TLegacyOutcome InterpretLegacyChild(const TLegacyChildRun& run, int timeoutSeconds) {
    const QString said = LastMessage(run.Errors);
    const QString because = said.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(said);
    if (!run.Started)
        return TLegacyError{QStringLiteral("не удалось запустить чтение файла Access")};
    if (run.TimedOut)
        return TLegacyError{
            QStringLiteral("чтение файла Access не закончилось за %1 с: файл, видимо, повреждён; "
                           "каталог не записан")
                .arg(timeoutSeconds)};
    if (run.Crashed)
        return TLegacyError{
            QStringLiteral("файл Access повреждён: его чтение прервалось аварийно%1; "
                           "каталог не записан")
                .arg(because)};
    switch (run.ExitCode) {
    case 0:
        return ParseLegacyReport(run.Output);
    case LegacyCannotOpen:
        return TLegacyError{
            QStringLiteral("файл не открывается как база данных Access%1").arg(because)};
    case LegacyTableMissing:
        return TLegacyError{
            QStringLiteral("в файле нет таблицы «%1» (или её не удалось прочитать)%2")
                .arg(QString::fromUtf8(CatalogueTableName), because)};
    case LegacyTextTooLong:
        return TLegacyError{QStringLiteral(
            "в файле есть текст длиннее, чем может прочитать программа; каталог не записан")};
    case LegacyUnreadableColumns:
        return TLegacyError{
            QStringLiteral("не удалось прочитать описание столбцов таблицы%1").arg(because)};
    default:
        return TLegacyError{QStringLiteral("чтение файла Access завершилось с ошибкой %1%2")
                                .arg(run.ExitCode)
                                .arg(because)};
    }
}
