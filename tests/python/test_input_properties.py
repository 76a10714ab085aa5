"""Random keys, types and values through every entry of the module: each call either does its
work or raises one of the module's errors (or Python's own TypeError/ValueError for a value of
the wrong kind); none ends the process, and a refused assignment leaves the design as it was.
"""
import math
import random

import pytest

import velmora
from conftest import EXAMPLES

TRIALS = 600
REFUSALS = (velmora.UnknownKeyError, velmora.InvalidValueError, velmora.FileReadError,
            velmora.FileWriteError, velmora.ComputeError, TypeError, ValueError, KeyError,
            OverflowError)


def _word(dice):
    alphabet = "abcXYZ.=:-_ \t\n\ufeff\u00e9/\\0123456789"
    return "".join(dice.choice(alphabet) for _ in range(dice.randrange(12)))


def _value(dice, keys):
    pick = dice.randrange(14)
    return [
        lambda: dice.uniform(-1e6, 1e6),
        lambda: dice.choice([math.nan, math.inf, -math.inf, 0.0, -0.0, 1e308, 5e-324]),
        lambda: dice.randrange(-2 ** 70, 2 ** 70),
        lambda: dice.choice([True, False]),
        lambda: None,
        lambda: _word(dice),
        lambda: str(dice.uniform(-1e3, 1e3)),
        lambda: _word(dice).encode(),
        lambda: [dice.uniform(0, 10) for _ in range(dice.randrange(5))],
        lambda: {dice.choice(keys): dice.uniform(0, 10)},
        lambda: (dice.uniform(0, 100), dice.uniform(0, 200), dice.randrange(-2, 6)),
        lambda: (dice.uniform(0, 100), dice.uniform(0, 200), dice.randrange(1, 4), "log"),
        lambda: (_word(dice), dice.uniform(0, 1)),
        lambda: object(),
    ][pick]()


def _key(dice, keys):
    pick = dice.randrange(4)
    if pick == 0:
        return _word(dice)
    if pick == 1:
        return dice.choice(keys).lower()
    return dice.choice(keys)


def _small_vary(dice, keys):
    """A sweep's axes, kept to a few designs when they are valid at all."""
    vary = {}
    for _ in range(dice.randrange(1, 3)):
        value = _value(dice, keys)
        if isinstance(value, tuple) and len(value) >= 3 and isinstance(value[2], int):
            value = value[:2] + (min(value[2], 3),) + value[3:]
        vary[_key(dice, keys)] = value
    return vary


def test_random_keys_types_and_values_are_done_or_refused(tmp_path):
    dice = random.Random(31)
    base = velmora.Design.load(EXAMPLES[0])
    keys = list(base.to_dict().keys())
    tried = 0
    for trial in range(TRIALS):
        design = base.copy()
        action = dice.randrange(7)
        try:
            if action == 0:
                key, value = _key(dice, keys), _value(dice, keys)
                before = design.to_dict()
                try:
                    design[key] = value
                except REFUSALS:
                    assert design.to_dict() == before, (key, value)
                    raise
            elif action == 1:
                design[_key(dice, keys)]
            elif action == 2:
                velmora.Design.from_dict({_key(dice, keys): _value(dice, keys)})
            elif action == 3:
                outputs = dice.choice([None, ["beta"], [_word(dice)], "beta", 7])
                velmora.sweep(design, _small_vary(dice, keys), outputs=outputs, threads=1)
            elif action == 4:
                velmora.optimize(design, objective=dice.choice(["schmidt", _word(dice), 3]),
                                 vary={_key(dice, keys): _value(dice, keys)},
                                 max_evals=dice.choice([1, 5, 0, -1]), threads=1)
            elif action == 5:
                path = tmp_path / ("f%d.RBP" % trial)
                path.write_bytes(bytes(dice.randrange(256) for _ in range(dice.randrange(200))))
                velmora.Design.load(str(path))
            else:
                design.set_text(_key(dice, keys), _word(dice), any_text=True)
                design.evaluate()
        except REFUSALS as refusal:
            assert str(refusal) != "" or isinstance(refusal, KeyError), repr(refusal)
        tried += 1
    assert tried == TRIALS
