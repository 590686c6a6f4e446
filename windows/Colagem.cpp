#include "windows/Colagem.h"

#include <QRegularExpression>

#include "ui/Quantias.h"

namespace quantivo {

std::vector<QStringList> LeBloco(const QString& texto) {
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::vector<QStringList> linhas;
    if (t.isEmpty()) return linhas;
    if (t.endsWith(QLatin1Char('\n'))) t.chop(1);  // a lone "\n" is one empty cell
    for (const QString& l : t.split(QLatin1Char('\n'))) linhas.push_back(l.split(QLatin1Char('\t')));
    return linhas;
}

QString EscreveBloco(const std::vector<QStringList>& linhas) {
    QStringList l;
    for (const QStringList& celulas : linhas) l << celulas.join(QLatin1Char('\t'));
    return l.join(QLatin1Char('\n'));
}

QString LimpaValorColado(const QString& texto) { return LimpaQuantiaColada(texto).value_or(QString()); }

namespace {

QString DoisDigitos(const QString& g) { return g.size() == 1 ? QLatin1Char('0') + g : g; }

// The digits in the mask's places: two, "/", two, "/", two at most.
QString NaMascara(const QString& digitos) {
    if (digitos.isEmpty()) return {};
    const QString d = digitos.left(6);
    return d.left(2) + QLatin1Char('/') + d.mid(2, 2) + QLatin1Char('/') + d.mid(4, 2);
}

}  // namespace

QString LimpaDataColada(const QString& texto) {
    QString t = texto.trimmed();
    static const QRegularExpression branco(QStringLiteral("\\s"));
    if (const int b = static_cast<int>(t.indexOf(branco)); b >= 0) t.truncate(b);
    static const QRegularExpression grupo(QStringLiteral("[0-9]+"));
    QStringList g;
    for (auto it = grupo.globalMatch(t); it.hasNext();) g << it.next().captured();
    QString dia, mes, ano;
    if (g.size() == 3) {
        if (g[0].size() == 4) {
            ano = g[0], mes = g[1], dia = g[2];
        } else {
            dia = g[0], mes = g[1], ano = g[2];
        }
    } else if (g.size() == 1 && (g[0].size() == 6 || g[0].size() == 8)) {
        dia = g[0].left(2), mes = g[0].mid(2, 2), ano = g[0].mid(4);
    }
    const bool partes =
        !dia.isEmpty() && dia.size() <= 2 && mes.size() >= 1 && mes.size() <= 2 && (ano.size() == 2 || ano.size() == 4);
    if (partes) return DoisDigitos(dia) + QLatin1Char('/') + DoisDigitos(mes) + QLatin1Char('/') + ano.right(2);
    return NaMascara(g.join(QString()));
}

QString LimpaCelulaColada(FiltroTeclas filtro, const QString& texto) {
    switch (filtro) {
        case FiltroTeclas::Vencimento:
            return LimpaDataColada(texto);
        case FiltroTeclas::Valor:
        case FiltroTeclas::Campo:
            return LimpaValorColado(texto);
        case FiltroTeclas::Bloqueado:
            return QString();
        case FiltroTeclas::Livre:
            break;
    }
    return texto;
}

}  // namespace quantivo
