#!/usr/bin/env python3
"""Every text of the text headers, as entries of the texts' test: a constant as it is, an array
entry by entry, a function called with sample arguments whose words and numbers it must show.
Written from the headers at each build, so that a new text cannot escape the test.

Usage: textes_tous.py SORTIE.inc Textes_A.h [Textes_B.h ...]
"""
import re
import sys

DECLARATION = re.compile(r'^inline\s+(constexpr\s+const\s+char\s*\*|std::string)\s+(\w+)\s*(\[\s*\d*\s*\])?\s*([=(])', re.M)

# Sample arguments by type: texts and numbers that stand out in the result, two of each, so that a
# function that swaps its arguments still shows both.
NOMBRES = ['41', '43', '47', '53', '59']
TEXTES = ['«p1»', '«p2»', '«p3»', '«p4»', '«p5»', '«p6»']


def parametres(texte, debut):
    """The parameter list that opens at texte[debut] ('('), as (type, name) pairs."""
    profondeur, i = 0, debut
    while True:
        if texte[i] == '(':
            profondeur += 1
        elif texte[i] == ')':
            profondeur -= 1
            if profondeur == 0:
                break
        i += 1
    liste = texte[debut + 1:i].strip()
    if not liste:
        return []
    resultat = []
    for p in liste.split(','):
        p = p.strip()
        m = re.match(r'^(.*?)\s*(\w+)$', p)
        resultat.append((m.group(1).strip(), m.group(2)))
    return resultat


def argument(type_, rang, booleen):
    """A C++ expression for the argument, and the part it puts in the text (None: none checked)."""
    if type_ in ('const std::string&', 'std::string_view', 'const char*'):
        t = TEXTES[rang % len(TEXTES)]
        return f'"{t}"', t
    if type_ == 'const std::vector<std::string>&':
        return '{"«l1»", "«l2»"}', '«l1»'
    if type_ == 'bool':
        return ('true' if booleen else 'false'), None
    if type_ == 'char':
        return "'Q'", 'Q'
    if type_ in ('int', 'long', 'int64_t', 'long long', 'uint64_t', 'uint32_t', 'size_t', 'unsigned long'):
        n = NOMBRES[rang % len(NOMBRES)]
        return n, n
    raise SystemExit(f'textes_tous.py : type de paramètre inconnu « {type_} »')


def entrees(chemin):
    texte = open(chemin, encoding='utf-8').read()
    declarations = len(re.findall(r'^inline\s', texte, re.M))
    trouvees = list(DECLARATION.finditer(texte))
    if len(trouvees) != declarations:
        raise SystemExit(f'{chemin} : {declarations} déclarations inline, {len(trouvees)} textes reconnus')
    for m in trouvees:
        nom, tableau, signe = m.group(2), m.group(3), m.group(4)
        if tableau:
            yield f'  for (size_t i = 0; i < std::size({nom}); ++i) t.push_back({{"{nom}[" + std::to_string(i) + "]", {nom}[i], {{}}}});'
            continue
        if signe == '=':
            yield f'  t.push_back({{"{nom}", {nom}, {{}}}});'
            continue
        liste = parametres(texte, m.end() - 1)
        # A function that takes a flag is called both ways.
        for booleen in ([True, False] if any(ty == 'bool' for ty, _ in liste) else [True]):
            args, parties = [], []
            for rang, (ty, _) in enumerate(liste):
                a, partie = argument(ty, rang, booleen)
                args.append(a)
                if partie is not None:
                    parties.append(f'"{partie}"')
            suffixe = '' if len(liste) == 0 or not any(ty == 'bool' for ty, _ in liste) else ('(vrai)' if booleen else '(faux)')
            yield (f'  t.push_back({{"{nom}{suffixe}", {nom}({", ".join(args)}), {{{", ".join(parties)}}}}});')


def main():
    sortie, entetes = sys.argv[1], sys.argv[2:]
    lignes = ['// Written by textes_tous.py from the text headers: do not edit.']
    for e in entetes:
        lignes.extend(entrees(e))
    contenu = '\n'.join(lignes) + '\n'
    try:
        if open(sortie, encoding='utf-8').read() == contenu:
            return
    except OSError:
        pass
    open(sortie, 'w', encoding='utf-8').write(contenu)


main()
