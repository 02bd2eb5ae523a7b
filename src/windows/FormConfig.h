#pragma once

#include "windows/SideWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The side window that shows the settings the program runs with and writes
// them to config.txt for the next start. Its chkLast is the run-long switch
// that reopens the last text, which the core holds.
class FormConfig : public SideWindow {
    Q_OBJECT
public:
    explicit FormConfig(core::AppCore &core);

    // The strip's btnConfig: the boxes from the values the program runs with
    // (discarding unsaved edits), then opened beside the strip.
    void fillAndShow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void save();

    QLineEdit *txtLargura;
    QLineEdit *txtAlturaMin;
    QLineEdit *txtAlturaMax;
    QLineEdit *txtTransparencia;
    QRadioButton *OptAlignEsq;
    QRadioButton *OptAlignCenter;
    QRadioButton *OptAlignDir;
    QRadioButton *optIniSim;
    QRadioButton *optIniNao;
    QComboBox *Combo1;
    QPushButton *btnSave;
    QCheckBox *chkLast;
};
