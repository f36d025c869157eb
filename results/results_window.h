#pragma once
// The results window: the outcome of the latest search that reached a result
// (up to five ranked variants with their process composition and criterion
// value), the object's address, who searched and how many catalogue variants
// the roof and work conditions rejected. It prints the report and starts an
// e-mail to the developers.

#include "engine/search_result.h"
#include "search/search_inputs.h"
#include "widgets/link_label.h"
#include "widgets/skinned_window.h"

#include <functional>

class QLabel;
class QPushButton;
class QTableWidget;

// The texts that depend on the search, kept apart from the widgets so the
// wording rules read on their own.
QString AddressText(const QString& address);
QString SubjectText(int subject);
QString RejectedCountText(int rejected);

class TForm4 : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 995;
    static constexpr int ClientHeight = 751;

    explicit TForm4(QWidget* parent = nullptr);

    // Refills the window from the outcome and the request of the same search,
    // then shows it without blocking its owner and brings it to the front.
    void ShowSearchResult(const TSearchResult& result, const SearchInputs& request);

    // Run by the print button; the application connects it to the report.
    std::function<void()> onPrint;
    // Where the mail link sends its "mailto:" target.
    ShellOpener openUrl = OpenWithDesktopShell;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillTable(const TSearchResult& result);
    void setCriterionHeading(const QString& heading);
    void placeOnOwner();

    QTableWidget* m_grid = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_subject = nullptr;
    QLabel* m_rejected = nullptr;
    QLabel* m_note = nullptr;
    LinkLabel* m_mailLink = nullptr;
    QPushButton* m_printButton = nullptr;
};
