#include "tools/zirs-search/search_options.h"

#include "search/criteria_selection.h"

#include <QHash>

#include <array>
#include <functional>

namespace {

// "1,3,5" into ticks; "" ticks nothing. Malformed lists ("1,,2", "1,") and
// indices out of range are refused.
template <std::size_t Count>
std::optional<std::array<bool, Count>> ReadIndexList(const QString& text) {
    std::array<bool, Count> ticks{};
    if (text.isEmpty())
        return ticks;
    for (const QString& item : text.split(QLatin1Char(','))) {
        if (item.isEmpty() || item.size() > 2)
            return std::nullopt;
        bool ok = false;
        const int index = item.toInt(&ok);
        if (!ok || index < 0 || index >= int(Count) || !item.at(0).isDigit())
            return std::nullopt;
        ticks[std::size_t(index)] = true;
    }
    return ticks;
}

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

} // namespace

QString SearchToolUsageText() {
    return QStringLiteral(
        "usage: zirs-search [--catalogue FILE] [--address TEXT]\n"
        "                   [--group full|special|selective] [--subject owner|contractor|designer]\n"
        "                   [--slope TEXT] [--volume TEXT] [--thickness TEXT] [--cost TEXT]\n"
        "                   [--temperature TEXT] [--wear TEXT]\n"
        "                   [--open-fire] [--weighting] [--power-supply]\n"
        "                   [--internal LIST] [--external LIST]  (comma-separated indices 0-9 / "
        "0-4; selective only)\n"
        "                   [--tables] [--report FILE.pdf [--date TEXT]]\n");
}

SearchToolUsage ReadSearchToolOptions(const QStringList& arguments) {
    SearchToolOptions options;
    SearchInputs& in = options.Inputs;
    std::optional<QString> group, subject, internalList, externalList;

    const QHash<QString, std::function<void(const QString&)>> valued = {
        {QStringLiteral("catalogue"), [&](const QString& v) { options.CataloguePath = v; }},
        {QStringLiteral("address"), [&](const QString& v) { in.Address = v; }},
        {QStringLiteral("group"), [&](const QString& v) { group = v; }},
        {QStringLiteral("subject"), [&](const QString& v) { subject = v; }},
        {QStringLiteral("slope"), [&](const QString& v) { in.SlopeText = v; }},
        {QStringLiteral("volume"), [&](const QString& v) { in.RepairVolumeText = v; }},
        {QStringLiteral("thickness"), [&](const QString& v) { in.RoofThicknessText = v; }},
        {QStringLiteral("cost"), [&](const QString& v) { in.MaxCostText = v; }},
        {QStringLiteral("temperature"), [&](const QString& v) { in.AirTemperatureText = v; }},
        {QStringLiteral("wear"), [&](const QString& v) { in.WearText = v; }},
        {QStringLiteral("internal"), [&](const QString& v) { internalList = v; }},
        {QStringLiteral("external"), [&](const QString& v) { externalList = v; }},
        {QStringLiteral("report"), [&](const QString& v) { options.ReportPath = v; }},
        {QStringLiteral("date"), [&](const QString& v) { options.ReportDate = v; }},
    };
    const QHash<QString, bool*> flags = {
        {QStringLiteral("open-fire"), &in.OpenFireAllowed},
        {QStringLiteral("weighting"), &in.WeightingAllowed},
        {QStringLiteral("power-supply"), &in.PowerSupplyAccess},
        {QStringLiteral("tables"), &options.PrintTables},
    };

    SearchToolUsage usage;
    QStringList seen;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            usage.Error = QStringLiteral("unexpected argument \"%1\"").arg(argument);
            return usage;
        }
        QString name = argument.mid(2);
        std::optional<QString> value;
        const int equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (seen.contains(name)) {
            usage.Error = QStringLiteral("option --%1 given twice").arg(name);
            return usage;
        }
        seen.append(name);
        if (const auto flag = flags.find(name); flag != flags.end()) {
            if (value) {
                usage.Error = QStringLiteral("option --%1 takes no value").arg(name);
                return usage;
            }
            *flag.value() = true;
            continue;
        }
        const auto setter = valued.find(name);
        if (setter == valued.end()) {
            usage.Error = QStringLiteral("unknown option \"%1\"").arg(argument);
            return usage;
        }
        if (!value) {
            // The value is the next argument as it stands, so "--slope -5"
            // passes the text -5.
            if (i + 1 >= arguments.size()) {
                usage.Error = QStringLiteral("option --%1 needs a value").arg(name);
                return usage;
            }
            value = arguments.at(++i);
        }
        setter.value()(*value);
    }

    if (group) {
        const auto found = GroupNames.find(*group);
        if (found == GroupNames.end()) {
            usage.Error = QStringLiteral("unknown group \"%1\"").arg(*group);
            return usage;
        }
        in.CriteriaGroup = found.value();
    }
    if (subject && in.CriteriaGroup != SpecialGroup) {
        usage.Error = QStringLiteral("--subject needs --group special");
        return usage;
    }
    if ((internalList || externalList) && in.CriteriaGroup != SelectiveGroup) {
        usage.Error = QStringLiteral("--internal and --external need --group selective");
        return usage;
    }
    if (options.ReportDate && options.ReportPath.isEmpty()) {
        usage.Error = QStringLiteral("--date needs --report");
        return usage;
    }
    if (options.ReportPath.isEmpty() && seen.contains(QStringLiteral("report"))) {
        usage.Error = QStringLiteral("--report needs a file name");
        return usage;
    }

    // The ticks as the main window would hold them after the same choices.
    TCriteriaWindowState window;
    if (in.CriteriaGroup != NoGroup)
        ApplyCriteriaGroup(in.CriteriaGroup, window);
    if (subject) {
        const auto found = SubjectNames.find(*subject);
        if (found == SubjectNames.end()) {
            usage.Error = QStringLiteral("unknown subject \"%1\"").arg(*subject);
            return usage;
        }
        ApplySubjectPreset(found.value(), window);
    }
    if (internalList) {
        const auto ticks = ReadIndexList<InternalCriterionCount>(*internalList);
        if (!ticks) {
            usage.Error = QStringLiteral("bad --internal list \"%1\" (indices 0-9)").arg(*internalList);
            return usage;
        }
        window.InternalTicks = *ticks;
    }
    if (externalList) {
        const auto ticks = ReadIndexList<ExternalFactorCount>(*externalList);
        if (!ticks) {
            usage.Error = QStringLiteral("bad --external list \"%1\" (indices 0-4)").arg(*externalList);
            return usage;
        }
        window.ExternalTicks = *ticks;
    }
    in.Subject = window.Subject;
    in.InternalTicks = window.InternalTicks;
    in.ExternalTicks = window.ExternalTicks;

    usage.Options = options;
    return usage;
}
