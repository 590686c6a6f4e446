#include <gtest/gtest.h>

#include "core/DescontoCheque.h"
#include "core/Feriados.h"
#include "core/VendaPorFora.h"

using namespace quantivo;

namespace {

Data D(int a, int m, int d) { return *CodificaData(a, m, d); }

// Gauss's Easter rule with its two exceptions, written apart from the
// program's computus to check it.
Data PascoaGauss(int y) {
    const int a = y % 19, b = y % 4, c = y % 7, k = y / 100;
    const int p = (13 + 8 * k) / 25, q = k / 4;
    const int M = (15 - p + k - q) % 30, N = (4 + k - q) % 7;
    const int d = (19 * a + M) % 30, e = (2 * b + 4 * c + 6 * d + N) % 7;
    if (d == 29 && e == 6) return D(y, 4, 19);
    if (d == 28 && e == 6 && (11 * M + 11) % 30 < 19) return D(y, 4, 18);
    return D(y, 3, 22) + d + e;
}

}  // namespace

TEST(Feriados, PascoaDasTabelasPublicadas) {
    const std::tuple<int, int, int> datas[] = {{1818, 3, 22}, {1886, 4, 25}, {1943, 4, 25}, {1954, 4, 18},
                                               {1981, 4, 19}, {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24},
                                               {2019, 4, 21}, {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},
                                               {2027, 3, 28}, {2038, 4, 25}, {2049, 4, 18}, {2285, 3, 22}};
    for (const auto& [a, m, d] : datas) EXPECT_EQ(FormataDataLonga(Pascoa(a)), FormataDataLonga(D(a, m, d))) << a;
}

TEST(Feriados, PascoaIgualAoAlgoritmoDeGauss) {
    for (int ano = 1583; ano <= 4099; ++ano) {
        const Data p = Pascoa(ano);
        ASSERT_EQ(p, PascoaGauss(ano)) << ano;
        ASSERT_EQ(DiaDaSemana(p), 1) << ano;
    }
}

TEST(Feriados, CalendarioNacionalDeUmAno) {
    std::vector<std::pair<std::string, std::string>> lista;
    for (const Feriado& f : FeriadosNacionais(2027)) lista.emplace_back(FormataDataLonga(f.data), f.nome);
    const std::vector<std::pair<std::string, std::string>> esperado = {
        {"01/01/2027", "Confraternização Universal"},
        {"08/02/2027", "Carnaval (segunda-feira)"},
        {"09/02/2027", "Carnaval (terça-feira)"},
        {"26/03/2027", "Sexta-feira da Paixão"},
        {"21/04/2027", "Tiradentes"},
        {"01/05/2027", "Dia do Trabalho"},
        {"27/05/2027", "Corpus Christi"},
        {"07/09/2027", "Independência do Brasil"},
        {"12/10/2027", "Nossa Senhora Aparecida"},
        {"02/11/2027", "Finados"},
        {"15/11/2027", "Proclamação da República"},
        {"20/11/2027", "Dia Nacional de Zumbi e da Consciência Negra"},
        {"25/12/2027", "Natal"},
    };
    EXPECT_EQ(lista, esperado);
    // The 20th of November is a national holiday from 2024 on only.
    EXPECT_EQ(FeriadosNacionais(2023).size(), 12u);
    EXPECT_EQ(FeriadosNacionais(2024).size(), 13u);
}

TEST(Feriados, CadaDataUmaVezEmOrdem) {
    // 2000: Good Friday on Tiradentes.
    const auto f2000 = FeriadosDoAno(2000, {});
    ASSERT_EQ(f2000.size(), 11u);
    EXPECT_EQ(f2000[3].data, D(2000, 4, 21));
    EXPECT_EQ(f2000[3].nome, "Sexta-feira da Paixão");
    EXPECT_EQ(f2000[4].nome, "Dia do Trabalho");
    // Locals: the national name wins on a shared date, then the first local;
    // a one-off belongs to its year only; 29/02 to leap years only.
    const std::vector<FeriadoLocal> locais = {{25, 12, 0, "Festa"},    {20, 1, 0, "São Sebastião"},
                                              {20, 1, 0, "Outro"},     {3, 3, 2028, ""},
                                              {3, 3, 2027, "Só 2027"}, {29, 2, 0, "Bissexto"}};
    const auto f2028 = FeriadosDoAno(2028, locais);
    for (std::size_t i = 1; i < f2028.size(); ++i) EXPECT_LT(f2028[i - 1].data, f2028[i].data);
    auto nome = [&](Data d) -> std::string {
        for (const Feriado& f : f2028)
            if (f.data == d) return f.nome + (f.local ? " (local)" : "");
        return "-";
    };
    EXPECT_EQ(nome(D(2028, 12, 25)), "Natal");
    EXPECT_EQ(nome(D(2028, 1, 20)), "São Sebastião (local)");
    EXPECT_EQ(nome(D(2028, 3, 3)), "Feriado local (local)");
    EXPECT_EQ(nome(D(2028, 2, 29)), "Carnaval (terça-feira)");  // Easter 16/04/2028
    const auto f2032 = FeriadosDoAno(2032, locais);
    EXPECT_TRUE(std::count(f2032.begin(), f2032.end(), Feriado{D(2032, 2, 29), "Bissexto", true}));
    EXPECT_EQ(FeriadosDoAno(2027, locais).size(), FeriadosNacionais(2027).size() + 2);  // 20/01, 03/03
}

