#!/usr/bin/env python3
"""Checks the English translation of the Qt forms and the front end's own texts: every text of
the forms and every translate() call is in the translation source, and every one there has a
finished, non-empty English that keeps the access key and the placeholders of the Japanese.

Then the Win32 dialogs: each resource script with language blocks gives every caption (its
TEXT_ macros) in Japanese and English, and the English of a text is the one the Qt forms or the
program's core give it, so both front ends say the same."""
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

JAPANESE = re.compile('[\u3000-\u9fff\uff00-\uffef]')


def texts_to_translate(qt_dir):
    """(context, text) of every form text not marked untranslatable and every translate() call."""
    wanted = set()
    for ui in qt_dir.glob('*.ui'):
        root = ET.parse(ui).getroot()
        context = root.find('class').text
        for string in root.iter('string'):
            if string.get('notr') != 'true' and string.text:
                wanted.add((context, string.text))
            elif string.text and JAPANESE.search(string.text):
                print(f'{ui.name}: Japanese text marked untranslatable: {string.text}')
                wanted.add((context, '<untranslatable> ' + string.text))
    call = re.compile(r'QCoreApplication::translate\(\s*"([^"]+)",\s*"((?:[^"\\]|\\.)*)"\)')
    for source in qt_dir.glob('*.cpp'):
        for context, text in call.findall(source.read_text(encoding='utf-8')):
            wanted.add((context, text.encode().decode('unicode_escape').encode('latin-1')
                        .decode('utf-8')))
    return wanted


def core_catalogue(texts_cpp):
    """Japanese -> English of the core's catalogue: {"japanese", "english"} pairs, each possibly
    split over adjacent literals."""
    pairs = {}
    literal = r'((?:"(?:[^"\\]|\\.)*"\s*)+)'
    for ja, en in re.findall(r'\{\s*' + literal + r',\s*' + literal + r'\}', texts_cpp):
        join = lambda text: ''.join(re.findall(r'"((?:[^"\\]|\\.)*)"', text))
        pairs[join(ja)] = join(en)
    return pairs


def resource_faults(win32_dir, english_of):
    faults = []
    define = re.compile(r'^#define (TEXT_\w+) "((?:[^"\\]|\\.)*)"', re.M)
    for script in sorted(Path(win32_dir).glob('*.rc')):
        text = script.read_text(encoding='utf-8')
        blocks = re.split(r'^LANGUAGE (\w+),.*$', text, flags=re.M)
        languages = dict(zip(blocks[1::2], (dict(define.findall(b)) for b in blocks[2::2])))
        if not languages:
            continue
        japanese = languages.get('LANG_JAPANESE', {})
        english = languages.get('LANG_ENGLISH', {})
        if set(japanese) != set(english) or not japanese:
            faults.append(f'{script.name}: the languages name different captions: '
                          f'{sorted(set(japanese) ^ set(english))}')
        for name in sorted(set(japanese) & set(english)):
            source, own = japanese[name], english[name]
            if not own or JAPANESE.search(own) or ('&' in source) != ('&' in own):
                faults.append(f'{script.name}: {name}: bad English {own!r} for {source!r}')
            elif source in english_of and english_of[source] != own:
                faults.append(f'{script.name}: {name}: {own!r} where the other front end says '
                              f'{english_of[source]!r}')
    return faults


def main(qt_dir, ts_file, win32_dir=None, texts_cpp=None):
    faults = []
    translated = set()
    for context in ET.parse(ts_file).getroot().iter('context'):
        name = context.find('name').text
        for message in context.iter('message'):
            source = message.find('source').text
            translation = message.find('translation')
            translated.add((name, source))
            english = translation.text or ''
            if translation.get('type') in ('unfinished', 'obsolete', 'vanished') or not english:
                faults.append(f'{name}: no English for {source!r}')
            elif ('&' in source) != ('&' in english):
                faults.append(f'{name}: access key lost or added in {english!r}')
            elif sorted(re.findall('%[1-9]', source)) != sorted(re.findall('%[1-9]', english)):
                faults.append(f'{name}: placeholders differ in {english!r}')
            elif JAPANESE.search(english):
                faults.append(f'{name}: Japanese left in {english!r}')
    for context, text in sorted(texts_to_translate(Path(qt_dir)) - translated):
        faults.append(f'{context}: not in the translation: {text!r}')
    if win32_dir:
        english_of = core_catalogue(Path(texts_cpp).read_text(encoding='utf-8'))
        for message in ET.parse(ts_file).getroot().iter('message'):
            english_of.setdefault(message.find('source').text, message.find('translation').text)
        faults += resource_faults(win32_dir, english_of)
    for fault in faults:
        print(fault)
    print(f'translations: {len(translated)} texts, {len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:5]))
