#include <gtest/gtest.h>

#include "core/Datas.h"
#include "core/Erros.h"
#include "core/Mensagens.h"

using namespace quantivo;

namespace {
Data D(int a, int m, int d) { return *CodificaData(a, m, d); }
}  // namespace

TEST(Datas, NumeroDoDiaESemana) {
    EXPECT_EQ(D(1899, 12, 30), 0);
    EXPECT_EQ(FormataDataLonga(0), "30/12/1899");
    EXPECT_EQ(D(2008, 1, 31), 39478);
    EXPECT_EQ(DiaDaSemana(D(2007, 12, 28)), 6);  // Friday
    EXPECT_EQ(DiaDaSemana(0), 7);                // Saturday
    EXPECT_EQ(DiaDaSemana(D(1, 1, 1)), 2);       // Monday, far before day 0
    EXPECT_EQ(FormataData(D(2007, 11, 5)), "05/11/07");
    EXPECT_EQ(FormataData(D(7, 3, 9)), "09/03/07");
}

TEST(Datas, LeituraDeTextos) {
    struct Caso {
        const char* texto;
        int ano;  // current year
        std::optional<Data> esperado;
    };
    const Caso casos[] = {
        {"31/12/07", 2007, D(2007, 12, 31)},
        {"01/01/57", 2007, D(1957, 1, 1)},  // window 1957..2056
        {"01/01/56", 2007, D(2056, 1, 1)},
        {"01/01/76", 2026, D(1976, 1, 1)},  // window 1976..2075
        {"01/01/75", 2026, D(2075, 1, 1)},
        {"1/2/3", 2026, D(2003, 2, 1)},        // one-digit fields
        {"05/11/2007", 2026, D(2007, 11, 5)},  // four-digit year as written
        {"05/11/007", 2026, D(7, 11, 5)},      // three digits: as written too
        {"05/11", 2026, D(2026, 11, 5)},       // no year: the current year
        {" 5/ 11/ 07", 2026, D(2007, 11, 5)},  // blanks before numbers
        {"05/11/07 ", 2026, D(2007, 11, 5)},
        {"29/02/08", 2026, D(2008, 2, 29)},
        {"29/02/07", 2026, std::nullopt},
        {"31/02/07", 2026, std::nullopt},
        {"00/01/07", 2026, std::nullopt},
        {"01/13/07", 2026, std::nullopt},
        {"05/11/0000", 2026, std::nullopt},  // year 0 does not exist
        {"//", 2026, std::nullopt},          // a masked cell left blank
        {"  /  /  ", 2026, std::nullopt},
        {"", 2026, std::nullopt},
        {"5", 2026, std::nullopt},
        {"05/11/", 2026, std::nullopt},
        {"05-11-07", 2026, std::nullopt},
        {"05/11/07x", 2026, std::nullopt},
        {"05/11/07 10:30", 2026, std::nullopt},  // a time is no date
        {"99999/1/1", 2026, std::nullopt},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(TentaLerData(c.texto, c.ano), c.esperado) << c.texto;
        if (!c.esperado) {
            try {
                LeData(c.texto, c.ano);
                ADD_FAILURE() << c.texto;
            } catch (const ErroConversao& e) {
                EXPECT_EQ(std::string(e.what()), std::string("'") + c.texto + "' is not a valid date");
            }
        }
    }
}

TEST(Datas, DataValidaAceitaHoraDepoisDaData) {
    EXPECT_TRUE(DataValida("31/12/07", 2026));
    EXPECT_TRUE(DataValida("31/12/07 10:30", 2026));
    EXPECT_TRUE(DataValida("31/12/07 10:30:15", 2026));
    EXPECT_TRUE(DataValida("31/12/07 10", 2026));
    EXPECT_TRUE(DataValida("31/12/07 10:30 PM", 2026));
    EXPECT_FALSE(DataValida("31/12/07 24:00", 2026));
    EXPECT_FALSE(DataValida("31/12/07 10:61", 2026));
    EXPECT_FALSE(DataValida("31/12/07 x", 2026));
    EXPECT_FALSE(DataValida("10:30", 2026));
    EXPECT_FALSE(DataValida("//", 2026));
    EXPECT_FALSE(DataValida("", 2026));
}

