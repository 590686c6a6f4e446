// The journal's SQL, all of it. Portable SQL throughout, but for the part
// marked "SQLite alone" below.
#include "diario/Diario.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <initializer_list>

#include "core/Cmc7.h"
#include "core/Erros.h"
#include "core/Valores.h"
#include "diario/Chaves.h"

namespace quantivo::diario {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QVariant& v) { return v.toString().toStdString(); }

// ---------------------------------------------------------------------------
// The schema. Portable SQL: INTEGER, BIGINT, VARCHAR and TEXT columns and
// plain indexes; no auto-increment, which every server spells its own way:
// the program gives each operation the greatest number plus one inside the
// save's transaction, which holds the journal's write lock. Dates are the
// core's day numbers (0 is 30/12/1899), which compare as integers anywhere.
// A new journal is made as version 1 and brought up by the same steps that
// migrate an old one, so that both end alike.

// Version 1: the customers, the operations, their JSON form and their rows.
// `busca` is the customer's name folded for search (Chaves.h); a cheque's
// `chave` its Banco/Número as compared and `valor_dmil` its face value in
// ten-thousandths (NULL when it is no amount).
const char* const kVersao1[] = {
    "CREATE TABLE diario_info (chave VARCHAR(40) NOT NULL PRIMARY KEY, valor VARCHAR(200) NOT NULL)",
    "CREATE TABLE cliente (id INTEGER NOT NULL PRIMARY KEY, nome VARCHAR(255) NOT NULL,"
    " documento VARCHAR(14) NOT NULL, busca VARCHAR(255) NOT NULL, ultima_operacao INTEGER NOT NULL,"
    " UNIQUE (nome, documento))",
    "CREATE INDEX cliente_ultima ON cliente (ultima_operacao)",
    "CREATE TABLE operacao (numero INTEGER NOT NULL PRIMARY KEY, salva_em VARCHAR(30) NOT NULL,"
    " tipo INTEGER NOT NULL, data_referencia INTEGER NOT NULL, cliente INTEGER NOT NULL REFERENCES cliente (id),"
    " valor_total TEXT NOT NULL, valor_financiado TEXT NOT NULL, tac TEXT NOT NULL, iof TEXT NOT NULL,"
    " juros TEXT NOT NULL, tarifa TEXT NOT NULL, cet TEXT NOT NULL, cheques INTEGER NOT NULL)",
    "CREATE INDEX operacao_data ON operacao (data_referencia)",
    "CREATE INDEX operacao_cliente ON operacao (cliente)",
    "CREATE TABLE operacao_json (numero INTEGER NOT NULL PRIMARY KEY REFERENCES operacao (numero),"
    " json TEXT NOT NULL)",
    "CREATE TABLE cheque (operacao INTEGER NOT NULL REFERENCES operacao (numero), linha INTEGER NOT NULL,"
    " data TEXT NOT NULL, valor TEXT NOT NULL, banco_numero TEXT NOT NULL, emitente TEXT NOT NULL,"
    " dias TEXT NOT NULL, cmc7 VARCHAR(30) NOT NULL, documento VARCHAR(14) NOT NULL, chave VARCHAR(255) NOT NULL,"
    " valor_dmil BIGINT, PRIMARY KEY (operacao, linha))",
    "CREATE INDEX cheque_cmc7 ON cheque (cmc7)",
    "CREATE INDEX cheque_chave ON cheque (chave, valor_dmil)",
};

// Version 2: each operation's cheque keys in one text ("|k1|k2|"), which the
// search for a part of a Banco/Número scans: 100,000 of these scan in a
// fraction of the time of 1.5 million cheque rows.
const char* const kVersao2[] = {
    "CREATE TABLE busca_cheque (operacao INTEGER NOT NULL PRIMARY KEY REFERENCES operacao (numero),"
    " chaves TEXT NOT NULL)",
};

const char* const kTabelas[] = {"diario_info", "cliente", "operacao", "operacao_json", "cheque", "busca_cheque"};

std::optional<Dmil> ValorDmil(const std::string& valor) {
    try {
        return ParaDmil(LeValor(valor));
    } catch (const ErroQuantivo&) {
        return std::nullopt;
    }
}

