// The analysis window: its pages and grids as laid out, and the tables of the
// last search as the search state holds them.

#include "ui/analysis_window.h"

#include "engine/criterion_headings.h"

#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

TTechnologyVariant Variant(const std::string& name, int seed) {
    TTechnologyVariant variant;
    variant.Name = name;
    variant.ProcessComposition = "Состав " + name;
    for (int i = 0; i < InternalCriterionCount; ++i)
        variant.InternalValues[i] = std::to_string(seed * 10 + i);
    for (int j = 0; j < ExternalFactorCount; ++j)
        variant.ExternalValues[j] = "0," + std::to_string(seed + j);
    return variant;
}

TNormalizedMatrix Matrix(const std::vector<std::pair<int, std::string>>& columns,
                         const std::string& aggregate, const std::vector<std::string>& names) {
    TNormalizedMatrix matrix;
    for (const auto& [index, heading] : columns)
        matrix.Columns.push_back({index, heading});
    matrix.AggregateHeading = aggregate;
    for (std::size_t r = 0; r < names.size(); ++r) {
        TNormalizedRow row;
        row.Name = names[r];
        row.ProcessComposition = "Состав " + names[r];
        for (std::size_t c = 0; c < columns.size(); ++c)
            row.Cells.push_back({"0," + std::to_string(r + 1) + std::to_string(c + 1), 0.0});
        if (!aggregate.empty())
            row.Aggregate = TRoundedValue{"0,9" + std::to_string(r), 0.0};
        matrix.Rows.push_back(row);
    }
    return matrix;
}

// A search that ranked three variants by Wald over cost and durability and
// the rainy-weather factor.
SearchState RankedState() {
    SearchState state;
    state.CatalogueRan = true;
    state.Catalogue.Variants = {Variant("А", 1), Variant("Б", 2), Variant("В", 3)};
    state.Catalogue.ActiveInternal[0] = true;
    state.Catalogue.ActiveInternal[7] = true;
    state.Catalogue.ActiveExternal[0] = true;
    state.EngineRan = true;
    state.Internal = Matrix({{0, InternalCriterionHeadings[0]}, {7, InternalCriterionHeadings[7]}},
                            LaplaceHeading, {"А", "Б", "В"});
    state.External = Matrix({{0, ExternalFactorHeadings[0]}}, "", {"А", "Б", "В"});
    state.Game = Matrix({{0, ExternalFactorHeadings[0]}}, WaldHeading, {"В", "А", "Б"});
    return state;
}

} // namespace

class TestAnalysisWindow : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void startsHiddenWithEmptyGrids();
    void catalogueGrids();
    void plainGrids_data();
    void plainGrids();
    void singleVariantAfterRankedKeepsMatrices();
    void noAdmissibleVariantLeavesOneEmptyRow();
};

