// macaco: a seeded random stream of keys and clicks over the program's real
// windows, to find what a hurried clerk can break. It builds the windows as
// start-up does, in this process, and drives them through the window
// system's own input path (shortcuts, popups and modal blocking as a user
// meets them):
//
//   QT_QPA_PLATFORM=offscreen build/tools/macaco/macaco --semente 7 --segundos 100
//
// Ctrl+V pastes texts of several shapes (a spreadsheet's rows, amounts with
// thousands dots, dates that do not exist, CMC7 lines, rubbish, a megabyte).
// Message boxes and Qt's dialogs (print, preview, files, questions) are
// answered with Enter or Escape; web pages and files are never opened. Today is fixed, and
// the program's files (the journal of operations among them, holding a few
// operations at the start), the home and the working folder live in a
// temporary folder, so nothing of the user's is read or written.
//
// A crash (a signal, or a sanitizer's report) or an event loop that stops
// turning prints the seed and the last actions and ends the run non-zero;
// the same seed replays the same stream. So does every "Erro inesperado"
// box (an exception the program did not expect), though the run goes on.
#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/DiarioDoPrograma.h"
#include "app/Janelas.h"
#include "core/Calculos.h"
#include "core/Datas.h"
#include "diario/DaOperacao.h"
#include "output/Arquivos.h"
#include "tests/support/PastaDoPrograma.h"
#include "ui/Regional.h"
#include "ui/Servicos.h"

#if defined(__SANITIZE_ADDRESS__)
#define MACACO_SANITIZADO 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MACACO_SANITIZADO 1
#endif
#endif
#ifdef MACACO_SANITIZADO
#include <sanitizer/common_interface_defs.h>
#endif

using namespace quantivo;

