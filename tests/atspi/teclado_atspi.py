"""Driving the desktop program from outside, as a screen reader or an
automation client does: a private X display (Xvfb), the program with its
accessibility tree on the AT-SPI bus, controls found by their caption, mouse
clicks and keys sent through the X server (xdotool) at a typist's speed.

Run inside a session bus of its own (`dbus-run-session`); tests/atspi/roda.sh
does that. Nothing here knows the program's windows: the scripts beside it do.
"""
import os
import subprocess
import tempfile
import time

# A clerk who types all day: about 25 keys a second, no pause after a click.
ATRASO_TECLA_MS = 40
ESPERA_S = 15.0


class Falha(AssertionError):
    pass


class Sessao:
    """Xvfb, the AT-SPI bus and the program, started together and stopped
    together (a `with` block)."""

    def __init__(self, programa, largura=1280, altura=1024):
        self.programa = programa
        self.tamanho = f"{largura}x{altura}x24"
        self.processos = []
        self.casa = tempfile.TemporaryDirectory(prefix="quantivo-atspi-")
        self.app = None

    def __enter__(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise Falha("no session bus: run under dbus-run-session (tests/atspi/roda.sh)")
        leitura, escrita = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(escrita), "-screen", "0", self.tamanho, "-nolisten", "tcp"],
                                pass_fds=(escrita,), stderr=subprocess.DEVNULL)
        self.processos.append(xvfb)
        os.close(escrita)
        with os.fdopen(leitura) as f:
            numero = f.readline().strip()
        if not numero:
            raise Falha("Xvfb did not start")
        os.environ["DISPLAY"] = ":" + numero
        self.processos.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
        time.sleep(0.5)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
                   HOME=self.casa.name, XDG_RUNTIME_DIR=self.casa.name, XDG_CONFIG_HOME=self.casa.name + "/config",
                   XDG_DATA_HOME=self.casa.name + "/data", LC_ALL="C.UTF-8")
        self.processos.append(subprocess.Popen([self.programa], env=env))
        import pyatspi  # only once the bus and the display are known
        self.pyatspi = pyatspi
        self.app = espera(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                        if a is not None and (a.name or "").lower() == "quantivo"), None),
                          "the program on the accessibility bus")
        return self

    def __exit__(self, *exc):
        for p in reversed(self.processos):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.casa.cleanup()
        return False

    # --- Finding --------------------------------------------------------

    def janela(self, titulo):
        """The top-level window with this title (or a title that begins with
        it and a space), once it is showing."""
        st = self.pyatspi.STATE_SHOWING
        return espera(lambda: next((j for j in self.app if j is not None and titulo_de(j, titulo)
                                    and j.getState().contains(st)), None), f'window "{titulo}"')

    def janela_ativa(self):
        for j in self.app:
            if j is not None and j.getState().contains(self.pyatspi.STATE_ACTIVE):
                return j
        return None

    def espera_ativa(self, titulo):
        """Waits until the window with this title is the active one."""
        return espera(lambda: (lambda j: j if j is not None and titulo_de(j, titulo) else None)(self.janela_ativa()),
                      f'window "{titulo}" active')

    def controle(self, raiz, legenda, papel=None):
        """The control whose caption is `legenda`: its accessible name, or
        the label that names it (label-for relation)."""
        def procura():
            for acc in percorre(raiz):
                if papel is not None and acc.getRole() != papel:
                    continue
                if acc.name == legenda or legenda in rotulos(acc, self.pyatspi):
                    return acc
            return None
        return espera(procura, f'control "{legenda}"')

    def cadeia(self, raiz, inicio):
        """The first label whose text begins with `inicio`."""
        return espera(lambda: next((a for a in percorre(raiz) if (a.name or "").startswith(inicio)), None),
                      f'text beginning "{inicio}"')

    # --- Acting, as a user acts ---------------------------------------

    def clica(self, acc):
        x, y = centro(acc, self.pyatspi)
        xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def digita(self, *partes):
        """Types texts and named keys in one run, without pauses: a part in
        angle brackets is a key (<Return>, <F5>, <ctrl+z>), any other is text."""
        for parte in partes:
            if parte.startswith("<") and parte.endswith(">"):
                xdotool("key", "--delay", str(ATRASO_TECLA_MS), parte[1:-1])
            elif parte:
                xdotool("type", "--delay", str(ATRASO_TECLA_MS), parte)

    def pressiona(self, acc):
        """A button's own action, as an assistive tool presses it."""
        acao = acc.queryAction()
        for i in range(acao.nActions):
            if acao.getName(i) in ("Press", "press", "click"):
                acao.doAction(i)
                return
        raise Falha(f'"{acc.name}" has no press action')


def titulo_de(janela, titulo):
    nome = janela.name or ""
    return nome == titulo or nome.startswith(titulo + " ")


def percorre(raiz):
    pilha = [raiz]
    while pilha:
        acc = pilha.pop()
        if acc is None:
            continue
        yield acc
        try:
            pilha.extend(reversed([acc.getChildAtIndex(i) for i in range(acc.childCount)]))
        except Exception:
            pass


def rotulos(acc, pyatspi):
    nomes = []
    try:
        for rel in acc.getRelationSet():
            if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                nomes += [rel.getTarget(i).name for i in range(rel.getNTargets())]
    except Exception:
        pass
    return nomes


def texto(acc):
    """What a field or a label shows."""
    try:
        t = acc.queryText()
        return t.getText(0, -1)
    except NotImplementedError:
        return acc.name or ""


def centro(acc, pyatspi):
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x + e.width // 2, e.y + e.height // 2


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def espera(achar, oque, limite=ESPERA_S):
    fim = time.monotonic() + limite
    while True:
        try:
            r = achar()
        except Exception:
            r = None
        if r:
            return r
        if time.monotonic() > fim:
            raise Falha(f"not found in {limite:.0f} s: {oque}")
        time.sleep(0.1)


def espera_igual(ler, esperado, oque, limite=ESPERA_S):
    """Waits until `ler()` gives `esperado`; fails with what it gave last."""
    fim = time.monotonic() + limite
    while True:
        valor = ler()
        if valor == esperado:
            return
        if time.monotonic() > fim:
            raise Falha(f'{oque}: "{valor}", expected "{esperado}"')
        time.sleep(0.1)
