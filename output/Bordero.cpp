#include "output/Bordero.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <array>
#include <optional>
#include <vector>

#include "core/ChequesCalculados.h"
#include "core/Cmc7.h"
#include "core/Documento.h"
#include "core/Erros.h"
#include "core/TaxaParaLiquido.h"
#include "core/Valores.h"
#include "output/ArquivoSeguro.h"

namespace quantivo {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// --- What the page says ----------------------------------------------------

enum Coluna { cNumero, cVencimento, cContado, cDias, cValor, cJuros, cBanco, cEmitente, kColunas };

struct DefColuna {
    const char* titulo;
    double mm;  // the drawer's column takes what the others leave
    bool direita;
    int linhas;  // at most, wrapped
};
constexpr std::array<DefColuna, kColunas> kColunasDef{{
    {"Nº", 8, true, 1},
    {"Vencimento", 19, false, 1},
    {"Contado até", 19, false, 1},
    {"Dias", 10, true, 1},
    {"Valor (R$)", 24, true, 1},
    {"Juros (R$)", 20, true, 1},
    {"Banco/Número", 31, false, 2},
    {"Emitente", 0, false, 4},
}};

struct LinhaCheque {
    std::array<QString, kColunas> celulas;
    QString documento;  // the drawer's, on a line of its own under the name
};

struct Total {
    QString nome, valor;
};

QString Documento(const std::string& digitado) {
    if (digitado.find_first_not_of(' ') == std::string::npos) return {};
    const LeituraDocumento d = LeDocumento(digitado);
    if (!d.valido) return Q(digitado);
    return QStringLiteral("%1 %2").arg(QString::fromLatin1(NomeDoTipo(d.tipo)), Q(d.formatado));
}

QString BancoNumero(const Parcela& p) {
    if (!p.BancoNumero.empty() || p.CMC7.empty()) return Q(p.BancoNumero);
    const LeituraCmc7 l = LeCmc7(p.CMC7);
    return l.Valido() ? Q(l.cmc7->BancoNumero()) : QString();
}

// The amount of a totals label ("TAC   = 80,01"); its zero forms ("TAC   = 0",
// "IOF   = 0 ") as an amount too, so that the column reads alike.
QString ValorDoRotulo(const std::string& rotulo) {
    const std::size_t igual = rotulo.find('=');
    if (igual == std::string::npos) return {};
    const QString v = Q(rotulo.substr(igual + 1)).trimmed();
    return v == QLatin1String("0") ? QStringLiteral("0,00") : v;
}

QString Reais(const QString& valor) { return valor.isEmpty() ? QString() : QStringLiteral("R$ ") + valor; }

// The save time the journal keeps (UTC, ISO 8601) in the local time.
QString SalvaEm(const std::string& salvaEm) {
    const QDateTime t = QDateTime::fromString(Q(salvaEm), Qt::ISODateWithMs);
    if (!t.isValid()) return Q(salvaEm);
    return t.toLocalTime().toString(QStringLiteral("dd/MM/yyyy 'às' HH:mm"));
}

struct Conteudo {
    std::vector<QString> firma;  // name first
    QString titulo, numero, data, salva, cedente;
    QString condicoes;
    std::vector<LinhaCheque> cheques;
    std::vector<Total> totais;  // the net value last
    QString cet, quantidade;
    QString assinaFirma, assinaCedente;
};

QString Condicoes(const Operacao& op) {
    const DadosGerais& g = op.bancada.dados;
    const auto zero = [](const std::string& t) { return t.empty() ? QStringLiteral("0") : Q(t); };
    QString tarifa = QStringLiteral("Tarifa");
    if (g.TipoTarifa == TipoDeTarifa::TarifaPorTitulo) tarifa = QStringLiteral("Tarifa por título");
    if (g.TipoTarifa == TipoDeTarifa::TarifaTotal) tarifa = QStringLiteral("Tarifa total");
    QString r =
        QStringLiteral("Taxa: %1% a.m.    TAC: %2%    IOF: %3% a.d.    %4: R$ %5    %6")
            .arg(Q(g.Taxa), zero(TextoCampo(g.TAC, 2)), zero(TextoCampo(g.IOF, 4)), tarifa, Q(FormataValor(g.Tarifa)),
                 g.IncluiCompensacao ? QStringLiteral("Compensação: 2 dias") : QStringLiteral("Sem compensação"));
    if (g.Feriados) r += QStringLiteral("    Feriados considerados");
    return r;
}

Conteudo MontaConteudo(const DadosBordero& d) {
    const Operacao& op = d.operacao;
    const Bancada& b = op.bancada;
    const bool venda = b.dados.Tipo == TipoCalculo::VendaPorFora;
    Conteudo c;
    QStringList endereco;
    for (const std::string* s : {&d.firma.Endereco, &d.firma.Cidade})
        if (!s->empty()) endereco << Q(*s);
    for (const QString& s : {Q(d.firma.Nome), Q(d.firma.Atividade), endereco.join(QStringLiteral(" — "))})
        if (!s.isEmpty()) c.firma.push_back(s);
    c.titulo = venda ? QStringLiteral("Borderô de venda certa (desconto inverso)")
                     : QStringLiteral("Borderô de desconto de cheques");
    if (d.numero > 0) c.numero = QStringLiteral("Operação nº %1").arg(d.numero);
    if (b.dados.DataReferencia != kDataNula)
        c.data = QStringLiteral("Data da operação: ") + Q(FormataDataLonga(b.dados.DataReferencia));
    if (!d.salvaEm.empty()) c.salva = QStringLiteral("Salva em ") + SalvaEm(d.salvaEm);
    const QString documento = Documento(op.cliente.documento);
    if (!op.cliente.nome.empty() || !documento.isEmpty()) {
        c.cedente = QStringLiteral("Cedente: ") + Q(op.cliente.nome);
        if (!documento.isEmpty()) c.cedente += QStringLiteral("    ") + documento;
    }
    c.condicoes = Condicoes(op);

    const Data hoje = d.hoje != kDataNula ? d.hoje : b.dados.DataReferencia;
    const std::optional<std::vector<ChequeCalculado>> cheques = ChequesCalculados(b, AnoDe(hoje));
    const auto comum = [&](LinhaCheque& l, const Parcela& p) {
        l.celulas[cNumero] = QString::number(c.cheques.size() + 1);
        l.celulas[cBanco] = BancoNumero(p);
        l.celulas[cEmitente] = Q(p.Emitente);
        l.documento = Documento(p.Documento);
    };
    if (cheques) {
        for (const ChequeCalculado& ch : *cheques) {
            LinhaCheque l;
            comum(l, b.linhas[ch.linha]);
            l.celulas[cVencimento] = Q(FormataDataLonga(ch.vencimento));
            l.celulas[cContado] = Q(FormataDataLonga(ch.contadoAte));
            l.celulas[cDias] = QString::number(ch.dias);
            l.celulas[cValor] = Q(FormataValor(ch.valor));
            l.celulas[cJuros] = Q(TextoCentavos(ch.jurosCentavos));
            c.cheques.push_back(std::move(l));
        }
    } else {
        // Not a completed discount: the rows as they stand, without figures.
        for (const Parcela& p : b.linhas) {
            if (p.Data.empty() && p.Valor.empty()) continue;
            LinhaCheque l;
            comum(l, p);
            l.celulas[cVencimento] = Q(p.Data);
            l.celulas[cDias] = Q(p.Dias);
            l.celulas[cValor] = Q(p.Valor);
            c.cheques.push_back(std::move(l));
        }
    }
    c.quantidade =
        c.cheques.size() == 1 ? QStringLiteral("1 cheque") : QStringLiteral("%1 cheques").arg(c.cheques.size());

    // The net value: the discount writes it into "Valor Financiado"; in a
    // "Venda certa" the financed value typed there is what the customer gets.
    QString liquido = Q(b.dados.ValorFinanciado);
    if (venda) {
        try {
            liquido = Q(FormataValor(LeValor(b.dados.ValorFinanciado)));
        } catch (const ErroQuantivo&) {
        }
    }
    c.totais = {{QStringLiteral("Valor total"), Reais(Q(b.totais.ValorTotal))},
                {QStringLiteral("TAC"), Reais(ValorDoRotulo(b.totais.TAC))},
                {QStringLiteral("IOF"), Reais(ValorDoRotulo(b.totais.IOF))},
                {QStringLiteral("Juros"), Reais(ValorDoRotulo(b.totais.Juros))},
                {QStringLiteral("Tarifa"), Reais(ValorDoRotulo(b.totais.Tarifa))},
                {QStringLiteral("Valor líquido"), Reais(liquido)}};
    c.cet = Q(b.totais.CET);
    c.assinaFirma = Q(d.firma.Nome);
    c.assinaCedente = Q(op.cliente.nome);
    return c;
}

// --- How it lies on the page ------------------------------------------------

constexpr double kMargemLadoMm = 15, kMargemTopoMm = 12;
constexpr double kTracoMm = 0.25;
constexpr double kFolgaCelulaMm = 1.2;  // between a cell's text and its column's edges
constexpr double kMenorPonto = 6;       // a single-line cell steps its font down to this, then elides

QFont Fonte(double pontos, bool negrito = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    return f;
}

class Pincel {
public:
    Pincel(QPainter& p, double pxPorMm) : p_(p), px_(pxPorMm) {}
    double Px(double mm) const { return mm * px_; }
    QFontMetricsF Medidas(const QFont& f) const { return QFontMetricsF(f, p_.device()); }
    double Altura(const QFont& f) const { return Medidas(f).lineSpacing(); }

