// The catalogue check: each kind of fault the search cannot live with is
// found with its row, variant and column; a clean catalogue gives nothing.

#include "search/catalogue_check.h"
#include "tests/support/catalogue_writer.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class CatalogueCheckTest : public QObject {
    Q_OBJECT
private slots:
    void bundledCatalogueIsClean();
    void oneFaultyCell_data();
    void oneFaultyCell();
    void everyFaultIsReported();
    void wholeCatalogueFaults_data();
    void wholeCatalogueFaults();
    void warningsDoNotFail();
    void consistencyRulesWarn();

private:
    QString write(const QList<QVariantMap>& rows, const QStringList& omitted = {}) {
        const QString path = m_dir.filePath(QStringLiteral("c%1.mdb").arg(++m_files));
        if (!WriteCatalogue(path, rows, WithoutColumns(omitted)))
            qFatal("fixture not written");
        return path;
    }
    QTemporaryDir m_dir;
    int m_files = 0;
};

void CatalogueCheckTest::bundledCatalogueIsClean() {
    const auto findings = CheckCatalogueFile(ZIRS_BUILT_CATALOGUE);
    for (const auto& f : findings)
        qWarning().noquote() << FindingLine(f);
    QVERIFY(findings.empty());
}

void CatalogueCheckTest::oneFaultyCell_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("reportedColumn");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty bound") << "Толщина" << QVariant() << "Толщина"
                                 << "ячейка пуста";
    QTest::newRow("text bound") << "Объем" << QVariant("много") << "Объем"
                                << "«много» — не число";
    QTest::newRow("empty cost") << "Стоимость" << QVariant() << "Стоимость"
                                << "ячейка пуста";
    QTest::newRow("flag 2") << "Огнеопасность" << QVariant(2) << "Огнеопасность"
                            << "нужно 0 или 1, а стоит 2";
    QTest::newRow("flag -1") << "Электроснабжение" << QVariant(-1) << "Электроснабжение"
                             << "нужно 0 или 1";
    QTest::newRow("flag empty") << "Утяжеление" << QVariant() << "Утяжеление"
                                << "ячейка пуста";
    QTest::newRow("score 0") << "Опасность травматизма" << QVariant(0) << "Опасность травматизма"
                             << "нужна целая оценка от 1 до 10, а стоит 0";
    QTest::newRow("score 11") << "Эстетичность кровли" << QVariant(11) << "Эстетичность кровли"
                              << "от 1 до 10";
    QTest::newRow("score fraction")
        << "Нарушение водоотвода с кровли" << QVariant(4.5) << "Нарушение водоотвода с кровли"
        << "а стоит 4,5";
    QTest::newRow("score empty") << "Дождливая погода" << QVariant() << "Дождливая погода"
                                 << "ячейка пуста, а нужна целая оценка";
    QTest::newRow("labour empty") << "Трудоемкость, чел-ч/ м2" << QVariant()
                                  << "Трудоемкость, чел-ч/ м2"
                                  << "ячейка пуста, а нужно число";
    QTest::newRow("reflectance text")
        << "Светоотражающ способность" << QVariant("0,5") << "Светоотражающ способность"
        << "«0,5» — не число";
    QTest::newRow("min slope above max") << "Минуклон" << QVariant(120.5) << "Минуклон"
                                         << "120,5 больше, чем «Уклон» (100)";
    QTest::newRow("min wear above max") << "Минизнос" << QVariant(101) << "Минизнос"
                                        << "больше, чем «Износ» (100)";
    QTest::newRow("empty name") << "Варианты технологии" << QVariant("  ") << "Варианты технологии"
                                << "название варианта пусто";
}

void CatalogueCheckTest::oneFaultyCell() {
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, reportedColumn);
    QFETCH(QString, message);
    QVariantMap faulty = PermissiveRow("Второй");
    faulty[column] = value;
    const QString path = write({PermissiveRow("Первый"), faulty, PermissiveRow("Третий")});

    const auto findings = CheckCatalogueFile(path);
    QCOMPARE(findings.size(), std::size_t(1));
    const TCatalogueFinding& f = findings.front();
    QCOMPARE(f.Level, TFindingLevel::Fault);
    QCOMPARE(f.Row, 2);
    QCOMPARE(f.Column, reportedColumn);
    QVERIFY2(f.Text.contains(message), qPrintable(f.Text));
    QVERIFY(HasFaults(findings));
    const QString line = FindingLine(f);
    QVERIFY2(line.startsWith(QStringLiteral("ошибка: строка 2 («")), qPrintable(line));
    QVERIFY(line.contains(QStringLiteral("столбец «%1»").arg(reportedColumn)));
}

