"""Designs come back exactly from their dict, from a pickle and from a deep copy."""
import copy
import os
import pickle

import pytest

from conftest import EXAMPLES
import velmora


def _texts(design):
    return {key: design.get_text(key) if isinstance(design[key], (float, str)) else design[key]
            for key in design.keys()}


@pytest.mark.parametrize("make", [velmora.Design, lambda: velmora.Design.load(EXAMPLES[0])],
                         ids=["defaults", "example"])
def test_a_dict_gives_the_design_back_with_its_model(make):
    design = make()
    design.model = "accurate"
    again = velmora.Design.from_dict(design.to_dict())
    assert again.to_dict() == design.to_dict()
    assert again.model == "accurate"
    assert again.report()[1:] == design.report()[1:] or again.file is None


def test_the_example_computes_the_same_after_a_dict_round_trip():
    design = velmora.Design.load(EXAMPLES[0])
    again = velmora.Design.from_dict(design.to_dict())
    assert again.evaluate(energy=True).to_dict() == design.evaluate(energy=True).to_dict()


@pytest.mark.parametrize("make", [velmora.Design, lambda: velmora.Design.load(EXAMPLES[1])],
                         ids=["defaults", "example"])
def test_pickle_and_deepcopy_keep_every_text_the_file_and_the_model(make):
    design = make()
    design.set_text("Hot.Temp", "650.50")  # a text a float would not give back
    design.set_text("Cold.Temp", "")
    design.model = "accurate"
    for again in (pickle.loads(pickle.dumps(design)), copy.deepcopy(design)):
        assert _texts(again) == _texts(design)
        assert again.get_text("Hot.Temp") == "650.50"
        assert again.file == design.file and again.model == "accurate"
        assert again.report() == design.report()


def test_a_bad_model_in_a_dict_names_the_models():
    with pytest.raises(ValueError, match="accurate"):
        velmora.Design.from_dict({"Model.Integration": "exact"})


def test_a_dict_keeps_the_losses_gas_and_load():
    lossy = velmora.Design.load(os.path.join(os.path.dirname(EXAMPLES[0]), "KESTMORE with losses.RBP"))
    values = lossy.to_dict()
    assert isinstance(values.get("Gas.Name", ""), str)
    assert isinstance(values["Losses.AnnulusGap"], float)
    assert "Load.Torque" in values
    again = velmora.Design.from_dict(values)
    assert again.to_dict() == values
    first, second = lossy.evaluate(energy=True), again.evaluate(energy=True)
    assert second.brake_power_w == first.brake_power_w
    assert second.brake_power_w < second.shaft_power_w  # the losses came along
    # A design without the sections gives none of their keys.
    assert not any(key.startswith(("Gas.", "Losses.", "Load."))
                   for key in velmora.Design.load(EXAMPLES[0]).to_dict())


def test_a_bad_loss_value_in_a_dict_names_its_key():
    with pytest.raises(ValueError, match=r"Restitution"):
        velmora.Design.from_dict({"Losses.Restitution": 1.0})
