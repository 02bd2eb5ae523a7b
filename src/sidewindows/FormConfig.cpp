#include "sidewindows/FormConfig.h"

#include "mainwindow/FormMain.h"
#include "mainwindow/mainrules.h"
#include "platform/numbers.h"
#include "sidewindows/siderules.h"
#include "startup/Program.h"
#include "startup/config.h"

#include <QKeyEvent>

using platform::formatNumber;
using platform::numberOr0;

namespace {

const QString EmptyFieldNotice = QStringLiteral("Nenhum campo pode ficar vazio!");
const QString WriteFailedNotice = QStringLiteral("Não foi possível salvar a configuração!");
const QString SavedNotice = QStringLiteral("Salvo!");

} // namespace

FormConfig::FormConfig(Program &program)
    : SideWindow(program.main(), QStringLiteral("Configuração"), LoadStep::ClearTopmost),
      m_program(program) {
    Label3 = titleLabel;

    struct NumberRow {
        QLineEdit *&box;
        QLabel *&label;
        int top, labelTop, labelWidth;
        const char *caption;
    };
    const NumberRow rows[] = {
        {txtLargura, Label1, 760, 795, 3615, "px - Largura mínima inicial do programa: >= 294 px"},
        {txtAlturaMin, Label2, 1150, 1200, 3615, "px - Altura mínima da caixa de texto: >= 140 px"},
        {txtAlturaMax, Label6, 1530, 1575, 3735,
         "px - Altura máxima caixa de texto: >= altura mínima"},
        {txtTransparencia, Label4, 1900, 1970, 3375, "%  - Transparência: entre 0 e 100 (%)"},
    };
    for (const NumberRow &r : rows) {
        r.box = new QLineEdit(this);
        placeTwips(r.box, 120, r.top, 530, 285);
        r.box->installEventFilter(this);
        r.label = new QLabel(QString::fromUtf8(r.caption), this);
        placeTwips(r.label, 660, r.labelTop, r.labelWidth, 255);
    }

    frmAlinhar = new QGroupBox(QStringLiteral("Alinhar as novas janelas"), this);
    placeTwips(frmAlinhar, 120, 2330, 4150, 600);
    OptAlignEsq = new QRadioButton(QStringLiteral("à esquerda"), frmAlinhar);
    placeTwips(OptAlignEsq, 120, 270, 1215, 255);
    OptAlignCenter = new QRadioButton(QStringLiteral("ao centro"), frmAlinhar);
    placeTwips(OptAlignCenter, 1440, 270, 1215, 255);
    OptAlignDir = new QRadioButton(QStringLiteral("à direita"), frmAlinhar);
    placeTwips(OptAlignDir, 2760, 270, 1215, 255);

    frmIniciar = new QGroupBox(QStringLiteral("Iniciar minimizado"), this);
    placeTwips(frmIniciar, 120, 3000, 2030, 600);
    optIniSim = new QRadioButton(QStringLiteral("Sim"), frmIniciar);
    placeTwips(optIniSim, 120, 270, 855, 255);
    optIniNao = new QRadioButton(QStringLiteral("Não"), frmIniciar);
    placeTwips(optIniNao, 1080, 270, 855, 255);

    Label5 = new QLabel(QStringLiteral("Fonte da caixa de texto"), this);
    placeTwips(Label5, 2240, 3000, 1935, 255);
    Combo1 = new QComboBox(this);
    placeTwips(Combo1, 2240, 3270, 2030, 315);

    btnSave = new QPushButton(QStringLiteral("Salvar"), this);
    placeTwips(btnSave, 3240, 3870, 990, 375);
    chkLast = new QCheckBox(QStringLiteral("Abrir último arquivo editado ao iniciar"), this);
    placeTwips(chkLast, 120, 3960, 3015, 255);

    createNotice(QRect(120, 4260, 4140, 195), NoticeTimer::Timer1);

    // The check box shows the program's switch and sets it at once, saved or not.
    chkLast->setChecked(m_program.reopenLastText);
    connect(chkLast, &QCheckBox::toggled, this,
            [this](bool checked) { m_program.reopenLastText = checked; });
    connect(btnSave, &QPushButton::clicked, this, &FormConfig::btnSave_Click);

    txtLargura->setFocus();
    Form_Load();
}

void FormConfig::Form_Load() {
    Combo1->addItems(config::FontNames);
    Combo1->setCurrentText(QStringLiteral("Arial"));
}

bool FormConfig::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == txtLargura || watched == txtAlturaMin || watched == txtAlturaMax ||
         watched == txtTransparencia)) {
        const int code = keyPressCode(*static_cast<QKeyEvent *>(event));
        // Keys that type nothing (arrows, Delete) are the box's own business.
        return code >= 0 && LimitaValor(code) == 0;
    }
    return SideWindow::eventFilter(watched, event);
}

void FormConfig::btnConfig_Click() {
    const FormMain &m = main();
    const MainWindowState &s = m.state;
    // The width the main window has now, which after widening is not the
    // configured one.
    txtLargura->setText(formatNumber(float(m.widthTwips()) / float(TwipsPerPixel)));
    txtAlturaMin->setText(s.lblTxtMin);
    txtAlturaMax->setText(s.lblTxtMax);
    txtTransparencia->setText(s.lblTransparencia);
    // A drop-down of the five fonts: a name that is not one of them leaves
    // the choice as it is.
    Combo1->setCurrentText(s.lblFont);

    const double align = numberOr0(s.lblAlignValue);
    (align == 1 ? OptAlignEsq : align == 2 ? OptAlignCenter : OptAlignDir)->setChecked(true);
    (numberOr0(s.lblOptIni) == 1 ? optIniSim : optIniNao)->setChecked(true);

    ShowSideWindow();
}

void FormConfig::btnSave_Click() {
    const QString align = OptAlignEsq->isChecked()      ? QStringLiteral("1")
                          : OptAlignCenter->isChecked() ? QStringLiteral("2")
                                                        : QStringLiteral("3");
    const QString start = optIniSim->isChecked() ? QStringLiteral("1") : QStringLiteral("2");

    // An empty line would be dropped by the reader and move every later value
    // up one line at the next start.
    for (const QLineEdit *box : {txtLargura, txtAlturaMin, txtAlturaMax, txtTransparencia}) {
        if (box->text().isEmpty()) {
            showNotice(EmptyFieldNotice, 2000);
            return;
        }
    }
    if (!config::writeConfig({txtLargura->text(), txtAlturaMin->text(), txtAlturaMax->text(),
                              txtTransparencia->text(), align, start, Combo1->currentText(),
                              m_program.currentPositionsLine(), m_program.lastTextLine()})) {
        showNotice(WriteFailedNotice, 5000);
        return;
    }
    showNotice(SavedNotice, 2000);
    CloseSideWindow();
}
