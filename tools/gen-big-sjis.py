#!/usr/bin/env python3
"""Write a large Shift-JIS text file for benchmarks: gen-big-sjis.py OUT MEGABYTES [LINE_WIDTH]
Lines mix kanji, kana, ASCII and characters whose second byte is 0x5C, end in CR LF, and are
never cut: the file stops at the last whole line within the size. Same arguments, same bytes."""
import sys
out, mb = sys.argv[1], float(sys.argv[2])
width = int(sys.argv[3]) if len(sys.argv) > 3 else 60
words = ["日本語", "テキスト", "表示", "ソフト", "能力", "検索", "置換", "Velmora", "editor", "12345",
         "ｶﾀｶﾅ", "、", "。", "予定", "申請", " ", "abc", "ABC", "貼り付け", "構造"]
target = int(mb * 1024 * 1024)
buf = bytearray(); seed = 12345
while True:
    line = bytearray()
    while len(line) < width:
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        line += words[(seed >> 16) % len(words)].encode('cp932')
    if len(buf) + len(line) + 2 > target:
        break
    buf += line + b"\r\n"
open(out, 'wb').write(bytes(buf))
