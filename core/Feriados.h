#pragma once
// The calendar of non-business days: Saturdays, Sundays, the national bank
// holidays and the clerk's local holidays. With the holiday option on, a due
// date that falls on such a day is paid on the next business day, and the
// clearing days are counted from there.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Datas.h"

namespace quantivo {

// A local holiday: every year (ano 0) or in one year only.
struct FeriadoLocal {
    int dia = 1;
    int mes = 1;
    int ano = 0;
    std::string nome;
    bool operator==(const FeriadoLocal&) const = default;
};

struct Feriado {
    Data data = kDataNula;
    std::string nome;
    bool local = false;
    bool operator==(const Feriado&) const = default;
};

inline constexpr const char* kNomeFeriadoLocal = "Feriado local";

// Easter Sunday of a year of the Gregorian calendar.
Data Pascoa(int ano);
// The national bank holidays of a year, in date order.
std::vector<Feriado> FeriadosNacionais(int ano);
// National and local holidays of a year in date order, each date once (a
// national holiday's name wins over a local one's, an earlier local over a
// later one); a local holiday without name is called kNomeFeriadoLocal.
std::vector<Feriado> FeriadosDoAno(int ano, const std::vector<FeriadoLocal>& locais);

// "dd/mm" or "dd/mm/aaaa" (day and month of one or two digits, a year of four),
// optionally followed by blanks and a name; blanks around are ignored.
// Nothing when the text is not such a date (31/04, 29/02/2027, 25/12x).
std::optional<FeriadoLocal> LeFeriadoLocal(std::string_view texto);
// "dd/mm Nome" or "dd/mm/aaaa Nome" (without the name when it is empty).
std::string TextoFeriadoLocal(const FeriadoLocal& f);

// A list of local holidays as its text file holds it, one a line; blank lines
// are skipped, a line that is not a holiday is kept aside with its number.
struct LinhaNaoLida {
    int numero = 0;  // from 1
    std::string texto;
    bool operator==(const LinhaNaoLida&) const = default;
};
struct ListaFeriados {
    std::vector<FeriadoLocal> feriados;
    std::vector<LinhaNaoLida> naoLidas;
};
ListaFeriados LeListaFeriados(std::string_view texto);
// The file's text: one holiday a line, then the lines that could not be read,
// as they were, so that saving never loses what the clerk wrote.
std::string EscreveListaFeriados(const std::vector<FeriadoLocal>& feriados, const std::vector<LinhaNaoLida>& naoLidas);

// Which days are business days, for one set of local holidays. The holidays of
// each year are worked out once, when a date of that year is first asked for.
class Calendario {
public:
    explicit Calendario(std::vector<FeriadoLocal> locais = {});
    bool DiaUtil(Data d) const;
    // The date itself when it is a business day, else the next one. When no
    // business day comes within a year (a clerk who marked every day), only
    // the weekend moves the date.
    Data ProximoDiaUtil(Data d) const;

private:
    struct Ano {
        int ano;
        Data inicio;  // 01/01
        int dias;
        std::vector<bool> naoUtil;
    };
    const Ano& DoAno(Data d) const;

    std::vector<FeriadoLocal> locais_;
    mutable std::vector<Ano> anos_;
    mutable std::size_t ultimo_ = 0;
};

// The due date moved as AjustaVencimento moves it, but past holidays too when
// a calendar is given: (1) to the next business day, (2) with clearing 2 days
// more, (3) again to the next business day. Without a calendar, exactly
// AjustaVencimento.
Data AjustaVencimento(Data vencimento, bool incluiCompensacao, const Calendario* feriados);

}  // namespace quantivo
