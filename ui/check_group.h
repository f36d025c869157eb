#pragma once
// A framed group of check boxes in one column, as the main window's criteria
// lists and its work-conditions frame use it. The caption is painted into a
// gap of the frame's top line; the windows give it a run of blanks so that a
// separate heading label can stand in that gap.

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>

class QCheckBox;

class TCheckGroup : public QWidget {
    Q_OBJECT
public:
    TCheckGroup(const QString& caption, const QStringList& items, int topMargin,
                QWidget* parent = nullptr);

    int count() const { return m_items.size(); }
    QCheckBox* item(int index) const { return m_items.at(index); }
    bool isChecked(int index) const;
    void setChecked(int index, bool checked);
    const QString& caption() const { return m_caption; }

    // Spreads the items evenly down the frame under the caption. Runs on every
    // resize; a hidden group gets its resize only when first shown, so whoever
    // places one may call it at once.
    void arrangeItems();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int captionHeight() const;

    QString m_caption;
    int m_topMargin;
    QList<QCheckBox*> m_items;
};