void TestAnalysisWindow::layout() {
    TForm2 window;
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\""));
    QCOMPARE(window.size(), QSize(1241, 746));
    QCOMPARE(window.minimumWidth(), 130);

    auto* pages = window.findChild<QTabWidget*>("suiPageControl1");
    QVERIFY(pages);
    QCOMPARE(pages->geometry(), QRect(-3, 30, 1276, 726));
    const QStringList captions = {"Внутренние параметры", "Внешние параметры",
                                  "Матрица нечеткой игры", "suiTabSheet4", "suiTabSheet5"};
    QCOMPARE(pages->count(), 5);
    for (int index = 0; index < 5; ++index) {
        QCOMPARE(pages->tabText(index), captions[index]);
        QCOMPARE(pages->widget(index)->objectName(),
                 QStringLiteral("suiTabSheet%1").arg(index + 1));
        QCOMPARE(pages->isTabEnabled(index), index == 0);
    }
    QCOMPARE(pages->currentIndex(), 0);

    const std::pair<const char*, QRect> grids[] = {
        {"DBAdvStringGrid1", QRect(0, 29, 1225, 668)},
        {"DBAdvStringGrid2", QRect(0, 28, 1234, 653)},
        {"AdvStringGrid3", QRect(0, 28, 1225, 669)},
        {"AdvStringGrid1", QRect(0, 29, 1234, 660)},
        {"AdvStringGrid2", QRect(0, 44, 1270, 654)},
    };
    for (const auto& [name, geometry] : grids) {
        auto* grid = window.findChild<QTableWidget*>(name);
        QVERIFY2(grid, name);
        QCOMPARE(grid->geometry(), geometry);
        QCOMPARE(grid->accessibleDescription(), QString::fromLatin1(name));
        QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    auto* first = window.findChild<QTableWidget*>("DBAdvStringGrid1");
    QCOMPARE(first->horizontalHeader()->sizeHint().height(), 64);
    QCOMPARE(first->verticalHeader()->sizeHint().width(), 12);
    QCOMPARE(first->verticalHeader()->defaultSectionSize(), 21);
    QCOMPARE(first->columnWidth(7), 322); // grid column 8, air pollution
    auto* second = window.findChild<QTableWidget*>("DBAdvStringGrid2");
    QCOMPARE(second->columnWidth(6), 383);
    QCOMPARE(
        window.findChild<QTableWidget*>("AdvStringGrid1")->horizontalHeader()->sizeHint().height(),
        34);

    const QStringList titles = {
        "Оценка внутренних параметров, влияющих на выбор технологии ремонта кровель",
        "Оценка внешних параметров, влияющих на выбор технологии ремонта кровель",
        "Принятие решений  в матрице нечеткой игры",
        "Нормализованная матрица внутренних параметров",
        "Нормализованная матрица внешних параметров"};
    for (int index = 0; index < 5; ++index) {
        auto* title = pages->widget(index)->findChild<QLabel*>();
        QVERIFY(title);
        QCOMPARE(title->text(), titles[index]);
        QCOMPARE(title->font().pixelSize(), 15);
        QVERIFY(title->font().bold());
    }
}

void TestAnalysisWindow::startsHiddenWithEmptyGrids() {
    TForm2 window;
    QVERIFY(!window.isVisible());
    QCOMPARE(window.rowCount("DBAdvStringGrid1"), 2);
    QCOMPARE(window.columnCount("DBAdvStringGrid1"), 13);
    QCOMPARE(window.cellText("DBAdvStringGrid1", 3, 0), QStringLiteral("Стоимость ремонта кровли"));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 1, 1), QString());
    for (const char* grid : {"AdvStringGrid1", "AdvStringGrid2", "AdvStringGrid3"}) {
        QCOMPARE(window.rowCount(grid), 2);
        QCOMPARE(window.columnCount(grid), 2);
        QCOMPARE(window.cellText(grid, 1, 1), QString());
    }
}

void TestAnalysisWindow::catalogueGrids() {
    TForm2 window;
    window.ShowSearchState(RankedState());

    QCOMPARE(window.rowCount("DBAdvStringGrid1"), 4);
    QCOMPARE(window.cellText("DBAdvStringGrid1", 1, 0), QStringLiteral("Варианты технологии"));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 2, 0), QStringLiteral("Состав процеcса"));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 1, 2), QStringLiteral("Б"));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 2, 3), QStringLiteral("Состав В"));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 10, 1), QStringLiteral("17")); // criterion 7
    QCOMPARE(window.cellText("DBAdvStringGrid1", 12, 0),
             QStringLiteral("Светоотражающая способность отремонтированной кровли"));
    // Hidden columns keep their texts and numbers; only two criteria are shown.
    QVERIFY(window.isColumnHidden("DBAdvStringGrid1", 4));
    QVERIFY(!window.isColumnHidden("DBAdvStringGrid1", 3));
    QCOMPARE(window.cellText("DBAdvStringGrid1", 4, 1), QStringLiteral("11"));
    QCOMPARE(window.shownColumnCount("DBAdvStringGrid1"), 5);

    QCOMPARE(window.columnCount("DBAdvStringGrid2"), 8);
    QCOMPARE(window.cellText("DBAdvStringGrid2", 4, 0),
             QStringLiteral("Перебои в электроснабжении"));
    QCOMPARE(window.cellText("DBAdvStringGrid2", 3, 3), QStringLiteral("0,3"));
    QCOMPARE(window.shownColumnCount("DBAdvStringGrid2"), 4);

    auto* grid = window.findChild<QTableWidget*>("DBAdvStringGrid1");
    QCOMPARE(grid->item(0, 2)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
    QVERIFY(grid->item(0, 1)->font().bold());  // composition
    QVERIFY(!grid->item(0, 5)->font().bold()); // reliability
    QCOMPARE(grid->item(0, 0)->background().color(), QColor(Qt::white));
}

