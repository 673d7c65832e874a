#!/usr/bin/env python3
"""The program's string tables: checked and turned into what the build needs.

  texts.py build LANG_DIR OUT_DIR
      checks that every language's block in LANG_DIR has exactly the English texts (a text missing
      from a string table loads as an empty one, not as English), with the same inserts (%1 ...) and
      access keys (&); that a text with a count ("one:…|other:…", %1 the count) has a form for each
      plural category its language has, and no other; that each language speaks with one voice: its
      glossary (LANG_DIR/glossary/TAG.txt) names its words for the program's things, each used in its
      texts or its setup's (installer/lang/), and the words it avoids, used in none; then writes into OUT_DIR the English table for the portable code
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


# CLDR's cardinal plural categories of each language: those every counted text must have a form for,
# then those it may leave to "other" (the millions of the Romance languages: "1 000 000 de ...").
PLURALS = {
    'ar': ('zero one two few many other', ''), 'bg': ('one other', ''), 'ca': ('one other', 'many'),
    'cs': ('one few many other', ''), 'da': ('one other', ''), 'de': ('one other', ''), 'el': ('one other', ''),
    'en': ('one other', ''), 'es': ('one other', 'many'), 'et': ('one other', ''), 'fa': ('one other', ''),
    'fi': ('one other', ''), 'fr': ('one other', 'many'), 'he': ('one two other', ''), 'hi': ('one other', ''),
    'hr': ('one few other', ''), 'hu': ('one other', ''), 'id': ('other', ''), 'it': ('one other', 'many'),
    'ja': ('other', ''), 'ko': ('other', ''), 'lt': ('one few many other', ''), 'lv': ('zero one other', ''),
    'nb': ('one other', ''), 'nl': ('one other', ''), 'pl': ('one few many other', ''), 'pt': ('one other', 'many'),
    'ro': ('one few other', ''), 'ru': ('one few many other', ''), 'sk': ('one few many other', ''),
    'sl': ('one two few other', ''), 'sr': ('one few other', ''), 'sv': ('one other', ''), 'th': ('other', ''),
    'tr': ('one other', ''), 'uk': ('one few many other', ''), 'vi': ('other', ''), 'zh': ('other', ''),
    'qps': ('one other', ''),
}
FORM = re.compile(r'^(zero|one|two|few|many|other):')
CONCEPTS = ('Settings', 'Clock options', 'clock', 'alarm', 'snooze', 'notification area', 'start-up entry',
            'address')


def plurals(tag):
    """(required, optional) categories of a file's language tag."""
    required, optional = PLURALS.get(tag.split('-')[0].lower(), ('one other', ''))
    return required.split(), optional.split()


def forms(text):
    """A counted text's forms {category: text}; None for a text without a count."""
    if not FORM.match(text):
        return None
    found = {}
    for part in text.split('|'):
        match = FORM.match(part)
        if not match or match.group(1) in found:
            raise Fault(f'"{text[:40]}": "{part[:20]}" is no form, or a second one of its category')
        found[match.group(1)] = part[match.end():]
    return found


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


def check_counted(path, name, text, english_text, faults):
    try:
        own, english_forms = forms(text), forms(english_text)
    except Fault as fault:
        faults.append(f'{path.name}: {name}: {fault}')
        return
    if english_forms is None:
        if own is not None:
            faults.append(f'{path.name}: {name} has forms for a count, English none')
        return
    required, optional = plurals(path.stem)
    if own is None:
        if required != ['other']:
            faults.append(f'{path.name}: {name} needs a form for each of {" ".join(required)}')
        return
    for category in own.keys() - set(required) - set(optional):
        faults.append(f'{path.name}: {name} has a form for "{category}", which its language has not')
    for category in set(required) - own.keys():
        faults.append(f'{path.name}: {name} lacks its form for "{category}"')
    for category, form in own.items():
        if inserts(form) != inserts(english_forms['other']):
            faults.append(f'{path.name}: {name} ({category}) puts in {inserts(form)}, English '
                          f'{inserts(english_forms["other"])}')


def setup_texts(lang_dir, file_name):
    path = lang_dir.parent.parent / 'installer' / 'lang' / file_name
    if not path.exists():
        raise Fault(f'no setup texts {path.name}')
    return [(m.group(1), m.group(2)) for m in re.finditer(r'^LangString\s+(\w+)\s+\S+\s+"(.*)"\s*$',
                                                            path.read_text(encoding='utf-8-sig'), re.M)]


def read_glossary(path):
    words, avoid = {}, []
    for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
        line = line.strip()
        if not line or line.startswith('#'):
            continue
        key, sep, value = line.partition(':')
        if not sep or not value.strip():
            raise Fault(f'{path.name}:{number}: not "thing: word"')
        if key.strip() == 'avoid':
            avoid.append(value.strip())
        else:
            words[key.strip()] = value.strip()
    return words, avoid


