#include "results/results_window.h"

#include "engine/criterion_headings.h"
#include "engine/technology_variant.h"
#include "results/cell_text.h"
#include "results/considered_count.h"
#include "widgets/contacts.h"
#include "widgets/window_look.h"
#include "widgets/windows_fonts.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QUrl>

#include <algorithm>

namespace {

const QColor TitleColour(0x00, 0x00, 0x51);

// The places as laid out at 995 x 751. When the window grows the grid keeps
// its distance to all four edges, the note and the mail link keep theirs to
// the bottom edge (so the grid grows between them and the heading), and the
// print button keeps its distance to the right edge.
const QRect GridGeometry(87, 201, 781, 399);
const QRect NoteGeometry(28, 640, 656, 21);
const QRect MailLinkGeometry(28, 675, 271, 21);
const QRect PrintButtonGeometry(937, 36, 49, 37);
constexpr int HeaderRowHeight = 75;
constexpr int DataRowHeight = 160;
constexpr int CriterionColumn = 3;

// The face stands in for Times New Roman with the same design widths, but its
// rounding can leave a line a few pixels wider than the box laid out for it.
// A squeeze of at most half a pixel between letters keeps the whole line
// visible without changing the box or the size; longer texts stay clipped.
void FitTextToWidth(QLabel* label) {
    QFont font = label->font();
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    QString visible = label->text();
    while (visible.endsWith(QLatin1Char(' ')))
        visible.chop(1);
    const qreal overflow = QFontMetricsF(font).horizontalAdvance(visible) - label->width();
    if (overflow > 0 && !visible.isEmpty()) {
        const qreal perLetter = overflow / visible.size() + 0.01;
        if (perLetter <= 0.5)
            font.setLetterSpacing(QFont::AbsoluteSpacing, -perLetter);
    }
    label->setFont(font);
}

// A filled label shows its text whole when it fits (squeezed a little if
// need be); otherwise cut after a whole letter with "…", the whole text then
// being its tool tip.
void ShowWholeOrElided(QLabel* label, const QString& text) {
    label->setText(text);
    FitTextToWidth(label);
    QString visible = text;
    while (visible.endsWith(QLatin1Char(' ')))
        visible.chop(1);
    const QFontMetricsF metrics(label->font());
    if (metrics.horizontalAdvance(visible) <= label->width()) {
        label->setToolTip({});
        return;
    }
    label->setText(metrics.elidedText(visible, Qt::ElideRight, label->width()));
    label->setToolTip(text);
}

// The selected cells as text: columns apart by tabs, rows by line ends.
QString SelectedCellsText(const QTableWidget& grid) {
    const QList<QTableWidgetSelectionRange> ranges = grid.selectedRanges();
    QStringList rows;
    for (const QTableWidgetSelectionRange& range : ranges) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
            QStringList cells;
            for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
                const QTableWidgetItem* item = grid.item(row, column);
                cells.append(item ? item->text() : QString());
            }
            rows.append(cells.join(QLatin1Char('\t')));
        }
    }
    return rows.join(QLatin1Char('\n'));
}

QLabel* AddLabel(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font,
                 const QColor& colour, const QString& text,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new QLabel(text, parent);
    Describe(label, name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    SetTextColour(label, colour);
    FitTextToWidth(label);
    return label;
}

// The print button's picture: a small printer with a sheet coming out.
QPixmap PrinterPicture() {
    QPixmap picture(32, 28);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8.5, 1.5, 15, 10));
    QLinearGradient body(0, 9, 0, 22);
    body.setColorAt(0, QColor(0xC8, 0xCC, 0xD4));
    body.setColorAt(1, QColor(0x80, 0x86, 0x94));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2.5, 9.5, 27, 12), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(8.5, 17.5, 15, 9));
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(QPointF(11, 21), QPointF(21, 21));
    painter.drawLine(QPointF(11, 24), QPointF(19, 24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0xB0, 0x40));
    painter.drawEllipse(QRectF(24, 12, 3, 3));
    return picture;
}

QTableWidgetItem* CellItem(const QString& text, Qt::Alignment horizontal) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(horizontal | Qt::AlignTop);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QString AddressText(const QString& address) {
    return address.isEmpty() ? QStringLiteral("адрес не указан") : address;
}

QString SubjectText(int subject) {
    switch (subject) {
    case BuildingOwner:
        return QStringLiteral("владелец здания.");
    case Contractor:
        return QStringLiteral("подрядчик.");
    case Designer:
        return QStringLiteral("проектировщик.");
    default:
        return QStringLiteral("не указан.");
    }
}

