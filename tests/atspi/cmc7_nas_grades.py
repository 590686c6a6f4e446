#!/usr/bin/python3
"""Cheques read by their magnetic line (CMC7) into the grids, checked from
outside: a reader's line ("<" first, its separators, with or without its
Enter) typed by xdotool at a reader's speed (a key every millisecond) and at a
typist's, wherever the grid's cursor stands (a date cell, a date being typed,
a value cell); read back are the cell ("237/0494/001793"), the row (the date
and value typed next land in it: nothing of the burst was lost, the Enter
skipped no cell), the bank in the row's description and the status bar, and
the boxes for the same cheque twice and for a refused line. "Venda certa",
whose grid holds dates only, keeps its date cell clean. Exits non-zero at the
first difference.

    bash tests/atspi/run.sh            # every check, building first
    dbus-run-session -- /usr/bin/python3 tests/atspi/cmc7_nas_grades.py build/quantivo [pt_BR.UTF-8]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (BANCADA, ATENCAO, ENTER, roteiro, BOTAO, GRADE, ROTULO, Falha, celula, descricao, espera_igual,  # noqa: E402
                   xdotool)

LEITOR_MS = 1  # a reader: 35 keys in some 50 ms


def dv(digitos):
    """The mod-10 check digit of the magnetic line's fields."""
    soma, dobra = 0, True
    for c in reversed(digitos):
        p = int(c) * (2 if dobra else 1)
        soma += p // 10 + p % 10
        dobra = not dobra
    return (10 - soma % 10) % 10


def linha_cmc7(banco, agencia, cheque, conta, camara="018", tipificacao="5"):
    """A valid line as a reader sends it."""
    campo2 = camara + cheque + tipificacao
    return "<%s%s%d<%s>%d%s%d:" % (banco, agencia, dv(campo2), campo2, dv(banco + agencia), conta, dv(conta))


CHEQUE_A = "<23704948<0180017935>377506100112:"
CHEQUE_B = linha_cmc7("341", "1234", "000042", "0001234567")
CHEQUE_C = linha_cmc7("001", "3210", "850001", "0000098765")
# Cheque A with one digit of its second field changed.
RECUSADO = CHEQUE_A.replace("0180017935", "0180017936")
assert CHEQUE_A == linha_cmc7("237", "0494", "001793", "7750610011")


def le_cheque(linha, enter=True, atraso=LEITOR_MS):
    """The reader "types" the line, and its Enter a moment after (xdotool's
    own start)."""
    xdotool("type", "--delay", str(atraso), linha)
    if enter:
        xdotool("key", "--delay", str(atraso), "Return")


def responde(s, *diz):
    """A box "Atenção" comes up saying each of `diz`; Enter answers it."""
    _, fala = s.caixa(ATENCAO)
    for d in diz:
        if d not in fala:
            raise Falha("the box says %r, not %r" % (fala, d))
    s.digita(ENTER)
    if not s.fechou(ATENCAO):
        raise Falha("Enter did not answer the box %r" % fala)


def confere_celulas(grade, esperadas):
    for (linha, coluna), esperado in esperadas.items():
        espera_igual(lambda: celula(grade, linha, coluna).name or "", esperado,
                     "cell %d,%d" % (linha + 1, coluna + 1))


def confere_banco(s, janela, grade, linha, banco):
    """The row tells its bank in its cells' description, and the status bar
    shows it while the cursor is on the row."""
    espera_igual(lambda: descricao(celula(grade, linha, 0)), banco, "row %d's description" % (linha + 1))
    s.acha(banco, raiz=janela, papeis=ROTULO)


