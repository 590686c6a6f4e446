#pragma once
// The grid of cheques or instalments shared by the workbench and the entry
// windows: a table view over a model that holds the Parcela rows as texts,
// a delegate whose cell editors carry the date mask and the per-column key
// filters, and the "remembered cell" (the one whose editor opened last).
//
// Nothing typed is lost on the way to a calculation: a date cell left with a
// text that is no date says so at once (TextoDataInvalidaNaLinha) and stays
// current with its text for correction; an amount left as "1,500" is asked
// about (ui/Quantias.h); a date cell left blank ("//", the mask alone) is an
// empty cell. The windows run ConfereCelulas before they calculate, a paste
// reports what it could not read, and Delete or Backspace clear the selected
// cells (Ctrl+Z right after brings them back).
//
// Cheques by their magnetic line (windows/LeitorCmc7.h): a "Banco/Número"
// that looks like a CMC7 line is checked when its cell is left; a valid line
// shows as "237/0494/001793" and the row keeps the line itself
// (Parcela::CMC7) for as long as the cell keeps that text. A reader's line,
// which begins with "<", goes into the current row's "Banco/Número" wherever
// the cursor stands, and the cursor then goes where the clerk types next.
#include <QAbstractTableModel>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <vector>

#include "core/Tipos.h"
#include "ui/Teclado.h"
#include "windows/LeitorCmc7.h"

namespace quantivo {

struct ColunaGrade {
    QString titulo;
    std::string Parcela::*campo;
    int largura;
    FiltroTeclas filtro;
};

// The workbench's five columns.
std::vector<ColunaGrade> ColunasBancada();

// The hint of the cheque grids (the workbench's and the entry windows').
extern const QString kDicaGradeCheques;
// The message of the Right arrow released on a date cell that is no date.
inline constexpr const char* kMsgDataInvalidaSeta = "Data invalida";
// The message of a date cell holding a text that is no date; `linha` from 1.
QString TextoDataInvalidaNaLinha(const QString& texto, int linha);

class ModeloParcelas : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ModeloParcelas(std::vector<ColunaGrade> colunas, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // A row's cells answer its bank (TextoBancoDaLinha) as their tooltip and
    // accessible description, where its code is known.

    const std::vector<Parcela>& Linhas() const { return linhas_; }
    // Replaces every row; keeps open editors when the row count stays.
    void DefineLinhas(std::vector<Parcela> linhas);
    int NumeroLinhas() const { return static_cast<int>(linhas_.size()); }
    void DefineNumeroLinhas(int n);  // at least one row
    QString Celula(int linha, int coluna) const;
    // Grows the grid when the row does not exist yet.
    void DefineCelula(int linha, int coluna, const QString& texto);
    void AcrescentaLinha();
    // The column of a field; -1 when the grid does not show it.
    int ColunaDe(std::string Parcela::*campo) const;
    // A row's "Banco/Número" text together with the magnetic line it comes
    // from (any other change of that text drops the kept line).
    void DefineCheque(int linha, const QString& bancoNumero, const std::string& cmc7);
    // Writes the column titles (they are fixed, but a window may rewrite them).
    void DefineTitulos(const QStringList& titulos);
    const std::vector<ColunaGrade>& Colunas() const { return colunas_; }

private:
    std::vector<ColunaGrade> colunas_;
    std::vector<Parcela> linhas_ = std::vector<Parcela>(1);
};

struct CelulaGrade {
    int linha = -1;  // 0 is the first data row
    int coluna = -1;
};

class GradeParcelas : public QTableView {
    Q_OBJECT
public:
    explicit GradeParcelas(std::vector<ColunaGrade> colunas, QWidget* parent = nullptr);

