# Where `cmake --install` puts the reader: the programs, and the desktop entry and icon that
# make it a launchable application on freedesktop.org desktops.
include(GNUInstallDirs)

install(TARGETS tavrin tavrin-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/tavrin.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/scalable/apps/tavrin.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
