#include "ui/Acessivel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace quantivo {
namespace {

QAccessibleInterface* FabricaJanela(const QString& classe, QObject* objeto) {
    auto* w = qobject_cast<QWidget*>(objeto);
    // Asked once per class up the object's hierarchy, and the answer is kept
    // for the object's life: answered only for the program's own window
    // classes that come straight from QWidget and are windows from their
    // construction on. (A control Qt builds without a parent is a window for
    // a moment; its class has a role of its own.)
    if (!w || !w->isWindow() || w->windowType() != Qt::Window) return nullptr;
    const QMetaObject* mo = w->metaObject();
    if (classe != QLatin1String(mo->className()) || !classe.startsWith(QLatin1String("quantivo::"))) return nullptr;
    if (mo->superClass() != &QWidget::staticMetaObject) return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

}  // namespace

void DaPapelDeJanela() {
    static const bool instalada = [] {
        QAccessible::installFactory(&FabricaJanela);
        return true;
    }();
    (void)instalada;
}

}  // namespace quantivo
