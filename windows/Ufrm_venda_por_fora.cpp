#include "windows/Ufrm_venda_por_fora.h"

#include "ui/Construcao.h"
#include "ui/Quantias.h"
#include "ui/Servicos.h"

namespace quantivo {
namespace {

constexpr const char* kMsgValorFinanciadoObrigatorio = "Para este cálculo é OBRIGATÓRIO informar o valor Financiado";

std::vector<ColunaGrade> ColunaDatas() {
    return {{QStringLiteral("Data cheque"), &Parcela::Data, 112, FiltroTeclas::Vencimento}};
}

bool TemData(const Parcela& p) { return !p.Data.empty(); }

QLabel* Nota(QWidget* pai, const QString& texto, const QRect& geo) {
    auto* l = new QLabel(texto, pai);
    l->setGeometry(geo);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

QPointer<Tfrm_venda_por_fora> frm_venda_por_fora;

Tfrm_venda_por_fora::Tfrm_venda_por_fora(QWidget* parent, Tfrm_desconto_cheque* bancada)
    : JanelaEntrada(parent, bancada,
                    {QStringLiteral("Venda Certa (Desconto Inverso)"), QSize(438, 525), QColor(240, 251, 255)}) {
    setObjectName(QStringLiteral("frm_venda_por_fora"));

    QGroupBox* dados = CriaGrupo(QStringLiteral("Dados Gerais"), {6, 2, width() - 12, 236});
    CriaDadosGerais(dados);
    edtVlrFinanciado = new CampoNumerico(2, dados);
    edtVlrFinanciado->setObjectName(QStringLiteral("edtVlrFinanciado"));
    edtVlrFinanciado->setGeometry(10, 166, 110, 21);
    edtVlrFinanciado->setAccessibleName(QStringLiteral("Valor Financiado"));
    auto* rotulo = Nota(dados, QStringLiteral("Valor Financiado"), {10, 150, 110, 14});
    rotulo->setBuddy(edtVlrFinanciado);
    Nota(dados, QStringLiteral("Preencha com o valor da venda ou\nde empréstimo desejado pelo cliente."),
         {128, 162, 260, 30});
    CriaCompensacao(dados, 196);

    QGroupBox* datas = CriaGrupo(QStringLiteral("Cheques"), {6, 242, width() - 12, 178});
    CriaGrade(datas, QStringLiteral("Digite abaixo as datas de vencimento"), ColunaDatas(), Qt::black,
              {8, 40, 134, 130});
    Nota(datas,
         QStringLiteral("As datas devem ser maiores que\na data de referência.\n\nApós digitar as datas clique no\n"
                        "botão CONTINUA e o sistema\nirá calcular os valores das\nparcelas"),
         {156, 44, 250, 120});

    CriaBotao(426);
    CriaStatus();
    DefineOrdemTab(
        {data_ref, edtTaxa, edtTAC, edtIOF, cbTipoTarifa, edtTARIFA, edtVlrFinanciado, CheckBox1, grid_pre, BitBtn1});
    AoSair(edtVlrFinanciado, [this] { edtVlrFinanciadoExit(); });
    campoAntesDaGrade_ = edtVlrFinanciado;
}

void Tfrm_venda_por_fora::edtVlrFinanciadoExit() {
    if (!(edtVlrFinanciado->Valor() > 0)) MostraMensagem(kMsgValorFinanciadoObrigatorio);
}

void Tfrm_venda_por_fora::BitBtn1Click() {
    if (!JanelaBancada()) return;
    ProtegeAcao([this] {
        if (!data_ref->ConfereData() || !ConfereQuantias(this)) return;
        if (!(edtVlrFinanciado->Valor() > 0)) {
            MostraMensagem(kMsgValorFinanciadoObrigatorio);
            return;
        }
        if (!ConfereLinhasDaEntrada(/*exigeValor=*/false)) return;
        const QString taxa = edtTaxa->Texto();
        Bancada op =
            Operacao(TipoCalculo::VendaPorFora, taxa.isEmpty() ? QStringLiteral("0") : taxa, {&Parcela::Data}, TemData);
        op.dados.ValorFinanciado = edtVlrFinanciado->Texto().toStdString();
        EntregaABancada(op, /*comValorFinanciado=*/true);
    });
}

void AbreVendaPorFora(QWidget* pai, Tfrm_desconto_cheque* bancada) {
    if (!frm_venda_por_fora) frm_venda_por_fora = new Tfrm_venda_por_fora(pai, bancada);
    frm_venda_por_fora->exec();
    delete frm_venda_por_fora.data();
}

}  // namespace quantivo
