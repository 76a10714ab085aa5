"""Where the examples find the shipped engines: beside them in the source tree
(examples/), or two folders up where they are installed (share/velmora/)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def engine(name="KESTMORE.RBP"):
    for folder in (os.path.join(HERE, ".."), os.path.join(HERE, "..", "..")):
        path = os.path.normpath(os.path.join(folder, name))
        if os.path.exists(path):
            return path
    raise SystemExit("cannot find %s next to the examples" % name)
