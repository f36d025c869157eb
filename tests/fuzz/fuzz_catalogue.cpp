// Arbitrary bytes as the catalogue file "database.mdb", read by the filter
// and by a whole search. Whatever the file holds, the reader gives variants
// or a clear error, never a crash; the search ends in a message, a result or
// a database error with its text; and the file is only read: its bytes stay
// as they were and no journal, WAL or shared-memory file appears beside it.
//
// The seed corpus holds small valid catalogues, so mutations land in real
// table pages. SQLite itself comes with Qt's driver and is not instrumented;
// the coverage that guides the fuzzer is that of the reader and the engine.

#include "search/catalogue.h"
#include "search/search.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdlib.h>

namespace {

QString g_directory;
QString g_catalogue;

[[noreturn]] void Fail(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "invariant broken: %s [%s]\n", what, detail.toUtf8().constData());
    std::abort();
}

void RemoveDirectory() {
    if (!g_directory.isEmpty())
        QDir(g_directory).removeRecursively();
}

void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// Limits wide enough for every row the seeds hold, so a mutated file is
// read row by row rather than filtered away.
TFilterParameters WideOpenParameters() {
    TFilterParameters p;
    p.k = p.s = 5.0;
    p.l = 9999;
    p.m = 100;
    p.n = 1.0e12L;
    p.o = 45;
    p.p = p.t = 50;
    p.r1 = p.r2 = p.r3 = 0;
    return p;
}

SearchInputs FullSearch() {
    SearchInputs in;
    in.CriteriaGroup = FullGroup;
    in.SlopeText = QStringLiteral("5");
    in.RepairVolumeText = QStringLiteral("9999");
    in.RoofThicknessText = QStringLiteral("100");
    in.MaxCostText = QStringLiteral("1000000000000");
    in.AirTemperatureText = QStringLiteral("45");
    in.WearText = QStringLiteral("50");
    in.OpenFireAllowed = in.WeightingAllowed = in.PowerSupplyAccess = true;
    in.InternalTicks.fill(true);
    in.ExternalTicks.fill(true);
    return in;
}

void CheckFileUntouched(const QByteArray& written) {
    QFile file(g_catalogue);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != written)
        Fail("the catalogue file is never written");
    const QStringList beside =
        QDir(g_directory).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    if (beside != QStringList{QStringLiteral("database.mdb")})
        Fail("no file appears beside the catalogue", beside.join(u' '));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static int appArgc = 1;
    static char* appArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    new QCoreApplication(appArgc, appArgv);
    qInstallMessageHandler(Quiet);
    QByteArray pattern = QDir::tempPath().toUtf8() + "/zirs-fuzz-catalogue-XXXXXX";
    if (!mkdtemp(pattern.data()))
        Fail("temporary directory");
    g_directory = QString::fromUtf8(pattern);
    g_catalogue = g_directory + QStringLiteral("/database.mdb");
    std::atexit(RemoveDirectory);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(g_catalogue);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes) != bytes.size())
            Fail("writing the catalogue file");
    }

    const TCatalogueOutcome filtered = RunCatalogueFilter(g_catalogue, WideOpenParameters());
    if (const auto* error = std::get_if<TCatalogueError>(&filtered)) {
        if (error->Text.trimmed().isEmpty())
            Fail("a failure comes with its text");
    }
    CheckFileUntouched(bytes);

    SearchInputs inputs = FullSearch();
    SearchState state;
    const SearchOutcome outcome = RunSearch(inputs, g_catalogue, state);
    switch (outcome.Kind) {
    case SearchOutcomeKind::DatabaseError:
        if (outcome.Text.trimmed().isEmpty())
            Fail("a database error comes with its text");
        if (state.CatalogueRan)
            Fail("a failed query leaves no admissible variants");
        break;
    case SearchOutcomeKind::Message:
        if (outcome.Text.isEmpty())
            Fail("a message has its text");
        break;
    case SearchOutcomeKind::Result:
        if (!state.Result || state.Catalogue.Variants.empty())
            Fail("a result comes from admissible variants");
        break;
    }
    // Both readings of the same file agree on whether it can be read.
    if (std::holds_alternative<TCatalogueError>(filtered) !=
        (outcome.Kind == SearchOutcomeKind::DatabaseError))
        Fail("the filter and the search agree on the file");
    CheckFileUntouched(bytes);
    return 0;
}
