#include "tools/search-tool/batch_reader.h"

#include "tools/search-tool/request_fields.h"

#include <QIODevice>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr qsizetype ReadChunk = 1 << 16;

BatchRow ErrorRow(BatchRow row, const QString& error) {
    row.Error = error;
    row.Inputs.reset();
    return row;
}

// Fills the row's inputs from the fields read, or its error.
BatchRow Finish(BatchRow row, const SearchRequestFields& fields) {
    auto inputs = MakeSearchInputs(fields);
    if (const auto* error = std::get_if<QString>(&inputs))
        return ErrorRow(std::move(row), *error);
    row.Inputs = std::get<SearchInputs>(std::move(inputs));
    return row;
}

bool IsBlank(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\r')
            return false;
    }
    return true;
}

// Spreadsheet booleans: 1/0, да/нет, true/false in any letter case.
std::optional<bool> ReadFlag(const QString& text) {
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("1") || word == QLatin1String("true") || word == QStringLiteral("да"))
        return true;
    if (word.isEmpty() || word == QLatin1String("0") || word == QLatin1String("false") ||
        word == QStringLiteral("нет"))
        return false;
    return std::nullopt;
}

// Follows the quotes of a CSV record as its bytes arrive, to tell whether
// a line end falls inside a quoted field.
class CsvQuoteScanner {
public:
    explicit CsvQuoteScanner(char separator) : Separator(separator) {}

    void Feed(const QByteArray& bytes) {
        for (const char c : bytes)
            Feed(c);
    }
    void Feed(char c) {
        if (State == Quoted) {
            if (c == '"')
                State = AfterQuote;
            return;
        }
        if (State == AfterQuote) {
            if (c == '"') { // a doubled quote inside the field
                State = Quoted;
                return;
            }
            State = Plain;
            FieldStart = false;
        }
        if (c == Separator)
            FieldStart = true;
        else if (c == '"' && FieldStart)
            State = Quoted;
        else
            FieldStart = false;
    }
    bool Open() const { return State == Quoted; }

private:
    enum { Plain, Quoted, AfterQuote } State = Plain;
    bool FieldStart = true;
    char Separator;
};

bool IsRowKey(const QString& key) {
    return key == QLatin1String("id") || RequestTextKeys().contains(key) ||
           RequestFlagKeys().contains(key);
}

} // namespace

