#!/usr/bin/python3
"""Checks the golden answers of taxa_para_liquido by the cheque discount
itself, from outside the program: each answer's rate is run through
quantivo-batch's desconto_cheque, and so are its two neighbours, 0,0001 up
and down. The answer must be that discount's figures; neither neighbour may
come nearer the wanted net, and the lower one not even as near. An answer
without a rate must have a wanted net outside what the rates 0 and 100 %
give, with one message saying so, or be the discount's own stop or error.

    python3 tests/tools/confere_taxa_para_liquido.py build/tools/quantivo-batch tests/golden/taxa_para_liquido.jsonl

Exits non-zero, listing each case that fails.
"""
import decimal
import json
import re
import subprocess
import sys

MAXIMA = 1000000  # 100 % a month in ten-thousandths of a percent


class Lote:
    """One quantivo-batch, a request line in, an answer line out."""

    def __init__(self, programa):
        self.p = subprocess.Popen([programa], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                  encoding="utf-8")

    def pede(self, pedido):
        self.p.stdin.write(json.dumps(pedido, ensure_ascii=False) + "\n")
        self.p.stdin.flush()
        return json.loads(self.p.stdout.readline())


def centavos(texto):
    """An amount text as the workbench writes it ("-1.234,56"), in cents."""
    c = int(re.sub(r"[^0-9]", "", texto))
    return -c if "-" in texto else c


def desejado(texto):
    """The wanted net by the amount rule: only digits and "," count; a
    number is taken to the cent, halves away from zero."""
    if isinstance(texto, (int, float)):
        return int(decimal.Decimal(repr(texto)).scaleb(2).quantize(1, decimal.ROUND_HALF_UP))
    limpo = re.sub(r"[^0-9,]", "", texto)
    inteiro, _, frac = limpo.partition(",")
    return int(inteiro or "0") * 100 + int((frac + "00")[:2]) if re.search(r"[0-9]", limpo) else None


def passos(taxa):
    inteiro, _, frac = taxa.partition(",")
    return int(inteiro) * 10000 + int((frac + "0000")[:4])


def taxa(k):
    frac = ("%04d" % (k % 10000)).rstrip("0")
    return str(k // 10000) + ("," + frac if frac else "")


def confere(lote, caso):
    pedido, resposta = caso["pedido"], caso["resposta"]
    erros = []

    def desconto(k=None):
        p = dict(pedido, op="desconto_cheque", dados=dict(pedido["dados"]))
        p.pop("LiquidoDesejado")
        if k is not None:
            p["dados"]["Taxa"] = taxa(k)
        return lote.pede(p)

    w = desejado(pedido["LiquidoDesejado"])
    if resposta.get("Taxa") is None:
        if resposta.get("diferenca") is not None:
            erros.append("a difference without a rate")
        if w is None:
            if (resposta.get("erro") or {}).get("tipo") != "conversao":
                erros.append("an unreadable wanted net without its conversion error")
            return erros
        proprio = desconto()
        if proprio.get("erro") is not None:
            if resposta.get("erro") != proprio["erro"]:
                erros.append("no rate, and not the discount's own error %s" % proprio["erro"])
        elif not proprio["rotulos"]["Juros"].startswith("Juros ="):
            # The discount stops at any rate, or finds no cheque: its message,
            # or, with none, one saying so.
            if resposta["mensagens"] != proprio["mensagens"] and len(resposta["mensagens"]) != 1:
                erros.append("no rate: messages %s, the discount's %s" % (resposta["mensagens"], proprio["mensagens"]))
        else:
            alto, baixo = desconto(0)["ValorFinanciado"], desconto(MAXIMA)["ValorFinanciado"]
            if centavos(baixo) <= w <= centavos(alto):
                erros.append("no rate, but the net wanted lies between %s and %s" % (baixo, alto))
            if len(resposta["mensagens"]) != 1 or baixo not in resposta["mensagens"][0] or \
                    alto not in resposta["mensagens"][0]:
                erros.append("not one message with the range %s to %s: %s" % (baixo, alto, resposta["mensagens"]))
        return erros

    t = resposta["Taxa"]
    k = passos(t)
    if taxa(k) != t:
        erros.append("rate %r is not as the field holds it (%r)" % (t, taxa(k)))
    aqui = desconto(k)
    for campo in ("ValorFinanciado", "linhas", "rotulos", "CET", "mensagens", "erro"):
        if campo in resposta and resposta[campo] != aqui[campo]:
            erros.append("%s %r, the discount at %s gives %r" % (campo, resposta[campo], t, aqui[campo]))
    d = centavos(aqui["ValorFinanciado"]) - w
    if centavos(resposta["diferenca"]) != d:
        erros.append("difference %s, the discount gives %d cents" % (resposta["diferenca"], d))
    for vizinha, mais_perto in ((k - 1, lambda x: x <= abs(d)), (k + 1, lambda x: x < abs(d))):
        if 0 <= vizinha <= MAXIMA:
            dv = abs(centavos(desconto(vizinha)["ValorFinanciado"]) - w)
            if mais_perto(dv):
                erros.append("%s misses by %d cents, %s by %d" % (taxa(vizinha), dv, t, abs(d)))
    return erros


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    lote = Lote(argv[1])
    falhas = casos = 0
    with open(argv[2], encoding="utf-8") as f:
        for n, linha in enumerate(f, 1):
            if not linha.strip() or linha.startswith("#"):
                continue
            caso = json.loads(linha)
            casos += 1
            for e in confere(lote, caso):
                falhas += 1
                print("line %d (%s): %s" % (n, caso.get("caso", ""), e))
    print("%d cases, %d failures" % (casos, falhas))
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
