#!/usr/bin/env python3
"""Writes the reference settings files of a new installation, straight from the tables of the
settings files (not from the generator code). Run it from this folder; check the output by eye.

Inputs of the reference installation:
  radio "Radio Pêche", stations "Été" and "Nuit", the default folders of the window.
"""

RADIO = "Radio Pêche"
STATIONS = ["Été", "Nuit"]
N = [
    "C:\\Brennic\\Tarvox\\",          # 0 application
    "C:\\Brennic\\Tarvox\\Config\\",  # 1 configuration
    "C:\\Kalvet\\",                   # 2 log
    "C:\\Kalvet\\Pub\\",              # 3 advertising log
    "C:\\TX_Sons\\Sons\\Musique\\",   # 4 music sounds
    "C:\\TX_Data\\Sons\\Autre\\",     # 5 other sounds
    "C:\\TX_Data\\Data\\",            # 6 data
    "C:\\TX_Redist\\",                # 7 redistributables
]
ROOT = "C:\\Brennic\\Tarvox\\"


def render(keys):
    """Windows profile file built from nothing: no blank lines, CR LF, Windows-1252."""
    out, current = [], None
    sections = {}
    order = []
    for section, key, value in keys:
        if section not in sections:
            sections[section] = []
            order.append(section)
        sections[section].append((key, value))
    for section in order:
        out.append("[%s]" % section)
        for key, value in sections[section]:
            out.append("%s=%s" % (key, value))
    return ("\r\n".join(out) + "\r\n").encode("cp1252")


def br_sys():
    k = [("Div_Radio", "Nom_Radio", RADIO)]
    for i, name in enumerate(STATIONS, 1):
        k.append(("Div_Radio", "Station_%03d" % i, name))
    k.append(("Stations", "NB_MAX", str(len(STATIONS))))
    k.append(("Users", "USER", "TC"))
    rep = [
        ("REPPRG", N[0]), ("REPREDIST", N[7]), ("REPBTR", N[6]), ("REPSAUVEGARDE", N[6]),
        ("REPLOG", N[2]), ("REPLOGPUB", N[3]), ("REPGRAPHIC", ROOT + "Graph\\"),
        ("REPVOIX", ROOT + "Voix\\"), ("REPNOTE", ROOT + "Notes\\"),
        ("REPBLOCNOTES", ROOT + "Notes\\"), ("REPPARTAGE", ROOT + "Shared\\"),
        ("REPEXPORT", ROOT + "Export\\"), ("REPLOCAL", N[0] + "Local\\"),
        ("REPDIFF", N[0] + "Diffusion\\"),
    ]
    k += [("Repertoires", a, b) for a, b in rep]
    unc13 = ["REPPRG", "REPBTR", "REPSAUVEGARDE", "REPLOG", "REPLOGPUB", "REPGRAPHIC", "REPVOIX",
             "REPNOTE", "REPBLOCNOTES", "REPPARTAGE", "REPEXPORT", "REPLOCAL", "REPDIFF"]
    k += [("UNC_Actif", a, "ON") for a in unc13]
    k += [("Repertoires_UNC", a, b) for a, b in rep]
    cats = ["000", "JIN", "LIN", "RUB", "INF", "PUB", "PRE", "TMP"]
    folder = {c: (N[4] if c == "000" else N[5]) for c in cats}
    for i in range(1, len(STATIONS) + 1):
        s = "Repertoire_Station_%03d" % i
        k += [(s, c + "_00", "O," + folder[c]) for c in cats]
        k += [(s, c + "_LOCK_00", "OFF") for c in cats]
        s = "Repertoire_Station_UNC_%03d" % i
        k += [(s, c + "_00", folder[c]) for c in cats]
        k += [(s, c + "_LOCK_00", "OFF") for c in cats]
        s = "UNC_Actif%03d" % i
        k += [(s, c + "_00", "ON") for c in cats]
    return k