std::optional<BatchRow> ReadJsonLinesRow(const QByteArray& line, qint64 lineNumber) {
    if (IsBlank(line))
        return std::nullopt;
    BatchRow row;
    row.Line = lineNumber;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(line, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return ErrorRow(row, QStringLiteral("not JSON: %1 at offset %2")
                                 .arg(parseError.errorString())
                                 .arg(parseError.offset));
    if (!document.isObject())
        return ErrorRow(row, QStringLiteral("not a JSON object"));
    const QJsonObject object = document.object();

    // The id and the address first, so that a row with an error still
    // tells which it was.
    const QJsonValue id = object.value(QLatin1String("id"));
    if (id.isString() || id.isDouble())
        row.Id = id;
    else if (!id.isUndefined())
        return ErrorRow(row, QStringLiteral("\"id\" must be a string or a number"));
    if (const QJsonValue address = object.value(QLatin1String("address")); address.isString())
        row.Address = address.toString();

    SearchRequestFields fields;
    for (auto item = object.begin(); item != object.end(); ++item) {
        const QString key = item.key();
        const QJsonValue value = item.value();
        if (key == QLatin1String("id"))
            continue;
        if (RequestTextKeys().contains(key)) {
            if (!value.isString())
                return ErrorRow(row, QStringLiteral("\"%1\" must be a string").arg(key));
            SetRequestText(fields, key, value.toString());
        } else if (RequestFlagKeys().contains(key) || key == QLatin1String("tables")) {
            if (!value.isBool())
                return ErrorRow(row, QStringLiteral("\"%1\" must be true or false").arg(key));
            if (key == QLatin1String("tables"))
                row.Tables = value.toBool();
            else
                SetRequestFlag(fields, key, value.toBool());
        } else {
            return ErrorRow(row, QStringLiteral("unknown key \"%1\"").arg(key));
        }
    }
    return Finish(std::move(row), fields);
}

std::optional<QStringList> SplitCsvRecord(const QByteArray& record, char separator) {
    QStringList fields;
    QByteArray field;
    bool quoted = false; // inside a field that started with a quote
    bool fieldStart = true;
    for (qsizetype i = 0; i < record.size(); ++i) {
        const char c = record.at(i);
        if (quoted) {
            if (c != '"') {
                field.append(c);
            } else if (i + 1 < record.size() && record.at(i + 1) == '"') {
                field.append('"');
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == separator) {
            fields.append(QString::fromUtf8(field));
            field.clear();
            fieldStart = true;
            continue;
        }
        if (c == '"' && fieldStart)
            quoted = true;
        else
            field.append(c);
        fieldStart = false;
    }
    if (quoted)
        return std::nullopt;
    fields.append(QString::fromUtf8(field));
    return fields;
}

CsvHeader ReadCsvHeader(const QByteArray& record) {
    CsvHeader header;
    // The keys hold neither separator, so the header tells which it is.
    header.Separator = record.contains(';') ? ';' : ',';
    const auto names = SplitCsvRecord(record, header.Separator);
    if (!names) {
        header.Error = QStringLiteral("the header row leaves a quote open");
        return header;
    }
    for (const QString& name : *names) {
        const QString key = name.trimmed();
        if (!IsRowKey(key)) {
            header.Error = QStringLiteral("unknown column \"%1\" in the header row").arg(key);
            return header;
        }
        if (header.Keys.contains(key)) {
            header.Error = QStringLiteral("column \"%1\" twice in the header row").arg(key);
            return header;
        }
        header.Keys.append(key);
    }
    return header;
}

std::optional<BatchRow> ReadCsvRow(const QByteArray& record, const CsvHeader& header,
                                   qint64 lineNumber) {
    BatchRow row;
    row.Line = lineNumber;
    const auto split = SplitCsvRecord(record, header.Separator);
    if (!split)
        return ErrorRow(row, QStringLiteral("a quoted field is not closed"));
    const QStringList& values = *split;
    bool blank = true;
    for (const QString& value : values)
        blank = blank && value.trimmed().isEmpty();
    if (blank)
        return std::nullopt;

    const qsizetype columns = header.Keys.size();
    for (qsizetype i = 0; i < values.size() && i < columns; ++i) {
        if (header.Keys.at(i) == QLatin1String("address"))
            row.Address = values.at(i);
        else if (header.Keys.at(i) == QLatin1String("id") && !values.at(i).isEmpty())
            row.Id = values.at(i);
    }
    // Spreadsheets pad short rows with separators; only a value past the
    // last column is an error.
    for (qsizetype i = columns; i < values.size(); ++i) {
        if (!values.at(i).trimmed().isEmpty())
            return ErrorRow(row, QStringLiteral("the row has %1 fields, the header %2")
                                     .arg(values.size())
                                     .arg(columns));
    }

    SearchRequestFields fields;
    for (qsizetype i = 0; i < values.size() && i < columns; ++i) {
        const QString& key = header.Keys.at(i);
        const QString& value = values.at(i);
        if (key == QLatin1String("id"))
            continue;
        if (RequestFlagKeys().contains(key)) {
            const auto flag = ReadFlag(value);
            if (!flag)
                return ErrorRow(row, QStringLiteral("\"%1\" must be 1/0, да/нет or true/false, "
                                                    "not \"%2\"")
                                         .arg(key, value));
            SetRequestFlag(fields, key, *flag);
        } else if (!value.isEmpty()) {
            // An empty cell is a value not given, as a missing column is.
            SetRequestText(fields, key, value);
        }
    }
    return Finish(std::move(row), fields);
}

BatchLineReader::BatchLineReader(QIODevice& device) : Device(device) {}

bool BatchLineReader::Fill() {
    if (Ended)
        return false;
    Pending.remove(0, Position);
    Position = 0;
    const QByteArray chunk = Device.read(ReadChunk);
    if (chunk.isEmpty()) {
        Ended = true;
        return false;
    }
    Pending.append(chunk);
    return true;
}

bool BatchLineReader::Next(QByteArray& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    bool consumed = false;
    for (;;) {
        if (Position >= Pending.size() && !Fill()) {
            if (!consumed)
                return false;
            break; // a last line without a line end
        }
        consumed = true;
        const qsizetype newline = Pending.indexOf('\n', Position);
        const qsizetype end = newline < 0 ? Pending.size() : newline;
        const qsizetype room = MaxBatchRecordBytes - line.size();
        if (end - Position > room)
            tooLong = true;
        line.append(Pending.constData() + Position, std::min(end - Position, room));
        Position = end;
        if (newline >= 0) {
            Position = newline + 1;
            break;
        }
    }
    ++LinesRead;
    if (line.endsWith('\r'))
        line.chop(1);
    if (LinesRead == 1 && line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    return true;
}

BatchRowReader::BatchRowReader(QIODevice& device, BatchFormat format)
    : Lines(device), Format(format) {}

bool BatchRowReader::NextRecord(QByteArray& record, qint64& line, bool& tooLong) {
    if (!Lines.Next(record, tooLong))
        return false;
    line = Lines.LineNumber();
    if (Format != BatchFormat::Csv)
        return true;
    // A line end inside a quoted field continues the record.
    CsvQuoteScanner quotes(Header.Separator);
    quotes.Feed(record);
    QByteArray more;
    bool moreTooLong = false;
    while (!tooLong && quotes.Open() && Lines.Next(more, moreTooLong)) {
        if (record.size() + 1 + more.size() > MaxBatchRecordBytes || moreTooLong) {
            tooLong = true;
            break;
        }
        quotes.Feed('\n');
        quotes.Feed(more);
        record.append('\n').append(more);
    }
    return true;
}

std::optional<QString> BatchRowReader::Start() {
    if (Format != BatchFormat::Csv)
        return std::nullopt;
    QByteArray record;
    bool tooLong = false;
    // The header's own separator is not known yet; its keys hold no quotes.
    do {
        if (!Lines.Next(record, tooLong))
            return QStringLiteral("no header row");
    } while (IsBlank(record));
    if (tooLong)
        return QStringLiteral("the header row is too long");
    Header = ReadCsvHeader(record);
    if (!Header.Error.isEmpty())
        return Header.Error;
    return std::nullopt;
}

bool BatchRowReader::Next(BatchRow& row) {
    QByteArray record;
    qint64 line = 0;
    bool tooLong = false;
    while (NextRecord(record, line, tooLong)) {
        if (tooLong) {
            row = BatchRow{};
            row.Line = line;
            row.Error = QStringLiteral("the row is longer than %1 bytes").arg(MaxBatchRecordBytes);
            return true;
        }
        auto read = Format == BatchFormat::Csv ? ReadCsvRow(record, Header, line)
                                               : ReadJsonLinesRow(record, line);
        if (read) {
            row = std::move(*read);
            return true;
        }
    }
    return false;
}

qint64 BatchRowReader::CountRows(QIODevice& device, BatchFormat format) {
    BatchRowReader reader(device, format);
    if (reader.Start())
        return 0;
    qint64 rows = 0;
    BatchRow row;
    while (reader.Next(row))
        ++rows;
    return rows;
}
