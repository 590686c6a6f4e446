// The instalment window's print button, in a file of its own: the listing's
// header declares a function named like the numeric field class, which would
// hide the class in the window's own file.
#include "windows/UfrmPostecipada.h"

#include "output/Listagem.h"
#include "windows/Servicos.h"

namespace quantivo {

void TfrmPostecipada::btnImprimeClick() {
    // The listing is built from the fields as they stand; nothing is solved first.
    ProtegeAcao([this] {
        const Data referencia = DateEdit1->Data();
        // An empty masked field's text is its two separators; the listing shows it blank.
        const std::string textoData = referencia == kDataNula ? std::string() : DateEdit1->text().toStdString();
        ImprimeListagemPrestacoes(EntradaPrestacoes(referencia, textoData,
                                                    edtValorFinanciado->Valor(), edtTaxa->Valor(),
                                                    edtNumPrestacao->Valor(), edtVlrPrestacao->Valor()));
    });
}

}  // namespace quantivo
