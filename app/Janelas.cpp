#include "app/Janelas.h"

#include <QEvent>
#include <QTimer>
#include <functional>
#include <utility>

#include "app/DiarioDoPrograma.h"
#include "output/F_PRIN.h"
#include "output/F_REL.h"
#include "output/Listagem.h"
#include "ui/Construcao.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

namespace quantivo {
namespace {

// "F12 - &Imprime" of the workbench: the calculate action first; an error or
// a stop after a message there ends the print before anything is written, a
// calculation that found nothing to do lets it go on.
void ImprimeBancada(Tfrm_desconto_cheque& f) {
    if (EncerraAcao(f.Calcula())) return;
    const std::string tipoTarifa = f.TextoTipoTarifa().toStdString();
    ImprimeListagemBancada(EntradaDaBancada(f.LeBancada(), &tipoTarifa));
}

// "F12 - &Imprime" of the instalment window: its schedule from the fields as
// they stand.
void ImprimePrestacoes(TfrmPostecipada& j) {
    const Data referencia = j.DateEdit1->Data();
    // An empty masked field's text is its two separators; the listing shows it blank.
    const std::string textoData = referencia == kDataNula ? std::string() : j.DateEdit1->text().toStdString();
    ImprimeListagemPrestacoes(EntradaPrestacoes(referencia, textoData, j.edtValorFinanciado->Valor(),
                                                j.edtTaxa->Valor(), j.edtNumPrestacao->Valor(),
                                                j.edtVlrPrestacao->Valor()));
}

}  // namespace

QPointer<Tfrm_principal> frm_principal;
QPointer<Tfrm_desconto_cheque> frm_desconto_cheque;
QPointer<Tfrm_Ajuda> frm_Ajuda;
QPointer<TfrmPostecipada> frmPostecipada;
QPointer<TfrmRenegociacao> frmRenegociacao;
QPointer<TfrmOperacoes> frmOperacoes;

void CriaJanelas() {
    CriaMenuPrincipal();
    CriaDemaisJanelas();
}

void CriaMenuPrincipal() {
    // 1. The main menu; creating it sets the process-wide text settings.
    frm_principal = new Tfrm_principal;
}

void CriaDemaisJanelas() {
    // 2. Tfrm_desconto, the cheque-discount entry window: created afresh by
    //    the main menu each time it is opened (it destroys itself when
    //    closed), so nothing is made for it here.
    // 3. The workbench; lives until the program ends.
    frm_desconto_cheque = new Tfrm_desconto_cheque;
    // 4. TFPRIN, the receipt window: destroys itself when closed, and the
    //    workbench's "Firmatto" creates a fresh one each time (AbreRecibo).
    // 5. TFPARAMETROS, the receipt issuer settings: likewise, created by the
    //    receipt window's "CONFIGURAÇÕES" each time.
    // 6. TFREL, the receipt printout, built once and reused by every print.
    FREL();
    // 7. TfrmPostecipada, the instalment window; lives until the end.
    frmPostecipada = new TfrmPostecipada;
    // 8. TfrmRenegociacao, the renegotiation window; lives until the end.
    frmRenegociacao = new TfrmRenegociacao;
    // 9. Tfrm_venda_por_fora, the inverse-discount entry window, as 2.

    frm_principal->abreDescontoCheque = [] { AbreDescontoCheque(frm_principal, frm_desconto_cheque); };
    frm_principal->abreVendaCerta = [] { AbreVendaPorFora(frm_principal, frm_desconto_cheque); };

    frm_desconto_cheque->mostraAjuda = [] { MostraAjuda(frm_desconto_cheque); };
    frm_desconto_cheque->abreRecibo = [] { AbreRecibo(frm_desconto_cheque); };
    frm_desconto_cheque->imprime = [] { ImprimeBancada(*frm_desconto_cheque); };
    frmPostecipada->imprime = [] { ImprimePrestacoes(*frmPostecipada); };
    LigaPostecipada(frm_desconto_cheque, frmPostecipada);
    LigaRenegociacao(frm_desconto_cheque, frmRenegociacao);
    frm_principal->abrePrestacao = [] { frmPostecipada->MostraLivre(); };
    frm_principal->abreRenegociacao = [] { RenegociaDoMenu(frm_desconto_cheque, frmRenegociacao, frm_principal); };
    // The journal of operations, opened at the first save or search.
    frm_principal->abreOperacoes = [] { AbreOperacoes(frm_principal); };
    frm_desconto_cheque->abreOperacoes = [] { AbreOperacoes(frm_desconto_cheque); };
    frm_desconto_cheque->salva = [] { SalvaBancada(*frm_desconto_cheque); };
}

namespace {
// Runs an action once, in the event loop turn after the widget's first paint.
class AposPintura : public QObject {
public:
    AposPintura(QWidget* w, std::function<void()> acao) : QObject(w), acao_(std::move(acao)) {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && acao_) {
            QTimer::singleShot(0, std::exchange(acao_, {}));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> acao_;
};
}  // namespace

void MostraMenuECriaDemais() {
    new AposPintura(frm_principal, &CriaDemaisJanelas);
    frm_principal->show();
}

void DestroiJanelas() {
    delete frmOperacoes;
    FechaDiarioDoPrograma();
    delete frm_Ajuda;
    delete frmRenegociacao;
    delete frmPostecipada;
    delete frm_desconto_cheque;
    delete frm_principal;
}

void AbreOperacoes(QWidget* dono) {
    if (!frmOperacoes) frmOperacoes = new TfrmOperacoes;
    if (!frmOperacoes->Prepara()) return;
    ExecComoDialogoDe(frmOperacoes, dono);
    if (const auto numero = frmOperacoes->ParaReabrir(); numero && frm_desconto_cheque)
        ReabreNaBancada(*frm_desconto_cheque, *numero);
}

void MostraAjuda(QWidget* dono) {
    if (!frm_Ajuda) frm_Ajuda = new Tfrm_Ajuda(dono);
    frm_Ajuda->exec();
}

}  // namespace quantivo
