#include "windows/Ufrm_desconto.h"

#include "ui/Aparencia.h"
#include "ui/Construcao.h"
#include "ui/Quantias.h"
#include "ui/Servicos.h"

namespace quantivo {
namespace {

constexpr const char* kMsgTaxaObrigatoria = "Para este cálculo é OBRIGATÓRIO informar a TAXA";

std::vector<ColunaGrade> ColunasCheques() {
    return {
        {QStringLiteral("Data"), &Parcela::Data, 92, FiltroTeclas::Vencimento},
        {QStringLiteral("Valor"), &Parcela::Valor, 101, FiltroTeclas::Valor},
        {QStringLiteral("Banco/Número"), &Parcela::BancoNumero, 121, FiltroTeclas::Livre},
        {QStringLiteral("Emitente"), &Parcela::Emitente, 132, FiltroTeclas::Livre},
    };
}

bool TemDataEValor(const Parcela& p) { return !p.Data.empty() && !p.Valor.empty(); }

}  // namespace

QPointer<Tfrm_desconto> frm_desconto;

Tfrm_desconto::Tfrm_desconto(QWidget* parent, Tfrm_desconto_cheque* bancada)
    : JanelaEntrada(parent, bancada, {QStringLiteral("Desconto de Cheques"), QSize(499, 534), QColor(240, 202, 166)}) {
    setObjectName(QStringLiteral("frm_desconto"));

    QGroupBox* dados = CriaGrupo(QStringLiteral("Dados Gerais"), {6, 2, width() - 12, 192});
    CriaDadosGerais(dados);
    CriaCompensacao(dados, 152);

    QGroupBox* cheques = CriaGrupo(QStringLiteral("Cheques"), {6, 198, width() - 12, 236});
    CriaGrade(cheques, QStringLiteral("Digite abaixo os cheques"), ColunasCheques(), kCorMarinho,
              {8, 40, cheques->width() - 16, 188});

    CriaBotao(440);
    CriaStatus();
    DefineOrdemTab({data_ref, edtTaxa, edtTAC, edtIOF, cbTipoTarifa, edtTARIFA, CheckBox1, grid_pre, BitBtn1});
    AoSair(edtTaxa, [this] { edtTaxaExit(); });
    campoAntesDaGrade_ = edtTARIFA;
}

void Tfrm_desconto::edtTaxaExit() {
    if (!(edtTaxa->Valor() > 0)) MostraMensagem(kMsgTaxaObrigatoria);
}

void Tfrm_desconto::BitBtn1Click() {
    if (!JanelaBancada()) return;
    ProtegeAcao([this] {
        if (!data_ref->ConfereData() || !ConfereQuantias(this)) return;
        if (!(edtTaxa->Valor() > 0)) {
            MostraMensagem(kMsgTaxaObrigatoria);
            return;
        }
        if (!ConfereLinhasDaEntrada(/*exigeValor=*/true)) return;
        EntregaABancada(
            Operacao(TipoCalculo::DescontoCheque, edtTaxa->Texto(),
                     {&Parcela::Data, &Parcela::Valor, &Parcela::BancoNumero, &Parcela::Emitente, &Parcela::CMC7},
                     TemDataEValor),
            /*comValorFinanciado=*/false);
    });
}

void AbreDescontoCheque(QWidget* pai, Tfrm_desconto_cheque* bancada) {
    if (!frm_desconto) frm_desconto = new Tfrm_desconto(pai, bancada);
    frm_desconto->exec();
    delete frm_desconto.data();
}

}  // namespace quantivo
