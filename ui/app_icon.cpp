#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int IconSize = 32;
constexpr int TileSize = 8;

} // namespace

QIcon MakeApplicationIcon() {
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);

    // The tiles: two greys in a chequer, with dark joints between them.
    for (int row = 0; row < IconSize / TileSize; ++row) {
        for (int column = 0; column < IconSize / TileSize; ++column) {
            const QColor tile =
                (row + column) % 2 == 0 ? QColor(0xC0, 0xC0, 0xC0) : QColor(0x80, 0x80, 0x80);
            painter.fillRect(column * TileSize, row * TileSize, TileSize, TileSize, tile);
        }
    }
    painter.setPen(QColor(0x00, 0x00, 0x00));
    painter.drawRect(0, 0, IconSize - 1, IconSize - 1);

    // The question mark, drawn as a stroke so no font is needed at start-up.
    QPainterPath hook;
    hook.moveTo(10, 11);
    hook.cubicTo(10, 4, 22, 4, 22, 11);
    hook.cubicTo(22, 16, 16, 16, 16, 21);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen stroke(QColor(0xFF, 0x00, 0x00), 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(stroke);
    painter.drawPath(hook);
    painter.fillRect(14, 24, 4, 4, QColor(0xFF, 0x00, 0x00));
    painter.end();
    return QIcon(picture);
}
