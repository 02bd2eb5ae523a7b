#include "editing/editingtesting.h"
#include "mainwindow/FormMain.h"
#include "startup/Program.h"
#include "store/FormList.h"
#include "store/FormSave.h"
#include "store/textfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace editingtesting;

// Bad surroundings: folders and files the program cannot write, names from
// every script, texts far larger than a note. Nothing may be lost or crash.
class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dataFolderThatCannotBeCreated();
    void readOnlyTextFolderKeepsTheText();
    void readOnlyConfigIsReported();
    void namesFromEveryScript_data();
    void namesFromEveryScript();
    void hugeText();
    void tenThousandTexts();

private:
    QByteArray m_dataHome;
};

void TestFaults::init() {
    m_dataHome = qgetenv("XDG_DATA_HOME");
    freshDataFolder();
}

void TestFaults::cleanup() {
    qputenv("XDG_DATA_HOME", m_dataHome);
    // Let the next test clean up what this one marked read-only.
    QFile::setPermissions(TextFolderPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(config::configPath(), QFile::ReadOwner | QFile::WriteOwner);
}

void TestFaults::dataFolderThatCannotBeCreated() {
    // A file where the data folder's parent should be.
    writeBytes(QString::fromLocal8Bit(m_dataHome) + "/blocker", "x");
    qputenv("XDG_DATA_HOME", m_dataHome + "/blocker");
    Program p;
    p.start();
    QVERIFY(p.main().isVisible());
    QCOMPARE(p.main().width(), 294);
    QCOMPARE(p.main().state.lblTxtMin, "140");
    QCOMPARE(p.main().state.lblSave, "");
    QVERIFY(!QFileInfo::exists(config::configPath()));
}

void TestFaults::readOnlyTextFolderKeepsTheText() {
    writeConfig({{9, "notas.txt"}});
    writeBytes(textPath("notas.txt"), "antes\r\n");
    Program p;
    p.start();
    QFile::setPermissions(TextFolderPath(), QFile::ReadOwner | QFile::ExeOwner);
    FormMain &m = p.main();
    QTest::keyClicks(m.Text1, "novo ");
    MessageBoxes boxes;
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.texts[0], "Não foi possível salvar o arquivo " + TextFilePath("notas.txt"));
    QCOMPARE(fileBytes(textPath("notas.txt")), QByteArray("antes\r\n"));
    QCOMPARE(m.Text1->text(), "novo antes\r\n");
    QCOMPARE(m.state.lblSave, "notas.txt");
}

void TestFaults::readOnlyConfigIsReported() {
    writeConfig({});
    const QByteArray before = fileBytes(config::configPath());
    QFile::setPermissions(config::configPath(), QFile::ReadOwner);
    Program p;
    p.start();
    MessageBoxes boxes;
    QTest::mouseClick(p.main().btnPosicao, Qt::LeftButton);
    QTRY_COMPARE(boxes.texts.size(), 1);
    QCOMPARE(boxes.texts[0],
             "Não foi possível salvar o arquivo " + platform::displayPath(config::configPath()));
    QCOMPARE(fileBytes(config::configPath()), before);
}

void TestFaults::namesFromEveryScript_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("accents and spaces") << "Lista de compras – ação"
                                        << "pão\r\nfeijão";
    QTest::newRow("outside Windows-1252") << "Заметки ✓ 笔记"
                                          << "Привет ✓";
    QTest::newRow("leading dot") << ".oculto"
                                 << "x";
}

void TestFaults::namesFromEveryScript() {
    QFETCH(QString, title);
    QFETCH(QString, text);
    const QString name = title + ".txt";
    {
        Program p;
        p.start();
        p.reopenLastText = true;
        p.main().Text1->setText(text);
        p.openSaveWindow();
        auto *save = qobject_cast<FormSave *>(p.sideWindow(Program::Side::Save));
        QVERIFY(save);
        save->txtFileName->setText(title);
        QTest::mouseClick(save->btnSave, Qt::LeftButton);
        QCOMPARE(p.main().state.lblSave, name);
        QCOMPARE(ReadTextFile(name).value_or("<none>"), text + "\r\n");
        // The positions button records the open text for the next start.
        QTest::mouseClick(p.main().btnPosicao, Qt::LeftButton);
    }
    Program again;
    again.start();
    QCOMPARE(again.main().state.lblSave, name);
    QCOMPARE(again.main().Text1->text(), text + "\r\n");
}

void TestFaults::hugeText() {
    // 50 MB in 500,000 lines: opened at start, saved again unchanged.
    QByteArray line(98, 'a');
    line += "\r\n";
    const QByteArray bytes = line.repeated(500'000);
    writeBytes(textPath("grande.txt"), bytes);
    writeConfig({{9, "grande.txt"}});
    Program p;
    p.start();
    FormMain &m = p.main();
    QCOMPARE(m.Text1->text().size(), bytes.size());
    QCOMPARE(m.Text1->height(), 280);
    QCOMPARE(m.Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTest::keyClick(m.Text1, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fileBytes(textPath("grande.txt")), bytes);
}

void TestFaults::tenThousandTexts() {
    QVERIFY(EnsureTextFolder());
    for (int i = 0; i < 10'000; ++i)
        writeBytes(textPath(QStringLiteral("nota %1.txt").arg(i, 5, 10, QChar(u'0'))), "x");
    writeBytes(textPath("nota 04242.txt"), "a nota certa");
    Program p;
    p.start();
    p.openListWindow();
    auto *list = qobject_cast<FormList *>(p.sideWindow(Program::Side::List));
    QVERIFY(list);
    QCOMPARE(list->List1->count(), 10'000);
    QCOMPARE(list->List1->item(0)->text(), "nota 00000.txt");
    list->List1->setCurrentRow(4242);
    QTest::keyClick(list->List1, Qt::Key_Return);
    QCOMPARE(p.main().Text1->text(), "a nota certa\r\n");
    QCOMPARE(p.main().state.lblSave, "nota 04242.txt");
}

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
