#pragma once
// Text that must fit a fixed box: a table cell of fixed height or a one-line
// label of fixed width. What fits is shown whole; what does not is cut at a
// letter boundary and marked with "…", and the caller offers the whole text
// elsewhere (a tool tip, the clipboard).

#include <QFont>
#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>

struct WrappedText {
    QStringList Lines; // the whole lines that fit, the last one ending in "…" when cut
    bool Cut = false;
};

// Breaks `text` into lines at word boundaries (inside a word only when one
// word is wider than the box) and keeps as many whole lines as `height`
// holds; a cut text ends its last kept line with "…".
WrappedText WrapToBox(const QString& text, const QFont& font, int width, int height);

// The grid's cells: word-wrapped text drawn in whole lines only, an ellipsis
// on the last line of a cut cell, and the whole text as the tool tip of a cell
// whose text does not fit.
class WrappedCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Space between a cell's border and its text.
    static constexpr int Margin = 2;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};