// The Banco/Número a cheque is compared by: its cell's, or, when that is
// empty, the one its CMC7 line gives.
std::string Chave(const Cheque& c) {
    std::string chave = ChaveBancoNumero(c.BancoNumero);
    if (chave.empty() && !c.CMC7.empty())
        if (const LeituraCmc7 lida = LeCmc7(c.CMC7); lida.Valido()) chave = ChaveBancoNumero(lida.cmc7->BancoNumero());
    return chave;
}

QVariant Nulo() { return QVariant(QMetaType::fromType<qlonglong>()); }
QVariant Dmil_(const std::optional<Dmil>& v) { return v ? QVariant(static_cast<qlonglong>(*v)) : Nulo(); }

enum class Acao { Abrir, Ler, Salvar };

std::string TextoAcao(Acao a) {
    switch (a) {
        case Acao::Abrir:
            return "Não foi possível abrir o diário ";
        case Acao::Ler:
            return "Não foi possível ler o diário ";
        case Acao::Salvar:
            return "Não foi possível salvar a operação no diário ";
    }
    return {};
}

std::atomic<int> conexoes{0};

// The customers whose folded name contains the text or, when it has a digit
// and so may be (part of) a document written any way, whose document does.
std::string CondicaoCliente(std::string_view texto, std::vector<QVariant>& valores) {
    std::string sql = "busca LIKE ? ESCAPE '!'";
    valores.push_back(Q(PadraoContem(DobraTexto(texto))));
    const std::string documento = NormalizaDocumento(texto);
    if (std::any_of(documento.begin(), documento.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        sql = "(" + sql + " OR documento LIKE ? ESCAPE '!')";
        valores.push_back(Q(PadraoContem(documento)));
    }
    return sql;
}

}  // namespace

bool TemValor(const Cheque& c) { return ValorDmil(c.Valor).has_value(); }

struct Diario::Impl {
    Conexao conexao;
    QString nomeConexao;
    std::string nome;
    bool sqlite = true;
    bool seguro = false;
    QSqlDatabase db;

    [[noreturn]] void Falha(Acao a, const std::string& motivo) const {
        throw ErroDiario(TextoAcao(a) + nome + ": " + motivo + ".");
    }
    [[noreturn]] void Falha(Acao a, const QSqlError& e) const { Falha(a, Motivo(e)); }

    // Rows are read forward only on SQLite, which then keeps none of them
    // behind; Qt's PostgreSQL driver then leaves the rows not read on the
    // connection, and loses them when the next statement runs.
    QSqlQuery Consulta() const {
        QSqlQuery q(db);
        q.setForwardOnly(sqlite);
        return q;
    }
    QSqlQuery Prepara(const std::string& sql, Acao a) const {
        QSqlQuery q = Consulta();
        if (!q.prepare(Q(sql))) Falha(a, q.lastError());
        return q;
    }
    void Executa(QSqlQuery& q, Acao a) const {
        if (!q.exec()) Falha(a, q.lastError());
    }
    // A statement without values runs as it is: some servers prepare no DDL.
    QSqlQuery Executa(const std::string& sql, std::initializer_list<QVariant> valores, Acao a) const {
        if (valores.size() == 0) {
            QSqlQuery q = Consulta();
            if (!q.exec(Q(sql))) Falha(a, q.lastError());
            return q;
        }
        QSqlQuery q = Prepara(sql, a);
        for (const QVariant& v : valores) q.addBindValue(v);
        Executa(q, a);
        return q;
    }
    // The next row; a failure while stepping is a failure, not the end.
    bool Proxima(QSqlQuery& q, Acao a) const {
        if (q.next()) return true;
        if (q.lastError().type() != QSqlError::NoError) Falha(a, q.lastError());
        return false;
    }

    void Abre();
    void Conecta(bool soLeitura);
    void RecusaSeMaisNova(int versao) const;
    int Versao() const;
    void Cria();
    void Migra();
    void SobeVersao(int de);
    std::int64_t Insere(const OperacaoSalva& op, const QString& salvaEm);
    std::vector<Duplicado> Duplicados(const std::vector<Cheque>& cheques) const;
    std::optional<OperacaoSalva> Le(std::int64_t numero) const;

    // Marked SQLite parts, below.
    void PreparaArquivo();
    void LeCabecalho();
    void ConfereSePequeno();
    void ModoSeguro();
    void Inicia(Acao a);
    void Confirma(Acao a);
    void Desfaz();
    std::string Motivo(const QSqlError& e) const;
    std::string VerificaIntegridade() const;
    std::string Limite(std::size_t n) const;

