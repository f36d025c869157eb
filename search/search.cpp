#include "search/search.h"

#include "engine/criterion_headings.h"
#include "engine/normalization.h"
#include "engine/ranking.h"
#include "search/catalogue.h"
#include "search/criteria_selection.h"
#include "search/filter_parameters.h"
#include "search/search_messages.h"
#include "search/search_request.h"

namespace {

SearchOutcome Message(const QString& text) {
    return {SearchOutcomeKind::Message, text};
}

template <std::size_t Count>
std::vector<std::string> ActiveHeadings(const std::array<const char*, Count>& headings,
                                        const std::array<bool, Count>& active) {
    std::vector<std::string> list;
    for (std::size_t i = 0; i < Count; ++i) {
        if (active[i])
            list.emplace_back(headings[i]);
    }
    return list;
}

// The catalogue may hold more or fewer variants than the 21 it was made
// with; the rejected count is taken from the rows actually read.
void CountFromCatalogue(TSearchResult& result, int catalogueRows) {
    result.CatalogueCount = catalogueRows;
    result.RejectedCount = catalogueRows - result.AdmissibleCount;
}

} // namespace

SearchOutcome RunSearch(SearchInputs& inputs, const QString& cataloguePath, SearchState& state) {
    return RunSearchWith(
        inputs,
        [&cataloguePath](const TFilterParameters& parameters, int& catalogueRows) {
            return RunCatalogueFilter(cataloguePath, parameters, catalogueRows);
        },
        state);
}

SearchOutcome RunSearchWith(SearchInputs& inputs, const CatalogueFilterFunction& filter,
                            SearchState& state) {
    auto validated = ValidateSearchRequest(inputs);
    if (const auto* message = std::get_if<TRequestMessage>(&validated))
        return Message(message->Text);
    const TSearchRequest& request = std::get<TSearchRequest>(validated);

    // The previous filter result is closed before the new one runs, so a
    // failing query leaves no admissible variants behind; everything else
    // stays as the last search left it.
    state.Catalogue = TCandidateSet{};
    ActivateAllCriteria(state.Catalogue);
    state.CatalogueRan = false;
    int catalogueRows = 0;
    auto filtered = filter(BindFilterParameters(request), catalogueRows);
    if (const auto* error = std::get_if<TCatalogueError>(&filtered))
        return {SearchOutcomeKind::DatabaseError, error->Text};
    state.Catalogue.Variants = std::move(std::get<std::vector<TTechnologyVariant>>(filtered));
    state.CatalogueRan = true;

    TCandidateSet& candidates = state.Catalogue;
    if (candidates.Variants.empty())
        return Message(QString::fromUtf8(NoVariantMessage));
    if (const auto message = SelectActiveCriteria(request, candidates))
        return Message(*message);

    if (candidates.Variants.size() == 1) {
        state.Result = MakeSingleResult(candidates.Variants.front());
        CountFromCatalogue(*state.Result, catalogueRows);
        state.AppliedInternalHeadings =
            ActiveHeadings(InternalCriterionHeadings, candidates.ActiveInternal);
        state.AppliedExternalHeadings =
            ActiveHeadings(ExternalFactorHeadings, candidates.ActiveExternal);
        return {SearchOutcomeKind::Result, {}};
    }

    DropConstantCriteria(candidates);
    BuildNormalizedMatrices(candidates, state.Internal, state.External, state.Game);
    TSearchResult result = RankVariants(state.Internal, state.External, state.Game);
    CountFromCatalogue(result, catalogueRows);
    state.EngineRan = true;
    state.AppliedInternalHeadings = result.InternalHeadings;
    state.AppliedExternalHeadings = result.ExternalHeadings;
    state.Result = std::move(result);
    return {SearchOutcomeKind::Result, {}};
}
