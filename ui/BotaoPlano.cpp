#include "ui/BotaoPlano.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QTimer>

namespace quantivo {
namespace {

class AcessivelBotaoPlano : public QAccessibleWidget {
public:
    explicit AcessivelBotaoPlano(BotaoPlano* b) : QAccessibleWidget(b, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const auto* b = static_cast<const QAbstractButton*>(widget());
        switch (t) {
            case QAccessible::Name:
                if (!b->accessibleName().isEmpty()) return b->accessibleName();
                return SemMarcaAtalho(b->text());
            case QAccessible::Accelerator:
                return QKeySequence::mnemonic(b->text()).toString(QKeySequence::NativeText);
            default:
                return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (static_cast<const QAbstractButton*>(widget())->isDown()) s.pressed = true;
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString& acao) const override {
        if (acao != pressAction()) return {};
        const QString tecla = text(QAccessible::Accelerator);
        return tecla.isEmpty() ? QStringList() : QStringList{tecla};
    }
    void doAction(const QString& acao) override {
        auto* b = static_cast<QAbstractButton*>(widget());
        if (acao != pressAction() || !b->isEnabled()) return;
        // Clicked from the event loop, after the client's call has returned.
        QTimer::singleShot(0, b, [b = QPointer<QAbstractButton>(b)] {
            if (b && b->isEnabled()) b->click();
        });
    }

private:
    static QString SemMarcaAtalho(QString t) {
        for (int i = 0; i < t.size(); ++i)
            if (t[i] == QLatin1Char('&')) t.remove(i, 1);  // "&&" leaves one "&"
        return t;
    }
};

QAccessibleInterface* Fabrica(const QString& classe, QObject* objeto) {
    if (classe == QLatin1String(BotaoPlano::staticMetaObject.className()))
        if (auto* b = qobject_cast<BotaoPlano*>(objeto)) return new AcessivelBotaoPlano(b);
    return nullptr;
}

}  // namespace

BotaoPlano::BotaoPlano(const QString& texto, const QIcon& icone, const QString& dica, QWidget* parent)
    : QToolButton(parent) {
    static const bool instalada = [] {
        QAccessible::installFactory(&Fabrica);
        return true;
    }();
    (void)instalada;
    setText(texto);
    setIcon(icone);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(dica);
}

}  // namespace quantivo