TEST(Feriados, AjusteSemFeriadosEhORegraDeSempre) {
    // Without a calendar, and with an empty option, every date of a few
    // years moves exactly as the weekend rule moves it.
    for (Data d = D(2026, 1, 1); d <= D(2028, 12, 31); ++d)
        for (bool comp : {false, true}) ASSERT_EQ(AjustaVencimento(d, comp, nullptr), AjustaVencimento(d, comp));
}

TEST(Feriados, AjusteComFeriados) {
    const Calendario semLocais;
    const Calendario comLocais({{20, 1, 0, "São Sebastião"}, {4, 1, 2027, ""}});
    struct Caso {
        Data vencimento;
        bool compensacao;
        const Calendario* cal;
        Data esperado;
    };
    const Caso casos[] = {
        {D(2026, 12, 25), true, &semLocais, D(2026, 12, 30)},   // Friday holiday: Mon 28, +2
        {D(2026, 12, 25), false, &semLocais, D(2026, 12, 28)},  // the next business day only
        {D(2027, 2, 6), false, &semLocais, D(2027, 2, 10)},     // Saturday, then Carnival
        {D(2027, 2, 6), true, &semLocais, D(2027, 2, 12)},
        {D(2027, 2, 5), true, &semLocais, D(2027, 2, 10)},      // step 3: Mon 08 lands on Carnival
        {D(2026, 11, 18), true, &semLocais, D(2026, 11, 23)},   // step 3: Fri 20/11
        {D(2026, 11, 19), false, &semLocais, D(2026, 11, 19)},  // a business day stays
        {D(2027, 1, 1), true, &semLocais, D(2027, 1, 6)},
        {D(2027, 1, 1), true, &comLocais, D(2027, 1, 7)},    // 04/01/2027 local: Tue 05, +2
        {D(2027, 1, 18), true, &comLocais, D(2027, 1, 21)},  // +2 lands on the local 20/01
        {D(2028, 1, 18), true, &comLocais, D(2028, 1, 21)},  // every year
        {D(2028, 1, 3), true, &comLocais, D(2028, 1, 5)},    // the one-off was 2027's
        {D(2026, 4, 3), true, &semLocais, D(2026, 4, 8)},    // Good Friday
        {D(2026, 6, 4), false, &semLocais, D(2026, 6, 5)},   // Corpus Christi
    };
    for (const Caso& c : casos)
        EXPECT_EQ(FormataDataLonga(AjustaVencimento(c.vencimento, c.compensacao, c.cal)), FormataDataLonga(c.esperado))
            << FormataDataLonga(c.vencimento) << " " << c.compensacao;
}

TEST(Feriados, CalendarioSemDiaUtilNaoPrende) {
    std::vector<FeriadoLocal> todos;
    for (int m = 1; m <= 12; ++m)
        for (int d = 1; d <= DiasNoMes(2000, m); ++d) todos.push_back({d, m, 0, ""});
    const Calendario cal(todos);
    EXPECT_FALSE(cal.DiaUtil(D(2027, 3, 3)));
    EXPECT_EQ(AjustaVencimento(D(2027, 3, 6), true, &cal), AjustaVencimento(D(2027, 3, 6), true));
    // Past the last calendar year only the weekend counts: no failure there.
    const Calendario semLocais;
    EXPECT_EQ(AjustaVencimento(D(9999, 12, 31), true, &semLocais), AjustaVencimento(D(9999, 12, 31), true));
}

