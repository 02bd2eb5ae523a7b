#include "core/names.h"
#include "core/recovery.h"
#include "core/textfolder.h"

#include <QTest>

using namespace core;

// What a title and an extension may be, the file names made of them, the
// list's order and the names of recovery copies.
class TestNames : public QObject {
    Q_OBJECT
private slots:
    void typedCharacter_data();
    void typedCharacter();
    void boxText_data();
    void boxText();
    void emptyTitles_data();
    void emptyTitles();
    void fileNames_data();
    void fileNames();
    void splitsNames_data();
    void splitsNames();
    void listOrder_data();
    void listOrder();
    void recoveryCopyNames_data();
    void recoveryCopyNames();
};

void TestNames::typedCharacter_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<bool>("forbidden");
    for (QChar c : QStringLiteral("\\/*:?\"<>|"))
        QTest::newRow(qPrintable(QString(c))) << c << true;
    QTest::newRow("letter") << QChar(u'a') << false;
    QTest::newRow("dot") << QChar(u'.') << false;
    QTest::newRow("blank") << QChar(u' ') << false;
    QTest::newRow("accented") << QChar(u'ç') << false;
    // Typed control keys (backspace, Enter) pass the typing filter.
    QTest::newRow("backspace") << QChar(8) << false;
}

void TestNames::typedCharacter() {
    QFETCH(QChar, c);
    QTEST(isForbiddenNameCharacter(c), "forbidden");
}

void TestNames::boxText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::newRow("plain title") << "notas de março" << false;
    QTest::newRow("dots") << ".." << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("pasted path") << "../config" << true;
    QTest::newRow("backslash") << "a\\b" << true;
    QTest::newRow("last character") << "ab|" << true;
    QTest::newRow("tab") << "a\tb" << true;
    QTest::newRow("line break") << "a\nb" << true;
    QTest::newRow("NUL") << QString(QChar(0)) << true;
    QTest::newRow("DEL") << "a\x7f" << true;
}

void TestNames::boxText() {
    QFETCH(QString, text);
    QTEST(hasForbiddenNameCharacter(text), "refused");
}

void TestNames::emptyTitles_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("emptyForSave");
    QTest::addColumn<bool>("emptyForRename");
    QTest::newRow("empty") << "" << true << true;
    QTest::newRow("spaces") << "  " << true << true;
    QTest::newRow("dot") << "." << false << true;
    QTest::newRow("dot in spaces") << " . " << false << true;
    QTest::newRow("two dots") << ".." << false << false;
    QTest::newRow("title") << " lista " << false << false;
}

void TestNames::emptyTitles() {
    QFETCH(QString, title);
    QTEST(isEmptySaveTitle(title), "emptyForSave");
    QTEST(isEmptyRenameTitle(title), "emptyForRename");
}

void TestNames::fileNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<QString>("renameName");
    QTest::newRow("typed") << "notasx"
                           << "txt"
                           << "notasx.txt"
                           << "notasx.txt";
    QTest::newRow("empty extension") << "a"
                                     << ""
                                     << "a.txt"
                                     << "a.txt";
    QTest::newRow("blank extension") << "a"
                                     << "   "
                                     << "a.txt"
                                     << "a.txt";
    QTest::newRow("dot extension: a dot for Salvar, txt for Salvar como") << "a"
                                                                          << " . "
                                                                          << "a.."
                                                                          << "a.txt";
    QTest::newRow("spaces trimmed") << "  notas "
                                    << " md "
                                    << "notas.md"
                                    << "notas.md";
    QTest::newRow("leading dot kept") << "notas"
                                      << ".md"
                                      << "notas..md"
                                      << "notas..md";
    QTest::newRow("title a dot") << "."
                                 << ""
                                 << "..txt"
                                 << "..txt";
}

void TestNames::fileNames() {
    QFETCH(QString, title);
    QFETCH(QString, extension);
    QTEST(makeTextFileName(title, extension), "saveName");
    QTEST(renameTextFileName(title, extension), "renameName");
}

void TestNames::splitsNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("extension");
    QTest::newRow("plain") << "notas.txt"
                           << "notas"
                           << "txt";
    QTest::newRow("last dot") << "a.b.txt"
                              << "a.b"
                              << "txt";
    QTest::newRow("trailing dot") << "abc."
                                  << "abc"
                                  << "";
    QTest::newRow("no title") << ".txt"
                              << ""
                              << "txt";
    QTest::newRow("no dot") << "leia-me"
                            << "leia-me"
                            << "";
}

void TestNames::splitsNames() {
    QFETCH(QString, name);
    const TextFileName split = splitTextFileName(name);
    QTEST(split.title, "title");
    QTEST(split.extension, "extension");
}

void TestNames::listOrder_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("case left aside")
        << QStringList{"B.txt", "a.txt", "C.md"} << QStringList{"a.txt", "B.txt", "C.md"};
    QTest::newRow("names differing in case keep a fixed order")
        << QStringList{"nota.txt", "Nota.txt"} << QStringList{"Nota.txt", "nota.txt"};
    QTest::newRow("dot names and folders among the rest")
        << QStringList{"z.txt", "velhos", ".segredo.txt"}
        << QStringList{".segredo.txt", "velhos", "z.txt"};
}

void TestNames::listOrder() {
    QFETCH(QStringList, names);
    QTEST(sortedTextNames(names), "sorted");
}

void TestNames::recoveryCopyNames_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("stem");
    QTest::newRow("a title") << "Lembretes"
                             << "2026-12-07 14-05-09 Lembretes";
    QTest::newRow("a new text") << "*"
                                << "2026-12-07 14-05-09";
    QTest::newRow("no name") << ""
                             << "2026-12-07 14-05-09";
}

void TestNames::recoveryCopyNames() {
    QFETCH(QString, title);
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 5, 9));
    QTEST(recoveryCopyStem(when, title), "stem");
}

QTEST_APPLESS_MAIN(TestNames)
#include "test_names.moc"
