"""A reference model of one polyfit run, independent of the C++ program.

run(data) takes the bytes on standard input and returns the exact standard output
and exit status that polyfit must give. It follows the program's documented rules
step by step: its own tokenizer, its own rounding of doubles to single precision,
dot products and Gauss-Jordan elimination written out one operation at a time, and
a six-digit decimal formatter computed from the exact binary value.

Double-precision steps use Python floats, which are IEEE doubles: the product of
two single-precision values is exact there, and a sum or quotient is rounded once.
"""

import math
import re
from fractions import Fraction

# Exit statuses.
FIT_WRITTEN, BAD_INPUT, NO_FIT, OUT_OF_MEMORY = 0, 1, 2, 3

INT32_MAX = 2**31 - 1
# The largest number of floats the program will set out to store for a fit.
MAX_FIT_FLOATS = (2**63 - 1) // 8

# ---------------------------------------------------------------- single precision

F32_MANTISSA_BITS = 24
F32_MIN_EXPONENT = -125  # frexp exponent of the smallest normal value, 2^-126
F32_SUBNORMAL_QUANTUM = -149
F32_OVERFLOW = 2**128


def to_f32(value):
    """The single-precision value nearest to the double `value`, ties to even.

    Beyond the range it is an infinity of the value's sign; a zero or a NaN keeps
    its sign. The result is a Python float holding the single-precision value."""
    if math.isnan(value) or math.isinf(value) or value == 0.0:
        return value
    fraction, exponent = math.frexp(abs(value))  # |value| = fraction * 2^exponent
    significand = int(math.ldexp(fraction, 53))  # |value| = significand * 2^(exponent - 53)
    quantum = max(exponent - F32_MANTISSA_BITS, F32_SUBNORMAL_QUANTUM)
    dropped = quantum - (exponent - 53)
    units = significand >> dropped
    remainder = significand - (units << dropped)
    half = 1 << (dropped - 1)
    if remainder > half or (remainder == half and units % 2 == 1):
        units += 1
    if units and quantum + units.bit_length() > 128:  # units * 2^quantum >= 2^128
        return math.copysign(math.inf, value)
    return math.copysign(math.ldexp(units, quantum), value)


def signbit(value):
    return math.copysign(1.0, value) < 0


def step_sum(s, a, b):
    """s + a*b in double, rounded to single precision."""
    return to_f32(s + a * b)


def step_difference(s, a, b):
    """s - a*b in double, rounded to single precision."""
    return to_f32(s - a * b)


def pow_f32(base, exponent):
    """The C library's pow in double, rounded to single precision."""
    try:
        result = math.pow(base, float(exponent))
    except OverflowError:
        odd = exponent % 2 == 1
        result = -math.inf if (base < 0 and odd) else math.inf
    return to_f32(result)


# ---------------------------------------------------------------- number format


def format_float(value):
    """General notation with six significant digits, as the report writes floats."""
    sign = "-" if signbit(value) else ""
    if math.isnan(value):
        return sign + "NaN"
    if math.isinf(value):
        return sign + "Infinity"
    if value == 0.0:
        return sign + "0"
    exact = Fraction(abs(value))
    exponent = math.floor(math.log10(abs(value)))
    while Fraction(10) ** exponent > exact:
        exponent -= 1
    while Fraction(10) ** (exponent + 1) <= exact:
        exponent += 1
    units = round(exact / Fraction(10) ** (exponent - 5))  # six digits, ties to even
    if units == 10**6:
        units, exponent = 10**5, exponent + 1
    digits = str(units).rstrip("0")
    if exponent < -4 or exponent >= 6:
        mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
        return "%s%se%s%02d" % (sign, mantissa, "-" if exponent < 0 else "+", abs(exponent))
    if exponent >= 0:
        whole = digits[: exponent + 1].ljust(exponent + 1, "0")
        fraction = digits[exponent + 1 :]
    else:
        whole = "0"
        fraction = "0" * (-exponent - 1) + digits
    return sign + whole + ("." + fraction if fraction else "")


# ---------------------------------------------------------------- reading

BLANKS = b" \t\n\v\f\r"
INTEGER_PREFIX = re.compile(rb"[+-]?[0-9]*")
INTEGER_WHOLE = re.compile(rb"[+-]?[0-9]+")
REAL_PREFIX = re.compile(
    rb"[+-]?(?:[0-9]+(?:\.[0-9]*)?(?:[eE][+-]?[0-9]*)?|\.(?:[0-9]+(?:[eE][+-]?[0-9]*)?)?)?"
)
REAL_WHOLE = re.compile(rb"[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?")
QUOTE_LIMIT = 40


class InputFailure(Exception):
    def __init__(self, message):
        super().__init__(message)
        self.message = message


def quote(text):
    shown = "".join(chr(c) if 0x20 <= c < 0x7F else "?" for c in text[:QUOTE_LIMIT])
    return shown + ("..." if len(text) > QUOTE_LIMIT else "")


