#!/usr/bin/python3
"""The warnings heard, end to end.

Starts a PulseAudio server of its own, with a null sink, on the test's own
runtime directory, then `brenvolo` on its own virtual display and session bus
as giornata.py does, with short unit intervals (every band's), the warning
period and no start delay. It records the sink's monitor while the scripted
dial-up source reports a call, and checks that sound reaches the server in
the last seconds before each unit and that the middle of each interval is
silent:

  --modo costi  the cost window beeps (the sound theme's bell): intervals of
                10 s, suono\\inizio 3, two units;
  --modo barra  the compact strip plays a wave file as "Fine Scatto":
                intervals of 5 s, suono\\inizio 1, five warnings.

It prints what it heard at each warning. Exit status 77 (skipped) only when
pulseaudio cannot start on this machine at all.

    suoni.py --brenvolo PATH --cli PATH --modo costi|barra
"""

import argparse
import array
import math
import os
import struct
import subprocess
import sys
import time
import traceback
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import giornata as g  # noqa: E402

SALTATO = 77
FREQUENZA = 8000  # of the recording, samples a second
FINESTRA = 0.05  # seconds of the recording looked at together
SOGLIA = 300  # a window whose peak passes it holds sound
SCENARI = {
    # tenths of a unit interval, suono\inizio, warnings heard
    "costi": (100, 3, 2),
    "barra": (50, 1, 5),
}
# The tone's own peak is 12000: a louder one means plays piled up, not each cutting the last.
PICCO_TONO = 18000


