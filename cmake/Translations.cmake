# The interface in the operators' languages. Each translations/quenvale_LANG.ts
# is made into a .qm by Qt's lrelease: beside the programs in the build tree,
# where they find it, and installed under share/quenvale/translations.
find_program(QUENVALE_LRELEASE NAMES lrelease lrelease-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(QUENVALE_LRELEASE NAMES lrelease-qt6 lrelease REQUIRED)
find_program(QUENVALE_LUPDATE NAMES lupdate lupdate-qt6
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(QUENVALE_LUPDATE NAMES lupdate-qt6 lupdate REQUIRED)

file(GLOB QUENVALE_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/quenvale_*.ts)
set(QUENVALE_QM_FILES)
foreach(ts ${QUENVALE_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_BINARY_DIR}/translations/${name}.qm)
  add_custom_command(
    OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/translations
    COMMAND ${QUENVALE_LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Making the translation ${name}.qm"
    VERBATIM)
  list(APPEND QUENVALE_QM_FILES ${qm})
endforeach()
add_custom_target(quenvale_translations ALL DEPENDS ${QUENVALE_QM_FILES})
install(FILES ${QUENVALE_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/quenvale/translations)

# The folders whose texts are translated, for lupdate: the update below and
# the test that every text has its translation read the same ones.
set(QUENVALE_TRANSLATED_FOLDERS data output lot cli document view app archive)
set(QUENVALE_LUPDATE_ARGUMENTS -silent -no-obsolete -locations none -I ${PROJECT_SOURCE_DIR}
    ${QUENVALE_TRANSLATED_FOLDERS})
# Takes the sources' texts into each .ts, keeping the translations already
# there; new texts come in unfinished, for a translator to finish.
add_custom_target(update_translations
  COMMAND ${QUENVALE_LUPDATE} ${QUENVALE_LUPDATE_ARGUMENTS} -ts ${QUENVALE_TS_FILES}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  VERBATIM)
