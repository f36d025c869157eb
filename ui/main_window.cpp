#include "ui/main_window.h"

#include "search/criteria_selection.h"
#include "search/key_filters.h"
#include "ui/check_group.h"
#include "ui/data_module.h"
#include "ui/masked_edit.h"
#include "ui/message_boxes.h"
#include "ui/message_dialog.h"
#include "ui/splash_window.h"
#include "widgets/window_look.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

// The filters of the search library, fitted to the fields.
std::optional<QChar> WholeNumberKey(QChar typed, const TAdvMaskEdit&) {
    return DBAdvMaskEdit2KeyPress(typed);
}

std::optional<QChar> TemperatureKey(QChar typed, const TAdvMaskEdit&) {
    return DBAdvMaskEdit5KeyPress(typed);
}

std::optional<QChar> SlopeKey(QChar typed, const TAdvMaskEdit& field) {
    return DBAdvMaskEdit1KeyPress(typed, field.text());
}

std::optional<QChar> AddressKey(QChar typed, const TAdvMaskEdit& field) {
    return DBAdvMaskEdit7KeyPress(typed, field.selectionOrCaretStart(),
                                  field.shiftKeys().leftDown(), field.shiftKeys().rightDown());
}

// Rewrites a field only when the search changed its text, so an unchanged
// field keeps its caret and undo history.
void SetTextIfChanged(TAdvMaskEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

} // namespace

TForm1::TForm1(QWidget* parent)
    : SkinnedWindow(ProgramCaption,
                    SystemMenuButton | CloseButton | MaximiseButton | MinimiseButton, parent) {
    setObjectName(QStringLiteral("TForm1"));
    setAccessibleDescription(objectName());
    setResizable(true);
    setMinimumSize(143, 36);
    resize(ClientWidth, ClientHeight);
    createControls();
    createMenu();
    setTabOrderOfControls();
    connectControls();
}

TForm1::~TForm1() = default;

void TForm1::setSplash(Tform5* splash) {
    m_splash = splash;
}

void TForm1::connectControls() {
    DBAdvMaskEdit1->setKeyFilter(SlopeKey);
    DBAdvMaskEdit2->setKeyFilter(WholeNumberKey);
    DBAdvMaskEdit3->setKeyFilter(WholeNumberKey);
    DBAdvMaskEdit4->setKeyFilter(WholeNumberKey);
    DBAdvMaskEdit5->setKeyFilter(TemperatureKey);
    DBAdvMaskEdit6->setKeyFilter(WholeNumberKey);
    DBAdvMaskEdit7->setKeyFilter(AddressKey);

    connect(suiButton1, &QPushButton::clicked, this, &TForm1::suiButton1Click);
    // Every pick by the user counts, also picking the item already shown.
    connect(suiComboBox1, &QComboBox::activated, this, &TForm1::suiComboBox1Change);
    connect(suiComboBox2, &QComboBox::activated, this, &TForm1::suiComboBox2Change);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connect(aboutAction, &QAction::triggered, this, [this] {
        if (onAbout)
            onAbout();
    });
}

SearchInputs TForm1::currentInputs() const {
    SearchInputs inputs;
    inputs.Address = DBAdvMaskEdit7->text();
    inputs.CriteriaGroup = suiComboBox1->currentIndex();
    inputs.Subject = suiComboBox2->currentIndex();
    inputs.SlopeText = DBAdvMaskEdit1->text();
    inputs.RepairVolumeText = DBAdvMaskEdit2->text();
    inputs.RoofThicknessText = DBAdvMaskEdit3->text();
    inputs.MaxCostText = DBAdvMaskEdit4->text();
    inputs.AirTemperatureText = DBAdvMaskEdit5->text();
    inputs.WearText = DBAdvMaskEdit6->text();
    inputs.OpenFireAllowed = suiCheckBox1->isChecked();
    inputs.WeightingAllowed = suiCheckBox2->isChecked();
    inputs.PowerSupplyAccess = suiCheckBox3->isChecked();
    for (int i = 0; i < suiCheckGroup1->count(); ++i)
        inputs.InternalTicks[static_cast<std::size_t>(i)] = suiCheckGroup1->isChecked(i);
    for (int i = 0; i < suiCheckGroup2->count(); ++i)
        inputs.ExternalTicks[static_cast<std::size_t>(i)] = suiCheckGroup2->isChecked(i);
    return inputs;
}

