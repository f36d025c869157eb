#include "tools/search-tool/batch_answer.h"

#include "engine/search_result.h"
#include "tools/search-tool/search_json.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace {

constexpr int CsvPlaces = 5;

QJsonValue IdValue(const BatchRow& row) {
    return row.Id.isUndefined() ? QJsonValue(QJsonValue::Null) : row.Id;
}

QByteArray CompactLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QString IdText(const BatchRow& row) {
    if (row.Id.isString())
        return row.Id.toString();
    if (row.Id.isDouble())
        return row.Id.toVariant().toString();
    return {};
}

QByteArray CsvField(const QString& text) {
    QByteArray bytes = text.toUtf8();
    const bool quote = bytes.contains(';') || bytes.contains('"') || bytes.contains('\n') ||
                       bytes.contains('\r') || bytes.startsWith(' ') || bytes.endsWith(' ');
    if (!quote)
        return bytes;
    bytes.replace("\"", "\"\"");
    return '"' + bytes + '"';
}

QByteArray CsvLine(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        line += CsvField(fields.at(i));
    }
    return line + '\n';
}

QString KindText(TResultKind kind) {
    switch (kind) {
    case TResultKind::Single:
        return QStringLiteral("один вариант");
    case TResultKind::Laplace:
        return QStringLiteral("Лаплас");
    case TResultKind::Wald:
        return QStringLiteral("Вальд");
    }
    return {};
}

} // namespace

QByteArray BatchJsonLine(const BatchRow& row, const BatchOutcome* outcome) {
    if (!outcome || outcome->Outcome.Kind == SearchOutcomeKind::DatabaseError) {
        return CompactLine(QJsonObject{
            {QStringLiteral("line"), row.Line},
            {QStringLiteral("id"), IdValue(row)},
            {QStringLiteral("status"), outcome ? QStringLiteral("error") : QStringLiteral("usage")},
            {QStringLiteral("message"), outcome ? outcome->Outcome.Text : row.Error}});
    }
    QJsonObject answer =
        SearchAnswerJson(outcome->Outcome, outcome->Inputs, outcome->State, row.Tables);
    answer.insert(QStringLiteral("line"), row.Line);
    answer.insert(QStringLiteral("id"), IdValue(row));
    if (!outcome->ReportFile.isEmpty())
        answer.insert(QStringLiteral("report"), outcome->ReportFile);
    if (!outcome->ReportError.isEmpty())
        answer.insert(QStringLiteral("report_error"), outcome->ReportError);
    return CompactLine(answer);
}

QByteArray BatchCsvHeader() {
    QStringList names = {QStringLiteral("line"),    QStringLiteral("id"),
                         QStringLiteral("address"), QStringLiteral("status"),
                         QStringLiteral("outcome"), QStringLiteral("admissible"),
                         QStringLiteral("rejected")};
    for (int p = 1; p <= CsvPlaces; ++p)
        names << QStringLiteral("name%1").arg(p) << QStringLiteral("criterion%1").arg(p);
    names << QStringLiteral("report");
    // The byte order mark tells spreadsheets the file is UTF-8.
    return "\xEF\xBB\xBF" + CsvLine(names);
}

QByteArray BatchCsvRow(const BatchRow& row, const BatchOutcome* outcome) {
    QStringList fields = {QString::number(row.Line), IdText(row),
                          outcome ? outcome->Inputs.Address : row.Address};
    QString status, text, admissible, rejected;
    QStringList places;
    const TSearchResult* result = nullptr;
    if (!outcome) {
        status = QStringLiteral("usage");
        text = row.Error;
    } else if (outcome->Outcome.Kind == SearchOutcomeKind::DatabaseError) {
        status = QStringLiteral("error");
        text = outcome->Outcome.Text;
    } else if (outcome->Outcome.Kind == SearchOutcomeKind::Message || !outcome->State.Result) {
        status = QStringLiteral("message");
        text = outcome->Outcome.Text;
    } else {
        result = &*outcome->State.Result;
        status = QStringLiteral("result");
        text = KindText(result->Kind);
        admissible = QString::number(result->AdmissibleCount);
        rejected = QString::number(result->RejectedCount);
    }
    fields << status << text << admissible << rejected;
    // The places the single search's answer lists: one for a single variant,
    // else up to the admissible count.
    const int shown = result ? ShownPlaceCount(*result) : 0;
    for (int p = 0; p < CsvPlaces; ++p) {
        if (p < shown) {
            const TRankedVariant& variant = result->Ranked[std::size_t(p)];
            fields << QString::fromStdString(variant.Name)
                   << QString::fromStdString(variant.CriterionText);
        } else {
            fields << QString() << QString();
        }
    }
    fields << (outcome ? outcome->ReportFile : QString());
    return CsvLine(fields);
}

QString BatchReportFileName(qint64 line, const QString& address) {
    QString name = QStringLiteral("%1").arg(line, 4, 10, QLatin1Char('0'));
    // Long addresses are cut so the name stays within a file system's limit.
    constexpr int MaxAddressCharacters = 100;
    QString safe;
    for (const QChar c : address.left(MaxAddressCharacters)) {
        const bool unsafe = c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate() ||
                            QStringLiteral("/\\:*?\"<>|").contains(c);
        safe += unsafe ? QLatin1Char('_') : c;
    }
    if (!safe.isEmpty())
        name += QLatin1Char('-') + safe;
    return name + QStringLiteral(".pdf");
}
