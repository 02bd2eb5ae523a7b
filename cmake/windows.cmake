# What the Windows build adds: the executable's icon and version
# information, the tests run under Wine when cross-built, and the portable zip
# (`cpack -G ZIP`): the program with the DLLs and plugins it loads, nothing
# else, in one folder that can go anywhere. scripts/build-windows drives it.
# Included once the executable target exists and before the tests.

set(SCRIVULETS_VENDOR "Equipe Corvale")

# The icon, rendered from the program's SVG at the sizes the shell asks for.
find_program(SCRIVULETS_RSVG rsvg-convert REQUIRED)
find_program(SCRIVULETS_ICOTOOL icotool REQUIRED)
set(icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/app_icon.svg)
set(icon_dir ${CMAKE_CURRENT_BINARY_DIR}/windows-icon)
set(SCRIVULETS_ICO ${icon_dir}/corvale-scrivulets.ico)
set(icon_commands)
set(icon_pngs)
foreach(size 16 20 24 32 40 48 64 128)
  list(APPEND icon_commands COMMAND ${SCRIVULETS_RSVG} -w ${size} -h ${size}
       -o ${icon_dir}/${size}.png ${icon_svg})
  list(APPEND icon_pngs ${icon_dir}/${size}.png)
endforeach()
# The largest one stays PNG inside the icon, as Windows stores it.
add_custom_command(
  OUTPUT ${SCRIVULETS_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  ${icon_commands}
  COMMAND ${SCRIVULETS_RSVG} -w 256 -h 256 -o ${icon_dir}/256.png ${icon_svg}
  COMMAND ${SCRIVULETS_ICOTOOL} -c -o ${SCRIVULETS_ICO} ${icon_pngs} --raw=${icon_dir}/256.png
  DEPENDS ${icon_svg}
  COMMENT "Rendering the program's icon for Windows"
  VERBATIM)

enable_language(RC)
configure_file(${PROJECT_SOURCE_DIR}/resources/windows/corvale-scrivulets.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc PROPERTIES
                            OBJECT_DEPENDS ${SCRIVULETS_ICO})
target_sources(corvale-scrivulets PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/corvale-scrivulets.rc)

# Qt's own texts in Portuguese (the text box's menu, standard dialogs): Windows
# has no package to bring them, so the program carries the translation the
# building machine has (Debian's qt6-translations-l10n).
find_file(SCRIVULETS_QTBASE_PT_BR qtbase_pt_BR.qm
          PATHS /usr/share/qt6/translations NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
qt_add_resources(scrivulets_ui "qt-translation" PREFIX "/i18n" BASE /usr/share/qt6/translations
                 FILES ${SCRIVULETS_QTBASE_PT_BR})

# The mingw runtime DLLs every program of the build loads, wherever this
# compiler keeps them.
set(SCRIVULETS_MINGW_DLL_DIRS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(IS_ABSOLUTE "${dll_path}" AND EXISTS "${dll_path}")
    get_filename_component(dll_dir "${dll_path}" DIRECTORY)
    get_filename_component(dll_dir "${dll_dir}" REALPATH)
    list(APPEND SCRIVULETS_MINGW_DLL_DIRS ${dll_dir})
  endif()
endforeach()
list(REMOVE_DUPLICATES SCRIVULETS_MINGW_DLL_DIRS)
set(SCRIVULETS_QT_DLL_DIR ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})

# Tests of a cross build run under Wine, which finds the DLLs through WINEPATH.
if(CMAKE_CROSSCOMPILING)
  set(SCRIVULETS_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
  list(JOIN SCRIVULETS_MINGW_DLL_DIRS ";" mingw_dirs)
  set(SCRIVULETS_WINEPATH "${SCRIVULETS_QT_DLL_DIR};${mingw_dirs}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# The portable folder: the executable at its top, the program's data beside
# it at run time.
set(CMAKE_INSTALL_BINDIR .)
# The plugins Qt loads from beside the executable, and the DLLs they and the
# executable need.
set(plugins
    platforms $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    styles $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
    # The window and tray icons are SVG: without it the tray icon is missing.
    iconengines $<TARGET_FILE:Qt6::QSvgIconPlugin>)
install(CODE "
  set(SCRIVULETS_EXECUTABLE \"$<TARGET_FILE:corvale-scrivulets>\")
  set(SCRIVULETS_PLUGINS \"${plugins}\")
  set(SCRIVULETS_DLL_DIRS \"${SCRIVULETS_QT_DLL_DIR};${SCRIVULETS_MINGW_DLL_DIRS}\")
  set(SCRIVULETS_OBJDUMP \"${CMAKE_OBJDUMP}\")
  set(SCRIVULETS_STRIP \"${CMAKE_STRIP}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/windows-deploy.cmake\")
")

set(CPACK_PACKAGE_NAME "corvale-scrivulets")
set(CPACK_PACKAGE_VENDOR "${SCRIVULETS_VENDOR}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "corvale-scrivulets-${PROJECT_VERSION}-win64")
set(CPACK_GENERATOR "ZIP")
set(CPACK_STRIP_FILES ON)
include(CPack)
