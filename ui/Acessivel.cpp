#include "ui/Acessivel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace quantivo {
namespace {

QAccessibleInterface* FabricaJanela(const QString& classe, QObject* objeto) {
    auto* w = qobject_cast<QWidget*>(objeto);
    // Asked once per class up the object's hierarchy: answered only for the
    // object's own class, and only for a window whose class comes straight
    // from QWidget (Qt's dialogs, menus, popups and tool tips have their own).
    if (!w || !w->isWindow() || w->windowType() != Qt::Window) return nullptr;
    const QMetaObject* mo = w->metaObject();
    if (classe != QLatin1String(mo->className())) return nullptr;
    if (mo != &QWidget::staticMetaObject && mo->superClass() != &QWidget::staticMetaObject) return nullptr;
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