// Russian agrees the noun with the number; the window's wording
// distinguishes only 2, 3 and 4 from every other count up to 20. A
// larger catalogue can reject more: from 21 on the noun agrees as Russian
// has it (21 вариант, 22 варианта, 25 вариантов, 111 вариантов).
QString RejectedCountText(int rejected) {
    if (rejected > 20) {
        const int lastTwo = rejected % 100;
        const int last = rejected % 10;
        if (last == 1 && lastTwo != 11)
            return QString::number(rejected) + QStringLiteral(" вариант.");
        if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
            return QString::number(rejected) + QStringLiteral(" варианта.");
        return QString::number(rejected) + QStringLiteral(" вариантов.");
    }
    const bool few = rejected >= 2 && rejected <= 4;
    return QString::number(rejected) +
           (few ? QStringLiteral(" варианта.") : QStringLiteral(" вариантов."));
}

TForm4::TForm4(QWidget* parent)
    : SkinnedWindow(ProgramCaption,
                    SystemMenuButton | CloseButton | MaximiseButton | MinimiseButton, parent) {
    Describe(this, QStringLiteral("TForm4"));
    resize(ClientWidth, ClientHeight);

    const QFont title = TimesFont(21);
    const QFont plain = TimesFont(19);
    const QFont bold = TimesFont(19, true);
    const QString firstLine = QStringLiteral("Результат поиска оптимального варианта технологии ");

    // Each shadow is created before its coloured copy so that it lies beneath.
    AddLabel(this, QStringLiteral("Label2"), {127, 36, 474, 29}, title, Qt::white, firstLine);
    AddLabel(this, QStringLiteral("Label1"), {127, 35, 474, 29}, title, TitleColour, firstLine);
    AddLabel(this, QStringLiteral("Label3"), {127, 63, 378, 26}, title, Qt::white,
             QStringLiteral("ремонта многослойной кровли здания "));
    AddLabel(this, QStringLiteral("Label4"), {127, 62, 354, 26}, title, TitleColour,
             QStringLiteral("ремонта многослойной кровли здания: "));
    m_address = AddLabel(this, QStringLiteral("Label5"), {485, 63, 300, 26}, bold, Qt::black, {});
    AddLabel(this, QStringLiteral("Label7"), {28, 102, 137, 21}, plain, Qt::black,
             QStringLiteral("Субъект поиска: "));
    m_subject = AddLabel(this, QStringLiteral("Label8"), {171, 102, 157, 22}, bold, Qt::black, {});
    AddLabel(this, QStringLiteral("Label9"), {28, 130, 106, 21}, plain, Qt::black,
             QStringLiteral("Рассмотрен"));
    AddLabel(this, QStringLiteral("Label15"), {133, 130, 21, 19}, bold, Qt::black,
             QString::number(CatalogueSize), Qt::AlignHCenter | Qt::AlignTop);
    AddLabel(this, QStringLiteral("Label17"), {162, 130, 425, 21}, plain, Qt::black,
             QStringLiteral("вариант технологии, из них отклонено с учетом "));
    AddLabel(this, QStringLiteral("Label11"), {28, 157, 520, 21}, plain, Qt::black,
             QStringLiteral("технического состояния кровли и условий производства работ: "));
    m_rejected =
        AddLabel(this, QStringLiteral("Label13"), {556, 157, 139, 19}, bold, Qt::black, {});

    m_grid = new QTableWidget(0, 4, this);
    Describe(m_grid, QStringLiteral("AdvColumnGrid1"));
    m_grid->setGeometry(GridGeometry);
    m_grid->setFont(plain);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setWordWrap(true);
    m_grid->setTextElideMode(Qt::ElideNone);
    // Cells keep their 160-pixel rows: a text longer than its cell shows its
    // whole lines and an ellipsis, and the whole text in a tool tip or on the
    // clipboard (Ctrl+C copies the selected cells).
    m_grid->setItemDelegate(new WrappedCellDelegate(m_grid));
    auto* copy = new QShortcut(QKeySequence::Copy, m_grid);
    copy->setContext(Qt::WidgetShortcut);
    connect(copy, &QShortcut::activated, this,
            [this] { QGuiApplication::clipboard()->setText(SelectedCellsText(*m_grid)); });
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(DataRowHeight);
    QHeaderView* header = m_grid->horizontalHeader();
    header->setFont(plain);
    header->setFixedHeight(HeaderRowHeight);
    header->setHighlightSections(false);
    header->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 white, stop:1 palette(button)); border: none;"
        " border-right: 1px solid #A0A0A0; border-bottom: 1px solid #A0A0A0; padding: 2px; }"));
    const QStringList headings = {QStringLiteral("  Место"),
                                  QStringLiteral("Допустимые варианты технологии ремонта"),
                                  QStringLiteral("Состав технологического      процесса"),
                                  QStringLiteral("Критерий эффективности (Вальда)")};
    const int widths[] = {65, 280, 280, 137};
    for (int column = 0; column < headings.size(); ++column) {
        auto* item = new QTableWidgetItem(headings[column]);
        item->setTextAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
        m_grid->setHorizontalHeaderItem(column, item);
        m_grid->setColumnWidth(column, widths[column]);
    }

    m_note =
        AddLabel(this, QStringLiteral("Label12"), NoteGeometry, plain, Qt::black,
                 QStringLiteral(
                     "Примечание. На первом месте указан оптимальный вариант технологии ремонта."));

    m_mailLink = new LinkLabel(QStringLiteral("Написать письмо разработчикам."), this);
    Describe(m_mailLink, QStringLiteral("Label14"));
    m_mailLink->setGeometry(MailLinkGeometry);
    m_mailLink->setFont(TimesFont(19, false, true));
    connect(m_mailLink, &LinkLabel::clicked, this, [this] {
        if (openUrl)
            openUrl(QUrl(QStringLiteral("mailto:") + DevelopersMailbox));
    });

    m_printButton = new QPushButton(this);
    Describe(m_printButton, QStringLiteral("suiButton5"));
    m_printButton->setGeometry(PrintButtonGeometry);
    m_printButton->setIcon(QIcon(PrinterPicture()));
    m_printButton->setIconSize(QSize(32, 28));
    m_printButton->setToolTip(QStringLiteral("Приложение"));
    m_printButton->setAccessibleName(QStringLiteral("Приложение"));
    m_printButton->setCursor(Qt::PointingHandCursor);
    connect(m_printButton, &QPushButton::clicked, this, [this] {
        if (onPrint)
            onPrint();
    });
}

