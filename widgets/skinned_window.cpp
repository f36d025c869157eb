#include "widgets/skinned_window.h"

#include "widgets/server_position.h"

#include <QApplication>
#include <QChildEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

const QColor FrameBackground(0xE8, 0xE8, 0xE8);
const QColor TitleTop(0x2A, 0x4F, 0x8F);
const QColor TitleBottom(0x12, 0x2E, 0x62);
// The square at a bottom corner that resizes both ways.
constexpr int CornerGrip = 8;
// How long the window must hold still before its position is checked with the
// server: long enough for the window manager to answer the frame's own moves.
constexpr int SettleMs = 250;

// Where the platform lets no client move its own windows (Wayland), the
// compositor is asked to run the drag instead.
bool CompositorDrags() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

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
    TitleBar(const QString& caption, SkinnedLook::TitleButtons buttons, QWidget* window,
             PointerDragTarget* drag)
        : QWidget(window), m_caption(caption), m_buttons(buttons), m_window(window), m_drag(drag) {
        setObjectName(QStringLiteral("titleBar"));
        setAccessibleDescription(objectName());
        setAccessibleName(caption);
        setGeometry(1, 1, window->width() - 2, SkinnedLook::TitleBarHeight - 1);

        if (buttons & SkinnedLook::SystemMenuButton) {
            auto* menuButton = makeButton(QStringLiteral("systemMenuButton"), QStringLiteral("≡"),
                                          QStringLiteral("Системное меню"));
            auto* menu = new QMenu(menuButton);
            if (buttons & SkinnedLook::MinimiseButton)
                menu->addAction(QStringLiteral("Свернуть"), window, &QWidget::showMinimized);
            if (buttons & SkinnedLook::MaximiseButton)
                menu->addAction(QStringLiteral("Развернуть"), this, [this] { toggleMaximised(); });
            menu->addAction(QStringLiteral("Закрыть"), window, &QWidget::close);
            menuButton->setMenu(menu);
            menuButton->setPopupMode(QToolButton::InstantPopup);
            m_systemMenu = menuButton;
        }
        if (buttons & SkinnedLook::MinimiseButton) {
            m_right.append(makeButton(QStringLiteral("minimiseButton"), QStringLiteral("–"),
                                      QStringLiteral("Свернуть")));
            connect(m_right.last(), &QToolButton::clicked, window, &QWidget::showMinimized);
        }
        if (buttons & SkinnedLook::MaximiseButton) {
            m_right.append(makeButton(QStringLiteral("maximiseButton"), QStringLiteral("□"),
                                      QStringLiteral("Развернуть")));
            connect(m_right.last(), &QToolButton::clicked, this, [this] { toggleMaximised(); });
        }
        if (buttons & SkinnedLook::CloseButton) {
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
        if (event->button() == Qt::LeftButton)
            m_drag->beginPointerDrag(event->globalPosition().toPoint(), {});
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_drag->continuePointerDrag(event->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_drag->endPointerDrag(); }
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
        if (!(m_buttons & SkinnedLook::MaximiseButton))
            return;
        if (m_window->isMaximized())
            m_window->showNormal();
        else
            m_window->showMaximized();
    }

    QString m_caption;
    SkinnedLook::TitleButtons m_buttons;
    QWidget* m_window;
    PointerDragTarget* m_drag;
    QToolButton* m_systemMenu = nullptr;
    QList<QToolButton*> m_right;
};

