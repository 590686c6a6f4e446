#!/usr/bin/python3
"""The worked examples typed from outside at a typist's speed, through the
main menu, the entry windows and the workbench; the totals are read back
through the accessibility tree. Exits non-zero at the first difference.

    bash tests/atspi/run.sh            # both checks, building first
    dbus-run-session -- /usr/bin/python3 tests/atspi/exemplos_digitados.py build/quantivo
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (BANCADA, ENTER, roteiro, BOTAO, CAMPO, GRADE, ROTULO, celula, descricao, espera_igual, texto)  # noqa: E402



def confere(s, janela, legenda, esperado):
    """The field of that caption comes to show `esperado`."""
    campo = s.acha(legenda, raiz=janela, papeis=CAMPO)
    espera_igual(lambda: texto(campo), esperado, legenda)


def confere_rotulo(s, janela, inicio, esperado):
    """A label whose text begins with `inicio` comes to read `esperado` exactly."""
    espera_igual(lambda: s.acha(inicio, raiz=janela, papeis=ROTULO, comeco=True).name, esperado, inicio)


def confere_cet(s, janela, esperado):
    """The label named "CET" tells its figures first in its description."""
    cet = s.acha("CET", raiz=janela, papeis=ROTULO)
    espera_igual(lambda: descricao(cet)[:len(esperado)], esperado, "CET")


def texto_celula(grade, linha, coluna):
    return celula(grade, linha, coluna).name or ""


def desconto_de_cheque(s, menu):
    """Main menu -> "Desconto de Cheque" -> the example's data and cheques,
    one Enter between fields and cells (the fee's into the first date) -> F5
    -> the workbench's totals."""
    s.clica(s.acha("Desconto de Cheque", raiz=menu, papeis=BOTAO))
    s.espera_ativa("Desconto de Cheques")
    s.digita("281207", ENTER, "3", ENTER, "2", ENTER, "0,0041", ENTER, ENTER, "2", ENTER,
             "311207", ENTER, "1000", ENTER, ENTER, ENTER,
             "260108", ENTER, "500", ENTER, ENTER, ENTER,
             "150208", ENTER, "2500,50", "<F5>")
    b = s.espera_ativa(BANCADA)
    confere(s, b, "Valor Total", "4.000,50")
    confere(s, b, "Valor Financiado", "3.758,04")
    confere_rotulo(s, b, "TAC =", "TAC   = 80,01")
    confere_rotulo(s, b, "IOF =", "IOF   = 4,92")
    confere_rotulo(s, b, "Juros =", "Juros = 151,53")
    confere_rotulo(s, b, "Tarifa=", "Tarifa= 6,00")
    confere_cet(s, b, "CET: 83,65% a.a. (5,20% a.m.)")
    print("Desconto de Cheque: 4.000,50, net 3.758,04, CET 83,65% a.a., the workbench active")
    return b


def f10_e_desfaz(s, b):
    """F10 at once clears the workbench; Ctrl+Z right after brings it back."""
    s.digita("<F10>")
    confere(s, b, "Taxa (%)", "0")
    s.digita("<ctrl+z>")
    confere(s, b, "Taxa (%)", "3")
    confere(s, b, "Valor Financiado", "3.758,04")
    print("F10 cleared the workbench; Ctrl+Z brought it back")


def taxa_para_liquido(s, b):
    """F9 over the example: the dialog, a net no rate reaches (its message,
    Enter), then R$ 3.800,00 -> the rate and the net read back; Ctrl+Z right
    after brings back the rate 3 and its net."""
    s.digita("<F9>")
    s.espera_ativa("Taxa p/ líquido")
    s.digita("5000", ENTER)
    s.espera_ativa("Quantivo")
    s.digita(ENTER)
    s.espera_ativa(BANCADA)
    confere(s, b, "Taxa (%)", "3")
    s.digita("<F9>")
    s.espera_ativa("Taxa p/ líquido")
    s.digita("3800", ENTER)
    confere(s, b, "Taxa (%)", "2,1693")
    confere(s, b, "Valor Financiado", "3.800,00")
    confere_rotulo(s, b, "Juros =", "Juros = 109,57")
    s.digita("<ctrl+z>")
    confere(s, b, "Taxa (%)", "3")
    confere(s, b, "Valor Financiado", "3.758,04")
    print("Taxa p/ líquido: 5.000,00 out of reach, 3.800,00 at 2,1693 % a month; Ctrl+Z brought back 3 %")


def venda_certa(s, menu):
    """With the workbench open: main menu -> "Venda certa" -> the example ->
    F5 -> the cheques' values and totals, the workbench active again."""
    s.pressiona(s.acha("Venda certa", raiz=menu, papeis=BOTAO))
    s.espera_ativa("Venda Certa (Desconto Inverso)")
    s.digita("010607", ENTER, "5", ENTER, "1", ENTER, "0,0041", ENTER, ENTER, "2", ENTER, "5000", ENTER,
             "200607", ENTER, "300607", ENTER, "150707", "<F5>")
    b = s.espera_ativa(BANCADA)
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    for linha in range(3):
        espera_igual(lambda: texto_celula(grade, linha, 1), "1.789,44", "Valor of row %d" % (linha + 1))
    confere(s, b, "Valor Total", "5.368,31")
    confere_rotulo(s, b, "Juros =", "Juros = 301,22")
    confere_rotulo(s, b, "TAC =", "TAC   = 53,68")
    confere_rotulo(s, b, "IOF =", "IOF   = 7,41")
    confere_cet(s, b, "CET: 116,69% a.a. (6,66% a.m.)")
    print("Venda certa: 3 x 1.789,44, total 5.368,31, CET 116,69% a.a., the workbench active")
    return b


def digita_apos_clicar(s, b):
    """In the workbench: click the current cell and type at once."""
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    valor = celula(grade, 0, 1)
    s.clica(valor)  # makes it the current cell
    s.digita("<Escape>")
    s.clica(valor)
    s.digita("350", ENTER)
    espera_igual(lambda: texto_celula(grade, 0, 1), "350", "Valor of row 1 typed after the click")
    espera_igual(lambda: texto_celula(grade, 2, 1), "1.789,44", "Valor of row 3")
    data = celula(grade, 1, 0)
    s.clica(data)
    s.digita("<Escape>")
    s.clica(data)
    s.digita("150127", ENTER)
    espera_igual(lambda: texto_celula(grade, 1, 0), "15/01/27", "Data of row 2 typed after the click")
    print("Typed right after a click: 350 in row 1, 15/01/27 in row 2")


def renegociacao(s, menu):
    """With the workbench open: main menu -> "Renegociação de Dívidas" ->
    debt, update, payment, 12 instalments at 2 % -> the workbench active, and
    F10 pressed at once clears it."""
    s.pressiona(s.acha("Renegociação de Dívidas", raiz=menu, papeis=BOTAO))
    s.espera_ativa("Renegociação de Dívida")
    s.digita("1000", ENTER, "010308", ENTER, "3", ENTER, "150408", ENTER, " ",
             "150408", ENTER, "45", ENTER, "12", ENTER, "2", ENTER, " ")
    b = s.espera_ativa(BANCADA)
    confere(s, b, "Taxa (%)", "2")
    s.digita("<F10>")
    confere(s, b, "Taxa (%)", "0")
    print("Renegociação: the workbench active after the road, F10 at once cleared it")


def main(argv):
    def passos(s, menu):
        b = desconto_de_cheque(s, menu)
        f10_e_desfaz(s, b)
        taxa_para_liquido(s, b)
        b = venda_certa(s, menu)
        digita_apos_clicar(s, b)
        renegociacao(s, menu)

    return roteiro(argv, passos, 'all roads gave the worked examples')


if __name__ == "__main__":
    sys.exit(main(sys.argv))
