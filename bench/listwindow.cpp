// bench_listwindow [TEXTS] [MEGABYTES]
//
// The list window on a text folder of TEXTS texts, on the offscreen platform:
// the time from the toolbar's request to the window shown with its list
// filled, then the time to open a MEGABYTES text from it as a person does
// (the item selected, Enter pressed) up to the main window refitted to it.
// Prints: list TEXTS OPEN_MS BIG_OPEN_MS OPEN_CPU_MS BIG_OPEN_CPU_MS
#include "app/Program.h"
#include "benchdata.h"
#include "widgets/TextBox.h"
#include "windows/SideWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

using namespace windows;
using namespace app;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[]) {
    const int texts = argc > 1 ? std::atoi(argv[1]) : 10000;
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 5;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    const QString folder = bench::prepareDataFolder(dir.path());
    const QString bigName = QStringLiteral("grande.txt");
    const QByteArray big = bench::textOfSize(qsizetype(megabytes * 1024 * 1024));
    if (!writeFile(folder + u'/' + bigName, big))
        return 1;
    for (int i = 1; i < texts; ++i) {
        if (!writeFile(folder + QStringLiteral("/texto %1.txt").arg(i, 5, 10, QLatin1Char('0')),
                       QByteArrayLiteral("ligar para o cliente\r\n")))
            return 1;
    }

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Program program(dir.path());
    program.start();
    // As in bench_typing: what start-up leaves to other threads is done first.
    QTest::qWait(500);

    QElapsedTimer timer;
    double cpu = bench::processCpuMs();
    timer.start();
    program.openListWindow();
    const double builtMs = double(timer.nsecsElapsed()) / 1e6;
    QApplication::processEvents();
    const double openMs = double(timer.nsecsElapsed()) / 1e6;
    const double openCpuMs = bench::processCpuMs() - cpu;
    SideWindow *window = program.sideWindow(core::Side::List);
    auto *list = window ? window->findChild<QListWidget *>(QStringLiteral("List1")) : nullptr;
    if (!list || list->count() != texts || !window->isVisible()) {
        std::fprintf(stderr, "bench_listwindow: the list window did not list %d texts\n", texts);
        return 1;
    }

    const QList<QListWidgetItem *> found = list->findItems(bigName, Qt::MatchExactly);
    if (found.size() != 1)
        return 1;
    list->setCurrentItem(found.first());
    QApplication::processEvents();
    cpu = bench::processCpuMs();
    timer.start();
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    const double bigMs = double(timer.nsecsElapsed()) / 1e6;
    const double bigCpuMs = bench::processCpuMs() - cpu;
    const QWidget *main = bench::strip();
    const auto *box = main ? main->findChild<widgets::TextBox *>(QStringLiteral("Text1")) : nullptr;
    if (!box || box->document()->characterCount() < big.size() / 2) {
        std::fprintf(stderr, "bench_listwindow: the big text did not reach the main window\n");
        return 1;
    }
    std::printf("list %d %.3f %.3f %.3f %.3f\n", texts, openMs, bigMs, openCpuMs, bigCpuMs);
    // Where the opening goes: building the window and its list, then its
    // first layout and paint.
    std::fprintf(stderr, "list window built in %.1f ms, shown and painted in %.1f ms\n", builtMs,
                 openMs - builtMs);
    return 0;
}
