#include "search/filter_parameters.h"

TFilterParameters BindFilterParameters(const TSearchRequest& request) {
    TFilterParameters values;
    values.k = request.Slope;
    values.s = request.Slope;
    values.l = request.RepairVolume;
    values.m = request.RoofThickness;
    values.n = request.MaxCost;
    values.o = request.AirTemperature;
    values.p = request.Wear;
    values.t = request.Wear;
    values.r1 = request.OpenFireAllowed ? 0 : 1;
    values.r2 = request.WeightingAllowed ? 0 : 1;
    values.r3 = request.PowerSupplyAccess ? 0 : 1;
    return values;
}
