// The journal through quantivo-batch: hundreds of generated operations saved
// and reopened with the same figures; the program killed in a stream of
// saves; two programs saving into one journal at once; what is not saved and
// why; the exports read back by other programs (Python's csv module and
// openpyxl, from Debian's python3-openpyxl).
// (POSIX only: the program is killed and run twice through fork and signals.)
#if defined(QUANTIVO_COM_DIARIO) && !defined(_WIN32)
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <set>

#include "core/Calculos.h"
#include "core/Datas.h"
#include "diario/DaOperacao.h"
#include "diario/Diario.h"
#include "tools/batch/Batch.h"

using quantivo::batch::Json;
using quantivo::batch::ProcessaLinha;
namespace fs = std::filesystem;

namespace {

const std::string kBatch = QUANTIVO_BUILD_DIR "/tools/quantivo-batch";
const char* const kPython = "/usr/bin/python3";  // Debian's, which has python3-openpyxl

Json Responde(const Json& pedido) { return Json::parse(ProcessaLinha(quantivo::batch::EscreveJson(pedido))); }

// A journal in a folder of its own, and the batch code path pointed at it.
class DiarioDoLote : public ::testing::Test {
protected:
    void SetUp() override {
        char modelo[] = "/tmp/quantivo-diario-XXXXXX";
        ASSERT_TRUE(mkdtemp(modelo));
        pasta_ = modelo;
        arquivo_ = (pasta_ / "diario.sqlite").string();
        quantivo::batch::UsaDiario(arquivo_);
        signal(SIGPIPE, SIG_IGN);
    }
    void TearDown() override {
        quantivo::batch::UsaDiario({});
        fs::remove_all(pasta_);
    }
    fs::path pasta_;
    std::string arquivo_;
};

// Operations as a clerk makes them, of both types, all different.
Json GeraPedido(std::mt19937& g, int i) {
    const auto faixa = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    const bool venda = i % 4 == 3;
    const quantivo::Data ref = *quantivo::CodificaData(faixa(2001, 2030), faixa(1, 12), faixa(1, 28));
    const auto valor = [&] {
        const int v = faixa(100, 900000);
        std::string reais = std::to_string(v / 100);
        if (faixa(0, 1) && reais.size() > 3) reais.insert(reais.size() - 3, ".");
        return reais + "," + std::to_string(10 + v % 90);
    };
    Json linhas = Json::array();
    for (int n = faixa(1, 12), k = 0; k < n; ++k) {
        Json l = {{"Data", quantivo::FormataData(ref + faixa(1, 400))}};
        if (!venda) {
            l["Valor"] = valor();
            l["BancoNumero"] = std::to_string(faixa(1, 999)) + "/" + std::to_string(faixa(1000, 9999)) + "/" +
                               std::to_string(faixa(1, 999999));
            l["Emitente"] = "Emitente Ação " + std::to_string(k);
        }
        linhas.push_back(std::move(l));
    }
    return {{"op", "salva_operacao"},
            {"tipo", venda ? 2 : 0},
            {"hoje", "09/12/2026"},
            {"cliente", {{"nome", "Cliente Conceição " + std::to_string(i % 37)}}},
            {"dados",
             {{"DataReferencia", quantivo::FormataDataLonga(ref)},
              {"ValorFinanciado", venda ? valor() : "0"},
              {"Taxa", std::to_string(faixa(0, 9)) + "," + std::to_string(faixa(0, 99))},
              {"TAC", faixa(0, 300) / 100.0L},
              {"IOF", faixa(0, 82) / 10000.0L},
              {"TipoTarifa", faixa(-1, 1)},
              {"Tarifa", faixa(0, 500) / 100.0L},
              {"IncluiCompensacao", faixa(0, 1) == 1},
              {"Feriados", faixa(0, 1) == 1}}},
            {"linhas", std::move(linhas)}};
}

// The figures a clerk sees, as the batch answers them.
Json Figuras(const Json& r) {
    return {{"linhas", r["linhas"]},
            {"ValorFinanciado", r["ValorFinanciado"]},
            {"rotulos", r["rotulos"]},
            {"CET", r["CET"]}};
}

// quantivo-batch as a child process, its standard input and output piped.
class Programa {
public:
    explicit Programa(const std::string& diario) {
        int entrada[2], saida[2];
        if (pipe(entrada) || pipe(saida)) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(entrada[0], 0);
            dup2(saida[1], 1);
            close(entrada[1]);
            close(saida[0]);
            execl(kBatch.c_str(), "quantivo-batch", "--diario", diario.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(entrada[0]);
        close(saida[1]);
        para_ = fdopen(entrada[1], "w");
        de_ = fdopen(saida[0], "r");
    }
    ~Programa() {
        if (para_) fclose(para_);
        if (de_) fclose(de_);
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    void Envia(const Json& pedido) { std::fputs((quantivo::batch::EscreveJson(pedido) + "\n").c_str(), para_); }
    void Descarrega() { std::fflush(para_); }
    std::optional<Json> Recebe() {
        std::string linha;
        for (int c; (c = std::fgetc(de_)) != EOF && c != '\n';) linha += static_cast<char>(c);
        if (linha.empty()) return std::nullopt;
        return Json::parse(linha);
    }
    void Mata() {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    std::FILE* para_ = nullptr;
    std::FILE* de_ = nullptr;
};

std::string Executa(const std::string& comando) {
    std::string saida;
    if (std::FILE* p = popen(comando.c_str(), "r")) {
        char b[4096];
        for (std::size_t n; (n = std::fread(b, 1, sizeof b, p)) > 0;) saida.append(b, n);
        pclose(p);
    }
    return saida;
}

// SQLite's own check, by another program than ours.
std::string IntegridadePorOutroPrograma(const std::string& arquivo) {
    return Executa(std::string(kPython) +
                   " -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute(\"PRAGMA "
                   "integrity_check\").fetchone()[0])' " +
                   arquivo);
}

}  // namespace

TEST_F(DiarioDoLote, CentenasDeOperacoesReabremComOsMesmosValores) {
    std::mt19937 g(30);
    std::vector<Json> salvas;
    for (int i = 0; i < 300; ++i) {
        const Json r = Responde(GeraPedido(g, i));
        ASSERT_TRUE(r["erro"].is_null()) << r.dump();
        ASSERT_EQ(r["numero"], i + 1);
        salvas.push_back(Figuras(r));
    }
    for (int i = 0; i < 300; ++i) {
        const Json r = Responde({{"op", "reabre_operacao"}, {"numero", i + 1}});
        ASSERT_TRUE(r["erro"].is_null()) << r.dump();
        EXPECT_TRUE(r["confere"].get<bool>()) << i + 1;
        EXPECT_EQ(Figuras(r["resposta"]), salvas[static_cast<std::size_t>(i)]) << i + 1;
        EXPECT_EQ(r["pedido"]["op"], "salva_operacao");
    }
    const Json lista = Responde({{"op", "lista_operacoes"}, {"cliente", "CONCEICAO 7"}});
    EXPECT_EQ(lista["operacoes"].size(), 8u);  // i = 7, 44, ..., 266
}

// The desktop program saves the operation it calculated (diario/DaOperacao.h)
// and quantivo-batch the request as given: each reopens the other's with the
// same figures, text for text, and each cheque's CMC7 and drawer's document
// come back.
TEST_F(DiarioDoLote, OperacoesDoProgramaEDoLoteReabremUmNoOutro) {
    std::mt19937 g(12);
    for (int i = 0; i < 40; ++i) {
        Json pedido = GeraPedido(g, i);
        if (i % 4 != 3) {
            pedido["linhas"][0]["CMC7"] = "<23704948<0180017935>377506100112:";
            pedido["linhas"][0]["Documento"] = "111.444.777-35";
        }
        const Json r = Responde(pedido);
        ASSERT_TRUE(r["erro"].is_null()) << r.dump();

        quantivo::diario::Diario diario(arquivo_);
        // The batch's, recalculated as the desktop program reopens it.
        const auto doLote = diario.Le(r["numero"].get<std::int64_t>());
        ASSERT_TRUE(doLote);
        const quantivo::diario::Reaberta reaberta =
            quantivo::diario::Reabre(*doLote, *quantivo::CodificaData(2026, 12, 9));
        EXPECT_EQ(reaberta.diferencas, std::vector<std::string>{}) << i;
        Json resposta;
        quantivo::EscreveRespostaDaOperacao(reaberta.operacao, resposta);
        EXPECT_EQ(resposta["linhas"], r["linhas"]) << i;
        EXPECT_EQ(reaberta.operacao.bancada.linhas[0].CMC7, pedido["linhas"][0].value("CMC7", "")) << i;

        // The desktop program's, from the same request, reopened by the batch.
        quantivo::Operacao op = quantivo::OperacaoDoPedido(pedido);
        quantivo::MensageiroGravador msgs;
        ASSERT_EQ(quantivo::CalculaOperacao(op, {msgs, *quantivo::CodificaData(2026, 12, 9)}),
                  quantivo::Desfecho::Concluido);
        quantivo::diario::OperacaoSalva doPrograma =
            quantivo::diario::ParaODiario(op, *quantivo::CodificaData(2026, 12, 9));
        const std::int64_t numero = diario.Salva(doPrograma);
        const Json outra = Responde({{"op", "reabre_operacao"}, {"numero", numero}});
        ASSERT_TRUE(outra["erro"].is_null()) << outra.dump();
        EXPECT_TRUE(outra["confere"].get<bool>()) << i;
        EXPECT_EQ(Figuras(outra["resposta"]), Figuras(r)) << i;
        EXPECT_EQ(diario.Le(numero)->cheques, doLote->cheques) << i;
    }
}

TEST_F(DiarioDoLote, NadaSeSalvaSemCalculoCompletoNemComDadosInvalidos) {
    std::mt19937 g(1);
    const Json bom = GeraPedido(g, 0);
    const auto com = [&](const std::function<void(Json&)>& muda) {
        Json p = bom;
        muda(p);
        return Responde(p);
    };
    const struct {
        std::function<void(Json&)> muda;
        const char* tipo;
        const char* texto;
    } casos[] = {
        {[](Json& p) { p.erase("cliente"); }, "diario", "nome do cliente"},
        {[](Json& p) { p["cliente"]["nome"] = "  "; }, "diario", "nome do cliente"},
        {[](Json& p) { p["cliente"]["documento"] = "111.444.777-36"; }, "diario", "documento do cliente"},
        {[](Json& p) { p["linhas"][0]["Documento"] = "11.222.333/0001-80"; }, "diario", "linha 1: o documento"},
        {[](Json& p) { p["linhas"][0]["CMC7"] = "<23704948<0180017935>377506100113:"; }, "diario", "linha 1: o CMC7"},
        {[](Json& p) {
             p["linhas"].push_back({{"Data", "31/12/30"}});
         },
         "diario", "não chegou ao fim"},
        {[](Json& p) { p["linhas"][0]["Valor"] = "1,2,3"; }, "conversao", "is not a valid"},
        {[](Json& p) { p["tipo"] = 1; }, "pedido", "tipo"},
    };
    for (const auto& caso : casos) {
        const Json r = com(caso.muda);
        ASSERT_FALSE(r["erro"].is_null()) << caso.texto;
        EXPECT_EQ(r["erro"]["tipo"], caso.tipo) << r.dump();
        EXPECT_NE(r["erro"]["texto"].get<std::string>().find(caso.texto), std::string::npos) << r.dump();
        EXPECT_FALSE(r.contains("numero"));
    }
    EXPECT_TRUE(Responde({{"op", "lista_operacoes"}})["operacoes"].empty());
    const Json salva = com([](Json& p) {
        p["cliente"]["documento"] = "12abc345/01de35";
        p["linhas"][0]["CMC7"] = "<23704948<0180017935>377506100112:";
        p["linhas"][0]["Documento"] = "11222333000181";
    });
    EXPECT_EQ(salva["numero"], 1) << salva.dump();
    EXPECT_EQ(Responde({{"op", "lista_operacoes"}})["operacoes"][0]["documento"], "12.ABC.345/01DE-35");
    const Json pdf = Responde({{"op", "exporta_operacao"},
                               {"de", "01/01/2000"},
                               {"ate", "31/12/2030"},
                               {"formato", "pdf"},
                               {"arquivo", "x.pdf"}});
    EXPECT_EQ(pdf["erro"]["tipo"], "pedido") << pdf.dump();
    EXPECT_EQ(Responde({{"op", "reabre_operacao"}, {"numero", 2}})["erro"]["tipo"], "diario");
    quantivo::batch::UsaDiario({});
    EXPECT_EQ(Responde({{"op", "lista_operacoes"}})["erro"]["tipo"], "pedido");
}

// Killed at random points of a stream of saves: every save answered is in the
// journal, with the figures answered, and the journal passes its checks.
TEST_F(DiarioDoLote, MortoDuranteAsGravacoesNaoPerdeNadaRespondido) {
    std::mt19937 g(7);
    std::vector<Json> respondidas;
    for (int respostas : {1, 9, 24, 3, 40}) {
        Programa batch(arquivo_);
        for (int i = 0; i < 60; ++i) batch.Envia(GeraPedido(g, i));
        batch.Descarrega();
        for (int i = 0; i < respostas; ++i) {
            const std::optional<Json> r = batch.Recebe();
            ASSERT_TRUE(r);
            ASSERT_TRUE((*r)["erro"].is_null()) << r->dump();
            respondidas.push_back(*r);
        }
        batch.Mata();
    }
    quantivo::diario::Diario d(arquivo_);
    std::set<std::int64_t> numeros;
    for (const Json& r : respondidas) {
        const std::int64_t n = r["numero"].get<std::int64_t>();
        EXPECT_TRUE(numeros.insert(n).second) << n;
        const std::optional<quantivo::diario::OperacaoSalva> op = d.Le(n);
        ASSERT_TRUE(op) << n;
        EXPECT_EQ(op->figuras.ValorFinanciado, r["ValorFinanciado"].get<std::string>());
        EXPECT_EQ(op->figuras.CET, r["CET"].get<std::string>());
    }
    EXPECT_EQ(d.VerificaIntegridade(), "");
    EXPECT_EQ(IntegridadePorOutroPrograma(arquivo_), "ok\n");
}

TEST_F(DiarioDoLote, DoisProgramasSalvamAoMesmoTempo) {
    std::mt19937 g(2);
    Programa a(arquivo_), b(arquivo_);
    for (int i = 0; i < 40; ++i) {
        a.Envia(GeraPedido(g, i));
        b.Envia(GeraPedido(g, i));
    }
    a.Descarrega();
    b.Descarrega();
    std::set<std::int64_t> numeros;
    for (Programa* p : {&a, &b}) {
        for (int i = 0; i < 40; ++i) {
            const std::optional<Json> r = p->Recebe();
            ASSERT_TRUE(r);
            ASSERT_TRUE((*r)["erro"].is_null()) << r->dump();
            EXPECT_TRUE(numeros.insert((*r)["numero"].get<std::int64_t>()).second);
        }
    }
    EXPECT_EQ(numeros.size(), 80u);
    EXPECT_EQ(*numeros.rbegin(), 80);
}

TEST_F(DiarioDoLote, ExportacoesLidasPorOutrosProgramas) {
    std::mt19937 g(3);
    Json pedido = GeraPedido(g, 0);
    pedido["linhas"] = Json::array({{{"Data", "31/12/07"},
                                     {"Valor", "1.000"},
                                     {"BancoNumero", "237/0494/001793"},
                                     {"Emitente", "Silva; \"Filhos\""},
                                     {"CMC7", "<23704948<0180017935>377506100112:"},
                                     {"Documento", "111.444.777-35"}},
                                    {{"Data", "15/02/08"}, {"Valor", "2500,5"}}});
    pedido["dados"]["DataReferencia"] = "28/12/2007";
    const nlohmann::json salva = nlohmann::json::parse(quantivo::batch::EscreveJson(Responde(pedido)));
    ASSERT_EQ(salva["numero"], 1) << salva.dump();
    const std::string csv = (pasta_ / "op.csv").string();
    const std::string xlsx = (pasta_ / "op.xlsx").string();
    for (const auto& [formato, arquivo] : {std::pair{"csv", csv}, std::pair{"xlsx", xlsx}}) {
        const Json r =
            Responde({{"op", "exporta_operacao"}, {"numero", 1}, {"formato", formato}, {"arquivo", arquivo}});
        ASSERT_TRUE(r["erro"].is_null()) << r.dump();
    }
    const std::string dias1 = salva["linhas"][0]["Dias"], dias2 = salva["linhas"][1]["Dias"];
    const nlohmann::json cheques = {{"31/12/07", dias1, "1000,00", "237/0494/001793", "Silva; \"Filhos\"",
                                     "111.444.777-35", "237049480180017935377506100112"},
                                    {"15/02/08", dias2, "2500,50", "", "", "", ""}};
    const auto total = [](const char* nome, const nlohmann::json& texto) {
        return nlohmann::json::array({nome, texto});
    };
    const nlohmann::json totais =
        nlohmann::json::array({total("Valor total", salva["rotulos"]["ValorTotal"]),
                               total("TAC", salva["rotulos"]["TAC"]), total("IOF", salva["rotulos"]["IOF"]),
                               total("Juros", salva["rotulos"]["Juros"]), total("Tarifa", salva["rotulos"]["Tarifa"]),
                               total("Líquido", salva["ValorFinanciado"]), total("CET", salva["CET"])});

    // Python's csv module, told only the separator (the file's bytes are
    // checked in tests/diario).
    const nlohmann::json lidoCsv = nlohmann::json::parse(
        Executa(std::string(kPython) +
                " -c 'import csv, json, sys; f = open(sys.argv[1], newline=\"\", encoding=\"utf-8-sig\");"
                " print(json.dumps(list(csv.reader(f, delimiter=\";\"))))' " +
                csv));
    nlohmann::json esperado = nlohmann::json::array();
    esperado.push_back({"Data", "Dias", "Valor", "Banco/Número", "Emitente", "Documento", "CMC7"});
    for (const auto& c : cheques) esperado.push_back(c);
    for (const auto& t : totais) esperado.push_back(t);
    EXPECT_EQ(lidoCsv, esperado);

    // openpyxl: the same table, amounts and days as numbers, amounts shown
    // with two decimals.
    const nlohmann::json lidoXlsx = nlohmann::json::parse(
        Executa(std::string(kPython) +
                " -c 'import json, sys, openpyxl; ws = openpyxl.load_workbook(sys.argv[1]).active;"
                " print(json.dumps([ws.title, [[[c.value, c.number_format] for c in r] for r in ws.iter_rows()]]))' " +
                xlsx));
    ASSERT_EQ(lidoXlsx.size(), 2u);
    EXPECT_EQ(lidoXlsx[0], "Operação 1");
    const nlohmann::json& linhas = lidoXlsx[1];
    ASSERT_EQ(linhas.size(), 10u);
    EXPECT_EQ(linhas[0][3][0], "Banco/Número");
    EXPECT_EQ(linhas[1][1][0], std::stoi(dias1));
    EXPECT_EQ(linhas[1][2], nlohmann::json({1000, "0.00"}));
    EXPECT_EQ(linhas[1][4][0], "Silva; \"Filhos\"");
    EXPECT_EQ(linhas[1][6][0], "237049480180017935377506100112");
    EXPECT_EQ(linhas[2][2], nlohmann::json({2500.5, "0.00"}));
    EXPECT_EQ(linhas[3][0][0], "Valor total");
    EXPECT_EQ(linhas[3][1][0], salva["rotulos"]["ValorTotal"]);
    EXPECT_EQ(linhas[9][1][0], salva["CET"]);

#ifdef QUANTIVO_COM_PDF
    // The borderô, recomputed from the saved request, with the firm of the
    // valida.ini named; one that is not there is said.
    const std::string ini = (pasta_ / "valida.ini").string(), pdf = (pasta_ / "op.pdf").string();
    std::FILE* f = std::fopen(ini.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("[Cadastro]\r\nNome=Fomento Boa Vista\r\nCidade=Recife\r\n", f);
    std::fclose(f);
    const Json r =
        Responde({{"op", "exporta_operacao"}, {"numero", 1}, {"formato", "pdf"}, {"arquivo", pdf}, {"cadastro", ini}});
    ASSERT_TRUE(r["erro"].is_null()) << r.dump();
    const std::string texto = Executa("pdftotext " + pdf + " - | tr -s ' \\n' '  '");
    const std::string liquido = "Valor líquido R$ " + salva["ValorFinanciado"].get<std::string>();
    for (const std::string& trecho :
         {liquido, salva["CET"].get<std::string>(), std::string("Fomento Boa Vista"), std::string("Operação nº 1"),
          std::string("Cliente Conceição 0"), std::string("1.000,00"), std::string("CPF 111.444.777-35")})
        EXPECT_NE(texto.find(trecho), std::string::npos) << trecho << "\n" << texto;
    const Json semIni = Responde({{"op", "exporta_operacao"},
                                  {"numero", 1},
                                  {"formato", "pdf"},
                                  {"arquivo", pdf},
                                  {"cadastro", (pasta_ / "outro.ini").string()}});
    EXPECT_EQ(semIni["erro"]["tipo"], "diario") << semIni.dump();
#endif
}

#endif
