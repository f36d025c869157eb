#include "tools/search-tool/search_options.h"

#include "tools/search-tool/request_fields.h"

#include <QCommandLineParser>
#include <QThread>

namespace {

struct OptionSpec {
    const char* Name;
    const char* ValueName; // nullptr: a flag
    const char* Description;
};

// Every option in the order --help lists them.
const std::vector<OptionSpec>& OptionSpecs() {
    static const std::vector<OptionSpec> specs = {
        {"catalogue", "FILE", "The catalogue file (default: database.mdb)."},
        {"address", "TEXT", "The object's name or address."},
        {"group", "NAME", "Criteria group: full, special or selective."},
        {"subject", "NAME", "Who searches (special group): owner, contractor or designer."},
        {"slope", "TEXT", "Roof slope."},
        {"volume", "TEXT", "Required repair volume."},
        {"thickness", "TEXT", "Thickness of the roof under repair."},
        {"cost", "TEXT", "Maximum admissible cost of repairing 1 m2."},
        {"temperature", "TEXT", "Outdoor air temperature."},
        {"wear", "TEXT", "Physical wear."},
        {"open-fire", nullptr, "Open fire is allowed."},
        {"weighting", nullptr, "The covering may be weighted by a repair layer."},
        {"power-supply", nullptr, "Power supply is at hand."},
        {"internal", "LIST", "Internal criteria that count (selective group), comma-separated."},
        {"external", "LIST", "External factors that count (selective group), comma-separated."},
        {"tables", nullptr, "Add the three matrices of the search to the answer."},
        {"report", "FILE.pdf", "Write the two-page report of the result."},
        {"date", "TEXT", "The report's date (default: today)."},
        {"batch", "IN", "Answer every request of IN (a file, or - for standard input)."},
        {"format", "jsonl|csv", "The batch format when IN's name does not tell it."},
        {"out", "OUT", "Write the batch answers to OUT (default: standard output)."},
        {"report-dir", "DIR", "Write a report per answered roof of the batch into DIR."},
        {"jobs", "N", "Searches of the batch running at once (default: the number of cores)."},
    };
    return specs;
}

bool IsBatchOnly(const QString& name) {
    return name == QLatin1String("format") || name == QLatin1String("out") ||
           name == QLatin1String("report-dir") || name == QLatin1String("jobs");
}

void AddOptions(QCommandLineParser& parser) {
    parser.addHelpOption();
    parser.addVersionOption();
    for (const OptionSpec& spec : OptionSpecs()) {
        QCommandLineOption option(QString::fromLatin1(spec.Name),
                                  QString::fromUtf8(spec.Description));
        if (spec.ValueName)
            option.setValueName(QString::fromLatin1(spec.ValueName));
        parser.addOption(option);
    }
}

SearchToolUsage Error(const QString& text) {
    SearchToolUsage usage;
    usage.Error = text;
    return usage;
}

BatchFormat FormatOfName(const QString& path) {
    if (path.endsWith(QLatin1String(".jsonl"), Qt::CaseInsensitive))
        return BatchFormat::JsonLines;
    if (path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return BatchFormat::Csv;
    return BatchFormat::Unknown;
}

} // namespace

QString SearchToolUsageText() {
    return QStringLiteral(
        "usage: zirs-search [--catalogue FILE] [--address TEXT]\n"
        "                   [--group full|special|selective] [--subject "
        "owner|contractor|designer]\n"
        "                   [--slope TEXT] [--volume TEXT] [--thickness TEXT] [--cost TEXT]\n"
        "                   [--temperature TEXT] [--wear TEXT]\n"
        "                   [--open-fire] [--weighting] [--power-supply]\n"
        "                   [--internal LIST] [--external LIST]  (comma-separated indices 0-9 / "
        "0-4 or names; selective only)\n"
        "                   [--tables] [--report FILE.pdf [--date TEXT]]\n"
        "       zirs-search --batch IN [--format jsonl|csv] [--out OUT] [--catalogue FILE]\n"
        "                   [--report-dir DIR [--date TEXT]] [--jobs N] [--tables]\n"
        "       zirs-search --help | --version\n");
}

QString SearchToolHelpText() {
    QCommandLineParser parser;
    AddOptions(parser);
    // Qt's own help starts with its usage line; ours replaces it.
    const QString qtHelp = parser.helpText();
    const qsizetype options = qtHelp.indexOf(QLatin1String("Options:"));
    QString help = SearchToolUsageText() + QLatin1Char('\n') + qtHelp.mid(options);
    // Five to a line, so the lists fit a terminal.
    const auto list = [](const QStringList& names) {
        QString text;
        for (int i = 0; i < names.size(); ++i) {
            if (i > 0)
                text += i % 5 == 0 ? QStringLiteral(",\n            ") : QStringLiteral(", ");
            text += QStringLiteral("%1 %2").arg(i).arg(names.at(i));
        }
        return text;
    };
    help += QStringLiteral("\nCriterion lists take indices or names:\n  internal: ") +
            list(InternalCriterionNames()) + QStringLiteral("\n  external: ") +
            list(ExternalFactorNames()) + QLatin1Char('\n');
    return help;
}

SearchToolUsage ReadSearchToolOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("zirs-search")} + arguments))
        return Error(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Error(QStringLiteral("unexpected argument \"%1\"")
                         .arg(parser.positionalArguments().constFirst()));
    const QStringList given = parser.optionNames();
    for (const QString& name : given) {
        if (given.count(name) > 1)
            return Error(QStringLiteral("option --%1 given twice").arg(name));
    }
    SearchToolUsage usage;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        usage.Action = SearchToolAction::Help;
        return usage;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        usage.Action = SearchToolAction::Version;
        return usage;
    }

    SearchToolOptions options;
    const auto valueOf = [&](const char* name) {
        const QString key = QString::fromLatin1(name);
        return parser.isSet(key) ? std::optional<QString>(parser.value(key)) : std::nullopt;
    };
    if (const auto catalogue = valueOf("catalogue"))
        options.CataloguePath = *catalogue;
    options.PrintTables = parser.isSet(QStringLiteral("tables"));
    options.ReportPath = valueOf("report").value_or(QString());
    options.ReportDate = valueOf("date");

    if (const auto input = valueOf("batch")) {
        BatchOptions batch;
        batch.InputPath = *input;
        for (const QString& key : RequestTextKeys() + RequestFlagKeys()) {
            if (parser.isSet(key))
                return Error(
                    QStringLiteral("--%1 is a row key in a batch, not an option").arg(key));
        }
        if (parser.isSet(QStringLiteral("report")))
            return Error(QStringLiteral("--report does not go with --batch; use --report-dir"));
        if (batch.InputPath.isEmpty())
            return Error(QStringLiteral("--batch needs a file name or -"));
        if (const auto format = valueOf("format")) {
            if (*format == QLatin1String("jsonl"))
                batch.Format = BatchFormat::JsonLines;
            else if (*format == QLatin1String("csv"))
                batch.Format = BatchFormat::Csv;
            else
                return Error(QStringLiteral("unknown format \"%1\" (jsonl or csv)").arg(*format));
        } else {
            batch.Format = FormatOfName(batch.InputPath);
            if (batch.Format == BatchFormat::Unknown)
                return Error(QStringLiteral("--batch %1 needs --format jsonl or --format csv")
                                 .arg(batch.InputPath));
        }
        if (options.PrintTables && batch.Format == BatchFormat::Csv)
            return Error(QStringLiteral("--tables needs --format jsonl"));
        batch.OutputPath = valueOf("out").value_or(QString());
        if (parser.isSet(QStringLiteral("out")) && batch.OutputPath.isEmpty())
            return Error(QStringLiteral("--out needs a file name"));
        batch.ReportDir = valueOf("report-dir").value_or(QString());
        if (parser.isSet(QStringLiteral("report-dir")) && batch.ReportDir.isEmpty())
            return Error(QStringLiteral("--report-dir needs a directory name"));
        if (options.ReportDate && batch.ReportDir.isEmpty())
            return Error(QStringLiteral("--date needs --report-dir"));
        batch.Jobs = QThread::idealThreadCount();
        if (const auto jobs = valueOf("jobs")) {
            bool ok = false;
            batch.Jobs = jobs->toInt(&ok);
            if (!ok || batch.Jobs < 1 || batch.Jobs > 256 || !jobs->at(0).isDigit())
                return Error(QStringLiteral("bad --jobs \"%1\" (1 to 256)").arg(*jobs));
        }
        batch.Jobs = qBound(1, batch.Jobs, 256);
        options.Batch = batch;
        usage.Action = SearchToolAction::Run;
        usage.Options = options;
        return usage;
    }

    for (const QString& name : given) {
        if (IsBatchOnly(name))
            return Error(QStringLiteral("--%1 needs --batch").arg(name));
    }
    if (options.ReportDate && options.ReportPath.isEmpty())
        return Error(QStringLiteral("--date needs --report"));
    if (options.ReportPath.isEmpty() && parser.isSet(QStringLiteral("report")))
        return Error(QStringLiteral("--report needs a file name"));

    SearchRequestFields fields;
    for (const QString& key : RequestTextKeys()) {
        if (parser.isSet(key))
            SetRequestText(fields, key, parser.value(key));
    }
    for (const QString& key : RequestFlagKeys())
        SetRequestFlag(fields, key, parser.isSet(key));
    auto inputs = MakeSearchInputs(fields);
    if (const auto* error = std::get_if<QString>(&inputs))
        return Error(*error);
    options.Inputs = std::get<SearchInputs>(inputs);
    usage.Action = SearchToolAction::Run;
    usage.Options = options;
    return usage;
}