void TForm1::writeBackNumberTexts(const SearchInputs& inputs) {
    SetTextIfChanged(DBAdvMaskEdit1, inputs.SlopeText);
    SetTextIfChanged(DBAdvMaskEdit2, inputs.RepairVolumeText);
    SetTextIfChanged(DBAdvMaskEdit3, inputs.RoofThicknessText);
    SetTextIfChanged(DBAdvMaskEdit4, inputs.MaxCostText);
    SetTextIfChanged(DBAdvMaskEdit5, inputs.AirTemperatureText);
    SetTextIfChanged(DBAdvMaskEdit6, inputs.WearText);
}

void TForm1::suiButton1Click() {
    if (!m_dataModule)
        return;
    SearchInputs inputs = currentInputs();
    const SearchOutcome outcome =
        RunSearch(inputs, m_dataModule->CataloguePath, m_dataModule->State);
    // Clamped texts stay in the fields whatever the outcome.
    writeBackNumberTexts(inputs);
    // The analysis window mirrors the state; a search that stopped before the
    // filter left it unchanged, so refreshing it then is harmless.
    if (onSearchState)
        onSearchState(m_dataModule->State);
    switch (outcome.Kind) {
    case SearchOutcomeKind::Message:
        showMessage(outcome.Text);
        break;
    case SearchOutcomeKind::DatabaseError:
        ShowErrorBox(this, CatalogueErrorText(QFileInfo(m_dataModule->CataloguePath).fileName(),
                                              outcome.Text));
        break;
    case SearchOutcomeKind::Result:
        if (onSearchResult && m_dataModule->State.Result)
            onSearchResult(*m_dataModule->State.Result, inputs);
        break;
    }
}

void TForm1::showMessage(const QString& text) {
    if (!suiMessageDialog1)
        suiMessageDialog1 = new TsuiMessageDialog(this);
    ShowInformationBox(*suiMessageDialog1, text);
}

namespace {

TCriteriaWindowState ReadCriteriaState(const QComboBox& subjects, const TCheckGroup& internal,
                                       const TCheckGroup& external) {
    TCriteriaWindowState state;
    state.CheckGroupsEnabled = internal.isEnabled();
    state.SubjectListEnabled = subjects.isEnabled();
    state.Subject = subjects.currentIndex();
    for (int i = 0; i < internal.count(); ++i)
        state.InternalTicks[static_cast<std::size_t>(i)] = internal.isChecked(i);
    for (int i = 0; i < external.count(); ++i)
        state.ExternalTicks[static_cast<std::size_t>(i)] = external.isChecked(i);
    return state;
}

void WriteCriteriaState(const TCriteriaWindowState& state, QComboBox& subjects,
                        TCheckGroup& internal, TCheckGroup& external) {
    internal.setEnabled(state.CheckGroupsEnabled);
    external.setEnabled(state.CheckGroupsEnabled);
    subjects.setEnabled(state.SubjectListEnabled);
    subjects.setCurrentIndex(state.Subject);
    for (int i = 0; i < internal.count(); ++i)
        internal.setChecked(i, state.InternalTicks[static_cast<std::size_t>(i)]);
    for (int i = 0; i < external.count(); ++i)
        external.setChecked(i, state.ExternalTicks[static_cast<std::size_t>(i)]);
}

} // namespace

void TForm1::suiComboBox1Change(int group) {
    TCriteriaWindowState state = ReadCriteriaState(*suiComboBox2, *suiCheckGroup1, *suiCheckGroup2);
    ApplyCriteriaGroup(group, state);
    WriteCriteriaState(state, *suiComboBox2, *suiCheckGroup1, *suiCheckGroup2);
}

void TForm1::suiComboBox2Change(int subject) {
    TCriteriaWindowState state = ReadCriteriaState(*suiComboBox2, *suiCheckGroup1, *suiCheckGroup2);
    ApplySubjectPreset(subject, state);
    WriteCriteriaState(state, *suiComboBox2, *suiCheckGroup1, *suiCheckGroup2);
}

void TForm1::centreOnScreen() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::setVisible(bool visible) {
    if (visible && !m_shownOnce && !isVisible()) {
        m_shownOnce = true;
        // The window's show handler: the splash plays alone, and the window
        // appears, centred, once it has closed. A splash whose timer has
        // already run out has destroyed itself and is not shown.
        if (m_splash)
            m_splash->exec();
        centreOnScreen();
        // The user types the object's name straight away.
        DBAdvMaskEdit7->setFocus(Qt::OtherFocusReason);
    }
    SkinnedWindow::setVisible(visible);
}

void TForm1::closeEvent(QCloseEvent* event) {
    SkinnedWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
