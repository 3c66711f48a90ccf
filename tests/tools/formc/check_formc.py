#!/usr/bin/env python3
"""Runs formc on the sample descriptions and checks its output byte for byte.

cases/NAME.vfm must compile to the bytes written in cases/NAME.hex. A .hex file lists bytes as hex
pairs, "quoted ASCII text", and XX*N for N copies of a byte; // starts a comment.
errors/NAME.vfm must fail: its first line reads "// error: LINE:COL: text", and formc must exit with 1,
report "NAME.vfm:LINE:COL: error: ...text..." and leave no output file behind.

usage: check_formc.py FORMC SAMPLES_DIR WORK_DIR
"""
import os
import re
import shutil
import subprocess
import sys

failures = []


def fail(name, message):
    failures.append(f"{name}: {message}")


def parse_hex(text):
    data = bytearray()
    token = re.compile(r'"([^"]*)"|([0-9A-Fa-f]{2})(?:\*(\d+))?|(\S+)')
    for line in text.splitlines():
        line = re.sub(r'//.*', '', line)
        for match in token.finditer(line):
            quoted, byte, count, junk = match.groups()
            if junk is not None:
                raise ValueError(f"bad token {junk!r} in expected bytes")
            if quoted is not None:
                data += quoted.encode('ascii')
            else:
                data += bytes([int(byte, 16)]) * (int(count) if count else 1)
    return bytes(data)


def first_difference(actual, expected):
    for i, (a, e) in enumerate(zip(actual, expected)):
        if a != e:
            return i
    return min(len(actual), len(expected))


def show(data, at):
    start = max(0, at - 8)
    return data[start:at + 8].hex(' ')


def run(formc, *args):
    return subprocess.run([formc, *args], capture_output=True, text=True)


def check_cases(formc, samples, work):
    cases = os.path.join(samples, 'cases')
    for file in sorted(os.listdir(cases)):
        if not file.endswith('.vfm'):
            continue
        name = file[:-4]
        output = os.path.join(work, name + '.bin')
        result = run(formc, '-o', output, os.path.join(cases, file))
        if result.returncode != 0:
            fail(name, f"formc failed: {result.stderr.strip()}")
            continue
        with open(os.path.join(cases, name + '.hex'), encoding='utf-8') as f:
            expected = parse_hex(f.read())
        with open(output, 'rb') as f:
            actual = f.read()
        if actual != expected:
            at = first_difference(actual, expected)
            fail(name, f"bytes differ at offset {at} (0x{at:X}); "
                       f"got {len(actual)} bytes [{show(actual, at)}], "
                       f"expected {len(expected)} bytes [{show(expected, at)}]")


def check_errors(formc, samples, work):
    errors = os.path.join(samples, 'errors')
    for file in sorted(os.listdir(errors)):
        if not file.endswith('.vfm'):
            continue
        name = file[:-4]
        path = os.path.join(errors, file)
        with open(path, 'rb') as f:
            header = f.readline().decode('utf-8').strip()
        match = re.fullmatch(r'// error: (\d+:\d+): (.*)', header)
        if not match:
            fail(name, "the first line must be '// error: LINE:COL: text'")
            continue
        where, text = match.groups()
        folder = os.path.join(work, 'error-' + name)
        os.makedirs(folder)
        output = os.path.join(folder, name + '.bin')
        result = run(formc, '--rc', output + '.rc', '--depfile', output + '.d', '-o', output, path)
        if result.returncode != 1:
            fail(name, f"exit code {result.returncode}, expected 1")
        expected_start = f"{path}:{where}: error: "
        if not result.stderr.startswith(expected_start) or text not in result.stderr:
            fail(name, f"reported {result.stderr.strip()!r}, expected {expected_start}...{text}...")
        left = os.listdir(folder)
        if left:
            fail(name, f"left files behind: {left}")


def check_outputs(formc, samples, work):
    """The resource script, the dependency file, and what a failed run does to earlier output."""
    cases = os.path.join(samples, 'cases')
    output = os.path.join(work, 'side', 'Form.bin')
    os.makedirs(os.path.dirname(output))
    description = os.path.join(cases, 'structure.vfm')
    result = run(formc, '--rc', output + '.rc', '--depfile', output + '.d', '-o', output, description)
    if result.returncode != 0:
        fail('outputs', f"formc failed: {result.stderr.strip()}")
        return
    with open(output + '.rc', encoding='utf-8') as f:
        script = f.read()
    if f'TFORM1 RCDATA "{os.path.abspath(output)}"' not in script.splitlines():
        fail('outputs', f"resource script does not embed the stream as TFORM1: {script!r}")
    with open(output + '.d', encoding='utf-8') as f:
        depfile = f.read().replace('\\\n', ' ').split()
    if depfile[:1] != [output + ':'] or description not in depfile or \
            os.path.join(cases, 'structure.dat') not in depfile:
        fail('outputs', f"dependency file does not list the description and its data file: {depfile}")

    # A failing compile must leave what an earlier run wrote untouched.
    with open(output, 'rb') as f:
        before = f.read()
    broken = os.path.join(work, 'side', 'broken.vfm')
    with open(broken, 'w', encoding='utf-8') as f:
        f.write("object Form1: TForm1\n  Caption = 'x\nend\n")
    result = run(formc, '-o', output, broken)
    with open(output, 'rb') as f:
        after = f.read()
    if result.returncode != 1 or before != after:
        fail('outputs', "a failing compile changed an existing output file")
    if sorted(os.listdir(os.path.dirname(output))) != sorted(['Form.bin', 'Form.bin.rc', 'Form.bin.d', 'broken.vfm']):
        fail('outputs', f"unexpected files: {os.listdir(os.path.dirname(output))}")

    result = run(formc, description)
    if result.returncode != 2 or 'usage' not in result.stderr:
        fail('usage', f"formc without -o exited {result.returncode}: {result.stderr.strip()!r}")
    result = run(formc, '-o', output, os.path.join(work, 'absent.vfm'))
    if result.returncode != 1 or 'cannot read' not in result.stderr:
        fail('missing input', f"exited {result.returncode}: {result.stderr.strip()!r}")


def main():
    formc, samples, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    check_cases(formc, samples, work)
    check_errors(formc, samples, work)
    check_outputs(formc, samples, work)
    for failure in failures:
        print('FAIL', failure)
    if failures:
        return 1
    print('formc: all samples compile to the expected bytes and every error case is reported')
    return 0


if __name__ == '__main__':
    sys.exit(main())