void CatalogueCheckTest::everyFaultIsReported() {
    QVariantMap first = PermissiveRow("Один");
    first["Уклон"] = QVariant();
    QVariantMap last = PermissiveRow("Один");
    last["Долговечность"] = 12;
    const QString path = write({first, PermissiveRow("Два"), last});

    const auto findings = CheckCatalogueFile(path);
    QCOMPARE(findings.size(), std::size_t(3));
    QCOMPARE(findings[0].Row, 1);
    QCOMPARE(findings[0].Column, QStringLiteral("Уклон"));
    QCOMPARE(findings[1].Row, 3);
    QVERIFY(findings[1].Text.contains(QStringLiteral("то же название, что у строки 1")));
    QCOMPARE(findings[2].Row, 3);
    QCOMPARE(findings[2].Column, QStringLiteral("Долговечность"));

    const QJsonArray json = FindingsJson(findings);
    QCOMPARE(json.size(), 3);
    const QJsonObject object = json[2].toObject();
    QCOMPARE(object["level"].toString(), QStringLiteral("error"));
    QCOMPARE(object["row"].toInt(), 3);
    QCOMPARE(object["variant"].toString(), QStringLiteral("Один"));
    QCOMPARE(object["column"].toString(), QStringLiteral("Долговечность"));
}

void CatalogueCheckTest::wholeCatalogueFaults_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("omitted");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("no rows") << 0 << QStringList() << ""
                             << "нет ни одного варианта";
    QTest::newRow("bound column missing") << 2 << QStringList{"Минизнос"} << "Минизнос"
                                          << "нет этого столбца";
    QTest::newRow("composition missing") << 2 << QStringList{"Состав процеcса"} << "Состав процеcса"
                                         << "нет этого столбца";
}

void CatalogueCheckTest::wholeCatalogueFaults() {
    QFETCH(int, rows);
    QFETCH(QStringList, omitted);
    QFETCH(QString, column);
    QFETCH(QString, message);
    QList<QVariantMap> list;
    for (int r = 0; r < rows; ++r)
        list << PermissiveRow(QString::number(r));
    const auto findings = CheckCatalogueFile(write(list, omitted));
    QCOMPARE(findings.size(), std::size_t(1));
    QCOMPARE(findings[0].Row, 0);
    QCOMPARE(findings[0].Column, column);
    QVERIFY2(findings[0].Text.contains(message), qPrintable(findings[0].Text));
}

void CatalogueCheckTest::warningsDoNotFail() {
    QVERIFY(CheckCatalogueFile(m_dir.filePath("absent.mdb")).front().Text.contains("Не найден"));
    const std::vector<TCatalogueFinding> onlyWarnings = {
        {TFindingLevel::Warning, 4, QStringLiteral("Вариант"), QStringLiteral("Стоимость"),
         QStringLiteral("дороже всех")}};
    QVERIFY(!HasFaults(onlyWarnings));
    QCOMPARE(
        FindingLine(onlyWarnings[0]),
        QStringLiteral("предупреждение: строка 4 («Вариант»), столбец «Стоимость»: дороже всех"));
    QCOMPARE(FindingsJson(onlyWarnings)[0].toObject()["level"].toString(),
             QStringLiteral("warning"));
}

// A row that lays its sheet with a torch yet claims to need no open fire
// breaks no data expectation: the catalogue passes, with a warning naming it.
void CatalogueCheckTest::consistencyRulesWarn() {
    QVariantMap torchOn = PermissiveRow("Наплавляемый слой");
    torchOn["Состав процеcса"] =
        QStringLiteral("Наклейка наплавляемого материала газовой горелкой");
    torchOn["Огнеопасность"] = 1;
    const auto findings = CheckCatalogueFile(write({PermissiveRow("Первый"), torchOn}));
    QVERIFY(!HasFaults(findings));
    const auto fire = std::find_if(findings.begin(), findings.end(), [](const auto& f) {
        return f.Column == QStringLiteral("Огнеопасность");
    });
    QVERIFY(fire != findings.end());
    QCOMPARE(fire->Level, TFindingLevel::Warning);
    QCOMPARE(fire->Row, 2);
    QVERIFY(FindingLine(*fire).startsWith(QStringLiteral("предупреждение: строка 2")));
}

QTEST_GUILESS_MAIN(CatalogueCheckTest)
#include "tst_catalogue_check.moc"
