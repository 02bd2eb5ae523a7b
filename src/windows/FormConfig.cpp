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

namespace windows {

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
        {m_widthBox, "txtLargura", "lblLargura", 760, 795, 3615,
         "px - Largura mínima inicial do programa: >= 294 px"},
        {m_minHeightBox, "txtAlturaMin", "lblAlturaMin", 1150, 1200, 3615,
         "px - Altura mínima da caixa de texto: >= 140 px"},
        {m_maxHeightBox, "txtAlturaMax", "lblAlturaMax", 1530, 1575, 3735,
         "px - Altura máxima caixa de texto: >= altura mínima"},
        {m_opacityBox, "txtTransparencia", "lblTransparencia", 1900, 1970, 3375,
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
    m_leftOption = named(new QRadioButton(QStringLiteral("à esquerda"), frmAlinhar), "OptAlignEsq");
    placeTwips(m_leftOption, 120, 270, 1215, 255);
    m_centreOption =
        named(new QRadioButton(QStringLiteral("ao centro"), frmAlinhar), "OptAlignCenter");
    placeTwips(m_centreOption, 1440, 270, 1215, 255);
    m_rightOption = named(new QRadioButton(QStringLiteral("à direita"), frmAlinhar), "OptAlignDir");
    placeTwips(m_rightOption, 2760, 270, 1215, 255);

    auto *frmIniciar =
        named(new QGroupBox(QStringLiteral("Iniciar minimizado"), this), "frmIniciar");
    placeTwips(frmIniciar, 120, 3000, 2030, 600);
    m_startCollapsedOption =
        named(new QRadioButton(QStringLiteral("Sim"), frmIniciar), "optIniSim");
    placeTwips(m_startCollapsedOption, 120, 270, 855, 255);
    m_startExpandedOption = named(new QRadioButton(QStringLiteral("Não"), frmIniciar), "optIniNao");
    placeTwips(m_startExpandedOption, 1080, 270, 855, 255);

    placeTwips(named(new QLabel(QStringLiteral("Fonte da caixa de texto"), this), "lblFonte"), 2240,
               3000, 1935, 255);
    m_fontBox = named(new QComboBox(this), "Combo1");
    placeTwips(m_fontBox, 2240, 3270, 2030, 315);

    m_saveButton = named(new widgets::PushButton(QStringLiteral("Salvar"), this), "btnSave");
    placeTwips(m_saveButton, 3240, 3870, 990, 375);
    m_reopenLastBox = named(
        new QCheckBox(QStringLiteral("Abrir último arquivo editado ao iniciar"), this), "chkLast");
    placeTwips(m_reopenLastBox, 120, 3960, 3015, 255);

    createNotice(QRect(120, 4260, 4140, 195), NoticeTimer::m_noticeTimer);

    // The check box shows the program's switch and sets it at once, saved or not.
    m_reopenLastBox->setChecked(core.reopenLastText());
    connect(m_reopenLastBox, &QCheckBox::toggled, &core, &core::AppCore::setReopenLastText);
    connect(m_saveButton, &QPushButton::clicked, this, &FormConfig::save);

    m_widthBox->setFocus();
    m_fontBox->addItems(core::config::FontNames);
    m_fontBox->setCurrentText(QStringLiteral("Arial"));
}

bool FormConfig::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_widthBox || watched == m_minHeightBox || watched == m_maxHeightBox ||
         watched == m_opacityBox)) {
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
    m_widthBox->setText(
        core::formatNumber(float(stripPlaceTwips().width()) / float(core::TwipsPerPixel)));
    m_minHeightBox->setText(s.text.minHeight);
    m_maxHeightBox->setText(s.text.maxHeight);
    m_opacityBox->setText(s.text.transparency);
    // A drop-down of the five fonts: a name that is not one of them leaves
    // the choice as it is.
    m_fontBox->setCurrentText(s.font);

    (s.align == core::Align::Left     ? m_leftOption
     : s.align == core::Align::Centre ? m_centreOption
                                      : m_rightOption)
        ->setChecked(true);
    (s.startMinimized ? m_startCollapsedOption : m_startExpandedOption)->setChecked(true);

    showSideWindow();
}

void FormConfig::save() {
    const int align = m_leftOption->isChecked() ? 1 : m_centreOption->isChecked() ? 2 : 3;
    const core::Result saved = core().saveSettings(
        {m_widthBox->text(), m_minHeightBox->text(), m_maxHeightBox->text(), m_opacityBox->text(),
         align, m_startCollapsedOption->isChecked(), m_fontBox->currentText()});
    if (saved.kind == core::Result::Kind::EmptyField) {
        showNotice(EmptyFieldNotice, 2000);
    } else if (!saved.done()) {
        showNotice(WriteFailedNotice, 5000);
    } else {
        showNotice(SavedNotice, 2000);
        closeSideWindow();
    }
}

} // namespace windows
