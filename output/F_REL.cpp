#include "output/F_REL.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTextLayout>
#include <QToolButton>

#include "core/Valores.h"
#include "ui/Aparencia.h"
#include "ui/Regional.h"

namespace quantivo {
namespace {

VisualizaReciboFn g_visualiza;

constexpr double kLinhaMm = 4.5;    // a line of Arial 10 points with its descenders
constexpr double kTituloMm = 6.0;   // Arial 14 points
constexpr double kExtensoMm = 9.5;  // two lines of the words
constexpr double kTracoMm = 0.2;    // the frame's thin line

// One element of a copy: its name in the first and in the second copy.
struct Molde {
    const char* nome1;
    const char* nome2;
    ElementoRel e;
};

ElementoRel Texto(double esq, double topo, QString texto, double largura = 0, Qt::Alignment al = Qt::AlignLeft) {
    ElementoRel e;
    e.esquerda = esq;
    e.topo = topo;
    e.largura = largura;
    e.altura = kLinhaMm;
    e.texto = std::move(texto);
    e.alinhamento = al;
    return e;
}

std::vector<Molde> Copia(const DadosRecibo& d, const QString& marca) {
    const Cadastro& c = d.cadastro;
    ElementoRel moldura;
    moldura.tipo = ElementoRel::Tipo::Moldura;
    moldura.esquerda = 8.5;
    moldura.topo = 4.2;
    moldura.largura = 175.9;
    moldura.altura = 118.8;

    ElementoRel titulo = Texto(84.7, 6.3, QStringLiteral("RECIBO"));
    titulo.pontos = 14;
    titulo.negrito = true;
    titulo.altura = kTituloMm;

    ElementoRel valor =
        Texto(146.1, 14.8, QString::fromStdString(FormataMascara(d.valor, "###,###,###0.00")), 34.1, Qt::AlignHCenter);
    valor.negrito = true;

    ElementoRel extenso = Texto(46.6, 36.0, d.extenso, 133.6);
    extenso.quebra = true;
    extenso.altura = kExtensoMm;

    return {
        {"moldura", "t18", moldura},
        {"titulo", "t1", titulo},
        {"via", "t2", Texto(171.4, 6.3, marca)},
        {"rotuloValor", "t3", Texto(129.1, 14.8, QStringLiteral("VALOR:"))},
        {"valor", "valor2", valor},
        {"rotuloRecebi", "t5", Texto(14.8, 23.3, QStringLiteral("Recebi (emos) de: "))},
        {"recebi", "recebi2", Texto(47.1, 23.5, d.recebi, 133.1)},
        {"rotuloImportancia", "t7", Texto(14.8, 36.0, QStringLiteral("a importância de:"))},
        {"extenso", "extenso2", extenso},
        {"rotuloReferente", "t9", Texto(14.8, 48.7, QStringLiteral("referente ao pagamento:"))},
        {"referente", "referente2", Texto(60.9, 48.9, d.referente, 117.2)},
        {"fecho", "t11", Texto(14.8, 61.4, QStringLiteral("Para maior clareza, firmo(amos) o presente."))},
        {"cidade", "t12", Texto(14.8, 74.1, QString::fromStdString(c.Cidade), 70.1)},
        {"data", "t13", Texto(86.8, 74.1, DataRecibo(d.hoje))},
        {"assinatura", "t14", Texto(55.0, 86.8, QString(44, QLatin1Char('_')))},
        {"emitente", "t15", Texto(55.6, 92.3, QString::fromStdString(c.Nome), 81.2, Qt::AlignHCenter)},
        {"atividade", "t16", Texto(55.6, 97.6, QString::fromStdString(c.Atividade), 81.2, Qt::AlignHCenter)},
        {"endereco", "t17", Texto(12.7, 114.8, QString::fromStdString(c.Endereco), 167.5, Qt::AlignHCenter)},
    };
}

QFont Fonte(const ElementoRel& e) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(e.pontos);
    f.setBold(e.negrito);
    return f;
}

// Lays the text out in the box's width; false when some of it falls below the box.
bool DispoeQuebrado(QTextLayout& layout, const QRectF& caixa, Qt::Alignment alinhamento) {
    QTextOption opcao(alinhamento);
    opcao.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(opcao);
    layout.beginLayout();
    double y = 0;
    bool cabe = true;
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
        l.setLineWidth(caixa.width());
        l.setPosition(QPointF(0, y));
        y += l.height();
        if (y > caixa.height() + 1e-6) cabe = false;
    }
    layout.endLayout();
    return cabe;
}

}  // namespace

