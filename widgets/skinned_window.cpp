#include "widgets/skinned_window.h"

#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QColor FrameBackground(0xE8, 0xE8, 0xE8);
const QColor TitleTop(0x2A, 0x4F, 0x8F);
const QColor TitleBottom(0x12, 0x2E, 0x62);
// How far from an edge the pointer may be to grab it.
constexpr int ResizeGrip = 4;

Qt::CursorShape CursorForEdges(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & Qt::BottomEdge;
    if (horizontal && vertical)
        return edges & Qt::LeftEdge ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor;
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

// The title bar: paints the caption, carries the buttons, moves the window
// when dragged and maximises it on a double click where that is allowed.
class TitleBar : public QWidget {
public:
    TitleBar(const QString& caption, SkinnedWindow::TitleButtons buttons, SkinnedWindow* window)
        : QWidget(window), m_caption(caption), m_buttons(buttons), m_window(window) {
        setObjectName(QStringLiteral("titleBar"));
        setAccessibleDescription(objectName());
        setAccessibleName(caption);
        setGeometry(1, 1, window->width() - 2, SkinnedWindow::TitleBarHeight - 1);

        if (buttons & SkinnedWindow::SystemMenuButton) {
            auto* menuButton = makeButton(QStringLiteral("systemMenuButton"), QStringLiteral("≡"),
                                          QStringLiteral("Системное меню"));
            auto* menu = new QMenu(menuButton);
            if (buttons & SkinnedWindow::MinimiseButton)
                menu->addAction(QStringLiteral("Свернуть"), window, &QWidget::showMinimized);
            if (buttons & SkinnedWindow::MaximiseButton)
                menu->addAction(QStringLiteral("Развернуть"), this, [this] { toggleMaximised(); });
            menu->addAction(QStringLiteral("Закрыть"), window, &QWidget::close);
            menuButton->setMenu(menu);
            menuButton->setPopupMode(QToolButton::InstantPopup);
            m_systemMenu = menuButton;
        }
        if (buttons & SkinnedWindow::MinimiseButton) {
            m_right.append(makeButton(QStringLiteral("minimiseButton"), QStringLiteral("–"),
                                      QStringLiteral("Свернуть")));
            connect(m_right.last(), &QToolButton::clicked, window, &QWidget::showMinimized);
        }
        if (buttons & SkinnedWindow::MaximiseButton) {
            m_right.append(makeButton(QStringLiteral("maximiseButton"), QStringLiteral("□"),
                                      QStringLiteral("Развернуть")));
            connect(m_right.last(), &QToolButton::clicked, this, [this] { toggleMaximised(); });
        }
        if (buttons & SkinnedWindow::CloseButton) {
            m_right.append(makeButton(QStringLiteral("closeButton"), QStringLiteral("×"),
                                      QStringLiteral("Закрыть")));
            connect(m_right.last(), &QToolButton::clicked, window, &QWidget::close);
        }
        placeButtons();
    }

    void placeButtons() {
        const int size = height() - 6;
        if (m_systemMenu)
            m_systemMenu->setGeometry(4, 3, size, size);
        int x = width() - 4;
        for (int i = m_right.size() - 1; i >= 0; --i) {
            x -= size;
            m_right[i]->setGeometry(x, 3, size, size);
            x -= 2;
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, TitleTop);
        gradient.setColorAt(1, TitleBottom);
        painter.fillRect(rect(), gradient);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        const int left = m_systemMenu ? m_systemMenu->geometry().right() + 6 : 6;
        painter.drawText(QRect(left, 0, width() - left, height()), Qt::AlignVCenter | Qt::AlignLeft,
                         m_caption);
    }

    void resizeEvent(QResizeEvent*) override { placeButtons(); }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        // Let the window manager move the window where there is one; otherwise
        // follow the pointer ourselves.
        QWindow* handle = m_window->windowHandle();
        if (handle && handle->startSystemMove())
            return;
        m_dragOffset = event->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        m_dragging = true;
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragging && !m_window->isMaximized())
            m_window->move(event->globalPosition().toPoint() - m_dragOffset);
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_dragging = false; }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            toggleMaximised();
    }