    // One transaction: rolled back unless confirmed.
    class Transacao {
    public:
        Transacao(Impl& d, Acao a) : d_(d), a_(a) { d_.Inicia(a_); }
        ~Transacao() {
            if (!feita_) d_.Desfaz();
        }
        Transacao(const Transacao&) = delete;
        Transacao& operator=(const Transacao&) = delete;
        void Confirma() {
            feita_ = true;
            d_.Confirma(a_);
        }

    private:
        Impl& d_;
        Acao a_;
        bool feita_ = false;
    };
};

// ---------------------------------------------------------------------------
// Opening, creating, migrating.

void Diario::Impl::Abre() {
    if (sqlite) PreparaArquivo();
    db = QSqlDatabase::addDatabase(Q(conexao.driver), nomeConexao);
    if (!db.isValid())
        Falha(Acao::Abrir, "falta o driver de banco de dados " + conexao.driver +
                               (sqlite ? " do Qt (pacote libqt6sql6-sqlite)" : " do Qt"));
    db.setDatabaseName(Q(conexao.banco));
    if (!conexao.servidor.empty()) db.setHostName(Q(conexao.servidor));
    if (conexao.porta >= 0) db.setPort(conexao.porta);
    if (!conexao.usuario.empty()) db.setUserName(Q(conexao.usuario));
    if (!conexao.senha.empty()) db.setPassword(Q(conexao.senha));
    // An SQLite file is looked at through a connection that cannot write
    // first: a file refused is left exactly as it was, not even its
    // write-ahead log folded into it.
    const bool olhaAntes = sqlite && QFileInfo(Q(conexao.banco)).size() > 0;
    Conecta(olhaAntes);
    if (sqlite) {
        LeCabecalho();
        ConfereSePequeno();
    }
    // Only an empty database becomes a journal: one that holds other tables
    // belongs to someone else.
    const QStringList tabelas = db.tables();
    const bool vazio = !tabelas.contains("diario_info", Qt::CaseInsensitive);
    if (vazio && !tabelas.isEmpty())
        Falha(Acao::Abrir, "o banco de dados é de outro programa, não um diário de operações do Quantivo");
    if (!vazio) RecusaSeMaisNova(Versao());
    if (olhaAntes) {
        db.close();
        Conecta(false);
    }
    ModoSeguro();
    if (vazio) Cria();
    const int versao = Versao();
    RecusaSeMaisNova(versao);  // another program may have written it meanwhile
    if (versao < kVersaoDiario) Migra();
    const QStringList agora = db.tables();
    for (const char* t : kTabelas)
        if (!agora.contains(t, Qt::CaseInsensitive))
            Falha(Acao::Abrir, std::string("o diário está incompleto (falta a tabela ") + t + ")");
}

void Diario::Impl::Conecta(bool soLeitura) {
    std::string opcoes = conexao.opcoes;
    // A save waits this long for another program's save to end.
    if (sqlite) opcoes += std::string(opcoes.empty() ? "" : ";") + "QSQLITE_BUSY_TIMEOUT=20000";
    if (soLeitura) opcoes += ";QSQLITE_OPEN_READONLY";
    db.setConnectOptions(Q(opcoes));
    if (!db.open()) Falha(Acao::Abrir, db.lastError());
}

void Diario::Impl::RecusaSeMaisNova(int versao) const {
    if (versao > kVersaoDiario)
        Falha(Acao::Abrir, "o diário é da versão " + std::to_string(versao) + ", mais nova que a deste programa (" +
                               std::to_string(kVersaoDiario) + "); abra-o com um Quantivo atualizado");
}

int Diario::Impl::Versao() const {
    QSqlQuery q = Executa("SELECT valor FROM diario_info WHERE chave = 'versao'", {}, Acao::Abrir);
    bool ok = false;
    const int v = Proxima(q, Acao::Abrir) ? q.value(0).toString().toInt(&ok) : 0;
    if (!ok || v < 1) Falha(Acao::Abrir, "o diário não diz de que versão é");
    return v;
}

void Diario::Impl::Cria() {
    Transacao t(*this, Acao::Abrir);
    // Another program may have made it while this one waited for the lock.
    if (!db.tables().isEmpty()) return t.Confirma();
    for (const char* sql : kVersao1) Executa(sql, {}, Acao::Abrir);
    Executa("INSERT INTO diario_info (chave, valor) VALUES ('versao', '1')", {}, Acao::Abrir);
    SobeVersao(1);
    t.Confirma();
}

