#pragma once
// The columns of the catalogue table `Критерии` that the system reads,
// matched by exact name.

#include "engine/technology_variant.h"

#include <array>

inline constexpr const char* CatalogueTableName = "Критерии";

inline constexpr const char* NameColumn = "Варианты технологии";
// The sixth letter of the second word is a Latin c: the catalogue spells the
// column so, and the Cyrillic spelling would not match it.
inline constexpr const char* ProcessCompositionColumn = "Состав процеcса";
inline constexpr const char* MaxSlopeColumn = "Уклон";
inline constexpr const char* MinThicknessColumn = "Толщина";
inline constexpr const char* MinTemperatureColumn = "Температура";
inline constexpr const char* MinVolumeColumn = "Объем";
inline constexpr const char* MaxWearColumn = "Износ";
inline constexpr const char* MinSlopeColumn = "Минуклон";
inline constexpr const char* MinWearColumn = "Минизнос";
inline constexpr const char* NoOpenFireColumn = "Огнеопасность";
inline constexpr const char* NoWeightingColumn = "Утяжеление";
inline constexpr const char* NoPowerSupplyColumn = "Электроснабжение";

// Internal criteria 0 to 9, in the order of the main window's check group.
inline constexpr std::array<const char*, InternalCriterionCount> InternalCriterionColumns = {
    "Стоимость",
    "Трудоемкость, чел-ч/ м2",
    "Опасность травматизма",
    "Безотказность",
    "Безотходность",
    "Загрязняемость",
    "Пожароопасность",
    "Долговечность",
    "Эстетичность кровли",
    "Светоотражающ способность",
};

// External factors 0 to 4.
inline constexpr std::array<const char*, ExternalFactorCount> ExternalFactorColumns = {
    "Дождливая погода",
    "Потребность в электроснабжении",
    "Опасность наличия скрытых дефектов",
    "Перебои в снабжении материалами",
    "Нарушение водоотвода с кровли",
};

// The columns the filter compares with a bound: a row is admissible only
// where every one of them holds a number.
inline constexpr std::array<const char*, 11> ComparedColumns = {
    MaxSlopeColumn,       MinVolumeColumn, MinThicknessColumn, InternalCriterionColumns[0],
    MinTemperatureColumn, MaxWearColumn,   NoOpenFireColumn,   NoWeightingColumn,
    NoPowerSupplyColumn,  MinSlopeColumn,  MinWearColumn,
};
