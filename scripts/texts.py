#!/usr/bin/env python3
"""The program's string tables: checked and turned into what the build needs.

  texts.py build LANG_DIR OUT_DIR
      checks that every language's block in LANG_DIR has exactly the English texts (a text missing
      from a string table loads as an empty one, not as English), with the same inserts (%1 ...) and
      access keys (&); then writes into OUT_DIR the English table for the portable code
      (english_texts.inc), the program's resource script of every language (languages.rc) and the
      tests' one, which adds the pseudo-language (every text longer by 40 %, accented, bracketed).
  texts.py selftest LANG_DIR
      plants each fault the check must catch in a scratch copy and fails unless the check does.
"""
import math
import pathlib
import re
import shutil
import sys
import tempfile

ENTRY = re.compile(r'^\s*(IDS_[A-Z0-9_]+)\s*,?\s*"((?:[^"]|"")*)"\s*$')
LANGUAGE = re.compile(r'^\s*LANGUAGE\s+\S+\s*,\s*\S+\s*$')
ENGLISH = 'en-US.rc'


class Fault(Exception):
    pass


def read_block(path):
    """The entries of one file's string table, in order: [(id, rc text)]."""
    entries, inside, seen = [], False, set()
    for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
        where = f'{path.name}:{number}'
        stripped = line.strip()
        if not stripped or stripped.startswith('//') or stripped.startswith('#pragma'):
            continue
        if LANGUAGE.match(line) or stripped == 'STRINGTABLE':
            continue
        if stripped == 'BEGIN':
            inside = True
            continue
        if stripped == 'END':
            inside = False
            continue
        match = ENTRY.match(line)
        if not inside or not match:
            raise Fault(f'{where}: not a string table entry: {stripped[:60]}')
        if match.group(1) in seen:
            raise Fault(f'{where}: {match.group(1)} twice')
        seen.add(match.group(1))
        entries.append((match.group(1), match.group(2)))
    if not entries:
        raise Fault(f'{path.name}: no string table')
    return entries


def inserts(text):
    return sorted(re.findall(r'%[1-9]', text.replace('%%', '')))


def access_keys(text):
    return text.replace('&&', '').count('&')


def check(lang_dir):
    english = dict(read_block(lang_dir / ENGLISH))
    faults = []
    for path in sorted(lang_dir.glob('*.rc')):
        if path.name == ENGLISH:
            continue
        try:
            texts = dict(read_block(path))
        except Fault as fault:
            faults.append(str(fault))
            continue
        for name in english.keys() - texts.keys():
            faults.append(f'{path.name}: lacks {name}')
        for name in texts.keys() - english.keys():
            faults.append(f'{path.name}: has {name}, which English does not')
        for name in english.keys() & texts.keys():
            if inserts(texts[name]) != inserts(english[name]):
                faults.append(f'{path.name}: {name} puts in {inserts(texts[name])}, English {inserts(english[name])}')
            if access_keys(texts[name]) != access_keys(english[name]):
                faults.append(f'{path.name}: {name} has {access_keys(texts[name])} access keys, English '
                              f'{access_keys(english[name])}')
            if not texts[name].strip():
                faults.append(f'{path.name}: {name} is empty')
    if faults:
        raise Fault('\n'.join(sorted(faults)))


def wide_literal(rc_text):
    """An rc string's contents as a C++ wide literal: "" is a quote, escapes stay, others as \\u."""
    out = []
    for ch in rc_text.replace('""', '"'):
        if ch == '"':
            out.append('\\"')
        elif ord(ch) < 0x80:
            out.append(ch)
        elif ord(ch) <= 0xFFFF:
            out.append(f'\\u{ord(ch):04X}')
        else:
            out.append(f'\\U{ord(ch):08X}')
    return 'L"' + ''.join(out) + '"'


ACCENTS = str.maketrans('aeiouycnAEIOUYCN', 'áéíöüýçñÅÉÍÖÜÝÇÑ')


