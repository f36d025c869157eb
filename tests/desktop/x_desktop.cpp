#include "x_desktop.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString Run(const QString& program, const QStringList& arguments, bool* ok = nullptr) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

int Field(const QString& report, const char* name) {
    const QRegularExpression line(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name)));
    const QRegularExpressionMatch match = line.match(report);
    return match.hasMatch() ? match.captured(1).toInt() : INT_MIN;
}

QString Number(int value) {
    return QString::number(value);
}

} // namespace

QRect ServerGeometry(WId window) {
    bool ok = false;
    const QString report =
        Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), Number(int(window))}, &ok);
    const int x = Field(report, "Absolute upper-left X");
    const int y = Field(report, "Absolute upper-left Y");
    const int width = Field(report, "Width");
    const int height = Field(report, "Height");
    if (!ok || x == INT_MIN || y == INT_MIN || width == INT_MIN || height == INT_MIN)
        return {};
    return QRect(x, y, width, height);
}

bool Xdo(const QStringList& arguments) {
    bool ok = false;
    Run(QStringLiteral("xdotool"), arguments, &ok);
    return ok;
}

bool MovePointer(QPoint global) {
    return Xdo({QStringLiteral("mousemove"), Number(global.x()), Number(global.y())});
}

bool Click(QPoint global) {
    return MovePointer(global) && Xdo({QStringLiteral("click"), QStringLiteral("1")});
}

bool PressButton(QPoint global) {
    return MovePointer(global) && Xdo({QStringLiteral("mousedown"), QStringLiteral("1")});
}

bool ReleaseButton() {
    return Xdo({QStringLiteral("mouseup"), QStringLiteral("1")});
}

bool PressKey(const QString& keysym) {
    return Xdo({QStringLiteral("key"), keysym});
}

QString ServerTitle(WId window) {
    const QString report = Run(QStringLiteral("xprop"), {QStringLiteral("-id"), Number(int(window)),
                                                         QStringLiteral("_NET_WM_NAME")});
    // _NET_WM_NAME(UTF8_STRING) = "text", with quotes and backslashes escaped.
    const int open = report.indexOf(QLatin1Char('"'));
    const int close = report.lastIndexOf(QLatin1Char('"'));
    if (open < 0 || close <= open)
        return {};
    QString title = report.mid(open + 1, close - open - 1);
    title.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    title.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return title;
}
