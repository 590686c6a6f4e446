#pragma once
// The calculation workbench (Tfrm_desconto_cheque): the one window in which
// every calculation is shown.
//
// How data flows: the fields and the grid hold the operation as text, as the
// user typed it or a filling window handed it over (DadosGerais in the
// fields, the Parcela rows in the grid, the totals in the labels). The
// calculate action copies them into a Bancada, runs the core's calculation of
// the selected type on it (CalculaBancada: the calculation reads and writes
// those same texts), and copies the Bancada back into the widgets in every
// case, also when the calculation stopped with a message or an error, so that
// what it wrote before stopping is shown. Its Desfecho tells the action that
// ran it (the print button, an entry window) whether to go on.
//
// Other windows never touch the workbench's controls: the entry windows and
// the main menu's renegotiation hand an operation over through Recebe, the
// instalment and renegotiation windows answer the hooks below, and the
// listing reads LeBancada. A kept operation (the journal, wired in app/)
// comes back whole through MostraOperacao; the title then names its number
// and says when what the screen shows is no longer what was saved.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/Mensagens.h"
#include "core/Operacao.h"
#include "core/Price.h"
#include "core/Tipos.h"
#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"
#include "windows/GradeParcelas.h"

namespace quantivo {

class Tfrm_desconto_cheque : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_desconto_cheque(QWidget* parent = nullptr);

    // --- Hooks for the windows that other units provide.
    // What types 1 and 3 read outside the workbench: the instalment window's
    // four values and the renegotiation window's number of instalments.
    std::function<JanelaPrice()> lePrestacao;
    std::function<long double()> leQtdParcelas;
    // Type 1 solved the blank financed value: it goes into the instalment
    // window, which is brought forward.
    std::function<void(const JanelaPrice&)> apurouValorFinanciado;
    // Type 1 chosen in the list: the instalment window as a modal dialog;
    // confirmed, it gives its financed-value and rate texts.
    struct DadosPrestacao {
        QString valorFinanciado, taxa;
    };
    std::function<std::optional<DadosPrestacao>()> abrePrestacao;
    // Type 3 chosen in the list: the renegotiation window as a modal dialog;
    // confirmed, it gives the updated debt, the value paid and the new rate.
    struct DadosRenegociacao {
        long double valorAtualizado = 0, valorPago = 0;
        QString taxa;
    };
    std::function<std::optional<DadosRenegociacao>()> abreRenegociacao;
    std::function<void()> imprime;      // "F12 - &Imprime": the listing
    std::function<void()> abreRecibo;   // "Firmatto": the receipt window
    std::function<void()> mostraAjuda;  // "Ajuda": the help window
    // The journal of operations: Ctrl+S saves the operation on screen,
    // Ctrl+O opens the saved ones.
    std::function<void()> salva;
    std::function<void()> abreOperacoes;

    // --- The operation as the widgets hold it.
    Bancada LeBancada();
    // The whole operation: the workbench, what the type reads through the
    // other windows' hooks, the fee kind's text and the customer it was last
    // saved or reopened with.
    Operacao LeOperacao();
    // Shows a whole operation as its calculation left it (`desfecho`): the
    // fields, the rows with their CMC7 lines and drawers' documents, the
    // totals, the fee kind's text, the clearing and holiday boxes, the type
    // (quietly), the date in words and the customer. Ctrl+S then takes it as
    // calculated when `desfecho` says it completed.
    void MostraOperacao(const Operacao& op, Desfecho desfecho);
    // The operation on screen is the journal's number `numero`: the title
    // says so ("QUANTIVO - Operação nº 12"), and adds "(alterada)" once the
    // screen no longer shows what was saved, or at once with `difere` (a
    // reopened operation whose recalculation differs from its saved figures).
    void MarcaSalva(std::int64_t numero, bool difere = false);
    std::int64_t NumeroSalvo() const { return numeroSalvo_; }
    // The screen holds a calculation that completed, unchanged since.
    bool TemCalculoConcluido();
    // A notice in the last status panel for five seconds.
    void MostraAviso(const QString& texto);
    void EscreveBancada(const Bancada& b);
    TipoCalculo TipoSelecionado() const;
    // The type set as the filling windows set it: without the type list's
    // reaction to the user's choice (which opens the instalment or the
    // renegotiation window), nor any other signal of the list.
    void DefineTipoSemReacao(TipoCalculo tipo);
    // The fee kind's text as the clerk left it (a typed text that is no item
    // included), as the listing prints it.
    QString TextoTipoTarifa() const;
    // The holidays that due dates move past while the "F8- Feriados" box is
    // ticked; none while it is not.
    std::optional<Calendario> CalendarioDeFeriados() const;