def systeme():
    b = "Base_01"
    k = [
        (b, "Lib", RADIO), (b, "Actif", "1"), (b, "NbStation", str(len(STATIONS))),
        (b, "NoStation", "1"), (b, "Dossier_Redist", N[7]), (b, "Dossier_Data", N[6]),
        (b, "Dossier_Data_Backup", N[6]), (b, "Dossier_Log", N[2]), (b, "Dossier_Log_Pub", N[3]),
        (b, "Dossier_Notes_Schedule", ROOT + "Notes\\"), (b, "Dossier_Notes", ROOT + "Notes\\"),
        (b, "Dossier_Shared", ROOT + "Shared\\"), (b, "Dossier_Local", N[0] + "Local\\"),
    ]
    for i, name in enumerate(STATIONS, 1):
        k += [("Base_01_Station_%02d" % i, "Lib", name), ("Base_01_Station_%02d" % i, "Actif", "1")]
    k.append(("Dossiers_Sons_Mus", "00", N[4]))
    for c in ["Jin", "Lin", "Rub", "Inf", "Pub", "Pre", "Tmp"]:
        k.append(("Dossiers_Sons_" + c, "00", N[5]))
    k.append(("Ptx", "Save", "1"))
    return k


A = ("D1F1:N;D1F2:O;D1F3:O;D1F4:O;D1F5:O;D2F1:O;D2F2:O;D2F3:O;D2F4:O;D2F5:O;D3F1:O;D3F2:O;D3F3:O;"
     "D3F4:O;D3F5:O;D4F1:O;D4F2:O;D4F3:O;D4F4:O;D4F5:O;D5F1:O;D5F2:O;D5F3:O;D5F4:O;D5F5:O;")
B = ("D1F1:O;D1F2:O;D1F3:O;D1F4:N;D1F5:N;D2F1:O;D2F2:O;D2F3:O;D2F4:O;D2F5:N;D3F1:O;D3F2:O;D3F3:O;"
     "D3F4:O;D3F5:O;D4F1:N;D4F2:O;D4F3:O;D4F4:O;D4F5:O;D5F1:N;D5F2:N;D5F3:O;D5F4:O;D5F5:O;")
C = ("D1F1:N;D1F2:O;D1F3:O;D1F4:O;D1F5:O;D2F1:O;D2F2:N;D2F3:O;D2F4:O;D2F5:O;D3F1:O;D3F2:O;D3F3:N;"
     "D3F4:O;D3F5:O;D4F1:O;D4F2:O;D4F3:O;D4F4:N;D4F5:O;D5F1:O;D5F2:O;D5F3:O;D5F4:O;D5F5:N;")
Q = ("00:000005;01:000005;02:000005;03:000005;04:000005;05:000005;06:020035;07:020035;08:020035;"
     "09:020035;10:020035;11:020035;12:020035;13:020040;14:020040;15:020040;16:020040;17:020025;"
     "18:020025;19:020025;20:020040;21:020040;22:020040;23:000040;")
T = ("00:000100;01:000100;02:000100;03:000100;04:000100;05:000100;06:025100;07:025100;08:025100;"
     "09:025100;10:025100;11:025100;12:025100;13:025100;14:025100;15:025100;16:025100;17:025100;"
     "18:025100;19:025100;20:025100;21:025100;22:025100;23:000100;")
DAYS = ["_Lun", "_Mar", "_Mer", "_Jeu", "_Ven", "_Sam", "_Dim"]


