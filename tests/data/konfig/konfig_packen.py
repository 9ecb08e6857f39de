#!/usr/bin/env python3
"""Packs settings files byte by byte from the layout table of the settings block
(2,212 bytes, little-endian), independently of the program's own writer.

  FELDER.CNF  every field holds a value of its own, different from its start value and
              from its neighbours'; gap bytes and the bytes behind string lengths hold
              0xA5, the reserved fields 0x5A.
  ../wandeln/puffer-bei-ende/vorher/PUFFER.CNF, ../wandeln/puffer-verworfen/vorher/PUFFER.CNF
              the start values, but the NC lines are kept in the buffer
              (DirektSpeichern off), line-wise milling, no blanks between addresses;
              the run leaves the file unchanged (its erwartet/ copy).

Run it again after a change of the table: python3 konfig_packen.py
"""
import os
import struct

GROESSE = 2212
HIER = os.path.dirname(os.path.abspath(__file__))


class Block:
    def __init__(self, fuellung):
        self.b = bytearray([fuellung]) * GROESSE

    def bytes_(self, off, daten):
        self.b[off:off + len(daten)] = daten

    def byte(self, off, v):
        self.b[off] = v

    def word(self, off, v):
        self.bytes_(off, struct.pack('<H', v))

    def double(self, off, v):
        self.bytes_(off, struct.pack('<d', v))

    def punkt(self, off, x, y, z):
        for i, v in enumerate((x, y, z)):
            self.double(off + 8 * i, v)

    def text(self, off, kapazitaet, s):
        daten = s.encode('cp1252')
        assert len(daten) <= kapazitaet
        self.byte(off, len(daten))
        self.bytes_(off + 1, daten)

    def werkzeug(self, off, nummer, benennung, laenge, nutzlaenge, durchmesser, farbe):
        self.byte(off, nummer)
        self.text(off + 1, 20, benennung)
        self.double(off + 24, laenge)
        self.double(off + 32, nutzlaenge)
        self.double(off + 40, durchmesser)
        self.byte(off + 48, farbe)


def kopf(k):
    k.bytes_(0, b'Velkorquin Konfigurationsdatei \x1a')


