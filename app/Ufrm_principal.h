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

    QPushButton* SpeedButton5;
    QPushButton* SpeedButton6;
    QPushButton* SpeedButton7;
    QPushButton* SpeedButton8;
    QPushButton* SpeedButton9;
    MemoTexto* Memo1;
    MemoTexto* Memo2;
    MemoTexto* Memo3;
    MemoTexto* Memo4;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton10;
    QLabel* Image;
    QLabel* Label1;
    QLabel* Label2;
    QStatusBar* StatusBar1;

    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void AbrePaginaProdutos();  // SpeedButton10Click, ImageClick, Label2Click
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
