#include "ui/Teclado.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <memory>

namespace quantivo {
namespace {

// A key press that carries a character, as the filters see it: printable
// characters, Backspace and Enter. Arrows, Delete and the F-keys carry none.
bool TemCaractere(const QKeyEvent* e, QChar& c) {
    const QString t = e->text();
    if (t.isEmpty()) return false;
    c = t.at(0);
    if (e->key() == Qt::Key_Backspace) c = QChar(8);
    if (EhEnter(e)) c = QChar(13);
    return c.unicode() >= 32 || c.unicode() == 8 || c.unicode() == 13;
}

bool Digito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

enum class Destino { Passa, Descarta, Virgula };

Destino Decide(FiltroTeclas f, QChar c) {
    const bool enter = c.unicode() == 13, retrocesso = c.unicode() == 8;
    switch (f) {
        case FiltroTeclas::Livre:
            return Destino::Passa;
        case FiltroTeclas::Vencimento:
            return Digito(c) || enter || retrocesso ? Destino::Passa : Destino::Descarta;
        case FiltroTeclas::Bloqueado:
            return enter ? Destino::Passa : Destino::Descarta;
        case FiltroTeclas::Valor:
        case FiltroTeclas::Campo:
            if (c == QLatin1Char('.')) return Destino::Virgula;
            if (Digito(c) || c == QLatin1Char(',') || retrocesso) return Destino::Passa;
            if (enter && f == FiltroTeclas::Valor) return Destino::Passa;
            return Destino::Descarta;
    }
    return Destino::Passa;
}

class FiltroDeTeclas : public QObject {
public:
    FiltroDeTeclas(QObject* dono, FiltroTeclas f) : QObject(dono), filtro_(f) {}
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        QChar c;
        if (!TemCaractere(k, c)) return false;
        switch (Decide(filtro_, c)) {
            case Destino::Passa:
                return false;
            case Destino::Descarta:
                return true;
            case Destino::Virgula: {
                QKeyEvent virgula(QEvent::KeyPress, Qt::Key_Comma, k->modifiers(), QStringLiteral(","));
                QCoreApplication::sendEvent(obj, &virgula);
                return true;
            }
        }
        return false;
    }

private:
    FiltroTeclas filtro_;
};

}  // namespace

bool EhEnter(const QKeyEvent* e) {
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
           (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool TeclaDescartada(FiltroTeclas filtro, const QKeyEvent* e) {
    QChar c;
    return TemCaractere(e, c) && Decide(filtro, c) == Destino::Descarta;
}

void PassaAdiante(QWidget* janela) {
    if (QWidget* atual = janela->focusWidget()) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(atual, &tab);
    }
}

void InstalaFiltroTeclas(QWidget* w, FiltroTeclas filtro) {
    if (filtro != FiltroTeclas::Livre) w->installEventFilter(new FiltroDeTeclas(w, filtro));
}

PreviaTeclas::PreviaTeclas(QWidget* janela, Funcao aoPressionar)
    : QObject(janela), janela_(janela), aoPressionar_(std::move(aoPressionar)) {
    qApp->installEventFilter(this);
}

PreviaTeclas::~PreviaTeclas() { qApp->removeEventFilter(this); }

bool PreviaTeclas::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !obj->isWidgetType()) return false;
    auto* alvo = static_cast<QWidget*>(obj);
    if (alvo->window() != janela_) return false;
    // The copy below, on its way to the control and up to its parents.
    if (std::find(entregando_.begin(), entregando_.end(), e) != entregando_.end()) return false;
    if (aoPressionar_(static_cast<QKeyEvent*>(e), alvo)) return true;
    // A key the control leaves unused travels on to its parents as the same
    // event, which the preview has seen already; and the key may have moved
    // the focus to one of them meanwhile. So the key goes on as a copy whose
    // whole journey is known: it ends when sendEvent returns.
    const std::unique_ptr<QEvent> copia(e->clone());
    entregando_.push_back(copia.get());
    QCoreApplication::sendEvent(alvo, copia.get());
    entregando_.pop_back();
    e->accept();  // the original goes no further
    return true;
}

PreviaTeclas::Funcao EnterAvancaEscapeFecha(QWidget* janela) {
    return [janela](QKeyEvent* e, QWidget*) {
        if (EhEnter(e)) {
            PassaAdiante(janela);
            return true;
        }
        if (e->key() == Qt::Key_Escape) {
            janela->close();
            return true;
        }
        return false;
    };
}

}  // namespace quantivo
