#!/usr/bin/env python3
"""The user guide as one HTML page that stands alone, screenshots inside, for the Windows zip.

Usage: scripts/guide-html.py docs/guide-utilisateur.md SORTIE.html
A picture the guide names but that is not there (not shot yet) is left as its link, and said.
"""
import base64
import pathlib
import re
import sys

import markdown
from markdown.extensions.toc import slugify_unicode

STYLE = """body{font-family:Segoe UI,Arial,sans-serif;max-width:60em;margin:2em auto;padding:0 1em;line-height:1.45}
table{border-collapse:collapse;margin:1em 0}th,td{border:1px solid #bbb;padding:.3em .5em;vertical-align:top}
th{background:#eee}pre{background:#f6f6f6;padding:.6em;overflow-x:auto}img{max-width:100%;border:1px solid #ccc}
blockquote{border-left:4px solid #ccc;margin-left:0;padding-left:1em}"""


def incorporer_images(html, dossier):
    def remplacer(m):
        image = dossier / m.group(1)
        if not image.is_file():
            print(f"guide-html : {image} absente, laissée en lien", file=sys.stderr)
            return m.group(0)
        return 'src="data:image/png;base64,' + base64.b64encode(image.read_bytes()).decode() + '"'

    return re.sub(r'src="([^":]+\.png)"', remplacer, html)


def main():
    source, sortie = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    texte = source.read_text(encoding="utf-8")
    # Anchors as GitHub makes them, accents kept, so that the guide's own links work in both.
    corps = markdown.markdown(texte, extensions=["tables", "fenced_code", "toc"],
                              extension_configs={"toc": {"slugify": slugify_unicode}})
    titre = texte.splitlines()[0].lstrip("# ").strip()
    page = (f'<!DOCTYPE html>\n<html lang="fr"><head><meta charset="utf-8"><title>{titre}</title>'
            f"<style>{STYLE}</style></head><body>\n{incorporer_images(corps, source.parent)}\n</body></html>\n")
    sortie.write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
