#pragma once
// What the two entry windows (the cheque discount and the "Venda certa") share.
// Each collects an operation's general data and its cheques, checks them, and
// hands them to the workbench as one operation (Tfrm_desconto_cheque::Recebe),
// which calculates it; the result is seen in the workbench. The twins differ
// in their grid's columns, in one field, in what they require and in which
// cells they hand over: each window's BitBtn1Click spells out its own
// hand-over with the steps below.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <vector>

#include "core/Tipos.h"
#include "ui/CampoData.h"
#include "ui/CampoNumerico.h"
#include "windows/Calculo.h"
#include "windows/GradeParcelas.h"

namespace quantivo {

class JanelaEntrada : public QDialog {
    Q_OBJECT
public:
    // --- Controls both windows have, by the names the rules use.
    CampoData* data_ref = nullptr;       // "Data da Operação": the operation's date (today on opening)
    CampoNumerico* edtTaxa = nullptr;    // "Taxa (%)": the monthly rate
    CampoNumerico* edtTAC = nullptr;     // "TAC(%)": credit opening fee, percent of the face values
    CampoNumerico* edtIOF = nullptr;     // "IOF(%) ao dia": the daily tax
    QComboBox* cbTipoTarifa = nullptr;   // the fee kind: per cheque or per operation
    CampoNumerico* edtTARIFA = nullptr;  // the fee in reais
    QCheckBox* CheckBox1 = nullptr;      // "F7- Inclui C&ompensação": which dates draw the warning only
    GradeParcelas* grid_pre = nullptr;   // the cheques (or their due dates)
    QPushButton* BitBtn1 = nullptr;      // "F5 - CONTINUA": checks and hands over to the workbench
    QStatusBar* StatusBar1 = nullptr;    // the status bar: empty, or the current cheque's bank

    // The workbench this window fills.
    Tfrm_desconto_cheque* JanelaBancada() const { return bancada_; }

    // --- Event handlers both windows have.
    void FormActivate();              // the opening: today's date, one empty row
    void grid_preKeyUp(int tecla);    // Right on a cell that is no date: "Data invalida"
    virtual void BitBtn1Click() = 0;  // F5: checks, hands over and calculates

protected:
    struct Aparencia {
        QString titulo;
        QSize tamanhoExterno;  // the frame included
        QColor fundo;
    };
    JanelaEntrada(QWidget* parent, Tfrm_desconto_cheque* bancada, const Aparencia& aparencia);

    // --- Building. The general-data group holds the fields both windows
    // have at the same places; a window adds its own below them.
    QGroupBox* CriaGrupo(const QString& titulo, const QRect& geo);
    void CriaDadosGerais(QGroupBox* g);
    // The clearing box and its note, at `y` in the group.
    void CriaCompensacao(QGroupBox* g, int y);
    // The title bar of the cheque group and the grid under it.
    void CriaGrade(QGroupBox* g, const QString& tituloBarra, std::vector<ColunaGrade> colunas, const QColor& corTexto,
                   const QRect& geoGrade);
    void CriaBotao(int y);
    void CriaStatus();  // after the grid
    // Runs `aoSair` when the field loses the focus to another of this
    // window's controls (not when the window itself loses it).
    void AoSair(QWidget* campo, std::function<void()> aoSair);
    // The last general-data field: Enter there goes into the grid, to the
    // first empty row's first cell, so that the cheques are typed next.
    QWidget* campoAntesDaGrade_ = nullptr;

    // --- The steps of the hand-over, in the order the windows take them.
    // Checks the rows from the first: a date cell that is no date (or an
    // amount still ambiguous) stops the check (false) with its message, the
    // cell current; empty dates skipped, valid dates moved and compared with
    // the operation date (the entry windows' warning); with `exigeValor`, a
    // dated row without value stops the check with its message, and a value
    // without a date is asked about (ConfereValoresSemData).
    bool ConfereLinhasDaEntrada(bool exigeValor);
    // Rows with a value and no date: the clerk says whether they stay out of
    // the hand-over; false (no) makes the first one's date cell current.
    bool ConfereValoresSemData();
    // The operation this window hands over, of type `tipo`: the reference
    // date, the rate text `taxa`, the charges, the fee kind and the clearing
    // box, and one row
    // for each row of this grid, holding the fields `campos` of each row that
    // `entrega` accepts (the other rows left empty, for the calculation to
    // skip).
    Bancada Operacao(TipoCalculo tipo, const QString& taxa, const std::vector<std::string Parcela::*>& campos,
                     bool (*entrega)(const Parcela&)) const;
    // The workbench takes the operation (its financed value too, with
    // `comValorFinanciado`), is shown and calculates it; this window then
    // closes, unless the calculation ended the action (a stop after a
    // message, or an error): it then stays over the workbench.
    void EntregaABancada(const Bancada& operacao, bool comValorFinanciado);

    void MostraMensagem(const char* texto);

    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void FormKeyDown();

    QPointer<Tfrm_desconto_cheque> bancada_;
    QColor fundo_;
    QStringList titulosGrade_;
    bool aberta_ = false;
};

// The question on rows that have a value and no date; `linhas` numbered from 1.
QString TextoValorSemData(const QStringList& linhas);

}  // namespace quantivo
