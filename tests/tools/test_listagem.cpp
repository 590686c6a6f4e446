// The listings' exact lines: frames, columns, cuts and pads, totals, and the
// texts that stop a listing.
#include <gtest/gtest.h>

#include "core/Erros.h"
#include "output/GeraListagem.h"
#include "tests/support/ExemploListagem.h"

using namespace quantivo;

namespace {

Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

Parcela P(std::string data, std::string valor, std::string banco = "", std::string emitente = "",
          std::string dias = "") {
    return Parcela{std::move(data), std::move(valor), std::move(banco), std::move(emitente), std::move(dias)};
}

Parcela ComCmc7(Parcela p) {
    p.CMC7 = "<23704948<0180017935>377506100112:";
    return p;
}

// The lines between the header's closing rule and the rule before the total.
std::vector<std::string> Linhas(const std::vector<std::string>& l, std::size_t primeira = 14) {
    return {l.begin() + static_cast<long>(primeira), l.end() - 10};
}

const std::vector<std::string> kTopo = {"",
                                        "",
                                        "",
                                        std::string(19, ' ') + std::string(40, '='),
                                        std::string(31, ' ') + "QUANTIVO",
                                        std::string(19, ' ') + std::string(40, '=')};
const std::vector<std::string> kRodape = {
    std::string(17, ' ') + std::string(39, '='), std::string(24, ' ') + "www.example.com",
    std::string(20, ' ') + "contato@example.com", std::string(17, ' ') + std::string(39, '=')};

}  // namespace

TEST(GeraListagem, SemLinhasDatadasImprimeMolduraCabecalhoETotalZero) {
    EntradaListagem e = teste::ListagemDoExemplo();
    e.linhas = {P("", "99,00", "x", "y", "5"), Parcela{}};
    std::vector<std::string> esperado = kTopo;
    const std::string m(21, ' ');
    const std::string traco = std::string(5, ' ') + std::string(72, '-');
    for (const std::string& s : std::vector<std::string>{
             m + "Data de Referência:28/12/07", m + "Valor Financiado: R$3.758,04", m + "Taxa  : 3%",
             m + "TAC   : 2%       IOF: 0,0041%", m + "Tarifa: R$2,00  Tarifa por título", traco,
             "         Data           Valor Dias Banco/Cheque   Emitente              ", traco, traco,
             "     Total.........:R$0,00", "     Tarifa= 6,00", "     TAC   = 80,01", "     IOF   = 4,92",
             "     Juros = 151,53"})
        esperado.push_back(s);
    esperado.insert(esperado.end(), kRodape.begin(), kRodape.end());
    const auto l = GeraListagem(e);
    EXPECT_EQ(l, esperado);
    EXPECT_EQ(l[12].size(), 72u);
}

TEST(GeraListagem, LinhasDaGrade) {
    struct Caso {
        const char* nome;
        Parcela p;
        const char* linha;
    };
    const Caso casos[] = {
        {"completa", P("31/12/07", "1000", "Itaú 001", "José", "5"),
         "     31/12/07        1.000,00 0005 Itaú 001       José"},
        {"dias vazio: dois espaços e colunas quatro à esquerda", P("31/12/07", "1000", "B", "E", ""),
         "     31/12/07        1.000,00  B              E"},
        {"banco de 20 mostra 14, emitente de 30 mostra 25 (caracteres, não bytes)",
         P("31/12/07", "1", "ÁÉÍÓÚáéíóúçãõâ123456", "Ação Comércio São João Ltda ME", "35"),
         "     31/12/07            1,00 0035 ÁÉÍÓÚáéíóúçãõâ Ação Comércio São João Lt"},
        {"valor grande ocupa 15", P("01/01/08", "1234567,5", "", "", "0"),
         "     01/01/08    1.234.567,50 0000                "},
        {"valor maior que 15 não é cortado", P("01/01/08", "123456789012345", "", "", "1"),
         "     01/01/08 123.456.789.012.345,00 0001                "},
        {"sinal do valor some pela regra de valores; dias negativos", P("01/01/08", "-20,00", "", "", "-5"),
         "     01/01/08           20,00 -0005                "},
        {"texto de data é levado como está", P("1/2/08", "R$ 1.500,00", "", "", " +7"),
         "     1/2/08        1.500,00 0007                "},
        {"controle vira espaço", P("01/01/08", "1", "a\tb", "c\r\nd", "1"),
         "     01/01/08            1,00 0001 a b            c  d"},
        {"cheque lido pelo CMC7 sai inteiro, com seus 15",
         ComCmc7(P("31/12/07", "1000", "237/0494/001793", "José", "5")),
         "     31/12/07        1.000,00 0005 237/0494/001793 José"},
        {"outro texto ao lado de um CMC7 é cortado", ComCmc7(P("31/12/07", "1000", "237/0494/001793 X", "José", "5")),
         "     31/12/07        1.000,00 0005 237/0494/00179 José"},
    };
    for (const Caso& c : casos) {
        EntradaListagem e = teste::ListagemDoExemplo();
        e.linhas = {c.p};
        const auto l = GeraListagem(e);
        ASSERT_EQ(l.size(), 25u) << c.nome;
        EXPECT_EQ(l[14], c.linha) << c.nome;
    }
}

