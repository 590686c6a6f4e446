#!/usr/bin/python3
"""Walks every window of Quantivo from outside, through AT-SPI, as a screen
reader user would: each control must be found by its caption (its accessible
name or the label tied to it) and each button pressed must return at once, also
when it opens a modal dialog. Values are typed with xdotool at a typist's speed.

    dbus-run-session -- /usr/bin/python3 tests/atspi/confere_janelas.py build/quantivo

(tests/atspi/run.sh does this, installing what is missing first.) Exits 0 when
everything was found and every press returned; otherwise lists what failed.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from apoio import (MENU, BOTAO, CAIXA, CAMPO, GRADE, LISTA, ROTULO, Falha, Sessao, Travou, descricao, espera,  # noqa: E402
                   normaliza, papel)

# The roles a top-level window may have; a "filler" is no window to a screen reader.
PAPEIS_JANELA = ("frame", "dialog", "alert", "window", "file chooser")



class Conferencia:
    def __init__(self, sessao):
        self.s = sessao
        self.faltas = []
        self.prensas = []  # (caption, seconds)
        self.janelas = []

    def falta(self, texto):
        print("FALHA:", texto, flush=True)
        self.faltas.append(texto)

    def janela(self, titulo, limite=10.0):
        j = self.s.janela(titulo, limite)
        self.janelas.append(titulo)
        print("janela:", titulo, flush=True)
        if papel(j) not in PAPEIS_JANELA:
            self.falta("window %r has the role %r, not a window's" % (titulo, papel(j)))
        return j

    def controles(self, janela, papeis, legendas):
        """Each caption must find a control of one of those roles."""
        achados = {}
        for legenda in legendas:
            try:
                achados[legenda] = self.s.acha(legenda, raiz=janela, papeis=papeis, limite=3)
            except Falha as e:
                self.falta(str(e))
        return achados

    def pressiona(self, janela, legenda, papeis=BOTAO, limite=3.0, fecha_se_travar=None):
        """Presses the button of that caption; a press that does not return is
        a failure, after which `fecha_se_travar` (a window title) is closed with
        Escape so that the call ends and the walk goes on."""
        try:
            botao = self.s.acha(legenda, raiz=janela, papeis=papeis)
        except Falha as e:
            self.falta(str(e))
            return False
        try:
            segundos = self.s.pressiona(botao, limite)
            self.prensas.append((legenda, segundos))
            return True
        except Travou as e:
            self.falta(str(e))
            if fecha_se_travar:
                self.s.foca_janela(fecha_se_travar)
                self.s.digita("<Escape>")
            return True
        except Falha as e:
            self.falta(str(e))
            return False

    def fecha_mensagem(self, titulo):
        """A message box: its OK button closes it."""
        caixa = self.janela(titulo)
        self.pressiona(caixa, "OK")
        if not self.s.fechou(titulo):
            self.falta("message %r did not close" % titulo)

    def escreve(self, janela, legenda, texto, papeis=CAMPO):
        try:
            campo = self.s.acha(legenda, raiz=janela, papeis=papeis)
            self.s.escreve(campo, texto)
            return campo
        except Falha as e:
            self.falta(str(e))
            return None

    def le(self, janela, legenda, esperado, papeis=CAMPO, so_rotulo=False):
        try:
            campo = self.s.acha(legenda, raiz=janela, papeis=papeis, so_rotulo=so_rotulo)
        except Falha as e:
            self.falta(str(e))
            return
        lido = normaliza(self.s.texto(campo))
        if lido != esperado:
            self.falta("%r reads %r, expected %r" % (legenda, lido, esperado))

    # --- the windows, along their roads -------------------------------------

    def menu(self):
        m = self.janela(MENU)
        self.controles(m, BOTAO, ["Desconto de Cheque", "Venda certa", "Prestação Taxa Efetiva",
                                  "Renegociação de Dívidas", "Sair", "Ajuda", "Sobre...", "Outros produtos",
                                  "Operações"])
        for comeco in ("Utilize esta opção", "Também conhecido como", "Tabela Price", "Atualiza débitos"):
            if not self.s.procura(comeco, raiz=m, papeis=ROTULO, comeco=True):
                self.falta("main menu: description starting %r not readable" % comeco)
        self.pressiona(m, "Sobre...", fecha_se_travar="Sobre...")
        self.fecha_mensagem("Sobre...")
        # No program here reads PDF files: "Ajuda" says so and shows the manual itself.
        self.pressiona(m, "Ajuda", fecha_se_travar="Quantivo")
        self.fecha_mensagem("Quantivo")
        manual = self.janela("Manual do Quantivo")
        # Qt shows a read-only text as a label.
        self.controles(manual, CAMPO + ROTULO, ["Manual do Quantivo"])
        self.pressiona(manual, "F2 - Fecha")
        if not self.s.fechou("Manual do Quantivo"):
            self.falta("the manual's window did not close")
        return m

    def entrada_comum(self, j):
        self.controles(j, CAMPO, ["Data da Operação", "Taxa (%)", "TAC(%)", "IOF(%) ao dia", "Tarifa"])
        self.controles(j, LISTA, ["Tipo de tarifa"])
        self.controles(j, CAIXA, ["F7- Inclui Compensação"])
        self.controles(j, BOTAO, ["F5 - CONTINUA", "Abrir calendário"])

    def venda_certa(self, m):
        self.pressiona(m, "Venda certa")
        j = self.janela("Venda Certa (Desconto Inverso)")
        self.entrada_comum(j)
        self.controles(j, GRADE, ["Digite abaixo as datas de vencimento"])
        # The calendar of the operation date: a popup, which Qt keeps out of
        # the tree; it is seen as one more X window, and Escape closes it.
        antes = self.s.janelas_x()
        if self.pressiona(j, "Abrir calendário"):
            if not espera(lambda: len(self.s.janelas_x() - antes) == 1, 3):
                self.falta("the calendar did not open")
            self.s.digita("<Escape>")
            if not espera(lambda: not (self.s.janelas_x() - antes), 3):
                self.falta("the calendar did not close with Escape")
        self.escreve(j, "Valor Financiado", "5000")
        self.le(j, "Valor Financiado", "5000")
        self.pressiona(j, "F5 - CONTINUA")
        if not self.s.fechou("Venda Certa (Desconto Inverso)"):
            self.falta("the inverse-discount window stayed open after its hand-over")

    def bancada(self):
        b = self.janela("QUANTIVO")
        self.controles(b, CAMPO, ["Data Referência", "Valor Financiado", "Taxa (%)", "TAC(%)", "IOF(%) ao dia",
                                  "Tarifa", "Valor Total"])
        self.controles(b, LISTA, ["Selecione o tipo de cálculo a ser efetuado", "Tipo de tarifa"])
        self.controles(b, GRADE, ["Parcelas"])
        self.controles(b, CAIXA, ["F7- Inclui Compensação", "F8- Feriados"])
        self.controles(b, BOTAO, ["F5 - Calcula", "F10 - Limpa", "F12 - Imprime", "Ajuda", "F2 - Fecha", "Firmatto",
                                  "Feriados", "F9 - Taxa p/ líquido", "Ctrl+S - Salva", "Ctrl+O - Operações"])
        # Nothing calculated to the end yet: saving says to calculate first.
        self.pressiona(b, "Ctrl+S - Salva", fecha_se_travar="Quantivo")
        self.fecha_mensagem("Quantivo")
        # The CET below the totals: found by its name, its figures in its description.
        cet = self.controles(b, ROTULO, ["CET"]).get("CET")
        if cet is not None and not descricao(cet):
            self.falta("the CET label has no description")
        self.le(b, "Valor Financiado", "5000")
        self.feriados(b)
        # Help, the print dialog of the listing.
        self.pressiona(b, "Ajuda", fecha_se_travar="Ajuda...")
        a = self.janela("Ajuda...")
        self.pressiona(a, "F2 - Fecha")
        self.s.fechou("Ajuda...")
        self.pressiona(b, "F12 - Imprime", fecha_se_travar="Imprimir")
        d = self.janela("Imprimir")
        self.controles(d, BOTAO, ["Imprimir", "Cancelar", "Propriedades"])
        self.pressiona(d, "Cancelar")
        if not self.s.fechou("Imprimir"):
            self.falta("the print dialog did not close")
        return b

    def feriados(self, b):
        """The holidays window: a local holiday typed in and added, then closed."""
        self.pressiona(b, "Feriados", fecha_se_travar="Feriados")
        f = self.janela("Feriados")
        self.controles(f, CAMPO, ["Ano", "Data", "Nome"])
        self.controles(f, GRADE + ("tree",), ["Feriados do ano", "Feriados locais"])
        self.controles(f, BOTAO, ["Incluir", "Alterar", "Excluir", "Fechar"])
        self.escreve(f, "Data", "20/01")
        self.escreve(f, "Nome", "Padroeiro")
        self.pressiona(f, "Incluir")
        # The press returns before the list is written again: wait for it.
        if espera(lambda: self.s.procura("20/01 Padroeiro", raiz=f), 5.0) is None:
            self.falta("the local holiday added is not in the list")
        self.pressiona(f, "Fechar")
        if not self.s.fechou("Feriados"):
            self.falta("the holidays window did not close")

    def recibo(self, b):
        self.pressiona(b, "Firmatto", fecha_se_travar="FIRMATTO")
        r = self.janela("FIRMATTO")
        self.controles(r, CAMPO, ["Valor:", "Recebi(emos) de :", "Referente à:"])
        try:
            self.s.acha("A importância de:", raiz=r, papeis=ROTULO, so_rotulo=True)
        except Falha as e:
            self.falta("the words: " + str(e))
        self.controles(r, BOTAO, ["IMPRIMIR", "CONFIGURAÇÕES", "SAIR"])
        # No settings yet: the message.
        self.pressiona(r, "IMPRIMIR", fecha_se_travar="...::>>Atenção<<::...")
        self.fecha_mensagem("...::>>Atenção<<::...")
        # The issuer settings, typed in and saved.
        self.pressiona(r, "CONFIGURAÇÕES", fecha_se_travar="CADASTRO DE PARÂMETROS")
        c = self.janela("CADASTRO DE PARÂMETROS")
        self.controles(c, CAIXA, ["1 VIA", "2 VIAS"])
        self.controles(c, BOTAO, ["SALVA", "SAIR"])
        for legenda, texto in (("Nome", "Maria da Silva"), ("Atividade", "Tecidos"), ("Endereço", "Rua A, 1"),
                               ("Cidade", "Recife"), ("Assinatura", "Maria")):
            self.escreve(c, legenda, texto)
        self.le(c, "Cidade", "Recife")
        self.pressiona(c, "SALVA", fecha_se_travar="Informação")
        self.fecha_mensagem("Informação")
        self.pressiona(c, "SAIR")
        self.s.fechou("CADASTRO DE PARÂMETROS")
        # A receipt, previewed.
        self.escreve(r, "Valor:", "10")
        self.escreve(r, "Recebi(emos) de :", "Fulano")
        self.le(r, "A importância de:", "dez reais", papeis=ROTULO, so_rotulo=True)
        self.escreve(r, "Referente à:", "Aluguel")
        self.pressiona(r, "IMPRIMIR", fecha_se_travar="RECIBO")
        previa = self.janela("RECIBO")
        self.controles(previa, LISTA, ["Ampliação"])
        self.s.foca_janela("RECIBO")
        self.s.digita("<Escape>")
        if not self.s.fechou("RECIBO"):
            self.falta("the receipt preview did not close with Escape")
        self.pressiona(r, "SAIR")
        if not self.s.fechou("FIRMATTO"):
            self.falta("the receipt window did not close")

    def desconto(self, m):
        self.pressiona(m, "Desconto de Cheque")
        j = self.janela("Desconto de Cheques")
        self.entrada_comum(j)
        self.controles(j, GRADE, ["Digite abaixo os cheques"])
        self.escreve(j, "Taxa (%)", "3")
        self.pressiona(j, "F5 - CONTINUA")
        if not self.s.fechou("Desconto de Cheques"):
            self.falta("the cheque-discount window stayed open after its hand-over")

    def prestacao(self, m):
        self.pressiona(m, "Prestação Taxa Efetiva")
        p = self.janela("Postecipada")
        campos = self.controles(p, CAMPO, ["Data de referência", "Valor Financiado", "Numero de Prestação",
                                           "Taxa Mensal", "Valor da Prestação"])
        for legenda in ("Data de referência", "Numero de Prestação", "Taxa Mensal"):
            if legenda in campos and descricao(campos[legenda]) != "obrigatório":
                self.falta("%r is not described as required" % legenda)
        self.controles(p, BOTAO, ["Calcula", "SAIR", "F12 - Imprime"])
        self.escreve(p, "Valor Financiado", "1000")
        self.escreve(p, "Numero de Prestação", "12")
        self.escreve(p, "Taxa Mensal", "2")
        self.pressiona(p, "Calcula")
        time.sleep(0.5)
        self.le(p, "Valor da Prestação", "94,56")
        self.pressiona(p, "SAIR")
        self.s.fechou("Postecipada")

    def renegociacao(self, m):
        self.pressiona(m, "Renegociação de Dívidas")
        r = self.janela("Renegociação de Dívida")
        self.controles(r, CAMPO, ["Valor da Dívida", "Data do Vencimento", "Taxa de Juros (ao mês)",
                                  "Atualizar até o dia", "Valor Atualizado", "Número de dias", "Vlr.Dívida atualizada",
                                  "Data do pagamento", "Valor pago", "Qtd.Prestação", "Taxa de juros (ao mês)"])
        self.controles(r, BOTAO, ["Calcula", "Calcula Renegociação"])
        self.pressiona(r, "Calcula Renegociação", fecha_se_travar="Quantivo")
        self.fecha_mensagem("Quantivo")
        self.s.foca_janela("Renegociação de Dívida")
        self.s.digita("<Escape>")
        if not self.s.fechou("Renegociação de Dívida"):
            self.falta("the renegotiation window did not close with Escape")

    def taxa_liquido(self):
        """The dialog of the rate for a wanted net, over a cheque discount."""
        b = self.janela("QUANTIVO")
        self.pressiona(b, "F9 - Taxa p/ líquido", fecha_se_travar="Taxa p/ líquido")
        d = self.janela("Taxa p/ líquido")
        self.controles(d, CAMPO, ["Líquido desejado", "Líquido desejado (R$)"])
        self.controles(d, BOTAO, ["OK", "Cancelar"])
        self.pressiona(d, "Cancelar")
        if not self.s.fechou("Taxa p/ líquido"):
            self.falta("the rate dialog did not close")

    def fecha_bancada(self, titulo="QUANTIVO"):
        b = self.janela(titulo)
        self.pressiona(b, "F2 - Fecha")
        if not self.s.fechou(titulo):
            self.falta("the workbench did not close")

    def operacoes(self, m):
        """A cheque discount calculated and saved through the save dialog;
        the saved operations from the main menu: found, exported (Qt's file
        dialog, closed), the period asked for, the borderô, reopened; and
        from the workbench."""
        self.pressiona(m, "Desconto de Cheque")
        self.s.espera_ativa("Desconto de Cheques")
        self.s.digita("281207", "<Return>", "3", "<Return>", "<Return>", "<Return>", "<Return>", "<Return>",
                      "311207", "<Return>", "1000", "<Return>", "001/123456", "<F5>")
        titulo = "QUANTIVO - Operação nº 1"
        b = self.janela("QUANTIVO")
        self.pressiona(b, "Ctrl+S - Salva", fecha_se_travar="Salvar operação")
        d = self.janela("Salvar operação")
        self.controles(d, CAMPO, ["Cliente (cedente)", "CPF ou CNPJ do cliente"])
        self.controles(d, GRADE, ["Cheques"])
        self.controles(d, BOTAO, ["Ctrl+S - Salva", "Cancela (Esc)"])
        self.escreve(d, "Cliente (cedente)", "Fulano de Tal")
        self.pressiona(d, "Ctrl+S - Salva")
        if not self.s.fechou("Salvar operação"):
            self.falta("the save dialog did not close after saving")
        self.fecha_bancada(titulo)

        self.pressiona(m, "Operações", fecha_se_travar="Operações")
        j = self.janela("Operações")
        self.controles(j, CAMPO, ["Cliente (nome ou CPF/CNPJ)", "De", "Até", "Cheque (número ou CMC7)"])
        self.controles(j, GRADE, ["Operações salvas"])
        self.controles(j, BOTAO, ["Reabre (Enter)", "Exporta (Ctrl+E)", "Exporta o período (Ctrl+M)",
                                  "Imprime borderô (Ctrl+P)", "Fecha (Esc)"])
        self.controles(j, ROTULO, ["1 operação."])
        self.pressiona(j, "Exporta (Ctrl+E)", fecha_se_travar="Exportar a operação nº 1")
        self.janela("Exportar a operação nº 1")
        self.s.foca_janela("Exportar a operação nº 1")
        self.s.digita("<Escape>")
        if not self.s.fechou("Exportar a operação nº 1"):
            self.falta("the export's file dialog did not close with Escape")
        self.pressiona(j, "Exporta o período (Ctrl+M)", fecha_se_travar="Quantivo")
        self.fecha_mensagem("Quantivo")  # the dates are asked for
        self.pressiona(j, "Imprime borderô (Ctrl+P)", fecha_se_travar="Imprimir")
        impressao = espera(lambda: next((t for t in ("Imprimir", "Quantivo")
                                         if any(normaliza(x.name) == t for x in self.s.janelas())), None), 5)
        if impressao == "Imprimir":
            self.pressiona(self.janela("Imprimir"), "Cancelar")
            self.s.fechou("Imprimir")
        elif impressao == "Quantivo":
            self.fecha_mensagem("Quantivo")
        else:
            self.falta("the borderô's print showed neither the print dialog nor a message")
        self.pressiona(j, "Reabre (Enter)")
        if not self.s.fechou("Operações"):
            self.falta("the saved operations did not close on reopening")
        b = self.janela(titulo)
        self.pressiona(b, "Ctrl+O - Operações", fecha_se_travar="Operações")
        j = self.janela("Operações")
        self.pressiona(j, "Fecha (Esc)")
        if not self.s.fechou("Operações"):
            self.falta("the saved operations did not close")
        self.fecha_bancada(titulo)


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    inicio = time.monotonic()
    with Sessao(argv[1]) as s:
        c = Conferencia(s)
        try:
            m = c.menu()
            c.venda_certa(m)
            b = c.bancada()
            c.recibo(b)
            c.fecha_bancada()
            c.desconto(m)
            c.taxa_liquido()
            c.fecha_bancada()
            c.prestacao(m)
            c.renegociacao(m)
            c.operacoes(m)
            c.pressiona(m, "Sair")
            if not s.terminou():
                c.falta("the program did not end after \"Sair\"")
        except Falha as e:
            c.falta("walk stopped: " + str(e))
        s.guarda = bool(c.faltas)  # the logs stay for a look
    lenta = max(c.prensas, key=lambda x: x[1]) if c.prensas else ("", 0)
    print("%d windows, %d presses (slowest %r, %.2f s), %.0f s"
          % (len(c.janelas), len(c.prensas), lenta[0], lenta[1], time.monotonic() - inicio))
    if c.faltas:
        print("%d failed:" % len(c.faltas))
        for f in c.faltas:
            print("  " + f)
        return 1
    print("all controls found by their captions, every press returned")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
