"""Driving a desktop program from outside, as a screen reader or an automation
client does: through the AT-SPI accessibility bus, with mouse clicks and keys
sent through the X server by xdotool at a typist's speed.

A Sessao starts a private X server (Xvfb), the AT-SPI bus and a copy of the
program in a private folder of its own (its HOME, its configuration and data
folders, and its logs), with Qt's accessibility switched on, and ends them all
when it is left. Inside it:

    with Sessao("build/quantivo") as s:
        menu = s.janela("Quantivo - www.example.com")
        s.pressiona(s.acha("Venda certa", raiz=menu, papeis=BOTAO))
        janela = s.espera_ativa("Venda Certa (Desconto Inverso)")
        s.escreve(s.acha("Valor Financiado", raiz=janela, papeis=CAMPO), "5000")
        s.digita("<Return>", "3", "<F5>")
        print(s.texto(s.acha("Valor Financiado", raiz=janela, papeis=CAMPO)))

A control is found by its caption: its accessible name, or the name of the
label it is "labelled by". Presses go through the control's own action and must
return within a time limit: a press that does not return is a hang (Travou).

Needs, on Debian: xvfb, at-spi2-core, python3-pyatspi, gir1.2-atspi-2.0,
xdotool, xclip (for what a spreadsheet would have copied) and a D-Bus session bus (run the script under dbus-run-session;
tests/atspi/run.sh does both). Use the system's /usr/bin/python3, which has the
pyatspi module. Nothing here knows the program's windows: the checks beside it
do.
"""

import os
import shutil
import subprocess
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402
import pyatspi  # noqa: E402

# A clerk who types all day: about 25 keys a second, no pause after a click.
ATRASO_TECLA_MS = 40
# How long a window, a control or a value may take to appear.
ESPERA_S = 10.0

# Role names, as AT-SPI gives them, of the kinds of control.
BOTAO = ("push button", "toggle button")
CAMPO = ("text", "entry", "password text", "spin button")
LISTA = ("combo box",)
GRADE = ("table", "tree table", "list")
CAIXA = ("check box", "radio button")
ROTULO = ("label",)


# The main menu's title, the first window of every run; the workbench's; the
# message boxes' title; xdotool's name of the Enter key.
MENU = "Quantivo - www.example.com"
BANCADA = "QUANTIVO"
ATENCAO = "Atenção"
ENTER = "<Return>"


class Falha(Exception):
    """A window, control or value that could not be found or used."""


class Travou(Falha):
    """A press whose call did not return within its time limit."""


def normaliza(texto):
    """The text as a reader hears it: blanks run together, '&' marks dropped."""
    if texto is None:
        return ""
    return " ".join(texto.replace("&&", "\x01").replace("&", "").replace("\x01", "&").split())


def espera(condicao, limite=ESPERA_S, passo=0.1):
    """Polls `condicao` until it gives something true; returns it, or None."""
    fim = time.monotonic() + limite
    while True:
        try:
            r = condicao()
        except Exception:  # the tree changes under us while windows open and close
            r = None
        if r:
            return r
        if time.monotonic() > fim:
            return None
        time.sleep(passo)


def espera_igual(ler, esperado, oque, limite=ESPERA_S):
    """Waits until `ler()` gives `esperado`; Falha with what it gave last."""
    ultimo = []

    def igual():
        ultimo[:] = [ler()]
        return ultimo[0] == esperado

    if espera(igual, limite) is None:
        raise Falha('%s: %r, expected %r' % (oque, ultimo[0] if ultimo else None, esperado))


def filhos(obj):
    try:
        n = obj.childCount
    except Exception:
        return []
    out = []
    for i in range(n):
        try:
            c = obj.getChildAtIndex(i)
        except Exception:
            c = None
        if c is not None:
            out.append(c)
    return out


def percorre(raiz, limite=5000):
    """Every object under `raiz` (itself included), depth first in the order
    a reader goes through them."""
    pilha, vistos = [raiz], 0
    while pilha and vistos < limite:
        o = pilha.pop()
        vistos += 1
        yield o
        pilha.extend(reversed(filhos(o)))


def papel(obj):
    try:
        return obj.getRoleName()
    except Exception:
        return ""


def estados(obj):
    try:
        return obj.getState()
    except Exception:
        return None


