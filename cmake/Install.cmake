# Installs the program with its desktop entry, icons, file type, AppStream
# metainfo and manual page, so that file managers offer Quenvale for result
# files and software centres can list it.
include(GNUInstallDirs)

find_program(HELP2MAN help2man REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(GZIP gzip REQUIRED)

set(QUENVALE_MAINTAINER "Quenvale developers <quenvale@example.org>"
    CACHE STRING "Name and address in the package's Maintainer field and changelog")
set(QUENVALE_LICENSE MIT)
set(QUENVALE_APP_ID org.quenvale.quenvale)
set(QUENVALE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quenvale)
set(generated ${CMAKE_BINARY_DIR}/install)

# The release day in the forms that the changelog and help2man want.
execute_process(COMMAND date -u -R -d ${QUENVALE_RELEASE_DATE}
                OUTPUT_VARIABLE QUENVALE_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND date -u +%s -d ${QUENVALE_RELEASE_DATE}
                OUTPUT_VARIABLE QUENVALE_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# The manual page: the synopsis, options and version from the built
# program's own --help and --version, everything else from the include file;
# dated by the release, not by the day of the build.
add_custom_command(
  OUTPUT ${generated}/quenvale.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
          ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:quenvale>
          -DINCLUDE=${PROJECT_SOURCE_DIR}/res/quenvale.h2m -DOUTPUT=${generated}/quenvale.h2m
          -P ${PROJECT_SOURCE_DIR}/cmake/ManualSynopsis.cmake
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 SOURCE_DATE_EPOCH=${QUENVALE_RELEASE_EPOCH}
          ${HELP2MAN} --no-info --include ${generated}/quenvale.h2m
          --output ${generated}/quenvale.1 $<TARGET_FILE:quenvale>
  COMMAND ${GZIP} -9nf ${generated}/quenvale.1
  DEPENDS quenvale ${PROJECT_SOURCE_DIR}/res/quenvale.h2m
          ${PROJECT_SOURCE_DIR}/cmake/ManualSynopsis.cmake
  COMMENT "Writing the manual page quenvale.1"
  VERBATIM)

# Icons from 48 px up are rendered from the scalable one; 16 and 32 px are
# pixel drawings of their own (res/make_images.py), sharper than a rendering.
set(QUENVALE_ICON_OUTPUTS)
foreach(size 48 64 128 256)
  set(png ${generated}/icons/${size}/quenvale.png)
  add_custom_command(
    OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size}
            --output ${png} ${PROJECT_SOURCE_DIR}/res/quenvale.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/res/quenvale.svg
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND QUENVALE_ICON_OUTPUTS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The release's changelog, as Debian wants it for a native package.
configure_file(${PROJECT_SOURCE_DIR}/res/changelog.in ${generated}/changelog @ONLY)
add_custom_command(
  OUTPUT ${generated}/changelog.gz
  COMMAND ${GZIP} -9nkf ${generated}/changelog
  DEPENDS ${generated}/changelog
  VERBATIM)

add_custom_target(quenvale_install_files ALL
  DEPENDS ${generated}/quenvale.1.gz ${generated}/changelog.gz ${QUENVALE_ICON_OUTPUTS})

# The copyright file in Debian's machine-readable form, around LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(REGEX REPLACE "\n+$" "" license_text "${license_text}")
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REGEX REPLACE "\n" "\n " license_text "${license_text}")
file(WRITE ${generated}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: Quenvale

Files: *
Copyright: 2018 The Quenvale developers
License: ${QUENVALE_LICENSE}
 ${license_text}
")

configure_file(${PROJECT_SOURCE_DIR}/res/${QUENVALE_APP_ID}.metainfo.xml.in
               ${generated}/${QUENVALE_APP_ID}.metainfo.xml @ONLY)

install(TARGETS quenvale RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The window program, which the quenvale command becomes for the window and
# for drawing jobs.
install(TARGETS quenvale-gui RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/quenvale)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME quenvale.xml)
install(FILES ${generated}/${QUENVALE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-16.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/16x16/apps RENAME quenvale.png)
install(FILES ${PROJECT_SOURCE_DIR}/res/quenvale-32.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME quenvale.png)
install(FILES ${generated}/quenvale.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${generated}/copyright ${generated}/changelog.gz DESTINATION ${QUENVALE_DOCDIR})
