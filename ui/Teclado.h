#pragma once
// Keyboard behaviour the windows share: the key filters of fields and grid
// columns (which typed characters a control takes), the window's own keys
// (seen before the focused control, a grid's cell editor included) and Enter
// as Tab.
#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QKeyEvent;
class QShortcut;

namespace quantivo {

enum class FiltroTeclas {
    Livre,       // every character
    Vencimento,  // a date cell: digits and Enter; the mask's own editing keys still work
    Valor,       // digits, "," ("." becomes ","), Enter and Backspace
    Bloqueado,   // no character at all (a column only the calculations write)
    Campo,       // digits, "," ("." becomes ","), Backspace; Enter is dropped
};
// In a line edit, Valor and Campo take amounts as ui/Quantias.h says: a
// second separator regroups the digits or is dropped, and a text pasted or
// dropped into it is cleaned as a pasted amount.

// Keys that change nothing by themselves: Shift before a digit, the Ctrl of
// Ctrl+Z, the Alt of a window's accelerator held down.
bool SoModificador(int tecla);

// Installs the filter on a widget (a field or a grid cell editor).
void InstalaFiltroTeclas(QWidget* w, FiltroTeclas filtro);
// Whether the filter drops the character this key press carries.
bool TeclaDescartada(FiltroTeclas filtro, const QKeyEvent* e);

// Enter as Tab: the focused control of `janela` gets a Tab key press, so that
// the focus moves exactly as by Tab and shows the same focus frame.
void PassaAdiante(QWidget* janela);

// A key of `janela` that the window takes before its focused control does,
// also while a grid's cell editor has the focus: a shortcut of the window,
// live while the window is the active one (not in the message boxes and
// dialogs it opens). The key goes no further, so nothing is left to deliver
// to a control that the action may have destroyed. Held down, it acts once.
QShortcut* TeclaDaJanela(QWidget* janela, const QKeySequence& tecla, std::function<void()> acao);

// Enter (the keypad's too) anywhere in `janela` moves on as Tab does and goes
// no further, except in the controls for which `ficaNoControle` holds (a
// grid and its cell editors): there Enter is left to the control. `avanca`,
// when given, moves on in place of the plain Tab (a window that must know the
// Tab came from Enter).
void EnterComoTab(QWidget* janela, std::function<bool(const QWidget* foco)> ficaNoControle = {},
                  std::function<void()> avanca = {});

// The keys of the receipt's windows: Enter moves on as Tab does and Escape
// closes `janela`.
void EnterAvancaEscapeFecha(QWidget* janela);

// Sees each key pressed in `janela` before the focused control does, for as
// long as it lives (a cell editor's keys included); `aoPressionar` returning
// true for a QEvent::KeyPress takes the key. It never delivers a key itself.
// A key that a shortcut takes shows only as its QEvent::ShortcutOverride,
// which is never taken; a key it lets go may reach it again on its way up to
// the control's parents: what it does with a key it lets go must bear being
// done twice.
class VigiaTeclas : public QObject {
public:
    using Funcao = std::function<bool(const QKeyEvent* e)>;
    VigiaTeclas(QWidget* janela, Funcao aoPressionar);
    ~VigiaTeclas() override;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    QPointer<QWidget> janela_;
    Funcao aoPressionar_;
};

// Enter or Return with no modifier other than the keypad's.
bool EhEnter(const QKeyEvent* e);

}  // namespace quantivo
