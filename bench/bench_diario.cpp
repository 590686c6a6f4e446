// The journal at the size of a busy firm's years: 100,000 operations and
// about 1.5 million cheques. Opening it, and the searches of the list of
// operations as the clerk types (each filter, and searches that find nothing,
// which read the most), the customers offered while a name is typed, reading
// one operation, the duplicates of a new one, and one durable save.
//
// The journal is built once (about a minute) and kept in the temporary
// folder, quantivo-bench-diario-v<version>/diario.sqlite, for later runs.
// The save benchmark adds its operations to it.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include <memory>
#include <random>

#include "core/Datas.h"
#include "diario/Diario.h"

using namespace quantivo;
using namespace quantivo::diario;

namespace {

constexpr int kOperacoes = 100000;
constexpr int kClientes = 5000;

const char* const kNomes[] = {"José",  "Maria",  "João",      "Antônio",   "Francisca", "Ana",     "Luís",
                              "Paulo", "Márcia", "Conceição", "Sebastião", "Raimunda",  "Cláudio", "Letícia"};
const char* const kSobrenomes[] = {"Silva",     "Santos",  "Oliveira", "Souza",     "Conceição", "Pereira",
                                   "Gonçalves", "Araújo",  "Ribeiro",  "Magalhães", "Câmara",    "Brandão",
                                   "Lopes",     "Peçanha", "Assunção", "Falcão",    "Moraes",    "Batista"};

std::string Algarismos(std::mt19937_64& g, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + g() % 10);
    return s;
}

std::string NumeroCom(int largura, unsigned long long n) {
    char b[32];
    std::snprintf(b, sizeof b, "%0*llu", largura, n);
    return b;
}

struct Gerador {
    std::mt19937_64 g{20261209};
    std::vector<Cliente> clientes;
    const Data inicio = *CodificaData(2021, 1, 1);

    Gerador() {
        for (int i = 0; i < kClientes; ++i) {
            std::string nome = std::string(kNomes[g() % std::size(kNomes)]) + " " +
                               kSobrenomes[g() % std::size(kSobrenomes)] + " " +
                               kSobrenomes[g() % std::size(kSobrenomes)] + " " + std::to_string(i);
            clientes.push_back({std::move(nome), i % 5 ? Algarismos(g, 11) : Algarismos(g, 14)});
        }
    }

    OperacaoSalva Operacao(int i) {
        OperacaoSalva op;
        op.tipo = i % 10 ? TipoCalculo::DescontoCheque : TipoCalculo::VendaPorFora;
        // Five years of working days, about 80 operations a day.
        op.dataReferencia = inicio + static_cast<Data>(static_cast<long long>(i) * 1826 / kOperacoes);
        op.cliente = clientes[g() % clientes.size()];
        const int n = 5 + static_cast<int>(g() % 21);
        std::string json = R"({"op":"salva_operacao","tipo":0,"hoje":"09/12/2026","cliente":{"nome":")" +
                           op.cliente.nome + R"(","documento":")" + op.cliente.documento +
                           R"("},"dados":{"DataReferencia":")" + FormataDataLonga(op.dataReferencia) +
                           R"(","ValorFinanciado":"0","Taxa":"3","TAC":2,"IOF":0.0041,"TipoTarifa":0,)"
                           R"("Tarifa":2,"IncluiCompensacao":true},"linhas":[)";
        for (int l = 1; l <= n; ++l) {
            Cheque c;
            c.linha = l;
            c.Data = FormataData(op.dataReferencia + 5 + static_cast<Data>(g() % 120));
            c.Valor = std::to_string(100 + g() % 9900) + "," + NumeroCom(2, g() % 100);
            c.BancoNumero =
                NumeroCom(3, g() % 1000) + "/" + NumeroCom(4, g() % 10000) + "/" + NumeroCom(6, g() % 1000000);
            c.Emitente = std::string(kNomes[g() % std::size(kNomes)]) + " " + kSobrenomes[g() % std::size(kSobrenomes)];
            c.Dias = std::to_string(5 + g() % 120);
            if (g() % 2) c.CMC7 = Algarismos(g, 30);
            json += std::string(l > 1 ? "," : "") + R"({"Data":")" + c.Data + R"(","Valor":")" + c.Valor +
                    R"(","BancoNumero":")" + c.BancoNumero + R"(","Emitente":")" + c.Emitente + R"("})";
            op.cheques.push_back(std::move(c));
        }
        op.json = json + "]}";
        op.figuras = {"12.345,67",
                      "11.876,54",
                      "TAC   = 246,91",
                      "IOF   = 12,34",
                      "Juros = 198,76",
                      "Tarifa= 30,00",
                      "CET: 83,65% a.a. (5,20% a.m.)"};
        return op;
    }
};