    // The lines a text wraps into within `largura`, at most `maximo`, the
    // last one elided when the text goes on.
    QStringList Quebra(const QString& celula, const QFont& f, double largura, int maximo) const {
        QStringList r;
        const QString texto = celula.simplified();
        if (texto.isEmpty()) return r;
        QTextLayout layout(texto, f, p_.device());
        QTextOption opcao;
        opcao.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(opcao);
        layout.beginLayout();
        for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
            l.setLineWidth(largura);
            if (r.size() + 1 == maximo) {
                r << Medidas(f).elidedText(texto.mid(l.textStart()).simplified(), Qt::ElideRight, largura);
                break;
            }
            r << texto.mid(l.textStart(), l.textLength()).trimmed();
        }
        layout.endLayout();
        return r;
    }

    // One line in its box, the font stepped down until it fits; elided only
    // past the smallest size, never cut through a letter.
    void Texto(const QRectF& caixa, const QString& texto, QFont f, Qt::Alignment al) {
        while (Medidas(f).horizontalAdvance(texto) > caixa.width() && f.pointSizeF() > kMenorPonto)
            f.setPointSizeF(f.pointSizeF() - 0.5);
        const QString cabe = Medidas(f).elidedText(texto, Qt::ElideRight, caixa.width());
        p_.setFont(f);
        p_.drawText(caixa, static_cast<int>(al | Qt::AlignVCenter | Qt::TextSingleLine), cabe);
    }