TEST(GeraListagem, TotalSomaOsValoresDasLinhasDatadasEmDouble) {
    EntradaListagem e = teste::ListagemDoExemplo();
    e.linhas = {P("31/12/07", "0,1"), P("", "1000"), P("01/01/08", "0,2"), P("02/01/08", "1.000.000,005")};
    const auto l = GeraListagem(e);
    EXPECT_EQ(Linhas(l).size(), 3u);
    EXPECT_EQ(l[18], "     Total.........:R$1.000.000,31");
}

TEST(GeraListagem, ValorFinanciadoNegativoMantemOSinal) {
    const std::pair<const char*, const char*> casos[] = {
        {"R$ 1.500,00", "1.500,00"}, {"1500,00", "1.500,00"}, {"-1.234,5", "-1.234,50"},
        {" -0,00", "0,00"},          {"1,500.00", "1,50"},    {"--3", "-3,00"},
    };
    for (const auto& [texto, esperado] : casos) {
        EntradaListagem e = teste::ListagemDoExemplo();
        e.ValorFinanciado = texto;
        EXPECT_EQ(GeraListagem(e)[7], std::string(21, ' ') + "Valor Financiado: R$" + esperado) << texto;
    }
}

TEST(GeraListagem, TextosQueNaoSaoNumeroInterrompem) {
    struct Caso {
        Parcela p;
        std::string vf;
        const char* erro;
    };
    const Caso casos[] = {
        {P("31/12/07", ""), "1", "'' is not a valid floating point value"},
        {P("31/12/07", "1,500,00"), "1", "'1,500,00' is not a valid floating point value"},
        {P("31/12/07", "1", "", "", "3,5"), "1", "'3,5' is not a valid integer value"},
        {P("31/12/07", "1", "", "", "35 "), "1", "'35 ' is not a valid integer value"},
        {P("31/12/07", "1", "", "", "-"), "1", "'-' is not a valid integer value"},
        {P("31/12/07", "1", "", "", "2147483648"), "1", "'2147483648' is not a valid integer value"},
        {P("31/12/07", "1", "", "", "99999999999999999999999"), "1",
         "'99999999999999999999999' is not a valid integer value"},
        {Parcela{}, "", "'' is not a valid floating point value"},
    };
    for (const Caso& c : casos) {
        EntradaListagem e = teste::ListagemDoExemplo();
        e.linhas = {c.p};
        e.ValorFinanciado = c.vf;
        try {
            GeraListagem(e);
            ADD_FAILURE() << c.erro;
        } catch (const ErroConversao& x) {
            EXPECT_STREQ(x.what(), c.erro);
        }
    }
    EXPECT_EQ(LeInteiro("-2147483648"), -2147483648LL);
    EXPECT_EQ(LeInteiro("  0042"), 42);
}

TEST(GeraListagem, TotalForaDaFaixaDoDoubleEhErroAritmetico) {
    EntradaListagem e = teste::ListagemDoExemplo();
    e.linhas = {P("31/12/07", "1" + std::string(400, '0'))};
    EXPECT_THROW(GeraListagem(e), ErroAritmetico);
}

