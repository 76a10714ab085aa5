"""Runs a notebook top to bottom and writes it back with its outputs, as it is shipped:

    PYTHONPATH=build/python python3 tools/execute_notebook.py examples/python/velmora_tour.ipynb

Needs nbclient and ipykernel (Debian: python3-nbclient, python3-ipykernel); the cells run in the
notebook's own folder.
"""
import os
import sys

import nbclient
import nbformat

for path in sys.argv[1:]:
    notebook = nbformat.read(path, as_version=4)
    folder = os.path.dirname(os.path.abspath(path))
    nbclient.NotebookClient(notebook, timeout=600, kernel_name="python3",
                            resources={"metadata": {"path": folder}}).execute()
    nbformat.write(notebook, path)