// A strip or corner of the border band that resizes the window. It lies above
// every control, so the border resizes wherever it is grabbed.
class ResizeGrip : public QWidget {
public:
    ResizeGrip(Qt::Edges edges, QWidget* window, PointerDragTarget* drag)
        : QWidget(window), m_edges(edges), m_drag(drag) {
        setObjectName(QStringLiteral("resizeGrip"));
        setCursor(CursorForEdges(edges));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_drag->beginPointerDrag(event->globalPosition().toPoint(), m_edges);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        m_drag->continuePointerDrag(event->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { m_drag->endPointerDrag(); }

private:
    Qt::Edges m_edges;
    PointerDragTarget* m_drag;
};

} // namespace

template <class Base>
SkinnedFrame<Base>::SkinnedFrame(const QString& caption, TitleButtons buttons, QWidget* parent)
    : Base(parent, Qt::Window | Qt::FramelessWindowHint) {
    this->setWindowTitle(caption);
    this->setAutoFillBackground(true);
    QPalette pal = this->palette();
    pal.setColor(QPalette::Window, FrameBackground);
    this->setPalette(pal);
    auto* title = new TitleBar(caption, buttons, this, this);
    title->lower();

    const Qt::Edges grips[] = {Qt::LeftEdge, Qt::RightEdge, Qt::BottomEdge,
                               Qt::BottomEdge | Qt::LeftEdge, Qt::BottomEdge | Qt::RightEdge};
    for (std::size_t i = 0; i < m_grips.size(); ++i) {
        m_grips[i] = new ResizeGrip(grips[i], this, this);
        m_grips[i]->hide();
    }
    placeGrips();

    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    this->connect(&m_settle, &QTimer::timeout, this, &SkinnedFrame<Base>::settlePosition);
    // Clicks and keys anywhere in the window pass here first: the position is
    // made true before a list or menu opens, and Enter presses the focused
    // button.
    qApp->installEventFilter(this);
}

template <class Base> QMenuBar* SkinnedFrame<Base>::addMenuBar() {
    // A menu bar without a layout stretches itself over its parent's whole
    // width; held in a band of its own it stays inside the frame's border.
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("menuBarBand"));
    band->setAccessibleDescription(band->objectName());
    band->setGeometry(1, TitleBarHeight, this->width() - 2, MenuBarHeight);
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

template <class Base> void SkinnedFrame<Base>::resizeEvent(QResizeEvent* event) {
    Base::resizeEvent(event);
    if (auto* title = this->template findChild<QWidget*>(QStringLiteral("titleBar"),
                                                         Qt::FindDirectChildrenOnly))
        title->setGeometry(1, 1, this->width() - 2, TitleBarHeight - 1);
    if (m_menuBar)
        m_menuBar->setGeometry(1, TitleBarHeight, this->width() - 2, MenuBarHeight);
    placeGrips();
}

template <class Base> void SkinnedFrame<Base>::paintEvent(QPaintEvent* event) {
    Base::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(this->rect().adjusted(0, 0, -1, -1));
}

template <class Base> void SkinnedFrame<Base>::setResizable(bool resizable) {
    m_resizable = resizable;
    placeGrips();
}

template <class Base> void SkinnedFrame<Base>::placeGrips() {
    if (!m_grips[0])
        return;
    const int w = this->width();
    const int h = this->height();
    const int side = std::max(0, h - 1 - CornerGrip);
    m_grips[0]->setGeometry(0, 1, ResizeBand, side);
    m_grips[1]->setGeometry(w - ResizeBand, 1, ResizeBand, side);
    m_grips[2]->setGeometry(CornerGrip, h - ResizeBand, std::max(0, w - 2 * CornerGrip),
                            ResizeBand);
    m_grips[3]->setGeometry(0, h - CornerGrip, CornerGrip, CornerGrip);
    m_grips[4]->setGeometry(w - CornerGrip, h - CornerGrip, CornerGrip, CornerGrip);
    const bool shown = m_resizable && !this->isMaximized() && !this->isFullScreen();
    for (QWidget* grip : m_grips)
        grip->setVisible(shown);
    raiseGrips();
}

template <class Base> void SkinnedFrame<Base>::raiseGrips() {
    for (QWidget* grip : m_grips) {
        if (grip)
            grip->raise();
    }
}

template <class Base> void SkinnedFrame<Base>::childEvent(QChildEvent* event) {
    Base::childEvent(event);
    // A control added later lies above the grips until they are raised again.
    if (event->added() && event->child()->isWidgetType() &&
        std::find(m_grips.begin(), m_grips.end(), event->child()) == m_grips.end())
        raiseGrips();
}

template <class Base>
void SkinnedFrame<Base>::beginPointerDrag(QPoint globalPointer, Qt::Edges edges) {
    if (edges ? !m_resizable || this->isMaximized() : this->isMaximized())
        return;
    if (CompositorDrags()) {
        if (QWindow* handle = this->windowHandle())
            edges ? handle->startSystemResize(edges) : handle->startSystemMove();
        return;
    }
    keepPositionTrue();
    m_settle.stop();
    m_dragging = true;
    m_dragEdges = edges;
    m_dragStart = globalPointer;
    m_dragStartGeometry = this->geometry();
}

template <class Base> void SkinnedFrame<Base>::continuePointerDrag(QPoint globalPointer) {
    if (!m_dragging)
        return;
    const QPoint moved = globalPointer - m_dragStart;
    if (!m_dragEdges) {
        this->move(m_dragStartGeometry.topLeft() + moved);
        return;
    }
    QRect target = m_dragStartGeometry;
    if (m_dragEdges & Qt::LeftEdge)
        target.setLeft(
            std::min(target.left() + moved.x(), target.right() - this->minimumWidth() + 1));
    if (m_dragEdges & Qt::RightEdge)
        target.setRight(target.right() + moved.x());
    if (m_dragEdges & Qt::BottomEdge)
        target.setBottom(target.bottom() + moved.y());
    target.setSize(target.size().expandedTo(this->minimumSize()));
    this->setGeometry(target);
}

template <class Base> void SkinnedFrame<Base>::endPointerDrag() {
    if (!m_dragging)
        return;
    m_dragging = false;
    checkPositionLater();
}

template <class Base> bool SkinnedFrame<Base>::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowStateChange:
        placeGrips();
        checkPositionLater();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::WindowActivate:
        checkPositionLater();
        break;
    default:
        break;
    }
    return Base::event(event);
}

