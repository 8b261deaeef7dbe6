#include "textconv.h"
#include "uexception.h"

#include <QtTest>

class TstUException : public QObject
{
    Q_OBJECT
private slots:
    void toStringHasThreeOrFourLines_data();
    void toStringHasThreeOrFourLines();
    void lineNumbersPrintPlainly();
    void macrosRecordConditionFileAndLine();
    void messageIsEvaluatedOnlyOnFailure();
    void copyKeepsAllFields();
    void whatIsTheBaseText();
    void chineseTextsAreWidenedFromUtf8();
    void replaceAllOnStdString();
    void replaceAllOnQString();
    void utf8RoundTripAndBadInput();
};

void TstUException::toStringHasThreeOrFourLines_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lines");
    QTest::newRow("no message") << QString() << 3;
    QTest::newRow("empty QString message") << QString("") << 3;
    QTest::newRow("with message") << QString("disk full") << 4;
}

void TstUException::toStringHasThreeOrFourLines()
{
    QFETCH(QString, message);
    QFETCH(int, lines);
    const UException e("a == b", message, "src/x.cpp", 42);
    const QString text = QString::fromStdWString(e.toString());
    QCOMPARE(text.count("\r\n"), lines);
    QVERIFY(text.endsWith("\r\n"));
    QVERIFY(text.startsWith("exception\r\nfile: src/x.cpp(42)\r\nexpress: a == b\r\n"));
    if (lines == 4)
        QVERIFY(text.endsWith("message: disk full\r\n"));
}

void TstUException::lineNumbersPrintPlainly()
{
    QVERIFY(UException("c", "f", 0).toString().find(L"f(0)\r\n") != std::wstring::npos);
    QVERIFY(UException("c", "f", -17).toString().find(L"f(-17)\r\n") != std::wstring::npos);
    QVERIFY(UException("c", std::wstring(), "f", 7).toString().find(L"message") == std::wstring::npos);
}

void TstUException::macrosRecordConditionFileAndLine()
{
    const int value = 3;
    try {
        U_ASSERT(value == 4);
        QFAIL("U_ASSERT did not throw");
    } catch (UException& e) {
        QCOMPARE(QString::fromStdWString(e.expression()), QString("value == 4"));
        QVERIFY(QString::fromStdWString(e.file()).endsWith("tst_uexception.cpp"));
        QCOMPARE(e.line(), __LINE__ - 5);
        QVERIFY(e.message().empty());
    }
    try {
        U_ASSERT_MSG(value < 0, QString("negative expected"));
        QFAIL("U_ASSERT_MSG did not throw");
    } catch (UException& e) {
        QCOMPARE(QString::fromStdWString(e.message()), QString("negative expected"));
    }
    try {
        U_ASSERT_MSG(value < 0, std::wstring(L"wide"));
        QFAIL("U_ASSERT_MSG did not throw");
    } catch (UException& e) {
        QCOMPARE(e.message(), std::wstring(L"wide"));
    }
}

void TstUException::messageIsEvaluatedOnlyOnFailure()
{
    int conditionCalls = 0;
    int messageCalls = 0;
    auto condition = [&] {
        ++conditionCalls;
        return true;
    };
    auto message = [&] {
        ++messageCalls;
        return QString("m");
    };
    U_ASSERT_MSG(condition(), message());
    QCOMPARE(conditionCalls, 1);
    QCOMPARE(messageCalls, 0);
}

void TstUException::copyKeepsAllFields()
{
    const UException original("x > 1", QString("msg"), "file.cpp", 99);
    const UException copy = original;
    QCOMPARE(copy.toString(), original.toString());
    QCOMPARE(copy.line(), 99);
}

void TstUException::whatIsTheBaseText()
{
    const UException e("x", QString("msg"), "f", 1);
    QCOMPARE(QByteArray(e.what()), QByteArray(std::exception().what()));
}

void TstUException::chineseTextsAreWidenedFromUtf8()
{
    const UException e("文件 == 1", QString("初始化"), "源/文件.cpp", 5);
    QCOMPARE(QString::fromStdWString(e.expression()), QString("文件 == 1"));
    QCOMPARE(QString::fromStdWString(e.file()), QString("源/文件.cpp"));
}

void TstUException::replaceAllOnStdString()
{
    QCOMPARE(replaceAll(std::string("op_document_insertPages"), "_", "."), std::string("op.document.insertPages"));
    QCOMPARE(replaceAll(std::string("bookmarksView"), "_", "."), std::string("bookmarksView"));
    // Continues after the inserted text, so a replacement containing the pattern terminates.
    QCOMPARE(replaceAll(std::string("a_b"), "_", "__"), std::string("a__b"));
}

void TstUException::replaceAllOnQString()
{
    QString text = "xx-ab-xx";
    replaceAll(text, "xx", "y");
    QCOMPARE(text, QString("y-ab-y"));
}

void TstUException::utf8RoundTripAndBadInput()
{
    const std::wstring wide = L"中文路径/文件.pdf \U0001F600";
    QCOMPARE(utf8ToWide(wideToUtf8(wide)), wide);
    QCOMPARE(wideToUtf8(L"é"), std::string("\xC3\xA9"));
    QVERIFY_EXCEPTION_THROWN(utf8ToWide(std::string("\xFF\xFE")), std::range_error);
}

QTEST_APPLESS_MAIN(TstUException)
#include "tst_uexception.moc"
