#pragma once
// The clerk's own choices kept between runs, in the per-user configuration
// directory and apart from the issuer settings of valida.ini: the holiday
// option of the workbench (preferencias.ini) and the local holidays
// (feriados.txt, one a line, "dd/mm Nome" or "dd/mm/aaaa Nome", UTF-8).
#include <QString>
#include <vector>

#include "core/Feriados.h"

namespace quantivo {

QString DiretorioPreferencias();
void DefineDiretorioPreferencias(const QString& dir);  // for tests; empty restores

// The workbench's "F8- Feriados" box; off until the clerk first ticks it.
bool LeOpcaoFeriados();
void GravaOpcaoFeriados(bool ligada);

QString CaminhoFeriadosLocais();

struct ArquivoFeriados {
    ListaFeriados lista;  // a missing file is an empty list
    // Why the file could not be read at all (empty when it could): then
    // nothing of it is used and nothing may be written over it.
    QString erro;
};
// Read tolerantly: a line that is no holiday is set aside (lista.naoLidas),
// the others are used. Text that is not UTF-8 is taken as Latin-1.
ArquivoFeriados LeArquivoFeriados();
// Replaces the file at once (never half written); the lines that could not be
// read go after the holidays as they were. False, with the reason, on failure.
bool GravaArquivoFeriados(const std::vector<FeriadoLocal>& feriados, const std::vector<LinhaNaoLida>& naoLidas,
                          QString& motivo);

// The message that tells the clerk which lines of the file were not read, or
// why the file could not be read; empty when there is nothing to tell.
QString AvisoArquivoFeriados(const ArquivoFeriados& a);

}  // namespace quantivo
