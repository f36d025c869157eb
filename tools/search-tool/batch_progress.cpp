#include "tools/search-tool/batch_progress.h"

#include <unistd.h>

namespace {

QString Duration(double seconds) {
    const qint64 whole = qint64(seconds + 0.5);
    if (whole >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(whole / 3600)
            .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(whole % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString BatchProgressText(qint64 done, qint64 total, double seconds) {
    const double rate = seconds > 0 ? done / seconds : 0;
    const QString perSecond = QString::number(qint64(rate + 0.5)) + QStringLiteral(" rows/s");
    if (total <= 0)
        return QStringLiteral("%1 rows  %2").arg(done).arg(perSecond);
    constexpr int Width = 30;
    const qint64 shown = std::min(done, total);
    const int filled = int(Width * shown / total);
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(Width - filled, QLatin1Char('.'));
    QString text = QStringLiteral("[%1] %2/%3  %4").arg(bar).arg(done).arg(total).arg(perSecond);
    if (rate > 0 && done < total)
        text += QStringLiteral("  %1 left").arg(Duration((total - done) / rate));
    return text;
}

BatchProgress::BatchProgress(std::FILE* stream, qint64 total)
    : Stream(stream), Terminal(isatty(fileno(stream)) == 1), Total(total) {
    Clock.start();
}

void BatchProgress::Update(qint64 done) {
    if (!Terminal || Clock.elapsed() - LastDrawn < 100)
        return;
    Draw(done);
}

void BatchProgress::Finish(qint64 done) {
    if (!Terminal)
        return;
    Draw(done);
    std::fputc('\n', Stream);
    std::fflush(Stream);
}

void BatchProgress::Draw(qint64 done) {
    LastDrawn = Clock.elapsed();
    const QString line = BatchProgressText(done, Total, LastDrawn / 1000.0);
    // Clears what a longer previous line left.
    std::fprintf(Stream, "\r%s\x1b[K", line.toUtf8().constData());
    std::fflush(Stream);
}
