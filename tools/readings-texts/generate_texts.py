#!/usr/bin/env python3
"""Writes the reading texts of the installation (Windows-1252, CR LF):

  OpzioneT\\SpgPianSpe.Txt  one text for every key the chart keys can hold: planet in sign, in
                            house, in term, in decan, in decade, reflections and aspects
  OpzioneT\\SpgPianCan.Txt  one text per term key, for the chart sheets
  OpzioneT\\SpgPian.txt     general texts of the eleven points
  OpzioneT\\SpgSegni.txt    general texts of the twelve signs
  OpzioneT\\SpgSegnSpe.txt  texts of the reflections of the signs
  Appoggio\\Messaggi.txt    the help messages of the analysis window (texts/Messaggi.txt)

The texts of the keys are composed from the tables below; the descriptions of the points and
signs are written out. Decans follow the Chaldean faces (Mars rules 0-10° Aries, then Sun,
Venus, Mercury, Moon, Saturn, Jupiter in turn); decades follow the triplicity decans (the ruler of
the sign, then of the next and the last sign of its element); the 60 terms of 6°, counted from 15°
before the Ascendant, are ruled in turn by Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon.

usage: generate_texts.py INSTALLATION_DIR [--check]
With --check nothing is written; the files are compared with what would be written.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Point: code4, code3, code2, CODE2, article name, nature (what it stands for in the body and mind).
POINTS = [
    ("Sole", "Sol", "So", "SO", "il Sole", "vitalità, cuore e volontà"),
    ("Luna", "Lun", "Lu", "LU", "la Luna", "umori, ritmi e sensibilità"),
    ("Merc", "Mer", "Me", "ME", "Mercurio", "nervi, respiro e pensiero"),
    ("Vene", "Ven", "Ve", "VE", "Venere", "reni, pelle e armonia"),
    ("Mart", "Mar", "Ma", "MA", "Marte", "sangue, muscoli e slancio"),
    ("Giov", "Gio", "Gi", "GI", "Giove", "fegato, crescita e fiducia"),
    ("Satu", "Sat", "Sa", "SA", "Saturno", "ossa, struttura e limite"),
    ("NNor", "Non", "Nn", "NN", "il Nodo Nord", "direzione di crescita"),
    ("NSud", "Nos", "Ns", "NS", "il Nodo Sud", "abitudini ereditate"),
    ("Asce", "Asc", "As", "AS", "l'Ascendente", "corpo e costituzione"),
    ("Mcie", "Mci", "Mc", "MC", "il Mediocielo", "meta e vocazione"),
]
PLANET_NAMES = ["", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno"]
RULER_PHRASES = ["", "del Sole", "della Luna", "di Mercurio", "di Venere", "di Marte", "di Giove", "di Saturno"]

# Sign: code4, code3, key code, filter code, name, element, modality, body.
SIGNS = [
    ("Arie", "Ari", "Ar", "Ar", "Ariete", "Fuoco", "cardinale", "testa"),
    ("Toro", "Tor", "To", "To", "Toro", "Terra", "fisso", "gola e collo"),
    ("Geme", "Gem", "Ge", "Ge", "Gemelli", "Aria", "mutevole", "braccia e polmoni"),
    ("Canc", "Can", "Cn", "Cn", "Cancro", "Acqua", "cardinale", "petto e stomaco"),
    ("Leon", "Leo", "Le", "Le", "Leone", "Fuoco", "fisso", "cuore e dorso"),
    ("Verg", "Ver", "Ve", "Ve", "Vergine", "Terra", "mutevole", "intestino"),
    ("Bila", "Bil", "Bi", "Bi", "Bilancia", "Aria", "cardinale", "reni e lombi"),
    ("Scor", "Sco", "Sc", "Sc", "Scorpione", "Acqua", "fisso", "organi genitali"),
    ("Sagi", "Sag", "Sa", "Sa", "Sagittario", "Fuoco", "mutevole", "cosce e fegato"),
    ("Capr", "Cap", "Cp", "Cp", "Capricorno", "Terra", "cardinale", "ginocchia e ossa"),
    ("Acqu", "Acq", "Ac", "Aq", "Acquario", "Aria", "fisso", "caviglie e circolo"),
    ("Pesc", "Pes", "Pe", "Pe", "Pesci", "Acqua", "mutevole", "piedi e linfa"),
]
SIGN_RULER = [5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6]  # by sign, planet numbers 1..7

HOUSES = [
    ("Prim", "I", "la persona e il corpo"), ("Seco", "II", "le risorse e le riserve"),
    ("Terz", "III", "gli scambi e il vicinato"), ("Quar", "IV", "le radici e la famiglia"),
    ("Quin", "V", "la creatività e il piacere"), ("Sest", "VI", "la salute e il lavoro"),
    ("Sett", "VII", "le unioni e gli altri"), ("Otta", "VIII", "le crisi e i rinnovamenti"),
    ("Nona", "IX", "i viaggi e la ricerca"), ("Deci", "X", "la meta e la carriera"),
    ("Undi", "XI", "gli amici e i progetti"), ("Dodi", "XII", "il ritiro e la cura"),
]
ASPECTS = [("Co", "congiunzione", "fusione delle forze"), ("Se", "sestile", "occasione di accordo"),
           ("Qu", "quadratura", "tensione da sciogliere"), ("Tr", "trigono", "scambio armonico"),
           ("Op", "opposizione", "polarità da unire")]
FACES = [5, 1, 4, 3, 2, 7, 6]          # Mars, Sun, Venus, Mercury, Moon, Saturn, Jupiter
TERM_RULERS = [7, 6, 5, 1, 4, 3, 2]    # Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon

# General texts: up to 80 characters a line.
POINT_TEXTS = {
    "So": ["Principio vitale e calore del corpo; governa cuore, circolazione e vista.",
           "Segnatura: piante solari, dorate, aromatiche, che amano la piena luce.",
           "In spagiria: tonici del cuore e della forza vitale."],
    "Lu": ["Principio umido e ricettivo; governa liquidi, linfa, stomaco e cicli.",
           "Segnatura: piante acquatiche, succose, dai fiori bianchi o notturni.",
           "In spagiria: rimedi che regolano ritmi, sonno e ritenzione."],
    "Me": ["Principio del movimento e del collegamento; governa nervi e respiro.",
           "Segnatura: piante dalle foglie sottili e divise, dagli odori pungenti.",
           "In spagiria: rimedi per il sistema nervoso e le vie respiratorie."],
    "Ve": ["Principio dell'armonia e dell'attrazione; governa reni, pelle e gola.",
           "Segnatura: piante dai fiori belli e profumati, dai frutti dolci.",
           "In spagiria: rimedi depurativi, emollienti e per l'equilibrio ormonale."],
    "Ma": ["Principio caldo e secco dell'azione; governa sangue, muscoli e fiele.",
           "Segnatura: piante spinose, piccanti, dai fiori rossi.",
           "In spagiria: rimedi stimolanti, per le infiammazioni e il ferro."],
    "Gi": ["Principio caldo e umido dell'espansione; governa fegato e nutrizione.",
           "Segnatura: piante grandi e generose, dalle foglie ampie.",
           "In spagiria: rimedi epatici, digestivi e per il ricambio."],
    "Sa": ["Principio freddo e secco della forma; governa ossa, denti e milza.",
           "Segnatura: piante lente, amare, dalle radici profonde e dal legno duro.",
           "In spagiria: rimedi per ossa, articolazioni e processi cronici."],
    "Nn": ["Il Nodo Nord indica le qualità da sviluppare e la direzione di crescita.",
           "Nella lettura spagirica suggerisce i rimedi che sostengono il cambiamento."],
    "Ns": ["Il Nodo Sud indica le abitudini ereditate e le risorse già acquisite.",
           "Nella lettura spagirica mostra le tendenze croniche da alleggerire."],
    "As": ["L'Ascendente descrive il corpo, la costituzione e il modo di reagire.",
           "Il suo segno e il suo governatore danno il tono alla salute di fondo."],
    "Mc": ["Il Mediocielo descrive la meta, la vocazione e l'immagine pubblica.",
           "Indica dove la persona spende le energie nel mondo."],
}
SIGN_TEXTS = {
    "Ar": ["Segno cardinale di Fuoco, domicilio di Marte: slancio, iniziativa, calore.",
           "Governa la testa: cefalee, febbri, infiammazioni acute."],
    "To": ["Segno fisso di Terra, domicilio di Venere: costanza, sensi, accumulo.",
           "Governa gola e collo: tiroide, voce, ristagni."],
    "Ge": ["Segno mutevole d'Aria, domicilio di Mercurio: agilità, curiosità, scambi.",
           "Governa braccia, spalle e polmoni: vie respiratorie e nervi periferici."],
    "Cn": ["Segno cardinale d'Acqua, domicilio della Luna: accoglienza, memoria.",
           "Governa petto e stomaco: digestione, liquidi, emotività."],
    "Le": ["Segno fisso di Fuoco, domicilio del Sole: calore, generosità, fierezza.",
           "Governa cuore e dorso: circolazione, colonna, pressione."],
    "Ve": ["Segno mutevole di Terra, domicilio di Mercurio: analisi, ordine, cura.",
           "Governa l'intestino: assimilazione, nervi del ventre."],
    "Bi": ["Segno cardinale d'Aria, domicilio di Venere: equilibrio, relazione.",
           "Governa reni e lombi: filtrazione, equilibrio dei liquidi."],
    "Sc": ["Segno fisso d'Acqua, domicilio di Marte: intensità, trasformazione.",
           "Governa gli organi genitali e l'eliminazione: ristagni e rinnovamento."],
    "Sa": ["Segno mutevole di Fuoco, domicilio di Giove: apertura, ricerca, fiducia.",
           "Governa cosce, anche e fegato: movimento e ricambio."],
    "Cp": ["Segno cardinale di Terra, domicilio di Saturno: disciplina, struttura.",
           "Governa ginocchia, ossa e pelle: articolazioni e rigidità."],
    "Aq": ["Segno fisso d'Aria, domicilio di Saturno: indipendenza, ideali, rete.",
           "Governa caviglie e circolazione: vene, crampi, sistema nervoso."],
    "Pe": ["Segno mutevole d'Acqua, domicilio di Giove: sensibilità, dissoluzione.",
           "Governa piedi e linfa: ritenzione, difese, sensibilità."],
}


def ruler_name(planet):
    return PLANET_NAMES[planet]


def ruler_phrase(planet):
    return RULER_PHRASES[planet]


def short_name(point):
    """The point's name without its article, capitalised."""
    name = POINTS[point][4]
    for article in ("il ", "la ", "l'"):
        if name.startswith(article):
            name = name[len(article):]
    return name[0].upper() + name[1:]


