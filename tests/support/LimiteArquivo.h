#pragma once
// Making file writes fail on purpose. The tests run as root in CI, where
// permissions stop nothing; a file size limit does: past it write() fails with
// EFBIG. The limit is set in a forked child so that nothing else in the test
// process (font caches, Qt's own files) meets it.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <exception>
#include <functional>
#include <string>

namespace quantivo::teste {

struct ResultadoFilho {
    bool terminou = false;  // the child ran `acao` to its end
    bool lancou = false;    // `acao` threw; `texto` is the exception's what()
    std::string texto;      // otherwise what `acao` returned
};

// Runs `acao` in a child process whose files cannot grow past `limite` bytes,
// and brings back its outcome. The child leaves with _exit, running no
// destructors of the parent's objects.
inline ResultadoFilho ComLimiteDeArquivo(rlim_t limite, const std::function<std::string()>& acao) {
    int tubo[2];
    if (pipe(tubo) != 0) return {};
    const pid_t pid = fork();
    if (pid < 0) return {};
    if (pid == 0) {
        close(tubo[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{limite, limite};
        setrlimit(RLIMIT_FSIZE, &r);
        char marca = 'R';
        std::string texto;
        try {
            texto = acao();
        } catch (const std::exception& e) {
            marca = 'E';
            texto = e.what();
        } catch (...) {
            marca = 'E';
            texto = "exceção desconhecida";
        }
        const std::string saida = marca + texto;
        std::size_t feito = 0;
        while (feito < saida.size()) {
            const ssize_t n = write(tubo[1], saida.data() + feito, saida.size() - feito);
            if (n <= 0) break;
            feito += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(tubo[1]);
    std::string lido;
    char buf[4096];
    for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;) lido.append(buf, static_cast<std::size_t>(n));
    close(tubo[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ResultadoFilho r;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || lido.empty()) return r;
    r.terminou = true;
    r.lancou = lido[0] == 'E';
    r.texto = lido.substr(1);
    return r;
}

// For the child of ComLimiteDeArquivo: a test process running as root takes
// the identity of the unprivileged user "nobody", so that a folder's
// permissions stop its writes as they stop the user's. False when it cannot.
inline bool SemPrivilegios() {
    if (geteuid() != 0) return true;
    constexpr uid_t kNinguem = 65534;
    return setgid(kNinguem) == 0 && setuid(kNinguem) == 0;
}

}  // namespace quantivo::teste
