// The journal: what is saved reads back the same; the duplicate rule; the
// search by each filter; the customers offered as a name is typed; files that
// are not journals (or are newer ones) refused without a byte written; an
// older journal brought up to date in place; a damaged one reported.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "diario/Diario.h"
#include "diario/Exporta.h"

using namespace quantivo;
using namespace quantivo::diario;

namespace {

const char* const kCmc7 = "237049480180017935377506100112";   // 237/0494/001793
const char* const kOutro = "237049480180017935312345678903";  // the same cheque number, another account

Data D(int dia, int mes, int ano) { return *CodificaData(ano, mes, dia); }

OperacaoSalva Operacao(const std::string& cliente, const std::string& documento, Data data,
                       std::vector<Cheque> cheques) {
    OperacaoSalva op;
    op.dataReferencia = data;
    op.cliente = {cliente, documento};
    op.json = R"({"op":"salva_operacao","cliente":{"nome":")" + cliente + R"("}})";
    op.figuras = {"4.000,50",
                  "3.758,04",
                  "TAC   = 80,01",
                  "IOF   = 4,92",
                  "Juros = 151,53",
                  "Tarifa= 6,00",
                  "CET: 83,65% a.a. (5,20% a.m.)"};
    for (std::size_t i = 0; i < cheques.size(); ++i) cheques[i].linha = static_cast<int>(i + 1);
    op.cheques = std::move(cheques);
    return op;
}

Cheque C(std::string valor, std::string bancoNumero, std::string cmc7 = {}) {
    Cheque c;
    c.Data = "31/12/07";
    c.Valor = std::move(valor);
    c.BancoNumero = std::move(bancoNumero);
    c.CMC7 = std::move(cmc7);
    c.Dias = "5";
    return c;
}

std::string Bytes(const QString& caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

class DiarioTeste : public ::testing::Test {
protected:
    QTemporaryDir pasta;
    std::string Arquivo(const char* nome = "diario.sqlite") { return pasta.filePath(nome).toStdString(); }
};

std::vector<std::int64_t> Numeros(const std::vector<Resumo>& lista) {
    std::vector<std::int64_t> n;
    for (const Resumo& r : lista) n.push_back(r.numero);
    return n;
}

}  // namespace

TEST_F(DiarioTeste, OQueSeSalvaSeLeIgualDepoisDeFechado) {
    OperacaoSalva a = Operacao("José da Conceição", "11144477735", D(28, 12, 2007),
                               {C("1000", "237/0494/001793", kCmc7), C("2500,50", "341/1/2"), Cheque{}});
    a.cheques[0].Emitente = "Emitente; com \"aspas\"";
    a.cheques[1].Documento = "11222333000181";
    OperacaoSalva b = Operacao("Maria", "", D(1, 6, 2007), {C("5.242,42", "")});
    b.tipo = TipoCalculo::VendaPorFora;
    {
        Diario d(Arquivo());
        EXPECT_EQ(d.Salva(a), 1);
        EXPECT_EQ(d.Salva(b), 2);
        EXPECT_FALSE(a.salvaEm.empty());
    }
    Diario d(Arquivo());
    for (const OperacaoSalva* esperada : {&a, &b}) {
        const std::optional<OperacaoSalva> lida = d.Le(esperada->numero);
        ASSERT_TRUE(lida);
        EXPECT_EQ(lida->salvaEm, esperada->salvaEm);
        EXPECT_EQ(lida->tipo, esperada->tipo);
        EXPECT_EQ(lida->dataReferencia, esperada->dataReferencia);
        EXPECT_EQ(lida->cliente, esperada->cliente);
        EXPECT_EQ(lida->json, esperada->json);
        EXPECT_EQ(lida->figuras, esperada->figuras);
        EXPECT_EQ(lida->cheques, esperada->cheques);
    }
    EXPECT_FALSE(d.Le(3));
    EXPECT_EQ(d.Lista({})[0].cheques, 2);  // the empty row is no cheque
    EXPECT_EQ(d.VerificaIntegridade(), "");
}

TEST_F(DiarioTeste, DuplicadosPelaRegraDoCmc7EDoBancoNumero) {
    Diario d(Arquivo());
    OperacaoSalva salva = Operacao("Fulano", "", D(3, 12, 2026),
                                   {C("1000", "237/0494/001793", kCmc7), C("500", "ABC 341/1234/5"), C("100", "")});
    d.Salva(salva);
    const struct {
        Cheque novo;
        bool duplicado;
    } casos[] = {
        {C("7", "outro", kCmc7), true},                  // the same 30 digits
        {C("1000", "237/0494/001793", kOutro), false},   // two lines that differ
        {C("1.000,00", " 237 / 0494 / 001793 "), true},  // no line here: number and amount
        {C("1000,01", "237/0494/001793"), false},        // another amount
        {C("500", "abc 341/1234/5", kOutro), true},      // no line there: number and amount
        {C("100", ""), false},                           // nothing to compare
        {C("", "ABC 341/1234/5"), false},                // no value: no cheque
    };
    for (const auto& caso : casos) {
        const std::vector<Duplicado> achados = d.Duplicados({caso.novo});
        EXPECT_EQ(achados.size(), caso.duplicado ? 1u : 0u) << caso.novo.BancoNumero << " " << caso.novo.CMC7;
        if (!achados.empty()) {
            EXPECT_EQ(achados[0].numero, 1);
            EXPECT_EQ(achados[0].data, D(3, 12, 2026));
            EXPECT_EQ(achados[0].cliente, "Fulano");
        }
    }
    // A cheque read by the reader alone (its cell left empty) has the number
    // its line gives; a save reports its duplicates by row.
    OperacaoSalva nova = Operacao("Beltrano", "", D(4, 12, 2026), {C("9", "x"), C("500", "ABC341/1234/5")});
    std::vector<Duplicado> dup;
    d.Salva(nova, &dup);
    ASSERT_EQ(dup.size(), 1u);
    EXPECT_EQ(dup[0].linha, 2);
    OperacaoSalva lida = Operacao("Sicrano", "", D(4, 12, 2026), {C("1000", "", kOutro)});
    d.Salva(lida);
    dup = d.Duplicados({C("1000", "237/0494/001793")});
    ASSERT_EQ(dup.size(), 2u);
    EXPECT_EQ(dup[0].numero, 1);
    EXPECT_EQ(dup[1].numero, 3);
}

TEST_F(DiarioTeste, ListaPorClienteDataECheque) {
    Diario d(Arquivo());
    std::vector<OperacaoSalva> ops = {
        Operacao("José da Conceição", "11144477735", D(1, 3, 2024), {C("1", "237/0494/001793", kCmc7)}),
        Operacao("José da Conceição", "11144477735", D(1, 3, 2024), {C("1", "237/0494/001793", kCmc7)}),
        Operacao("JOÃO  SILVA", "12ABC34501DE35", D(31, 3, 2024), {C("2", "341/9999/100%")}),
        Operacao("Ana_Maria", "", D(1, 4, 2024), {C("3", "001/0001/000001")}),
    };
    for (OperacaoSalva& op : ops) d.Salva(op);
    const auto lista = [&](Filtro f) { return Numeros(d.Lista(f)); };
    const auto cliente = [](const char* t) {
        Filtro f;
        f.cliente = t;
        return f;
    };
    const auto cheque = [](const char* t) {
        Filtro f;
        f.cheque = t;
        return f;
    };
    using V = std::vector<std::int64_t>;
    EXPECT_EQ(lista({}), (V{1, 2, 3, 4}));
    EXPECT_EQ(lista(cliente("conceicao")), (V{1, 2}));
    EXPECT_EQ(lista(cliente("  JOSÉ   DA ")), (V{1, 2}));
    EXPECT_EQ(lista(cliente("joao silva")), (V{3}));
    EXPECT_EQ(lista(cliente("111.444.777-35")), (V{1, 2}));
    EXPECT_EQ(lista(cliente("12.abc.345/01de-35")), (V{3}));
    EXPECT_EQ(lista(cliente("444.77")), (V{1, 2}));
    EXPECT_EQ(lista(cliente("_")), (V{4}));  // the pattern's own characters are plain here
    EXPECT_EQ(lista(cliente("%")), (V{}));
    EXPECT_EQ(lista(cheque("0494/0017")), (V{1, 2}));
    EXPECT_EQ(lista(cheque("9999/100%")), (V{3}));
    EXPECT_EQ(lista(cheque("<23704948<0180017935>377506100112:")), (V{1, 2}));
    EXPECT_EQ(lista(cheque("23704948 0180017935 377506100112")), (V{1, 2}));
    EXPECT_EQ(lista(cheque("zz")), (V{}));
    Filtro periodo;
    periodo.de = D(1, 3, 2024);
    periodo.ate = D(31, 3, 2024);
    EXPECT_EQ(lista(periodo), (V{1, 2, 3}));
    periodo.cliente = "silva";
    EXPECT_EQ(lista(periodo), (V{3}));
    Filtro recentes;
    recentes.recentesPrimeiro = true;
    recentes.limite = 2;
    EXPECT_EQ(lista(recentes), (V{4, 3}));
}

TEST_F(DiarioTeste, UltimosClientesComecamPeloQueFoiDigitado) {
    Diario d(Arquivo());
    for (const char* nome : {"Marcos", "Ana Márcia", "Mário", "Marcos", "Zélia"}) {
        OperacaoSalva op = Operacao(nome, "", D(1, 1, 2025), {});
        d.Salva(op);
    }
    const auto nomes = [&](const char* t, std::size_t n) {
        std::vector<std::string> r;
        for (const Cliente& c : d.UltimosClientes(t, n)) r.push_back(c.nome);
        return r;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(nomes("mar", 10), (V{"Marcos", "Mário", "Ana Márcia"}));
    EXPECT_EQ(nomes("", 2), (V{"Zélia", "Marcos"}));
    EXPECT_EQ(nomes("xyz", 10), (V{}));
}

// A file the journal cannot take is reported and left as it was, byte for byte.
TEST_F(DiarioTeste, ArquivoQueNaoEhDiarioEhRecusadoSemSerTocado) {
    const std::string texto = Arquivo("texto.txt");
    std::ofstream(texto)
        << "não é um banco de dados, mas tem mais de cem bytes para que o SQLite não o tome por vazio: "
           "0123456789012345678901234567890123456789";
    const std::string outro = Arquivo("outro.sqlite");
    const std::string novo = Arquivo("novo.sqlite");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "preparo");
        db.setDatabaseName(QString::fromStdString(outro));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("CREATE TABLE contas (x INTEGER)");
        db.close();
        db.setDatabaseName(QString::fromStdString(novo));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        q.exec("CREATE TABLE diario_info (chave VARCHAR(40) NOT NULL PRIMARY KEY, valor VARCHAR(200) NOT NULL)");
        q.exec("INSERT INTO diario_info VALUES ('versao', '3')");
        db.close();
    }
    QSqlDatabase::removeDatabase("preparo");
    const struct {
        std::string arquivo;
        const char* motivo;
    } casos[] = {
        {texto, "não é um banco de dados SQLite"},
        {outro, "é de outro programa"},
        {novo, "versão 3, mais nova"},
        {pasta.path().toStdString(), "é uma pasta"},
    };
    for (const auto& caso : casos) {
        const std::string antes = Bytes(QString::fromStdString(caso.arquivo));
        try {
            Diario d(caso.arquivo);
            ADD_FAILURE() << caso.arquivo << " was opened";
        } catch (const ErroDiario& e) {
            EXPECT_NE(std::string(e.what()).find(caso.motivo), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind("Não foi possível abrir o diário " + caso.arquivo, 0), 0u)
                << e.what();
        }
        EXPECT_EQ(Bytes(QString::fromStdString(caso.arquivo)), antes) << caso.arquivo;
    }
}

