#pragma once
// The skinned frame every window of the system wears: a frameless window
// whose whole area is the frame (1-pixel black border, background #E8E8E8)
// with a title bar drawn here. Controls are placed as direct children at
// positions measured from the window's top-left corner, title bar included,
// exactly as the layout tables give them. The main windows are
// `SkinnedWindow`s; the modal boxes are `SkinnedDialog`s, run by the
// toolkit's own `QDialog::exec()`.

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class QMenuBar;

// What the frame's look is made of, whatever the window's kind.
class SkinnedLook {
public:
    enum TitleButton {
        SystemMenuButton = 0x1,
        CloseButton = 0x2,
        MaximiseButton = 0x4,
        MinimiseButton = 0x8,
    };
    Q_DECLARE_FLAGS(TitleButtons, TitleButton)

    static constexpr int TitleBarHeight = 25;
    static constexpr int MenuBarHeight = 23;
    // Width of the band along the edges that resizes the window.
    static constexpr int ResizeBand = 4;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SkinnedLook::TitleButtons)

// The title bar and the border's grips move and resize the window through this.
class PointerDragTarget {
public:
    // Moves and resizes the window as a drag of the title bar or of the border
    // asks; the frame follows the pointer itself, so the window moves exactly
    // as far as the pointer did.
    virtual void beginPointerDrag(QPoint globalPointer, Qt::Edges edges) = 0;
    virtual void continuePointerDrag(QPoint globalPointer) = 0;
    virtual void endPointerDrag() = 0;

protected:
    ~PointerDragTarget() = default;
};

// The frame over a window class `Base` (QWidget or QDialog); made for those
// two only.
template <class Base>
class SkinnedFrame : public Base, public SkinnedLook, public PointerDragTarget {
public:
    SkinnedFrame(const QString& caption, TitleButtons buttons, QWidget* parent = nullptr);

    // Adds the 23-pixel menu bar right under the title bar.
    QMenuBar* addMenuBar();

    // Lets the user resize the window by dragging its left, right or bottom
    // edge or a bottom corner, from any point of the border band, whatever
    // control lies under it. Controls keep their places; a smaller window
    // simply hides what lies beyond its edge.
    void setResizable(bool resizable);
    bool isResizable() const { return m_resizable; }

    void beginPointerDrag(QPoint globalPointer, Qt::Edges edges) override;
    void continuePointerDrag(QPoint globalPointer) override;
    void endPointerDrag() override;

    // Makes the toolkit's idea of where the window lies agree with the display
    // server's, so that lists, menus, tool tips and dialogs open at their
    // controls after the window manager has placed, moved or maximised it.
    void keepPositionTrue();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placeGrips();
    void raiseGrips();
    void checkPositionLater();
    void settlePosition();

    QWidget* m_menuBar = nullptr; // the band that holds the menu bar
    bool m_resizable = false;
    // The border's resize handles: left, right, bottom, bottom-left,
    // bottom-right; they lie above every control.
    std::array<QWidget*, 5> m_grips{};
    // A drag of the title bar (no edges) or of the border in progress.
    bool m_dragging = false;
    Qt::Edges m_dragEdges;
    QPoint m_dragStart;
    QRect m_dragStartGeometry;
    // The position the server reported at the last settling check that
    // found it different from the toolkit's; corrected when it holds still.
    QTimer m_settle;
    std::optional<QPoint> m_pendingServerPosition;
};

extern template class SkinnedFrame<QWidget>;
extern template class SkinnedFrame<QDialog>;

// A main window in the skinned frame.
class SkinnedWindow : public SkinnedFrame<QWidget> {
    Q_OBJECT
public:
    using SkinnedFrame<QWidget>::SkinnedFrame;
};

// A modal box in the skinned frame. `exec()` is the toolkit's; Enter and
// Escape do nothing of their own here (no default button, no reject), so a
// box reacts to keys as the main windows do unless it says otherwise.
class SkinnedDialog : public SkinnedFrame<QDialog> {
    Q_OBJECT
public:
    using SkinnedFrame<QDialog>::SkinnedFrame;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
