#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The translation gate: every translation in translations/ up to date with src/ (lupdate finds
# no new, unfinished or obsolete text) and every text the user sees going through Qt's
# translation system: no Chinese string literal outside tr(), translate() and the
# QT_TRANSLATE_NOOP markers, and no English literal handed straight to a window, a box or
# standard error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --lint
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
status=0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ts in translations/*.ts; do
    if grep -n 'type="\(unfinished\|obsolete\|vanished\)"' "$ts"; then
        echo "$ts: unfinished or obsolete entries (above)"
        status=1
    fi
    cp "$ts" "$work/current.ts"
    "$lupdate" -silent -locations none -no-obsolete src -ts "$work/current.ts"
    if ! diff -u "$ts" "$work/current.ts"; then
        echo "$ts: not up to date with src/: run scripts/update-translations.sh and translate"
        status=1
    fi
done

python3 - src translations/untranslated.txt <<'PYTHON' || status=1
import pathlib, re, sys

MARKERS = re.compile(r'(\btr|\btranslate|QT_TRANSLATE_N_NOOP|QT_TRANSLATE_NOOP|QT_TR_NOOP)\s*\(\s*("[^"]*"\s*,\s*)?$')
SINKS = re.compile(r'\b(ShowError|ShowInfo|ShowMessage|Complain|PrintError|setText|setWindowTitle|'
                   r'setToolTip|setPlaceholderText|addAction|addButton|addTab|QLabel|QPushButton|'
                   r'QCheckBox|QRadioButton|QGroupBox|fprintf\s*\(\s*stderr\s*,)\s*\(?\s*$')
HAN = re.compile(r'[\u4e00-\u9fff\u3000-\u303f\uff00-\uffef]')
# Words of a text; the program's name and printf's conversions are the same in every language.
WORDS = re.compile(r'(?!Linkshelf\b)(?<![%A-Za-z])[A-Za-z]{3,}')
ALLOWED = {line.split('\t')[0] for line in pathlib.Path(sys.argv[2]).read_text(encoding='utf-8')
           .splitlines() if line and not line.startswith('#')}

def literals(text):
    """Yields (start, end, body) of each string literal outside comments."""
    i, n = 0, len(text)
    while i < n:
        if text.startswith('//', i):
            i = text.find('\n', i)
            i = n if i < 0 else i
        elif text.startswith('/*', i):
            i = text.find('*/', i + 2)
            i = n if i < 0 else i + 2
        elif text[i] == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == '\\' else 1
            i = j + 1
        elif text[i] == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == '\\' else 1
            yield i, j + 1, text[i + 1:j]
            i = j + 1
        else:
            i += 1

failed = False
for path in sorted(pathlib.Path(sys.argv[1]).rglob('*')):
    if path.suffix not in ('.cpp', '.h'):
        continue
    text = path.read_text(encoding='utf-8')
    group_start, previous_end = None, -1
    for start, end, body in literals(text):
        # Adjacent literals are one text: judge them by what comes before the first.
        if previous_end >= 0 and text[previous_end:start].strip() == '':
            start_of_text = group_start
        else:
            start_of_text = group_start = start
        previous_end = end
        before = text[max(0, start_of_text - 200):start_of_text]
        line = text.count('\n', 0, start) + 1
        if body in ALLOWED:
            continue
        if HAN.search(body) and not MARKERS.search(before):
            print(f'{path}:{line}: Chinese text outside the translation system: "{body}"')
            failed = True
        elif WORDS.search(body) and start == start_of_text and SINKS.search(before):
            print(f'{path}:{line}: English text shown without translation: "{body}"')
            failed = True
sys.exit(1 if failed else 0)
PYTHON

# A count in a text takes the plural forms of the language: Qt's %n in a numerus entry, never a
# %1 beside a counted word.
python3 - translations/*.ts <<'PYTHON' || status=1
import re, sys
import xml.etree.ElementTree as ElementTree

COUNTED_SOURCE = re.compile(r'%\d\s*(个|处|项|条|次|份|文件夹)')
COUNTED_ENGLISH = re.compile(r'%\d\s+(links?|folders?|address(es)?|places?|verdicts?|files?|icons?|'
                             r'items?|shortcuts?|changes?)\b', re.IGNORECASE)
failed = False
for ts in sys.argv[1:]:
    for message in ElementTree.parse(ts).getroot().iter('message'):
        if message.get('numerus') == 'yes':
            continue
        source = message.findtext('source') or ''
        translation = ''.join(message.find('translation').itertext())
        if COUNTED_SOURCE.search(source) or COUNTED_ENGLISH.search(translation):
            print(f'{ts}: a count without plural forms (use %n and a numerus entry): {source!r}')
            failed = True
sys.exit(1 if failed else 0)
PYTHON

[ "$status" -eq 0 ] && echo "Translations complete and every text translatable."
exit "$status"
