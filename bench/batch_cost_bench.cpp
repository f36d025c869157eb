// What one batch row costs, step by step, on the bundled catalogue with the
// README's Wald request (8 admissible variants, all 15 criteria): reading
// the JSON line, the prepared filter query on a kept connection, the rest of
// the search (validation, criteria, engine), and the answer line. The sum is
// the single-core cost per row that `zirs-search --batch --jobs 1` pays
// besides reading and writing its streams.
//
//   batch_cost_bench [CATALOGUE]   (default: database.mdb)

#include "search/catalogue.h"
#include "search/filter_parameters.h"
#include "search/search.h"
#include "tools/search-tool/batch_answer.h"
#include "tools/search-tool/batch_reader.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <cstdlib>

namespace {

QString CataloguePath = QString::fromLatin1(DefaultCatalogueFileName);

const QByteArray WaldLine =
    "{\"id\":1,\"address\":\"ул. Ленина, д. "
    "1\",\"group\":\"full\",\"slope\":\"3\",\"volume\":\"300\","
    "\"thickness\":\"20\",\"cost\":\"3000\",\"temperature\":\"10\",\"wear\":\"45\","
    "\"open-fire\":true,\"weighting\":true,\"power-supply\":true}";

BatchRow WaldRow() {
    return *ReadJsonLinesRow(WaldLine, 1);
}

TFilterParameters WaldParameters() {
    SearchInputs inputs = *WaldRow().Inputs;
    const auto request = ValidateSearchRequest(inputs);
    return BindFilterParameters(std::get<TSearchRequest>(request));
}

void OpenOrSkip(TCatalogueConnection& connection, benchmark::State& state) {
    if (const auto error = connection.Open(CataloguePath))
        state.SkipWithError(error->Text.toUtf8().constData());
}

void ReadRow(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJsonLinesRow(WaldLine, 1));
}

void FilterQuery(benchmark::State& state) {
    TCatalogueConnection connection;
    OpenOrSkip(connection, state);
    const TFilterParameters parameters = WaldParameters();
    int rows = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(connection.Filter(parameters, rows));
}

// The whole search with the filter's answer handed over from memory: what
// the search costs besides the query.
void SearchWithoutQuery(benchmark::State& state) {
    TCatalogueConnection connection;
    OpenOrSkip(connection, state);
    int catalogueRows = 0;
    const TCatalogueOutcome variants = connection.Filter(WaldParameters(), catalogueRows);
    const CatalogueFilterFunction filter = [&](const TFilterParameters&, int& rows) {
        rows = catalogueRows;
        return variants;
    };
    const SearchInputs inputs = *WaldRow().Inputs;
    for (auto _ : state) {
        SearchInputs in = inputs;
        SearchState search;
        benchmark::DoNotOptimize(RunSearchWith(in, filter, search));
    }
}

void AnswerLine(benchmark::State& state) {
    TCatalogueConnection connection;
    OpenOrSkip(connection, state);
    const BatchRow row = WaldRow();
    BatchOutcome outcome;
    outcome.Inputs = *row.Inputs;
    outcome.Outcome = RunSearchWith(
        outcome.Inputs,
        [&](const TFilterParameters& p, int& rows) { return connection.Filter(p, rows); },
        outcome.State);
    for (auto _ : state)
        benchmark::DoNotOptimize(BatchJsonLine(row, &outcome));
}

// All of it for one row, as a worker does it.
void WholeRow(benchmark::State& state) {
    TCatalogueConnection connection;
    OpenOrSkip(connection, state);
    const CatalogueFilterFunction filter = [&](const TFilterParameters& p, int& rows) {
        return connection.Filter(p, rows);
    };
    for (auto _ : state) {
        const BatchRow row = *ReadJsonLinesRow(WaldLine, 1);
        BatchOutcome outcome;
        outcome.Inputs = *row.Inputs;
        outcome.Outcome = RunSearchWith(outcome.Inputs, filter, outcome.State);
        benchmark::DoNotOptimize(BatchJsonLine(row, &outcome));
    }
}

BENCHMARK(ReadRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(FilterQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(SearchWithoutQuery)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnswerLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeRow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1)
        CataloguePath = QString::fromLocal8Bit(argv[1]);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
