// The looks of the two entry windows: the window and its groups coloured, the
// fields in the field colour, the grid's title row in the grid's face.
#include <QGroupBox>
#include <QHeaderView>

#include "tests/support/GuardaJanelas.h"
#include "windows/Ufrm_desconto.h"
#include "windows/Ufrm_venda_por_fora.h"

using namespace quantivo;

namespace {

class AparenciaEntrada : public teste::JanelaTeste {
protected:
    Tfrm_desconto_cheque bancada;
};

void ConfereCores(JanelaEntrada& j, const QColor& cor) {
    const QColor campo = QPalette().color(QPalette::Base);
    EXPECT_EQ(j.palette().color(QPalette::Window), cor);
    for (QGroupBox* g : j.findChildren<QGroupBox*>()) EXPECT_EQ(g->palette().color(QPalette::Window), cor);
    for (QWidget* w : std::initializer_list<QWidget*>{j.data_ref, j.edtTaxa, j.edtTAC, j.edtIOF, j.edtTARIFA})
        EXPECT_EQ(w->palette().color(QPalette::Base), campo) << w->objectName().toStdString();
}

void ConfereTitulos(JanelaEntrada& j) {
    const QFont f = j.grid_pre->horizontalHeader()->font();
    EXPECT_EQ(f.family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(f.bold());
    EXPECT_EQ(f.pixelSize(), 16);
}

}  // namespace

TEST_F(AparenciaEntrada, DescontoColoreSoJanelaEGruposComTitulosNaFonteDaGrade) {
    Tfrm_desconto j(nullptr, &bancada);
    ConfereCores(j, QColor(240, 202, 166));
    ConfereTitulos(j);
}

TEST_F(AparenciaEntrada, VendaCertaColoreSoJanelaEGruposComTitulosNaFonteDaGrade) {
    Tfrm_venda_por_fora j(nullptr, &bancada);
    ConfereCores(j, QColor(240, 251, 255));
    EXPECT_EQ(j.edtVlrFinanciado->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
    ConfereTitulos(j);
}
