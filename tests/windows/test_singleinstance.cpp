#include "app/SingleInstance.h"
#include "platform/runtime.h"
#include "support/rows.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace app;

using support::row;

// A later launch meets the copy that holds the data folder: through a Unix
// socket on Linux, a named pipe on Windows.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void laterLaunch_data();
    void laterLaunch();

private:
    QTemporaryDir m_runtime;
};

namespace {

QStringList locks(const QString &folder) {
    return QDir(folder).entryList({QStringLiteral("*.lock")}, QDir::Files);
}

} // namespace

void TestSingleInstance::initTestCase() {
    // Not the user's own runtime folder, where a running program may be.
    QVERIFY(m_runtime.isValid());
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestSingleInstance::laterLaunch_data() {
    QTest::addColumn<QString>("first"); // what the first copy does
    QTest::addColumn<bool>("toggle");   // the launch asks to toggle, not to show
    QTest::addColumn<bool>("handsOver");
    row("a copy that listens", "listens", false, true);
    row("a copy that listens, asked to toggle", "listens", true, true);
    row("a copy still starting", "listens late", false, true);
    row("a copy that has ended", "ends", false, false);
    row("a copy that has ended, garbage in its lock", "ends, garbage left", false, false);
}

void TestSingleInstance::laterLaunch() {
    QFETCH(QString, first);
    QFETCH(bool, toggle);
    QFETCH(bool, handsOver);
    QTemporaryDir data;
    const QString folder = platform::privateRuntimeFolder().path;
    QVERIFY(!folder.isEmpty());
    const QStringList before = locks(folder);

    auto running = std::make_unique<SingleInstance>(data.path());
    QVERIFY(!running->claim());
    int shown = 0, toggled = 0;
    connect(running.get(), &SingleInstance::showRequested, this, [&shown] { ++shown; });
    connect(running.get(), &SingleInstance::toggleRequested, this, [&toggled] { ++toggled; });
    if (first == u"listens") {
        running->listen();
    } else if (first == u"listens late") {
        QTimer::singleShot(500, running.get(), &SingleInstance::listen);
    } else {
        QStringList made = locks(folder);
        for (const QString &name : before)
            made.removeOne(name);
        QCOMPARE(made.size(), 1);
        running->listen();
        running.reset();
        if (first.endsWith(u"garbage left")) {
            QFile lock(folder + u'/' + made.first());
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write("\0lixo\n", 6);
        }
    }

    // The later launch waits in its own thread, as in its own process, while
    // this one answers.
    int status = -1; // -1: it starts
    std::unique_ptr<QThread> later(QThread::create([&status, &data, toggle] {
        SingleInstance launch(data.path());
        status =
            launch.claim(toggle ? SingleInstance::Request::Toggle : SingleInstance::Request::Show)
                .value_or(-1);
    }));
    later->start();
    QTRY_VERIFY_WITH_TIMEOUT(later->isFinished(), 20000);
    QCOMPARE(status, handsOver ? 0 : -1);
    QCOMPARE(shown, handsOver && !toggle ? 1 : 0);
    QCOMPARE(toggled, handsOver && toggle ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
