#include "core/names.h"
#include "core/recovery.h"
#include "core/textfolder.h"
#include "support/datafolder.h"
#include "support/rows.h"

#include <QTest>

using namespace core;
using support::row;

// What a title and an extension may be, the file names made of them, the
// list's order and the names of recovery copies.
class TestNames : public QObject {
    Q_OBJECT
private slots:
    // The nine characters the save window names are refused, typed or in a
    // pasted name, and so is a control character in a pasted name; every
    // other character is accepted, wherever it stands.
    void nameCharacters() {
        const QString named = QStringLiteral("\\/*:?\"<>|");
        QString wrong;
        for (char32_t u = 0; u <= 0xFFFF; ++u) {
            const QChar c{char16_t(u)};
            if (c.isSurrogate())
                continue;
            const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
            if (isForbiddenNameCharacter(c) != named.contains(c) ||
                hasForbiddenNameCharacter(QStringLiteral("a") + c + QStringLiteral("b")) !=
                    (named.contains(c) || control))
                wrong += QString::number(u, 16) + u' ';
        }
        QCOMPARE(wrong, QString());
        QVERIFY(!hasForbiddenNameCharacter(QString()));
    }

    void emptyTitles_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("emptyForSave");
        QTest::addColumn<bool>("emptyForRename");
        row("empty", "", true, true);
        row("spaces", "  ", true, true);
        row("dot", ".", false, true);
        row("dot in spaces", " . ", false, true);
        row("two dots", "..", false, false);
        row("title", " lista ", false, false);
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
        row("typed", "notasx", "txt", "notasx.txt", "notasx.txt");
        row("empty extension", "a", "", "a.txt", "a.txt");
        row("blank extension", "a", "   ", "a.txt", "a.txt");
        row("dot extension: a dot for Salvar, txt for Salvar como", "a", " . ", "a..", "a.txt");
        row("spaces trimmed", "  notas ", " md ", "notas.md", "notas.md");
        row("leading dot kept", "notas", ".md", "notas..md", "notas..md");
        row("title a dot", ".", "", "..txt", "..txt");
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
        row("plain", "notas.txt", "notas", "txt");
        row("last dot", "a.b.txt", "a.b", "txt");
        row("trailing dot", "abc.", "abc", "");
        row("no title", ".txt", "", "txt");
        row("no dot", "leia-me", "leia-me", "");
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
        row("case left aside", QStringList{"B.txt", "a.txt", "C.md"},
            QStringList{"a.txt", "B.txt", "C.md"});
        row("names differing in case keep a fixed order", QStringList{"nota.txt", "Nota.txt"},
            QStringList{"Nota.txt", "nota.txt"});
        row("dot names and folders among the rest", QStringList{"z.txt", "velhos", ".segredo.txt"},
            QStringList{".segredo.txt", "velhos", "z.txt"});
    }

    void listOrder() {
        QFETCH(QStringList, names);
        QTEST(sortedTextNames(names), "sorted");
    }

    void recoveryCopyNames_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("stem");
        row("a title", "Lembretes", "2026-12-07 14-05-09 Lembretes");
        row("no name", "", "2026-12-07 14-05-09");
        // A file name holds 255 bytes on Linux (and under Wine), 255 UTF-16
        // units on Windows; " (9999).txt" keeps its room.
        const QString date = "2026-12-07 14-05-09 ", smile = "\U0001F600";
        row("a long title is cut short", QString(300, u'a'), date + QString(224, u'a'));
        row("two bytes a letter", QString(300, u'ã'), date + QString(112, u'ã'));
        row("never in the middle of a character", smile.repeated(150), date + smile.repeated(56));
        row("a line break in a Linux name", "a\nb", date + "a b");
    }

    void recoveryCopyNames() {
        QFETCH(QString, title);
        const QDateTime when(QDate(2026, 12, 7), QTime(14, 5, 9));
        QTEST(recoveryCopyStem(when, title), "stem");
        QVERIFY(core::isSafeTextName(recoveryCopyStem(when, title) + " (9999).txt"));
    }
};

QTEST_APPLESS_MAIN(TestNames)
#include "test_names.moc"
