# Where `cmake --install` puts the programs and their files. Installed, the module folder is
# lib/tarrow: the programs, their three shared libraries (found through the rpath $ORIGIN) and
# the page files, read-only. The programs find TarrowNetwork and the pages beside their real
# executable, so only links go into bin. Nothing here is written at run time: the data files the
# pages and programs exchange live in a per-run folder, never in the module folder.
include(GNUInstallDirs)

set(TARROW_INSTALL_MODULE_DIR "lib/tarrow" CACHE STRING
    "module folder of the programs, relative to the installation prefix")

install(TARGETS Tarrow TarrowNetwork tarrowctl tarrow_platform Quillet_Library vespersdk
        RUNTIME DESTINATION ${TARROW_INSTALL_MODULE_DIR}
        LIBRARY DESTINATION ${TARROW_INSTALL_MODULE_DIR}
        COMPONENT Runtime)
# Laid out in the build tree as installed, they find each other through $ORIGIN in both, and are
# linked with it: installing leaves their RUNPATH as it is. (A RUNPATH that installing rewrites is
# built with an empty entry after it, room that CMake keeps, and an empty entry searches the
# current folder.)
set_target_properties(Tarrow TarrowNetwork tarrowctl tarrow_platform Quillet_Library vespersdk
                      PROPERTIES BUILD_WITH_INSTALL_RPATH ON)

# The page folders the build made (one per page text table), and the static page files from the
# source tree. The scripts the programs write (the device and folder lists) are never installed,
# even when a build folder holds one from an earlier run.
file(GLOB tarrow_page_tables CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/pages/text/*.txt)
foreach(table ${tarrow_page_tables})
  get_filename_component(folder ${table} NAME_WE)
  install(DIRECTORY ${TARROW_BIN_DIR}/${folder} DESTINATION ${TARROW_INSTALL_MODULE_DIR}
          COMPONENT Runtime FILES_MATCHING PATTERN "*.htm")
endforeach()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/pages/Images DESTINATION ${TARROW_INSTALL_MODULE_DIR}
        COMPONENT Runtime FILES_MATCHING PATTERN "*.bmp" PATTERN "*.png")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/pages/css DESTINATION ${TARROW_INSTALL_MODULE_DIR}
        COMPONENT Runtime FILES_MATCHING PATTERN "*.css")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/pages/js DESTINATION ${TARROW_INSTALL_MODULE_DIR}
        COMPONENT Runtime FILES_MATCHING PATTERN "*.js")

# The privileged helper that pkexec starts, and the polkit policy that names it by this path. Its
# libraries are found by the module folder's absolute path, never relative to where it lies.
set(TARROW_INSTALL_HELPER_DIR "libexec/tarrow")
set_target_properties(tarrow-fix-helper PROPERTIES
  INSTALL_RPATH "${CMAKE_INSTALL_PREFIX}/${TARROW_INSTALL_MODULE_DIR}")
install(TARGETS tarrow-fix-helper RUNTIME DESTINATION ${TARROW_INSTALL_HELPER_DIR} COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.tarrow.fix.policy
        DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions COMPONENT Runtime)

# The two commands a user types, as relative links into the module folder.
file(RELATIVE_PATH tarrow_bin_to_module /${CMAKE_INSTALL_BINDIR} /${TARROW_INSTALL_MODULE_DIR})
foreach(program Tarrow tarrowctl)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    message(STATUS \"Installing: \${bin}/${program} -> ${tarrow_bin_to_module}/${program}\")
    file(CREATE_LINK \"${tarrow_bin_to_module}/${program}\" \"\${bin}/${program}\" SYMBOLIC)"
    COMPONENT Runtime)
endforeach()

# Man pages: tarrowctl's is written from its help at build time, the other two are kept in data/.
if(TARGET tarrowctl_man)
  install(FILES ${TARROW_BIN_DIR}/tarrowctl.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/man/Tarrow.1 ${CMAKE_SOURCE_DIR}/data/man/TarrowNetwork.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Runtime)

# Desktop menu entry, AppStream description, icons and the shell completion of tarrowctl.
install(FILES ${CMAKE_SOURCE_DIR}/data/org.tarrow.Tarrow.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/data/org.tarrow.Tarrow.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/tarrow.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/data/completion/tarrowctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT Runtime)

# The 48 x 48 icon is drawn from the SVG, so the two cannot differ.
find_program(TARROW_RSVG_CONVERT rsvg-convert)
if(TARROW_RSVG_CONVERT)
  set(tarrow_icon_png ${CMAKE_BINARY_DIR}/icons/48x48/tarrow.png)
  add_custom_command(OUTPUT ${tarrow_icon_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/48x48
    COMMAND ${TARROW_RSVG_CONVERT} -w 48 -h 48 -o ${tarrow_icon_png} ${CMAKE_SOURCE_DIR}/data/icons/tarrow.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/data/icons/tarrow.svg
    COMMENT "Drawing the 48x48 application icon"
    VERBATIM)
  add_custom_target(tarrow_icon ALL DEPENDS ${tarrow_icon_png})
  install(FILES ${tarrow_icon_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps COMPONENT Runtime)
else()
  message(WARNING "rsvg-convert not found: no 48x48 icon is installed (tools/install-deps installs librsvg2-bin)")
endif()

# The simulated printer, for a demonstration computer only: `cmake --install BUILD --component
# simdevice`. Not part of the default installation nor of the Debian package.
foreach(program tarrow-simdevice tarrow-simscan)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${TARROW_INSTALL_MODULE_DIR}
            COMPONENT simdevice EXCLUDE_FROM_ALL)
    set_target_properties(${program} PROPERTIES BUILD_WITH_INSTALL_RPATH ON)
  endif()
endforeach()
