#include "store/namerules.h"

#include <QTest>

// The checks the save window makes on a title and an extension.
class TestNameRules : public QObject {
    Q_OBJECT
private slots:
    void typedCharacter_data();
    void typedCharacter();
    void boxText_data();
    void boxText();
    void emptyTitles_data();
    void emptyTitles();
    void renameName_data();
    void renameName();
};

void TestNameRules::typedCharacter_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<bool>("forbidden");
    const QString nine = QStringLiteral("\\/*:?\"<>|");
    for (QChar c : nine)
        QTest::newRow(qPrintable(QString(c))) << c << true;
    QTest::newRow("letter") << QChar(u'a') << false;
    QTest::newRow("dot") << QChar(u'.') << false;
    QTest::newRow("blank") << QChar(u' ') << false;
    QTest::newRow("accented") << QChar(u'ç') << false;
    // Typed control keys (backspace, Enter) pass the typing filter.
    QTest::newRow("backspace") << QChar(8) << false;
}

void TestNameRules::typedCharacter() {
    QFETCH(QChar, c);
    QFETCH(bool, forbidden);
    QCOMPARE(IsForbiddenNameCharacter(c), forbidden);
}

void TestNameRules::boxText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain title") << QStringLiteral("notas de março") << false;
    QTest::newRow("dots") << QStringLiteral("..") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("pasted path") << QStringLiteral("../config") << true;
    QTest::newRow("backslash") << QStringLiteral("a\\b") << true;
    QTest::newRow("last character") << QStringLiteral("ab|") << true;
    QTest::newRow("tab") << QStringLiteral("a\tb") << true;
    QTest::newRow("line break") << QStringLiteral("a\nb") << true;
    QTest::newRow("NUL") << QString(QChar(0)) << true;
    QTest::newRow("DEL") << QStringLiteral("a\x7f") << true;
}

void TestNameRules::boxText() {
    QFETCH(QString, text);
    QFETCH(bool, refused);
    QCOMPARE(HasForbiddenNameCharacter(text), refused);
}

void TestNameRules::emptyTitles_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("emptyForSave");
    QTest::addColumn<bool>("emptyForRename");
    QTest::newRow("empty") << QString() << true << true;
    QTest::newRow("spaces") << QStringLiteral("  ") << true << true;
    QTest::newRow("dot") << QStringLiteral(".") << false << true;
    QTest::newRow("dot in spaces") << QStringLiteral(" . ") << false << true;
    QTest::newRow("two dots") << QStringLiteral("..") << false << false;
    QTest::newRow("title") << QStringLiteral(" lista ") << false << false;
}

void TestNameRules::emptyTitles() {
    QFETCH(QString, title);
    QFETCH(bool, emptyForSave);
    QFETCH(bool, emptyForRename);
    QCOMPARE(IsEmptySaveTitle(title), emptyForSave);
    QCOMPARE(IsEmptyRenameTitle(title), emptyForRename);
}

void TestNameRules::renameName_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("name");
    QTest::newRow("typed") << QStringLiteral("notasx") << QStringLiteral("txt")
                           << QStringLiteral("notasx.txt");
    QTest::newRow("empty extension") << QStringLiteral("a") << QString() << QStringLiteral("a.txt");
    QTest::newRow("dot extension")
        << QStringLiteral("a") << QStringLiteral(".") << QStringLiteral("a.txt");
    QTest::newRow("dot in spaces")
        << QStringLiteral("a") << QStringLiteral(" . ") << QStringLiteral("a.txt");
    QTest::newRow("spaces trimmed")
        << QStringLiteral("  notas ") << QStringLiteral(" md ") << QStringLiteral("notas.md");
    QTest::newRow("leading dot kept")
        << QStringLiteral("notas") << QStringLiteral(".md") << QStringLiteral("notas..md");
}

void TestNameRules::renameName() {
    QFETCH(QString, title);
    QFETCH(QString, extension);
    QFETCH(QString, name);
    QCOMPARE(RenameTextFileName(title, extension), name);
}

QTEST_APPLESS_MAIN(TestNameRules)
#include "test_namerules.moc"
