#!/usr/bin/python3
"""A user's day, end to end, with the real program.

Starts `brenvolo` on its own virtual X display and session bus, with a fresh
settings store, a fresh data directory and the scripted dial-up source. It
answers the first-run boxes as a person would, lets the script report the
phone-book entry "Casa" dialling, connected for a few seconds, then gone,
and checks that the program counted the call by itself: the session started
and stopped, tqklog.txt holds exactly the opening record (backdated by the
start delay) and the closing one, and `brenvolo-cli consumi --json` prices
the call. Controls are found by their accessible names through AT-SPI.

In the mode "networkmanager" the call is made by python3-dbusmock's
NetworkManager on a system bus of the scenario's own instead: its gsm profile
"Casa" activating, activated, then deactivated, with the numbers page giving
Casa the class "> 30". Mid-call NetworkManager is killed and started again
(finding the call up) and a Wi-Fi connection comes up beside it: neither may
change the session.

    giornata.py --brenvolo PATH --cli PATH --modo normale|statistiche|compatto|networkmanager
"""

import argparse
import datetime
import json
import os
import re
import shutil
import signal
import random
import socket
import struct
import subprocess
import sys
import tempfile
import time
import traceback

TITOLI_AVVISI = ("Attenzione!", "Informazione!")
PRIMA_ESECUZIONE = [
    "Inizializzazione alla prima esecuzione",
    "Grazie per aver scelto Brenvolo",
    "Creazione archivio chiamate",
]
CAMPI = ("text", "entry")  # the roles of a line edit
TEMPO_RISPOSTA = 10000  # milliseconds an AT-SPI call may wait for the program
TEMPO_AVVIO = 30000
RITARDO_AVVIO = 12  # the factory start delay, in seconds
DISPLAY_PERSO = 75  # the exit status of a run whose program never reached the display
FORMATO_RECORD = re.compile(
    r"^(\d\d/\d\d/\d{4} \d\d\.\d\d\.\d\d) collegamento (Aperto|Chiuso)  \d\d\d( (.*))?$"
)


class Fallito(Exception):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def attendi(descrizione, prova, entro, passo=0.25):
    """Polls `prova` until it returns something true; fails after `entro` seconds."""
    limite = time.monotonic() + entro
    while True:
        esito = prova()
        if esito:
            return esito
        if time.monotonic() > limite:
            raise Fallito("scaduto il tempo in attesa di: " + descrizione)
        time.sleep(passo)


def log(testo):
    print(time.strftime("%H:%M:%S"), testo, flush=True)


# --- the virtual display and the session bus --------------------------------


def avvia_display():
    """An Xvfb of our own. The X library tries the display's abstract socket
    first, which a server in another filesystem namespace (another test's
    private /tmp) may hold without any lock file here: a display counts as
    ours only when the server behind its abstract socket is ours.

    The server never resets (-noreset): by default it resets when its last
    client goes, and a client that connects in that moment (the program, just
    as our probe or the accessibility bus launcher lets go) is dropped."""
    casuale = random.Random()
    for _ in range(20):
        numero = str(casuale.randrange(200, 900))
        if os.path.exists("/tmp/.X%s-lock" % numero) or di_altri(numero, None):
            continue
        lettura, scrittura = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", ":" + numero, "-displayfd", str(scrittura), "-screen", "0", "1280x800x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(scrittura,),
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        os.close(scrittura)
        with os.fdopen(lettura, "rb") as f:
            pronto = f.readline().strip().decode()
        if pronto == numero and not di_altri(numero, xvfb.pid):
            return xvfb, ":" + numero
        xvfb.kill()
        xvfb.wait()
    raise Fallito("Xvfb non è partito")