def line(key, text, key_width=21, limit=60):
    assert len(text) <= limit, (key, text, len(text))
    return key.ljust(key_width) + text


def specific_lines():
    lines = []
    for p in range(11):
        c4, c3, c2, C2, _, nature = POINTS[p]
        who = short_name(p)
        for s, sign in enumerate(SIGNS):
            lines.append(line(c4 + sign[0], f"{who} in {sign[4]}: {nature} ({sign[5]})"))
        for code, roman, meaning in HOUSES:
            lines.append(line(c4 + code, f"{who} in casa {roman}: {meaning}"))
        for t in range(1, 61):
            start = -15 + 6 * (t - 1)
            lines.append(line(f"{c4}{t:02d}", f"{who} nel termine {t:02d} ({start:+d}°), governo "
                              f"{ruler_phrase(TERM_RULERS[(t - 1) % 7])}", limit=70))
        for d in range(1, 37):
            sign = SIGNS[(d - 1) // 3]
            part = (d - 1) % 3 + 1
            lines.append(line(f"{c3}Dec{d:02d}", f"{who} nel {part}° decano {sign[4]}, faccia "
                              f"{ruler_phrase(FACES[(d - 1) % 7])}", limit=70))
        for k in range(1, 37):
            s = (k - 1) // 3
            part = (k - 1) % 3
            ruler = SIGN_RULER[(s + 4 * part) % 12]
            lines.append(line(f"{C2}{k:02d}", f"{who} nella {k}a decade ({SIGNS[s][4]}), triplicità "
                              f"{ruler_phrase(ruler)}", limit=70))
        for sign in SIGNS:
            lines.append(line(f"{c3}An{sign[1]}", f"{who}: antisce in {sign[4]}, {sign[7]}"))
        for sign in SIGNS:
            lines.append(line(f"{c3}Ca{sign[1]}", f"{who}: contrantisce in {sign[4]}, {sign[7]}"))
    for i in range(9):
        for j in range(i + 1, 11):
            for code, phrase, meaning in ASPECTS:
                text = f"{short_name(i)} e {short_name(j)} in {phrase}: {meaning}"
                lines.append(line(POINTS[i][1] + code + POINTS[j][1], text))
    return lines


def term_lines():
    lines = []
    for p in range(11):
        for t in range(1, 61):
            start = -15 + 6 * (t - 1)
            text = (f"{short_name(p)}: termine {t:02d}, da {start:+d}° a {start + 6:+d}° dall'ASC, "
                    f"{ruler_name(TERM_RULERS[(t - 1) % 7])}")
            lines.append(line(f"{POINTS[p][0]}{t:02d}  ", text))
    return lines


def general_lines(texts):
    for lines in texts.values():
        for text in lines:
            assert len(text) <= 80, text
    return [code + " " + text for code, lines in texts.items() for text in lines]


def sign_reflection_lines():
    lines = []
    for kind, word, axis in (("An", "antisce", "equinoziale"), ("Ca", "contrantisce", "solstiziale")):
        for s in range(12):
            mid = 30 * (s + 1) - 15
            other = (360 - mid) % 360 if kind == "An" else (180 - mid) % 360
            target = SIGNS[other // 30]
            lines.append(line(SIGNS[s][2] + kind + target[1], f"{word} in {target[4]}, asse {axis}",
                              key_width=20, limit=50))
    return lines


def messages():
    with open(os.path.join(HERE, "texts", "Messaggi.txt"), encoding="utf-8") as f:
        return f.read().splitlines()


def files():
    return {
        "OpzioneT/SpgPianSpe.Txt": specific_lines(),
        "OpzioneT/SpgPianCan.Txt": term_lines(),
        "OpzioneT/SpgPian.txt": general_lines(POINT_TEXTS),
        "OpzioneT/SpgSegni.txt": general_lines(SIGN_TEXTS),
        "OpzioneT/SpgSegnSpe.txt": sign_reflection_lines(),
        "Appoggio/Messaggi.txt": messages(),
    }


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    root, check = sys.argv[1], "--check" in sys.argv[2:]
    differing = 0
    for path, lines in files().items():
        data = "".join(l + "\r\n" for l in lines).encode("cp1252")
        target = os.path.join(root, path)
        if check:
            with open(target, "rb") as f:
                if f.read() != data:
                    print("differs:", path)
                    differing += 1
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target + "~tmp", "wb") as f:
            f.write(data)
        os.replace(target + "~tmp", target)
        print(path, len(lines))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
