#pragma once
// The messages a search shows in its message box, character for character.

inline constexpr const char* NoCriteriaGroupMessage =
    "Следует заполнить \"Группу учитываемых критериев\".";
// Three double quotes and no full stop: the text is shown exactly so.
inline constexpr const char* NoSubjectMessage = "Следует заполнить \"Статус пользователя \"ЗИРС\"";
inline constexpr const char* WorkConditionsMessage =
    "Следует заполнить \"Условия производства работ\".";
inline constexpr const char* NoVariantMessage =
    "Заданным параметрам не удовлетворяет ни одна технология.";
inline constexpr const char* NoInternalCriterionMessage =
    "Следует заполнить \"Группу внутренних факторов\".";
