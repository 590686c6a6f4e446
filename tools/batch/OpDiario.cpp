// The journal ops: an operation of the workbench saved with its customer,
// reopened and recomputed, the saved ones listed and exported. They need
// quantivo-batch --diario FILE; a program built without the journal (the
// Windows build, which has no Qt) answers that it has none. The borderô as a
// PDF needs Qt Gui as well.
#include "tools/batch/Batch.h"

#ifdef QUANTIVO_COM_DIARIO
#include "core/Cmc7.h"
#include "core/Documento.h"
#include "diario/Chaves.h"
#include "diario/Diario.h"
#include "diario/Exporta.h"
#endif
#ifdef QUANTIVO_COM_PDF
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdlib>
#include <utility>

#include "output/Arquivos.h"
#include "output/Bordero.h"
#include "output/Cadastro.h"
#endif

namespace quantivo::batch {
namespace {

std::string& ArquivoDoDiario() {
    static std::string arquivo;
    return arquivo;
}

#ifdef QUANTIVO_COM_DIARIO

[[noreturn]] void FalhaDiario(const std::string& texto) { throw ErroTipado("diario", texto); }

// Closed by UsaDiario, never by the destruction of statics at exit, which
// may come after Qt's own.
diario::Diario*& DiarioAberto() {
    static diario::Diario* aberto = nullptr;
    return aberto;
}

// Opened at the first journal op. One that could not be opened is tried again
// at the next: the reason (a lock, a full disk) may have gone.
diario::Diario& DiarioDoLote() {
    if (ArquivoDoDiario().empty())
        throw ErroPedido("as operações do diário precisam de um diário: quantivo-batch --diario ARQUIVO");
    diario::Diario*& aberto = DiarioAberto();
    if (!aberto) aberto = new diario::Diario(ArquivoDoDiario());
    return *aberto;
}

Operacao NoDiario(void (*op)(Pedido&)) {
    return [op](Pedido& p) {
        try {
            op(p);
        } catch (const diario::ErroDiario& e) {
            FalhaDiario(e.what());
        }
    };
}

// Dates in answers as in requests: "dd/mm/aaaa", "" for the empty date.
std::string DataDoDiario(Data d) { return d == kDataNula ? std::string() : FormataDataLonga(d); }

std::int64_t NumeroDaOperacao(const Json& req) {
    const long double n = Numero(Campo(req, "numero"), "numero");
    if (!(n >= 1 && n <= 9e15) || n != static_cast<long double>(static_cast<std::int64_t>(n)))
        throw ErroPedido("numero deve ser o número de uma operação (1, 2, 3, ...)");
    return static_cast<std::int64_t>(n);
}

TipoCalculo TipoSalvavel(const Json& req) {
    const long double t = Numero(Campo(req, "tipo"), "tipo");
    if (t == 0) return TipoCalculo::DescontoCheque;
    if (t == 2) return TipoCalculo::VendaPorFora;
    throw ErroPedido("tipo deve ser 0 (desconto de cheque) ou 2 (Venda certa)");
}

// A text field that may be absent.
std::string TextoOpcional(const Json& obj, const char* nome) {
    const auto it = obj.find(nome);
    return it == obj.end() || it->is_null() ? std::string() : Texto(*it, nome);
}

bool EmBranco(const std::string& t) { return t.find_first_not_of(" \t\r\n") == std::string::npos; }

std::string SemBrancosNasPontas(const std::string& t) {
    if (EmBranco(t)) return {};
    const std::size_t ini = t.find_first_not_of(" \t\r\n");
    return t.substr(ini, t.find_last_not_of(" \t\r\n") + 1 - ini);
}

// The customer, each row's CMC7 and drawer's document, checked; the state
// after the calculation; the request as given.
diario::OperacaoSalva OperacaoDoPedido(const Json& req, TipoCalculo tipo, const Bancada& b) {
    diario::OperacaoSalva op;
    op.tipo = tipo;
    op.dataReferencia = b.dados.DataReferencia;
    op.json = EscreveJson(req);
    const auto cliente = req.find("cliente");
    if (cliente != req.end() && !cliente->is_object()) throw ErroPedido("cliente deve ser um objeto");
    if (cliente != req.end()) {
        op.cliente.nome = TextoOpcional(*cliente, "nome");
        const std::string documento = TextoOpcional(*cliente, "documento");
        if (!EmBranco(documento)) {
            const LeituraDocumento d = LeDocumento(documento);
            if (!d.valido) FalhaDiario("o documento do cliente (" + documento + ") não é válido: " + d.problema);
            op.cliente.documento = diario::NormalizaDocumento(documento);
        }
    }
    op.cliente.nome = SemBrancosNasPontas(op.cliente.nome);
    if (op.cliente.nome.empty()) FalhaDiario("a operação precisa do nome do cliente");

    op.figuras = {b.totais.ValorTotal, b.dados.ValorFinanciado, b.totais.TAC, b.totais.IOF,
                  b.totais.Juros,      b.totais.Tarifa,         b.totais.CET};
    const Json& linhas = Campo(req, "linhas");
    for (std::size_t i = 0; i < b.linhas.size(); ++i) {
        const Parcela& p = b.linhas[i];
        diario::Cheque c{static_cast<int>(i + 1), p.Data, p.Valor, p.BancoNumero, p.Emitente, p.Dias, {}, {}};
        const std::string onde = "linha " + std::to_string(i + 1) + ": ";
        if (i < linhas.size()) {
            const std::string cmc7 = TextoOpcional(linhas[i], "CMC7");
            if (!EmBranco(cmc7)) {
                const LeituraCmc7 lida = LeCmc7(cmc7);
                if (!lida.Valido()) FalhaDiario(onde + "o CMC7 (" + cmc7 + ") não é válido: " + lida.problema);
                c.CMC7 = lida.cmc7->digitos;
            }
            const std::string documento = TextoOpcional(linhas[i], "Documento");
            if (!EmBranco(documento)) {
                const LeituraDocumento d = LeDocumento(documento);
                if (!d.valido)
                    FalhaDiario(onde + "o documento do emitente (" + documento + ") não é válido: " + d.problema);
                c.Documento = diario::NormalizaDocumento(documento);
            }
        }
        op.cheques.push_back(std::move(c));
    }
    return op;
}

// Saved only once the calculation completed, and answered only once the
// journal has it on the disk.
void SalvaOperacao(Pedido& p) {
    diario::Diario& guarda = DiarioDoLote();
    const TipoCalculo tipo = TipoSalvavel(p.req);
    Bancada b = LeBancada(p.req);
    if (CalculaNaBancada(p, tipo, b) != Desfecho::Concluido)
        FalhaDiario("a operação não foi salva: o cálculo não chegou ao fim");
    diario::OperacaoSalva op = OperacaoDoPedido(p.req, tipo, b);
    std::vector<diario::Duplicado> duplicados;
    p.resp["numero"] = guarda.Salva(op, &duplicados);
    Json lista = Json::array();
    for (const diario::Duplicado& d : duplicados)
        lista.push_back({{"linha", d.linha}, {"numero", d.numero}, {"data", DataDoDiario(d.data)}});
    p.resp["duplicados"] = std::move(lista);
}

// The saved request's calculation run again now, as its own op would run it.
Json Recalcula(const Json& pedido, TipoCalculo tipo) {
    Json req = pedido;
    req["op"] = tipo == TipoCalculo::VendaPorFora ? "venda_por_fora" : "desconto_cheque";
    return Json::parse(ProcessaLinha(EscreveJson(req)));
}

bool ConfereFiguras(const diario::OperacaoSalva& op, const Json& r) {
    if (!r.contains("erro") || !r["erro"].is_null() || !r.contains("rotulos") || !r.contains("linhas")) return false;
    const Json& rot = r["rotulos"];
    const diario::Figuras& f = op.figuras;
    const auto igual = [](const Json& j, const char* nome, const std::string& salvo) {
        return j.contains(nome) && j[nome].is_string() && j[nome].get<std::string>() == salvo;
    };
    if (!igual(rot, "ValorTotal", f.ValorTotal) || !igual(r, "ValorFinanciado", f.ValorFinanciado) ||
        !igual(rot, "TAC", f.TAC) || !igual(rot, "IOF", f.IOF) || !igual(rot, "Juros", f.Juros) ||
        !igual(rot, "Tarifa", f.Tarifa) || !igual(r, "CET", f.CET))
        return false;
    const Json& linhas = r["linhas"];
    if (!linhas.is_array() || linhas.size() != op.cheques.size()) return false;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const diario::Cheque& c = op.cheques[i];
        if (!igual(linhas[i], "Data", c.Data) || !igual(linhas[i], "Valor", c.Valor) ||
            !igual(linhas[i], "BancoNumero", c.BancoNumero) || !igual(linhas[i], "Emitente", c.Emitente) ||
            !igual(linhas[i], "Dias", c.Dias))
            return false;
    }
    return true;
}

diario::OperacaoSalva OperacaoDoDiario(const Json& req) {
    const std::int64_t numero = NumeroDaOperacao(req);
    std::optional<diario::OperacaoSalva> op = DiarioDoLote().Le(numero);
    if (!op) FalhaDiario("o diário não tem a operação nº " + std::to_string(numero));
    return std::move(*op);
}

Json PedidoSalvo(const diario::OperacaoSalva& op) {
    try {
        return Json::parse(op.json);
    } catch (const std::exception&) {
        FalhaDiario("a operação nº " + std::to_string(op.numero) + " está guardada num JSON ilegível");
    }
}

void ReabreOperacao(Pedido& p) {
    const diario::OperacaoSalva op = OperacaoDoDiario(p.req);
    Json pedido = PedidoSalvo(op);
    Json resposta = Recalcula(pedido, op.tipo);
    p.resp["confere"] = ConfereFiguras(op, resposta);
    p.resp["pedido"] = std::move(pedido);
    p.resp["resposta"] = std::move(resposta);
}

std::optional<Data> DataOpcional(const Json& req, const char* nome) {
    const auto it = req.find(nome);
    if (it == req.end() || it->is_null() || (it->is_string() && it->get<std::string>().empty())) return std::nullopt;
    return DataDoPedido(*it, nome);
}

void ListaOperacoes(Pedido& p) {
    diario::Filtro f;
    f.cliente = TextoOpcional(p.req, "cliente");
    f.cheque = TextoOpcional(p.req, "cheque");
    f.de = DataOpcional(p.req, "de");
    f.ate = DataOpcional(p.req, "ate");
    Json lista = Json::array();
    for (const diario::Resumo& r : DiarioDoLote().Lista(f)) {
        lista.push_back({{"numero", r.numero},
                         {"data", DataDoDiario(r.dataReferencia)},
                         {"cliente", r.cliente.nome},
                         {"documento", diario::DocumentoFormatado(r.cliente.documento)},
                         {"tipo", static_cast<int>(r.tipo)},
                         {"ValorTotal", r.ValorTotal},
                         {"ValorFinanciado", r.ValorFinanciado},
                         {"cheques", r.cheques}});
    }
    p.resp["operacoes"] = std::move(lista);
}

#ifdef QUANTIVO_COM_PDF

// Fonts and the PDF writer need a QGuiApplication. It is made at the first
// PDF asked for, on the offscreen platform (no display needed), so that the
// other ops start without loading a window system; it is destroyed at exit,
// before Qt's own statics.
void AplicacaoParaPdf() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (QCoreApplication::instance()) FalhaDiario("o PDF precisa de uma aplicação gráfica do Qt");
    static int argc = 3;
    static char nome[] = "quantivo-batch", opcao[] = "-platform", plataforma[] = "offscreen";
    static char* argv[] = {nome, opcao, plataforma, nullptr};
#ifdef _WIN32
    // The offscreen platform on Windows reads its faces from one folder, by
    // default a folder of Qt's own build that no clerk's machine has (the
    // borderô came out without a letter): the system's fonts, where Arial
    // and Courier New are.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        const QString windows = qEnvironmentVariable("WINDIR", QStringLiteral("C:\\Windows"));
        qputenv("QT_QPA_FONTDIR", QFile::encodeName(QDir(windows).filePath(QStringLiteral("Fonts"))));
    }