    void Traco(double x0, double x1, double y, double mm = kTracoMm) {
        p_.setPen(QPen(Qt::black, Px(mm)));
        p_.drawLine(QPointF(x0, y), QPointF(x1, y));
    }
    void Faixa(const QRectF& r, const QColor& cor) { p_.fillRect(r, cor); }

private:
    QPainter& p_;
    double px_;
};

class Leiaute {
public:
    Leiaute(const Conteudo& c, QPainter& p, QPaintDevice& d)
        : c_(c), pg_(p, d.logicalDpiY() / 25.4), largura_(d.width()), altura_(d.height()) {
        double x = 0;
        for (int i = 0; i < kColunas; ++i) {
            const double mm = kColunasDef[static_cast<std::size_t>(i)].mm;
            const double w = mm > 0 ? pg_.Px(mm) : std::max(pg_.Px(30), largura_ - x);
            colunas_[static_cast<std::size_t>(i)] = {x, w};
            x += w;
        }
        alturaCabecalho_ = Cabecalho(nullptr);
        alturaTitulos_ = Titulos(nullptr, 0);
        alturaRodape_ = pg_.Altura(Fonte(7.5)) + pg_.Px(2);
        for (const LinhaCheque& l : c_.cheques) alturas_.push_back(Linha(nullptr, l, 0, false));
        alturaTotais_ = Totais(nullptr, 0);
        DivideEmPaginas();
    }

