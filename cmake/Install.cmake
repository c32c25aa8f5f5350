# Installs the program with its desktop entry, icons and the *.fib file
# type, so that file managers offer Quenvale for result files.
include(GNUInstallDirs)

install(TARGETS quenvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-fib.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-16.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/16x16/apps RENAME quenvale.png)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME quenvale.png)