def pseudo(rc_text):
    """Accented, bracketed and 40 % longer; inserts, escapes and access keys kept as they are."""
    parts = re.split(r'(%[1-9%]|\\.|"")', rc_text)
    shown = sum(1 if re.fullmatch(r'%[1-9%]|\\.|""', p) else len(p) for p in parts)
    body = ''.join(p if re.fullmatch(r'%[1-9%]|\\.|""', p) else p.translate(ACCENTS) for p in parts)
    return '[' + body + ' ' + '·' * max(1, math.ceil(shown * 0.4) - 3) + ']'


def build(lang_dir, out_dir):
    check(lang_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    entries = read_block(lang_dir / ENGLISH)
    lines = [f'    {{{name}, {wide_literal(text)}}},' for name, text in entries]
    write_if_changed(out_dir / 'english_texts.inc', '// Made from resources/lang/en-US.rc by scripts/texts.py.\n' +
                     '\n'.join(lines) + '\n')
    rc = ['// The pseudo-language of the tests, made from en-US.rc by scripts/texts.py.', '#pragma code_page(65001)',
          'LANGUAGE 0x101, 0x01', 'STRINGTABLE', 'BEGIN']
    rc += [f'    {name} "{pseudo(text)}"' for name, text in entries]
    write_if_changed(out_dir / 'qps-ploc.rc', '\n'.join(rc + ['END']) + '\n')
    head = ['// Every language\'s texts, made by scripts/texts.py.', '#include <windows.h>', '#include "logic/text_ids.h"']
    languages = [f'#include "{path.resolve().as_posix()}"' for path in sorted(lang_dir.glob('*.rc'))]
    write_if_changed(out_dir / 'languages.rc', '\n'.join(head + languages) + '\n')
    write_if_changed(out_dir / 'test_languages.rc', '\n'.join(head + languages + ['#include "qps-ploc.rc"']) + '\n')


def write_if_changed(path, text):
    if not path.exists() or path.read_text(encoding='utf-8') != text:
        path.write_text(text, encoding='utf-8')


def selftest(lang_dir):
    other = next(p for p in sorted(lang_dir.glob('*.rc')) if p.name != ENGLISH)
    plants = {
        'a missing text': lambda t: re.sub(r'\n\s*IDS_MENU_EXIT[^\n]*', '', t, count=1),
        'an extra text': lambda t: t.replace('END', '    IDS_NOT_IN_ENGLISH "x"\nEND'),
        'a lost insert': lambda t: re.sub(r'(IDS_MENU_CLOSED_CLOCK\s+"[^"]*?)%1', r'\1', t, count=1),
        'a lost access key': lambda t: re.sub(r'(IDS_MENU_EXIT\s+"[^"]*?)&', r'\1', t, count=1),
        'a broken line': lambda t: t.replace('END', '    IDS_MENU_EXIT "unclosed\nEND'),
    }
    with tempfile.TemporaryDirectory() as scratch:
        scratch = pathlib.Path(scratch)
        shutil.copy(lang_dir / ENGLISH, scratch)
        check(scratch)
        for fault, plant in plants.items():
            text = other.read_text(encoding='utf-8')
            planted = plant(text)
            if planted == text:
                raise Fault(f'could not plant {fault} in {other.name}')
            (scratch / other.name).write_text(planted, encoding='utf-8')
            try:
                check(scratch)
            except Fault:
                continue
            raise Fault(f'the check let {fault} through')
    print(f'the check catches each planted fault ({len(plants)}) in a copy of {other.name}')


def main(argv):
    try:
        if argv[1:2] == ['build'] and len(argv) == 4:
            build(pathlib.Path(argv[2]), pathlib.Path(argv[3]))
        elif argv[1:2] == ['selftest'] and len(argv) == 3:
            selftest(pathlib.Path(argv[2]))
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except Fault as fault:
        print(f'string tables: {fault}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
