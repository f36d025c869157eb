#include "tools/zirs-search/batch_main.h"

#include "report/report_module.h"
#include "tools/search-tool/batch_answer.h"
#include "tools/search-tool/batch_progress.h"
#include "tools/search-tool/batch_queue.h"
#include "tools/zirs-report/batch_report_module.h"
#include "tools/zirs-search/report_module_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QSaveFile>

#include <cstdio>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Rows between the reader and the writer at most: enough to keep every
// worker busy while one slow row holds the order, few enough to keep
// memory flat.
constexpr qint64 RowsInFlight = 1024;

void PrintError(const QString& text) {
    QString line = QStringLiteral("zirs-search: ") + text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

struct ReportWriter {
    WriteBatchReportFunction Write = nullptr;
    QString Dir;
    QString Date;
};

// One worker: its own connection, opened once, then rows until the queue
// closes.
class BatchWorker {
public:
    BatchWorker(const SearchToolOptions& options, const ReportWriter& reports, BatchQueue& queue)
        : Options(options), Reports(reports), Queue(queue) {}

    std::optional<TCatalogueError> Open() {
        return Connection.emplace().Open(Options.CataloguePath);
    }
    // Connections belong to their thread: the worker's thread closes it.
    void Close() { Connection.reset(); }

    void Run() {
        const CatalogueFilterFunction filter = [this](const TFilterParameters& parameters,
                                                      int& catalogueRows) {
            return Connection->Filter(parameters, catalogueRows);
        };
        const bool csv = Options.Batch->Format == BatchFormat::Csv;
        BatchTask task;
        while (Queue.Take(task)) {
            // --tables on the command line asks for the matrices of every row.
            task.Row.Tables = task.Row.Tables || Options.PrintTables;
            BatchAnswerText answer;
            if (!task.Row.Inputs) {
                answer.Text =
                    csv ? BatchCsvRow(task.Row, nullptr) : BatchJsonLine(task.Row, nullptr);
            } else {
                BatchOutcome outcome;
                outcome.Inputs = *task.Row.Inputs;
                outcome.Outcome = RunSearchWith(outcome.Inputs, filter, outcome.State);
                answer.CatalogueFailed = outcome.Outcome.Kind == SearchOutcomeKind::DatabaseError;
                if (Reports.Write && outcome.Outcome.Kind == SearchOutcomeKind::Result)
                    WriteReport(task.Row, outcome);
                answer.Text =
                    csv ? BatchCsvRow(task.Row, &outcome) : BatchJsonLine(task.Row, &outcome);
            }
            Queue.Finish(task.Sequence, std::move(answer));
        }
    }

private:
    void WriteReport(const BatchRow& row, BatchOutcome& outcome) {
        const QString path =
            QDir(Reports.Dir).filePath(BatchReportFileName(row.Line, outcome.Inputs.Address));
        QString error;
        if (Reports.Write(outcome.Inputs, outcome.State, Reports.Date, path, &error))
            outcome.ReportFile = path;
        else
            outcome.ReportError =
                error.isEmpty() ? QStringLiteral("the report was not written") : error;
    }

    const SearchToolOptions& Options;
    const ReportWriter& Reports;
    BatchQueue& Queue;
    std::optional<TCatalogueConnection> Connection;
};

// Where answers go: a file replaced only when the batch is done, or
// standard output as they come.
class AnswerSink {
public:
    bool Open(const QString& path) {
        if (path.isEmpty()) {
            // Answers are small and many: write them in large blocks.
            std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
            return Stdout.open(stdout, QIODevice::WriteOnly);
        }
        Saved.emplace(path);
        return Saved->open(QIODevice::WriteOnly);
    }
    QString ErrorText() const { return Saved ? Saved->errorString() : Stdout.errorString(); }
    void Write(const QByteArray& bytes) { Device().write(bytes); }
    void Flush() {
        if (!Saved)
            Stdout.flush();
    }
    bool Commit() { return Saved ? Saved->commit() : Stdout.flush(); }

private:
    QIODevice& Device() { return Saved ? static_cast<QIODevice&>(*Saved) : Stdout; }

    QFile Stdout;
    std::optional<QSaveFile> Saved;
};

bool OpenInput(QFile& input, const QString& path) {
    if (path == QLatin1String("-"))
        return input.open(stdin, QIODevice::ReadOnly | QIODevice::Unbuffered);
    input.setFileName(path);
    return input.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

} // namespace

int RunBatchMain(std::unique_ptr<QCoreApplication>& application, int& argc, char** argv,
                 const SearchToolOptions& options) {
    const BatchOptions& batch = *options.Batch;

    // Like the single search: no catalogue file, no batch.
    const QFileInfo catalogue(options.CataloguePath);
    if (!catalogue.exists() || catalogue.isDir()) {
        PrintError(QStringLiteral("catalogue file \"%1\" not found").arg(options.CataloguePath));
        return 1;
    }

    QFile input;
    if (!OpenInput(input, batch.InputPath)) {
        PrintError(
            QStringLiteral("cannot read \"%1\": %2").arg(batch.InputPath, input.errorString()));
        return 1;
    }

    ReportWriter reports;
    QLibrary module;
    std::unique_ptr<QCoreApplication> reportApplication;
    if (!batch.ReportDir.isEmpty()) {
        if (!QDir().mkpath(batch.ReportDir)) {
            PrintError(QStringLiteral("cannot make the report folder \"%1\"").arg(batch.ReportDir));
            return 1;
        }
        // The module is found as for a single report.
        module.setFileName(FindReportModule(QCoreApplication::applicationDirPath()));
        const auto start = reinterpret_cast<StartReportApplicationFunction>(
            module.resolve(StartReportApplicationSymbol));
        reports.Write =
            reinterpret_cast<WriteBatchReportFunction>(module.resolve(WriteBatchReportSymbol));
        if (!start || !reports.Write) {
            PrintError(QStringLiteral("cannot load the report module: ") + module.errorString());
            return 1;
        }
        reports.Dir = batch.ReportDir;
        reports.Date = options.ReportDate.value_or(QString());
        // The module brings its own GUI application object; only one may exist.
        application.reset();
        application.reset(start(argc, argv));
    }

    // Every worker opens its connection before any row is read, so a
    // catalogue that cannot be read stops the batch before any answer.
    BatchQueue queue;
    std::vector<std::unique_ptr<BatchWorker>> workers;
    for (int i = 0; i < batch.Jobs; ++i) {
        workers.push_back(std::make_unique<BatchWorker>(options, reports, queue));
    }
    std::vector<std::optional<TCatalogueError>> opened(workers.size());
    std::vector<std::thread> threads;
    std::mutex openMutex;
    std::condition_variable openDone;
    std::size_t openCount = 0;
    bool proceed = false;
    for (std::size_t i = 0; i < workers.size(); ++i) {
        threads.emplace_back([&, i] {
            auto error = workers[i]->Open();
            {
                std::unique_lock lock(openMutex);
                opened[i] = std::move(error);
                ++openCount;
                openDone.notify_all();
                openDone.wait(lock, [&] { return proceed; });
            }
            if (!opened[i])
                workers[i]->Run();
            workers[i]->Close();
        });
    }
    std::optional<TCatalogueError> openError;
    {
        std::unique_lock lock(openMutex);
        openDone.wait(lock, [&] { return openCount == workers.size(); });
        for (const auto& error : opened) {
            if (error && !openError)
                openError = error;
        }
        proceed = true;
        openDone.notify_all();
    }
    const auto stopWorkers = [&] {
        queue.Close();
        for (std::thread& thread : threads)
            thread.join();
    };
    if (openError) {
        stopWorkers();
        PrintError(openError->Text);
        return 1;
    }

    BatchRowReader reader(input, batch.Format);
    if (const auto error = reader.Start()) {
        stopWorkers();
        PrintError(QStringLiteral("%1: %2").arg(batch.InputPath, *error));
        return 1;
    }
    AnswerSink sink;
    if (!sink.Open(batch.OutputPath)) {
        stopWorkers();
        PrintError(
            QStringLiteral("cannot write \"%1\": %2").arg(batch.OutputPath, sink.ErrorText()));
        return 1;
    }

    qint64 total = 0;
    if (batch.InputPath != QLatin1String("-") && isatty(fileno(stderr))) {
        QFile counted(batch.InputPath);
        if (counted.open(QIODevice::ReadOnly))
            total = BatchRowReader::CountRows(counted, batch.Format);
    }
    BatchProgress progress(stderr, total);

    if (batch.Format == BatchFormat::Csv)
        sink.Write(BatchCsvHeader());
    qint64 written = 0;
    bool catalogueFailed = false;
    const auto write = [&](const BatchAnswerText& answer) {
        sink.Write(answer.Text);
        catalogueFailed = catalogueFailed || answer.CatalogueFailed;
        progress.Update(++written);
    };
    qint64 sequence = 0;
    BatchRow row;
    while (reader.Next(row)) {
        while (queue.InFlight() >= RowsInFlight) {
            sink.Flush();
            write(*queue.Next(true));
        }
        queue.Push(BatchTask{sequence++, std::move(row)});
        while (const auto answer = queue.Next(false))
            write(*answer);
    }
    queue.Close();
    while (const auto answer = queue.Next(true))
        write(*answer);
    for (std::thread& thread : threads)
        thread.join();
    progress.Finish(written);

    if (!sink.Commit()) {
        PrintError(
            QStringLiteral("cannot write \"%1\": %2").arg(batch.OutputPath, sink.ErrorText()));
        return 1;
    }
    if (catalogueFailed) {
        PrintError(
            QStringLiteral("the catalogue could not be read for some rows; see their answers"));
        return 1;
    }
    return 0;
}
