#include "core/config.h"
#include "core/shortcut.h"
#include "support/rows.h"

#include <QTest>

using namespace core::config;
using support::row;

namespace {
RawValues valuesOf(const QStringList &lines) {
    RawValues v;
    for (int i = 0; i < lines.size() && i < LineCount; ++i)
        v[i] = lines[i];
    return v;
}
} // namespace

// config.txt: how its lines are read and accepted, and how they are written.
class TestConfig : public QObject {
    Q_OBJECT
private slots:
    void readsLinesByTheirEnds_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("values"); // "<missing>" marks a value past the end
        const QString missing = QStringLiteral("<missing>");
        row("CR LF", QByteArray("a\r\nb\r\n"), QStringList{"a", "b", "", missing});
        row("lone CR", QByteArray("a\rb\r"), QStringList{"a", "b", "", missing});
        row("lone LF stays inside", QByteArray("a\nb\n"), QStringList{"a\nb\n", "", missing});
        row("no final break", QByteArray("a\r\nb"), QStringList{"a", "b", "", missing});
        row("empty lines dropped", QByteArray("\r\n\r\na\r\n\r\nb\r\n"),
            QStringList{"a", "b", "", missing});
        row("blanks are not empty", QByteArray(" \r\nb\r\n"), QStringList{" ", "b", "", missing});
        row("empty file", QByteArray(), QStringList{"", missing});
        row("separator splits a line",
            QByteArray("a\x7f"
                       "b\r\n"),
            QStringList{"a", "b", "", missing});
        row("Windows-1252 byte", QByteArray("Op\xe7\xe3o\r\n"), QStringList{"Opção", "", missing});
    }

    void readsLinesByTheirEnds() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, values);
        const RawValues read = readValues(file);
        for (int i = 0; i < values.size() && i < LineCount; ++i) {
            if (values[i] == u"<missing>")
                QVERIFY2(!read[i], qPrintable(QString::number(i + 1)));
            else
                QCOMPARE(read[i].value_or("<missing>"), values[i]);
        }
    }

    void acceptsEachLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("accepted");
        const QStringList d = {"294", "140", "280", "90", "1", "2", "Arial", "1000|1000|1000|1000",
                               "*"};
        auto with = [&](int line, const QString &value) {
            QStringList l = d;
            l[line - 1] = value;
            return l;
        };
        row("width 200 is raised", with(1, "200"), 1, "294");
        row("width 400 stays", with(1, "400"), 1, "400");
        row("width keeps its text", with(1, " +400.50 "), 1, " +400.50 ");
        row("width not a number", with(1, "4OO"), 1, "294");
        row("width with exponent", with(1, "4e2"), 1, "294");
        row("width with comma", with(1, "400,5"), 1, "294");
        row("height min 100", with(2, "100"), 2, "140");
        row("a point without fraction digits", with(2, "150."), 2, "150.");
        row("max below min", QStringList{"294", "140", "120"}, 3, "140");
        row("max 1000", with(3, "1000"), 3, "1000");
        row("max against raised min", QStringList{"294", "50", "100"}, 3, "140");
        row("opacity 150", with(4, "150"), 4, "100");
        row("opacity -5", with(4, "-5"), 4, "100");
        row("opacity abc", with(4, "abc"), 4, "100");
        row("opacity 0", with(4, "0"), 4, "0");
        row("opacity 100", with(4, "100"), 4, "100");
        row("align 4", with(5, "4"), 5, "2");
        row("align 3", with(5, "3"), 5, "3");
        row("align 1.0", with(5, "1.0"), 5, "1.0");
        row("start 0", with(6, "0"), 6, "2");
        row("start 1", with(6, "1"), 6, "1");
        row("font lower case", with(7, "arial"), 7, "Arial");
        row("font Verdana", with(7, "Verdana"), 7, "Verdana");
        row("font MS Sans Serif", with(7, "MS Sans Serif"), 7, "MS Sans Serif");
        row("font missing", QStringList{"294"}, 7, "Arial");
    }

    void acceptsEachLine() {
        QFETCH(QStringList, lines);
        QFETCH(int, line);
        QFETCH(QString, accepted);
        const Accepted a = accept(valuesOf(lines));
        const QString got[] = {a.width, a.minHeight, a.maxHeight, a.transparency,
                               a.align, a.startMode, a.font};
        QCOMPARE(got[line - 1], accepted);
    }

    void defaultFileBytes() {
        QCOMPARE(fileText(defaultLines()),
                 QByteArray(
                     "294\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n"));
        // The default file reads back to the defaults.
        const Accepted a = accept(readValues(fileText(defaultLines())));
        QCOMPARE(a.width, "294");
        QCOMPARE(a.transparency, "90");
        QCOMPARE(a.align, "1");
        QCOMPARE(a.lastText.value_or("<missing>"), "*");
    }

    void emptiedFirstLineMovesEveryValueUp() {
        const Accepted a = accept(readValues(
            QByteArray("\r\n140\r\n280\r\n90\r\n1\r\n2\r\nArial\r\n1000|1000|1000|1000\r\n*\r\n")));
        QCOMPARE(a.width, "294");                       // "140" is below the minimum width
        QCOMPARE(a.transparency, "1");                  // an opacity of 1 %
        QCOMPARE(a.align, "2");                         // "2"
        QCOMPARE(a.lastText.value_or("<missing>"), ""); // the extra empty value: option on, no text
    }

    void positionsLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("parts"); // "<missing>" for a missing part
        row("four", "1|2|3|4", QStringList{"1", "2", "3", "4"});
        row("two", "1000|1000", QStringList{"1000", "1000", "<missing>", "<missing>"});
        row("extra parts ignored", "1|2|3|4|5", QStringList{"1", "2", "3", "4"});
        row("text kept as it is", "a|-15| 7 |", QStringList{"a", "-15", " 7 ", ""});
    }

    void positionsLine() {
        QFETCH(QString, line);
        QFETCH(QStringList, parts);
        const Accepted a = accept(valuesOf({"294", "140", "280", "90", "1", "2", "Arial", line}));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(a.positions[i].value_or("<missing>"), parts[i]);
    }

    void writesEveryCharacter() {
        // A name Windows-1252 cannot hold is kept: the file turns UTF-8 and reads back.
        auto lines = defaultLines();
        lines[8] = QStringLiteral("заметка ✓.txt");
        const QByteArray bytes = fileText(lines);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(accept(readValues(bytes)).lastText.value_or(""), lines[8]);
        lines[8] = QStringLiteral("ação €.txt");
        QVERIFY(fileText(lines).endsWith("a\xe7\xe3o \x80.txt\r\n"));
    }

    void writesNoLineBreakInAValue_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("read");
        row("a pasted line break", 3, "ab,-1\n5", "ab,-15");
        row("CR LF", 2, "1\r\n40", "140");
        row("the reader's separator", 7,
            "Ari\x7f"
            "al",
            "Arial");
    }

    void writesNoLineBreakInAValue() {
        QFETCH(int, line);
        QFETCH(QString, value);
        QFETCH(QString, read);
        auto lines = defaultLines();
        lines[line - 1] = value;
        const RawValues back = readValues(fileText(lines));
        QCOMPARE(back[line - 1].value_or("<missing>"), read);
        // Every later value stays on its own line.
        QCOMPARE(back[8].value_or("<missing>"), "*");
    }

    void writesLastText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        row("outside the BMP", "nota 🙂.txt", "nota 🙂.txt");
        row("a CR in the name", "c\rr.txt", "*");
        row("a byte that is not UTF-8", QString("b") + QChar(0xDCFF) + ".txt", "*");
    }

    void writesLastText() {
        QFETCH(QString, name);
        QFETCH(QString, line);
        QCOMPARE(core::config::lastTextLine(name), line);
    }

    // Line 10, which copies that stop at the ninth never see: read when it
    // is there, written back by the writer only when it holds something.
    void globalKeyLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("written"); // the file the writer makes from it
        const QByteArray nine = fileText(defaultLines());
        row("nine lines: none", nine, "", nine);
        row("ten lines", nine + "Ctrl+Alt+E\r\n", "Ctrl+Alt+E", nine + "Ctrl+Alt+E\r\n");
        row("spaces around", nine + " Ctrl+Alt+E \r\n", "Ctrl+Alt+E", nine + "Ctrl+Alt+E\r\n");
        row("empty lines before it are dropped", nine + "\r\n\r\nF12", "F12", nine + "F12\r\n");
        row("blank: none", nine + "  \r\n", "", nine);
        row("kept as typed, even when it names no key", nine + "Ctrl+Alt+\xc7\r\n", "Ctrl+Alt+Ç",
            nine + "Ctrl+Alt+\xc7\r\n");
        row("lines after the tenth are ignored", nine + "F12\r\nF11\r\n", "F12", nine + "F12\r\n");
        // A separator makes the ninth value empty, and the reader would drop
        // that line: written, the key would come back as the ninth value.
        const QByteArray eight = nine.left(nine.lastIndexOf("*\r\n"));
        row("an empty ninth value leaves the key out", eight + "\x7f" + "F12\r\n", "F12",
            eight + "\r\n");
    }

    void globalKeyLine() {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        const Accepted a = accept(readValues(file));
        QCOMPARE(a.globalKey, key);
        Lines lines = defaultLines();
        lines[8] = a.lastText.value_or("<missing>");
        QTEST(fileText(lines, a.globalKey), "written");
    }

    void keyCombination_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers"); // -1: not a combination the program takes
        QTest::addColumn<int>("key");
        const int ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        row("Ctrl+Alt+E", "Ctrl+Alt+E", ctrlAlt, int(Qt::Key_E));
        row("any case, spaces around", " ctrl + ALT + e ", ctrlAlt, int(Qt::Key_E));
        row("modifiers in any order", "Alt+Ctrl+E", ctrlAlt, int(Qt::Key_E));
        row("Meta and Shift", "Meta+Shift+N", int(Qt::MetaModifier | Qt::ShiftModifier),
            int(Qt::Key_N));
        row("a digit", "Ctrl+Alt+1", ctrlAlt, int(Qt::Key_1));
        row("a named key", "Ctrl+Alt+PgDown", ctrlAlt, int(Qt::Key_PageDown));
        row("Space", "Alt+Space", int(Qt::AltModifier), int(Qt::Key_Space));
        row("F12 alone", "F12", 0, int(Qt::Key_F12));
        row("F24 with Shift", "Shift+F24", int(Qt::ShiftModifier), int(Qt::Key_F24));
        row("Pause alone", "Pause", 0, int(Qt::Key_Pause));
        row("a letter alone would stop typing", "E", -1, 0);
        row("Shift and a letter would stop capitals", "Shift+E", -1, 0);
        row("an arrow alone", "Left", -1, 0);
        row("Esc alone", "Esc", -1, 0);
        row("modifiers only", "Ctrl+Alt", -1, 0);
        row("a modifier twice", "Ctrl+Ctrl+E", -1, 0);
        row("two keys", "Ctrl+E+F", -1, 0);
        row("a second sequence", "Ctrl+E, Ctrl+F", -1, 0);
        row("an empty part", "Ctrl++E", -1, 0);
        row("a key the program does not know", "Ctrl+Alt+Ç", -1, 0);
        row("F25", "F25", -1, 0);
        row("F0", "F0", -1, 0);
        row("F01", "F01", -1, 0);
        row("Fx", "Ctrl+Fx", -1, 0);
        row("Windows' name for Ctrl", "Control+E", -1, 0);
        row("empty", "", -1, 0);
    }

    void keyCombination() {
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(int, key);
        const std::optional<core::KeyCombination> parsed = core::parseKeyCombination(text);
        if (modifiers < 0) {
            QVERIFY(!parsed);
            return;
        }
        QVERIFY(parsed);
        QCOMPARE(int(parsed->modifiers), modifiers);
        QCOMPARE(int(parsed->key), key);
    }
};

QTEST_APPLESS_MAIN(TestConfig)
#include "test_config.moc"
