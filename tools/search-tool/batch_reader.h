#pragma once
// The rows of a batch: JSON Lines or CSV read into the inputs of one search
// each. A row that cannot be read becomes a row with an error; it never
// stops the batch.

#include "search/search_inputs.h"
#include "tools/search-tool/search_options.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QIODevice;

struct BatchRow {
    qint64 Line = 0; // the input line the row starts on, from 1
    QJsonValue Id;   // the row's id as given; undefined when it has none
    QString Address; // as given, also when the row has an error
    bool Tables = false;
    std::optional<SearchInputs> Inputs; // set when the row reads
    QString Error;                      // why it does not, otherwise
};

// A record longer than this is an error row; the reader skips to the next
// line, so one runaway line (or an unclosed quote) costs no more memory.
inline constexpr qsizetype MaxBatchRecordBytes = 1 << 20;

// One JSON Lines line (without its line end). A blank line is no row.
std::optional<BatchRow> ReadJsonLinesRow(const QByteArray& line, qint64 lineNumber);

// The CSV header: its separator (';' or ',', whichever the header holds)
// and one known key per column ("id" or a request key), or an error.
struct CsvHeader {
    char Separator = ',';
    QStringList Keys;
    QString Error;
};

CsvHeader ReadCsvHeader(const QByteArray& record);

// One CSV record (its lines joined, without the last line end) under the
// header. A record of empty fields only is no row.
std::optional<BatchRow> ReadCsvRow(const QByteArray& record, const CsvHeader& header,
                                   qint64 lineNumber);

// The fields of one CSV record; a field that starts with a quote may hold
// separators, line ends and doubled quotes ("a;b", "say ""hi"""). nullopt
// when such a field is left open.
std::optional<QStringList> SplitCsvRecord(const QByteArray& record, char separator);

// Pulls lines out of a device without its line ends ("\r\n" or "\n"); a
// UTF-8 byte order mark at the start is dropped.
class BatchLineReader {
public:
    explicit BatchLineReader(QIODevice& device);

    // False at the end of the input. A line longer than MaxBatchRecordBytes
    // comes back cut short with `tooLong` set; the rest of it is skipped.
    bool Next(QByteArray& line, bool& tooLong);
    qint64 LineNumber() const { return LinesRead; }

private:
    bool Fill();

    QIODevice& Device;
    QByteArray Pending;
    qsizetype Position = 0;
    bool Ended = false;
    qint64 LinesRead = 0;
};

// Records into rows: JSON Lines directly, CSV under the header it reads
// first. Blank records are skipped.
class BatchRowReader {
public:
    BatchRowReader(QIODevice& device, BatchFormat format);

    // Reads the header of a CSV input; an error text when it is unusable
    // (no header, an unknown or doubled column). JSON Lines has none.
    std::optional<QString> Start();

    // False at the end of the input.
    bool Next(BatchRow& row);

    // How many rows the input holds, by reading it through; for a progress
    // count before the batch starts.
    static qint64 CountRows(QIODevice& device, BatchFormat format);

private:
    // One record: a line, or in CSV the lines a quoted field spans.
    bool NextRecord(QByteArray& record, qint64& line, bool& tooLong);

    BatchLineReader Lines;
    BatchFormat Format;
    CsvHeader Header;
};