TEST(Feriados, DescontoContaOsDiasAteODiaUtil) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    Bancada b;
    b.dados.DataReferencia = D(2026, 12, 18);
    b.dados.Taxa = "3";
    b.linhas = {{"25/12/26", "1000", "", "", ""}, {"06/02/27", "1000", "", "", ""}};
    Bancada sem = b;
    ASSERT_EQ(CalculaDescontoCheque(sem, ctx), Desfecho::Concluido);
    EXPECT_EQ(sem.linhas[0].Dias, "10");
    EXPECT_EQ(sem.linhas[1].Dias, "54");  // Mon 08/02 + 2
    b.dados.Feriados = true;
    Bancada com = b;
    ASSERT_EQ(CalculaDescontoCheque(com, ctx), Desfecho::Concluido);
    EXPECT_EQ(com.linhas[0].Dias, "12");
    EXPECT_EQ(com.linhas[1].Dias, "56");  // Wed 10/02 + 2
    EXPECT_NE(com.totais.Juros, sem.totais.Juros);
    EXPECT_NE(com.cet->anual, sem.cet->anual);
    // The local holidays reach the count with the operation.
    b.dados.FeriadosLocais = {{30, 12, 0, ""}};
    ASSERT_EQ(CalculaDescontoCheque(b, ctx), Desfecho::Concluido);
    EXPECT_EQ(b.linhas[0].Dias, "13");

    Bancada venda = com;
    venda.dados.ValorFinanciado = "1000";
    venda.linhas = {{"25/12/26", "", "", "", ""}};
    ASSERT_EQ(CalculaVendaPorFora(venda, ctx), Desfecho::Concluido);
    EXPECT_EQ(venda.linhas[0].Dias, "12");
    EXPECT_TRUE(msg.mensagens.empty());
}

TEST(Feriados, LeituraDeFeriadoLocal) {
    struct Caso {
        const char* texto;
        std::optional<FeriadoLocal> esperado;
    };
    const Caso casos[] = {
        {"25/01", FeriadoLocal{25, 1, 0, ""}},
        {"5/1", FeriadoLocal{5, 1, 0, ""}},
        {"25/01/2027", FeriadoLocal{25, 1, 2027, ""}},
        {"  20/01   São Sebastião  ", FeriadoLocal{20, 1, 0, "São Sebastião"}},
        {"20/01\tDia\tda cidade", FeriadoLocal{20, 1, 0, "Dia da cidade"}},
        {"29/02", FeriadoLocal{29, 2, 0, ""}},
        {"29/02/2028 x", FeriadoLocal{29, 2, 2028, "x"}},
        {"29/02/2027", std::nullopt},
        {"30/02", std::nullopt},
        {"31/04", std::nullopt},
        {"00/01", std::nullopt},
        {"32/01", std::nullopt},
        {"25/13", std::nullopt},
        {"25/00", std::nullopt},
        {"25/12x", std::nullopt},
        {"25-12", std::nullopt},
        {"25/12/27", std::nullopt},
        {"25/12/0000", std::nullopt},
        {"25/12/20270", std::nullopt},
        {"/12", std::nullopt},
        {"25/", std::nullopt},
        {"123/12", std::nullopt},
        {"", std::nullopt},
        {"Natal", std::nullopt},
    };
    for (const Caso& c : casos) EXPECT_EQ(LeFeriadoLocal(c.texto), c.esperado) << c.texto;
    EXPECT_EQ(TextoFeriadoLocal({5, 1, 0, ""}), "05/01");
    EXPECT_EQ(TextoFeriadoLocal({5, 1, 2027, "Dia da cidade"}), "05/01/2027 Dia da cidade");
}

TEST(Feriados, ArquivoLidoComTolerancia) {
    const std::string texto =
        "\xEF\xBB\xBF"
        "20/01 São Sebastião\r\n"
        "\r\n"
        "31/02 Errado\r\n"
        "23/04/2027\n"
        "   \n"
        "feriado sem data\n"
        "08/12 Imaculada Conceição";  // no line end at the end
    const ListaFeriados l = LeListaFeriados(texto);
    const std::vector<FeriadoLocal> esperados = {
        {20, 1, 0, "São Sebastião"}, {23, 4, 2027, ""}, {8, 12, 0, "Imaculada Conceição"}};
    EXPECT_EQ(l.feriados, esperados);
    const std::vector<LinhaNaoLida> naoLidas = {{3, "31/02 Errado"}, {6, "feriado sem data"}};
    EXPECT_EQ(l.naoLidas, naoLidas);

    // Writing keeps the holidays and, after them, the lines that were not read.
    const std::string escrito = EscreveListaFeriados(l.feriados, l.naoLidas);
    EXPECT_EQ(escrito, "20/01 São Sebastião\n23/04/2027\n08/12 Imaculada Conceição\n31/02 Errado\nferiado sem data\n");
    const ListaFeriados relida = LeListaFeriados(escrito);
    EXPECT_EQ(relida.feriados, l.feriados);
    ASSERT_EQ(relida.naoLidas.size(), 2u);
    EXPECT_EQ(relida.naoLidas[0].texto, "31/02 Errado");
    EXPECT_TRUE(LeListaFeriados("").feriados.empty());
}
