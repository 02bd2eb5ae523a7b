#include "core/names.h"
#include "core/recovery.h"
#include "core/textfolder.h"
#include "support/datafolder.h"

#include <QTest>

using namespace core;

// What a title and an extension may be, the file names made of them, the
// list's order and the names of recovery copies.
class TestNames : public QObject {
    Q_OBJECT
private slots:
    void typedCharacter_data() {
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

    void typedCharacter() {
        QFETCH(QChar, c);
        QTEST(isForbiddenNameCharacter(c), "forbidden");
    }

    void boxText_data() {
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

    void boxText() {
        QFETCH(QString, text);
        QTEST(hasForbiddenNameCharacter(text), "refused");
    }

    void emptyTitles_data() {
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

    void emptyTitles() {
        QFETCH(QString, title);
        QTEST(isEmptySaveTitle(title), "emptyForSave");
        QTEST(isEmptyRenameTitle(title), "emptyForRename");
    }

    void fileNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("saveName");
        QTest::addColumn<QString>("renameName");
        support::stringRows({
            {"typed", "notasx", "txt", "notasx.txt", "notasx.txt"},
            {"empty extension", "a", "", "a.txt", "a.txt"},
            {"blank extension", "a", "   ", "a.txt", "a.txt"},
            {"dot extension: a dot for Salvar, txt for Salvar como", "a", " . ", "a..", "a.txt"},
            {"spaces trimmed", "  notas ", " md ", "notas.md", "notas.md"},
            {"leading dot kept", "notas", ".md", "notas..md", "notas..md"},
            {"title a dot", ".", "", "..txt", "..txt"},
        });
    }

    void fileNames() {
        QFETCH(QString, title);
        QFETCH(QString, extension);
        QTEST(makeTextFileName(title, extension), "saveName");
        QTEST(renameTextFileName(title, extension), "renameName");
    }

    void splitsNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("extension");
        support::stringRows({
            {"plain", "notas.txt", "notas", "txt"},
            {"last dot", "a.b.txt", "a.b", "txt"},
            {"trailing dot", "abc.", "abc", ""},
            {"no title", ".txt", "", "txt"},
            {"no dot", "leia-me", "leia-me", ""},
        });
    }

    void splitsNames() {
        QFETCH(QString, name);
        const TextFileName split = splitTextFileName(name);
        QTEST(split.title, "title");
        QTEST(split.extension, "extension");
    }

    void listOrder_data() {
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

    void listOrder() {
        QFETCH(QStringList, names);
        QTEST(sortedTextNames(names), "sorted");
    }

    void recoveryCopyNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("stem");
        support::stringRows({
            {"a title", "Lembretes", "2026-12-07 14-05-09 Lembretes"},
            {"a new text", "*", "2026-12-07 14-05-09"},
            {"no name", "", "2026-12-07 14-05-09"},
        });
    }

    void recoveryCopyNames() {
        QFETCH(QString, title);
        const QDateTime when(QDate(2026, 12, 7), QTime(14, 5, 9));
        QTEST(recoveryCopyStem(when, title), "stem");
    }
};

QTEST_APPLESS_MAIN(TestNames)
#include "test_names.moc"
