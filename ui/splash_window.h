#pragma once
// The splash window shown once at start-up, before the main window appears:
// a borderless 536 × 308 window with a calm animation of the system's name
// over a roof. It closes on a click on the animation, on any key that types a
// character, or by itself 27,5 seconds after it was created, and then
// destroys itself; nothing shows it again.

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

// The movie area: draws the animation on a cheap frame timer that runs only
// while the area is on screen and stops once the picture has settled.
class SplashMovie : public QWidget {
    Q_OBJECT
public:
    // How long the picture moves before it holds still.
    static constexpr int AnimationMs = 4200;
    static constexpr int FrameMs = 33;

    explicit SplashMovie(QWidget* parent);

    void play();
    void stop();
    bool isPlaying() const { return m_frames.isActive(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTimer m_frames;
    QElapsedTimer m_clock;
    qint64 m_stoppedAt = -1;
};

class Tform5 : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClosingDelayMs = 27500;
    static constexpr int WindowWidth = 536;
    static constexpr int WindowHeight = 308;

    explicit Tform5(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void stopMovieAndTimer();
    void takeKeyboard();

    SplashMovie* m_movie = nullptr;
    QTimer* m_closingTimer = nullptr;
};
