#pragma once
// What the two entry windows (the cheque discount and the "Venda certa") share.
// Each collects an operation's general data and its cheques, checks them, and
// hands them to the workbench by writing the workbench's fields and grid and
// pressing its calculate button; the result is seen in the workbench. The
// twins differ in their grid's columns, in one field, in what they require
// and in which cells they hand over: each window's BitBtn1Click spells out its
// own hand-over with the steps below.
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
    CampoData* data_ref = nullptr;
    CampoNumerico* edtTaxa = nullptr;
    CampoNumerico* edtTAC = nullptr;
    CampoNumerico* edtIOF = nullptr;
    QComboBox* cbTipoTarifa = nullptr;
    CampoNumerico* edtTARIFA = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    GradeParcelas* grid_pre = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // The workbench this window fills.
    Tfrm_desconto_cheque* JanelaBancada() const { return bancada_; }

    // --- Event handlers both windows have.
    void FormActivate();
    void grid_preKeyUp(int tecla);
    virtual void BitBtn1Click() = 0;

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
    void CriaStatus();
    // Runs `aoSair` when the field loses the focus to another of this
    // window's controls (not when the window itself loses it).
    void AoSair(QWidget* campo, std::function<void()> aoSair);

    // --- The steps of the hand-over, in the order the windows take them.
    // Checks the rows from the first: empty dates skipped, dates that are no
    // date taken out (marked), valid dates moved and compared with the
    // operation date (the entry windows' warning); with `exigeValor`, a dated
    // row without value stops the check (false) with its message.
    bool ConfereLinhasDaEntrada(bool exigeValor);
    // Empties the workbench grid and gives it as many rows as this grid; the
    // charges and totals an earlier calculation left there are cleared.
    void EsvaziaGradeDaBancada();
    // Reference date, rate text, TAC, IOF, fee and fee kind; the workbench's
    // clearing box is left as it is.
    void EntregaDadosGerais(const QString& taxa);
    // Copies each row that `entrega` accepts into the workbench row of the
    // same number, the fields `campos` only.
    void CopiaLinhas(const std::vector<std::string Parcela::*>& campos, bool (*entrega)(const Parcela&));
    // The date in words beside the workbench's date, the workbench shown, its
    // calculate button pressed, and this window closed unless the calculation
    // ended the action (a stop after a message, or an error; then this window
    // stays over the workbench).
    void CalculaNaBancada();

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

}  // namespace quantivo
