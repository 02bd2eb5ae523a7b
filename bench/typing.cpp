// bench_typing LINES [PRESSES]
//
// The time from one key press in the main window's text box to the window
// refitted to the text and repainted, on the offscreen platform: the program
// as it starts, a text of LINES lines in the box, the caret at its end, then
// PRESSES letter keys, each timed from the press to the end of the events it
// caused (textChanged runs AutoResize synchronously; the repaint is posted).
// Prints: typing LINES MEDIAN_MS MIN_MS MAX_MS MEDIAN_CPU_MS
#include "app/Program.h"
#include "benchdata.h"
#include "widgets/TextBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

using namespace app;

int main(int argc, char *argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_typing LINES [PRESSES]\n");
        return 2;
    }
    const int lines = std::atoi(argv[1]);
    const int presses = argc > 2 ? std::atoi(argv[2]) : 200;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    bench::prepareDataFolder(dir.path());

    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Program program(dir.path());
    program.start();
    QWidget *main = bench::strip();
    auto *box = main ? main->findChild<widgets::TextBox *>(QStringLiteral("Text1")) : nullptr;
    if (!box) {
        std::fprintf(stderr, "bench_typing: the main window has no text box Text1\n");
        return 1;
    }
    box->setText(bench::textOfLines(lines));
    box->moveCursor(QTextCursor::End);
    box->setFocus();
    // Start-up leaves work to other threads for a moment (the tray looks for a
    // session bus); a person starts typing later than that.
    QTest::qWait(500);
    if (box->document()->blockCount() < lines) {
        std::fprintf(stderr, "bench_typing: the text did not reach the box\n");
        return 1;
    }

    const int heightBefore = main->height();
    auto press = [&](int i) {
        QTest::keyClick(box, char('a' + i % 26));
        QApplication::processEvents();
    };
    // The first presses pay for lazily built things (glyph caches, the
    // backing store); they are not what a person typing feels.
    for (int i = 0; i < 5; ++i)
        press(i);
    QList<double> ms, cpuMs;
    QElapsedTimer timer;
    for (int i = 0; i < presses; ++i) {
        const double cpu = bench::processCpuMs();
        timer.start();
        press(i);
        ms.append(double(timer.nsecsElapsed()) / 1e6);
        cpuMs.append(bench::processCpuMs() - cpu);
    }
    const qsizetype typed = box->toPlainText().size();
    if (typed < lines) {
        std::fprintf(stderr, "bench_typing: the keys did not reach the box\n");
        return 1;
    }
    std::printf("typing %d %.3f %.3f %.3f %.3f\n", lines, bench::median(ms),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
                bench::median(cpuMs));
    std::fprintf(stderr, "window height %d -> %d px\n", heightBefore, main->height());
    return 0;
}