    int Paginas() const { return static_cast<int>(paginas_.size()); }

    // Returns false when the device refused a new page.
    bool Pinta(QPagedPaintDevice& dispositivo) {
        for (std::size_t n = 0; n < paginas_.size(); ++n) {
            if (n > 0 && !dispositivo.newPage()) return false;
            const Folha& f = paginas_[n];
            double y = Cabecalho(&pg_);
            if (f.ate > f.de) y += Titulos(&pg_, y);
            for (std::size_t i = f.de; i < f.ate; ++i) y += Linha(&pg_, c_.cheques[i], y, i % 2 == 1);
            if (f.ate > f.de) pg_.Traco(0, largura_, y);
            if (f.totais) Totais(&pg_, y);
            Rodape(static_cast<int>(n) + 1);
        }
        return true;
    }

private:
    struct Folha {
        std::size_t de = 0, ate = 0;  // the cheques on it
        bool totais = false;
    };

    void DivideEmPaginas() {
        const double util = altura_ - alturaCabecalho_ - alturaRodape_;
        Folha f;
        double y = alturaTitulos_;
        for (std::size_t i = 0; i < alturas_.size(); ++i) {
            if (i > f.de && y + alturas_[i] > util) {
                f.ate = i;
                paginas_.push_back(f);
                f = Folha{i, i, false};
                y = alturaTitulos_;
            }
            y += alturas_[i];
        }
        f.ate = alturas_.size();
        if (f.ate > f.de && y + alturaTotais_ > util) {
            paginas_.push_back(f);
            f = Folha{f.ate, f.ate, false};
        }
        f.totais = true;
        paginas_.push_back(f);
    }

    // Each part paints itself at y when given the page, and gives its height;
    // without the page it only measures.
    double Cabecalho(Pincel* p) {
        double y = 0;
        const auto linha = [&](const QString& esq, const QString& dir, const QFont& f) {
            const double h = pg_.Altura(f);
            if (p) {
                if (!esq.isEmpty())
                    p->Texto(QRectF(0, y, largura_ * (dir.isEmpty() ? 1 : 0.62), h), esq, f, Qt::AlignLeft);
                if (!dir.isEmpty()) p->Texto(QRectF(largura_ * 0.62, y, largura_ * 0.38, h), dir, f, Qt::AlignRight);
            }
            y += h;
        };
        for (std::size_t i = 0; i < c_.firma.size(); ++i) linha(c_.firma[i], {}, i == 0 ? Fonte(13, true) : Fonte(9));
        if (!c_.firma.empty()) {
            y += pg_.Px(1.5);
            if (p) p->Traco(0, largura_, y, 0.4);
            y += pg_.Px(2.5);
        }
        linha(c_.titulo, c_.numero, Fonte(13, true));
        y += pg_.Px(0.8);
        if (!c_.data.isEmpty() || !c_.salva.isEmpty()) linha(c_.data, c_.salva, Fonte(9.5));
        if (!c_.cedente.isEmpty()) linha(c_.cedente, {}, Fonte(9.5, true));
        y += pg_.Px(0.8);
        linha(c_.condicoes, {}, Fonte(8));
        return y + pg_.Px(3);
    }

    QFont FonteTitulo() const { return Fonte(7.5, true); }
    QFont FonteLinha() const { return Fonte(8.5); }
    QFont FonteDocumento() const { return Fonte(7.5); }

