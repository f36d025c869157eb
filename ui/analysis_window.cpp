#include "ui/analysis_window.h"

#include "engine/criterion_headings.h"
#include "search/admissible_tables.h"
#include "widgets/window_look.h"
#include "widgets/windows_fonts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>

#include <vector>

namespace {

using TextTable = std::vector<std::vector<std::string>>; // [row][column], row 0 the headings

// A header whose thickness is fixed: the header row's height, or the narrow
// fixed column's width, whatever the texts would ask for.
class FixedHeader : public QHeaderView {
public:
    FixedHeader(Qt::Orientation orientation, int thickness, QWidget* parent)
        : QHeaderView(orientation, parent), m_thickness(thickness) {}

    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        if (orientation() == Qt::Horizontal)
            size.setHeight(m_thickness);
        else
            size.setWidth(m_thickness);
        return size;
    }

private:
    int m_thickness;
};

struct GridLook {
    int HeaderHeight;
    int FixedColumnWidth;
    int HeaderPixels;
    int DataPixels;
    QColor Background;
};

const QColor White(0xFF, 0xFF, 0xFF);

QTableWidget* MakeGrid(QWidget* page, const QString& name, const QRect& geometry,
                       const GridLook& look) {
    auto* grid = new QTableWidget(page);
    grid->setObjectName(name);
    grid->setAccessibleName(name);
    grid->setAccessibleDescription(name);
    grid->setGeometry(geometry);
    grid->setHorizontalHeader(new FixedHeader(Qt::Horizontal, look.HeaderHeight, grid));
    grid->setVerticalHeader(new FixedHeader(Qt::Vertical, look.FixedColumnWidth, grid));
    grid->horizontalHeader()->setFont(PixelFont(TimesNewRoman, look.HeaderPixels));
    grid->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->verticalHeader()->setMinimumSectionSize(5);
    grid->verticalHeader()->setDefaultSectionSize(21);
    grid->verticalHeader()->setHighlightSections(false);
    grid->setFont(PixelFont(QStringLiteral("Tahoma"), look.DataPixels));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(true);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Base, look.Background);
    grid->setPalette(palette);
    return grid;
}

// Sizes the grid to the table (row 0 becomes the header row) and writes
// every text; with no data row the grid keeps one empty row under the header.
void FillGrid(QTableWidget* grid, const TextTable& table, const std::vector<bool>& hidden) {
    const int columns = table.empty() ? 1 : std::max<int>(1, int(table.front().size()) - 1);
    const int rows = std::max<int>(1, int(table.size()) - 1);
    grid->clear();
    grid->setColumnCount(columns);
    grid->setRowCount(rows);
    QStringList headings;
    for (int column = 0; column < columns; ++column) {
        const std::size_t source = std::size_t(column) + 1;
        headings << (!table.empty() && source < table.front().size()
                         ? QString::fromStdString(table.front()[source])
                         : QString());
    }
    grid->setHorizontalHeaderLabels(headings);
    grid->setVerticalHeaderLabels(QStringList(rows, QString()));
    for (std::size_t row = 1; row < table.size(); ++row) {
        for (std::size_t source = 1; source < table[row].size(); ++source) {
            auto* item = new QTableWidgetItem(QString::fromStdString(table[row][source]));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            grid->setItem(int(row) - 1, int(source) - 1, item);
        }
    }
    for (int column = 0; column < columns; ++column) {
        const std::size_t source = std::size_t(column) + 1;
        grid->setColumnHidden(column, source < hidden.size() && hidden[source]);
    }
}

// Column look of the tables of admissible variants: the name column white,
// the criteria right-aligned, the first internal ones bold.
void StyleVariantsGrid(QTableWidget* grid, const std::vector<int>& widths, int boldUpTo) {
    for (int column = 0; column < grid->columnCount() && column + 1 < int(widths.size());
         ++column) {
        const int gridColumn = column + 1;
        grid->setColumnWidth(column, widths[gridColumn]);
        for (int row = 0; row < grid->rowCount(); ++row) {
            QTableWidgetItem* item = grid->item(row, column);
            if (!item) {
                item = new QTableWidgetItem();
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                grid->setItem(row, column, item);
            }
            item->setBackground(gridColumn == 1 ? White : QColor(0xF8, 0xF8, 0xF8));
            if (gridColumn >= 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (gridColumn >= 2 && gridColumn <= boldUpTo) {
                QFont font = grid->font();
                font.setBold(true);
                item->setFont(font);
            }
        }
    }
}

void BandRows(QTableWidget* grid, const QColor& band) {
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (QTableWidgetItem* item = grid->item(row, column))
                item->setBackground(row % 2 == 0 ? White : band);
        }
    }
}

