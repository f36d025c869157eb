#pragma once
// The eleven values of the catalogue filter query, computed from a validated
// request.

#include "search/search_request.h"

struct TFilterParameters {
    double k = 0.0;    // roof slope; `Уклон` is at least it
    double s = 0.0;    // the same slope; `Минуклон` is at most it
    int l = 0;         // repair volume; `Объем` is at most it
    int m = 0;         // roof thickness; `Толщина` is at most it
    long double n = 0; // cost limit; `Стоимость` is at most it (no upper bound)
    int o = 0;         // air temperature; `Температура` is at most it
    int p = 0;         // wear; `Износ` is at least it
    int t = 0;         // the same wear; `Минизнос` is at most it
    int r1 = 1;        // 0 when open fire may be used, else 1
    int r2 = 1;        // 0 when the covering may be weighted, else 1
    int r3 = 1;        // 0 when power supply is at hand, else 1
};

// The filter's values are the request's own: the slope twice (k, s) and
// the wear twice (p, t), the conditions as 0 when allowed.
TFilterParameters BindFilterParameters(const TSearchRequest& request);
