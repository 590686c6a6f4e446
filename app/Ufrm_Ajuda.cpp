#include "app/Ufrm_Ajuda.h"

#include <QFrame>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/Fornecedor.h"
#include "ui/Aparencia.h"
#include "ui/Regional.h"

namespace quantivo {
namespace {

const QStringList kVendaPorFora1 = {
    QStringLiteral("Com o Quantivo, você sabe antecipadamente por quanto terá de vender,"),
    QStringLiteral("se for descontar o cheque/duplicata no banco. "),
};
const QStringList kVendaPorFora2 = {
    QStringLiteral("Ex."),
    QStringLiteral("Desejo fazer uma venda no valor de R$ 1.500,00 cobrando uma taxa de"),
    QStringLiteral("juros de 3% ao mês. E o cliente quer pagar com 3 cheque nas data "),
    QStringLiteral("05/11/05, 25/12/2005 e 08/01/06."),
    QStringLiteral("Selecione o tipo de calculo como: \"Venda por fora\""),
    QStringLiteral("Digite no campos:"),
    QStringLiteral("                                  Valor Financiado = 1.500,00"),
    QStringLiteral("                                  Taxa desconto - 3% am"),
    QStringLiteral("Na coluna Data, informe as datas de vencimento,no nosso caso:"),
    QStringLiteral("                                  05/11/05 , 25/12/05 e 08/01/06"),
    QStringLiteral("Em seguida clique no botão calcula e será mostrado na coluna Valor,"),
    QStringLiteral("os valores dos cheques"),
};
const QStringList kDescontoCheque = {
    QStringLiteral("Você tem 5 cheques e pretende descontá-los no banco e gostaria de saber "),
    QStringLiteral("qual o valor líquido que irá receber."),
    QStringLiteral("Selecione o tipo de calculo como: \"Desconto de Cheque\""),
    QStringLiteral("Digitar a taxa"),
    QStringLiteral("Digitar vencimento e valor de todos os cheques nas colunas Data e Valor"),
    QStringLiteral("Clicar em calcular, será mostrado no campo Valor Financiado o valor liquido"),
};
const QStringList kTaxaEfetiva = {
    QStringLiteral("Venda à prazo com amortização em 30/30 dias "),
    QString(),
    QStringLiteral("Selecione o tipo de calculo como: \"Prestação Taxa Efetiva\""),
    QStringLiteral("Na tela que surgir, preencha os dados:"),
    QStringLiteral("  Valor da prestação, Número de prestação, e taxa mensal."),
    QStringLiteral("Clique no botão OK e o cálculo será feito"),
};

QLabel* Texto(const QStringList& linhas, QWidget* pai, const char* nome) {
    auto* l = new QLabel(linhas.join(QLatin1Char('\n')), pai);
    l->setObjectName(QLatin1String(nome));
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A framed panel: its title and its texts, in the title's colour when given.
QFrame* Painel(QWidget* pai, const char* nome, const QString& titulo, const std::vector<QLabel*>& textos,
               const QColor* cor) {
    auto* p = new QFrame(pai);
    p->setObjectName(QLatin1String(nome));
    p->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* l = new QVBoxLayout(p);
    l->setContentsMargins(6, 4, 6, 6);
    l->setSpacing(4);
    auto* t = new QLabel(titulo, p);
    t->setObjectName(QLatin1String(nome) + QStringLiteral("Titulo"));
    QFont f = FonteJanela(8, true);
    if (cor) f.setUnderline(true);
    t->setFont(f);
    l->addWidget(t);
    for (QLabel* x : textos) {
        x->setParent(p);
        l->addWidget(x);
    }
    if (cor) {
        PintaTexto(t, *cor);
        for (QLabel* x : textos) PintaTexto(x, *cor);
    }
    return p;
}

}  // namespace

Tfrm_Ajuda::Tfrm_Ajuda(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frm_Ajuda"));
    setWindowTitle(QStringLiteral("Ajuda..."));
    setFont(FonteJanela(7));
    setFixedSize(401, 509);

    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(6, 6, 6, 6);
    l->setSpacing(6);
    l->addWidget(Painel(this, "Panel1", QStringLiteral("VENDA POR FORA"),
                        {Texto(kVendaPorFora1, this, "Memo1"), Texto(kVendaPorFora2, this, "Memo2")}, &kCorMarinho));
    l->addWidget(Painel(this, "Panel2", QStringLiteral("DESCONTO DE CHEQUE"), {Texto(kDescontoCheque, this, "Memo3")},
                        &kCorMarrom));
    l->addWidget(Painel(this, "Panel3", QStringLiteral("TAXA EFETIVA"), {Texto(kTaxaEfetiva, this, "Memo4")}, nullptr));
    l->addStretch();

    auto* email =
        new QLabel(QStringLiteral("Qualquer dúvida contate o e'mail: ") + QString::fromUtf8(fornecedor::kEmail), this);
    email->setObjectName(QStringLiteral("lblEmail"));
    email->setFont(FonteJanela(8, true));
    l->addWidget(email);

    btnFecha = new QPushButton(QStringLiteral("F2 - &Fecha"), this);
    btnFecha->setObjectName(QStringLiteral("btnFecha"));
    btnFecha->setFont(FonteJanela(8));
    btnFecha->setFixedSize(110, 28);
    l->addWidget(btnFecha, 0, Qt::AlignHCenter);
    connect(btnFecha, &QPushButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this, &QDialog::accept);
}

}  // namespace quantivo
