"""Writes velmora's type hints from their template: one read-only attribute of Result per output
column of the built module, and the optimizer's objectives and constraints with their units,
so that the hints follow the module's tables without a list of their own.

    python3 make_stub.py TEMPLATE MODULE_DIR OUTPUT
"""
import sys

template, module_dir, output = sys.argv[1:4]
sys.path.insert(0, module_dir)
import velmora  # noqa: E402


def fill(text, marker, lines):
    marker = "    # @%s@ (filled in from the built module)\n" % marker
    if marker not in text:
        sys.exit("make_stub.py: no %s marker in %s" % (marker.strip(), template))
    return text.replace(marker, lines)


with open(template, encoding="utf-8") as f:
    text = f.read()
text = fill(text, "RESULT_COLUMNS", "".join(
    "    @property\n    def %s(self) -> Optional[float]: ...\n" % name
    for name in velmora.Result.columns))
text = fill(text, "OBJECTIVES", "".join(
    "    %s (%s)\n" % (name, unit) for name, unit in velmora.objectives().items()))
text = fill(text, "CONSTRAINTS", "".join(
    "    %s (%s)\n" % (name, unit) for name, unit in velmora.constraints().items()))
with open(output, "w", encoding="utf-8") as f:
    f.write(text)