Gerador& Dados() {
    static Gerador g;
    return g;
}

// Built once per schema version; a build cut short leaves only its
// temporary file behind, which the next run starts again.
std::string Caminho() {
    static const std::string caminho = [] {
        const QString pasta = QDir::temp().filePath(QStringLiteral("quantivo-bench-diario-v%1").arg(kVersaoDiario));
        QDir().mkpath(pasta);
        const QString final = pasta + "/diario.sqlite";
        if (QFile::exists(final)) return final.toStdString();
        const QString temp = pasta + "/construindo.sqlite";
        for (const char* sufixo : {"", "-wal", "-shm"}) QFile::remove(temp + sufixo);
        std::fprintf(stderr, "building the journal of %d operations in %s ...\n", kOperacoes, qPrintable(final));
        {
            Diario d(temp.toStdString());
            for (int i = 0; i < kOperacoes;) {
                std::vector<OperacaoSalva> lote;
                for (int k = 0; k < 2000 && i < kOperacoes; ++k, ++i) lote.push_back(Dados().Operacao(i));
                d.SalvaLote(lote);
            }
        }
        QFile::rename(temp, final);
        return final.toStdString();
    }();
    return caminho;
}

Diario& Aberto() {
    static Diario d(Caminho());
    return d;
}

void BM_Abre(benchmark::State& state) {
    const std::string caminho = Caminho();
    for (auto _ : state) {
        Diario d(caminho);
        benchmark::DoNotOptimize(&d);
    }
}
BENCHMARK(BM_Abre)->Unit(benchmark::kMillisecond);

// What the window shows as the clerk types: the newest 200 that match.
void Lista(benchmark::State& state, Filtro f) {
    Diario& d = Aberto();
    f.limite = 200;
    f.recentesPrimeiro = true;
    std::size_t achadas = 0;
    for (auto _ : state) achadas = d.Lista(f).size();
    state.counters["achadas"] = static_cast<double>(achadas);
}

Filtro FiltroCliente(std::string t) {
    Filtro f;
    f.cliente = std::move(t);
    return f;
}
Filtro FiltroCheque(std::string t) {
    Filtro f;
    f.cheque = std::move(t);
    return f;
}
Filtro FiltroPeriodo(Data de, Data ate) {
    Filtro f;
    f.de = de;
    f.ate = ate;
    return f;
}

void BM_ListaSemFiltro(benchmark::State& s) { Lista(s, {}); }
void BM_ListaClienteParteDoNome(benchmark::State& s) { Lista(s, FiltroCliente("magalhaes 12")); }
void BM_ListaClienteNomeComum(benchmark::State& s) { Lista(s, FiltroCliente("silva")); }
void BM_ListaClienteNenhum(benchmark::State& s) { Lista(s, FiltroCliente("xyzw")); }
void BM_ListaClienteDocumento(benchmark::State& s) {
    std::string d = Dados().clientes[1].documento;
    Lista(s, FiltroCliente(d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9)));
}
void BM_ListaPeriodoUmMes(benchmark::State& s) {
    Lista(s, FiltroPeriodo(*CodificaData(2023, 3, 1), *CodificaData(2023, 3, 31)));
}
void BM_ListaPeriodoNenhum(benchmark::State& s) {
    Lista(s, FiltroPeriodo(*CodificaData(2030, 1, 1), *CodificaData(2030, 1, 31)));
}
void BM_ListaChequeParte(benchmark::State& s) { Lista(s, FiltroCheque("4/00179")); }
void BM_ListaChequeNenhum(benchmark::State& s) { Lista(s, FiltroCheque("zz/zz")); }
void BM_ListaChequeCmc7(benchmark::State& s) { Lista(s, FiltroCheque("<23704948<0180017935>377506100112:")); }
void BM_ListaClienteEPeriodo(benchmark::State& s) {
    Filtro f = FiltroPeriodo(*CodificaData(2022, 1, 1), *CodificaData(2022, 12, 31));
    f.cliente = "conceicao";
    Lista(s, f);
}
void BM_ListaTodosOsFiltrosNenhum(benchmark::State& s) {
    Filtro f = FiltroPeriodo(*CodificaData(2022, 1, 1), *CodificaData(2022, 12, 31));
    f.cliente = "silva";
    f.cheque = "zz/zz";
    Lista(s, f);
}
BENCHMARK(BM_ListaSemFiltro)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaClienteParteDoNome)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaClienteNomeComum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaClienteNenhum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaClienteDocumento)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaPeriodoUmMes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaPeriodoNenhum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaChequeParte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaChequeNenhum)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaChequeCmc7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaClienteEPeriodo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaTodosOsFiltrosNenhum)->Unit(benchmark::kMillisecond);

