#include "ui/Construcao.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

namespace quantivo {
namespace {

class CentraUmaVez : public QObject {
public:
    explicit CentraUmaVez(QWidget* janela) : QObject(janela) { janela->installEventFilter(this); }
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            CentraNaTela(static_cast<QWidget*>(obj));
            deleteLater();
            obj->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace

QLabel* Rotulo(QWidget* pai, const QString& texto, const QRect& geo, QWidget* companheiro) {
    auto* l = new QLabel(texto, pai);
    l->setGeometry(geo);
    if (companheiro) l->setBuddy(companheiro);
    return l;
}

QLabel* Rotulo(QWidget* pai, const QString& texto, QPoint pos, QWidget* companheiro) {
    auto* l = new QLabel(texto, pai);
    l->move(pos);
    l->adjustSize();
    if (companheiro) l->setBuddy(companheiro);
    return l;
}

void DefineOrdemTab(std::initializer_list<QWidget*> ordem) {
    const QWidget* anterior = nullptr;
    for (QWidget* w : ordem) {
        if (anterior) QWidget::setTabOrder(const_cast<QWidget*>(anterior), w);
        anterior = w;
    }
}

void CentraNaTela(QWidget* janela) {
    QScreen* tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    if (!tela) return;
    QRect r = janela->frameGeometry();
    r.moveCenter(tela->availableGeometry().center());
    janela->move(r.topLeft());
}

void CentraAoMostrar(QWidget* janela) { new CentraUmaVez(janela); }

int ExecComoDialogoDe(QDialog* dialogo, QWidget* dono) {
    if (dialogo->isVisible()) dialogo->hide();
    QWidget* antigo = dialogo->parentWidget();
    const Qt::WindowFlags flags = dialogo->windowFlags();
    if (dono != antigo) dialogo->setParent(dono, flags);
    const int r = dialogo->exec();
    if (dono != antigo) dialogo->setParent(antigo, flags);
    // The keys typed next go back to the owner, as after a message box, also
    // on a desktop with no window manager to hand the keyboard back.
    if (dono && dono->isVisible() && QApplication::activeWindow() != dono->window()) dono->window()->activateWindow();
    return r;
}

}  // namespace quantivo
