// zirs-search: one search on the catalogue from the command line, answered
// as JSON on stdout, for scripts and batch work. It runs the very search the
// main window runs.

#include "report/report_module.h"
#include "search/search.h"
#include "tools/search-tool/search_json.h"
#include "tools/search-tool/search_options.h"
#include "tools/zirs-search/batch_main.h"
#include "tools/zirs-search/report_module_path.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLibrary>

#include <cstdio>
#include <memory>

namespace {

void PrintLine(std::FILE* stream, const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stream, "%s\n", line.toUtf8().constData());
}

} // namespace

int main(int argc, char* argv[]) {
    auto application = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    QStringList arguments = app.arguments();
    arguments.removeFirst();

    const SearchToolUsage usage = ReadSearchToolOptions(arguments);
    if (usage.Action == SearchToolAction::Help) {
        std::fputs(SearchToolHelpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (usage.Action == SearchToolAction::Version) {
        std::printf("zirs-search %s\n", ZIRS_VERSION);
        return 0;
    }
    if (!usage.Options) {
        PrintLine(stderr, QStringLiteral("zirs-search: ") + usage.Error);
        std::fputs(SearchToolUsageText().toUtf8().constData(), stderr);
        return 2;
    }
    SearchToolOptions options = *usage.Options;
    if (options.Batch)
        return RunBatchMain(application, argc, argv, options);

    // Like the program's start-up: no catalogue file, no search.
    const QFileInfo catalogue(options.CataloguePath);
    if (!catalogue.exists() || catalogue.isDir()) {
        PrintLine(stderr, QStringLiteral("zirs-search: catalogue file \"%1\" not found")
                              .arg(options.CataloguePath));
        return 1;
    }

    SearchState state;
    const SearchOutcome outcome = RunSearch(options.Inputs, options.CataloguePath, state);
    if (outcome.Kind == SearchOutcomeKind::DatabaseError) {
        PrintLine(stderr, QStringLiteral("zirs-search: ") + outcome.Text);
        return 1;
    }

    if (!options.ReportPath.isEmpty() && outcome.Kind == SearchOutcomeKind::Result) {
        QLibrary module(FindReportModule(app.applicationDirPath()));
        const auto writeReport =
            reinterpret_cast<WriteSearchReportFunction>(module.resolve(WriteSearchReportSymbol));
        if (!writeReport) {
            PrintLine(stderr, QStringLiteral("zirs-search: cannot load the report module: ") +
                                  module.errorString());
            return 1;
        }
        // The module brings its own GUI application object; only one may exist.
        application.reset();
        QString error;
        if (!writeReport(argc, argv, options.Inputs, state, options.ReportDate.value_or(QString()),
                         options.ReportPath, &error)) {
            PrintLine(stderr, QStringLiteral("zirs-search: ") + error);
            return 1;
        }
    }

    const QJsonObject answer =
        SearchAnswerJson(outcome, options.Inputs, state, options.PrintTables);
    const QByteArray json = QJsonDocument(answer).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, std::size_t(json.size()), stdout);
    return 0;
}
