"""How a notebook shows designs and results (_repr_html_): every input with its text and unit,
only the edited ones marked, the model; a result's computed figures; text escaped."""
import html
import re

import pytest

import velmora
from conftest import EXAMPLES


def _rows(markup):
    """The table's body rows as lists of cell texts (unescaped), each with its bold mark."""
    body = markup.split("<tbody>", 1)[1].split("</tbody>", 1)[0]
    rows = []
    for row in re.findall(r"<tr[^>]*>.*?</tr>", body):
        cells = [html.unescape(c) for c in re.findall(r"<td>(.*?)</td>", row)]
        rows.append((cells, "font-weight:bold" in row))
    return rows


def test_a_design_shows_each_input_with_its_text_and_unit():
    design = velmora.Design.load(EXAMPLES[0])
    rows = _rows(design._repr_html_())
    assert [cells[1] for cells, _ in rows] == velmora.Design.inputs()
    by_key = {cells[1]: cells for cells, _ in rows}
    assert by_key["Piston.Stroke"][2:4] == [design.get_text("Piston.Stroke"), "mm"]
    assert by_key["Hot.Temp"][2:4] == [design.get_text("Hot.Temp"), "C"]
    assert by_key["Engine.Speed"][3] == "RPM"
    assert not any(bold for _, bold in rows)
    assert "model <b>specified</b>" in design._repr_html_()
    assert "0 keys edited" in design._repr_html_()


def test_only_the_edited_inputs_are_marked_and_other_edits_are_named():
    design = velmora.Design.load(EXAMPLES[0])
    design["Piston.Stroke"] = 150
    design["Piston.StrokeUnits"] = 3  # m: the value stays 150, the unit changes
    design.model = "accurate"
    markup = design._repr_html_()
    marked = [cells[1] for cells, bold in _rows(markup) if bold]
    assert marked == ["Piston.Stroke"]
    stroke = next(cells for cells, _ in _rows(markup) if cells[1] == "Piston.Stroke")
    assert stroke[2:] == ["150", "m", "edited"]
    assert "model <b>accurate</b>" in markup


def test_text_from_files_and_fields_is_escaped(tmp_path):
    design = velmora.Design.load(EXAMPLES[0])
    design.set_text("Piston.Stroke", "<b>&", any_text=True)
    path = tmp_path / "a<b>&c.RBP"
    design.save(path)
    markup = design._repr_html_()
    assert "<b>&" not in markup.replace("<b>velmora.Design</b>", "").replace(
        "<b>specified</b>", "")
    assert "a&lt;b&gt;&amp;c.RBP" in markup
    assert str(tmp_path) not in markup  # the name alone: notebooks travel


def test_a_result_shows_its_computed_figures():
    result = velmora.Design.load(EXAMPLES[0]).evaluate()
    rows = {cells[1]: cells for cells, _ in _rows(result._repr_html_())}
    computed = [name for name in velmora.Result.columns if getattr(result, name) is not None]
    assert set(computed) <= set(rows)
    for name in computed:
        assert float(rows[name][2]) == pytest.approx(getattr(result, name), rel=1e-5)
    assert rows["indicated_power_w"][0] == "Indicated power (W)"
    missing = len(velmora.Result.columns) - len(computed)
    assert "%d figures not computed" % missing in result._repr_html_()


def test_an_optimize_result_shows_its_table():
    design = velmora.Design.load(EXAMPLES[0])
    run = velmora.optimize(design, objective="schmidt", vary=["Piston.Stroke"], max_evals=20,
                           threads=1)
    rows = [cells for cells, _ in _rows(run._repr_html_())]
    assert rows == [list(row) for row in run.table]
    assert "schmidt: found" in run._repr_html_()
