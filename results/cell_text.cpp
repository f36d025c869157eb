#include "results/cell_text.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

WrappedText WrapToBox(const QString& text, const QFont& font, int width, int height) {
    WrappedText wrapped;
    if (text.isEmpty() || width <= 0)
        return wrapped;
    const QFontMetrics metrics(font);
    const int lineHeight = metrics.lineSpacing();
    const int room = std::max(1, height / lineHeight);

    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<int> starts;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        starts.append(line.textStart());
        wrapped.Lines.append(text.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();

    if (wrapped.Lines.size() <= room)
        return wrapped;
    wrapped.Cut = true;
    wrapped.Lines = wrapped.Lines.mid(0, room);
    // The last kept line carries on into the text that does not fit, so its
    // ellipsis stands where the box ends, after a whole letter.
    const QString rest = text.mid(starts[room - 1]).simplified();
    QString last = metrics.elidedText(rest, Qt::ElideRight, width);
    if (!last.endsWith(QChar(0x2026)))
        last = metrics.elidedText(rest + QChar(0x2026), Qt::ElideRight, width);
    wrapped.Lines.last() = last;
    return wrapped;
}

namespace {

QRect TextBox(const QRect& cell) {
    const int m = WrappedCellDelegate::Margin;
    return cell.adjusted(m, m, -m - 1, -m - 1);
}

} // namespace

void WrappedCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

    const QRect box = TextBox(opt.rect);
    const WrappedText wrapped = WrapToBox(text, opt.font, box.width(), box.height());
    const int lineHeight = QFontMetrics(opt.font).lineSpacing();
    const QPalette::ColorRole role =
        opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(QPalette::Active, role));
    painter->setClipRect(box);
    const Qt::Alignment horizontal = opt.displayAlignment & Qt::AlignHorizontal_Mask;
    int top = box.top();
    for (const QString& line : wrapped.Lines) {
        painter->drawText(QRect(box.left(), top, box.width(), lineHeight),
                          int(horizontal | Qt::AlignTop), line);
        top += lineHeight;
    }
    painter->restore();
}

bool WrappedCellDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() != QEvent::ToolTip)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect box = TextBox(option.rect);
    if (WrapToBox(text, option.font, box.width(), box.height()).Cut)
        QToolTip::showText(event->globalPos(), text, view, option.rect);
    else
        QToolTip::hideText();
    return true;
}