namespace {

// --- The record of the last actions, readable from a signal handler ---------

constexpr int kRegistro = 512;
constexpr int kLinha = 200;
char g_registro[kRegistro][kLinha];
std::atomic<unsigned long> g_acoes{0};
unsigned long long g_semente = 0;
int g_ultimas = 40;
std::atomic<bool> g_relatado{false};
std::atomic<long long> g_pulso{0};  // ms since start of the last step

void Escreve(const char* s) {
    ssize_t r = ::write(STDERR_FILENO, s, std::strlen(s));
    (void)r;
}

void EscreveNumero(unsigned long long n) {
    char b[24];
    int i = 23;
    b[i] = 0;
    do {
        b[--i] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n && i > 0);
    Escreve(b + i);
}

// Only what a signal handler may call.
void EscreveFalha(const char* motivo) {
    Escreve("\nmacaco: FAILURE (");
    Escreve(motivo);
    Escreve(") with --semente ");
    EscreveNumero(g_semente);
    Escreve(" after ");
    const unsigned long n = g_acoes.load();
    EscreveNumero(n);
    Escreve(" actions; the last ones:\n");
    const unsigned long ultimas =
        std::min<unsigned long>(n, static_cast<unsigned long>(std::min(g_ultimas, kRegistro)));
    for (unsigned long i = n - ultimas; i < n; ++i) {
        Escreve("  ");
        Escreve(g_registro[i % kRegistro]);
        Escreve("\n");
    }
}

// A failure that ends the run: reported once.
void RelataFalha(const char* motivo) {
    if (g_relatado.exchange(true)) return;
    EscreveFalha(motivo);
}

void Registra(const std::string& s) {
    const unsigned long n = g_acoes.load();
    std::snprintf(g_registro[n % kRegistro], kLinha, "#%lu %s", n + 1, s.c_str());
    g_acoes.store(n + 1);
}

extern "C" void AoSinal(int sinal) {
    RelataFalha(strsignal(sinal));
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

#ifdef MACACO_SANITIZADO
extern "C" void AoMorrerSanitizado() { RelataFalha("sanitizer report above"); }
#endif

void InstalaSinais() {
#ifdef MACACO_SANITIZADO
    // The sanitizer reports a bad access itself, with its stack; we add the
    // seed and the actions.
    __sanitizer_set_death_callback(AoMorrerSanitizado);
    const int sinais[] = {SIGABRT};
#else
    const int sinais[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
#endif
    static std::vector<char> pilha(1 << 16);
    stack_t ss{};
    ss.ss_sp = pilha.data();
    ss.ss_size = pilha.size();
    sigaltstack(&ss, nullptr);
    for (int s : sinais) {
        struct sigaction sa {};
        sa.sa_handler = AoSinal;
        sa.sa_flags = static_cast<int>(SA_ONSTACK | SA_RESETHAND);
        sigaction(s, &sa, nullptr);
    }
}

// --- Options -----------------------------------------------------------------

struct Opcoes {
    unsigned long long semente = 0;
    bool temSemente = false;
    double segundos = 60;
    long acoes = -1;         // a count instead of a duration
    double travamento = 60;  // seconds without a step: the event loop is stuck
    bool verboso = false;
};

void Uso() {
    std::fprintf(stderr,
                 "usage: macaco [--semente N] [--segundos S | --acoes N] [--ultimas N] [--travamento S] [--verboso]\n"
                 "  --semente N     the random stream (default: from the clock; printed)\n"
                 "  --segundos S    how long to run (default 60)\n"
                 "  --acoes N       how many actions instead\n"
                 "  --ultimas N     actions printed on a failure (default 40)\n"
                 "  --travamento S  seconds without an action that count as a hang (default 60)\n"
                 "  --verboso       print every action\n");
}

bool LeOpcoes(const QStringList& args, Opcoes& o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        const auto valor = [&](bool& ok) {
            ok = i + 1 < args.size();
            return ok ? args[++i] : QString();
        };
        bool ok = true;
        if (a == QLatin1String("--semente")) {
            o.semente = valor(ok).toULongLong(&ok);
            o.temSemente = true;
        } else if (a == QLatin1String("--segundos")) {
            o.segundos = valor(ok).toDouble(&ok);
        } else if (a == QLatin1String("--acoes")) {
            o.acoes = valor(ok).toLong(&ok);
        } else if (a == QLatin1String("--ultimas")) {
            g_ultimas = valor(ok).toInt(&ok);
        } else if (a == QLatin1String("--travamento")) {
            o.travamento = valor(ok).toDouble(&ok);
        } else if (a == QLatin1String("--verboso")) {
            o.verboso = true;
        } else {
            ok = false;
        }
        if (!ok) return false;
    }
    return true;
}

// --- The monkey ----------------------------------------------------------------

std::string Nome(const QWidget* w) {
    if (!w) return "-";
    std::string n = w->metaObject()->className();
    if (n.rfind("quantivo::", 0) == 0) n = n.substr(10);
    if (!w->objectName().isEmpty()) n += ":" + w->objectName().toStdString();
    return n;
}

bool DoPrograma(const QWidget* w) { return std::strncmp(w->metaObject()->className(), "quantivo::", 10) == 0; }

struct Tecla {
    const char* nome;
    Qt::Key tecla;
    char caractere;  // typed as this character when not 0
    Qt::KeyboardModifiers mods;
    int peso;
};

const Tecla kTeclas[] = {
    {"0", Qt::Key_0, '0', {}, 4},
    {"1", Qt::Key_1, '1', {}, 4},
    {"2", Qt::Key_2, '2', {}, 3},
    {"3", Qt::Key_3, '3', {}, 3},
    {"5", Qt::Key_5, '5', {}, 3},
    {"7", Qt::Key_7, '7', {}, 2},
    {"9", Qt::Key_9, '9', {}, 2},
    {",", Qt::Key_Comma, ',', {}, 3},
    {".", Qt::Key_Period, '.', {}, 3},
    {"/", Qt::Key_Slash, '/', {}, 2},
    {"-", Qt::Key_Minus, '-', {}, 2},
    {"a", Qt::Key_A, 'a', {}, 2},
    {"x", Qt::Key_X, 'x', {}, 1},
    {"M", Qt::Key_M, 'M', Qt::ShiftModifier, 1},
    {"Tab", Qt::Key_Tab, 0, {}, 6},
    {"Enter", Qt::Key_Return, 0, {}, 10},
    {"Escape", Qt::Key_Escape, 0, {}, 2},
    {"Left", Qt::Key_Left, 0, {}, 2},
    {"Right", Qt::Key_Right, 0, {}, 3},
    {"Up", Qt::Key_Up, 0, {}, 2},
    {"Down", Qt::Key_Down, 0, {}, 3},
    {"Backspace", Qt::Key_Backspace, 0, {}, 3},
    {"F2", Qt::Key_F2, 0, {}, 1},
    {"F5", Qt::Key_F5, 0, {}, 5},
    {"F7", Qt::Key_F7, 0, {}, 1},
    {"F10", Qt::Key_F10, 0, {}, 2},
    {"F12", Qt::Key_F12, 0, {}, 2},
    {"F8", Qt::Key_F8, 0, {}, 1},
    {"Delete", Qt::Key_Delete, 0, {}, 2},
    {"Space", Qt::Key_Space, ' ', {}, 2},
    {"Ctrl+Z", Qt::Key_Z, 0, Qt::ControlModifier, 2},
    {"Ctrl+C", Qt::Key_C, 0, Qt::ControlModifier, 1},
    {"Ctrl+V", Qt::Key_V, 0, Qt::ControlModifier, 2},
    // The kept operations: save, the list, its exports and the borderô.
    {"Ctrl+S", Qt::Key_S, 0, Qt::ControlModifier, 1},
    {"Ctrl+O", Qt::Key_O, 0, Qt::ControlModifier, 1},
    {"Ctrl+E", Qt::Key_E, 0, Qt::ControlModifier, 1},
    {"Ctrl+M", Qt::Key_M, 0, Qt::ControlModifier, 1},
    {"Ctrl+P", Qt::Key_P, 0, Qt::ControlModifier, 1},
};

// Every message of the program reaches its box through here. "Erro
// inesperado" is what an action ends with when it throws what no handler
// expected: a fault of the program's, reported with the actions that led to
// it; the box is answered and the run goes on.
class MensagensVigiadas : public MensageiroQt {
public:
    using Mensageiro::Mostra;
    void Mostra(const Mensagem& m) override {
        if (m.texto == kErroInesperado && ++inesperados <= 10) {
            EscreveFalha("an \"Erro inesperado\" box");
            if (inesperados == 10) Escreve("(the next ones are only counted)\n");
        }
        MensageiroQt::Mostra(m);
    }
    int inesperados = 0;
};

// What Ctrl+V pastes: a spreadsheet's block with thousands dots, a date that
// does not exist and texts that are no amount.
constexpr const char* kColado = "29/02/2025\t1.000\n31/12/2007\tR$ 2.500,50\n1.5.2\t0.500\n";

class Macaco {
public:
    Macaco(const Opcoes& o) : opcoes_(o), sorte_(o.semente) {
        for (const Tecla& t : kTeclas) pesos_.push_back(t.peso);
        relogio_.start();
    }

    void Comeca() {
        QTimer::singleShot(0, [this] { Passo(); });
    }
    bool Terminou() const { return terminou_; }

    void Relatorio() const {
        const double s = static_cast<double>(relogio_.elapsed()) / 1000.0;
        const unsigned long n = g_acoes.load();
        std::printf(
            "macaco: seed %llu: %lu actions in %.1f s (%.1f actions/s); %d messages and dialogs answered, "
            "%d closed by force\n",
            opcoes_.semente, n, s, s > 0 ? static_cast<double>(n) / s : 0.0, respondidas_, forcadas_);
        std::printf("macaco: windows reached (actions in each):");
        for (const auto& [nome, vezes] : janelas_) std::printf(" %s=%d", nome.c_str(), vezes);
        std::printf("\n");
    }

private:
    // Whether a modal window keeps the user's input from `w` now: an
    // application-modal one blocks every window but those opened from it, a
    // window-modal one the window chain it was opened from. Keys and clicks
    // sent to a blocked window are dropped; the run would spend its actions
    // on a main menu behind an entry window.
    static bool Bloqueada(const QWidget* w) {
        const auto abertaDe = [](const QWidget* filha, const QWidget* mae) {
            for (const QWidget* p = filha; p; p = p->parentWidget())
                if (p == mae) return true;
            return false;
        };
        for (const QWidget* m : QApplication::topLevelWidgets()) {
            if (m == w || !m->isVisible() || !m->isModal() || abertaDe(w, m)) continue;
            if (m->windowModality() == Qt::ApplicationModal || abertaDe(m, w)) return true;
        }
        return false;
    }
    // What takes the keys now: a popup, the active window when no modal
    // window blocks it, else the modal window on top.
    static QWidget* Topo() {
        if (QWidget* p = QApplication::activePopupWidget()) return p;
        QWidget* ativa = QApplication::activeWindow();
        if (ativa && !Bloqueada(ativa)) return ativa;
        if (QWidget* m = QApplication::activeModalWidget()) {
            m->activateWindow();
            return m;
        }
        return ativa;
    }
    // The window that a step's action blocks in, if it opens one.
    static QWidget* Bloqueio() {
        if (QWidget* p = QApplication::activePopupWidget()) return p;
        return QApplication::activeModalWidget();
    }

    int Sorteia(int n) { return std::uniform_int_distribution<int>(0, n - 1)(sorte_); }
    bool Chance(int porcento) { return Sorteia(100) < porcento; }

    bool Acabou() const {
        if (opcoes_.acoes >= 0) return static_cast<long>(g_acoes.load()) >= opcoes_.acoes;
        return static_cast<double>(relogio_.elapsed()) >= opcoes_.segundos * 1000.0;
    }

    void Agenda() {
        QTimer::singleShot(0, [this] { Passo(); });
    }

    void Passo() {
        g_pulso.store(relogio_.elapsed());
        // A step that fires while an earlier one is still busy (its own
        // event processing) waits; one that fires in a window the earlier
        // action opened and waits in, answers it.
        QWidget* bloqueio = Bloqueio();
        if (!emAcao_.empty()) {
            const bool novo = bloqueio && std::none_of(emAcao_.begin(), emAcao_.end(),
                                                       [&](const QPointer<QWidget>& w) { return w == bloqueio; });
            if (!novo) {
                QTimer::singleShot(2, [this] { Passo(); });
                return;
            }
        }
        if (Acabou()) return Encerra(bloqueio);
        Agenda();
        emAcao_.push_back(bloqueio);
        Age();
        emAcao_.pop_back();
    }

    // The end: every window the run left open is closed, from the top, so
    // that the steps waiting in them return; then the event loop ends.
    void Encerra(QWidget* bloqueio) {
        if (bloqueio) {
            if (auto* d = qobject_cast<QDialog*>(bloqueio))
                d->reject();
            else
                bloqueio->close();
            QTimer::singleShot(0, [this] { Passo(); });
            return;
        }
        if (emAcao_.empty()) {
            terminou_ = true;
            // Not quit(): that first asks every window to close, and the
            // main menu refuses while the run keeps it open.
            QCoreApplication::exit(0);
            return;
        }
        QTimer::singleShot(2, [this] { Passo(); });
    }

    void Age() {
        QWidget* topo = Topo();
        if (!topo || !topo->isVisible()) {
            // Nothing active: the user brings the main menu back.
            Registra("activate the main menu");
            frm_principal->show();
            frm_principal->raise();
            frm_principal->activateWindow();
            return;
        }
        janelas_[Nome(topo)]++;
        if (topo->windowType() == Qt::Popup) return Popup(topo);
        if (!DoPrograma(topo)) return Dialogo(topo);
        const int r = Sorteia(100);
        if (r < 64)
            Teclado(topo);
        else if (r < 94)
            Clique(topo);
        else if (r < 95)
            ColaNumaGrade(topo);
        else
            JanelaDeOutro(topo);
    }

    void Diz(const std::string& s) {
        Registra(s);
        if (opcoes_.verboso) std::fprintf(stderr, "#%lu %s\n", g_acoes.load(), s.c_str());
    }

    static QWindow* Janela(QWidget* topo) {
        if (QWindow* f = QGuiApplication::focusWindow()) return f;
        return topo->window()->windowHandle();
    }

    void Pressiona(QWidget* topo, const Tecla& t) {
        QWindow* w = Janela(topo);
        if (!w) return;
        const QWidget* foco = QApplication::focusWidget();
        Diz(std::string("[") + Nome(topo) + "] key " + t.nome + " in " + Nome(foco));
        if (t.caractere)
            QTest::keyClick(w, t.caractere, t.mods);
        else
            QTest::keyClick(w, t.tecla, t.mods);
    }

    void Teclado(QWidget* topo) {
        const int i = std::discrete_distribution<int>(pesos_.begin(), pesos_.end())(sorte_);
        // Most pastes bring a text of their own; the others what Ctrl+C
        // last copied.
        if (kTeclas[i].tecla == Qt::Key_V && Chance(75)) PoeNaAreaDeTransferencia();
        Pressiona(topo, kTeclas[i]);
    }

    // What a clerk pastes: rows copied from a spreadsheet, amounts and dates
    // as other programs write them, a cheque reader's CMC7 line, rubbish, and
    // now and then a megabyte.
    void PoeNaAreaDeTransferencia() {
        static const char* const kValores[] = {"1.000,00", "1.234.567,89", "1.000",  "1,000.00",   "2500,50",
                                               "-12,5",    "R$ 1.045,00",  " 0,01 ", "9999999999", "0,001"};
        static const char* const kDatas[] = {"31/12/2007", "2007-12-31", "31/12/07",   "29/02/2024", "31/02/2008",
                                             "1/1/8",      "12/31/2007", "15.02.2008", "hoje",       ""};
        static const char* const kCmc7[] = {
            "<23704948<0180017935>377506100112:", "<23704948< 0180017935> 377506100112 :",
            "<23704949<0180017935>377506100112:", "<2370?948<0180017935>377506100112:", "<23704948<01800179"};
        const auto uma = [&](const auto& lista) {
            return QString::fromUtf8(lista[static_cast<std::size_t>(Sorteia(static_cast<int>(std::size(lista))))]);
        };
        const auto linhas = [&](int n, const QString& fim) {
            QString t;
            for (int i = 0; i < n; ++i) {
                t += uma(kDatas) + '\t' + uma(kValores);
                if (Chance(50)) t += QStringLiteral("\t237/0494/00%1\tJos\u00e9 da Silva").arg(Sorteia(10000));
                t += fim;
            }
            return t;
        };
        QString t;
        const char* forma;
        const int r = Sorteia(20);
        if (r < 6) {
            forma = "spreadsheet rows";
            t = linhas(1 + Sorteia(20), Chance(50) ? QStringLiteral("\r\n") : QStringLiteral("\n"));
        } else if (r < 9) {
            forma = "amount";
            t = uma(kValores);
        } else if (r < 12) {
            forma = "date";
            t = uma(kDatas);
        } else if (r < 15) {
            forma = "CMC7 line";
            t = uma(kCmc7);
        } else if (r < 19) {
            forma = "rubbish";
            static const char16_t kLixo[] = u"\t\r\n\x7f\x01 ;\"'<>:?/\\%\u00e7\u00e3\u0301\u202e\u00a0\ufffd";
            for (int i = Sorteia(300); i >= 0; --i) {
                if (Chance(10))
                    t += QChar(static_cast<char16_t>(Sorteia(0xD800)));
                else
                    t += QChar(kLixo[Sorteia(static_cast<int>(std::size(kLixo)) - 1)]);
            }
        } else if (Chance(50)) {
            // Dates after today's: rows dated before the operation date would
            // each bring the workbench's warning, tens of thousands of boxes
            // that would take the rest of the run.
            forma = "a megabyte of rows";
            while (t.size() < (1 << 20))
                t += QStringLiteral("%1/%2/2031\t%3,%4\n")
                         .arg(1 + Sorteia(28), 2, 10, QLatin1Char('0'))
                         .arg(1 + Sorteia(12), 2, 10, QLatin1Char('0'))
                         .arg(Sorteia(100000))
                         .arg(Sorteia(100), 2, 10, QLatin1Char('0'));
        } else {
            forma = "a megabyte on one line";
            t = QString(1 << 20, QLatin1Char('7'));
        }
        QString amostra = t.left(40);
        amostra.replace('\t', QLatin1String("\\t"))
            .replace('\r', QLatin1String("\\r"))
            .replace('\n', QLatin1String("\\n"));
        Diz(std::string("clipboard: ") + forma + ", " + std::to_string(t.size()) + " characters: \"" +
            amostra.toStdString() + "\"");
        QGuiApplication::clipboard()->setText(t);
    }

    void Popup(QWidget* topo) {
        static const Tecla teclas[] = {{"Escape", Qt::Key_Escape, 0, {}, 0},
                                       {"Enter", Qt::Key_Return, 0, {}, 0},
                                       {"Down", Qt::Key_Down, 0, {}, 0},
                                       {"Up", Qt::Key_Up, 0, {}, 0}};
        Pressiona(topo, teclas[Sorteia(4)]);
    }

    // A message box or one of Qt's dialogs: Enter or Escape, and closed by
    // force when a dozen answers left it open.
    void Dialogo(QWidget* topo) {
        QPointer<QWidget> d(topo);
        if (d != ultimoDialogo_) {
            ultimoDialogo_ = d;
            respostas_ = 0;
        }
        if (++respostas_ > 12) {
            Diz("[" + Nome(topo) + "] closed by force");
            ++forcadas_;
            if (auto* dd = qobject_cast<QDialog*>(topo))
                dd->reject();
            else
                topo->close();
            return;
        }
        ++respondidas_;
        static const Tecla enter{"Enter", Qt::Key_Return, 0, {}, 0}, escape{"Escape", Qt::Key_Escape, 0, {}, 0};
        Pressiona(topo, Chance(60) ? enter : escape);
    }

    static bool Clicavel(const QWidget* w) {
        if (!w->isVisible() || !w->isEnabled() || w->width() < 2 || w->height() < 2) return false;
        return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QComboBox*>(w) || qobject_cast<const QLabel*>(w) ||
               (w->parentWidget() && qobject_cast<const QAbstractItemView*>(w->parentWidget()) &&
                w == static_cast<const QAbstractItemView*>(w->parentWidget())->viewport());
    }

    void Clique(QWidget* topo) {
        std::vector<QWidget*> alvos;
        for (QWidget* w : topo->findChildren<QWidget*>())
            if (w->window() == topo && Clicavel(w)) alvos.push_back(w);
        alvos.push_back(topo);
        QWidget* alvo = alvos[static_cast<std::size_t>(Sorteia(static_cast<int>(alvos.size())))];
        const QPoint local(Sorteia(alvo->width()), Sorteia(alvo->height()));
        const QPoint ponto = alvo->mapTo(topo, local);
        QWindow* w = topo->windowHandle();
        if (!w) return;
        const bool duplo = Chance(6);
        Diz("[" + Nome(topo) + "] " + (duplo ? "double click" : "click") + " on " + Nome(alvo) + " at " +
            std::to_string(local.x()) + "," + std::to_string(local.y()));
        if (duplo)
            QTest::mouseDClick(w, Qt::LeftButton, {}, ponto);
        else
            QTest::mouseClick(w, Qt::LeftButton, {}, ponto);
    }

    // A click on a cell of one of the window's grids, and a paste there:
    // the grids take whole blocks, which the keys alone seldom bring them.
    void ColaNumaGrade(QWidget* topo) {
        std::vector<QAbstractItemView*> grades;
        for (QAbstractItemView* g : topo->findChildren<QAbstractItemView*>())
            if (g->window() == topo && Clicavel(g->viewport())) grades.push_back(g);
        QWindow* w = topo->windowHandle();
        if (grades.empty() || !w) return Teclado(topo);
        QWidget* vp = grades[static_cast<std::size_t>(Sorteia(static_cast<int>(grades.size())))]->viewport();
        const QPoint local(Sorteia(vp->width()), Sorteia(vp->height()));
        Diz("[" + Nome(topo) + "] click on " + Nome(vp->parentWidget()) + " at " + std::to_string(local.x()) + "," +
            std::to_string(local.y()) + " to paste");
        QTest::mouseClick(w, Qt::LeftButton, {}, vp->mapTo(topo, local));
        PoeNaAreaDeTransferencia();
        static const Tecla colar{"Ctrl+V", Qt::Key_V, 0, Qt::ControlModifier, 0};
        Pressiona(topo, colar);
    }

    // Another window of the program brought to the front, or the top one
    // closed with its title bar's button.
    void JanelaDeOutro(QWidget* topo) {
        if (Chance(50) && topo != frm_principal && (topo->windowFlags() & Qt::WindowCloseButtonHint)) {
            Diz("[" + Nome(topo) + "] close box");
            topo->close();
            return;
        }
        std::vector<QWidget*> outras;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != topo && w->isVisible() && DoPrograma(w) && !Bloqueada(w)) outras.push_back(w);
        // The workbench closed by F2 comes back as a hand-over brings it
        // (one with no rows shows it whatever was typed): random keys seldom
        // fill an entry window well enough to get there.
        if (frm_desconto_cheque && topo != frm_desconto_cheque && !frm_desconto_cheque->isVisible() &&
            !Bloqueada(frm_desconto_cheque))
            outras.push_back(frm_desconto_cheque);
        if (outras.empty()) return;
        QWidget* w = outras[static_cast<std::size_t>(Sorteia(static_cast<int>(outras.size())))];
        Diz("[" + Nome(topo) + "] bring " + Nome(w) + " to the front");
        w->show();
        w->raise();
        w->activateWindow();
    }

    Opcoes opcoes_;
    std::mt19937_64 sorte_;
    std::vector<int> pesos_;
    QElapsedTimer relogio_;
    std::vector<QPointer<QWidget>> emAcao_;
    std::map<std::string, int> janelas_;
    QPointer<QWidget> ultimoDialogo_;
    int respostas_ = 0, respondidas_ = 0, forcadas_ = 0;
    bool terminou_ = false;
};

// The main menu's "Sair" (a click, Enter or Space on it) would end the
// program: the run keeps it open and goes on.
class MenuFica : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* obj, QEvent* e) override {
        if (obj != frm_principal || e->type() != QEvent::Close) return false;
        Registra("(the main menu closing: kept open)");
        e->ignore();
        return true;
    }
};

