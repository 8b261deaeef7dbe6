#include "scale.h"

#include <QtTest>

class TstScale : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { setScaleFactor(1.0f); }
    void ladderOfDpi_data();
    void ladderOfDpi();
    void scaledTruncates();
    void unchangedAtFactorOne();
    void fontSizesScaleOnce();
    void ladderAtOnePointSevenFive();
    void onlyTheExactFormIsTouched();
    void readStyleSheetOfMissingFileIsEmpty();
    void readStyleSheetScales();
};

void TstScale::ladderOfDpi_data()
{
    QTest::addColumn<double>("dpi");
    QTest::addColumn<float>("factor");
    QTest::newRow("96") << 96.0 << 1.0f;
    QTest::newRow("72 never below 1") << 72.0 << 1.0f;
    QTest::newRow("105.6 just above 1.1") << 105.6 << 1.25f;
    QTest::newRow("120") << 120.0 << 1.25f;
    QTest::newRow("134.4 just below 1.4") << 134.4 << 1.25f;
    QTest::newRow("144") << 144.0 << 1.5f;
    QTest::newRow("168") << 168.0 << 1.75f;
    QTest::newRow("172.8 just below 1.8") << 172.8 << 1.75f;
    QTest::newRow("192") << 192.0 << 2.0f;
    QTest::newRow("288") << 288.0 << 2.0f;
}

void TstScale::ladderOfDpi()
{
    QFETCH(double, dpi);
    QFETCH(float, factor);
    QCOMPARE(scaleFactorForDpi(dpi), factor);
}

void TstScale::scaledTruncates()
{
    QCOMPARE(scaled(22), 22);
    setScaleFactor(1.25f);
    QCOMPARE(scaled(22), 27);
    QCOMPARE(scaled(18), 22);
    setScaleFactor(1.5f);
    QCOMPARE(scaled(240), 360);
    QCOMPARE(scaled(58), 87);
}

void TstScale::unchangedAtFactorOne()
{
    const QString sheet = "QLabel{font-size: 16px;} QMenu{font-size: 14px;}";
    QCOMPARE(scaledStyleSheet(sheet), sheet);
}

void TstScale::fontSizesScaleOnce()
{
    setScaleFactor(1.25f);
    QCOMPARE(scaledStyleSheet("a{font-size: 26px;}"), QString("a{font-size: 32px;}"));
    QCOMPARE(scaledStyleSheet("a{font-size: 12px;}"), QString("a{font-size: 15px;}"));
    // 12 becomes 15, which must not then be scaled again as a 15.
    QCOMPARE(scaledStyleSheet("a{font-size: 15px;}b{font-size: 12px;}"),
             QString("a{font-size: 18px;}b{font-size: 15px;}"));
    QCOMPARE(scaledStyleSheet("font-size: 16px;x"), QString("font-size: 20px;x"));
}

void TstScale::ladderAtOnePointSevenFive()
{
    setScaleFactor(1.75f);
    const int sizes[] = {26, 24, 22, 20, 18, 16, 15, 14, 13, 12};
    const int expected[] = {45, 42, 38, 35, 31, 28, 26, 24, 22, 21};
    QString sheet;
    QString wanted;
    for (int i = 0; i < 10; ++i) {
        sheet += QString("s%1{font-size: %2px;}").arg(i).arg(sizes[i]);
        wanted += QString("s%1{font-size: %2px;}").arg(i).arg(expected[i]);
    }
    QCOMPARE(scaledStyleSheet(sheet), wanted);
}

void TstScale::onlyTheExactFormIsTouched()
{
    setScaleFactor(2.0f);
    const QString untouched = "a{font-size:14px;} b{font-size: 17px;} c{font-size: 14 px;} d{font-size: 14px}";
    QCOMPARE(scaledStyleSheet(untouched), untouched);
}

void TstScale::readStyleSheetOfMissingFileIsEmpty()
{
    QVERIFY(readStyleSheet("/nonexistent/sheet.css").isEmpty());
}

void TstScale::readStyleSheetScales()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write(QString("QLabel{font-size: 16px;color: 中;}").toUtf8());
    file.close();
    setScaleFactor(1.5f);
    QCOMPARE(readStyleSheet(file.fileName()), QString("QLabel{font-size: 24px;color: 中;}"));
}

QTEST_APPLESS_MAIN(TstScale)
#include "tst_scale.moc"
