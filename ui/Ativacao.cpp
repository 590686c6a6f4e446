#include "ui/Ativacao.h"

#include <QApplication>
#include <QEvent>

namespace quantivo {
namespace {

// The program's last active top-level window and whether it belonged to
// another window (its owner chain). The owner is taken when the window is
// activated, since a closed message box may be gone by the time the window
// below it is activated again.
struct Registro {
    QPointer<QWidget> janela;
    QList<QPointer<QWidget>> donos;
};

class Rastreador : public QObject {
public:
    static Rastreador& Instancia() {
        static Rastreador* r = new Rastreador(qApp);
        return *r;
    }
    // The window active before the current one.
    Registro anterior, atual;

protected:
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && obj->isWidgetType() && static_cast<QWidget*>(obj)->isWindow()) {
            auto* w = static_cast<QWidget*>(obj);
            if (atual.janela != w) {
                anterior = atual;
                atual = Registro{w, Donos(w)};
            }
        }
        return false;
    }

private:
    explicit Rastreador(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }
    static QList<QPointer<QWidget>> Donos(QWidget* w) {
        QList<QPointer<QWidget>> d;
        for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) d << p->window();
        return d;
    }
};

}  // namespace

void TrazParaOTrabalho(QWidget* janela) {
    janela->show();
    janela->raise();
    janela->activateWindow();
}

Ativacao::Ativacao(QWidget* janela, std::function<void()> aoAtivar)
    : QObject(janela), janela_(janela), aoAtivar_(std::move(aoAtivar)) {
    Rastreador::Instancia();
    // Installed after the tracker, so it runs before it: the tracker still
    // holds the previous window when this filter looks.
    qApp->installEventFilter(this);
}

Ativacao::~Ativacao() { qApp->removeEventFilter(this); }

bool Ativacao::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() != QEvent::WindowActivate || obj != janela_) return false;
    const Registro& atual = Rastreador::Instancia().atual;
    if (atual.janela == janela_) return false;  // back from another program
    bool propria = false;
    for (const auto& d : atual.donos) propria = propria || d == janela_;
    if (!propria) aoAtivar_();
    return false;
}

}  // namespace quantivo