class ServerAudio:
    """pulseaudio with a null sink "registrazione", and parec recording its monitor."""

    def __init__(self, radice, runtime):
        self.radice = radice
        self.env = dict(os.environ, HOME=radice, XDG_CONFIG_HOME=os.path.join(radice, "pulse-config"),
                        XDG_RUNTIME_DIR=runtime)
        self.env.pop("PULSE_SERVER", None)
        self.server = None
        self.registratore = None
        self.registrazione = os.path.join(radice, "monitor.raw")

    def avvia(self):
        """True once the server answers; False when it cannot start."""
        configurazione = os.path.join(self.radice, "server.pa")
        with open(configurazione, "w") as f:
            f.write("load-module module-native-protocol-unix auth-anonymous=1\n"
                    "load-module module-null-sink sink_name=registrazione\n"
                    "set-default-sink registrazione\n")
        try:
            self.server = subprocess.Popen(
                ["pulseaudio", "-n", "-F", configurazione, "--daemonize=no", "--exit-idle-time=-1",
                 "--disable-shm=yes", "--log-level=error"],
                env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except OSError:
            return False
        limite = time.monotonic() + 15
        while time.monotonic() < limite and self.server.poll() is None:
            if "registrazione" in self.pactl("info"):
                return True
            time.sleep(0.1)
        return False

    def pactl(self, *argomenti):
        try:
            return subprocess.run(["pactl", *argomenti], env=self.env, capture_output=True, text=True,
                                  timeout=10).stdout
        except (OSError, subprocess.TimeoutExpired):
            return ""

    def registra(self):
        """Starts recording; returns the monotonic time of its first sample (within its latency)."""
        self.uscita = open(self.registrazione, "wb")
        self.registratore = subprocess.Popen(
            ["parec", "-d", "registrazione.monitor", "--raw", "--format=s16le", "--rate=%d" % FREQUENZA,
             "--channels=1", "--latency-msec=20"], env=self.env, stdout=self.uscita)
        g.attendi("la registrazione", lambda: os.path.getsize(self.registrazione) > 0, 10, passo=0.01)
        return time.monotonic() - os.path.getsize(self.registrazione) / (2 * FREQUENZA)

    def finestre(self):
        """The peak of each FINESTRA seconds of what was recorded."""
        with open(self.registrazione, "rb") as f:
            campioni = array.array("h", f.read())
        passo = int(FREQUENZA * FINESTRA)
        return [max((abs(x) for x in campioni[i:i + passo]), default=0) for i in range(0, len(campioni), passo)]

    def ferma(self):
        for processo in (self.registratore, self.server):
            if processo and processo.poll() is None:
                processo.terminate()
                try:
                    processo.wait(10)
                except subprocess.TimeoutExpired:
                    processo.kill()
                    processo.wait()
        if self.registratore:
            self.uscita.close()


def scrivi_tono(percorso):
    """A quarter of a second of a 660 Hz tone, the user's "Fine Scatto"."""
    with wave.open(percorso, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 660 * i / 22050)))
                               for i in range(22050 // 4)))


def raffiche(picchi):
    """The stretches of sound, (start, end) in seconds, gaps shorter than 0.4 s bridged."""
    trovate = []
    for i, picco in enumerate(picchi):
        if picco <= SOGLIA:
            continue
        t = i * FINESTRA
        if trovate and t - trovate[-1][1] < 0.4:
            trovate[-1][1] = t + FINESTRA
        else:
            trovate.append([t, t + FINESTRA])
    return trovate


class Suoni(g.Giornata):
    def esegui(self):
        decimi, inizio, avvisi = SCENARI[self.args.modo]
        intervallo = decimi / 10
        audio = ServerAudio(self.radice, self.runtime)
        self.audio = audio
        if not audio.avvia():
            raise Saltato()
        self.avvia()
        g.rispondi_avvisi(self.a11y, g.PRIMA_ESECUZIONE, 30)
        self.termina()
        self.prepara(decimi, inizio)
        self.avvia()
        if self.args.modo == "barra":
            g.attendi("la barra compatta", self.barra_compatta, 20)
        else:
            self.finestra_principale()

        origine = audio.registra()
        self.scrivi_script("Connected")
        connesso = time.monotonic() - origine
        g.log("connessione di Casa stabilita")
        g.attendi("il record di apertura", lambda: len(self.records()) == 1, 10, passo=0.05)
        time.sleep(max(0.0, connesso + avvisi * intervallo + 1.5 - (time.monotonic() - origine)))
        self.scrivi_script(None)
        g.attendi("il record di chiusura", lambda: len(self.records()) == 2, 10)
        audio.ferma()
        self.termina()
        self.verifica_suoni(audio.finestre(), connesso, intervallo, inizio, avvisi)

    def prepara(self, decimi, inizio):
        """Every band's interval `decimi` tenths, the warning from `inizio` seconds, no start delay."""
        intervalli = "-".join(["%04d" % decimi] * 4)
        self.riscrivi_impostazioni(
            lambda sezione, nome, fascia: "%s-%s" % (fascia[:17], intervalli)
            if sezione in ("feriali", "sabato", "festivi") and nome.startswith("fascia") else None)
        self.imposta("suono", "inizio", str(inizio))
        self.imposta("ritardo", "secondi", "0")
        if self.args.modo == "barra":
            self.imposta("visualizza", "tipo", "2")
            tono = os.path.join(self.radice, "fine scatto.wav")
            scrivi_tono(tono)
            eventi = os.path.join(self.config, "Brenvolo", "AppEvents.ini")
            with open(eventi) as f:
                testo = f.read()
            voce = "[fine%%20scatto]\n.current/(predefinito)=%s\n" % tono
            testo = testo.replace("[fine%20scatto]\n", voce) if "[fine%20scatto]\n" in testo else testo + "\n" + voce
            with open(eventi, "w") as f:
                f.write(testo)

    def verifica_suoni(self, picchi, connesso, intervallo, inizio, avvisi):
        """Sound through each warning period, up to its unit; silence in the middle of each interval."""
        trovate = raffiche(picchi)
        g.log("raffiche di suono (s dalla connessione): %s" % ", ".join(
            "%.2f-%.2f" % (a - connesso, b - connesso) for a, b in trovate))
        durata = inizio + 1  # the ticks with `inizio` whole seconds or fewer left
        for k in range(1, avvisi + 1):
            # The unit falls k intervals after the session started, within a poll of the connection.
            scatto = connesso + k * intervallo
            raffica = next((r for r in trovate if scatto - durata - 0.5 < r[1] < scatto + 1.5), None)
            g.verifica(raffica is not None, "avviso %d: nessun suono prima dello scatto a %.1f s" % (
                k, scatto - connesso))
            da, a = raffica
            g.verifica(abs((a - da) - durata) < 0.8, "avviso %d: suono per %.2f s invece di %d" % (k, a - da, durata))
            meta = (int((scatto - intervallo + 1.2) / FINESTRA), int((scatto - durata - 0.3) / FINESTRA))
            silenzio = max(picchi[meta[0]:meta[1]], default=None)
            g.verifica(silenzio == 0, "avviso %d: a metà intervallo il picco è %r, non silenzio" % (k, silenzio))
            forte = picchi[int(da / FINESTRA):int(a / FINESTRA)]
            g.verifica(self.args.modo != "barra" or max(forte) < PICCO_TONO,
                       "avviso %d: picco %d, il tono si sovrappone a se stesso" % (k, max(forte)))
            udito = sum(1 for p in forte if p > SOGLIA) / max(1, len(forte))
            print("avviso %d: suono da %.2f a %.2f s dalla connessione (%.1f s, picco %d, %.0f%% delle finestre); "
                  "a metà intervallo (%.1f-%.1f s) picco %d" % (
                      k, da - connesso, a - connesso, a - da, max(forte), 100 * udito,
                      meta[0] * FINESTRA - connesso, meta[1] * FINESTRA - connesso, silenzio), flush=True)


class Saltato(Exception):
    pass


def interno(args):
    prova = Suoni(args)
    codice = 1
    try:
        prova.esegui()
        codice = 0
    except Saltato:
        print("pulseaudio non parte su questa macchina: prova saltata", flush=True)
        codice = SALTATO
    except Exception as e:
        dettaglio = str(e) if isinstance(e, g.Fallito) else traceback.format_exc()
        print("FALLITO (%s): %s" % (args.modo, dettaglio), flush=True)
    finally:
        if getattr(prova, "audio", None):
            prova.audio.ferma()
        prova.pulisci(codice != 1)
    if codice == 1 and prova.display_perso():
        return g.DISPLAY_PERSO
    return codice


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--brenvolo", required=True)
    parser.add_argument("--cli", required=True)
    parser.add_argument("--modo", choices=tuple(SCENARI), default="costi")
    parser.add_argument("--interno", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.interno:
        return interno(args)
    inizio = time.monotonic()
    codice = g.isolato(__file__, ["--brenvolo", os.path.abspath(args.brenvolo), "--cli", os.path.abspath(args.cli),
                                  "--modo", args.modo], "suoni " + args.modo)
    esito = {0: "riuscito", SALTATO: "saltato"}.get(codice, "fallito")
    g.log("suoni %s: %s in %.0f s" % (args.modo, esito, time.monotonic() - inizio))
    return codice


if __name__ == "__main__":
    sys.exit(main())
