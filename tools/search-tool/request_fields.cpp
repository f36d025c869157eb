#include "tools/search-tool/request_fields.h"

#include "search/criteria_selection.h"

#include <QHash>

#include <array>

namespace {

const QHash<QString, int> GroupNames = {
    {QStringLiteral("full"), FullGroup},
    {QStringLiteral("special"), SpecialGroup},
    {QStringLiteral("selective"), SelectiveGroup},
};

const QHash<QString, int> SubjectNames = {
    {QStringLiteral("owner"), BuildingOwner},
    {QStringLiteral("contractor"), Contractor},
    {QStringLiteral("designer"), Designer},
};

// "1,3,5" or "cost,reliability" (or both mixed) into ticks; "" ticks
// nothing. Malformed lists ("1,,2", "1,"), signs and indices out of range
// are refused.
template <std::size_t Count>
std::optional<std::array<bool, Count>> ReadCriterionList(const QString& text,
                                                         const QStringList& names) {
    std::array<bool, Count> ticks{};
    if (text.isEmpty())
        return ticks;
    for (const QString& item : text.split(QLatin1Char(','))) {
        int index = names.indexOf(item);
        if (index < 0) {
            if (item.isEmpty() || item.size() > 2 || !item.at(0).isDigit())
                return std::nullopt;
            bool ok = false;
            index = item.toInt(&ok);
            if (!ok || index < 0 || index >= int(Count))
                return std::nullopt;
        }
        ticks[std::size_t(index)] = true;
    }
    return ticks;
}

QString* TextField(SearchRequestFields& fields, const QString& key) {
    static const QHash<QString, std::optional<QString> SearchRequestFields::*> members = {
        {QStringLiteral("address"), &SearchRequestFields::Address},
        {QStringLiteral("group"), &SearchRequestFields::Group},
        {QStringLiteral("subject"), &SearchRequestFields::Subject},
        {QStringLiteral("slope"), &SearchRequestFields::Slope},
        {QStringLiteral("volume"), &SearchRequestFields::Volume},
        {QStringLiteral("thickness"), &SearchRequestFields::Thickness},
        {QStringLiteral("cost"), &SearchRequestFields::Cost},
        {QStringLiteral("temperature"), &SearchRequestFields::Temperature},
        {QStringLiteral("wear"), &SearchRequestFields::Wear},
        {QStringLiteral("internal"), &SearchRequestFields::Internal},
        {QStringLiteral("external"), &SearchRequestFields::External},
    };
    const auto member = members.find(key);
    if (member == members.end())
        return nullptr;
    std::optional<QString>& field = fields.*member.value();
    field.emplace();
    return &*field;
}

} // namespace

const QStringList& RequestTextKeys() {
    static const QStringList keys = {
        QStringLiteral("address"),  QStringLiteral("group"),       QStringLiteral("subject"),
        QStringLiteral("slope"),    QStringLiteral("volume"),      QStringLiteral("thickness"),
        QStringLiteral("cost"),     QStringLiteral("temperature"), QStringLiteral("wear"),
        QStringLiteral("internal"), QStringLiteral("external")};
    return keys;
}

const QStringList& RequestFlagKeys() {
    static const QStringList keys = {QStringLiteral("open-fire"), QStringLiteral("weighting"),
                                     QStringLiteral("power-supply")};
    return keys;
}

bool SetRequestText(SearchRequestFields& fields, const QString& key, const QString& value) {
    QString* field = TextField(fields, key);
    if (field)
        *field = value;
    return field != nullptr;
}

bool SetRequestFlag(SearchRequestFields& fields, const QString& key, bool value) {
    if (key == QLatin1String("open-fire"))
        fields.OpenFire = value;
    else if (key == QLatin1String("weighting"))
        fields.Weighting = value;
    else if (key == QLatin1String("power-supply"))
        fields.PowerSupply = value;
    else
        return false;
    return true;
}

const QStringList& InternalCriterionNames() {
    static const QStringList names = {QStringLiteral("cost"),       QStringLiteral("labour"),
                                      QStringLiteral("injury"),     QStringLiteral("reliability"),
                                      QStringLiteral("waste"),      QStringLiteral("pollution"),
                                      QStringLiteral("fire"),       QStringLiteral("durability"),
                                      QStringLiteral("aesthetics"), QStringLiteral("reflectance")};
    return names;
}

const QStringList& ExternalFactorNames() {
    static const QStringList names = {QStringLiteral("rain"), QStringLiteral("power"),
                                      QStringLiteral("defects"), QStringLiteral("supply"),
                                      QStringLiteral("drainage")};
    return names;
}

std::variant<SearchInputs, QString> MakeSearchInputs(const SearchRequestFields& fields) {
    SearchInputs in;
    in.Address = fields.Address.value_or(QString());
    in.SlopeText = fields.Slope.value_or(QString());
    in.RepairVolumeText = fields.Volume.value_or(QString());
    in.RoofThicknessText = fields.Thickness.value_or(QString());
    in.MaxCostText = fields.Cost.value_or(QString());
    in.AirTemperatureText = fields.Temperature.value_or(QString());
    in.WearText = fields.Wear.value_or(QString());
    in.OpenFireAllowed = fields.OpenFire;
    in.WeightingAllowed = fields.Weighting;
    in.PowerSupplyAccess = fields.PowerSupply;

    if (fields.Group) {
        const auto found = GroupNames.find(*fields.Group);
        if (found == GroupNames.end())
            return QStringLiteral("unknown group \"%1\"").arg(*fields.Group);
        in.CriteriaGroup = found.value();
    }
    if (fields.Subject && in.CriteriaGroup != SpecialGroup)
        return QStringLiteral("--subject needs --group special");
    if ((fields.Internal || fields.External) && in.CriteriaGroup != SelectiveGroup)
        return QStringLiteral("--internal and --external need --group selective");

    TCriteriaWindowState window;
    if (in.CriteriaGroup != NoGroup)
        ApplyCriteriaGroup(in.CriteriaGroup, window);
    if (fields.Subject) {
        const auto found = SubjectNames.find(*fields.Subject);
        if (found == SubjectNames.end())
            return QStringLiteral("unknown subject \"%1\"").arg(*fields.Subject);
        ApplySubjectPreset(found.value(), window);
    }
    if (fields.Internal) {
        const auto ticks =
            ReadCriterionList<InternalCriterionCount>(*fields.Internal, InternalCriterionNames());
        if (!ticks)
            return QStringLiteral("bad --internal list \"%1\" (indices 0-9 or names)")
                .arg(*fields.Internal);
        window.InternalTicks = *ticks;
    }
    if (fields.External) {
        const auto ticks =
            ReadCriterionList<ExternalFactorCount>(*fields.External, ExternalFactorNames());
        if (!ticks)
            return QStringLiteral("bad --external list \"%1\" (indices 0-4 or names)")
                .arg(*fields.External);
        window.ExternalTicks = *ticks;
    }
    in.Subject = window.Subject;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;
    return in;
}