void Diario::Impl::Migra() {
    Transacao t(*this, Acao::Abrir);
    const int v = Versao();  // another program may have migrated it meanwhile
    if (v < kVersaoDiario) SobeVersao(v);
    t.Confirma();
}

// The steps from version `de` to the current one, inside the caller's
// transaction.
void Diario::Impl::SobeVersao(int de) {
    if (de < 2) {
        for (const char* sql : kVersao2) Executa(sql, {}, Acao::Abrir);
        QSqlQuery cheques = Executa("SELECT operacao, chave FROM cheque ORDER BY operacao, linha", {}, Acao::Abrir);
        QSqlQuery insere = Prepara("INSERT INTO busca_cheque (operacao, chaves) VALUES (?, ?)", Acao::Abrir);
        qlonglong atual = 0;
        QString chaves;
        const auto grava = [&] {
            if (atual == 0) return;
            insere.bindValue(0, atual);
            insere.bindValue(1, chaves + u'|');
            Executa(insere, Acao::Abrir);
        };
        while (Proxima(cheques, Acao::Abrir)) {
            const qlonglong op = cheques.value(0).toLongLong();
            if (op != atual) {
                grava();
                atual = op;
                chaves.clear();
            }
            const QString chave = cheques.value(1).toString();
            if (!chave.isEmpty()) chaves += u'|' + chave;
        }
        grava();
    }
    Executa("UPDATE diario_info SET valor = ? WHERE chave = 'versao'", {QString::number(kVersaoDiario)}, Acao::Abrir);
}

// ---------------------------------------------------------------------------
// Saving.

std::int64_t Diario::Impl::Insere(const OperacaoSalva& op, const QString& salvaEm) {
    QSqlQuery q = Executa("SELECT COALESCE(MAX(numero), 0) + 1 FROM operacao", {}, Acao::Salvar);
    if (!Proxima(q, Acao::Salvar)) Falha(Acao::Salvar, "o número da operação não pôde ser lido");
    const qlonglong numero = q.value(0).toLongLong();
    q.finish();

    // The customer: one row per name and document, which remembers the last
    // operation saved with it.
    qlonglong cliente = 0;
    q = Executa("SELECT id FROM cliente WHERE nome = ? AND documento = ?",
                {Q(op.cliente.nome), Q(op.cliente.documento)}, Acao::Salvar);
    if (Proxima(q, Acao::Salvar)) {
        cliente = q.value(0).toLongLong();
        q.finish();
        Executa("UPDATE cliente SET ultima_operacao = ? WHERE id = ?", {numero, cliente}, Acao::Salvar);
    } else {
        q = Executa("SELECT COALESCE(MAX(id), 0) + 1 FROM cliente", {}, Acao::Salvar);
        if (!Proxima(q, Acao::Salvar)) Falha(Acao::Salvar, "o cliente não pôde ser gravado");
        cliente = q.value(0).toLongLong();
        q.finish();
        Executa("INSERT INTO cliente (id, nome, documento, busca, ultima_operacao) VALUES (?, ?, ?, ?, ?)",
                {cliente, Q(op.cliente.nome), Q(op.cliente.documento), Q(DobraTexto(op.cliente.nome)), numero},
                Acao::Salvar);
    }

    const int cheques = static_cast<int>(std::count_if(op.cheques.begin(), op.cheques.end(), TemValor));
    const Figuras& f = op.figuras;
    Executa(
        "INSERT INTO operacao (numero, salva_em, tipo, data_referencia, cliente, valor_total, valor_financiado,"
        " tac, iof, juros, tarifa, cet, cheques) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {numero, salvaEm, static_cast<int>(op.tipo), op.dataReferencia, cliente, Q(f.ValorTotal), Q(f.ValorFinanciado),
         Q(f.TAC), Q(f.IOF), Q(f.Juros), Q(f.Tarifa), Q(f.CET), cheques},
        Acao::Salvar);
    Executa("INSERT INTO operacao_json (numero, json) VALUES (?, ?)", {numero, Q(op.json)}, Acao::Salvar);

    QSqlQuery linha = Prepara(
        "INSERT INTO cheque (operacao, linha, data, valor, banco_numero, emitente, dias, cmc7, documento, chave,"
        " valor_dmil) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        Acao::Salvar);
    QString chaves;
    for (const Cheque& c : op.cheques) {
        const std::string chave = Chave(c);
        const QVariant valores[] = {
            numero,    c.linha,   Q(c.Data),      Q(c.Valor), Q(c.BancoNumero),         Q(c.Emitente),
            Q(c.Dias), Q(c.CMC7), Q(c.Documento), Q(chave),   Dmil_(ValorDmil(c.Valor))};
        for (int i = 0; i < static_cast<int>(std::size(valores)); ++i)
            linha.bindValue(i, valores[static_cast<std::size_t>(i)]);
        Executa(linha, Acao::Salvar);
        if (!chave.empty()) chaves += u'|' + Q(chave);
    }
    Executa("INSERT INTO busca_cheque (operacao, chaves) VALUES (?, ?)", {numero, chaves + u'|'}, Acao::Salvar);
    return numero;
}