void TestAnalysisWindow::plainGrids_data() {
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("internal matrix")
        << "AdvStringGrid1"
        << QStringList{"Варианты технологии", "Состав процеcса", "Стоимость ремонта кровли",
                       "Долговечность отремонтированной кровли", "Критерий эффективности (Лапласа)"}
        << QStringList{"А", "Состав А", "0,11", "0,12", "0,90"};
    QTest::newRow("external matrix")
        << "AdvStringGrid2"
        << QStringList{"Варианты технологии", "Состав процеcса", "Дождливая погода"}
        << QStringList{"А", "Состав А", "0,11"};
    QTest::newRow("game matrix, ranked order")
        << "AdvStringGrid3"
        << QStringList{"Варианты технологии", "Состав процеcса", "Дождливая погода",
                       "Критерий эффективности Вальда"}
        << QStringList{"В", "Состав В", "0,11", "0,90"};
}

void TestAnalysisWindow::plainGrids() {
    QFETCH(QString, grid);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, firstRow);
    TForm2 window;
    window.ShowSearchState(RankedState());
    QCOMPARE(window.columnCount(grid), headings.size() + 1);
    QCOMPARE(window.rowCount(grid), 4);
    for (int column = 1; column <= headings.size(); ++column) {
        QCOMPARE(window.cellText(grid, column, 0), headings[column - 1]);
        QCOMPARE(window.cellText(grid, column, 1), firstRow[column - 1]);
    }
}

void TestAnalysisWindow::singleVariantAfterRankedKeepsMatrices() {
    TForm2 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    SearchState state = RankedState();
    window.ShowSearchState(state);
    // A single-variant search replaces only the filter result.
    state.Catalogue.Variants = {Variant("Г", 4)};
    window.ShowSearchState(state);
    QCOMPARE(window.rowCount("DBAdvStringGrid1"), 2);
    QCOMPARE(window.cellText("DBAdvStringGrid1", 1, 1), QStringLiteral("Г"));
    QCOMPARE(window.rowCount("AdvStringGrid3"), 4);
    QCOMPARE(window.cellText("AdvStringGrid3", 1, 1), QStringLiteral("В"));
    QCOMPARE(window.cellText("AdvStringGrid1", 5, 3), QStringLiteral("0,92"));
}

void TestAnalysisWindow::noAdmissibleVariantLeavesOneEmptyRow() {
    TForm2 window;
    SearchState state = RankedState();
    window.ShowSearchState(state);
    state.Catalogue.Variants.clear();
    window.ShowSearchState(state);
    for (const char* grid : {"DBAdvStringGrid1", "DBAdvStringGrid2"}) {
        QCOMPARE(window.rowCount(grid), 2);
        QCOMPARE(window.cellText(grid, 1, 1), QString());
        QCOMPARE(window.cellText(grid, 1, 0), QStringLiteral("Варианты технологии"));
    }
    QCOMPARE(window.rowCount("AdvStringGrid2"), 4);
}

QTEST_MAIN(TestAnalysisWindow)
#include "tst_analysis_window.moc"
