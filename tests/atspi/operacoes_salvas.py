#!/usr/bin/python3
"""A kept operation from outside, at a typist's speed: the worked example
typed through the cheque-discount entry window, saved with Ctrl+S and its
customer; the program closed and started again; the operation found in the
"Operações" window by a cheque's number and reopened with Enter: the same
rows, totals and CET in the workbench, whose title names the operation.

    dbus-run-session -- /usr/bin/python3 tests/atspi/operacoes_salvas.py build/quantivo [LOCALE]

(tests/atspi/run.sh runs it.) Exits non-zero at the first difference.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (BANCADA, ENTER, MENU, roteiro, BOTAO, CAMPO, GRADE, ROTULO, Falha, celula, descricao, espera_igual,  # noqa: E402
                   texto)

SALVA = "QUANTIVO - Operação nº 1"

# The worked example's rows as the workbench shows them after F5.
LINHAS = [["31/12/07", "1000", "001/123456", "Maria da Silva", "5"],
          ["26/01/08", "500", "237/004411", "José Souza", "33"],
          ["15/02/08", "2500,50", "104/778899", "Comercial Ltda", "52"]]
TOTAIS = [("Tarifa=", "Tarifa= 6,00"), ("TAC =", "TAC   = 80,01"), ("IOF =", "IOF   = 4,92"),
          ("Juros =", "Juros = 151,53")]


def confere_bancada(s, b, quando):
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    for r, linha in enumerate(LINHAS):
        for c, esperado in enumerate(linha):
            espera_igual(lambda: celula(grade, r, c).name or "", esperado, "%s: row %d, column %d" % (quando, r + 1, c + 1))
    espera_igual(lambda: texto(s.acha("Valor Total", raiz=b, papeis=CAMPO)), "4.000,50", quando + ": Valor Total")
    espera_igual(lambda: texto(s.acha("Valor Financiado", raiz=b, papeis=CAMPO)), "3.758,04", quando + ": net value")
    for inicio, esperado in TOTAIS:
        espera_igual(lambda: s.acha(inicio, raiz=b, papeis=ROTULO, comeco=True).name, esperado, quando + ": " + inicio)
    cet = s.acha("CET", raiz=b, papeis=ROTULO)
    alvo = "CET: 83,65% a.a. (5,20% a.m.)"
    espera_igual(lambda: descricao(cet)[:len(alvo)], alvo, quando + ": CET")


def salva(s, menu):
    """Main menu -> "Desconto de Cheque" -> the example with banks and
    drawers -> F5 -> Ctrl+S -> customer and CNPJ -> Ctrl+S."""
    s.clica(s.acha("Desconto de Cheque", raiz=menu, papeis=BOTAO))
    s.espera_ativa("Desconto de Cheques")
    partes = ["281207", ENTER, "3", ENTER, "2", ENTER, "0,0041", ENTER, ENTER, "2", ENTER]
    for i, (data, valor, banco, emitente, _) in enumerate(LINHAS):
        partes += [data.replace("/", ""), ENTER, valor, ENTER, banco, ENTER, emitente]
        partes += [ENTER] if i < len(LINHAS) - 1 else []
    s.digita(*partes, "<F5>")
    b = s.espera_ativa(BANCADA)
    confere_bancada(s, b, "calculated")
    s.digita("<ctrl+s>")
    s.espera_ativa("Salvar operação")
    s.digita("Maria Cliente", ENTER, "11222333000181", "<ctrl+s>")
    b = s.espera_ativa(SALVA)
    print("saved: the workbench titled %r" % SALVA)


def reabre(s):
    """Main menu -> "Operações" -> the cheque's number -> Enter (searched,
    on to the list) -> Enter (reopened)."""
    menu = s.janela(MENU)
    s.clica(s.acha("Operações", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Operações")
    s.escreve(s.acha("Cheque (número ou CMC7)", raiz=j, papeis=CAMPO), "004411")
    s.digita(ENTER)
    lista = s.acha("Operações salvas", raiz=j, papeis=GRADE)
    espera_igual(lambda: lista.queryTable().nRows, 1, "operations found by the cheque's number")
    espera_igual(lambda: celula(lista, 0, 2).name, "Maria Cliente", "the customer found")
    espera_igual(lambda: celula(lista, 0, 3).name, "11.222.333/0001-81", "the customer's CNPJ")
    s.digita(ENTER)
    b = s.espera_ativa(SALVA)
    confere_bancada(s, b, "reopened")
    print("reopened after a restart, found by the cheque 004411: the same rows, totals and CET")


def main(argv):
    def passos(s, menu):
        salva(s, menu)
        s.pressiona(s.acha("Sair", raiz=menu, papeis=BOTAO))
        if not s.terminou():
            raise Falha("the program did not end with \"Sair\"")
        s.inicia_de_novo()
        reabre(s)

    return roteiro(argv, passos, 'the operation saved, found and reopened')


if __name__ == "__main__":
    sys.exit(main(sys.argv))