// Each query reads one index of the cheques alone: joined to the operations,
// a planner without statistics may walk every operation instead.
std::vector<Duplicado> Diario::Impl::Duplicados(const std::vector<Cheque>& cheques) const {
    std::vector<Duplicado> achados;
    for (const Cheque& c : cheques) {
        const std::optional<Dmil> valor = ValorDmil(c.Valor);
        if (!valor) continue;
        std::vector<std::pair<std::int64_t, std::string>> iguais;  // operation, its Banco/Número
        if (!c.CMC7.empty()) {
            QSqlQuery q = Executa("SELECT operacao, banco_numero FROM cheque WHERE cmc7 = ?", {Q(c.CMC7)}, Acao::Ler);
            while (Proxima(q, Acao::Ler)) iguais.emplace_back(q.value(0).toLongLong(), S(q.value(1)));
        }
        if (const std::string chave = Chave(c); !chave.empty()) {
            QSqlQuery q = Executa("SELECT operacao, banco_numero, cmc7 FROM cheque WHERE chave = ? AND valor_dmil = ?",
                                  {Q(chave), static_cast<qlonglong>(*valor)}, Acao::Ler);
            while (Proxima(q, Acao::Ler))
                if (c.CMC7.empty() || q.value(2).toString().isEmpty())
                    iguais.emplace_back(q.value(0).toLongLong(), S(q.value(1)));
        }
        std::sort(iguais.begin(), iguais.end());
        for (std::size_t i = 0; i < iguais.size(); ++i) {
            if (i > 0 && iguais[i].first == iguais[i - 1].first) continue;  // the same cheque twice in one operation
            QSqlQuery q = Executa(
                "SELECT o.data_referencia, cl.nome FROM operacao o JOIN cliente cl ON cl.id = o.cliente"
                " WHERE o.numero = ?",
                {static_cast<qlonglong>(iguais[i].first)}, Acao::Ler);
            if (!Proxima(q, Acao::Ler)) continue;
            achados.push_back(
                {c.linha, iguais[i].first, static_cast<Data>(q.value(0).toInt()), S(q.value(1)), iguais[i].second});
        }
    }
    return achados;
}

// ---------------------------------------------------------------------------
// Reading.

std::optional<OperacaoSalva> Diario::Impl::Le(std::int64_t numero) const {
    QSqlQuery q = Executa(
        "SELECT o.salva_em, o.tipo, o.data_referencia, cl.nome, cl.documento, j.json, o.valor_total,"
        " o.valor_financiado, o.tac, o.iof, o.juros, o.tarifa, o.cet FROM operacao o"
        " JOIN cliente cl ON cl.id = o.cliente JOIN operacao_json j ON j.numero = o.numero WHERE o.numero = ?",
        {static_cast<qlonglong>(numero)}, Acao::Ler);
    if (!Proxima(q, Acao::Ler)) return std::nullopt;
    OperacaoSalva op;
    op.numero = numero;
    op.salvaEm = S(q.value(0));
    op.tipo = static_cast<TipoCalculo>(q.value(1).toInt());
    op.dataReferencia = static_cast<Data>(q.value(2).toInt());
    op.cliente = {S(q.value(3)), S(q.value(4))};
    op.json = S(q.value(5));
    op.figuras = {S(q.value(6)),  S(q.value(7)),  S(q.value(8)), S(q.value(9)),
                  S(q.value(10)), S(q.value(11)), S(q.value(12))};
    q.finish();
    q = Executa(
        "SELECT linha, data, valor, banco_numero, emitente, dias, cmc7, documento FROM cheque WHERE operacao = ?"
        " ORDER BY linha",
        {static_cast<qlonglong>(numero)}, Acao::Ler);
    while (Proxima(q, Acao::Ler)) {
        op.cheques.push_back({q.value(0).toInt(), S(q.value(1)), S(q.value(2)), S(q.value(3)), S(q.value(4)),
                              S(q.value(5)), S(q.value(6)), S(q.value(7))});
    }
    return op;
}

