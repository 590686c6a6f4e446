#pragma once
// Where the program's files live, and their 8-bit Windows-1252 text. Every
// platform-specific place is one small function here.
#include <QByteArray>
#include <QString>
#include <string>

namespace quantivo {

// The directory of the program's executable. Tests may point it elsewhere.
QString DiretorioPrograma();
void DefineDiretorioPrograma(const QString& dir);  // empty restores the default

// valida.ini: beside the executable when that directory is writable, otherwise
// in the per-user configuration directory. Reading takes the first of the two
// (in that order of preference) that holds the file; empty when none does.
QString CaminhoValidaIniEscrita();
QString CaminhoValidaIniLeitura();

// Listagem.txt: in the per-user data directory (never a shared
// world-writable one, nor the Windows directory). The directory is created.
QString CaminhoListagem();
void DefineDiretorioListagem(const QString& dir);  // for tests; empty restores

// The journal of saved operations, diario.sqlite, in the per-user data
// directory. Only the path: the journal makes its folder when it first saves.
QString CaminhoDiario();
void DefineDiretorioDiario(const QString& dir);  // for tests; empty restores

// The user manual "Manual_Quantivo.pdf", or empty when it is not found.
QString CaminhoManual();

QString DeWindows1252(const QByteArray& bytes);

// A path as output/ArquivoSeguro and output/Cadastro take it (see
// CaminhoDoSistema): the system's bytes on POSIX, UTF-8 on Windows.
std::string CaminhoParaArquivo(const QString& caminho);

}  // namespace quantivo