#endif
    new QGuiApplication(argc, argv);
#ifdef _WIN32
    // Without Windows' faces, the Liberation ones of the same metrics, as
    // fontconfig gives them on Linux.
    for (const auto& [windows, liberation] :
         {std::pair{"Arial", "Liberation Sans"}, std::pair{"Courier New", "Liberation Mono"}})
        if (!QFontDatabase::hasFamily(QString::fromLatin1(windows)) &&
            QFontDatabase::hasFamily(QString::fromLatin1(liberation)))
            QFont::insertSubstitution(QString::fromLatin1(windows), QString::fromLatin1(liberation));
#endif
    // valida.ini's per-user folder is the desktop program's.
    QCoreApplication::setApplicationName(QStringLiteral("Quantivo"));
    // (On Windows the process ends with it alive: destroyed among the C
    // runtime's exit handlers, the static Qt's application corrupted the
    // heap there, and the program ended with a crash after its answers.)
#ifndef _WIN32
    std::atexit([] { delete QCoreApplication::instance(); });
#endif
}

// The firm that issues the borderô: the valida.ini that "cadastro" names
// ("" for none), or else the one the desktop program reads beside this
// program or in the per-user folder; none configured prints no firm.
Cadastro FirmaDoBordero(const Json& req) {
    std::string caminho;
    const auto it = req.find("cadastro");
    const bool dado = it != req.end() && !it->is_null();
    if (dado) {
        caminho = Texto(*it, "cadastro");
        if (caminho.empty()) return {};
    } else {
        caminho = QFile::encodeName(CaminhoValidaIniLeitura()).toStdString();
        if (caminho.empty()) return {};
    }
    try {
        const std::optional<Cadastro> c = LeCadastro(caminho);
        if (!c && dado) FalhaDiario("não há arquivo de cadastro em " + caminho);
        return c.value_or(Cadastro{});
    } catch (const ErroArquivo& e) {
        FalhaDiario(e.what());
    }
}

