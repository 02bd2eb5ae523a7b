#include "windows/FormHelp.h"

#include "core/AppCore.h"
#include "core/siderules.h"
#include "widgets/fitting.h"
#include "widgets/pictures.h"

namespace windows {

namespace {

// One row per button of the strip, top to bottom; places in twips. The
// pictures are copies that do nothing when clicked.
struct Row {
    int top;
    const char *picture;
    const char *toolTip;
    int textTop;
    int textHeight;
    const char *text;
};

constexpr int OneLine = 255;
constexpr int TwoLines = 465;

const Row Rows[] = {
    {840, "tool_ident", " Inserir bullet ", 840, OneLine,
     "Insere \"bullets (·)\" antes das linhas de texto."},
    {1200, "tool_save", " Salvar texto ", 1180, TwoLines,
     "Salva textos em arquivo. Para salvar textos já existentes, apenas pressione CTRL+S."},
    {1680, "tool_list", " Exibir textos salvos ", 1680, OneLine,
     "Exibe lista de arquivos de texto já salvos."},
    {2040, "tool_config", " Configurar programa ", 2040, OneLine,
     "Permite diversas configurações no programa."},
    {2400, "top_off", "", 2400, TwoLines,
     "Permite colocar o programa na frente de outros programas. Assim o software fica sempre "
     "visível."},
    {2920, "tool_positions", " Salvar novas posições e dimensões ", 2920, OneLine,
     "Salva configurações de dimensão e posição na tela."},
    {3280, "tool_about", " Sobre o programa ", 3280, OneLine,
     "Abre a janela \"sobre o programa\"."},
};

// The warning below the rows, across the window.
constexpr int WarningTop = 3675;
// A gap of two pixels keeps a grown text off the row below.
constexpr int GapTwips = 30;

} // namespace

FormHelp::FormHelp(core::AppCore &core)
    : SideWindow(core, core::Side::Help, QStringLiteral("Ajuda"), LoadStep::ClearTopmost) {
    setObjectName(QStringLiteral("FormHelp"));
    titleLabel()->setObjectName(QStringLiteral("Label3"));
    placeTwips(titleLabel(), 120, 255, 855, 255);

    // Where a text that left the strip unsaved is found again, in the one
    // free row between the arrows: the folder's middle gives way to "…".
    const QString recovery = core.recovery().displayPath();
    auto *kept = new QLabel(this);
    kept->setObjectName(QStringLiteral("lblRecuperados"));
    placeTwips(kept, 480, 480, 3480, 225);
    kept->setText(widgets::fitPath(kept->font(), QStringLiteral("Textos não salvos ficam em "),
                                   recovery, QString(), kept->width(), 1));
    kept->setToolTip(u' ' + recovery + u' ');
    kept->setTextInteractionFlags(Qt::TextSelectableByMouse);

    for (int i = 0; i < int(std::size(Rows)); ++i) {
        const Row &row = Rows[i];
        QLabel *picture = widgets::pictureLabel(
            QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.picture)),
            QString::fromUtf8(row.toolTip), core::pxRect(QRect(120, row.top, 225, 210)), this);
        picture->setObjectName(QStringLiteral("imgAjuda%1").arg(i));

        auto *text = new QLabel(QString::fromUtf8(row.text), this);
        text->setObjectName(QStringLiteral("lblAjuda%1").arg(i));
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeTwips(text, 480, row.textTop, 3765, row.textHeight);
        const int nextTop = i + 1 < int(std::size(Rows)) ? Rows[i + 1].textTop : WarningTop;
        widgets::fitLabel(text, core::px(nextTop - GapTwips - row.textTop));
    }

    auto *warning = new QLabel(
        QStringLiteral("ATENÇÃO: evite mexer no arquivo de configuração manualmente. Caso tenha "
                       "algum problema por isso, simplesmente delete o arquivo e reinicie o "
                       "software."),
        this);
    warning->setObjectName(QStringLiteral("lblAtencao"));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(warning, 120, WarningTop, 4125, 615);
    widgets::fitLabel(warning, core::px(core::SideWindowHeightTwips - GapTwips - WarningTop));
}

} // namespace windows
