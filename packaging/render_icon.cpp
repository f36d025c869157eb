// Writes the program's own icon as the PNG files a desktop theme wants:
// render-icon DIR SIZE... makes DIR/SIZExSIZE/apps/zirs-tavelin.png.
// The icon is a 32-pixel picture of a few plain colours; whole multiples are
// scaled pixel by pixel so it stays crisp, other sizes are smoothed.

#include "ui/app_icon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: render-icon DIR SIZE...\n", stderr);
        return 2;
    }
    const QPixmap picture = MakeApplicationIcon().pixmap(32, 32);
    for (const QString& sizeText : arguments.mid(2)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size <= 0)
            return 2;
        const Qt::TransformationMode mode =
            size % 32 == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(arguments.at(1)).arg(size);
        if (!QDir().mkpath(dir) || !picture.scaled(size, size, Qt::IgnoreAspectRatio, mode)
                                        .save(dir + QStringLiteral("/zirs-tavelin.png"), "PNG"))
            return 1;
    }
    return 0;
}