// The saved operation recomputed from its saved form, as reabre_operacao
// recomputes it (its "hoje" included), and its borderô written.
void ExportaBordero(const diario::OperacaoSalva& salva, Pedido& p, const std::string& arquivo) {
    const Json pedido = PedidoSalvo(salva);
    const std::string nome = "a operação nº " + std::to_string(salva.numero);
    DadosBordero d;
    d.numero = salva.numero;
    d.salvaEm = salva.salvaEm;
    d.hoje = p.ctx.hoje;
    try {
        if (const auto h = pedido.find("hoje"); h != pedido.end()) d.hoje = DataDoPedido(*h, "hoje");
        d.operacao = quantivo::OperacaoDoPedido(pedido, salva.tipo);
        MensageiroGravador calado;
        if (CalculaOperacao(d.operacao, Contexto{calado, d.hoje}) != Desfecho::Concluido)
            FalhaDiario(nome + " não pôde ser recalculada: o cálculo não chegou ao fim");
    } catch (const ErroPedido& e) {
        FalhaDiario(nome + " está guardada num pedido ilegível: " + e.what());
    } catch (const ErroQuantivo& e) {
        FalhaDiario(nome + " não pôde ser recalculada: " + e.what());
    }
    d.operacao.cliente = {salva.cliente.nome, salva.cliente.documento};
    d.firma = FirmaDoBordero(p.req);
    AplicacaoParaPdf();
    QString motivo;
    if (!GravaBorderoPdf(d, QString::fromStdString(arquivo), &motivo)) FalhaDiario(motivo.toStdString());
}