    // --- The hand-over: how a filling window (an entry window, the main
    // menu's renegotiation) gives the workbench an operation and has it
    // calculated. The workbench takes, in this order: a new operation (the
    // charges go to 0, the totals labels show their captions and the CET is
    // emptied, so that
    // nothing an earlier calculation left stands beside this one, on the
    // screen or in its listing); the rows, when the window brings them (the
    // grid then holds exactly `operacao.linhas`, an open cell dropped); the
    // reference date, the rate text and the charges TAC, IOF and fee; the
    // financed value, the fee kind and the clearing box, when brought; the type
    // `operacao.dados.Tipo`, set quietly; the reference date in words. Then
    // it is shown, when asked, and its calculate action runs; how that ended
    // is returned. The holiday box stays as the clerk left it; the clearing
    // box too, unless the window brings the cheques.
    struct Repasse {
        bool valorFinanciado = false;  // "Valor Financiado" takes the operation's; else it keeps its text
        bool cheques = false;          // the fee kind, the clearing box and the grid's rows too
        // Shown and raised before it calculates (the entry windows); else
        // left as it is, for the caller to show after the calculation.
        bool mostraAntes = true;
    };
    Desfecho Recebe(const Bancada& operacao, Repasse repasse);

    // --- Event handlers.
    void FormActivate();     // the window made active from another of the program's
    void btnCalculaClick();  // F5
    // The calculate action; an error is shown here and gives Desfecho::Erro.
    Desfecho Calcula();
    // How the last calculate action ended, whoever ran it (F5, the type list).
    Desfecho UltimoDesfecho() const { return ultimoDesfecho_; }
    void btnLimpaClick();      // F10
    void btnImprimeClick();    // F12
    void btnFechaClick();      // F2
    void SpeedButton2Click();  // "Ajuda"
    void btnreciboClick();     // "Firmatto"
    void ComboBox1Change();    // a type picked in the list
    void data_refChange();     // the date in words follows the date
    void TimerTimer();         // the clock
    void gridKeyUp(int tecla);
    void CheckBox2Click();  // the holidays box's state kept for the next run
    void btnFeriadosClick();
    // F9: asks the net the customer wants, writes the rate that pays it out
    // (to the nearest cent) into "Taxa (%)" and calculates; Ctrl+Z right
    // after brings back the rate and the figures that were there.
    void btnTaxaClick();
    void btnSalvaClick();      // Ctrl+S
    void btnOperacoesClick();  // Ctrl+O

    // The clerk's local holidays, as read from their file; read again after
    // the holidays window closes.
    const std::vector<FeriadoLocal>& FeriadosLocais() const { return feriadosLocais_; }
    void CarregaFeriadosLocais();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    // --- Controls, by the names the rules give them. Group "Dados Gerais":
    CampoData* data_ref;       // "Data Referência": the operation's reference date
    QLabel* Label4;            // the reference date in words, beside it
    QLineEdit* Edit6;          // "Valor Financiado": the inverse discount's input, the discount's net value
    QLineEdit* Edit1;          // "Taxa (%)": the monthly rate
    QComboBox* ComboBox1;      // "Selecione o tipo de cálculo a ser efetuado": what F5 calculates
    CampoNumerico* edtTAC;     // "TAC(%)": credit opening fee, percent of the face values
    CampoNumerico* edtIOF;     // "IOF(%) ao dia": the daily tax
    QComboBox* cbTipoTarifa;   // the fee kind: per cheque or per operation (a typed text counts as none)
    CampoNumerico* edtTARIFA;  // the fee in reais
    // Group "Parcelas": the cheques or instalments.
    GradeParcelas* grid;
    // The totals below the grid.
    QLineEdit* Edit2;  // "Valor Total": the rows' total, written by the calculations
    QLabel* Label15;   // "Tarifa:" and the fee charged
    QLabel* Label12;   // "TAC:" and the TAC charged
    QLabel* Label13;   // "IOF:" and the IOF charged
    QLabel* Label14;   // "Juros:" and the interest
    QLabel* LabelCET;  // our own addition below them: the discount's CET
    // The button column.
    QCheckBox* CheckBox1;  // "F7- Inclui C&ompensação": 2 clearing days on each due date
    // Our own addition: due dates past holidays too, and the holidays window.
    QCheckBox* CheckBox2;       // "F8- Feriados"
    QPushButton* btnFeriados;   // "Feria&dos...": the holidays window
    QPushButton* btnTaxa;       // "F9 - &Taxa p/ líquido": the rate for a wanted net value
    QPushButton* btnSalva;      // "Ctrl+S - &Salva": the operation into the journal
    QPushButton* btnOperacoes;  // "Ctrl+O - O&perações": the saved operations
    QPushButton* btnCalcula;    // "F5 - &Calcula"
    QPushButton* btnLimpa;      // "F10 - &Limpa": clears the operation (Ctrl+Z brings it back)
    QPushButton* btnImprime;    // "F12 - &Imprime": the listing
    QPushButton* SpeedButton2;  // "Ajuda": the help window
    QPushButton* btnFecha;      // "F2 - &Fecha": hides the window
    QPushButton* btnrecibo;     // "Firmatto": the receipt window
    QStatusBar* Status;         // the keys, the clock, the undo notice or the current cheque's bank
    QTimer* Timer;              // the clock's one-second tick