    QRectF Celula(int coluna, double y, double h) const {
        const auto [x, w] = colunas_[static_cast<std::size_t>(coluna)];
        return QRectF(x + pg_.Px(kFolgaCelulaMm), y, w - 2 * pg_.Px(kFolgaCelulaMm), h);
    }
    static Qt::Alignment Alinhamento(int coluna) {
        return kColunasDef[static_cast<std::size_t>(coluna)].direita ? Qt::AlignRight : Qt::AlignLeft;
    }

    double Titulos(Pincel* p, double y) {
        const double h = pg_.Altura(FonteTitulo()) + pg_.Px(2.4);
        if (p) {
            p->Faixa(QRectF(0, y, largura_, h), QColor(0xdd, 0xdd, 0xdd));
            for (int i = 0; i < kColunas; ++i)
                p->Texto(Celula(i, y, h), QString::fromUtf8(kColunasDef[static_cast<std::size_t>(i)].titulo),
                         FonteTitulo(), Alinhamento(i));
        }
        return h;
    }

    double Linha(Pincel* p, const LinhaCheque& l, double y, bool faixa) {
        const double hl = pg_.Altura(FonteLinha());
        const double hd = pg_.Altura(FonteDocumento());
        const double folga = pg_.Px(1.0);
        const QStringList banco =
            pg_.Quebra(l.celulas[cBanco], FonteLinha(), Celula(cBanco, 0, 0).width(), kColunasDef[cBanco].linhas);
        const QStringList nome = pg_.Quebra(l.celulas[cEmitente], FonteLinha(), Celula(cEmitente, 0, 0).width(),
                                            kColunasDef[cEmitente].linhas - 1);
        const double hEmitente = static_cast<double>(nome.size()) * hl + (l.documento.isEmpty() ? 0 : hd);
        const double h = std::max({hl, static_cast<double>(banco.size()) * hl, hEmitente}) + 2 * folga;
        if (!p) return h;
        if (faixa) p->Faixa(QRectF(0, y, largura_, h), QColor(0xf2, 0xf2, 0xf2));
        const double topo = y + folga;
        for (int i = cNumero; i < cBanco; ++i)
            p->Texto(Celula(i, topo, hl), l.celulas[static_cast<std::size_t>(i)], FonteLinha(), Alinhamento(i));
        for (int k = 0; k < banco.size(); ++k)
            p->Texto(Celula(cBanco, topo + k * hl, hl), banco[k], FonteLinha(), Qt::AlignLeft);
        double ye = topo;
        for (const QString& t : nome) {
            p->Texto(Celula(cEmitente, ye, hl), t, FonteLinha(), Qt::AlignLeft);
            ye += hl;
        }
        if (!l.documento.isEmpty()) p->Texto(Celula(cEmitente, ye, hd), l.documento, FonteDocumento(), Qt::AlignLeft);
        return h;
    }

    double Totais(Pincel* p, double y0) {
        double y = y0 + pg_.Px(4);
        const double x0 = largura_ * 0.55;
        const double w = largura_ - x0;
        const auto linha = [&](const QString& nome, const QString& valor, const QFont& f) {
            const double h = pg_.Altura(f) + pg_.Px(0.6);
            if (p) {
                p->Texto(QRectF(x0, y, w * 0.5, h), nome, f, Qt::AlignLeft);
                p->Texto(QRectF(x0 + w * 0.4, y, w * 0.6 - pg_.Px(kFolgaCelulaMm), h), valor, f, Qt::AlignRight);
            }
            y += h;
        };
        if (p)
            p->Texto(QRectF(pg_.Px(kFolgaCelulaMm), y, x0 - pg_.Px(5), pg_.Altura(Fonte(9.5)) + pg_.Px(0.6)),
                     c_.quantidade, Fonte(9.5), Qt::AlignLeft);
        for (std::size_t i = 0; i + 1 < c_.totais.size(); ++i) linha(c_.totais[i].nome, c_.totais[i].valor, Fonte(9.5));
        y += pg_.Px(1);
        if (p) p->Traco(x0, largura_, y);
        y += pg_.Px(1.5);
        linha(c_.totais.back().nome, c_.totais.back().valor, Fonte(11, true));
        y += pg_.Px(1);
        if (!c_.cet.isEmpty()) {
            const double h = pg_.Altura(Fonte(9));
            if (p) p->Texto(QRectF(x0, y, w - pg_.Px(kFolgaCelulaMm), h), c_.cet, Fonte(9), Qt::AlignRight);
            y += h;
        }
        // Where the firm and the customer sign.
        y += pg_.Px(18);
        const double hn = pg_.Altura(Fonte(8.5));
        if (p) {
            const double wa = largura_ * 0.4;
            for (const auto& [x, nome] : {std::pair{0.0, c_.assinaFirma}, std::pair{largura_ - wa, c_.assinaCedente}}) {
                p->Traco(x, x + wa, y, 0.2);
                p->Texto(QRectF(x, y + pg_.Px(0.8), wa, hn), nome, Fonte(8.5), Qt::AlignHCenter);
            }
        }
        return y + pg_.Px(0.8) + hn - y0;
    }

