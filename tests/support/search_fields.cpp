#include "tests/support/search_fields.h"

#include "search/criteria_selection.h"

#include <QStringList>

void SetFields(SearchInputs& inputs, const QString& joined) {
    const QStringList f = joined.split(u'|');
    inputs.SlopeText = f.value(0);
    inputs.RepairVolumeText = f.value(1);
    inputs.RoofThicknessText = f.value(2);
    inputs.MaxCostText = f.value(3);
    inputs.AirTemperatureText = f.value(4);
    inputs.WearText = f.value(5);
}

QString FieldsJoined(const SearchInputs& inputs) {
    return QStringList{inputs.SlopeText,   inputs.RepairVolumeText,   inputs.RoofThicknessText,
                       inputs.MaxCostText, inputs.AirTemperatureText, inputs.WearText}
        .join(u'|');
}

SearchInputs WindowInputs(int group, const QString& fields, const char* conditions, int subject) {
    SearchInputs in;
    SetFields(in, fields);
    in.OpenFireAllowed = conditions[0] == '1';
    in.WeightingAllowed = conditions[1] == '1';
    in.PowerSupplyAccess = conditions[2] == '1';
    TCriteriaWindowState window;
    ApplyCriteriaGroup(group, window);
    if (subject != NoSubject)
        ApplySubjectPreset(subject, window);
    in.CriteriaGroup = group;
    in.Subject = window.Subject;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;
    return in;
}