def avoided(word):
    """A pattern for a glossary's avoided word: whole words (in scripts written with spaces), a * at
    either end for any ending or beginning; case as written."""
    no_spaces = re.search(r'[\u0E00-\u0E7F\u3000-\u9FFF\uAC00-\uD7AF\uFF00-\uFFEF]', word)
    core = re.escape(word.strip('*'))
    before = '' if no_spaces or word.startswith('*') else r'(?<!\w)'
    after = '' if no_spaces or word.endswith('*') else r'(?!\w)'
    return re.compile(before + core + after)


def check_voice(lang_dir, path, texts, faults):
    """The language's glossary against its program texts and its setup's."""
    glossary = lang_dir / 'glossary' / (path.stem + '.txt')
    if not glossary.exists():
        faults.append(f'{path.name}: no glossary {glossary.name}')
        return
    try:
        words, avoid = read_glossary(glossary)
        everything = [(name, text) for name, text in texts.items()] + setup_texts(lang_dir, words.get('setup', ''))
    except Fault as fault:
        faults.append(f'{glossary.name}: {fault}')
        return
    for concept in CONCEPTS:
        if concept not in words:
            faults.append(f'{glossary.name}: names no word for "{concept}"')
        elif concept != 'address' and not any(words[concept].lower() in text.lower() for _, text in everything):
            faults.append(f'{glossary.name}: "{words[concept]}" ({concept}) is in none of its texts')
    for word in avoid:
        pattern = avoided(word)
        for name, text in everything:
            if pattern.search(text.replace('&', '')):
                faults.append(f'{path.name}: {name} says "{word}", which its glossary avoids')


def check(lang_dir):
    english = dict(read_block(lang_dir / ENGLISH))
    faults = []
    for name, text in english.items():
        check_counted(lang_dir / ENGLISH, name, text, text, faults)
    check_voice(lang_dir, lang_dir / ENGLISH, english, faults)
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
        check_voice(lang_dir, path, texts, faults)
        for name in english.keys() & texts.keys():
            check_counted(path, name, texts[name], english[name], faults)
            if not FORM.match(english[name]) and inserts(texts[name]) != inserts(english[name]):
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
    if FORM.match(rc_text):
        return '|'.join(f'{category}:{pseudo(form)}' for category, form in forms(rc_text).items())
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
    rows = [f'    {{L"{language}", L"{required}", L"{optional}"}},' for language, (required, optional) in PLURALS.items()]
    write_if_changed(out_dir / 'plural_categories.inc', '// The plural categories the check holds each language to, '
                     'made by scripts/texts.py.\n' + '\n'.join(rows) + '\n')
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
    voiced = next(p for p in sorted(lang_dir.glob('*.rc'))
                  if (lang_dir / 'glossary' / (p.stem + '.txt')).exists() and
                  read_glossary(lang_dir / 'glossary' / (p.stem + '.txt'))[1])
    off_word = read_glossary(lang_dir / 'glossary' / (voiced.stem + '.txt'))[1][0].strip('*')
    plants = {
        'a missing text': (other, lambda t: re.sub(r'\n\s*IDS_MENU_EXIT[^\n]*', '', t, count=1)),
        'an extra text': (other, lambda t: t.replace('END', '    IDS_NOT_IN_ENGLISH "x"\nEND')),
        'a lost insert': (other, lambda t: re.sub(r'(IDS_MENU_CLOSED_CLOCK\s+"[^"]*?)%1', r'\1', t, count=1)),
        'a lost access key': (other, lambda t: re.sub(r'(IDS_MENU_EXIT\s+"[^"]*?)&', r'\1', t, count=1)),
        'a broken line': (other, lambda t: t.replace('END', '    IDS_MENU_EXIT "unclosed\nEND')),
        'a lost plural form': (other, lambda t: re.sub(r'(IDS_TIP_MORE\s+")[a-z]+:[^|"]*\|', r'\1', t, count=1)),
        'a form its language has not': (other, lambda t: re.sub(r'(IDS_TIP_MORE\s+")', r'\1two:%1|', t, count=1)),
        'an off-glossary word': (voiced, lambda t: re.sub(r'(IDS_MENU_EXIT\s+")', r'\1' + off_word + ' ', t, count=1)),
    }
    with tempfile.TemporaryDirectory() as scratch:
        scratch_lang = pathlib.Path(scratch) / 'resources' / 'lang'
        shutil.copytree(lang_dir, scratch_lang)
        shutil.copytree(lang_dir.parent.parent / 'installer' / 'lang', pathlib.Path(scratch) / 'installer' / 'lang')
        check(scratch_lang)
        for fault, (path, plant) in plants.items():
            text = path.read_text(encoding='utf-8')
            planted = plant(text)
            if planted == text:
                raise Fault(f'could not plant {fault} in {path.name}')
            (scratch_lang / path.name).write_text(planted, encoding='utf-8')
            try:
                check(scratch_lang)
            except Fault:
                continue
            finally:
                (scratch_lang / path.name).write_text(text, encoding='utf-8')
            raise Fault(f'the check let {fault} through')
    print(f'the check catches each planted fault ({len(plants)}) in a copy of {other.name} and {voiced.name}')


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
