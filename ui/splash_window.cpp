#include "ui/splash_window.h"

#include "widgets/window_look.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>
#include <array>

namespace {

// Progress of a stage that starts at `startMs` and lasts `lengthMs`, eased
// in and out so that nothing jumps.
qreal Stage(qint64 nowMs, int startMs, int lengthMs) {
    const qreal linear = std::clamp(qreal(nowMs - startMs) / lengthMs, qreal(0), qreal(1));
    return linear * linear * (3 - 2 * linear);
}

// The picture: a house with a gable roof whose layers are laid one after
// another (a multi-layer roof being renewed), then the system's name.
const QPointF LeftEave(70, 214);
const QPointF Ridge(267, 136);
const QPointF RightEave(464, 214);
constexpr qreal LayerStep = 5;
constexpr int LayerStartMs = 300;
constexpr int LayerGapMs = 450;
constexpr int LayerSweepMs = 1000;
constexpr int TitleStartMs = 2500;
constexpr int TitleFadeMs = 1400;
const std::array<QColor, 4> LayerColours = {QColor(0x6B, 0x5B, 0x4B), QColor(0x55, 0x4A, 0x42),
                                            QColor(0x3E, 0x4A, 0x58), QColor(0x9A, 0x34, 0x2E)};

void PaintHouse(QPainter& painter) {
    const qreal ground = 292;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xB8, 0xC4, 0xB0));
    painter.drawRect(QRectF(0, ground, 534, 306 - ground));

    const QRectF walls(112, 196, 310, ground - 196);
    QLinearGradient wallShade(walls.topLeft(), walls.bottomLeft());
    wallShade.setColorAt(0, QColor(0xE6, 0xE0, 0xD6));
    wallShade.setColorAt(1, QColor(0xCF, 0xC7, 0xBA));
    painter.setBrush(wallShade);
    painter.setPen(QPen(QColor(0x8C, 0x84, 0x78), 1));
    painter.drawRect(walls);

    painter.setBrush(QColor(0xA9, 0xC4, 0xDC));
    for (int column = 0; column < 4; ++column)
        painter.drawRect(QRectF(140 + column * 72, 222, 34, 40));

    // The old roof under repair: the base every new layer lies on.
    QPainterPath base;
    base.moveTo(LeftEave);
    base.lineTo(Ridge);
    base.lineTo(RightEave);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x9C, 0x94, 0x88), 6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(base);
}

void PaintLayers(QPainter& painter, qint64 nowMs) {
    for (std::size_t layer = 0; layer < LayerColours.size(); ++layer) {
        const qreal progress = Stage(nowMs, LayerStartMs + int(layer) * LayerGapMs, LayerSweepMs);
        if (progress <= 0)
            continue;
        const qreal lift = LayerStep * qreal(layer + 1);
        QPainterPath path;
        path.moveTo(LeftEave + QPointF(-2, -lift));
        path.lineTo(Ridge + QPointF(0, -lift));
        path.lineTo(RightEave + QPointF(2, -lift));
        const qreal left = LeftEave.x() - 4;
        const qreal right = left + (RightEave.x() + 8 - left) * progress;
        painter.save();
        painter.setClipRect(QRectF(left, 0, right - left, 306));
        painter.setPen(QPen(LayerColours[layer], 4.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(path);
        painter.restore();
    }
}

void PaintTitle(QPainter& painter, qint64 nowMs, const QString& title) {
    const qreal shown = Stage(nowMs, TitleStartMs, TitleFadeMs);
    if (shown <= 0)
        return;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(46);
    font.setBold(true);
    painter.setFont(font);
    painter.setOpacity(shown);
    const QRectF box(0, 30 + (1 - shown) * 10, 534, 70);
    painter.setPen(Qt::white);
    painter.drawText(box.translated(0, 1), Qt::AlignCenter, title);
    painter.setPen(QColor(0x00, 0x00, 0x51));
    painter.drawText(box, Qt::AlignCenter, title);
    painter.setOpacity(1);
}

} // namespace

SplashMovie::SplashMovie(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Flash1"));
    setAccessibleDescription(objectName());
    setAccessibleName(ProgramTitle);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    m_frames.setInterval(FrameMs);
    connect(&m_frames, &QTimer::timeout, this, [this] {
        if (m_clock.elapsed() >= AnimationMs)
            m_frames.stop();
        update();
    });
}

void SplashMovie::play() {
    if (!m_clock.isValid())
        m_clock.start();
    m_stoppedAt = -1;
    if (m_clock.elapsed() < AnimationMs)
        m_frames.start();
}

void SplashMovie::stop() {
    m_frames.stop();
    if (m_clock.isValid())
        m_stoppedAt = m_clock.elapsed();
}

void SplashMovie::paintEvent(QPaintEvent*) {
    const qint64 now = m_stoppedAt >= 0 ? m_stoppedAt : m_clock.isValid() ? m_clock.elapsed() : 0;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0xC9, 0xDC, 0xEE));
    sky.setColorAt(1, QColor(0xF3, 0xF6, 0xF9));
    painter.fillRect(rect(), sky);
    PaintHouse(painter);
    PaintLayers(painter, now);
    PaintTitle(painter, now, ProgramTitle);
}

// A click anywhere on the movie ends the splash.
void SplashMovie::mousePressEvent(QMouseEvent*) {
    emit clicked();
}

Tform5::Tform5(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Tform5"));
    setAccessibleDescription(objectName());
    setWindowTitle(ProgramCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(WindowWidth, WindowHeight);
    setFocusPolicy(Qt::StrongFocus);

    // The one-pixel frame is the window's own black showing around the movie.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);

    m_movie = new SplashMovie(this);
    m_movie->setGeometry(1, 1, WindowWidth - 2, WindowHeight - 2);
    connect(m_movie, &SplashMovie::clicked, this, &QWidget::close);

    // Counts from creation, not from showing: if start-up takes long the
    // splash is simply shorter, or gone before the main window appears.
    m_closingTimer = new QTimer(this);
    m_closingTimer->setObjectName(QStringLiteral("Timer1"));
    m_closingTimer->setSingleShot(true);
    m_closingTimer->setInterval(ClosingDelayMs);
    connect(m_closingTimer, &QTimer::timeout, this, &QWidget::close);
    m_closingTimer->start();
}

// Any key that types something closes the splash (letters, digits, the space
// bar, Enter, Escape); Shift, Ctrl and the like on their own type nothing.
void Tform5::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty())
        close();
    else
        event->ignore();
}

void Tform5::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    m_movie->play();
    // Without a window manager nobody gives the new window the keyboard; ask
    // for it once the window is on screen so that a key still ends the splash.
    QTimer::singleShot(0, this, &Tform5::takeKeyboard);
}

void Tform5::takeKeyboard() {
    if (!isVisible())
        return;
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    grabKeyboard();
}

void Tform5::hideEvent(QHideEvent* event) {
    releaseKeyboard();
    stopMovieAndTimer();
    QDialog::hideEvent(event);
}

void Tform5::closeEvent(QCloseEvent* event) {
    stopMovieAndTimer();
    QDialog::closeEvent(event);
}

void Tform5::stopMovieAndTimer() {
    m_movie->stop();
    m_closingTimer->stop();
}
