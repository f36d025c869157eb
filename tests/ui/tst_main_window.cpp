// The main input window: its face against the layout tables, the tab order,
// the key filters through real keystrokes, the list rules, and every outcome
// of a search started with the real button.

#include "search/search_messages.h"
#include "tests/ui/catalogue_fixture.h"
#include "ui/check_group.h"
#include "ui/data_module.h"
#include "ui/main_window.h"
#include "ui/masked_edit.h"
#include "ui/message_boxes.h"
#include "ui/message_dialog.h"
#include "ui/shift_keys.h"
#include "widgets/windows_fonts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

enum class MessageBoxKind { Information, Error };

struct ShownMessage {
    MessageBoxKind Kind;
    QString Text;
};

// Takes each message instead of showing a box.
class RecordedBoxes : public MessageBoxes {
public:
    explicit RecordedBoxes(QList<ShownMessage>& messages) : m_messages(messages) {}
    void showInformation(TsuiMessageDialog&, const QString& text) override {
        m_messages.append({MessageBoxKind::Information, text});
    }
    void showError(QWidget*, const QString& text) override {
        m_messages.append({MessageBoxKind::Error, text});
    }

private:
    QList<ShownMessage>& m_messages;
};

// A Shift held while a character is typed whose own press the field never saw.
constexpr unsigned ShiftPressedElsewhere = 1;

// Types one character the way the keyboard delivers it, with an optional
// Shift held on the given side (by its scan code) around it.
void TypeCharacter(QWidget* field, QChar c, unsigned shiftScanCode = 0) {
    const Qt::KeyboardModifiers modifiers = shiftScanCode ? Qt::ShiftModifier : Qt::NoModifier;
    if (shiftScanCode == ShiftPressedElsewhere)
        shiftScanCode = 0;
    else if (shiftScanCode) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, shiftScanCode, 0, 0);
        QApplication::sendEvent(field, &press);
    }
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, 0, 0, 0, QString(c));
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, modifiers, 0, 0, 0, QString(c));
    QApplication::sendEvent(field, &release);
    if (modifiers) {
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier, shiftScanCode, 0, 0);
        QApplication::sendEvent(field, &up);
    }
}

// Types a text; "\b" stands for the backspace key.
void Type(QWidget* field, const QString& text) {
    for (QChar c : text) {
        if (c == u'\b')
            QTest::keyClick(field, Qt::Key_Backspace);
        else
            TypeCharacter(field, c);
    }
}

// Picks a list item as the user does (the list reports it as activated).
void Pick(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

QString VisibleText(const QWidget* widget) {
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<const TCheckGroup*>(widget))
        return group->caption();
    if (auto* field = qobject_cast<const QLineEdit*>(widget))
        return field->text();
    return {};
}

const QString InternalGroupMessage = QString::fromUtf8(NoInternalCriterionMessage);

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<TForm1> window;
    QList<ShownMessage> messages;
    RecordedBoxes recordedBoxes{messages};
    QList<TSearchResult> results;
    int stateRefreshes = 0;

    template <typename T> T* find(const char* name) const {
        T* widget = window->findChild<T*>(QLatin1String(name));
        if (!widget)
            qWarning("no control %s", name);
        return widget;
    }
    TAdvMaskEdit* field(const char* name) const { return find<TAdvMaskEdit>(name); }

    void fillValidConditions(const QString& cost) {
        Type(field("DBAdvMaskEdit1"), QStringLiteral("10"));
        Type(field("DBAdvMaskEdit2"), QStringLiteral("100"));
        Type(field("DBAdvMaskEdit3"), QStringLiteral("10"));
        Type(field("DBAdvMaskEdit4"), cost);
        Type(field("DBAdvMaskEdit5"), QStringLiteral("10"));
        Type(field("DBAdvMaskEdit6"), QStringLiteral("50"));
    }

