#include "ui/Aparencia.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "core/Fornecedor.h"

namespace quantivo {
namespace {

class FiltroDestaque : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* e) override {
        auto* w = static_cast<QWidget*>(obj);
        if (e->type() == QEvent::FocusIn && !destacado_) {
            original_ = w->palette().resolve(QPalette());
            destacado_ = true;
            PintaFundo(w, kCorFoco);
        } else if (e->type() == QEvent::FocusOut && destacado_) {
            destacado_ = false;
            QPalette p = w->palette();
            p.setColor(QPalette::Base, original_.color(QPalette::Base));
            p.setColor(QPalette::Window, original_.color(QPalette::Window));
            w->setPalette(p);
        }
        return false;
    }

private:
    QPalette original_;
    bool destacado_ = false;
};

class FiltroClique : public QObject {
public:
    FiltroClique(QObject* dono, std::function<void()> acao) : QObject(dono), acao_(std::move(acao)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            acao_();
            return true;
        }
        return false;
    }

private:
    std::function<void()> acao_;
};

}  // namespace

namespace {

// The control's font before any fitting: the largest it may take.
QFont FonteOriginal(QWidget* w) {
    static const char* const kChave = "quantivo_fonteOriginal";
    const QVariant v = w->property(kChave);
    if (v.isValid()) return v.value<QFont>();
    w->setProperty(kChave, w->font());
    return w->font();
}

// One step smaller; false at the smallest size worth drawing.
bool UmPassoMenor(QFont& f) {
    if (f.pixelSize() > 0) {
        if (f.pixelSize() <= 6) return false;
        f.setPixelSize(f.pixelSize() - 1);
    } else {
        if (f.pointSizeF() <= 4.5) return false;
        f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    return true;
}

template <class Cabe>
void Encaixa(QWidget* w, Cabe cabe) {
    QFont f = FonteOriginal(w);
    while (!cabe(QFontMetrics(f)) && UmPassoMenor(f)) {
    }
    if (w->font() != f) w->setFont(f);
}

}  // namespace

int LarguraDoTexto(const QLineEdit* campo) {
    const int moldura =
        campo->hasFrame() ? campo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, campo) : 0;
    const QMargins m = campo->textMargins();
    constexpr int kMargemDoCampo = 2;  // QLineEdit's own, each side
    return campo->contentsRect().width() - 2 * moldura - m.left() - m.right() - 2 * kMargemDoCampo;
}

void EncaixaTexto(QLineEdit* campo) {
    const auto ajusta = [campo] {
        Encaixa(campo, [campo](const QFontMetrics& fm) {
            return fm.horizontalAdvance(campo->displayText()) <= LarguraDoTexto(campo);
        });
    };
    QObject::connect(campo, &QLineEdit::textChanged, campo, ajusta);
    ajusta();
}

void EncaixaTexto(QLabel* rotulo) {
    Encaixa(rotulo, [rotulo](const QFontMetrics& fm) {
        const QRect caixa = rotulo->contentsRect();
        const int largura = rotulo->wordWrap() ? caixa.width() : 1 << 20;
        const QRect r =
            fm.boundingRect(QRect(0, 0, largura, 1 << 20), rotulo->wordWrap() ? Qt::TextWordWrap : 0, rotulo->text());
        return r.width() <= caixa.width() && (!rotulo->wordWrap() || r.height() <= caixa.height());
    });
}

void DestacaFoco(QWidget* campo) { campo->installEventFilter(new FiltroDestaque(campo)); }

void PintaFundo(QWidget* w, const QColor& cor) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, cor);
    p.setColor(QPalette::Window, cor);
    w->setPalette(p);
}

void PintaJanela(QWidget* w, const QColor& cor) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, cor);
    w->setPalette(p);
}

void MostraDesabilitadoLegivel(QWidget* campo, const QColor& texto) {
    QPalette p = campo->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, texto);
    p.setColor(QPalette::Disabled, QPalette::WindowText, texto);
    p.setColor(QPalette::Disabled, QPalette::Base, kCorFundoSoLeitura);
    campo->setPalette(p);
    campo->setEnabled(false);
}

QLabel* LegendaOculta(QComboBox* lista, const QString& texto) {
    auto* l = new QLabel(texto, lista->parentWidget());
    l->setObjectName(lista->objectName() + QStringLiteral("_legenda"));
    l->setBuddy(lista);
    l->hide();
    if (lista->lineEdit()) lista->lineEdit()->setAccessibleName(texto);
    return l;
}

void PintaTexto(QWidget* w, const QColor& cor) {
    QPalette p = w->palette();
    p.setColor(QPalette::Text, cor);
    p.setColor(QPalette::WindowText, cor);
    w->setPalette(p);
}

QIcon IconeImpressora() {
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 10, 7);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(1, 7, 18, 8);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 10, 7);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(16, 9);
    return QIcon(pm);
}

QIcon IconeCalendario() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(180, 30, 30));
    p.setPen(QColor(90, 90, 90));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3) p.drawPoint(x, y);
    return QIcon(pm);
}

QPixmap ImagemFornecedor(int largura, int altura) {
    QPixmap pm(largura, altura);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, largura - 2, altura - 2);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(20, 60, 140));
    g.setColorAt(1, QColor(10, 120, 90));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(r, 8, 8);
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(std::max(10, altura / 3));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r.adjusted(0, 0, 0, -altura / 5), Qt::AlignCenter, QString::fromUtf8(fornecedor::kProduto));
    f.setBold(false);
    f.setPixelSize(std::max(8, altura / 7));
    p.setFont(f);
    p.setPen(Qt::white);  // legible down to the gradient's lighter end
    p.drawText(r.adjusted(0, altura / 2, 0, -2), Qt::AlignHCenter | Qt::AlignVCenter,
               QString::fromUtf8(fornecedor::kSite));
    return pm;
}

QPixmap ImagemRecibo(int lado) {
    QPixmap pm(lado, lado);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = lado / 8.0;
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(250, 250, 240));
    p.drawRect(QRectF(m, m / 2, lado - 2 * m, lado - m));
    p.setPen(QPen(QColor(40, 90, 160), 1.5));
    for (int i = 1; i <= 3; ++i) {
        const qreal y = m / 2 + i * (lado - m) / 5.0;
        p.drawLine(QPointF(m * 2, y), QPointF(lado - m * 2, y));
    }
    p.setPen(QPen(QColor(10, 120, 60), 2));
    p.drawText(QRectF(m, lado * 0.6, lado - 2 * m, lado * 0.35), Qt::AlignCenter, QStringLiteral("R$"));
    return pm;
}

void AoClicar(QWidget* w, std::function<void()> acao) {
    w->setCursor(Qt::PointingHandCursor);
    w->installEventFilter(new FiltroClique(w, std::move(acao)));
}

}  // namespace quantivo
