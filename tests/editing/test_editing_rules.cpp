#include "editing/editing.h"

#include <QTest>

using namespace editing;

class TestEditingRules : public QObject {
    Q_OBJECT
private slots:
    void insertBullet_data();
    void insertBullet();
    void badgeStep_data();
    void badgeStep();
    void badgeRun();
    void keys_data();
    void keys();
    void quickSaveAction_data();
    void quickSaveAction();
};

void TestEditingRules::insertBullet_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCaret");

    const QString b = QStringLiteral("\u00B7 ");
    QTest::newRow("empty text") << QString() << 0 << b << 2;
    QTest::newRow("end of one line") << "abc" << 3 << "abc\r\n" + b << 7;
    QTest::newRow("start of second line") << "abc\r\ndef" << 5 << "abc\r\n" + b + "def" << 7;
    QTest::newRow("right after a bullet") << b << 2 << b + "\r\n" + b << 6;
    QTest::newRow("selection from 1 of four letters") << "abcd" << 1 << "a\r\n" + b + "bcd" << 5;
    QTest::newRow("very start of a text") << "abc" << 0 << b + "abc" << 2;
    QTest::newRow("middle of a second line")
        << "abc\r\ndef" << 6 << "abc\r\nd\r\n" + b + "ef" << 10;
    QTest::newRow("after a lone CR") << "abc\r" << 4 << "abc\r" + b << 6;
    QTest::newRow("after a lone LF") << "abc\n" << 4 << "abc\n" + b << 6;
    QTest::newRow("past the end") << "abc" << 10 << "abc\r\n" + b << 7;
    QTest::newRow("before the start") << "abc" << -3 << b + "abc" << 2;
}

void TestEditingRules::insertBullet() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, expected);
    QFETCH(int, expectedCaret);
    const TextWithCaret result = editing::insertBullet(text, caret);
    QCOMPARE(result.text, expected);
    QCOMPARE(result.caret, expectedCaret);
}

void TestEditingRules::badgeStep_data() {
    QTest::addColumn<QString>("counter");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("next");
    QTest::addColumn<bool>("visible");

    QTest::newRow("step 1") << "1" << 300 << "2" << true;
    QTest::newRow("step 2") << "2" << 1025 << "3" << true;
    QTest::newRow("step 3") << "3" << 1850 << "4" << true;
    // 2625 is set and undone within the step: the badge ends idle.
    QTest::newRow("step 4 ends the run") << "4" << 150 << "1" << false;
    QTest::newRow("counter past the run") << "5" << 150 << "1" << false;
    QTest::newRow("empty counter") << "" << 150 << "1" << false;
    QTest::newRow("not a number") << "x" << 150 << "1" << false;
}

void TestEditingRules::badgeStep() {
    QFETCH(QString, counter);
    QFETCH(int, width);
    QFETCH(QString, next);
    QFETCH(bool, visible);
    const BadgeStep step = editing::badgeStep(counter);
    QCOMPARE(step.widthTwips, width);
    QCOMPARE(step.counter, next);
    QCOMPARE(step.visible, visible);
}

void TestEditingRules::badgeRun() {
    // From idle, three visible steps, and the fourth ends where it started.
    QString counter = QStringLiteral("1");
    QList<int> widths;
    for (;;) {
        const BadgeStep step = editing::badgeStep(counter);
        counter = step.counter;
        if (!step.visible)
            break;
        widths << step.widthTwips;
        QVERIFY(widths.size() <= 3);
    }
    QCOMPARE(widths, (QList<int>{300, 1025, 1850}));
    QCOMPARE(counter, QStringLiteral("1"));
}

void TestEditingRules::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("quickSave");
    QTest::addColumn<bool>("selectAll");

    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << true << false;
    QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << (ctrl | Qt::ShiftModifier) << true << false;
    QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << (ctrl | Qt::AltModifier) << false << false;
    QTest::newRow("S") << int(Qt::Key_S) << Qt::KeyboardModifiers() << false << false;
    QTest::newRow("Alt+S") << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::AltModifier) << false
                           << false;
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << false << true;
    QTest::newRow("Ctrl+A on the keypad")
        << int(Qt::Key_A) << (ctrl | Qt::KeypadModifier) << false << true;
    QTest::newRow("Ctrl+Shift+A") << int(Qt::Key_A) << (ctrl | Qt::ShiftModifier) << false << false;
    QTest::newRow("Ctrl+Alt+A") << int(Qt::Key_A) << (ctrl | Qt::AltModifier) << false << false;
    QTest::newRow("Shift+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false
                             << false;
    QTest::newRow("Ctrl+D") << int(Qt::Key_D) << ctrl << false << false;
}

void TestEditingRules::keys() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, quickSave);
    QFETCH(bool, selectAll);
    QCOMPARE(isQuickSaveKey(key, modifiers), quickSave);
    QCOMPARE(isSelectAllKey(key, modifiers), selectAll);
}

void TestEditingRules::quickSaveAction_data() {
    QTest::addColumn<QString>("openName");
    QTest::addColumn<bool>("opensSaveWindow");
    QTest::newRow("no open text") << "*" << true;
    QTest::newRow("empty last line of config.txt") << "" << true;
    QTest::newRow("open text") << "notas.txt" << false;
    QTest::newRow("a name that only starts with *") << "*a.txt" << false;
}

void TestEditingRules::quickSaveAction() {
    QFETCH(QString, openName);
    QFETCH(bool, opensSaveWindow);
    QCOMPARE(editing::quickSaveAction(openName) == QuickSave::OpenSaveWindow, opensSaveWindow);
}

QTEST_APPLESS_MAIN(TestEditingRules)
#include "test_editing_rules.moc"
