#include "catalogue_csv.h"

#include "catalogue.h"
#include "catalogue_columns.h"

#include <QHash>

#include <charconv>
#include <cmath>
#include <string>

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

bool IsTextType(const QString& declared) {
    const QString upper = declared.toUpper();
    return upper.contains(QStringLiteral("CHAR")) || upper.contains(QStringLiteral("CLOB")) ||
           upper.contains(QStringLiteral("TEXT")) || upper.contains(QStringLiteral("MEMO"));
}

void AppendQuoted(QByteArray& out, const QString& text) {
    out += '"';
    QByteArray bytes = text.toUtf8();
    bytes.replace('"', "\"\"");
    out += bytes;
    out += '"';
}

void AppendCell(QByteArray& out, const QVariant& cell) {
    if (cell.isNull())
        return;
    switch (cell.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        out += QByteArray::fromStdString(CatalogueCellText(cell));
        return;
    case QMetaType::QByteArray:
        AppendQuoted(out, QString::fromUtf8(cell.toByteArray()));
        return;
    default:
        AppendQuoted(out, cell.toString());
        return;
    }
}

struct Field {
    QString Text;
    bool Quoted = false;
};

// Splits the records; a quoted field may hold separators, quotes (doubled)
// and line breaks.
std::variant<std::vector<std::vector<Field>>, TCsvError> SplitRecords(const QString& text) {
    std::vector<std::vector<Field>> records;
    std::vector<Field> record;
    Field field;
    bool inQuotes = false;
    bool fieldStarted = false;
    int line = 1;
    const auto endField = [&] {
        record.push_back(std::move(field));
        field = Field{};
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        // A blank line is no record.
        if (!(record.size() == 1 && !record[0].Quoted && record[0].Text.isEmpty()))
            records.push_back(std::move(record));
        record.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.Text += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field.Text += c;
            }
            continue;
        }
        if (c == u'"') {
            if (fieldStarted)
                return TCsvError{
                    QStringLiteral("строка %1 файла: кавычка внутри поля без кавычек").arg(line)};
            field.Quoted = true;
            fieldStarted = true;
            inQuotes = true;
        } else if (c == u';') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRecord();
            ++line;
        } else {
            if (field.Quoted)
                return TCsvError{
                    QStringLiteral("строка %1 файла: текст после закрывающей кавычки").arg(line)};
            field.Text += c;
            fieldStarted = true;
        }
    }
    if (inQuotes)
        return TCsvError{QStringLiteral("файл кончается внутри поля в кавычках")};
    if (fieldStarted || !record.empty())
        endRecord();
    return records;
}

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

QString KnownColumnType(const QString& column) {
    static const QHash<QString, QString> types = [] {
        QHash<QString, QString> map;
        const auto add = [&map](const char* name, const char* type) {
            map.insert(QString::fromUtf8(name), QString::fromLatin1(type));
        };
        add(NameColumn, "VARCHAR(200)");
        add(ProcessCompositionColumn, "TEXT");
        for (const char* c :
             {MaxSlopeColumn, MinThicknessColumn, MinTemperatureColumn, MinVolumeColumn,
              MaxWearColumn, NoOpenFireColumn, NoWeightingColumn, NoPowerSupplyColumn})
            add(c, "SMALLINT");
        for (int i = 2; i <= 8; ++i)
            add(InternalCriterionColumns[i], "SMALLINT");
        for (const char* c : ExternalFactorColumns)
            add(c, "SMALLINT");
        add(InternalCriterionColumns[0], "DECIMAL(19,4)");
        add(InternalCriterionColumns[1], "DECIMAL(3,2)");
        add(InternalCriterionColumns[9], "DECIMAL(3,1)");
        add(MinSlopeColumn, "DECIMAL(3,1)");
        add(MinWearColumn, "DECIMAL(4,1)");
        return map;
    }();
    return types.value(column);
}

QVariant NumberFromText(const QString& text) {
    // Digits, one optional sign, one decimal separator, an optional
    // exponent: nothing else ("inf", "0x1p3", "1 200") reads as a number.
    const int start = text.startsWith(u'-') ? 1 : 0;
    if (text.size() <= start || !IsAsciiDigit(text[start]))
        return {};
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(text.size()));
    bool integral = true;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsAsciiDigit(c) || (c == u'-' && i == 0)) {
            ascii += static_cast<char>(c.unicode());
        } else if (c == u',' || c == u'.') {
            ascii += '.';
            integral = false;
        } else if (c == u'e' || c == u'E' || c == u'+' || c == u'-') {
            ascii += static_cast<char>(c.unicode());
            integral = false;
        } else {
            return {};
        }
    }
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    if (integral) {
        qint64 value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        if (error == std::errc() && end == last)
            return QVariant(value);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return {};
    return QVariant(value);
}

QByteArray CatalogueCsv(const TCatalogueTable& table) {
    QByteArray out = ByteOrderMark;
    for (int c = 0; c < table.Columns.size(); ++c) {
        if (c > 0)
            out += ';';
        AppendQuoted(out, table.Columns[c]);
    }
    out += "\r\n";
    for (const auto& row : table.Rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += ';';
            AppendCell(out, row[c]);
        }
        out += "\r\n";
    }
    return out;
}

std::variant<TCatalogueTable, TCsvError> CatalogueFromCsv(const QByteArray& bytes) {
    QByteArray body = bytes;
    if (body.startsWith(ByteOrderMark))
        body.remove(0, ByteOrderMark.size());
    const QString text = QString::fromUtf8(body);
    if (text.contains(QChar::ReplacementCharacter) && !body.contains("\xEF\xBF\xBD"))
        return TCsvError{QStringLiteral("файл не в кодировке UTF-8")};

    auto split = SplitRecords(text);
    if (const auto* error = std::get_if<TCsvError>(&split))
        return *error;
    auto& records = std::get<std::vector<std::vector<Field>>>(split);
    if (records.empty())
        return TCsvError{QStringLiteral("файл пуст: нет даже строки заголовка")};

    TCatalogueTable table;
    for (const Field& heading : records.front()) {
        const QString name = heading.Text;
        if (name.isEmpty())
            return TCsvError{QStringLiteral("в строке заголовка пустое имя столбца")};
        if (table.Columns.contains(name))
            return TCsvError{QStringLiteral("столбец «%1» в заголовке дважды").arg(name)};
        table.Columns << name;
        table.DeclaredTypes << KnownColumnType(name);
    }
    for (std::size_t r = 1; r < records.size(); ++r) {
        const auto& record = records[r];
        if (record.size() != static_cast<std::size_t>(table.Columns.size()))
            return TCsvError{QStringLiteral("запись %1: полей %2, а столбцов в заголовке %3")
                                 .arg(r + 1)
                                 .arg(record.size())
                                 .arg(table.Columns.size())};
        std::vector<QVariant> row;
        row.reserve(record.size());
        for (std::size_t c = 0; c < record.size(); ++c) {
            const Field& field = record[c];
            if (!field.Quoted && field.Text.isEmpty()) {
                row.emplace_back();
                continue;
            }
            // Columns of ours with a number type read numbers, quoted or not;
            // a column the catalogue does not know keeps a quoted field as
            // text, as it was exported.
            const QString& declared = table.DeclaredTypes[static_cast<int>(c)];
            const bool numeric = declared.isEmpty() ? !field.Quoted : !IsTextType(declared);
            if (numeric) {
                const QVariant number = NumberFromText(field.Text);
                if (number.isValid()) {
                    row.push_back(number);
                    continue;
                }
            }
            row.emplace_back(field.Text);
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}