// A normalised matrix, or the game matrix, as the analysis window lays it
// out; an untouched matrix keeps the grid's empty 2 × 2 cells.
TextTable MatrixTable(const TNormalizedMatrix& matrix) {
    if (matrix.Rows.empty() && matrix.Columns.empty())
        return {{"", ""}, {"", ""}};
    std::vector<std::string> headings = {"", VariantNameHeading, ProcessCompositionHeading};
    for (const TNormalizedColumn& column : matrix.Columns)
        headings.push_back(column.Heading);
    if (matrix.HasAggregate())
        headings.push_back(matrix.AggregateHeading);
    TextTable table = {headings};
    for (const TNormalizedRow& source : matrix.Rows) {
        std::vector<std::string> row = {"", source.Name, source.ProcessComposition};
        for (const TRoundedValue& cell : source.Cells)
            row.push_back(cell.Text);
        if (matrix.HasAggregate())
            row.push_back(source.Aggregate ? source.Aggregate->Text : std::string());
        row.resize(headings.size());
        table.push_back(row);
    }
    return table;
}

QWidget* AddPage(QTabWidget* pages, const QString& name, const QString& caption,
                 const QString& title, const QRect& titleGeometry, bool centred) {
    auto* page = new QWidget();
    page->setObjectName(name);
    page->setAccessibleDescription(name);
    auto* label = new QLabel(title, page);
    label->setFont(PixelFont(TimesNewRoman, 15, true));
    label->setGeometry(titleGeometry);
    label->setAlignment(centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
    pages->addTab(page, caption);
    return page;
}

const std::vector<int> InternalVariantWidths = {12,  121, 98,  151, 169, 163, 232,
                                                147, 322, 164, 233, 224, 319};
const std::vector<int> ExternalVariantWidths = {12, 121, 98, 108, 164, 337, 195, 383};

} // namespace

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm2"));
    setAccessibleDescription(objectName());
    setWindowTitle(ProgramCaption);
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    resize(1241, 746);
    move(707, 374);
    setMinimumWidth(130);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("suiPageControl1"));
    m_pages->setAccessibleDescription(m_pages->objectName());
    m_pages->setGeometry(-3, 30, 1276, 726);
    m_pages->setTabPosition(QTabWidget::North);
    m_pages->setStyleSheet(QStringLiteral(
        "QTabWidget::pane { border: 1px solid black; background: #E8E8E8; top: -1px; }"
        "QTabWidget::tab-bar { left: 10px; }"
        "QTabBar::tab { height: 20px; padding: 1px 8px; }"));

    const GridLook catalogue{64, 12, 12, 12, QColor(0xF8, 0xF8, 0xF8)};
    const GridLook normalised{34, 11, 11, 11, QColor(0xF5, 0xF5, 0xF5)};
    GridLook normalisedExternal = normalised;
    normalisedExternal.Background = QColor(0xF8, 0xF8, 0xF8);
    GridLook game = normalisedExternal;
    game.HeaderPixels = 12;
    game.DataPixels = 12;

    QWidget* page =
        AddPage(m_pages, QStringLiteral("suiTabSheet1"), QStringLiteral("Внутренние параметры"),
                QStringLiteral(
                    "Оценка внутренних параметров, влияющих на выбор технологии ремонта кровель"),
                QRect(381, 6, 584, 17), true);
    m_internalVariants =
        MakeGrid(page, QStringLiteral("DBAdvStringGrid1"), QRect(0, 29, 1225, 668), catalogue);

    page = AddPage(
        m_pages, QStringLiteral("suiTabSheet2"), QStringLiteral("Внешние параметры"),
        QStringLiteral("Оценка внешних параметров, влияющих на выбор технологии ремонта кровель"),
        QRect(375, 6, 564, 17), true);
    m_externalVariants =
        MakeGrid(page, QStringLiteral("DBAdvStringGrid2"), QRect(0, 28, 1234, 653), catalogue);

    page = AddPage(m_pages, QStringLiteral("suiTabSheet3"), QStringLiteral("Матрица нечеткой игры"),
                   QStringLiteral("Принятие решений  в матрице нечеткой игры"),
                   QRect(420, 6, 328, 17), true);
    m_gameMatrix = MakeGrid(page, QStringLiteral("AdvStringGrid3"), QRect(0, 28, 1225, 669), game);

    page = AddPage(m_pages, QStringLiteral("suiTabSheet4"), QStringLiteral("suiTabSheet4"),
                   QStringLiteral("Нормализованная матрица внутренних параметров"),
                   QRect(440, 6, 358, 17), false);
    m_internalMatrix =
        MakeGrid(page, QStringLiteral("AdvStringGrid1"), QRect(0, 29, 1234, 660), normalised);

    page = AddPage(m_pages, QStringLiteral("suiTabSheet5"), QStringLiteral("suiTabSheet5"),
                   QStringLiteral("Нормализованная матрица внешних параметров"),
                   QRect(343, 21, 338, 17), false);
    m_externalMatrix = MakeGrid(page, QStringLiteral("AdvStringGrid2"), QRect(0, 44, 1270, 654),
                                normalisedExternal);

    // Only the first page is active; the others hold tables nobody reads here.
    for (int index = 1; index < m_pages->count(); ++index)
        m_pages->setTabEnabled(index, false);
    m_pages->setCurrentIndex(0);

    refresh();
}