// ---------------------------------------------------------------------------
// SQLite alone. Everything from here to the end of this part is SQLite's own:
// its file, its error codes, its PRAGMAs (write-ahead log, full
// synchronisation, the integrity check) and BEGIN IMMEDIATE, which takes the
// write lock when a save begins, so that two programs saving at once queue
// for it instead of one failing on a stale read. Another database takes the
// portable branches.

void Diario::Impl::PreparaArquivo() {
    const QFileInfo arquivo(Q(conexao.banco));
    if (conexao.banco.empty()) Falha(Acao::Abrir, "nenhum arquivo foi indicado");
    if (arquivo.isDir()) Falha(Acao::Abrir, MotivoSistema(EISDIR));
    if (!arquivo.exists()) {
        const QString pasta = arquivo.absolutePath();
        if (!QDir().mkpath(pasta)) Falha(Acao::Abrir, "a pasta " + pasta.toStdString() + " não pôde ser criada");
    } else if (!arquivo.isReadable()) {
        Falha(Acao::Abrir, MotivoSistema(EACCES));
    }
}

// SQLite reads the file only at the first statement: this one makes a file
// that is not a database, or is damaged at its start, fail here.
void Diario::Impl::LeCabecalho() { Executa("PRAGMA schema_version", {}, Acao::Abrir); }

// SQLite checks every page it reads, so damage in what a search or a save
// touches is reported as it is met. A check of the whole file is too slow for
// every opening of a large journal (for 100,000 operations, 550 MB: the full
// check some five seconds, the quick one half a second): a small journal (up
// to 32 MB, some 6,000 operations) gets the quick check, which reads every
// page but leaves out the indexes' agreement with the tables, at every
// opening; any journal gets the full check on demand (VerificaIntegridade).
void Diario::Impl::ConfereSePequeno() {
    constexpr qint64 kPequeno = 32 << 20;
    const QString arquivo = Q(conexao.banco);
    if (QFileInfo(arquivo).size() + QFileInfo(arquivo + "-wal").size() > kPequeno) return;
    QSqlQuery q = Executa("PRAGMA quick_check", {}, Acao::Abrir);
    if (Proxima(q, Acao::Abrir) && q.value(0).toString() != "ok")
        Falha(Acao::Abrir, "o arquivo está danificado (" + S(q.value(0)) + ")");
}

// Committed means on the disk: the write-ahead log, synchronised at every
// commit, keeps every committed save through a crash or a kill, and lets
// readers go on while another program saves.
void Diario::Impl::ModoSeguro() {
    if (!sqlite || seguro) return;
    QSqlQuery q = Executa("PRAGMA journal_mode = WAL", {}, Acao::Abrir);
    q.finish();
    Executa("PRAGMA synchronous = FULL", {}, Acao::Abrir);
    seguro = true;
}

void Diario::Impl::Inicia(Acao a) {
    if (sqlite) {
        Executa("BEGIN IMMEDIATE", {}, a);
        return;
    }
    if (!db.transaction()) Falha(a, db.lastError());
    // Elsewhere, a save writes the version row first, which holds that row's
    // lock until the commit: two saves take their numbers one after the other.
    if (a == Acao::Salvar) Executa("UPDATE diario_info SET valor = valor WHERE chave = 'versao'", {}, a);
}

void Diario::Impl::Confirma(Acao a) {
    QSqlQuery commit(db);
    if (sqlite ? commit.exec("COMMIT") : db.commit()) return;
    const QSqlError erro = sqlite ? commit.lastError() : db.lastError();
    Desfaz();
    Falha(a, erro);
}

void Diario::Impl::Desfaz() {
    if (sqlite) {
        QSqlQuery(db).exec("ROLLBACK");
    } else {
        db.rollback();
    }
}

