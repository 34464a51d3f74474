"""The mutation operators: each turns one match on one line of C++ into one mutant.

An operator is (name, pattern, replacement). The replacement is a string for re's expand() or a
function of the match that returns the new text, or None to skip that match. Patterns see the line
with string literals, character literals and comments blanked (see source.py), so they never fire
inside those; the replacement is applied to the real line at the same position.
"""

import re

# Integer literal in decimal, not part of a name, a floating literal or a hexadecimal one.
_INTEGER = r"(?<![\w.])(\d+)(?![\w.'])"


def _plus_one(match):
    return str(int(match.group(1)) + 1)


def _minus_one(match):
    value = int(match.group(1))
    return str(value - 1) if value > 0 else None


def _zero_one(match):
    return {"0": "1", "1": "0"}.get(match.group(1))


def _negate_return(match):
    value = match.group(2).strip()
    if value in ("true", "false", "0", "1", "TRUE", "FALSE"):
        return None  # the constant swaps cover these
    return f"{match.group(1)}!({value});"


# Binary operators are written with a blank on each side in this code base, which keeps them
# apart from template brackets, stream operators, "->" and include lines.
OPERATORS = [
    ("rel <  -> <=", r"(?<= )<(?= )", "<="),
    ("rel <  -> >=", r"(?<= )<(?= )", ">="),
    ("rel <= -> <", r"(?<= )<=(?= )", "<"),
    ("rel <= -> >", r"(?<= )<=(?= )", ">"),
    ("rel >  -> >=", r"(?<= )>(?= )", ">="),
    ("rel >  -> <=", r"(?<= )>(?= )", "<="),
    ("rel >= -> >", r"(?<= )>=(?= )", ">"),
    ("rel >= -> <", r"(?<= )>=(?= )", "<"),
    ("eq == -> !=", r"(?<= )==(?= )", "!="),
    ("eq != -> ==", r"(?<= )!=(?= )", "=="),
    ("logic && -> ||", r"(?<= )&&(?= )", "||"),
    ("logic || -> &&", r"(?<= )\|\|(?= )", "&&"),
    ("const 0 <-> 1", _INTEGER, _zero_one),
    ("int +1", _INTEGER, _plus_one),
    ("int -1", _INTEGER, _minus_one),
    ("bool true -> false", r"\btrue\b", "false"),
    ("bool false -> true", r"\bfalse\b", "true"),
    ("drop !", r"(?<![!=<>])!(?!=)", ""),
]

# Typed returns: "return X;" becomes "return !(X);" in functions whose result is one of these.
NEGATED_RETURN_TYPES = ("bool", "BOOL", "int")
RETURN_PATTERN = re.compile(r"(\breturn\s+)([^;]+);")

# A whole statement that is one call on one line, e.g. "Log().Line(x);", "ns::Use<I>().Do(a);": the
# text before the first "(" is a name without blanks (so "Type name(args);" is no call).
CALL_PREFIX = re.compile(r"[A-Za-z_~][\w:<>]*")
NOT_CALLS = ("return", "if", "while", "for", "switch", "case", "sizeof", "static_assert", "delete",
             "throw", "co_return", "goto", "using", "typedef", "new")
