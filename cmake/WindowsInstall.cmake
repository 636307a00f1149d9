# Installation on Windows: `cmake --install <build> --prefix <folder>` puts the
# desktop program, the CLI, the shared screen library (DLL), the report
# viewer's module and the report's pictures together in <folder>/coredesign
# (the program looks for the module and the pictures in its own folder).
# Qt's own DLLs, plugins and the web engine's process are added by Qt's
# windeployqt; see "Windows" in README.md.
if(COREDESIGN_GUI)
  install(TARGETS coredesign RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/coredesign)
endif()
