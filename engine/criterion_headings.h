#pragma once
// Headings of the internal criteria and external factors, indexed as the
// check groups of the main window list them. The same texts head the matrix
// columns and end up, lower-cased, in the report.

#include "engine/technology_variant.h"

#include <array>

inline constexpr std::array<const char*, InternalCriterionCount> InternalCriterionHeadings = {
    "Стоимость ремонта кровли",
    "Трудоемкость ремонта кровли",
    "Травмоопасность технологии",
    "Безотказность отремонтированной кровли",
    "Безотходность технологии",
    "Загрязняемость атмосферного воздуха при ремонте кровли",
    "Пожароопасность технологии",
    "Долговечность отремонтированной кровли",
    "Эстетичность отремонтированной кровли",
    "Светоотражающая способность отремонтированной кровли",
};

inline constexpr std::array<const char*, ExternalFactorCount> ExternalFactorHeadings = {
    "Дождливая погода",
    "Перебои в электроснабжении",
    "Опасность наличия скрытых дефектов и повреждений в кровле",
    "Перебои в снабжении материалами",
    "Опасность нарушения полного водоотвода с отремонтированной кровли",
};

inline constexpr const char* VariantNameHeading = "Варианты технологии";
// Spelled as the catalogue column: the sixth letter of the second word is a Latin c.
inline constexpr const char* ProcessCompositionHeading = "Состав процеcса";
inline constexpr const char* LaplaceHeading = "Критерий эффективности (Лапласа)";
inline constexpr const char* WaldHeading = "Критерий эффективности Вальда";
inline constexpr const char* NoCriterionHeading = "Критерий эффективности отсутствует";
