#pragma once
// The test programs' environment, on Linux and on Windows alike: a variable
// set, the time zone pinned to UTC, the process's number.
#include <cstdlib>
#include <ctime>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace quantivo::teste {

inline void DefineVariavel(const char* nome, const char* valor) {
#ifdef _WIN32
    _putenv_s(nome, valor);
#else
    setenv(nome, valor, 1);
#endif
}

inline void FusoUtc() {
    DefineVariavel("TZ", "UTC");
#ifdef _WIN32
    _tzset();
#else
    tzset();
#endif
}

// The process's number, for names of temporary files.
inline long IdProcesso() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<long>(getpid());
#endif
}

}  // namespace quantivo::teste
