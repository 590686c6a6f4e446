#!/usr/bin/python3
"""Nothing the clerk types is lost or changed on the way in, checked from
outside at a typist's speed, under the C locale and the clerk's: dates that do
not exist in the grids (typed and pasted), Enter after the last general-data
field, the entry window's clearing box handed over, thousands dots typed and
pasted, Delete and Backspace on grid cells. Every message box is answered with
Enter. Exits non-zero at the first difference.

    bash tests/atspi/run.sh            # every check, building first
    dbus-run-session -- /usr/bin/python3 tests/atspi/entrada_sem_perdas.py build/quantivo [pt_BR.UTF-8]
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (BANCADA, ATENCAO, ENTER, roteiro, BOTAO, CAIXA, CAMPO, GRADE, Falha, celula, espera_igual, estados,  # noqa: E402
                   texto)



def responde(s, *diz):
    """A box "Atenção" comes up saying each of `diz`; Enter answers it."""
    _, fala = s.caixa(ATENCAO)
    for d in diz:
        if d not in fala:
            raise Falha("the box says %r, not %r" % (fala, d))
    s.digita(ENTER)
    if not s.fechou(ATENCAO):
        raise Falha("Enter did not answer the box %r" % fala)


def confere(s, janela, legenda, esperado):
    campo = s.acha(legenda, raiz=janela, papeis=CAMPO)
    espera_igual(lambda: texto(campo), esperado, legenda)


def confere_celulas(grade, esperadas):
    for (linha, coluna), esperado in esperadas.items():
        espera_igual(lambda: celula(grade, linha, coluna).name or "", esperado,
                     "cell %d,%d" % (linha + 1, coluna + 1))


def marcada(caixa):
    return estados(caixa).contains(pyatspi.STATE_CHECKED)


def confere_compensacao(s, janela, esperado):
    caixa = s.acha("F7- Inclui Compensação", raiz=janela, papeis=CAIXA)
    espera_igual(lambda: marcada(caixa), esperado, "F7- Inclui Compensação ticked")


def desconto(s, menu):
    """The cheque discount typed with Enter from the first field: Enter after
    the fee lands on the first date; a date that does not exist and "1.000"
    are said and asked in boxes; the window's clearing box, unticked, is the
    one the workbench counts with; "1.500,00" is 1500."""
    s.clica(s.acha("Desconto de Cheque", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Desconto de Cheques")
    s.digita("281207", ENTER, "3", ENTER, ENTER, ENTER, ENTER, "2", ENTER,
             "311207", ENTER, "1.500,00", ENTER, ENTER, ENTER, "290225", ENTER)
    responde(s, '"29/02/25"', "linha 2")
    s.digita("280225", ENTER, "1.000", ENTER)
    responde(s, '"1,000"', "linha 2", "1.000,00")
    s.pressiona(s.acha("F7- Inclui Compensação", raiz=j, papeis=CAIXA))
    confere_compensacao(s, j, False)
    s.digita("<F5>")
    b = s.espera_ativa(BANCADA)
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    confere_celulas(grade, {(0, 0): "31/12/07", (0, 1): "1500,00", (0, 4): "3", (1, 0): "28/02/25", (1, 1): "1000"})
    confere(s, b, "Valor Total", "2.500,00")
    confere_compensacao(s, b, False)
    print("  desconto: Enter after the fee to the first date; 29/02/25 said (row 2), 1.000 asked;"
          " 1.500,00 is 1500; the window's clearing box counted")
    return b, grade


def apaga_e_cola(s, b, grade):
    """Delete and Backspace clear cells not being edited, Ctrl+Z brings them
    back, F10 and Ctrl+Z as before; "1.500,00" typed into "Valor Financiado";
    a spreadsheet's block pasted, its impossible date said."""
    s.clica(celula(grade, 1, 1))
    s.digita("<Delete>")
    confere_celulas(grade, {(1, 1): ""})
    s.digita("<ctrl+z>")
    confere_celulas(grade, {(1, 1): "1000"})
    s.clica(celula(grade, 0, 0))
    s.digita("<BackSpace>")
    confere_celulas(grade, {(0, 0): "", (0, 4): "3"})
    s.digita("<F10>")
    confere(s, b, "Taxa (%)", "0")
    s.digita("<ctrl+z>")
    confere(s, b, "Taxa (%)", "3")
    confere_celulas(grade, {(0, 0): "", (1, 1): "1000"})
    print("  workbench: Delete and Backspace cleared cells, Ctrl+Z brought them back; F10 and Ctrl+Z as before")

    s.digita("<F10>")
    s.digita("1.500,00")
    confere(s, b, "Valor Financiado", "1500,00")
    s.escreve(s.acha("Data Referência", raiz=b, papeis=CAMPO), "281207")
    s.copia_texto("31/12/2007\t1.000\n26/01/2008\t2.500\n15/02/2008\tR$ 2.500,50\n31/02/2026\t300\n")
    s.clica(celula(grade, 0, 0))
    s.digita("<ctrl+v>")
    responde(s, '"31/02/26"', "linha 4")
    confere_celulas(grade, {(0, 1): "1000", (1, 1): "2500", (2, 1): "2500,50", (3, 0): "31/02/26", (3, 1): "300"})
    s.digita("310326", ENTER, "<F5>")
    confere(s, b, "Valor Total", "6.300,50")
    print("  workbench: 1.500,00 typed is 1500,00; 1.000, 2.500 and R$ 2.500,50 pasted are those amounts;"
          " 31/02/26 pasted said (row 4)")


def venda_certa(s, menu):
    """"Venda certa": Enter after "Valor Financiado" lands on the first date,
    "1.500,00" there is 1500, 00/00/00 is said and Delete clears it; the
    window's clearing box, ticked, is handed over."""
    s.pressiona(s.acha("Venda certa", raiz=menu, papeis=BOTAO))
    s.espera_ativa("Venda Certa (Desconto Inverso)")
    s.digita("010607", ENTER, "5", ENTER, "1", ENTER, "0,0041", ENTER, ENTER, "2", ENTER, "1.500,00", ENTER,
             "200607", ENTER, "300607", ENTER, "000000", ENTER)
    responde(s, '"00/00/00"', "linha 3")
    s.digita("<Delete>", "<F5>")
    b = s.espera_ativa(BANCADA)
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    confere(s, b, "Valor Financiado", "1500")
    confere_celulas(grade, {(0, 0): "20/06/07", (0, 4): "21", (1, 0): "30/06/07", (2, 0): ""})
    confere_compensacao(s, b, True)
    print("  venda certa: Enter after the financed value to the first date; 1.500,00 is 1500;"
          " 00/00/00 said (row 3) and cleared with Delete; the window's clearing box counted")


def main(argv):
    def passos(s, menu):
        b, grade = desconto(s, menu)
        apaga_e_cola(s, b, grade)
        venda_certa(s, menu)

    return roteiro(argv, passos, 'nothing typed was lost')


if __name__ == "__main__":
    sys.exit(main(sys.argv))