TEST(Datas, AjustaVencimento) {
    // 28/12/07 is a Friday.
    struct Caso {
        Data venc;
        bool comp;
        Data esperado;
    };
    const Caso casos[] = {
        {D(2007, 12, 31), true, D(2008, 1, 2)},     // Monday -> Wednesday
        {D(2008, 1, 3), true, D(2008, 1, 7)},       // Thursday -> Monday
        {D(2008, 1, 4), true, D(2008, 1, 7)},       // Friday -> Monday
        {D(2008, 1, 5), true, D(2008, 1, 9)},       // Saturday -> Wednesday
        {D(2008, 1, 6), true, D(2008, 1, 9)},       // Sunday -> Wednesday
        {D(2007, 12, 29), false, D(2007, 12, 31)},  // Saturday -> Monday
        {D(2007, 12, 30), false, D(2007, 12, 31)},  // Sunday -> Monday
        {D(2007, 12, 28), false, D(2007, 12, 28)},
    };
    for (const Caso& c : casos) EXPECT_EQ(AjustaVencimento(c.venc, c.comp), c.esperado) << FormataData(c.venc);
}

TEST(Datas, DifDiasAvisaConformeAJanela) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    EXPECT_EQ(DifDias(D(2008, 1, 2), D(2007, 12, 28), ctx, JanelaAviso::Bancada), 5);
    EXPECT_EQ(DifDias(D(2007, 12, 28), D(2007, 12, 28), ctx, JanelaAviso::Bancada), 0);
    EXPECT_TRUE(msg.mensagens.empty());
    EXPECT_EQ(DifDias(D(2007, 12, 27), D(2007, 12, 28), ctx, JanelaAviso::Bancada), 0);
    EXPECT_EQ(DifDias(D(2007, 12, 27), D(2007, 12, 28), ctx, JanelaAviso::Entrada), 0);
    EXPECT_EQ(msg.Textos(),
              (std::vector<std::string>{"Data da operação é menor que a data de vencimento do cheque",
                                        "Data da operação deve ser maior que a data de vencimento do cheque"}));
}

TEST(Datas, DifDiasReleAReferenciaPelaJanelaDeDoisDigitos) {
    MensageiroGravador msg;
    const Contexto ctx{msg, D(2026, 12, 9)};
    // 1960 is outside the window 1976..2075: read back as 2060, so a 2026 due
    // date counts negative days, without a warning.
    EXPECT_EQ(DifDias(D(2026, 1, 1), D(1960, 1, 1), ctx, JanelaAviso::Bancada), D(2026, 1, 1) - D(2060, 1, 1));
    // The null date of an empty field reads back as 30/12/1999.
    EXPECT_EQ(DifDias(D(2000, 1, 9), kDataNula, ctx, JanelaAviso::Bancada), 10);
    EXPECT_TRUE(msg.mensagens.empty());
}

TEST(Datas, VencimentoMensalNaoDeriva) {
    const Data ref = D(2008, 1, 31);
    EXPECT_EQ(VencimentoMensal(ref, 1), D(2008, 2, 29));
    EXPECT_EQ(VencimentoMensal(ref, 2), D(2008, 3, 31));
    EXPECT_EQ(VencimentoMensal(ref, 3), D(2008, 4, 30));
    EXPECT_EQ(VencimentoMensal(ref, 4), D(2008, 5, 31));
    EXPECT_EQ(VencimentoMensal(D(2007, 11, 15), 2), D(2008, 1, 15));
    EXPECT_EQ(VencimentoMensal(D(2007, 11, 15), 14), D(2009, 1, 15));
}

TEST(Datas, DataLongaDoLote) {
    EXPECT_EQ(LeDataLonga("28/12/2007"), D(2007, 12, 28));
    EXPECT_EQ(LeDataLonga(""), kDataNula);
    EXPECT_EQ(LeDataLonga("28/12/07"), std::nullopt);
    EXPECT_EQ(LeDataLonga("31/02/2007"), std::nullopt);
}