void TForm4::ShowSearchResult(const TSearchResult& result, const SearchInputs& request) {
    fillTable(result);
    ShowWholeOrElided(m_address, AddressText(request.Address));
    ShowWholeOrElided(m_subject, SubjectText(request.Subject));
    ShowConsideredCount(this, result.CatalogueCount);
    ShowWholeOrElided(m_rejected, RejectedCountText(result.RejectedCount));

    if (!isVisible())
        placeOnOwner();
    // A minimised window comes back; a maximised one stays maximised.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm4::fillTable(const TSearchResult& result) {
    const int rows = ShownPlaceCount(result);
    if (result.Kind == TResultKind::Single) {
        const TRankedVariant& only = result.Ranked[0];
        m_grid->setRowCount(rows);
        m_grid->setItem(0, 0, CellItem(QStringLiteral("1"), Qt::AlignHCenter));
        m_grid->setItem(0, 1, CellItem(FromUtf8(only.Name), Qt::AlignLeft));
        m_grid->setItem(0, 2, CellItem(FromUtf8(only.ProcessComposition), Qt::AlignLeft));
        setCriterionHeading(QString::fromUtf8(NoCriterionHeading));
        m_grid->setItem(0, CriterionColumn, CellItem(QString(), Qt::AlignHCenter));
        m_grid->scrollToTop();
        return;
    }

    m_grid->setRowCount(rows);
    m_grid->scrollToTop();
    QString heading = FromUtf8(result.CriterionHeading);
    if (heading.isEmpty())
        heading =
            QString::fromUtf8(result.Kind == TResultKind::Wald ? WaldHeading : LaplaceHeading);
    setCriterionHeading(heading);
    for (int row = 0; row < rows; ++row) {
        const TRankedVariant& ranked = result.Ranked[static_cast<std::size_t>(row)];
        m_grid->setItem(row, 0, CellItem(QString::number(row + 1), Qt::AlignHCenter));
        m_grid->setItem(row, 1, CellItem(FromUtf8(ranked.Name), Qt::AlignLeft));
        m_grid->setItem(row, 2, CellItem(FromUtf8(ranked.ProcessComposition), Qt::AlignLeft));
        m_grid->setItem(row, 3, CellItem(FromUtf8(ranked.CriterionText), Qt::AlignHCenter));
    }
}

void TForm4::setCriterionHeading(const QString& heading) {
    m_grid->horizontalHeaderItem(CriterionColumn)->setText(heading);
}

// Opens centred on the main window (on the screen when there is none), as the
// window that called it up.
void TForm4::placeOnOwner() {
    QRect area;
    if (QWidget* owner = parentWidget(); owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}

void TForm4::resizeEvent(QResizeEvent* event) {
    SkinnedWindow::resizeEvent(event);
    if (!m_grid || !m_printButton)
        return;
    const int wider = width() - ClientWidth;
    const int taller = height() - ClientHeight;
    m_grid->setGeometry(GridGeometry.left(), GridGeometry.top(),
                        std::max(0, GridGeometry.width() + wider),
                        std::max(0, GridGeometry.height() + taller));
    m_note->setGeometry(NoteGeometry.translated(0, taller));
    m_mailLink->setGeometry(MailLinkGeometry.translated(0, taller));
    m_printButton->setGeometry(PrintButtonGeometry.translated(wider, 0));
}