// A few saved operations in the run's own journal, so that the list of the
// saved ones has something to reopen, export and print.
void SalvaOperacoesDeExemplo() {
    diario::Diario* d = DiarioDoPrograma();
    if (!d) return;
    Operacao op;
    DadosGerais& g = op.bancada.dados;
    g.DataReferencia = *CodificaData(2026, 3, 16);
    g.Taxa = "3";
    g.TAC = 2;
    g.IOF = 0.0041L;
    g.TipoTarifa = TipoDeTarifa::TarifaPorTitulo;
    g.Tarifa = 2;
    g.Tipo = TipoCalculo::DescontoCheque;
    op.bancada.linhas = {{"31/03/26", "1000", "001/123456", "Maria", "", "", ""},
                         {"26/04/26", "500", "237/004411", "José", "", "", ""}};
    for (const char* nome : {"Maria da Conceição", "José Ferreira", "Mercearia Boa Vista"}) {
        Operacao c = op;
        c.cliente.nome = nome;
        MensageiroGravador m;
        if (CalculaOperacao(c, {m, Hoje()}) != Desfecho::Concluido) continue;
        diario::OperacaoSalva registro = diario::ParaODiario(c, Hoje());
        d->Salva(registro);
    }
}

// Ends the run when no step has started for `limite` seconds.
void Vigia(double limite) {
    std::thread([limite] {
        const auto inicio = std::chrono::steady_clock::now();
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            const long long agora =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - inicio)
                    .count();
            if (static_cast<double>(agora - g_pulso.load()) > limite * 1000.0) {
                RelataFalha("hang: no action for too long");
                std::_Exit(3);
            }
        }
    }).detach();
}

}  // namespace