std::string Diario::Impl::Motivo(const QSqlError& e) const {
    bool ok = false;
    const int codigo = e.nativeErrorCode().toInt(&ok) & 0xff;  // the primary code of an extended one
    if (sqlite && ok) {
        switch (codigo) {
            case 5:  // SQLITE_BUSY
            case 6:  // SQLITE_LOCKED
                return "o diário está em uso por outro programa, que não o liberou a tempo";
            case 7:  // SQLITE_NOMEM
                return "falta memória";
            case 8:  // SQLITE_READONLY
                return "o arquivo só permite leitura";
            case 10:  // SQLITE_IOERR
                return MotivoSistema(EIO);
            case 11:  // SQLITE_CORRUPT
                return "o arquivo está danificado";
            case 13:  // SQLITE_FULL
                return MotivoSistema(ENOSPC);
            case 14:  // SQLITE_CANTOPEN
                return "o arquivo não pôde ser aberto";
            case 23:  // SQLITE_AUTH
                return MotivoSistema(EACCES);
            case 26:  // SQLITE_NOTADB
                return "o arquivo não é um diário de operações (não é um banco de dados SQLite)";
            default:
                break;
        }
    }
    return "erro do banco de dados (" + e.text().toStdString() + ")";
}

std::string Diario::Impl::VerificaIntegridade() const {
    if (!sqlite) return {};  // a database server checks itself
    QSqlQuery q = Executa("PRAGMA integrity_check", {}, Acao::Ler);
    std::string problemas;
    while (Proxima(q, Acao::Ler)) {
        const std::string linha = S(q.value(0));
        if (linha == "ok") continue;
        if (!problemas.empty()) problemas += "; ";
        problemas += linha;
    }
    return problemas.empty() ? std::string() : "o diário está danificado: " + problemas;
}

// The few rows wanted of a long sorted list, said to the database: SQLite
// then keeps the first ones as it goes instead of sorting them all (for the
// newest 200 of 40,000 operations, 6 ms instead of 30). Elsewhere the program
// stops reading after them.
std::string Diario::Impl::Limite(std::size_t n) const {
    return sqlite && n > 0 ? " LIMIT " + std::to_string(n) : std::string();
}

// End of the SQLite part.
// ---------------------------------------------------------------------------

namespace {
Conexao ArquivoSqlite(const std::string& arquivo) {
    Conexao c;
    c.banco = arquivo;
    return c;
}
}  // namespace

Diario::Diario(const std::string& arquivo) : Diario(ArquivoSqlite(arquivo)) {}

Diario::Diario(const Conexao& conexao) : d_(std::make_unique<Impl>()) {
    d_->conexao = conexao;
    d_->sqlite = conexao.driver == "QSQLITE";
    d_->nome = conexao.banco;
    d_->nomeConexao = QStringLiteral("quantivo-diario-%1").arg(++conexoes);
    try {
        d_->Abre();
    } catch (...) {
        d_->db.close();
        d_->db = QSqlDatabase();
        QSqlDatabase::removeDatabase(d_->nomeConexao);
        throw;
    }
}

Diario::~Diario() {
    d_->db.close();
    d_->db = QSqlDatabase();
    QSqlDatabase::removeDatabase(d_->nomeConexao);
}

const std::string& Diario::Nome() const { return d_->nome; }

std::int64_t Diario::Salva(OperacaoSalva& op, std::vector<Duplicado>* duplicados) {
    const QString agora = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    Impl::Transacao t(*d_, Acao::Salvar);
    std::vector<Duplicado> achados = duplicados ? d_->Duplicados(op.cheques) : std::vector<Duplicado>{};
    const std::int64_t numero = d_->Insere(op, agora);
    t.Confirma();
    op.numero = numero;
    op.salvaEm = agora.toStdString();
    if (duplicados) *duplicados = std::move(achados);
    return numero;
}

void Diario::SalvaLote(std::vector<OperacaoSalva>& ops) {
    const QString agora = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    Impl::Transacao t(*d_, Acao::Salvar);
    std::vector<std::int64_t> numeros;
    numeros.reserve(ops.size());
    for (const OperacaoSalva& op : ops) numeros.push_back(d_->Insere(op, agora));
    t.Confirma();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        ops[i].numero = numeros[i];
        ops[i].salvaEm = agora.toStdString();
    }
}

std::vector<Duplicado> Diario::Duplicados(const std::vector<Cheque>& cheques) const { return d_->Duplicados(cheques); }

