# Installation of the desktop program and its Debian package.
#
# `cmake --install <build>` puts the desktop program, the CLI, the shared
# screen library, the report viewer's module and the report's pictures
# together in one folder, <libexecdir>/coredesign (the programs look for the
# module and the pictures in their own folder, the real one behind any link;
# the program and the module find the shared library there through their run
# path, $ORIGIN), links both programs into <bindir>, and installs the
# desktop entry and the icon into the desktop's folders, so that the program
# starts from the menu and both programs from a shell, with the AppStream
# metadata, the manual pages, the copyright file and the changelog. The
# Python module goes to Debian's Python 3 (python/CMakeLists.txt).
# `cpack -G DEB` in the build folder makes the Debian package;
# scripts/check-package checks it.

# The release: packaging/changelog (Debian's changelog format) holds one entry
# per release. Its latest entry must name the project's version; its date is
# the release date of the AppStream metadata and the manual pages.
find_program(COREDESIGN_DPKG_PARSECHANGELOG dpkg-parsechangelog REQUIRED)
set(coredesign_changelog ${PROJECT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${coredesign_changelog})
foreach(field Version Timestamp)
  execute_process(COMMAND ${COREDESIGN_DPKG_PARSECHANGELOG} -l ${coredesign_changelog} -S ${field}
    OUTPUT_VARIABLE coredesign_changelog_${field} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT coredesign_changelog_Version STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the latest entry is version ${coredesign_changelog_Version}, "
    "the project's is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}")
endif()
set(COREDESIGN_RELEASE_EPOCH ${coredesign_changelog_Timestamp})
set(coredesign_saved_epoch "$ENV{SOURCE_DATE_EPOCH}")
set(ENV{SOURCE_DATE_EPOCH} ${COREDESIGN_RELEASE_EPOCH})
string(TIMESTAMP COREDESIGN_RELEASE_DATE "%Y-%m-%d" UTC)
set(ENV{SOURCE_DATE_EPOCH} "${coredesign_saved_epoch}")

set(COREDESIGN_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/coredesign)
set(COREDESIGN_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/coredesign)
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

# Manual pages: help2man writes each from the program's --help and --version
# (both answered without a display) and the sections in packaging/<program>.h2m;
# Debian keeps them gzip-compressed, without a name or time in the header.
find_program(COREDESIGN_HELP2MAN help2man REQUIRED)
find_program(COREDESIGN_GZIP gzip REQUIRED)
set(coredesign_man_pages)
foreach(program ${coredesign_linked_programs})
  set(page ${PROJECT_BINARY_DIR}/man/${program}.1)
  set(include ${PROJECT_SOURCE_DIR}/packaging/${program}.h2m)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${COREDESIGN_RELEASE_EPOCH}
            ${COREDESIGN_HELP2MAN} --no-info --section=1 --include=${include} --output=${page}
            $<TARGET_FILE:${program}>
    COMMAND ${COREDESIGN_GZIP} -9nf ${page}
    DEPENDS ${program} ${include}
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  list(APPEND coredesign_man_pages ${page}.gz)
endforeach()
add_custom_target(coredesign_man_pages ALL DEPENDS ${coredesign_man_pages})
install(FILES ${coredesign_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The package's documents: the copyright file and the changelog, compressed.
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND ${COREDESIGN_GZIP} -9nc ${coredesign_changelog} > ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DEPENDS ${coredesign_changelog}
  COMMENT "Compressing the changelog")
add_custom_target(coredesign_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${COREDESIGN_INSTALL_DOC_DIR})
# lintian tags the package must keep, each with a comment saying why (none yet).
if(EXISTS ${PROJECT_SOURCE_DIR}/packaging/coredesign.lintian-overrides)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/coredesign.lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME coredesign)
endif()

set(CPACK_PACKAGE_NAME coredesign)
set(CPACK_PACKAGE_VENDOR "Kestrova, Inc.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Output inductor core design tool")
# The extended description, one line per line of the control file (lintian
# wants them within 80 columns).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Sizes the DC output inductor (the smoothing choke of a switching power"
  "supply) on toroidal powder cores from the maker's catalogue: it selects the"
  "core or checks a chosen one, picks the turns and the wire gauge, and computes"
  "the inductance under DC bias, the losses and the temperature rise, with an"
  "HTML design report."
  ""
  "Includes the desktop program, the command-line front end coredesign-cli"
  "and the Python 3 module coredesign.")
set(CPACK_PACKAGE_CONTACT "Kestrova Applications Development Group <applications@kestrova.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.kestrova.example/)
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
set(coredesign_depends)
if(COREDESIGN_GUI)
  list(APPEND coredesign_depends qt6-qpa-plugins libqt6webenginecore6-bin)
  # Arial's stand-in for the screens; xdg-mime and gio for the web link.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, xdg-utils, libglib2.0-bin")
endif()
# The Python module is built for one minor version of Debian's Python 3.
if(TARGET coredesign_python)
  math(EXPR coredesign_python_next_minor "${Python_VERSION_MINOR} + 1")
  list(APPEND coredesign_depends
    "python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}~)"
    "python3 (<< ${Python_VERSION_MAJOR}.${coredesign_python_next_minor})")
endif()
list(JOIN coredesign_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
