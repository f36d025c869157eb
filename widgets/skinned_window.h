#pragma once
// The skinned frame every main window of the system wears: a frameless
// window whose whole area is the frame (1-pixel black border, background
// #E8E8E8) with a title bar drawn here. Controls are placed as direct
// children at positions measured from the window's top-left corner, title
// bar included, exactly as the layout tables give them.

#include <QWidget>

class QMenuBar;

class SkinnedWindow : public QWidget {
    Q_OBJECT
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

    SkinnedWindow(const QString& caption, TitleButtons buttons, QWidget* parent = nullptr);

    // Adds the 23-pixel menu bar right under the title bar.
    QMenuBar* addMenuBar();

    // Lets the user resize the window by dragging its left, right or bottom
    // edge or a bottom corner. Controls keep their places; a smaller window
    // simply hides what lies beyond its edge.
    void setResizable(bool resizable);
    bool isResizable() const { return m_resizable; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Qt::Edges edgesAt(QPoint position) const;

    QWidget* m_menuBar = nullptr; // the band that holds the menu bar
    bool m_resizable = false;
    // Resizing by hand where no window manager takes over the drag.
    Qt::Edges m_resizeEdges;
    QPoint m_resizeStart;
    QRect m_resizeStartGeometry;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SkinnedWindow::TitleButtons)
