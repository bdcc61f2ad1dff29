#!/usr/bin/env python3
"""Lists the names a sketch's global "int NAME;" may not take because
"#include <Arduino.h>" already brings them in, for the Uno and the Mega, with
Debian's Arduino toolchain.

A name is taken when it is
  - an object-like macro (the preprocessor would rewrite the variable's name),
  - a name the compiler refuses in "int NAME;" written after "#include <Arduino.h>":
    functions, objects, typedefs, enumerators, templates of the core, its variant
    and the C library headers it includes, or
  - a name the core's own object files define with external linkage: "int main;" or
    "int timer0_millis;" compile, but the link then fails ("multiple definition") or,
    for main and the weak functions, the variable silently takes the code's place.
The candidates for the second kind are every identifier of the preprocessed text and
every function-like macro; the compiler decides which of them clash. A function-like
macro or a class name that is only that does not clash: "int min;" and "int String;"
compile.

Left out: C++ keywords (the program keeps its own list) and the names the C++
standard reserves to the implementation, beginning with "__" or "_" and a capital
(the program refuses those by rule).

The output has one name per line followed by the boards that have it ("uno", "mega");
the Nano's variant only adds to the Uno's, so it shares the Uno's names.

usage:
  arduino-core-names.py [--work DIR] --write FILE    write the list
  arduino-core-names.py [--work DIR] --check FILE    fail, naming them, when the
                                                     toolchain has names FILE lacks
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

HARDWARE = "/usr/share/arduino/hardware/arduino/avr"
CORE = HARDWARE + "/cores/arduino"
VARIANTS = HARDWARE + "/variants"

BOARDS = {
    "uno": {"mcu": "atmega328p", "board": "AVR_UNO", "variant": "standard"},
    "mega": {"mcu": "atmega2560", "board": "AVR_MEGA2560", "variant": "mega"},
}

# The defines of the IDE's compile recipe (platform.txt), and the flags of its C, C++
# compiles that can change what the headers declare: optimisation and exceptions set
# macros, -fpermissive turns some errors into warnings.
IDE_DEFINES = ["-DF_CPU=16000000L", "-DARDUINO=10819", "-DARDUINO_ARCH_AVR",
               # Debian's core needs it: avr-gcc 5.4 defines DECIMAL_DIG only for C.
               "-DDECIMAL_DIG=__DECIMAL_DIG__"]
CXX_FLAGS = ["-std=gnu++11", "-Os", "-fpermissive", "-fno-exceptions", "-fno-threadsafe-statics"]
C_FLAGS = ["-std=gnu11", "-Os"]

# C++ keywords as avr-gcc compiles sketches (gnu++11) with the alternative operator
# spellings: the same list the program keeps apart.
KEYWORDS = set("""
alignas alignof and and_eq asm auto bitand bitor bool break case catch char char16_t char32_t class
compl const constexpr const_cast continue decltype default delete do double dynamic_cast else enum
explicit export extern false float for friend goto if inline int long mutable namespace new noexcept
not not_eq nullptr operator or or_eq private protected public register reinterpret_cast return short
signed sizeof static static_assert static_cast struct switch template this thread_local throw true try
typedef typeid typename typeof union unsigned using virtual void volatile wchar_t while xor xor_eq
""".split())

RESERVED = re.compile(r"^(?:__|_[A-Z])")
# The preprocessed text read left to right: string and character literals and numbers
# (with their suffixes and exponents) hold no name, so "0x1FUL" gives none and "A0" one.
TOKEN = re.compile(r"""("(?:\\.|[^"\\\n])*")|('(?:\\.|[^'\\\n])*')|(\.?[0-9](?:[eEpP][+-]|[A-Za-z0-9_.])*)"""
                   r"""|([A-Za-z_][A-Za-z0-9_]*)""")
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
ERROR = re.compile(r"^[^:]*names\.cpp:(\d+):\d+: error: ")


def compiler_command(board, language="c++"):
    b = BOARDS[board]
    flags = {"c++": CXX_FLAGS, "c": C_FLAGS, "assembler-with-cpp": []}[language]
    driver = "avr-g++" if language == "c++" else "avr-gcc"
    return ([driver, "-x", language, "-mmcu=" + b["mcu"], "-DARDUINO_" + b["board"]] + flags + IDE_DEFINES
            + ["-I" + CORE, "-I" + os.path.join(VARIANTS, b["variant"])])


def run(command, cwd):
    result = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    return result.returncode, result.stdout, result.stderr


def preprocess(board, work):
    """The macros (name -> True when function-like) and the preprocessed text."""
    source = os.path.join(work, "arduino.cpp")
    with open(source, "w") as f:
        f.write("#include <Arduino.h>\n")
    outputs = []
    for extra in (["-E", "-dM"], ["-E"]):
        code, out, err = run(compiler_command(board) + extra + [source], work)
        if code != 0:
            sys.exit("the preprocessor failed for the %s:\n%s" % (board, err))
        outputs.append(out)
    macros = {}
    for line in outputs[0].splitlines():
        m = re.match(r"#define ([A-Za-z_][A-Za-z0-9_]*)(\()?", line)
        if m:
            macros[m.group(1)] = m.group(2) is not None
    text = "\n".join(l for l in outputs[1].splitlines() if not l.startswith("#"))
    return macros, text


def identifiers(text):
    return {m.group(4) for m in TOKEN.finditer(text) if m.group(4)}


