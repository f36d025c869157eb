// The main window's face: every control at its fixed place, size, font and
// colour. Positions are measured from the frame's top-left corner, title bar
// and menu bar included; nothing moves or stretches when the window is
// resized.

#include "ui/main_window.h"

#include "engine/criterion_headings.h"
#include "ui/check_group.h"
#include "ui/masked_edit.h"
#include "widgets/window_look.h"
#include "widgets/windows_fonts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {

const QColor HeadingColour(0x00, 0x00, 0x51);
const QColor InstructionColour(0x18, 0x55, 0x6E);

// A word-wrapped label whose lines break where the layout puts them. Its box
// is sized to whole-pixel text widths; the fractional advances of the
// metric-compatible fonts can exceed them by a fraction of a pixel, which
// would push a last word onto a line the box has no room for. Lines are
// therefore broken against the box's width plus that one pixel.
class WrappedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(0, 0, width() + 1, height()),
                         static_cast<int>(alignment()) | Qt::TextWordWrap, text());
    }
};

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& box,
                  const QFont& font, const QColor& colour, Qt::Alignment alignment = {},
                  bool wrapped = false) {
    QLabel* label = wrapped ? new WrappedLabel(text, parent) : new QLabel(text, parent);
    label->setWordWrap(wrapped);
    if (name)
        Describe(label, name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    SetTextColour(label, colour);
    label->setAlignment(alignment | Qt::AlignLeft);
    label->setGeometry(box);
    return label;
}

// A label as wide as its text, 19 (or the given) pixels high.
QLabel* MakeRowLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                     const QFont& font, int height = 19) {
    QLabel* label = MakeLabel(parent, name, text, QRect(at, QSize(1, height)), font, Qt::black);
    label->resize(label->fontMetrics().horizontalAdvance(text), height);
    return label;
}

// A heading drawn twice, white underneath and coloured one pixel lower on
// top, which reads as engraved into the background. Headings whose box holds
// more than one line are word-wrapped.
void MakeEngravedHeading(QWidget* parent, const char* whiteName, const char* colouredName,
                         const QString& text, const QRect& whiteBox, const QRect& colouredBox,
                         const QFont& font, const QColor& colour, Qt::Alignment alignment) {
    const bool wrapped = whiteBox.height() >= 2 * QFontMetrics(font).height();
    MakeLabel(parent, whiteName, text, whiteBox, font, Qt::white, alignment, wrapped);
    MakeLabel(parent, colouredName, text, colouredBox, font, colour, alignment, wrapped);
}

QFrame* MakeBevel(QWidget* parent, const char* name, const QRect& box, bool raised) {
    auto* bevel = new QFrame(parent);
    Describe(bevel, name);
    bevel->setFrameShape(raised ? QFrame::Panel : QFrame::Box);
    bevel->setFrameShadow(raised ? QFrame::Raised : QFrame::Sunken);
    bevel->setGeometry(box);
    return bevel;
}

TAdvMaskEdit* MakeField(QWidget* parent, const char* name, const QRect& box, int maxLength) {
    auto* field = new TAdvMaskEdit(parent);
    Describe(field, name);
    field->setFont(PixelFont(TimesNewRoman, 15));
    field->setMaxLength(maxLength);
    field->setGeometry(box);
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    field->setPalette(pal);
    return field;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const QString& text, const QRect& box) {
    auto* box_ = new QCheckBox(text, parent);
    Describe(box_, name);
    box_->setFont(PixelFont(TimesNewRoman, 16));
    SetTextColour(box_, Qt::black);
    box_->setGeometry(box);
    return box_;
}

// The lists show their items 17 pixels high.
class FixedRowHeight : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
    }
};

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items, const QRect& box) {
    auto* list = new QComboBox(parent);
    Describe(list, name);
    list->setEditable(false);
    list->setFont(PixelFont(TimesNewRoman, 15));
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setItemDelegate(new FixedRowHeight(list));
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Button, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::black);
    list->setPalette(pal);
    list->setGeometry(box);
    // The list drops down under its box rather than opening over it, so the
    // chosen value and the label above it stay in sight.
    list->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    return list;
}

