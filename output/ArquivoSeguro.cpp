#include "output/ArquivoSeguro.h"

#include <cerrno>
#include <filesystem>

#include "output/ErroArquivo.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <fstream>
#endif

namespace quantivo {

std::filesystem::path CaminhoDoSistema(const std::string& caminho) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(caminho.begin(), caminho.end()));
#else
    return std::filesystem::path(caminho);
#endif
}

#ifndef _WIN32
namespace {

bool EscreveTudo(int fd, std::string_view s) {
    while (!s.empty()) {
        const ssize_t n = ::write(fd, s.data(), s.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        s.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool GravaSubstituindo(const std::string& caminho, std::string_view bytes, std::string& motivo) {
    const std::filesystem::path alvo(caminho);
    const std::filesystem::path dir = alvo.parent_path().empty() ? std::filesystem::path(".") : alvo.parent_path();
    // The old file's permissions carry over (the file is shared by the users
    // of the program's directory); a new file gets the usual 0666 & ~umask.
    struct stat antigo {};
    const bool temAntigo = ::stat(caminho.c_str(), &antigo) == 0 && S_ISREG(antigo.st_mode);

    std::string temp;
    int fd = -1;
    for (int tentativa = 0; fd < 0 && tentativa < 100; ++tentativa) {
        temp = (dir / ("." + alvo.filename().string() + "." + std::to_string(::getpid()) + "." +
                       std::to_string(tentativa) + ".tmp"))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        motivo = MotivoSistema(errno);
        return false;
    }

    // The first failing step's errno is the reason: the user reads it, and a
    // later call (close, unlink) may overwrite errno.
    int erro = EscreveTudo(fd, bytes) ? 0 : errno;
    if (!erro && temAntigo && ::fchmod(fd, antigo.st_mode & 07777) != 0) erro = errno;
    if (!erro && ::fsync(fd) != 0) erro = errno;
    if (::close(fd) != 0 && !erro) erro = errno;
    if (!erro && ::rename(temp.c_str(), caminho.c_str()) != 0) erro = errno;
    if (erro) {
        motivo = MotivoSistema(erro);
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the directory; a failure here
    // no longer puts the settings at risk.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}
#else
bool GravaSubstituindo(const std::string& caminho, std::string_view bytes, std::string& motivo) {
    const std::filesystem::path alvo = CaminhoDoSistema(caminho);
    std::filesystem::path nomeTemp = u8".";
    nomeTemp += alvo.filename();
    nomeTemp += u8".tmp";
    const std::filesystem::path temp = alvo.parent_path() / nomeTemp;
    bool ok;
    int erro = 0;
    {
        errno = 0;
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        // The C library's reason for a file that cannot be made (a folder
        // missing, access denied, the disk full).
        if (!f) erro = errno;
        ok = f && f.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && f.flush();
        if (f && !ok) erro = errno;
    }
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, alvo, ec);
    if (!ok || ec) {
        motivo = ec ? "o arquivo novo não pôde tomar o lugar do antigo"
                 : erro ? MotivoSistema(erro)
                        : "falha de escrita";
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}
#endif

}  // namespace quantivo
