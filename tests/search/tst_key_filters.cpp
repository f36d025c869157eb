// The per-keystroke filters of the main window's edit fields.

#include "search/key_filters.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::optional<QChar>)

namespace {
const std::optional<QChar> Dropped;
std::optional<QChar> Gives(char16_t c) {
    return QChar(c);
}
} // namespace

class KeyFiltersTest : public QObject {
    Q_OBJECT

private slots:
    void wholeNumberFields_data();
    void wholeNumberFields();
    void slopeField_data();
    void slopeField();
    void addressField_data();
    void addressField();
};

void KeyFiltersTest::wholeNumberFields_data() {
    QTest::addColumn<QChar>("key");
    QTest::addColumn<std::optional<QChar>>("plain");       // volume, thickness, cost, wear
    QTest::addColumn<std::optional<QChar>>("temperature"); // also the minus sign
    QTest::newRow("0") << QChar(u'0') << Gives(u'0') << Gives(u'0');
    QTest::newRow("9") << QChar(u'9') << Gives(u'9') << Gives(u'9');
    QTest::newRow("backspace") << QChar(u'\b') << Gives(u'\b') << Gives(u'\b');
    QTest::newRow("minus") << QChar(u'-') << Dropped << Gives(u'-');
    QTest::newRow("comma") << QChar(u',') << Dropped << Dropped;
    QTest::newRow("full stop") << QChar(u'.') << Dropped << Dropped;
    QTest::newRow("letter") << QChar(u'a') << Dropped << Dropped;
    QTest::newRow("cyrillic") << QChar(u'д') << Dropped << Dropped;
    QTest::newRow("space") << QChar(u' ') << Dropped << Dropped;
    QTest::newRow("plus") << QChar(u'+') << Dropped << Dropped;
}

void KeyFiltersTest::wholeNumberFields() {
    QFETCH(QChar, key);
    QFETCH(std::optional<QChar>, plain);
    QFETCH(std::optional<QChar>, temperature);
    QCOMPARE(DBAdvMaskEdit2KeyPress(key), plain);
    QCOMPARE(DBAdvMaskEdit5KeyPress(key), temperature);
}

void KeyFiltersTest::slopeField_data() {
    QTest::addColumn<QChar>("key");
    QTest::addColumn<QString>("current");
    QTest::addColumn<std::optional<QChar>>("result");
    QTest::newRow("digit") << QChar(u'7') << "1,5" << Gives(u'7');
    QTest::newRow("minus anywhere") << QChar(u'-') << "12" << Gives(u'-');
    QTest::newRow("backspace") << QChar(u'\b') << "1,5" << Gives(u'\b');
    QTest::newRow("full stop becomes comma") << QChar(u'.') << "1" << Gives(u',');
    QTest::newRow("comma into empty") << QChar(u',') << "" << Gives(u',');
    QTest::newRow("second comma") << QChar(u',') << "1,5" << Dropped;
    QTest::newRow("second full stop") << QChar(u'.') << "1,5" << Dropped;
    QTest::newRow("comma while the only text is a comma") << QChar(u',') << "," << Dropped;
    QTest::newRow("letter") << QChar(u'e') << "1" << Dropped;
    QTest::newRow("space") << QChar(u' ') << "1" << Dropped;
}

void KeyFiltersTest::slopeField() {
    QFETCH(QChar, key);
    QFETCH(QString, current);
    QFETCH(std::optional<QChar>, result);
    QCOMPARE(DBAdvMaskEdit1KeyPress(key, current), result);
}

void KeyFiltersTest::addressField_data() {
    QTest::addColumn<QChar>("key");
    QTest::addColumn<int>("selectionStart");
    QTest::addColumn<bool>("leftShift");
    QTest::addColumn<bool>("rightShift");
    QTest::addColumn<std::optional<QChar>>("result");
    QTest::newRow("д at start") << QChar(u'д') << 0 << false << false << Gives(u'Д');
    QTest::newRow("а at start") << QChar(u'а') << 0 << false << false << Gives(u'А');
    QTest::newRow("я at start") << QChar(u'я') << 0 << false << false << Gives(u'Я');
    QTest::newRow("ё at start") << QChar(u'ё') << 0 << false << false << Gives(u'Ё');
    QTest::newRow("д after text") << QChar(u'д') << 3 << false << false << Gives(u'д');
    QTest::newRow("left shift alone keeps Д") << QChar(u'Д') << 0 << true << false << Gives(u'Д');
    QTest::newRow("left shift alone, lowercase untouched")
        << QChar(u'д') << 0 << true << false << Gives(u'д');
    QTest::newRow("both shifts act") << QChar(u'д') << 0 << true << true << Gives(u'Д');
    QTest::newRow("right shift acts") << QChar(u'д') << 0 << false << true << Gives(u'Д');
    QTest::newRow("uppercase with right shift") << QChar(u'Ж') << 0 << false << true << Gives(u'Ж');
    QTest::newRow("digit at start") << QChar(u'5') << 0 << false << false << Gives(u'5');
    QTest::newRow("comma at start") << QChar(u',') << 0 << false << false << Gives(u',');
    QTest::newRow("full stop at start") << QChar(u'.') << 0 << false << false << Gives(u'.');
    QTest::newRow("backspace at start") << QChar(u'\b') << 0 << false << false << Gives(u'\b');
    QTest::newRow("latin at start") << QChar(u'a') << 0 << false << false << Gives(u'a');
    QTest::newRow("space at start") << QChar(u' ') << 0 << false << false << Gives(u' ');
}

void KeyFiltersTest::addressField() {
    QFETCH(QChar, key);
    QFETCH(int, selectionStart);
    QFETCH(bool, leftShift);
    QFETCH(bool, rightShift);
    QFETCH(std::optional<QChar>, result);
    QCOMPARE(DBAdvMaskEdit7KeyPress(key, selectionStart, leftShift, rightShift), result);
}

QTEST_GUILESS_MAIN(KeyFiltersTest)
#include "tst_key_filters.moc"
