#!/usr/bin/python3
"""What the clerk types reaches the calculation unchanged, checked from outside
at a typist's speed: the renegotiation's update date reached by Enter, a whole
date typed after a click inside the old one, an instalment count below 1
refused by name, a receipt value beyond the words kept as typed, the totals
labels of a new operation and after F10, and a renegotiation chosen in the
workbench's list that starts clean. Every message box is answered by Enter.
Exits non-zero at the first difference.

    dbus-run-session -- /usr/bin/python3 tests/atspi/campos_sem_perdas.py build/quantivo [pt_BR.UTF-8]
"""
import os
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (BANCADA, ENTER, roteiro, BOTAO, CAMPO, GRADE, LISTA, Falha, celula, espera, espera_igual, estados,  # noqa: E402
                   normaliza, papel, percorre, texto, xdotool)

CAPTIONS = ["Tarifa:", "TAC:", "IOF:", "Juros:"]


def le(s, janela, legenda, papeis=CAMPO):
    return texto(s.acha(legenda, raiz=janela, papeis=papeis))


def confere(s, janela, legenda, esperado, papeis=CAMPO):
    campo = s.acha(legenda, raiz=janela, papeis=papeis)
    espera_igual(lambda: normaliza(texto(campo)), esperado, legenda)


def totais(s, b):
    """The four totals labels below the grid, top to bottom."""
    rotulos = [o for o in percorre(b) if papel(o) == "label"]
    nomes = [normaliza(o.name) for o in rotulos]
    for i in range(len(nomes) - 3):
        if all(nomes[i + k].startswith(c[:3]) for k, c in enumerate(["Tar", "TAC", "IOF", "Jur"])):
            return nomes[i:i + 4]
    return None


def confere_totais(s, b, esperado, oque):
    espera_igual(lambda: totais(s, b), esperado, oque)


def mensagem(s, esperado, titulo="Quantivo"):
    """The message box of that title shows `esperado`; Enter answers it."""
    def caixa():
        for j in s.janelas():
            if normaliza(j.name) == titulo and estados(j).contains(pyatspi.STATE_ACTIVE):
                return j
        return None

    j = espera(caixa)
    if j is None:
        raise Falha("no message box %r (expected %r)" % (titulo, esperado))
    textos = [normaliza(o.name) for o in percorre(j) if papel(o) == "label" and o.name]
    if normaliza(esperado) not in textos:
        raise Falha("message box says %r, expected %r" % (textos, esperado))
    s.digita(ENTER)
    if not s.fechou(titulo):
        raise Falha("Enter did not close the message box %r" % titulo)


