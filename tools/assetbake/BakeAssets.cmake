# The bake: one build rule per row of assets/manifest, so that a changed source
# (or row) rebuilds only its own file. Pictures and fonts go straight into the
# data folder; sounds are baked to Ogg Vorbis beside it and then installed into
# it by wavemelt, exactly as at a player's installation.
#
# A row whose source does not exist yet is left out with a warning; the folder
# of SVG sheets is watched, so a sheet that arrives joins the build by itself.

set(BRINEFALL_ASSETS_DIR ${PROJECT_SOURCE_DIR}/assets)
set(BRINEFALL_DATA_DIR ${CMAKE_BINARY_DIR}/data)
set(BRINEFALL_OGG_DIR ${CMAKE_BINARY_DIR}/assets/ogg)
set(BRINEFALL_CONTACT_SHEET ${CMAKE_BINARY_DIR}/assets/contact-sheet.png)
set(manifest ${BRINEFALL_ASSETS_DIR}/manifest)

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manifest})
file(GLOB watched_art CONFIGURE_DEPENDS ${BRINEFALL_ASSETS_DIR}/art/*.svg)
file(GLOB watched_sounds CONFIGURE_DEPENDS ${BRINEFALL_ASSETS_DIR}/sounds/* ${BRINEFALL_ASSETS_DIR}/music/*)

file(STRINGS ${manifest} manifest_lines)
set(baked_files)
set(baked_pictures)
set(missing_sources)
foreach(line IN LISTS manifest_lines)
  string(REGEX REPLACE "#.*$" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  separate_arguments(row UNIX_COMMAND "${line}")
  list(LENGTH row row_length)
  if(NOT row_length EQUAL 5)
    message(FATAL_ERROR "assets/manifest: a row has five words: name kind source grid frame: ${line}")
  endif()
  list(GET row 0 name)
  list(GET row 1 kind)
  list(GET row 2 source)
  if(IS_ABSOLUTE ${source})
    set(source_path ${source})
  else()
    set(source_path ${BRINEFALL_ASSETS_DIR}/${source})
  endif()
  if(NOT EXISTS ${source_path})
    list(APPEND missing_sources ${name})
    continue()
  endif()

  if(kind STREQUAL "sound" OR kind STREQUAL "music")
    string(REGEX REPLACE "\\.tws$" "" stem ${name})
    set(ogg ${BRINEFALL_OGG_DIR}/${stem}.ogg)
    add_custom_command(
      OUTPUT ${ogg}
      COMMAND assetbake --assets ${BRINEFALL_ASSETS_DIR} --out ${BRINEFALL_OGG_DIR} --row ${row}
      DEPENDS assetbake ${source_path}
      COMMENT "Baking ${stem}.ogg"
      VERBATIM)
    add_custom_command(
      OUTPUT ${BRINEFALL_DATA_DIR}/${name}
      COMMAND ${CMAKE_COMMAND} -DOGG=${ogg} -DDATA_DIR=${BRINEFALL_DATA_DIR} -DWAVEMELT=$<TARGET_FILE:wavemelt>
              -P ${CMAKE_CURRENT_SOURCE_DIR}/InstallSound.cmake
      DEPENDS ${ogg} wavemelt ${CMAKE_CURRENT_SOURCE_DIR}/InstallSound.cmake
      COMMENT "Installing ${name} with wavemelt"
      VERBATIM)
  else()
    add_custom_command(
      OUTPUT ${BRINEFALL_DATA_DIR}/${name}
      COMMAND assetbake --assets ${BRINEFALL_ASSETS_DIR} --out ${BRINEFALL_DATA_DIR} --row ${row}
      DEPENDS assetbake ${source_path}
      COMMENT "Baking ${name}"
      VERBATIM)
    if(kind STREQUAL "image" OR kind STREQUAL "icon")
      list(APPEND baked_pictures ${BRINEFALL_DATA_DIR}/${name})
    endif()
    if(kind STREQUAL "icon")
      # The desktop's icons are drawn from the same source (desktop/CMakeLists.txt).
      set_property(GLOBAL PROPERTY BRINEFALL_ICON_SOURCE ${source_path})
    endif()
  endif()
  list(APPEND baked_files ${BRINEFALL_DATA_DIR}/${name})
endforeach()

if(missing_sources)
  list(LENGTH missing_sources missing_count)
  message(WARNING "assets: ${missing_count} files are not baked because their sources are missing: ${missing_sources}")
endif()

add_custom_command(
  OUTPUT ${BRINEFALL_CONTACT_SHEET}
  COMMAND assetbake --contact-sheet ${BRINEFALL_CONTACT_SHEET} --data ${BRINEFALL_DATA_DIR}
  DEPENDS assetbake ${baked_pictures}
  COMMENT "Drawing the contact sheet of every picture"
  VERBATIM)

add_custom_target(assets ALL DEPENDS ${baked_files} ${BRINEFALL_CONTACT_SHEET})
if(TARGET brinefall)
  add_dependencies(brinefall assets)
endif()

# The installed game: the programs in bin/, the data folder in share/brinefall/ (the game and
# its installation tool in BRINEFALL_INSTALL_GAMEDIR, its data in BRINEFALL_INSTALL_DATADIR,
# where the game looks for it relative to its own program: game/CMakeLists.txt).
install(TARGETS wavemelt RUNTIME DESTINATION ${BRINEFALL_INSTALL_GAMEDIR})
if(TARGET brinefall)
  install(TARGETS brinefall RUNTIME DESTINATION ${BRINEFALL_INSTALL_GAMEDIR})
endif()
install(DIRECTORY ${BRINEFALL_DATA_DIR}/ DESTINATION ${BRINEFALL_INSTALL_DATADIR})
