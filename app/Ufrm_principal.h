#pragma once
// The main menu: the four calculations, each with its description, the help,
// about and vendor links. It calculates nothing itself; each calculation
// button opens the window that collects that calculation's data.
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <array>
#include <functional>

namespace quantivo {

// A read-only text box for fixed lines: a label keeps the main menu quick to
// show (a full text editor lays out its document at start-up for nothing).
class MemoTexto : public QLabel {
public:
    using QLabel::QLabel;
    QString toPlainText() const { return text(); }
};

class Tfrm_principal : public QWidget {
    Q_OBJECT
public:
    explicit Tfrm_principal(QWidget* parent = nullptr);

    // Hooks for the windows that other units bring: the two entry windows
    // (created afresh, shown modally, destroyed), the instalment window (not
    // modal) and the renegotiation flow.
    std::function<void()> abreDescontoCheque, abreVendaCerta, abrePrestacao, abreRenegociacao;
    // The saved operations (our own addition beside the calculations).
    std::function<void()> abreOperacoes;

    QPushButton* SpeedButton5;   // "Desconto de Cheque": opens the cheque-discount entry window
    QPushButton* SpeedButton6;   // "Venda certa": opens the inverse-discount entry window
    QPushButton* SpeedButton7;   // "Prestação Taxa Efetiva": shows the instalment window (not modal)
    QPushButton* SpeedButton8;   // "Renegociação de Dívidas": the renegotiation dialog, then the workbench
    QPushButton* SpeedButton9;   // "Sair": closes the main menu, ending the program
    MemoTexto* Memo1;            // the description beside "Desconto de Cheque"
    MemoTexto* Memo2;            // the description beside "Venda certa"
    MemoTexto* Memo3;            // the description beside "Prestação Taxa Efetiva"
    MemoTexto* Memo4;            // the description beside "Renegociação de Dívidas"
    QPushButton* SpeedButton2;   // "Ajuda": opens the PDF manual (or the built-in one)
    QPushButton* SpeedButton1;   // "Sobre...": the vendor's name, address and telephone in a message box
    QPushButton* SpeedButton10;  // "Outros produtos": opens the vendor's products page
    QPushButton* btnOperacoes;   // "Operações": the saved operations, searched, reopened, exported
    QLabel* Image;               // the vendor's picture, right column: opens the products page
    QLabel* Label1;              // "Versão 7 (21/09/2007)", under the picture
    QLabel* Label2;              // the yellow banner along the bottom advertising the products: opens their page
    QStatusBar* StatusBar1;      // the empty status bar

    void SpeedButton5Click();   // opens the cheque-discount entry window modally
    void SpeedButton6Click();   // opens the inverse-discount entry window modally
    void SpeedButton7Click();   // shows the instalment window as a free window
    void SpeedButton8Click();   // the renegotiation dialog; on OK the workbench calculates the re-split
    void SpeedButton9Click();   // closes the main menu, ending the program
    void btnOperacoesClick();   // the saved operations
    void SpeedButton2Click();   // opens the PDF manual; when missing or unopened, the built-in one
    void SpeedButton1Click();   // the "Sobre..." message box
    void AbrePaginaProdutos();  // SpeedButton10Click, ImageClick, Label2Click: opens the vendor's products page
    // Mouse over a large button: its description yellow, the others grey;
    // -1 (the window's background) greys them all.
    void DestacaDescricao(int indice);

    // Opens the file with the desktop's viewer; `naoAbriu` runs when none took it.
    static void ExecutePrograma(const QString& caminho, std::function<void()> naoAbriu = {});
    // The manual built into the program, in a window of its own.
    void MostraManualNaTela();
    QDialog* JanelaDoManual() const { return manual_; }

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void CriaCalculos();
    void CriaColunaDireita();
    std::array<QPushButton*, 4> botoes_{};
    std::array<MemoTexto*, 4> memos_{};
    QDialog* manual_ = nullptr;
    bool quadroDesdeOInicio_ = false;
};

}  // namespace quantivo
