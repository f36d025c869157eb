#include "search/search_request.h"

#include "search/number_text.h"
#include "search/search_messages.h"

#include <optional>

namespace {

// One clamping step: reads the field's current text and, where the value
// lies beyond `bound` on the side `beyond` tests, rewrites the text to the
// bound's literal. Returns false when the text is no number.
template <typename Reader, typename Beyond>
bool ClampText(QString& text, Reader read, Beyond beyond, const char* boundLiteral) {
    const auto value = read(text);
    if (!value)
        return false;
    if (beyond(*value))
        text = QString::fromLatin1(boundLiteral);
    return true;
}

bool ClampSlope(QString& text, double low, const char* lowText, double high, const char* highText) {
    return ClampText(
               text, ReadSlopeText, [low](double v) { return v < low; }, lowText) &&
           ClampText(
               text, ReadSlopeText, [high](double v) { return v > high; }, highText);
}

bool ClampWholeBelow(QString& text, long double low, const char* lowText) {
    return ClampText(
        text, ReadWholeText, [low](long double v) { return v < low; }, lowText);
}

bool ClampWholeAbove(QString& text, long double high, const char* highText) {
    return ClampText(
        text, ReadWholeText, [high](long double v) { return v > high; }, highText);
}

// Clamps the six numeric fields in their fixed order; stops at the first
// text that is no number.
bool ClampNumbers(SearchInputs& in) {
    return ClampSlope(in.SlopeText, -2.0, "-2", 100.0, "100") &&
           ClampWholeAbove(in.RepairVolumeText, 40000.0L, "40000") &&
           ClampWholeBelow(in.RepairVolumeText, 0.0L, "0") &&
           ClampWholeBelow(in.RoofThicknessText, 1.0L, "1") &&
           ClampWholeAbove(in.RoofThicknessText, 100.0L, "100") &&
           ClampWholeBelow(in.MaxCostText, 0.0L, "0") &&
           ClampWholeBelow(in.AirTemperatureText, -25.0L, "-25") &&
           ClampWholeAbove(in.AirTemperatureText, 45.0L, "45") &&
           ClampWholeBelow(in.WearText, 0.0L, "0") && ClampWholeAbove(in.WearText, 100.0L, "100");
}

// The clamped fields lie within their bounds, so their values fit an int.
int ClampedWhole(const QString& text) {
    return static_cast<int>(*ReadWholeText(text));
}

} // namespace

std::variant<TSearchRequest, TRequestMessage> ValidateSearchRequest(SearchInputs& inputs) {
    // An index outside the lists (possible from the headless tool) counts as
    // no choice, so it can never select criteria by accident.
    if (inputs.CriteriaGroup < FullGroup || inputs.CriteriaGroup > SelectiveGroup)
        return TRequestMessage{QString::fromUtf8(NoCriteriaGroupMessage)};
    if (inputs.CriteriaGroup == SpecialGroup &&
        (inputs.Subject < BuildingOwner || inputs.Subject > Designer))
        return TRequestMessage{QString::fromUtf8(NoSubjectMessage)};
    if (!ClampNumbers(inputs))
        return TRequestMessage{QString::fromUtf8(WorkConditionsMessage)};

    TSearchRequest request;
    request.Address = inputs.Address;
    request.CriteriaGroup = inputs.CriteriaGroup;
    request.Subject = inputs.Subject;
    request.Slope = *ReadSlopeText(inputs.SlopeText);
    request.RepairVolume = ClampedWhole(inputs.RepairVolumeText);
    request.RoofThickness = ClampedWhole(inputs.RoofThicknessText);
    request.MaxCost = *ReadWholeText(inputs.MaxCostText);
    request.AirTemperature = ClampedWhole(inputs.AirTemperatureText);
    request.Wear = ClampedWhole(inputs.WearText);
    request.OpenFireAllowed = inputs.OpenFireAllowed;
    request.WeightingAllowed = inputs.WeightingAllowed;
    request.PowerSupplyAccess = inputs.PowerSupplyAccess;
    request.InternalCriteria = inputs.InternalTicks;
    request.ExternalFactors = inputs.ExternalTicks;
    return request;
}
