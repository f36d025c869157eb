#pragma once
// The one path of a search, from the window's inputs to its outcome. The main
// window and zirs-search both call RunSearch; neither repeats any step of it.

#include "catalogue.h"
#include "engine/normalized_matrix.h"
#include "engine/search_result.h"
#include "engine/technology_variant.h"
#include "search/search_inputs.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What outlives a search. Each search updates exactly the parts it reaches:
// one that stops with a message before the filter changes nothing; after the
// filter, Catalogue is replaced; only a search with two or more admissible
// variants rebuilds the matrices; only one that reaches a result replaces
// Result and the applied criteria.
struct SearchState {
    // The last filter result in catalogue order, with the active flags as the
    // criteria selection left them.
    TCandidateSet Catalogue;
    bool CatalogueRan = false;

    // The tables of the last search that reached the engine.
    bool EngineRan = false;
    TNormalizedMatrix Internal;
    TNormalizedMatrix External;
    TNormalizedMatrix Game;

    // The result the results window shows, and the headings of the criteria
    // the search behind it applied (for a single variant: the criteria that
    // search selected), which the report lists.
    std::optional<TSearchResult> Result;
    std::vector<std::string> AppliedInternalHeadings;
    std::vector<std::string> AppliedExternalHeadings;
};

enum class SearchOutcomeKind {
    Message,       // one of the system's messages; Text is the message
    DatabaseError, // the catalogue could not be opened or read; Text is the engine's error
    Result,        // State.Result holds the new result
};

struct SearchOutcome {
    SearchOutcomeKind Kind = SearchOutcomeKind::Message;
    QString Text;
};

// Runs one whole search. Validation may rewrite the six field texts of
// `inputs` (clamping); they stay rewritten whatever the outcome.
SearchOutcome RunSearch(SearchInputs& inputs, const QString& cataloguePath, SearchState& state);

// The same search with the catalogue reached through `filter` in place of a
// file opened for this search alone (batch work keeps one connection per
// thread); RunSearch is this with RunCatalogueFilter on the file.
// The filter also gives the number of rows in the catalogue table.
using CatalogueFilterFunction =
    std::function<TCatalogueOutcome(const TFilterParameters&, int& catalogueRows)>;
SearchOutcome RunSearchWith(SearchInputs& inputs, const CatalogueFilterFunction& filter,
                            SearchState& state);
