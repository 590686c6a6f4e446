#include "ui/Teclado.h"

#include <QApplication>
#include <QKeyEvent>

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
        case FiltroTeclas::Livre: return Destino::Passa;
        case FiltroTeclas::Data: return Digito(c) || enter || retrocesso ? Destino::Passa : Destino::Descarta;
        case FiltroTeclas::Bloqueado: return enter ? Destino::Passa : Destino::Descarta;
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
            case Destino::Passa: return false;
            case Destino::Descarta: return true;
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

bool Descendente(const QWidget* w, const QWidget* ancestral) {
    for (const QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget())
        if (p == ancestral) return true;
    return false;
}

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
    // A key the focused control leaves unused travels on to its parents as
    // the same event; the preview has already seen it. (A new key press may
    // come at the old one's address, to the grid whose cell editor the old
    // one closed: the key tells them apart.)
    auto* k = static_cast<QKeyEvent*>(e);
    if (e == ultimoEvento_ && k->key() == ultimaTecla_ && ultimoAlvo_ && Descendente(ultimoAlvo_, alvo))
        return false;
    ultimoEvento_ = e;
    ultimaTecla_ = k->key();
    ultimoAlvo_ = alvo;
    return aoPressionar_(static_cast<QKeyEvent*>(e), alvo);
}

}  // namespace quantivo
