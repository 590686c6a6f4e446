#include "windows/LeitorCmc7.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <algorithm>

#include "core/Bancos.h"
#include "core/Cmc7.h"
#include "ui/Teclado.h"

namespace quantivo {

const char* const kMsgLeitorSemBancoNumero =
    "Esta janela recebe só as datas dos cheques: a linha do leitor não foi usada.\n"
    "Leia os cheques na coluna \"Banco/Número\" da bancada, depois do cálculo.";

QString TextoCmc7Recusado(int linha, const std::string& problema) {
    return QStringLiteral("O CMC7 da linha %1 foi recusado: %2").arg(linha).arg(QString::fromStdString(problema));
}

QString TextoChequeRepetido(int linhaAnterior) {
    return QStringLiteral("Este cheque já está na linha %1.").arg(linhaAnterior);
}

std::string DigitosDoCmc7(const std::string& linha) {
    std::string d;
    for (const char c : linha)
        if (c >= '0' && c <= '9') d += c;
    return d.size() == kDigitosCmc7 ? d : std::string();
}

QString TextoBancoDaLinha(const Parcela& p) {
    std::string codigo = DigitosDoCmc7(p.CMC7).substr(0, 3);
    const std::string& bn = p.BancoNumero;
    const auto digito = [](char c) { return c >= '0' && c <= '9'; };
    if (codigo.empty() && bn.size() > 3 && std::all_of(bn.begin(), bn.begin() + 3, digito) && bn[3] == '/')
        codigo = bn.substr(0, 3);
    if (codigo.empty()) return {};
    const std::string_view nome = NomeDoBanco(codigo);
    if (nome.empty()) return {};
    return QStringLiteral("Banco %1: %2")
        .arg(QString::fromStdString(codigo), QString::fromUtf8(nome.data(), static_cast<qsizetype>(nome.size())));
}

namespace {

// A reader sends its keys a millisecond or two apart and a typist some tens
// of milliseconds apart; the line is taken as ended after a pause a few
// times longer than the longest gap so far, so that a line typed by hand at
// a steady pace is not cut. Once the closing ":" came, only the reader's
// Enter is still awaited.
constexpr qint64 kPausaMinima = 400, kPausaMaxima = 2000;
constexpr qint64 kPausaAposFimMinima = 150, kPausaAposFimMaxima = 1000;

}  // namespace

RecepcaoLeitor::RecepcaoLeitor(QObject* parent) : QObject(parent) {
    pausa_.setSingleShot(true);
    connect(&pausa_, &QTimer::timeout, this, &RecepcaoLeitor::AoFimDaPausa);
}

RecepcaoLeitor::Tecla RecepcaoLeitor::Recebe(const QKeyEvent* e) {
    const QString t = e->text();
    if (!recebendo_) {
        if (t != QLatin1String("<")) return Tecla::Livre;
        recebendo_ = true;
        completa_ = false;
        texto_.clear();
        teclas_ = 0;
        maiorIntervalo_ = 0;
        relogio_.start();
        Acrescenta(t);
        return Tecla::Tomada;
    }
    if (SoModificador(e->key())) {
        // The Shift of "<", ">" and ":": the line is still coming.
        pausa_.start();
        return Tecla::Tomada;
    }
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return Tecla::Fim;
        case Qt::Key_Escape:
            Cancela();
            return Tecla::Tomada;
        case Qt::Key_Backspace:
            // A line typed by hand can be corrected while it is typed.
            texto_.chop(1);
            completa_ = texto_.endsWith(QLatin1Char(':'));
            if (texto_.isEmpty())
                Cancela();
            else
                pausa_.start();
            return Tecla::Tomada;
        default:
            break;
    }
    if (completa_) return Tecla::FimAntes;
    if (t.isEmpty() || !t.at(0).isPrint()) return Tecla::FimAntes;
    Acrescenta(t);
    return Tecla::Tomada;
}

void RecepcaoLeitor::Acrescenta(const QString& t) {
    if (teclas_ > 0) maiorIntervalo_ = std::max(maiorIntervalo_, relogio_.restart());
    ++teclas_;
    texto_ += t;
    if (t == QLatin1String(":")) completa_ = true;
    const qint64 ms = completa_ ? std::clamp(2 * maiorIntervalo_, kPausaAposFimMinima, kPausaAposFimMaxima)
                                : std::clamp(4 * maiorIntervalo_, kPausaMinima, kPausaMaxima);
    pausa_.start(static_cast<int>(ms));
}

QString RecepcaoLeitor::Encerra() {
    recebendo_ = false;
    pausa_.stop();
    return std::exchange(texto_, QString());
}

void RecepcaoLeitor::Cancela() { Encerra(); }

void RecepcaoLeitor::AoFimDaPausa() {
    if (!recebendo_) return;
    // The program may have been held up while the keys kept coming: those
    // already waiting join the line before it is taken as ended.
    const QPointer<RecepcaoLeitor> viva(this);
    QCoreApplication::processEvents();
    if (!viva || !recebendo_ || pausa_.isActive()) return;
    emit pausa();
}

}  // namespace quantivo
