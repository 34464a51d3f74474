"""Reading a C++ file for mutation: which parts of each line are code, and which mutants it gives."""

import dataclasses
import re

from . import operators as ops


@dataclasses.dataclass(frozen=True)
class Mutant:
    path: str       # relative to the source tree
    line: int       # 1-based
    operator: str
    original: str   # the line as it is, without its line end
    mutated: str    # the line as the mutant has it


_RAW_START = re.compile(r'(?<![\w])(?:u8|u|U|L)?R"([^(\s"\\]{0,16})\(')
_FUNCTION_HEADER = re.compile(
    r"^(?:(?:static|inline|constexpr|virtual|extern|\[\[nodiscard\]\])\s+)*"
    r"([A-Za-z_][\w:<>]*)\s*[*&]?\s+[*&]?[A-Za-z_~][\w:~]*\s*\(")


class _Masker:
    """Blanks literal contents and comments, line by line, keeping every column in place."""

    def __init__(self):
        self.in_comment = False
        self.raw_end = None  # ')delim"' while inside a raw string literal

    def mask(self, line):
        out = list(line)
        i, n = 0, len(line)

        def blank(start, end):
            for k in range(start, min(end, n)):
                out[k] = " "

        while i < n:
            if self.in_comment or self.raw_end:
                closing = "*/" if self.in_comment else self.raw_end
                end = line.find(closing, i)
                if end < 0:
                    blank(i, n)
                    break
                blank(i, end if self.raw_end else end + 2)
                i = end + len(closing)
                self.in_comment, self.raw_end = False, None
                continue
            if line.startswith("//", i):
                blank(i, n)
                break
            if line.startswith("/*", i):
                blank(i, i + 2)
                self.in_comment = True
                i += 2
                continue
            raw = _RAW_START.match(line, i)
            if raw:
                self.raw_end = ")" + raw.group(1) + '"'
                i = raw.end()
                continue
            ch = line[i]
            if ch == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                i += 1  # a digit separator
                continue
            if ch in "\"'":
                end = i + 1
                while end < n and line[end] != ch:
                    end += 2 if line[end] == "\\" else 1
                blank(i + 1, end)
                i = end + 1
                continue
            i += 1
        return "".join(out)


def _call_statement(code):
    """Whether the masked line is one whole call statement."""
    text = code.strip()
    if not text.endswith(");") or text.count("(") != text.count(")"):
        return False
    prefix = text[:text.index("(")]
    if not ops.CALL_PREFIX.fullmatch(prefix):
        return False
    return re.split(r"[:.<>\-]", prefix)[0] not in ops.NOT_CALLS


def _starts_statement(previous_code):
    text = previous_code.strip()
    return text == "" or text[-1] in ";{}:)" or text.endswith("else")


def mutants_of(path, text):
    """Every mutant of the file's text, in line order, without duplicates."""
    masker = _Masker()
    found, seen = [], set()
    return_type = None
    previous_code = ""
    preprocessor = False
    for number, line in enumerate(text.split("\n"), start=1):
        code = masker.mask(line)
        if preprocessor or code.lstrip().startswith("#"):
            preprocessor = line.rstrip().endswith("\\")
            continue
        header = _FUNCTION_HEADER.match(code)
        if header and not line[:1].isspace():
            return_type = header.group(1)

        def add(operator, start, end, replacement):
            mutated = line[:start] + replacement + line[end:]
            if mutated != line and (number, mutated) not in seen:
                seen.add((number, mutated))
                found.append(Mutant(path, number, operator, line, mutated))

        for name, pattern, replacement in ops.OPERATORS:
            for match in re.finditer(pattern, code):
                new = replacement(match) if callable(replacement) else replacement
                if new is not None:
                    add(name, match.start(), match.end(), new)
        if return_type in ops.NEGATED_RETURN_TYPES:
            for match in ops.RETURN_PATTERN.finditer(code):
                value = line[match.start(2):match.end(2)].strip()
                if value not in ("true", "false", "0", "1", "TRUE", "FALSE"):
                    add(f"return -> return !", match.start(), match.end(), f"return !({value});")
        if _call_statement(code) and _starts_statement(previous_code):
            indent = len(line) - len(line.lstrip())
            add("delete call", indent, len(line), "{}")
        if code.strip():
            previous_code = code
    return found
