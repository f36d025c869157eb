#include "search/criteria_selection.h"

#include "engine/decimal_text.h"
#include "search/search_messages.h"

#include <algorithm>
#include <string>

TCriteriaPreset SubjectPreset(int subject) {
    TCriteriaPreset preset;
    switch (subject) {
    case BuildingOwner:
        preset.Internal = {true, false, false, true, false, true, true, true, true, true};
        preset.External = {false, false, true, false, true};
        break;
    case Contractor:
        preset.Internal = {false, false, false, true, false, false, true, true, true, false};
        preset.External = {false, false, true, false, true};
        break;
    case Designer:
        preset.Internal = {true, true, true, true, true, true, true, true, false, false};
        preset.External = {true, true, true, true, true};
        break;
    default:
        break;
    }
    return preset;
}

void ApplyCriteriaGroup(int group, TCriteriaWindowState& window) {
    switch (group) {
    case FullGroup:
        window.CheckGroupsEnabled = false;
        window.InternalTicks.fill(true);
        window.ExternalTicks.fill(true);
        window.SubjectListEnabled = false;
        break;
    case SpecialGroup:
        window.CheckGroupsEnabled = false;
        window.InternalTicks.fill(false);
        window.ExternalTicks.fill(false);
        window.SubjectListEnabled = true;
        break;
    case SelectiveGroup:
        window.CheckGroupsEnabled = true;
        window.InternalTicks.fill(false);
        window.ExternalTicks.fill(false);
        window.SubjectListEnabled = false;
        break;
    default:
        return; // no group picked: nothing changes
    }
    window.Subject = NoSubject;
}

void ApplySubjectPreset(int subject, TCriteriaWindowState& window) {
    const TCriteriaPreset preset = SubjectPreset(subject);
    window.Subject = subject;
    window.InternalTicks = preset.Internal;
    window.ExternalTicks = preset.External;
}

void ActivateAllCriteria(TCandidateSet& candidates) {
    candidates.ActiveInternal.fill(true);
    candidates.ActiveExternal.fill(true);
}

std::optional<QString> SelectActiveCriteria(const TSearchRequest& request,
                                            TCandidateSet& candidates) {
    if (request.CriteriaGroup != SpecialGroup && request.CriteriaGroup != SelectiveGroup)
        return std::nullopt; // a full search keeps every criterion
    for (int i = 0; i < InternalCriterionCount; ++i)
        candidates.ActiveInternal[i] = candidates.ActiveInternal[i] && request.InternalCriteria[i];
    if (request.CriteriaGroup == SelectiveGroup &&
        std::none_of(candidates.ActiveInternal.begin(), candidates.ActiveInternal.end(),
                     [](bool active) { return active; }))
        return QString::fromUtf8(NoInternalCriterionMessage);
    for (int j = 0; j < ExternalFactorCount; ++j)
        candidates.ActiveExternal[j] = candidates.ActiveExternal[j] && request.ExternalFactors[j];
    return std::nullopt;
}

namespace {

// True when the present values of one criterion differ somewhere.
template <typename ValueOf>
bool TellsVariantsApart(const std::vector<TTechnologyVariant>& variants, ValueOf valueOf) {
    std::optional<double> least;
    std::optional<double> greatest;
    for (const TTechnologyVariant& variant : variants) {
        const std::optional<double> value = ReadDecimal(valueOf(variant));
        if (!value)
            continue;
        least = least ? std::min(*least, *value) : *value;
        greatest = greatest ? std::max(*greatest, *value) : *value;
    }
    return least && *least != *greatest;
}

} // namespace

void DropConstantCriteria(TCandidateSet& candidates) {
    for (int i = 0; i < InternalCriterionCount; ++i) {
        if (candidates.ActiveInternal[i])
            candidates.ActiveInternal[i] = TellsVariantsApart(
                candidates.Variants, [i](const TTechnologyVariant& v) -> const std::string& {
                    return v.InternalValues[i];
                });
    }
    for (int j = 0; j < ExternalFactorCount; ++j) {
        if (candidates.ActiveExternal[j])
            candidates.ActiveExternal[j] = TellsVariantsApart(
                candidates.Variants, [j](const TTechnologyVariant& v) -> const std::string& {
                    return v.ExternalValues[j];
                });
    }
}