private:
    QToolButton* makeButton(const QString& name, const QString& glyph, const QString& tip) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setAccessibleDescription(button->objectName());
        button->setText(glyph);
        button->setToolTip(tip);
        button->setAccessibleName(tip);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setStyleSheet(QStringLiteral(
            "QToolButton { color: white; font: bold 12px 'Tahoma'; border: 1px solid #8FA6CF;"
            " background: #3A5F9F; } QToolButton:hover { background: #5A7FBF; }"
            " QToolButton::menu-indicator { image: none; }"));
        return button;
    }

    void toggleMaximised() {
        if (!(m_buttons & SkinnedWindow::MaximiseButton))
            return;
        if (m_window->isMaximized())
            m_window->showNormal();
        else
            m_window->showMaximized();
    }

    QString m_caption;
    SkinnedWindow::TitleButtons m_buttons;
    SkinnedWindow* m_window;
    QToolButton* m_systemMenu = nullptr;
    QList<QToolButton*> m_right;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace

SkinnedWindow::SkinnedWindow(const QString& caption, TitleButtons buttons, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(caption);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, FrameBackground);
    setPalette(pal);
    auto* title = new TitleBar(caption, buttons, this);
    title->lower();
}

QMenuBar* SkinnedWindow::addMenuBar() {
    // A menu bar without a layout stretches itself over its parent's whole
    // width; held in a band of its own it stays inside the frame's border.
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("menuBarBand"));
    band->setAccessibleDescription(band->objectName());
    band->setGeometry(1, TitleBarHeight, width() - 2, MenuBarHeight);
    auto* layout = new QVBoxLayout(band);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(band);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setAccessibleDescription(bar->objectName());
    bar->setNativeMenuBar(false);
    QFont menuFont(QStringLiteral("Tahoma"));
    menuFont.setPixelSize(11);
    bar->setFont(menuFont);
    bar->setStyleSheet(QStringLiteral("QMenuBar { background: #E8E8E8; }"));
    layout->addWidget(bar);
    m_menuBar = band;
    return bar;
}

void SkinnedWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (auto* title = findChild<QWidget*>(QStringLiteral("titleBar"), Qt::FindDirectChildrenOnly))
        title->setGeometry(1, 1, width() - 2, TitleBarHeight - 1);
    if (m_menuBar)
        m_menuBar->setGeometry(1, TitleBarHeight, width() - 2, MenuBarHeight);
}

void SkinnedWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SkinnedWindow::setResizable(bool resizable) {
    m_resizable = resizable;
    setMouseTracking(resizable);
    if (!resizable)
        unsetCursor();
}

Qt::Edges SkinnedWindow::edgesAt(QPoint position) const {
    Qt::Edges edges;
    if (!m_resizable || isMaximized())
        return edges;
    if (position.x() < ResizeGrip)
        edges |= Qt::LeftEdge;
    if (position.x() >= width() - ResizeGrip)
        edges |= Qt::RightEdge;
    if (position.y() >= height() - ResizeGrip)
        edges |= Qt::BottomEdge;
    return edges;
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
    const Qt::Edges edges = edgesAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !edges) {
        QWidget::mousePressEvent(event);
        return;
    }
    QWindow* handle = windowHandle();
    if (handle && handle->startSystemResize(edges))
        return;
    m_resizeEdges = edges;
    m_resizeStart = event->globalPosition().toPoint();
    m_resizeStartGeometry = geometry();
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!m_resizeEdges) {
        if (m_resizable)
            setCursor(CursorForEdges(edgesAt(event->position().toPoint())));
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint moved = event->globalPosition().toPoint() - m_resizeStart;
    QRect target = m_resizeStartGeometry;
    if (m_resizeEdges & Qt::LeftEdge)
        target.setLeft(std::min(target.left() + moved.x(), target.right() - minimumWidth() + 1));
    if (m_resizeEdges & Qt::RightEdge)
        target.setRight(target.right() + moved.x());
    if (m_resizeEdges & Qt::BottomEdge)
        target.setBottom(target.bottom() + moved.y());
    target.setSize(target.size().expandedTo(minimumSize()));
    setGeometry(target);
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_resizeEdges = {};
    QWidget::mouseReleaseEvent(event);
}

void SkinnedWindow::leaveEvent(QEvent* event) {
    if (!m_resizeEdges && m_resizable)
        unsetCursor();
    QWidget::leaveEvent(event);
}