TEST(GeraListagem, TextosEnormesNaoQuebram) {
    EntradaListagem e = teste::ListagemDoExemplo();
    const std::string grande(1 << 20, 'x');
    e.Taxa = grande;
    e.linhas = {P("31/12/07", "1", grande, grande + "\xC3", "1"), P("01/01/08", "2", "\xE2\x82", "\xC3", "")};
    const auto l = GeraListagem(e);
    EXPECT_EQ(l[14].size(), 5u + 8 + 1 + 15 + 1 + 4 + 1 + 14 + 1 + 25);
    // Each broken UTF-8 byte counts as one character, as it becomes one "?" in the file.
    EXPECT_EQ(l[15], "     01/01/08            2,00  \xE2\x82" + std::string(13, ' ') + "\xC3");
}

TEST(GeraListagemPrestacoes, VencimentosDiasETotal) {
    const auto e = EntradaPrestacoes(D(2008, 1, 31), "31/01/08", 1000, 2, 3, 94.5596L);
    std::vector<std::string> esperado = kTopo;
    const std::string m(21, ' '), t(19, ' ');
    const std::string traco = t + std::string(36, '-');
    for (const std::string& s : std::vector<std::string>{
             m + "Data de Referência:31/01/08", m + "Valor Financiado: R$1.000,00", m + "Taxa  : 2%",
             m + "N.Prestação  : 3", traco, "                       Data           Valor Dias       ", traco,
             t + "29/02/08           94,56 0029", t + "31/03/08           94,56 0060",
             t + "30/04/08           94,56 0090", std::string(17, ' ') + std::string(39, '-'),
             t + "Total.........:R$283,68"})
        esperado.push_back(s);
    esperado.insert(esperado.end(), kRodape.begin(), kRodape.end());
    const auto l = GeraListagemPrestacoes(e);
    EXPECT_EQ(l, esperado);
    EXPECT_EQ(l[11].size(), 55u);
}

TEST(GeraListagemPrestacoes, CasosDeBorda) {
    struct Caso {
        const char* nome;
        long double vf, taxa, n, vlr;
        std::size_t linhas;
        const char* total;
        const char* erro;
    };
    const Caso casos[] = {
        {"zero prestações: sem linhas, total 0,00, valor da prestação não lido", 1000, 2, 0, 0, 0,
         "Total.........:R$0,00", nullptr},
        {"n negativo: sem linhas", 1000, 2, -3, 10, 0, "Total.........:R$0,00", nullptr},
        {"total soma o valor n vezes", 1000, 3, 5, 218.3546L, 5, "Total.........:R$1.091,75", nullptr},
        {"prestação negativa mantém o sinal", 1000, 2, 2, -10, 2, "Total.........:R$-20,00", nullptr},
        {"valor financiado vazio", 0, 2, 1, 10, 0, nullptr, "'' is not a valid floating point value"},
        {"valor da prestação vazio", 1000, 2, 1, 0, 0, nullptr, "'' is not a valid floating point value"},
    };
    for (const Caso& c : casos) {
        const auto e = EntradaPrestacoes(D(2007, 11, 15), "15/11/07", c.vf, c.taxa, c.n, c.vlr);
        if (c.erro) {
            try {
                GeraListagemPrestacoes(e);
                ADD_FAILURE() << c.nome;
            } catch (const ErroConversao& x) {
                EXPECT_STREQ(x.what(), c.erro) << c.nome;
            }
            continue;
        }
        const auto l = GeraListagemPrestacoes(e);
        ASSERT_EQ(l.size(), 19u + c.linhas) << c.nome;
        EXPECT_EQ(l[14 + c.linhas], std::string(19, ' ') + c.total) << c.nome;
    }
}

TEST(GeraListagemPrestacoes, PrazoAlemDoAno9999EhErroEnaoLinhasSemFim) {
    const Data ref = D(2008, 1, 31);
    const long double maximo = (9999 - 2008) * 12 + 11;
    EXPECT_NO_THROW(GeraListagemPrestacoes(EntradaPrestacoes(ref, "31/01/08", 1, 1, 1, 1)));
    const auto l = GeraListagemPrestacoes(EntradaPrestacoes(ref, "31/01/08", 1, 1, maximo, 1));
    EXPECT_EQ(l[13 + static_cast<std::size_t>(maximo) - 1].substr(19, 8), "31/12/99");
    EXPECT_THROW(GeraListagemPrestacoes(EntradaPrestacoes(ref, "31/01/08", 1, 1, maximo + 1, 1)), ErroAritmetico);
    EXPECT_THROW(GeraListagemPrestacoes(EntradaPrestacoes(ref, "31/01/08", 1, 1, 1e30L, 1)), ErroAritmetico);
}
