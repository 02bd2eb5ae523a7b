#include "core/textfolder.h"
#include "support/datafolder.h"
#include "support/rows.h"
#include "widgets/TextBox.h"
#include "widgets/fitting.h"
#include "widgets/pictures.h"

#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using support::row;

// The shared widgets where they do more than Qt's: the text box keeps
// every character of a text, a path in a notice keeps its file name, and
// the pictures come ready to show.
class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void textBoxRoundTripKeepsTheBytes_data() {
        QTest::addColumn<QByteArray>("file");
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            if (b != '\r' && b != '\n')
                every += char(b);
        row("every Windows-1252 character", every + "\r\n");
        row("a no-break space", QByteArray("a\xA0"
                                           "b\r\n"));
        const QString breakers = QStringLiteral("a\u00A0b\u2028c\u2029d\uFDD0e\uFDD1f\r\n");
        row("paragraph, line and frame marks in UTF-8",
            QByteArray("\xEF\xBB\xBF") + breakers.toUtf8());
        row("beside the characters that stand in for them",
            QByteArray("\xEF\xBB\xBF") +
                (QStringLiteral("\uFDD2\uFDD3\uE000") + breakers).toUtf8());
        row("several lines", QByteArray("um\r\n\r\ndois\xA0\r\n"));
    }

    // A text opened into the real text box and saved again without an edit.
    void textBoxRoundTripKeepsTheBytes() {
        QFETCH(QByteArray, file);
        support::DataFolder data;
        data.putText("t.txt", file);
        const core::TextFolder folder(data.file("textos"));
        widgets::TextBox box(nullptr);
        const std::optional<core::TextFile> read = folder.read("t.txt");
        QVERIFY(read);
        box.setText(read->text);
        QVERIFY(folder.write("t.txt", box.text()));
        QCOMPARE(data.textBytes("t.txt"), file);
    }

    void picturesComeReady_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<qreal>("scale");
        for (const QString &name : QDir(QStringLiteral(":/icons")).entryList({"*.svg"}))
            for (const qreal scale : {1.0, 2.0})
                QTest::addRow("%s at %gx", qPrintable(name), scale)
                    << QStringLiteral(":/icons/") + name << scale;
    }

    // Every picture comes drawn by the build at its own size, as its SVG
    // draws it; another scale is left to the SVG.
    void picturesComeReady() {
        QFETCH(QString, picture);
        QFETCH(qreal, scale);
        const QSize size = QImageReader(picture).size();
        const QPixmap ready = widgets::readyPicture(picture, scale);
        QVERIFY(!ready.isNull());
        QCOMPARE(ready.deviceIndependentSize(), QSizeF(size));
        QCOMPARE(ready.devicePixelRatio(), scale);
        QPixmap drawn(size * scale);
        drawn.setDevicePixelRatio(scale);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        QSvgRenderer(picture).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        const auto pixels = [](const QPixmap &p) {
            return p.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        QCOMPARE(pixels(ready), pixels(drawn));
        QVERIFY(widgets::readyPicture(picture, 1.5).isNull());
    }

    void fitPath_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("whole"); // the path as it is
        const QString folders = "/home/maria.fernanda/.local/share/corvale-scrivulets/textos/";
        const QString unreadable = "Não foi possível abrir o arquivo ", missing = "este arquivo ";
        // The list window's notice is one line of 273 pixels.
        row("short: as it is", missing, "/t/notas.txt", " não existe", 400, 3, true);
        row("long, one line: the folders' middle goes", missing, folders + "lista de compras.txt",
            " não existe", 273, 1, false);
        row("long, after a long message", unreadable, folders + "notas.txt", "", 273, 1, false);
        row("long, three lines: as it is", unreadable, folders + "notas.txt", "", 400, 3, true);
        row("a name wider than the line: its middle goes too", missing,
            folders + QString(80, u'n') + ".txt", " não existe", 273, 1, false);
    }

    void fitPath() {
        QFETCH(QString, before);
        QFETCH(QString, path);
        QFETCH(QString, after);
        QFETCH(int, width);
        QFETCH(int, lines);
        QFETCH(bool, whole);
        QFont bold("Arial");
        bold.setPointSizeF(8.25);
        bold.setBold(true);
        const QString fitted = widgets::fitPath(bold, before, path, after, width, lines);
        // Within `lines` lines of a word-wrapped label of that width: no
        // taller than that many lines, no word sticking out.
        QLabel probe;
        probe.setFont(bold);
        probe.setWordWrap(true);
        probe.setText(QStringList(lines, "x").join(u'\n'));
        const int tallest = probe.heightForWidth(width);
        const auto fits = [&](const QString &text) {
            probe.setText(text);
            return probe.heightForWidth(width) <= tallest &&
                   probe.minimumSizeHint().width() <= width;
        };
        QVERIFY2(fits(fitted), qPrintable(fitted));
        QVERIFY(fitted.startsWith(before) && fitted.endsWith(after));
        if (whole)
            QCOMPARE(fitted, before + path + after);
        else
            QVERIFY2(fitted.contains(QChar(0x2026)), qPrintable(fitted));
        // The file name stays whole wherever the folders can make room for it.
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        if (fits(before + QChar(0x2026) + name + after))
            QVERIFY2(fitted.endsWith(name + after), qPrintable(fitted));
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
