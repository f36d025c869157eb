#pragma once
// What the main window (or the headless tool) hands to a search: the texts,
// chosen items and ticks exactly as the controls hold them.

#include "engine/technology_variant.h"

#include <QString>

#include <array>

enum CriteriaGroupIndex { NoGroup = -1, FullGroup = 0, SpecialGroup = 1, SelectiveGroup = 2 };
enum SubjectIndex { NoSubject = -1, BuildingOwner = 0, Contractor = 1, Designer = 2 };

struct SearchInputs {
    QString Address;
    int CriteriaGroup = NoGroup;
    int Subject = NoSubject;
    QString SlopeText;
    QString RepairVolumeText;
    QString RoofThicknessText;
    QString MaxCostText;
    QString AirTemperatureText;
    QString WearText;
    bool OpenFireAllowed = false;
    bool WeightingAllowed = false;
    bool PowerSupplyAccess = false;
    std::array<bool, InternalCriterionCount> InternalTicks{};
    std::array<bool, ExternalFactorCount> ExternalTicks{};
};
