#pragma once
// The analysis window: the intermediate tables of the last search on five
// pages (the two tables of admissible variants, the fuzzy game matrix and the
// two normalised matrices). No command of the program shows it; it only
// mirrors the search state, which holds the tables themselves.

#include "search/search.h"

#include <QWidget>

class QTabWidget;
class QTableWidget;

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Takes the tables of the state. The grids are refilled when the window is
    // shown or read, so a search never pays for a view nobody looks at.
    void ShowSearchState(const SearchState& state);

    // Read access in the grid's own numbering: row 0 is the header row,
    // column 0 the narrow fixed column, so criterion k sits in column k + 3.
    // `grid` is one of DBAdvStringGrid1, DBAdvStringGrid2, AdvStringGrid1,
    // AdvStringGrid2, AdvStringGrid3.
    QString cellText(const QString& grid, int column, int row) const;
    int rowCount(const QString& grid) const;    // header row included
    int columnCount(const QString& grid) const; // fixed column included
    bool isColumnHidden(const QString& grid, int column) const;
    int shownColumnCount(const QString& grid) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* grid(const QString& name) const;
    void refreshIfStale() const;
    void refresh() const;

    QTabWidget* m_pages = nullptr;
    QTableWidget* m_internalVariants = nullptr; // DBAdvStringGrid1
    QTableWidget* m_externalVariants = nullptr; // DBAdvStringGrid2
    QTableWidget* m_gameMatrix = nullptr;       // AdvStringGrid3
    QTableWidget* m_internalMatrix = nullptr;   // AdvStringGrid1
    QTableWidget* m_externalMatrix = nullptr;   // AdvStringGrid2

    SearchState m_state;
    mutable bool m_stale = true;
};