TCheckGroup* MakeCheckGroup(QWidget* parent, const char* name, int captionBlanks,
                            const QStringList& items, int topMargin, const QRect& box) {
    auto* group = new TCheckGroup(QString(captionBlanks, u' '), items, topMargin, parent);
    Describe(group, name);
    group->setFont(PixelFont(TimesNewRoman, 16));
    SetTextColour(group, Qt::black);
    group->setGeometry(box);
    group->arrangeItems();
    return group;
}

template <std::size_t N> QStringList Texts(const std::array<const char*, N>& texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

} // namespace

void TForm1::createControls() {
    const QFont heading = PixelFont(TimesNewRoman, 16, true);
    const QFont plain = PixelFont(TimesNewRoman, 16);
    const QFont mark = PixelFont(TimesNewRoman, 11);

    // Frames first, so that every label and control lies on top of them.
    MakeBevel(this, "Bevel1", QRect(28, 64, 360, 126), true);
    MakeBevel(this, "Bevel4", QRect(28, 207, 373, 48), false);
    MakeBevel(this, "Bevel2", QRect(28, 255, 373, 50), false);
    MakeBevel(this, "Bevel3", QRect(28, 302, 373, 48), false);
    suiCheckGroup3 = MakeCheckGroup(this, "suiCheckGroup3", 52, {}, 0, QRect(28, 372, 373, 322));
    suiCheckGroup1 = MakeCheckGroup(this, "suiCheckGroup1", 60, Texts(InternalCriterionHeadings),
                                    10, QRect(420, 74, 541, 366));
    suiCheckGroup2 = MakeCheckGroup(this, "suiCheckGroup2", 55, Texts(ExternalFactorHeadings), 14,
                                    QRect(420, 480, 541, 211));

    // Instructions.
    MakeEngravedHeading(
        this, "Label17", "Label1",
        QStringLiteral("Для поиска оптимальной технологии ремонта многослойной кровли введите "
                       "исходные данные об объекте и субъекте поиска.            После ввода всех "
                       "данных  нажмите на кнопку "),
        QRect(35, 69, 318, 76), QRect(35, 70, 318, 76), plain, InstructionColour, Qt::AlignTop);
    suiButton1 = new QPushButton(QStringLiteral("Выполнить поиск"), this);
    Describe(suiButton1, "suiButton1");
    suiButton1->setFont(heading);
    SetTextColour(suiButton1, Qt::black);
    suiButton1->setGeometry(35, 152, 146, 25);

    // Object.
    MakeEngravedHeading(this, "Label16", "Label14",
                        QStringLiteral("Наименование или адрес объекта"), QRect(35, 211, 132, 38),
                        QRect(35, 212, 132, 38), heading, HeadingColour, Qt::AlignTop);
    DBAdvMaskEdit7 = MakeField(this, "DBAdvMaskEdit7", QRect(212, 225, 176, 22), 50);
    DBAdvMaskEdit7->setFocusOnHover(true);

    // Criteria group and subject.
    MakeEngravedHeading(this, "Label5", "Label9", QStringLiteral("Группа  учитываемых критериев"),
                        QRect(35, 257, 167, 38), QRect(35, 258, 167, 38), heading, HeadingColour,
                        Qt::AlignVCenter);
    suiComboBox1 = MakeList(
        this, "suiComboBox1",
        {QStringLiteral("Полная"), QStringLiteral("Специальная"), QStringLiteral("Выборочная")},
        QRect(249, 268, 139, 23));
    MakeEngravedHeading(this, "Label19", "Label3", QStringLiteral("Субъект поиска"),
                        QRect(35, 304, 61, 38), QRect(35, 305, 65, 38), heading, HeadingColour,
                        Qt::AlignVCenter);
    suiComboBox2 = MakeList(this, "suiComboBox2",
                            {QStringLiteral("Владелец здания              "),
                             QStringLiteral("Подрядчик                         "),
                             QStringLiteral("Проектировщик                 ")},
                            QRect(249, 315, 139, 23));
    suiComboBox2->setEnabled(false);

    // Work conditions: the heading stands in the gap of the frame's top line.
    MakeEngravedHeading(this, "Label20", "Label4", QStringLiteral("Условия производства работ"),
                        QRect(35, 364, 206, 19), QRect(35, 365, 206, 19), heading, HeadingColour,
                        Qt::AlignTop);
    MakeRowLabel(this, nullptr, QStringLiteral("Уклон кровли, %"), {35, 391}, plain);
    MakeRowLabel(this, nullptr, QStringLiteral("Объем необходимого ремонта не менее, м "),
                 {35, 419}, plain);
    MakeRowLabel(this, nullptr, QStringLiteral("Толщина ремонтируемой кровли, мм"), {35, 447},
                 plain);
    MakeRowLabel(this, nullptr, QStringLiteral("Максимально допустимая стоимость"), {35, 475},
                 plain);
    MakeRowLabel(this, nullptr, QStringLiteral("ремонта 1 м   кровли, руб."), {48, 498}, plain);
    MakeRowLabel(this, nullptr, QStringLiteral("Температура атмосферного воздуха,  С"), {35, 526},
                 plain);
    MakeRowLabel(this, nullptr, QStringLiteral("Физический износ кровли, %"), {35, 555}, plain);
    // The raised marks: square metres twice, and the degree sign before "С".
    MakeLabel(this, nullptr, QStringLiteral("2"), QRect(322, 416, 6, 14), mark, Qt::black);
    MakeLabel(this, nullptr, QStringLiteral("2"), QRect(130, 495, 6, 14), mark, Qt::black);
    MakeLabel(this, nullptr, QStringLiteral("о"), QRect(280, 522, 6, 14), mark, Qt::black);

    DBAdvMaskEdit1 = MakeField(this, "DBAdvMaskEdit1", QRect(337, 390, 51, 21), 4);
    DBAdvMaskEdit2 = MakeField(this, "DBAdvMaskEdit2", QRect(337, 419, 51, 21), 4);
    DBAdvMaskEdit3 = MakeField(this, "DBAdvMaskEdit3", QRect(337, 448, 51, 21), 3);
    DBAdvMaskEdit4 = MakeField(this, "DBAdvMaskEdit4", QRect(337, 497, 51, 21), 4);
    DBAdvMaskEdit5 = MakeField(this, "DBAdvMaskEdit5", QRect(337, 527, 51, 21), 3);
    DBAdvMaskEdit6 = MakeField(this, "DBAdvMaskEdit6", QRect(337, 556, 51, 21), 3);

    suiCheckBox1 =
        MakeCheckBox(this, "suiCheckBox1", QStringLiteral("Возможность применения открытого огня"),
                     QRect(35, 585, 322, 18));
    suiCheckBox2 = MakeCheckBox(this, "suiCheckBox2",
                                QStringLiteral("Возможность утяжеления покрытия ремонтным"),
                                QRect(35, 609, 353, 20));
    MakeRowLabel(this, "Label26", QStringLiteral(" слоем кровли"), {43, 631}, plain);
    suiCheckBox3 = MakeCheckBox(this, "suiCheckBox3",
                                QStringLiteral("Наличие доступа к системе электроснабжения"),
                                QRect(35, 656, 337, 19));

    // Right column: the criteria lists with their single-copy headings.
    MakeLabel(this, "Label10", QStringLiteral("Критерии внутренних факторов"),
              QRect(425, 70, 234, 19), heading, HeadingColour);
    MakeLabel(this, "Label11", QStringLiteral("Критерии внешних факторов"),
              QRect(425, 470, 213, 19), heading, HeadingColour);
    suiCheckGroup1->setEnabled(false);
    suiCheckGroup2->setEnabled(false);
}

void TForm1::createMenu() {
    QMenuBar* bar = addMenuBar();
    QMenu* actions = bar->addMenu(QStringLiteral(" &Действия"));
    exitAction = actions->addAction(QStringLiteral("&Выход"));
    QMenu* information = bar->addMenu(QStringLiteral("&Информация"));
    aboutAction = information->addAction(QStringLiteral("&О программе"));
}

void TForm1::setTabOrderOfControls() {
    QList<QWidget*> order = {DBAdvMaskEdit7, suiComboBox1,   suiComboBox2,   DBAdvMaskEdit1,
                             DBAdvMaskEdit2, DBAdvMaskEdit3, DBAdvMaskEdit4, DBAdvMaskEdit5,
                             DBAdvMaskEdit6, suiCheckBox1,   suiCheckBox2,   suiCheckBox3,
                             suiButton1};
    for (int i = 0; i < suiCheckGroup1->count(); ++i)
        order.append(suiCheckGroup1->item(i));
    order.append(suiCheckGroup3);
    for (int i = 0; i < suiCheckGroup2->count(); ++i)
        order.append(suiCheckGroup2->item(i));
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}