def refused(board, candidates, work):
    """The candidates the compiler refuses in "int NAME;" after the include."""
    source = os.path.join(work, "names.cpp")
    header = ["#include <Arduino.h>"]
    with open(source, "w") as f:
        f.write("\n".join(header + ["int %s;" % c for c in candidates]) + "\n")
    code, _, err = run(compiler_command(board) + ["-fsyntax-only", "-fmax-errors=0", source], work)
    taken = set()
    for line in err.splitlines():
        if ": error: " not in line:
            continue
        m = ERROR.match(line)
        index = int(m.group(1)) - len(header) - 1 if m else -1
        if not 0 <= index < len(candidates):
            sys.exit("the %s: an error outside the candidates' lines:\n%s" % (board, err))
        taken.add(candidates[index])
    if code != 0 and not taken:
        sys.exit("the compiler failed for the %s without naming a line:\n%s" % (board, err))
    return taken


def core_symbols(board, work):
    """The symbols the core's object files define with external linkage, compiled
    as the IDE compiles them but without link-time optimisation, so that avr-nm
    reads them."""
    languages = {".c": "c", ".cpp": "c++", ".S": "assembler-with-cpp"}
    objects = os.path.join(work, "core-" + board)
    os.makedirs(objects, exist_ok=True)
    files = []
    for source in sorted(os.listdir(CORE)):
        language = languages.get(os.path.splitext(source)[1])
        if language:
            target = os.path.join(objects, source + ".o")
            code, _, err = run(compiler_command(board, language) + ["-c", os.path.join(CORE, source), "-o", target],
                               work)
            if code != 0:
                sys.exit("the core's %s does not compile for the %s:\n%s" % (source, board, err))
            files.append(target)
    code, out, err = run(["avr-nm", "--defined-only", "--extern-only"] + files, work)
    if code != 0:
        sys.exit("avr-nm failed:\n" + err)
    return {fields[2] for fields in (l.split() for l in out.splitlines()) if len(fields) == 3}


def board_names(board, work):
    macros, text = preprocess(board, work)
    taken = {name for name, function_like in macros.items() if not function_like}
    candidates = (identifiers(text) | {name for name, function_like in macros.items() if function_like}) - taken
    candidates = sorted(c for c in candidates if c not in KEYWORDS and not RESERVED.match(c))
    taken |= refused(board, candidates, work)
    # Symbols are no identifiers when mangled (C++ functions begin with "_Z": reserved).
    taken |= {s for s in core_symbols(board, work) if IDENTIFIER.fullmatch(s)}
    return {n for n in taken if n not in KEYWORDS and not RESERVED.match(n)}


def verify_oracle(names):
    """The names every sketch knows clash, and some that must not."""
    for board, board_set in names.items():
        wrong = [n for n in ("B1", "A0", "delay", "Serial", "HIGH", "byte", "boolean", "LED_BUILTIN", "sin",
                             "main", "timer0_millis") if n not in board_set]
        wrong += ["not " + n for n in ("String", "min", "bitRead", "count", "quot") if n in board_set]
        if wrong:
            sys.exit("the %s: the compiler's answer is not believable: %s" % (board, ", ".join(wrong)))


def generate(work):
    names = {board: board_names(board, work) for board in BOARDS}
    verify_oracle(names)
    return names


def lines(names):
    everything = sorted(set().union(*names.values()))
    return ["%s %s" % (n, " ".join(b for b in BOARDS if n in names[b])) for n in everything]


def read_kept(path):
    kept = {board: set() for board in BOARDS}
    with open(path) as f:
        for line in f:
            fields = line.split("#", 1)[0].split()
            for board in fields[1:]:
                kept[board].add(fields[0])
    return kept


def write(names, path):
    with open(path, "w") as f:
        f.write("# The names \"#include <Arduino.h>\" brings into a sketch, which a global variable\n"
                "# may not take, each followed by the boards that have it (the Nano has the Uno's).\n"
                "# Written by scripts/arduino-core-names.py from Debian's Arduino toolchain: do not\n"
                "# edit, run the script again.\n")
        f.write("\n".join(lines(names)) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--work", help="scratch folder, kept (default: a temporary one)")
    action = parser.add_mutually_exclusive_group(required=True)
    action.add_argument("--write", metavar="FILE")
    action.add_argument("--check", metavar="FILE")
    args = parser.parse_args()
    if not all(shutil.which(tool) for tool in ("avr-gcc", "avr-g++", "avr-nm")) or not os.path.isdir(CORE):
        sys.exit("The Arduino toolchain (arduino-core-avr, gcc-avr, avr-libc) is not installed:\n"
                 "run scripts/install-deps.sh first.")

    with tempfile.TemporaryDirectory() as temporary:
        work = args.work or temporary
        os.makedirs(work, exist_ok=True)
        names = generate(work)
        # A check leaves the fresh list in the scratch folder, to compare by hand.
        write(names, args.write or os.path.join(work, "arduino-core-names.txt"))
    for board in BOARDS:
        print("%s: %d names" % (board, len(names[board])))
    if args.write:
        return 0

    kept = read_kept(args.check)
    missing = ["%s (%s)" % (n, board) for board in BOARDS for n in sorted(names[board] - kept[board])]
    extra = ["%s (%s)" % (n, board) for board in BOARDS for n in sorted(kept[board] - names[board])]
    if extra:
        print("names in %s the toolchain does not have (harmless, but the list is stale): %s"
              % (args.check, ", ".join(extra)))
    if missing:
        print("names the toolchain brings in that %s lacks: %s" % (args.check, ", ".join(missing)))
        print("regenerate it: scripts/arduino-core-names.py --write " + args.check)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
