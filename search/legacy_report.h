#pragma once
// The report in which the reader of an old Access (Jet) catalogue hands the
// table to the catalogue tool. The reader runs in a child process; the tool
// trusts nothing it receives: every length is checked against what is left,
// and a report that does not end as declared, or holds fewer or more rows
// than the table definition counts, is refused whole.
//
// Layout (little-endian): "ZIRSJET1"; u32 column count; per column the name
// and the declared type, each as u32 length + UTF-8; u32 row count of the
// table definition; per row 'R' and one cell per column (0 empty; 1 integer,
// 8 bytes; 2 real, the 8 bytes of the double; 3 text, u32 length + UTF-8);
// finally 'E' and u32 the number of rows sent.

#include "catalogue_table.h"

#include <QByteArray>
#include <QString>

#include <variant>

struct TLegacyError {
    QString Text;
};

using TLegacyOutcome = std::variant<TCatalogueTable, TLegacyError>;

// Writing side, used by the reader.
class LegacyReportWriter {
public:
    void begin(const QStringList& columns, const QStringList& declaredTypes, quint32 declaredRows);
    void beginRow();
    void nullCell();
    void integerCell(qint64 value);
    void realCell(double value);
    void textCell(const QByteArray& utf8);
    void end();
    const QByteArray& bytes() const { return m_bytes; }
    // Hands over what is written so far (the reader streams it out).
    QByteArray take();

private:
    QByteArray m_bytes;
    quint32 m_rows = 0;
};

// Reads a whole report back; any inconsistency is an error.
TLegacyOutcome ParseLegacyReport(const QByteArray& report);

// How the child ended.
struct TLegacyChildRun {
    bool Started = true;
    bool TimedOut = false;
    bool Crashed = false; // killed by a signal
    int ExitCode = 0;
    QByteArray Output; // stdout: the report
    QByteArray Errors; // stderr: what the library printed
};

// The reader's exit codes other than 0.
enum LegacyChildExit {
    LegacyCannotOpen = 3,
    LegacyTableMissing = 4,
    LegacyTextTooLong = 5,
    LegacyUnreadableColumns = 6,
};

// Turns whatever the child did into the table or one clear Russian error.
TLegacyOutcome InterpretLegacyChild(const TLegacyChildRun& run, int timeoutSeconds);
