#pragma once
// The answer to one batch row, as a JSON line or a CSV row.

#include "search/search.h"
#include "tools/search-tool/batch_reader.h"

#include <QByteArray>
#include <QString>

// What a row's search left: the outcome, the inputs as validation left them
// (clamped texts), the state, and the report written for it, if any.
struct BatchOutcome {
    SearchOutcome Outcome;
    SearchInputs Inputs;
    SearchState State;
    QString ReportFile;  // the report's path, when one was written
    QString ReportError; // why the report could not be written
};

// The single search's JSON object, compact on one line, with "line" and
// "id" added (and "report" or "report_error" when a report was asked for).
// A row that could not be read (`outcome` null) answers
// {"line", "id", "status": "usage", "message"}; a catalogue failure
// {"line", "id", "status": "error", "message"}.
QByteArray BatchJsonLine(const BatchRow& row, const BatchOutcome* outcome);

// The CSV answer: a header row, then one row per input row with the line,
// id, address, status, outcome text ("Лаплас", "Вальд", "один вариант" or
// the message), the admissible and rejected counts, name and criterion of
// places 1-5 and the report's path. Separated by ';', so the criterion
// texts keep their decimal comma unquoted.
QByteArray BatchCsvHeader();
QByteArray BatchCsvRow(const BatchRow& row, const BatchOutcome* outcome);

// The report file of a row: "NNNN-<address>.pdf", NNNN the input line
// (at least four digits) and every character unsafe in a file name in the
// address replaced by '_'.
QString BatchReportFileName(qint64 line, const QString& address);
