#include "sidewindows/FormHelp.h"

namespace {

// One row per button of the main window, as the window shows them top to
// bottom; places in twips.
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

// The row of btnSave has its text in Label1; the others in lblSobre, in order.
constexpr int SaveRow = 1;

} // namespace

FormHelp::FormHelp(FormMain &main)
    : SideWindow(main, QStringLiteral("Ajuda"), LoadStep::ClearTopmost) {
    Label3 = titleLabel;
    placeTwips(Label3, 120, 255, 855, 255);

    int sobre = 0;
    for (int i = 0; i < int(std::size(Rows)); ++i) {
        const Row &row = Rows[i];
        pictures[i] = new platform::PictureButton(
            QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.picture)),
            QString::fromUtf8(row.toolTip), this);
        placeTwips(pictures[i], 120, row.top, 225, 210);

        auto *text = new ClickLabel(QString::fromUtf8(row.text), this);
        text->setWordWrap(true);
        placeTwips(text, 480, row.textTop, 3765, row.textHeight);
        text->growToText();
        if (i == SaveRow)
            Label1 = text;
        else
            lblSobre[sobre++] = text;
    }

    lblSobre[6] = new ClickLabel(
        QStringLiteral("ATENÇÃO: evite mexer no arquivo de configuração manualmente. Caso tenha "
                       "algum problema por isso, simplesmente delete o arquivo e reinicie o "
                       "software."),
        this);
    lblSobre[6]->setWordWrap(true);
    placeTwips(lblSobre[6], 120, 3675, 4125, 615);
    lblSobre[6]->growToText();
}
