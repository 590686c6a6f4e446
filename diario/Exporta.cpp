#include "diario/Exporta.h"

#include <locale.h>
#include <xlsxwriter.h>

#include <QFile>
#include <QLibrary>
#include <QTemporaryDir>
#include <charconv>
#include <clocale>
#include <type_traits>

#include "core/Erros.h"
#include "core/Operacao.h"
#include "core/Valores.h"
#include "diario/Chaves.h"
#include "diario/Diario.h"
#include "output/ArquivoSeguro.h"

namespace quantivo::diario {
namespace {

// A table of texts and numbers, the same for both formats: a cell is a text,
// or an amount, or a whole number (the day count).
struct Celula {
    enum Tipo { Texto, Valor, Inteiro } tipo = Texto;
    std::string texto;    // as the CSV writes it
    double numero = 0;    // for the XLSX
    bool titulo = false;  // a column's title, in bold in the XLSX
};
using Linha = std::vector<Celula>;

Celula Texto(std::string t) { return {Celula::Texto, std::move(t), 0, false}; }
Celula Titulo(std::string t) { return {Celula::Texto, std::move(t), 0, true}; }

// An amount to the cent, as "2500,50" and as the number it reads.
Celula Valor(const std::string& valor) {
    const std::string t = FormataMascara(LeValor(valor), "0.00");
    std::string ponto = t;
    for (char& c : ponto)
        if (c == ',') c = '.';
    double v = 0;
    std::from_chars(ponto.data(), ponto.data() + ponto.size(), v);
    return {Celula::Valor, t, v, false};
}

Celula Dias(const std::string& dias) {
    long long n = 0;
    const auto r = std::from_chars(dias.data(), dias.data() + dias.size(), n);
    if (dias.empty() || r.ec != std::errc() || r.ptr != dias.data() + dias.size()) return Texto(dias);
    return {Celula::Inteiro, dias, static_cast<double>(n), false};
}

void TabelaDaOperacao(const OperacaoSalva& op, std::vector<Linha>& tabela) {
    tabela.push_back({Titulo("Data"), Titulo("Dias"), Titulo("Valor"), Titulo("Banco/Número"), Titulo("Emitente"),
                      Titulo("Documento"), Titulo("CMC7")});
    for (const Cheque& c : op.cheques) {
        if (!TemValor(c)) continue;
        tabela.push_back({Texto(c.Data), Dias(c.Dias), Valor(c.Valor), Texto(c.BancoNumero), Texto(c.Emitente),
                          Texto(DocumentoFormatado(c.Documento)), Texto(c.CMC7)});
    }
    const Figuras& f = op.figuras;
    tabela.push_back({Texto("Valor total"), Texto(f.ValorTotal)});
    tabela.push_back({Texto("TAC"), Texto(f.TAC)});
    tabela.push_back({Texto("IOF"), Texto(f.IOF)});
    tabela.push_back({Texto("Juros"), Texto(f.Juros)});
    tabela.push_back({Texto("Tarifa"), Texto(f.Tarifa)});
    tabela.push_back({Texto("Líquido"), Texto(f.ValorFinanciado)});
    tabela.push_back({Texto("CET"), Texto(f.CET)});
}

std::vector<Linha> TabelaDoPeriodo(const std::vector<OperacaoSalva>& ops) {
    std::vector<Linha> tabela;
    for (const OperacaoSalva& op : ops) {
        if (!tabela.empty()) tabela.emplace_back();
        const TipoOperacao* tipo = DescricaoDoTipo(op.tipo);
        tabela.push_back({Texto("Operação"), Texto(std::to_string(op.numero)), Texto("Data"),
                          Texto(FormataDataLonga(op.dataReferencia)), Texto("Cliente"), Texto(op.cliente.nome),
                          Texto("Documento"), Texto(DocumentoFormatado(op.cliente.documento)), Texto("Tipo"),
                          Texto(tipo ? tipo->legenda : "")});
        TabelaDaOperacao(op, tabela);
    }
    return tabela;
}

// A field as CSV readers expect it: quoted when it holds the separator, a
// quote or a line break, its quotes doubled.
void CampoCsv(const std::string& t, std::string& out) {
    if (t.find_first_of(";\"\r\n") == std::string::npos) {
        out += t;
        return;
    }
    out += '"';
    for (char c : t) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string Csv(const std::vector<Linha>& tabela) {
    std::string out = "\xEF\xBB\xBF";
    for (const Linha& l : tabela) {
        for (std::size_t i = 0; i < l.size(); ++i) {
            if (i) out += ';';
            CampoCsv(l[i].texto, out);
        }
        out += "\r\n";
    }
    return out;
}

[[noreturn]] void FalhaGravacao(const std::string& caminho, const std::string& motivo) {
    throw ErroDiario("Não foi possível gravar o arquivo " + caminho + ": " + motivo + ".");
}

const char* MotivoXlsx(lxw_error e) {
    switch (e) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return "falta memória";
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_CREATING_XLSX_FILE:
            return "o arquivo temporário não pôde ser criado";
        default:
            return "a planilha não pôde ser montada";
    }
}

// libxlsxwriter prints its numbers with the C library, which follows the
// process locale: under the clerk's (pt_BR, which the desktop program takes),
// 2500.5 would go into the file as "2500,5", which no spreadsheet reads. The
// thread writing a workbook uses the C locale's numbers meanwhile.
class NumerosEmC {
public:
#ifdef _WIN32
    NumerosEmC() : antes_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
        const char* l = std::setlocale(LC_NUMERIC, nullptr);
        local_ = l ? l : "C";
        std::setlocale(LC_NUMERIC, "C");
    }
    ~NumerosEmC() {
        std::setlocale(LC_NUMERIC, local_.c_str());
        _configthreadlocale(antes_);
    }

private:
    int antes_;
    std::string local_;
#else
    NumerosEmC() : c_(newlocale(LC_NUMERIC_MASK, "C", locale_t{})), antes_(c_ ? uselocale(c_) : locale_t{}) {}
    ~NumerosEmC() {
        if (!c_) return;
        uselocale(antes_);
        freelocale(c_);
    }

private:
    locale_t c_;
    locale_t antes_;
#endif
public:
    NumerosEmC(const NumerosEmC&) = delete;
    NumerosEmC& operator=(const NumerosEmC&) = delete;
};

// libxlsxwriter, loaded at the first spreadsheet written, not with the
// program: it brings OpenSSL's libcrypto and minizip, whose loading alone
// made the desktop program's start 2 ms of CPU (some 4 %) slower, for an
// export the clerk seldom makes. Its functions by their own names and types.
struct Xlsxwriter {
    decltype(&::workbook_new) workbook_new = nullptr;
    decltype(&::workbook_add_worksheet) workbook_add_worksheet = nullptr;
    decltype(&::workbook_add_format) workbook_add_format = nullptr;
    decltype(&::format_set_bold) format_set_bold = nullptr;
    decltype(&::format_set_num_format) format_set_num_format = nullptr;
    decltype(&::worksheet_set_column) worksheet_set_column = nullptr;
    decltype(&::worksheet_write_string) worksheet_write_string = nullptr;
    decltype(&::worksheet_write_number) worksheet_write_number = nullptr;
    decltype(&::workbook_close) workbook_close = nullptr;
    bool carregada = false;
    std::string motivo;  // why it could not be loaded
};

const Xlsxwriter& CarregaXlsxwriter() {
    static const Xlsxwriter x = [] {
        Xlsxwriter b;
        QLibrary biblioteca(QStringLiteral(QUANTIVO_XLSXWRITER));
        if (!biblioteca.load()) {
            b.motivo = "falta a biblioteca " QUANTIVO_XLSXWRITER " (" + biblioteca.errorString().toStdString() + ")";
            return b;
        }
        bool todas = true;
        const auto resolve = [&](auto& f, const char* nome) {
            f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(biblioteca.resolve(nome));
            todas = todas && f;
        };
        resolve(b.workbook_new, "workbook_new");
        resolve(b.workbook_add_worksheet, "workbook_add_worksheet");
        resolve(b.workbook_add_format, "workbook_add_format");
        resolve(b.format_set_bold, "format_set_bold");
        resolve(b.format_set_num_format, "format_set_num_format");
        resolve(b.worksheet_set_column, "worksheet_set_column");
        resolve(b.worksheet_write_string, "worksheet_write_string");
        resolve(b.worksheet_write_number, "worksheet_write_number");
        resolve(b.workbook_close, "workbook_close");
        b.carregada = todas;
        if (!todas) b.motivo = "a biblioteca " QUANTIVO_XLSXWRITER " não é a esperada";
        return b;
    }();
    return x;
}

std::string Xlsx(const std::vector<Linha>& tabela, const std::string& folha, const std::string& caminho) {
    const Xlsxwriter& x = CarregaXlsxwriter();
    if (!x.carregada) FalhaGravacao(caminho, x.motivo);
    const NumerosEmC numeros;
    // The library writes to a file of its own naming: a private folder, then
    // the bytes go to the path as every file the program writes does.
    QTemporaryDir pasta;
    if (!pasta.isValid()) FalhaGravacao(caminho, "a pasta temporária não pôde ser criada");
    const std::string temporario = pasta.filePath("exporta.xlsx").toStdString();
    lxw_workbook* livro = x.workbook_new(temporario.c_str());
    if (!livro) FalhaGravacao(caminho, "a planilha não pôde ser criada");
    lxw_worksheet* planilha = x.workbook_add_worksheet(livro, folha.c_str());
    lxw_format* negrito = x.workbook_add_format(livro);
    x.format_set_bold(negrito);
    lxw_format* dinheiro = x.workbook_add_format(livro);
    x.format_set_num_format(dinheiro, "0.00");
    lxw_format* inteiro = x.workbook_add_format(livro);
    x.format_set_num_format(inteiro, "0");
    x.worksheet_set_column(planilha, 0, 0, 14, nullptr);
    x.worksheet_set_column(planilha, 1, 2, 12, nullptr);
    x.worksheet_set_column(planilha, 3, 6, 24, nullptr);
    for (std::size_t r = 0; r < tabela.size(); ++r) {
        const Linha& l = tabela[r];
        for (std::size_t c = 0; c < l.size(); ++c) {
            const Celula& cel = l[c];
            const auto lin = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(c);
            if (cel.tipo == Celula::Texto) {
                if (!cel.texto.empty())
                    x.worksheet_write_string(planilha, lin, col, cel.texto.c_str(), cel.titulo ? negrito : nullptr);
            } else {
                x.worksheet_write_number(planilha, lin, col, cel.numero,
                                         cel.tipo == Celula::Valor ? dinheiro : inteiro);
            }
        }
    }
    const lxw_error e = x.workbook_close(livro);
    if (e != LXW_NO_ERROR) FalhaGravacao(caminho, MotivoXlsx(e));
    QFile arquivo(QString::fromStdString(temporario));
    if (!arquivo.open(QIODevice::ReadOnly)) FalhaGravacao(caminho, "a planilha temporária não pôde ser lida");
    return arquivo.readAll().toStdString();
}

void Grava(const std::string& caminho, const std::string& bytes) {
    std::string motivo;
    if (!GravaSubstituindo(caminho, bytes, motivo)) FalhaGravacao(caminho, motivo);
}

}  // namespace

std::string TextoCsv(const OperacaoSalva& op) {
    std::vector<Linha> tabela;
    TabelaDaOperacao(op, tabela);
    return Csv(tabela);
}

std::string TextoCsvPeriodo(const std::vector<OperacaoSalva>& ops) { return Csv(TabelaDoPeriodo(ops)); }

void Exporta(const OperacaoSalva& op, Formato formato, const std::string& caminho) {
    std::vector<Linha> tabela;
    TabelaDaOperacao(op, tabela);
    Grava(caminho,
          formato == Formato::Csv ? Csv(tabela) : Xlsx(tabela, "Operação " + std::to_string(op.numero), caminho));
}

void ExportaPeriodo(const std::vector<OperacaoSalva>& ops, Formato formato, const std::string& caminho) {
    const std::vector<Linha> tabela = TabelaDoPeriodo(ops);
    Grava(caminho, formato == Formato::Csv ? Csv(tabela) : Xlsx(tabela, "Operações", caminho));
}

}  // namespace quantivo::diario
