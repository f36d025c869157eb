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

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QMenuBar* m_menuBar = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SkinnedWindow::TitleButtons)