#endif

// One operation by "numero", or (our own addition) every operation of a date
// range by "de" and "ate".
void ExportaOperacao(Pedido& p) {
    const std::string formato = Texto(Campo(p.req, "formato"), "formato");
    const std::string arquivo = Texto(Campo(p.req, "arquivo"), "arquivo");
    if (formato != "csv" && formato != "xlsx" && formato != "pdf")
        throw ErroPedido("formato deve ser \"csv\", \"xlsx\" ou \"pdf\"");
    if (arquivo.empty()) throw ErroPedido("arquivo deve ser o caminho do arquivo a gravar");
    const bool periodo = !p.req.contains("numero") && (p.req.contains("de") || p.req.contains("ate"));
    if (formato == "pdf") {
        if (periodo) throw ErroPedido("o borderô em PDF é de uma operação: dê \"numero\"");
#ifdef QUANTIVO_COM_PDF
        ExportaBordero(OperacaoDoDiario(p.req), p, arquivo);
        p.resp["arquivo"] = arquivo;
        return;
#else
        FalhaDiario("este quantivo-batch foi construído sem o PDF do borderô (sem o Qt Gui)");
#endif
    }
    const diario::Formato f = formato == "csv" ? diario::Formato::Csv : diario::Formato::Xlsx;
    if (periodo) {
        const Data de = DataDoPedido(Campo(p.req, "de"), "de");
        const Data ate = DataDoPedido(Campo(p.req, "ate"), "ate");
        diario::ExportaPeriodo(DiarioDoLote().Periodo(de, ate), f, arquivo);
    } else {
        diario::Exporta(OperacaoDoDiario(p.req), f, arquivo);
    }
    p.resp["arquivo"] = arquivo;
}

// Our own addition: the database's full check of the journal.
void VerificaDiario(Pedido& p) {
    const std::string problema = DiarioDoLote().VerificaIntegridade();
    p.resp["integro"] = problema.empty();
    p.resp["problema"] = problema.empty() ? Json(nullptr) : Json(problema);
}

const Registro opSalvaOperacao("salva_operacao", NoDiario(SalvaOperacao));
const Registro opVerificaDiario("verifica_diario", NoDiario(VerificaDiario));
const Registro opReabreOperacao("reabre_operacao", NoDiario(ReabreOperacao));
const Registro opListaOperacoes("lista_operacoes", NoDiario(ListaOperacoes));
const Registro opExportaOperacao("exporta_operacao", NoDiario(ExportaOperacao));

#else

void SemDiario(Pedido&) { throw ErroPedido("este quantivo-batch foi construído sem o diário de operações"); }

const Registro opSalvaOperacao("salva_operacao", SemDiario);
const Registro opReabreOperacao("reabre_operacao", SemDiario);
const Registro opListaOperacoes("lista_operacoes", SemDiario);
const Registro opExportaOperacao("exporta_operacao", SemDiario);
const Registro opVerificaDiario("verifica_diario", SemDiario);

#endif

}  // namespace

bool UsaDiario(const std::string& arquivo) {
    ArquivoDoDiario() = arquivo;
#ifdef QUANTIVO_COM_DIARIO
    delete DiarioAberto();
    DiarioAberto() = nullptr;
    return true;
#else
    return false;
#endif
}

}  // namespace quantivo::batch
