#pragma once
// Which criteria take part in a search: the rules that keep the main
// window's check groups in step with the criteria group and the subject, the
// subjects' presets, and the choices made once the filter has run.

#include "engine/technology_variant.h"
#include "search/search_request.h"

#include <QString>

#include <array>
#include <optional>

// The part of the main window these rules change.
struct TCriteriaWindowState {
    bool CheckGroupsEnabled = false; // both check groups together
    bool SubjectListEnabled = false;
    int Subject = NoSubject;
    std::array<bool, InternalCriterionCount> InternalTicks{};
    std::array<bool, ExternalFactorCount> ExternalTicks{};
};

struct TCriteriaPreset {
    std::array<bool, InternalCriterionCount> Internal{};
    std::array<bool, ExternalFactorCount> External{};
};

// The fixed set of criteria each subject counts (owner, contractor, designer).
TCriteriaPreset SubjectPreset(int subject);

// The user picked a criteria group: "Полная" ticks everything in disabled
// groups, "Специальная" clears the ticks and enables only the subject list,
// "Выборочная" clears the ticks and enables the groups. The subject list is
// emptied each time, without applying a preset.
void ApplyCriteriaGroup(int group, TCriteriaWindowState& window);

// The user picked a subject: the ticks become its preset; the check groups
// stay as they are (disabled in a special search).
void ApplySubjectPreset(int subject, TCriteriaWindowState& window);

// All criteria take part again: the start of every search, before the filter.
void ActivateAllCriteria(TCandidateSet& candidates);

// Applies the criteria group to the active flags of the admissible variants:
// a full search keeps all, a special or selective one keeps the ticked items.
// A selective search with no internal criterion ticked returns its message
// (its internal flags then all stay cleared).
std::optional<QString> SelectActiveCriteria(const TSearchRequest& request,
                                            TCandidateSet& candidates);

// Clears the flag of every active criterion that cannot tell the variants
// apart: all its values equal, or no value at all. Empty cells are left out
// of the comparison (the engine scores a missing value as the worst).
void DropConstantCriteria(TCandidateSet& candidates);