def visivel(obj):
    s = estados(obj)
    return bool(s) and s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def rotulos(obj):
    """Names of the objects that label `obj` (its "labelled by" relation)."""
    nomes = []
    try:
        for r in obj.getRelationSet():
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                for i in range(r.getNTargets()):
                    nomes.append(normaliza(r.getTarget(i).name))
    except Exception:
        pass
    return nomes


def legendas(obj):
    """Every caption by which `obj` can be found: its name and its labels."""
    try:
        nome = normaliza(obj.name)
    except Exception:
        nome = ""
    return ([nome] if nome else []) + rotulos(obj)


def descricao(obj):
    try:
        return normaliza(obj.description)
    except Exception:
        return ""


def texto(obj):
    """What a reader reads from the control: its text, else its name."""
    try:
        t = obj.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return obj.name or ""


def celula(grade, linha, coluna):
    """A cell of a table, by its row and column."""
    return grade.queryTable().getAccessibleAt(linha, coluna)


def xdotool(*args, limite=120):
    subprocess.run(["xdotool", *args], check=True, timeout=limite, capture_output=True)


def _regex(texto_):
    return "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in texto_)


class Sessao:
    """A private X display, an AT-SPI bus and a copy of the program, for one
    run. The copy lives in a private folder (the settings file it saves goes
    beside it, the listing into its own data folder), which also keeps the
    logs; it is removed when the run ends well, and kept when `guarda` is set
    or the block ended with an exception."""

    def __init__(self, programa, largura=1280, altura=1024, localidade="C.UTF-8"):
        self.tela = "%dx%dx24" % (largura, altura)
        self.localidade = localidade
        self.pasta = tempfile.mkdtemp(prefix="quantivo-atspi-")
        self.copia = os.path.join(self.pasta, "bin", os.path.basename(programa))
        os.makedirs(os.path.dirname(self.copia))
        shutil.copy2(os.path.abspath(programa), self.copia)
        self.guarda = False
        self.inicios = 0
        self.processos = []
        self.programa = None
        self.app = None
        self.display = None

    # --- start and stop -----------------------------------------------------

    def __enter__(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise Falha("no D-Bus session bus: run under dbus-run-session (tests/atspi/run.sh)")
        for ferramenta in ("Xvfb", "xdotool"):
            if not shutil.which(ferramenta):
                raise Falha(ferramenta + " is not installed")
        try:
            self._inicia_x()
            self._inicia_barramento()
            self._inicia_programa()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, tipo, *exc):
        for p in [self.programa] + list(reversed(self.processos)):
            if p is not None and p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        if self.guarda or tipo is not None:
            print("logs in", self.pasta)
        else:
            shutil.rmtree(self.pasta, ignore_errors=True)
        return False

    def _log(self, nome):
        return open(os.path.join(self.pasta, nome), "w")

    def _inicia_x(self):
        leitura, escrita = os.pipe()
        x = subprocess.Popen(["Xvfb", "-displayfd", str(escrita), "-screen", "0", self.tela, "-nolisten", "tcp"],
                             pass_fds=(escrita,), stdout=self._log("xvfb.log"), stderr=subprocess.STDOUT)
        os.close(escrita)
        self.processos.append(x)
        numero = b""
        fim = time.monotonic() + 15
        while not numero.endswith(b"\n") and time.monotonic() < fim:
            parte = os.read(leitura, 16)
            if not parte:
                break
            numero += parte
        os.close(leitura)
        if not numero.strip():
            raise Falha("Xvfb did not start (see %s/xvfb.log)" % self.pasta)
        self.display = ":" + numero.decode().strip()
        os.environ["DISPLAY"] = self.display

    def _inicia_barramento(self):
        lancador = next((c for c in ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                         if os.path.exists(c)), None)
        if not lancador:
            raise Falha("at-spi-bus-launcher not found (package at-spi2-core)")
        b = subprocess.Popen([lancador, "--launch-immediately"], stdout=self._log("atspi-bus.log"),
                             stderr=subprocess.STDOUT)
        self.processos.append(b)
        # The desktop answers once the registry runs on the new bus.
        if espera(lambda: pyatspi.Registry.getDesktop(0) is not None, 15) is None:
            raise Falha("the AT-SPI registry did not answer")

    def _inicia_programa(self):
        casa = os.path.join(self.pasta, "casa")
        execucao = os.path.join(self.pasta, "xdg")
        os.makedirs(casa, exist_ok=True)
        os.makedirs(execucao, mode=0o700, exist_ok=True)
        amb = dict(os.environ)
        amb.update({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1", "QT_QPA_PLATFORM": "xcb",
                    "DISPLAY": self.display, "HOME": casa, "XDG_CONFIG_HOME": os.path.join(casa, "config"),
                    "XDG_DATA_HOME": os.path.join(casa, "data"), "XDG_RUNTIME_DIR": execucao,
                    "LC_ALL": self.localidade})
        self.inicios += 1
        log = "programa.log" if self.inicios == 1 else "programa-%d.log" % self.inicios
        self.programa = subprocess.Popen([self.copia], env=amb, stdout=self._log(log), stderr=subprocess.STDOUT)
        pid = self.programa.pid

        def achada():
            for a in filhos(pyatspi.Registry.getDesktop(0)):
                try:
                    if a.get_process_id() == pid:
                        return a
                except Exception:
                    continue
            return None

        self.app = espera(achada, 20)
        if self.app is None:
            raise Falha("the program did not appear on the AT-SPI bus (see %s/programa.log)" % self.pasta)

    def terminou(self, limite=ESPERA_S):
        """Whether the program ended within `limite` seconds."""
        return espera(lambda: self.programa.poll() is not None, limite) is not None

    def inicia_de_novo(self):
        """Starts the program again, once it has ended, with the same home,
        settings and data folders (what it saved is there)."""
        if self.programa.poll() is None:
            raise Falha("the program is still running")
        self._inicia_programa()

    # --- finding ----------------------------------------------------------------

    def janelas(self):
        return [j for j in filhos(self.app) if visivel(j)]

    def janela(self, titulo, limite=ESPERA_S):
        """The program's shown top-level window of that title."""
        alvo = normaliza(titulo)
        j = espera(lambda: next((j for j in self.janelas() if normaliza(j.name) == alvo), None), limite)
        if j is None:
            abertas = ", ".join(repr(normaliza(x.name)) for x in self.janelas())
            raise Falha("window %r not shown (shown: %s)" % (titulo, abertas))
        return j

    def espera_ativa(self, titulo, limite=ESPERA_S):
        """The window of that title once it is the active one (where the keys go)."""
        alvo = normaliza(titulo)

        def ativa():
            return next((j for j in filhos(self.app) if normaliza(j.name) == alvo
                         and estados(j).contains(pyatspi.STATE_ACTIVE)), None)

        j = espera(ativa, limite)
        if j is None:
            raise Falha("window %r did not become the active one" % titulo)
        return j

    def fechou(self, titulo, limite=ESPERA_S):
        alvo = normaliza(titulo)
        return espera(lambda: all(normaliza(j.name) != alvo for j in self.janelas()), limite) is not None

    def procura(self, legenda, raiz=None, papeis=None, comeco=False, so_rotulo=False):
        """Every shown object under `raiz` found by that caption (with
        `comeco`, a caption that begins so; with `so_rotulo`, only through a
        label tied to it)."""
        alvo = normaliza(legenda)
        achados = []
        for o in percorre(raiz or self.app):
            if papeis and papel(o) not in papeis:
                continue
            ls = rotulos(o) if so_rotulo else legendas(o)
            if any(l == alvo or (comeco and l.startswith(alvo)) for l in ls) and visivel(o):
                achados.append(o)
        return achados

    def acha(self, legenda, raiz=None, papeis=None, comeco=False, so_rotulo=False, limite=5.0):
        """The first shown object found by its caption; Falha when there is none."""
        o = espera(lambda: next(iter(self.procura(legenda, raiz, papeis, comeco, so_rotulo)), None), limite)
        if o is None:
            onde = normaliza(raiz.name) if raiz is not None else "the program"
            raise Falha("no control captioned %r in %r" % (legenda, onde))
        return o

    # --- using ------------------------------------------------------------------

    def pressiona(self, obj, limite=3.0):
        """Presses the control through its accessible action; returns the seconds
        the call took. Travou when it did not return within `limite`."""
        try:
            acao = obj.queryAction()
        except NotImplementedError:
            raise Falha("%r has no action" % normaliza(obj.name))
        nomes = [acao.getName(i).lower() for i in range(acao.nActions)]
        indice = next((nomes.index(n) for n in ("press", "click", "activate", "toggle") if n in nomes), None)
        if indice is None:
            raise Falha("%r cannot be pressed (actions: %s)" % (normaliza(obj.name), nomes))
        Atspi.set_timeout(int(limite * 1000), 15000)
        inicio = time.monotonic()
        try:
            acao.doAction(indice)
        except Exception as e:
            if time.monotonic() - inicio >= limite * 0.9:
                raise Travou("pressing %r did not return within %.1f s" % (normaliza(obj.name), limite))
            raise Falha("pressing %r failed: %s" % (normaliza(obj.name), e))
        finally:
            Atspi.set_timeout(25000, 15000)
        return time.monotonic() - inicio

    def clica(self, obj):
        """A mouse click in the middle of the control, through the X server."""
        e = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", "--sync", str(e.x + e.width // 2), str(e.y + e.height // 2), "click", "1")

    def foca(self, obj):
        """Gives `obj` the keyboard focus: its window gets the X input focus."""
        janela = obj
        while janela is not None and janela.parent is not None and papel(janela.parent) != "application":
            janela = janela.parent
        if janela is not None:
            self.foca_janela(janela.name)
        obj.queryComponent().grabFocus()
        if espera(lambda: estados(obj).contains(pyatspi.STATE_FOCUSED), 3) is None:
            raise Falha("%r did not take the focus" % normaliza(obj.name))

    def janelas_x(self):
        """The program's X windows that are shown, popups included (Qt leaves
        popups out of the AT-SPI tree; a reader meets them by their focus)."""
        saida = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.programa.pid)],
                               capture_output=True, text=True).stdout
        return set(saida.split())

    def foca_janela(self, titulo):
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % _regex(titulo)],
                             capture_output=True, text=True).stdout.split()
        if ids:
            subprocess.run(["xdotool", "windowfocus", "--sync", ids[-1]], capture_output=True, timeout=10)

    def digita(self, *partes, atraso=ATRASO_TECLA_MS):
        """Types into whatever has the keyboard focus, one key at a time, texts
        and named keys in one run without pauses: a part in angle brackets is a
        key by its X name (<Return>, <F5>, <ctrl+z>), any other is text."""
        for parte in partes:
            if len(parte) > 2 and parte.startswith("<") and parte.endswith(">"):
                xdotool("key", "--delay", str(atraso), parte[1:-1])
            elif parte:
                xdotool("type", "--delay", str(atraso), parte)

    def escreve(self, obj, texto_, atraso=ATRASO_TECLA_MS):
        """Focuses the field and types `texto_` into it."""
        self.foca(obj)
        self.digita(texto_, atraso=atraso)

    def texto(self, obj):
        return texto(obj)

    def copia_texto(self, texto_):
        """Puts `texto_` on the X clipboard, as a spreadsheet's copy does (xclip
        keeps it there until another program takes the clipboard)."""
        if not shutil.which("xclip"):
            raise Falha("xclip is not installed")
        p = subprocess.Popen(["xclip", "-selection", "clipboard", "-i"], stdin=subprocess.PIPE,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        p.communicate(texto_.encode("utf-8"), timeout=10)
        self.processos.append(p)

    def caixa(self, titulo, limite=ESPERA_S):
        """The message box of that title, once it is the active window, and
        the texts of its labels run together."""
        j = self.espera_ativa(titulo, limite)
        return j, " ".join(normaliza(o.name) for o in percorre(j) if papel(o) in ROTULO)


def roteiro(argv, passos, feito):
    """A script's whole run: the program (argv[1], default build/quantivo)
    started under the locale argv[2] (default C.UTF-8), `passos(s, menu)` on
    it, and one line said at the end, `feito` with the locale and the time, or
    the failure. Returns the exit status."""
    import sys
    programa = argv[1] if len(argv) > 1 else "build/quantivo"
    # One locale a run: a second session in the same D-Bus session would not
    # find its program on the bus (run.sh runs each script under each).
    localidade = argv[2] if len(argv) > 2 else "C.UTF-8"
    inicio = time.monotonic()
    try:
        with Sessao(programa, localidade=localidade) as s:
            passos(s, s.janela(MENU))
    except Falha as f:
        print("FAILED under %s: %s" % (localidade, f), file=sys.stderr)
        return 1
    print("%s, under %s (%.0f s)" % (feito, localidade, time.monotonic() - inicio))
    return 0
