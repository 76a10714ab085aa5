"""Writes velmora.pyi from its template: one typed attribute of Result per output column of the
built module, so the hints follow the output-column table without a list of their own.

    python3 make_stub.py TEMPLATE MODULE_DIR OUTPUT
"""
import sys

template, module_dir, output = sys.argv[1:4]
sys.path.insert(0, module_dir)
import velmora  # noqa: E402

lines = "".join("    %s: Optional[float]\n" % name for name in velmora.Result.columns)
with open(template, encoding="utf-8") as f:
    text = f.read()
marker = "    # @RESULT_COLUMNS@ (filled in from the built module)\n"
if marker not in text:
    sys.exit("make_stub.py: no column marker in " + template)
with open(output, "w", encoding="utf-8") as f:
    f.write(text.replace(marker, lines))