def desconto(s, menu):
    """The cheque entry window: a line read onto the first date cell, the
    same cheque read again, a refused line, a reader without Enter."""
    s.clica(s.acha("Desconto de Cheque", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Desconto de Cheques")
    s.digita("281207", ENTER, "3", ENTER, ENTER, ENTER, ENTER, "2", ENTER)  # on the first date
    grade = s.acha("Digite abaixo os cheques", raiz=j, papeis=GRADE)
    le_cheque(CHEQUE_A)
    confere_celulas(grade, {(0, 2): "237/0494/001793", (0, 0): ""})
    confere_banco(s, j, grade, 0, "Banco 237: BCO BRADESCO S.A.")
    # The reader's Enter skipped nothing: the date and the value come next.
    s.digita("311207", ENTER, "1000", ENTER)
    confere_celulas(grade, {(0, 0): "31/12/07", (0, 1): "1000"})
    # On the row's "Banco/Número" now, which holds a cheque: the same one
    # read again, at a typist's speed, goes to the next row and is said.
    le_cheque(CHEQUE_A, atraso=40)
    responde(s, "Este cheque já está na linha 1.")
    confere_celulas(grade, {(1, 2): "237/0494/001793", (0, 2): "237/0494/001793"})
    s.digita("150108", ENTER, "500", ENTER)
    confere_celulas(grade, {(1, 0): "15/01/08", (1, 1): "500"})
    le_cheque(RECUSADO)
    responde(s, "O CMC7 da linha 3 foi recusado: Dígito verificador do campo 2 não confere.")
    confere_celulas(grade, {(2, 2): RECUSADO})
    # Cleared, and read again by a reader that sends no Enter.
    s.digita("<Delete>")
    confere_celulas(grade, {(2, 2): ""})
    le_cheque(CHEQUE_B, enter=False)
    s.digita("200208", ENTER, "700", ENTER)
    confere_celulas(grade, {(2, 2): "341/1234/000042", (2, 0): "20/02/08", (2, 1): "700"})
    confere_banco(s, j, grade, 2, "Banco 341: ITAÚ UNIBANCO S.A.")
    print("  cheque entry: read at 1 ms a key onto a date cell, with and without Enter, and at 40 ms;"
          " the same cheque said (row 1), a refused line said and left; date and value typed after each")
    s.digita("<F5>")
    b = s.espera_ativa(BANCADA)
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    confere_celulas(grade, {(0, 2): "237/0494/001793", (1, 2): "237/0494/001793", (2, 2): "341/1234/000042"})
    return b, grade


def bancada(s, b, grade):
    """The workbench: a line read while a date is being typed, then the same
    cheque as row 1 read onto a row that holds one."""
    s.clica(celula(grade, 2, 1))  # the last row's value: below it, the empty area
    e = celula(grade, 2, 1).queryComponent().getExtents(0)
    xdotool("mousemove", "--sync", str(e.x + e.width // 2), str(e.y + e.height + 20), "click", "1")
    s.digita("1")  # a date being typed, in its mask
    le_cheque(CHEQUE_C)
    confere_celulas(grade, {(3, 2): "001/3210/850001"})
    # The date begun is no date: the cursor is back on it, typed over.
    s.digita("250208", ENTER, "800", ENTER)
    confere_celulas(grade, {(3, 0): "25/02/08", (3, 1): "800"})
    confere_banco(s, b, grade, 3, "Banco 001: BCO DO BRASIL S.A.")
    le_cheque(CHEQUE_A, atraso=40)
    responde(s, "Este cheque já está na linha 1.")
    confere_celulas(grade, {(4, 2): "237/0494/001793", (3, 2): "001/3210/850001"})
    s.digita("100308", ENTER, "900", ENTER)
    confere_celulas(grade, {(4, 0): "10/03/08", (4, 1): "900"})
    print("  workbench: read while a date was being typed, and at 40 ms onto a row that holds a cheque;"
          " the same cheque said (row 1); date and value typed after each")


def venda_certa(s, menu):
    """"Venda certa" has no "Banco/Número": a line read there is said and
    leaves the date cell as it was."""
    s.pressiona(s.acha("Venda certa", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Venda Certa (Desconto Inverso)")
    s.digita("010607", ENTER, "5", ENTER, ENTER, ENTER, ENTER, ENTER, "1500", ENTER)  # on the first date
    grade = s.acha("Digite abaixo as datas de vencimento", raiz=j, papeis=GRADE)
    le_cheque(CHEQUE_A)
    responde(s, "a linha do leitor não foi usada")
    s.digita("200607", ENTER)
    confere_celulas(grade, {(0, 0): "20/06/07"})
    print("  venda certa: a line read is said and not typed into the date")


def main(argv):
    def passos(s, menu):
        b, grade = desconto(s, menu)
        bancada(s, b, grade)
        venda_certa(s, menu)

    return roteiro(argv, passos, 'cheques read into the grids')


if __name__ == "__main__":
    sys.exit(main(sys.argv))
