# Installation of the desktop program and its Debian package.
#
# `cmake --install <build>` puts the desktop program, the CLI, the shared
# screen library, the report viewer's module and the report's pictures
# together in one folder, <libexecdir>/coredesign (the programs look for the
# module and the pictures in their own folder, the real one behind any link;
# the program and the module find the shared library there through their run
# path, $ORIGIN), links both programs into <bindir>, and installs the
# desktop entry and the icon into the desktop's folders, so that the program
# starts from the menu and both programs from a shell. `cpack -G DEB` in the
# build folder makes the Debian package.

set(COREDESIGN_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/coredesign)
if(COREDESIGN_GUI)
  install(TARGETS coredesign RUNTIME DESTINATION ${COREDESIGN_INSTALL_PROGRAM_DIR})
  add_subdirectory(${PROJECT_SOURCE_DIR}/resources/desktop ${PROJECT_BINARY_DIR}/resources/desktop)
endif()

# The links in <bindir>: relative, so that they hold under any prefix (the
# package's /usr as well as the install prefix). They are made in the build
# folder and installed as links.
if(IS_ABSOLUTE ${CMAKE_INSTALL_BINDIR} OR IS_ABSOLUTE ${CMAKE_INSTALL_LIBEXECDIR})
  set(coredesign_links_target ${CMAKE_INSTALL_FULL_LIBEXECDIR}/coredesign)
else()
  file(RELATIVE_PATH coredesign_links_target /${CMAKE_INSTALL_BINDIR} /${COREDESIGN_INSTALL_PROGRAM_DIR})
endif()
set(coredesign_linked_programs coredesign-cli)
if(COREDESIGN_GUI)
  list(APPEND coredesign_linked_programs coredesign)
endif()
foreach(program ${coredesign_linked_programs})
  set(link ${PROJECT_BINARY_DIR}/install-links/${program})
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install-links)
  file(CREATE_LINK ${coredesign_links_target}/${program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

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
# The libraries the programs and the viewer's module link (Qt 6 Widgets,
# WebEngine, the C++ runtime) are found by dpkg-shlibdeps; what is loaded at
# run time without being linked is named here: the window-system plugins and
# the web engine's helper process.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(COREDESIGN_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6webenginecore6-bin")
  # Arial's stand-in for the screens; xdg-mime and gio for the web link.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, libglib2.0-bin")
endif()

include(CPack)
