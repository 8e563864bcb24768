# Installation and the Debian package.
#
# `cmake --install <build> --prefix DIR` makes DIR a program folder of its
# own: kestrel, the kestrel-batch runner it starts from its own folder, and
# the data files beside them, plus the desktop entry and the icons under
# DIR/share. Kestrel runs from DIR as long as DIR is writable.
#
# The Debian package (cpack -G DEB, see scripts/package) puts that program
# folder in /usr/lib/kestrel and adds, for the system, the desktop entry, the
# icons, the AppStream metadata, the manual page, the copyright and the
# changelog under /usr/share and /usr/bin/kestrel, a launcher that gives each
# user a writable program folder of their own. Those system files belong to
# the "system" component, which a plain `cmake --install` leaves out.

set(KESTREL_INSTALL_DIR /usr/lib/kestrel)

# The install is one folder: without a prefix of its own it goes where the
# package puts it, rather than scattering data files over /usr/local.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${KESTREL_INSTALL_DIR} CACHE PATH "Installation folder" FORCE)
endif()

# --- The program folder ----------------------------------------------------

install(TARGETS kestrel kestrel-batch RUNTIME DESTINATION . COMPONENT program)
# The sound module, in a folder of its own: a library in the program folder
# itself would be taken for a system library (ldconfig at each install).
install(TARGETS kestrel_sound RUNTIME DESTINATION modules LIBRARY DESTINATION modules
  COMPONENT program)

file(GLOB _kestrel_data_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
install(FILES ${_kestrel_data_files} DESTINATION . COMPONENT program)

# --- Desktop entry and icons -----------------------------------------------

set(_kestrel_desktop ${PROJECT_SOURCE_DIR}/packaging/kestrel.desktop)
set(_kestrel_icon_svg ${PROJECT_SOURCE_DIR}/packaging/kestrel.svg)
set(_kestrel_icon_png ${PROJECT_SOURCE_DIR}/packaging/kestrel.png)

# Beside the program folder, for a plain `cmake --install`.
install(FILES ${_kestrel_desktop} DESTINATION share/applications COMPONENT desktop)
install(FILES ${_kestrel_icon_svg} DESTINATION share/icons/hicolor/scalable/apps
        COMPONENT desktop)
install(FILES ${_kestrel_icon_png} DESTINATION share/icons/hicolor/256x256/apps
        COMPONENT desktop)

# --- The system's files (the Debian package) -------------------------------

# The launcher knows the installation's folder and its data files.
set(KESTREL_DATA_NAMES "")
foreach(_file IN LISTS _kestrel_data_files)
  get_filename_component(_name ${_file} NAME)
  string(APPEND KESTREL_DATA_NAMES " '${_name}'")
endforeach()
string(STRIP "${KESTREL_DATA_NAMES}" KESTREL_DATA_NAMES)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kestrel-launcher.in
               ${PROJECT_BINARY_DIR}/packaging/kestrel @ONLY)

install(PROGRAMS ${PROJECT_BINARY_DIR}/packaging/kestrel DESTINATION /usr/bin
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_kestrel_desktop} DESTINATION /usr/share/applications
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_kestrel_icon_svg} DESTINATION /usr/share/icons/hicolor/scalable/apps
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${_kestrel_icon_png} DESTINATION /usr/share/icons/hicolor/256x256/apps
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrel.metainfo.xml
        DESTINATION /usr/share/metainfo RENAME io.github.kestrel_editor.kestrel.metainfo.xml
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION /usr/share/doc/kestrel
        COMPONENT system EXCLUDE_FROM_ALL)
# The manual page and the changelog go compressed, without a time stamp in
# the compressed file.
foreach(_doc kestrel.1 changelog)
  execute_process(COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${_doc}
                  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/${_doc}.gz)
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/packaging/kestrel.1 ${PROJECT_SOURCE_DIR}/packaging/changelog)
install(FILES ${PROJECT_BINARY_DIR}/packaging/kestrel.1.gz DESTINATION /usr/share/man/man1
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION /usr/share/doc/kestrel
        COMPONENT system EXCLUDE_FROM_ALL)

# --- CPack -------------------------------------------------------------------

set(KESTREL_PACKAGE_MAINTAINER
    "Kestrel maintainers <maintainers@users.noreply.c-seed-25841a55.example>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "Kestrel")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KESTREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sound catalogue editor for a game level editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrel runs beside a game level editor's installation and edits its sound
catalogue, sounds.txt: the values, flags and samples of every sound effect,
and the letters of the WADs that use it. It imports the sample and object
lists the level editor writes for a WAD and runs the level editor's sound
compiler to build the WAD's sound files. The interface is in English and
French.")

# The program folder goes to /usr/lib/kestrel; the system's files name their own
# absolute places, so the install runs into a staging root (DESTDIR).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${KESTREL_INSTALL_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX ${KESTREL_INSTALL_DIR})
set(CPACK_STRIP_FILES ON)

# One package with the program folder and the system's files; the "desktop"
# component's copies under share/ belong to the self-contained folder only.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL program system)

set(CPACK_DEBIAN_PACKAGE_NAME kestrel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTREL_PACKAGE_MAINTAINER}")
# dpkg-shlibdeps names the packages of the libraries Kestrel links. Qt loads
# its plugins at run time, which dpkg-shlibdeps cannot see: the xcb and
# offscreen platforms come with libqt6gui6 and the multimedia backends with
# libqt6multimedia6, both linked; the other platform plugins are in
# qt6-qpa-plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own French texts (file dialogs, message box buttons) are in
# qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, hicolor-icon-theme")
# A WAD's build shows its batch in one of these terminals when there is one.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xterm | konsole | gnome-terminal | xfce4-terminal")

include(CPack)