def mus():
    k = []
    vocab = [
        ("Mus_Couleur", "Couleur", ["Suicide", "Triste", "Moyen", "Heureux", "Extase"]),
        ("Mus_Puissance", "Puissance", ["Chuchotement", "Soft", "Normal", "Pêche", "Massacre"]),
        ("Mus_Style", "Style", ["Seventies", "Eighties", "Nineties", "Toughties", "Tenties"]),
        ("Mus_Type", "Type", ["Dans le format", "Cross-Over", "Hors format"]),
        ("Mus_Tempo", "Tempo", ["Slow", "Medium Slow", "Medium", "Medium Fast", "Fast"]),
    ]
    for section, word, values in vocab:
        k += [(section, "%s_%02d" % (word, i), v) for i, v in enumerate(values, 1)]
    nine = range(1, 10)
    k += [("Mus_BPM_Variation", "Strat_%02d" % n,
           "P01:080/006;P02:100/006;P03:120/003;P04:130/003;P05:140/002;") for n in nine]
    k += [("Mus_Jour_Avant", "Strat_%02d" % n,
           "LUN:VEN;MAR:MAR;MER:MER;JEU:MAR;VEN:MER;SAM:SAM;DIM:DIM;") for n in nine]
    k += [("Mus_Liaison", "Strat_%02d" % n,
           "COU:09/14;PUI:11/14;STY:03/15;TYP:03/15;TEM:11/14;") for n in nine]
    k += [("Mus_Strategie", "Strat_%02d" % n, "Stratégie %02d" % n) for n in nine]
    k += [("Mus_Tranche", "Tranche_%02d" % n, "Tranche %02d" % n) for n in nine]
    k += [("Mus_TypeJour", "Type_%02d" % n, "Type %02d" % n) for n in nine]
    k += [("Mus_Lib_Divers", "Lib_01", "Fréquence"), ("Mus_Lib_Divers", "Lib_02", "Climat"),
          ("Mus_Lib_Divers", "Lib_03", "Nature")]
    k += [("Mus_Programmation", "TYPE_JOURNEE_PAR_DEFAUT", "1")]
    k += [("Mus_GroupeHorloge", "Type_%02d" % n, "Groupe d'horloge %02d" % n) for n in nine]
    for s in ["01", "02", "03"]:
        for h in ["17", "18"]:
            k.append(("Mus_Protection_Matin_AM", "Strat_%s_%s" % (s, h), "0708"))
    k += [("Mus_Protection_Matin_AM", "Strat_08_16", "07"),
          ("Mus_Protection_Matin_AM", "Strat_08_17", "08"),
          ("Mus_Protection_Matin_AM", "Strat_08_18", "09")]
    for n in nine:
        for suffix, m in [("_Cou", A), ("_Pui", B), ("_Sty", C), ("_Typ", A), ("_Tem", A)]:
            k.append(("Mus_Affinite", "Strat_%02d%s" % (n, suffix), m))
    for section, table in [("Mus_Quotas", Q), ("Mus_Talents", T), ("Mus_NewProd", T)]:
        for n in nine:
            k += [(section, "Strat_%02d%s" % (n, d), table) for d in DAYS]
    assert len(k) == 333, len(k)
    return k


def pub():
    k = [("Pub_Heures_Des_Tranches", "Debut_Tranche_%02d" % h, "%02d" % h) for h in range(24)]
    days = ["Lun_", "Mar_", "Mer_", "Jeu_", "Ven_", "Sam_", "Dim_"]
    pos = "008;020;030;050;" + "000;" * 12
    dur = "400;400;400;400;" + "000;" * 12
    for suffix, value in [("_Pos", pos), ("_Dur", dur)]:
        for h in range(24):
            k += [("Pub_Position_Duree_Ecrans", "%s%02d%s" % (d, h, suffix), value) for d in days]
    k += [("Pub_Voix", "Voix_%02d" % v, "Voix %02d" % v) for v in range(1, 31)]
    assert len(k) == 390, len(k)
    return k


def tx3_config():
    return [("Site", "Lib", RADIO), ("Site", "Actif", "1"), ("Site", "NbBase", "1"),
            ("Site", "NoBase", "1"), ("Site", "Dossier_Config_Global", N[1]),
            ("Base_01", "Dossier_Config_Global", N[1])]


def win_ini():
    return [("Brennic", "INI_TARVOX", N[1]), ("Brennic", "INI_TARVOX_UNC", N[1]),
            ("Brennic", "UNC_Actif", "ON")]


if __name__ == "__main__":
    files = {"Br_Sys.ini": br_sys(), "TX3_Systeme.ini": systeme(), "BR_Mus.ini": mus(),
             "BR_Pub.ini": pub(), "TX3_Config.ini": tx3_config(), "Win.ini": win_ini()}
    for name, keys in files.items():
        with open(name, "wb") as f:
            f.write(render(keys))