void TForm2::ShowSearchState(const SearchState& state) {
    m_state = state;
    m_stale = true;
    if (isVisible())
        refreshIfStale();
}

void TForm2::showEvent(QShowEvent* event) {
    refreshIfStale();
    QWidget::showEvent(event);
}

void TForm2::refreshIfStale() const {
    if (m_stale)
        refresh();
}

void TForm2::refresh() const {
    m_stale = false;

    // Until a filter has run the catalogue grids show one empty row under
    // their headers, as they do when no variant is admissible.
    const TAdmissibleTable internal = InternalAdmissibleTable(m_state.Catalogue);
    const TAdmissibleTable external = ExternalAdmissibleTable(m_state.Catalogue);
    // Before the first filter every column is shown, as the window was built.
    const std::vector<bool> noneHidden;
    FillGrid(m_internalVariants, internal.Cells,
             m_state.CatalogueRan ? internal.HiddenColumns : noneHidden);
    StyleVariantsGrid(m_internalVariants, InternalVariantWidths, 5);
    FillGrid(m_externalVariants, external.Cells,
             m_state.CatalogueRan ? external.HiddenColumns : noneHidden);
    StyleVariantsGrid(m_externalVariants, ExternalVariantWidths, 0);

    const std::pair<QTableWidget*, const TNormalizedMatrix*> matrices[] = {
        {m_internalMatrix, &m_state.Internal},
        {m_externalMatrix, &m_state.External},
        {m_gameMatrix, &m_state.Game},
    };
    for (const auto& [grid, matrix] : matrices) {
        FillGrid(grid, MatrixTable(*matrix), {});
        BandRows(grid, QColor(0xFB, 0xFB, 0xFF));
        grid->resizeColumnsToContents();
    }
}

QTableWidget* TForm2::grid(const QString& name) const {
    refreshIfStale();
    return findChild<QTableWidget*>(name);
}

QString TForm2::cellText(const QString& gridName, int column, int row) const {
    QTableWidget* table = grid(gridName);
    if (!table || column < 1 || row < 0)
        return QString();
    if (row == 0) {
        const QTableWidgetItem* header = table->horizontalHeaderItem(column - 1);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* item = table->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

int TForm2::rowCount(const QString& gridName) const {
    QTableWidget* table = grid(gridName);
    return table ? table->rowCount() + 1 : 0;
}

int TForm2::columnCount(const QString& gridName) const {
    QTableWidget* table = grid(gridName);
    return table ? table->columnCount() + 1 : 0;
}

bool TForm2::isColumnHidden(const QString& gridName, int column) const {
    QTableWidget* table = grid(gridName);
    return table && column >= 1 && table->isColumnHidden(column - 1);
}

int TForm2::shownColumnCount(const QString& gridName) const {
    QTableWidget* table = grid(gridName);
    if (!table)
        return 0;
    int shown = 1; // the fixed column
    for (int column = 0; column < table->columnCount(); ++column)
        shown += table->isColumnHidden(column) ? 0 : 1;
    return shown;
}
