#pragma once
// The journal of saved operations: a database reached through Qt SQL, an
// SQLite file by default (no set-up, no server). Its SQL lives in Diario.cpp
// alone, portable but for one marked SQLite part, so that a firm can put the
// journal on a database server by a change of Conexao, not of code.
//
// Safety: a save is one transaction, committed (on SQLite, in WAL mode with
// full synchronisation, so on the disk) before Salva returns; a process
// killed at any moment loses no operation whose save had returned and leaves
// a journal that opens. A database that cannot be opened, is not a journal,
// is of a newer version or is damaged is reported and never written. Several
// programs may save into one journal at once; each operation gets its own
// number. An older journal is brought to the current version in place, in one
// transaction, when it is opened.
//
// Every failure is an ErroDiario with the reason in Portuguese. A Diario
// belongs to the thread that opened it (a Qt SQL connection does).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "diario/Registros.h"

namespace quantivo::diario {

class ErroDiario : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the journal lives. The default is an SQLite file at `banco`; for a
// server, the Qt SQL driver's name ("QPSQL", ...) and its connection fields.
struct Conexao {
    std::string driver = "QSQLITE";
    std::string banco;  // the file, or the server's database name
    std::string servidor;
    int porta = -1;
    std::string usuario;
    std::string senha;
    std::string opcoes;  // the driver's connect options
};

// The schema version this program writes. Older journals are migrated when
// opened; newer ones are refused.
inline constexpr int kVersaoDiario = 2;

// What the list of saved operations is narrowed to; an empty field narrows
// nothing. Texts are matched ignoring case, accents and repeated blanks.
struct Filtro {
    // Part of the customer's name, or a document in any written form
    // ("123.456.789-09", "12345678909", or a part of its characters).
    std::string cliente;
    // On DataReferencia, both ends included.
    std::optional<Data> de, ate;
    // Part of a cheque's Banco/Número (blanks ignored), or a whole CMC7 line
    // in any written form.
    std::string cheque;
    // At most this many operations (0: all), and whether the newest come first.
    std::size_t limite = 0;
    bool recentesPrimeiro = false;
};

class Diario {
public:
    // Opens the journal, creating it when the file is missing or empty (and
    // the folder that holds it), or migrating an older one.
    explicit Diario(const std::string& arquivo);
    explicit Diario(const Conexao& conexao);
    ~Diario();
    Diario(const Diario&) = delete;
    Diario& operator=(const Diario&) = delete;

    // Saves the operation, giving it the next number and the save time
    // (written into `op`); returns the number once the transaction is
    // committed. The duplicates of its cheques among the operations saved
    // before it, found inside the same transaction, go to `duplicados`.
    std::int64_t Salva(OperacaoSalva& op, std::vector<Duplicado>* duplicados = nullptr);
    // Many operations in one transaction (imports, the benchmark): all or none.
    void SalvaLote(std::vector<OperacaoSalva>& ops);

    // The rows of `cheques` whose cheque is in a saved operation: the same
    // 30 CMC7 digits or, where either has no CMC7, the same Banco/Número
    // (blanks and case ignored; a row's CMC7 gives it one when its cell is
    // empty) and the same face value as an amount. Rows without a value or
    // without either key find nothing. Ordered by row, then operation.
    std::vector<Duplicado> Duplicados(const std::vector<Cheque>& cheques) const;

    // The saved operations the filter lets through, in number order.
    std::vector<Resumo> Lista(const Filtro& filtro) const;
    // Every operation whose DataReferencia lies in [de, ate], in number order.
    std::vector<OperacaoSalva> Periodo(Data de, Data ate) const;
    // One operation, or nothing when the journal has no such number.
    std::optional<OperacaoSalva> Le(std::int64_t numero) const;
    // The customers last saved with, whose name begins with what is typed
    // first, then those whose name or document contains it; newest first.
    std::vector<Cliente> UltimosClientes(std::string_view digitado, std::size_t quantos) const;

    // The database's full check of itself, which reads the whole file (some
    // ten seconds for 100,000 operations): "" when it passes, else the reason.
    // Opening checks the file's header, the schema and, on a journal of up
    // to 32 MB, every page (SQLite's quick check); SQLite checks every page
    // it reads in any case.
    std::string VerificaIntegridade() const;

    const std::string& Nome() const;  // the file or database, as named in messages

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// Whether a row counts as a cheque of the operation: its value reads as an
// amount.
bool TemValor(const Cheque& c);

}  // namespace quantivo::diario