    ModeloParcelas* Modelo() const { return modelo_; }
    // The cell whose editor opened last.
    CelulaGrade CelulaLembrada() const { return lembrada_; }
    // The text a cell shows, its open editor's text included.
    QString TextoCelula(int linha, int coluna) const;
    // The key released is the Right arrow and the remembered cell is a date
    // cell holding a text that is no date (kMsgDataInvalidaSeta is then shown).
    bool SetaNumaDataInvalida(int tecla) const;
    // Hands an open editor's text to the model, leaving the editor open.
    void ConfirmaEdicao();
    // Closes an open cell editor, handing its text to the model or dropping
    // it, so that it cannot later write a stale text over cells set since.
    void EncerraEdicao(bool confirma);
    QLineEdit* EditorAberto() const { return editor_; }
    // Enter: the open editor's text to the model, and the cursor to the next
    // cell the user types into (from a row's last such cell, the first of the
    // next row, added at the end as moving down adds it).
    void AvancaComEnter();
    // Ctrl+V: the clipboard's block of cells (tab-separated rows, as a
    // spreadsheet copies them) from the current cell on, each cell cleaned as
    // its column's key filter would (windows/Colagem.h), the grid grown as
    // needed. Cells past the last column and the calculated column are left.
    void Cola();
    // Ctrl+C: the selected cells as tab-separated rows.
    void Copia();
    // No search by typed text: keys typed into the grid edit the current cell.
    void keyboardSearch(const QString& busca) override;
    // Before a calculation reads the rows: every date cell (and, with
    // `valores`, every amount cell) in row order, as a cell left is checked;
    // a date cell left blank is emptied. False at the first one left for
    // correction, which is then the current cell.
    bool ConfereCelulas(bool valores);
    // The focus to the first row with every typed cell empty (one added at
    // the end when there is none), on its first typed cell.
    void VaiParaPrimeiraLinhaVazia();
    // The first other row that holds the same cheque (the same 30 digits of
    // a kept line) as row `linha`; -1 when none does.
    int LinhaDoMesmoCheque(int linha) const;

signals:
    // A key released in the grid or in its cell editor.
    void teclaSolta(int tecla);
    // The current row's bank changed (TextoBancoDaLinha; empty when unknown).
    void bancoDaLinha(const QString& texto);

protected:
    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers mods) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint dica) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool focusNextPrevChild(bool proximo) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    FiltroTeclas FiltroDa(int coluna) const;
    // What a cell editor's text leaves in the model: a date mask with no
    // digit leaves an empty cell.
    QString TextoGuardado(int coluna, const QString& texto) const;
    // A cell left: a date that is no date is said so, an ambiguous amount is
    // asked about. False leaves it current, with its text, for correction.
    bool ConfereCelula(const QModelIndex& i);
    bool TemProblema(const QModelIndex& i) const;
    // A "Banco/Número" cell that looks like a CMC7 line, checked: a valid
    // line becomes the cheque's Banco/Número and is kept with the row
    // (`repetida` the other row with that cheque, or -1); a refused one is
    // left as it stands, `problema` saying why.
    enum class Cheque { Livre, Aceito, Recusado };
    Cheque LeCheque(const QModelIndex& i, int* repetida, std::string* problema);
    // A key pressed in the grid or its cell editor that belongs to a reader's
    // line: true when it goes no further.
    bool TeclaDoLeitor(QKeyEvent* e);
    // The reader's line is complete: into its row's "Banco/Número" (the next
    // row with none when that row holds a cheque read already), checked.
    void TerminaLeitura();
    // Where the clerk types after a cheque was read into row `linha`: its
    // date, its value, or the next row.
    QModelIndex CelulaAposLeitura(int linha);
    void AvisaBanco();
    void VoltaACelula(const QModelIndex& i);
    // The check of a cell left for another control, once the focus has settled.
    void AgendaConferencia(const QModelIndex& i);
    // What a paste could not read, said in one box; `primeiro` becomes current.
    void RelataColagem(const QStringList& problemas, bool datas, const QModelIndex& primeiro);
    // Delete or Backspace on cells not being edited; Ctrl+Z right after.
    void ApagaSelecao();
    void DesfazApagamento();
    QModelIndex ProximaCelula(const QModelIndex& atual);
    // The cell a click on the empty area at `p` (no cell there) makes current.
    QModelIndex CelulaDoVazio(const QPoint& p);
    void AlinhaTopo();
    friend class DelegadoParcelas;
    void EditorCriado(QLineEdit* editor, const QModelIndex& index);

    ModeloParcelas* modelo_;
    CelulaGrade lembrada_;
    QPointer<QLineEdit> editor_;
    QPersistentModelIndex indiceEditor_;
    bool encerrando_ = false;     // the grid itself closes the editor (and checks the cell where needed)
    bool saindoPorFoco_ = false;  // the editor loses the focus to another control
    QPersistentModelIndex pendente_;
    // The key being handled led to a message: its release says nothing more.
    bool avisouNaTecla_ = false;
    struct CelulaApagada {
        QPersistentModelIndex indice;
        QString texto;
        std::string cmc7;  // the kept line of a "Banco/Número" cleared
    };
    std::vector<CelulaApagada> apagadas_;
    bool apagando_ = false;
    // A reader's line being received, and the row it goes to.
    RecepcaoLeitor* leitor_;
    int linhaDoLeitor_ = 0;
    QString bancoAvisado_;
};

class DelegadoParcelas : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DelegadoParcelas(GradeParcelas* grade);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    GradeParcelas* grade_;
};

}  // namespace quantivo
