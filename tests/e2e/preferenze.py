#!/usr/bin/python3
"""The preferences dialog as a keyboard and screen-reader user meets it.

Starts `brenvolo` as tests/e2e/giornata.py does (its own display, session
bus and settings), opens "Preferenze" from the main window and checks through
AT-SPI that every control of every page has a non-empty accessible name of
its own on that page, and that the Tab key goes through "Generale" and the
band page "Feriali" in the order the controls are laid out: group box by
group box, top to bottom, left to right.

    preferenze.py --brenvolo PATH --cli PATH
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import giornata  # noqa: E402  the display, the bus and the AT-SPI helpers
from giornata import Fallito, attendi, log, verifica  # noqa: E402

CONTROLLI = {"push button", "check box", "radio button", "text", "password text", "spin button", "combo box",
             "table", "page tab"}
# A group box is announced by its title, when the focus enters it.
GRUPPI = {"panel"}


def atspi():
    import pyatspi  # only inside the session bus that the test starts

    return pyatspi


def figli(o):
    return [o.getChildAtIndex(i) for i in range(o.childCount)]


def ambiti(nodo, nome, risultato):
    """The controls and group boxes shown together: the dialog's own, and
    each page's (a page holding pages, "Fasce orarie", gives one group a
    sub-page). A drop-down's text field and list, and a grid's cells, belong
    to it."""
    controlli = []
    risultato.append((nome, controlli))

    def visita(o, dentro):
        for f in figli(o):
            ruolo = f.getRoleName()
            if ruolo == "layered pane":
                for i, pagina in enumerate(figli(f)):
                    ambiti(pagina, "%s/%d" % (nome, i), risultato)
                continue
            if (ruolo in CONTROLLI and stato(f, atspi().STATE_FOCUSABLE)) or ruolo in GRUPPI:
                dentro.append(f)
            if ruolo not in ("combo box", "table"):
                visita(f, dentro)

    visita(nodo, controlli)
    return risultato


def controlla_nomi(dialogo):
    for nome, controlli in ambiti(dialogo, "Preferenze", []):
        nomi = [c.name.strip() for c in controlli]
        vuoti = [c.getRoleName() for c in controlli if not c.name.strip()]
        verifica(not vuoti, "%s: controlli senza nome: %r" % (nome, vuoti))
        doppi = sorted({n for n in nomi if nomi.count(n) > 1})
        verifica(not doppi, "%s: nomi ripetuti: %r" % (nome, doppi))
        log("%s: %d controlli e riquadri, ciascuno con il suo nome" % (nome, len(controlli)))


def stato(o, quale):
    return o.getState().contains(quale)


def ordine_visivo(pagina):
    """The controls the Tab key reaches on a page (shown, enabled, the checked
    radio button of a group), in the order they are laid out."""
    pyatspi = atspi()
    raggiungibili = []

    def visita(o, gruppo):
        for f in figli(o):
            ruolo = f.getRoleName()
            esterno = gruppo if gruppo is not None or ruolo != "panel" else f
            if ruolo in CONTROLLI and stato(f, pyatspi.STATE_SHOWING) and stato(f, pyatspi.STATE_SENSITIVE) and \
                    stato(f, pyatspi.STATE_FOCUSABLE) and (ruolo != "radio button" or stato(f, pyatspi.STATE_CHECKED)):
                raggiungibili.append((posto(esterno or f), posto(f), f.name))
            if ruolo not in ("combo box", "table"):
                visita(f, esterno)

    visita(pagina, None)
    return [nome for _, _, nome in sorted(raggiungibili)]


def posto(o):
    box = o.queryComponent().getExtents(atspi().DESKTOP_COORDS)
    return (box.y, box.x)


def a_fuoco(dialogo):
    pyatspi = atspi()
    trovato = pyatspi.findDescendant(dialogo, lambda o: stato(o, pyatspi.STATE_FOCUSED) and stato(
        o, pyatspi.STATE_SHOWING) and o.getRoleName() != "table cell")
    return trovato.name if trovato is not None else None


def tab(dialogo):
    """Presses Tab and returns the name of the control that takes the focus."""
    prima = a_fuoco(dialogo)
    subprocess.run(["xdotool", "key", "Tab"], check=True)
    return attendi("il fuoco dopo «%s»" % prima, lambda: (a_fuoco(dialogo) or prima) != prima and a_fuoco(dialogo),
                   10)


def ordine_tab(dialogo, primo, quanti):
    """The names the focus goes through with the Tab key, from the page's tab
    to its first control `primo` and on."""
    for _ in range(4):
        if tab(dialogo) == primo:
            break
    else:
        raise Fallito("il tasto Tab non arriva a «%s»" % primo)
    visti = [primo]
    while len(visti) < quanti:
        visti.append(tab(dialogo))
    return visti


def pagina_mostrata(dialogo):
    """The page of a page control that is shown: the one shown child of its layered pane."""
    pyatspi = atspi()
    pile = pyatspi.findAllDescendants(dialogo, lambda o: o.getRoleName() == "layered pane" and stato(
        o, pyatspi.STATE_SHOWING))
    mostrate = [p for pila in pile for p in figli(pila) if stato(p, pyatspi.STATE_SHOWING)]
    # The innermost: a sub-page lies within its page.
    return mostrate[-1]


def controlla_tab(dialogo, pagina):
    atteso = ordine_visivo(pagina_mostrata(dialogo))
    visto = ordine_tab(dialogo, atteso[0], len(atteso))
    verifica(visto == atteso, "%s: il tasto Tab va per %r invece di %r" % (pagina, visto, atteso))
    log("%s: il tasto Tab segue la pagina: %r" % (pagina, visto))


def esegui(args):
    g = giornata.Giornata(args)
    riuscito = False
    try:
        g.avvia()
        giornata.rispondi_avvisi(g.a11y, giornata.PRIMA_ESECUZIONE, 30)
        principale = g.finestra_principale()
        g.a11y.premi(g.a11y.cerca(principale, "Setup", ("menu item",)), apre_finestra_modale=True)
        dialogo = attendi("le preferenze", lambda: g.a11y.finestra("Preferenze"), 15)
        controlla_nomi(dialogo)
        # The keys go to the dialog's window (there is no window manager to give it the keyboard).
        finestra = attendi("la finestra delle preferenze", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Preferenze$"], capture_output=True,
            text=True).stdout.split(), 10)
        subprocess.run(["xdotool", "windowfocus", "--sync", finestra[-1]], check=True)
        controlla_tab(dialogo, "Generale")
        g.a11y.premi(g.a11y.cerca(dialogo, "Fasce orarie", ("page tab",)))
        attendi("la pagina Fasce orarie", lambda: stato(g.a11y.cerca(dialogo, "Fasce feriali"),
                                                          atspi().STATE_SHOWING), 10)
        controlla_tab(dialogo, "Feriali")
        g.termina()
        riuscito = True
    except Exception as e:
        print("FALLITO: %s" % e, flush=True)
        if not isinstance(e, Fallito):
            raise
    finally:
        g.pulisci(riuscito)
    return 0 if riuscito else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--brenvolo", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--interno", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    args.modo, args.secondi = "normale", 0
    if args.interno:
        return esegui(args)
    inizio = time.monotonic()
    codice = giornata.isolato(__file__, ["--brenvolo", os.path.abspath(args.brenvolo),
                                         "--cli", os.path.abspath(args.cli)], "preferenze")
    log("preferenze: %s in %.0f s" % ("riuscito" if codice == 0 else "fallito", time.monotonic() - inizio))
    return codice

if __name__ == "__main__":
    sys.exit(main())
