# `make install` and `make package`: the executables in bin/, the shipped files in
# share/velmora/ (found there by the installed program, relative to its own folder), the desktop
# entry, its icon and the command's man page.
include(GNUInstallDirs)

set(VELMORA_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/velmora)
install(TARGETS velmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET velmora)
    install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES
    ${CMAKE_SOURCE_DIR}/examples/Help.RTF
    ${CMAKE_SOURCE_DIR}/examples/UserGuide.html
    ${CMAKE_SOURCE_DIR}/examples/Default.INI
    ${CMAKE_SOURCE_DIR}/examples/KESTMORE.RBP
    "${CMAKE_SOURCE_DIR}/examples/BRANDOCK TAPPER.RBP"
    "${CMAKE_SOURCE_DIR}/examples/KESTMORE with losses.RBP"
    DESTINATION ${VELMORA_SHARE_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/velmora-cli.1 ${CMAKE_SOURCE_DIR}/packaging/velmora.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The Python module and its type hints, where the system's python3 finds them for this prefix.
if(TARGET velmora_python)
    install(TARGETS velmora_python LIBRARY DESTINATION ${VELMORA_PYTHON_INSTALL_DIR}/velmora)
    install(FILES ${VELMORA_PYTHON_PACKAGE_DIR}/__init__.pyi ${VELMORA_PYTHON_PACKAGE_DIR}/py.typed
        DESTINATION ${VELMORA_PYTHON_INSTALL_DIR}/velmora)
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/python/
        DESTINATION ${VELMORA_SHARE_DIR}/examples/python PATTERN __pycache__ EXCLUDE)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Ringbom Stirling engine design simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Closed-form Ringbom analysis, time-domain cycle simulation with graphs, pressure/volume \
diagram and its power, power/phase-versus-speed curve, animated engine, design wizard and \
sensitivity study for Ringbom Stirling engines; with a command-line tool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins (xcb for the desktop, offscreen) at run time, so
# dpkg-shlibdeps cannot see them; they are the one dependency named here.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
if(TARGET velmora_python)
    # The module is built for one Python version; its tables need NumPy and pandas.
    math(EXPR python_next "${Python_VERSION_MINOR} + 1")
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
        ", python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}~)"
        ", python3 (<< ${Python_VERSION_MAJOR}.${python_next})")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-numpy, python3-pandas")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
