// Start-up time: from process start to the main menu shown, against a bare
// Qt window of the same size, both measured by this program in the same run
// (and, for context, against the bare window holding one label).
// Each measurement starts a child process (this program in a child mode) and
// times it until the child reports that its window is exposed.
//
//   bench_gui_startup [rounds]      (QT_QPA_PLATFORM as set, else offscreen)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/Janelas.h"
#include "ui/Regional.h"

extern char** environ;

namespace {

enum class Modo { Nua, Rotulo, Quantivo };

void InformaPronto() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const double cpu = static_cast<double>(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 +
                       static_cast<double>(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
    std::printf("pronto %.3f\n", cpu);
    std::fflush(stdout);
}

// "Shown" is the end of the window's first paint: the first event-loop turn
// after its first paint event.
class AposPrimeiraPintura : public QObject {
public:
    explicit AposPrimeiraPintura(QWidget* w) : QObject(w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !pintada) {
            pintada = true;
            QTimer::singleShot(0, [this] {
                InformaPronto();
                pronto = true;
            });
        }
        return false;
    }
    bool pintada = false, pronto = false;
};

int Filho(int argc, char** argv, Modo modo) {
    QApplication app(argc, argv);
    QWidget nua;
    if (modo == Modo::Quantivo) {
        // As app/main.cpp does it; MostraMenuECriaDemais builds the other
        // windows after the main menu's first paint, after this probe.
        app.setQuitOnLastWindowClosed(false);
        QApplication::setFont(quantivo::FonteJanela());
        quantivo::CriaMenuPrincipal();
        auto* sonda = new AposPrimeiraPintura(quantivo::frm_principal);
        quantivo::MostraMenuECriaDemais();
        while (!sonda->pronto) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        while (!quantivo::frm_desconto_cheque) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        quantivo::DestroiJanelas();
        return 0;
    }
    if (modo == Modo::Rotulo) (new QLabel(QStringLiteral("Quantivo"), &nua))->move(10, 10);
    nua.setFixedSize(756, 478);
    auto* sonda = new AposPrimeiraPintura(&nua);
    nua.show();
    while (!sonda->pronto) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return 0;
}

struct Medida {
    double parede, cpu;  // ms from spawn to the window shown; the child's CPU ms by then
};

Medida Mede(const char* programa, const char* modo) {
    int canal[2];
    if (pipe(canal) != 0) std::exit(2);
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    posix_spawn_file_actions_adddup2(&acoes, canal[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&acoes, canal[0]);
    char* args[] = {const_cast<char*>(programa), const_cast<char*>(modo), nullptr};
    const auto inicio = std::chrono::steady_clock::now();
    pid_t pid;
    if (posix_spawn(&pid, programa, &acoes, nullptr, args, environ) != 0) std::exit(2);
    close(canal[1]);
    char buf[64] = {};
    const ssize_t n = read(canal[0], buf, sizeof buf - 1);
    const auto fim = std::chrono::steady_clock::now();
    close(canal[0]);
    int st = 0;
    waitpid(pid, &st, 0);
    posix_spawn_file_actions_destroy(&acoes);
    if (n <= 0) {
        std::fprintf(stderr, "child %s failed\n", modo);
        std::exit(2);
    }
    return {std::chrono::duration<double, std::milli>(fim - inicio).count(), std::atof(buf + 7)};
}

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--filho-nua") == 0) return Filho(argc, argv, Modo::Nua);
    if (argc > 1 && std::strcmp(argv[1], "--filho-rotulo") == 0) return Filho(argc, argv, Modo::Rotulo);
    if (argc > 1 && std::strcmp(argv[1], "--filho-quantivo") == 0) return Filho(argc, argv, Modo::Quantivo);
    setenv("QT_QPA_PLATFORM", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);
    const int rodadas = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    std::vector<double> nua, quantivo, nuaCpu, quantivoCpu, rotulo, rotuloCpu;
    Mede("/proc/self/exe", "--filho-nua");  // warms the file cache
    Mede("/proc/self/exe", "--filho-quantivo");
    for (int i = 0; i < rodadas; ++i) {
        const Medida n = Mede("/proc/self/exe", "--filho-nua");
        const Medida q = Mede("/proc/self/exe", "--filho-quantivo");
        const Medida r = Mede("/proc/self/exe", "--filho-rotulo");
        rotulo.push_back(r.parede);
        rotuloCpu.push_back(r.cpu);
        nua.push_back(n.parede);
        nuaCpu.push_back(n.cpu);
        quantivo.push_back(q.parede);
        quantivoCpu.push_back(q.cpu);
    }
    const double mn = Mediana(nua), mq = Mediana(quantivo), cn = Mediana(nuaCpu), cq = Mediana(quantivoCpu);
    std::printf("platform %s, %d rounds (medians)        wall ms   CPU ms\n", std::getenv("QT_QPA_PLATFORM"), rodadas);
    std::printf("bare Qt window shown:             %8.1f %8.1f\n", mn, cn);
    std::printf("Quantivo main menu shown:         %8.1f %8.1f\n", mq, cq);
    std::printf("ratio:                            %8.2f %8.2f\n", mq / mn, cq / cn);
    // For context: the same bare window with one line of text, which pays
    // the font set-up that any window with text pays.
    const double mr = Mediana(rotulo), cr = Mediana(rotuloCpu);
    std::printf("bare window with one label:       %8.1f %8.1f\n", mr, cr);
    std::printf("ratio to it:                      %8.2f %8.2f\n", mq / mr, cq / cr);
    return 0;
}
