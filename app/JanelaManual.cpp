#include "app/JanelaManual.h"

#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/Construcao.h"
#include "ui/Regional.h"

namespace quantivo {

JanelaManual::JanelaManual(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frm_Manual"));
    setWindowTitle(QStringLiteral("Manual do Quantivo"));
    setFont(FonteJanela(9));
    resize(760, 620);

    auto* l = new QVBoxLayout(this);
    texto = Nomeia(new QTextBrowser(this), "texto");
    texto->setAccessibleName(QStringLiteral("Manual do Quantivo"));
    // The manual has no links out of it; none is followed.
    texto->setOpenLinks(false);
    texto->setSource(QUrl(QString::fromLatin1(kManualEmbutido)));
    l->addWidget(texto);

    btnFecha = Nomeia(new QPushButton(QStringLiteral("F2 - &Fecha"), this), "btnFecha");
    btnFecha->setAutoDefault(false);
    l->addWidget(btnFecha, 0, Qt::AlignHCenter);
    connect(btnFecha, &QPushButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this, &QDialog::accept);
    CentraAoMostrar(this);
}

}  // namespace quantivo