def clica_no_caractere(s, campo, posicao):
    """A click just left of the character at `posicao` of a text control."""
    t = campo.queryText()
    e = t.getCharacterExtents(posicao, pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(e[0]), str(e[1] + e[3] // 2), "click", "1")


def desconto(s, menu):
    """A cheque discount through its entry window, each field by its caption;
    the workbench then holds 28/12/07 and one cheque of 31/12/07."""
    s.pressiona(s.acha("Desconto de Cheque", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Desconto de Cheques")
    for legenda, valor in (("Data da Operação", "281207"), ("Taxa (%)", "3"), ("TAC(%)", "2"),
                           ("IOF(%) ao dia", "0,0041"), ("Tarifa", "2")):
        s.escreve(s.acha(legenda, raiz=j, papeis=CAMPO), valor)
    grade = s.acha("Digite abaixo os cheques", raiz=j, papeis=GRADE)
    s.clica(celula(grade, 0, 0))
    s.digita("311207", ENTER, "1000", "<F5>")
    b = s.espera_ativa(BANCADA)
    confere(s, b, "Valor Total", "1.000,00")
    return b


def entrega(s, menu):
    """A hand-over whose calculation finds nothing to do, into a workbench that
    never calculated: the totals read as before any calculation (they were
    empty, and the listing printed four empty lines)."""
    s.pressiona(s.acha("Venda certa", raiz=menu, papeis=BOTAO))
    j = s.espera_ativa("Venda Certa (Desconto Inverso)")
    s.escreve(s.acha("Valor Financiado", raiz=j, papeis=CAMPO), "5000")
    s.digita("<F5>")
    b = s.espera_ativa(BANCADA)
    confere_totais(s, b, CAPTIONS, "totals after a hand-over with no date")
    print("totals: captions after a hand-over that calculated nothing")


def f10(s, menu):
    """After a discount, F10 left the old totals beside a Valor Total of 0;
    Ctrl+Z still brings them back."""
    b = desconto(s, menu)
    calculados = totais(s, b)
    if calculados is None or calculados == CAPTIONS:
        raise Falha("the discount wrote no totals: %r" % calculados)
    s.digita("<F10>")
    confere(s, b, "Valor Total", "0")
    confere_totais(s, b, CAPTIONS, "totals after F10")
    s.digita("<ctrl+z>")
    confere_totais(s, b, calculados, "totals after Ctrl+Z")
    confere(s, b, "Valor Total", "1.000,00")
    print("totals: captions after F10, back with Ctrl+Z")


def datas(s, menu):
    """Clicked between the year's digits of 28/12/07, 151107 gave 28/12/01; in
    a date cell opened by a double click, a click past the text dropped every
    digit typed."""
    b = s.janela(BANCADA)
    data = s.acha("Data Referência", raiz=b, papeis=CAMPO)
    espera_igual(lambda: texto(data), "28/12/07", "Data Referência")
    clica_no_caractere(s, data, 7)
    s.digita("151107", "<Tab>")
    espera_igual(lambda: texto(data), "15/11/07", "Data Referência typed after a click inside it")
    grade = s.acha("Parcelas", raiz=b, papeis=GRADE)
    c = celula(grade, 0, 0)
    espera_igual(lambda: c.name, "31/12/07", "Data of row 1")
    e = c.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(e.x + e.width // 2), str(e.y + e.height // 2), "click", "--repeat", "2",
            "--delay", "80", "1")
    # The open editor is not in the tree: a click past its text puts the
    # caret at the end.
    xdotool("mousemove", "--sync", str(e.x + e.width - 6), str(e.y + e.height // 2), "click", "1")
    s.digita("151207", ENTER)
    espera_igual(lambda: celula(grade, 0, 0).name, "15/12/07", "Data of row 1 typed after a click inside it")
    print("dates typed after a click inside the old one: 15/11/07 in the field, 15/12/07 in the cell")


def lista(s, menu):
    """"Renegociação de Dívidas" chosen in the workbench's list after a
    discount: Enter goes from the rate to "Atualizar até o dia" (the date typed
    there was lost), a count of 0 is refused by name, and the renegotiation
    starts clean (the discount's TAC, IOF and fee stayed and were printed)."""
    b = s.janela(BANCADA)
    s.clica(s.acha("Selecione o tipo de cálculo a ser efetuado", raiz=b, papeis=LISTA))
    s.digita("<End>", ENTER)
    r = s.espera_ativa("Renegociação de Dívida")
    s.digita("1000", ENTER, "010308", ENTER, "3", ENTER, "150408", ENTER, " ")
    confere(s, r, "Número de dias", "45")
    confere(s, r, "Valor Atualizado", "R$ 1.045,00")
    print("renegotiation: Enter reached the update date, 45 days, R$ 1.045,00")
    s.digita("150408", ENTER, "45", ENTER, "0", ENTER, "2", ENTER, " ")
    mensagem(s, "Qtd.Prestação: informe 1 prestação ou mais")
    s.digita("12", ENTER, ENTER, " ")
    b = s.espera_ativa(BANCADA)
    confere(s, b, "Valor Total", "1.134,72")
    for legenda in ("TAC(%)", "IOF(%) ao dia", "Tarifa"):
        confere(s, b, legenda, "")
    confere_totais(s, b, CAPTIONS, "totals of the renegotiation chosen in the list")
    print("renegotiation from the list: count 0 refused by name, none of the discount's charges, 1.134,72")


def recibo(s, menu):
    """999999999999,99 became R$ 4.294.967.295,00 unannounced."""
    b = s.janela(BANCADA)
    s.pressiona(s.acha("Firmatto", raiz=b, papeis=BOTAO))
    r = s.espera_ativa("FIRMATTO")
    s.digita("999999999999,99", ENTER)
    mensagem(s, "999999999999,99 Valor fora da faixa 0,01..4294967295,99")
    confere(s, r, "Valor:", "R$ 999.999.999.999,99")
    s.digita("<Escape>")
    if not s.fechou("FIRMATTO"):
        raise Falha("the receipt window did not close")
    print("receipt: 999999999999,99 kept as typed, the words' range said")


def prestacoes(s, menu):
    """A count of -1 solved -999,99 unannounced; 0 blamed the blank values."""
    s.pressiona(s.acha("Prestação Taxa Efetiva", raiz=menu, papeis=BOTAO))
    p = s.espera_ativa("Postecipada")
    s.digita("1000", ENTER, "<minus>", "1", ENTER, "3", ENTER, "<alt+c>")
    mensagem(s, "Numero de Prestação: informe 1 prestação ou mais")
    confere(s, p, "Valor da Prestação", "")
    s.digita("<ctrl+a>", "0", "<alt+c>")
    mensagem(s, "Numero de Prestação: informe 1 prestação ou mais")
    s.digita("<ctrl+a>", "5", "<alt+c>")
    confere(s, p, "Valor da Prestação", "218,35")
    s.pressiona(s.acha("SAIR", raiz=p, papeis=BOTAO))
    print("instalments: counts -1 and 0 refused by name, 5 gives 218,35")


# In order: each one after the ones before it (datas and lista work on the
# discount that f10 leaves in the workbench).
ROTEIRO = (entrega, f10, datas, lista, recibo, prestacoes)


def main(argv):
    def passos(s, menu):
        # QUANTIVO_PASSOS=desconto,datas runs only those steps (to look at one).
        nomes = os.environ.get("QUANTIVO_PASSOS")
        for passo in [globals()[n] for n in nomes.split(",")] if nomes else ROTEIRO:
            passo(s, menu)

    return roteiro(argv, passos, 'nothing typed was lost or changed')


if __name__ == "__main__":
    sys.exit(main(sys.argv))
