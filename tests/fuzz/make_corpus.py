#!/usr/bin/env python3
"""Writes the committed seed corpus of every fuzz target from the project's
own test inputs: the golden inputs (tests/golden/*.in), the example file,
the files written by other tools (tests/external/*.in) and a few parameter
files in the form the parameter tests use. Run it from anywhere; it replaces
tests/fuzz/corpus/. Seeds that the fuzzers found later are kept in
corpus/NAME/found-* and survive a rerun.

A target's numbers are read from the end of its input (tests/fuzz/
fuzz_input.h, take_number): each number takes one byte, or two when its
range needs them, the last byte first and then the one before it as the
low byte. trailer() writes them in that order.
"""
import pathlib
import shutil

root = pathlib.Path(__file__).resolve().parents[2]
corpus = root / "tests" / "fuzz" / "corpus"


def trailer(*numbers):
    """numbers: (value, lowest, highest) in the order the target takes them."""
    out = bytearray()
    for value, lowest, highest in numbers:
        span = highest - lowest + 1
        offset = value - lowest
        assert 0 <= offset < span
        taken = [offset & 0xFF] if span <= 256 else [offset >> 8, offset & 0xFF]
        # Taken from the end: the first number's bytes are the last ones.
        out[0:0] = bytes(reversed(taken))
    return bytes(out)


def sources():
    files = sorted((root / "tests" / "golden").glob("*.in"))
    files += sorted((root / "tests" / "external").glob("*.in"))
    files.append(root / "examples" / "sample.pir")
    return [(f.stem, f.read_bytes()) for f in files]


def write(target, name, data):
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def gseq_trailer(mode, ilen, tlen, slen, nseq, index, alphabet, asize):
    return trailer((mode, -1, 3), (ilen, -2, 40), (tlen, -2, 300), (slen, -2, 9000),
                   (nseq, -1, 5), (index, -1, 3), (alphabet, 0, 3), (asize, -300, 300))


# mode, MAXilen, MAXtlen, MAXslen, MAXnseq, index, alphabet, asize
gseq_settings = [
    (2, 20, 300, 8000, 5, 0, 0, 0),    # the program's reading, a shorter title
    (1, 20, 300, 8000, 5, 1, 2, 26),   # residue codes, protein alphabet
    (0, 8, 12, 40, 5, 2, 0, 0),        # structure bodies, small buffers
    (2, 1, 1, 1, 5, 0, 0, 0),          # limits below 2
    (1, 5, 7, 9, 3, 1, 3, 10),         # nucleotide alphabet, small buffers
    (2, 20, 300, 8000, 1, 0, 0, 0),    # index beyond the bound: nothing read
]

params = {
    "every_number": "".join(f"{k} 7\n" for k in [
        "MAX_NSEQ", "MAX_SEQ_LEN", "MAX_ID_LEN", "MAX_BLOC_SEQ", "PEN", "PEN1", "FSPEN", "FSEPEN",
        "MIN_SCORE", "MIN_LEN", "SCAN", "OUTPUT_LENGTH", "NRANS", "READ_PRED", "ROBSIM",
        "SAVE_PROFILES", "EPL_PEN", "EPR_PEN", "EPT_PEN", "EPB_PEN", "AUTO_CORNER", "CUT_CORNERS",
        "RUN_SW_MIN", "FIND_REPEATS", "FP_BIT", "SEC_SCAN"]) + "SAVE_BLOCFILES\nPRECISION 70\n",
    "singles": "CUT_CONSTANT 2.5\nPCUT 0.3\nFP_FAC -1.25e2\nPCUT junk\nFP_FAC 1.7abc\n",
    "names": "MATRIX_FILE m.mat\nSEQ_FILE \"my.seq\"\nSEC_FILE s.sec\nDB_FILE /data/db.fa\n"
             "OSEQ_FILE o\nPRED_FILE p.pred\nAMERGE_FILE a.m\nALPS_FILE alps.out\nFIT_FILE f2\n"
             "QUORPEL_FILE q.dat\nCODON_FILE c.dat\nSEQ_FILE \"two words\"\nDB_FILE second\n",
    "separators": "PEN,7\nPEN\t7\n  PEN \"7\"\nPEN=7\npen 7\nMIN_LEN\n",
    "precision_then_pen": "PRECISION 100\nPEN 0.29\nPEN1 -2.5\nPRECISION 1\nFSPEN 3\n",
    "empty_line_ends": "MIN_LEN 5\n\nSCAN 3\n",
    "crlf": "SEQ_FILE x.seq\r\nSAVE_BLOCFILES\r\nMIN_LEN 4\r\n",
    "title_length": "MAX_TITLE_LEN 20\nSEQ_FILE " + "L" * 150 + "\nMAX_TITLE_LEN 5000\nSCAN 2\n",
    "long_line": "SEQ_FILE " + "n" * 600 + " SCAN 9\n" + "x" * 499 + "\nMIN_LEN 3\n",
}


def main():
    for target in ["filter", "gseq", "getpars", "strings", "indexx"]:
        folder = corpus / target
        if folder.exists():
            for seed in folder.iterdir():
                if not seed.name.startswith("found-"):
                    seed.unlink()

    inputs = sources()
    for i, (name, data) in enumerate(inputs):
        write("filter", name, data)
        write("gseq", name, data + gseq_trailer(*gseq_settings[i % len(gseq_settings)]))
        # delimiter set length, separator, first, last, removed byte,
        # pattern from the text, its start and length
        strings = trailer((3, 0, 4), (ord("-"), 0, 255), (i % 4 - 1, -2, 10), (i % 7, -2, 10),
                          (ord("\n"), 0, 255), (i % 2, 0, 1), (i * 5 % 40, 0, 255), (3, 0, 8))
        write("strings", name, b" ,\n" + data[:2000] + strings)
        write("indexx", name, data[:4000])
    for name, text in params.items():
        data = text.encode()
        write("getpars", name, data + trailer((500, 0, 600)))
        write("getpars", name + "_short_lines", data + trailer((12, 0, 600)))


if __name__ == "__main__":
    main()
