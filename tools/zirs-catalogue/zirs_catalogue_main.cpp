// zirs-catalogue: keeps the catalogue file in order. It checks a catalogue
// the way the search reads it, exports it to CSV for a spreadsheet, builds a
// new catalogue from such a CSV, and carries over an old Access (Jet 4)
// catalogue. The Access file is read in a child process (this program run
// again with a hidden command), so a damaged file can crash only the child.

#include "search/catalogue_check.h"
#include "search/catalogue_csv.h"
#include "search/catalogue_table.h"
#include "search/catalogue_writer.h"
#include "tools/zirs-catalogue/legacy_import.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr int Clean = 0;
constexpr int Failed = 1;
constexpr int UsageError = 2;

const char* const UsageText =
    "Использование:\n"
    "  zirs-catalogue check ФАЙЛ [--json]\n"
    "  zirs-catalogue export ФАЙЛ --csv ВЫХОД.csv\n"
    "  zirs-catalogue import ВХОД.csv --into НОВЫЙ.mdb [--replace]\n"
    "  zirs-catalogue import-legacy СТАРЫЙ.mdb --into НОВЫЙ.mdb [--replace]\n";

void PrintLine(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toUtf8().constData());
}

int Usage(const QString& problem) {
    PrintLine(stderr, QStringLiteral("zirs-catalogue: ") + problem);
    std::fputs(UsageText, stderr);
    return UsageError;
}

// The command's arguments: one file, named options with a value, flags.
struct Arguments {
    QString File;
    QString Csv;
    QString Into;
    bool Json = false;
    bool Replace = false;
    QString Problem;
};

Arguments ReadArguments(const QStringList& list, const QStringList& allowed) {
    Arguments a;
    for (int i = 0; i < list.size(); ++i) {
        const QString& word = list[i];
        const auto value = [&](QString& into) {
            if (i + 1 >= list.size() || list[i + 1].startsWith(QLatin1String("--")))
                a.Problem = QStringLiteral("после %1 нужно имя файла").arg(word);
            else
                into = list[++i];
        };
        if (word.startsWith(QLatin1String("--")) && !allowed.contains(word)) {
            a.Problem = QStringLiteral("неизвестный параметр %1").arg(word);
        } else if (word == QLatin1String("--csv")) {
            value(a.Csv);
        } else if (word == QLatin1String("--into")) {
            value(a.Into);
        } else if (word == QLatin1String("--json")) {
            a.Json = true;
        } else if (word == QLatin1String("--replace")) {
            a.Replace = true;
        } else if (a.File.isEmpty()) {
            a.File = word;
        } else {
            a.Problem = QStringLiteral("лишний аргумент %1").arg(word);
        }
        if (!a.Problem.isEmpty())
            return a;
    }
    if (a.File.isEmpty())
        a.Problem = QStringLiteral("не указан файл");
    return a;
}

void PrintFindings(const std::vector<TCatalogueFinding>& findings) {
    for (const auto& finding : findings)
        PrintLine(stderr, FindingLine(finding));
}

int Check(const Arguments& a) {
    const auto findings = CheckCatalogueFile(a.File);
    if (a.Json) {
        const QByteArray json =
            QJsonDocument(FindingsJson(findings)).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
    } else {
        for (const auto& finding : findings)
            PrintLine(stdout, FindingLine(finding));
    }
    return HasFaults(findings) ? Failed : Clean;
}

int Export(const Arguments& a) {
    auto read = ReadCatalogueTable(a.File);
    if (const auto* error = std::get_if<TCatalogueReadError>(&read)) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: ") + error->Text);
        return Failed;
    }
    QSaveFile out(a.Csv);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(CatalogueCsv(std::get<TCatalogueTable>(read))) < 0 || !out.commit()) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: не удалось записать «%1»: %2")
                              .arg(a.Csv, out.errorString()));
        return Failed;
    }
    return Clean;
}

int Install(const TCatalogueTable& table, const Arguments& a) {
    const TInstallOutcome outcome = InstallCatalogue(table, a.Into, a.Replace);
    PrintFindings(outcome.Findings);
    if (!outcome.Installed) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: ") + outcome.Error);
        return Failed;
    }
    return Clean;
}

int Import(const Arguments& a) {
    QFile in(a.File);
    if (!in.open(QIODevice::ReadOnly)) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: не удалось прочитать «%1»: %2")
                              .arg(a.File, in.errorString()));
        return Failed;
    }
    auto table = CatalogueFromCsv(in.readAll());
    if (const auto* error = std::get_if<TCsvError>(&table)) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: %1: %2").arg(a.File, error->Text));
        return Failed;
    }
    return Install(std::get<TCatalogueTable>(table), a);
}

int ImportLegacy(const Arguments& a, const QString& self) {
    auto table = ReadLegacyCatalogue(self, a.File);
    if (const auto* error = std::get_if<TLegacyError>(&table)) {
        PrintLine(stderr, QStringLiteral("zirs-catalogue: %1: %2").arg(a.File, error->Text));
        return Failed;
    }
    return Install(std::get<TCatalogueTable>(table), a);
}

} // namespace

int main(int argc, char* argv[]) {
    // The hidden child command runs before Qt is set up: it only reads the
    // Access file and writes its report to stdout.
    if (argc == 3 && std::string(argv[1]) == LegacyChildCommand)
        return RunLegacyChild(argv[2]);

    QCoreApplication app(argc, argv);
    QStringList list = app.arguments();
    list.removeFirst();
    if (list.isEmpty())
        return Usage(QStringLiteral("не указана команда"));
    const QString command = list.takeFirst();

    if (command == QLatin1String("check")) {
        const Arguments a = ReadArguments(list, {QStringLiteral("--json")});
        return a.Problem.isEmpty() ? Check(a) : Usage(a.Problem);
    }
    if (command == QLatin1String("export")) {
        const Arguments a = ReadArguments(list, {QStringLiteral("--csv")});
        if (a.Problem.isEmpty() && a.Csv.isEmpty())
            return Usage(QStringLiteral("не указан --csv"));
        return a.Problem.isEmpty() ? Export(a) : Usage(a.Problem);
    }
    if (command == QLatin1String("import") || command == QLatin1String("import-legacy")) {
        const Arguments a =
            ReadArguments(list, {QStringLiteral("--into"), QStringLiteral("--replace")});
        if (a.Problem.isEmpty() && a.Into.isEmpty())
            return Usage(QStringLiteral("не указан --into"));
        if (!a.Problem.isEmpty())
            return Usage(a.Problem);
        return command == QLatin1String("import") ? Import(a)
                                                  : ImportLegacy(a, app.applicationFilePath());
    }
    return Usage(QStringLiteral("неизвестная команда %1").arg(command));
}