// The whole answer of a batch search, every match in number order.
void BM_ListaTudoDeUmNomeComum(benchmark::State& state) {
    Diario& d = Aberto();
    std::size_t achadas = 0;
    for (auto _ : state) achadas = d.Lista(FiltroCliente("magalhaes")).size();
    state.counters["achadas"] = static_cast<double>(achadas);
}
BENCHMARK(BM_ListaTudoDeUmNomeComum)->Unit(benchmark::kMillisecond);

void BM_UltimosClientes(benchmark::State& state) {
    Diario& d = Aberto();
    for (auto _ : state) benchmark::DoNotOptimize(d.UltimosClientes("mar", 10));
}
BENCHMARK(BM_UltimosClientes)->Unit(benchmark::kMillisecond);

void BM_LeUmaOperacao(benchmark::State& state) {
    Diario& d = Aberto();
    std::int64_t n = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.Le(n));
        n = n * 7919 % kOperacoes + 1;
    }
}
BENCHMARK(BM_LeUmaOperacao)->Unit(benchmark::kMillisecond);

void BM_DuplicadosDe15Cheques(benchmark::State& state) {
    Diario& d = Aberto();
    const OperacaoSalva op = Dados().Operacao(12345);
    std::vector<Cheque> cheques(op.cheques.begin(), op.cheques.end());
    cheques.resize(std::min<std::size_t>(cheques.size(), 15));
    for (auto _ : state) benchmark::DoNotOptimize(d.Duplicados(cheques));
}
BENCHMARK(BM_DuplicadosDe15Cheques)->Unit(benchmark::kMillisecond);

// One save as the clerk's Ctrl+S makes it: its duplicates found and the
// transaction on the disk. (Adds its operations to the cached journal.)
void BM_SalvaUmaOperacao(benchmark::State& state) {
    Diario& d = Aberto();
    OperacaoSalva modelo = Dados().Operacao(777);
    for (auto _ : state) {
        OperacaoSalva op = modelo;
        std::vector<Duplicado> dup;
        benchmark::DoNotOptimize(d.Salva(op, &dup));
    }
}
BENCHMARK(BM_SalvaUmaOperacao)->Unit(benchmark::kMillisecond)->Iterations(20);

// The database's own checks, which read the whole file: the full one
// (VerificaIntegridade) and SQLite's quicker one without the indexes'
// contents, to weigh what may run at opening.
void BM_VerificaIntegridade(benchmark::State& state) {
    Diario& d = Aberto();
    for (auto _ : state) benchmark::DoNotOptimize(d.VerificaIntegridade());
}
BENCHMARK(BM_VerificaIntegridade)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_QuickCheck(benchmark::State& state) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "quick");
    db.setDatabaseName(QString::fromStdString(Caminho()));
    db.open();
    for (auto _ : state) {
        QSqlQuery q(db);
        q.exec("PRAGMA quick_check");
        q.next();
        benchmark::DoNotOptimize(q.value(0).toString());
    }
}
BENCHMARK(BM_QuickCheck)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TamanhoDoArquivo(benchmark::State& state) {
    const qint64 bytes = QFileInfo(QString::fromStdString(Caminho())).size();
    for (auto _ : state) benchmark::DoNotOptimize(bytes);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_TamanhoDoArquivo)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
