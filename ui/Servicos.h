#pragma once
// The program's seams to the outside: the message service, today's date, and
// the actions that leave the program (opening a web page, starting a program).
// Tests replace each of them so that nothing blocks and nothing leaves.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/Mensagens.h"

class QWidget;

namespace quantivo {

// The caption of the warnings that ask the user to fill in a window.
inline constexpr const char* kTituloAtencao = "Atenção";
// What an action that throws something no handler expects ends with.
inline constexpr const char* kErroInesperado = "Erro inesperado";

// Shows each message in a modal QMessageBox with one OK button, and each
// question with the buttons yes and no.
class MensageiroQt : public Mensageiro {
public:
    using Mensageiro::Mostra;
    using Mensageiro::Pergunta;
    void Mostra(const Mensagem& m) override;
    bool Pergunta(const Mensagem& m, bool padrao) override;
};

// The message service every window uses. Defaults to MensageiroQt.
Mensageiro& ServicoMensagens();
void DefineServicoMensagens(Mensageiro* m);  // nullptr restores the default

// Today's date; tests can fix it.
Data Hoje();
void DefineHoje(std::optional<Data> d);

// The context of a calculation run from a window.
Contexto ContextoJanela();

// Runs a window action; any error it throws is shown through the message
// service (the general error report) and the action ends there. Returns true
// when the action completed.
bool ProtegeAcao(const std::function<void()>& acao);

// Opening a web address in the user's browser; starting a program with a
// parameter (its outcome is ignored). Replaceable for tests.
using AbreUrlFn = std::function<void(const QString& url)>;
void DefineAbreUrl(AbreUrlFn f);  // empty restores the default
void AbreUrl(const QString& url);
// A file with the desktop's viewer for its type. The opener answers whether
// it could open the file; `naoAbriu` runs when it could not: at once, or a
// moment later when the desktop's opener reports that no program took it.
using AbreArquivoFn = std::function<bool(const QString& caminho)>;
void DefineAbreArquivo(AbreArquivoFn f);
void AbreArquivo(const QString& caminho, std::function<void()> naoAbriu = {});

// A file to write, chosen in the save dialog: its path and which of the
// filters offered ("Planilha XLSX (*.xlsx)", ...) was chosen; nothing when
// the dialog was cancelled. Replaceable for tests.
struct ArquivoEscolhido {
    QString caminho;
    int filtro = 0;
};
using EscolheArquivoFn = std::function<std::optional<ArquivoEscolhido>(const QString& titulo, const QString& sugerido,
                                                                       const QStringList& filtros)>;
void DefineEscolheArquivo(EscolheArquivoFn f);  // empty restores the dialog
std::optional<ArquivoEscolhido> EscolheArquivo(const QString& titulo, const QString& sugerido,
                                               const QStringList& filtros);

}  // namespace quantivo
