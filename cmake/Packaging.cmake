# Installation of the desktop program and its Debian package.
#
# `cmake --install <build>` puts the desktop program beside the CLI and the
# report's pictures (the report looks for them in the program's own folder),
# the desktop entry and the icon into the desktop's folders, so that the
# program starts from the menu. `cpack -G DEB` in the build folder makes the
# Debian package.

if(COREDESIGN_GUI)
  install(TARGETS coredesign RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  add_subdirectory(${PROJECT_SOURCE_DIR}/resources/desktop ${PROJECT_BINARY_DIR}/resources/desktop)
endif()

set(CPACK_PACKAGE_NAME coredesign)
set(CPACK_PACKAGE_VENDOR "Kestrova, Inc.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Output inductor core design tool")
set(CPACK_PACKAGE_DESCRIPTION
  "Sizes DC output inductors on toroidal powder cores from the maker's catalogue: core selection, winding, losses and temperature rise, with an HTML design report. Includes the desktop program and the command-line front end coredesign-cli.")
set(CPACK_PACKAGE_CONTACT "Kestrova Applications Development Group <applications@kestrova.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt 6 Widgets, WebEngine, the C++ runtime)
# are found by dpkg-shlibdeps; what is loaded at run time without being
# linked is named here: the window-system plugins and the web engine's helper
# process.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(COREDESIGN_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6webenginecore6-bin")
  # Arial's stand-in for the screens; xdg-mime and gio for the web link.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, libglib2.0-bin")
endif()

include(CPack)
