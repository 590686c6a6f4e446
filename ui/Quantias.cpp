#include "ui/Quantias.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <algorithm>

#include "core/Valores.h"
#include "ui/CampoNumerico.h"
#include "ui/Servicos.h"

namespace quantivo {
namespace {

bool Digito(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool Marca(QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(','); }

bool SoDigitos(const QString& t) {
    for (QChar c : t)
        if (!Digito(c)) return false;
    return !t.isEmpty();
}

// Groups of a text split at `marca`: the first one leads (one digit at least,
// not a 0 before others), every later one has exactly three digits.
bool GruposDeMilhar(const QStringList& grupos) {
    if (grupos.size() < 2 || !SoDigitos(grupos[0]) || grupos[0][0] == QLatin1Char('0')) return false;
    for (qsizetype i = 1; i < grupos.size(); ++i)
        if (grupos[i].size() != 3 || !SoDigitos(grupos[i])) return false;
    return true;
}

// Leaving a field for another control of the window (not the window losing
// the focus to a message box or another window).
bool SaidaParaOutroControle(Qt::FocusReason r) {
    return r == Qt::TabFocusReason || r == Qt::BacktabFocusReason || r == Qt::MouseFocusReason ||
           r == Qt::ShortcutFocusReason;
}

class Vigia : public QObject {
public:
    explicit Vigia(QLineEdit* campo) : QObject(campo), campo_(campo) { campo->installEventFilter(this); }

    bool Confere() {
        pendente_ = false;
        const QString t = campo_->text();
        if (perguntando_ || !MilharAmbiguo(t)) return true;
        perguntando_ = true;
        const QPointer<Vigia> vivo(this);
        const bool milhar = ConfirmaMilhar(t);
        if (!vivo) return false;
        perguntando_ = false;
        if (milhar) {
            campo_->setText(SemMilhar(t));
            return true;
        }
        if (campo_->isVisible() && campo_->isEnabled()) {
            campo_->setFocus(Qt::OtherFocusReason);
            campo_->selectAll();
        }
        return false;
    }

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusOut && SaidaParaOutroControle(static_cast<QFocusEvent*>(e)->reason()) &&
            !perguntando_ && !pendente_ && MilharAmbiguo(campo_->text())) {
            // Asked once the focus has settled where the clerk sent it.
            pendente_ = true;
            QuandoOFocoAssentar(this, [this] {
                if (pendente_ && campo_->isVisible()) Confere();
            });
        }
        return false;
    }

private:
    QLineEdit* campo_;
    bool pendente_ = false;
    bool perguntando_ = false;
};

}  // namespace

Separador DecideSeparador(const QLineEdit* campo, QString* reagrupado) {
    const QString t = campo->text();
    if (campo->hasSelectedText()) {
        // The key replaces the selection: what stays may hold a comma already.
        QString resto = t;
        resto.remove(campo->selectionStart(), campo->selectedText().size());
        return resto.contains(QLatin1Char(',')) ? Separador::Recusa : Separador::Virgula;
    }
    if (!t.contains(QLatin1Char(','))) return Separador::Virgula;
    if (campo->cursorPosition() == t.size() && MilharAmbiguo(t)) {
        if (reagrupado) *reagrupado = SemMilhar(t) + QLatin1Char(',');
        return Separador::Reagrupa;
    }
    return Separador::Recusa;
}

bool MilharAmbiguo(const QString& texto) {
    QString t = texto;
    if (t.startsWith(QLatin1Char('-'))) t.remove(0, 1);
    return !t.contains(QLatin1Char('.')) && GruposDeMilhar(t.split(QLatin1Char(','))) && t.count(QLatin1Char(',')) == 1;
}

QString SemMilhar(const QString& texto) {
    QString t = texto;
    t.remove(QLatin1Char(','));
    return t;
}

std::string PerguntaMilhar(const QString& texto, int linha) {
    const std::string milhar = FormataValor(LeNumero(SemMilhar(texto).toStdString()));
    const QString onde = linha > 0 ? QStringLiteral(" da linha %1").arg(linha) : QString();
    return QStringLiteral("O valor \"%1\"%2 é %3?\nResponda Não para corrigi-lo.")
        .arg(texto, onde, QString::fromStdString(milhar))
        .toStdString();
}

bool ConfirmaMilhar(const QString& texto, int linha) {
    return ServicoMensagens().Pergunta(PerguntaMilhar(texto, linha), true, kTituloAtencao);
}

std::optional<QString> LimpaQuantiaColada(const QString& texto) {
    if (texto.trimmed().isEmpty()) return QString();
    QString s;
    for (QChar c : texto)
        if (Digito(c) || Marca(c)) s += c;
    bool algarismo = false;
    for (QChar c : s) algarismo = algarismo || Digito(c);
    if (!algarismo) return std::nullopt;
    const qsizetype pontos = s.count(QLatin1Char('.')), virgulas = s.count(QLatin1Char(','));
    if (pontos == 0 && virgulas == 0) return s;
    const auto soAlgarismos = [](QString t) {
        t.remove(QLatin1Char('.')).remove(QLatin1Char(','));
        return t;
    };
    if (pontos > 0 && virgulas > 0) {
        // The last mark is the decimal one, the others group digits.
        const qsizetype decimal = std::max(s.lastIndexOf(QLatin1Char('.')), s.lastIndexOf(QLatin1Char(',')));
        return soAlgarismos(s.left(decimal)) + QLatin1Char(',') + soAlgarismos(s.mid(decimal + 1));
    }
    const QChar marca = pontos > 0 ? QLatin1Char('.') : QLatin1Char(',');
    // One comma alone is the decimal comma, as Brazilians write it; dots, or
    // several commas, group digits when they fall every three digits.
    if (GruposDeMilhar(s.split(marca)) && (marca == QLatin1Char('.') || virgulas > 1)) return soAlgarismos(s);
    if (pontos + virgulas != 1) return std::nullopt;
    QString r = QString(s).replace(marca, QLatin1Char(','));
    // Read as decimals, "1,000" is 1: written so, it is not asked about again
    // as a typed "1.000" is.
    if (MilharAmbiguo(r))
        while (r.endsWith(QLatin1Char('0')) || r.endsWith(QLatin1Char(','))) {
            const bool virgula = r.endsWith(QLatin1Char(','));
            r.chop(1);
            if (virgula) break;
        }
    return r;
}

void VigiaMilhar(QLineEdit* campo) { new Vigia(campo); }

void QuandoOFocoAssentar(QObject* dono, std::function<void()> acao) {
    QTimer::singleShot(0, dono, [dono, acao = std::move(acao)]() mutable {
        if (QGuiApplication::mouseButtons() == Qt::NoButton) return acao();
        // Polled: the release that ends the click comes as an event of its own.
        QTimer::singleShot(10, dono, [dono, acao = std::move(acao)]() mutable { QuandoOFocoAssentar(dono, acao); });
    });
}

bool ConfereQuantias(QWidget* janela) {
    for (CampoNumerico* c : janela->findChildren<CampoNumerico*>())
        if (!c->ConfereValor()) return false;
    for (QObject* o : janela->findChildren<QObject*>())
        if (auto* v = dynamic_cast<Vigia*>(o); v && !v->Confere()) return false;
    return true;
}

}  // namespace quantivo
