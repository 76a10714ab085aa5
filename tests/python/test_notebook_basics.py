"""What a notebook user reaches for first: version, an honest repr, the mapping protocol."""
import collections.abc
import pickle
import re

from conftest import EXAMPLES
import velmora


def test_the_version_is_the_project_version():
    assert re.fullmatch(r"\d+\.\d+\.\d+\.\d+", velmora.__version__)


def test_repr_names_the_file_the_model_and_the_edits_since_loading_or_saving(tmp_path):
    design = velmora.Design.load(EXAMPLES[0])
    assert repr(design) == "<velmora.Design '%s', model specified, 0 edits>" % EXAMPLES[0]
    design["Piston.Stroke"] = 150
    design.set_text("Hot.Temp", "700")
    design.model = "accurate"
    assert repr(design).endswith("model accurate, 2 edits>")
    design["Piston.Stroke"] = velmora.Design.load(EXAMPLES[0])["Piston.Stroke"]
    assert repr(design).endswith(", 1 edit>")
    assert repr(design.copy()) == repr(design)
    design.save(tmp_path / "saved.RBP")
    assert repr(design).endswith("model accurate, 0 edits>")
    assert repr(velmora.Design()) == "<velmora.Design (no file), model specified, 0 edits>"
    assert repr(pickle.loads(pickle.dumps(design))) == repr(design)


def test_a_design_is_a_read_only_mapping_of_its_56_keys():
    design = velmora.Design.load(EXAMPLES[0])
    assert isinstance(design, collections.abc.Mapping)
    assert len(design) == 56
    assert list(design) == design.keys() == velmora.Design.keys()
    assert dict(design.items()) == {k: v for k, v in design.to_dict().items()
                                    if k != "Model.Integration"}
    assert design.values() == [design[key] for key in design]
    assert "Piston.Stroke" in design and "Piston.Strok" not in design
    assert design.get("Piston.Strok", 7) == 7
    assert design._ipython_key_completions_() == design.keys()
