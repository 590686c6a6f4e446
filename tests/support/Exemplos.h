#pragma once
// The worked examples as the window tests and the screenshot program put
// them into the windows.
#include "core/Datas.h"
#include "tests/support/ControlesBancada.h"
#include "tests/support/Teclas.h"
#include "windows/Calculo.h"
#include "windows/UfrmRenegociacao.h"

namespace quantivo::teste {

// The general data of the cheque-discount example, put straight into the
// workbench's fields: operation on 28/12/2007, 3 % a month, TAC 2 %, IOF
// 0,0041 % a day, a fee of 2,00 per cheque ("Tarifa por título").
inline void DadosDoExemplo(Tfrm_desconto_cheque& f) {
    Controles(f).data_ref->DefineData(*CodificaData(2007, 12, 28));
    Controles(f).Edit1->setText(QStringLiteral("3"));
    Controles(f).edtTAC->DefineValor(2);
    Controles(f).edtIOF->DefineValor(0.0041L);
    Controles(f).cbTipoTarifa->setCurrentIndex(0);
    Controles(f).edtTARIFA->DefineValor(2);
}

// The debt of the renegotiation example typed into its open dialog from the
// first field, with Enter between the fields: 1000,00 due 01/03/08 at 3 % a
// month, updated to 15/04/08. The focus ends on "Calcula".
inline void DigitaDividaDoExemplo(TfrmRenegociacao&) { Campos({"1000", "010308", "3", "150408"}); }

}  // namespace quantivo::teste
