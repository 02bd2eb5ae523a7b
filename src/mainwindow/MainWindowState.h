#pragma once

#include <QString>

// The main window's settings and run-time state. Values stay text, because the
// config writers write back the accepted text unchanged ("300" stays "300").
// Widths and positions are twips, heights of the text box pixels.
struct MainWindowState {
    QString lblMyWidth = QStringLiteral("4410"); // base width
    QString lblResize;                           // configured width, or width at collapse
    QString lblWidth;                            // width to return to after maximize
    QString lblPos = QStringLiteral("300");      // left edge to return to after maximize
    QString lblMaxMin = QStringLiteral("min");   // "min" or "max"
    QString lblPosLeft;                          // left edge at the last position save
    QString lblTxtMin;
    QString lblTxtMax;
    QString lblTransparencia = QStringLiteral("90");
    QString lblFont = QStringLiteral("arial");
    QString lblAlignValue = QStringLiteral("2");
    QString lblOptIni;
    QString lblCheckTop = QStringLiteral("0");
    QString lblSave;                            // open text's file name, or "*"
    QString lblTmrSaving = QStringLiteral("1"); // saving badge step, "1" to "5"
    QString lblIniLeftMin = QStringLiteral("0");
    QString lblIniTopMin = QStringLiteral("0");
    QString lblIniLeftMax = QStringLiteral("0");
    QString lblIniTopMax = QStringLiteral("0");
};
