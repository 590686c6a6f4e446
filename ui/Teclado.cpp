#include "ui/Teclado.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>

#include "ui/Quantias.h"

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
    FiltroDeTeclas(QWidget* dono, FiltroTeclas f) : QObject(dono), filtro_(f) {
        auto* campo = qobject_cast<QLineEdit*>(dono);
        if (!campo || (f != FiltroTeclas::Valor && f != FiltroTeclas::Campo)) return;
        quantia_ = campo;
        // What reaches the text by no typed key (the context menu's paste, a
        // drop, the X selection) is cleaned as a pasted amount.
        QObject::connect(campo, &QLineEdit::textEdited, this, [this](const QString& t) {
            if (digitando_) return;
            if (const auto limpo = LimpaQuantiaColada(t); limpo && *limpo != t) quantia_->setText(*limpo);
        });
    }
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (quantia_) {
            if (k->matches(QKeySequence::Paste)) {
                quantia_->insert(LimpaQuantiaColada(QApplication::clipboard()->text()).value_or(QString()));
                return true;
            }
            // A key's edit is left as the key made it.
            digitando_ = true;
            QTimer::singleShot(0, this, [this] { digitando_ = false; });
        }
        QChar c;
        if (!TemCaractere(k, c)) return false;
        if (quantia_ && (c == QLatin1Char(',') || c == QLatin1Char('.'))) return Separa();
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
    // A separator typed into an amount: the decimal comma, the digits
    // regrouped, or nothing.
    bool Separa() {
        QString reagrupado;
        switch (DecideSeparador(quantia_, &reagrupado)) {
            case Separador::Virgula:
                quantia_->insert(QStringLiteral(","));
                break;
            case Separador::Reagrupa:
                quantia_->setText(reagrupado);
                break;
            case Separador::Recusa:
                break;
        }
        return true;
    }

    FiltroTeclas filtro_;
    QLineEdit* quantia_ = nullptr;
    bool digitando_ = false;
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
    // A real Tab, so that the control's own Tab handling and the focus frame
    // are those of Tab; sent to the control that has the focus now.
    const QPointer<QWidget> atual = janela->focusWidget();
    if (!atual) return;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(atual, &tab);
}

void InstalaFiltroTeclas(QWidget* w, FiltroTeclas filtro) {
    if (filtro != FiltroTeclas::Livre) w->installEventFilter(new FiltroDeTeclas(w, filtro));
}

QShortcut* TeclaDaJanela(QWidget* janela, const QKeySequence& tecla, std::function<void()> acao) {
    auto* atalho = new QShortcut(tecla, janela);
    atalho->setContext(Qt::WindowShortcut);
    atalho->setAutoRepeat(false);
    QObject::connect(atalho, &QShortcut::activated, janela, std::move(acao));
    return atalho;
}

void EnterComoTab(QWidget* janela, std::function<bool(const QWidget*)> ficaNoControle, std::function<void()> avanca) {
    if (!avanca) avanca = [janela] { PassaAdiante(janela); };
    QList<QShortcut*> atalhos;
    for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* atalho = new QShortcut(QKeySequence(k), janela);
        atalho->setContext(Qt::WindowShortcut);
        QObject::connect(atalho, &QShortcut::activated, janela, avanca);
        atalhos << atalho;
    }
    if (!ficaNoControle) return;
    // While the focus is in such a control, Enter reaches it as a plain key.
    const auto acompanha = [janela, atalhos, ficaNoControle](QWidget*, QWidget* agora) {
        if (!agora || agora->window() != janela) return;
        for (QShortcut* a : atalhos) a->setEnabled(!ficaNoControle(agora));
    };
    QObject::connect(qApp, &QApplication::focusChanged, janela, acompanha);
    acompanha(nullptr, janela->focusWidget());
}

void EnterAvancaEscapeFecha(QWidget* janela) {
    EnterComoTab(janela);
    auto* atalho = new QShortcut(QKeySequence(Qt::Key_Escape), janela);
    atalho->setContext(Qt::WindowShortcut);
    QObject::connect(atalho, &QShortcut::activated, janela, [janela] { janela->close(); });
}

VigiaTeclas::VigiaTeclas(QWidget* janela, Funcao aoPressionar)
    : QObject(janela), janela_(janela), aoPressionar_(std::move(aoPressionar)) {
    qApp->installEventFilter(this);
}

VigiaTeclas::~VigiaTeclas() { qApp->removeEventFilter(this); }

bool VigiaTeclas::eventFilter(QObject* obj, QEvent* e) {
    if ((e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) || !obj->isWidgetType() || !janela_ ||
        static_cast<QWidget*>(obj)->window() != janela_)
        return false;
    if (!aoPressionar_(static_cast<QKeyEvent*>(e)) || e->type() != QEvent::KeyPress) return false;
    e->accept();
    return true;
}

bool SoModificador(int tecla) {
    return tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt || tecla == Qt::Key_AltGr ||
           tecla == Qt::Key_Meta;
}

}  // namespace quantivo
