#include "core/editing.h"
#include "support/rows.h"

#include <QTest>

using namespace core::editing;
using support::row;

// The text box's own rules: bullets and the two keys.
class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void insertBullet_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("expectedCaret");
        const QString b = Bullet;
        row("empty text", QString(), 0, b, 2);
        row("end of one line", "abc", 3, "abc\r\n" + b, 7);
        row("start of second line", "abc\r\ndef", 5, "abc\r\n" + b + "def", 7);
        row("right after a bullet", b, 2, b + "\r\n" + b, 6);
        row("selection from 1 of four letters", "abcd", 1, "a\r\n" + b + "bcd", 5);
        row("very start of a text", "abc", 0, b + "abc", 2);
        row("middle of a second line", "abc\r\ndef", 6, "abc\r\nd\r\n" + b + "ef", 10);
        row("after a lone CR", "abc\r", 4, "abc\r" + b, 6);
        row("after a lone LF", "abc\n", 4, "abc\n" + b, 6);
        row("past the end", "abc", 10, "abc\r\n" + b, 7);
        row("before the start", "abc", -3, b + "abc", 2);
    }

    void insertBullet() {
        QFETCH(QString, text);
        QFETCH(int, caret);
        const TextWithCaret result = core::editing::insertBullet(text, caret);
        QTEST(result.text, "expected");
        QTEST(result.caret, "expectedCaret");
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("quickSave");
        QTest::addColumn<bool>("selectAll");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, none;
        row("Ctrl+S", int(Qt::Key_S), ctrl, true, false);
        row("Ctrl+Shift+S", int(Qt::Key_S), (ctrl | Qt::ShiftModifier), true, false);
        row("Ctrl+Alt+S", int(Qt::Key_S), (ctrl | Qt::AltModifier), false, false);
        row("S", int(Qt::Key_S), none, false, false);
        row("Alt+S", int(Qt::Key_S), (none | Qt::AltModifier), false, false);
        row("Ctrl+A", int(Qt::Key_A), ctrl, false, true);
        row("Ctrl+A on the keypad", int(Qt::Key_A), (ctrl | Qt::KeypadModifier), false, true);
        row("Ctrl+Shift+A", int(Qt::Key_A), (ctrl | Qt::ShiftModifier), false, false);
        row("Ctrl+Alt+A", int(Qt::Key_A), (ctrl | Qt::AltModifier), false, false);
        row("Shift+A", int(Qt::Key_A), (none | Qt::ShiftModifier), false, false);
        row("Ctrl+D", int(Qt::Key_D), ctrl, false, false);
    }

    void keys() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QTEST(isQuickSaveKey(key, modifiers), "quickSave");
        QTEST(isSelectAllKey(key, modifiers), "selectAll");
    }
};

QTEST_APPLESS_MAIN(TestEditing)
#include "test_editing.moc"