// Version 1 as it was made, with two operations: brought to version 2 in
// place, the operations keep their numbers and are found by a part of a
// cheque's number, which version 2 searches in a table of its own.
TEST_F(DiarioTeste, DiarioDaVersao1EhMigradoNoLugar) {
    const QString arquivo = QString::fromStdString(Arquivo());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "versao1");
        db.setDatabaseName(arquivo);
        ASSERT_TRUE(db.open());
        const char* const sql[] = {
            "PRAGMA journal_mode = WAL",
            "CREATE TABLE diario_info (chave VARCHAR(40) NOT NULL PRIMARY KEY, valor VARCHAR(200) NOT NULL)",
            "CREATE TABLE cliente (id INTEGER NOT NULL PRIMARY KEY, nome VARCHAR(255) NOT NULL,"
            " documento VARCHAR(14) NOT NULL, busca VARCHAR(255) NOT NULL, ultima_operacao INTEGER NOT NULL,"
            " UNIQUE (nome, documento))",
            "CREATE INDEX cliente_ultima ON cliente (ultima_operacao)",
            "CREATE TABLE operacao (numero INTEGER NOT NULL PRIMARY KEY, salva_em VARCHAR(30) NOT NULL,"
            " tipo INTEGER NOT NULL, data_referencia INTEGER NOT NULL, cliente INTEGER NOT NULL REFERENCES cliente "
            "(id),"
            " valor_total TEXT NOT NULL, valor_financiado TEXT NOT NULL, tac TEXT NOT NULL, iof TEXT NOT NULL,"
            " juros TEXT NOT NULL, tarifa TEXT NOT NULL, cet TEXT NOT NULL, cheques INTEGER NOT NULL)",
            "CREATE INDEX operacao_data ON operacao (data_referencia)",
            "CREATE INDEX operacao_cliente ON operacao (cliente)",
            "CREATE TABLE operacao_json (numero INTEGER NOT NULL PRIMARY KEY REFERENCES operacao (numero),"
            " json TEXT NOT NULL)",
            "CREATE TABLE cheque (operacao INTEGER NOT NULL REFERENCES operacao (numero), linha INTEGER NOT NULL,"
            " data TEXT NOT NULL, valor TEXT NOT NULL, banco_numero TEXT NOT NULL, emitente TEXT NOT NULL,"
            " dias TEXT NOT NULL, cmc7 VARCHAR(30) NOT NULL, documento VARCHAR(14) NOT NULL, chave VARCHAR(255) NOT "
            "NULL,"
            " valor_dmil BIGINT, PRIMARY KEY (operacao, linha))",
            "CREATE INDEX cheque_cmc7 ON cheque (cmc7)",
            "CREATE INDEX cheque_chave ON cheque (chave, valor_dmil)",
            "INSERT INTO diario_info VALUES ('versao', '1')",
            "INSERT INTO cliente VALUES (1, 'José', '', 'jose', 2)",
            "INSERT INTO operacao VALUES (1, '2026-12-01T10:00:00.000Z', 0, 39444, 1, '1.000,00', '990,00',"
            " 'TAC   = 0,00', 'IOF   = 0,00', 'Juros = 10,00', 'Tarifa= 0,00', 'CET: -', 2)",
            "INSERT INTO operacao VALUES (2, '2026-12-02T10:00:00.000Z', 2, 39445, 1, '500,00', '480,00',"
            " 'TAC   = 0,00', 'IOF   = 0,00', 'Juros = 20,00', 'Tarifa= 0,00', 'CET: -', 1)",
            "INSERT INTO operacao_json VALUES (1, '{}')",
            "INSERT INTO operacao_json VALUES (2, '{}')",
            "INSERT INTO cheque VALUES (1, 1, '31/12/07', '600', '237/0494/001793', '', '3', '', '', '237/0494/001793',"
            " 6000000)",
            "INSERT INTO cheque VALUES (1, 2, '31/01/08', '400', '341/0001/777', '', '34', '', '', '341/0001/777',"
            " 4000000)",
            "INSERT INTO cheque VALUES (2, 1, '31/01/08', '500', '104/0002/888', '', '33', '', '', '104/0002/888',"
            " 5000000)",
        };
        QSqlQuery q(db);
        for (const char* s : sql) ASSERT_TRUE(q.exec(s)) << s;
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("versao1");

    Diario d(arquivo.toStdString());
    Filtro f;
    f.cheque = "0001/77";
    EXPECT_EQ(Numeros(d.Lista(f)), (std::vector<std::int64_t>{1}));
    f.cheque = "/0002/";
    EXPECT_EQ(Numeros(d.Lista(f)), (std::vector<std::int64_t>{2}));
    ASSERT_TRUE(d.Le(2));
    EXPECT_EQ(d.Le(2)->figuras.ValorFinanciado, "480,00");
    OperacaoSalva op = Operacao("José", "", D(1, 1, 2025), {C("600", "237/0494/001793")});
    std::vector<Duplicado> dup;
    EXPECT_EQ(d.Salva(op, &dup), 3);
    EXPECT_EQ(dup.size(), 1u);
    EXPECT_EQ(d.VerificaIntegridade(), "");
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "confere");
    db.setDatabaseName(arquivo);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("SELECT valor FROM diario_info WHERE chave = 'versao'") && q.next());
    EXPECT_EQ(q.value(0).toString(), "2");
}

