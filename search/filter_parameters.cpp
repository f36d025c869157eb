#include "filter_parameters.h"

#include "number_text.h"

namespace {

int ClampedWhole(const QString& text) {
    return static_cast<int>(ReadWholeText(text).value_or(0));
}

} // namespace

TFilterParameters BindFilterParameters(const TSearchRequest& request) {
    TFilterParameters values;
    values.k = ReadSlopeText(request.SlopeText).value_or(0.0);
    values.s = values.k;
    values.l = ClampedWhole(request.RepairVolumeText);
    values.m = ClampedWhole(request.RoofThicknessText);
    values.n = ReadWholeText(request.MaxCostText).value_or(0.0L);
    values.o = ClampedWhole(request.AirTemperatureText);
    values.p = ClampedWhole(request.WearText);
    values.t = values.p;
    values.r1 = request.OpenFireAllowed ? 0 : 1;
    values.r2 = request.WeightingAllowed ? 0 : 1;
    values.r3 = request.PowerSupplyAccess ? 0 : 1;
    return values;
}
