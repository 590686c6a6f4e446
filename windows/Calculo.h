#pragma once
// The calculation workbench (Tfrm_desconto_cheque): the one window in which
// every calculation is shown.
//
// How data flows: the fields and the grid hold the operation as text, as the
// user or a filling window typed it (DadosGerais in the fields, the Parcela
// rows in the grid, the totals in the labels). The calculate action copies
// them into a Bancada, runs the core's calculation of the selected type on it
// (CalculaBancada: the calculation reads and writes those same texts), and
// copies the Bancada back into the widgets in every case, also when the
// calculation stopped with a message or an error, so that what it wrote
// before stopping is shown. Its Desfecho tells the action that pressed it
// (the print button, an entry window) whether to go on.
// Other windows talk to the workbench only through its fields and buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/Mensagens.h"
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

    // --- The operation as the widgets hold it.
    Bancada LeBancada();
    void EscreveBancada(const Bancada& b);
    TipoCalculo TipoSelecionado() const;
    // The type set as the filling windows set it: without the type list's
    // reaction to the user's choice (which opens the instalment or the
    // renegotiation window), nor any other signal of the list.
    void DefineTipoSemReacao(TipoCalculo tipo);
    // A filling window starts a new operation: the charges (TAC, IOF, fee)
    // go to 0 and the totals labels and the CET are emptied, so that nothing
    // an earlier calculation left stands beside this one, on the screen or in
    // its listing.
    void ComecaOperacao();

    // --- Controls, by the names the other windows use.
    CampoData* data_ref;
    QLabel* Label4;
    QLineEdit* Edit6;
    QLineEdit* Edit1;
    QComboBox* ComboBox1;
    CampoNumerico* edtTAC;
    CampoNumerico* edtIOF;
    QComboBox* cbTipoTarifa;
    CampoNumerico* edtTARIFA;
    GradeParcelas* grid;
    QLineEdit* Edit2;
    QLabel* Label15;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    // Our own addition below the totals: the discount's CET.
    QLabel* LabelCET;
    QCheckBox* CheckBox1;
    // Our own addition below the buttons: due dates past holidays too, and
    // the holidays window.
    QCheckBox* CheckBox2;
    QPushButton* btnFeriados;
    QPushButton* btnCalcula;
    QPushButton* btnLimpa;
    QPushButton* btnImprime;
    QPushButton* SpeedButton2;
    QPushButton* btnFecha;
    QPushButton* btnrecibo;
    QStatusBar* Status;
    QTimer* Timer;

    // --- Event handlers.
    void FormActivate();
    void btnCalculaClick();
    // The calculate action; an error is shown here and gives Desfecho::Erro.
    Desfecho Calcula();
    // How the last calculate action ended, for a window that pressed btnCalcula.
    Desfecho UltimoDesfecho() const { return ultimoDesfecho_; }
    void btnLimpaClick();
    void btnImprimeClick();
    void btnFechaClick();
    void SpeedButton2Click();
    void btnreciboClick();
    void ComboBox1Change();
    void data_refChange();
    void TimerTimer();
    void gridKeyUp(int tecla);
    void CheckBox2Click();
    void btnFeriadosClick();

    // The clerk's local holidays, as read from their file; read again after
    // the holidays window closes.
    const std::vector<FeriadoLocal>& FeriadosLocais() const { return feriadosLocais_; }
    void CarregaFeriadosLocais();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
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

    std::vector<FeriadoLocal> feriadosLocais_;
    // What was wrong with that file, told the first time the holidays count.
    QString avisoFeriados_;

    Desfecho ultimoDesfecho_ = Desfecho::NadaAFazer;
    QLabel* relogio_ = nullptr;
    QLabel* painelAviso_ = nullptr;
};

// The reference date in words as Label4 shows it.
QString TextoDataExtenso(Data d);

}  // namespace quantivo
