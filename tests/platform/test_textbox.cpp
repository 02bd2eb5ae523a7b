#include "platform/files.h"
#include "platform/widgets.h"
#include "store/textfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

// A text opened into the real text box and saved again without an edit
// keeps every byte of its file.
class TestTextBox : public QObject {
    Q_OBJECT
private slots:
    void roundTripKeepsTheBytes_data();
    void roundTripKeepsTheBytes();
};

void TestTextBox::roundTripKeepsTheBytes_data() {
    QTest::addColumn<QByteArray>("file");
    QByteArray every;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            every += char(b);
    QTest::newRow("every Windows-1252 character") << every + "\r\n";
    QTest::newRow("a no-break space") << QByteArray("a\xA0"
                                                    "b\r\n");
    const QString breakers = QStringLiteral("a\u00A0b\u2028c\u2029d\uFDD0e\uFDD1f\r\n");
    QTest::newRow("paragraph, line and frame marks in UTF-8")
        << QByteArray("\xEF\xBB\xBF") + breakers.toUtf8();
    QTest::newRow("beside the characters that stand in for them")
        << QByteArray("\xEF\xBB\xBF") + (QStringLiteral("\uFDD2\uFDD3\uE000") + breakers).toUtf8();
    QTest::newRow("several lines") << QByteArray("um\r\n\r\ndois\xA0\r\n");
}

void TestTextBox::roundTripKeepsTheBytes() {
    QFETCH(QByteArray, file);
    QDir(platform::appFolderPath()).removeRecursively();
    QVERIFY(EnsureTextFolder());
    QFile f(TextFolderPath() + "/t.txt");
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    platform::TextBox box(nullptr);
    box.setText(ReadTextFile("t.txt").value_or("<none>"));
    QVERIFY(WriteTextFile("t.txt", box.text()));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), file);
}

QTEST_MAIN(TestTextBox)
#include "test_textbox.moc"