    void CriaDadosGerais();
    void CriaParcelas();
    void CriaTotais();
    void CriaBotoes();
    void CriaLinksFornecedor();
    void CriaStatus();
    void DefineNomesAcessiveis();
    // F2, F5, F7, F10 and F12, wherever the focus is in the window.
    void FormKeyDown(int tecla);
    void CriaTeclas();
    // A key right after F10: Ctrl+Z undoes the clearing, any other keeps it.
    bool TeclaAposLimpeza(const QKeyEvent* e);
    void edtTARIFAExit(Qt::FocusReason motivo);
    void LimpaTotais();
    // The last status panel: the current row's bank, unless an undo notice
    // stands there; and the bank again once the notice ends.
    void MostraBanco(const QString& banco);
    void EncerraAviso();
    // The four totals labels as before any calculation ("Tarifa:", ...).
    void RotulosIniciais();
    // A new operation: the charges (TAC, IOF, fee) go to 0, the totals
    // labels show their captions and the CET is emptied.
    void ComecaOperacao();
    void MostraCET(const QString& texto);
    void CalculaAposDialogo(const QString& valorFinanciado, const QString& taxa);
    // Ctrl+Z right after F10: everything the clearing changed comes back.
    void DesfazLimpeza();
    void EsqueceLimpeza();

    // What F10 cleared, while Ctrl+Z can still bring it back.
    struct Limpeza {
        Bancada antes;
        QString dia;  // Label4
    };
    std::optional<Limpeza> limpeza_;
    bool enterEmCurso_ = false;  // Enter is moving the focus on
    QPointer<VigiaTeclas> vigiaLimpeza_;
    QTimer* avisoDesfazer_ = nullptr;

    // What the rate for a wanted net replaced, while Ctrl+Z can bring it
    // back: until the next key, calculation or clearing.
    void OfereceDesfazerTaxa(Bancada antes);
    bool TeclaAposTaxa(const QKeyEvent* e);
    void EsqueceTaxa();
    std::optional<Bancada> antesDaTaxa_;
    QPointer<VigiaTeclas> vigiaTaxa_;

    std::vector<FeriadoLocal> feriadosLocais_;
    // What was wrong with that file, told the first time the holidays count.
    QString avisoFeriados_;

    Desfecho ultimoDesfecho_ = Desfecho::NadaAFazer;
    // The screen as the last completed calculation left it.
    std::optional<Bancada> calculada_;
    // What the screen shows, compared as a change of the saved operation is
    // looked for (an open cell editor's text not yet in it).
    Bancada BancadaNaTela() const;
    // The saved operation on screen: its number, the screen as it was saved
    // and whether it differed at once; the title follows them.
    std::int64_t numeroSalvo_ = 0;
    std::optional<Bancada> salva_;
    bool difereDoSalvo_ = false;
    Cliente cliente_;
    QTimer* titulo_ = nullptr;  // looks for a change once the event that made it is done
    void VigiaAlteracoes();
    void AtualizaTitulo();
    void EsqueceOperacaoSalva();
    QLabel* relogio_ = nullptr;
    QLabel* painelAviso_ = nullptr;
    QString banco_;  // the current row's bank, for that panel
};

// The reference date in words as Label4 shows it.
QString TextoDataExtenso(Data d);

}  // namespace quantivo
