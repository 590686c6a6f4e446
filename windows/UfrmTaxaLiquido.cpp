#include "windows/UfrmTaxaLiquido.h"

#include <QPushButton>

#include "ui/Aparencia.h"
#include "ui/CampoNumerico.h"
#include "ui/Construcao.h"
#include "ui/Regional.h"

namespace quantivo {

TfrmTaxaLiquido::TfrmTaxaLiquido(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTaxaLiquido"));
    setWindowTitle(QStringLiteral("Taxa p/ líquido"));
    setFont(FonteJanela());
    setFixedSize(300, 124);

    edtLiquido = Nomeia(new CampoNumerico(2, this), "edtLiquido");
    edtLiquido->setGeometry(12, 30, 140, 21);
    edtLiquido->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edtLiquido->DefineSemNegativo(true);
    edtLiquido->setAccessibleName(QStringLiteral("Líquido desejado"));
    edtLiquido->setToolTip(QStringLiteral("O valor que o cliente quer receber hoje"));
    DestacaFoco(edtLiquido);
    Rotulo(this, QStringLiteral("&Líquido desejado (R$)"), {12, 12, 200, 16}, edtLiquido);
    auto* explica =
        Rotulo(this, QStringLiteral("A taxa ao mês, de 0 a 100%, cujo líquido fica mais perto deste valor."),
               {12, 56, 276, 30});
    explica->setWordWrap(true);

    btnOK = Nomeia(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setGeometry(128, 90, 76, 26);
    btnOK->setDefault(true);
    btnCancela = Nomeia(new QPushButton(QStringLiteral("Cancelar"), this), "btnCancela");
    btnCancela->setGeometry(212, 90, 76, 26);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancela, &QPushButton::clicked, this, &QDialog::reject);
    DefineOrdemTab({edtLiquido, btnOK, btnCancela});
    edtLiquido->setFocus(Qt::OtherFocusReason);
}

long double TfrmTaxaLiquido::Liquido() const { return edtLiquido->Valor(); }

}  // namespace quantivo