    void Rodape(int n) {
        const QFont f = Fonte(7.5);
        const double h = pg_.Altura(f);
        pg_.Traco(0, largura_, altura_ - h - pg_.Px(1), 0.15);
        const QString numero = c_.numero.isEmpty() ? QString() : QStringLiteral(" · ") + c_.numero;
        pg_.Texto(QRectF(0, altura_ - h, largura_ * 0.75, h), c_.titulo + numero, f, Qt::AlignLeft);
        pg_.Texto(QRectF(0, altura_ - h, largura_, h), QStringLiteral("página %1 de %2").arg(n).arg(Paginas()), f,
                  Qt::AlignRight);
    }

    const Conteudo& c_;
    Pincel pg_;
    double largura_, altura_;
    std::array<std::pair<double, double>, kColunas> colunas_{};
    double alturaCabecalho_ = 0, alturaTitulos_ = 0, alturaRodape_ = 0, alturaTotais_ = 0;
    std::vector<double> alturas_;
    std::vector<Folha> paginas_;
};

}  // namespace

bool DesenhaBordero(const DadosBordero& d, QPagedPaintDevice& dispositivo) {
    const Conteudo c = MontaConteudo(d);
    QPainter p;
    if (!p.begin(&dispositivo)) return false;
    p.setPen(Qt::black);
    const bool paginou = Leiaute(c, p, dispositivo).Pinta(dispositivo);
    return p.end() && paginou;
}

bool GravaBorderoPdf(const DadosBordero& d, const QString& caminho, QString* motivo) {
    const auto falha = [&](const QString& porque) {
        if (motivo) *motivo = QStringLiteral("Não foi possível gravar o borderô em %1: %2.").arg(caminho, porque);
        return false;
    };
    const Bancada& b = d.operacao.bancada;
    const Data hoje = d.hoje != kDataNula ? d.hoje : b.dados.DataReferencia;
    if (!ChequesCalculados(b, AnoDe(hoje)))
        return falha(QStringLiteral("a operação não traz um desconto de cheques ou uma venda certa calculados"));

    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(kMargemLadoMm, kMargemTopoMm, kMargemLadoMm, kMargemTopoMm),
                           QPageLayout::Millimeter);
        pdf.setResolution(600);
        pdf.setCreator(QStringLiteral("Quantivo"));
        pdf.setTitle(d.numero > 0 ? QStringLiteral("Borderô nº %1").arg(d.numero) : QStringLiteral("Borderô"));
        const Conteudo c = MontaConteudo(d);
        QPainter p;
        if (!p.begin(&pdf)) return falha(QStringLiteral("o PDF não pôde ser criado"));
        p.setPen(Qt::black);
        const bool paginou = Leiaute(c, p, pdf).Pinta(pdf);
        if (!p.end() || !paginou) return falha(QStringLiteral("o PDF não pôde ser gerado"));
    }
    std::string porque;
    if (!GravaSubstituindo(QFile::encodeName(caminho).toStdString(),
                           std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), porque))
        return falha(Q(porque));
    return true;
}

}  // namespace quantivo
