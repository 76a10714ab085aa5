"""The shipped notebook runs top to bottom in a fresh kernel (nbclient, as Jupyter runs it) and
gives the outputs it is shipped with."""
import os
import shutil

import pytest

import velmora
from conftest import SOURCE_DIR

nbclient = pytest.importorskip(
    "nbclient", reason="nbclient is not installed (Debian: python3-nbclient, python3-ipykernel)")
nbformat = pytest.importorskip("nbformat", reason="nbformat is not installed")
pytest.importorskip("ipykernel", reason="ipykernel is not installed (Debian: python3-ipykernel)")

EXAMPLES = os.path.join(SOURCE_DIR, "examples", "python")
NOTEBOOK = os.path.join(EXAMPLES, "velmora_tour.ipynb")


def _texts(cell):
    """What a reader sees of a cell as text: its printed lines and plain results."""
    seen = []
    for output in cell.get("outputs", []):
        if output["output_type"] == "stream":
            seen.append((output["name"], output["text"]))
        elif output["output_type"] in ("execute_result", "display_data"):
            data = output["data"]
            seen.append((sorted(data), data.get("text/plain"), data.get("text/html")))
        else:
            seen.append((output["output_type"], output.get("ename"), output.get("evalue")))
    return seen


@pytest.fixture(scope="module")
def executed(tmp_path_factory, monkeypatch_module):
    folder = tmp_path_factory.mktemp("shipped") / "python"
    folder.mkdir()
    for name in ("velmora_tour.ipynb", "_engines.py"):
        shutil.copy(os.path.join(EXAMPLES, name), folder)
    shutil.copy(os.path.join(SOURCE_DIR, "examples", "KESTMORE.RBP"), folder.parent)
    # The kernel imports the module under test and draws without a display.
    monkeypatch_module.setenv("PYTHONPATH",
                              os.path.dirname(os.path.dirname(os.path.abspath(velmora.__file__))))
    monkeypatch_module.setenv("PYDEVD_DISABLE_FILE_VALIDATION", "1")
    notebook = nbformat.read(str(folder / "velmora_tour.ipynb"), as_version=4)
    nbclient.NotebookClient(notebook, timeout=600, kernel_name="python3",
                            resources={"metadata": {"path": str(folder)}}).execute()
    return notebook


@pytest.fixture(scope="module")
def monkeypatch_module():
    with pytest.MonkeyPatch.context() as patch:
        yield patch


def test_it_runs_without_an_error(executed):
    for cell in executed.cells:
        for output in cell.get("outputs", []):
            assert output["output_type"] != "error", (cell.source, output.get("evalue"))


def test_it_is_shipped_with_the_outputs_it_gives(executed):
    shipped = nbformat.read(NOTEBOOK, as_version=4)
    assert [c.source for c in shipped.cells] == [c.source for c in executed.cells]
    code = [(s, e) for s, e in zip(shipped.cells, executed.cells) if s.cell_type == "code"]
    assert all(s.get("outputs") for s, _ in code), "a code cell is shipped without its output"
    for ran, (s, e) in enumerate(code, start=1):
        assert s.execution_count == ran
        # The map's picture depends on matplotlib being there.
        if "varies" in s.metadata.get("tags", []):
            continue
        assert _texts(s) == _texts(e), s.source


def test_its_design_and_results_show_as_html(executed):
    html = [o["data"]["text/html"] for c in executed.cells for o in c.get("outputs", [])
            if "text/html" in o.get("data", {})]
    assert any(h.startswith('<div class="velmora-design">') and "KESTMORE.RBP" in h for h in html)
    assert any(h.startswith('<div class="velmora-result">') for h in html)
    assert any(h.startswith('<div class="velmora-optimize">') for h in html)