double PontosQueCabem(const ElementoRel& e, QPaintDevice* dispositivo, double pxPorMm) {
    const QRectF caixa(0, 0, e.largura * pxPorMm, e.altura * pxPorMm);
    ElementoRel menor = e;
    // Half a point at a time, down to a size still read on paper.
    for (; menor.pontos > kMenorPontoQuebrado; menor.pontos -= 0.5) {
        QTextLayout layout(e.texto, Fonte(menor), dispositivo);
        if (DispoeQuebrado(layout, caixa, e.alinhamento)) break;
    }
    return menor.pontos;
}

namespace {

// Wrapped text steps its font down until every line fits the box (the
// largest amounts take three lines at the receipt's size); what still does
// not fit at the smallest size is left out whole: a line cut through its
// middle would print as stray marks.
void PintaQuebrado(QPainter& p, const ElementoRel& e, const QRectF& caixa, double pxPorMm) {
    ElementoRel menor = e;
    menor.pontos = PontosQueCabem(e, p.device(), pxPorMm);
    QTextLayout layout(e.texto, Fonte(menor), p.device());
    DispoeQuebrado(layout, caixa, e.alinhamento);
    std::vector<QTextLine> linhas;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine l = layout.lineAt(i);
        if (l.y() + l.height() > caixa.height() + 1e-6) break;
        linhas.push_back(l);
    }
    p.save();
    p.setClipRect(caixa, Qt::IntersectClip);
    for (const QTextLine& l : linhas) l.draw(&p, caixa.topLeft());
    p.restore();
}

}  // namespace

QString DataRecibo(Data d) {
    const DataCivil c = DecodificaData(d);
    return QStringLiteral("%1, de %2 de %3")
        .arg(c.dia, 2, 10, QLatin1Char('0'))
        .arg(LocalBrasileiro().monthName(c.mes, QLocale::LongFormat))
        .arg(c.ano, 4, 10, QLatin1Char('0'));
}

std::vector<ElementoRel> MontaPaginaRecibo(const DadosRecibo& d) {
    std::vector<ElementoRel> r;
    for (Molde& m : Copia(d, QStringLiteral("1ª VIA"))) {
        m.e.nome = QString::fromLatin1(m.nome1);
        r.push_back(m.e);
    }

    ElementoRel linha = Texto(8.5, 134.4, QStringLiteral("- ").repeated(83));
    linha.nome = QStringLiteral("linha");
    r.push_back(linha);

    const bool segunda = !UmaVia(d.cadastro);
    for (Molde& m : Copia(d, QStringLiteral("2ª VIA"))) {
        m.e.nome = QString::fromLatin1(m.nome2);
        m.e.topo += m.e.tipo == ElementoRel::Tipo::Moldura ? kDesceMolduraSegundaVia : kDesceSegundaVia;
        m.e.ligado = segunda;
        r.push_back(m.e);
    }
    return r;
}

