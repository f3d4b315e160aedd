#!/usr/bin/env python3
"""Checks the English translation of the Qt forms and the front end's own texts: every text of
the forms and every translate() call is in the translation source, and every one there has a
finished, non-empty English that keeps the access key and the placeholders of the Japanese."""
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


def main(qt_dir, ts_file):
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
    for fault in faults:
        print(fault)
    print(f'translations: {len(translated)} texts, {len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
