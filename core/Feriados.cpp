#include "core/Feriados.h"

#include <algorithm>

namespace quantivo {
namespace {

// Past this many days without a business day the calendar gives up.
constexpr int kLimiteBusca = 400;

Data Em(int ano, int mes, int dia);
const Data kPrimeiroDia = Em(1, 1, 1);
const Data kUltimoDia = Em(9999, 12, 31);

Data Em(int ano, int mes, int dia) { return CodificaData(ano, mes, dia).value_or(kDataNula); }

bool Branco(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Apara(std::string_view s) {
    while (!s.empty() && Branco(s.front())) s.remove_prefix(1);
    while (!s.empty() && Branco(s.back())) s.remove_suffix(1);
    return s;
}

// A run of 1..max digits, the whole of `s`.
std::optional<int> Digitos(std::string_view s, std::size_t minimo, std::size_t maximo) {
    if (s.size() < minimo || s.size() > maximo) return std::nullopt;
    int v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

Data ForaDoFimDeSemana(Data d) {
    const int s = DiaDaSemana(d);
    return s == 1 ? d + 1 : s == 7 ? d + 2 : d;
}

}  // namespace

Data Pascoa(int ano) {
    // The anonymous Gregorian computus.
    const int a = ano % 19;
    const int b = ano / 100;
    const int c = ano % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int mes = (h + l - 7 * m + 114) / 31;
    const int dia = (h + l - 7 * m + 114) % 31 + 1;
    return Em(ano, mes, dia);
}

std::vector<Feriado> FeriadosNacionais(int ano) {
    const Data e = Pascoa(ano);
    std::vector<Feriado> f = {
        {Em(ano, 1, 1), "Confraternização Universal"},
        {e - 48, "Carnaval (segunda-feira)"},
        {e - 47, "Carnaval (terça-feira)"},
        {e - 2, "Sexta-feira da Paixão"},
        {Em(ano, 4, 21), "Tiradentes"},
        {Em(ano, 5, 1), "Dia do Trabalho"},
        {e + 60, "Corpus Christi"},
        {Em(ano, 9, 7), "Independência do Brasil"},
        {Em(ano, 10, 12), "Nossa Senhora Aparecida"},
        {Em(ano, 11, 2), "Finados"},
        {Em(ano, 11, 15), "Proclamação da República"},
    };
    if (ano >= 2024) f.push_back({Em(ano, 11, 20), "Dia Nacional de Zumbi e da Consciência Negra"});
    f.push_back({Em(ano, 12, 25), "Natal"});
    // Good Friday may fall after Tiradentes (or on it, as in 2000: then the
    // date is listed twice, Good Friday first, and FeriadosDoAno keeps one).
    std::stable_sort(f.begin(), f.end(), [](const Feriado& x, const Feriado& y) { return x.data < y.data; });
    return f;
}

std::vector<Feriado> FeriadosDoAno(int ano, const std::vector<FeriadoLocal>& locais) {
    std::vector<Feriado> f = FeriadosNacionais(ano);
    for (const FeriadoLocal& l : locais) {
        if (l.ano != 0 && l.ano != ano) continue;
        const auto d = CodificaData(ano, l.mes, l.dia);
        if (!d) continue;  // 29/02 outside leap years
        f.push_back({*d, l.nome.empty() ? std::string(kNomeFeriadoLocal) : l.nome, true});
    }
    std::stable_sort(f.begin(), f.end(), [](const Feriado& x, const Feriado& y) { return x.data < y.data; });
    f.erase(std::unique(f.begin(), f.end(), [](const Feriado& x, const Feriado& y) { return x.data == y.data; }),
            f.end());
    return f;
}

std::optional<FeriadoLocal> LeFeriadoLocal(std::string_view texto) {
    texto = Apara(texto);
    std::size_t fim = 0;
    while (fim < texto.size() && !Branco(texto[fim])) ++fim;
    const std::string_view data = texto.substr(0, fim);
    FeriadoLocal f;
    f.nome = std::string(Apara(texto.substr(fim)));
    for (char& c : f.nome)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';

    const std::size_t b1 = data.find('/');
    if (b1 == std::string_view::npos) return std::nullopt;
    const std::size_t b2 = data.find('/', b1 + 1);
    const auto dia = Digitos(data.substr(0, b1), 1, 2);
    const auto mes =
        Digitos(data.substr(b1 + 1, b2 == std::string_view::npos ? std::string_view::npos : b2 - b1 - 1), 1, 2);
    if (!dia || !mes || *mes < 1 || *mes > 12 || *dia < 1) return std::nullopt;
    f.dia = *dia;
    f.mes = *mes;
    if (b2 == std::string_view::npos) {
        // Every year: any day that some year has (29/02 included).
        if (*dia > DiasNoMes(2000, *mes)) return std::nullopt;
        return f;
    }
    const auto ano = Digitos(data.substr(b2 + 1), 4, 4);
    if (!ano || *ano < 1 || !CodificaData(*ano, *mes, *dia)) return std::nullopt;
    f.ano = *ano;
    return f;
}

std::string TextoFeriadoLocal(const FeriadoLocal& f) {
    char b[16];
    if (f.ano == 0)
        std::snprintf(b, sizeof b, "%02d/%02d", f.dia, f.mes);
    else
        std::snprintf(b, sizeof b, "%02d/%02d/%04d", f.dia, f.mes, f.ano);
    std::string r = b;
    if (!f.nome.empty()) r += " " + f.nome;
    return r;
}

ListaFeriados LeListaFeriados(std::string_view texto) {
    ListaFeriados r;
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);
    int numero = 0;
    while (!texto.empty()) {
        const std::size_t fim = texto.find('\n');
        std::string_view linha = texto.substr(0, fim);
        texto = fim == std::string_view::npos ? std::string_view() : texto.substr(fim + 1);
        ++numero;
        if (!linha.empty() && linha.back() == '\r') linha.remove_suffix(1);
        if (Apara(linha).empty()) continue;
        if (auto f = LeFeriadoLocal(linha))
            r.feriados.push_back(std::move(*f));
        else
            r.naoLidas.push_back({numero, std::string(linha)});
    }
    return r;
}

std::string EscreveListaFeriados(const std::vector<FeriadoLocal>& feriados, const std::vector<LinhaNaoLida>& naoLidas) {
    std::string r;
    for (const FeriadoLocal& f : feriados) r += TextoFeriadoLocal(f) + "\n";
    for (const LinhaNaoLida& l : naoLidas) r += l.texto + "\n";
    return r;
}

Calendario::Calendario(std::vector<FeriadoLocal> locais) : locais_(std::move(locais)) {}

const Calendario::Ano& Calendario::DoAno(Data d) const {
    if (ultimo_ < anos_.size()) {
        const Ano& a = anos_[ultimo_];
        if (d >= a.inicio && d - a.inicio < a.dias) return a;
    }
    for (std::size_t i = 0; i < anos_.size(); ++i) {
        const Ano& a = anos_[i];
        if (d >= a.inicio && d - a.inicio < a.dias) {
            ultimo_ = i;
            return a;
        }
    }
    const int ano = AnoDe(d);
    Ano novo{ano, Em(ano, 1, 1), AnoBissexto(ano) ? 366 : 365, {}};
    novo.naoUtil.assign(static_cast<std::size_t>(novo.dias), false);
    for (const Feriado& f : FeriadosDoAno(ano, locais_))
        if (f.data >= novo.inicio && f.data - novo.inicio < novo.dias)
            novo.naoUtil[static_cast<std::size_t>(f.data - novo.inicio)] = true;
    anos_.push_back(std::move(novo));
    ultimo_ = anos_.size() - 1;
    return anos_.back();
}

bool Calendario::DiaUtil(Data d) const {
    const int s = DiaDaSemana(d);
    if (s == 1 || s == 7) return false;
    // Past the calendar's last year (a due date moved beyond 31/12/9999) only
    // the weekend counts.
    if (d < kPrimeiroDia || d > kUltimoDia) return true;
    const Ano& a = DoAno(d);
    return !a.naoUtil[static_cast<std::size_t>(d - a.inicio)];
}

Data Calendario::ProximoDiaUtil(Data d) const {
    for (int i = 0; i < kLimiteBusca; ++i)
        if (DiaUtil(d + i)) return d + i;
    return ForaDoFimDeSemana(d);
}

Data AjustaVencimento(Data vencimento, bool incluiCompensacao, const Calendario* feriados) {
    if (!feriados) return AjustaVencimento(vencimento, incluiCompensacao);
    Data d = feriados->ProximoDiaUtil(vencimento);
    if (incluiCompensacao) d += 2;
    return feriados->ProximoDiaUtil(d);
}

}  // namespace quantivo