private slots:
    void initTestCase() { RegisterWindowsFonts(); }

    void init() {
        folder = std::make_unique<QTemporaryDir>();
        module = std::make_unique<TDataModule1>();
        module->CataloguePath = folder->filePath(QStringLiteral("database.mdb"));
        QVERIFY(WriteThreeVariantCatalogue(module->CataloguePath));
        window = std::make_unique<TForm1>();
        window->setDataModule(module.get());
        messages.clear();
        results.clear();
        stateRefreshes = 0;
        window->onSearchResult = [this](const TSearchResult& result, const SearchInputs&) {
            results.append(result);
        };
        window->onSearchState = [this](const SearchState&) { ++stateRefreshes; };
        SetMessageBoxes(&recordedBoxes);
    }

    void cleanup() {
        SetMessageBoxes(nullptr);
        window.reset();
        module.reset();
        folder.reset();
    }

    void windowFrame() {
        QCOMPARE(window->size(), QSize(989, 717));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Экспертная автоматизированная система (ЗИРС) \"Тавелин\""));
        QCOMPARE(window->accessibleDescription(), QStringLiteral("TForm1"));
        QCOMPARE(window->minimumSize(), QSize(143, 36));
        QVERIFY(window->isResizable());
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);

        auto* bar = window->findChild<QMenuBar*>();
        QVERIFY(bar);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(QRect(bar->mapTo(window.get(), QPoint(0, 0)), bar->size()), QRect(1, 25, 987, 23));
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral(" &Действия"));
        QCOMPARE(menus[0]->menu()->actions().at(0)->text(), QStringLiteral("&Выход"));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Информация"));
        QCOMPARE(menus[1]->menu()->actions().at(0)->text(), QStringLiteral("&О программе"));
    }

    void namedControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("colour");

        const QString instructions = QStringLiteral(
            "Для поиска оптимальной технологии ремонта многослойной кровли введите исходные "
            "данные об объекте и субъекте поиска.            После ввода всех данных  нажмите на "
            "кнопку ");
        const QString navy = QStringLiteral("#000051");
        const QString black = QStringLiteral("#000000");
        const QString white = QStringLiteral("#ffffff");
        auto row = [](const char* name, QRect box, const QString& text, int size, bool bold,
                      const QString& colour) {
            QTest::newRow(name) << QString::fromLatin1(name) << box << text << size << bold
                                << colour;
        };
        row("Bevel1", {28, 64, 360, 126}, {}, 0, false, {});
        row("Label17", {35, 69, 318, 76}, instructions, 16, false, white);
        row("Label1", {35, 70, 318, 76}, instructions, 16, false, QStringLiteral("#18556e"));
        row("suiButton1", {35, 152, 146, 25}, QStringLiteral("Выполнить поиск"), 16, true, black);
        row("Bevel4", {28, 207, 373, 48}, {}, 0, false, {});
        row("Label16", {35, 211, 132, 38}, QStringLiteral("Наименование или адрес объекта"), 16,
            true, white);
        row("Label14", {35, 212, 132, 38}, QStringLiteral("Наименование или адрес объекта"), 16,
            true, navy);
        row("DBAdvMaskEdit7", {212, 225, 176, 22}, {}, 15, false, {});
        row("Bevel2", {28, 255, 373, 50}, {}, 0, false, {});
        row("Label5", {35, 257, 167, 38}, QStringLiteral("Группа  учитываемых критериев"), 16, true,
            white);
        row("Label9", {35, 258, 167, 38}, QStringLiteral("Группа  учитываемых критериев"), 16, true,
            navy);
        row("suiComboBox1", {249, 268, 139, 23}, {}, 15, false, {});
        row("Bevel3", {28, 302, 373, 48}, {}, 0, false, {});
        row("Label19", {35, 304, 61, 38}, QStringLiteral("Субъект поиска"), 16, true, white);
        row("Label3", {35, 305, 65, 38}, QStringLiteral("Субъект поиска"), 16, true, navy);
        row("suiComboBox2", {249, 315, 139, 23}, {}, 15, false, {});
        row("suiCheckGroup3", {28, 372, 373, 322}, QString(52, u' '), 16, false, {});
        row("Label20", {35, 364, 206, 19}, QStringLiteral("Условия производства работ"), 16, true,
            white);
        row("Label4", {35, 365, 206, 19}, QStringLiteral("Условия производства работ"), 16, true,
            navy);
        row("DBAdvMaskEdit1", {337, 390, 51, 21}, {}, 15, false, {});
        row("DBAdvMaskEdit2", {337, 419, 51, 21}, {}, 15, false, {});
        row("DBAdvMaskEdit3", {337, 448, 51, 21}, {}, 15, false, {});
        row("DBAdvMaskEdit4", {337, 497, 51, 21}, {}, 15, false, {});
        row("DBAdvMaskEdit5", {337, 527, 51, 21}, {}, 15, false, {});
        row("DBAdvMaskEdit6", {337, 556, 51, 21}, {}, 15, false, {});
        row("suiCheckBox1", {35, 585, 322, 18},
            QStringLiteral("Возможность применения открытого огня"), 16, false, black);
        row("suiCheckBox2", {35, 609, 353, 20},
            QStringLiteral("Возможность утяжеления покрытия ремонтным"), 16, false, black);
        row("suiCheckBox3", {35, 656, 337, 19},
            QStringLiteral("Наличие доступа к системе электроснабжения"), 16, false, black);
        row("Label10", {425, 70, 234, 19}, QStringLiteral("Критерии внутренних факторов"), 16, true,
            navy);
        row("suiCheckGroup1", {420, 74, 541, 366}, QString(60, u' '), 16, false, {});
        row("Label11", {425, 470, 213, 19}, QStringLiteral("Критерии внешних факторов"), 16, true,
            navy);
        row("suiCheckGroup2", {420, 480, 541, 211}, QString(55, u' '), 16, false, {});
    }

    void namedControls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);
        QFETCH(QString, colour);
        auto* widget = window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget(), window.get());
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(VisibleText(widget), text);
        QCOMPARE(widget->accessibleDescription(), name);
        if (pixelSize) {
            QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
            QCOMPARE(widget->font().pixelSize(), pixelSize);
            QCOMPARE(widget->font().bold(), bold);
        }
        if (!colour.isEmpty())
            QCOMPARE(widget->palette().color(QPalette::WindowText).name(), colour);
    }

    // The engraved headings: the white copy lies under the coloured one.
    void engravedHeadingsStackWhiteBelow() {
        const QList<QWidget*> children =
            window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        const QList<QPair<const char*, const char*>> pairs = {{"Label17", "Label1"},
                                                              {"Label16", "Label14"},
                                                              {"Label5", "Label9"},
                                                              {"Label19", "Label3"},
                                                              {"Label20", "Label4"}};
        for (const auto& [white, coloured] : pairs) {
            auto* under = find<QLabel>(white);
            auto* over = find<QLabel>(coloured);
            QVERIFY(children.indexOf(under) < children.indexOf(over));
            QVERIFY(!under->autoFillBackground() && !over->autoFillBackground());
        }
    }

    void rowLabelsAndMarks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("pixelSize");
        auto row = [](const char* tag, const QString& text, QRect box, int size) {
            QTest::newRow(tag) << text << box << size;
        };
        // Row labels are as wide as their text; only left, top and height are fixed.
        row("slope", QStringLiteral("Уклон кровли, %"), {35, 391, 0, 19}, 16);
        row("volume", QStringLiteral("Объем необходимого ремонта не менее, м "), {35, 419, 0, 19},
            16);
        row("thickness", QStringLiteral("Толщина ремонтируемой кровли, мм"), {35, 447, 0, 19}, 16);
        row("cost", QStringLiteral("Максимально допустимая стоимость"), {35, 475, 0, 19}, 16);
        row("cost 2nd line", QStringLiteral("ремонта 1 м   кровли, руб."), {48, 498, 0, 19}, 16);
        row("temperature", QStringLiteral("Температура атмосферного воздуха,  С"), {35, 526, 0, 19},
            16);
        row("wear", QStringLiteral("Физический износ кровли, %"), {35, 555, 0, 19}, 16);
        row("weighting 2nd line", QStringLiteral(" слоем кровли"), {43, 631, 0, 19}, 16);
        row("square metres", QStringLiteral("2"), {322, 416, 6, 14}, 11);
        row("square metres of cost", QStringLiteral("2"), {130, 495, 6, 14}, 11);
        row("degree", QStringLiteral("о"), {280, 522, 6, 14}, 11);
    }

    void rowLabelsAndMarks() {
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(int, pixelSize);
        QLabel* found = nullptr;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text() == text && label->pos() == geometry.topLeft())
                found = label;
        }
        QVERIFY2(found, qPrintable(text));
        QCOMPARE(found->height(), geometry.height());
        if (geometry.width())
            QCOMPARE(found->width(), geometry.width());
        else
            QCOMPARE(found->width(), found->fontMetrics().horizontalAdvance(text));
        QCOMPARE(found->font().pixelSize(), pixelSize);
        QCOMPARE(found->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void startState() {
        for (const char* name :
             {"DBAdvMaskEdit1", "DBAdvMaskEdit2", "DBAdvMaskEdit3", "DBAdvMaskEdit4",
              "DBAdvMaskEdit5", "DBAdvMaskEdit6", "DBAdvMaskEdit7"}) {
            QVERIFY(field(name)->text().isEmpty());
            QCOMPARE(field(name)->palette().color(QPalette::Text), QColor(Qt::black));
        }
        const QList<QPair<const char*, int>> lengths = {
            {"DBAdvMaskEdit7", 50}, {"DBAdvMaskEdit1", 4}, {"DBAdvMaskEdit2", 4},
            {"DBAdvMaskEdit3", 3},  {"DBAdvMaskEdit4", 4}, {"DBAdvMaskEdit5", 3},
            {"DBAdvMaskEdit6", 3}};
        for (const auto& [name, length] : lengths)
            QCOMPARE(field(name)->maxLength(), length);

        auto* groups = find<QComboBox>("suiComboBox1");
        auto* subjects = find<QComboBox>("suiComboBox2");
        QCOMPARE(groups->currentIndex(), -1);
        QVERIFY(groups->isEnabled());
        QCOMPARE(subjects->currentIndex(), -1);
        QVERIFY(!subjects->isEnabled());
        QCOMPARE(groups->count(), 3);
        QCOMPARE(groups->itemText(0), QStringLiteral("Полная"));
        QCOMPARE(groups->itemText(1), QStringLiteral("Специальная"));
        QCOMPARE(groups->itemText(2), QStringLiteral("Выборочная"));
        QCOMPARE(subjects->itemText(0), QStringLiteral("Владелец здания") + QString(14, u' '));
        QCOMPARE(subjects->itemText(1), QStringLiteral("Подрядчик") + QString(25, u' '));
        QCOMPARE(subjects->itemText(2), QStringLiteral("Проектировщик") + QString(17, u' '));

        for (const char* name : {"suiCheckBox1", "suiCheckBox2", "suiCheckBox3"})
            QVERIFY(!find<QCheckBox>(name)->isChecked());
        auto* internal = find<TCheckGroup>("suiCheckGroup1");
        auto* external = find<TCheckGroup>("suiCheckGroup2");
        QCOMPARE(internal->count(), 10);
        QCOMPARE(external->count(), 5);
        QVERIFY(!internal->isEnabled() && !external->isEnabled());
        QCOMPARE(internal->item(0)->text(), QStringLiteral("Стоимость ремонта кровли"));
        QCOMPARE(internal->item(9)->text(),
                 QStringLiteral("Светоотражающая способность отремонтированной кровли"));
        QCOMPARE(external->item(4)->text(),
                 QStringLiteral("Опасность нарушения полного водоотвода с отремонтированной "
                                "кровли"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(!internal->isChecked(i));
        for (int i = 0; i < 5; ++i)
            QVERIFY(!external->isChecked(i));
        // Items stand in one column, top to bottom, inside the frame.
        for (int i = 1; i < 10; ++i)
            QVERIFY(internal->item(i)->y() > internal->item(i - 1)->y());
        QVERIFY(internal->item(9)->geometry().bottom() < internal->height());
        QVERIFY(find<QPushButton>("suiButton1")->isEnabled());
    }

    void tabOrder_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("order");
        const QStringList head = {"DBAdvMaskEdit7", "suiComboBox1"};
        const QStringList conditions = {"DBAdvMaskEdit1", "DBAdvMaskEdit2", "DBAdvMaskEdit3",
                                        "DBAdvMaskEdit4", "DBAdvMaskEdit5", "DBAdvMaskEdit6",
                                        "suiCheckBox1",   "suiCheckBox2",   "suiCheckBox3",
                                        "suiButton1"};
        QStringList internal, external;
        for (int i = 0; i < 10; ++i)
            internal << QStringLiteral("suiCheckGroup1");
        for (int i = 0; i < 5; ++i)
            external << QStringLiteral("suiCheckGroup2");
        // Disabled controls are skipped.
        QTest::newRow("at start") << -1 << head + conditions + QStringList{"suiCheckGroup3"} + head;
        QTest::newRow("special: the subject list")
            << 1 << head + QStringList{"suiComboBox2"} + conditions + QStringList{"suiCheckGroup3"};
        QTest::newRow("selective: the criteria items")
            << 2 << head + conditions + internal + QStringList{"suiCheckGroup3"} + external + head;
    }

    void tabOrder() {
        QFETCH(int, group);
        QFETCH(QStringList, order);
        if (group >= 0)
            Pick(find<QComboBox>("suiComboBox1"), group);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        field("DBAdvMaskEdit7")->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            // A check item counts as its group.
            if (auto* group = qobject_cast<TCheckGroup*>(focused->parentWidget()))
                focused = group;
            visited << focused->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
    }

    void keyFilters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        auto row = [](const char* tag, const char* name, const QString& typed,
                      const QString& shown) {
            QTest::newRow(tag) << QString::fromLatin1(name) << typed << shown;
        };
        row("slope: full stop becomes a comma", "DBAdvMaskEdit1", "1.5", "1,5");
        row("slope: one comma only", "DBAdvMaskEdit1", "1.5.,", "1,5");
        row("slope: minus and digits, letters dropped", "DBAdvMaskEdit1", "-2a5", "-25");
        row("slope: comma again after deleting it", "DBAdvMaskEdit1", "1,\b,5", "1,5");
        row("slope: four characters", "DBAdvMaskEdit1", "12345", "1234");
        row("volume: digits only", "DBAdvMaskEdit2", "1-2,a3", "123");
        row("volume: four digits", "DBAdvMaskEdit2", "99999", "9999");
        row("thickness: three digits", "DBAdvMaskEdit3", "1000", "100");
        row("cost: no minus", "DBAdvMaskEdit4", "-5.", "5");
        row("temperature: minus anywhere", "DBAdvMaskEdit5", "3-0x", "3-0");
        row("temperature: three characters", "DBAdvMaskEdit5", "-300", "-30");
        row("wear: no comma", "DBAdvMaskEdit6", "1,5", "15");
        row("wear: backspace", "DBAdvMaskEdit6", "12\b", "1");
        row("address: first letter capital", "DBAdvMaskEdit7", "дом 5", "Дом 5");
        row("address: ё capital too", "DBAdvMaskEdit7", "ёлка", "Ёлка");
        row("address: other characters pass", "DBAdvMaskEdit7", "5, ул. д", "5, ул. д");
        row("address: fifty characters", "DBAdvMaskEdit7", QString(60, u'я'),
            QStringLiteral("Я") + QString(49, u'я'));
    }

    void keyFilters() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TAdvMaskEdit* edit = field(qPrintable(name));
        Type(edit, typed);
        QCOMPARE(edit->text(), shown);
    }

    // The first letter is capitalised unless the left Shift key alone is held
    // (scan codes 50 left, 62 right).
    void addressShiftRule_data() {
        QTest::addColumn<unsigned>("shift");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no Shift") << 0u << QStringLiteral("д") << QStringLiteral("Д");
        QTest::newRow("left Shift: as typed")
            << LeftShiftScanCode << QStringLiteral("д") << QStringLiteral("д");
        QTest::newRow("right Shift: capitalised")
            << RightShiftScanCode << QStringLiteral("д") << QStringLiteral("Д");
        QTest::newRow("left Shift, capital typed")
            << LeftShiftScanCode << QStringLiteral("Д") << QStringLiteral("Д");
    }

    void addressShiftRule() {
        QFETCH(unsigned, shift);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        TAdvMaskEdit* edit = field("DBAdvMaskEdit7");
        TypeCharacter(edit, typed.front(), shift);
        QCOMPARE(edit->text(), shown);
        // Released, the Shift key no longer counts.
        QVERIFY(!edit->shiftKeys().leftDown() && !edit->shiftKeys().rightDown());
    }

    void addressCapitalisesOnlyAtTheStart() {
        TAdvMaskEdit* edit = field("DBAdvMaskEdit7");
        Type(edit, QStringLiteral("ом"));
        QCOMPARE(edit->text(), QStringLiteral("Ом"));
        QTest::keyClick(edit, Qt::Key_End);
        Type(edit, QStringLiteral("д"));
        QCOMPARE(edit->text(), QStringLiteral("Омд"));
        QTest::keyClick(edit, Qt::Key_Home);
        Type(edit, QStringLiteral("д"));
        QCOMPARE(edit->text(), QStringLiteral("ДОмд"));
        // A selection starting at the beginning counts as the beginning.
        edit->setSelection(0, 2);
        Type(edit, QStringLiteral("а"));
        QCOMPARE(edit->text(), QStringLiteral("Амд"));
    }

    void userTextTurnsRedForGood() {
        TAdvMaskEdit* slope = field("DBAdvMaskEdit1");
        TAdvMaskEdit* volume = field("DBAdvMaskEdit2");
        const QColor red(0xFF, 0, 0);
        Type(slope, QStringLiteral("x"));
        QCOMPARE(slope->palette().color(QPalette::Text), QColor(Qt::black)); // nothing typed in
        Type(slope, QStringLiteral("150"));
        QCOMPARE(slope->palette().color(QPalette::Text), red);
        QCOMPARE(volume->palette().color(QPalette::Text), QColor(Qt::black));
        // A clamped value keeps the colour, and so does a cleared field.
        Pick(find<QComboBox>("suiComboBox1"), 0);
        window->suiButton1Click();
        QCOMPARE(slope->text(), QStringLiteral("100"));
        QCOMPARE(slope->palette().color(QPalette::Text), red);
        slope->selectAll();
        QTest::keyClick(slope, Qt::Key_Backspace);
        QVERIFY(slope->text().isEmpty());
        QCOMPARE(slope->palette().color(QPalette::Text), red);
    }

    void addressTakesFocusOnHover() {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        field("DBAdvMaskEdit3")->setFocus();
        QVERIFY(field("DBAdvMaskEdit3")->hasFocus());
        TAdvMaskEdit* address = field("DBAdvMaskEdit7");
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), address->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(address, &enter);
        QVERIFY(address->hasFocus());
    }

    void criteriaGroupRules_data() {
        QTest::addColumn<QList<int>>("groupPicks");
        QTest::addColumn<int>("subject");
        QTest::addColumn<bool>("groupsEnabled");
        QTest::addColumn<bool>("subjectsEnabled");
        QTest::addColumn<QString>("internalTicks");
        QTest::addColumn<QString>("externalTicks");
        QTest::newRow("full") << QList<int>{0} << -1 << false << false
                              << QStringLiteral("1111111111") << QStringLiteral("11111");
        QTest::newRow("special") << QList<int>{1} << -1 << false << true
                                 << QStringLiteral("0000000000") << QStringLiteral("00000");
        QTest::newRow("selective after full")
            << QList<int>{0, 2} << -1 << true << false << QStringLiteral("0000000000")
            << QStringLiteral("00000");
        QTest::newRow("full after selective")
            << QList<int>{2, 0} << -1 << false << false << QStringLiteral("1111111111")
            << QStringLiteral("11111");
        QTest::newRow("special: owner") << QList<int>{1} << 0 << false << true
                                        << QStringLiteral("1001011111") << QStringLiteral("00101");
        QTest::newRow("special: contractor")
            << QList<int>{1} << 1 << false << true << QStringLiteral("0001001110")
            << QStringLiteral("00101");
        QTest::newRow("special: designer")
            << QList<int>{1} << 2 << false << true << QStringLiteral("1111111100")
            << QStringLiteral("11111");
    }

    void criteriaGroupRules() {
        QFETCH(QList<int>, groupPicks);
        QFETCH(int, subject);
        QFETCH(bool, groupsEnabled);
        QFETCH(bool, subjectsEnabled);
        QFETCH(QString, internalTicks);
        QFETCH(QString, externalTicks);
        auto* groups = find<QComboBox>("suiComboBox1");
        auto* subjects = find<QComboBox>("suiComboBox2");
        auto* internal = find<TCheckGroup>("suiCheckGroup1");
        auto* external = find<TCheckGroup>("suiCheckGroup2");
        for (int group : groupPicks) {
            if (group == 0 || group == 2) // ticks left by the user do not survive a pick
                internal->setChecked(4, !internal->isChecked(4));
            Pick(groups, group);
        }
        if (subject >= 0)
            Pick(subjects, subject);
        QCOMPARE(subjects->currentIndex(), subject);
        QCOMPARE(internal->isEnabled(), groupsEnabled);
        QCOMPARE(external->isEnabled(), groupsEnabled);
        QCOMPARE(subjects->isEnabled(), subjectsEnabled);
        QString ticks;
        for (int i = 0; i < 10; ++i)
            ticks += internal->isChecked(i) ? u'1' : u'0';
        QCOMPARE(ticks, internalTicks);
        ticks.clear();
        for (int i = 0; i < 5; ++i)
            ticks += external->isChecked(i) ? u'1' : u'0';
        QCOMPARE(ticks, externalTicks);
    }

    void pickingAnotherGroupEmptiesTheSubject() {
        Pick(find<QComboBox>("suiComboBox1"), 1);
        Pick(find<QComboBox>("suiComboBox2"), 2);
        Pick(find<QComboBox>("suiComboBox1"), 2);
        QCOMPARE(find<QComboBox>("suiComboBox2")->currentIndex(), -1);
        QVERIFY(!find<QComboBox>("suiComboBox2")->isEnabled());
    }

    void searchOutcomes_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("subject");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("resultKind"); // -1: no result shown
        QTest::newRow("no group") << -1 << -1 << CostAdmittingAll
                                  << QString::fromUtf8(NoCriteriaGroupMessage) << -1;
        QTest::newRow("special without subject")
            << 1 << -1 << CostAdmittingAll << QString::fromUtf8(NoSubjectMessage) << -1;
        QTest::newRow("empty field")
            << 0 << -1 << QString() << QString::fromUtf8(WorkConditionsMessage) << -1;
        QTest::newRow("no variant")
            << 0 << -1 << CostAdmittingNone << QString::fromUtf8(NoVariantMessage) << -1;
        QTest::newRow("selective with nothing ticked")
            << 2 << -1 << CostAdmittingAll << InternalGroupMessage << -1;
        QTest::newRow("one variant")
            << 0 << -1 << CostAdmittingOne << QString() << int(TResultKind::Single);
        QTest::newRow("full: Wald")
            << 0 << -1 << CostAdmittingAll << QString() << int(TResultKind::Wald);
        QTest::newRow("special as designer")
            << 1 << 2 << CostAdmittingAll << QString() << int(TResultKind::Wald);
    }

    void searchOutcomes() {
        QFETCH(int, group);
        QFETCH(int, subject);
        QFETCH(QString, cost);
        QFETCH(QString, message);
        QFETCH(int, resultKind);
        if (group >= 0)
            Pick(find<QComboBox>("suiComboBox1"), group);
        if (subject >= 0)
            Pick(find<QComboBox>("suiComboBox2"), subject);
        fillValidConditions(cost);
        QTest::mouseClick(find<QPushButton>("suiButton1"), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
        } else {
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].Kind, MessageBoxKind::Information);
            QCOMPARE(messages[0].Text, message);
        }
        QCOMPARE(results.size(), resultKind < 0 ? 0 : 1);
        if (resultKind >= 0) {
            QCOMPARE(int(results[0].Kind), resultKind);
            QCOMPARE(results[0].Ranked[0].Place, 1);
        }
        QCOMPARE(stateRefreshes, 1);
    }

    // A later failing field leaves the earlier clamped text in place.
    void clampedTextsStayAfterAMessage() {
        Pick(find<QComboBox>("suiComboBox1"), 0);
        Type(field("DBAdvMaskEdit1"), QStringLiteral("150"));
        Type(field("DBAdvMaskEdit5"), QStringLiteral("-30"));
        QTest::mouseClick(find<QPushButton>("suiButton1"), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].Text, QString::fromUtf8(WorkConditionsMessage));
        QCOMPARE(field("DBAdvMaskEdit1")->text(), QStringLiteral("100"));
        QCOMPARE(field("DBAdvMaskEdit5")->text(), QStringLiteral("-30"));
    }

    void catalogueFailureShowsTheEngineText() {
        QFile broken(module->CataloguePath);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write(QByteArray(4096, 'x'));
        broken.close();
        Pick(find<QComboBox>("suiComboBox1"), 0);
        fillValidConditions(CostAdmittingAll);
        QTest::mouseClick(find<QPushButton>("suiButton1"), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].Kind, MessageBoxKind::Error);
        // A first line in Russian, then the engine's own text.
        const QStringList lines = messages[0].Text.split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0),
                 QStringLiteral("Не удалось прочитать базу данных «database.mdb»."));
        QVERIFY(lines.size() >= 2);
        QVERIFY(!lines[1].isEmpty());
        QVERIFY(results.isEmpty());
        // The window is as it was and can search again.
        QCOMPARE(field("DBAdvMaskEdit4")->text(), CostAdmittingAll);
        QVERIFY(find<QPushButton>("suiButton1")->isEnabled());
    }

    // The real box: modal, titled, one button "ОК", message in Times New Roman.
    void messageBoxShowsAndCloses() {
        SetMessageBoxes(nullptr);
        QString seenTitle, seenText, seenButton, seenFont;
        bool seenModal = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<TsuiMessageDialog*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenButton = box->button()->text();
            seenFont = box->findChild<QLabel*>(QStringLiteral("messageText"))->font().family();
            seenModal = box->isModal();
            QTest::mouseClick(box->button(), Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>("suiButton1"), Qt::LeftButton);
        QCOMPARE(seenTitle, QStringLiteral("ЗИРС \"Тавелин\""));
        QCOMPARE(seenText, QString::fromUtf8(NoCriteriaGroupMessage));
        QCOMPARE(seenButton, QStringLiteral("ОК"));
        QCOMPARE(seenFont, QStringLiteral("Times New Roman"));
        QVERIFY(seenModal);
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void menuCommands() {
        int aboutShown = 0;
        window->onAbout = [&] { ++aboutShown; };
        auto* bar = window->findChild<QMenuBar*>();
        bar->actions().at(1)->menu()->actions().at(0)->trigger();
        QCOMPARE(aboutShown, 1);
        window->show();
        QSignalSpy closed(window.get(), &TForm1::closed);
        bar->actions().at(0)->menu()->actions().at(0)->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!window->isVisible());
    }

    // The program's own catalogue answers a broad request with a ranking.
    void bundledCatalogueRanks() {
        module->CataloguePath = QStringLiteral(ZIRS_BUILT_CATALOGUE);
        Pick(find<QComboBox>("suiComboBox1"), 0);
        Type(field("DBAdvMaskEdit1"), QStringLiteral("5"));
        Type(field("DBAdvMaskEdit2"), QStringLiteral("500"));
        Type(field("DBAdvMaskEdit3"), QStringLiteral("30"));
        Type(field("DBAdvMaskEdit4"), QStringLiteral("5000"));
        Type(field("DBAdvMaskEdit5"), QStringLiteral("20"));
        Type(field("DBAdvMaskEdit6"), QStringLiteral("40"));
        for (const char* name : {"suiCheckBox1", "suiCheckBox2", "suiCheckBox3"})
            find<QCheckBox>(name)->setChecked(true);
        QTest::mouseClick(find<QPushButton>("suiButton1"), Qt::LeftButton);
        QVERIFY(messages.isEmpty());
        QCOMPARE(results.size(), 1);
        QCOMPARE(results[0].Kind, TResultKind::Wald);
        QVERIFY(results[0].AdmissibleCount >= 2);
        QCOMPARE(results[0].AdmissibleCount + results[0].RejectedCount, 21);
    }

    // The frame: a double click on the title bar maximises and restores; a
    // drag on the bottom-right corner resizes, never below the smallest size.
    void frameMaximisesAndResizes() {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* title = window->findChild<QWidget*>(QStringLiteral("titleBar"));
        QVERIFY(title);
        QCOMPARE(title->accessibleName(), window->windowTitle());
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(300, 10));
        QTRY_VERIFY(window->isMaximized());
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(300, 10));
        QTRY_VERIFY(!window->isMaximized());
        QTRY_COMPARE(window->size(), QSize(989, 717));

        // The press goes to whatever lies at the point, as the pointer's would.
        auto drag = [this](QPoint from, QPoint to) {
            const QPoint origin = window->mapToGlobal(QPoint(0, 0));
            QWidget* target = window->childAt(from);
            QVERIFY(target);
            const QPoint offset = target->mapTo(window.get(), QPoint(0, 0));
            QMouseEvent press(QEvent::MouseButtonPress, from - offset, origin + from,
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
            QMouseEvent move(QEvent::MouseMove, to - offset, origin + to, Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &move);
            QMouseEvent release(QEvent::MouseButtonRelease, to - offset, origin + to,
                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(target, &release);
        };
        drag(QPoint(987, 715), QPoint(1037, 745));
        QTRY_COMPARE(window->size(), QSize(1039, 747));
        drag(QPoint(1037, 745), QPoint(0, 0));
        QTRY_COMPARE(window->size(), QSize(143, 36));
    }

    // Controls keep their place and size when the window is resized.
    void resizingMovesNothing() {
        window->resize(500, 300);
        QCOMPARE(field("DBAdvMaskEdit6")->geometry(), QRect(337, 556, 51, 21));
        QCOMPARE(find<TCheckGroup>("suiCheckGroup1")->geometry(), QRect(420, 74, 541, 366));
        window->resize(1200, 900);
        QCOMPARE(find<TCheckGroup>("suiCheckGroup2")->geometry(), QRect(420, 480, 541, 211));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
