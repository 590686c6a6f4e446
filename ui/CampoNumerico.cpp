#include "ui/CampoNumerico.h"

#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QValidator>
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/Erros.h"
#include "core/Valores.h"
#include "ui/Quantias.h"

namespace quantivo {
namespace {

// Integer digits beyond what the amount texts can show (15 significant
// digits) would be displayed rounded; they are refused while typing.
constexpr int kMaxDigitosInteiros = 15;

// A partial text as typed ("", "-", ",", "12,") read as a number.
long double LeParcial(QString t) {
    t = t.trimmed();
    if (t.startsWith(QLatin1Char('-'))) {
        const long double v = LeParcial(t.mid(1));
        return -v;
    }
    if (t.isEmpty() || t == QLatin1String(",")) return 0;
    if (t.startsWith(QLatin1Char(','))) t.prepend(QLatin1Char('0'));
    if (t.endsWith(QLatin1Char(','))) t.append(QLatin1Char('0'));
    try {
        return LeNumero(t.toStdString());
    } catch (const ErroConversao&) {
        return 0;  // the validator keeps such texts out
    }
}

}  // namespace

class CampoNumerico::Validador : public QValidator {
public:
    explicit Validador(CampoNumerico* campo) : QValidator(campo), campo_(campo) {}
    State validate(QString& texto, int& pos) const override {
        if (!campo_->digitando_ && !campo_->mostrando_) {
            // Not typed key by key: a paste, a drop, a text set from outside.
            // It is read as a pasted amount, its minus sign kept.
            const bool negativo = texto.trimmed().startsWith(QLatin1Char('-'));
            if (const auto limpo = LimpaQuantiaColada(texto)) {
                const QString novo = (negativo ? QStringLiteral("-") : QString()) + *limpo;
                if (novo != texto) {
                    texto = novo;
                    pos = static_cast<int>(novo.size());
                }
            }
        }
        texto.replace(QLatin1Char('.'), QLatin1Char(','));
        return campo_->TextoAceitavel(texto) ? Acceptable : Invalid;
    }

private:
    CampoNumerico* campo_;
};

CampoNumerico::CampoNumerico(int decimais, QWidget* parent) : QLineEdit(parent), decimais_(std::clamp(decimais, 0, 5)) {
    setValidator(new Validador(this));
    connect(this, &QLineEdit::textChanged, this, &CampoNumerico::TextoPostoDeFora);
    Mostra();
}

void CampoNumerico::TextoPostoDeFora() {
    if (editando_ || mostrando_) return;
    QString t = text().trimmed();
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    if (TextoAceitavel(t))
        Guarda(Limita(LeParcial(t)));
    else
        Mostra();
}

bool CampoNumerico::TextoAceitavel(const QString& texto) const {
    int i = 0;
    const int n = static_cast<int>(texto.size());
    const bool negativoPermitido = !semNegativo_ && (!minimo_ || *minimo_ < 0);
    if (i < n && texto[i] == QLatin1Char('-')) {
        if (!negativoPermitido) return false;
        ++i;
    }
    int inteiros = 0, decimais = 0;
    bool virgula = false;
    for (; i < n; ++i) {
        const QChar c = texto[i];
        if (c == QLatin1Char(',')) {
            if (virgula || decimais_ == 0) return false;
            virgula = true;
        } else if (c.isDigit() && c.unicode() < 128) {
            (virgula ? decimais : inteiros)++;
        } else {
            return false;
        }
    }
    // A value above the maximum is let through while typing (refusing its
    // last digit would leave a tenth of it); leaving the field brings it down.
    // A third decimal in a field of fewer is a digit group being typed.
    if (Ambiguo(texto)) return inteiros + decimais <= kMaxDigitosInteiros;
    return inteiros <= kMaxDigitosInteiros && decimais <= decimais_;
}

bool CampoNumerico::Ambiguo(const QString& texto) const {
    return decimais_ > 0 && decimais_ < 3 && MilharAmbiguo(texto);
}

// A typed text has at most the field's decimals, so it is held as typed; the
// hold of a value put in (its first 15 digits) would drop a 16th typed digit.
// An ambiguous amount reads as the thousands until the clerk says otherwise.
long double CampoNumerico::LeEdicao() const {
    const QString t = text();
    return Limita(LeParcial(Ambiguo(t) ? SemMilhar(t) : t));
}

bool CampoNumerico::ConfereValor() {
    const QString t = editando_ ? text() : pendente_;
    pendente_.clear();
    if (perguntando_ || !Ambiguo(t)) return true;
    // The box takes the focus away: that must not ask again.
    perguntando_ = true;
    const QPointer<CampoNumerico> vivo(this);
    const bool milhar = ConfirmaMilhar(t);
    if (!vivo) return false;
    perguntando_ = false;
    if (milhar) {
        Guarda(Limita(LeParcial(SemMilhar(t))));
        return true;
    }
    if (!isVisible() || !isEnabled()) return false;
    // Back to the text as typed, for correction; when the window gives the
    // focus back only after the box, focusInEvent puts it there.
    corrigir_ = t;
    setFocus(Qt::OtherFocusReason);
    if (hasFocus()) {
        const QScopedValueRollback digitando(digitando_, true);
        setText(std::exchange(corrigir_, QString()));
        selectAll();
    }
    return false;
}

long double CampoNumerico::Valor() const { return editando_ ? LeEdicao() : valor_; }

QString CampoNumerico::Texto() const { return QString::fromStdString(TextoCampo(Valor(), decimais_)); }

long double CampoNumerico::Limita(long double v) const {
    if (!std::isfinite(v)) return 0;
    if (semNegativo_ && v < 0) v = 0;
    if (minimo_ && v < *minimo_) v = *minimo_;
    if (maximo_ && v > *maximo_) v = *maximo_;
    return v;
}

void CampoNumerico::Guarda(long double v) {
    const bool mudou = v != valor_;
    valor_ = v;
    Mostra();
    if (mudou) emit valorAlterado();
}

void CampoNumerico::DefineValor(long double v) { Guarda(Limita(Segura(v, decimais_))); }

void CampoNumerico::DefineMascara(const QString& m) {
    mascara_ = m;
    Mostra();
}

void CampoNumerico::DefineFaixa(std::optional<long double> minimo, std::optional<long double> maximo) {
    minimo_ = minimo;
    maximo_ = maximo;
    DefineValor(valor_);
}

void CampoNumerico::DefineSemNegativo(bool semNegativo) {
    semNegativo_ = semNegativo;
    DefineValor(valor_);
}

QString CampoNumerico::TextoEdicao() const { return QString::fromStdString(TextoCampo(valor_, decimais_)); }

void CampoNumerico::Mostra() {
    const QScopedValueRollback<bool> mostrando(mostrando_, true);
    if (editando_) {
        setText(TextoEdicao());
    } else {
        setText(valor_ == 0 ? QString() : QString::fromStdString(FormataMascara(valor_, mascara_.toStdString())));
    }
}

void CampoNumerico::Confirma() {
    if (editando_) Guarda(LeEdicao());
}

void CampoNumerico::focusInEvent(QFocusEvent* e) {
    if (!editando_) {
        editando_ = true;
        Mostra();
    }
    QLineEdit::focusInEvent(e);
    if (!corrigir_.isNull()) {
        const QScopedValueRollback digitando(digitando_, true);
        setText(std::exchange(corrigir_, QString()));
        selectAll();
    }
}

void CampoNumerico::focusOutEvent(QFocusEvent* e) {
    // A popup (a context menu) takes the focus without ending the edit.
    if (e->reason() != Qt::PopupFocusReason) {
        const QString t = text();
        const long double v = LeEdicao();
        editando_ = false;
        Guarda(v);
        // Left for another control with an ambiguous amount: asked once the
        // focus has settled (a box in the middle of a focus change would take
        // part in it).
        const Qt::FocusReason r = e->reason();
        const bool outroControle = r == Qt::TabFocusReason || r == Qt::BacktabFocusReason ||
                                   r == Qt::MouseFocusReason || r == Qt::ShortcutFocusReason;
        if (outroControle && !perguntando_ && Ambiguo(t)) {
            pendente_ = t;
            QuandoOFocoAssentar(this, [this] {
                if (!pendente_.isEmpty() && isVisible()) ConfereValor();
            });
        }
    }
    QLineEdit::focusOutEvent(e);
}

void CampoNumerico::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && editando_ && text() != TextoEdicao()) {
        setText(TextoEdicao());
        selectAll();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) Confirma();
    const QString t = e->text();
    if (t == QLatin1String(".") || t == QLatin1String(",")) {
        const QScopedValueRollback digitando(digitando_, true);
        QString reagrupado;
        switch (DecideSeparador(this, &reagrupado)) {
            case Separador::Virgula:
                insert(QStringLiteral(","));
                break;
            case Separador::Reagrupa:
                setText(reagrupado);
                break;
            case Separador::Recusa:
                break;
        }
        e->accept();
        return;
    }
    // A key's edit is left as the key made it; a paste is cleaned as a pasted amount.
    const QScopedValueRollback digitando(digitando_, !e->matches(QKeySequence::Paste));
    QLineEdit::keyPressEvent(e);
}

}  // namespace quantivo