def di_altri(numero, pid):
    """True when the display's abstract socket answers for a process other than `pid`."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        try:
            s.connect("\0/tmp/.X11-unix/X" + numero)
        except OSError:
            return pid is not None  # our server always binds it
        credenziali = s.getsockopt(socket.SOL_SOCKET, socket.SO_PEERCRED, struct.calcsize("3i"))
        return struct.unpack("3i", credenziali)[0] != pid


# --- NetworkManager on a system bus of our own --------------------------------


class ReteFinta:
    """A bus standing for the system bus, with python3-dbusmock's NetworkManager
    (tests/support/dbusmock_networkmanager.py): the gsm profile Casa (profile 0)
    and a Wi-Fi profile (profile 1)."""

    NM = "org.freedesktop.NetworkManager"
    MODEM = "/org/freedesktop/NetworkManager/Devices/modem"
    MODELLO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support", "dbusmock_networkmanager.py")
    PROFILI = [{"connection": {"id": "Casa", "type": "gsm"}, "gsm": {"number": "*99#"}},
               {"connection": {"id": "Wi-Fi di casa", "type": "802-11-wireless"}}]

    def __init__(self, radice):
        import dbus

        self.dbus = dbus
        with open(os.path.join(radice, "bus.conf"), "w") as f:
            f.write('<busconfig><type>system</type><listen>unix:dir=%s</listen><policy context="default">'
                    '<allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/></policy>'
                    '</busconfig>' % radice)
        self.demone = subprocess.Popen(["dbus-daemon", "--config-file=" + f.name, "--nofork", "--nopidfile",
                                        "--print-address=1"], stdout=subprocess.PIPE)
        self.indirizzo = self.demone.stdout.readline().decode().strip()
        self.bus = dbus.bus.BusConnection(self.indirizzo)
        self.nm = None

    def avvia_nm(self, attivo=""):
        self.nm = subprocess.Popen([sys.executable, "-m", "dbusmock", "--template", self.MODELLO, "--parameters",
                                    json.dumps({"profili": self.PROFILI, "attivo": attivo})],
                                   env=dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=self.indirizzo),
                                   stdout=subprocess.DEVNULL)
        attendi("NetworkManager sul bus", lambda: self.bus.name_has_owner(self.NM), 20)

    def finto(self, metodo, *argomenti):
        oggetto = self.bus.get_object(self.NM, "/org/freedesktop")
        return oggetto.get_dbus_method(metodo, "org.freedesktop.DBus.Mock")(*argomenti)

    def attiva(self, profilo, stato):
        """An active connection of the profile (1 activating, with the modem dialling; 2 activated)."""
        attiva = self.finto("AddActiveConnection", [self.MODEM], "/org/freedesktop/NetworkManager/Settings/%d"
                            % profilo, "/", str(profilo), self.dbus.UInt32(stato))
        if stato == 1:
            self.proprieta(self.MODEM, ".Device", 50)
        return attiva

    def proprieta(self, percorso, interfaccia, stato):
        self.finto("SetProperty", percorso, self.NM + interfaccia, "State", self.dbus.UInt32(stato, variant_level=1))

    def termina(self):
        for processo in (self.nm, self.demone):
            if processo and processo.poll() is None:
                processo.kill()
                processo.wait()


# --- AT-SPI -------------------------------------------------------------------


class Accessibilita:
    def __init__(self, pid):
        import pyatspi
        from gi.repository import Atspi

        # A program built with the sanitizers answers slowly.
        Atspi.set_timeout(TEMPO_RISPOSTA, TEMPO_AVVIO)
        self.pyatspi = pyatspi
        self.pid = pid

    def applicazione(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.pid:
                    return app
            except Exception:
                continue
        return None

    def finestre(self):
        app = self.applicazione()
        if app is None:
            return []
        try:
            return [app.getChildAtIndex(i) for i in range(app.childCount)]
        except Exception:
            return []

    def finestra(self, nome):
        for f in self.finestre():
            try:
                if f is not None and f.name == nome and self.visibile(f):
                    return f
            except Exception:
                continue
        return None

    def visibile(self, oggetto):
        return oggetto.getState().contains(self.pyatspi.STATE_SHOWING)

    def cerca(self, radice, nome, ruoli=None):
        def corrisponde(o):
            try:
                return o.name == nome and (ruoli is None or o.getRoleName() in ruoli)
            except Exception:
                return False

        return self.pyatspi.findDescendant(radice, corrisponde, breadth_first=True)

    def testi(self, radice, ruolo):
        return [
            o.name
            for o in self.pyatspi.findAllDescendants(radice, lambda o: o.getRoleName() == ruolo)
            if o.name
        ]

    def premi(self, oggetto, apre_finestra_modale=False):
        """Presses a control. One that opens a modal window answers only when
        the window closes: its answer is not awaited."""
        azioni = oggetto.queryAction()
        verifica(azioni.nActions > 0, "nessuna azione su " + oggetto.name)
        if not apre_finestra_modale:
            azioni.doAction(0)
            return
        from gi.repository import Atspi, GLib

        Atspi.set_timeout(500, TEMPO_AVVIO)
        try:
            azioni.doAction(0)
        except GLib.GError:
            pass
        finally:
            Atspi.set_timeout(TEMPO_RISPOSTA, TEMPO_AVVIO)

    def scrivi(self, oggetto, testo):
        oggetto.queryEditableText().setTextContents(testo)

    def leggi(self, oggetto):
        t = oggetto.queryText()
        return t.getText(0, t.characterCount)


def chiuso(a11y, finestra):
    try:
        return not a11y.visibile(finestra)
    except Exception:
        return True  # gone


def rispondi_avvisi(a11y, attesi, entro):
    """Answers the message boxes one by one with OK, as a person would, and
    returns their texts; a box other than those expected fails the test."""
    letti = []
    while len(letti) < len(attesi):
        def avviso():
            for titolo in TITOLI_AVVISI:
                f = a11y.finestra(titolo)
                if f is not None:
                    return f
            return None

        box = attendi("il messaggio «%s»" % attesi[len(letti)], avviso, entro)
        testi = " ".join(a11y.testi(box, "label"))
        ok = a11y.cerca(box, "OK", ("push button",))
        verifica(ok is not None, "il messaggio «%s» non ha il pulsante OK" % testi)
        verifica(
            attesi[len(letti)] in testi,
            "messaggio inatteso «%s» al posto di «%s»" % (testi, attesi[len(letti)]),
        )
        letti.append(testi)
        log("messaggio: " + testi)
        a11y.premi(ok)
        attendi("la chiusura del messaggio", lambda: chiuso(a11y, box), 10)
    return letti


# --- the scenario -----------------------------------------------------------


class Giornata:
    def __init__(self, args):
        self.args = args
        self.radice = tempfile.mkdtemp(prefix="brenvolo-e2e-")
        self.config = os.path.join(self.radice, "config")
        self.dati = os.path.join(self.radice, "dati")
        self.runtime = os.path.join(self.radice, "run")
        os.makedirs(self.runtime, mode=0o700)
        self.script = os.path.join(self.radice, "connessioni.txt")
        self.archivio = os.path.join(self.dati, "tqklog.txt")
        self.programma = None
        self.uscita = open(os.path.join(self.radice, "brenvolo.log"), "w")
        self.scrivi_script(None)
        self.rete = None
        if args.modo == "networkmanager":
            # The call's interface, up, where the program looks while NetworkManager is away.
            self.albero = os.path.join(self.radice, "albero")
            os.makedirs(os.path.join(self.albero, "sys", "class", "net", "ppp0"))
            with open(os.path.join(self.albero, "sys", "class", "net", "ppp0", "flags"), "w") as f:
                f.write("0x1091\n")
            self.rete = ReteFinta(self.radice)
            self.rete.avvia_nm()

    def ambiente(self):
        env = dict(os.environ)
        env.update(
            {
                "XDG_CONFIG_HOME": self.config,
                "XDG_DATA_HOME": self.dati + "-xdg",
                "BRENVOLO_DIR": self.dati,
                "XDG_RUNTIME_DIR": self.runtime,
                "BRENVOLO_DIALUP_SCRIPT": self.script,
                "QT_QPA_PLATFORM": "xcb",
                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                "QT_ACCESSIBILITY": "1",
                "NO_AT_BRIDGE": "0",
            }
        )
        if self.rete:
            del env["BRENVOLO_DIALUP_SCRIPT"]
            env.update({"DBUS_SYSTEM_BUS_ADDRESS": self.rete.indirizzo, "BRENVOLO_PPP_ROOT": self.albero})
        return env

    def scrivi_script(self, stato):
        righe = ["# the phone book and the connection of this moment", "rubrica;Casa;0612345678"]
        if stato:
            righe.append("connessione;Casa;modem;ttyS0;" + stato)
        temporaneo = self.script + ".tmp"
        with open(temporaneo, "w") as f:
            f.write("\n".join(righe) + "\n")
        os.replace(temporaneo, self.script)

    def avvia(self):
        self.programma = subprocess.Popen(
            [self.args.brenvolo], env=self.ambiente(), stdout=self.uscita, stderr=subprocess.STDOUT
        )
        self.a11y = Accessibilita(self.programma.pid)
        attendi("il programma su AT-SPI", self.applicazione_viva, 30)

    def applicazione_viva(self):
        """The program on the accessibility bus; a program that ended fails at once."""
        if self.programma.poll() is not None:
            raise Fallito("il programma è terminato all'avvio (stato %d)" % self.programma.returncode)
        return self.a11y.applicazione()

    def termina(self):
        """Ends the program as the desktop does at logout; it must end cleanly."""
        self.programma.send_signal(signal.SIGTERM)
        try:
            codice = self.programma.wait(20)
        except subprocess.TimeoutExpired:
            self.programma.kill()
            raise Fallito("il programma non è terminato entro 20 s")
        verifica(codice == 0, "il programma è terminato con il codice %d" % codice)

    def records(self):
        try:
            with open(self.archivio, "rb") as f:
                testo = f.read().decode("cp1252")
        except FileNotFoundError:
            return []
        return [r for r in testo.split("\r\n") if r]

    def finestra_principale(self):
        """The main window: its caption changes (weekday and date, then the
        last call's cost), its menu bar stays."""
        def cerca():
            for f in self.a11y.finestre():
                try:
                    if self.a11y.visibile(f) and self.a11y.cerca(f, "Statistiche", ("menu item",)):
                        return f
                except Exception:
                    continue
            return None

        return attendi("la finestra principale", cerca, 20)

    def barra_compatta(self):
        for f in self.a11y.finestre():
            try:
                if self.a11y.visibile(f) and self.a11y.cerca(f, "scatto in corso"):
                    return f
            except Exception:
                continue
        return None

    def finestra_costi(self):
        for f in self.a11y.finestre():
            try:
                if f.name.startswith("secondi al prossimo scatto") and self.a11y.visibile(f):
                    return f
            except Exception:
                continue
        return None

    def esegui(self):
        modo = self.args.modo
        self.avvia()
        rispondi_avvisi(self.a11y, PRIMA_ESECUZIONE, 30)
        if modo == "compatto":
            # The display mode is a preference read at start-up: set it the
            # way the preferences dialog stores it, and start again.
            self.termina()
            self.imposta("visualizza", "tipo", "2")
            self.avvia()
            attendi("la barra compatta", self.barra_compatta, 20)
        elif self.rete:
            # The numbers page gives Casa its class: set where the page stores it, and start again.
            self.termina()
            with open(os.path.join(self.config, "Brenvolo", "Software.ini"), "a") as f:
                f.write("\n[limiti]\ncombobox3_text=Casa\ncombobox2_text=> 30\n")
            self.avvia()
            self.finestra_principale()
        else:
            self.finestra_principale()
        verifica(self.records() == [], "l'archivio nuovo non è vuoto")

        # Dialling, then connected: the program starts counting by itself.
        if self.rete:
            casa = self.rete.attiva(0, 1)
            time.sleep(2)
            self.rete.proprieta(casa, ".Connection.Active", 2)
        else:
            self.scrivi_script("OpenPort")
            time.sleep(2)
            self.scrivi_script("Connected")
        connesso = datetime.datetime.now()
        log("connessione di Casa stabilita")
        attendi("il record di apertura", lambda: len(self.records()) == 1, 10)
        if modo == "compatto":
            verifica(self.finestra_costi() is None, "la finestra dei costi si è aperta con la barra compatta")
        else:
            attendi("la finestra dei costi", self.finestra_costi, 10)

        if self.rete:
            self.rete.nm.kill()
            self.rete.nm.wait()
            self.rete.avvia_nm(attivo="Casa")
            self.rete.attiva(1, 2)
            log("NetworkManager avviato di nuovo, con una connessione Wi-Fi")
        time.sleep(max(0.0, self.args.secondi - (datetime.datetime.now() - connesso).total_seconds()))
        if self.rete:
            self.rete.proprieta("/org/freedesktop/NetworkManager/ActiveConnection/avvio", ".Connection.Active", 4)
        else:
            self.scrivi_script(None)
        chiuso = datetime.datetime.now()
        log("connessione di Casa chiusa")
        attendi("il record di chiusura", lambda: len(self.records()) == 2, 10)
        time.sleep(1)

        apertura, chiusura = self.verifica_archivio(connesso, chiuso)
        durata = int((chiusura - apertura).total_seconds())
        consumi = self.consumi()
        verifica(consumi["collegamenti"] == 1, "brenvolo-cli conta %r collegamenti" % consumi["collegamenti"])
        verifica(abs(consumi["secondi"] - durata) <= 1, "brenvolo-cli conta %r secondi invece di %d" % (
            consumi["secondi"], durata))
        verifica(consumi["scatti"] >= 1 and consumi["costo"] > 0, "la chiamata non ha un costo: %r" % consumi)
        log("brenvolo-cli: %d scatti, %d lire, %d secondi" % (consumi["scatti"], consumi["costo"], consumi["secondi"]))

        if modo == "statistiche":
            self.verifica_statistiche()
        self.termina()
        verifica(len(self.records()) == 2, "il programma ha scritto altro all'uscita: %r" % self.records())

    def riscrivi_impostazioni(self, cambia):
        """Rewrites the settings file, each value through `cambia(section, name, text)`
        (names in lower case), which returns its new text or None; returns how many changed."""
        percorso = os.path.join(self.config, "Brenvolo", "Software.ini")
        with open(percorso) as f:
            righe = f.read().split("\n")
        sezione = None
        cambiati = 0
        for i, riga in enumerate(righe):
            if riga.startswith("["):
                sezione = riga.strip("[]").lower()
                continue
            nome, uguale, testo = riga.partition("=")
            nuovo = cambia(sezione, nome.lower(), testo) if uguale and sezione is not None else None
            if nuovo is not None:
                righe[i] = nome + "=" + nuovo
                cambiati += 1
        with open(percorso + ".tmp", "w") as f:
            f.write("\n".join(righe))
        os.replace(percorso + ".tmp", percorso)
        return cambiati

    def imposta(self, sezione, valore, testo):
        cambiati = self.riscrivi_impostazioni(
            lambda s, n, _: testo if s.endswith(sezione.lower()) and n == valore.lower() else None)
        verifica(cambiati > 0, "%s/%s non è nel file delle impostazioni" % (sezione, valore))

    def verifica_archivio(self, connesso, chiuso):
        records = self.records()
        log("archivio: %r" % records)
        verifica(len(records) == 2, "l'archivio ha %d record invece di 2" % len(records))
        aperto = FORMATO_RECORD.match(records[0])
        fine = FORMATO_RECORD.match(records[1])
        verifica(aperto and aperto.group(2) == "Aperto", "il primo record non è un'apertura: " + records[0])
        verifica(aperto.group(4) == "Casa", "l'apertura non nomina Casa: " + records[0])
        if self.rete:
            verifica(records[0][42] == "4", "l'apertura non ha la classe «> 30» della pagina Numeri: " + records[0])
        verifica(fine and fine.group(2) == "Chiuso" and not fine.group(3), "il secondo record non è una chiusura")
        formato = "%d/%m/%Y %H.%M.%S"
        apertura = datetime.datetime.strptime(aperto.group(1), formato)
        chiusura = datetime.datetime.strptime(fine.group(1), formato)
        # Backdated by the start delay from the moment the connection was seen
        # (within a poll and a second's rounding).
        anticipo = (connesso - apertura).total_seconds()
        verifica(RITARDO_AVVIO - 1 <= anticipo <= RITARDO_AVVIO + 3,
                 "l'apertura anticipa di %.1f s invece di %d" % (anticipo, RITARDO_AVVIO))
        ritardo = (chiusura - chiuso).total_seconds()
        verifica(-1 <= ritardo <= 3, "la chiusura segue di %.1f s la fine del collegamento" % ritardo)
        return apertura, chiusura

    def cli(self, *argomenti):
        oggi = datetime.date.today().strftime("%d/%m/%Y")
        esito = subprocess.run(
            [self.args.cli, "consumi", "--dal", oggi, "--al", oggi, *argomenti],
            env=self.ambiente(), capture_output=True, text=True, timeout=60,
        )
        verifica(esito.returncode == 0, "brenvolo-cli consumi: %d %s" % (esito.returncode, esito.stderr))
        return esito.stdout

    def consumi(self):
        return json.loads(self.cli("--json"))

    def verifica_statistiche(self):
        """Computes today's range in the statistics window and reads its totals."""
        principale = self.finestra_principale()
        voce = attendi("la voce Statistiche", lambda: self.a11y.cerca(principale, "Statistiche", ("menu item",)), 10)
        self.a11y.premi(voce, apre_finestra_modale=True)
        finestra = attendi("la finestra delle statistiche", lambda: self.a11y.finestra("Costi"), 15)
        oggi = datetime.date.today().strftime("%d/%m/%Y")
        for campo in ("INIZIO PERIODO", "FINE PERIODO"):
            self.a11y.scrivi(self.a11y.cerca(finestra, campo, CAMPI), oggi)
        self.a11y.premi(self.a11y.cerca(finestra, "Calcola", ("push button",)))
        campi = ("DUR. COLLEGAMENTI", "SCATTI NEL PERIODO", "COSTO DEL PERIODO", "N° COLLEGAMENTI")
        attendi("i totali", lambda: self.a11y.leggi(self.a11y.cerca(finestra, "N° COLLEGAMENTI", CAMPI)), 30)
        mostrati = {c: self.a11y.leggi(self.a11y.cerca(finestra, c, CAMPI)) for c in campi}
        log("statistiche: %r" % mostrati)
        # The command line prints the same labels and texts as the window.
        attesi = {}
        for riga in self.cli().splitlines():
            etichetta, _, valore = riga.strip().partition(": ")
            if etichetta in campi and etichetta not in attesi:
                attesi[etichetta] = valore
        verifica(mostrati == attesi, "la finestra mostra %r, brenvolo-cli %r" % (mostrati, attesi))
        verifica(mostrati["N° COLLEGAMENTI"] == "1", "la finestra conta %s collegamenti" % mostrati["N° COLLEGAMENTI"])
        self.a11y.premi(self.a11y.cerca(finestra, "Esci", ("push button",)))
        attendi("la chiusura delle statistiche", lambda: self.a11y.finestra("Costi") is None, 10)

    def display_perso(self):
        """True when the program could not reach the virtual display at all."""
        try:
            with open(os.path.join(self.radice, "brenvolo.log"), errors="replace") as f:
                return "could not connect to display" in f.read()
        except OSError:
            return False

    def pulisci(self, riuscito):
        if self.programma and self.programma.poll() is None:
            self.programma.kill()
            self.programma.wait()
        if self.rete:
            self.rete.termina()
        self.uscita.close()
        if riuscito:
            shutil.rmtree(self.radice, ignore_errors=True)
        else:
            with open(os.path.join(self.radice, "brenvolo.log"), errors="replace") as f:
                sys.stdout.write("--- output of brenvolo ---\n" + f.read())
            print("files kept in", self.radice)


def interno(args):
    giornata = Giornata(args)
    riuscito = False
    try:
        giornata.esegui()
        riuscito = True
    except Exception as e:
        dettaglio = str(e) if isinstance(e, Fallito) else traceback.format_exc()
        print("FALLITO (%s): %s" % (args.modo, dettaglio), flush=True)
        if giornata.programma and getattr(giornata, "a11y", None):
            nomi = [f.name for f in giornata.a11y.finestre() if f is not None]
            print("finestre del programma: %r" % nomi, flush=True)
    finally:
        giornata.pulisci(riuscito)
    if not riuscito and giornata.display_perso():
        return DISPLAY_PERSO
    return 0 if riuscito else 1


def isolato(script, argomenti, nome):
    """Runs `script --interno ARGOMENTI` on a display and a session bus (with its
    accessibility bus) of its own, so that scenarios run side by side and nothing
    of the user's is touched; returns its exit status. A display lost before the
    program could open it (a server of another test on the same number going
    away) is no fault of the program: the scenario runs once more on a new one."""
    for _ in range(2):
        xvfb, display = avvia_display()
        try:
            env = dict(os.environ, DISPLAY=display)
            for variabile in ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "PULSE_SERVER"):
                env.pop(variabile, None)
            comando = ["dbus-run-session", "--", sys.executable, os.path.abspath(script), "--interno", *argomenti]
            codice = subprocess.run(comando, env=env, timeout=170).returncode
        finally:
            xvfb.terminate()
            xvfb.wait()
        if codice != DISPLAY_PERSO:
            return codice
        log("%s: display %s perso, di nuovo su un altro" % (nome, display))
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--brenvolo", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--modo", choices=("normale", "statistiche", "compatto", "networkmanager"), default="normale")
    parser.add_argument("--secondi", type=int, default=6, help="how long the call lasts")
    parser.add_argument("--interno", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.interno:
        return interno(args)

    inizio = time.monotonic()
    codice = isolato(__file__, ["--brenvolo", os.path.abspath(args.brenvolo), "--cli", os.path.abspath(args.cli),
                                "--modo", args.modo, "--secondi", str(args.secondi)], args.modo)
    log("%s: %s in %.0f s" % (args.modo, "riuscito" if codice == 0 else "fallito", time.monotonic() - inizio))
    return codice


if __name__ == "__main__":
    sys.exit(main())
