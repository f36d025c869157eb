#include "tools/zirs-catalogue/legacy_import.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

TLegacyOutcome ReadLegacyCatalogue(const QString& program, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return TLegacyError{QStringLiteral("файл не найден")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TLegacyError{QStringLiteral("файл не читается: %1").arg(file.errorString())};
    const QByteArray header = file.read(19);
    file.close();
    if (header == QByteArray("\0\1\0\0Standard ACE DB", 19))
        return TLegacyError{QStringLiteral(
            "это файл Access 2007 или новее (ACCDB); такие файлы не переносятся. Сохраните его в "
            "Access в формате .mdb (Access 2002–2003) и повторите")};
    if (header != QByteArray("\0\1\0\0Standard Jet DB", 19))
        return TLegacyError{
            QStringLiteral("это не файл Access (Jet): нет его подписи в начале файла")};

    QProcess child;
    // The reader decodes text to UTF-8 by itself; a charset chosen for it
    // from outside would change the names it looks for.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("MDBICONV"));
    child.setProcessEnvironment(environment);
    child.start(program, {QString::fromLatin1(LegacyChildCommand), info.absoluteFilePath()});

    TLegacyChildRun run;
    run.Started = child.waitForStarted();
    if (run.Started) {
        if (!child.waitForFinished(LegacyTimeoutSeconds * 1000)) {
            run.TimedOut = true;
            child.kill();
            child.waitForFinished();
        }
        run.Crashed = !run.TimedOut && child.exitStatus() == QProcess::CrashExit;
        run.ExitCode = child.exitCode();
        run.Output = child.readAllStandardOutput();
        run.Errors = child.readAllStandardError();
    }
    return InterpretLegacyChild(run, LegacyTimeoutSeconds);
}
