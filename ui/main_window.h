#pragma once
// The main input window: the roof, the work conditions and the criteria of
// one search, and the button that runs it. The window computes nothing
// itself: the key filters, the list rules and the search are plain functions
// of the search library; the window wires its controls to them.

#include "search/search.h"
#include "widgets/skinned_window.h"

#include <QPointer>

#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QPushButton;
class TAdvMaskEdit;
class TCheckGroup;
class TDataModule1;
class Tform5;
class TsuiMessageDialog;

class TForm1 : public SkinnedWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 989;
    static constexpr int ClientHeight = 717;

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The objects made after this window at start-up. The splash is shown
    // from the first show of this window if it still exists then.
    void setSplash(Tform5* splash);
    void setDataModule(TDataModule1* dataModule) { m_dataModule = dataModule; }

    // Where a search's outcome goes: the results window takes a result, the
    // analysis window the state after every search, and the menu's "О
    // программе" opens the help window.
    std::function<void(const TSearchResult& result, const SearchInputs& request)> onSearchResult;
    std::function<void(const SearchState& state)> onSearchState;
    std::function<void()> onAbout;

    // The controls as they stand, read afresh for each search and the report.
    SearchInputs currentInputs() const;

    // The handlers of the window's events.
    void suiButton1Click();
    void suiComboBox1Change(int group);
    void suiComboBox2Change(int subject);

    // The first show plays the splash before the window is placed and made
    // visible, so the window reaches the screen once, at its place.
    void setVisible(bool visible) override;

signals:
    // The window has closed; the program ends with it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Built in main_window_layout.cpp.
    void createControls();
    void createMenu();
    void setTabOrderOfControls();
    void connectControls();

    void writeBackNumberTexts(const SearchInputs& inputs);
    void showMessage(const QString& text);
    void centreOnScreen();

    TAdvMaskEdit* DBAdvMaskEdit1 = nullptr; // slope
    TAdvMaskEdit* DBAdvMaskEdit2 = nullptr; // repair volume
    TAdvMaskEdit* DBAdvMaskEdit3 = nullptr; // roof thickness
    TAdvMaskEdit* DBAdvMaskEdit4 = nullptr; // highest cost
    TAdvMaskEdit* DBAdvMaskEdit5 = nullptr; // air temperature
    TAdvMaskEdit* DBAdvMaskEdit6 = nullptr; // wear
    TAdvMaskEdit* DBAdvMaskEdit7 = nullptr; // object name or address
    QComboBox* suiComboBox1 = nullptr;      // criteria group
    QComboBox* suiComboBox2 = nullptr;      // subject
    QCheckBox* suiCheckBox1 = nullptr;      // open fire
    QCheckBox* suiCheckBox2 = nullptr;      // weighting
    QCheckBox* suiCheckBox3 = nullptr;      // power supply
    TCheckGroup* suiCheckGroup1 = nullptr;  // internal criteria
    TCheckGroup* suiCheckGroup2 = nullptr;  // external factors
    TCheckGroup* suiCheckGroup3 = nullptr;  // the work-conditions frame
    QPushButton* suiButton1 = nullptr;      // "Выполнить поиск"
    QAction* exitAction = nullptr;
    QAction* aboutAction = nullptr;

    TsuiMessageDialog* suiMessageDialog1 = nullptr; // made on the first message
    QPointer<Tform5> m_splash;
    TDataModule1* m_dataModule = nullptr;
    bool m_shownOnce = false;
};
