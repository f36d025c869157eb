// Arbitrary bytes as a batch input, JSON Lines or CSV, through the row
// reader and the answer writers. Every row must come out with a line number
// above the last one and either inputs or an error; the answer to a row that
// could not be read must read back as what it says: one JSON object with its
// line, or one CSV record of the answer's columns with its line and status.
//
// Input: byte 0 chooses the format (even: JSON Lines, odd: CSV); the rest is
// the file.

#include "tools/search-tool/batch_answer.h"
#include "tools/search-tool/batch_reader.h"

#include <QBuffer>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Check(bool ok, const char* what, const QString& detail = {}) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s [%s]\n", what, detail.toUtf8().constData());
        std::abort();
    }
}

constexpr int CsvAnswerColumns = 18;

// A text as it reads back from UTF-8: a lone surrogate from a JSON escape
// cannot be written, and comes back replaced.
QString AsWritten(const QString& text) {
    return QString::fromUtf8(text.toUtf8());
}

void CheckAnswers(const BatchRow& row) {
    const QByteArray json = BatchJsonLine(row, nullptr);
    Check(json.endsWith('\n') && json.count('\n') == 1, "one JSON line per answer");
    const QJsonObject answer = QJsonDocument::fromJson(json).object();
    Check(answer.value("line").toInteger() == row.Line, "JSON answer carries the line");
    Check(answer.value("status").toString() == "usage", "JSON answer is a usage answer");
    Check(AsWritten(answer.value("message").toString()) == AsWritten(row.Error),
          "JSON answer carries the error");

    QByteArray csv = BatchCsvRow(row, nullptr);
    Check(csv.endsWith('\n'), "CSV answer ends its line");
    csv.chop(1);
    const auto fields = SplitCsvRecord(csv, ';');
    Check(fields && fields->size() == CsvAnswerColumns, "CSV answer has its columns",
          QString::fromUtf8(csv));
    Check(fields->at(0) == QString::number(row.Line) && fields->at(3) == "usage" &&
              fields->at(4) == AsWritten(row.Error),
          "CSV answer carries line, status and error", QString::fromUtf8(csv));
    // What the row gave back as its address survives quoting (invalid
    // UTF-8 was already replaced when the row was read).
    Check(fields->at(2) == AsWritten(row.Address), "CSV answer carries the address", row.Address);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const BatchFormat format = data[0] % 2 ? BatchFormat::Csv : BatchFormat::JsonLines;
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    buffer.open(QIODevice::ReadOnly);
    BatchRowReader reader(buffer, format);
    if (const auto error = reader.Start()) {
        Check(format == BatchFormat::Csv && !error->isEmpty(), "only a CSV header can fail");
        return 0;
    }
    qint64 lastLine = format == BatchFormat::Csv ? 1 : 0;
    BatchRow row;
    while (reader.Next(row)) {
        Check(row.Line > lastLine, "rows in input order, one line each at least");
        lastLine = row.Line;
        Check(bool(row.Inputs) == row.Error.isEmpty(), "inputs or an error, never both");
        if (row.Inputs) {
            const SearchInputs& in = *row.Inputs;
            Check(in.CriteriaGroup >= NoGroup && in.CriteriaGroup <= SelectiveGroup,
                  "group within the list");
            Check(in.Subject >= NoSubject && in.Subject <= Designer, "subject within the list");
            Check(in.Address == row.Address, "the address as read");
            continue;
        }
        CheckAnswers(row);
    }
    return 0;
}