template <class Base> bool SkinnedFrame<Base>::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::KeyPress)
        return Base::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return Base::eventFilter(watched, event);
    keepPositionTrue();
    if (type == QEvent::KeyPress) {
        // Enter on a focused button presses it, as the space bar does.
        const auto* key = static_cast<QKeyEvent*>(event);
        // Push buttons only: Enter does not tick a check box.
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button && button->hasFocus() && button->isEnabled() && !key->isAutoRepeat() &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            button->animateClick();
            return true;
        }
    }
    return Base::eventFilter(watched, event);
}

namespace {

bool SamePlace(const QWidget* window, QPoint server) {
    const QWindow* handle = window->windowHandle();
    return window->geometry().topLeft() == server && (!handle || handle->position() == server);
}

} // namespace

template <class Base> void SkinnedFrame<Base>::keepPositionTrue() {
    if (m_dragging || !this->isVisible())
        return;
    const std::optional<QPoint> server = ServerPosition(this);
    if (!server || SamePlace(this, *server))
        return;
    this->move(*server);
    if (QWindow* handle = this->windowHandle(); handle && handle->position() != *server)
        handle->setPosition(*server);
}

template <class Base> void SkinnedFrame<Base>::checkPositionLater() {
    if (m_dragging)
        return;
    m_pendingServerPosition.reset();
    m_settle.start();
}

// The server's word is taken only once it has held for a settling interval,
// so a move the frame itself has just asked for is not undone before the
// window manager has carried it out.
template <class Base> void SkinnedFrame<Base>::settlePosition() {
    if (m_dragging || !this->isVisible())
        return;
    const std::optional<QPoint> server = ServerPosition(this);
    if (!server || SamePlace(this, *server)) {
        m_pendingServerPosition.reset();
        return;
    }
    if (m_pendingServerPosition == server) {
        m_pendingServerPosition.reset();
        keepPositionTrue();
        return;
    }
    m_pendingServerPosition = server;
    m_settle.start();
}

template class SkinnedFrame<QWidget>;
template class SkinnedFrame<QDialog>;

void SkinnedDialog::keyPressEvent(QKeyEvent* event) {
    // Past the dialog's own keys (Enter for a default button, Escape to
    // reject) straight to the plain window's.
    QWidget::keyPressEvent(event); // NOLINT(bugprone-parent-virtual-call)
}
