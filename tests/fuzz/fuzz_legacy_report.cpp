// Arbitrary bytes as what the Access reader's child process reports, with
// arbitrary endings of the child. The parent gives the table or one clear
// error, never a crash; a table it accepts has every row as wide as its
// header and survives being written again and read back unchanged.

#include "search/legacy_report.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

bool SameCell(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == QMetaType::Double) {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    return a == b;
}

void CheckTable(const TCatalogueTable& table) {
    if (table.Columns.isEmpty() || table.Columns.size() != table.DeclaredTypes.size())
        Fail("header");
    LegacyReportWriter again;
    again.begin(table.Columns, table.DeclaredTypes, static_cast<quint32>(table.Rows.size()));
    for (const auto& row : table.Rows) {
        if (row.size() != static_cast<std::size_t>(table.Columns.size()))
            Fail("row width");
        again.beginRow();
        for (const QVariant& cell : row) {
            if (cell.isNull())
                again.nullCell();
            else if (cell.typeId() == QMetaType::LongLong)
                again.integerCell(cell.toLongLong());
            else if (cell.typeId() == QMetaType::Double)
                again.realCell(cell.toDouble());
            else
                again.textCell(cell.toString().toUtf8());
        }
    }
    again.end();
    const TLegacyOutcome reread = ParseLegacyReport(again.bytes());
    const auto* copy = std::get_if<TCatalogueTable>(&reread);
    if (!copy || copy->Columns != table.Columns || copy->DeclaredTypes != table.DeclaredTypes ||
        copy->Rows.size() != table.Rows.size())
        Fail("round trip");
    for (std::size_t r = 0; r < table.Rows.size(); ++r)
        for (std::size_t c = 0; c < table.Rows[r].size(); ++c)
            if (!SameCell(copy->Rows[r][c], table.Rows[r][c]))
                Fail("cell round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks how the child ended; the rest is its output.
    TLegacyChildRun run;
    if (size > 0) {
        const std::uint8_t ending = data[0];
        run.Started = ending != 0xFF;
        run.TimedOut = ending == 0xFE;
        run.Crashed = ending == 0xFD;
        run.ExitCode = ending < 8 ? ending : 0;
        ++data;
        --size;
    }
    run.Output = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    run.Errors = run.Output.right(64);
    const TLegacyOutcome outcome = InterpretLegacyChild(run, 10);
    if (const auto* error = std::get_if<TLegacyError>(&outcome)) {
        if (error->Text.isEmpty())
            Fail("empty error");
    } else {
        if (run.ExitCode != 0 || run.Crashed || run.TimedOut || !run.Started)
            Fail("table from a failed child");
        CheckTable(std::get<TCatalogueTable>(outcome));
    }
    return 0;
}