void PintaPagina(QPainter& p, const std::vector<ElementoRel>& elementos, double pxPorMm) {
    p.save();
    p.setPen(QPen(Qt::black, kTracoMm * pxPorMm));
    p.setBrush(Qt::NoBrush);
    for (const ElementoRel& e : elementos) {
        if (!e.ligado) continue;
        const QRectF caixa(e.esquerda * pxPorMm, e.topo * pxPorMm, e.largura * pxPorMm, e.altura * pxPorMm);
        if (e.tipo == ElementoRel::Tipo::Moldura) {
            p.drawRect(caixa);
            continue;
        }
        p.setFont(Fonte(e));
        if (e.largura <= 0) {
            p.drawText(QRectF(caixa.topLeft(), QSizeF(kLarguraUtilMm * pxPorMm, caixa.height())),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip | Qt::TextSingleLine, e.texto);
        } else if (e.quebra) {
            PintaQuebrado(p, e, caixa, pxPorMm);
        } else {
            p.drawText(caixa, static_cast<int>(e.alinhamento | Qt::AlignTop | Qt::TextSingleLine), e.texto);
        }
    }
    p.restore();
}

void TFREL::ConfiguraImpressora(QPrinter& impressora) {
    impressora.setPageSize(QPageSize(QPageSize::A4));
    impressora.setPageOrientation(QPageLayout::Portrait);
    impressora.setFullPage(false);
    impressora.setPageMargins(QMarginsF(kMargemMm, kMargemMm, kMargemMm, kMargemMm), QPageLayout::Millimeter);
}

void TFREL::Imprime(QPrinter& impressora) const {
    QPainter p(&impressora);
    if (!p.isActive()) return;
    PintaPagina(p, elementos_, impressora.resolution() / 25.4);
}

bool TFREL::GravaPdf(const QString& caminho) const {
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(caminho);
    ConfiguraImpressora(impressora);
    {
        QPainter p(&impressora);
        if (!p.isActive()) return false;
        PintaPagina(p, elementos_, impressora.resolution() / 25.4);
    }
    return QFileInfo(caminho).size() > 0;
}

void AbreGrande(QPrintPreviewDialog& dialogo) {
    // Qt's preview opens small, the page at about 40 %: the receipt is to be
    // read at once, so the preview takes most of the screen with the page
    // as wide as the window.
    const QScreen* tela = dialogo.parentWidget() ? dialogo.parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (tela) {
        const QRect area = tela->availableGeometry();
        QRect r(QPoint(), QSize(area.width() * 9 / 10, area.height() * 9 / 10));
        r.moveCenter(area.center());
        dialogo.setGeometry(r);
    }
    // Through the dialog's own "fit width" action, so that its toolbar shows
    // the mode it is in.
    if (auto* largura = dialogo.findChild<QAction*>(QStringLiteral("fitWidthAction")))
        largura->trigger();
    else if (auto* previa = dialogo.findChild<QPrintPreviewWidget*>())
        previa->fitToWidth();
}

void NomeiaControlesDaPrevia(QPrintPreviewDialog& dialogo) {
    for (QComboBox* zoom : dialogo.findChildren<QComboBox*>()) {
        zoom->setAccessibleName(QStringLiteral("Ampliação"));
        LegendaOculta(zoom, zoom->accessibleName());
    }
    for (QLineEdit* e : dialogo.findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(e->parentWidget()) && e->accessibleName().isEmpty())
            e->setAccessibleName(QStringLiteral("Página"));
    // The toolbar's "»" button, there when the window is too narrow for it.
    for (QToolButton* b : dialogo.findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        b->setAccessibleName(QStringLiteral("Mais botões"));
}

void TFREL::Visualiza(QWidget* pai) const {
    if (g_visualiza) return g_visualiza(*this, pai);
    QPrinter impressora(QPrinter::HighResolution);
    ConfiguraImpressora(impressora);
    QPrintPreviewDialog dialogo(&impressora, pai);
    dialogo.setWindowTitle(QStringLiteral("RECIBO"));
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo, [this](QPrinter* p) { Imprime(*p); });
    AbreGrande(dialogo);
    NomeiaControlesDaPrevia(dialogo);
    dialogo.exec();
}

TFREL& FREL() {
    static TFREL rel;
    return rel;
}

void DefineVisualizaRecibo(VisualizaReciboFn f) { g_visualiza = std::move(f); }

}  // namespace quantivo
