# Finds pybind11 and the interpreter the module is built for. Debian's python3 comes first:
# its dist-packages hold pybind11, NumPy and pandas, whatever other python3 the PATH names.
if(NOT DEFINED Python_EXECUTABLE AND EXISTS /usr/bin/python3)
    set(Python_EXECUTABLE /usr/bin/python3)
endif()
set(PYBIND11_FINDPYTHON ON)
find_package(Python COMPONENTS Interpreter Development.Module QUIET)
if(Python_FOUND)
    find_package(pybind11 CONFIG QUIET)
endif()
set(VELMORA_PYTHON_FOUND FALSE)
if(Python_FOUND AND pybind11_FOUND)
    set(VELMORA_PYTHON_FOUND TRUE)
    # The module and its stub in the build tree, as the tests import them.
    set(VELMORA_PYTHON_DIR ${CMAKE_BINARY_DIR}/python)
    set(VELMORA_PYTHON_PACKAGE_DIR ${VELMORA_PYTHON_DIR}/velmora)
    # Relative to the install prefix: /usr/lib/python3.X/dist-packages and
    # /usr/local/lib/python3.X/dist-packages are both on Debian's module path.
    set(VELMORA_PYTHON_INSTALL_DIR
        lib/python${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}/dist-packages)
    message(STATUS "Python module: velmora for ${Python_EXECUTABLE} (${Python_VERSION})")
else()
    message(STATUS "Python module: not built (needs python3-dev and python3-pybind11)")
endif()
