#pragma once
// The one-line progress bar of a batch on a terminal: rows done (of the
// total, when known), rows per second and the time left.

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

// The line itself, for a given count, total (0: unknown) and time spent.
QString BatchProgressText(qint64 done, qint64 total, double seconds);

class BatchProgress {
public:
    // Draws on `stream` only when it is a terminal, so pipes and logs stay
    // clean.
    BatchProgress(std::FILE* stream, qint64 total);
    bool Shown() const { return Terminal; }

    // Redraws at most ten times a second.
    void Update(qint64 done);
    // The last state, and the line end.
    void Finish(qint64 done);

private:
    void Draw(qint64 done);

    std::FILE* Stream;
    bool Terminal;
    qint64 Total;
    QElapsedTimer Clock;
    qint64 LastDrawn = -1000;
};
