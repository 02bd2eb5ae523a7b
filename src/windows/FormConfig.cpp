#include "windows/FormConfig.h"

#include "core/config.h"
#include "core/numbers.h"
#include "core/siderules.h"
#include "core/twips.h"
#include "widgets/FilteredLineEdit.h"
#include "widgets/PushButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QString EmptyFieldNotice = QStringLiteral("Nenhum campo pode ficar vazio!");
const QString WriteFailedNotice = QStringLiteral("Não foi possível salvar a configuração!");
const QString SavedNotice = QStringLiteral("Salvo!");

template <typename T> T *named(T *widget, const char *name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

FormConfig::FormConfig(core::AppCore &core)
    : SideWindow(core, core::Side::Config, QStringLiteral("Configuração"), LoadStep::ClearTopmost) {
    setObjectName(QStringLiteral("FormConfig"));
    titleLabel()->setObjectName(QStringLiteral("Label3"));

    // Each number box beside the caption that says what it holds.
    struct NumberRow {
        QLineEdit *&box;
        const char *name;
        const char *captionName;
        int top, captionTop, captionWidth;
        const char *caption;
    };
    const NumberRow rows[] = {
        {txtLargura, "txtLargura", "lblLargura", 760, 795, 3615,
         "px - Largura mínima inicial do programa: >= 294 px"},
        {txtAlturaMin, "txtAlturaMin", "lblAlturaMin", 1150, 1200, 3615,
         "px - Altura mínima da caixa de texto: >= 140 px"},
        {txtAlturaMax, "txtAlturaMax", "lblAlturaMax", 1530, 1575, 3735,
         "px - Altura máxima caixa de texto: >= altura mínima"},
        {txtTransparencia, "txtTransparencia", "lblTransparencia", 1900, 1970, 3375,
         "%  - Transparência: entre 0 e 100 (%)"},
    };
    for (const NumberRow &r : rows) {
        // A paste or a drop gives what typing would: the digits of its first line.
        r.box = named(new widgets::FilteredLineEdit(core::digitsOfFirstLine, this), r.name);
        placeTwips(r.box, 120, r.top, 530, 285);
        r.box->installEventFilter(this);
        placeTwips(named(new QLabel(QString::fromUtf8(r.caption), this), r.captionName), 660,
                   r.captionTop, r.captionWidth, 255);
    }

    auto *frmAlinhar =
        named(new QGroupBox(QStringLiteral("Alinhar as novas janelas"), this), "frmAlinhar");
    placeTwips(frmAlinhar, 120, 2330, 4150, 600);
    OptAlignEsq = named(new QRadioButton(QStringLiteral("à esquerda"), frmAlinhar), "OptAlignEsq");
    placeTwips(OptAlignEsq, 120, 270, 1215, 255);
    OptAlignCenter =
        named(new QRadioButton(QStringLiteral("ao centro"), frmAlinhar), "OptAlignCenter");
    placeTwips(OptAlignCenter, 1440, 270, 1215, 255);
    OptAlignDir = named(new QRadioButton(QStringLiteral("à direita"), frmAlinhar), "OptAlignDir");
    placeTwips(OptAlignDir, 2760, 270, 1215, 255);

    auto *frmIniciar =
        named(new QGroupBox(QStringLiteral("Iniciar minimizado"), this), "frmIniciar");
    placeTwips(frmIniciar, 120, 3000, 2030, 600);
    optIniSim = named(new QRadioButton(QStringLiteral("Sim"), frmIniciar), "optIniSim");
    placeTwips(optIniSim, 120, 270, 855, 255);
    optIniNao = named(new QRadioButton(QStringLiteral("Não"), frmIniciar), "optIniNao");
    placeTwips(optIniNao, 1080, 270, 855, 255);

    placeTwips(named(new QLabel(QStringLiteral("Fonte da caixa de texto"), this), "lblFonte"), 2240,
               3000, 1935, 255);
    Combo1 = named(new QComboBox(this), "Combo1");
    placeTwips(Combo1, 2240, 3270, 2030, 315);

    btnSave = named(new widgets::PushButton(QStringLiteral("Salvar"), this), "btnSave");
    placeTwips(btnSave, 3240, 3870, 990, 375);
    chkLast = named(new QCheckBox(QStringLiteral("Abrir último arquivo editado ao iniciar"), this),
                    "chkLast");
    placeTwips(chkLast, 120, 3960, 3015, 255);

    createNotice(QRect(120, 4260, 4140, 195), NoticeTimer::Timer1);

    // The check box shows the program's switch and sets it at once, saved or not.
    chkLast->setChecked(core.reopenLastText());
    connect(chkLast, &QCheckBox::toggled, &core, &core::AppCore::setReopenLastText);
    connect(btnSave, &QPushButton::clicked, this, &FormConfig::save);

    txtLargura->setFocus();
    Combo1->addItems(core::config::FontNames);
    Combo1->setCurrentText(QStringLiteral("Arial"));
}

bool FormConfig::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == txtLargura || watched == txtAlturaMin || watched == txtAlturaMax ||
         watched == txtTransparencia)) {
        const int code = keyPressCode(*static_cast<QKeyEvent *>(event));
        // Keys that type nothing (arrows, Delete) are the box's own business.
        return code >= 0 && core::limitToDigits(code) == 0;
    }
    return SideWindow::eventFilter(watched, event);
}

void FormConfig::fillAndShow() {
    const core::config::Settings &s = core().settings();
    // The width the strip has now, which after widening is not the
    // configured one.
    txtLargura->setText(
        core::formatNumber(float(stripPlaceTwips().width()) / float(core::TwipsPerPixel)));
    txtAlturaMin->setText(s.text.txtMin);
    txtAlturaMax->setText(s.text.txtMax);
    txtTransparencia->setText(s.text.transparency);
    // A drop-down of the five fonts: a name that is not one of them leaves
    // the choice as it is.
    Combo1->setCurrentText(s.font);

    (s.align == core::Align::Left     ? OptAlignEsq
     : s.align == core::Align::Centre ? OptAlignCenter
                                      : OptAlignDir)
        ->setChecked(true);
    (s.startMinimized ? optIniSim : optIniNao)->setChecked(true);

    showSideWindow();
}

void FormConfig::save() {
    const int align = OptAlignEsq->isChecked() ? 1 : OptAlignCenter->isChecked() ? 2 : 3;
    const core::Result saved = core().saveSettings(
        {txtLargura->text(), txtAlturaMin->text(), txtAlturaMax->text(), txtTransparencia->text(),
         align, optIniSim->isChecked(), Combo1->currentText()});
    if (saved.kind == core::Result::Kind::EmptyField) {
        showNotice(EmptyFieldNotice, 2000);
    } else if (!saved.done()) {
        showNotice(WriteFailedNotice, 5000);
    } else {
        showNotice(SavedNotice, 2000);
        closeSideWindow();
    }
}
