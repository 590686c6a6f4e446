#include "app/DiarioDoPrograma.h"

#include <memory>

#include "diario/DaOperacao.h"
#include "output/Arquivos.h"
#include "ui/Ativacao.h"
#include "ui/Construcao.h"
#include "ui/Servicos.h"
#include "windows/Calculo.h"
#include "windows/UfrmSalvaOperacao.h"

namespace quantivo {
namespace {

constexpr const char* kMsgCalculeAntes =
    "Calcule a operação (F5) antes de salvá-la: só se salva uma operação cujo cálculo chegou ao fim, com os "
    "valores que estão na tela.";
constexpr const char* kMsgTipoNaoSalvo = "Só se salvam operações de Desconto de Cheque e de Venda por fora.";
constexpr const char* kMsgSemDiario =
    "As operações não podem ser salvas nem procuradas enquanto isso não se resolver; os cálculos continuam.";
constexpr std::size_t kClientesOferecidos = 10;

std::unique_ptr<diario::Diario>& Aberto() {
    static std::unique_ptr<diario::Diario> diario;
    return diario;
}

void Avisa(const std::string& texto, Icone icone = Icone::Aviso) { ServicoMensagens().Mostra(texto, {}, icone); }

// "Cheque 237/0494/001793 já consta da operação nº 7, de 03/12/26, cliente
// Fulano.", one line for each cheque and operation.
std::string TextoDuplicados(const std::vector<diario::Duplicado>& duplicados, const Bancada& b) {
    std::string texto;
    for (const diario::Duplicado& d : duplicados) {
        const std::size_t i = static_cast<std::size_t>(d.linha - 1);
        std::string cheque = i < b.linhas.size() ? b.linhas[i].BancoNumero : std::string();
        if (cheque.empty()) cheque = d.BancoNumero;
        if (cheque.empty()) cheque = "da linha " + std::to_string(d.linha);
        texto += "Cheque " + cheque + " já consta da operação nº " + std::to_string(d.numero) + ", de " +
                 FormataData(d.data) + ", cliente " + d.cliente + ".\n";
    }
    return texto;
}

std::vector<Cliente> UltimosClientes(diario::Diario& d, const QString& digitado) {
    std::vector<Cliente> clientes;
    for (const diario::Cliente& c : d.UltimosClientes(digitado.toStdString(), kClientesOferecidos))
        clientes.push_back({c.nome, c.documento});
    return clientes;
}

}  // namespace

diario::Diario* DiarioDoPrograma() {
    std::unique_ptr<diario::Diario>& aberto = Aberto();
    if (aberto) return aberto.get();
    try {
        aberto = std::make_unique<diario::Diario>(CaminhoDiario().toStdString());
    } catch (const diario::ErroDiario& e) {
        Avisa(std::string(e.what()) + "\n" + kMsgSemDiario, Icone::Erro);
        return nullptr;
    }
    return aberto.get();
}

void FechaDiarioDoPrograma() { Aberto().reset(); }

void SalvaBancada(Tfrm_desconto_cheque& f) {
    if (!f.TemCalculoConcluido()) return Avisa(kMsgCalculeAntes);
    if (!diario::TipoSalvavel(f.TipoSelecionado())) return Avisa(kMsgTipoNaoSalvo);
    diario::Diario* d = DiarioDoPrograma();
    if (!d) return;

    TfrmSalvaOperacao dialogo(f.LeOperacao(), &f);
    dialogo.clientes = [d](const QString& digitado) { return UltimosClientes(*d, digitado); };
    std::int64_t numero = 0;
    Operacao salva;
    dialogo.salva = [&](const Operacao& op) {
        try {
            diario::OperacaoSalva registro;
            try {
                registro = diario::ParaODiario(op, Hoje());
            } catch (const diario::ErroDiario& e) {
                Avisa(std::string("A operação não foi salva: ") + e.what() + ".");
                return false;
            }
            // Said before the save, which the clerk may then give up.
            const std::vector<diario::Duplicado> repetidos = d->Duplicados(registro.cheques);
            if (!repetidos.empty() && !ServicoMensagens().Pergunta(Mensagem{TextoDuplicados(repetidos, op.bancada) +
                                                                                "\nSalvar a operação assim mesmo?",
                                                                            "Cheques já salvos", Icone::Pergunta},
                                                                   false))
                return false;
            numero = d->Salva(registro);
        } catch (const diario::ErroDiario& e) {
            Avisa(e.what(), Icone::Erro);
            return false;
        }
        salva = op;
        return true;
    };
    if (ExecComoDialogoDe(&dialogo, &f) != QDialog::Accepted) return;
    // Committed: now the workbench says so.
    f.MostraOperacao(salva, Desfecho::Concluido);
    f.MarcaSalva(numero);
    f.MostraAviso(QStringLiteral("Operação nº %1 salva").arg(numero));
}

bool ReabreNaBancada(Tfrm_desconto_cheque& f, std::int64_t numero) {
    diario::Diario* d = DiarioDoPrograma();
    if (!d) return false;
    std::optional<diario::OperacaoSalva> salva;
    diario::Reaberta r;
    try {
        salva = d->Le(numero);
        if (!salva) {
            Avisa("O diário não tem a operação nº " + std::to_string(numero) + ".");
            return false;
        }
    } catch (const diario::ErroDiario& e) {
        Avisa(e.what(), Icone::Erro);
        return false;
    }
    try {
        r = diario::Reabre(*salva, Hoje());
    } catch (const diario::ErroDiario& e) {
        Avisa(std::string("Não foi possível reabrir a operação: ") + e.what() + ".", Icone::Erro);
        return false;
    }
    f.MostraOperacao(r.operacao, r.desfecho);
    f.MarcaSalva(numero, !r.diferencas.empty());
    TrazParaOTrabalho(&f);
    if (!r.diferencas.empty()) {
        std::string texto =
            "A operação nº " + std::to_string(numero) + ", recalculada agora, não dá o que foi salvo:\n";
        for (const std::string& linha : r.diferencas) texto += linha + "\n";
        // Why the recalculation stopped, when it did.
        if (r.desfecho != Desfecho::Concluido)
            for (const std::string& m : r.mensagens) texto += m + "\n";
        texto += "A bancada mostra os valores recalculados.";
        Avisa(texto);
    }
    return true;
}

}  // namespace quantivo
