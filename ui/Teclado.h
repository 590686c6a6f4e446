#pragma once
// Keyboard behaviour the windows share: the key filters of fields and grid
// columns (which typed characters a control takes) and the key preview (the
// window sees every key before the focused control, a grid's cell editor
// included).
#include <QObject>
#include <QWidget>
#include <functional>
#include <vector>

class QKeyEvent;

namespace quantivo {

enum class FiltroTeclas {
    Livre,       // every character
    Vencimento,  // a date cell: digits and Enter; the mask's own editing keys still work
    Valor,       // digits, "," ("." becomes ","), Enter and Backspace
    Bloqueado,   // no character at all (a column only the calculations write)
    Campo,       // digits, "," ("." becomes ","), Backspace; Enter is dropped
};

// Installs the filter on a widget (a field or a grid cell editor).
void InstalaFiltroTeclas(QWidget* w, FiltroTeclas filtro);
// Whether the filter drops the character this key press carries.
bool TeclaDescartada(FiltroTeclas filtro, const QKeyEvent* e);

// Enter as Tab: the focused control of `janela` gets a Tab key press, so that
// the focus moves exactly as by Tab and shows the same focus frame.
void PassaAdiante(QWidget* janela);

// The window's key preview: `aoPressionar` sees each key pressed in any
// widget of `janela` (a grid's cell editor included, not the message boxes
// and dialogs it opens) before that widget does, once per key; returning
// true consumes the key.
class PreviaTeclas : public QObject {
    Q_OBJECT
public:
    using Funcao = std::function<bool(QKeyEvent* e, QWidget* alvo)>;
    PreviaTeclas(QWidget* janela, Funcao aoPressionar);
    ~PreviaTeclas() override;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QWidget* janela_;
    Funcao aoPressionar_;
    std::vector<const QEvent*> entregando_;  // copies on their way, innermost last
};

// The keys of the receipt's windows: Enter moves on as Tab does and Escape
// closes `janela`; both are swallowed. For a PreviaTeclas of `janela`.
PreviaTeclas::Funcao EnterAvancaEscapeFecha(QWidget* janela);

// Enter or Return with no modifier other than the keypad's.
bool EhEnter(const QKeyEvent* e);

}  // namespace quantivo