def felder():
    k = Block(0xA5)
    k.bytes_(0, b'Felderprobe der Einstellungen!!\x1a')
    k.bytes_(32, b'\x5a' * 2)    # Reserviert1
    k.bytes_(36, b'\x5a' * 21)   # Reserviert2
    k.bytes_(2204, b'\x5a' * 6)  # Reserviert3
    k.werkzeug(60, 7, 'Leerstelle', 11.5, 12.25, 0.75, 3)
    k.werkzeug(116, 42, 'Kugelkopf 3', 45.5, 30.125, 3.0, 9)
    k.byte(172, 1)   # TestschalterS
    k.byte(176, 0)   # TestschalterT
    k.punkt(180, -11.0, -12.0, -13.0)   # SimuGrenzeMin
    k.punkt(204, 21.0, 22.0, 23.0)      # SimuGrenzeMax
    k.punkt(228, 1.5, 2.5, 3.5)         # Bezugspunkt
    k.double(252, -0.35)                # Schrifttiefe
    k.byte(260, 9)                      # Gesamtstellen
    k.byte(264, 2)                      # Nachkommastellen
    k.double(268, 10.0)                 # SkaleneinheitX
    k.double(276, 20.0)                 # SkaleneinheitY
    k.double(284, 30.0)                 # SkaleneinheitZ
    k.double(292, 12.5)                 # Kursivwinkel
    k.byte(300, 0)   # MitSatznummern
    k.byte(304, 1)   # LeerschritteZwischenAdressen
    k.byte(308, 0)   # NurGeaenderteAdressen
    k.byte(312, 1)   # Fraeserbahn
    k.byte(316, 0)   # GrafikEin
    k.byte(320, 1)   # Spiegelschrift
    k.byte(324, 0)   # FarbverfolgungAktiv
    k.word(328, 5)     # SatznummernInkrement
    k.word(332, 88)    # TextzyklusNummer
    k.word(336, 188)   # GrafikzyklusNummer
    k.word(340, 83)    # BohrzyklusNummer
    k.word(344, 73)    # PositionierZiffern
    # ZyklusendeWort, SicherheitsabstandWort, BohrtiefeWort, Arbeitsdateiname, QuellExt,
    # ZielExt, Steuerungsbezeichnung, Zieldateiname, Gravurzeichensatz,
    # Konfigurationsdateiname, Werkzeugdateiname, Extrafarbdateiname
    for off, kapazitaet, s in ((348, 4, 'G79'), (356, 4, 'R2'), (364, 4, 'R3x'),
                               (372, 255, 'PROGRAMM/ARBEIT.CNC'), (628, 3, 'NC'), (632, 3, 'OUT'),
                               (636, 20, 'Fräse Nummer zwei'), (660, 255, 'ZIEL/ARBEIT.OUT'),
                               (916, 255, 'SCHRIFT/GOTISCH.FNT'), (1172, 255, 'EINSTELL.CNF'),
                               (1428, 255, 'WERKZEUG.DAT'), (1684, 255, 'EXTRA.NOP')):
        k.text(off, kapazitaet, s)
    for i in range(16):
        k.double(1940 + 8 * i, -0.125 * (i + 1))    # Farbtiefe
    k.bytes_(2068, b'FSKkSFKkFSKkSFKk')  # FarbModus
    k.bytes_(2084, b'JNNJJNNJJNNJJNNJ')  # F_Verfolgen
    k.bytes_(2100, bytes(i % 2 for i in range(16)))        # Farbgeschwindigkeit
    k.bytes_(2116, bytes((i // 2) % 2 for i in range(16)))  # Ausschneidfarben
    k.double(2132, 0.25)   # Anlauffaktor
    k.double(2140, 1.75)   # Ueberlauffaktor
    k.byte(2148, 1)        # Sticheln_im_Zyklus
    k.byte(2152, 0)        # bidirektional_bearbeiten
    k.double(2156, -0.5)   # GrauFraestiefe_hell
    k.double(2164, -3.25)  # GrauFraestiefe_dunkel
    k.byte(2172, 1)        # Graubildwandlung
    k.byte(2176, 0)        # DirektSpeichern
    k.byte(2180, 1)        # Fraesrichtung: spaltenweise
    k.byte(2184, 1)        # Zirkularsinn
    k.byte(2188, 2)        # GrundArbeitsmodus: Sticheln
    k.byte(2192, 1)        # GrundBesonderheit: Farbe_verfolgen
    k.byte(2196, 1)        # Umlaufsinn
    k.byte(2200, 1)        # LinienanfangSuchen
    return k


def startwerte():
    k = Block(0)
    kopf(k)
    k.werkzeug(60, 0, 'kein Werkzeug', 0.0, 0.0, 0.0, 0)
    k.werkzeug(116, 0, 'kein Werkzeug', 0.0, 0.0, 0.0, 0)
    k.punkt(180, -200.0, -150.0, -120.0)
    k.punkt(204, 300.0, 140.0, 180.0)
    k.byte(260, 10)
    k.byte(264, 3)
    for off in (268, 276, 284):
        k.double(off, 50.0)
    for off in (300, 304, 308, 312):
        k.byte(off, 1)
    k.word(328, 1)
    k.word(332, 89)
    k.word(336, 189)
    k.word(340, 81)
    for off, kapazitaet, s in ((348, 4, 'G80'), (356, 4, 'R02'), (364, 4, 'R03'), (628, 3, 'CNC'),
                               (632, 3, 'CVT'), (636, 20, 'Demo'), (1172, 255, 'VelkorWin.CNF'),
                               (1428, 255, 'VelkorWkz.DAT'), (1684, 255, 'Velkor.NOP')):
        k.text(off, kapazitaet, s)
    k.bytes_(2068, b'F' * 16)
    k.bytes_(2084, b'N' * 16)
    k.double(2132, 1.0)
    k.double(2140, 1.0)
    k.double(2156, -1.0)
    k.double(2164, -2.5)
    k.byte(2176, 1)
    k.byte(2180, 2)
    k.byte(2188, 1)
    return k


def puffer():
    k = startwerte()
    k.byte(304, 0)    # LeerschritteZwischenAdressen
    k.byte(2176, 0)   # DirektSpeichern
    k.byte(2180, 0)   # Fraesrichtung: zeilenweise
    return k


def schreiben(pfad, k):
    assert len(k.b) == GROESSE
    os.makedirs(os.path.dirname(pfad), exist_ok=True)
    with open(pfad, 'wb') as f:
        f.write(bytes(k.b))


if __name__ == '__main__':
    schreiben(os.path.join(HIER, 'FELDER.CNF'), felder())
    for fall in ('puffer-bei-ende', 'puffer-verworfen'):
        for ordner in ('vorher', 'erwartet'):
            schreiben(os.path.join(HIER, '..', 'wandeln', fall, ordner, 'PUFFER.CNF'), puffer())
