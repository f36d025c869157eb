#include "ui/check_group.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

const QColor FrameColour(0x09, 0x20, 0x6A);
constexpr int CaptionLeft = 8;
constexpr int ItemLeft = 8;
constexpr int BottomPadding = 5;

} // namespace

TCheckGroup::TCheckGroup(const QString& caption, const QStringList& items, int topMargin,
                         QWidget* parent)
    : QWidget(parent), m_caption(caption), m_topMargin(topMargin) {
    setAccessibleName(caption);
    // An empty group is still a stop of the tab order.
    if (items.isEmpty())
        setFocusPolicy(Qt::TabFocus);
    for (const QString& text : items) {
        auto* box = new QCheckBox(text, this);
        m_items.append(box);
    }
}

bool TCheckGroup::isChecked(int index) const {
    return m_items.at(index)->isChecked();
}

void TCheckGroup::setChecked(int index, bool checked) {
    m_items.at(index)->setChecked(checked);
}

int TCheckGroup::captionHeight() const {
    return fontMetrics().height();
}

void TCheckGroup::arrangeItems() {
    if (m_items.isEmpty())
        return;
    const int top = captionHeight() + m_topMargin;
    const int rowHeight = (height() - top - BottomPadding) / m_items.size();
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setGeometry(ItemLeft, top + i * rowHeight, width() - 2 * ItemLeft, rowHeight);
}

void TCheckGroup::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrangeItems();
}

void TCheckGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int line = captionHeight() / 2;
    const int gapLeft = CaptionLeft;
    const int gapRight = CaptionLeft + fontMetrics().horizontalAdvance(m_caption);
    painter.setPen(FrameColour);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.drawLine(0, line, 0, bottom);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, bottom, right, line);
    painter.drawLine(0, line, gapLeft - 1, line);
    painter.drawLine(gapRight, line, right, line);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(gapLeft, 0, gapRight - gapLeft, captionHeight()),
                     Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, line + 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
