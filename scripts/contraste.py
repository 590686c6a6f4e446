#!/usr/bin/python3
"""WCAG contrast of a text against its background, measured in a screenshot.

    python3 scripts/contraste.py docs/screenshots/principal.png 202,10,372,88 [...]

For each box (x,y,width,height, in pixels) the background is the box's most
frequent colour and the text colour is the pixel that stands farthest from it
in luminance (the core of a glyph, not its anti-aliased rim). Prints one line
per box: the two colours and their contrast, 1 to 21. Reads 8-bit RGB or RGBA
PNG files as Qt writes them, with the standard library alone.
"""

import collections
import struct
import sys
import zlib


def le_png(caminho):
    with open(caminho, "rb") as f:
        dados = f.read()
    if dados[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG file" % caminho)
    pos, idat = 8, b""
    while pos < len(dados):
        tamanho, tipo = struct.unpack(">I4s", dados[pos:pos + 8])
        corpo = dados[pos + 8:pos + 8 + tamanho]
        if tipo == b"IHDR":
            largura, altura, bits, cor, _, _, entrelacado = struct.unpack(">IIBBBBB", corpo)
            if bits != 8 or cor not in (2, 6) or entrelacado:
                raise ValueError("%s: only 8-bit RGB/RGBA, not interlaced" % caminho)
        elif tipo == b"IDAT":
            idat += corpo
        pos += 12 + tamanho
    bpp = 3 if cor == 2 else 4
    cru = zlib.decompress(idat)
    linhas, anterior, p = [], bytearray(largura * bpp), 0
    for _ in range(altura):
        filtro, linha = cru[p], bytearray(cru[p + 1:p + 1 + largura * bpp])
        p += 1 + largura * bpp
        for i in range(len(linha)):
            a = linha[i - bpp] if i >= bpp else 0
            b = anterior[i]
            c = anterior[i - bpp] if i >= bpp else 0
            if filtro == 1:
                linha[i] = (linha[i] + a) & 255
            elif filtro == 2:
                linha[i] = (linha[i] + b) & 255
            elif filtro == 3:
                linha[i] = (linha[i] + (a + b) // 2) & 255
            elif filtro == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                linha[i] = (linha[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        linhas.append([tuple(linha[i:i + 3]) for i in range(0, len(linha), bpp)])
        anterior = linha
    return linhas


def luminancia(rgb):
    def canal(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (canal(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contraste(a, b):
    la, lb = luminancia(a), luminancia(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def mede(imagem, x, y, w, h):
    pixels = [imagem[j][i] for j in range(y, y + h) for i in range(x, x + w)]
    fundo = collections.Counter(pixels).most_common(1)[0][0]
    texto = max(set(pixels), key=lambda c: contraste(c, fundo))
    return fundo, texto, contraste(fundo, texto)


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    imagem = le_png(argv[1])
    for caixa in argv[2:]:
        x, y, w, h = (int(v) for v in caixa.split(","))
        fundo, texto, c = mede(imagem, x, y, w, h)
        print("%-20s fundo #%02x%02x%02x  texto #%02x%02x%02x  %.2f:1" % ((caixa,) + fundo + texto + (c,)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