class Reader:
    """The values on standard input, taken one read at a time."""

    def __init__(self, data):
        self.data = data
        self.position = 0

    def token(self, prefix, whole):
        """Skips blanks and takes the longest text that can still begin a number.
        Returns (text, None) for a number, or (None, clause) saying what was found."""
        while self.position < len(self.data) and self.data[self.position] in BLANKS:
            self.position += 1
        if self.position == len(self.data):
            return None, ", but the input ended."
        start = self.position
        text = prefix.match(self.data, start).group(0)
        self.position = start + len(text)
        if whole.fullmatch(text):
            return text, None
        word_end = start
        while word_end < len(self.data) and self.data[word_end] not in BLANKS:
            word_end += 1
        return None, ', found "%s".' % quote(self.data[start : min(word_end, start + 41)])

    def whole_number(self, what, lowest):
        text, clause = self.token(INTEGER_PREFIX, INTEGER_WHOLE)
        if text is not None:
            value = int(text)
            if lowest <= value <= INT32_MAX:
                return value
            clause = ', found "%s".' % quote(text)
        raise InputFailure(
            "Error: expected %s (a whole number from %d to %d)%s" % (what, lowest, INT32_MAX, clause)
        )

    def real(self, what):
        text, clause = self.token(REAL_PREFIX, REAL_WHOLE)
        if text is None:
            raise InputFailure("Error: expected a number for %s%s" % (what, clause))
        return to_f32(float(text.decode("ascii")))  # nearest double, then nearest float


# ---------------------------------------------------------------- the numerics


def power_vector(exponent, x):
    return [pow_f32(xk, exponent) for xk in x]


def dot_product(a, b):
    s = 0.0
    for ak, bk in zip(a, b):
        s = step_sum(s, ak, bk)
    return s


def invert(matrix):
    """Gauss-Jordan on [A | I] with zero-pivot row rotation; None when a stage has
    no nonzero pivot at or below it."""
    order = len(matrix)
    width = 2 * order
    m = [list(row) + [1.0 if i == j else 0.0 for j in range(order)] for i, row in enumerate(matrix)]
    for s in range(order):
        rotations = 0
        while m[s][s] == 0.0:
            if rotations == order - s:
                return None
            m[s:] = m[s + 1 :] + [m[s]]
            rotations += 1
        for j in range(width - 1, s - 1, -1):
            m[s][j] = to_f32(m[s][j] / m[s][s])
        for p in range(s + 1, order):
            for j in range(width - 1, s - 1, -1):
                m[p][j] = step_difference(m[p][j], m[p][s], m[s][j])
    for s in range(order - 1, -1, -1):
        for p in range(s - 1, -1, -1):
            for j in range(width - 1, -1, -1):
                m[p][j] = step_difference(m[p][j], m[p][s], m[s][j])
    return [row[order:] for row in m]


# ---------------------------------------------------------------- the run


class Output:
    def __init__(self):
        self.parts = []

    def write(self, *texts):
        self.parts.extend(texts)

    def row(self, values):
        for value in values:
            self.write(format_float(value), "   ")
        self.write("\n\n")

    def text(self):
        return "".join(self.parts)


def report(out, x, f, m):
    n = len(x)
    terms = m + 1
    if terms * (n + terms) > MAX_FIT_FLOATS:
        raise MemoryError
    basis = [power_vector(i, x) for i in range(terms)]
    for i, phi in enumerate(basis):
        out.write("tabphi(%d)= " % i)
        out.row(phi)
    out.write("tabf= ")
    out.row(f)
    A = [[dot_product(basis[p], basis[q]) for q in range(terms)] for p in range(terms)]
    B = [dot_product(f, basis[p]) for p in range(terms)]
    out.write("The A matrix is\n\n")
    for row in A:
        out.row(row)
    out.write("The B vector is\n\nB= ")
    out.row(B)
    distinct = len(set(x))
    if distinct < terms:
        out.write(
            "Error: no polynomial of degree %d can be fitted to these points: it needs at least "
            "%d distinct abscissas, and %s.\n"
            % (m, terms, "there is only 1" if distinct == 1 else "there are only %d" % distinct)
        )
        return NO_FIT
    inverse = invert(A)
    if inverse is None:
        out.write(
            "Error: no polynomial of degree %d can be fitted to these points: the matrix A "
            "cannot be inverted in single precision.\n" % m
        )
        return NO_FIT
    C = [dot_product(inverse[p], B) for p in range(terms)]
    for p, c in enumerate(C):
        out.write("C[%d]=%s\n" % (p, format_float(c)))
    out.write("\n\nThe function which best fits the data is \n\n")
    out.write("(%s)" % format_float(C[0]))
    for p in range(1, terms):
        out.write("+(%s)*x^%d" % (format_float(C[p]), p))
    out.write("\n\n")
    return FIT_WRITTEN


def dialogue(out, reader):
    out.write(
        "This program finds the polynomial which fits best to a given set of data points.\n\n"
        "Please enter the number of your data points: "
    )
    n = reader.whole_number("the number of data points", 1)
    out.write("\nPlease enter your data points:\n")
    x, f = [], []
    for k in range(n):
        out.write("x[%d]=" % k)
        x.append(reader.real("x[%d]" % k))
        out.write("   f(x[%d])=" % k)
        f.append(reader.real("f(x[%d])" % k))
    out.write("What is the degree of the polynomial that you would like to fit to this data? ")
    m = reader.whole_number("the degree of the polynomial", 0)
    return report(out, x, f, m)


def run(data):
    """The exact standard output (a str) and exit status of one run on `data`."""
    out = Output()
    try:
        status = dialogue(out, Reader(data))
    except InputFailure as failure:
        status = BAD_INPUT
        message = failure.message
    except MemoryError:
        status = OUT_OF_MEMORY
        message = "Error: there is not enough memory for this fit."
    if status in (BAD_INPUT, OUT_OF_MEMORY):
        if not out.text().endswith("\n"):
            out.write("\n")
        out.write(message, "\n")
    return out.text(), status