// Garbage over part of the file: an error or a failed check, never a crash or
// a check that passes.
TEST_F(DiarioTeste, DiarioDanificadoEhDenunciado) {
    {
        Diario d(Arquivo());
        for (int i = 0; i < 300; ++i) {
            OperacaoSalva op = Operacao("Cliente " + std::to_string(i), "", D(1, 1, 2025),
                                        {C("1", std::to_string(i)), C("2", "x" + std::to_string(i))});
            d.Salva(op);
        }
    }
    {
        std::fstream f(Arquivo(), std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(5 * 4096 + 100);
        const std::string lixo(3000, '\x5a');
        f.write(lixo.data(), static_cast<std::streamsize>(lixo.size()));
    }
    try {
        Diario d(Arquivo());
        std::string problema = d.VerificaIntegridade();
        if (problema.empty()) {
            for (std::int64_t n = 1; n <= 300; ++n) d.Le(n);
            problema = d.VerificaIntegridade();
        }
        EXPECT_NE(problema.find("danificado"), std::string::npos) << problema;
    } catch (const ErroDiario& e) {
        EXPECT_NE(std::string(e.what()).find("Não foi possível"), std::string::npos) << e.what();
    }
}

TEST(Exporta, CsvDeUmaOperacao) {
    OperacaoSalva op = Operacao("José", "", D(28, 12, 2007),
                                {C("1000", "237/0494/001793", kCmc7), C("2.500,5", "341"), C("", "vazia")});
    op.cheques[1].Emitente = "Silva; Filhos \"Ltda\"";
    op.cheques[1].Documento = "11222333000181";
    op.cheques[1].Dias = "52";
    EXPECT_EQ(TextoCsv(op),
              "\xEF\xBB\xBF"
              "Data;Dias;Valor;Banco/Número;Emitente;Documento;CMC7\r\n"
              "31/12/07;5;1000,00;237/0494/001793;;;237049480180017935377506100112\r\n"
              "31/12/07;52;2500,50;341;\"Silva; Filhos \"\"Ltda\"\"\";11.222.333/0001-81;\r\n"
              "Valor total;4.000,50\r\nTAC;TAC   = 80,01\r\nIOF;IOF   = 4,92\r\nJuros;Juros = 151,53\r\n"
              "Tarifa;Tarifa= 6,00\r\nLíquido;3.758,04\r\nCET;CET: 83,65% a.a. (5,20% a.m.)\r\n");

    // A date range: each operation's table after a line naming it, an empty
    // line between two.
    op.numero = 7;
    op.cliente.documento = "11144477735";
    OperacaoSalva outra = Operacao("Ana", "", D(2, 1, 2008), {C("10", "")});
    outra.numero = 8;
    outra.tipo = TipoCalculo::VendaPorFora;
    const std::string periodo = TextoCsvPeriodo({op, outra});
    const std::string corpo = TextoCsv(op).substr(3);
    EXPECT_EQ(
        periodo.substr(0, periodo.find(corpo)),
        "\xEF\xBB\xBFOperação;7;Data;28/12/2007;Cliente;José;Documento;111.444.777-35;Tipo;Desconto de Cheque\r\n");
    EXPECT_NE(
        periodo.find(corpo + "\r\nOperação;8;Data;02/01/2008;Cliente;Ana;Documento;;Tipo;Venda por fora\r\nData;"),
        std::string::npos);
}
