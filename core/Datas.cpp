#include "core/Datas.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/Erros.h"
#include "core/Mensagens.h"

namespace quantivo {
namespace {

namespace ch = std::chrono;

// Day 0 of the day numbers: 30/12/1899, the null date of an empty date field.
constexpr ch::sys_days kDia0{ch::year{1899} / 12 / 30};

ch::sys_days Dia(Data d) { return kDia0 + ch::days{d}; }
Data Numero(ch::sys_days d) { return static_cast<Data>((d - kDia0).count()); }

// A cursor over the text with the scanning rules of the date reader.
struct Leitor {
    std::string_view s;
    std::size_t pos = 0;

    bool Fim() const { return pos >= s.size(); }
    void PulaBrancos() {
        while (pos < s.size() && s[pos] == ' ') ++pos;
    }
    bool Char(char c) {
        PulaBrancos();
        if (pos < s.size() && s[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    // Up to four digits' worth: scanning stops once the number reaches 1000.
    bool Numero(int& n, int& digitos) {
        PulaBrancos();
        std::size_t i = pos;
        int v = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 1000) {
            v = v * 10 + (s[i] - '0');
            ++i;
        }
        if (i == pos) return false;
        digitos = static_cast<int>(i - pos);
        pos = i;
        n = v;
        return true;
    }
    bool Palavra(std::string_view w) {
        PulaBrancos();
        if (s.size() - pos < w.size()) return false;
        for (std::size_t k = 0; k < w.size(); ++k) {
            char c = s[pos + k];
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            if (c != w[k]) return false;
        }
        pos += w.size();
        return true;
    }
};

std::optional<Data> LeParteData(Leitor& l, int anoCorrente) {
    int n1 = 0, n2 = 0, n3 = 0, d1 = 0, d2 = 0, d3 = 0;
    if (!(l.Numero(n1, d1) && l.Char('/') && l.Numero(n2, d2))) return std::nullopt;
    int ano;
    if (l.Char('/')) {
        if (!l.Numero(n3, d3)) return std::nullopt;
        ano = n3;
        if (d3 <= 2) {
            const int base = anoCorrente - 50;
            ano += base / 100 * 100;
            if (ano < base) ano += 100;
        }
    } else {
        ano = anoCorrente;
    }
    l.Char('/');
    l.PulaBrancos();
    return CodificaData(ano, n2, n1);
}

// A time of day: hours, optionally ":" minutes, ":" seconds and "," milliseconds,
// with AM/PM before or after it.
bool LeParteHora(Leitor& l) {
    int base = -1;
    if (l.Palavra("AM"))
        base = 0;
    else if (l.Palavra("PM"))
        base = 12;
    int h = 0, mi = 0, se = 0, ms = 0, dg = 0;
    if (!l.Numero(h, dg)) return false;
    if (l.Char(':')) {
        if (!l.Numero(mi, dg)) return false;
        if (l.Char(':')) {
            if (!l.Numero(se, dg)) return false;
            if (l.Char(',') && !l.Numero(ms, dg)) return false;
        }
    }
    if (base < 0) {
        if (l.Palavra("AM"))
            base = 0;
        else if (l.Palavra("PM"))
            base = 12;
    }
    if (base >= 0) {
        if (h == 0 || h > 12) return false;
        if (h == 12) h = 0;
        h += base;
    }
    l.PulaBrancos();
    return h < 24 && mi < 60 && se < 60 && ms < 1000 && l.Fim();
}

std::string DoisDigitos(int v) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", v % 100);
    return b;
}

}  // namespace

bool AnoBissexto(int ano) { return ch::year{ano}.is_leap(); }

int DiasNoMes(int ano, int mes) {
    return static_cast<int>(
        static_cast<unsigned>((ch::year{ano} / ch::month{static_cast<unsigned>(mes)} / ch::last).day()));
}

std::optional<Data> CodificaData(int ano, int mes, int dia) {
    // The ranges first: chrono's day and month keep only a byte of the value.
    if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > 31) return std::nullopt;
    const ch::year_month_day ymd{ch::year{ano}, ch::month{static_cast<unsigned>(mes)},
                                 ch::day{static_cast<unsigned>(dia)}};
    if (!ymd.ok()) return std::nullopt;
    return Numero(ch::sys_days{ymd});
}

DataCivil DecodificaData(Data d) {
    const ch::year_month_day ymd{Dia(d)};
    return DataCivil{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                     static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int AnoDe(Data d) { return DecodificaData(d).ano; }

int DiaDaSemana(Data d) { return static_cast<int>(ch::weekday{Dia(d)}.c_encoding()) + 1; }

std::optional<Data> TentaLerData(std::string_view texto, int anoCorrente) {
    Leitor l{texto};
    auto d = LeParteData(l, anoCorrente);
    if (!d || !l.Fim()) return std::nullopt;
    return d;
}

Data LeData(std::string_view texto, int anoCorrente) {
    if (auto d = TentaLerData(texto, anoCorrente)) return *d;
    throw ErroConversao::Date(texto);
}

bool DataValida(std::string_view texto, int anoCorrente) {
    Leitor l{texto};
    if (!LeParteData(l, anoCorrente)) return false;
    return l.Fim() || LeParteHora(l);
}

std::optional<Data> LeDataLonga(std::string_view texto) {
    if (texto.empty()) return kDataNula;
    if (texto.size() != 10 || texto[2] != '/' || texto[5] != '/') return std::nullopt;
    int v[3] = {0, 0, 0};
    const std::size_t ini[3] = {0, 3, 6}, tam[3] = {2, 2, 4};
    for (int k = 0; k < 3; ++k) {
        for (std::size_t i = ini[k]; i < ini[k] + tam[k]; ++i) {
            if (texto[i] < '0' || texto[i] > '9') return std::nullopt;
            v[k] = v[k] * 10 + (texto[i] - '0');
        }
    }
    return CodificaData(v[2], v[1], v[0]);
}

std::string FormataData(Data d) {
    const DataCivil c = DecodificaData(d);
    return DoisDigitos(c.dia) + "/" + DoisDigitos(c.mes) + "/" + DoisDigitos(c.ano % 100);
}

std::string FormataDataLonga(Data d) {
    const DataCivil c = DecodificaData(d);
    char b[16];
    std::snprintf(b, sizeof b, "%02d/%02d/%04d", c.dia, c.mes, c.ano);
    return b;
}

Data AjustaVencimento(Data vencimento, bool incluiCompensacao) {
    auto foraDoFimDeSemana = [](Data d) {
        const int s = DiaDaSemana(d);
        return s == 1 ? d + 1 : s == 7 ? d + 2 : d;
    };
    Data d = foraDoFimDeSemana(vencimento);
    if (incluiCompensacao) d += 2;
    return foraDoFimDeSemana(d);
}

const char* TextoAvisoDifDias(JanelaAviso janela) {
    return janela == JanelaAviso::Bancada ? "Data da operação é menor que a data de vencimento do cheque"
                                          : "Data da operação deve ser maior que a data de vencimento do cheque";
}

std::int64_t DifDias(Data vencimento, Data referencia, const Contexto& ctx, JanelaAviso janela) {
    if (vencimento < referencia) {
        ctx.msg.Mostra(TextoAvisoDifDias(janela));
        return 0;
    }
    // The reference date goes through its short text and back, which drops it
    // into the two-digit-year window.
    const Data normalizada = LeData(FormataData(referencia), ctx.AnoCorrente());
    return static_cast<std::int64_t>(vencimento) - normalizada;
}

Data VencimentoMensal(Data referencia, std::int64_t k) {
    const DataCivil c = DecodificaData(referencia);
    const std::int64_t meses = static_cast<std::int64_t>(c.ano) * 12 + (c.mes - 1) + k;
    const int ano = static_cast<int>(meses / 12);
    const int mes = static_cast<int>(meses % 12) + 1;
    const int dia = std::min(c.dia, DiasNoMes(ano, mes));
    // Years past 9999 are no calendar date of the program; the schedule
    // limits keep k far below that.
    return Numero(ch::sys_days{ch::year{ano} / mes / dia});
}

}  // namespace quantivo