std::vector<Resumo> Diario::Lista(const Filtro& f) const {
    std::string sql =
        "SELECT o.numero, o.salva_em, o.tipo, o.data_referencia, cl.nome, cl.documento, o.valor_total,"
        " o.valor_financiado, o.cheques FROM operacao o JOIN cliente cl ON cl.id = o.cliente WHERE 1 = 1";
    std::vector<QVariant> valores;
    if (!DobraTexto(f.cliente).empty()) {
        sql += " AND o.cliente IN (SELECT id FROM cliente WHERE " + CondicaoCliente(f.cliente, valores) + ")";
    }
    if (f.de) {
        sql += " AND o.data_referencia >= ?";
        valores.push_back(*f.de);
    }
    if (f.ate) {
        sql += " AND o.data_referencia <= ?";
        valores.push_back(*f.ate);
    }
    if (const LeituraCmc7 lida = LeCmc7(f.cheque); lida.Valido()) {
        // A whole magnetic line: its cheque, read by a reader or typed by hand.
        sql += " AND o.numero IN (SELECT operacao FROM cheque WHERE cmc7 = ? OR chave = ?)";
        valores.push_back(Q(lida.cmc7->digitos));
        valores.push_back(Q(ChaveBancoNumero(lida.cmc7->BancoNumero())));
    } else if (const std::string chave = ChaveBancoNumero(f.cheque); !chave.empty()) {
        sql += " AND o.numero IN (SELECT operacao FROM busca_cheque WHERE chaves LIKE ? ESCAPE '!')";
        valores.push_back(Q(PadraoContem(chave)));
    }
    sql += f.recentesPrimeiro ? " ORDER BY o.numero DESC" : " ORDER BY o.numero";
    sql += d_->Limite(f.limite);

    QSqlQuery q = d_->Prepara(sql, Acao::Ler);
    for (const QVariant& v : valores) q.addBindValue(v);
    d_->Executa(q, Acao::Ler);
    std::vector<Resumo> lista;
    while ((f.limite == 0 || lista.size() < f.limite) && d_->Proxima(q, Acao::Ler)) {
        lista.push_back({q.value(0).toLongLong(), S(q.value(1)), static_cast<TipoCalculo>(q.value(2).toInt()),
                         static_cast<Data>(q.value(3).toInt()), Cliente{S(q.value(4)), S(q.value(5))}, S(q.value(6)),
                         S(q.value(7)), q.value(8).toInt()});
    }
    return lista;
}

std::vector<OperacaoSalva> Diario::Periodo(Data de, Data ate) const {
    QSqlQuery q =
        d_->Executa("SELECT numero FROM operacao WHERE data_referencia >= ? AND data_referencia <= ? ORDER BY numero",
                    {de, ate}, Acao::Ler);
    std::vector<std::int64_t> numeros;
    while (d_->Proxima(q, Acao::Ler)) numeros.push_back(q.value(0).toLongLong());
    q.finish();
    std::vector<OperacaoSalva> ops;
    for (std::int64_t n : numeros)
        if (auto op = d_->Le(n)) ops.push_back(std::move(*op));
    return ops;
}

std::optional<OperacaoSalva> Diario::Le(std::int64_t numero) const { return d_->Le(numero); }

std::vector<Cliente> Diario::UltimosClientes(std::string_view digitado, std::size_t quantos) const {
    std::string sql = "SELECT nome, documento FROM cliente";
    std::vector<QVariant> valores;
    if (const std::string texto = DobraTexto(digitado); !texto.empty()) {
        sql += " WHERE " + CondicaoCliente(digitado, valores) +
               " ORDER BY CASE WHEN busca LIKE ? ESCAPE '!' THEN 0 ELSE 1 END, ultima_operacao DESC";
        valores.push_back(Q(PadraoComeca(texto)));
    } else {
        sql += " ORDER BY ultima_operacao DESC";
    }
    QSqlQuery q = d_->Prepara(sql, Acao::Ler);
    for (const QVariant& v : valores) q.addBindValue(v);
    d_->Executa(q, Acao::Ler);
    std::vector<Cliente> clientes;
    while (clientes.size() < quantos && d_->Proxima(q, Acao::Ler)) clientes.push_back({S(q.value(0)), S(q.value(1))});
    return clientes;
}

std::string Diario::VerificaIntegridade() const { return d_->VerificaIntegridade(); }

}  // namespace quantivo::diario
