"""Builds the velmora package (the extension as velmora/__init__, its type hints and py.typed)
by driving the project's CMake for the Python module alone; see pyproject.toml."""
import os
import re
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = os.path.dirname(os.path.abspath(__file__))
# Out of the way of the CMake build folder (build/), which setuptools would otherwise share.
WORK = os.path.join(SOURCE, "build-pip")


def project_version():
    with open(os.path.join(SOURCE, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(Velmora VERSION ([0-9.]+)", f.read()).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = os.path.join(os.path.abspath(self.build_temp), "cmake")
        configure = ["cmake", "-S", SOURCE, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                     "-DVELMORA_BUILD_UI=OFF", "-DPython_EXECUTABLE=" + sys.executable]
        if shutil.which("ccache"):
            configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        subprocess.run(configure, check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        subprocess.run(["cmake", "--build", build, "--target", "velmora_python", "-j", jobs],
                       check=True)
        built = os.path.join(build, "python", "velmora")
        target = os.path.dirname(self.get_ext_fullpath(ext.name))
        os.makedirs(target, exist_ok=True)
        for name in os.listdir(built):
            shutil.copy2(os.path.join(built, name), target)


os.makedirs(WORK, exist_ok=True)
setup(
    version=project_version(),
    # Named velmora.__init__ so that setuptools places it as the package's own module.
    ext_modules=[Extension("velmora.__init__", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    options={"build": {"build_base": WORK}, "egg_info": {"egg_base": WORK}},
    zip_safe=False,
)
