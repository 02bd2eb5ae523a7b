#pragma once

#include "sidewindows/SideWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

class Program;

// The side window that shows the settings the program runs with and writes
// them to config.txt for the next start. Its chkLast is the run-long switch
// that reopens the last text, which lives in the program object.
class FormConfig : public SideWindow {
    Q_OBJECT
public:
    explicit FormConfig(Program &program);

    QLabel *Label3; // the title, "Configuração"
    QLineEdit *txtLargura;
    QLabel *Label1;
    QLineEdit *txtAlturaMin;
    QLabel *Label2;
    QLineEdit *txtAlturaMax;
    QLabel *Label6;
    QLineEdit *txtTransparencia;
    QLabel *Label4;
    QGroupBox *frmAlinhar;
    QRadioButton *OptAlignEsq;
    QRadioButton *OptAlignCenter;
    QRadioButton *OptAlignDir;
    QGroupBox *frmIniciar;
    QRadioButton *optIniSim;
    QRadioButton *optIniNao;
    QLabel *Label5;
    QComboBox *Combo1;
    QPushButton *btnSave;
    QCheckBox *chkLast;

    // The main window's btnConfig: the boxes from the values the main window
    // runs with (discarding unsaved edits), then opened beside it.
    void btnConfig_Click();
    void btnSave_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    Program &m_program;
};
