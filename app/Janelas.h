#pragma once
// The program-wide references: one per window class, empty while that window
// does not exist. The windows are created at start-up in a fixed order, the
// main menu first; see CriaJanelas.
#include <QPointer>

#include "app/UfrmOperacoes.h"
#include "app/Ufrm_Ajuda.h"
#include "app/Ufrm_principal.h"
#include "windows/Calculo.h"
#include "windows/UfrmPostecipada.h"
#include "windows/UfrmRenegociacao.h"

namespace quantivo {

extern QPointer<Tfrm_principal> frm_principal;
extern QPointer<Tfrm_desconto_cheque> frm_desconto_cheque;
extern QPointer<Tfrm_Ajuda> frm_Ajuda;
extern QPointer<TfrmPostecipada> frmPostecipada;
extern QPointer<TfrmRenegociacao> frmRenegociacao;
// The saved operations: created when first opened, then kept.
extern QPointer<TfrmOperacoes> frmOperacoes;

// Creates the windows in their start-up order (all hidden) and wires the
// actions that cross from one window to another.
void CriaJanelas();
// The same in two halves, so that the program can show its main menu before
// it builds the other windows: the main menu, then the rest in their order.
void CriaMenuPrincipal();
void CriaDemaisJanelas();
// Shows the main menu and builds the other windows once it has been painted.
void MostraMenuECriaDemais();
// Destroys every window when the event loop has ended.
void DestroiJanelas();

// The help window, created when it is first shown and then kept, shown as a
// modal dialog over `dono`.
void MostraAjuda(QWidget* dono);

// The saved operations as a modal dialog over `dono` (the main menu, the
// workbench); the one chosen to reopen goes into the workbench.
void AbreOperacoes(QWidget* dono);

}  // namespace quantivo