int main(int argc, char** argv) {
    // Home, settings, data and the working folder (a print to file lands
    // there) in a folder of the run's own.
    QTemporaryDir casa;
    if (!casa.isValid()) return 2;
    const QByteArray c = casa.path().toLocal8Bit();
    for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        setenv(v, c.constData(), 1);
    QFile::setPermissions(casa.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!QDir::setCurrent(casa.path())) return 2;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication app(argc, argv);
    Opcoes o;
    if (!LeOpcoes(QCoreApplication::arguments(), o)) {
        Uso();
        return 2;
    }
    if (!o.temSemente)
        o.semente = static_cast<unsigned long long>(std::random_device{}()) ^
                    static_cast<unsigned long long>(QDateTime::currentMSecsSinceEpoch());
    g_semente = o.semente;
    std::printf("macaco: seed %llu\n", o.semente);
    std::fflush(stdout);
    InstalaSinais();

    // As the program sets itself up (app/main.cpp), with the seams to the
    // outside closed.
    QApplication::setApplicationName(QStringLiteral("Quantivo"));
    QApplication::setFont(FonteJanela());
    CarregaTraducoesQt();
    app.setQuitOnLastWindowClosed(false);
    teste::PastaDoPrograma pasta;
    // The journal the run saves into is its own, never the user's.
    if (!CaminhoDiario().startsWith(pasta.path())) return 2;
    DefineHoje(*CodificaData(2026, 3, 16));
    DefineAbreUrl([](const QString& u) { Registra("(web page not opened: " + u.toStdString() + ")"); });
    DefineAbreArquivo([](const QString& a) {
        Registra("(file not opened: " + a.toStdString() + ")");
        return false;  // as with no PDF reader: the program shows the manual itself
    });
    SalvaOperacoesDeExemplo();
    CriaMenuPrincipal();
    MostraMenuECriaDemais();
    QGuiApplication::clipboard()->setText(QString::fromLatin1(kColado));

    MenuFica fica;
    frm_principal->installEventFilter(&fica);

    MensagensVigiadas mensagens;
    DefineServicoMensagens(&mensagens);

    Macaco macaco(o);
    Vigia(o.travamento);
    macaco.Comeca();
    app.exec();
    macaco.Relatorio();
    std::fflush(stdout);
    if (frm_principal) frm_principal->removeEventFilter(&fica);
    if (!macaco.Terminou()) {
        RelataFalha("the event loop ended before the run did");
        return 1;
    }
    DestroiJanelas();
    DefineServicoMensagens(nullptr);
    if (mensagens.inesperados > 0) {
        std::fprintf(stderr, "macaco: FAILURE: %d \"Erro inesperado\" box(es) with --semente %llu\n",
                     mensagens.inesperados, o.semente);
        return 1;
    }
    return 0;
}
