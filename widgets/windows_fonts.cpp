#include "widgets/windows_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

void RegisterWindowsFonts() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    const QStringList files = {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf"),
                               QStringLiteral("ms_sans_serif.ttf")};
    for (const QString& file : files) {
        if (QFile::exists(folder + file))
            QFontDatabase::addApplicationFont(folder + file);
    }
}

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool underline) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QFont TimesFont(int pixelSize, bool bold, bool underline) {
    return PixelFont(TimesNewRoman, pixelSize, bold, underline);
}
