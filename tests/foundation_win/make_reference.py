#!/usr/bin/env python3
"""Reference values for the Windows tests from md5sum and openssl, independent of ours:
md5/<name> with md5.txt ("<name> <MD5>"), and aes.txt ("<UTF-16LE hex> <AES-256-CBC hex>" of
the text's code-page-437 bytes). The key and IV are read from the program's source."""

import argparse
import os
import pathlib
import random
import re
import subprocess
import sys

SIZES = {"empty": 0, "one": 1, "chunk": 524288, "chunk_plus_one": 524289,
         "several": 3 * 1024 * 1024 + 123}

TEXTS = [
    "A",
    "x" * 15,
    "0123456789abcdef",
    "D41D8CD98F00B204E9800998ECF8427E",
    "http://example.test/path?q=1&r=2",
    "Tr\u00e9s \u00fcber \u2591\u2592\u2593 \u00bd",  # all in code page 437
    "Trojan.\u4e2d\u0100\u20ac",  # none of the last three is
    "Generic.Malware!" * 7,
]


def md5_files(out):
    folder = os.path.join(out, "md5")
    os.makedirs(folder, exist_ok=True)
    generator = random.Random(20240305)
    lines = []
    for name, size in SIZES.items():
        path = os.path.join(folder, name)
        pathlib.Path(path).write_bytes(generator.randbytes(size))
        digest = subprocess.run(["md5sum", path], check=True, capture_output=True,
                                text=True).stdout.split()[0]
        lines.append(f"{name} {digest.upper()}")
    pathlib.Path(out, "md5.txt").write_text("\n".join(lines) + "\n", encoding="ascii")


def key_and_iv(source):
    text = pathlib.Path(source).read_text(encoding="utf-8")
    key = re.search(r'kKeyText\[\] = "([0-9A-Fa-f]{32})"', text).group(1)
    iv = re.search(r'kIvText\[\] = "([0-9]{16})"', text).group(1)
    return key.encode("ascii").hex(), iv.encode("ascii").hex()


def aes_lines(out, source):
    key, iv = key_and_iv(source)
    lines = []
    for text in TEXTS:
        plain = text.encode("cp437", errors="replace")
        cipher = subprocess.run(["openssl", "enc", "-aes-256-cbc", "-K", key, "-iv", iv],
                                input=plain, check=True, capture_output=True).stdout
        lines.append(f"{text.encode('utf-16-le').hex()} {cipher.hex().upper()}")
    pathlib.Path(out, "aes.txt").write_text("\n".join(lines) + "\n", encoding="ascii")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--key-source", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    md5_files(args.out)
    aes_lines(args.out, args.key_source)
    print(f"reference values in {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
